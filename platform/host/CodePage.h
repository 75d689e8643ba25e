// Code page 936 and UTF-16, as the host registry stores names and string data.
#pragma once

#include <cstddef>
#include <string>

namespace platform::host {

// Converts bytes in code page 936 to UTF-16. Embedded zeros are kept; a byte that starts no
// valid character (a dangling lead byte) becomes '?', as on Windows.
std::u16string AnsiToWide(const char* bytes, std::size_t length);
inline std::u16string AnsiToWide(const std::string& text) {
    return AnsiToWide(text.data(), text.size());
}

// Copies `text` into a caller's buffer of `size` bytes (size > 0) as the 8-bit calls do: cut
// to fit with its terminating zero. The bytes copied, zero not counted.
std::size_t CopyCut(const std::string& text, char* buffer, std::size_t size);

// Converts UTF-16 to code page 936; characters the code page lacks become '?'.
std::string WideToAnsi(const std::u16string& text);

// Registry names compare without regard to letter case, by their upper-case forms.
bool EqualNoCase(const std::u16string& a, const std::u16string& b);

// A name in a form that compares equal exactly when the names match without regard to letter
// case, as Windows compares file and registry names: the key of the stand-ins' name tables.
std::u16string FoldedName(const std::string& ansi);

// The order in which the registry hands out subkeys: by lower-cased UTF-16.
bool LessNoCase(const std::u16string& a, const std::u16string& b);

}  // namespace platform::host
