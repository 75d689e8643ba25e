// Key path and value path texts, and the stand-in registry's reading of them: any bytes give
// a sound answer, and no key stays open.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/Text.h"
#include "platform/host/HostControl.h"
#include "registry/Paths.h"
#include "registry/RegistryAccess.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string path(reinterpret_cast<const char*>(data), size);
    std::size_t first = text::FirstBackslash(path);
    std::size_t last = text::LastBackslash(path);
    if ((first == std::string::npos) != (last == std::string::npos) ||
        (first != std::string::npos &&
         (first > last || path[first] != '\\' || path[last] != '\\'))) {
        std::abort();
    }
    paths::ValuePath value = paths::SplitValuePath(path);
    if (last != std::string::npos &&
        value.keyPath.size() + 1 + value.valueName.size() != path.size()) {
        std::abort();
    }
    if (std::optional<paths::KeyPath> key = paths::SplitKeyPath(path)) {
        if (key->subKey.size() != path.size() - first - 1) {
            std::abort();
        }
    }
    platform::host::ResetRegistry();
    RegistryAccess registry;
    registry.OpenKey(path, true);
    std::vector<std::string> names;
    registry.EnumSubkeys(path, names);
    registry.WriteString(path, path, path);
    registry.ReadMultiString(path, path);
    registry.DeleteKeyTree(path);
    if (platform::host::OpenKeyHandleCount() != 0) {
        std::abort();
    }
    return 0;
}
