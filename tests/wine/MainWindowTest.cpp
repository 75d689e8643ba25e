// The main window seen from outside, as a user meets it: Ventrix.exe is started over a
// registry that holds a few background menu entries, its window is read through user32 from
// this process, photographed, and closed with the Esc key.
//
// usage: main_window_tests PATH-OF-Ventrix.exe
// With VENTRIX_SCREENSHOT set, the window is saved there as a 24-bit BMP.
#include <windows.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/Texts.h"
#include "platform/Window.h"
#include "tests/wine/support/ProgramDriver.h"
#include "ui/MainWindow.h"

namespace {

using driver::KeyExists;
using driver::ListItemText;
using driver::Subkeys;
using driver::WindowsPath;
using driver::WindowText;

std::string programPath;

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;

constexpr char kShellSub[] = "SOFTWARE\\Classes\\Directory\\Background\\shell";
constexpr char kCascadeSub[] = "SOFTWARE\\Classes\\Directory\\Background\\shell\\ShortCut\\shell";

// The entries the program finds: first-level ones below the shell key (ShortCut is the
// cascade), second-level ones below the cascade's shell key.
const char* const kFirstLevel[] = {"Alpha Tool", "记事本", "ShortCut", "命令提示符", "zeta"};
const char* const kSecondLevel[] = {"Calculator", "画图"};

// Creates every missing level of `sub` and sets its default value when `text` is given.
void MakeKey(const std::string& sub, const char* text) {
    driver::Key key;
    ASSERT_EQ(ERROR_SUCCESS, key.Create(sub)) << sub;
    if (text != nullptr) {
        EXPECT_EQ(ERROR_SUCCESS, driver::SetText(key, nullptr, text));
    }
}

BOOL CALLBACK CountChild(HWND window, LPARAM lParam) {
    auto* counted = reinterpret_cast<std::pair<HWND, int>*>(lParam);
    if (::GetParent(window) == counted->first) {
        ++counted->second;
    }
    return TRUE;
}

// Each case seeds the menu keys, starts the program and finds its window; afterwards the
// program is gone and the seeded keys are removed.
class MainWindowE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(programPath.empty()) << "usage: main_window_tests PATH-OF-Ventrix.exe";
        ASSERT_EQ(936u, ::GetACP()) << "the program's texts are code page 936";
        for (const char* name : kFirstLevel) {
            ASSERT_FALSE(KeyExists(std::string(kShellSub) + "\\" + name))
                << "the entry is there already; this case would remove it";
        }
        before = Subkeys(kShellSub);
        seeded = true;
        for (const char* name : kFirstLevel) {
            std::string entry = std::string(kShellSub) + "\\" + name;
            if (std::string(name) == "ShortCut") {
                MakeKey(entry, nullptr);
                for (const char* child : kSecondLevel) {
                    MakeKey(std::string(kCascadeSub) + "\\" + child + "\\command",
                            "C:\\windows\\system32\\notepad.exe");
                }
            } else {
                MakeKey(entry + "\\command", "C:\\windows\\system32\\notepad.exe \"%V\"");
            }
        }
        ASSERT_NO_FATAL_FAILURE(Start());
    }

    void TearDown() override {
        program.End(kExitTimeoutMs);
        if (seeded) {
            for (const char* name : kFirstLevel) {
                ::RegDeleteTreeA(HKEY_LOCAL_MACHINE,
                                 (std::string(kShellSub) + "\\" + name).c_str());
            }
        }
    }

    void Start() {
        ASSERT_TRUE(program.Start(programPath)) << programPath << ": error " << ::GetLastError();
        window = driver::WaitForTopLevel(program, nullptr, texts::kMainTitle, kStartTimeoutMs, 50);
        ASSERT_TRUE(window != nullptr || program.Running())
            << "the program ended before showing its window";
        ASSERT_NE(nullptr, window) << "no visible window titled " << texts::kMainTitle;
        list = ::GetDlgItem(window, kEntryListId);
        // Returns once the program's thread is back in its message loop.
        driver::AwaitMessageLoop(window);
    }

    // Presses and releases Esc in `target`, as the keyboard would deliver it.
    void PressEscape(HWND target) {
        ::PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        ::PostMessageA(target, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001u));
    }

    // Closing asks whether to back up first; Cancel leaves no Backup.reg beside the program.
    void DeclineBackupOnClose() {
        driver::Box box = driver::AwaitBox(program, kExitTimeoutMs, 50);
        ASSERT_NE(nullptr, box.dialog) << "no question on closing";
        EXPECT_EQ(texts::kBackupBeforeClose, box.text);
        driver::Click(box.dialog, IDCANCEL);
    }

    void ExpectEndsWithCodeZero() {
        ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), program.Wait(kExitTimeoutMs))
            << "the program did not end";
        DWORD exitCode = 1;
        ASSERT_TRUE(program.ExitCode(&exitCode));
        EXPECT_EQ(0u, exitCode);
        EXPECT_FALSE(::IsWindow(window));
    }

    driver::Program program;
    HWND window = nullptr;
    HWND list = nullptr;
    std::vector<std::string> before;  // the first-level entries there were before seeding
    bool seeded = false;
};

TEST_F(MainWindowE2E, FrameIsFixedSizeCentredDialogFrame) {
    RECT outer;
    ASSERT_TRUE(::GetWindowRect(window, &outer));
    EXPECT_EQ(574, outer.right - outer.left);
    EXPECT_EQ(387, outer.bottom - outer.top);
    EXPECT_EQ((::GetSystemMetrics(SM_CXSCREEN) - 574) / 2, outer.left);
    EXPECT_EQ((::GetSystemMetrics(SM_CYSCREEN) - 387) / 2, outer.top);

    auto style = static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE));
    struct {
        const char* name;
        DWORD bits;
        bool present;
    } const cases[] = {
        {"WS_CAPTION", WS_CAPTION, true},          {"WS_SYSMENU", WS_SYSMENU, true},
        {"WS_MINIMIZEBOX", WS_MINIMIZEBOX, true},  {"WS_CLIPCHILDREN", WS_CLIPCHILDREN, true},
        {"WS_MAXIMIZEBOX", WS_MAXIMIZEBOX, false}, {"WS_THICKFRAME", WS_THICKFRAME, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.present, (style & c.bits) == c.bits)
            << c.name << " in style 0x" << std::hex << style;
    }
}

TEST_F(MainWindowE2E, ControlsHaveTheLayoutsTextsAndPlaces) {
    std::pair<HWND, int> children{window, 0};
    ::EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&children));
    EXPECT_EQ(static_cast<int>(kMainWindowLayout.controlCount), children.second);

    for (std::size_t i = 0; i < kMainWindowLayout.controlCount; ++i) {
        const platform::ControlLayout& control = kMainWindowLayout.controls[i];
        SCOPED_TRACE("control id " + std::to_string(control.id));
        HWND child = ::GetDlgItem(window, control.id);
        ASSERT_NE(nullptr, child);
        if (control.kind != platform::ControlKind::ListBox) {
            EXPECT_EQ(std::string(control.text), WindowText(child));
        }
        RECT place;
        ASSERT_TRUE(::GetWindowRect(child, &place));
        ::MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&place), 2);
        platform::ClientRect expected = platform::PlaceInClient(kMainWindowLayout, control);
        EXPECT_EQ(expected.left, place.left);
        EXPECT_EQ(expected.top, place.top);
        EXPECT_EQ(expected.width, place.right - place.left);
        EXPECT_EQ(expected.height, place.bottom - place.top);
    }
}

TEST_F(MainWindowE2E, EntryListShowsBothLevelsInEnumerationOrder) {
    ASSERT_NE(nullptr, list);
    auto style = static_cast<DWORD>(::GetWindowLongA(list, GWL_STYLE));
    auto exStyle = static_cast<DWORD>(::GetWindowLongA(list, GWL_EXSTYLE));
    EXPECT_EQ(static_cast<DWORD>(LBS_NOTIFY), style & LBS_NOTIFY);
    EXPECT_EQ(static_cast<DWORD>(LBS_USETABSTOPS), style & LBS_USETABSTOPS);
    EXPECT_EQ(static_cast<DWORD>(LBS_NOINTEGRALHEIGHT), style & LBS_NOINTEGRALHEIGHT);
    EXPECT_EQ(0u, style & LBS_SORT);
    EXPECT_EQ(static_cast<DWORD>(WS_EX_CLIENTEDGE), exStyle & WS_EX_CLIENTEDGE);

    // The registry holds what was seeded (on top of what a fresh prefix had: nothing).
    std::vector<std::string> first = Subkeys(kShellSub);
    std::vector<std::string> second = Subkeys(kCascadeSub);
    std::multiset<std::string> expectedFirst(before.begin(), before.end());
    expectedFirst.insert(std::begin(kFirstLevel), std::end(kFirstLevel));
    EXPECT_EQ(expectedFirst, std::multiset<std::string>(first.begin(), first.end()));
    EXPECT_EQ(std::multiset<std::string>(std::begin(kSecondLevel), std::end(kSecondLevel)),
              std::multiset<std::string>(second.begin(), second.end()));

    struct Item {
        std::string text;
        LRESULT data;
        bool operator==(const Item& other) const {
            return text == other.text && data == other.data;
        }
    };
    std::vector<Item> expected;
    for (std::size_t i = 0; i < first.size(); ++i) {
        expected.push_back({first[i], static_cast<LRESULT>(i + 1)});
    }
    for (std::size_t i = 0; i < second.size(); ++i) {
        expected.push_back({second[i], static_cast<LRESULT>(i + 1)});
    }
    std::vector<Item> shown;
    LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        shown.push_back({ListItemText(list, i), ::SendMessageA(list, LB_GETITEMDATA, i, 0)});
    }
    ASSERT_EQ(expected.size(), shown.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].text, shown[i].text) << "item " << i;
        EXPECT_EQ(expected[i].data, shown[i].data) << "item " << i;
    }

    // The vertical scroll bar (WS_VSCROLL) shows only while the items overflow the list, as
    // they do once a few more are added.
    RECT inside;
    ASSERT_TRUE(::GetClientRect(list, &inside));
    LRESULT itemHeight = ::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    ASSERT_GT(itemHeight, 0);
    while (::SendMessageA(list, LB_GETCOUNT, 0, 0) * itemHeight <= inside.bottom) {
        ASSERT_GE(::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"overflow")), 0);
    }
    EXPECT_EQ(static_cast<DWORD>(WS_VSCROLL),
              static_cast<DWORD>(::GetWindowLongA(list, GWL_STYLE)) & WS_VSCROLL);
}

// The window is photographed, then Esc is pressed where the keyboard focus is, in the list
// and on a button: each time the window closes and the program ends with exit code 0.
TEST_F(MainWindowE2E, EscInAnyControlEndsProgramWithCodeZero) {
    // Painting follows the messages already waiting.
    ::Sleep(500);
    driver::Picture picture = driver::CaptureWindow(window);
    ASSERT_FALSE(picture.bits.empty()) << "the screen could not be read";
    if (const char* path = std::getenv("VENTRIX_SCREENSHOT")) {
        EXPECT_TRUE(driver::SaveBitmap(picture, WindowsPath(path))) << path;
    }
    // The form's own background shows between the frame and the first group box.
    POINT inside{2, 2};
    ::ClientToScreen(window, &inside);
    RECT outer;
    ::GetWindowRect(window, &outer);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE),
              picture.At(inside.x - outer.left, inside.y - outer.top));

    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(::GetGUIThreadInfo(program.ThreadId(), &gui));
    HWND focused = gui.hwndFocus != nullptr ? gui.hwndFocus : list;
    PressEscape(focused);
    ASSERT_NO_FATAL_FAILURE(DeclineBackupOnClose());
    ExpectEndsWithCodeZero();

    for (int id : {static_cast<int>(kEntryListId), static_cast<int>(kButtonBackupId)}) {
        SCOPED_TRACE("Esc in control id " + std::to_string(id));
        program.End(kExitTimeoutMs);
        ASSERT_NO_FATAL_FAILURE(Start());
        PressEscape(::GetDlgItem(window, id));
        ASSERT_NO_FATAL_FAILURE(DeclineBackupOnClose());
        ExpectEndsWithCodeZero();
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
