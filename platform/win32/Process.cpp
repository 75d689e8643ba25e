// The process seam over kernel32, advapi32, ole32 and shell32.
#include "platform/Process.h"

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

namespace platform {

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "the 32-bit SHELLEXECUTEINFOA is 60 bytes");
#endif

std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) {
    return ::GetModuleFileNameA(nullptr, buffer, size);
}

bool SetCurrentDirectoryA(const char* path) { return ::SetCurrentDirectoryA(path) != FALSE; }

std::string GetCommandLineA() {
    const char* line = ::GetCommandLineA();
    return line != nullptr ? std::string(line) : std::string();
}

bool OleInitialize() { return SUCCEEDED(::OleInitialize(nullptr)); }

void OleUninitialize() { ::OleUninitialize(); }

std::uint32_t GetVersion() {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return ::GetVersion();
#pragma GCC diagnostic pop
}

bool OpenProcessToken(std::uint32_t access, ProcessHandle* token) {
    HANDLE opened = nullptr;
    BOOL ok = ::OpenProcessToken(::GetCurrentProcess(), access, &opened);
    *token = ok ? opened : nullptr;
    return ok != FALSE;
}

bool GetTokenInformation(ProcessHandle token, int informationClass, void* buffer,
                         std::uint32_t length, std::uint32_t* returnedLength) {
    DWORD returned = 0;
    BOOL ok = ::GetTokenInformation(token, static_cast<TOKEN_INFORMATION_CLASS>(informationClass),
                                    buffer, length, &returned);
    *returnedLength = returned;
    return ok != FALSE;
}

bool CloseHandle(ProcessHandle handle) { return ::CloseHandle(handle) != FALSE; }

bool IsWindowsNt() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return ::GetVersionExA(&version) != FALSE && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
}

bool LookupPrivilegeValueA(const char* name, std::uint32_t* lowPart, std::int32_t* highPart) {
    LUID luid = {};
    BOOL ok = ::LookupPrivilegeValueA(nullptr, name, &luid);
    *lowPart = luid.LowPart;
    *highPart = luid.HighPart;
    return ok != FALSE;
}

int AdjustTokenPrivileges(ProcessHandle token, std::uint32_t lowPart, std::int32_t highPart,
                          std::uint32_t attributes) {
    TOKEN_PRIVILEGES wanted = {};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Luid.LowPart = lowPart;
    wanted.Privileges[0].Luid.HighPart = highPart;
    wanted.Privileges[0].Attributes = attributes;
    TOKEN_PRIVILEGES previous = {};
    DWORD returned = 0;
    return ::AdjustTokenPrivileges(token, FALSE, &wanted, sizeof previous, &previous, &returned);
}

bool ShellExecuteExA(const ShellExecuteRecord& record) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = record.mask;
    info.hwnd = nullptr;
    info.lpVerb = record.verb;
    info.lpFile = record.file;
    info.lpParameters = record.parameters;
    info.lpDirectory = record.directory;
    info.nShow = record.show;
    return ::ShellExecuteExA(&info) != FALSE;
}

void ExitProcess(std::uint32_t exitCode) { ::ExitProcess(exitCode); }

}  // namespace platform
