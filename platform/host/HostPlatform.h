// What tests can set and read of the host stand-ins of windows, message boxes, the message
// loop and the process.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Process.h"
#include "platform/Shell.h"
#include "platform/Window.h"

namespace platform::host {

// Resets the registry (ResetRegistry) and every stand-in below to a fresh process: an
// elevated token on Windows 6.1, a 1280 x 1024 screen, the program at
// C:\Tools\Ventrix.exe, no windows, no recorded calls.
void ResetPlatform();

// ---- Windows

struct WindowInfo {
    std::string className;  // "VentrixForm", "BUTTON", "STATIC", "LISTBOX", "EDIT"
    std::string text;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int left = 0;  // top-level windows: screen coordinates; controls: the form's client area
    int top = 0;
    int width = 0;
    int height = 0;
    int id = 0;
    WindowHandle parent = nullptr;
    WindowHandle owner = nullptr;
    bool visible = false;
    bool enabled = true;
    bool acceptsFiles = false;
    bool defaultGuiFont = false;
    std::uint32_t textColour = 0;
    WindowProc procedure = nullptr;
    bool redraw = true;     // WM_SETREDRAW
    int redrawnAdds = 0;    // list items added while redrawing was on
    int invalidations = 0;  // InvalidateWindow calls
};

// Live top-level windows, in creation order.
std::vector<WindowHandle> TopLevelWindows();
std::optional<WindowInfo> Describe(WindowHandle window);
// A list box's items: text and item value.
std::vector<std::pair<std::string, LParam>> ListItems(WindowHandle list);
// The list box item height the platform starts with.
constexpr int kDefaultItemHeight = 13;
void SetScreenSize(int width, int height);

// What the platform delivers when the user acts on a form's control: a click on a button, a
// double-click on a label or list, a right-button release over a list, the Esc key, the
// close box. Each goes to the window's current procedure, as on Windows.
void Click(WindowHandle form, int controlId);
void DoubleClick(WindowHandle form, int controlId);
void RightButtonUp(WindowHandle form, int controlId);
void PressEscape(WindowHandle form);
void PressCloseBox(WindowHandle form);

// The message loop runs `step` whenever no message is waiting, as if the user acted then; a
// loop with nothing left to run ends with kLoopStarved instead of waiting for ever.
void SetUserSteps(std::vector<std::function<void()>> steps);
constexpr int kLoopStarved = -9999;
void PostMessage(WindowHandle window, MessageId message, WParam wParam, LParam lParam);

struct MessageBoxCall {
    WindowHandle owner;
    std::string text;
    std::string caption;
    std::uint32_t flags;
};
std::vector<MessageBoxCall> MessageBoxes();
// The answers the next message boxes give, first first; IDOK once they run out.
void AnswerMessageBoxes(std::vector<int> answers);
// What a message box does while it is up (a handler of the test).
void SetMessageBoxHook(std::function<void(const MessageBoxCall&)> hook);

// ChangeWindowMessageFilter calls, and whether the function exists.
std::vector<std::pair<MessageId, std::uint32_t>> MessageFilterCalls();
void SetMessageFilterAvailable(bool available);

// ---- The process

void SetModuleFileName(const std::string& path);
void SetCommandLine(const std::string& commandLine);
std::string CurrentDirectory();
void SetVersion(std::uint32_t version);

struct TokenAnswer {
    bool opens = true;
    std::uint32_t elevation = 1;
    std::uint32_t returnedLength = 4;
};
void SetToken(TokenAnswer answer);
// Process, thread and token handles open.
std::size_t OpenProcessHandleCount();

// ---- Files and started processes

// Writes a file, stamped with the clock's time.
void WriteFile(const std::string& path, const std::string& bytes);
void RemoveFile(const std::string& path);
std::optional<std::string> FileBytes(const std::string& path);
// Moves the clock of GetSystemTimeAsFileTime and of file stamps on (100 ns ticks).
void AdvanceClock(std::uint64_t ticks);
void SetWindowsDirectory(const std::string& directory);

struct ProcessCall {
    std::string application;
    std::string commandLine;
};
std::vector<ProcessCall> StartedProcesses();
// What a started process does, run before CreateProcessA returns (it has ended when waited
// for); its answer false means it could not be started. Without a runner nothing starts.
void SetProcessRunner(std::function<bool(const ProcessCall&)> runner);

struct ShellExecuteCall {
    std::uint32_t mask;
    std::string verb;
    std::string file;
    std::optional<std::string> parameters;
    std::optional<std::string> directory;
    int show;
};
std::vector<ShellExecuteCall> ShellExecutes();
void SetShellExecuteResult(bool succeeds);

int OleInitializeCount();
int OleUninitializeCount();

// Runs `program` as the process would run: an ExitProcess inside it ends the run. Returns the
// exit code, from ExitProcess or from `program`'s return.
struct ProcessEnd {
    int exitCode;
    bool byExitProcess;
};
ProcessEnd RunProcess(const std::function<int()>& program);

}  // namespace platform::host

namespace platform::host {

// ---- Controls the user types into or picks from

// Sets an edit box's text as typing would.
void TypeText(WindowHandle form, int controlId, const std::string& text);
// Selects a list item as a click would, and the list reports the change.
void SelectItem(WindowHandle form, int controlId, int index);
// Whether a radio button or check box is checked.
bool IsChecked(WindowHandle form, int controlId);
// True when a modal form was still open after the user steps ran out (it was closed then).
bool ModalStarved();

// ---- Files, drops, shortcuts and the open-file dialog

// A drop of these names, as WM_DROPFILES would bring it; DragFinish releases it.
DropHandle MakeDrop(const std::vector<std::string>& names);
std::size_t OpenDropCount();

// Shortcut files and their targets (an empty target: a link to no file-system object).
void AddShortcut(const std::string& path, const std::string& target);
void SetShellLinkAvailable(bool available);
std::size_t OpenShellLinkCount();

// What the next open-file dialogs answer: a path, or nothing for Cancel.
void AnswerOpenFileDialogs(std::vector<std::optional<std::string>> answers);
struct OpenFileCall {
    std::string filter;  // with its zero separators, up to the closing empty text
    std::string initialFile;
    std::uint32_t filterIndex;
    std::uint32_t flags;
    std::uint32_t fileSize;
};
std::vector<OpenFileCall> OpenFileDialogs();

// A file's version information, as the block GetFileVersionInfoA would give.
void AddVersionInfo(const std::string& path, const std::string& block);
// Builds a version information block in the platform's layout: a string table per name
// (such as "080404b0") with its texts, and the translation table when `translations` is not
// empty (each entry: language id, code page).
struct StringTable {
    std::string name;
    std::vector<std::pair<std::string, std::string>> texts;  // key, text (code page 936)
};
std::string BuildVersionBlock(
    const std::vector<std::pair<std::uint16_t, std::uint16_t>>& translations,
    const std::vector<StringTable>& tables);

// ---- Privileges

struct PrivilegeCall {
    bool tokenOpen;
    std::uint32_t lowPart;
    std::int32_t highPart;
    std::uint32_t attributes;
};
std::vector<PrivilegeCall> PrivilegeAdjustments();
void SetWindowsNt(bool nt);

}  // namespace platform::host
