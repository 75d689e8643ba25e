// The version-resource seam over version.dll.
#include "platform/Version.h"

#include <windows.h>

namespace platform {

std::uint32_t GetFileVersionInfoSizeA(const char* path) {
    return ::GetFileVersionInfoSizeA(path, nullptr);
}

bool GetFileVersionInfoA(const char* path, std::uint32_t size, void* block) {
    return ::GetFileVersionInfoA(path, 0, size, block) != FALSE;
}

bool VerQueryValueA(const void* block, const char* subBlock, const void** value,
                    std::uint32_t* length) {
    void* found = nullptr;
    UINT size = 0;
    BOOL ok = ::VerQueryValueA(block, subBlock, &found, &size);
    *value = found;
    *length = size;
    return ok != FALSE;
}

std::uint32_t VerLanguageNameA(std::uint32_t language, char* buffer, std::uint32_t size) {
    return ::VerLanguageNameA(language, buffer, size);
}

}  // namespace platform
