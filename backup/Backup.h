// Backup and restore of the background menu through the system's registry editor, and the
// question asked when the main window closes.
#pragma once

#include <string>

// Starts `application` with `commandLine` and waits until it has ended: 1 when it started,
// else 0.
int RunAndWait(const std::string& application, const std::string& commandLine);

// Exports the menu's key to Backup.reg beside the program: 1 when the file exists afterwards
// and this run wrote it, else 0.
int ExportShellKey();

// The buttons "备份" and "还原".
void BackupShellKey();
void RestoreShellKey();

// Run each time the main window is asked to close; it cannot keep the window open.
void AskBackupBeforeClose();

// Backup.reg beside the program, and the registry editor in the Windows folder.
std::string BackupFilePath();
std::string RegistryEditorPath();
