// The host stand-in of the window toolkit: windows kept in memory with their class, text,
// styles, places and procedures; list boxes that answer the list box messages; message
// boxes that answer as the test says; a message loop fed by the test.
#include <strings.h>
#include <cstring>
#include <deque>
#include <map>

#include "platform/Window.h"
#include "platform/host/CodePage.h"
#include "platform/host/HostPlatform.h"
#include "platform/host/Resets.h"

namespace platform {
namespace host {
namespace {

constexpr std::uint32_t kWsChild = 0x40000000;
constexpr std::uint32_t kWsVisible = 0x10000000;

struct HostWindow {
    WindowInfo info;
    bool alive = true;
    const FormLayout* form = nullptr;
    std::vector<std::pair<std::string, LParam>> items;
    LResult selection = kLbErr;
    LResult itemHeight = kDefaultItemHeight;
    bool checked = false;
};

struct Posted {
    WindowHandle window;
    MessageId message;
    WParam wParam;
    LParam lParam;
};

struct UiState {
    std::map<WindowHandle, HostWindow> windows;
    std::vector<WindowHandle> order;
    std::uintptr_t nextHandle = 0x10000;
    int screenWidth = 1280;
    int screenHeight = 1024;
    std::deque<Posted> queue;
    bool quit = false;
    int quitCode = 0;
    std::vector<std::function<void()>> steps;
    std::size_t nextStep = 0;
    std::vector<MessageBoxCall> messageBoxes;
    std::deque<int> answers;
    std::function<void(const MessageBoxCall&)> messageBoxHook;
    std::vector<std::pair<MessageId, std::uint32_t>> filterCalls;
    bool filterAvailable = true;
    bool modalStarved = false;
};

UiState& Ui() {
    static UiState state;
    return state;
}

HostWindow* Find(WindowHandle window) {
    auto found = Ui().windows.find(window);
    return found != Ui().windows.end() && found->second.alive ? &found->second : nullptr;
}

WindowHandle NewWindow(HostWindow window) {
    auto handle = reinterpret_cast<WindowHandle>(Ui().nextHandle);
    Ui().nextHandle += 4;
    Ui().windows[handle] = std::move(window);
    Ui().order.push_back(handle);
    return handle;
}

LResult VENTRIX_CALLBACK ControlProc(WindowHandle window, MessageId message, WParam wParam,
                                     LParam lParam) {
    HostWindow* control = Find(window);
    if (control != nullptr && message == kBmGetCheck) {
        return control->checked ? kBstChecked : kBstUnchecked;
    }
    if (control != nullptr && message == kBmSetCheck) {
        control->checked = wParam == kBstChecked;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LResult VENTRIX_CALLBACK ListBoxProc(WindowHandle window, MessageId message, WParam wParam,
                                     LParam lParam) {
    HostWindow* list = Find(window);
    if (list == nullptr) {
        return 0;
    }
    auto& items = list->items;
    auto index = static_cast<LResult>(wParam);
    bool valid = index >= 0 && index < static_cast<LResult>(items.size());
    switch (message) {
        case kLbResetContent:
            items.clear();
            list->selection = kLbErr;
            return 0;
        case kLbAddString: {
            if (list->info.redraw) {
                ++list->info.redrawnAdds;
            }
            std::string text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
            auto place = items.end();
            if ((list->info.style & kLbsSort) != 0) {
                place = items.begin();
                while (place != items.end() &&
                       strcasecmp(place->first.c_str(), text.c_str()) <= 0) {
                    ++place;
                }
            }
            auto added = items.insert(place, {text, 0});
            return added - items.begin();
        }
        case kLbSetItemData:
            if (!valid) {
                return kLbErr;
            }
            items[static_cast<std::size_t>(index)].second = lParam;
            return 0;
        case kLbGetItemData:
            return valid ? items[static_cast<std::size_t>(index)].second : kLbErr;
        case kLbGetCount:
            return static_cast<LResult>(items.size());
        case kLbGetCurSel:
            return list->selection;
        case kLbSetCurSel:
            list->selection = valid ? index : kLbErr;
            return valid ? index : kLbErr;
        case kLbGetTextLen:
            return valid ? static_cast<LResult>(items[static_cast<std::size_t>(index)].first.size())
                         : kLbErr;
        case kLbGetText: {
            if (!valid) {
                return kLbErr;
            }
            const std::string& text = items[static_cast<std::size_t>(index)].first;
            std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
            return static_cast<LResult>(text.size());
        }
        case kWmSetRedraw:
            list->info.redraw = wParam != 0;
            return 0;
        case kLbGetItemHeight:
            return list->itemHeight;
        case kLbSetItemHeight:
            list->itemHeight = lParam;
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

struct ControlClass {
    const char* name;
    std::uint32_t style;
    WindowProc procedure;
};

ControlClass ClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::GroupBox:
            return {"BUTTON", 0x7, ControlProc};
        case ControlKind::Label:
            return {"STATIC", 0, ControlProc};
        case ControlKind::ListBox:
            return {"LISTBOX", 0, ListBoxProc};
        case ControlKind::PushButton:
            return {"BUTTON", 0, ControlProc};
        case ControlKind::RadioButton:
            return {"BUTTON", 0x9, ControlProc};
        case ControlKind::EditBox:
            return {"EDIT", 0x80, ControlProc};
    }
    return {"STATIC", 0, ControlProc};
}

// Delivers what a control reports to its form when the user acts on it; a disabled form
// (one with a modal form over it) takes no input.
void Report(WindowHandle form, int controlId, std::uint32_t code) {
    HostWindow* window = Find(form);
    WindowHandle control = GetControl(form, controlId);
    if (window == nullptr || control == nullptr || !window->info.enabled) {
        return;
    }
    SendMessageA(form, kWmCommand, MakeCommand(controlId, code), reinterpret_cast<LParam>(control));
}

// What a message loop does next: deliver the oldest posted message, or else let the user take
// the next step. False when there is neither.
bool RunNext() {
    UiState& ui = Ui();
    if (!ui.queue.empty()) {
        Posted posted = ui.queue.front();
        ui.queue.pop_front();
        SendMessageA(posted.window, posted.message, posted.wParam, posted.lParam);
        return true;
    }
    if (ui.nextStep < ui.steps.size()) {
        ui.steps[ui.nextStep++]();
        return true;
    }
    return false;
}

}  // namespace

void ResetWindows() {
    Ui() = UiState();
}

std::vector<WindowHandle> TopLevelWindows() {
    std::vector<WindowHandle> windows;
    for (WindowHandle handle : Ui().order) {
        HostWindow* window = Find(handle);
        if (window != nullptr && window->info.parent == nullptr) {
            windows.push_back(handle);
        }
    }
    return windows;
}

std::optional<WindowInfo> Describe(WindowHandle window) {
    HostWindow* found = Find(window);
    return found != nullptr ? std::optional<WindowInfo>(found->info) : std::nullopt;
}

std::vector<std::pair<std::string, LParam>> ListItems(WindowHandle list) {
    HostWindow* found = Find(list);
    return found != nullptr ? found->items : std::vector<std::pair<std::string, LParam>>();
}

void SetScreenSize(int width, int height) {
    Ui().screenWidth = width;
    Ui().screenHeight = height;
}

void Click(WindowHandle form, int controlId) {
    HostWindow* window = Find(form);
    HostWindow* control = Find(GetControl(form, controlId));
    if (window == nullptr || control == nullptr || !window->info.enabled) {
        return;
    }
    // An automatic radio button checks itself and clears the others of its form.
    if (control->info.className == "BUTTON" && (control->info.style & 0xF) == 0x9) {
        for (auto& [handle, other] : Ui().windows) {
            if (other.alive && other.info.parent == form && other.info.className == "BUTTON" &&
                (other.info.style & 0xF) == 0x9) {
                other.checked = false;
            }
        }
        control->checked = true;
    }
    Report(form, controlId, kBnClicked);
}

void TypeText(WindowHandle form, int controlId, const std::string& text) {
    if (HostWindow* control = Find(GetControl(form, controlId))) {
        control->info.text = text;
    }
}

void SelectItem(WindowHandle form, int controlId, int index) {
    WindowHandle list = GetControl(form, controlId);
    SendMessageA(list, kLbSetCurSel, static_cast<WParam>(index), 0);
    Report(form, controlId, kLbnSelChange);
}

bool IsChecked(WindowHandle form, int controlId) {
    HostWindow* control = Find(GetControl(form, controlId));
    return control != nullptr && control->checked;
}

bool ModalStarved() {
    return Ui().modalStarved;
}

void DoubleClick(WindowHandle form, int controlId) {
    WindowHandle control = GetControl(form, controlId);
    std::optional<WindowInfo> info = Describe(control);
    if (!info) {
        return;
    }
    if (info->className == "LISTBOX" && (info->style & kLbsNotify) != 0) {
        Report(form, controlId, kLbnDblClk);
    } else if (info->className == "STATIC" && (info->style & kSsNotify) != 0) {
        Report(form, controlId, kStnDblClk);
    }
}

void RightButtonUp(WindowHandle form, int controlId) {
    Report(form, controlId, kLbnRightButtonUp);
}

void PressEscape(WindowHandle form) {
    HostWindow* window = Find(form);
    if (window != nullptr && window->info.enabled) {
        SendMessageA(form, kWmCommand, MakeCommand(static_cast<int>(kIdCancel), kBnClicked), 0);
    }
}

void PressCloseBox(WindowHandle form) {
    HostWindow* window = Find(form);
    if (window != nullptr && window->info.enabled) {
        SendMessageA(form, kWmClose, 0, 0);
    }
}

void SetUserSteps(std::vector<std::function<void()>> steps) {
    Ui().steps = std::move(steps);
    Ui().nextStep = 0;
}

void PostMessage(WindowHandle window, MessageId message, WParam wParam, LParam lParam) {
    Ui().queue.push_back(Posted{window, message, wParam, lParam});
}

std::vector<MessageBoxCall> MessageBoxes() {
    return Ui().messageBoxes;
}

void AnswerMessageBoxes(std::vector<int> answers) {
    Ui().answers.assign(answers.begin(), answers.end());
}

void SetMessageBoxHook(std::function<void(const MessageBoxCall&)> hook) {
    Ui().messageBoxHook = std::move(hook);
}

std::vector<std::pair<MessageId, std::uint32_t>> MessageFilterCalls() {
    return Ui().filterCalls;
}

void SetMessageFilterAvailable(bool available) {
    Ui().filterAvailable = available;
}

}  // namespace host

using host::HostWindow;
using host::Ui;

WindowHandle CreateForm(const FormLayout& form, int left, int top, WindowHandle owner,
                        WindowProc procedure) {
    HostWindow window;
    window.info.className = "VentrixForm";
    window.info.text = form.title;
    window.info.style = form.style;
    window.info.exStyle = form.exStyle;
    window.info.left = left;
    window.info.top = top;
    window.info.width = form.width;
    window.info.height = form.height;
    window.info.owner = owner;
    window.info.defaultGuiFont = true;
    window.info.procedure = procedure;
    window.form = &form;
    WindowHandle handle = host::NewWindow(window);
    for (std::size_t i = 0; i < form.controlCount; ++i) {
        const ControlLayout& control = form.controls[i];
        host::ControlClass controlClass = host::ClassOf(control.kind);
        ClientRect place = PlaceInClient(form, control);
        HostWindow child;
        child.info.className = controlClass.name;
        child.info.text = control.text;
        child.info.style = host::kWsChild | host::kWsVisible | controlClass.style | control.style;
        child.info.exStyle = control.exStyle;
        child.info.left = place.left;
        child.info.top = place.top;
        child.info.width = place.width;
        child.info.height = place.height;
        child.info.id = control.id;
        child.info.parent = handle;
        child.info.visible = true;
        child.info.defaultGuiFont = true;
        child.info.textColour = control.textColour;
        child.info.procedure = controlClass.procedure;
        host::NewWindow(child);
    }
    return handle;
}

WindowHandle GetControl(WindowHandle form, int id) {
    for (WindowHandle handle : Ui().order) {
        HostWindow* window = host::Find(handle);
        if (window != nullptr && window->info.parent == form && window->info.id == id) {
            return handle;
        }
    }
    return nullptr;
}

void ShowForm(WindowHandle form) {
    HostWindow* window = host::Find(form);
    if (window == nullptr) {
        return;
    }
    if (HostWindow* owner = host::Find(window->info.owner)) {
        owner->info.enabled = false;
    }
    window->info.visible = true;
}

void RunModalForm(WindowHandle form) {
    ShowForm(form);
    while (IsWindow(form)) {
        if (!host::RunNext()) {
            Ui().modalStarved = true;
            SendMessageA(form, kWmClose, 0, 0);
            if (IsWindow(form)) {
                DestroyWindow(form);
            }
        }
    }
}

void InvalidateWindow(WindowHandle window) {
    if (HostWindow* found = host::Find(window)) {
        ++found->info.invalidations;
    }
}

bool SetWindowTextA(WindowHandle window, const char* text) {
    HostWindow* found = host::Find(window);
    if (found == nullptr) {
        return false;
    }
    found->info.text = text != nullptr ? text : "";
    return true;
}

int GetWindowTextA(WindowHandle window, char* buffer, int size) {
    HostWindow* found = host::Find(window);
    if (found == nullptr || size <= 0) {
        return 0;
    }
    return static_cast<int>(
        host::CopyCut(found->info.text, buffer, static_cast<std::size_t>(size)));
}

int GetWindowTextLengthA(WindowHandle window) {
    HostWindow* found = host::Find(window);
    return found != nullptr ? static_cast<int>(found->info.text.size()) : 0;
}

bool DestroyWindow(WindowHandle window) {
    HostWindow* found = host::Find(window);
    if (found == nullptr) {
        return false;
    }
    SendMessageA(window, kWmDestroy, 0, 0);
    for (auto& [handle, child] : Ui().windows) {
        if (child.info.parent == window) {
            child.alive = false;
        }
    }
    found = host::Find(window);
    if (found != nullptr) {
        if (HostWindow* owner = host::Find(found->info.owner)) {
            owner->info.enabled = true;
        }
        found->alive = false;
    }
    return true;
}

bool IsWindow(WindowHandle window) {
    return host::Find(window) != nullptr;
}

LResult SendMessageA(WindowHandle window, MessageId message, WParam wParam, LParam lParam) {
    HostWindow* found = host::Find(window);
    if (found == nullptr) {
        return 0;
    }
    return found->info.procedure(window, message, wParam, lParam);
}

LResult DefWindowProcA(WindowHandle window, MessageId message, WParam, LParam) {
    if (message == kWmClose) {
        DestroyWindow(window);
    }
    return 0;
}

WindowProc SubclassWindow(WindowHandle window, WindowProc procedure) {
    HostWindow* found = host::Find(window);
    if (found == nullptr) {
        return nullptr;
    }
    WindowProc previous = found->info.procedure;
    found->info.procedure = procedure;
    return previous;
}

LResult CallWindowProcA(WindowProc procedure, WindowHandle window, MessageId message, WParam wParam,
                        LParam lParam) {
    return procedure != nullptr ? procedure(window, message, wParam, lParam) : 0;
}

void DragAcceptFiles(WindowHandle window, bool accept) {
    if (HostWindow* found = host::Find(window)) {
        found->info.acceptsFiles = accept;
    }
}

bool ChangeWindowMessageFilter(MessageId message, std::uint32_t flag) {
    if (!Ui().filterAvailable) {
        return false;
    }
    Ui().filterCalls.emplace_back(message, flag);
    return true;
}

int GetSystemMetrics(int index) {
    return index == kSmCxScreen ? Ui().screenWidth : index == kSmCyScreen ? Ui().screenHeight : 0;
}

int MessageBoxA(WindowHandle owner, const char* text, const char* caption, std::uint32_t flags) {
    host::MessageBoxCall call{owner, text != nullptr ? text : "", caption != nullptr ? caption : "",
                              flags};
    Ui().messageBoxes.push_back(call);
    if (Ui().messageBoxHook) {
        Ui().messageBoxHook(call);
    }
    if (Ui().answers.empty()) {
        return kIdOk;
    }
    int answer = Ui().answers.front();
    Ui().answers.pop_front();
    return answer;
}

void PostQuitMessage(int exitCode) {
    Ui().quit = true;
    Ui().quitCode = exitCode;
}

int RunMessageLoop() {
    host::UiState& ui = Ui();
    for (;;) {
        if (ui.quit) {
            ui.quit = false;
            return ui.quitCode;
        }
        if (!host::RunNext()) {
            return host::kLoopStarved;
        }
    }
}

}  // namespace platform
