// What a backup file may hold.
#pragma once

#include <string>

// True when every key that the registry file names, to be written ("[key]") or deleted
// ("[-key]"), is `allowedKey` or lies below it (letter case aside). The file may be in the
// registry editor's UTF-16LE format or its 8-bit one. A key that merely begins with the same
// letters (...\shellX) lies outside; so does a key line that does not end in "]".
bool NamesOnlyKeysBelow(const std::string& bytes, const std::string& allowedKey);
