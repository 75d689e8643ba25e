// The message-queue seam over user32.
#include "platform/Messages.h"

#include <windows.h>

#include "platform/win32/Dispatch.h"

namespace platform {
namespace {

bool inWaitingDispatch = false;

// Looking at the queue is a round trip to the window server under Wine, as costly as reading
// one registry name. Waiting messages are handled at most this often, which keeps the window
// painted and answering during a long listing at a small part of that cost.
constexpr DWORD kDispatchIntervalMs = 30;
DWORD lastDispatch = 0;

}  // namespace

void DispatchWaitingMessages() {
    DWORD now = ::GetTickCount();
    if (now - lastDispatch < kDispatchIntervalMs) {
        return;
    }
    lastDispatch = now;
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

bool InWaitingDispatch() {
    return inWaitingDispatch;
}

}  // namespace platform
