// Starting a GUI program and timing it until its window is painted.
#pragma once

#include <cstddef>
#include <string>

namespace bench {

struct StartResult {
    bool painted = false;
    double paintedMs = 0;            // from just before CreateProcessA
    std::size_t peakWorkingSet = 0;  // bytes, read once the window is painted
};

// Starts `exe` (a Windows path) and waits until a visible top-level window of the new
// process has the title `title`; then sends it WM_NULL and waits for the answer, which comes
// only once the program's thread is back in its message loop, that is after its
// ShowWindow/UpdateWindow painting. Reads the process's peak working set, then ends the
// process with TerminateProcess and waits until it has gone.
StartResult StartUntilPainted(const std::string& exe, const std::string& title);

}  // namespace bench
