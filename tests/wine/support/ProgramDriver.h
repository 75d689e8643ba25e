// Driving a GUI program (Ventrix.exe) from another process under Wine: starting it and waiting
// for its windows, finding and answering its message boxes, reading its controls and list items
// across processes, the registry below HKEY_LOCAL_MACHINE, and a picture of a window. Plain
// functions over user32, gdi32 and advapi32; the checks stay with the callers.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace driver {

// How long a wait for a window or a change lasts unless a caller says otherwise.
inline constexpr DWORD kWaitMs = 10000;

// The class of a message box, and the id of its text.
inline constexpr char kMessageBoxClass[] = "#32770";
inline constexpr int kMessageTextId = 0xFFFF;

// --- Texts and paths ---

// A path the Windows side can open: a Unix path (as CMake and the shell hand them over under
// Wine) is reached through drive Z:, which Wine maps to "/".
std::string WindowsPath(std::string path);

// Code page 936 text to UTF-16 and back.
std::wstring Wide(const std::string& text);
std::string Narrow(const wchar_t* wide, int length);
std::string Narrow(const std::wstring& wide);

// Polls `condition` every `pollMs` until it holds or `timeoutMs` have passed; tells whether it
// held.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kWaitMs, DWORD pollMs = 20) {
    DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start >= timeoutMs) {
            return false;
        }
        ::Sleep(pollMs);
    }
    return true;
}

// --- The program's process ---

// Owner of one started program: a program still running when the owner goes is ended, and its
// handles are closed.
class Program {
  public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program() { End(); }

    // Starts `exe` (a Windows path) with its quoted path as the command line, in `folder` when
    // one is given. False, with the error left for GetLastError, when it did not start.
    bool Start(const std::string& exe, const char* folder = nullptr);

    // Ends the program with `exitCode` if it still runs and waits up to `timeoutMs` for it to
    // go; then closes its handles. Nothing when no program is held.
    void End(DWORD timeoutMs = kWaitMs, UINT exitCode = 1);

    bool Running() const { return Wait(0) == WAIT_TIMEOUT; }
    // WaitForSingleObject's answer for the process.
    DWORD Wait(DWORD timeoutMs) const { return ::WaitForSingleObject(info_.hProcess, timeoutMs); }
    bool ExitCode(DWORD* code) const { return ::GetExitCodeProcess(info_.hProcess, code) != 0; }

    HANDLE Handle() const { return info_.hProcess; }
    DWORD Id() const { return info_.dwProcessId; }
    DWORD ThreadId() const { return info_.dwThreadId; }

  private:
    PROCESS_INFORMATION info_ = {};
};

// --- Windows of another process ---

// The window's title, read as UTF-16 and given in code page 936.
std::string WindowText(HWND window);

// A visible top-level window of the process with the class `className` and the title `title`
// (null: any); null when there is none.
HWND FindTopLevel(DWORD processId, const char* className, const char* title);

// Looks for that window of `program` every `pollMs` (a pause that ends early when the program
// does) until it shows, the program has ended or `timeoutMs` have passed; null if it did not
// show.
HWND WaitForTopLevel(const Program& program, const char* className, const char* title,
                     DWORD timeoutMs = kWaitMs, DWORD pollMs = 20);

// Sends WM_NULL and waits for the answer, which comes once the window's thread is back in its
// message loop; false when none came within `timeoutMs`.
bool AwaitMessageLoop(HWND window, DWORD timeoutMs = 5000, UINT flags = SMTO_ABORTIFHUNG);

// Clicks button `id` of `parent` as the mouse would. Posted: the click may open a message box
// that does not return at once.
void Click(HWND parent, int id);

// The text of a list item of another process. The wide message is used because Wine hands
// back UTF-16 for the 8-bit one across processes.
std::string ListItemText(HWND list, int index);

// Every item's text, in the list's order.
std::vector<std::string> ListTexts(HWND list);

// --- Message boxes ---

// A message box of the program, as the user sees it.
struct Box {
    HWND dialog = nullptr;
    std::string caption;
    std::string text;
};

// The text of a message box (the 8-bit message is answered in code page 936).
std::string BoxText(HWND dialog);

// The program's message box once it shows, looked for every `pollMs`, read once its text is
// in; an empty Box when none showed within `timeoutMs` or the program ended first.
Box AwaitBox(const Program& program, DWORD timeoutMs = kWaitMs, DWORD pollMs = 20);

// --- The registry ---

// Owner of one open key, closed when the owner goes.
class Key {
  public:
    Key() = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() { Close(); }

    // RegOpenKeyExA / RegCreateKeyExA (every missing level is made); their error code.
    LONG Open(const std::string& sub, REGSAM access = KEY_READ, HKEY root = HKEY_LOCAL_MACHINE);
    LONG Create(const std::string& sub, HKEY root = HKEY_LOCAL_MACHINE);

    HKEY Get() const { return key_; }

  private:
    void Close();

    HKEY key_ = nullptr;
};

bool KeyExists(const std::string& sub, HKEY root = HKEY_LOCAL_MACHINE);

// The names of the key's direct subkeys in enumeration order; none when it does not open.
// When it opens, `end` (if given) receives the code that ended the enumeration:
// ERROR_NO_MORE_ITEMS once every name is read.
std::vector<std::string> Subkeys(const std::string& sub, HKEY root = HKEY_LOCAL_MACHINE,
                                 LONG* end = nullptr);

// Sets the REG_SZ value `name` (null or "": the default value) of an open key.
LONG SetText(const Key& key, const char* name, const std::string& text);

// --- The picture of a window ---

// The window as on the screen, as rows of 24-bit pixels from the bottom up (the BMP order).
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<BYTE> bits;

    int Stride() const { return (width * 3 + 3) & ~3; }
    COLORREF At(int x, int y) const {
        const BYTE* pixel = &bits[static_cast<std::size_t>((height - 1 - y) * Stride() + x * 3)];
        return RGB(pixel[2], pixel[1], pixel[0]);
    }
};

// No bits when the screen could not be read.
Picture CaptureWindow(HWND window);

// Writes the picture as a 24-bit BMP file.
bool SaveBitmap(const Picture& picture, const std::string& path);

}  // namespace driver
