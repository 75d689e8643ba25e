// The version-resource half of the platform seam (version.dll, 8-bit forms).
#pragma once

#include <cstdint>

namespace platform {

// The size of the file's version information block, 0 when it has none.
std::uint32_t GetFileVersionInfoSizeA(const char* path);
bool GetFileVersionInfoA(const char* path, std::uint32_t size, void* block);
// Finds `subBlock` ("\VarFileInfo\Translation", "\StringFileInfo\080404b0\ProductName") in
// the block: for a text, an ANSI text and its length in characters; for the translation
// table, its bytes and their count.
bool VerQueryValueA(const void* block, const char* subBlock, const void** value,
                    std::uint32_t* length);
// The language's name into `buffer`; the length of the name, 0 on failure.
std::uint32_t VerLanguageNameA(std::uint32_t language, char* buffer, std::uint32_t size);

}  // namespace platform
