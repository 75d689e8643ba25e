// The floor of a start: a Win32 program that shows one empty window of the main window's
// size, paints it and waits in its message loop.
//
// Built a second time with BARE_WINDOW_LOADS_PROGRAM_DLLS (and the program's resources,
// manifest included): then it first loads every DLL Ventrix.exe imports and initialises OLE,
// as the program does at start-up, which tells that share of a start apart from the rest.
//
// Built a third time with BARE_WINDOW_MAKES_CONTROLS as well: the window then also has the
// main window's style and gets its controls and listed names by bare calls
// (bench/BareControls.h), which is what the platform itself needs to show the program's
// window.
#include <windows.h>

#ifdef BARE_WINDOW_MAKES_CONTROLS
#include "bench/BareControls.h"
#include "ui/MainWindow.h"
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
    bench::MakeBareControls(window);
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
