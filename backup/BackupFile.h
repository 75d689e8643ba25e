// What a backup file may hold.
#pragma once

#include <string>

// True when every key that the registry file names, to be written ("[key]") or deleted
// ("[-key]"), is `allowedKey` or lies below it (letter case aside). The file must be in one of
// the registry editor's formats, "Windows Registry Editor Version 5.00" (UTF-16LE) or
// "REGEDIT4" (8-bit), and hold no zero character. A key that merely begins with the same
// letters (...\shellX) lies outside; so does a key line that does not end in "]".
bool NamesOnlyKeysBelow(const std::string& bytes, const std::string& allowedKey);
