#include "platform/host/CodePage.h"

#include <iconv.h>
#include <locale.h>
#include <cerrno>
#include <cstring>
#include <cwctype>
#include <stdexcept>
#include <vector>

namespace platform::host {
namespace {

// One iconv descriptor per direction, opened on first use and kept for the process.
class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " +
                                     to);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() { iconv_close(handle_); }

    // What stands for a sequence the converter cannot take, and how many bytes it covers.
    struct Replacement {
        std::string output;
        std::size_t skip;
    };

    // Converts one whole input; a sequence it cannot convert is replaced as
    // `replace(rest, restLength)` says.
    template <typename Replace>
    std::string Run(const char* input, std::size_t length, Replace replace) {
        std::string output;
        std::vector<char> chunk(4 * length + 16);
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input);
        std::size_t inLeft = length;
        while (inLeft > 0) {
            char* out = chunk.data();
            std::size_t outLeft = chunk.size();
            std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(chunk.data(), out);
            if (result == static_cast<std::size_t>(-1) && (errno == EILSEQ || errno == EINVAL)) {
                Replacement replacement = replace(in, inLeft);
                output += replacement.output;
                std::size_t step = replacement.skip;
                in += step;
                inLeft -= step;
                iconv(handle_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return output;
    }

  private:
    iconv_t handle_;
};

locale_t CaseLocale() {
    static locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return locale;
}

char16_t Fold(char16_t c, bool upper) {
    if (c < 0x80) {
        if (upper && c >= u'a' && c <= u'z') {
            return static_cast<char16_t>(c - u'a' + u'A');
        }
        if (!upper && c >= u'A' && c <= u'Z') {
            return static_cast<char16_t>(c - u'A' + u'a');
        }
        return c;
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || CaseLocale() == nullptr) {
        return c;
    }
    wint_t folded = upper ? towupper_l(c, CaseLocale()) : towlower_l(c, CaseLocale());
    return folded <= 0xFFFF ? static_cast<char16_t>(folded) : c;
}

}  // namespace

std::u16string AnsiToWide(const char* bytes, std::size_t length) {
    static Converter toWide("UTF-16LE", "CP936");
    // As Wine converts: a lead byte takes the byte after it along, whatever that byte is, and
    // the pair becomes one '?'; a lead byte at the very end becomes U+0000; any other byte
    // that starts nothing becomes '?'.
    std::string raw = toWide.Run(bytes, length, [](const char* rest, std::size_t left) {
        auto first = static_cast<unsigned char>(rest[0]);
        bool lead = first >= 0x81 && first <= 0xFE;
        if (lead && left == 1) {
            return Converter::Replacement{std::string("\0\0", 2), 1};
        }
        return Converter::Replacement{std::string("?\0", 2),
                                      lead ? std::size_t{2} : std::size_t{1}};
    });
    std::u16string wide(raw.size() / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wide[i] = static_cast<char16_t>(static_cast<unsigned char>(raw[2 * i]) |
                                        static_cast<unsigned char>(raw[2 * i + 1]) << 8);
    }
    return wide;
}

std::string WideToAnsi(const std::u16string& text) {
    static Converter toAnsi("CP936", "UTF-16LE");
    std::string raw(text.size() * 2, '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        raw[2 * i] = static_cast<char>(text[i] & 0xFF);
        raw[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return toAnsi.Run(raw.data(), raw.size(), [](const char*, std::size_t left) {
        return Converter::Replacement{"?", left < 2 ? left : std::size_t{2}};
    });
}

bool EqualNoCase(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i], true) != Fold(b[i], true)) {
            return false;
        }
    }
    return true;
}

std::size_t CopyCut(const std::string& text, char* buffer, std::size_t size) {
    std::size_t length = text.size() < size ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return length;
}

std::u16string FoldedName(const std::string& ansi) {
    std::u16string name = AnsiToWide(ansi);
    for (char16_t& c : name) {
        c = Fold(c, true);
    }
    return name;
}

bool LessNoCase(const std::u16string& a, const std::u16string& b) {
    std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        char16_t x = Fold(a[i], false);
        char16_t y = Fold(b[i], false);
        if (x != y) {
            return x < y;
        }
    }
    return a.size() < b.size();
}

}  // namespace platform::host
