// The message-queue seam over user32.
#include "platform/Messages.h"

#include <windows.h>

#include "platform/win32/Dispatch.h"

namespace platform {
namespace {

bool inWaitingDispatch = false;

}  // namespace

void DispatchWaitingMessages() {
    bool outer = inWaitingDispatch;
    inWaitingDispatch = true;
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (message.message == WM_QUIT || !::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            break;
        }
        win32::Dispatch(message);
    }
    inWaitingDispatch = outer;
}

bool InWaitingDispatch() { return inWaitingDispatch; }

}  // namespace platform
