#include "intake/VersionInfo.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/Text.h"
#include "platform/Version.h"

namespace {

constexpr char kDefaultStringTable[] = "040904E4";
constexpr std::uint32_t kLanguageNameBytes = 256;

// A text value of the block, cut to the field's length; empty when the block lacks it. The
// text ends at its zero (the length the platform reports counts characters, not bytes), and
// never past the block.
std::string QueryText(const std::vector<unsigned char>& block, const std::string& subBlock) {
    const void* value = nullptr;
    std::uint32_t length = 0;
    if (!platform::VerQueryValueA(block.data(), subBlock.c_str(), &value, &length) ||
        value == nullptr) {
        return std::string();
    }
    const char* text = static_cast<const char*>(value);
    const char* end = reinterpret_cast<const char*>(block.data() + block.size());
    if (text < reinterpret_cast<const char*>(block.data()) || text >= end) {
        return std::string();
    }
    return CutAtCharacter(std::string(text, strnlen(text, static_cast<std::size_t>(end - text))),
                          kMaxVersionTextBytes);
}

// Four lower-case hexadecimal digits, as "000%x" cut to its last four characters.
std::string Hex4(unsigned value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "000%x", value);
    std::string text(buffer);
    return text.substr(text.size() - 4);
}

}  // namespace

std::string CutAtCharacter(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) {
        return text;
    }
    std::size_t end = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t width = text::IsLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
        if (i + width > limit) {
            break;
        }
        i += width;
        end = i;
    }
    return text.substr(0, end);
}

int ReadVersionInfo(const std::string& path, VersionInfo& info) {
    info = VersionInfo();
    std::uint32_t size = platform::GetFileVersionInfoSizeA(path.c_str());
    if (size == 0) {
        return 0;
    }
    std::vector<unsigned char> block(size);
    if (!platform::GetFileVersionInfoA(path.c_str(), size, block.data())) {
        return 0;
    }
    std::string table = kDefaultStringTable;
    const void* translations = nullptr;
    std::uint32_t bytes = 0;
    if (platform::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translations,
                                 &bytes) &&
        translations >= block.data() && translations < block.data() + block.size()) {
        auto* entries = static_cast<const unsigned char*>(translations);
        std::size_t room = static_cast<std::size_t>(block.data() + block.size() - entries);
        bytes = bytes < room ? bytes : static_cast<std::uint32_t>(room);
    }
    if (translations != nullptr && bytes >= 4) {
        auto* entries = static_cast<const unsigned char*>(translations);
        std::string languages;
        for (std::uint32_t at = 0; at + 4 <= bytes; at += 4) {
            unsigned language = entries[at] | entries[at + 1] << 8;
            char name[kLanguageNameBytes] = {};
            platform::VerLanguageNameA(language, name, sizeof name);
            languages += (at == 0 ? "" : ", ") + std::string(name);
        }
        info.languages = CutAtCharacter(languages, kMaxVersionTextBytes);
        unsigned language = entries[0] | entries[1] << 8;
        unsigned codePage = entries[2] | entries[3] << 8;
        table = Hex4(language) + Hex4(codePage);
    }
    const std::string prefix = "\\StringFileInfo\\" + table + "\\";
    info.fileVersion = QueryText(block, prefix + "FileVersion");
    info.companyName = QueryText(block, prefix + "CompanyName");
    info.fileDescription = QueryText(block, prefix + "FileDescription");
    info.internalName = QueryText(block, prefix + "InternalName");
    info.legalCopyright = QueryText(block, prefix + "LegalCopyright");
    info.legalTrademarks = QueryText(block, prefix + "LegalTrademarks");
    info.originalFilename = QueryText(block, prefix + "OriginalFilename");
    info.productName = QueryText(block, prefix + "ProductName");
    info.productVersion = QueryText(block, prefix + "ProductVersion");
    info.comments = QueryText(block, prefix + "Comments");
    return 1;
}
