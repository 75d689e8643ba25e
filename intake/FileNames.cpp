#include "intake/FileNames.h"

#include "common/Text.h"
#include "platform/Shell.h"

std::string GetExtension(const std::string& path) {
    if (path.empty()) {
        return std::string();
    }
    return std::string(platform::PathFindExtensionA(path.c_str()));
}

std::string GetFileName(const std::string& path, bool keepExtension) {
    std::string name = path.empty() ? std::string() : platform::PathFindFileNameA(path.c_str());
    if (keepExtension) {
        return name;
    }
    return name.substr(0, name.size() - GetExtension(name).size());
}

std::string LowerAscii(const std::string& text) {
    std::string lower = text;
    for (std::size_t i = 0; i < lower.size(); ++i) {
        if (text::IsLeadByte(lower[i])) {
            ++i;
        } else if (lower[i] >= 'A' && lower[i] <= 'Z') {
            lower[i] = static_cast<char>(lower[i] - 'A' + 'a');
        }
    }
    return lower;
}
