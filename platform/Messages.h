// The message-queue half of the platform seam.
#pragma once

namespace platform {

// Dispatches the window messages already waiting for the calling thread, one after another,
// until the queue is empty or the next one is a quit message, which stays in the queue.
// Never waits for new messages. On Windows the queue is looked at no more often than every
// 30 ms; calls in between return at once.
void DispatchWaitingMessages();

// True while DispatchWaitingMessages is running: a handler reached then runs in the middle of
// another operation.
bool InWaitingDispatch();

}  // namespace platform
