// The registry half of the platform seam.
//
// The system reaches the Windows registry only through these functions. They keep the
// names, arguments and error codes of the 8-bit advapi32 calls they stand for, trimmed to
// what the system passes. Two implementations exist: platform/win32 forwards to advapi32,
// platform/host keeps an in-memory registry with the same semantics for tests on Linux.
#pragma once

#include <cstdint>

namespace platform {

// An open registry key. Opaque; 0 (nullptr) stands for no key.
struct KeyObject;
using KeyHandle = KeyObject*;

// A registry call's result: 0 on success, else a Windows error code.
using Status = long;

constexpr Status kErrorSuccess = 0;
constexpr Status kErrorFileNotFound = 2;
constexpr Status kErrorAccessDenied = 5;
constexpr Status kErrorInvalidHandle = 6;
constexpr Status kErrorInvalidParameter = 87;
constexpr Status kErrorBadPathname = 161;
constexpr Status kErrorMoreData = 234;
constexpr Status kErrorNoMoreItems = 259;
constexpr Status kErrorKeyDeleted = 1018;

// Value types.
constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

// Access rights of a key handle.
constexpr std::uint32_t kKeyQueryValue = 0x0001;
constexpr std::uint32_t kKeySetValue = 0x0002;
constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
constexpr std::uint32_t kKeyRead = 0x20019;
constexpr std::uint32_t kKeyWrite = 0x20006;
constexpr std::uint32_t kKeyAllAccess = 0xF003F;
constexpr std::uint32_t kMaximumAllowed = 0x02000000;

// RegCreateKeyExA dispositions.
constexpr std::uint32_t kCreatedNewKey = 1;
constexpr std::uint32_t kOpenedExistingKey = 2;

// Longest key name component, in UTF-16 characters, and the most bytes such a name can
// take in an ANSI code page of at most two bytes a character, terminating zero included.
// Wine accepts one character more than documented, so the buffer allows for it.
constexpr std::uint32_t kMaxKeyNameChars = 255;
constexpr std::uint32_t kKeyNameBufferBytes = 2 * (kMaxKeyNameChars + 1) + 1;

enum class Root { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

// The predefined handle of a root key. Predefined handles are never really closed.
KeyHandle RootKey(Root root);
bool IsPredefinedKey(KeyHandle key);

Status RegOpenKeyA(KeyHandle key, const char* subKey, KeyHandle* result);
Status RegOpenKeyExA(KeyHandle key, const char* subKey, std::uint32_t access, KeyHandle* result);
Status RegCreateKeyA(KeyHandle key, const char* subKey, KeyHandle* result);
// Non-volatile, no class, no security attributes. disposition may be null.
Status RegCreateKeyExA(KeyHandle key, const char* subKey, std::uint32_t access, KeyHandle* result,
                       std::uint32_t* disposition);
Status RegEnumKeyA(KeyHandle key, std::uint32_t index, char* name, std::uint32_t nameSize);
// nameSize: in, the buffer's size; out, the name's length without its zero.
// type, data and dataSize may be null.
Status RegEnumValueA(KeyHandle key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                     std::uint32_t* type, unsigned char* data, std::uint32_t* dataSize);
// subKeys and values may be null.
Status RegQueryInfoKeyA(KeyHandle key, std::uint32_t* subKeys, std::uint32_t* values);
// type, data and dataSize may be null; data without dataSize is refused with 87.
Status RegQueryValueExA(KeyHandle key, const char* name, std::uint32_t* type, unsigned char* data,
                        std::uint32_t* dataSize);
// For the string types the platform looks at the byte just after the data: when the data's
// last byte is not zero and that byte is, the zero is stored too. Callers keep that byte
// readable.
Status RegSetValueExA(KeyHandle key, const char* name, std::uint32_t type,
                      const unsigned char* data, std::uint32_t dataSize);
Status RegDeleteKeyA(KeyHandle key, const char* subKey);
Status RegDeleteValueA(KeyHandle key, const char* name);
Status RegFlushKey(KeyHandle key);
Status RegCloseKey(KeyHandle key);

}  // namespace platform
