// The host stand-in of the process: module name, command line, current directory, version,
// token, shell and COM as the test sets them; ExitProcess ends the run that RunProcess began.
#include <cstring>
#include <map>
#include <set>

#include "platform/Process.h"
#include "platform/host/CodePage.h"
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
    std::set<std::uintptr_t> openHandles;
    std::uintptr_t nextHandle = 0x7000;
    std::set<std::uintptr_t> tokens;
    std::string windowsDirectory = "C:\\windows";
    std::uint64_t clock = 133000000000000000ULL;  // a FILETIME in 2022
    struct File {
        std::string bytes;
        std::uint64_t lastWrite;
    };
    std::map<std::u16string, File> files;  // keyed by the folded path
    std::vector<ProcessCall> processCalls;
    std::function<bool(const ProcessCall&)> processRunner;
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

ProcessHandle NewHandle() {
    std::uintptr_t value = Process().nextHandle;
    Process().nextHandle += 8;
    Process().openHandles.insert(value);
    return reinterpret_cast<ProcessHandle>(value);
}

bool IsOpen(ProcessHandle handle) {
    return Process().openHandles.count(reinterpret_cast<std::uintptr_t>(handle)) != 0;
}

bool IsToken(ProcessHandle handle) {
    return IsOpen(handle) && Process().tokens.count(reinterpret_cast<std::uintptr_t>(handle)) != 0;
}

}  // namespace

void ResetPlatform() {
    ResetRegistry();
    ResetWindows();
    ResetShell();
    ResetVersions();
    Process() = ProcessState();
}

std::vector<PrivilegeCall> PrivilegeAdjustments() {
    return Process().privilegeCalls;
}
void SetWindowsNt(bool nt) {
    Process().windowsNt = nt;
}

void SetModuleFileName(const std::string& path) {
    Process().modulePath = path;
}
void SetCommandLine(const std::string& commandLine) {
    Process().commandLine = commandLine;
}
std::string CurrentDirectory() {
    return Process().currentDirectory;
}
void SetVersion(std::uint32_t version) {
    Process().version = version;
}
void SetToken(TokenAnswer answer) {
    Process().token = answer;
}
std::size_t OpenProcessHandleCount() {
    return Process().openHandles.size();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    Process().files[FoldedName(path)] = ProcessState::File{bytes, Process().clock};
}
void RemoveFile(const std::string& path) {
    Process().files.erase(FoldedName(path));
}
std::optional<std::string> FileBytes(const std::string& path) {
    auto found = Process().files.find(FoldedName(path));
    return found == Process().files.end() ? std::nullopt
                                          : std::optional<std::string>(found->second.bytes);
}
void AdvanceClock(std::uint64_t ticks) {
    Process().clock += ticks;
}
std::vector<ProcessCall> StartedProcesses() {
    return Process().processCalls;
}
void SetProcessRunner(std::function<bool(const ProcessCall&)> runner) {
    Process().processRunner = std::move(runner);
}
void SetWindowsDirectory(const std::string& directory) {
    Process().windowsDirectory = directory;
}
std::vector<ShellExecuteCall> ShellExecutes() {
    return Process().shellCalls;
}
void SetShellExecuteResult(bool succeeds) {
    Process().shellSucceeds = succeeds;
}
int OleInitializeCount() {
    return Process().oleInitialized;
}
int OleUninitializeCount() {
    return Process().oleUninitialized;
}

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
    return static_cast<std::uint32_t>(host::CopyCut(path, buffer, size));
}

bool SetCurrentDirectoryA(const char* path) {
    Process().currentDirectory = path;
    return true;
}

std::string GetCommandLineA() {
    return Process().commandLine;
}

bool OleInitialize() {
    ++Process().oleInitialized;
    return true;
}

void OleUninitialize() {
    ++Process().oleUninitialized;
}

std::uint32_t GetVersion() {
    return Process().version;
}

bool OpenProcessToken(std::uint32_t access, ProcessHandle* token) {
    if (!Process().token.opens || (access & (kTokenQuery | kTokenAdjustPrivileges)) == 0) {
        *token = nullptr;
        return false;
    }
    *token = host::NewHandle();
    Process().tokens.insert(reinterpret_cast<std::uintptr_t>(*token));
    return true;
}

bool GetTokenInformation(ProcessHandle token, int informationClass, void* buffer,
                         std::uint32_t length, std::uint32_t* returnedLength) {
    if (!host::IsToken(token) || informationClass != kTokenElevation) {
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
    auto value = reinterpret_cast<std::uintptr_t>(handle);
    Process().tokens.erase(value);
    return Process().openHandles.erase(value) != 0;
}

bool IsWindowsNt() {
    return Process().windowsNt;
}

bool LookupPrivilegeValueA(const char* name, std::uint32_t* lowPart, std::int32_t* highPart) {
    // The privileges the system names, with the values Windows gives them.
    bool known = name != nullptr && std::strcmp(name, "SeDebugPrivilege") == 0;
    *lowPart = known ? 20 : 0;
    *highPart = 0;
    return known;
}

int AdjustTokenPrivileges(ProcessHandle token, std::uint32_t lowPart, std::int32_t highPart,
                          std::uint32_t attributes) {
    bool open = host::IsToken(token);
    Process().privilegeCalls.push_back(host::PrivilegeCall{open, lowPart, highPart, attributes});
    return open && lowPart != 0 ? 1 : 0;
}

bool ShellExecuteExA(const ShellExecuteRecord& record) {
    auto text = [](const char* value) {
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    };
    Process().shellCalls.push_back(
        host::ShellExecuteCall{record.mask, record.verb != nullptr ? record.verb : "",
                               record.file != nullptr ? record.file : "", text(record.parameters),
                               text(record.directory), record.show});
    return Process().shellSucceeds;
}

bool CreateProcessA(const char* application, const std::string& commandLine,
                    StartedProcess* started) {
    host::ProcessCall call{application != nullptr ? application : "", commandLine};
    Process().processCalls.push_back(call);
    // By default nothing can be started; a test says what a started process does.
    if (!Process().processRunner || !Process().processRunner(call)) {
        return false;
    }
    started->process = host::NewHandle();
    started->thread = host::NewHandle();
    return true;
}

void WaitForSingleObject(ProcessHandle) {}

std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t size) {
    const std::string& directory = Process().windowsDirectory;
    if (directory.size() + 1 > size) {
        return static_cast<std::uint32_t>(directory.size() + 1);
    }
    std::memcpy(buffer, directory.c_str(), directory.size() + 1);
    return static_cast<std::uint32_t>(directory.size());
}

bool GetFileInfo(const char* path, FileInfo* info) {
    auto found = Process().files.find(host::FoldedName(path));
    if (found == Process().files.end()) {
        return false;
    }
    info->size = found->second.bytes.size();
    info->lastWrite = found->second.lastWrite;
    return true;
}

bool ReadWholeFile(const char* path, std::string& bytes) {
    auto found = Process().files.find(host::FoldedName(path));
    if (found == Process().files.end()) {
        return false;
    }
    bytes = found->second.bytes;
    return true;
}

std::uint64_t GetSystemTimeAsFileTime() {
    return Process().clock;
}

void ExitProcess(std::uint32_t exitCode) {
    throw host::ExitSignal{exitCode};
}

}  // namespace platform
