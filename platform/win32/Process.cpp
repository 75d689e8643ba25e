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

bool SetCurrentDirectoryA(const char* path) {
    return ::SetCurrentDirectoryA(path) != FALSE;
}

std::string GetCommandLineA() {
    const char* line = ::GetCommandLineA();
    return line != nullptr ? std::string(line) : std::string();
}

bool OleInitialize() {
    return SUCCEEDED(::OleInitialize(nullptr));
}

void OleUninitialize() {
    ::OleUninitialize();
}

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

bool CloseHandle(ProcessHandle handle) {
    return ::CloseHandle(handle) != FALSE;
}

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

bool CreateProcessA(const char* application, const std::string& commandLine,
                    StartedProcess* started) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION information = {};
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::string line = commandLine;
    if (!::CreateProcessA(application, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &information)) {
        return false;
    }
    started->process = information.hProcess;
    started->thread = information.hThread;
    return true;
}

void WaitForSingleObject(ProcessHandle handle) {
    ::WaitForSingleObject(handle, INFINITE);
}

std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t size) {
    return ::GetWindowsDirectoryA(buffer, size);
}

bool GetFileInfo(const char* path, FileInfo* info) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    info->size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    info->lastWrite = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
    return true;
}

bool ReadWholeFile(const char* path, std::string& bytes) {
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bytes.clear();
    char chunk[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ::ReadFile(file, chunk, sizeof chunk, &got, nullptr) != FALSE) && got > 0) {
        bytes.append(chunk, got);
    }
    ::CloseHandle(file);
    return ok;
}

std::uint64_t GetSystemTimeAsFileTime() {
    FILETIME now = {};
    ::GetSystemTimeAsFileTime(&now);
    return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

void ExitProcess(std::uint32_t exitCode) {
    ::ExitProcess(exitCode);
}

}  // namespace platform
