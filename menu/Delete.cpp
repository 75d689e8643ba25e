#include "menu/Delete.h"

#include <string>
#include <vector>

#include "app/Globals.h"
#include "common/Texts.h"
#include "menu/MenuList.h"
#include "registry/RegistryValue.h"
#include "ui/MainWindow.h"
#include "ui/UserInterface.h"

namespace {

// The selected item's text exactly as listed, or nothing when no item is selected.
bool SelectedName(std::string& name) {
    platform::WindowHandle list = EntryList();
    platform::LResult index = platform::SendMessageA(list, platform::kLbGetCurSel, 0, 0);
    if (index < 0) {
        return false;
    }
    platform::LResult length = platform::SendMessageA(list, platform::kLbGetTextLen,
                                                      static_cast<platform::WParam>(index), 0);
    if (length < 0) {
        return false;
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    platform::SendMessageA(list, platform::kLbGetText, static_cast<platform::WParam>(index),
                           reinterpret_cast<platform::LParam>(buffer.data()));
    name = buffer.data();
    return true;
}

}  // namespace

void DeleteMenuEntry() {
    std::string name;
    if (SelectedName(name) &&
        AskOkCancel(texts::kDeleteQuestionPrefix + name + texts::kDeleteQuestionSuffix)) {
        bool deleted =
            registry->DeleteKeyTree(std::string(texts::kShellKeyPath) + "\\" + name) ||
            registry->DeleteKeyTree(std::string(texts::kCascadeShellKeyPath) + "\\" + name);
        if (deleted) {
            ShowInformation(texts::kDeletedPrefix + name + texts::kDeletedSuffix);
        } else {
            ShowError(texts::kDeletedPrefix + name + texts::kDeleteFailedSuffix);
        }
    }
    RefreshMenuList();
}

void RepairCascadeIcon() {
    bool written = WriteRegistryValue(4, std::string(texts::kCascadeValuePath) + "Icon",
                                      OwnExecutablePath()) == 1;
    if (written) {
        ShowInformation(texts::kRepairDone);
    } else {
        ShowError(texts::kRepairDone);
    }
}
