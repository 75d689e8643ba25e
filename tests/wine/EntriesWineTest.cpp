// Installing, deleting and repairing entries as a user does it, against Wine's registry, shell
// and version library: Ventrix.exe runs in its own process on a private X display, and this
// process drops files on its main window, fills in the name-choice window, answers the
// program's message boxes and reads back what was written.
//
// usage: entries_tests PATH-OF-Ventrix.exe PATH-OF-zh_tool.exe PATH-OF-en_tool.exe
// The two tools carry the version resources of resources/ChineseVersion.rc and
// resources/EnglishVersion.rc. With VENTRIX_SCREENSHOT set, the name-choice window is saved
// there as a 24-bit BMP.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/Texts.h"
#include "tests/wine/support/ProgramDriver.h"
#include "ui/MainWindow.h"
#include "ui/NameChoiceWindow.h"

namespace {

using driver::Box;
using driver::Click;
using driver::KeyExists;
using driver::ListTexts;
using driver::Subkeys;
using driver::WaitUntil;
using driver::Wide;
using driver::WindowsPath;

std::string programPath;
std::string zhToolPath;
std::string enToolPath;

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;
// How long a message box that should not come is waited for.
constexpr DWORD kNoBoxMs = 500;

const std::string kShellSub = "SOFTWARE\\Classes\\Directory\\Background\\shell";
const std::string kCascadeSub = kShellSub + "\\ShortCut";
const std::string kCascadeShellSub = kCascadeSub + "\\shell";

// Every entry name the cases make, at either level; none may be there before a case.
const char* const kEntryNames[] = {"极速 截图", "Sample Tool", "截图 快捷方式",
                                   "旧 条目",   "Inner",       "Other"};

// --- The registry, below HKEY_LOCAL_MACHINE ---

// The text of a REG_SZ value (name "" is the default value); "<absent>" when the key or the
// value is missing, "<type N>" for a value of another type.
std::string ValueText(const std::string& sub, const char* name) {
    driver::Key key;
    if (key.Open(sub) != ERROR_SUCCESS) {
        return "<absent>";
    }
    DWORD type = 0;
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    LONG status =
        ::RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    if (status != ERROR_SUCCESS) {
        return status == ERROR_FILE_NOT_FOUND ? "<absent>"
                                              : "<error " + std::to_string(status) + ">";
    }
    if (type != REG_SZ) {
        return "<type " + std::to_string(type) + ">";
    }
    return std::string(data);
}

void SetText(const std::string& sub, const char* name, const std::string& text) {
    driver::Key key;
    ASSERT_EQ(ERROR_SUCCESS, key.Create(sub)) << sub;
    EXPECT_EQ(ERROR_SUCCESS, driver::SetText(key, name, text));
}

// What the main list should show: the first-level entries, then the second-level ones.
std::vector<std::string> EntriesInRegistry() {
    std::vector<std::string> names = Subkeys(kShellSub);
    std::vector<std::string> second = Subkeys(kCascadeShellSub);
    names.insert(names.end(), second.begin(), second.end());
    return names;
}

// Runs a console program of the prefix and returns what it wrote to its output.
std::string RunAndRead(std::string commandLine, DWORD& exitCode) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return "<no pipe>";
    }
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    BOOL started = ::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                    CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    ::CloseHandle(writeEnd);
    std::string output;
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            output.append(buffer, got);
        }
        ::WaitForSingleObject(process.hProcess, kExitTimeoutMs);
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
    } else {
        output = "<not started: error " + std::to_string(::GetLastError()) + ">";
    }
    ::CloseHandle(readEnd);
    return output;
}

// --- Windows of another process ---

// The text a control of another process holds. Asked for with WM_GETTEXT: GetWindowText
// answers for another process's window from its caption, which an edit box's typing leaves
// unchanged.
std::string ControlText(HWND control) {
    wchar_t text[512] = {};
    LRESULT length = ::SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return driver::Narrow(text, static_cast<int>(length));
}

// --- Shell links ---

// Writes a shell link at `linkPath` (code page 936) to `target`, with arguments.
HRESULT WriteShortcut(const std::string& linkPath, const std::string& target) {
    IShellLinkA* link = nullptr;
    HRESULT result = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IShellLinkA, reinterpret_cast<void**>(&link));
    if (FAILED(result)) {
        return result;
    }
    link->SetPath(target.c_str());
    link->SetArguments("--tray \"C:\\a b\"");
    link->SetDescription("test shortcut");
    IPersistFile* file = nullptr;
    result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(result)) {
        result = file->Save(Wide(linkPath).c_str(), TRUE);
        file->Release();
    }
    link->Release();
    return result;
}

// The target a shell link gives back when loaded, as the program loads it.
std::string ReadShortcutTarget(const std::string& linkPath) {
    IShellLinkA* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&link)))) {
        return "<no link object>";
    }
    std::string target = "<not loaded>";
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        char path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(Wide(linkPath).c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, sizeof path, nullptr, SLGP_UNCPRIORITY))) {
            target = path;
        }
        file->Release();
    }
    link->Release();
    return target;
}

// Each case starts the program over a registry without any of its entries or the cascade;
// afterwards the program is gone and whatever a case made is removed.
class EntriesE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(programPath.empty() || zhToolPath.empty() || enToolPath.empty())
            << "usage: entries_tests PATH-OF-Ventrix.exe PATH-OF-zh_tool.exe PATH-OF-en_tool.exe";
        ASSERT_EQ(936u, ::GetACP()) << "the program's texts are code page 936";
        ASSERT_FALSE(KeyExists(kCascadeSub))
            << "the cascade is there already; a case would remove it";
        for (const char* name : kEntryNames) {
            ASSERT_FALSE(KeyExists(kShellSub + "\\" + name))
                << name << " is there already; a case would remove it";
        }
        owned = true;
    }

    void TearDown() override {
        program.End(kExitTimeoutMs);
        if (owned) {
            for (const char* name : kEntryNames) {
                ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, (kShellSub + "\\" + name).c_str());
            }
            ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kCascadeSub.c_str());
        }
        for (const std::string& file : files) {
            ::DeleteFileA(file.c_str());
        }
    }

    void Start() {
        ASSERT_TRUE(program.Start(programPath)) << programPath << ": error " << ::GetLastError();
        window = driver::WaitForTopLevel(program, nullptr, texts::kMainTitle, kStartTimeoutMs);
        // The wait ended before its time was up: the window showed, or the program ended.
        ASSERT_TRUE(window != nullptr || !program.Running());
        ASSERT_NE(nullptr, window) << "no visible window titled " << texts::kMainTitle;
        list = ::GetDlgItem(window, kEntryListId);
        // Returns once the program's thread is back in its message loop.
        driver::AwaitMessageLoop(window);
    }

    // A file of this case in the prefix's temporary folder, removed afterwards.
    std::string TemporaryFile(const std::string& name) {
        char folder[MAX_PATH] = {};
        ::GetTempPathA(sizeof folder, folder);
        files.push_back(std::string(folder) + name);
        ::DeleteFileA(files.back().c_str());
        return files.back();
    }

    // Drops files on the main window. Wine passes a WM_DROPFILES posted from another process
    // on as it is, without copying the drop into the receiver, so the DROPFILES block (ANSI
    // names, fWide FALSE) is written into the program's own memory and that address posted.
    // Wine's DragQueryFileA reads any readable block it is handed; DragFinish's GlobalFree
    // refuses it (it is no global block), so the few bytes stay until the program ends.
    void Drop(const std::vector<std::string>& names) {
        std::vector<char> block(sizeof(DROPFILES));
        for (const std::string& name : names) {
            block.insert(block.end(), name.begin(), name.end());
            block.push_back('\0');
        }
        block.push_back('\0');
        DROPFILES header = {};
        header.pFiles = sizeof header;
        header.fWide = FALSE;
        std::memcpy(block.data(), &header, sizeof header);
        void* remote = ::VirtualAllocEx(program.Handle(), nullptr, block.size(),
                                        MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        ASSERT_NE(nullptr, remote) << "error " << ::GetLastError();
        SIZE_T written = 0;
        ASSERT_TRUE(
            ::WriteProcessMemory(program.Handle(), remote, block.data(), block.size(), &written));
        ASSERT_EQ(block.size(), written);
        ASSERT_TRUE(::PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0));
    }

    // Waits for the program's message box, reads it and presses `button` (IDOK, IDCANCEL) as
    // the mouse would; returns once the box has gone.
    Box Answer(int button) {
        Box box = driver::AwaitBox(program);
        if (box.dialog == nullptr) {
            ADD_FAILURE() << "no message box came";
            return {nullptr, "<none>", "<none>"};
        }
        HWND pressed = ::GetDlgItem(box.dialog, button);
        EXPECT_NE(nullptr, pressed) << "no button " << button << " in \"" << box.text << "\"";
        ::PostMessageA(pressed, BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box.dialog); }))
            << "\"" << box.text << "\" stayed open";
        EXPECT_EQ(texts::kMessageCaption, box.caption) << box.text;
        return box;
    }

    void ExpectNoMessageBox() {
        Box box = driver::AwaitBox(program, kNoBoxMs);
        if (box.dialog != nullptr) {
            ADD_FAILURE() << "unexpected message box \"" << box.text << "\"";
        }
    }

    HWND WaitForNameWindow() {
        HWND found = driver::WaitForTopLevel(program, nullptr, texts::kNameChoiceTitle);
        if (found != nullptr) {
            // Returns once the window's loop runs, its list filled.
            driver::AwaitMessageLoop(found);
        }
        return found;
    }

    // Types `name` into the name box as the keyboard would leave it.
    static void TypeName(HWND nameWindow, const std::string& name) {
        ::SendMessageW(::GetDlgItem(nameWindow, kNameBoxId), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(Wide(name).c_str()));
    }

    static bool Checked(HWND parent, int id) {
        return ::SendMessageA(::GetDlgItem(parent, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    // Selects the listed item named `name` and double-clicks it, as the list box reports a
    // double-click to its parent.
    void DoubleClickItem(const std::string& name) {
        std::vector<std::string> listed = ListTexts(list);
        auto at = std::find(listed.begin(), listed.end(), name);
        ASSERT_NE(listed.end(), at) << name << " is not listed";
        ASSERT_NE(LB_ERR, ::SendMessageA(list, LB_SETCURSEL, at - listed.begin(), 0));
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(kEntryListId, LBN_DBLCLK),
                       reinterpret_cast<LPARAM>(list));
    }

    // Waits until the main list shows what the registry holds, and expects that it does.
    void ExpectListShowsRegistry() {
        WaitUntil([&] { return ListTexts(list) == EntriesInRegistry(); });
        EXPECT_EQ(EntriesInRegistry(), ListTexts(list));
    }

    driver::Program program;
    HWND window = nullptr;
    HWND list = nullptr;
    std::vector<std::string> files;
    bool owned = false;
};

// Shortcuts made by the shell link object are dropped together: the one to a document is
// refused by name, the one to an executable opens the name-choice window with the target's
// names and the shortcut's own, and the entry starts the target without the link's arguments.
TEST_F(EntriesE2E, DroppedShortcutsAreResolvedThroughTheShellLink) {
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    // The files have ASCII names: Wine here cannot reach a file whose name has Chinese
    // characters, since the Unix locale it converts file names with is not installed.
    const std::string document = TemporaryFile("readme.txt");
    std::FILE* file = std::fopen(document.c_str(), "w");
    ASSERT_NE(nullptr, file) << document;
    std::fputs("text", file);
    std::fclose(file);
    const std::string documentLink = TemporaryFile("Readme.lnk");
    const std::string toolLink = TemporaryFile("MyTool.LNK");
    ASSERT_EQ(S_OK, WriteShortcut(documentLink, document));
    ASSERT_EQ(S_OK, WriteShortcut(toolLink, zhToolPath));
    ASSERT_EQ(zhToolPath, ReadShortcutTarget(toolLink)) << "the link as the platform reads it";
    ::CoUninitialize();

    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Drop({documentLink, toolLink}));
    EXPECT_EQ(std::string("readme.txt") + texts::kNotAnExecutableSuffix, Answer(IDOK).text);
    HWND names = WaitForNameWindow();
    ASSERT_NE(nullptr, names);
    EXPECT_EQ((std::vector<std::string>{"极速截图工具", "极速截图", "zh_tool", "MyTool"}),
              ListTexts(::GetDlgItem(names, kCandidateListId)));

    TypeName(names, "截图 快捷方式");
    Click(names, kButtonUseId);
    EXPECT_EQ(texts::kInstallSucceeded, Answer(IDOK).text);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(names); }));
    const std::string entry = kShellSub + "\\截图 快捷方式";
    EXPECT_EQ("\"" + zhToolPath + "\"", ValueText(entry + "\\command", ""));
    EXPECT_EQ(zhToolPath, ValueText(entry, "Icon"));
}

// Each tool opens the name-choice window with its description, product name and file name, in
// that order, read from the string table its version resource names; cancelling writes
// nothing. The window is photographed with the Chinese tool's names.
TEST_F(EntriesE2E, CandidatesComeFromTheVersionResource) {
    struct Case {
        const std::string* path;
        std::vector<std::string> candidates;
    };
    const Case cases[] = {
        {&zhToolPath, {"极速截图工具", "极速截图", "zh_tool"}},
        {&enToolPath, {"Sample Editor", "Sample Suite", "en_tool"}},
    };
    std::vector<std::string> before = EntriesInRegistry();
    ASSERT_NO_FATAL_FAILURE(Start());
    for (const Case& c : cases) {
        SCOPED_TRACE(*c.path);
        ASSERT_NO_FATAL_FAILURE(Drop({*c.path}));
        HWND names = WaitForNameWindow();
        ASSERT_NE(nullptr, names);
        EXPECT_EQ(c.candidates, ListTexts(::GetDlgItem(names, kCandidateListId)));
        EXPECT_EQ("", ControlText(::GetDlgItem(names, kNameBoxId)));
        EXPECT_TRUE(Checked(names, kRadioFirstLevelId));
        EXPECT_FALSE(Checked(names, kRadioSecondLevelId));
        EXPECT_FALSE(::IsWindowEnabled(window)) << "the main window takes input under it";

        if (c.path == &zhToolPath) {
            // Painting follows the messages already waiting.
            ::Sleep(500);
            driver::Picture picture = driver::CaptureWindow(names);
            ASSERT_FALSE(picture.bits.empty()) << "the screen could not be read";
            if (const char* path = std::getenv("VENTRIX_SCREENSHOT")) {
                EXPECT_TRUE(driver::SaveBitmap(picture, WindowsPath(path))) << path;
            }
        }

        Click(names, kButtonCancelId);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(names); })) << "the window stayed open";
        EXPECT_TRUE(::IsWindowEnabled(window));
        ExpectNoMessageBox();
    }
    EXPECT_EQ(before, EntriesInRegistry());
    EXPECT_FALSE(KeyExists(kCascadeSub));
}

// "使用" writes the entry in its layout at the level chosen: at the second level below the
// cascade "快捷", which is made with it. The main list shows it afterwards, and Wine's own
// reg tool reads the same values.
TEST_F(EntriesE2E, UseWritesTheEntryAtTheLevelChosen) {
    struct Case {
        const std::string* tool;
        int candidate;  // selected before typing; -1 for none
        std::string candidateText;
        std::string name;
        bool secondLevel;
    };
    const Case cases[] = {
        {&zhToolPath, -1, "", "极速 截图", false},
        {&enToolPath, 1, "Sample Suite", "Sample Tool", true},
    };
    ASSERT_NO_FATAL_FAILURE(Start());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(Drop({*c.tool}));
        HWND names = WaitForNameWindow();
        ASSERT_NE(nullptr, names);
        if (c.candidate >= 0) {
            // A click on a candidate: selected, and reported to the window.
            HWND candidates = ::GetDlgItem(names, kCandidateListId);
            ::SendMessageA(candidates, LB_SETCURSEL, static_cast<WPARAM>(c.candidate), 0);
            ::SendMessageA(names, WM_COMMAND, MAKEWPARAM(kCandidateListId, LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(candidates));
            EXPECT_EQ(c.candidateText, ControlText(::GetDlgItem(names, kNameBoxId)));
        }
        TypeName(names, c.name);
        if (c.secondLevel) {
            ::SendMessageA(::GetDlgItem(names, kRadioSecondLevelId), BM_CLICK, 0, 0);
            EXPECT_FALSE(Checked(names, kRadioFirstLevelId));
            EXPECT_TRUE(Checked(names, kRadioSecondLevelId));
        }
        Click(names, kButtonUseId);
        EXPECT_EQ(texts::kInstallSucceeded, Answer(IDOK).text);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(names); })) << "the window stayed open";
        ExpectNoMessageBox();

        const std::string entry = (c.secondLevel ? kCascadeShellSub : kShellSub) + "\\" + c.name;
        EXPECT_EQ("", ValueText(entry, ""));
        EXPECT_EQ("\"" + *c.tool + "\"", ValueText(entry + "\\command", ""));
        EXPECT_EQ(*c.tool, ValueText(entry, "Icon"));
        EXPECT_EQ(c.secondLevel ? c.name : "<absent>", ValueText(entry, "MUIVerb"));
        EXPECT_EQ((std::vector<std::string>{"command"}), Subkeys(entry));
        EXPECT_FALSE(KeyExists((c.secondLevel ? kShellSub : kCascadeShellSub) + "\\" + c.name))
            << "written at the other level too";

        std::vector<std::string> listed = ListTexts(list);
        EXPECT_NE(listed.end(), std::find(listed.begin(), listed.end(), c.name));
        ExpectListShowsRegistry();
    }

    // The cascade, made for the second-level entry.
    EXPECT_EQ("", ValueText(kCascadeSub, ""));
    EXPECT_EQ(texts::kCascadeText, ValueText(kCascadeSub, "MUIVerb"));
    EXPECT_EQ(texts::kCascadeText, ValueText(kCascadeSub, "SubCommands"));
    EXPECT_EQ(programPath, ValueText(kCascadeSub, "Icon"));
    EXPECT_EQ("", ValueText(kCascadeShellSub, ""));
    EXPECT_EQ((std::vector<std::string>{"Sample Tool"}), Subkeys(kCascadeShellSub));

    // Both entries as reg.exe lists them (in code page 936): the key, then its command key,
    // each value as "name    REG_SZ    data" (the default value's name is translated).
    struct Listing {
        std::string name;
        bool secondLevel;
        const std::string* tool;
    };
    for (const Listing& l :
         {Listing{"极速 截图", false, &zhToolPath}, Listing{"Sample Tool", true, &enToolPath}}) {
        const std::string key = (l.secondLevel ? kCascadeShellSub : kShellSub) + "\\" + l.name;
        SCOPED_TRACE(key);
        DWORD exitCode = 1;
        std::string output =
            RunAndRead("C:\\windows\\system32\\reg.exe query \"HKLM\\" + key + "\" /s", exitCode);
        EXPECT_EQ(0u, exitCode) << output;
        auto has = [&](const std::string& piece) {
            return output.find(piece) != std::string::npos;
        };
        EXPECT_TRUE(has("\r\nHKEY_LOCAL_MACHINE\\" + key + "\r\n")) << output;
        EXPECT_TRUE(has("\r\nHKEY_LOCAL_MACHINE\\" + key + "\\command\r\n")) << output;
        EXPECT_TRUE(has("    Icon    REG_SZ    " + *l.tool + "\r\n")) << output;
        EXPECT_TRUE(has("    REG_SZ    \"" + *l.tool + "\"\r\n")) << output;
        EXPECT_EQ(l.secondLevel, has("    MUIVerb    REG_SZ    " + l.name + "\r\n")) << output;
    }
}

// A double-click on an item asks first: Cancel keeps the entry; OK removes its whole key tree,
// at either level, and the cascade with every entry below it, and says so.
TEST_F(EntriesE2E, DoubleClickDeletesTheEntryAfterAsking) {
    const std::string command = "C:\\windows\\system32\\notepad.exe";
    ASSERT_NO_FATAL_FAILURE(SetText(kShellSub + "\\旧 条目", "", ""));
    ASSERT_NO_FATAL_FAILURE(SetText(kShellSub + "\\旧 条目", "Icon", command));
    ASSERT_NO_FATAL_FAILURE(SetText(kShellSub + "\\旧 条目\\command", "", "\"" + command + "\""));
    ASSERT_NO_FATAL_FAILURE(SetText(kCascadeSub, "", ""));
    ASSERT_NO_FATAL_FAILURE(SetText(kCascadeSub, "MUIVerb", texts::kCascadeText));
    for (const char* name : {"Inner", "Other"}) {
        ASSERT_NO_FATAL_FAILURE(SetText(kCascadeShellSub + "\\" + name, "MUIVerb", name));
        ASSERT_NO_FATAL_FAILURE(
            SetText(kCascadeShellSub + "\\" + name + "\\command", "", "\"" + command + "\""));
    }

    struct Case {
        std::string name;
        std::string key;  // the entry's key below HKEY_LOCAL_MACHINE
        int answer;
        std::vector<std::string> goneAlso;  // keys that go with it
    };
    const Case cases[] = {
        {"旧 条目", kShellSub + "\\旧 条目", IDCANCEL, {}},
        {"旧 条目", kShellSub + "\\旧 条目", IDOK, {}},
        {"Inner", kCascadeShellSub + "\\Inner", IDOK, {}},
        {"ShortCut", kCascadeSub, IDOK, {kCascadeShellSub + "\\Other"}},
    };
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectListShowsRegistry();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + (c.answer == IDOK ? ", OK" : ", Cancel"));
        ASSERT_NO_FATAL_FAILURE(DoubleClickItem(c.name));
        EXPECT_EQ(texts::kDeleteQuestionPrefix + c.name + texts::kDeleteQuestionSuffix,
                  Answer(c.answer).text);
        if (c.answer == IDOK) {
            EXPECT_EQ(texts::kDeletedPrefix + c.name + texts::kDeletedSuffix, Answer(IDOK).text);
        }
        ExpectNoMessageBox();
        EXPECT_EQ(c.answer != IDOK, KeyExists(c.key));
        for (const std::string& key : c.goneAlso) {
            EXPECT_FALSE(KeyExists(key)) << key;
        }
        std::vector<std::string> listed = ListTexts(list);
        EXPECT_EQ(c.answer != IDOK,
                  std::find(listed.begin(), listed.end(), c.name) != listed.end());
        ExpectListShowsRegistry();
    }
}

// "修复图标" points the cascade's icon at the running program, whether the cascade is there or
// not (then only the icon value is made), and says it is done.
TEST_F(EntriesE2E, RepairPointsTheCascadeIconAtTheProgram) {
    struct Case {
        const char* label;
        bool cascade;
    };
    ASSERT_NO_FATAL_FAILURE(Start());
    for (const Case& c : {Case{"without a cascade", false}, Case{"with a cascade", true}}) {
        SCOPED_TRACE(c.label);
        ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kCascadeSub.c_str());
        if (c.cascade) {
            ASSERT_NO_FATAL_FAILURE(SetText(kCascadeSub, "", ""));
            ASSERT_NO_FATAL_FAILURE(SetText(kCascadeSub, "MUIVerb", texts::kCascadeText));
            ASSERT_NO_FATAL_FAILURE(SetText(kCascadeSub, "Icon", "C:\\Old\\Ventrix.exe"));
        }
        Click(window, kButtonRepairId);
        EXPECT_EQ(texts::kRepairDone, Answer(IDOK).text);
        ExpectNoMessageBox();
        EXPECT_EQ(programPath, ValueText(kCascadeSub, "Icon"));
        EXPECT_EQ(c.cascade ? "" : "<absent>", ValueText(kCascadeSub, ""));
        EXPECT_EQ(c.cascade ? texts::kCascadeText : "<absent>", ValueText(kCascadeSub, "MUIVerb"));
    }
}

// The file dialog's library is loaded when the dialog is first wanted: a double-click on the
// label opens it, and Cancel closes it without anything else happening.
TEST_F(EntriesE2E, DoubleClickOnTheLabelOpensTheFileDialog) {
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND label = ::GetDlgItem(window, kLabelDropId);
    ASSERT_NE(nullptr, label);
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(kLabelDropId, STN_DBLCLK),
                   reinterpret_cast<LPARAM>(label));
    HWND dialog =
        driver::WaitForTopLevel(program, driver::kMessageBoxClass, nullptr, kStartTimeoutMs);
    ASSERT_NE(nullptr, dialog) << "no file dialog";
    EXPECT_FALSE(::IsWindowEnabled(window)) << "the main window takes input under the dialog";
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(driver::WaitUntil([&] { return !::IsWindow(dialog); }));
    EXPECT_TRUE(driver::AwaitMessageLoop(window));
    EXPECT_TRUE(::IsWindowEnabled(window));
    ExpectNoMessageBox();
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 3) {
        programPath = WindowsPath(argv[1]);
        zhToolPath = WindowsPath(argv[2]);
        enToolPath = WindowsPath(argv[3]);
    }
    return RUN_ALL_TESTS();
}
