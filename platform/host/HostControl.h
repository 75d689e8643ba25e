// What tests can set and read of the host stand-in of the platform.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace platform::host {

// Empties the registry, forgets every open handle, clears the planned failures, restores the
// elevated state and the message dispatcher, and zeroes every counter.
void ResetRegistry();

// Registry key handles opened and not yet closed (predefined roots are not counted).
std::size_t OpenKeyHandleCount();

// Without elevation every change below HKEY_LOCAL_MACHINE fails with 5, as for a standard user
// on Windows: creating a key, setting or deleting a value, deleting a key, and opening a key
// there for writing. Keys opened with the most access allowed are read-only there.
void SetElevated(bool elevated);

// Makes the nth call (1-based, counted from now) of the named registry function fail with
// `code` before it does anything. The name "*" counts the calls of every registry function.
void FailCall(const std::string& function, std::size_t nth, Status code);
void ClearFailures();

// The registry functions called since the last reset, in order.
std::vector<std::string> RegistryCallLog();

// Calls of registry functions since the last reset, of one function or, for "*", of all.
std::size_t RegistryCallCount(const std::string& function = "*");

// Every value set since the last reset, in order, as "ROOT\key\path|value name", the root
// written as HKEY_LOCAL_MACHINE and so on and each name as first spelt.
std::vector<std::string> ValuesSet();

// The whole registry: each key's path ("HKEY_LOCAL_MACHINE\\...", names as first spelt)
// with its values, each as name, type and data.
std::map<std::string, std::string> RegistrySnapshot();

// Runs `dispatcher` each time the system dispatches the waiting window messages.
void SetMessageDispatcher(std::function<void()> dispatcher);
std::size_t MessageDispatchCount();

}  // namespace platform::host
