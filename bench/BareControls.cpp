#include "bench/BareControls.h"

#include <string>
#include <vector>

#include "bench/BenchRegistry.h"
#include "platform/win32/ControlClass.h"
#include "ui/MainWindow.h"

namespace bench {

void MakeBareControls(HWND window) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HGDIOBJ font = ::GetStockObject(DEFAULT_GUI_FONT);
    HWND list = nullptr;
    for (std::size_t i = 0; i < kMainWindowLayout.controlCount; ++i) {
        const platform::ControlLayout& control = kMainWindowLayout.controls[i];
        platform::win32::ControlClass controlClass = platform::win32::ClassOf(control.kind);
        platform::ClientRect place = platform::PlaceInClient(kMainWindowLayout, control);
        HWND child = ::CreateWindowExA(
            control.exStyle | controlClass.exStyle, controlClass.name, control.text,
            WS_CHILD | WS_VISIBLE | controlClass.style | control.style, place.left, place.top,
            place.width, place.height, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
        ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (control.kind == platform::ControlKind::ListBox) {
            list = child;
        }
    }
    HKEY shell = list != nullptr ? OpenMachineKey(kShellSub) : nullptr;
    if (shell == nullptr) {
        return;
    }
    std::vector<std::string> names;
    EnumerateNames(shell, names);
    ::RegCloseKey(shell);
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (std::size_t i = 0; i < names.size(); ++i) {
        LRESULT item =
            ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i].c_str()));
        ::SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(i + 1));
    }
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

}  // namespace bench
