// The main window: its layout, its "created" handler and its events.
#pragma once

#include "platform/Window.h"

// The ids of the main window's controls.
enum MainControl : int {
    kGroupInstallId = 101,
    kLabelDropId,
    kGroupManageId,
    kEntryListId,
    kButtonRepairId,
    kLabelNoteId,
    kButtonBackupId,
    kButtonRestoreId,
};

extern const platform::FormLayout kMainWindowLayout;

// Creates the main window centred on the screen, runs its "created" handler and shows it.
// In a process that is not elevated the handler ends the process instead.
void CreateMainWindow();

// The main window and its entry list; null before the window exists and after it has gone.
platform::WindowHandle MainWindow();
platform::WindowHandle EntryList();

// The procedure that takes over the main window once it is prepared: it handles dropped
// files and passes every message on to previousWindowProc.
platform::LResult VENTRIX_CALLBACK MainWindowProc(platform::WindowHandle window,
                                                  platform::MessageId message,
                                                  platform::WParam wParam, platform::LParam lParam);
