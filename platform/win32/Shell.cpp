// The shell seam over shell32, shlwapi, ole32 and comdlg32.
#include "platform/Shell.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>

namespace platform {

struct ShellLinkObject {
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
};

std::uint32_t DragQueryFileA(DropHandle drop, std::uint32_t index, char* buffer,
                             std::uint32_t size) {
    return ::DragQueryFileA(reinterpret_cast<HDROP>(drop), index, buffer, size);
}

void DragFinish(DropHandle drop) {
    ::DragFinish(reinterpret_cast<HDROP>(drop));
}

const char* PathFindExtensionA(const char* path) {
    return ::PathFindExtensionA(path);
}

const char* PathFindFileNameA(const char* path) {
    return ::PathFindFileNameA(path);
}

int MultiByteToWideChar(const char* text, char16_t* buffer, int size) {
    return ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1,
                                 reinterpret_cast<wchar_t*>(buffer), size);
}

ShellLinkHandle CreateShellLink() {
    auto* object = new ShellLinkObject;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&object->link)))) {
        delete object;
        return nullptr;
    }
    if (FAILED(object->link->QueryInterface(IID_IPersistFile,
                                            reinterpret_cast<void**>(&object->file)))) {
        object->link->Release();
        delete object;
        return nullptr;
    }
    return object;
}

bool LoadShellLink(ShellLinkHandle link, const char16_t* path) {
    return SUCCEEDED(link->file->Load(reinterpret_cast<const wchar_t*>(path), STGM_READ));
}

bool GetShellLinkPath(ShellLinkHandle link, char* buffer, int size) {
    return SUCCEEDED(link->link->GetPath(buffer, size, nullptr, SLGP_UNCPRIORITY));
}

void ReleaseShellLink(ShellLinkHandle link) {
    if (link == nullptr) {
        return;
    }
    link->file->Release();
    link->link->Release();
    delete link;
}

bool GetOpenFileNameA(OpenFileRequest& request) {
    // comdlg32 is loaded when the dialog is first wanted, not at start-up: loading it (and what
    // it loads in turn) is the largest part of the program's start under Wine. It is loaded
    // from the system folder by its full path, never through the search order.
    using OpenFileName = BOOL(WINAPI*)(OPENFILENAMEA*);
    static OpenFileName openFileName = [] {
        char system[MAX_PATH] = {};
        UINT length = ::GetSystemDirectoryA(system, MAX_PATH);
        if (length == 0 || length >= MAX_PATH - 14) {
            return static_cast<OpenFileName>(nullptr);
        }
        HMODULE dialogs = ::LoadLibraryA((std::string(system, length) + "\\comdlg32.dll").c_str());
        return dialogs != nullptr ? reinterpret_cast<OpenFileName>(reinterpret_cast<void (*)()>(
                                        ::GetProcAddress(dialogs, "GetOpenFileNameA")))
                                  : nullptr;
    }();
    if (openFileName == nullptr) {
        return false;
    }
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = reinterpret_cast<HWND>(request.owner);
    dialog.lpstrFilter = request.filter;
    dialog.nFilterIndex = request.filterIndex;
    dialog.lpstrFile = request.file;
    dialog.nMaxFile = request.fileSize;
    dialog.Flags = request.flags;
    return openFileName(&dialog) != FALSE;
}

}  // namespace platform
