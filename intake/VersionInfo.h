// The texts of a file's version resource.
#pragma once

#include <string>

#include "app/Globals.h"

// The longest text a field keeps, in bytes; a longer one is cut at a character boundary.
constexpr std::size_t kMaxVersionTextBytes = 255;

// Fills `info` from the file's version resource; 1 when the file has one, else 0 with every
// field empty.
int ReadVersionInfo(const std::string& path, VersionInfo& info);

// Cuts `text` to at most `limit` bytes without splitting a two-byte character.
std::string CutAtCharacter(const std::string& text, std::size_t limit);
