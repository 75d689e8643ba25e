#include "bench/BenchProcess.h"

#include <windows.h>
// after windows.h, whose types it uses
#include <psapi.h>

#include <cstdio>

#include "bench/BenchTable.h"
#include "tests/wine/support/ProgramDriver.h"

namespace bench {
namespace {

constexpr DWORD kPaintTimeoutMs = 60000;
constexpr DWORD kAnswerTimeoutMs = 30000;
constexpr DWORD kEndTimeoutMs = 30000;

std::string FolderOf(const std::string& path) {
    std::size_t last = path.find_last_of('\\');
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

}  // namespace

StartResult StartUntilPainted(const std::string& exe, const std::string& title) {
    StartResult result;
    std::string folder = FolderOf(exe);
    driver::Program program;

    double start = NowMs();
    if (!program.Start(exe, folder.empty() ? nullptr : folder.c_str())) {
        std::fprintf(stderr, "bench: cannot start %s (%lu)\n", exe.c_str(), ::GetLastError());
        return result;
    }
    // Looked for every millisecond.
    HWND window = driver::WaitForTopLevel(program, nullptr, title.c_str(), kPaintTimeoutMs, 1);
    if (window != nullptr && driver::AwaitMessageLoop(window, kAnswerTimeoutMs, SMTO_NORMAL)) {
        result.paintedMs = NowMs() - start;
        result.painted = true;
    } else {
        std::fprintf(stderr, "bench: no painted window \"%s\" from %s\n", title.c_str(),
                     exe.c_str());
    }
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (::GetProcessMemoryInfo(program.Handle(), &counters, sizeof counters)) {
        result.peakWorkingSet = counters.PeakWorkingSetSize;
    }
    program.End(kEndTimeoutMs, 0);
    return result;
}

}  // namespace bench
