// Names taken from paths.
#pragma once

#include <string>

// The extension of the path's last component with its dot (".exe"), or the empty text.
std::string GetExtension(const std::string& path);
// The path's last component, with or without its extension.
std::string GetFileName(const std::string& path, bool keepExtension);
// The text with the ASCII letters lower-cased; two-byte characters stay as they are.
std::string LowerAscii(const std::string& text);
