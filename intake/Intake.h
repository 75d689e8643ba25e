// Files dropped on the main window or chosen in the open-file dialog.
#pragma once

#include "platform/Shell.h"

// Handles the files of one drop in order: each executable (or shortcut to one) opens the
// name-choice window, the next file waiting until it has closed; any other file is refused
// with a message. Releases the drop.
void HandleDroppedFiles(platform::DropHandle drop);

// Lets the user pick an executable and opens the name-choice window for it; the list is
// refreshed after the window has closed. Cancel changes nothing.
void ChooseExecutable();
