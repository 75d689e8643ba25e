// Owner of one process, thread or token handle: closes it when it goes.
#pragma once

#include "platform/Process.h"

class OwnedHandle {
  public:
    OwnedHandle() = default;
    explicit OwnedHandle(platform::ProcessHandle handle) : handle_(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() {
        if (handle_ != nullptr) {
            platform::CloseHandle(handle_);
        }
    }
    platform::ProcessHandle Get() const { return handle_; }
    // For a call that hands back a new handle; the owner must be empty.
    platform::ProcessHandle* Receive() { return &handle_; }

  private:
    platform::ProcessHandle handle_ = nullptr;
};
