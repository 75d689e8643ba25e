// Backup and restore with the system's own registry editor, seen from outside: Ventrix.exe is
// copied into a folder whose name has a blank, started there over a menu with entries of both
// levels, and driven through user32 from this process; its message boxes are read and answered
// here, and the registry and Backup.reg are checked after each step.
//
// usage: backup_wine_tests PATH-OF-Ventrix.exe
#include <windows.h>

#include <cstdio>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/Texts.h"
#include "tests/wine/support/ProgramDriver.h"
#include "ui/MainWindow.h"

namespace {

using driver::Box;
using driver::KeyExists;
using driver::ListTexts;
using driver::Narrow;
using driver::WindowsPath;

std::string programPath;

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kBoxTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 20000;

// The program runs from here; Backup.reg is written beside it.
constexpr char kRunFolder[] = "C:\\Ventrix Test";
constexpr char kRunProgram[] = "C:\\Ventrix Test\\Ventrix.exe";
constexpr char kBackupFile[] = "C:\\Ventrix Test\\Backup.reg";

constexpr char kShellSub[] = "SOFTWARE\\Classes\\Directory\\Background\\shell";
constexpr char kCascadeSub[] = "SOFTWARE\\Classes\\Directory\\Background\\shell\\ShortCut\\shell";
// A key outside the menu that a hostile backup file tries to create.
constexpr char kHostileSub[] = "Software\\VentrixHostile";

// One registry value as the 8-bit functions read it.
struct Value {
    DWORD type = REG_NONE;
    std::string data;
    bool operator==(const Value& other) const { return type == other.type && data == other.data; }
};

// A key subtree: every key by its path below the top ("" is the top itself), with its values
// by name ("" is the default value). Keys without values are listed too.
using Values = std::map<std::string, Value>;
using Tree = std::map<std::string, Values>;

Value Text(const std::string& text, DWORD type = REG_SZ) {
    return {type, std::string(text.c_str(), text.size() + 1)};
}

Value Dword(DWORD number) {
    return {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number)};
}

std::string Describe(const Value& value) {
    std::ostringstream out;
    out << "type " << value.type << ", " << value.data.size() << " bytes:";
    for (unsigned char c : value.data) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", c);
        out << hex;
    }
    return out.str();
}

std::string Join(const std::string& parent, const std::string& name) {
    return parent.empty() ? name : parent + "\\" + name;
}

// The subkeys below HKEY_LOCAL_MACHINE\`sub`, every one of them read.
std::vector<std::string> Subkeys(const std::string& sub) {
    LONG end = ERROR_NO_MORE_ITEMS;
    std::vector<std::string> names = driver::Subkeys(sub, HKEY_LOCAL_MACHINE, &end);
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, end) << sub;
    return names;
}

// Reads the subtree of HKEY_LOCAL_MACHINE\`sub` into `tree`, its keys named from `below`.
void ReadTree(const std::string& sub, Tree* tree, const std::string& below = "") {
    driver::Key key;
    ASSERT_EQ(ERROR_SUCCESS, key.Open(sub)) << sub;
    Values& values = (*tree)[below];
    std::vector<BYTE> data(65536);
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameSize = sizeof name;
        DWORD type = 0;
        auto dataSize = static_cast<DWORD>(data.size());
        LONG result = ::RegEnumValueA(key.Get(), index, name, &nameSize, nullptr, &type,
                                      data.data(), &dataSize);
        if (result != ERROR_SUCCESS) {
            EXPECT_EQ(ERROR_NO_MORE_ITEMS, result) << sub;
            break;
        }
        values[std::string(name, nameSize)] = {
            type, std::string(reinterpret_cast<const char*>(data.data()), dataSize)};
    }
    for (const std::string& name : Subkeys(sub)) {
        ReadTree(sub + "\\" + name, tree, Join(below, name));
    }
}

Tree Snapshot() {
    Tree tree;
    ReadTree(kShellSub, &tree);
    return tree;
}

// Creates the keys of `tree` below HKEY_LOCAL_MACHINE\`sub` and sets their values.
void WriteTree(const std::string& sub, const Tree& tree) {
    for (const auto& [below, values] : tree) {
        std::string path = below.empty() ? sub : sub + "\\" + below;
        driver::Key key;
        ASSERT_EQ(ERROR_SUCCESS, key.Create(path)) << path;
        for (const auto& [name, value] : values) {
            EXPECT_EQ(ERROR_SUCCESS,
                      ::RegSetValueExA(key.Get(), name.c_str(), 0, value.type,
                                       reinterpret_cast<const BYTE*>(value.data.data()),
                                       static_cast<DWORD>(value.data.size())))
                << path << " value " << name;
        }
    }
}

// Removes every entry (subkey) of the shell key and every value of its own.
void EmptyShellKey() {
    for (const std::string& name : Subkeys(kShellSub)) {
        EXPECT_EQ(ERROR_SUCCESS, ::RegDeleteTreeA(HKEY_LOCAL_MACHINE,
                                                  (std::string(kShellSub) + "\\" + name).c_str()))
            << name;
    }
    Tree own;
    ReadTree(kShellSub, &own);
    driver::Key key;
    if (key.Open(kShellSub, KEY_ALL_ACCESS) == ERROR_SUCCESS) {
        for (const auto& [name, value] : own[""]) {
            ::RegDeleteValueA(key.Get(), name.c_str());
        }
    }
}

// What differs between two subtrees, one line each; empty when they are equal.
std::string Differences(const Tree& expected, const Tree& actual) {
    std::ostringstream out;
    for (const auto& [below, values] : expected) {
        auto found = actual.find(below);
        if (found == actual.end()) {
            out << "missing key [" << below << "]\n";
            continue;
        }
        for (const auto& [name, value] : values) {
            auto other = found->second.find(name);
            if (other == found->second.end()) {
                out << "[" << below << "] missing value \"" << name << "\"\n";
            } else if (!(other->second == value)) {
                out << "[" << below << "] \"" << name << "\" is " << Describe(other->second)
                    << "; expected " << Describe(value) << "\n";
            }
        }
        for (const auto& [name, value] : found->second) {
            if (values.count(name) == 0) {
                out << "[" << below << "] extra value \"" << name << "\" " << Describe(value)
                    << "\n";
            }
        }
    }
    for (const auto& [below, values] : actual) {
        if (expected.count(below) == 0) {
            out << "extra key [" << below << "]\n";
        }
    }
    return out.str();
}

// The entries this test puts into the menu: first-level ones with Chinese and ASCII names, the
// cascade ShortCut with second-level ones below its shell key, and values that put the
// registry file's quoting to work.
Tree SeededEntries() {
    std::string longPath = "C:\\Program Files\\Ventrix Sample Tools";
    for (int i = 0; i < 10; ++i) {
        longPath += "\\子目录 Sub Folder " + std::to_string(i);
    }
    longPath += "\\长路径程序.exe";
    Tree tree;
    tree["写字板"] = {{"", Text("用写字板打开(&W)")},
                      {"Icon", Text("C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe,0")}};
    tree["写字板\\command"] = {
        {"", Text("\"C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe\" \"%V\"")}};
    tree["Backup Sample"] = {
        {"Extended", Text("")},
        {"Tricky", Text("say \"hi\" to \\\\server\\share\\ and \"\" twice\\")},
        {"Icon", Text(longPath + ",0")},
    };
    tree["Backup Sample\\command"] = {{"", Text("\"" + longPath + "\" \"%V\"")}};
    tree["ShortCut"] = {
        {"", Text("")},
        {"MUIVerb", Text(texts::kCascadeText)},
        {"SubCommands", Text(texts::kCascadeText)},
        {"Icon", Text("\"C:\\Ventrix Test\\Ventrix.exe\",0")},
    };
    tree["ShortCut\\shell"] = {};
    tree["ShortCut\\shell\\画图"] = {};
    tree["ShortCut\\shell\\画图\\command"] = {{"", Text("mspaint.exe \"%1\"")}};
    tree["ShortCut\\shell\\Calculator"] = {{"Flags", Dword(0x2A)}};
    tree["ShortCut\\shell\\Calculator\\command"] = {
        {"", Text("%SystemRoot%\\system32\\calc.exe", REG_EXPAND_SZ)}};
    return tree;
}

std::optional<std::string> ReadFileBytes(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::string bytes;
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.append(chunk, got);
    }
    std::fclose(file);
    return bytes;
}

// The file's text after its UTF-16LE byte order mark.
std::wstring Utf16Text(const std::string& bytes) {
    std::wstring text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    return text;
}

bool WriteUtf16File(const char* path, const std::wstring& text) {
    std::string bytes("\xFF\xFE", 2);
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// The entries the list should show: the first level, then the second, in enumeration order.
std::vector<std::string> MenuEntries() {
    std::vector<std::string> entries = Subkeys(kShellSub);
    for (const std::string& name : Subkeys(kCascadeSub)) {
        entries.push_back(name);
    }
    return entries;
}

// Each case seeds the menu, copies the program into its run folder and starts it there;
// afterwards the program is gone, the folder is removed and the registry is as it was.
class BackupE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(programPath.empty()) << "usage: backup_wine_tests PATH-OF-Ventrix.exe";
        ASSERT_EQ(936u, ::GetACP()) << "the program's texts are code page 936";
        ASSERT_FALSE(KeyExists(kHostileSub, HKEY_CURRENT_USER)) << "left over from an earlier run";
        shellExisted = KeyExists(kShellSub);
        if (shellExisted) {
            ReadTree(kShellSub, &baseline);
        }
        seeded = SeededEntries();
        for (const auto& [below, values] : seeded) {
            std::string first = below.substr(0, below.find('\\'));
            ASSERT_EQ(0u, baseline.count(first)) << "the entry " << first << " is there already";
        }
        touched = true;
        ASSERT_NO_FATAL_FAILURE(WriteTree(kShellSub, seeded));

        ASSERT_TRUE(::CreateDirectoryA(kRunFolder, nullptr) ||
                    ::GetLastError() == ERROR_ALREADY_EXISTS);
        ::DeleteFileA(kBackupFile);
        ASSERT_TRUE(::CopyFileA(programPath.c_str(), kRunProgram, FALSE))
            << programPath << ": error " << ::GetLastError();
        ASSERT_NO_FATAL_FAILURE(Start());
    }

    void TearDown() override {
        program.End(kExitTimeoutMs);
        ::DeleteFileA(kBackupFile);
        ::DeleteFileA(kRunProgram);
        ::RemoveDirectoryA(kRunFolder);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kHostileSub);
        if (touched) {
            EmptyShellKey();
            if (shellExisted) {
                WriteTree(kShellSub, baseline);
            } else {
                ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kShellSub);
            }
        }
    }

    void Start() {
        ASSERT_TRUE(program.Start(kRunProgram)) << kRunProgram << ": error " << ::GetLastError();
        window = driver::WaitForTopLevel(program, nullptr, texts::kMainTitle, kStartTimeoutMs, 50);
        ASSERT_TRUE(window != nullptr || program.Running())
            << "the program ended before showing its window";
        ASSERT_NE(nullptr, window) << "no visible window titled " << texts::kMainTitle;
        list = ::GetDlgItem(window, kEntryListId);
        ASSERT_NE(nullptr, list);
        Settle();
    }

    // Returns once the program's thread is back in its message loop.
    void Settle() { driver::AwaitMessageLoop(window); }

    // The message box the program shows next, or an empty Box when none came.
    Box AwaitBox() { return driver::AwaitBox(program, kBoxTimeoutMs, 50); }

    // Presses the box's button `id` and waits until the box has gone.
    void Answer(const Box& box, int id) {
        HWND button = ::GetDlgItem(box.dialog, id);
        ASSERT_NE(nullptr, button) << "the box \"" << box.text << "\" has no button " << id;
        ASSERT_TRUE(::IsWindowVisible(button)) << "button " << id;
        ::PostMessageA(button, BM_CLICK, 0, 0);
        driver::WaitUntil([&] { return !::IsWindow(box.dialog); }, kBoxTimeoutMs);
        ASSERT_FALSE(::IsWindow(box.dialog)) << "the box \"" << box.text << "\" stayed open";
    }

    // Presses one of the main window's buttons and answers the message box that follows with
    // OK; returns the box's text.
    std::string PressAndAnswer(int buttonId) {
        ::PostMessageA(::GetDlgItem(window, buttonId), BM_CLICK, 0, 0);
        Box box = AwaitBox();
        EXPECT_NE(nullptr, box.dialog) << "no message box after pressing button " << buttonId;
        if (box.dialog == nullptr) {
            return std::string();
        }
        EXPECT_EQ(texts::kMessageCaption, box.caption);
        Answer(box, IDOK);
        Settle();
        return box.text;
    }

    // The list as the program shows it, once it matches `expected` or a while has passed.
    std::vector<std::string> ListOnceSettled(const std::vector<std::string>& expected) {
        std::vector<std::string> shown = ListTexts(list);
        for (int i = 0; i < 100 && shown != expected; ++i) {
            ::Sleep(50);
            shown = ListTexts(list);
        }
        return shown;
    }

    void ExpectEndsWithCodeZero() {
        if (program.Wait(kExitTimeoutMs) != WAIT_OBJECT_0) {
            Box box = AwaitBox();
            FAIL() << "the program did not end; its message box says \"" << box.text << "\"";
        }
        DWORD exitCode = 1;
        ASSERT_TRUE(program.ExitCode(&exitCode));
        EXPECT_EQ(0u, exitCode);
        EXPECT_FALSE(::IsWindow(window));
    }

    // Checks that Backup.reg is the registry editor's export of the menu with its entries.
    void ExpectBackupOfMenu() {
        std::optional<std::string> bytes = ReadFileBytes(kBackupFile);
        ASSERT_TRUE(bytes.has_value()) << kBackupFile << " is missing";
        ASSERT_GT(bytes->size(), 2u);
        ASSERT_EQ(std::string("\xFF\xFE", 2), bytes->substr(0, 2)) << "no UTF-16LE byte order mark";
        std::wstring text = Utf16Text(*bytes);
        EXPECT_EQ(0u, text.find(L"Windows Registry Editor Version 5.00\r\n"));
        for (const wchar_t* entry :
             {L"\\写字板]", L"\\Backup Sample]", L"\\ShortCut\\shell\\画图]"}) {
            EXPECT_NE(std::wstring::npos, text.find(entry)) << Narrow(entry);
        }
    }

    driver::Program program;
    HWND window = nullptr;
    HWND list = nullptr;
    Tree seeded;
    Tree baseline;  // the shell key's subtree before seeding
    bool shellExisted = false;
    bool touched = false;
};

// Backup, then every entry deleted, then restore: the registry editor brings the subtree back
// exactly, and the list shows it again.
TEST_F(BackupE2E, RestoreBringsBackExactlyWhatTheBackupSaw) {
    Tree snapshot = Snapshot();
    Tree expected = baseline;
    for (const auto& [below, values] : seeded) {
        expected[below] = values;
    }
    expected[""];  // the shell key itself, with no values unless it had some
    ASSERT_EQ("", Differences(expected, snapshot)) << "seeding through the 8-bit functions";
    std::string longest = seeded["Backup Sample\\command"][""].data;
    ASSERT_GT(longest.size(), 200u);
    std::vector<std::string> entries = MenuEntries();
    ASSERT_EQ(entries, ListOnceSettled(entries));

    EXPECT_EQ(texts::kBackupDone, PressAndAnswer(kButtonBackupId));
    ASSERT_NO_FATAL_FAILURE(ExpectBackupOfMenu());
    EXPECT_EQ("", Differences(snapshot, Snapshot())) << "a backup changes nothing";

    EmptyShellKey();
    ASSERT_TRUE(Subkeys(kShellSub).empty());
    // A right click in the list lists the menu again: now empty.
    ::PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    ::PostMessageA(list, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    Settle();
    ASSERT_EQ(std::vector<std::string>{}, ListOnceSettled({}));

    EXPECT_EQ(texts::kRestoreDone, PressAndAnswer(kButtonRestoreId));
    EXPECT_EQ("", Differences(snapshot, Snapshot())) << "the restored subtree";
    EXPECT_EQ(entries, MenuEntries());
    EXPECT_EQ(entries, ListOnceSettled(entries)) << "the list after the restore";
}

// A backup file that names a key outside the menu is refused before the registry editor sees
// it; a missing one is reported.
TEST_F(BackupE2E, RestoreRefusesForeignKeysAndMissingFile) {
    Tree snapshot = Snapshot();
    std::wstring hostile =
        L"Windows Registry Editor Version 5.00\r\n\r\n"
        L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\Background\\shell\\Planted]\r\n"
        L"@=\"planted\"\r\n\r\n"
        L"[HKEY_CURRENT_USER\\Software\\VentrixHostile]\r\n"
        L"\"Planted\"=\"yes\"\r\n\r\n";
    ASSERT_TRUE(WriteUtf16File(kBackupFile, hostile));

    EXPECT_EQ(texts::kRestoreForeignKeys, PressAndAnswer(kButtonRestoreId));
    EXPECT_FALSE(KeyExists(kHostileSub, HKEY_CURRENT_USER)) << "the key outside was created";
    EXPECT_EQ("", Differences(snapshot, Snapshot())) << "nothing of the file was imported";

    ASSERT_TRUE(::DeleteFileA(kBackupFile));
    EXPECT_EQ(texts::kRestoreNoFile, PressAndAnswer(kButtonRestoreId));
    EXPECT_EQ("", Differences(snapshot, Snapshot()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(kBackupFile));
}

// Closing asks whether to back up first: OK (here by Esc) writes a fresh Backup.reg before the
// program ends; Cancel (here by a close request) writes none.
TEST_F(BackupE2E, ClosingAsksAndBacksUpOnlyOnOk) {
    struct Case {
        const char* label;
        bool escape;
        int answer;
    };
    bool first = true;
    for (const Case& c :
         {Case{"Esc, then OK", true, IDOK}, Case{"close, then Cancel", false, IDCANCEL}}) {
        SCOPED_TRACE(c.label);
        if (!first) {
            program.End(kExitTimeoutMs);
            ASSERT_NO_FATAL_FAILURE(Start());
        }
        first = false;
        ::DeleteFileA(kBackupFile);
        ASSERT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(kBackupFile));
        if (c.escape) {
            ::PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            ::PostMessageA(list, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001u));
        } else {
            ::PostMessageA(window, WM_CLOSE, 0, 0);
        }
        Box box = AwaitBox();
        ASSERT_NE(nullptr, box.dialog) << "no question on closing";
        EXPECT_EQ(texts::kBackupBeforeClose, box.text);
        EXPECT_EQ(texts::kMessageCaption, box.caption);
        ASSERT_NO_FATAL_FAILURE(Answer(box, c.answer));
        ASSERT_NO_FATAL_FAILURE(ExpectEndsWithCodeZero());
        if (c.answer == IDOK) {
            ExpectBackupOfMenu();
        } else {
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(kBackupFile))
                << "a backup was written after Cancel";
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) {
        programPath = WindowsPath(argv[1]);
    }
    return RUN_ALL_TESTS();
}
