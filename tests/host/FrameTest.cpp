// Start-up, the elevation decision, the main window and the entry list, over the host
// stand-ins of the process and of the window toolkit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Elevation.h"
#include "app/Globals.h"
#include "app/Program.h"
#include "common/Texts.h"
#include "platform/host/HostControl.h"
#include "platform/host/HostPlatform.h"
#include "support/Sandbox.h"
#include "ui/MainWindow.h"

namespace {

using namespace platform;
namespace host = platform::host;

const std::string kShell = texts::kShellKeyPath;
const std::string kCascadeShell = texts::kCascadeShellKeyPath;

class Frame : public ::testing::Test {
  protected:
    void SetUp() override { host::ResetPlatform(); }
    void TearDown() override {
        EXPECT_EQ(0u, host::OpenKeyHandleCount()) << "registry keys left open";
        EXPECT_EQ(0u, host::OpenProcessHandleCount()) << "token handles left open";
    }

    // Runs the program; `steps` act as the user once the window is up.
    host::ProcessEnd Run(std::vector<std::function<void()>> steps) {
        host::SetUserSteps(std::move(steps));
        return host::RunProcess(RunProgram);
    }

    static WindowHandle Main() {
        std::vector<WindowHandle> windows = host::TopLevelWindows();
        return windows.empty() ? nullptr : windows.front();
    }

    static std::vector<std::pair<std::string, LParam>> Listed() {
        return host::ListItems(GetControl(Main(), kEntryListId));
    }

    // The names of the key's subkeys in the registry's own order.
    static std::vector<std::string> Enumerated(const std::string& keyPath) {
        std::vector<std::string> names;
        RegistryAccess().EnumSubkeys(keyPath, names);
        return names;
    }
};

TEST_F(Frame, ClosingEndsWithCodeZeroAfterOneCleanUp) {
    for (bool escape : {false, true}) {
        host::ResetPlatform();
        host::ProcessEnd end =
            Run({[escape] { escape ? host::PressEscape(Main()) : host::PressCloseBox(Main()); }});
        EXPECT_EQ(0, end.exitCode);
        EXPECT_FALSE(end.byExitProcess);
        EXPECT_EQ(1, host::OleInitializeCount());
        EXPECT_EQ(1, host::OleUninitializeCount());
        EXPECT_EQ(nullptr, registry);
        EXPECT_EQ(nullptr, versionInfo);
        EXPECT_TRUE(host::TopLevelWindows().empty());
        EXPECT_TRUE(host::ShellExecutes().empty());
    }
}

TEST_F(Frame, RunDirectoryAndExecutableName) {
    struct Case {
        std::string module;
        std::string directory;
        std::string name;
        std::string currentDirectory;
    };
    for (const Case& c : {
             Case{"C:\\Tools\\Ventrix.exe", "C:\\Tools", "Ventrix.exe", "C:\\Tools\\"},
             Case{"C:\\Ventrix.exe", "C:", "Ventrix.exe", "C:\\"},
             Case{"D:\\My Tools\\快捷\\V.exe", "D:\\My Tools\\快捷", "V.exe",
                  "D:\\My Tools\\快捷\\"},
         }) {
        host::ResetPlatform();
        host::SetModuleFileName(c.module);
        Run({[] { host::PressCloseBox(Main()); }});
        EXPECT_EQ(c.directory, runDirectory) << c.module;
        EXPECT_EQ(c.name, executableName) << c.module;
        EXPECT_EQ(c.module, OwnExecutablePath());
        EXPECT_EQ(c.currentDirectory, host::CurrentDirectory());
    }
}

TEST_F(Frame, ElevationDecision) {
    struct Case {
        const char* label;
        std::uint32_t version;
        host::TokenAnswer token;
        bool elevated;
    };
    for (const Case& c : {
             Case{"6.1 elevated", 0x1DB10106, {true, 1, 4}, true},
             Case{"6.1 limited", 0x1DB10106, {true, 0, 4}, false},
             Case{"6.0 itself asks the token", 0x17700006, {true, 0, 4}, false},
             Case{"10.0 elevated", 0x4A61000A, {true, 1, 4}, true},
             Case{"odd returned length", 0x1DB10106, {true, 1, 8}, false},
             Case{"token will not open", 0x1DB10106, {false, 1, 4}, false},
             Case{"5.1 has no elevation", 0x0A280105, {true, 0, 4}, true},
         }) {
        host::ResetPlatform();
        host::SetVersion(c.version);
        host::SetToken(c.token);
        EXPECT_EQ(c.elevated, IsProcessElevated()) << c.label;
        EXPECT_EQ(0u, host::OpenProcessHandleCount()) << c.label;
    }
}

TEST_F(Frame, ALimitedProcessRelaunchesElevatedAndEnds) {
    struct Case {
        std::string module;
        std::string relaunched;
        bool shellSucceeds;
    };
    for (const Case& c : {
             Case{"C:\\Tools\\Ventrix.exe", "C:\\Tools\\Ventrix.exe", true},
             Case{"C:\\Ventrix.exe", "C:\\Ventrix.exe", true},
             Case{"C:\\Tools\\Ventrix.exe", "C:\\Tools\\Ventrix.exe", false},  // prompt declined
         }) {
        host::ResetPlatform();
        host::SetModuleFileName(c.module);
        host::SetToken({true, 0, 4});
        host::SetShellExecuteResult(c.shellSucceeds);
        sandbox::CreateKey(kShell + "\\Entry");
        host::ProcessEnd end = Run({});
        EXPECT_TRUE(end.byExitProcess);
        EXPECT_EQ(0, end.exitCode);
        ASSERT_EQ(1u, host::ShellExecutes().size());
        host::ShellExecuteCall call = host::ShellExecutes()[0];
        EXPECT_EQ(kSeeMaskNoAsync, call.mask);
        EXPECT_EQ("runas", call.verb);
        EXPECT_EQ(c.relaunched, call.file);
        EXPECT_EQ(std::optional<std::string>(kRelaunchParameter), call.parameters);
        EXPECT_EQ(std::nullopt, call.directory);
        EXPECT_EQ(kSwShowDefault, call.show);
        // The window was made but never shown, prepared or filled, and nothing was asked.
        std::optional<host::WindowInfo> window = host::Describe(Main());
        ASSERT_TRUE(window);
        EXPECT_FALSE(window->visible);
        EXPECT_FALSE(window->acceptsFiles);
        EXPECT_NE(MainWindowProc, window->procedure);
        EXPECT_TRUE(Listed().empty());
        EXPECT_TRUE(host::MessageBoxes().empty());
        EXPECT_TRUE(host::MessageFilterCalls().empty());
        EXPECT_EQ(1, host::OleUninitializeCount());
    }
}

TEST_F(Frame, ARelaunchThatStaysLimitedShowsTheWindowWithoutRelaunchingAgain) {
    host::SetToken({true, 0, 4});
    host::SetCommandLine("\"C:\\Tools\\Ventrix.exe\" /elevated");
    sandbox::CreateKey(kShell + "\\Entry");
    bool shown = false;
    host::ProcessEnd end = Run({[&] {
        shown = host::Describe(Main())->visible;
        host::PressCloseBox(Main());
    }});
    EXPECT_TRUE(shown);
    EXPECT_FALSE(end.byExitProcess);
    EXPECT_TRUE(host::ShellExecutes().empty());
}

TEST_F(Frame, RelaunchParameterIsRecognisedOnlyAlone) {
    struct Case {
        std::string commandLine;
        bool relaunched;
    };
    for (const Case& c : {
             Case{"\"C:\\Tools\\Ventrix.exe\" /elevated", true},
             Case{"C:\\Tools\\Ventrix.exe /elevated", true},
             Case{"\"C:\\My Tools\\Ventrix.exe\"   /elevated  ", true},
             Case{"\"C:\\Tools\\Ventrix.exe\"", false},
             Case{"\"C:\\elevated\\Ventrix.exe\"", false},
             Case{"\"C:\\Tools\\Ventrix.exe\" /elevated more", false},
             Case{"", false},
         }) {
        EXPECT_EQ(c.relaunched, StartedByRelaunch(c.commandLine)) << c.commandLine;
    }
}

TEST_F(Frame, MainWindowFollowsItsLayout) {
    host::SetScreenSize(1024, 768);
    std::optional<host::WindowInfo> window;
    std::vector<std::optional<host::WindowInfo>> controls;
    Run({[&] {
        window = host::Describe(Main());
        for (std::size_t i = 0; i < kMainWindowLayout.controlCount; ++i) {
            controls.push_back(
                host::Describe(GetControl(Main(), kMainWindowLayout.controls[i].id)));
        }
        host::PressCloseBox(Main());
    }});
    ASSERT_TRUE(window);
    EXPECT_EQ(texts::kMainTitle, window->text);
    EXPECT_EQ(574, window->width);
    EXPECT_EQ(387, window->height);
    EXPECT_EQ((1024 - 574) / 2, window->left);
    EXPECT_EQ((768 - 387) / 2, window->top);
    EXPECT_TRUE(window->visible);
    std::uint32_t wanted = kWsCaption | kWsSysMenu | kWsMinimizeBox | kWsClipChildren | kWsDlgFrame;
    EXPECT_EQ(wanted, window->style & wanted);
    EXPECT_EQ(0u, window->style & (kWsMaximizeBox | kWsThickFrame));
    EXPECT_TRUE(window->acceptsFiles);
    EXPECT_EQ(MainWindowProc, window->procedure);
    EXPECT_NE(nullptr, previousWindowProc);

    ASSERT_EQ(8u, controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlLayout& layout = kMainWindowLayout.controls[i];
        ASSERT_TRUE(controls[i]) << layout.formName;
        ClientRect place = PlaceInClient(kMainWindowLayout, layout);
        EXPECT_EQ(place.left, controls[i]->left) << layout.formName;
        EXPECT_EQ(place.top, controls[i]->top) << layout.formName;
        EXPECT_EQ(place.width, controls[i]->width) << layout.formName;
        EXPECT_EQ(place.height, controls[i]->height) << layout.formName;
        EXPECT_EQ(layout.text, controls[i]->text) << layout.formName;
        EXPECT_TRUE(controls[i]->defaultGuiFont) << layout.formName;
    }
    // Spot checks against the window's own description, not the table.
    const host::WindowInfo& list = *controls[3];
    EXPECT_EQ("LISTBOX", list.className);
    EXPECT_EQ(16, list.left);
    EXPECT_EQ(147, list.top);
    EXPECT_EQ(
        kLbsNotify | kLbsUseTabStops | kLbsNoIntegralHeight | kWsVScroll,
        list.style & (kLbsNotify | kLbsUseTabStops | kLbsNoIntegralHeight | kWsVScroll | kLbsSort));
    EXPECT_EQ(kWsExClientEdge, list.exStyle & kWsExClientEdge);
    EXPECT_EQ("STATIC", controls[5]->className);
    EXPECT_EQ(0x0000FFu, controls[5]->textColour);
    EXPECT_EQ(0u, controls[1]->textColour);
    EXPECT_EQ(kSsCenter | kSsCenterImage, controls[1]->style & (kSsCenter | kSsCenterImage));
    EXPECT_EQ(kSsCenterImage, controls[5]->style & (kSsCenter | kSsCenterImage));
    EXPECT_EQ(98, controls[5]->left);
    EXPECT_EQ(324, controls[5]->top);
}

TEST_F(Frame, ListItemHeightIsOneMoreThanTheDefault) {
    LResult height = 0;
    Run({[&] {
        height = SendMessageA(GetControl(Main(), kEntryListId), kLbGetItemHeight, 0, 0);
        host::PressCloseBox(Main());
    }});
    EXPECT_EQ(host::kDefaultItemHeight + 1, height);
}

TEST_F(Frame, MessageFilterOnlyAfterVersionFive) {
    struct Case {
        std::uint32_t version;
        bool available;
        std::vector<std::pair<MessageId, std::uint32_t>> calls;
    };
    for (const Case& c : {
             Case{0x1DB10106, true, {{kWmCopyGlobalData, kMsgFltAdd}, {kWmDropFiles, kMsgFltAdd}}},
             Case{0x1DB10106, false, {}},  // the function is missing: the program still starts
             Case{0x0A280105, true, {}},
         }) {
        host::ResetPlatform();
        host::SetVersion(c.version);
        host::SetMessageFilterAvailable(c.available);
        bool shown = false;
        Run({[&] {
            shown = host::Describe(Main())->visible;
            host::PressCloseBox(Main());
        }});
        EXPECT_TRUE(shown) << std::hex << c.version;
        EXPECT_EQ(c.calls, host::MessageFilterCalls()) << std::hex << c.version;
    }
}

TEST_F(Frame, ListShowsFirstLevelThenSecondLevelNames) {
    struct Case {
        const char* label;
        std::vector<std::string> firstLevel;
        std::vector<std::string> secondLevel;
    };
    for (const Case& c : {
             Case{"no shell key", {}, {}},
             Case{"first level only", {"Zeta", "记事本", "alpha", " blank"}, {}},
             Case{"with the cascade", {"Alpha", "Zulu"}, {"计算器", "Beta"}},
             Case{"a name at both levels", {"Same", "Other"}, {"Same"}},
         }) {
        host::ResetPlatform();
        for (const std::string& name : c.firstLevel) {
            sandbox::CreateKey(kShell + "\\" + name + "\\command");
        }
        for (const std::string& name : c.secondLevel) {
            sandbox::CreateKey(kCascadeShell + "\\" + name + "\\command");
        }
        std::vector<std::pair<std::string, LParam>> listed;
        std::vector<std::pair<std::string, LParam>> again;
        std::size_t shown = 0;
        Run({[&] {
            listed = Listed();
            host::RightButtonUp(Main(), kEntryListId);
            again = Listed();
            shown = host::MessageBoxes().size();
            host::PressCloseBox(Main());
        }});
        std::vector<std::pair<std::string, LParam>> expected;
        std::vector<std::string> first = Enumerated(kShell);
        std::vector<std::string> second = Enumerated(kCascadeShell);
        for (std::size_t i = 0; i < first.size(); ++i) {
            expected.emplace_back(first[i], static_cast<LParam>(i + 1));
        }
        for (std::size_t i = 0; i < second.size(); ++i) {
            expected.emplace_back(second[i], static_cast<LParam>(i + 1));
        }
        EXPECT_EQ(c.firstLevel.size() + (c.secondLevel.empty() ? 0 : 1) + c.secondLevel.size(),
                  listed.size())
            << c.label;
        EXPECT_EQ(expected, listed) << c.label;
        EXPECT_EQ(expected, again) << c.label;
        EXPECT_EQ(0u, shown) << c.label;
    }
}

TEST_F(Frame, RightButtonReleaseRefreshesTheList) {
    std::vector<std::pair<std::string, LParam>> before;
    std::vector<std::pair<std::string, LParam>> after;
    Run({[&] {
        before = Listed();
        sandbox::CreateKey(kShell + "\\New");
        host::RightButtonUp(Main(), kEntryListId);
        after = Listed();
        host::PressCloseBox(Main());
    }});
    EXPECT_TRUE(before.empty());
    EXPECT_EQ((std::vector<std::pair<std::string, LParam>>{{"New", 1}}), after);
}

// Messages that arrive while a listing lets waiting messages run: painting and the like go
// on, but no user action starts in the middle of the refresh.
TEST_F(Frame, UserActionsWaitUntilARefreshHasEnded) {
    for (const char* name : {"A", "B", "C"}) {
        sandbox::CreateKey(kShell + "\\" + name);
    }
    int dispatches = 0;
    bool aliveAfterRefresh = false;
    std::vector<std::pair<std::string, LParam>> listed;
    Run({[&] {
        host::SetMessageDispatcher([&] {
            ++dispatches;
            host::RightButtonUp(Main(), kEntryListId);
            host::PressEscape(Main());
            host::PressCloseBox(Main());
        });
        host::RightButtonUp(Main(), kEntryListId);
        host::SetMessageDispatcher(nullptr);
        aliveAfterRefresh = IsWindow(Main());
        listed = Listed();
        host::PressEscape(Main());
    }});
    EXPECT_EQ(3, dispatches);
    EXPECT_TRUE(aliveAfterRefresh);
    EXPECT_EQ((std::vector<std::pair<std::string, LParam>>{{"A", 1}, {"B", 2}, {"C", 3}}), listed);
    EXPECT_TRUE(host::TopLevelWindows().empty());
}

}  // namespace

namespace {

// Filling the list with redrawing on would draw it once per item.
TEST_F(Frame, TheListIsFilledWithRedrawingOffAndDrawnOnceFull) {
    for (int i = 0; i < 20; ++i) {
        sandbox::CreateKey(kShell + "\\Entry" + std::to_string(i));
    }
    std::optional<host::WindowInfo> list;
    Run({[&] {
        host::RightButtonUp(Main(), kEntryListId);
        list = host::Describe(GetControl(Main(), kEntryListId));
        host::AnswerMessageBoxes({2});
        host::PressCloseBox(Main());
    }});
    ASSERT_TRUE(list);
    EXPECT_EQ(0, list->redrawnAdds);
    EXPECT_TRUE(list->redraw);
    EXPECT_EQ(2, list->invalidations);  // the first fill and the refresh
}

}  // namespace
