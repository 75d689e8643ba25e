#include "bench/BareControls.h"

#include "bench/BenchRegistry.h"
#include "ui/MainWindow.h"

namespace bench {
namespace {

using platform::ClientRect;
using platform::ControlKind;
using platform::ControlLayout;
using platform::PlaceInClient;

const char* ClassName(ControlKind kind, DWORD& style, DWORD& exStyle) {
    switch (kind) {
        case ControlKind::GroupBox:
            style = BS_GROUPBOX | WS_CLIPSIBLINGS;
            return "BUTTON";
        case ControlKind::Label:
            exStyle = WS_EX_TRANSPARENT;
            return "STATIC";
        case ControlKind::ListBox:
            return "LISTBOX";
        case ControlKind::PushButton:
            return "BUTTON";
        case ControlKind::RadioButton:
            style = BS_AUTORADIOBUTTON;
            return "BUTTON";
        case ControlKind::EditBox:
            style = ES_AUTOHSCROLL;
            return "EDIT";
    }
    return "STATIC";
}

}  // namespace

void MakeBareControls(HWND window) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HGDIOBJ font = ::GetStockObject(DEFAULT_GUI_FONT);
    HWND list = nullptr;
    for (std::size_t i = 0; i < kMainWindowLayout.controlCount; ++i) {
        const ControlLayout& control = kMainWindowLayout.controls[i];
        DWORD style = 0;
        DWORD exStyle = 0;
        const char* className = ClassName(control.kind, style, exStyle);
        ClientRect place = PlaceInClient(kMainWindowLayout, control);
        HWND child = ::CreateWindowExA(control.exStyle | exStyle, className, control.text,
                                       WS_CHILD | WS_VISIBLE | style | control.style, place.left,
                                       place.top, place.width, place.height, window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                       instance, nullptr);
        ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (control.kind == ControlKind::ListBox) {
            list = child;
        }
    }
    HKEY shell = nullptr;
    if (list == nullptr ||
        ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, bench::kShellSub, 0, KEY_READ, &shell) != 0) {
        return;
    }
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    char name[513];
    for (DWORD index = 0; ::RegEnumKeyA(shell, index, name, sizeof name) == 0; ++index) {
        LRESULT item = ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        ::SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(item), index + 1);
    }
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
    ::RegCloseKey(shell);
}

}  // namespace bench
