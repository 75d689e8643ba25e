// The elevation test and the elevated relaunch of the program's own executable.
#pragma once

#include <string>

// True when the process runs with an elevated token. Windows before 6.0 has no elevation:
// there every process counts as elevated, so the program never relaunches itself there.
bool IsProcessElevated();

// Asks the shell to start `file` with the verb "runas" and `parameters` (none when empty);
// true when the shell reports success. Neither waits nor ends this process.
bool RelaunchElevated(const std::string& file, const std::string& parameters);

// The parameter that only the relaunch passes, so that a relaunched process which is still not
// elevated goes on instead of relaunching again.
extern const char kRelaunchParameter[];

// True when the command line's arguments are exactly the relaunch parameter.
bool StartedByRelaunch(const std::string& commandLine);

// The first step of the main window's "created" handler: in a process that is not elevated
// (and was not relaunched already) relaunches elevated and ends the process.
void RelaunchUnlessElevated();
