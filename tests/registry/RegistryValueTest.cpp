// Single values named by a root code and a value path.
#include <string>

#include "registry/RegistryValue.h"
#include "support/Sandbox.h"

namespace {

using sandbox::kUser;
using namespace platform;

class PathValues : public sandbox::RegistryCase {
  protected:
    static std::string Sub(const std::string& rest) {
        return std::string(sandbox::kUserSub) + rest;
    }
};

TEST_F(PathValues, TextIsStoredWithItsZero) {
    EXPECT_EQ(1, WriteRegistryValue(3, Sub("\\Entry\\command\\"), std::string("C:\\a b\\快.exe")));
    std::optional<sandbox::RawValue> raw =
        sandbox::QueryRaw(std::string(kUser) + "\\Entry\\command", "");
    ASSERT_TRUE(raw);
    EXPECT_EQ(kRegSz, raw->type);
    EXPECT_EQ(std::string("C:\\a b\\快.exe\0", 14), raw->bytes);
}

TEST_F(PathValues, EmptyTextToATrailingBackslashCreatesTheKeyWithAnEmptyDefault) {
    EXPECT_EQ(1, WriteRegistryValue(3, Sub("\\A\\B\\"), std::string()));
    std::optional<sandbox::RawValue> raw = sandbox::QueryRaw(std::string(kUser) + "\\A\\B", "");
    ASSERT_TRUE(raw);
    EXPECT_EQ(std::string(1, '\0'), raw->bytes);
}

TEST_F(PathValues, DefaultValueExistsOnlyOnceSet) {
    sandbox::CreateKey(std::string(kUser) + "\\Cascade");
    EXPECT_EQ(0, RegistryValueExists(3, Sub("\\Cascade\\")));
    EXPECT_EQ(0, RegistryValueExists(3, Sub("\\Missing\\")));
    EXPECT_EQ(1, WriteRegistryValue(3, Sub("\\Cascade\\"), std::string()));
    EXPECT_EQ(1, RegistryValueExists(3, Sub("\\Cascade\\")));
    EXPECT_EQ(0, RegistryValueExists(3, Sub("\\Cascade\\Icon")));
}

TEST_F(PathValues, NumbersAndBytes) {
    EXPECT_EQ(1, WriteRegistryValue(3, Sub("\\n"), std::int64_t{0x1122334455667788}));
    EXPECT_EQ(1, WriteRegistryValue(3, Sub("\\b"), Bytes{0, 1, 0}));
    std::optional<sandbox::RawValue> number = sandbox::QueryRaw(kUser, "n");
    std::optional<sandbox::RawValue> bytes = sandbox::QueryRaw(kUser, "b");
    ASSERT_TRUE(number && bytes);
    EXPECT_EQ(kRegDword, number->type);
    EXPECT_EQ(std::string("\x88\x77\x66\x55", 4), number->bytes);
    EXPECT_EQ(kRegBinary, bytes->type);
    EXPECT_EQ(std::string("\0\x01\0", 3), bytes->bytes);
}

TEST_F(PathValues, UnknownRootCodesMeanTheCurrentUser) {
    for (int code : {3, 0, 9, -4}) {
        std::string name = "code" + std::to_string(code);
        EXPECT_EQ(1, WriteRegistryValue(code, Sub("\\" + name), std::string("x"))) << code;
        EXPECT_EQ(1, RegistryValueExists(3, Sub("\\" + name))) << code;
        EXPECT_EQ(1, RegistryValueExists(code, Sub("\\" + name))) << code;
    }
}

TEST_F(PathValues, LocalMachineIsRootCodeFour) {
    const std::string path = std::string(sandbox::kMachineSub) + "\\Entry\\Icon";
    EXPECT_EQ(1, WriteRegistryValue(4, path, std::string("x")));
    EXPECT_EQ(1, RegistryValueExists(4, path));
    EXPECT_EQ(0, RegistryValueExists(3, path));
}

TEST_F(PathValues, APathWithoutBackslashNamesAValueInTheRootKey) {
    const char name[] = "VentrixTestsRootValue";
    ASSERT_EQ(1, WriteRegistryValue(3, name, std::string("x")));
    EXPECT_EQ(1, RegistryValueExists(3, name));
    EXPECT_TRUE(registry.KeyOrValueExists("HKEY_CURRENT_USER\\", name));
    EXPECT_TRUE(registry.DeleteValue("HKEY_CURRENT_USER\\", name));
    EXPECT_EQ(0, RegistryValueExists(3, name));
}

TEST_F(PathValues, SecondBytesOf5CAreNoSeparators) {
    EXPECT_EQ(1, WriteRegistryValue(3, Sub("\\乗\\名乗"), std::string("v")));
    EXPECT_EQ("v", registry.ReadString(std::string(kUser) + "\\乗", "名乗"));
    EXPECT_EQ(1, RegistryValueExists(3, Sub("\\乗\\名乗")));
}

}  // namespace
