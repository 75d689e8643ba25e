#include "backup/BackupFile.h"

#include <cstdint>
#include <vector>

namespace {

// The file as a sequence of characters: UTF-16LE code units, or bytes.
std::vector<std::uint32_t> Characters(const std::string& bytes) {
    std::vector<std::uint32_t> characters;
    auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    bool bom16 = bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE;
    // Without its byte order mark the UTF-16 format still shows in its zero high bytes.
    bool bare16 = bytes.size() >= 2 && byte(0) != 0 && byte(1) == 0;
    if (bom16 || bare16) {
        for (std::size_t i = bom16 ? 2 : 0; i + 1 < bytes.size(); i += 2) {
            characters.push_back(byte(i) | byte(i + 1) << 8);
        }
        return characters;
    }
    bool bom8 = bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF;
    for (std::size_t i = bom8 ? 3 : 0; i < bytes.size(); ++i) {
        characters.push_back(byte(i));
    }
    return characters;
}

std::uint32_t Lower(std::uint32_t c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// Blanks of any kind, which a reader may skip before a key line's "[".
bool IsBlank(std::uint32_t c) {
    return c <= 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

// The first line must name one of the two formats the registry editor writes; the older
// format, whose lines name keys without brackets, is not accepted.
bool HasKnownHeader(const std::vector<std::uint32_t>& characters) {
    std::string first;
    for (std::uint32_t c : characters) {
        if (c == '\r' || c == '\n') {
            break;
        }
        if (c > 0x7F) {
            return false;
        }
        first += static_cast<char>(c);
    }
    return first == "Windows Registry Editor Version 5.00" || first == "REGEDIT4";
}

// Whether one key line ("[...]" or "[-...]", from its "[") names allowedKey or a key below it.
bool KeyLineAllowed(const std::vector<std::uint32_t>& line, std::size_t open,
                    const std::string& allowedKey) {
    std::size_t at = open + 1;
    if (at < line.size() && line[at] == '-') {
        ++at;
    }
    for (char c : allowedKey) {
        if (at >= line.size() || Lower(line[at]) != Lower(static_cast<unsigned char>(c))) {
            return false;
        }
        ++at;
    }
    if (at >= line.size() || (line[at] != '\\' && line[at] != ']')) {
        return false;
    }
    for (; at < line.size(); ++at) {
        if (line[at] == ']') {
            return true;
        }
    }
    return false;
}

}  // namespace

bool NamesOnlyKeysBelow(const std::string& bytes, const std::string& allowedKey) {
    std::vector<std::uint32_t> characters = Characters(bytes);
    if (!HasKnownHeader(characters)) {
        return false;
    }
    // A reader may drop what follows a zero up to wherever it is in its reading, so a zero
    // could hide a key line from this check: the editor never writes one.
    for (std::uint32_t c : characters) {
        if (c == 0) {
            return false;
        }
    }
    std::vector<std::uint32_t> line;
    for (std::size_t i = 0; i <= characters.size(); ++i) {
        bool end = i == characters.size() || characters[i] == '\n' || characters[i] == '\r';
        if (!end) {
            line.push_back(characters[i]);
            continue;
        }
        std::size_t first = 0;
        while (first < line.size() && IsBlank(line[first])) {
            ++first;
        }
        if (first < line.size() && line[first] == '[' && !KeyLineAllowed(line, first, allowedKey)) {
            return false;
        }
        line.clear();
    }
    return true;
}
