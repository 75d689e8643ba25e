// The host stand-in of version.dll: version information blocks in the platform's layout,
// read with the bounds checked at every step, so that any bytes at all can be handed in.
//
// A block is a tree of nodes, each: WORD length (of the node with its children), WORD value
// length (text: in characters, zero included; binary: in bytes), WORD type (1 text, 0
// binary), the key in UTF-16 with its zero, padding to 4 bytes, the value, padding to 4 bytes,
// the children. GetFileVersionInfoA hands out the block followed by as many bytes again,
// where VerQueryValueA puts the ANSI form of a text it finds.
#include <cstring>
#include <map>

#include "platform/Version.h"
#include "platform/host/CodePage.h"
#include "platform/host/HostPlatform.h"
#include "platform/host/Resets.h"

namespace platform {
namespace host {
namespace {

std::map<std::u16string, std::string>& Files() {
    static std::map<std::u16string, std::string> files;
    return files;
}

void PutWord(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void Pad(std::string& out) {
    while (out.size() % 4 != 0) {
        out += '\0';
    }
}

std::string Wide(const std::string& ansi) {
    std::string out;
    for (char16_t c : AnsiToWide(ansi)) {
        PutWord(out, c);
    }
    PutWord(out, 0);
    return out;
}

std::string Node(const std::string& key, const std::string& value, std::uint16_t valueLength,
                 std::uint16_t type, const std::string& children) {
    std::string out(6, '\0');
    out += Wide(key);
    Pad(out);
    out += value;
    Pad(out);
    out += children;
    out[0] = static_cast<char>(out.size() & 0xFF);
    out[1] = static_cast<char>(out.size() >> 8);
    out[2] = static_cast<char>(valueLength & 0xFF);
    out[3] = static_cast<char>(valueLength >> 8);
    out[4] = static_cast<char>(type);
    return out;
}

std::uint16_t Word(const unsigned char* at) {
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

// One node of a block, its parts located and checked against the bytes around it.
struct Parsed {
    std::size_t start = 0;
    std::size_t end = 0;  // of the node with its children
    std::u16string key;
    std::size_t value = 0;
    std::size_t valueBytes = 0;
    bool text = false;
    std::size_t children = 0;
};

bool Parse(const unsigned char* block, std::size_t start, std::size_t limit, Parsed& node) {
    if (start + 6 > limit) {
        return false;
    }
    std::size_t length = Word(block + start);
    if (length < 6 || start + length > limit) {
        return false;
    }
    node.start = start;
    node.end = start + length;
    std::uint16_t valueLength = Word(block + start + 2);
    node.text = Word(block + start + 4) == 1;
    std::size_t at = start + 6;
    node.key.clear();
    for (;;) {
        if (at + 2 > node.end) {
            return false;
        }
        char16_t c = Word(block + at);
        at += 2;
        if (c == 0) {
            break;
        }
        node.key += c;
    }
    at = (at + 3) & ~std::size_t{3};
    node.value = at < node.end ? at : node.end;
    node.valueBytes = node.text ? std::size_t{valueLength} * 2 : valueLength;
    if (node.value + node.valueBytes > node.end) {
        node.valueBytes = node.end - node.value;
    }
    node.children = (node.value + node.valueBytes + 3) & ~std::size_t{3};
    return true;
}

}  // namespace

void ResetVersions() {
    Files().clear();
}

void AddVersionInfo(const std::string& path, const std::string& block) {
    Files()[FoldedName(path)] = block;
}

std::string BuildVersionBlock(
    const std::vector<std::pair<std::uint16_t, std::uint16_t>>& translations,
    const std::vector<StringTable>& tables) {
    std::string stringTables;
    for (const StringTable& table : tables) {
        std::string strings;
        for (const auto& [key, text] : table.texts) {
            std::string value = Wide(text);
            strings += Node(key, value, static_cast<std::uint16_t>(value.size() / 2), 1, "");
            Pad(strings);
        }
        stringTables += Node(table.name, "", 0, 1, strings);
        Pad(stringTables);
    }
    std::string children = Node("StringFileInfo", "", 0, 1, stringTables);
    Pad(children);
    if (!translations.empty()) {
        std::string table;
        for (const auto& [language, codePage] : translations) {
            PutWord(table, language);
            PutWord(table, codePage);
        }
        std::string var =
            Node("Translation", table, static_cast<std::uint16_t>(table.size()), 0, "");
        children += Node("VarFileInfo", "", 0, 1, var);
    }
    std::string fixed(52, '\0');
    const unsigned char signature[] = {0xBD, 0x04, 0xEF, 0xFE};
    std::memcpy(fixed.data(), signature, 4);
    return Node("VS_VERSION_INFO", fixed, 52, 0, children);
}

}  // namespace host

std::uint32_t GetFileVersionInfoSizeA(const char* path) {
    auto found = host::Files().find(host::FoldedName(path != nullptr ? path : ""));
    // Room for the block, the ANSI mirror of its texts and their zeros.
    return found == host::Files().end() ? 0
                                        : static_cast<std::uint32_t>(found->second.size() * 2 + 4);
}

bool GetFileVersionInfoA(const char* path, std::uint32_t size, void* block) {
    auto found = host::Files().find(host::FoldedName(path != nullptr ? path : ""));
    if (found == host::Files().end() || block == nullptr) {
        return false;
    }
    const std::string& bytes = found->second;
    std::size_t copied = bytes.size() * 2 + 4 <= size ? bytes.size() : 0;
    if (copied < 2) {
        return false;
    }
    auto* out = static_cast<unsigned char*>(block);
    std::memset(out, 0, size);
    std::memcpy(out, bytes.data(), copied);
    // VerQueryValueA goes by the root node's length: one claiming more than the file holds is
    // cut to what there is.
    if (host::Word(out) > copied) {
        out[0] = static_cast<unsigned char>(copied & 0xFF);
        out[1] = static_cast<unsigned char>((copied >> 8) & 0xFF);
    }
    return true;
}

bool VerQueryValueA(const void* block, const char* subBlock, const void** value,
                    std::uint32_t* length) {
    *value = nullptr;
    *length = 0;
    if (block == nullptr || subBlock == nullptr) {
        return false;
    }
    auto* bytes = static_cast<const unsigned char*>(block);
    host::Parsed node;
    std::size_t rootLength = host::Word(bytes);
    if (!host::Parse(bytes, 0, rootLength, node)) {
        return false;
    }
    std::u16string path = host::AnsiToWide(subBlock, std::strlen(subBlock));
    std::size_t at = 0;
    while (at < path.size()) {
        while (at < path.size() && path[at] == u'\\') {
            ++at;
        }
        if (at == path.size()) {
            break;
        }
        std::size_t next = path.find(u'\\', at);
        std::u16string key = path.substr(at, next == std::u16string::npos ? next : next - at);
        at = next == std::u16string::npos ? path.size() : next;
        host::Parsed child;
        bool found = false;
        for (std::size_t place = node.children; place < node.end;) {
            if (!host::Parse(bytes, place, node.end, child)) {
                break;
            }
            if (host::EqualNoCase(child.key, key)) {
                found = true;
                break;
            }
            place = (child.end + 3) & ~std::size_t{3};
        }
        if (!found) {
            return false;
        }
        node = child;
    }
    if (!node.text) {
        *value = bytes + node.value;
        *length = static_cast<std::uint32_t>(node.valueBytes);
        return true;
    }
    std::u16string text;
    for (std::size_t i = 0; i + 1 < node.valueBytes; i += 2) {
        char16_t c = host::Word(bytes + node.value + i);
        if (c == 0) {
            break;
        }
        text += c;
    }
    std::string ansi = host::WideToAnsi(text);
    // The ANSI form goes where the block's second half mirrors the text, which has room for
    // it: a character takes at most two bytes in code page 936.
    auto* mirror = const_cast<unsigned char*>(bytes) + rootLength + node.value;
    std::memcpy(mirror, ansi.c_str(), ansi.size() + 1);
    *value = mirror;
    *length = static_cast<std::uint32_t>(ansi.size() + 1);
    return true;
}

std::uint32_t VerLanguageNameA(std::uint32_t language, char* buffer, std::uint32_t size) {
    static const std::map<std::uint32_t, std::string> names = {
        {0x0000, "Language Neutral"},
        {0x0404, "Chinese (Traditional)"},
        {0x0409, "English (United States)"},
        {0x0804, "Chinese (Simplified)"},
    };
    auto found = names.find(language);
    std::string name = found != names.end() ? found->second : "Unknown language";
    if (buffer == nullptr || size == 0) {
        return static_cast<std::uint32_t>(name.size());
    }
    return static_cast<std::uint32_t>(host::CopyCut(name, buffer, size));
}

}  // namespace platform
