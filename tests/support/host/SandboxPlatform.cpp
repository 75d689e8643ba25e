// The scratch registry on the host stand-in: a fresh, empty registry for every case.
#include "platform/host/HostControl.h"
#include "support/Sandbox.h"

namespace sandbox {

void Clear() {
    platform::host::ResetRegistry();
}

std::optional<std::size_t> OpenKeyHandles() {
    return platform::host::OpenKeyHandleCount();
}

bool OnHostStandIn() {
    return true;
}

}  // namespace sandbox
