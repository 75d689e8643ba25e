// How the win32 message loops hand one message on: Esc, Tab and the like go to the form the
// message belongs to, everything else to its window.
#pragma once

#include <windows.h>

namespace platform::win32 {

inline void Dispatch(MSG& message) {
    HWND form = message.hwnd != nullptr ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (form != nullptr && ::IsDialogMessageA(form, &message)) {
        return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
}

}  // namespace platform::win32
