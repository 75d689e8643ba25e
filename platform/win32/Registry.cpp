// The registry seam over advapi32.
#include "platform/Registry.h"

#include <windows.h>

namespace platform {
namespace {

HKEY ToHkey(KeyHandle key) {
    return reinterpret_cast<HKEY>(key);
}
KeyHandle FromHkey(HKEY key) {
    return reinterpret_cast<KeyHandle>(key);
}

// Copies a DWORD result back into the seam's 32-bit out-parameter, where the caller gave one.
void Store(std::uint32_t* target, DWORD value) {
    if (target != nullptr) {
        *target = static_cast<std::uint32_t>(value);
    }
}

}  // namespace

KeyHandle RootKey(Root root) {
    switch (root) {
        case Root::ClassesRoot:
            return FromHkey(HKEY_CLASSES_ROOT);
        case Root::CurrentUser:
            return FromHkey(HKEY_CURRENT_USER);
        case Root::LocalMachine:
            return FromHkey(HKEY_LOCAL_MACHINE);
        case Root::Users:
            return FromHkey(HKEY_USERS);
        case Root::CurrentConfig:
            return FromHkey(HKEY_CURRENT_CONFIG);
    }
    return nullptr;
}

bool IsPredefinedKey(KeyHandle key) {
    HKEY h = ToHkey(key);
    return h == HKEY_CLASSES_ROOT || h == HKEY_CURRENT_USER || h == HKEY_LOCAL_MACHINE ||
           h == HKEY_USERS || h == HKEY_CURRENT_CONFIG;
}

Status RegOpenKeyA(KeyHandle key, const char* subKey, KeyHandle* result) {
    HKEY opened = nullptr;
    LONG status = ::RegOpenKeyA(ToHkey(key), subKey, result != nullptr ? &opened : nullptr);
    if (result != nullptr) {
        *result = FromHkey(opened);
    }
    return status;
}

Status RegOpenKeyExA(KeyHandle key, const char* subKey, std::uint32_t access, KeyHandle* result) {
    HKEY opened = nullptr;
    LONG status =
        ::RegOpenKeyExA(ToHkey(key), subKey, 0, access, result != nullptr ? &opened : nullptr);
    if (result != nullptr) {
        *result = FromHkey(opened);
    }
    return status;
}

Status RegCreateKeyA(KeyHandle key, const char* subKey, KeyHandle* result) {
    HKEY opened = nullptr;
    LONG status = ::RegCreateKeyA(ToHkey(key), subKey, result != nullptr ? &opened : nullptr);
    if (result != nullptr) {
        *result = FromHkey(opened);
    }
    return status;
}

Status RegCreateKeyExA(KeyHandle key, const char* subKey, std::uint32_t access, KeyHandle* result,
                       std::uint32_t* disposition) {
    HKEY opened = nullptr;
    DWORD how = 0;
    LONG status = ::RegCreateKeyExA(ToHkey(key), subKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    access, nullptr, result != nullptr ? &opened : nullptr, &how);
    if (result != nullptr) {
        *result = FromHkey(opened);
    }
    if (status == ERROR_SUCCESS) {
        Store(disposition, how);
    }
    return status;
}

Status RegEnumKeyA(KeyHandle key, std::uint32_t index, char* name, std::uint32_t nameSize) {
    return ::RegEnumKeyA(ToHkey(key), index, name, nameSize);
}

Status RegEnumValueA(KeyHandle key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                     std::uint32_t* type, unsigned char* data, std::uint32_t* dataSize) {
    DWORD nameLength = nameSize != nullptr ? *nameSize : 0;
    DWORD valueType = 0;
    DWORD dataLength = dataSize != nullptr ? *dataSize : 0;
    LONG status = ::RegEnumValueA(
        ToHkey(key), index, name, nameSize != nullptr ? &nameLength : nullptr, nullptr,
        type != nullptr ? &valueType : nullptr, data, dataSize != nullptr ? &dataLength : nullptr);
    Store(nameSize, nameLength);
    Store(type, valueType);
    Store(dataSize, dataLength);
    return status;
}

Status RegQueryInfoKeyA(KeyHandle key, std::uint32_t* subKeys, std::uint32_t* values) {
    DWORD keyCount = 0;
    DWORD valueCount = 0;
    LONG status = ::RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, &keyCount, nullptr,
                                     nullptr, &valueCount, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS) {
        Store(subKeys, keyCount);
        Store(values, valueCount);
    }
    return status;
}

Status RegQueryValueExA(KeyHandle key, const char* name, std::uint32_t* type, unsigned char* data,
                        std::uint32_t* dataSize) {
    DWORD valueType = 0;
    DWORD dataLength = dataSize != nullptr ? *dataSize : 0;
    LONG status =
        ::RegQueryValueExA(ToHkey(key), name, nullptr, type != nullptr ? &valueType : nullptr, data,
                           dataSize != nullptr ? &dataLength : nullptr);
    Store(type, valueType);
    Store(dataSize, dataLength);
    return status;
}

Status RegSetValueExA(KeyHandle key, const char* name, std::uint32_t type,
                      const unsigned char* data, std::uint32_t dataSize) {
    return ::RegSetValueExA(ToHkey(key), name, 0, type, data, dataSize);
}

Status RegDeleteKeyA(KeyHandle key, const char* subKey) {
    return ::RegDeleteKeyA(ToHkey(key), subKey);
}

Status RegDeleteValueA(KeyHandle key, const char* name) {
    return ::RegDeleteValueA(ToHkey(key), name);
}

Status RegFlushKey(KeyHandle key) {
    return ::RegFlushKey(ToHkey(key));
}

Status RegCloseKey(KeyHandle key) {
    return ::RegCloseKey(ToHkey(key));
}

}  // namespace platform
