#include "registry/RegistryAccess.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "platform/Messages.h"
#include "registry/Paths.h"

namespace {

// The value-name buffer of the value enumerations.
constexpr std::uint32_t kValueNameBufferBytes = 256;

// Access asked for by the root-code write: KEY_READ | KEY_WRITE.
constexpr std::uint32_t kReadWrite = platform::kKeyRead | platform::kKeyWrite;

std::string BytesToText(const Bytes& data) {
    std::string text(data.begin(), data.end());
    return text.substr(0, text.find('\0'));
}

Bytes TextToBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// Stores a value. The platform reads the byte after string data, so the data is passed from
// a copy that has a zero there.
platform::Status SetValue(platform::KeyHandle key, const std::string& valueName, std::uint32_t type,
                          const Bytes& data) {
    Bytes padded(data);
    padded.push_back(0);
    return platform::RegSetValueExA(key, valueName.c_str(), type, padded.data(),
                                    static_cast<std::uint32_t>(data.size()));
}

// Appends the names of the key's direct subkeys in enumeration order, dispatching the waiting
// window messages after each. A failing call ends the listing with what was gathered.
void ListSubkeys(platform::KeyHandle key, std::vector<std::string>& names) {
    // Large enough for any legal name, so no subkey is skipped or ends the listing early.
    char name[platform::kKeyNameBufferBytes];
    for (std::uint32_t index = 0;; ++index) {
        if (platform::RegEnumKeyA(key, index, name, sizeof name) != platform::kErrorSuccess) {
            break;
        }
        names.emplace_back(name);
        platform::DispatchWaitingMessages();
    }
}

// Deletes the subkey `name` of `parent` after its whole subtree, depth first, and tells
// whether the subkey itself went. Each level is reached from the handle of the level above,
// so no path text grows with the depth or the length of the names: every key the
// enumeration lists can be visited. The children are listed completely before any of them
// is deleted; a child that cannot be deleted does not stop the others.
bool DeleteSubtree(platform::KeyHandle parent, const std::string& name) {
    {
        OwnedKey key;
        if (platform::RegOpenKeyExA(parent, name.c_str(), platform::kKeyRead, key.Receive()) ==
            platform::kErrorSuccess) {
            std::vector<std::string> children;
            ListSubkeys(key.Get(), children);
            for (const std::string& child : children) {
                DeleteSubtree(key.Get(), child);
            }
        } else {
            key.Release();
        }
    }
    return platform::RegDeleteKeyA(parent, name.c_str()) == platform::kErrorSuccess;
}

}  // namespace

OwnedKey RegistryAccess::OpenKey(const std::string& keyPath, bool create) const {
    std::optional<paths::KeyPath> split = paths::SplitKeyPath(keyPath);
    if (!split) {
        return OwnedKey();
    }
    const char* subKey = split->subKey.empty() ? nullptr : split->subKey.c_str();
    OwnedKey key;
    platform::Status status = create ? platform::RegCreateKeyA(split->root, subKey, key.Receive())
                                     : platform::RegOpenKeyA(split->root, subKey, key.Receive());
    if (status != platform::kErrorSuccess) {
        key.Release();  // a failed call hands back no key, whatever it left in the slot
    }
    return key;
}

int RegistryAccess::EnumSubkeys(const std::string& keyPath, std::vector<std::string>& names) const {
    names.clear();
    OwnedKey key = OpenKey(keyPath);
    if (!key) {
        return -1;
    }
    ListSubkeys(key.Get(), names);
    return static_cast<int>(names.size());
}

int RegistryAccess::EnumValues(const std::string& keyPath, std::vector<std::string>& names,
                               std::vector<Bytes>& data, std::vector<std::uint32_t>& types) const {
    names.clear();
    data.clear();
    types.clear();
    OwnedKey key = OpenKey(keyPath);
    if (!key) {
        return -1;
    }
    std::uint32_t count = 0;
    if (platform::RegQueryInfoKeyA(key.Get(), nullptr, &count) == platform::kErrorSuccess) {
        for (std::uint32_t index = 0; index < count; ++index) {
            char name[kValueNameBufferBytes];
            std::uint32_t nameSize = sizeof name;
            std::uint32_t type = 0;
            std::uint32_t size = 0;
            platform::RegEnumValueA(key.Get(), index, name, &nameSize, &type, nullptr, &size);
            Bytes buffer(size + 1, 0);
            nameSize = sizeof name;
            size = static_cast<std::uint32_t>(buffer.size());
            if (platform::RegEnumValueA(key.Get(), index, name, &nameSize, &type, buffer.data(),
                                        &size) == platform::kErrorSuccess) {
                names.emplace_back(name);
                data.push_back(std::move(buffer));
                types.push_back(type);
            }
        }
    }
    return static_cast<int>(names.size());
}

std::string RegistryAccess::DescribeValueType(const std::string& keyPath,
                                              const std::string& valueName) const {
    OwnedKey key = OpenKey(keyPath);
    long remembered = 0;
    for (std::uint32_t index = 0; key; ++index) {
        char name[kValueNameBufferBytes];
        std::uint32_t nameSize = sizeof name;
        std::uint32_t type = 0;
        if (platform::RegEnumValueA(key.Get(), index, name, &nameSize, &type, nullptr, nullptr) !=
            platform::kErrorSuccess) {
            break;
        }
        if (valueName == name) {
            remembered = static_cast<long>(type);
            break;
        }
        remembered = -1;
    }
    const char* label = nullptr;
    switch (remembered) {
        case platform::kRegNone:
            label = texts::kTypeLabelNone;
            break;
        case platform::kRegSz:
            label = texts::kTypeLabelString;
            break;
        case platform::kRegExpandSz:
            label = texts::kTypeLabelExpandString;
            break;
        case platform::kRegBinary:
            label = texts::kTypeLabelBinary;
            break;
        case platform::kRegDword:
            label = texts::kTypeLabelDword;
            break;
        case platform::kRegMultiSz:
            label = texts::kTypeLabelMultiString;
            break;
        default:
            return std::string();
    }
    return label + std::to_string(remembered);
}

bool RegistryAccess::KeyOrValueExists(const std::string& keyPath,
                                      const std::string& valueName) const {
    OwnedKey key = OpenKey(keyPath);
    if (!key) {
        return false;
    }
    if (valueName.empty()) {
        return true;
    }
    // Only the size is asked for, so a value of any length is found.
    std::uint32_t size = 0;
    return platform::RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, nullptr, &size) ==
           platform::kErrorSuccess;
}

bool RegistryAccess::FlushKey(const std::string& keyPath) const {
    OwnedKey key = OpenKey(keyPath);
    return key && platform::RegFlushKey(key.Get()) == platform::kErrorSuccess;
}

bool RegistryAccess::WriteValue(const std::string& keyPath, const std::string& valueName,
                                const Bytes& data, std::uint32_t type) const {
    OwnedKey key = OpenKey(keyPath, true);
    return key && SetValue(key.Get(), valueName, type, data) == platform::kErrorSuccess;
}

Bytes RegistryAccess::ReadValue(const std::string& keyPath, const std::string& valueName,
                                std::uint32_t& type) const {
    type = platform::kRegNone;
    OwnedKey key = OpenKey(keyPath);
    if (!key) {
        return Bytes();
    }
    std::uint32_t size = 0;
    std::uint32_t stored = platform::kRegNone;
    if (platform::RegQueryValueExA(key.Get(), valueName.c_str(), &stored, nullptr, &size) !=
        platform::kErrorSuccess) {
        return Bytes();
    }
    Bytes data(size);
    if (platform::RegQueryValueExA(key.Get(), valueName.c_str(), &stored, data.data(), &size) !=
        platform::kErrorSuccess) {
        return Bytes();
    }
    data.resize(size);
    type = stored;
    return data;
}

bool RegistryAccess::WriteValueUnderRoot(int rootCode, const std::string& subKeyPath,
                                         const std::string& valueName, const Bytes& data,
                                         std::uint32_t type) const {
    std::optional<platform::Root> root = paths::RootForCode(rootCode);
    if (!root) {
        return false;
    }
    OwnedKey rootKey;
    if (platform::RegOpenKeyExA(platform::RootKey(*root), "", kReadWrite, rootKey.Receive()) !=
        platform::kErrorSuccess) {
        rootKey.Release();
        return false;
    }
    OwnedKey key;
    if (platform::RegCreateKeyExA(rootKey.Get(), subKeyPath.c_str(), kReadWrite, key.Receive(),
                                  nullptr) != platform::kErrorSuccess) {
        key.Release();
        return false;
    }
    return SetValue(key.Get(), valueName, type, data) == platform::kErrorSuccess;
}

bool RegistryAccess::WriteDword(const std::string& keyPath, const std::string& valueName,
                                std::int32_t value) const {
    auto bits = static_cast<std::uint32_t>(value);
    Bytes data{static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
               static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
    return WriteValue(keyPath, valueName, data, platform::kRegDword);
}

std::int32_t RegistryAccess::ReadDword(const std::string& keyPath,
                                       const std::string& valueName) const {
    std::uint32_t type = 0;
    Bytes data = ReadValue(keyPath, valueName, type);
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4 && i < data.size(); ++i) {
        bits |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
}

bool RegistryAccess::WriteBinary(const std::string& keyPath, const std::string& valueName,
                                 const Bytes& data) const {
    return WriteValue(keyPath, valueName, data, platform::kRegBinary);
}

Bytes RegistryAccess::ReadBinary(const std::string& keyPath, const std::string& valueName) const {
    std::uint32_t type = 0;
    return ReadValue(keyPath, valueName, type);
}

bool RegistryAccess::WriteString(const std::string& keyPath, const std::string& valueName,
                                 const std::string& text) const {
    return WriteValue(keyPath, valueName, TextToBytes(text), platform::kRegSz);
}

std::string RegistryAccess::ReadString(const std::string& keyPath,
                                       const std::string& valueName) const {
    std::uint32_t type = 0;
    return BytesToText(ReadValue(keyPath, valueName, type));
}

bool RegistryAccess::WriteMultiString(const std::string& keyPath, const std::string& valueName,
                                      const std::string& text) const {
    Bytes data;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            data.push_back(0);
            ++i;
        } else {
            data.push_back(static_cast<unsigned char>(text[i]));
        }
    }
    data.push_back(0);
    data.push_back(0);
    return WriteValue(keyPath, valueName, data, platform::kRegMultiSz);
}

std::string RegistryAccess::ReadMultiString(const std::string& keyPath,
                                            const std::string& valueName) const {
    std::uint32_t type = 0;
    Bytes data = ReadValue(keyPath, valueName, type);
    // The closing double zero ends the list; every zero before it separates two lines.
    for (int closing = 0; closing < 2 && !data.empty() && data.back() == 0; ++closing) {
        data.pop_back();
    }
    std::string text;
    for (unsigned char byte : data) {
        if (byte == 0) {
            text += "\r\n";
        } else {
            text += static_cast<char>(byte);
        }
    }
    return text;
}

bool RegistryAccess::WriteExpandString(const std::string& keyPath, const std::string& valueName,
                                       const std::string& text) const {
    return WriteValue(keyPath, valueName, TextToBytes(text), platform::kRegExpandSz);
}

std::string RegistryAccess::ReadExpandString(const std::string& keyPath,
                                             const std::string& valueName) const {
    std::uint32_t type = 0;
    return BytesToText(ReadValue(keyPath, valueName, type));
}

bool RegistryAccess::DeleteKeyTree(const std::string& keyPath) const {
    std::size_t last = text::LastBackslash(keyPath);
    if (last == std::string::npos || last == keyPath.size() - 1) {
        return false;
    }
    OwnedKey parent = OpenKey(keyPath.substr(0, last + 1));
    if (!parent) {
        return false;
    }
    return DeleteSubtree(parent.Get(), keyPath.substr(last + 1));
}

bool RegistryAccess::DeleteValue(const std::string& keyPath, const std::string& valueName) const {
    OwnedKey key = OpenKey(keyPath);
    return key &&
           platform::RegDeleteValueA(key.Get(), valueName.c_str()) == platform::kErrorSuccess;
}
