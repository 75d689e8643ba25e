#include "app/Program.h"

#include <cstdlib>

#include "app/Globals.h"
#include "common/Text.h"
#include "platform/Process.h"
#include "platform/Window.h"
#include "ui/MainWindow.h"

namespace {

bool cleanedUp = false;
bool loopStarted = false;
int openWindows = 0;

void ExitCleanupAtExit() {
    ExitCleanup();
}

}  // namespace

void SplitModulePath(const std::string& modulePath, std::string& directory, std::string& name) {
    std::size_t last = text::LastBackslash(modulePath);
    if (last == std::string::npos) {
        directory.clear();
        name = modulePath;
        return;
    }
    directory = modulePath.substr(0, last);
    name = modulePath.substr(last + 1);
}

int RunProgram() {
    cleanedUp = false;
    loopStarted = false;
    openWindows = 0;

    platform::OleInitialize();
    char modulePath[260] = {};
    std::uint32_t length = platform::GetModuleFileNameA(modulePath, sizeof modulePath);
    SplitModulePath(std::string(modulePath, length), runDirectory, executableName);
    // With its backslash a drive's root stays the root ("C:" alone names the drive's
    // current folder).
    platform::SetCurrentDirectoryA((runDirectory + "\\").c_str());

    registry = std::make_unique<RegistryAccess>();
    versionInfo = std::make_unique<VersionInfo>();
    selectedPath.clear();
    shortcutName.clear();
    previousWindowProc = nullptr;

    static const bool registered = std::atexit(ExitCleanupAtExit) == 0;
    static_cast<void>(registered);

    CreateMainWindow();

    int exitCode = 0;
    if (openWindows > 0) {
        loopStarted = true;
        exitCode = platform::RunMessageLoop();
    }
    ExitCleanup();
    return exitCode;
}

void EndProgram(std::uint32_t exitCode) {
    ExitCleanup();
    platform::ExitProcess(exitCode);
}

void ExitCleanup() {
    if (cleanedUp) {
        return;
    }
    cleanedUp = true;
    registry.reset();
    selectedPath.clear();
    shortcutName.clear();
    versionInfo.reset();
    platform::OleUninitialize();
}

void OnWindowCreated() {
    ++openWindows;
}

void OnWindowDestroyed() {
    if (openWindows > 0) {
        --openWindows;
    }
    if (openWindows == 0 && loopStarted) {
        platform::PostQuitMessage(0);
    }
}
