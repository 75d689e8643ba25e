// RegistryAccess: listing, describing, reading and writing values.
#include <map>
#include <string>
#include <vector>

#include "common/Texts.h"
#include "support/Sandbox.h"

namespace {

using sandbox::kUser;
using namespace platform;

Bytes B(const std::string& bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

class RegistryValues : public sandbox::RegistryCase {};

TEST_F(RegistryValues, WriteValueCreatesTheKeyAndStoresTheType) {
    const std::string key = std::string(kUser) + "\\New\\Key";
    EXPECT_TRUE(registry.WriteValue(key, "raw", B(std::string("a\0b", 3)), kRegBinary));
    std::uint32_t type = 99;
    EXPECT_EQ(B(std::string("a\0b", 3)), registry.ReadValue(key, "raw", type));
    EXPECT_EQ(kRegBinary, type);
}

TEST_F(RegistryValues, ReadValueOfMissingValuesAndKeys) {
    sandbox::CreateKey(kUser);
    std::uint32_t type = 99;
    EXPECT_TRUE(registry.ReadValue(kUser, "missing", type).empty());
    EXPECT_EQ(kRegNone, type);
    EXPECT_TRUE(registry.ReadValue(std::string(kUser) + "\\Missing", "v", type).empty());
    EXPECT_EQ(0, registry.ReadDword(kUser, "missing"));
    EXPECT_EQ("", registry.ReadString(kUser, "missing"));
    EXPECT_EQ("", registry.ReadMultiString(kUser, "missing"));
}

TEST_F(RegistryValues, TypedRoundTrips) {
    EXPECT_TRUE(registry.WriteDword(kUser, "minus", -1));
    EXPECT_TRUE(registry.WriteDword(kUser, "bits", 0x12345678));
    EXPECT_TRUE(registry.WriteBinary(kUser, "bin", B(std::string("\0\xFF\0", 3))));
    EXPECT_TRUE(registry.WriteString(kUser, "text", "快捷 \"C:\\a b\\x.exe\""));
    EXPECT_TRUE(registry.WriteExpandString(kUser, "expand", "%SystemRoot%\\x"));
    EXPECT_EQ(-1, registry.ReadDword(kUser, "minus"));
    EXPECT_EQ(0x12345678, registry.ReadDword(kUser, "bits"));
    EXPECT_EQ(B(std::string("\0\xFF\0", 3)), registry.ReadBinary(kUser, "bin"));
    EXPECT_EQ("快捷 \"C:\\a b\\x.exe\"", registry.ReadString(kUser, "text"));
    EXPECT_EQ("%SystemRoot%\\x", registry.ReadExpandString(kUser, "expand"));
    EXPECT_EQ((sandbox::RawValue{kRegDword, std::string("\x78\x56\x34\x12", 4)}.bytes),
              sandbox::QueryRaw(kUser, "bits")->bytes);
    EXPECT_EQ(kRegExpandSz, sandbox::QueryRaw(kUser, "expand")->type);
}

TEST_F(RegistryValues, ReadDwordOfShortData) {
    sandbox::SetRaw(kUser, "two", kRegBinary, "\x34\x12");
    sandbox::SetRaw(kUser, "one", kRegBinary, "\x80");
    EXPECT_EQ(0x1234, registry.ReadDword(kUser, "two"));
    EXPECT_EQ(0x80, registry.ReadDword(kUser, "one"));
}

TEST_F(RegistryValues, MultiStringsReadBackAsWritten) {
    struct Case {
        std::string text;
        std::string stored;
    };
    for (const Case& c : {
             Case{"", std::string("\0\0", 2)},
             Case{"a", std::string("a\0\0", 3)},
             Case{"a\r\nb", std::string("a\0b\0\0", 5)},
             Case{"a\r\n\r\nb", std::string("a\0\0b\0\0", 6)},
             Case{"a\r\n", std::string("a\0\0\0", 4)},
             Case{"快\r\n捷", std::string("快\0捷\0\0", 7)},
             Case{"lone\rcr\nlf", std::string("lone\rcr\nlf\0\0", 12)},
         }) {
        ASSERT_TRUE(registry.WriteMultiString(kUser, "multi", c.text));
        std::optional<sandbox::RawValue> raw = sandbox::QueryRaw(kUser, "multi");
        ASSERT_TRUE(raw);
        EXPECT_EQ(kRegMultiSz, raw->type);
        EXPECT_EQ(c.stored, raw->bytes) << c.text;
        EXPECT_EQ(c.text, registry.ReadMultiString(kUser, "multi"));
    }
}

TEST_F(RegistryValues, WriteStringLeavesOutTheZeroButTheStoredStringEndsInOne) {
    ASSERT_TRUE(registry.WriteString(kUser, "s", "hello"));
    EXPECT_EQ(std::string("hello\0", 6), sandbox::QueryRaw(kUser, "s")->bytes);
}

TEST_F(RegistryValues, EnumValuesOfMissingAndEmptyKeys) {
    std::vector<std::string> names{"stale"};
    std::vector<Bytes> data{Bytes{1}};
    std::vector<std::uint32_t> types{1};
    EXPECT_EQ(-1, registry.EnumValues(std::string(kUser) + "\\Missing", names, data, types));
    EXPECT_TRUE(names.empty() && data.empty() && types.empty());
    sandbox::CreateKey(kUser);
    names.push_back("stale");
    EXPECT_EQ(0, registry.EnumValues(kUser, names, data, types));
    EXPECT_TRUE(names.empty() && data.empty() && types.empty());
}

TEST_F(RegistryValues, EnumValuesGivesParallelListsWithAnExtraZero) {
    sandbox::SetText(kUser, "", "default");
    sandbox::SetRaw(kUser, "dword", kRegDword, std::string("\x01\0\0\0", 4));
    sandbox::SetRaw(kUser, "bin", kRegBinary, "");
    std::vector<std::string> names;
    std::vector<Bytes> data;
    std::vector<std::uint32_t> types;
    ASSERT_EQ(3, registry.EnumValues(kUser, names, data, types));
    ASSERT_EQ(3u, data.size());
    ASSERT_EQ(3u, types.size());
    std::map<std::string, std::pair<Bytes, std::uint32_t>> byName;
    for (std::size_t i = 0; i < names.size(); ++i) {
        byName[names[i]] = {data[i], types[i]};
    }
    EXPECT_EQ(std::make_pair(B(std::string("default\0\0", 9)), kRegSz), byName[""]);
    EXPECT_EQ(std::make_pair(B(std::string("\x01\0\0\0\0", 5)), kRegDword), byName["dword"]);
    EXPECT_EQ(std::make_pair(B(std::string("\0", 1)), kRegBinary), byName["bin"]);
}

TEST_F(RegistryValues, DescribeValueType) {
    const std::string typed = std::string(kUser) + "\\Typed";
    sandbox::SetRaw(typed, "none", kRegNone, "x");
    sandbox::SetText(typed, "sz", "x");
    sandbox::SetRaw(typed, "expand", kRegExpandSz, std::string("x\0", 2));
    sandbox::SetRaw(typed, "bin", kRegBinary, "x");
    sandbox::SetRaw(typed, "dword", kRegDword, std::string("\0\0\0\0", 4));
    sandbox::SetRaw(typed, "multi", kRegMultiSz, std::string("x\0\0", 3));
    sandbox::SetRaw(typed, "qword", 11, std::string(8, '\0'));
    sandbox::CreateKey(std::string(kUser) + "\\Empty");
    struct Case {
        std::string key;
        std::string value;
        std::string expected;
    };
    using namespace texts;
    for (const Case& c : {
             Case{typed, "none", std::string(kTypeLabelNone) + "0"},
             Case{typed, "sz", std::string(kTypeLabelString) + "1"},
             Case{typed, "expand", std::string(kTypeLabelExpandString) + "2"},
             Case{typed, "bin", std::string(kTypeLabelBinary) + "3"},
             Case{typed, "dword", std::string(kTypeLabelDword) + "4"},
             Case{typed, "multi", std::string(kTypeLabelMultiString) + "7"},
             Case{typed, "qword", ""},  // a type without a label
             Case{typed, "SZ", ""},     // names match exactly, letter case included
             Case{typed, "absent", ""},
             Case{std::string(kUser) + "\\Empty", "sz", std::string(kTypeLabelNone) + "0"},
             Case{std::string(kUser) + "\\Missing", "sz", std::string(kTypeLabelNone) + "0"},
         }) {
        EXPECT_EQ(c.expected, registry.DescribeValueType(c.key, c.value))
            << c.key << " " << c.value;
    }
}

TEST_F(RegistryValues, KeyOrValueExists) {
    sandbox::SetText(kUser, "short", "x");
    sandbox::SetText(kUser, "long", std::string(300, 'l'));
    EXPECT_TRUE(registry.KeyOrValueExists(kUser));
    EXPECT_TRUE(registry.KeyOrValueExists(kUser, "short"));
    EXPECT_TRUE(registry.KeyOrValueExists(kUser, "long"));
    EXPECT_FALSE(registry.KeyOrValueExists(kUser, "absent"));
    EXPECT_FALSE(registry.KeyOrValueExists(std::string(kUser) + "\\Missing"));
    EXPECT_FALSE(registry.KeyOrValueExists(std::string(kUser) + "\\Missing", "short"));
}

TEST_F(RegistryValues, FlushKey) {
    sandbox::CreateKey(kUser);
    EXPECT_TRUE(registry.FlushKey(kUser));
    EXPECT_FALSE(registry.FlushKey(std::string(kUser) + "\\Missing"));
}

TEST_F(RegistryValues, WriteValueUnderRootCodes) {
    const std::string sub = std::string(sandbox::kUserSub) + "\\Rooted";
    EXPECT_TRUE(registry.WriteValueUnderRoot(3, sub, "v", B("text")));
    std::optional<sandbox::RawValue> raw = sandbox::QueryRaw(std::string(kUser) + "\\Rooted", "v");
    ASSERT_TRUE(raw);
    EXPECT_EQ(kRegSz, raw->type);
    EXPECT_EQ(std::string("text\0", 5), raw->bytes);
    EXPECT_TRUE(
        registry.WriteValueUnderRoot(4, sandbox::kMachineSub, "d", B("\x05\0\0\0"), kRegDword));
    EXPECT_EQ(5, registry.ReadDword(sandbox::kMachine, "d"));
    for (int code : {0, 6, -1}) {
        EXPECT_FALSE(registry.WriteValueUnderRoot(code, sub, "bad", B("x"))) << code;
    }
    EXPECT_FALSE(registry.KeyOrValueExists(std::string(kUser) + "\\Rooted", "bad"));
}

}  // namespace
