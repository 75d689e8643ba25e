// Extensions and file names of any path: each is a tail of the path it came from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "intake/FileNames.h"

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The platform takes zero-terminated texts: a path ends at its first zero.
    std::string path(reinterpret_cast<const char*>(data), size);
    path = path.c_str();
    std::string extension = GetExtension(path);
    std::string withExtension = GetFileName(path, true);
    std::string without = GetFileName(path, false);
    if (!EndsWith(path, extension) || !EndsWith(path, withExtension) ||
        without.size() > withExtension.size() ||
        withExtension.compare(0, without.size(), without) != 0) {
        std::abort();
    }
    if (!extension.empty() && extension[0] != '.') {
        std::abort();
    }
    if (LowerAscii(path).size() != path.size()) {
        std::abort();
    }
    return 0;
}
