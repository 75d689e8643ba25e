// The list of background menu entries shown in the main window.
#pragma once

// Clears the main window's list and fills it with the first-level entry names in enumeration
// order, then the second-level names; each item's value is its 1-based place within its level.
void RefreshMenuList();
