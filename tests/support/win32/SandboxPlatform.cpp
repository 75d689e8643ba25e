// The scratch registry on the real platform: the two scratch keys, deleted whole.
#include <windows.h>

#include "support/Sandbox.h"

namespace sandbox {

void Clear() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kUserSub);
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kMachineSub);
}

std::optional<std::size_t> OpenKeyHandles() {
    return std::nullopt;
}

bool OnHostStandIn() {
    return false;
}

}  // namespace sandbox
