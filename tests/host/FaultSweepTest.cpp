// Every user action, run once with each of its registry calls failing in turn: nothing
// crashes, nothing stays open, the message tells the truth, and nothing outside the entry
// changes. A new action joins by adding a row.
#include <gtest/gtest.h>

#include <strings.h>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/Program.h"
#include "common/Texts.h"
#include "platform/host/HostControl.h"
#include "platform/host/HostPlatform.h"
#include "support/Sandbox.h"
#include "ui/MainWindow.h"
#include "ui/NameChoiceWindow.h"

namespace {

using namespace platform;
namespace host = platform::host;
using Step = std::function<void()>;

const std::string kShell = texts::kShellKeyPath;
const std::string kCascade = kShell + "\\ShortCut";
const std::string kCascadeShell = texts::kCascadeShellKeyPath;
const std::string kApp = "C:\\Apps\\app.exe";
const std::string kOwn = "C:\\Tools\\Ventrix.exe";

WindowHandle Main() {
    return host::TopLevelWindows().front();
}
WindowHandle NameWindow() {
    return host::TopLevelWindows().back();
}

std::string Text(const std::string& key, const std::string& value) {
    std::optional<sandbox::RawValue> raw = sandbox::QueryRaw(key, value);
    return raw && raw->type == kRegSz ? raw->bytes : std::string("<none>");
}
std::string Sz(const std::string& text) {
    return std::string(text.c_str(), text.size() + 1);
}

void SeedEntries() {
    sandbox::SetText(kShell + "\\Solo\\command", "", "\"x.exe\"");
    sandbox::SetText(kShell + "\\Solo", "Icon", "x.exe");
    sandbox::SetText(kShell + "\\Other\\command", "", "\"y.exe\"");
}
void SeedCascade() {
    sandbox::SetText(kCascade, "", "");
    sandbox::SetText(kCascade, "MUIVerb", "快捷");
    sandbox::SetText(kCascadeShell + "\\Inner\\command", "", "\"z.exe\"");
    sandbox::SetText(kCascadeShell + "\\Inner\\deeper\\more", "v", "w");
}

Step Drop(const std::string& path) {
    return [path] {
        SendMessageA(Main(), kWmDropFiles, reinterpret_cast<WParam>(host::MakeDrop({path})), 0);
    };
}
Step Select(const std::string& name) {
    return [name] {
        WindowHandle list = GetControl(Main(), kEntryListId);
        std::vector<std::pair<std::string, LParam>> items = host::ListItems(list);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].first == name) {
                SendMessageA(list, kLbSetCurSel, i, 0);
            }
        }
        host::DoubleClick(Main(), kEntryListId);
    };
}
bool EntryInstalled(const std::string& key, bool withVerb, const std::string& name) {
    return Text(key, "") == Sz("") && Text(key + "\\command", "") == Sz("\"" + kApp + "\"") &&
           Text(key, "Icon") == Sz(kApp) && (!withVerb || Text(key, "MUIVerb") == Sz(name));
}

struct Action {
    const char* name;
    Step seed;
    // The user's action once the window is up. The name-choice window's steps run inside the
    // drop, as the user would act while it is open.
    std::vector<Step> steps;
    // Keys that the action may change, with everything below them.
    std::vector<std::string> mayChange;
    // Whether what the user asked for happened, read afterwards; none: no report is shown.
    std::function<bool()> happened;
    // Keys that may also change when a read is told "not found": told that the cascade is
    // missing, the installer writes it, as it must.
    std::vector<std::string> mayChangeWhenToldMissing = {};
};

std::vector<Action> Actions() {
    return {
        {"install, first level",
         [] { SeedEntries(); },
         {Drop(kApp), [] { host::TypeText(NameWindow(), kNameBoxId, "New"); },
          [] { host::Click(NameWindow(), kButtonUseId); }},
         {kShell + "\\New"},
         [] { return EntryInstalled(kShell + "\\New", false, "New"); }},
        {"install, second level, no cascade",
         [] { SeedEntries(); },
         {Drop(kApp), [] { host::TypeText(NameWindow(), kNameBoxId, "新"); },
          [] { host::Click(NameWindow(), kRadioSecondLevelId); },
          [] { host::Click(NameWindow(), kButtonUseId); }},
         {kCascade},
         [] { return EntryInstalled(kCascadeShell + "\\新", true, "新"); }},
        {"install, second level, with the cascade",
         [] {
             SeedEntries();
             SeedCascade();
         },
         {Drop(kApp), [] { host::TypeText(NameWindow(), kNameBoxId, "新"); },
          [] { host::Click(NameWindow(), kRadioSecondLevelId); },
          [] { host::Click(NameWindow(), kButtonUseId); }},
         {kCascadeShell + "\\新"},
         [] { return EntryInstalled(kCascadeShell + "\\新", true, "新"); },
         {kCascade}},
        {"delete, first level",
         [] {
             SeedEntries();
             SeedCascade();
         },
         {Select("Solo")},
         {kShell + "\\Solo"},
         [] { return !sandbox::KeyExists(kShell + "\\Solo"); }},
        {"delete, second level",
         [] {
             SeedEntries();
             SeedCascade();
         },
         {Select("Inner")},
         {kCascadeShell + "\\Inner"},
         [] { return !sandbox::KeyExists(kCascadeShell + "\\Inner"); }},
        {"delete, the cascade",
         [] {
             SeedEntries();
             SeedCascade();
         },
         {Select("ShortCut")},
         {kCascade},
         [] { return !sandbox::KeyExists(kCascade); }},
        {"repair",
         [] {
             SeedEntries();
             SeedCascade();
         },
         {[] { host::Click(Main(), kButtonRepairId); }},
         {kCascade},
         [] { return Text(kCascade, "Icon") == Sz(kOwn); }},
        {"refresh",
         [] {
             SeedEntries();
             SeedCascade();
         },
         {[] { host::RightButtonUp(Main(), kEntryListId); }},
         {},
         nullptr},
        {"backup",
         [] { SeedEntries(); },
         {[] { host::Click(Main(), kButtonBackupId); }},
         {},
         [] { return host::FileBytes("C:\\Tools\\Backup.reg").has_value(); }},
        {"restore",
         [] {
             SeedEntries();
             host::WriteFile("C:\\Tools\\Backup.reg", "REGEDIT4\r\n");
         },
         {[] { host::Click(Main(), kButtonRestoreId); }},
         {},
         [] { return host::StartedProcesses().size() == 1; }},
    };
}

bool Below(const std::string& path, const std::string& key) {
    if (path.size() < key.size() || strncasecmp(path.c_str(), key.c_str(), key.size()) != 0) {
        return false;
    }
    return path.size() == key.size() || path[key.size()] == '\\';
}

const std::set<std::string> kReads = {"RegOpenKeyA",   "RegOpenKeyExA",    "RegEnumKeyA",
                                      "RegEnumValueA", "RegQueryValueExA", "RegQueryInfoKeyA"};

struct Outcome {
    std::vector<std::string> calls;  // the registry functions the action called
    std::vector<host::MessageBoxCall> reports;
    std::map<std::string, std::string> before;
    std::map<std::string, std::string> after;
    bool happened = true;
};

// Runs the program with the action, its nth registry call failing with `code` (0: none).
Outcome RunAction(const Action& action, std::size_t nth, Status code) {
    host::ResetPlatform();
    action.seed();
    host::SetProcessRunner([](const host::ProcessCall& call) {
        if (call.commandLine.rfind("Regedit /E", 0) == 0) {
            host::WriteFile("C:\\Tools\\Backup.reg", "REGEDIT4\r\n");
        }
        return true;
    });
    Outcome outcome;
    std::size_t firstCall = 0;
    std::size_t firstBox = 0;
    std::vector<Step> steps;
    steps.push_back([&] {
        outcome.before = host::RegistrySnapshot();
        firstCall = host::RegistryCallLog().size();
        firstBox = host::MessageBoxes().size();
        if (nth != 0) {
            host::FailCall("*", nth, code);
        }
    });
    steps.insert(steps.end(), action.steps.begin(), action.steps.end());
    steps.push_back([&] {
        host::ClearFailures();
        std::vector<std::string> log = host::RegistryCallLog();
        outcome.calls.assign(log.begin() + static_cast<long>(firstCall), log.end());
        std::vector<host::MessageBoxCall> boxes = host::MessageBoxes();
        for (std::size_t i = firstBox; i < boxes.size(); ++i) {
            if ((boxes[i].flags & kMbIconQuestion) == 0) {
                outcome.reports.push_back(boxes[i]);
            }
        }
        outcome.after = host::RegistrySnapshot();
        outcome.happened = action.happened ? action.happened() : true;
        host::AnswerMessageBoxes({2});
        host::PressCloseBox(Main());
    });
    host::SetUserSteps(steps);
    EXPECT_EQ(0, host::RunProcess(RunProgram).exitCode);
    return outcome;
}

void Check(const Action& action, const Outcome& outcome, const std::string& label,
           Status code = kErrorSuccess) {
    EXPECT_EQ(0u, host::OpenKeyHandleCount()) << label;
    EXPECT_EQ(0u, host::OpenProcessHandleCount()) << label;
    EXPECT_EQ(0u, host::OpenShellLinkCount()) << label;
    EXPECT_EQ(0u, host::OpenDropCount()) << label;
    EXPECT_FALSE(host::ModalStarved()) << label;
    bool reportedSuccess = false;
    bool reportedFailure = false;
    for (const host::MessageBoxCall& report : outcome.reports) {
        bool success = (report.flags & kMbIconInformation) != 0;
        EXPECT_FALSE(success && reportedFailure) << label << ": success after a failure";
        reportedSuccess = reportedSuccess || success;
        reportedFailure = reportedFailure || !success;
    }
    if (!action.happened) {
        EXPECT_TRUE(outcome.reports.empty()) << label;
    } else if (outcome.happened) {
        EXPECT_TRUE(reportedSuccess && !reportedFailure) << label << ": done, but not reported";
    } else {
        EXPECT_TRUE(reportedFailure && !reportedSuccess) << label << ": failed, but not reported";
    }
    std::set<std::string> keys;
    for (const auto& entry : outcome.before) {
        keys.insert(entry.first);
    }
    for (const auto& entry : outcome.after) {
        keys.insert(entry.first);
    }
    for (const std::string& key : keys) {
        bool allowed = false;
        std::vector<std::string> changeable = action.mayChange;
        if (code == kErrorFileNotFound) {
            changeable.insert(changeable.end(), action.mayChangeWhenToldMissing.begin(),
                              action.mayChangeWhenToldMissing.end());
        }
        for (const std::string& key2 : changeable) {
            allowed = allowed || Below(key, key2);
        }
        if (allowed) {
            continue;
        }
        auto before = outcome.before.find(key);
        auto after = outcome.after.find(key);
        bool same = before != outcome.before.end() && after != outcome.after.end()
                        ? before->second == after->second
                        : before == outcome.before.end() && after == outcome.after.end();
        // Parents of the entry may come into being on the way to it.
        bool createdParent =
            before == outcome.before.end() && after != outcome.after.end() && after->second.empty();
        EXPECT_TRUE(same || createdParent) << label << ": changed outside the entry: " << key;
    }
}

TEST(FaultSweep, EveryActionWithEachRegistryCallFailing) {
    std::size_t runs = 0;
    for (const Action& action : Actions()) {
        Outcome clean = RunAction(action, 0, 0);
        Check(action, clean, std::string(action.name) + ", no failure");
        if (action.happened) {
            EXPECT_TRUE(clean.happened) << action.name << " does not work even without failures";
        }
        for (std::size_t nth = 1; nth <= clean.calls.size(); ++nth) {
            std::vector<Status> codes = {kErrorAccessDenied};
            if (kReads.count(clean.calls[nth - 1]) != 0) {
                codes.push_back(kErrorFileNotFound);
            }
            for (Status code : codes) {
                std::string label = std::string(action.name) + ", call " + std::to_string(nth) +
                                    " (" + clean.calls[nth - 1] + ") failing with " +
                                    std::to_string(code);
                Check(action, RunAction(action, nth, code), label, code);
                ++runs;
            }
        }
    }
    RecordProperty("runs", static_cast<int>(runs));
    std::printf("fault sweep: %zu runs\n", runs);
}

}  // namespace
