// Shell shortcuts (.lnk files).
#pragma once

#include <string>

// The file-system path the shortcut points to, without its arguments; the empty text when the
// shortcut cannot be read or points to no file-system object.
std::string ResolveShortcutTarget(const std::string& shortcutPath);
