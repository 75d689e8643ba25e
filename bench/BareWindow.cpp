// The floor of a start: a Win32 program that shows one empty window of the main window's
// size, paints it and waits in its message loop.
//
// Built a second time with BARE_WINDOW_LOADS_PROGRAM_DLLS (and the program's resources,
// manifest included): then it first loads every DLL Ventrix.exe imports and initialises OLE,
// as the program does at start-up, which tells that share of a start apart from the rest.
//
// Built a third time with BARE_WINDOW_MAKES_CONTROLS as well: the window then also gets the
// main window's controls from its layout table (same classes, styles, texts, places and font,
// by bare calls, no procedures of the program's own), and its list box the names of the
// shell key's subkeys, read with RegEnumKeyA and added with redraw off. That is what the
// platform itself needs to show the program's window.
#include <windows.h>

#ifdef BARE_WINDOW_MAKES_CONTROLS
#include "bench/BenchRegistry.h"
#include "ui/MainWindow.h"

using platform::ClientRect;
using platform::ControlKind;
using platform::ControlLayout;
using platform::PlaceInClient;
#endif

namespace {

constexpr char kClassName[] = "BareWindow";
constexpr char kTitle[] = "BareWindow";
constexpr int kWidth = 574;
constexpr int kHeight = 387;

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

#ifdef BARE_WINDOW_LOADS_PROGRAM_DLLS
void LoadProgramDlls() {
    // The DLLs Ventrix.exe imports; comdlg32 it loads only when the file dialog is wanted.
    const char* const dlls[] = {"advapi32.dll", "gdi32.dll",   "ole32.dll",
                                "shell32.dll",  "shlwapi.dll", "version.dll"};
    for (const char* dll : dlls) {
        ::LoadLibraryA(dll);
    }
    using OleInitializeCall = HRESULT(WINAPI*)(void*);
    auto oleInitialize = reinterpret_cast<OleInitializeCall>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("ole32.dll"), "OleInitialize")));
    if (oleInitialize != nullptr) {
        oleInitialize(nullptr);
    }
}
#endif

#ifdef BARE_WINDOW_MAKES_CONTROLS
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

void MakeControls(HWND window, HINSTANCE instance) {
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
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef BARE_WINDOW_LOADS_PROGRAM_DLLS
    LoadProgramDlls();
#endif
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (::RegisterClassA(&windowClass) == 0) {
        return 1;
    }
    int left = (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    int top = (::GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
#ifdef BARE_WINDOW_MAKES_CONTROLS
    const DWORD style = kMainWindowLayout.style;
#else
    const DWORD style = WS_CAPTION | WS_SYSMENU;
#endif
    HWND window = ::CreateWindowExA(0, kClassName, kTitle, style, left, top, kWidth, kHeight,
                                    nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
#ifdef BARE_WINDOW_MAKES_CONTROLS
    MakeControls(window, instance);
#endif
    ::ShowWindow(window, SW_SHOW);
    ::UpdateWindow(window);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
