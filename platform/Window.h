// The window half of the platform seam: windows made from a layout table, the messages the
// system sends and handles, message boxes and the message loop. Two implementations:
// platform/win32 makes real windows with user32; platform/host keeps windows in memory for tests.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

struct WindowObject;
using WindowHandle = WindowObject*;

using MessageId = std::uint32_t;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// Window procedures use the platform's calling convention.
#if defined(_WIN32) && !defined(_WIN64)
#define VENTRIX_CALLBACK __stdcall
#else
#define VENTRIX_CALLBACK
#endif
using WindowProc = LResult(VENTRIX_CALLBACK*)(WindowHandle, MessageId, WParam, LParam);

// Messages.
constexpr MessageId kWmDestroy = 0x0002;
constexpr MessageId kWmSetRedraw = 0x000B;
constexpr MessageId kWmClose = 0x0010;
constexpr MessageId kWmCopyGlobalData = 0x0049;
constexpr MessageId kWmCommand = 0x0111;
constexpr MessageId kWmRButtonUp = 0x0205;
constexpr MessageId kWmDropFiles = 0x0233;
constexpr MessageId kLbAddString = 0x0180;
constexpr MessageId kLbResetContent = 0x0184;
constexpr MessageId kLbGetCurSel = 0x0188;
constexpr MessageId kLbGetText = 0x0189;
constexpr MessageId kLbGetTextLen = 0x018A;
constexpr MessageId kLbGetCount = 0x018B;
constexpr MessageId kLbSetCurSel = 0x0186;
constexpr MessageId kLbGetItemData = 0x0199;
constexpr MessageId kLbSetItemData = 0x019A;
constexpr MessageId kLbSetItemHeight = 0x01A0;
constexpr MessageId kLbGetItemHeight = 0x01A1;
constexpr LResult kLbErr = -1;
constexpr MessageId kBmGetCheck = 0x00F0;
constexpr MessageId kBmSetCheck = 0x00F1;
constexpr WParam kBstChecked = 1;
constexpr WParam kBstUnchecked = 0;

// WM_COMMAND notification codes (the high word of wParam).
constexpr std::uint32_t kBnClicked = 0;
constexpr std::uint32_t kStnDblClk = 1;
constexpr std::uint32_t kLbnSelChange = 1;
constexpr std::uint32_t kLbnDblClk = 2;
// Sent by a list box of a form when the right mouse button is released over it.
constexpr std::uint32_t kLbnRightButtonUp = 0x7F01;
// The command the Esc key sends to a form, whichever of its controls has the focus.
constexpr std::uint32_t kIdCancel = 2;

constexpr WParam MakeCommand(int controlId, std::uint32_t code) {
    return static_cast<WParam>((static_cast<std::uint32_t>(controlId) & 0xFFFF) | (code << 16));
}
constexpr int CommandControl(WParam wParam) {
    return static_cast<int>(wParam & 0xFFFF);
}
constexpr std::uint32_t CommandCode(WParam wParam) {
    return static_cast<std::uint32_t>((wParam >> 16) & 0xFFFF);
}

// Window and control styles.
constexpr std::uint32_t kWsCaption = 0x00C00000;
constexpr std::uint32_t kWsDlgFrame = 0x00400000;
constexpr std::uint32_t kWsSysMenu = 0x00080000;
constexpr std::uint32_t kWsMinimizeBox = 0x00020000;
constexpr std::uint32_t kWsMaximizeBox = 0x00010000;
constexpr std::uint32_t kWsThickFrame = 0x00040000;
constexpr std::uint32_t kWsClipChildren = 0x02000000;
constexpr std::uint32_t kWsVScroll = 0x00200000;
constexpr std::uint32_t kWsTabStop = 0x00010000;
constexpr std::uint32_t kWsGroup = 0x00020000;
constexpr std::uint32_t kWsExClientEdge = 0x00000200;
constexpr std::uint32_t kLbsNotify = 0x0001;
constexpr std::uint32_t kLbsSort = 0x0002;
constexpr std::uint32_t kLbsUseTabStops = 0x0080;
constexpr std::uint32_t kLbsNoIntegralHeight = 0x0100;
constexpr std::uint32_t kSsLeft = 0x0000;
constexpr std::uint32_t kSsCenter = 0x0001;
constexpr std::uint32_t kSsNotify = 0x0100;
constexpr std::uint32_t kSsCenterImage = 0x0200;

// Message boxes.
constexpr std::uint32_t kMbOk = 0x0000;
constexpr std::uint32_t kMbOkCancel = 0x0001;
constexpr std::uint32_t kMbIconHand = 0x0010;
constexpr std::uint32_t kMbIconQuestion = 0x0020;
constexpr std::uint32_t kMbIconInformation = 0x0040;
constexpr std::uint32_t kMbSystemModal = 0x1000;
constexpr std::uint32_t kMbTaskModal = 0x2000;
constexpr int kIdOk = 1;

// GetSystemMetrics indexes.
constexpr int kSmCxScreen = 0;
constexpr int kSmCyScreen = 1;

// ChangeWindowMessageFilter's flag.
constexpr std::uint32_t kMsgFltAdd = 1;

enum class ControlKind { GroupBox, Label, ListBox, PushButton, RadioButton, EditBox };

// One control of a form. A control inside a group box is placed relative to the group box's
// top-left corner; all controls are children of the form window itself.
struct ControlLayout {
    const char* formName;
    ControlKind kind;
    int id;
    int parentId;  // the id of the enclosing group box, or 0 for the window
    int left;
    int top;
    int width;
    int height;
    const char* text;
    std::uint32_t style;  // added to the kind's own styles
    std::uint32_t exStyle;
    std::uint32_t textColour;  // labels: 0x00BBGGRR; drawn without a background of their own
};

struct FormLayout {
    const char* title;
    int width;  // outer size, frame and caption included
    int height;
    std::uint32_t style;
    std::uint32_t exStyle;
    const ControlLayout* controls;
    std::size_t controlCount;
};

// The control's place in the form's client area: a group box's offset added.
struct ClientRect {
    int left;
    int top;
    int width;
    int height;
};
inline ClientRect PlaceInClient(const FormLayout& form, const ControlLayout& control) {
    ClientRect place{control.left, control.top, control.width, control.height};
    for (std::size_t i = 0; i < form.controlCount; ++i) {
        if (control.parentId != 0 && form.controls[i].id == control.parentId) {
            place.left += form.controls[i].left;
            place.top += form.controls[i].top;
        }
    }
    return place;
}

// Makes the form window, hidden, at (left, top) with the layout's outer size, and its
// controls in table order, each with the stock DEFAULT_GUI_FONT. The window's messages go
// to `procedure`. Controls report to the form: WM_COMMAND as usual, kLbnRightButtonUp from
// list boxes, and kIdCancel when Esc is pressed in the form. A form with an owner is modal
// over it: the owner takes no input while the form exists.
WindowHandle CreateForm(const FormLayout& form, int left, int top, WindowHandle owner,
                        WindowProc procedure);
WindowHandle GetControl(WindowHandle form, int id);
void ShowForm(WindowHandle form);
// Shows the form modally over its owner and returns when the form has been destroyed.
void RunModalForm(WindowHandle form);
bool DestroyWindow(WindowHandle window);
bool IsWindow(WindowHandle window);

LResult SendMessageA(WindowHandle window, MessageId message, WParam wParam, LParam lParam);
bool SetWindowTextA(WindowHandle window, const char* text);
// Marks the whole window for repainting, its background included.
void InvalidateWindow(WindowHandle window);
// The window's text; at most `size` - 1 bytes, zero-terminated. The length copied.
int GetWindowTextA(WindowHandle window, char* buffer, int size);
int GetWindowTextLengthA(WindowHandle window);
// What the platform does with a message its window procedure leaves alone.
LResult DefWindowProcA(WindowHandle window, MessageId message, WParam wParam, LParam lParam);
// SetWindowLongA with GWL_WNDPROC: installs `procedure`, hands back the one before it.
WindowProc SubclassWindow(WindowHandle window, WindowProc procedure);
LResult CallWindowProcA(WindowProc procedure, WindowHandle window, MessageId message, WParam wParam,
                        LParam lParam);
void DragAcceptFiles(WindowHandle window, bool accept);
// Looked up at run time: false, with nothing done, where the platform lacks the function.
bool ChangeWindowMessageFilter(MessageId message, std::uint32_t flag);
int GetSystemMetrics(int index);
int MessageBoxA(WindowHandle owner, const char* text, const char* caption, std::uint32_t flags);

void PostQuitMessage(int exitCode);
// Runs the message loop until WM_QUIT and hands back the quit message's code.
int RunMessageLoop();

}  // namespace platform
