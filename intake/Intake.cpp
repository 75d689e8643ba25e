#include "intake/Intake.h"

#include <string>
#include <vector>

#include "app/Globals.h"
#include "common/Texts.h"
#include "intake/FileNames.h"
#include "intake/Shortcut.h"
#include "menu/MenuList.h"
#include "ui/MainWindow.h"
#include "ui/NameChoiceWindow.h"
#include "ui/UserInterface.h"

namespace {

// Room for the path chosen in the dialog.
constexpr std::uint32_t kChosenPathBytes = 1024;

// The dialog starts at the path chosen the last time it was used.
std::string lastChosenPath;

// Offers one dropped file: a shortcut's target or the file itself, when it is an executable.
void OfferDroppedFile(const std::string& name) {
    if (LowerAscii(GetExtension(name)) == ".lnk") {
        shortcutName = GetFileName(name, false);
        selectedPath = ResolveShortcutTarget(name);
    } else {
        selectedPath = name;
    }
    if (LowerAscii(GetExtension(selectedPath)) != ".exe") {
        ShowInformation(GetFileName(selectedPath, true) + texts::kNotAnExecutableSuffix);
        // A refused shortcut's name must not be offered for the next file.
        shortcutName.clear();
        return;
    }
    OpenNameChoiceWindow();
}

}  // namespace

void HandleDroppedFiles(platform::DropHandle drop) {
    std::uint32_t count = platform::DragQueryFileA(drop, platform::kDragQueryCount, nullptr, 0);
    for (std::uint32_t index = 0; index < count; ++index) {
        std::uint32_t length = platform::DragQueryFileA(drop, index, nullptr, 0);
        if (length == 0) {
            continue;
        }
        std::vector<char> name(length + 1, ' ');
        name[length] = '\0';
        platform::DragQueryFileA(drop, index, name.data(), length + 1);
        OfferDroppedFile(std::string(name.data()));
    }
    platform::DragFinish(drop);
}

void ChooseExecutable() {
    std::vector<char> file(kChosenPathBytes, '\0');
    lastChosenPath.copy(file.data(), file.size() - 1);
    platform::OpenFileRequest request;
    request.owner = MainWindow();
    request.filter = texts::kExecutableFilter;
    request.filterIndex = 1;
    request.file = file.data();
    request.fileSize = static_cast<std::uint32_t>(file.size());
    request.flags = platform::kOfnHideReadOnly | platform::kOfnFileMustExist |
                    platform::kOfnPathMustExist | platform::kOfnOverwritePrompt;
    if (!platform::GetOpenFileNameA(request)) {
        return;
    }
    std::string chosen(file.data());
    if (chosen.empty()) {
        return;
    }
    lastChosenPath = chosen;
    selectedPath = chosen;
    OpenNameChoiceWindow();
    RefreshMenuList();
}
