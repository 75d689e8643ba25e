#include "bench/BenchProcess.h"

#include <windows.h>
// after windows.h, whose types it uses
#include <psapi.h>

#include <cstdio>

#include "bench/BenchTable.h"

namespace bench {
namespace {

constexpr double kPaintTimeoutMs = 60000;
constexpr UINT kAnswerTimeoutMs = 30000;

struct WindowSearch {
    DWORD processId;
    const std::string* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !::IsWindowVisible(window)) {
        return TRUE;
    }
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    if (*search->title == text) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindVisibleWindow(DWORD processId, const std::string& title) {
    WindowSearch search{processId, &title, nullptr};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string FolderOf(const std::string& path) {
    std::size_t last = path.find_last_of('\\');
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

}  // namespace

StartResult StartUntilPainted(const std::string& exe, const std::string& title) {
    StartResult result;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + exe + "\"";
    std::string folder = FolderOf(exe);

    double start = NowMs();
    if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        std::fprintf(stderr, "bench: cannot start %s (%lu)\n", exe.c_str(), ::GetLastError());
        return result;
    }
    HWND window = nullptr;
    while (NowMs() - start < kPaintTimeoutMs) {
        window = FindVisibleWindow(process.dwProcessId, title);
        if (window != nullptr) {
            break;
        }
        // Doubles as a 1 ms pause between looks.
        if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            break;
        }
    }
    DWORD_PTR answer = 0;
    if (window != nullptr &&
        ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &answer) != 0) {
        result.paintedMs = NowMs() - start;
        result.painted = true;
    } else {
        std::fprintf(stderr, "bench: no painted window \"%s\" from %s\n", title.c_str(),
                     exe.c_str());
    }
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (::GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)) {
        result.peakWorkingSet = counters.PeakWorkingSetSize;
    }
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 30000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return result;
}

}  // namespace bench
