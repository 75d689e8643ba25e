// Start-up and the two ways the process ends.
#pragma once

#include <cstdint>
#include <string>

// Runs the program: start-up, the main window, the message loop, the clean-up. Returns the
// exit code, which is 0.
int RunProgram();

// Ends the process at once with `exitCode`, after ExitCleanup; windows are not asked to close.
[[noreturn]] void EndProgram(std::uint32_t exitCode);

// Releases the global state and undoes the OLE initialisation; runs once per process, on
// either way out.
void ExitCleanup();

// Cuts a module file name at its last backslash into the run directory and executable name.
void SplitModulePath(const std::string& modulePath, std::string& directory, std::string& name);

// The frame counts the program's windows: when the last one has gone after the message loop
// started, the loop is asked to end.
void OnWindowCreated();
void OnWindowDestroyed();
