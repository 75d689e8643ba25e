// The check of a backup file before it is imported: any bytes give an answer, and a file that
// passes stops passing once a key outside the menu is added to it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "backup/BackupFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string menu = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\Background\\shell";
    std::string bytes(reinterpret_cast<const char*>(data), size);
    bool utf16 =
        size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] != 0 && data[1] == 0));
    if (NamesOnlyKeysBelow(bytes, menu) && !utf16) {
        if (NamesOnlyKeysBelow(bytes + "\r\n[HKEY_CURRENT_USER\\Evil]\r\n", menu)) {
            std::abort();
        }
    }
    return 0;
}
