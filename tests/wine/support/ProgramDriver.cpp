#include "tests/wine/support/ProgramDriver.h"

#include <cstdio>
#include <cstring>

namespace driver {
namespace {

// Code page 936: the program's texts.
constexpr UINT kCodePage = 936;

struct WindowSearch {
    DWORD processId;
    const char* className;  // null: any class
    const char* title;      // null: any title
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !::IsWindowVisible(window)) {
        return TRUE;
    }
    if (search->className != nullptr) {
        char className[64] = {};
        ::GetClassNameA(window, className, sizeof className);
        if (std::strcmp(className, search->className) != 0) {
            return TRUE;
        }
    }
    if (search->title != nullptr && WindowText(window) != search->title) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

std::string WindowsPath(std::string path) {
    if (path.empty() || path[0] != '/') {
        return path;
    }
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return "Z:" + path;
}

std::wstring Wide(const std::string& text) {
    int size =
        ::MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          size);
    return wide;
}

std::string Narrow(const wchar_t* wide, int length) {
    int size = ::WideCharToMultiByte(kCodePage, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(kCodePage, 0, wide, length, text.data(), size, nullptr, nullptr);
    return text;
}

std::string Narrow(const std::wstring& wide) {
    return Narrow(wide.data(), static_cast<int>(wide.size()));
}

// --- The program's process ---

bool Program::Start(const std::string& exe, const char* folder) {
    End();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder, &startup, &info_)) {
        info_ = {};
        return false;
    }
    return true;
}

void Program::End(DWORD timeoutMs, UINT exitCode) {
    if (info_.hProcess == nullptr) {
        return;
    }
    if (Running()) {
        ::TerminateProcess(info_.hProcess, exitCode);
        ::WaitForSingleObject(info_.hProcess, timeoutMs);
    }
    ::CloseHandle(info_.hProcess);
    ::CloseHandle(info_.hThread);
    info_ = {};
}

// --- Windows of another process ---

std::string WindowText(HWND window) {
    wchar_t text[512] = {};
    int length = ::GetWindowTextW(window, text, 512);
    return Narrow(text, length > 0 ? length : 0);
}

HWND FindTopLevel(DWORD processId, const char* className, const char* title) {
    WindowSearch search = {processId, className, title, nullptr};
    ::EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopLevel(const Program& program, const char* className, const char* title,
                     DWORD timeoutMs, DWORD pollMs) {
    DWORD start = ::GetTickCount();
    for (;;) {
        HWND found = FindTopLevel(program.Id(), className, title);
        if (found != nullptr || ::GetTickCount() - start >= timeoutMs ||
            program.Wait(pollMs) != WAIT_TIMEOUT) {
            return found;
        }
    }
}

bool AwaitMessageLoop(HWND window, DWORD timeoutMs, UINT flags) {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, flags, timeoutMs, &ignored) != 0;
}

void Click(HWND parent, int id) {
    ::PostMessageA(::GetDlgItem(parent, id), BM_CLICK, 0, 0);
}

std::string ListItemText(HWND list, int index) {
    LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) {
        return "<no item>";
    }
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    LRESULT copied = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(wide.data()));
    if (copied == LB_ERR) {
        return "<no text>";
    }
    return Narrow(wide.data(), static_cast<int>(copied));
}

std::vector<std::string> ListTexts(HWND list) {
    std::vector<std::string> texts;
    LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        texts.push_back(ListItemText(list, i));
    }
    return texts;
}

// --- Message boxes ---

std::string BoxText(HWND dialog) {
    char text[1024] = {};
    UINT length = ::GetDlgItemTextA(dialog, kMessageTextId, text, sizeof text);
    return std::string(text, length);
}

Box AwaitBox(const Program& program, DWORD timeoutMs, DWORD pollMs) {
    Box box;
    box.dialog = WaitForTopLevel(program, kMessageBoxClass, nullptr, timeoutMs, pollMs);
    if (box.dialog == nullptr) {
        return box;
    }
    // Its text may still be on its way in.
    for (int i = 0; i < 40 && box.text.empty(); ++i) {
        box.text = BoxText(box.dialog);
        if (box.text.empty()) {
            ::Sleep(50);
        }
    }
    box.caption = WindowText(box.dialog);
    return box;
}

// --- The registry ---

void Key::Close() {
    if (key_ != nullptr) {
        ::RegCloseKey(key_);
        key_ = nullptr;
    }
}

LONG Key::Open(const std::string& sub, REGSAM access, HKEY root) {
    Close();
    LONG status = ::RegOpenKeyExA(root, sub.c_str(), 0, access, &key_);
    if (status != ERROR_SUCCESS) {
        key_ = nullptr;
    }
    return status;
}

LONG Key::Create(const std::string& sub, HKEY root) {
    Close();
    LONG status = ::RegCreateKeyExA(root, sub.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    &key_, nullptr);
    if (status != ERROR_SUCCESS) {
        key_ = nullptr;
    }
    return status;
}

bool KeyExists(const std::string& sub, HKEY root) {
    Key key;
    return key.Open(sub, KEY_READ, root) == ERROR_SUCCESS;
}

std::vector<std::string> Subkeys(const std::string& sub, HKEY root, LONG* end) {
    std::vector<std::string> names;
    Key key;
    if (key.Open(sub, KEY_READ, root) != ERROR_SUCCESS) {
        return names;
    }
    char name[512];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        LONG status =
            ::RegEnumKeyExA(key.Get(), index, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS) {
            if (end != nullptr) {
                *end = status;
            }
            return names;
        }
        names.emplace_back(name, size);
    }
}

LONG SetText(const Key& key, const char* name, const std::string& text) {
    return ::RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1));
}

// --- The picture of a window ---

Picture CaptureWindow(HWND window) {
    RECT place;
    ::GetWindowRect(window, &place);
    Picture picture;
    picture.width = place.right - place.left;
    picture.height = place.bottom - place.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, picture.width, picture.height);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, picture.width, picture.height, screen, place.left, place.top,
             SRCCOPY | CAPTUREBLT);
    ::SelectObject(memory, previous);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    picture.bits.resize(static_cast<std::size_t>(picture.Stride() * picture.height));
    int rows = ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(picture.height),
                           picture.bits.data(), &info, DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    if (rows != picture.height) {
        picture.bits.clear();
    }
    return picture;
}

bool SaveBitmap(const Picture& picture, const std::string& path) {
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = picture.width;
    info.biHeight = picture.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(picture.bits.size());
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + info.biSizeImage;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written =
        std::fwrite(&header, sizeof header, 1, file) == 1 &&
        std::fwrite(&info, sizeof info, 1, file) == 1 &&
        std::fwrite(picture.bits.data(), 1, picture.bits.size(), file) == picture.bits.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace driver
