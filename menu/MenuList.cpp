#include "menu/MenuList.h"

#include <string>
#include <vector>

#include "app/Globals.h"
#include "common/Texts.h"
#include "ui/MainWindow.h"

namespace {

void AddNames(platform::WindowHandle list, const std::vector<std::string>& names, int count) {
    for (int i = 0; i < count; ++i) {
        platform::LResult index = platform::SendMessageA(
            list, platform::kLbAddString, 0,
            reinterpret_cast<platform::LParam>(names[static_cast<std::size_t>(i)].c_str()));
        if (index >= 0) {
            platform::SendMessageA(list, platform::kLbSetItemData,
                                   static_cast<platform::WParam>(index), i + 1);
        }
    }
}

}  // namespace

void RefreshMenuList() {
    platform::WindowHandle list = EntryList();
    std::vector<std::string> names;
    // Redrawing the list after every added item costs far more than the listing itself; the
    // list is drawn once, when it is full.
    platform::SendMessageA(list, platform::kWmSetRedraw, 0, 0);
    platform::SendMessageA(list, platform::kLbResetContent, 0, 0);
    AddNames(list, names, registry->EnumSubkeys(texts::kShellKeyPath, names));
    AddNames(list, names, registry->EnumSubkeys(texts::kCascadeShellKeyPath, names));
    platform::SendMessageA(list, platform::kWmSetRedraw, 1, 0);
    platform::InvalidateWindow(list);
}
