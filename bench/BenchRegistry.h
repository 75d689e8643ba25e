// The background menu entries the benchmark lists and deletes, written straight through
// advapi32 below HKEY_LOCAL_MACHINE.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

inline constexpr char kShellSub[] = "SOFTWARE\\Classes\\Directory\\Background\\shell";
inline constexpr char kCascadeShellSub[] =
    "SOFTWARE\\Classes\\Directory\\Background\\shell\\ShortCut\\shell";

// Removes the shell key with everything below it and forgets what was seeded.
void ClearShellKey();

// Grows the first-level entries to `count`, ShortCut included: numbered entries, each with
// a command subkey holding a command line. Entries are only ever added.
void SeedFirstLevel(int count);

// Grows the second-level entries below ShortCut\shell to `count`, each with a command subkey.
void SeedSecondLevel(int count);

// Builds the first-level entry `name` with `fanOut` subkeys, each holding `fanOut` subkeys of
// its own: fanOut * (fanOut + 1) keys below the entry.
void BuildTree(const std::string& name, int fanOut);

// Whether the first-level entry `name` exists.
bool ShellEntryExists(const std::string& name);

// The open key of a subkey of HKEY_LOCAL_MACHINE for reading; null when it does not open.
HKEY OpenMachineKey(const char* sub);

// The names of the key's direct subkeys through a bare RegEnumKeyA loop, appended.
void EnumerateNames(HKEY key, std::vector<std::string>& names);

}  // namespace bench
