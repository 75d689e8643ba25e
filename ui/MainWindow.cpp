#include "ui/MainWindow.h"

#include "app/Elevation.h"
#include "app/Globals.h"
#include "app/Program.h"
#include "backup/Backup.h"
#include "common/Texts.h"
#include "intake/Intake.h"
#include "menu/Delete.h"
#include "menu/MenuList.h"
#include "platform/Messages.h"
#include "platform/Process.h"
#include "platform/Shell.h"
#include "ui/UserInterface.h"

using namespace platform;

namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0x0000FF;  // RGB(255, 0, 0) as 0x00BBGGRR

const ControlLayout kMainControls[] = {
    {"分组框1", ControlKind::GroupBox, kGroupInstallId, 0, 8, 8, 552, 120, texts::kGroupInstall, 0,
     0, kBlack},
    {"透明标签1", ControlKind::Label, kLabelDropId, kGroupInstallId, 8, 8, 536, 104,
     texts::kLabelDrop, kSsCenter | kSsCenterImage | kSsNotify, 0, kBlack},
    {"分组框2", ControlKind::GroupBox, kGroupManageId, 0, 8, 132, 552, 220, texts::kGroupManage, 0,
     0, kBlack},
    {"列表框1", ControlKind::ListBox, kEntryListId, kGroupManageId, 8, 15, 536, 165, "",
     kLbsNotify | kLbsUseTabStops | kLbsNoIntegralHeight | kWsVScroll | kWsTabStop, kWsExClientEdge,
     kBlack},
    {"按钮1", ControlKind::PushButton, kButtonRepairId, kGroupManageId, 5, 183, 80, 32,
     texts::kButtonRepair, kWsTabStop, 0, kBlack},
    {"透明标签2", ControlKind::Label, kLabelNoteId, kGroupManageId, 90, 192, 288, 16,
     texts::kLabelNote, kSsLeft | kSsCenterImage, 0, kRed},
    {"按钮2", ControlKind::PushButton, kButtonBackupId, kGroupManageId, 379, 183, 80, 32,
     texts::kButtonBackup, kWsTabStop, 0, kBlack},
    {"按钮3", ControlKind::PushButton, kButtonRestoreId, kGroupManageId, 465, 183, 80, 32,
     texts::kButtonRestore, kWsTabStop, 0, kBlack},
};

WindowHandle mainWindow = nullptr;

// Runs a user action, unless it arrived while another operation is in its middle.
void RunUserAction(void (*action)()) {
    if (UserActionAllowed()) {
        action();
    }
}

// Nothing can refuse the close, once asked for; a request that arrives in the middle of another
// operation is dropped like any other user action.
void OnCloseRequested(WindowHandle window) {
    if (!UserActionAllowed()) {
        return;
    }
    AskBackupBeforeClose();
    DestroyWindow(window);
}

void OnCommand(WindowHandle window, WParam wParam) {
    int control = CommandControl(wParam);
    std::uint32_t code = CommandCode(wParam);
    if (control == static_cast<int>(kIdCancel)) {
        SendMessageA(window, kWmClose, 0, 0);
    } else if (control == kEntryListId && code == kLbnRightButtonUp) {
        RunUserAction(RefreshMenuList);
    } else if (control == kEntryListId && code == kLbnDblClk) {
        RunUserAction(DeleteMenuEntry);
    } else if (control == kLabelDropId && code == kStnDblClk) {
        RunUserAction(ChooseExecutable);
    } else if (control == kButtonRepairId && code == kBnClicked) {
        RunUserAction(RepairCascadeIcon);
    } else if (control == kButtonBackupId && code == kBnClicked) {
        RunUserAction(BackupShellKey);
    } else if (control == kButtonRestoreId && code == kBnClicked) {
        RunUserAction(RestoreShellKey);
    }
}

void OnDestroyed() {
    mainWindow = nullptr;
    OnWindowDestroyed();
}

// The window's own procedure, which previousWindowProc comes to hold.
LResult VENTRIX_CALLBACK MainFormProc(WindowHandle window, MessageId message, WParam wParam,
                                      LParam lParam) {
    switch (message) {
        case kWmCommand:
            OnCommand(window, wParam);
            return 0;
        case kWmClose:
            OnCloseRequested(window);
            return 0;
        case kWmDestroy:
            OnDestroyed();
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The rest of the "created" handler, once the process is known to be elevated.
void PrepareMainWindow(WindowHandle window) {
    previousWindowProc = SubclassWindow(window, MainWindowProc);
    DragAcceptFiles(window, true);
    if ((GetVersion() & 0xFF) > 5) {
        ChangeWindowMessageFilter(kWmCopyGlobalData, kMsgFltAdd);
        ChangeWindowMessageFilter(kWmDropFiles, kMsgFltAdd);
    }
    RefreshMenuList();
}

}  // namespace

const FormLayout kMainWindowLayout = {
    texts::kMainTitle,
    574,
    387,
    kWsCaption | kWsDlgFrame | kWsSysMenu | kWsMinimizeBox | kWsClipChildren,
    0,
    kMainControls,
    sizeof kMainControls / sizeof kMainControls[0],
};

void CreateMainWindow() {
    WindowHandle window = CreateCentredForm(kMainWindowLayout, nullptr, MainFormProc);
    if (window == nullptr) {
        return;
    }
    mainWindow = window;
    OnWindowCreated();
    WindowHandle list = EntryList();
    LResult height = SendMessageA(list, kLbGetItemHeight, 0, 0);
    SendMessageA(list, kLbSetItemHeight, 0, height + 1);

    RelaunchUnlessElevated();
    PrepareMainWindow(window);
    ShowForm(window);
}

WindowHandle MainWindow() {
    return mainWindow;
}

WindowHandle EntryList() {
    return mainWindow ? GetControl(mainWindow, kEntryListId) : nullptr;
}

LResult VENTRIX_CALLBACK MainWindowProc(WindowHandle window, MessageId message, WParam wParam,
                                        LParam lParam) {
    if (message == kWmDropFiles) {
        auto drop = reinterpret_cast<DropHandle>(wParam);
        if (UserActionAllowed()) {
            HandleDroppedFiles(drop);
        } else {
            DragFinish(drop);
        }
    }
    return CallWindowProcA(previousWindowProc, window, message, wParam, lParam);
}
