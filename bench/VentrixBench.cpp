// The Windows benchmark of Ventrix: refreshing the list, deleting a large entry, starting the
// program, the exe sizes, the memory, and the cost of dispatching messages while listing; each
// figure against its floor, measured in the same run on the same registry data. Prints one
// table; progress goes to stderr.
//
// usage: ventrix_bench --ventrix EXE --bare EXE --bare-dlls EXE --bare-controls EXE
//                      [--exe32 EXE] [--runs N] [--quick] [--start-only]
// --bare is the empty window, --bare-dlls the same after loading the program's DLLs,
// --bare-controls that with the main window's controls and listed names. EXE paths may
// be Unix paths; they are reached through drive Z:. --quick lists 5,000 entries at most, for trying
// the benchmark out; --start-only measures the starts alone.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/Program.h"
#include "bench/BareControls.h"
#include "bench/BenchProcess.h"
#include "bench/BenchRegistry.h"
#include "bench/BenchTable.h"
#include "common/Texts.h"
#include "menu/Delete.h"
#include "menu/MenuList.h"
#include "platform/Process.h"
#include "tests/wine/support/ProgramDriver.h"
#include "ui/MainWindow.h"
#include "ui/UserInterface.h"

using bench::Samples;
using bench::Unit;
using driver::WindowsPath;

namespace {

constexpr char kBareTitle[] = "BareWindow";
// A median of fewer runs says too little.
constexpr int kFewestRuns = 5;
constexpr int kStartEntries = 100;
constexpr int kSecondLevelEntries = 100;
constexpr int kTreeFanOut = 100;
constexpr char kTreeEntry[] = "删除测试树";
constexpr double kKilobyte = 1024.0;
constexpr double kMegabyte = 1024.0 * 1024.0;

struct Options {
    std::string ventrix;
    std::string bare;
    std::string bareDlls;
    std::string bareControls;
    std::string exe32;
    int runs = 7;
    bool quick = false;
    bool startOnly = false;
};

Options options;
bench::Table table;

void Progress(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::fputs("bench: ", stderr);
    std::vfprintf(stderr, format, arguments);
    std::fputs("\n", stderr);
    std::fflush(stderr);
    va_end(arguments);
}

[[noreturn]] void Fail(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::fputs("bench: FAILED: ", stderr);
    std::vfprintf(stderr, format, arguments);
    std::fputs("\n", stderr);
    va_end(arguments);
    std::exit(1);
}

Options ParseOptions(int argc, char** argv) {
    Options parsed;
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        bool hasValue = i + 1 < argc;
        if (name == "--ventrix" && hasValue) {
            parsed.ventrix = WindowsPath(argv[++i]);
        } else if (name == "--bare" && hasValue) {
            parsed.bare = WindowsPath(argv[++i]);
        } else if (name == "--bare-dlls" && hasValue) {
            parsed.bareDlls = WindowsPath(argv[++i]);
        } else if (name == "--bare-controls" && hasValue) {
            parsed.bareControls = WindowsPath(argv[++i]);
        } else if (name == "--exe32" && hasValue) {
            parsed.exe32 = WindowsPath(argv[++i]);
        } else if (name == "--runs" && hasValue) {
            parsed.runs = std::atoi(argv[++i]);
        } else if (name == "--quick") {
            parsed.quick = true;
        } else if (name == "--start-only") {
            parsed.startOnly = true;
        } else {
            Fail("unknown argument %s", argv[i]);
        }
    }
    if (parsed.ventrix.empty() || parsed.bare.empty() || parsed.bareDlls.empty() ||
        parsed.bareControls.empty() || parsed.runs < kFewestRuns) {
        Fail(
            "usage: ventrix_bench --ventrix EXE --bare EXE --bare-dlls EXE --bare-controls EXE "
            "[--exe32 EXE] "
            "[--runs N >= 5] [--quick] [--start-only]");
    }
    return parsed;
}

std::string Thousands(int count) {
    std::string digits = std::to_string(count);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

// Handles every message waiting for this thread.
void PumpMessages() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

// ---- The message boxes of a deletion, answered in-process -----------------------------------

HHOOK boxHook = nullptr;
std::set<HWND> answeredBoxes;
std::vector<std::string> boxTexts;

// Presses OK of every message box of this thread as soon as it is activated, and keeps its
// text as the box goes (its text is not yet set when it is first activated).
LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE || code == HCBT_DESTROYWND) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[32] = {};
        ::GetClassNameA(window, className, sizeof className);
        if (std::strcmp(className, "#32770") == 0) {
            if (code == HCBT_ACTIVATE && answeredBoxes.insert(window).second) {
                ::PostMessageA(::GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
            } else if (code == HCBT_DESTROYWND) {
                char text[512] = {};
                ::GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
                boxTexts.emplace_back(text);
            }
        }
    }
    return ::CallNextHookEx(boxHook, code, wParam, lParam);
}

void ForgetBoxes() {
    answeredBoxes.clear();
    boxTexts.clear();
}

// ---- 3. Start -----------------------------------------------------------------------------

// Starts are short and vary more from one to the next than the other figures: they are run
// twice as often.
int StartRuns() {
    return 2 * options.runs;
}

// The programs a start is compared across, in the order they take turns: Ventrix.exe, the
// bare window, the bare window with the program's DLLs, and that with the main window's
// controls and listed names as well.
constexpr int kStartPrograms = 4;
struct StartFigures {
    Samples time[kStartPrograms];
    Samples peakWorkingSet[kStartPrograms];
};

// Starts Ventrix.exe, the bare window and the bare window with the program's DLLs in turn,
// each StartRuns() times, the first program of a round moving on by one each round.
StartFigures MeasureStarts(const char* phase) {
    const std::string* exes[kStartPrograms] = {&options.ventrix, &options.bare, &options.bareDlls,
                                               &options.bareControls};
    const char* titles[kStartPrograms] = {texts::kMainTitle, kBareTitle, kBareTitle, kBareTitle};
    StartFigures figures;
    for (int run = 0; run < StartRuns(); ++run) {
        for (int turn = 0; turn < kStartPrograms; ++turn) {
            int program = (run + turn) % kStartPrograms;
            bench::StartResult result = bench::StartUntilPainted(*exes[program], titles[program]);
            // Wine now and then fails to start a process at all (CreateProcessA with error
            // 1359); such a start is tried again once and not counted.
            if (!result.painted) {
                Progress("%s: a failed start tried again", phase);
                ::Sleep(1000);
                result = bench::StartUntilPainted(*exes[program], titles[program]);
            }
            if (!result.painted || result.peakWorkingSet == 0) {
                Fail("%s did not paint its window", exes[program]->c_str());
            }
            figures.time[program].Add(result.paintedMs);
            figures.peakWorkingSet[program].Add(static_cast<double>(result.peakWorkingSet));
            ::Sleep(100);  // lets Wine finish tearing the ended process down
        }
        Progress(
            "%s: run %d: Ventrix %.0f ms %.1f MB, bare window %.0f ms %.1f MB, "
            "bare window with the DLLs %.0f ms %.1f MB, with the controls %.0f ms %.1f MB",
            phase, run + 1, figures.time[0].Median(),
            figures.peakWorkingSet[0].Median() / kMegabyte, figures.time[1].Median(),
            figures.peakWorkingSet[1].Median() / kMegabyte, figures.time[2].Median(),
            figures.peakWorkingSet[2].Median() / kMegabyte, figures.time[3].Median(),
            figures.peakWorkingSet[3].Median() / kMegabyte);
    }
    return figures;
}

StartFigures atStart;

void MeasureStart() {
    Progress("start: seeding %d entries", kStartEntries);
    bench::ClearShellKey();
    bench::SeedFirstLevel(kStartEntries);
    Progress("start: one unmeasured start of each program");
    for (const std::string* exe :
         {&options.ventrix, &options.bare, &options.bareDlls, &options.bareControls}) {
        if (!bench::StartUntilPainted(*exe,
                                      exe == &options.ventrix ? texts::kMainTitle : kBareTitle)
                 .painted) {
            Fail("%s did not paint its window", exe->c_str());
        }
    }
    atStart = MeasureStarts("start");
    table.AddSection("start: process start to main window painted (server warm)");
    table.Add("start Ventrix.exe, " + std::to_string(kStartEntries) + " entries", atStart.time[0],
              &atStart.time[1], Unit::Milliseconds, bench::AtMostTimesFloor(1.3));
    table.Add("  floor: start BareWindow.exe (one empty window)", atStart.time[1], nullptr,
              Unit::Milliseconds);
    table.Add("  start BareWindow with Ventrix's DLLs, OLE, manifest", atStart.time[2],
              &atStart.time[1], Unit::Milliseconds);
    table.Add("  the same with the main window's controls, " + std::to_string(kStartEntries) +
                  " names listed",
              atStart.time[3], &atStart.time[1], Unit::Milliseconds);
    table.Add("start Ventrix.exe against the same window made by bare calls", atStart.time[0],
              &atStart.time[3], Unit::Milliseconds);
}

// ---- The program in this process --------------------------------------------------------

// The in-process share of a start: the main window made again (created, its "created"
// handler run, the list filled, shown and painted) against an empty window of the same size
// created, shown and painted, and against the same window made by bare calls. DestroyWindow ends a
// main window without the closing question.
void MeasureWindowCreation() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "BenchEmptyWindow";
    ::RegisterClassA(&windowClass);
    Samples program;
    Samples empty;
    Samples bareCalls;
    for (int run = 0; run < options.runs; ++run) {
        ::DestroyWindow(reinterpret_cast<HWND>(MainWindow()));
        PumpMessages();
        program.Add(bench::TimeMs([] { CreateMainWindow(); }));
        PumpMessages();
        HWND window = nullptr;
        empty.Add(bench::TimeMs([&] {
            window = ::CreateWindowExA(0, "BenchEmptyWindow", "BenchEmptyWindow",
                                       WS_CAPTION | WS_SYSMENU, 100, 100, kMainWindowLayout.width,
                                       kMainWindowLayout.height, nullptr, nullptr,
                                       ::GetModuleHandleA(nullptr), nullptr);
            ::ShowWindow(window, SW_SHOW);
            ::UpdateWindow(window);
        }));
        PumpMessages();
        ::DestroyWindow(window);
        PumpMessages();
        bareCalls.Add(bench::TimeMs([&] {
            window = ::CreateWindowExA(0, "BenchEmptyWindow", "BenchEmptyWindow",
                                       kMainWindowLayout.style, 100, 100, kMainWindowLayout.width,
                                       kMainWindowLayout.height, nullptr, nullptr,
                                       ::GetModuleHandleA(nullptr), nullptr);
            bench::MakeBareControls(window);
            ::ShowWindow(window, SW_SHOW);
            ::UpdateWindow(window);
        }));
        PumpMessages();
        ::DestroyWindow(window);
        PumpMessages();
    }
    if (MainWindow() == nullptr) {
        Fail("the main window was not made again");
    }
    table.Add("  CreateMainWindow in the benchmark process", program, &empty, Unit::Milliseconds);
    table.Add("    floor: an empty window created, shown, painted", empty, nullptr,
              Unit::Milliseconds);
    table.Add("    the same window made by bare calls, created, shown, painted", bareCalls, &empty,
              Unit::Milliseconds);
    table.Add("  CreateMainWindow against the same window made by bare calls", program, &bareCalls,
              Unit::Milliseconds);
}

// The globals as RunProgram sets them up, then the main window: created, elevated under
// Wine, filled and shown.
void StartProgramHere() {
    platform::OleInitialize();
    char modulePath[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    SplitModulePath(std::string(modulePath, length), runDirectory, executableName);
    registry = std::make_unique<RegistryAccess>();
    versionInfo = std::make_unique<VersionInfo>();
    selectedPath.clear();
    shortcutName.clear();
    previousWindowProc = nullptr;
    CreateMainWindow();
    if (MainWindow() == nullptr || !::IsWindowVisible(reinterpret_cast<HWND>(MainWindow()))) {
        Fail("the main window was not created and shown");
    }
    PumpMessages();
    MeasureWindowCreation();
    boxHook = ::SetWindowsHookExA(WH_CBT, AnswerBoxes, nullptr, ::GetCurrentThreadId());
    if (boxHook == nullptr) {
        Fail("no CBT hook (%lu)", ::GetLastError());
    }
}

HWND EntryListWindow() {
    return reinterpret_cast<HWND>(EntryList());
}

int ListCount(HWND list) {
    return static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
}

// ---- 2. Delete ----------------------------------------------------------------------------

void MeasureDelete() {
    const std::string entryPath = std::string(texts::kShellKeyPath) + "\\" + kTreeEntry;
    const std::string entrySub = std::string(bench::kShellSub) + "\\" + kTreeEntry;
    const int keys = kTreeFanOut * kTreeFanOut;
    Samples program;
    Samples deleteTree;
    Samples ownTree;
    Samples boxes;
    for (int run = 0; run < options.runs; ++run) {
        for (int turn = 0; turn < 3; ++turn) {
            int variant = (run + turn) % 3;
            bench::BuildTree(kTreeEntry, kTreeFanOut);
            double elapsed = 0;
            if (variant == 0) {
                RefreshMenuList();
                HWND list = EntryListWindow();
                LRESULT index = ::SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(kTreeEntry));
                if (index < 0) {
                    Fail("the tree's entry is not listed");
                }
                ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
                PumpMessages();
                ForgetBoxes();
                elapsed = bench::TimeMs([] { DeleteMenuEntry(); });
                if (boxTexts.size() != 2 ||
                    boxTexts[1].find(texts::kDeletedSuffix) == std::string::npos) {
                    Fail(
                        "DeleteMenuEntry showed %zu boxes, not a question and a success "
                        "(last: \"%s\")",
                        boxTexts.size(), boxTexts.empty() ? "" : boxTexts.back().c_str());
                }
                program.Add(elapsed);
            } else if (variant == 1) {
                PumpMessages();
                elapsed = bench::TimeMs([&] {
                    // With a subkey name the subkey itself goes too.
                    LONG status = ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, entrySub.c_str());
                    if (status != ERROR_SUCCESS) {
                        Fail("RegDeleteTreeA: %ld", status);
                    }
                });
                deleteTree.Add(elapsed);
            } else {
                PumpMessages();
                elapsed = bench::TimeMs([&] {
                    if (!registry->DeleteKeyTree(entryPath)) {
                        Fail("DeleteKeyTree gave false");
                    }
                });
                ownTree.Add(elapsed);
            }
            if (bench::ShellEntryExists(kTreeEntry)) {
                Fail("the tree's entry is still there after variant %d", variant);
            }
        }
        PumpMessages();
        ForgetBoxes();
        boxes.Add(bench::TimeMs([] {
            AskOkCancel(std::string(texts::kDeleteQuestionPrefix) + kTreeEntry +
                        texts::kDeleteQuestionSuffix);
            ShowInformation(std::string(texts::kDeletedPrefix) + kTreeEntry +
                            texts::kDeletedSuffix);
        }));
        Progress(
            "delete: run %d: DeleteMenuEntry %.0f ms, RegDeleteTreeA %.0f ms, "
            "DeleteKeyTree %.0f ms, two boxes %.0f ms",
            run + 1, program.Median(), deleteTree.Median(), ownTree.Median(), boxes.Median());
    }
    Samples refreshAfter;
    for (int run = 0; run < options.runs; ++run) {
        PumpMessages();
        refreshAfter.Add(bench::TimeMs([] { RefreshMenuList(); }));
    }
    std::string tree = Thousands(kTreeFanOut) + " x " + Thousands(kTreeFanOut);
    table.AddSection("delete: one entry holding " + Thousands(keys) + " keys (" + tree +
                     " below it), " + std::to_string(ListCount(EntryListWindow())) +
                     " entries listed");
    table.Add("DeleteMenuEntry (both boxes answered)", program, &deleteTree, Unit::Milliseconds,
              bench::AtMostTimesFloor(1.1));
    table.Add("  floor: RegDeleteTreeA of the entry", deleteTree, nullptr, Unit::Milliseconds);
    table.Add("  RegistryAccess::DeleteKeyTree alone", ownTree, &deleteTree, Unit::Milliseconds);
    table.Add("  the two answered boxes alone", boxes, nullptr, Unit::Milliseconds);
    table.Add("  RefreshMenuList at this size", refreshAfter, nullptr, Unit::Milliseconds);
}

// ---- 1. Refresh ---------------------------------------------------------------------------

// A plain list box of the entry list's size, shown, with the program's font.
HWND CreateBareList() {
    RECT place;
    ::GetWindowRect(EntryListWindow(), &place);
    HWND list = ::CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                  WS_POPUP | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0,
                                  place.right - place.left, place.bottom - place.top, nullptr,
                                  nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (list == nullptr) {
        Fail("no bare list box (%lu)", ::GetLastError());
    }
    ::SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                   FALSE);
    ::UpdateWindow(list);
    return list;
}

// The floor of a refresh: the same two keys listed by bare RegEnumKeyA loops, their names
// added to a bare list box with redrawing off.
void FillBareList(HWND list) {
    std::vector<std::string> names;
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const char* sub : {bench::kShellSub, bench::kCascadeShellSub}) {
        names.clear();
        HKEY key = bench::OpenMachineKey(sub);
        if (key != nullptr) {
            bench::EnumerateNames(key, names);
            ::RegCloseKey(key);
        }
        for (const std::string& name : names) {
            ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
    }
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

struct RefreshFigures {
    Samples refresh;
    Samples floor;
};

RefreshFigures MeasureRefresh(int firstLevel, HWND bareList) {
    Progress("refresh: seeding %s first-level entries", Thousands(firstLevel).c_str());
    double seeding = bench::TimeMs([&] { bench::SeedFirstLevel(firstLevel); });
    Progress("refresh: seeded in %.1f s", seeding / 1000);
    int expected = firstLevel + kSecondLevelEntries;
    PumpMessages();
    RefreshMenuList();
    FillBareList(bareList);
    PumpMessages();
    if (ListCount(EntryListWindow()) != expected || ListCount(bareList) != expected) {
        Fail("the lists hold %d and %d items, not %d", ListCount(EntryListWindow()),
             ListCount(bareList), expected);
    }
    RefreshFigures figures;
    for (int run = 0; run < options.runs; ++run) {
        for (int turn = 0; turn < 2; ++turn) {
            PumpMessages();
            if ((run + turn) % 2 == 0) {
                figures.refresh.Add(bench::TimeMs([] { RefreshMenuList(); }));
            } else {
                figures.floor.Add(bench::TimeMs([&] { FillBareList(bareList); }));
            }
        }
        Progress("refresh %s: run %d: RefreshMenuList %.0f ms, floor %.0f ms",
                 Thousands(firstLevel).c_str(), run + 1, figures.refresh.Median(),
                 figures.floor.Median());
    }
    PumpMessages();
    return figures;
}

// Fills `list` with `names` the way a refresh does, with redrawing off; with `itemData` each
// item also gets its 1-based place, as the program's list does.
void FillList(HWND list, const std::vector<std::string>& names, bool itemData) {
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < names.size(); ++i) {
        LRESULT index =
            ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i].c_str()));
        if (itemData) {
            ::SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index),
                           static_cast<LPARAM>(i + 1));
        }
    }
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

// Where a refresh's time goes at the current size: the program's listing alone; its way of
// filling its list (two messages an item to the entry list, which the form subclasses) and
// the same two messages to the bare list box.
struct RefreshParts {
    Samples listing;
    Samples programFill;
    Samples bareFill;
    Samples bareFillData;
};

RefreshParts MeasureRefreshParts(HWND bareList) {
    std::vector<std::string> first;
    std::vector<std::string> second;
    registry->EnumSubkeys(texts::kShellKeyPath, first);
    registry->EnumSubkeys(texts::kCascadeShellKeyPath, second);
    std::vector<std::string> all(first);
    all.insert(all.end(), second.begin(), second.end());
    HWND entryList = EntryListWindow();
    RefreshParts parts;
    for (int run = 0; run < options.runs; ++run) {
        PumpMessages();
        parts.listing.Add(bench::TimeMs([&] {
            registry->EnumSubkeys(texts::kShellKeyPath, first);
            registry->EnumSubkeys(texts::kCascadeShellKeyPath, second);
        }));
        PumpMessages();
        parts.programFill.Add(bench::TimeMs([&] { FillList(entryList, all, true); }));
        PumpMessages();
        parts.bareFill.Add(bench::TimeMs([&] { FillList(bareList, all, false); }));
        PumpMessages();
        parts.bareFillData.Add(bench::TimeMs([&] { FillList(bareList, all, true); }));
    }
    PumpMessages();
    RefreshMenuList();
    FillBareList(bareList);
    PumpMessages();
    return parts;
}

void AddRefreshParts(const RefreshParts& parts) {
    table.Add("  part: EnumSubkeys of both keys", parts.listing, nullptr, Unit::Milliseconds);
    table.Add("  part: fill of the entry list (ADDSTRING + SETITEMDATA)", parts.programFill,
              &parts.bareFill, Unit::Milliseconds);
    table.Add("  part: fill of the bare list box (ADDSTRING)", parts.bareFill, nullptr,
              Unit::Milliseconds);
    table.Add("  part: fill of the bare list box (ADDSTRING + SETITEMDATA)", parts.bareFillData,
              &parts.bareFill, Unit::Milliseconds);
}

// ---- 5. Dispatching while listing ---------------------------------------------------------

void MeasureDispatching(int names) {
    HKEY shell = bench::OpenMachineKey(bench::kShellSub);
    if (shell == nullptr) {
        Fail("the shell key does not open");
    }
    std::vector<std::string> listed;
    listed.reserve(static_cast<std::size_t>(names));
    char name[520];
    auto loop = [&](int extra) {
        listed.clear();
        MSG message;
        volatile DWORD ticks = 0;
        for (DWORD index = 0; ::RegEnumKeyA(shell, index, name, sizeof name) == ERROR_SUCCESS;
             ++index) {
            listed.emplace_back(name);
            if (extra == 1) {
                ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
            } else if (extra == 2) {
                ticks = ticks + ::GetTickCount();
            }
        }
    };
    Samples alone;
    Samples peek;
    Samples ticks;
    Samples program;
    for (int run = 0; run < options.runs; ++run) {
        for (int turn = 0; turn < 4; ++turn) {
            int variant = (run + turn) % 4;
            PumpMessages();
            switch (variant) {
                case 0:
                    alone.Add(bench::TimeMs([&] { loop(0); }));
                    break;
                case 1:
                    peek.Add(bench::TimeMs([&] { loop(1); }));
                    break;
                case 2:
                    ticks.Add(bench::TimeMs([&] { loop(2); }));
                    break;
                default:
                    program.Add(bench::TimeMs(
                        [&] { registry->EnumSubkeys(texts::kShellKeyPath, listed); }));
                    break;
            }
            if (static_cast<int>(listed.size()) != names) {
                Fail("%zu names listed, not %d", listed.size(), names);
            }
        }
    }
    ::RegCloseKey(shell);
    table.AddSection("dispatching during a listing of " + Thousands(names) + " names");
    table.Add("RegEnumKeyA loop alone", alone, nullptr, Unit::Milliseconds);
    table.Add("  + PeekMessageA(PM_NOREMOVE) after each name", peek, &alone, Unit::Milliseconds);
    table.Add("  + GetTickCount after each name (the throttle)", ticks, &alone, Unit::Milliseconds);
    table.Add("  RegistryAccess::EnumSubkeys (queue looked at every 30 ms)", program, &alone,
              Unit::Milliseconds);
    double perName = 1000.0 / names;
    table.AddNumber("  one RegEnumKeyA call", alone.Median() * perName, "median / names",
                    Unit::Microseconds);
    table.AddNumber("  one PeekMessageA(PM_NOREMOVE)", (peek.Median() - alone.Median()) * perName,
                    "difference of medians / names", Unit::Microseconds);
    table.AddNumber("  one GetTickCount", (ticks.Median() - alone.Median()) * perName,
                    "difference of medians / names", Unit::Microseconds);
}

// ---- 4. Size and memory -------------------------------------------------------------------

double FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        Fail("cannot read the size of %s", path.c_str());
    }
    return static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) |
                               data.nFileSizeLow);
}

void MeasureMemory(int firstLevel) {
    StartFigures figures = MeasureStarts("memory");
    table.AddSection("size and memory");
    if (!options.exe32.empty()) {
        table.AddNumber("Ventrix.exe, 32-bit, stripped", FileSize(options.exe32), "file size",
                        Unit::Kilobytes, bench::AtMost(300 * kKilobyte));
    }
    table.AddNumber("Ventrix.exe, 64-bit, stripped", FileSize(options.ventrix), "file size",
                    Unit::Kilobytes);
    table.Add("peak working set, Ventrix.exe, " + Thousands(firstLevel) + " entries listed",
              figures.peakWorkingSet[0], &figures.peakWorkingSet[1], Unit::Megabytes,
              bench::AtMost(16 * kMegabyte));
    table.Add("  floor: peak working set, BareWindow.exe", figures.peakWorkingSet[1], nullptr,
              Unit::Megabytes);
    table.Add("  BareWindow with Ventrix's DLLs, OLE, manifest", figures.peakWorkingSet[2],
              &figures.peakWorkingSet[1], Unit::Megabytes);
    table.Add(
        "  the same with the main window's controls, " + Thousands(firstLevel) + " names listed",
        figures.peakWorkingSet[3], &figures.peakWorkingSet[1], Unit::Megabytes);
    table.Add("  Ventrix.exe against the same window made by bare calls", figures.peakWorkingSet[0],
              &figures.peakWorkingSet[3], Unit::Megabytes);
    table.Add("  Ventrix.exe, " + std::to_string(kStartEntries) + " entries listed",
              atStart.peakWorkingSet[0], &figures.peakWorkingSet[1], Unit::Megabytes);
    table.Add("  start Ventrix.exe with " + Thousands(firstLevel) + " entries", figures.time[0],
              &figures.time[1], Unit::Milliseconds);
}

}  // namespace

int main(int argc, char** argv) {
    options = ParseOptions(argc, argv);
    double begun = bench::NowMs();
    const int small = 1000;
    const int middle = options.quick ? 2000 : 10000;
    const int large = options.quick ? 5000 : 50000;

    MeasureStart();
    if (options.startOnly) {
        StartProgramHere();
        table.Print(stdout);
        std::fflush(stdout);
        ::ExitProcess(0);
    }

    Progress("delete: the main window in this process, %d entries", kStartEntries);
    StartProgramHere();
    MeasureDelete();

    bench::SeedSecondLevel(kSecondLevelEntries);
    HWND bareList = CreateBareList();
    RefreshFigures atSmall = MeasureRefresh(small, bareList);
    RefreshFigures atMiddle = MeasureRefresh(middle, bareList);

    table.AddSection("refresh: RefreshMenuList on the shown main window, + " +
                     std::to_string(kSecondLevelEntries) + " second-level entries");
    table.Add("refresh, " + Thousands(middle) + " first-level entries", atMiddle.refresh,
              &atMiddle.floor, Unit::Milliseconds, bench::AtMostTimesFloor(1.25));
    table.Add("  floor: RegEnumKeyA loops + bare list box fill", atMiddle.floor, nullptr,
              Unit::Milliseconds);
    Progress("refresh: its parts at %s entries", Thousands(middle).c_str());
    RefreshParts partsAtMiddle = MeasureRefreshParts(bareList);
    AddRefreshParts(partsAtMiddle);
    Progress("dispatching: listing %s names", Thousands(middle).c_str());
    MeasureDispatching(middle);
    Progress("memory: Ventrix.exe with %s entries", Thousands(middle).c_str());
    MeasureMemory(middle);

    RefreshFigures atLarge = MeasureRefresh(large, bareList);
    Progress("refresh: its parts at %s entries", Thousands(large).c_str());
    RefreshParts partsAtLarge = MeasureRefreshParts(bareList);
    table.AddSection("refresh: how the cost grows");
    table.Add("refresh, " + Thousands(small) + " first-level entries", atSmall.refresh,
              &atSmall.floor, Unit::Milliseconds);
    table.Add("refresh, " + Thousands(large) + " first-level entries", atLarge.refresh,
              &atLarge.floor, Unit::Milliseconds);
    table.Add("refresh " + Thousands(large) + " against refresh " + Thousands(middle),
              atLarge.refresh, &atMiddle.refresh, Unit::Milliseconds, bench::AtMostTimesFloor(5.5));
    table.Add("floor " + Thousands(large) + " against floor " + Thousands(middle), atLarge.floor,
              &atMiddle.floor, Unit::Milliseconds);
    std::string growth = " " + Thousands(large) + " against " + Thousands(middle);
    table.Add("  part: EnumSubkeys of both keys," + growth, partsAtLarge.listing,
              &partsAtMiddle.listing, Unit::Milliseconds);
    table.Add("  part: fill of the entry list," + growth, partsAtLarge.programFill,
              &partsAtMiddle.programFill, Unit::Milliseconds);
    table.Add("  part: fill of the bare list box," + growth, partsAtLarge.bareFill,
              &partsAtMiddle.bareFill, Unit::Milliseconds);

    std::printf(
        "\nVentrix benchmark: medians of %d runs a figure (%d for process starts); "
        "ratio = median / median of its floor, measured in the same run\n\n",
        options.runs, StartRuns());
    table.Print(stdout);
    std::printf("\nbenchmark process: %.0f s\n", (bench::NowMs() - begun) / 1000);
    std::fflush(stdout);
    // The main window is left as it is: closing it would ask about a backup.
    ::UnhookWindowsHookEx(boxHook);
    ::ExitProcess(0);
}
