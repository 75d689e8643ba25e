#include "backup/Backup.h"

#include <cstdint>

#include "app/Globals.h"
#include "backup/BackupFile.h"
#include "common/OwnedHandle.h"
#include "common/Texts.h"
#include "menu/MenuList.h"
#include "platform/Process.h"
#include "ui/UserInterface.h"

namespace {

// File times count 100 ns; a file system may keep them to two seconds only, so a file stamped
// that much before the run began still counts as written by it.
constexpr std::uint64_t kFileTimeSlack = 2ULL * 10000000ULL;

}  // namespace

std::string BackupFilePath() {
    return runDirectory + texts::kBackupFileName;
}

std::string RegistryEditorPath() {
    char directory[260] = {};
    std::uint32_t length = platform::GetWindowsDirectoryA(directory, sizeof directory);
    if (length == 0 || length >= sizeof directory) {
        return std::string();
    }
    return std::string(directory, length) + texts::kRegistryEditor;
}

int RunAndWait(const std::string& application, const std::string& commandLine) {
    // The editor is named in full: looked up through the search order, a regedit.exe in the
    // program's own folder or the current one would run with the program's rights.
    if (application.empty()) {
        return 0;
    }
    platform::StartedProcess started;
    if (!platform::CreateProcessA(application.c_str(), commandLine, &started)) {
        return 0;
    }
    OwnedHandle process(started.process);
    OwnedHandle thread(started.thread);
    platform::WaitForSingleObject(process.Get());
    return 1;
}

int ExportShellKey() {
    const std::string file = BackupFilePath();
    std::uint64_t start = platform::GetSystemTimeAsFileTime();
    if (RunAndWait(RegistryEditorPath(),
                   texts::kExportCommandStart + file + texts::kExportCommandEnd) != 1) {
        return 0;
    }
    // The editor's exit code says nothing; the file it leaves does.
    platform::FileInfo info;
    bool written = platform::GetFileInfo(file.c_str(), &info) && info.size > 0 &&
                   info.lastWrite + kFileTimeSlack >= start;
    return written ? 1 : 0;
}

void BackupShellKey() {
    if (ExportShellKey() == 1) {
        ShowInformation(texts::kBackupDone);
    } else {
        ShowError(texts::kBackupFailed);
    }
}

void RestoreShellKey() {
    const std::string file = BackupFilePath();
    std::string content;
    if (!platform::ReadWholeFile(file.c_str(), content)) {
        ShowError(texts::kRestoreNoFile);
        return;
    }
    // The import runs with administrator rights, from a folder others may be able to write:
    // the file may change the menu and nothing else.
    if (!NamesOnlyKeysBelow(content, texts::kShellKeyPath)) {
        ShowError(texts::kRestoreForeignKeys);
        return;
    }
    if (RunAndWait(RegistryEditorPath(),
                   texts::kImportCommandStart + file + texts::kImportCommandEnd) == 1) {
        ShowInformation(texts::kRestoreDone);
        RefreshMenuList();
    } else {
        ShowError(texts::kRestoreFailed);
    }
}

void AskBackupBeforeClose() {
    if (AskOkCancel(texts::kBackupBeforeClose) && ExportShellKey() != 1) {
        ShowError(texts::kBackupFailed);
    }
}
