// The process-wide state: fixed at start-up, released by ExitCleanup.
#pragma once

#include <memory>
#include <string>

#include "platform/Window.h"
#include "registry/RegistryAccess.h"

// The texts read from a file's version resource, each at most 255 bytes, empty when absent.
struct VersionInfo {
    std::string fileVersion;
    std::string fileDescription;
    std::string internalName;
    std::string companyName;
    std::string legalCopyright;
    std::string legalTrademarks;
    std::string originalFilename;
    std::string productName;
    std::string productVersion;
    std::string languages;  // the language names of the translation table, joined by ", "
    std::string comments;
};

// The one registry access object, from start-up to ExitCleanup.
extern std::unique_ptr<RegistryAccess> registry;
// The executable a new entry will start: the chosen file, or a dropped shortcut's target.
extern std::string selectedPath;
// The file name, without extension, of a dropped shortcut.
extern std::string shortcutName;
// The version resource of the file last offered for naming.
extern std::unique_ptr<VersionInfo> versionInfo;
// The main window's procedure before MainWindowProc took its place.
extern platform::WindowProc previousWindowProc;

// Where the program's own executable lies: the folder (never ending in a backslash; a drive's
// root folder is just the drive, such as "C:") and the file name.
extern std::string runDirectory;
extern std::string executableName;

// The run directory, one backslash and the executable name.
std::string OwnExecutablePath();
