#include "app/Globals.h"

std::unique_ptr<RegistryAccess> registry;
std::string selectedPath;
std::string shortcutName;
std::unique_ptr<VersionInfo> versionInfo;
platform::WindowProc previousWindowProc = nullptr;
std::string runDirectory;
std::string executableName;

std::string OwnExecutablePath() {
    return runDirectory + "\\" + executableName;
}
