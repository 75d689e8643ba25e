// Helpers over the system's texts: 8-bit strings in the ANSI code page (936), in which a
// byte of 0x80 or above starts a two-byte character.
#pragma once

#include <cstddef>
#include <string>

namespace text {

// True for a byte that starts a two-byte character.
inline bool IsLeadByte(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

// Positions (0-based) of the first and last backslash of `path`, or npos. The scan starts at the
// first byte and steps over the second byte of every two-byte character, so a second byte of
// 0x5C is never taken for a backslash.
std::size_t FirstBackslash(const std::string& path);
std::size_t LastBackslash(const std::string& path);

// Compares without regard to the case of ASCII letters; the two bytes of a two-byte
// character must match exactly.
bool EqualNoCase(const std::string& a, const std::string& b);

}  // namespace text
