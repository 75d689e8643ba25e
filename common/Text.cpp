#include "common/Text.h"

namespace text {
namespace {

// Calls `visit(position)` for every backslash character of `path`, in order.
template <typename Visit>
void ForEachBackslash(const std::string& path, Visit visit) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByte(path[i])) {
            ++i;
        } else if (path[i] == '\\') {
            visit(i);
        }
    }
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::size_t FirstBackslash(const std::string& path) {
    std::size_t first = std::string::npos;
    ForEachBackslash(path, [&first](std::size_t position) {
        if (first == std::string::npos) {
            first = position;
        }
    });
    return first;
}

std::size_t LastBackslash(const std::string& path) {
    std::size_t last = std::string::npos;
    ForEachBackslash(path, [&last](std::size_t position) { last = position; });
    return last;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsLeadByte(a[i])) {
            if (a[i] != b[i] || (i + 1 < a.size() && a[i + 1] != b[i + 1])) {
                return false;
            }
            ++i;
        } else if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace text
