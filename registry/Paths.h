// Key path texts ("HKEY_LOCAL_MACHINE\SOFTWARE\...") and value paths relative to a root code.
#pragma once

#include <optional>
#include <string>

#include "platform/Registry.h"

namespace paths {

// A key path cut at its first backslash: the root it names and the subkey path after it.
struct KeyPath {
    platform::KeyHandle root = nullptr;
    std::string subKey;
};

// Splits a key path text. The root names HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,
// HKEY_LOCAL_MACHINE and HKEY_USERS must match exactly; HKEY_CURRENT_CONFIG matches in any
// letter case. No backslash, or any other root name: nothing.
std::optional<KeyPath> SplitKeyPath(const std::string& keyPath);

// Root codes: 1 HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_CONFIG, 3 HKEY_CURRENT_USER,
// 4 HKEY_LOCAL_MACHINE, 5 HKEY_USERS. Any other code: nothing.
std::optional<platform::Root> RootForCode(int rootCode);

// A value path cut at its last backslash: the key path before it and the value name after it.
// Without a backslash the key path is empty and the whole text names the value.
struct ValuePath {
    std::string keyPath;
    std::string valueName;
};
ValuePath SplitValuePath(const std::string& valuePath);

}  // namespace paths
