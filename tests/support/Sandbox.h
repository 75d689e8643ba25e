// A scratch part of the registry for the registry cases, which run unchanged against the
// host stand-in and against the real registry (under Wine). Each case starts and ends with
// the scratch keys absent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/Registry.h"
#include "registry/RegistryAccess.h"

namespace sandbox {

// The scratch keys: one below HKEY_CURRENT_USER, one below HKEY_LOCAL_MACHINE for the cases
// that need that root.
inline constexpr char kUserSub[] = "Software\\VentrixTests";
inline constexpr char kUser[] = "HKEY_CURRENT_USER\\Software\\VentrixTests";
inline constexpr char kMachineSub[] = "SOFTWARE\\VentrixTests";
inline constexpr char kMachine[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\VentrixTests";

// Removes both scratch keys with everything below them.
void Clear();

// Registry keys the process holds open, where the platform can tell (the host stand-in).
std::optional<std::size_t> OpenKeyHandles();

// True on the host stand-in, false on the real platform.
bool OnHostStandIn();

// Direct registry access through the platform calls, for setting up and checking a case
// without the code under test. Key paths are key path texts.
void CreateKey(const std::string& keyPath);
bool KeyExists(const std::string& keyPath);
void SetRaw(const std::string& keyPath, const std::string& valueName, std::uint32_t type,
            const std::string& bytes);
void SetText(const std::string& keyPath, const std::string& valueName, const std::string& text);
struct RawValue {
    std::uint32_t type = 0;
    std::string bytes;
};
std::optional<RawValue> QueryRaw(const std::string& keyPath, const std::string& valueName);

// The fixture of every registry case: the scratch keys are cleared before and after, and
// afterwards no key may be left open.
class RegistryCase : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    RegistryAccess registry;
};

}  // namespace sandbox
