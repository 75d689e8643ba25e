// The main window's controls made by bare calls: the floor of what the platform itself needs
// to show the program's window.
#pragma once

#include <windows.h>

namespace bench {

// Gives `window` the main window's controls from its layout table, by bare CreateWindowExA
// calls with no procedures of the program's own: the classes and styles the program's forms
// use (platform/win32/ControlClass.h), the same texts, places and font. Fills its list box
// with the names of the shell key's subkeys, read with RegEnumKeyA and added with redrawing
// off, each with its 1-based place as item value.
void MakeBareControls(HWND window);

}  // namespace bench
