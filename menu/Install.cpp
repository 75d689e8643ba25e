#include "menu/Install.h"

#include "app/Globals.h"
#include "common/OwnedHandle.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "menu/MenuList.h"
#include "platform/Process.h"
#include "registry/RegistryValue.h"
#include "ui/NameChoiceWindow.h"
#include "ui/UserInterface.h"

namespace {

constexpr int kLocalMachine = 4;

bool Write(const std::string& valuePath, const std::string& text) {
    return WriteRegistryValue(kLocalMachine, valuePath, text) == 1;
}

// The command that starts the executable. Quoted, so that a path with blanks cannot be taken
// for a shorter program (C:\Program Files\App\app.exe for C:\Program.exe).
std::string Command(const std::string& executable) {
    return "\"" + executable + "\"";
}

// Writes one entry below `shellPath` (a value path ending in a backslash); each value only
// when the one before it was written. True when every value was written.
bool WriteEntry(const std::string& shellPath, const std::string& name,
                const std::string& executable, bool withVerb) {
    const std::string key = shellPath + name;
    bool written = Write(key + "\\", "") && Write(key + "\\command\\", Command(executable)) &&
                   Write(key + "\\Icon", executable);
    if (written && withVerb) {
        written = Write(key + "\\MUIVerb", name);
    }
    return written;
}

// The cascade "快捷", when its default value is known to be missing (a cascade that could not
// be read is left alone rather than written over). The results are not looked at: the entry's
// own writes tell whether the installation worked.
void WriteCascadeIfMissing() {
    const std::string cascade = texts::kCascadeValuePath;
    if (RegistryValueExists(kLocalMachine, cascade) != 0) {
        return;
    }
    Write(cascade, "");
    Write(cascade + "MUIVerb", texts::kCascadeText);
    Write(cascade + "SubCommands", texts::kCascadeText);
    Write(cascade + "Icon", OwnExecutablePath());
    Write(texts::kCascadeShellValuePath, "");
}

// Tells the user how it went; the list shows whatever was written either way.
void Report(bool written) {
    if (written) {
        ShowInformation(texts::kInstallSucceeded);
    } else {
        ShowError(texts::kInstallFailed);
    }
    RefreshMenuList();
}

}  // namespace

void OnUseClicked() {
    std::string name = NameBoxText();
    if (name.empty()) {
        return;
    }
    // A backslash would make nested keys, and could reach into another entry.
    if (text::FirstBackslash(name) != std::string::npos) {
        ShowInformation(texts::kNameHasBackslash);
        return;
    }
    EnablePrivilege();
    InstallMenuEntry();
}

int EnablePrivilege(const std::string& privilege) {
    if (!platform::IsWindowsNt()) {
        return 0;
    }
    // A step that fails leaves the token null or the privilege zero; the adjustment then fails
    // and says so.
    OwnedHandle token;
    platform::OpenProcessToken(platform::kTokenAdjustPrivileges | platform::kTokenQuery,
                               token.Receive());
    std::uint32_t lowPart = 0;
    std::int32_t highPart = 0;
    platform::LookupPrivilegeValueA(privilege.c_str(), &lowPart, &highPart);
    return platform::AdjustTokenPrivileges(token.Get(), lowPart, highPart,
                                           platform::kSePrivilegeEnabled);
}

void InstallMenuEntry() {
    const std::string executable = selectedPath;
    const std::string name = NameBoxText();
    if (FirstLevelSelected()) {
        Report(WriteEntry(texts::kShellValuePath, name, executable, false));
    }
    if (SecondLevelSelected()) {
        WriteCascadeIfMissing();
        Report(WriteEntry(texts::kCascadeShellValuePath, name, executable, true));
    }
    CloseNameChoiceWindow();
}
