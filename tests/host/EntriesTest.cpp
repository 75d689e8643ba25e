// Installing, deleting and repairing entries, and the files that lead to an installation,
// driven as a user drives the program, over the host stand-ins.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/Program.h"
#include "common/Texts.h"
#include "intake/VersionInfo.h"
#include "platform/host/HostControl.h"
#include "platform/host/HostPlatform.h"
#include "support/Sandbox.h"
#include "ui/MainWindow.h"
#include "ui/NameChoiceWindow.h"

namespace {

using namespace platform;
namespace host = platform::host;
using Step = std::function<void()>;
using Items = std::vector<std::pair<std::string, LParam>>;

const std::string kShell = texts::kShellKeyPath;
const std::string kCascade = kShell + "\\ShortCut";
const std::string kCascadeShell = texts::kCascadeShellKeyPath;
const std::string kOwnPath = "C:\\Tools\\Ventrix.exe";
const std::string kApp = "C:\\Program Files\\App\\app.exe";

std::string Text(const std::string& keyPath, const std::string& value) {
    std::optional<sandbox::RawValue> raw = sandbox::QueryRaw(keyPath, value);
    if (!raw) {
        return "<absent>";
    }
    if (raw->type != kRegSz) {
        return "<type " + std::to_string(raw->type) + ">";
    }
    if (raw->bytes.empty() || raw->bytes.back() != '\0') {
        return "<no zero>";
    }
    return raw->bytes.substr(0, raw->bytes.size() - 1);
}

class Entries : public ::testing::Test {
  protected:
    void SetUp() override { host::ResetPlatform(); }
    void TearDown() override {
        EXPECT_EQ(0u, host::OpenKeyHandleCount()) << "registry keys left open";
        EXPECT_EQ(0u, host::OpenProcessHandleCount()) << "token handles left open";
        EXPECT_EQ(0u, host::OpenDropCount()) << "drops not released";
        EXPECT_EQ(0u, host::OpenShellLinkCount()) << "shell links not released";
    }

    // Runs the program with `steps` as the user's actions; the main window is closed last,
    // declining the backup question.
    void Run(std::vector<Step> steps) {
        steps.push_back([this] {
            shownBeforeClosing_ = host::MessageBoxes().size();
            if (IsWindow(Main())) {
                host::AnswerMessageBoxes({2});
                host::PressCloseBox(Main());
            }
        });
        host::SetUserSteps(std::move(steps));
        host::ProcessEnd end = host::RunProcess(RunProgram);
        EXPECT_EQ(0, end.exitCode);
        EXPECT_FALSE(host::ModalStarved()) << "a modal window waited for steps that never came";
    }

    static WindowHandle Main() {
        std::vector<WindowHandle> windows = host::TopLevelWindows();
        return windows.empty() ? nullptr : windows.front();
    }
    static WindowHandle NameWindow() {
        std::vector<WindowHandle> windows = host::TopLevelWindows();
        return windows.size() < 2 ? nullptr : windows.back();
    }
    static Items Listed() { return host::ListItems(GetControl(Main(), kEntryListId)); }
    static std::vector<std::string> Candidates() {
        std::vector<std::string> texts;
        for (const auto& item : host::ListItems(GetControl(NameWindow(), kCandidateListId))) {
            texts.push_back(item.first);
        }
        return texts;
    }
    // The message boxes shown before the program was closed.
    std::vector<host::MessageBoxCall> Boxes() const {
        std::vector<host::MessageBoxCall> boxes = host::MessageBoxes();
        boxes.resize(std::min(boxes.size(), shownBeforeClosing_));
        return boxes;
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const host::MessageBoxCall& call : Boxes()) {
            texts.push_back(call.text);
        }
        return texts;
    }

    std::size_t shownBeforeClosing_ = 0;

    // Steps: drop these files on the main window.
    static Step Drop(std::vector<std::string> names) {
        return [names] {
            host::PostMessage(Main(), kWmDropFiles, reinterpret_cast<WParam>(host::MakeDrop(names)),
                              0);
        };
    }
    // Steps in the name-choice window: type a name, pick a level, press "使用".
    static Step Name(const std::string& name) {
        return [name] { host::TypeText(NameWindow(), kNameBoxId, name); };
    }
    static Step SecondLevel() {
        return [] { host::Click(NameWindow(), kRadioSecondLevelId); };
    }
    static Step Use() {
        return [] { host::Click(NameWindow(), kButtonUseId); };
    }
    static Step Cancel() {
        return [] { host::Click(NameWindow(), kButtonCancelId); };
    }
    // Double-clicks the listed item of this name (or, for an empty name, with none selected).
    static Step DoubleClickItem(const std::string& name) {
        return [name] {
            WindowHandle list = GetControl(Main(), kEntryListId);
            Items items = Listed();
            LResult index = kLbErr;
            for (std::size_t i = 0; i < items.size() && !name.empty(); ++i) {
                if (items[i].first == name) {
                    index = static_cast<LResult>(i);
                    break;
                }
            }
            SendMessageA(list, kLbSetCurSel, static_cast<WParam>(index), 0);
            host::DoubleClick(Main(), kEntryListId);
        };
    }

    static void AddApp(const std::string& path, const std::string& description,
                       const std::string& product) {
        host::AddVersionInfo(
            path,
            host::BuildVersionBlock(
                {{0x0804, 0x04B0}},
                {{"080404b0", {{"FileDescription", description}, {"ProductName", product}}}}));
    }
};

TEST_F(Entries, FirstLevelEntryIsWrittenInItsLayout) {
    AddApp(kApp, "App Suite", "App");
    std::vector<std::string> candidates;
    std::string nameBox;
    bool firstLevelChecked = false;
    Run({Drop({kApp}),
         [&] {
             candidates = Candidates();
             firstLevelChecked = host::IsChecked(NameWindow(), kRadioFirstLevelId) &&
                                 !host::IsChecked(NameWindow(), kRadioSecondLevelId);
             host::SelectItem(NameWindow(), kCandidateListId, 0);
             nameBox = host::Describe(GetControl(NameWindow(), kNameBoxId))->text;
         },
         Use()});
    EXPECT_EQ((std::vector<std::string>{"App Suite", "App", "app"}), candidates);
    EXPECT_TRUE(firstLevelChecked);
    EXPECT_EQ("App Suite", nameBox);
    const std::string entry = kShell + "\\App Suite";
    EXPECT_EQ("", Text(entry, ""));
    EXPECT_EQ("\"" + kApp + "\"", Text(entry + "\\command", ""));
    EXPECT_EQ(kApp, Text(entry, "Icon"));
    EXPECT_EQ("<absent>", Text(entry, "MUIVerb"));
    EXPECT_EQ((std::vector<std::string>{entry + "|", entry + "\\command|", entry + "|Icon"}),
              host::ValuesSet());
    ASSERT_EQ(1u, Boxes().size());
    EXPECT_EQ(texts::kInstallSucceeded, Boxes()[0].text);
    EXPECT_EQ(kMbIconInformation | kMbTaskModal, Boxes()[0].flags);
    EXPECT_EQ(texts::kMessageCaption, Boxes()[0].caption);
    EXPECT_EQ(nullptr, Boxes()[0].owner);
    EXPECT_TRUE(selectedPath.empty());
}

TEST_F(Entries, SecondLevelEntryWithTheCascade) {
    struct Case {
        const char* label;
        std::function<void()> seed;
        bool cascadeWritten;
    };
    for (const Case& c : {
             Case{"no cascade", [] {}, true},
             Case{"cascade present", [] { sandbox::SetText(kCascade, "", ""); }, false},
             Case{"cascade key without its default value",
                  [] { sandbox::SetText(kCascade, "Icon", "old.exe"); }, true},
         }) {
        host::ResetPlatform();
        c.seed();
        std::size_t seeded = host::ValuesSet().size();
        Items listed;
        Run({Drop({kApp}), Name("计算器"), SecondLevel(), Use(), [&] { listed = Listed(); }});
        const std::string entry = kCascadeShell + "\\计算器";
        std::vector<std::string> expected;
        if (c.cascadeWritten) {
            expected = {kCascade + "|", kCascade + "|MUIVerb", kCascade + "|SubCommands",
                        kCascade + "|Icon", kCascadeShell + "|"};
            EXPECT_EQ("快捷", Text(kCascade, "MUIVerb")) << c.label;
            EXPECT_EQ("快捷", Text(kCascade, "SubCommands")) << c.label;
            EXPECT_EQ(kOwnPath, Text(kCascade, "Icon")) << c.label;
        } else {
            EXPECT_EQ("<absent>", Text(kCascade, "MUIVerb")) << c.label;
        }
        for (const char* value : {"|", "\\command|", "|Icon", "|MUIVerb"}) {
            expected.push_back(entry + value);
        }
        std::vector<std::string> written = host::ValuesSet();
        EXPECT_EQ(expected, std::vector<std::string>(written.begin() + seeded, written.end()))
            << c.label;
        EXPECT_EQ("\"" + kApp + "\"", Text(entry + "\\command", "")) << c.label;
        EXPECT_EQ(kApp, Text(entry, "Icon")) << c.label;
        EXPECT_EQ("计算器", Text(entry, "MUIVerb")) << c.label;
        EXPECT_EQ((std::vector<std::string>{texts::kInstallSucceeded}), Messages()) << c.label;
        EXPECT_EQ((Items{{"ShortCut", 1}, {"计算器", 1}}), listed) << c.label;
    }
}

// Each write failing in turn: the message tells whether the entry's own values were all
// written, what was written before stays, and the list shows it.
TEST_F(Entries, AFailingWriteIsReportedAndNothingIsUndone) {
    struct Case {
        bool secondLevel;
        std::size_t failing;  // which RegSetValueExA fails
        bool succeeds;
    };
    std::vector<Case> cases;
    for (std::size_t n = 1; n <= 3; ++n) {
        cases.push_back({false, n, false});
    }
    for (std::size_t n = 1; n <= 9; ++n) {
        cases.push_back({true, n, n <= 5});  // the cascade's five writes do not decide
    }
    for (const Case& c : cases) {
        host::ResetPlatform();
        std::vector<Step> steps = {Drop({kApp}), Name("Entry")};
        if (c.secondLevel) {
            steps.push_back(SecondLevel());
        }
        steps.push_back([&c] { host::FailCall("RegSetValueExA", c.failing, kErrorAccessDenied); });
        steps.push_back(Use());
        Items listed;
        steps.push_back([&] { listed = Listed(); });
        Run(steps);
        std::string label = (c.secondLevel ? "second level, write " : "first level, write ") +
                            std::to_string(c.failing);
        EXPECT_EQ((std::vector<std::string>{c.succeeds ? texts::kInstallSucceeded
                                                       : texts::kInstallFailed}),
                  Messages())
            << label;
        std::size_t entryWrites = c.secondLevel ? 4 : 3;
        std::size_t cascadeWrites = c.secondLevel ? 5 : 0;
        std::size_t expectedSet =
            c.failing <= cascadeWrites ? cascadeWrites - 1 + entryWrites : c.failing - 1;
        EXPECT_EQ(expectedSet, host::ValuesSet().size()) << label;
        bool entryKeyMade = c.failing > cascadeWrites + 1 || c.failing <= cascadeWrites;
        bool listedEntry = false;
        for (const auto& item : listed) {
            listedEntry = listedEntry || item.first == "Entry";
        }
        EXPECT_TRUE(listedEntry || !entryKeyMade) << label;
        EXPECT_FALSE(IsWindow(NameWindow())) << label;
    }
}

TEST_F(Entries, NamesAreWrittenAsTyped) {
    struct Case {
        std::string name;
    };
    for (const Case& c :
         {Case{" lead and trail "}, Case{"表乗"}, Case{"a \"quoted\" & 100%"}, Case{"   "}}) {
        host::ResetPlatform();
        Items before;
        Items after;
        Run({Drop({kApp}), Name(c.name), Use(), [&] { before = Listed(); }, DoubleClickItem(c.name),
             [&] { after = Listed(); }});
        EXPECT_EQ((Items{{c.name, 1}}), before) << "[" << c.name << "]";
        EXPECT_TRUE(after.empty()) << "[" << c.name << "]";
        EXPECT_EQ((std::vector<std::string>{
                      texts::kInstallSucceeded,
                      texts::kDeleteQuestionPrefix + c.name + texts::kDeleteQuestionSuffix,
                      texts::kDeletedPrefix + c.name + texts::kDeletedSuffix}),
                  Messages());
    }
}

TEST_F(Entries, EmptyNamesAndBackslashesInstallNothing) {
    bool openAfterEmpty = false;
    bool openAfterBackslash = false;
    Run({Drop({kApp}), Use(), [&] { openAfterEmpty = IsWindow(NameWindow()); },
         Name("Foo\\command"), Use(), [&] { openAfterBackslash = IsWindow(NameWindow()); },
         Cancel()});
    EXPECT_TRUE(openAfterEmpty);
    EXPECT_TRUE(openAfterBackslash);
    EXPECT_EQ((std::vector<std::string>{texts::kNameHasBackslash}), Messages());
    EXPECT_EQ(kMbIconInformation | kMbTaskModal, Boxes()[0].flags);
    EXPECT_TRUE(host::ValuesSet().empty());
    EXPECT_TRUE(host::PrivilegeAdjustments().empty());
}

TEST_F(Entries, ThePrivilegeIsEnabledBeforeWriting) {
    Run({Drop({kApp}), Name("Entry"), Use()});
    ASSERT_EQ(1u, host::PrivilegeAdjustments().size());
    host::PrivilegeCall call = host::PrivilegeAdjustments()[0];
    EXPECT_TRUE(call.tokenOpen);
    EXPECT_EQ(20u, call.lowPart);
    EXPECT_EQ(kSePrivilegeEnabled, call.attributes);
    host::ResetPlatform();
    host::SetWindowsNt(false);
    Run({Drop({kApp}), Name("Entry"), Use()});
    EXPECT_TRUE(host::PrivilegeAdjustments().empty());
    EXPECT_EQ("\"" + kApp + "\"", Text(kShell + "\\Entry\\command", ""));
}

TEST_F(Entries, DeletingByDoubleClick) {
    struct Case {
        const char* label;
        std::string clicked;
        std::vector<int> answers;
        std::vector<std::string> messages;
        Items remaining;
    };
    const std::string ask = texts::kDeleteQuestionPrefix;
    const std::string asked = texts::kDeleteQuestionSuffix;
    const std::string done = texts::kDeletedPrefix;
    for (const Case& c : {
             Case{"first level",
                  "Solo",
                  {kIdOk},
                  {ask + "Solo" + asked, done + "Solo" + texts::kDeletedSuffix},
                  {{"Both", 1}, {"ShortCut", 2}, {"Both", 1}, {"Inner", 2}}},
             Case{"second level",
                  "Inner",
                  {kIdOk},
                  {ask + "Inner" + asked, done + "Inner" + texts::kDeletedSuffix},
                  {{"Both", 1}, {"ShortCut", 2}, {"Solo", 3}, {"Both", 1}}},
             Case{"a name at both levels: the first level goes",
                  "Both",
                  {kIdOk},
                  {ask + "Both" + asked, done + "Both" + texts::kDeletedSuffix},
                  {{"ShortCut", 1}, {"Solo", 2}, {"Both", 1}, {"Inner", 2}}},
             Case{"the cascade with its entries",
                  "ShortCut",
                  {kIdOk},
                  {ask + "ShortCut" + asked, done + "ShortCut" + texts::kDeletedSuffix},
                  {{"Both", 1}, {"Solo", 2}}},
             Case{"cancelled",
                  "Solo",
                  {2},
                  {ask + "Solo" + asked},
                  {{"Both", 1}, {"ShortCut", 2}, {"Solo", 3}, {"Both", 1}, {"Inner", 2}}},
             Case{"nothing selected",
                  "",
                  {},
                  {},
                  {{"Both", 1}, {"ShortCut", 2}, {"Solo", 3}, {"Both", 1}, {"Inner", 2}}},
         }) {
        host::ResetPlatform();
        for (const char* entry : {"Solo", "Both"}) {
            sandbox::SetText(kShell + "\\" + entry + "\\command", "", "x.exe");
        }
        for (const char* entry : {"Both", "Inner"}) {
            sandbox::SetText(kCascadeShell + "\\" + entry + "\\command", "", "x.exe");
        }
        host::AnswerMessageBoxes(c.answers);
        Items listed;
        Run({DoubleClickItem(c.clicked), [&] { listed = Listed(); }});
        EXPECT_EQ(c.messages, Messages()) << c.label;
        EXPECT_EQ(c.remaining, listed) << c.label;
        if (c.messages.size() == 2) {
            EXPECT_EQ(kMbOkCancel | kMbIconQuestion | kMbTaskModal, Boxes()[0].flags);
            EXPECT_EQ(kMbIconInformation | kMbTaskModal, Boxes()[1].flags);
        }
    }
}

TEST_F(Entries, ADeletionThatFailsSaysSo) {
    sandbox::SetText(kShell + "\\Solo\\command", "", "x.exe");
    Items listed;
    Run({[] { host::SetElevated(false); }, DoubleClickItem("Solo"), [&] { listed = Listed(); }});
    ASSERT_EQ(2u, Boxes().size());
    EXPECT_EQ(std::string(texts::kDeletedPrefix) + "Solo" + texts::kDeleteFailedSuffix,
              Boxes()[1].text);
    EXPECT_EQ(kMbIconHand | kMbTaskModal, Boxes()[1].flags);
    EXPECT_EQ((Items{{"Solo", 1}}), listed);
}

TEST_F(Entries, RepairPointsTheCascadeIconAtTheProgram) {
    struct Case {
        const char* label;
        bool cascade;
        bool elevated;
    };
    for (const Case& c : {Case{"with a cascade", true, true}, Case{"without one", false, true},
                          Case{"without rights", true, false}}) {
        host::ResetPlatform();
        host::SetModuleFileName("D:\\Moved\\Ventrix.exe");
        if (c.cascade) {
            sandbox::SetText(kCascade, "", "");
            sandbox::SetText(kCascade, "Icon", "C:\\Old\\Ventrix.exe");
        }
        host::SetElevated(c.elevated);
        Items listed;
        Run({[] { host::Click(Main(), kButtonRepairId); }, [&] { listed = Listed(); }});
        ASSERT_EQ(1u, Boxes().size()) << c.label;
        EXPECT_EQ(texts::kRepairDone, Boxes()[0].text) << c.label;
        EXPECT_EQ((c.elevated ? kMbIconInformation : kMbIconHand) | kMbTaskModal, Boxes()[0].flags)
            << c.label;
        std::string icon = Text(kCascade, "Icon");
        EXPECT_EQ(c.elevated  ? "D:\\Moved\\Ventrix.exe"
                  : c.cascade ? "C:\\Old\\Ventrix.exe"
                              : "<absent>",
                  icon)
            << c.label;
        if (!c.cascade && c.elevated) {
            EXPECT_EQ("<absent>", Text(kCascade, "")) << c.label;
        }
    }
}

TEST_F(Entries, DroppedFilesOneAfterAnother) {
    host::AddShortcut("C:\\Links\\Tool.LNK", "C:\\Apps\\TOOL.EXE");
    host::AddShortcut("C:\\Links\\Readme.lnk", "C:\\Docs\\a.txt");
    host::AddShortcut("C:\\Links\\Folder.lnk", "C:\\Docs");
    host::AddShortcut("C:\\Links\\Nothing.lnk", "");
    struct Opened {
        std::string selected;
        std::string shortcut;
        std::vector<std::string> candidates;
    };
    std::vector<Opened> opened;
    Step record = [&] { opened.push_back({selectedPath, shortcutName, Candidates()}); };
    Run({Drop({"C:\\x\\a.exe", "C:\\x\\b.txt", "C:\\x\\SETUP.EXE", "C:\\Links\\Tool.LNK",
               "C:\\Links\\Readme.lnk", "C:\\Links\\Folder.lnk", "C:\\Links\\Nothing.lnk",
               "C:\\Tools", "C:\\x\\archive.tar.exe", "C:\\x\\c.exe"}),
         record, Cancel(), record, Cancel(), record, Cancel(), record, Cancel(), record, Cancel()});
    ASSERT_EQ(5u, opened.size());
    EXPECT_EQ("C:\\x\\a.exe", opened[0].selected);
    EXPECT_EQ((std::vector<std::string>{"a"}), opened[0].candidates);
    EXPECT_EQ("C:\\x\\SETUP.EXE", opened[1].selected);
    EXPECT_EQ("C:\\Apps\\TOOL.EXE", opened[2].selected);
    EXPECT_EQ("Tool", opened[2].shortcut);
    EXPECT_EQ((std::vector<std::string>{"TOOL", "Tool"}), opened[2].candidates);
    EXPECT_EQ("C:\\x\\archive.tar.exe", opened[3].selected);
    EXPECT_EQ((std::vector<std::string>{"archive.tar"}), opened[3].candidates);
    // After refused shortcuts their names are not offered.
    EXPECT_EQ("", opened[4].shortcut);
    EXPECT_EQ((std::vector<std::string>{"c"}), opened[4].candidates);
    const std::string refused = texts::kNotAnExecutableSuffix;
    EXPECT_EQ((std::vector<std::string>{"b.txt" + refused, "a.txt" + refused, "Docs" + refused,
                                        refused, "Tools" + refused}),
              Messages());
    EXPECT_TRUE(selectedPath.empty());
    EXPECT_TRUE(shortcutName.empty());
}

TEST_F(Entries, CandidatesFromTheVersionResource) {
    struct Case {
        const char* label;
        std::string block;
        std::vector<std::string> candidates;
    };
    const std::string path = "C:\\Apps\\tool.exe";
    std::string longText;
    for (int i = 0; i < 150; ++i) {
        longText += "长";  // 300 bytes
    }
    for (const Case& c : {
             Case{"the same text twice",
                  host::BuildVersionBlock({{0x0804, 0x04B0}}, {{"080404b0",
                                                                {{"FileDescription", "Tool Suite"},
                                                                 {"ProductName", "Tool Suite"}}}}),
                  {"Tool Suite", "Tool Suite", "tool"}},
             Case{"no translation table: 040904E4",
                  host::BuildVersionBlock({}, {{"040904E4", {{"ProductName", "Product"}}},
                                               {"080404b0", {{"ProductName", "Wrong"}}}}),
                  {"Product", "tool"}},
             Case{"a table the translation does not name",
                  host::BuildVersionBlock({{0x0409, 0x04B0}},
                                          {{"080404b0", {{"ProductName", "X"}}}}),
                  {"tool"}},
             Case{"texts longer than 255 bytes are cut between characters",
                  host::BuildVersionBlock({{0x0804, 0x03A8}},
                                          {{"080403a8", {{"FileDescription", longText}}}}),
                  {longText.substr(0, 254), "tool"}},
             Case{"no version resource", "", {"tool"}},
         }) {
        host::ResetPlatform();
        if (!c.block.empty()) {
            host::AddVersionInfo(path, c.block);
        }
        host::AnswerOpenFileDialogs({path});
        std::vector<std::string> candidates;
        Run({[] { host::DoubleClick(Main(), kLabelDropId); }, [&] { candidates = Candidates(); },
             Cancel()});
        EXPECT_EQ(c.candidates, candidates) << c.label;
    }
}

TEST_F(Entries, VersionFieldsAndLanguages) {
    const std::string path = "C:\\Apps\\v.exe";
    host::AddVersionInfo(path, host::BuildVersionBlock({{0x0804, 0x04B0}, {0x0409, 0x04E4}},
                                                       {{"080404b0",
                                                         {{"FileVersion", "1.2"},
                                                          {"CompanyName", "公司"},
                                                          {"Comments", "c"},
                                                          {"OriginalFilename", "v.exe"}}}}));
    VersionInfo info;
    info.productName = "stale";
    EXPECT_EQ(1, ReadVersionInfo(path, info));
    EXPECT_EQ("1.2", info.fileVersion);
    EXPECT_EQ("公司", info.companyName);
    EXPECT_EQ("c", info.comments);
    EXPECT_EQ("v.exe", info.originalFilename);
    EXPECT_EQ("", info.productName);
    EXPECT_EQ("Chinese (Simplified), English (United States)", info.languages);
    EXPECT_EQ(0, ReadVersionInfo("C:\\none.exe", info));
    EXPECT_EQ("", info.fileVersion);
}

TEST_F(Entries, TheFileDialog) {
    host::AnswerOpenFileDialogs(
        {std::nullopt, std::string("C:\\Apps\\first.exe"), std::string("C:\\Apps\\notes.txt")});
    std::vector<std::string> selected;
    Items listed;
    Run({[] { host::DoubleClick(Main(), kLabelDropId); },  // cancelled
         [] { host::DoubleClick(Main(), kLabelDropId); }, [&] { selected.push_back(selectedPath); },
         Name("First"), Use(), [] { host::DoubleClick(Main(), kLabelDropId); },
         [&] { selected.push_back(selectedPath); }, Cancel(), [&] { listed = Listed(); }});
    std::vector<host::OpenFileCall> calls = host::OpenFileDialogs();
    ASSERT_EQ(3u, calls.size());
    const char filter[] = "可执行文件(*.exe)\0*.exe\0";
    EXPECT_EQ(std::string(filter, sizeof filter), calls[0].filter);
    EXPECT_EQ(1u, calls[0].filterIndex);
    EXPECT_EQ(kOfnHideReadOnly | kOfnFileMustExist | kOfnPathMustExist | kOfnOverwritePrompt,
              calls[0].flags);
    EXPECT_EQ("", calls[0].initialFile);
    EXPECT_EQ("", calls[1].initialFile);
    EXPECT_EQ("C:\\Apps\\first.exe", calls[2].initialFile);
    // A name typed into the dialog is taken whatever its extension.
    EXPECT_EQ((std::vector<std::string>{"C:\\Apps\\first.exe", "C:\\Apps\\notes.txt"}), selected);
    EXPECT_EQ((Items{{"First", 1}}), listed);
}

TEST_F(Entries, ClosingTheNameWindowClearsTheSelection) {
    host::AddShortcut("C:\\Links\\My Tool.lnk", "C:\\Apps\\tool.exe");
    AddApp("C:\\Apps\\tool.exe", "Tool Suite", "");
    for (int way = 0; way < 3; ++way) {
        Run({Drop({"C:\\Links\\My Tool.lnk"}), [way] {
                 if (way == 0) {
                     host::PressEscape(NameWindow());
                 } else if (way == 1) {
                     host::PressCloseBox(NameWindow());
                 } else {
                     host::Click(NameWindow(), kButtonCancelId);
                 }
             }});
        EXPECT_TRUE(selectedPath.empty()) << way;
        EXPECT_TRUE(shortcutName.empty()) << way;
    }
}

TEST_F(Entries, ADropDuringARefreshIsDroppedAndReleased) {
    sandbox::CreateKey(kShell + "\\A");
    Run({[] {
        host::SetMessageDispatcher([] {
            DropHandle drop = host::MakeDrop({"C:\\x\\a.exe"});
            SendMessageA(Main(), kWmDropFiles, reinterpret_cast<WParam>(drop), 0);
            host::DoubleClick(Main(), kEntryListId);
            host::DoubleClick(Main(), kLabelDropId);
            host::Click(Main(), kButtonRepairId);
        });
        host::RightButtonUp(Main(), kEntryListId);
        host::SetMessageDispatcher(nullptr);
    }});
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(host::OpenFileDialogs().empty());
    EXPECT_EQ(1u, host::TopLevelWindows().size() + 1);
}

}  // namespace

namespace {

// Names and paths that users and other software really produce: each ends in the documented
// message or a sound refusal, and nothing outside the entry changes.
TEST_F(Entries, HostileNamesAndPaths) {
    std::string longName;
    for (int i = 0; i < 255; ++i) {
        longName += "长";
    }
    std::string longPath = "C:\\";
    while (longPath.size() < 300) {
        longPath += "very long folder name\\";
    }
    longPath += "tool.exe";
    struct Case {
        const char* label;
        std::string path;
        std::string name;
        bool secondLevel;
        const char* message;
    };
    for (const Case& c : {
             // Its key path is longer than the registry's 8-bit calls take: refused, and said.
             Case{"255 two-byte characters", kApp, longName, false, texts::kInstallFailed},
             Case{"255 two-byte characters, second level", kApp, longName, true,
                  texts::kInstallFailed},
             Case{"a name ending in a second byte of 0x5C", kApp, "名乗", true,
                  texts::kInstallSucceeded},
             Case{"quotes, percent signs and ampersands", kApp, "\"%PATH%\" & 'x'", false,
                  texts::kInstallSucceeded},
             Case{"a path longer than 260 bytes", longPath, "Long", false,
                  texts::kInstallSucceeded},
         }) {
        host::ResetPlatform();
        sandbox::SetText(kShell + "\\Keep\\command", "", "keep.exe");
        std::map<std::string, std::string> before = host::RegistrySnapshot();
        std::vector<Step> steps = {Drop({c.path}), Name(c.name)};
        if (c.secondLevel) {
            steps.push_back(SecondLevel());
        }
        steps.push_back(Use());
        Run(steps);
        EXPECT_EQ(std::vector<std::string>{c.message}, Messages()) << c.label;
        std::map<std::string, std::string> after = host::RegistrySnapshot();
        EXPECT_EQ(before[kShell + "\\Keep\\command"], after[kShell + "\\Keep\\command"]) << c.label;
        bool succeeded = std::string(c.message) == texts::kInstallSucceeded;
        std::string entry = (c.secondLevel ? kCascadeShell : kShell) + "\\" + c.name;
        if (succeeded) {
            EXPECT_EQ("\"" + c.path + "\"", Text(entry + "\\command", "")) << c.label;
        } else {
            for (const auto& [key, values] : after) {
                EXPECT_TRUE(before.count(key) != 0 || key.rfind(kCascade, 0) == 0)
                    << c.label << ": " << key;
            }
        }
    }
}

}  // namespace

namespace {

TEST_F(Entries, NameChoiceWindowFollowsItsLayout) {
    host::SetScreenSize(1024, 768);
    std::optional<host::WindowInfo> window;
    std::vector<std::optional<host::WindowInfo>> controls;
    bool mainEnabled = true;
    bool mainEnabledAfter = false;
    WindowHandle main = nullptr;
    Run({Drop({kApp}),
         [&] {
             main = Main();
             window = host::Describe(NameWindow());
             mainEnabled = host::Describe(Main())->enabled;
             for (std::size_t i = 0; i < kNameChoiceLayout.controlCount; ++i) {
                 controls.push_back(
                     host::Describe(GetControl(NameWindow(), kNameChoiceLayout.controls[i].id)));
             }
         },
         Cancel(), [&] { mainEnabledAfter = host::Describe(Main())->enabled; }});
    ASSERT_TRUE(window);
    EXPECT_EQ(texts::kNameChoiceTitle, window->text);
    EXPECT_EQ(380, window->width);
    EXPECT_EQ(256, window->height);
    EXPECT_EQ((1024 - 380) / 2, window->left);
    EXPECT_EQ((768 - 256) / 2, window->top);
    EXPECT_EQ(main, window->owner);
    EXPECT_FALSE(mainEnabled) << "the main window takes input while the name window is open";
    EXPECT_EQ(0u, window->style & (kWsMaximizeBox | kWsThickFrame));
    ASSERT_EQ(7u, controls.size());
    const char* kinds[] = {"LISTBOX", "STATIC", "EDIT", "BUTTON", "BUTTON", "BUTTON", "BUTTON"};
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlLayout& layout = kNameChoiceLayout.controls[i];
        ASSERT_TRUE(controls[i]) << layout.formName;
        EXPECT_EQ(kinds[i], controls[i]->className) << layout.formName;
        EXPECT_EQ(layout.left, controls[i]->left) << layout.formName;
        EXPECT_EQ(layout.top, controls[i]->top) << layout.formName;
        EXPECT_EQ(layout.width, controls[i]->width) << layout.formName;
        EXPECT_EQ(layout.height, controls[i]->height) << layout.formName;
        EXPECT_EQ(layout.text, controls[i]->text) << layout.formName;
    }
    EXPECT_EQ(std::string(texts::kRadioFirstLevel), controls[3]->text);
    EXPECT_EQ(0u, controls[0]->style & kLbsSort);
    EXPECT_TRUE(mainEnabledAfter);
}

}  // namespace
