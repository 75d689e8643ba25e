// Owner of one open registry key: closes it when it goes, never a predefined root.
#pragma once

#include "platform/Registry.h"

class OwnedKey {
  public:
    OwnedKey() = default;
    explicit OwnedKey(platform::KeyHandle key) : key_(key) {}
    OwnedKey(OwnedKey&& other) noexcept : key_(other.Release()) {}
    OwnedKey& operator=(OwnedKey&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    OwnedKey(const OwnedKey&) = delete;
    OwnedKey& operator=(const OwnedKey&) = delete;
    ~OwnedKey() { Reset(); }

    platform::KeyHandle Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

    // For a call that hands back a new key: closes the one held, then lends the slot.
    platform::KeyHandle* Receive() {
        Reset();
        return &key_;
    }

    platform::KeyHandle Release() {
        platform::KeyHandle key = key_;
        key_ = nullptr;
        return key;
    }

    void Reset(platform::KeyHandle key = nullptr) {
        if (key_ != nullptr && !platform::IsPredefinedKey(key_)) {
            platform::RegCloseKey(key_);
        }
        key_ = key;
    }

  private:
    platform::KeyHandle key_ = nullptr;
};
