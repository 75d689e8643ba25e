// The window seam over user32 and gdi32.
#include "platform/Window.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/ControlClass.h"
#include "platform/win32/Dispatch.h"

namespace platform {
namespace {

constexpr char kFormClass[] = "VentrixForm";

HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
WindowHandle FromHwnd(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}

// What a form window keeps: its layout and the system's procedure for it.
struct FormData {
    const FormLayout* layout;
    WindowProc procedure;
    HWND owner;
};

const ControlLayout* FindControl(const FormLayout& layout, int id) {
    for (std::size_t i = 0; i < layout.controlCount; ++i) {
        if (layout.controls[i].id == id) {
            return &layout.controls[i];
        }
    }
    return nullptr;
}

// Controls of a form are subclassed: a list box tells the form when the right button is
// released over it; a group box paints its own inside, which the form, clipping its children,
// leaves alone. Every control of a class shares that class's procedure, which is kept here
// rather than in a window property: a property lookup is a round trip to the window server
// under Wine, and a list box gets two messages for every item the list is filled with.
WNDPROC listBoxClassProc = nullptr;
WNDPROC groupBoxClassProc = nullptr;

LRESULT CALLBACK ListBoxProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = ::CallWindowProcA(listBoxClassProc, list, message, wParam, lParam);
    if (message == WM_RBUTTONUP) {
        ::SendMessageA(::GetParent(list), WM_COMMAND,
                       MakeCommand(::GetDlgCtrlID(list), kLbnRightButtonUp),
                       reinterpret_cast<LPARAM>(list));
    }
    return result;
}

LRESULT CALLBACK GroupBoxProc(HWND group, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT inside;
        ::GetClientRect(group, &inside);
        ::FillRect(reinterpret_cast<HDC>(wParam), &inside, ::GetSysColorBrush(COLOR_BTNFACE));
        return TRUE;
    }
    return ::CallWindowProcA(groupBoxClassProc, group, message, wParam, lParam);
}

void Subclass(HWND control, WNDPROC procedure, WNDPROC& classProcedure) {
    auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    if (previous != procedure) {
        classProcedure = previous;
    }
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* data = reinterpret_cast<FormData*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (data == nullptr) {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_CTLCOLORSTATIC) {
        const ControlLayout* control =
            FindControl(*data->layout, ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
        if (control != nullptr && control->kind == ControlKind::Label) {
            // A label draws its text over whatever lies beneath it (a group box's caption
            // included), with no background of its own.
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, control->textColour);
            ::SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        }
    }
    if (message == WM_DESTROY && data->owner != nullptr) {
        ::EnableWindow(data->owner, TRUE);
    }
    LRESULT result = data->procedure(FromHwnd(window), message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        delete data;
    }
    return result;
}

void RegisterFormClass() {
    static bool registered = false;
    if (registered) {
        return;
    }
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = FormProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hIcon = ::LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(1));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFormClass;
    registered = ::RegisterClassExA(&windowClass) != 0;
}

}  // namespace

WindowHandle CreateForm(const FormLayout& form, int left, int top, WindowHandle owner,
                        WindowProc procedure) {
    RegisterFormClass();
    auto* data = new FormData{&form, procedure, ToHwnd(owner)};
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HWND window =
        ::CreateWindowExA(form.exStyle, kFormClass, form.title, form.style, left, top, form.width,
                          form.height, ToHwnd(owner), nullptr, instance, data);
    if (window == nullptr) {
        delete data;
        return nullptr;
    }
    HGDIOBJ font = ::GetStockObject(DEFAULT_GUI_FONT);
    ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (std::size_t i = 0; i < form.controlCount; ++i) {
        const ControlLayout& control = form.controls[i];
        win32::ControlClass controlClass = win32::ClassOf(control.kind);
        ClientRect place = PlaceInClient(form, control);
        HWND child = ::CreateWindowExA(
            control.exStyle | controlClass.exStyle, controlClass.name, control.text,
            WS_CHILD | WS_VISIBLE | controlClass.style | control.style, place.left, place.top,
            place.width, place.height, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
        if (child == nullptr) {
            continue;
        }
        ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (control.kind == ControlKind::ListBox) {
            Subclass(child, ListBoxProc, listBoxClassProc);
        } else if (control.kind == ControlKind::GroupBox) {
            Subclass(child, GroupBoxProc, groupBoxClassProc);
        }
    }
    return FromHwnd(window);
}

WindowHandle GetControl(WindowHandle form, int id) {
    return FromHwnd(::GetDlgItem(ToHwnd(form), id));
}

void ShowForm(WindowHandle form) {
    HWND window = ToHwnd(form);
    HWND owner = ::GetWindow(window, GW_OWNER);
    if (owner != nullptr) {
        ::EnableWindow(owner, FALSE);
    }
    ::ShowWindow(window, SW_SHOW);
    ::UpdateWindow(window);
}

void RunModalForm(WindowHandle form) {
    HWND window = ToHwnd(form);
    ShowForm(form);
    MSG message = {};
    while (::IsWindow(window)) {
        BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                // The quit message belongs to the outer loop.
                ::PostQuitMessage(static_cast<int>(message.wParam));
            }
            break;
        }
        win32::Dispatch(message);
    }
}

void InvalidateWindow(WindowHandle window) {
    ::InvalidateRect(ToHwnd(window), nullptr, TRUE);
}

bool SetWindowTextA(WindowHandle window, const char* text) {
    return ::SetWindowTextA(ToHwnd(window), text) != FALSE;
}

int GetWindowTextA(WindowHandle window, char* buffer, int size) {
    return ::GetWindowTextA(ToHwnd(window), buffer, size);
}

int GetWindowTextLengthA(WindowHandle window) {
    return ::GetWindowTextLengthA(ToHwnd(window));
}

bool DestroyWindow(WindowHandle window) {
    return ::DestroyWindow(ToHwnd(window)) != FALSE;
}

bool IsWindow(WindowHandle window) {
    return ::IsWindow(ToHwnd(window)) != FALSE;
}

LResult SendMessageA(WindowHandle window, MessageId message, WParam wParam, LParam lParam) {
    return ::SendMessageA(ToHwnd(window), message, wParam, lParam);
}

LResult DefWindowProcA(WindowHandle window, MessageId message, WParam wParam, LParam lParam) {
    return ::DefWindowProcA(ToHwnd(window), message, wParam, lParam);
}

WindowProc SubclassWindow(WindowHandle window, WindowProc procedure) {
    return reinterpret_cast<WindowProc>(
        ::SetWindowLongPtrA(ToHwnd(window), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

LResult CallWindowProcA(WindowProc procedure, WindowHandle window, MessageId message, WParam wParam,
                        LParam lParam) {
    return ::CallWindowProcA(reinterpret_cast<WNDPROC>(procedure), ToHwnd(window), message, wParam,
                             lParam);
}

void DragAcceptFiles(WindowHandle window, bool accept) {
    ::DragAcceptFiles(ToHwnd(window), accept ? TRUE : FALSE);
}

bool ChangeWindowMessageFilter(MessageId message, std::uint32_t flag) {
    using Filter = BOOL(WINAPI*)(UINT, DWORD);
    HMODULE user32 = ::GetModuleHandleA("user32.dll");
    auto filter = user32 != nullptr ? reinterpret_cast<Filter>(reinterpret_cast<void (*)()>(
                                          ::GetProcAddress(user32, "ChangeWindowMessageFilter")))
                                    : nullptr;
    return filter != nullptr && filter(message, flag) != FALSE;
}

int GetSystemMetrics(int index) {
    return ::GetSystemMetrics(index);
}

int MessageBoxA(WindowHandle owner, const char* text, const char* caption, std::uint32_t flags) {
    return ::MessageBoxA(ToHwnd(owner), text, caption, flags);
}

void PostQuitMessage(int exitCode) {
    ::PostQuitMessage(exitCode);
}

int RunMessageLoop() {
    MSG message = {};
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        win32::Dispatch(message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace platform
