// Single registry values named by a root code and a value path such as
// "SOFTWARE\Classes\Directory\Background\shell\ShortCut\Icon": the text before the last
// backslash is the key, the text after it the value name (empty: the key's default value).
// Root codes: 1 HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_CONFIG, 3 HKEY_CURRENT_USER,
// 4 HKEY_LOCAL_MACHINE, 5 HKEY_USERS; any other code means HKEY_CURRENT_USER.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "registry/RegistryAccess.h"

// What a value path can be given: a text (REG_SZ, stored with its terminating zero), a number
// (REG_DWORD; its low 32 bits) or raw bytes (REG_BINARY).
using RegistryData = std::variant<std::string, std::int64_t, Bytes>;

// Writes the value, opening its key for writing or else creating it with every missing key
// above it. 1 when the value was written, else 0; a key created on the way stays.
int WriteRegistryValue(int rootCode, const std::string& valuePath, const RegistryData& value);

// 1 when the value exists, 0 when it does not (also when its key is missing), and -1 when the
// registry would not tell (a refused read), so that a caller never takes a value it could not
// see for a missing one.
int RegistryValueExists(int rootCode, const std::string& valuePath);
