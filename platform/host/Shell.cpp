// The host stand-in of the shell: drops, path names, shortcuts and the open-file dialog.
#include <cstring>
#include <deque>
#include <map>
#include <memory>

#include "platform/Shell.h"
#include "platform/host/CodePage.h"
#include "platform/host/HostPlatform.h"
#include "platform/host/Resets.h"

namespace platform {

struct DropObject {
    std::vector<std::string> names;
};

struct ShellLinkObject {
    std::string target;
    bool loaded = false;
};

namespace host {
namespace {

struct ShellState {
    std::map<DropObject*, std::unique_ptr<DropObject>> drops;
    std::map<std::u16string, std::string> shortcuts;  // keyed by the folded path
    bool linksAvailable = true;
    std::size_t openLinks = 0;
    std::deque<std::optional<std::string>> dialogAnswers;
    std::vector<OpenFileCall> dialogCalls;
};

ShellState& Shell() {
    static ShellState state;
    return state;
}

// CharNextA in code page 936.
const char* Next(const char* p) {
    if (static_cast<unsigned char>(*p) >= 0x81 && static_cast<unsigned char>(*p) <= 0xFE &&
        p[1] != '\0') {
        return p + 2;
    }
    return p + 1;
}

}  // namespace

void ResetShell() {
    Shell() = ShellState();
}

DropHandle MakeDrop(const std::vector<std::string>& names) {
    auto drop = std::make_unique<DropObject>();
    drop->names = names;
    DropObject* handle = drop.get();
    Shell().drops[handle] = std::move(drop);
    return handle;
}

std::size_t OpenDropCount() {
    return Shell().drops.size();
}

void AddShortcut(const std::string& path, const std::string& target) {
    Shell().shortcuts[FoldedName(path)] = target;
}

void SetShellLinkAvailable(bool available) {
    Shell().linksAvailable = available;
}

std::size_t OpenShellLinkCount() {
    return Shell().openLinks;
}

void AnswerOpenFileDialogs(std::vector<std::optional<std::string>> answers) {
    Shell().dialogAnswers.assign(answers.begin(), answers.end());
}

std::vector<OpenFileCall> OpenFileDialogs() {
    return Shell().dialogCalls;
}

}  // namespace host

using host::Shell;

std::uint32_t DragQueryFileA(DropHandle drop, std::uint32_t index, char* buffer,
                             std::uint32_t size) {
    auto found = Shell().drops.find(drop);
    if (found == Shell().drops.end()) {
        return 0;
    }
    const std::vector<std::string>& names = found->second->names;
    if (index == kDragQueryCount) {
        return static_cast<std::uint32_t>(names.size());
    }
    if (index >= names.size()) {
        return 0;
    }
    const std::string& name = names[index];
    if (buffer == nullptr) {
        return static_cast<std::uint32_t>(name.size());
    }
    if (size == 0) {
        return 0;
    }
    return static_cast<std::uint32_t>(host::CopyCut(name, buffer, size));
}

void DragFinish(DropHandle drop) {
    Shell().drops.erase(drop);
}

const char* PathFindExtensionA(const char* path) {
    if (path == nullptr) {
        return nullptr;
    }
    const char* dot = nullptr;
    for (; *path != '\0'; path = host::Next(path)) {
        if (*path == '\\' || *path == ' ') {
            dot = nullptr;
        } else if (*path == '.') {
            dot = path;
        }
    }
    return dot != nullptr ? dot : path;
}

const char* PathFindFileNameA(const char* path) {
    if (path == nullptr) {
        return nullptr;
    }
    const char* name = path;
    for (; *path != '\0'; path = host::Next(path)) {
        if ((*path == '\\' || *path == '/' || *path == ':') && path[1] != '\0' && path[1] != '\\' &&
            path[1] != '/') {
            name = path + 1;
        }
    }
    return name;
}

int MultiByteToWideChar(const char* text, char16_t* buffer, int size) {
    std::u16string wide = host::AnsiToWide(text, std::strlen(text));
    wide += u'\0';
    if (static_cast<int>(wide.size()) > size) {
        return 0;
    }
    std::memcpy(buffer, wide.data(), wide.size() * sizeof(char16_t));
    return static_cast<int>(wide.size());
}

ShellLinkHandle CreateShellLink() {
    if (!Shell().linksAvailable) {
        return nullptr;
    }
    ++Shell().openLinks;
    return new ShellLinkObject;
}

bool LoadShellLink(ShellLinkHandle link, const char16_t* path) {
    std::u16string wide(path);
    auto found = Shell().shortcuts.find(host::FoldedName(host::WideToAnsi(wide)));
    if (found == Shell().shortcuts.end()) {
        return false;
    }
    link->target = found->second;
    link->loaded = true;
    return true;
}

bool GetShellLinkPath(ShellLinkHandle link, char* buffer, int size) {
    if (size <= 0) {
        return false;
    }
    host::CopyCut(link->target, buffer, static_cast<std::size_t>(size));
    return link->loaded;
}

void ReleaseShellLink(ShellLinkHandle link) {
    if (link != nullptr) {
        --Shell().openLinks;
        delete link;
    }
}

bool GetOpenFileNameA(OpenFileRequest& request) {
    host::OpenFileCall call;
    for (const char* p = request.filter; p != nullptr && *p != '\0'; p += std::strlen(p) + 1) {
        call.filter.append(p, std::strlen(p) + 1);
    }
    call.filter += '\0';
    call.initialFile = request.file != nullptr ? request.file : "";
    call.filterIndex = request.filterIndex;
    call.flags = request.flags;
    call.fileSize = request.fileSize;
    Shell().dialogCalls.push_back(call);
    if (Shell().dialogAnswers.empty() || !Shell().dialogAnswers.front()) {
        if (!Shell().dialogAnswers.empty()) {
            Shell().dialogAnswers.pop_front();
        }
        return false;
    }
    std::string chosen = *Shell().dialogAnswers.front();
    Shell().dialogAnswers.pop_front();
    if (chosen.size() + 1 > request.fileSize) {
        return false;
    }
    std::memcpy(request.file, chosen.c_str(), chosen.size() + 1);
    return true;
}

}  // namespace platform
