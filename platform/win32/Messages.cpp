// The message-queue seam over user32.
#include "platform/Messages.h"

#include <windows.h>

namespace platform {

void DispatchWaitingMessages() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (message.message == WM_QUIT) {
            return;
        }
        if (!::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            return;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

}  // namespace platform
