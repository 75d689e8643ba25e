// The host stand-in of the message queue: the test decides what "waiting messages" do.
#include <utility>

#include "platform/Messages.h"
#include "platform/host/HostControl.h"
#include "platform/host/HostState.h"

namespace platform {

namespace {

bool inWaitingDispatch = false;

}  // namespace

void DispatchWaitingMessages() {
    host::State& state = host::GetState();
    ++state.messageDispatches;
    // Restored however the dispatcher leaves, an ended test process included.
    struct Flag {
        bool outer = inWaitingDispatch;
        Flag() { inWaitingDispatch = true; }
        ~Flag() { inWaitingDispatch = outer; }
    } flag;
    if (state.dispatcher) {
        state.dispatcher();
    }
}

bool InWaitingDispatch() {
    return inWaitingDispatch;
}

namespace host {

void SetMessageDispatcher(std::function<void()> dispatcher) {
    GetState().dispatcher = std::move(dispatcher);
}

std::size_t MessageDispatchCount() {
    return GetState().messageDispatches;
}

}  // namespace host
}  // namespace platform
