// The process half of the platform seam: the module, the current directory, COM, the token
// of the elevation test, the shell's "runas" start and the end of the process.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// GetModuleFileNameA of the program's own module, into a buffer of `size` characters; the
// length copied, 0 on failure.
std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size);
bool SetCurrentDirectoryA(const char* path);
// The process's whole command line.
std::string GetCommandLineA();

bool OleInitialize();
void OleUninitialize();

// GetVersion: the low byte is the major version of Windows, the next byte the minor version.
std::uint32_t GetVersion();

using ProcessHandle = void*;
constexpr std::uint32_t kTokenQuery = 0x0008;
constexpr std::uint32_t kTokenAdjustPrivileges = 0x0020;
constexpr int kTokenElevation = 20;
// OpenProcessToken of the current process.
bool OpenProcessToken(std::uint32_t access, ProcessHandle* token);
bool GetTokenInformation(ProcessHandle token, int informationClass, void* buffer,
                         std::uint32_t length, std::uint32_t* returnedLength);
bool CloseHandle(ProcessHandle handle);

// GetVersionExA: whether the platform is of the Windows NT family.
bool IsWindowsNt();
// LookupPrivilegeValueA on the local system; the LUID's halves, low part first.
bool LookupPrivilegeValueA(const char* name, std::uint32_t* lowPart, std::int32_t* highPart);
constexpr std::uint32_t kSePrivilegeEnabled = 0x00000002;
// AdjustTokenPrivileges with one privilege and a one-entry previous-state buffer; the call's
// result, nonzero for success.
int AdjustTokenPrivileges(ProcessHandle token, std::uint32_t lowPart, std::int32_t highPart,
                          std::uint32_t attributes);

// The fields of SHELLEXECUTEINFOA that the system sets; every other field is zero and the
// record's size is the platform's own.
struct ShellExecuteRecord {
    std::uint32_t mask = 0;
    const char* verb = nullptr;
    const char* file = nullptr;
    const char* parameters = nullptr;
    const char* directory = nullptr;
    int show = 0;
};
constexpr std::uint32_t kSeeMaskNoAsync = 0x00000100;
constexpr int kSwShowDefault = 10;
// ShellExecuteExA with no owner window; true when it reports success.
bool ShellExecuteExA(const ShellExecuteRecord& record);

// CreateProcessA with the application named in full, showing its window normally
// (STARTF_USESHOWWINDOW, SW_SHOWNORMAL), no handle inheritance, creation flags 0, this
// process's environment and current directory. On success both handles belong to the caller.
struct StartedProcess {
    ProcessHandle process = nullptr;
    ProcessHandle thread = nullptr;
};
bool CreateProcessA(const char* application, const std::string& commandLine,
                    StartedProcess* started);
// WaitForSingleObject with no time-out.
void WaitForSingleObject(ProcessHandle handle);
// The Windows folder; its length, 0 on failure.
std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t size);

// Files: size and last write time (FILETIME as one number) of an existing file, and a whole
// file's bytes. GetSystemTimeAsFileTime is the clock the file times are read against.
struct FileInfo {
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;
};
bool GetFileInfo(const char* path, FileInfo* info);
bool ReadWholeFile(const char* path, std::string& bytes);
std::uint64_t GetSystemTimeAsFileTime();

[[noreturn]] void ExitProcess(std::uint32_t exitCode);

}  // namespace platform
