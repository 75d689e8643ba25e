// The shell half of the platform seam: dropped files, path names, shell links and the
// open-file dialog.
#pragma once

#include <cstdint>

#include "platform/Window.h"

namespace platform {

// A drop: the HDROP that comes with WM_DROPFILES as its wParam.
struct DropObject;
using DropHandle = DropObject*;
// DragQueryFileA with this index answers the number of files.
constexpr std::uint32_t kDragQueryCount = 0xFFFFFFFF;
// The length of the name (without its zero) when `buffer` is null; else the bytes copied.
std::uint32_t DragQueryFileA(DropHandle drop, std::uint32_t index, char* buffer,
                             std::uint32_t size);
void DragFinish(DropHandle drop);

// Where the extension of the path's last component starts (its dot), or the path's end;
// and where that last component starts.
const char* PathFindExtensionA(const char* path);
const char* PathFindFileNameA(const char* path);

// MultiByteToWideChar of a zero-terminated ANSI text (CP_ACP, MB_PRECOMPOSED) into `size`
// UTF-16 code units, zero included; 0 when it does not fit.
int MultiByteToWideChar(const char* text, char16_t* buffer, int size);

// A shell link object (CLSID_ShellLink) with its IShellLinkA and IPersistFile interfaces.
struct ShellLinkObject;
using ShellLinkHandle = ShellLinkObject*;
// CoCreateInstance in process, then QueryInterface for IPersistFile; null when either fails.
ShellLinkHandle CreateShellLink();
// IPersistFile::Load with STGM_READ.
bool LoadShellLink(ShellLinkHandle link, const char16_t* path);
// IShellLinkA::GetPath with SLGP_UNCPRIORITY and no find data.
bool GetShellLinkPath(ShellLinkHandle link, char* buffer, int size);
// Releases both interfaces.
void ReleaseShellLink(ShellLinkHandle link);

// The open-file dialog (GetOpenFileNameA).
constexpr std::uint32_t kOfnOverwritePrompt = 0x00000002;
constexpr std::uint32_t kOfnHideReadOnly = 0x00000004;
constexpr std::uint32_t kOfnPathMustExist = 0x00000800;
constexpr std::uint32_t kOfnFileMustExist = 0x00001000;
struct OpenFileRequest {
    WindowHandle owner = nullptr;
    const char* filter = nullptr;  // pairs of zero-terminated texts, ended by an empty one
    std::uint32_t filterIndex = 1;
    char* file = nullptr;  // in: the initial file name; out: the chosen path
    std::uint32_t fileSize = 0;
    std::uint32_t flags = 0;
};
// True when the user chose a file; false when the dialog was cancelled or failed.
bool GetOpenFileNameA(OpenFileRequest& request);

}  // namespace platform
