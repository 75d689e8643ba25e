#include "ui/NameChoiceWindow.h"

#include <vector>

#include "app/Globals.h"
#include "app/Program.h"
#include "common/Texts.h"
#include "intake/FileNames.h"
#include "intake/VersionInfo.h"
#include "menu/Install.h"
#include "ui/MainWindow.h"
#include "ui/UserInterface.h"

using namespace platform;

namespace {

constexpr std::uint32_t kBlack = 0x000000;

const ControlLayout kNameChoiceControls[] = {
    {"列表框1", ControlKind::ListBox, kCandidateListId, 0, 7, 5, 360, 136, "",
     kLbsNotify | kLbsNoIntegralHeight | kWsVScroll | kWsTabStop, kWsExClientEdge, kBlack},
    {"透明标签4", ControlKind::Label, kLabelFileNameId, 0, 8, 151, 72, 24, texts::kLabelFileName,
     kSsLeft | kSsCenterImage, 0, kBlack},
    {"编辑框1", ControlKind::EditBox, kNameBoxId, 0, 80, 153, 288, 20, "", kWsTabStop,
     kWsExClientEdge, kBlack},
    {"单选框1", ControlKind::RadioButton, kRadioFirstLevelId, 0, 8, 192, 80, 24,
     texts::kRadioFirstLevel, kWsGroup | kWsTabStop, 0, kBlack},
    {"单选框2", ControlKind::RadioButton, kRadioSecondLevelId, 0, 96, 192, 80, 24,
     texts::kRadioSecondLevel, 0, 0, kBlack},
    {"按钮1", ControlKind::PushButton, kButtonUseId, 0, 200, 187, 80, 32, texts::kButtonUse,
     kWsTabStop, 0, kBlack},
    {"按钮2", ControlKind::PushButton, kButtonCancelId, 0, 288, 187, 80, 32, texts::kButtonCancel,
     kWsTabStop, 0, kBlack},
};

WindowHandle nameWindow = nullptr;

WindowHandle Control(int id) {
    return nameWindow ? GetControl(nameWindow, id) : nullptr;
}

void AddCandidate(const std::string& text) {
    if (!text.empty()) {
        SendMessageA(Control(kCandidateListId), kLbAddString, 0,
                     reinterpret_cast<LParam>(text.c_str()));
    }
}

void OnCandidateSelected() {
    WindowHandle list = Control(kCandidateListId);
    LResult index = SendMessageA(list, kLbGetCurSel, 0, 0);
    std::string text;
    LResult length = SendMessageA(list, kLbGetTextLen, static_cast<WParam>(index), 0);
    if (length >= 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
        SendMessageA(list, kLbGetText, static_cast<WParam>(index),
                     reinterpret_cast<LParam>(buffer.data()));
        text = buffer.data();
    }
    SetWindowTextA(Control(kNameBoxId), text.c_str());
}

void OnDestroyed() {
    shortcutName.clear();
    selectedPath.clear();
    nameWindow = nullptr;
    OnWindowDestroyed();
}

LResult VENTRIX_CALLBACK NameChoiceProc(WindowHandle window, MessageId message, WParam wParam,
                                        LParam lParam) {
    switch (message) {
        case kWmCommand: {
            int control = CommandControl(wParam);
            std::uint32_t code = CommandCode(wParam);
            if (control == static_cast<int>(kIdCancel)) {
                SendMessageA(window, kWmClose, 0, 0);
            } else if (control == kCandidateListId && code == kLbnSelChange) {
                OnCandidateSelected();
            } else if (control == kButtonUseId && code == kBnClicked) {
                if (UserActionAllowed()) {
                    OnUseClicked();
                }
            } else if (control == kButtonCancelId && code == kBnClicked) {
                DestroyWindow(window);
            }
            return 0;
        }
        case kWmDestroy:
            OnDestroyed();
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

const FormLayout kNameChoiceLayout = {
    texts::kNameChoiceTitle,
    380,
    256,
    kWsCaption | kWsDlgFrame | kWsSysMenu | kWsMinimizeBox | kWsClipChildren,
    0,
    kNameChoiceControls,
    sizeof kNameChoiceControls / sizeof kNameChoiceControls[0],
};

void OpenNameChoiceWindow() {
    WindowHandle window = CreateCentredForm(kNameChoiceLayout, MainWindow(), NameChoiceProc);
    if (window == nullptr) {
        shortcutName.clear();
        selectedPath.clear();
        return;
    }
    nameWindow = window;
    OnWindowCreated();
    SendMessageA(Control(kRadioFirstLevelId), kBmSetCheck, kBstChecked, 0);
    FillNameCandidates();
    RunModalForm(window);
}

void FillNameCandidates() {
    ReadVersionInfo(selectedPath, *versionInfo);
    AddCandidate(versionInfo->fileDescription);
    AddCandidate(versionInfo->productName);
    if (!selectedPath.empty()) {
        AddCandidate(GetFileName(selectedPath, false));
    }
    AddCandidate(shortcutName);
}

std::string NameBoxText() {
    WindowHandle box = Control(kNameBoxId);
    std::vector<char> buffer(static_cast<std::size_t>(GetWindowTextLengthA(box)) + 1, '\0');
    GetWindowTextA(box, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data());
}

bool FirstLevelSelected() {
    return SendMessageA(Control(kRadioFirstLevelId), kBmGetCheck, 0, 0) ==
           static_cast<LResult>(kBstChecked);
}

bool SecondLevelSelected() {
    return SendMessageA(Control(kRadioSecondLevelId), kBmGetCheck, 0, 0) ==
           static_cast<LResult>(kBstChecked);
}

void CloseNameChoiceWindow() {
    if (nameWindow != nullptr) {
        DestroyWindow(nameWindow);
    }
}
