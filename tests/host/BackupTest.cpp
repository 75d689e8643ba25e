// Backup and restore through the registry editor, the question on closing, and the check of
// what a backup file may hold.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/Program.h"
#include "backup/BackupFile.h"
#include "common/Texts.h"
#include "platform/host/CodePage.h"
#include "platform/host/HostControl.h"
#include "platform/host/HostPlatform.h"
#include "support/Sandbox.h"
#include "ui/MainWindow.h"

namespace {

using namespace platform;
namespace host = platform::host;
using Items = std::vector<std::pair<std::string, LParam>>;

const std::string kShell = texts::kShellKeyPath;
const std::string kExportKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\background\\shell";

std::string Utf16(const std::string& text, bool bom) {
    std::string bytes = bom ? std::string("\xFF\xFE", 2) : std::string();
    for (char16_t c : host::AnsiToWide(text)) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

const std::string kGoodExport =
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\Background\\shell]\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\Background\\shell\\记事本]\r\n"
    "@=\"\"\r\n\"Icon\"=\"C:\\\\a b\\\\x.exe\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\Background\\shell\\记事本\\command]\r\n"
    "@=\"\\\"C:\\\\a b\\\\x.exe\\\"\"\r\n";

class Backup : public ::testing::Test {
  protected:
    void SetUp() override { host::ResetPlatform(); }
    void TearDown() override {
        EXPECT_EQ(0u, host::OpenKeyHandleCount()) << "registry keys left open";
        EXPECT_EQ(0u, host::OpenProcessHandleCount()) << "process handles left open";
    }

    static WindowHandle Main() {
        std::vector<WindowHandle> windows = host::TopLevelWindows();
        return windows.empty() ? nullptr : windows.front();
    }

    // Runs the program, presses `button`, then closes the main window declining the backup.
    std::vector<std::string> Press(int button, Items* listed = nullptr) {
        std::size_t shown = 0;
        host::SetUserSteps({[&] {
            host::Click(Main(), button);
            shown = host::MessageBoxes().size();
            if (listed != nullptr) {
                *listed = host::ListItems(GetControl(Main(), kEntryListId));
            }
            host::AnswerMessageBoxes({2});
            host::PressCloseBox(Main());
        }});
        EXPECT_EQ(0, host::RunProcess(RunProgram).exitCode);
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < shown; ++i) {
            texts.push_back(host::MessageBoxes()[i].text);
        }
        return texts;
    }

    // A registry editor that writes `bytes` to the file its export names.
    static void EditorWrites(const std::string& bytes) {
        host::SetProcessRunner([bytes](const host::ProcessCall& call) {
            std::size_t open = call.commandLine.find('"');
            std::size_t close = call.commandLine.find('"', open + 1);
            if (call.commandLine.rfind("Regedit /E", 0) == 0) {
                host::AdvanceClock(10000000);
                host::WriteFile(call.commandLine.substr(open + 1, close - open - 1), bytes);
            }
            return true;
        });
    }
};

TEST_F(Backup, CommandLinesNameTheEditorAndTheFileInFull) {
    struct Case {
        std::string module;
        std::string file;
    };
    for (const Case& c : {Case{"C:\\Tools\\Ventrix.exe", "C:\\Tools\\Backup.reg"},
                          Case{"C:\\Ventrix.exe", "C:\\Backup.reg"},
                          Case{"C:\\My Tools\\Ventrix.exe", "C:\\My Tools\\Backup.reg"}}) {
        host::ResetPlatform();
        host::SetModuleFileName(c.module);
        host::SetWindowsDirectory("C:\\windows");
        EditorWrites(kGoodExport);
        host::WriteFile(c.file, kGoodExport);
        Press(kButtonBackupId);
        Press(kButtonRestoreId);
        std::vector<host::ProcessCall> calls = host::StartedProcesses();
        ASSERT_EQ(2u, calls.size()) << c.module;
        EXPECT_EQ("C:\\windows\\regedit.exe", calls[0].application);
        EXPECT_EQ("Regedit /E  \"" + c.file + "\" " + kExportKey, calls[0].commandLine);
        EXPECT_EQ("C:\\windows\\regedit.exe", calls[1].application);
        EXPECT_EQ("Regedit /S  \"" + c.file + "\"", calls[1].commandLine);
    }
}

TEST_F(Backup, BackupReportsWhatTheEditorLeft) {
    struct Case {
        const char* label;
        bool starts;
        bool writes;
        std::string bytes;
        bool oldFile;
        const char* message;
    };
    for (const Case& c : {
             Case{"written", true, true, kGoodExport, false, texts::kBackupDone},
             Case{"written over an old one", true, true, kGoodExport, true, texts::kBackupDone},
             Case{"nothing written", true, false, "", false, texts::kBackupFailed},
             Case{"only an old file", true, false, "", true, texts::kBackupFailed},
             Case{"an empty file", true, true, "", false, texts::kBackupFailed},
             Case{"the editor does not start", false, false, "", true, texts::kBackupFailed},
         }) {
        host::ResetPlatform();
        if (c.oldFile) {
            host::WriteFile("C:\\Tools\\Backup.reg", "old");
            host::AdvanceClock(36000000000ULL);  // an hour later
        }
        if (c.writes) {
            EditorWrites(c.bytes);
        } else {
            host::SetProcessRunner([&c](const host::ProcessCall&) { return c.starts; });
        }
        EXPECT_EQ(std::vector<std::string>{c.message}, Press(kButtonBackupId)) << c.label;
        bool success = std::string(c.message) == texts::kBackupDone;
        EXPECT_EQ((success ? kMbIconInformation : kMbIconHand) | kMbTaskModal,
                  host::MessageBoxes()[0].flags)
            << c.label;
    }
}

TEST_F(Backup, RestoreChecksTheFileFirst) {
    struct Case {
        const char* label;
        std::optional<std::string> file;
        bool starts;
        const char* message;
        bool runs;
        bool refreshed;
    };
    for (const Case& c : {
             Case{"a good backup", kGoodExport, true, texts::kRestoreDone, true, true},
             Case{"no backup file", std::nullopt, true, texts::kRestoreNoFile, false, false},
             Case{"a key outside the menu",
                  kGoodExport +
                      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n",
                  true, texts::kRestoreForeignKeys, false, false},
             Case{"the editor does not start", kGoodExport, false, texts::kRestoreFailed, true,
                  false},
         }) {
        host::ResetPlatform();
        if (c.file) {
            host::WriteFile("C:\\Tools\\Backup.reg", *c.file);
        }
        // What the import brings, and a key that only a refresh would show.
        host::SetProcessRunner([&c](const host::ProcessCall&) {
            if (c.starts) {
                sandbox::CreateKey(kShell + "\\Imported");
            }
            return c.starts;
        });
        Items listed;
        std::vector<std::string> messages = Press(kButtonRestoreId, &listed);
        EXPECT_EQ(std::vector<std::string>{c.message}, messages) << c.label;
        EXPECT_EQ(c.runs ? 1u : 0u, host::StartedProcesses().size()) << c.label;
        EXPECT_EQ((c.refreshed ? Items{{"Imported", 1}} : Items{}), listed) << c.label;
    }
}

TEST_F(Backup, ClosingOffersTheBackup) {
    struct Case {
        const char* label;
        int answer;
        bool escape;
        bool editorWrites;
        std::vector<std::string> messages;
    };
    for (const Case& c : {
             Case{"OK exports silently", kIdOk, false, true, {texts::kBackupBeforeClose}},
             Case{"OK by Esc", kIdOk, true, true, {texts::kBackupBeforeClose}},
             Case{"OK, the export fails",
                  kIdOk,
                  false,
                  false,
                  {texts::kBackupBeforeClose, texts::kBackupFailed}},
             Case{"Cancel", 2, false, true, {texts::kBackupBeforeClose}},
         }) {
        host::ResetPlatform();
        if (c.editorWrites) {
            EditorWrites(kGoodExport);
        }
        bool openDuringExport = false;
        host::SetUserSteps({[&] {
            host::AnswerMessageBoxes({c.answer});
            if (c.editorWrites) {
                host::SetProcessRunner([&](const host::ProcessCall& call) {
                    openDuringExport = IsWindow(Main());
                    host::AdvanceClock(10000000);
                    host::WriteFile("C:\\Tools\\Backup.reg", kGoodExport);
                    return call.commandLine.rfind("Regedit /E", 0) == 0;
                });
            }
            c.escape ? host::PressEscape(Main()) : host::PressCloseBox(Main());
        }});
        host::ProcessEnd end = host::RunProcess(RunProgram);
        EXPECT_EQ(0, end.exitCode) << c.label;
        std::vector<std::string> texts;
        for (const host::MessageBoxCall& call : host::MessageBoxes()) {
            texts.push_back(call.text);
        }
        EXPECT_EQ(c.messages, texts) << c.label;
        EXPECT_EQ(kMbOkCancel | kMbIconQuestion | kMbTaskModal, host::MessageBoxes()[0].flags);
        EXPECT_EQ(c.answer == kIdOk ? 1u : 0u, host::StartedProcesses().size()) << c.label;
        EXPECT_EQ(c.answer == kIdOk && c.editorWrites, openDuringExport) << c.label;
        EXPECT_TRUE(host::TopLevelWindows().empty()) << c.label;
    }
}

TEST(BackupFile, OnlyTheMenuKeyAndBelow) {
    const std::string menu = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\Background\\shell";
    const std::string header5 = "Windows Registry Editor Version 5.00\r\n\r\n";
    const std::string header4 = "REGEDIT4\r\n\r\n";
    struct Case {
        const char* label;
        std::string bytes;
        bool allowed;
    };
    const std::string inside = "[" + menu + "\\Entry\\command]\r\n@=\"x\"\r\n";
    const std::string outside = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Evil]\r\n\"a\"=\"b\"\r\n";
    const std::string lf = "[" + menu + "]\n[" + menu + "\\快捷\\command]\n@=\"x\"\n";
    std::string hiddenByZero = header5 + inside + std::string(1, '\0') + std::string(4094, 'x') +
                               "[HKEY_CURRENT_USER\\Software\\Evil]\r\n";
    std::vector<Case> cases = {
        {"empty", "", false},
        {"no header", inside, false},
        {"the older format, keys without brackets",
         "REGEDIT\r\nHKEY_CLASSES_ROOT\\exefile\\shell\\open\\command = planted\r\n", false},
        {"a header with something after it", "REGEDIT4 \r\n" + inside, false},
        {"a zero hiding a key line, UTF-16", Utf16(hiddenByZero, true), false},
        {"a zero in an 8-bit file", header4 + inside + std::string(1, '\0') + "x\r\n", false},
        {"a key line after other blanks", header4 + "\v\f" + outside, false},
        {"a key line after an ideographic space, UTF-16",
         Utf16(header5, true) + std::string("\x00\x30[\0H\0K\0E\0Y\0_\0U\0S\0E\0R\0S\0]\0", 24),
         false},
        {"the key itself, 5.00 UTF-16 with BOM", Utf16(header5 + "[" + menu + "]\r\n", true), true},
        {"entries, 5.00 UTF-16 with BOM", Utf16(header5 + kGoodExport, true), true},
        {"entries, 5.00 UTF-16 without BOM", Utf16(header5 + inside, false), true},
        {"entries, REGEDIT4", header4 + inside, true},
        {"entries, REGEDIT4 with a UTF-8 BOM", "\xEF\xBB\xBF" + header4 + inside, true},
        {"the header alone", header4, true},
        {"LF line ends", header4 + lf, true},
        {"other letter case",
         header4 + "[hkey_local_machine\\software\\classes\\directory\\"
                   "BACKGROUND\\SHELL\\x]\r\n",
         true},
        {"deleting an entry", header4 + "[-" + menu + "\\Entry]\r\n", true},
        {"a value line that looks like a key", header4 + inside + "\"[x]\"=\"[HKEY_USERS]\"\r\n",
         true},
        {"a key outside, UTF-16", Utf16(header5 + inside + outside, true), false},
        {"a key outside, UTF-16 without BOM", Utf16(header5 + outside, false), false},
        {"a key outside, REGEDIT4", header4 + outside, false},
        {"a key outside after blanks", header4 + inside + "  \t" + outside, false},
        {"a key outside, LF", header4 + "[HKEY_USERS\\.DEFAULT\\x]\n", false},
        {"deleting a key outside", header4 + "[-HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n", false},
        {"deleting the parent",
         header4 + "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\"
                   "Background]\r\n",
         false},
        {"a look-alike key", header4 + "[" + menu + "X]\r\n", false},
        {"a look-alike with a blank", header4 + "[" + menu + " ]\r\n", false},
        {"the same key by another root",
         header4 + "[HKEY_CLASSES_ROOT\\Directory\\Background\\"
                   "shell\\x]\r\n",
         false},
        {"a key line without its bracket", header4 + "[" + menu + "\\x\r\n", false},
        {"an outside key in the second half of a CR-only file",
         header4 + "[" + menu + "]\r[HKEY_CURRENT_USER\\x]\r", false},
    };
    // A UTF-16 file cut in the middle of a character still has its keys checked.
    std::string truncated = Utf16(header5 + inside + outside, true);
    truncated.pop_back();
    cases.push_back({"truncated UTF-16 with a key outside", truncated, false});
    std::string truncatedGood = Utf16(header5 + inside, true);
    truncatedGood.pop_back();
    cases.push_back({"truncated UTF-16", truncatedGood, true});
    for (const Case& c : cases) {
        EXPECT_EQ(c.allowed, NamesOnlyKeysBelow(c.bytes, menu)) << c.label;
    }
}

}  // namespace
