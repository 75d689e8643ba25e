// Deleting entries and repairing the cascade's icon.
#pragma once

// Deletes the entry selected in the list, after asking: the first level first, else the
// second. Nothing selected: nothing is asked or deleted. The list is refreshed in every case.
void DeleteMenuEntry();

// Points the cascade's Icon at the program's own executable, creating the cascade's key if
// it is missing.
void RepairCascadeIcon();
