// RegistryAccess: the system's stateless layer over the registry for keys named by key path
// texts ("HKEY_LOCAL_MACHINE\SOFTWARE\Classes\..."). Every operation opens the keys it needs
// and closes them before it returns; only OpenKey hands an open key to its caller.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "registry/OwnedKey.h"

// Raw value data.
using Bytes = std::vector<unsigned char>;

class RegistryAccess {
  public:
    RegistryAccess() = default;
    ~RegistryAccess() = default;
    RegistryAccess(const RegistryAccess&) = default;
    RegistryAccess& operator=(const RegistryAccess&) = default;

    // The key named by `keyPath`, created with every missing level when `create` is set; an
    // empty owner when the root name is unknown or the call fails.
    OwnedKey OpenKey(const std::string& keyPath, bool create = false) const;

    // Fills `names` with the key's direct subkeys in enumeration order and returns their
    // count, or -1 (with `names` empty) when the key cannot be opened. After each name the
    // window messages already waiting are dispatched.
    int EnumSubkeys(const std::string& keyPath, std::vector<std::string>& names) const;

    // Lists the key's values; each data buffer carries one extra zero byte after the data.
    // Returns the number of names, or -1 when the key cannot be opened.
    int EnumValues(const std::string& keyPath, std::vector<std::string>& names,
                   std::vector<Bytes>& data, std::vector<std::uint32_t>& types) const;

    // A label for the type of the value named exactly (letter case included) `valueName`,
    // followed by the type number; the empty text for other types or when no value matches.
    std::string DescribeValueType(const std::string& keyPath, const std::string& valueName) const;

    // Without a value name: whether the key opens. With one: whether the value exists.
    bool KeyOrValueExists(const std::string& keyPath, const std::string& valueName = {}) const;

    bool FlushKey(const std::string& keyPath) const;

    // Stores `data` with the given type, creating the key when it is missing.
    bool WriteValue(const std::string& keyPath, const std::string& valueName, const Bytes& data,
                    std::uint32_t type) const;
    // The value's data and, in `type`, its type; empty data (and type 0) on failure.
    Bytes ReadValue(const std::string& keyPath, const std::string& valueName,
                    std::uint32_t& type) const;

    // Root codes: 1 HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_CONFIG, 3 HKEY_CURRENT_USER,
    // 4 HKEY_LOCAL_MACHINE, 5 HKEY_USERS; any other code writes nothing and gives false.
    bool WriteValueUnderRoot(int rootCode, const std::string& subKeyPath,
                             const std::string& valueName, const Bytes& data,
                             std::uint32_t type = platform::kRegSz) const;

    bool WriteDword(const std::string& keyPath, const std::string& valueName,
                    std::int32_t value) const;
    // The first four bytes, little-endian; missing bytes count as zero.
    std::int32_t ReadDword(const std::string& keyPath, const std::string& valueName) const;
    bool WriteBinary(const std::string& keyPath, const std::string& valueName,
                     const Bytes& data) const;
    Bytes ReadBinary(const std::string& keyPath, const std::string& valueName) const;
    // Stores the text's bytes without a terminating zero.
    bool WriteString(const std::string& keyPath, const std::string& valueName,
                     const std::string& text) const;
    // The data up to its first zero byte.
    std::string ReadString(const std::string& keyPath, const std::string& valueName) const;
    // Lines joined by CR LF become zero-separated strings with a closing double zero.
    bool WriteMultiString(const std::string& keyPath, const std::string& valueName,
                          const std::string& text) const;
    // The inverse: gives back the lines joined by CR LF, as they were written.
    std::string ReadMultiString(const std::string& keyPath, const std::string& valueName) const;
    bool WriteExpandString(const std::string& keyPath, const std::string& valueName,
                           const std::string& text) const;
    // Environment references stay as stored.
    std::string ReadExpandString(const std::string& keyPath, const std::string& valueName) const;

    // Deletes the key with all its subkeys, depth first, and returns true when the key itself
    // went. A path ending in a backslash is refused: its last name would be empty, which
    // would delete the parent.
    bool DeleteKeyTree(const std::string& keyPath) const;

    // An empty name deletes the key's default value.
    bool DeleteValue(const std::string& keyPath, const std::string& valueName) const;
};
