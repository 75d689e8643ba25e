// The window class and the styles of its own that each kind of control is made with.
#pragma once

#include <windows.h>

#include "platform/Window.h"

namespace platform::win32 {

struct ControlClass {
    const char* name;
    DWORD style;
    DWORD exStyle;
};

inline ControlClass ClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::GroupBox:
            // Drawn beneath the controls inside it, never over them.
            return {"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 0};
        case ControlKind::Label:
            // Painted after the windows beneath it, and not clipped out of them.
            return {"STATIC", 0, WS_EX_TRANSPARENT};
        case ControlKind::ListBox:
            return {"LISTBOX", 0, 0};
        case ControlKind::PushButton:
            return {"BUTTON", BS_PUSHBUTTON, 0};
        case ControlKind::RadioButton:
            return {"BUTTON", BS_AUTORADIOBUTTON, 0};
        case ControlKind::EditBox:
            return {"EDIT", ES_AUTOHSCROLL, 0};
    }
    return {"STATIC", 0, 0};
}

}  // namespace platform::win32
