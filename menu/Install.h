// Installing an entry from the name-choice window.
#pragma once

#include <string>

#include "common/Texts.h"

// The click on "使用": an empty name does nothing; a name with a backslash is refused with a
// message and the window stays open; otherwise the privilege is enabled and the entry
// installed.
void OnUseClicked();

// Enables the named privilege in the process's token; the result of the adjustment, nonzero
// for success, or 0 when nothing was tried (a platform outside the Windows NT family).
int EnablePrivilege(const std::string& privilege = texts::kDebugPrivilege);

// Writes the entry of the name box's text for selectedPath at the chosen level, reports the
// outcome, refreshes the list and closes the name-choice window.
void InstallMenuEntry();
