#include "support/Sandbox.h"

#include "common/Text.h"
#include "registry/OwnedKey.h"
#include "registry/Paths.h"

namespace sandbox {
namespace {

// Opens or creates the key one level at a time, so that paths longer than the 8-bit calls
// take in one piece can be reached too.
OwnedKey Open(const std::string& keyPath, bool create) {
    std::optional<paths::KeyPath> split = paths::SplitKeyPath(keyPath);
    if (!split) {
        ADD_FAILURE() << "not a key path: " << keyPath;
        return OwnedKey();
    }
    OwnedKey key(split->root);
    std::string rest = split->subKey;
    while (!rest.empty()) {
        std::size_t backslash = text::FirstBackslash(rest);
        std::string name = rest.substr(0, backslash);
        rest = backslash == std::string::npos ? std::string() : rest.substr(backslash + 1);
        OwnedKey next;
        platform::Status status =
            create ? platform::RegCreateKeyExA(key.Get(), name.c_str(), platform::kKeyAllAccess,
                                               next.Receive(), nullptr)
                   : platform::RegOpenKeyExA(key.Get(), name.c_str(), platform::kKeyRead,
                                             next.Receive());
        if (status != platform::kErrorSuccess) {
            next.Release();
            return OwnedKey();
        }
        key = std::move(next);
    }
    return key;
}

}  // namespace

void CreateKey(const std::string& keyPath) {
    ASSERT_TRUE(Open(keyPath, true)) << "cannot create " << keyPath;
}

bool KeyExists(const std::string& keyPath) {
    return static_cast<bool>(Open(keyPath, false));
}

void SetRaw(const std::string& keyPath, const std::string& valueName, std::uint32_t type,
            const std::string& bytes) {
    OwnedKey key = Open(keyPath, true);
    ASSERT_TRUE(key) << "cannot create " << keyPath;
    ASSERT_EQ(platform::kErrorSuccess,
              platform::RegSetValueExA(key.Get(), valueName.c_str(), type,
                                       reinterpret_cast<const unsigned char*>(bytes.c_str()),
                                       static_cast<std::uint32_t>(bytes.size())));
}

void SetText(const std::string& keyPath, const std::string& valueName, const std::string& text) {
    SetRaw(keyPath, valueName, platform::kRegSz, std::string(text.c_str(), text.size() + 1));
}

std::optional<RawValue> QueryRaw(const std::string& keyPath, const std::string& valueName) {
    OwnedKey key = Open(keyPath, false);
    if (!key) {
        return std::nullopt;
    }
    RawValue value;
    std::uint32_t size = 0;
    if (platform::RegQueryValueExA(key.Get(), valueName.c_str(), &value.type, nullptr, &size) !=
        platform::kErrorSuccess) {
        return std::nullopt;
    }
    std::string buffer(size, '\0');
    if (platform::RegQueryValueExA(key.Get(), valueName.c_str(), &value.type,
                                   reinterpret_cast<unsigned char*>(buffer.data()),
                                   &size) != platform::kErrorSuccess) {
        return std::nullopt;
    }
    value.bytes = buffer.substr(0, size);
    return value;
}

void RegistryCase::SetUp() {
    Clear();
}

void RegistryCase::TearDown() {
    if (std::optional<std::size_t> open = OpenKeyHandles()) {
        EXPECT_EQ(0u, *open) << "registry keys left open";
    }
    Clear();
}

}  // namespace sandbox
