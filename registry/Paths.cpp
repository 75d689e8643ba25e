#include "registry/Paths.h"

#include "common/Text.h"

namespace paths {

std::optional<KeyPath> SplitKeyPath(const std::string& keyPath) {
    std::size_t backslash = text::FirstBackslash(keyPath);
    if (backslash == std::string::npos) {
        return std::nullopt;
    }
    std::string rootName = keyPath.substr(0, backslash);
    KeyPath split;
    if (rootName == "HKEY_CLASSES_ROOT") {
        split.root = platform::RootKey(platform::Root::ClassesRoot);
    } else if (rootName == "HKEY_CURRENT_USER") {
        split.root = platform::RootKey(platform::Root::CurrentUser);
    } else if (rootName == "HKEY_LOCAL_MACHINE") {
        split.root = platform::RootKey(platform::Root::LocalMachine);
    } else if (rootName == "HKEY_USERS") {
        split.root = platform::RootKey(platform::Root::Users);
    } else if (text::EqualNoCase(rootName, "HKEY_CURRENT_CONFIG")) {
        split.root = platform::RootKey(platform::Root::CurrentConfig);
    } else {
        return std::nullopt;
    }
    split.subKey = keyPath.substr(backslash + 1);
    return split;
}

std::optional<platform::Root> RootForCode(int rootCode) {
    switch (rootCode) {
        case 1:
            return platform::Root::ClassesRoot;
        case 2:
            return platform::Root::CurrentConfig;
        case 3:
            return platform::Root::CurrentUser;
        case 4:
            return platform::Root::LocalMachine;
        case 5:
            return platform::Root::Users;
        default:
            return std::nullopt;
    }
}

ValuePath SplitValuePath(const std::string& valuePath) {
    std::size_t backslash = text::LastBackslash(valuePath);
    if (backslash == std::string::npos) {
        return ValuePath{std::string(), valuePath};
    }
    return ValuePath{valuePath.substr(0, backslash), valuePath.substr(backslash + 1)};
}

}  // namespace paths
