#include "intake/Shortcut.h"

#include "platform/Shell.h"

namespace {

// Owner of a shell link object: releases its interfaces when it goes.
class OwnedShellLink {
  public:
    explicit OwnedShellLink(platform::ShellLinkHandle link) : link_(link) {}
    OwnedShellLink(const OwnedShellLink&) = delete;
    OwnedShellLink& operator=(const OwnedShellLink&) = delete;
    ~OwnedShellLink() { platform::ReleaseShellLink(link_); }
    platform::ShellLinkHandle Get() const { return link_; }

  private:
    platform::ShellLinkHandle link_;
};

constexpr int kMaxPath = 260;
constexpr int kTargetBufferBytes = 1024;

}  // namespace

std::string ResolveShortcutTarget(const std::string& shortcutPath) {
    OwnedShellLink link(platform::CreateShellLink());
    if (link.Get() == nullptr) {
        return std::string();
    }
    char16_t widePath[kMaxPath];
    if (platform::MultiByteToWideChar(shortcutPath.c_str(), widePath, kMaxPath) == 0) {
        return std::string();
    }
    if (!platform::LoadShellLink(link.Get(), widePath)) {
        return std::string();
    }
    char target[kTargetBufferBytes] = {};
    if (!platform::GetShellLinkPath(link.Get(), target, sizeof target)) {
        return std::string();
    }
    return std::string(target);
}
