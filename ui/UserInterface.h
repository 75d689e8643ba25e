// What both windows share: the message boxes of the system and the rule for user actions.
#pragma once

#include <string>

#include "platform/Window.h"

// Makes the form, hidden, centred on the screen: left = (screen width - form width) / 2, and
// top likewise.
platform::WindowHandle CreateCentredForm(const platform::FormLayout& form,
                                         platform::WindowHandle owner,
                                         platform::WindowProc procedure);

// Message boxes without an owner, captioned "信息：", task-modal.
void ShowInformation(const std::string& text);
void ShowError(const std::string& text);
// A question with OK and Cancel; only OK counts as yes.
bool AskOkCancel(const std::string& text);

// False while another operation lets waiting messages run (a long listing or deletion): a
// user action that arrives then is dropped instead of running in the middle of it.
bool UserActionAllowed();
