#include "bench/BenchRegistry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {
namespace {

constexpr char kCommandLine[] = "C:\\Windows\\notepad.exe";

int seededFirstLevel = 0;   // numbered first-level entries present
int seededSecondLevel = 0;  // numbered second-level entries present
bool cascadePresent = false;

[[noreturn]] void Fail(const char* what, LONG status) {
    std::fprintf(stderr, "bench: %s failed with %ld\n", what, status);
    std::exit(1);
}

HKEY CreateMachineKey(const char* sub) {
    HKEY key = nullptr;
    LONG status = ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, sub, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    &key, nullptr);
    if (status != ERROR_SUCCESS) {
        Fail(sub, status);
    }
    return key;
}

// Adds "name\command" below `parent` with the command line as the command's default value.
void AddEntry(HKEY parent, const std::string& name) {
    std::string sub = name + "\\command";
    HKEY command = nullptr;
    LONG status = ::RegCreateKeyExA(parent, sub.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                    &command, nullptr);
    if (status != ERROR_SUCCESS) {
        Fail("creating an entry", status);
    }
    ::RegSetValueExA(command, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kCommandLine),
                     sizeof kCommandLine);
    ::RegCloseKey(command);
}

std::string Numbered(const char* prefix, int index) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%05d", prefix, index);
    return name;
}

void EnsureCascade() {
    if (!cascadePresent) {
        ::RegCloseKey(CreateMachineKey(kCascadeShellSub));
        cascadePresent = true;
    }
}

}  // namespace

void ClearShellKey() {
    LONG status = ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kShellSub);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        Fail("clearing the shell key", status);
    }
    seededFirstLevel = 0;
    seededSecondLevel = 0;
    cascadePresent = false;
}

void SeedFirstLevel(int count) {
    EnsureCascade();
    HKEY shell = CreateMachineKey(kShellSub);
    for (; seededFirstLevel < count - 1; ++seededFirstLevel) {
        AddEntry(shell, Numbered("菜单项", seededFirstLevel));
    }
    ::RegCloseKey(shell);
}

void SeedSecondLevel(int count) {
    EnsureCascade();
    HKEY cascade = CreateMachineKey(kCascadeShellSub);
    for (; seededSecondLevel < count; ++seededSecondLevel) {
        AddEntry(cascade, Numbered("二级项", seededSecondLevel));
    }
    ::RegCloseKey(cascade);
}

void BuildTree(const std::string& name, int fanOut) {
    HKEY shell = CreateMachineKey(kShellSub);
    HKEY entry = nullptr;
    LONG status = ::RegCreateKeyExA(shell, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    &entry, nullptr);
    if (status != ERROR_SUCCESS) {
        Fail("creating the tree's entry", status);
    }
    for (int i = 0; i < fanOut; ++i) {
        HKEY middle = nullptr;
        status = ::RegCreateKeyExA(entry, Numbered("子项", i).c_str(), 0, nullptr, 0,
                                   KEY_ALL_ACCESS, nullptr, &middle, nullptr);
        if (status != ERROR_SUCCESS) {
            Fail("creating a tree key", status);
        }
        for (int j = 0; j < fanOut; ++j) {
            HKEY leaf = nullptr;
            status = ::RegCreateKeyExA(middle, Numbered("孙项", j).c_str(), 0, nullptr, 0, KEY_READ,
                                       nullptr, &leaf, nullptr);
            if (status != ERROR_SUCCESS) {
                Fail("creating a tree leaf", status);
            }
            ::RegCloseKey(leaf);
        }
        ::RegCloseKey(middle);
    }
    ::RegCloseKey(entry);
    ::RegCloseKey(shell);
}

bool ShellEntryExists(const std::string& name) {
    std::string sub = std::string(kShellSub) + "\\" + name;
    HKEY key = OpenMachineKey(sub.c_str());
    if (key == nullptr) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

HKEY OpenMachineKey(const char* sub) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, sub, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

void EnumerateNames(HKEY key, std::vector<std::string>& names) {
    char name[520];
    for (DWORD index = 0; ::RegEnumKeyA(key, index, name, sizeof name) == ERROR_SUCCESS; ++index) {
        names.emplace_back(name);
    }
}

}  // namespace bench
