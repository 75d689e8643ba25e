// The name-choice window: candidate names for the selected executable, the name box, the
// level, and the buttons that install the entry or close the window.
#pragma once

#include <string>

#include "platform/Window.h"

enum NameChoiceControl : int {
    kCandidateListId = 201,
    kLabelFileNameId,
    kNameBoxId,
    kRadioFirstLevelId,
    kRadioSecondLevelId,
    kButtonUseId,
    kButtonCancelId,
};

extern const platform::FormLayout kNameChoiceLayout;

// Opens the window for selectedPath, modally over the main window, and returns when it has
// been closed. However it closes, selectedPath and shortcutName are empty afterwards.
void OpenNameChoiceWindow();

// Fills the candidate list: the file description and product name of selectedPath, its file
// name without extension, shortcutName; each only when not empty, duplicates kept.
void FillNameCandidates();

// What the install reads of the open window, and how it closes it.
std::string NameBoxText();
bool FirstLevelSelected();
bool SecondLevelSelected();
void CloseNameChoiceWindow();
