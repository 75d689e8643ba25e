// The host stand-in of the process: module name, command line, current directory, version,
// token, shell and COM as the test sets them; ExitProcess ends the run that RunProcess began.
#include <cstring>

#include "platform/Process.h"
#include "platform/host/HostControl.h"
#include "platform/host/HostPlatform.h"
#include "platform/host/Resets.h"

namespace platform {
namespace host {
namespace {

struct ProcessState {
    std::string modulePath = "C:\\Tools\\Ventrix.exe";
    std::string commandLine = "\"C:\\Tools\\Ventrix.exe\"";
    std::string currentDirectory = "C:\\Windows\\system32";
    std::uint32_t version = 0x1DB10106;  // Windows 6.1, build 7601
    TokenAnswer token;
    std::size_t openHandles = 0;
    std::vector<ShellExecuteCall> shellCalls;
    bool shellSucceeds = true;
    int oleInitialized = 0;
    int oleUninitialized = 0;
    bool windowsNt = true;
    std::vector<PrivilegeCall> privilegeCalls;
};

ProcessState& Process() {
    static ProcessState state;
    return state;
}

// What ExitProcess throws to end the run that RunProcess began.
struct ExitSignal {
    std::uint32_t exitCode;
};

// Process handles are these addresses.
char tokenHandle;

}  // namespace

void ResetPlatform() {
    ResetRegistry();
    ResetWindows();
    ResetShell();
    ResetVersions();
    Process() = ProcessState();
}

std::vector<PrivilegeCall> PrivilegeAdjustments() { return Process().privilegeCalls; }
void SetWindowsNt(bool nt) { Process().windowsNt = nt; }

void SetModuleFileName(const std::string& path) { Process().modulePath = path; }
void SetCommandLine(const std::string& commandLine) { Process().commandLine = commandLine; }
std::string CurrentDirectory() { return Process().currentDirectory; }
void SetVersion(std::uint32_t version) { Process().version = version; }
void SetToken(TokenAnswer answer) { Process().token = answer; }
std::size_t OpenProcessHandleCount() { return Process().openHandles; }
std::vector<ShellExecuteCall> ShellExecutes() { return Process().shellCalls; }
void SetShellExecuteResult(bool succeeds) { Process().shellSucceeds = succeeds; }
int OleInitializeCount() { return Process().oleInitialized; }
int OleUninitializeCount() { return Process().oleUninitialized; }

ProcessEnd RunProcess(const std::function<int()>& program) {
    try {
        return ProcessEnd{program(), false};
    } catch (const ExitSignal& signal) {
        return ProcessEnd{static_cast<int>(signal.exitCode), true};
    }
}

}  // namespace host

using host::Process;

std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) {
    const std::string& path = Process().modulePath;
    if (size == 0) {
        return 0;
    }
    // As on Windows, a name too long is cut to fit with its terminating zero.
    std::size_t length = path.size() < size ? path.size() : size - 1;
    std::memcpy(buffer, path.data(), length);
    buffer[length] = '\0';
    return static_cast<std::uint32_t>(length);
}

bool SetCurrentDirectoryA(const char* path) {
    Process().currentDirectory = path;
    return true;
}

std::string GetCommandLineA() { return Process().commandLine; }

bool OleInitialize() {
    ++Process().oleInitialized;
    return true;
}

void OleUninitialize() { ++Process().oleUninitialized; }

std::uint32_t GetVersion() { return Process().version; }

bool OpenProcessToken(std::uint32_t access, ProcessHandle* token) {
    if (!Process().token.opens || (access & (kTokenQuery | kTokenAdjustPrivileges)) == 0) {
        *token = nullptr;
        return false;
    }
    ++Process().openHandles;
    *token = &host::tokenHandle;
    return true;
}

bool GetTokenInformation(ProcessHandle token, int informationClass, void* buffer,
                         std::uint32_t length, std::uint32_t* returnedLength) {
    if (token != &host::tokenHandle || informationClass != kTokenElevation) {
        *returnedLength = 0;
        return false;
    }
    const host::TokenAnswer& answer = Process().token;
    *returnedLength = answer.returnedLength;
    if (length < sizeof answer.elevation) {
        return false;
    }
    std::memcpy(buffer, &answer.elevation, sizeof answer.elevation);
    return answer.returnedLength == sizeof answer.elevation;
}

bool CloseHandle(ProcessHandle handle) {
    if (handle != &host::tokenHandle || Process().openHandles == 0) {
        return false;
    }
    --Process().openHandles;
    return true;
}

bool IsWindowsNt() { return Process().windowsNt; }

bool LookupPrivilegeValueA(const char* name, std::uint32_t* lowPart, std::int32_t* highPart) {
    // The privileges the system names, with the values Windows gives them.
    bool known = name != nullptr && std::strcmp(name, "SeDebugPrivilege") == 0;
    *lowPart = known ? 20 : 0;
    *highPart = 0;
    return known;
}

int AdjustTokenPrivileges(ProcessHandle token, std::uint32_t lowPart, std::int32_t highPart,
                          std::uint32_t attributes) {
    bool open = token == &host::tokenHandle && Process().openHandles > 0;
    Process().privilegeCalls.push_back(host::PrivilegeCall{open, lowPart, highPart, attributes});
    return open && lowPart != 0 ? 1 : 0;
}

bool ShellExecuteExA(const ShellExecuteRecord& record) {
    auto text = [](const char* value) {
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    };
    Process().shellCalls.push_back(host::ShellExecuteCall{
        record.mask, record.verb != nullptr ? record.verb : "", record.file != nullptr ? record.file : "",
        text(record.parameters), text(record.directory), record.show});
    return Process().shellSucceeds;
}

void ExitProcess(std::uint32_t exitCode) { throw host::ExitSignal{exitCode}; }

}  // namespace platform
