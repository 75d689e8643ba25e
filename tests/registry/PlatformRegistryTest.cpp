// The registry calls of the platform seam, as the system relies on them. These cases run
// against the host stand-in and against the real registry under Wine; where they disagree the
// stand-in is wrong.
#include <set>
#include <string>
#include <vector>

#include "registry/OwnedKey.h"
#include "support/Sandbox.h"

namespace {

using namespace platform;

// 255 Chinese characters: a legal key name of 510 bytes in code page 936.
std::string Chinese(std::size_t count) {
    std::string name;
    for (std::size_t i = 0; i < count; ++i) {
        name += "快";
    }
    return name;
}

class PlatformRegistry : public sandbox::RegistryCase {
  protected:
    KeyHandle User() { return RootKey(Root::CurrentUser); }

    // Creates `sub` below the scratch key and hands back a key on it.
    OwnedKey Make(const std::string& sub) {
        OwnedKey key;
        std::string path = std::string(sandbox::kUserSub) + (sub.empty() ? "" : "\\" + sub);
        EXPECT_EQ(kErrorSuccess, RegCreateKeyA(User(), path.c_str(), key.Receive())) << path;
        return key;
    }

    Status OpenStatus(const std::string& subKey) {
        OwnedKey key;
        Status status = RegOpenKeyA(User(), subKey.c_str(), key.Receive());
        if (status != kErrorSuccess) {
            EXPECT_EQ(nullptr, key.Release()) << "a failed open hands back no key";
        }
        return status;
    }

    std::vector<std::string> Subkeys(KeyHandle key) {
        std::vector<std::string> names;
        char name[kKeyNameBufferBytes];
        for (std::uint32_t i = 0; RegEnumKeyA(key, i, name, sizeof name) == kErrorSuccess; ++i) {
            names.emplace_back(name);
        }
        return names;
    }

    std::uint32_t SubkeyCount(KeyHandle key) {
        std::uint32_t count = 0;
        EXPECT_EQ(kErrorSuccess, RegQueryInfoKeyA(key, &count, nullptr));
        return count;
    }
};

TEST_F(PlatformRegistry, NamesMatchWithoutCaseAndKeepTheirFirstSpelling) {
    OwnedKey base = Make("");
    Make("MixedCase");
    OwnedKey again;
    ASSERT_EQ(kErrorSuccess, RegCreateKeyA(base.Get(), "mIXEDcASE", again.Receive()));
    EXPECT_EQ(std::vector<std::string>{"MixedCase"}, Subkeys(base.Get()));
}

TEST_F(PlatformRegistry, NonAsciiLettersFoldOneToOne) {
    OwnedKey base = Make("");
    struct Case {
        const char* created;
        const char* opened;
    };
    for (const Case& c : {Case{"Ж", "ж"}, Case{"Ａ", "ａ"}}) {
        Make(c.created);
        OwnedKey key;
        EXPECT_EQ(kErrorSuccess, RegOpenKeyA(base.Get(), c.opened, key.Receive())) << c.opened;
    }
    EXPECT_EQ(2u, SubkeyCount(base.Get()));
}

TEST_F(PlatformRegistry, BlanksAreKeptExactly) {
    OwnedKey base = Make("");
    for (const char* name : {" lead", "trail ", "lead", "a/b"}) {
        OwnedKey key;
        EXPECT_EQ(kErrorSuccess, RegCreateKeyA(base.Get(), name, key.Receive())) << name;
    }
    EXPECT_EQ(4u, SubkeyCount(base.Get()));
    std::set<std::string> names;
    for (const std::string& name : Subkeys(base.Get())) {
        names.insert(name);
    }
    EXPECT_EQ((std::set<std::string>{" lead", "trail ", "lead", "a/b"}), names);
}

TEST_F(PlatformRegistry, OpenResults) {
    Make("A\\B");
    struct Case {
        std::string subKey;
        Status expected;
    };
    const std::string base = sandbox::kUserSub;
    for (const Case& c : {
             Case{base + "\\A\\B", kErrorSuccess},
             Case{base + "\\A\\B\\", kErrorSuccess},  // a trailing backslash is accepted
             Case{base + "\\a\\b", kErrorSuccess},    // letter case does not matter
             Case{"\\" + base, kErrorBadPathname},    // a leading backslash is refused
             Case{base + "\\Missing", kErrorFileNotFound},
             Case{base + "\\Missing\\B", kErrorFileNotFound},  // a missing middle level
         }) {
        EXPECT_EQ(c.expected, OpenStatus(c.subKey)) << c.subKey;
    }
}

TEST_F(PlatformRegistry, OpenWithoutNameHandsBackTheSameKey) {
    OwnedKey base = Make("");
    KeyHandle same = nullptr;
    ASSERT_EQ(kErrorSuccess, RegOpenKeyA(base.Get(), "", &same));
    EXPECT_EQ(base.Get(), same);
    ASSERT_EQ(kErrorSuccess, RegOpenKeyA(base.Get(), nullptr, &same));
    EXPECT_EQ(base.Get(), same);
}

TEST_F(PlatformRegistry, BadArgumentsOfOpen) {
    KeyHandle key = nullptr;
    EXPECT_EQ(kErrorInvalidHandle, RegOpenKeyExA(nullptr, "Software", kKeyRead, &key));
    EXPECT_EQ(kErrorInvalidParameter, RegOpenKeyA(User(), "Software", nullptr));
}

TEST_F(PlatformRegistry, CreateMakesEveryMissingLevelAndTellsWhich) {
    OwnedKey key;
    std::uint32_t disposition = 0;
    std::string path = std::string(sandbox::kUserSub) + "\\One\\Two\\Three";
    ASSERT_EQ(kErrorSuccess,
              RegCreateKeyExA(User(), path.c_str(), kKeyAllAccess, key.Receive(), &disposition));
    EXPECT_EQ(kCreatedNewKey, disposition);
    ASSERT_EQ(kErrorSuccess,
              RegCreateKeyExA(User(), path.c_str(), kKeyAllAccess, key.Receive(), &disposition));
    EXPECT_EQ(kOpenedExistingKey, disposition);
    EXPECT_TRUE(sandbox::KeyExists(std::string(sandbox::kUser) + "\\One\\Two"));
}

TEST_F(PlatformRegistry, NameLengthCountsUtf16Characters) {
    OwnedKey base = Make("");
    struct Case {
        std::string name;
        Status expected;
    };
    for (const Case& c : {
             Case{std::string(255, 'n'), kErrorSuccess},
             Case{Chinese(255), kErrorSuccess},  // 510 bytes, 255 characters
             Case{std::string(257, 'n'), kErrorInvalidParameter},
         }) {
        OwnedKey key;
        EXPECT_EQ(c.expected, RegCreateKeyA(base.Get(), c.name.c_str(), key.Receive()))
            << c.name.size() << " bytes";
    }
}

TEST_F(PlatformRegistry, SubkeyPathLongerThan260CharactersIsRefused) {
    OwnedKey base = Make("");
    std::string path;
    while (path.size() < 300) {
        path += "abcdefghi\\";
    }
    OwnedKey key;
    EXPECT_EQ(kErrorMoreData, RegCreateKeyA(base.Get(), path.c_str(), key.Receive()));
}

TEST_F(PlatformRegistry, EnumerationPastTheEndAndTooSmallBuffers) {
    OwnedKey base = Make("");
    Make(Chinese(128));  // 256 bytes: needs 257 with the zero
    Make("short");
    char name[256];
    std::string untouched(256, 'x');
    std::vector<Status> results;
    for (std::uint32_t i = 0; i < 3; ++i) {
        std::copy(untouched.begin(), untouched.end(), name);
        Status status = RegEnumKeyA(base.Get(), i, name, sizeof name);
        results.push_back(status);
        if (status == kErrorMoreData) {
            EXPECT_EQ(untouched, std::string(name, sizeof name)) << "buffer changed";
        } else if (status == kErrorSuccess) {
            EXPECT_STREQ("short", name);
        }
    }
    std::multiset<Status> seen(results.begin(), results.end() - 1);
    EXPECT_EQ((std::multiset<Status>{kErrorSuccess, kErrorMoreData}), seen);
    EXPECT_EQ(kErrorNoMoreItems, results.back());
}

TEST_F(PlatformRegistry, DeleteKeyResults) {
    OwnedKey base = Make("");
    Make("P\\Q");
    Make("Own");
    struct Case {
        const char* subKey;
        Status expected;
    };
    for (const Case& c : {
             Case{"P", kErrorAccessDenied},  // still has a subkey
             Case{"Missing", kErrorFileNotFound},
             Case{"P\\Q", kErrorSuccess},  // deletes only Q
             Case{"P", kErrorSuccess},
         }) {
        EXPECT_EQ(c.expected, RegDeleteKeyA(base.Get(), c.subKey)) << c.subKey;
    }
    EXPECT_EQ(kErrorInvalidParameter, RegDeleteKeyA(base.Get(), nullptr));
    OwnedKey own;
    ASSERT_EQ(kErrorSuccess, RegOpenKeyExA(base.Get(), "Own", kKeyAllAccess, own.Receive()));
    EXPECT_EQ(kErrorSuccess, RegDeleteKeyA(own.Get(), ""));
    EXPECT_EQ(0u, SubkeyCount(base.Get()));
}

TEST_F(PlatformRegistry, HandlesOfADeletedKeyAnswerKeyDeleted) {
    OwnedKey base = Make("");
    OwnedKey doomed = Make("Doomed");
    ASSERT_EQ(kErrorSuccess, RegDeleteKeyA(base.Get(), "Doomed"));
    std::uint32_t size = 0;
    const unsigned char data[] = "x";
    char name[16];
    EXPECT_EQ(kErrorKeyDeleted, RegQueryValueExA(doomed.Get(), "v", nullptr, nullptr, &size));
    EXPECT_EQ(kErrorKeyDeleted, RegSetValueExA(doomed.Get(), "v", kRegSz, data, 2));
    EXPECT_EQ(kErrorKeyDeleted, RegEnumKeyA(doomed.Get(), 0, name, sizeof name));
    EXPECT_EQ(kErrorSuccess, RegCloseKey(doomed.Release()));
}

TEST_F(PlatformRegistry, PredefinedRootsAreNeverReallyClosed) {
    OwnedKey key = Make("");
    EXPECT_EQ(kErrorSuccess, RegCloseKey(User()));
    EXPECT_EQ(kErrorSuccess, OpenStatus(sandbox::kUserSub));
    KeyHandle raw = key.Release();
    EXPECT_EQ(kErrorSuccess, RegCloseKey(raw));
    EXPECT_EQ(kErrorInvalidHandle, RegCloseKey(raw));
}

TEST_F(PlatformRegistry, AccessIsCheckedPerHandle) {
    Make("");
    OwnedKey readOnly;
    ASSERT_EQ(kErrorSuccess,
              RegOpenKeyExA(User(), sandbox::kUserSub, kKeyRead, readOnly.Receive()));
    const unsigned char data[] = "x";
    EXPECT_EQ(kErrorAccessDenied, RegSetValueExA(readOnly.Get(), "v", kRegSz, data, 2));
}

TEST_F(PlatformRegistry, DefaultValueIsAbsentUntilSet) {
    OwnedKey base = Make("");
    std::uint32_t size = 0;
    std::uint32_t values = 9;
    EXPECT_EQ(kErrorFileNotFound, RegQueryValueExA(base.Get(), nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(kErrorFileNotFound, RegQueryValueExA(base.Get(), "", nullptr, nullptr, &size));
    ASSERT_EQ(kErrorSuccess, RegQueryInfoKeyA(base.Get(), nullptr, &values));
    EXPECT_EQ(0u, values);
    const unsigned char empty[] = "";
    ASSERT_EQ(kErrorSuccess, RegSetValueExA(base.Get(), "", kRegSz, empty, 1));
    EXPECT_EQ(kErrorSuccess, RegQueryValueExA(base.Get(), nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(1u, size);
    ASSERT_EQ(kErrorSuccess, RegQueryInfoKeyA(base.Get(), nullptr, &values));
    EXPECT_EQ(1u, values);
    EXPECT_EQ(kErrorSuccess, RegDeleteValueA(base.Get(), ""));
    EXPECT_EQ(kErrorFileNotFound, RegDeleteValueA(base.Get(), ""));
}

// How the 8-bit write stores string data, and what the 8-bit read hands back.
TEST_F(PlatformRegistry, StringSizesAfterConversion) {
    OwnedKey base = Make("");
    struct Case {
        const char* label;
        std::string buffer;   // what the caller's memory holds
        std::uint32_t given;  // the length passed
        std::uint32_t type;
        std::string readBack;  // exactly the bytes a read counts
    };
    for (const Case& c : {
             Case{"with its zero", std::string("hello\0", 6), 6, kRegSz, std::string("hello\0", 6)},
             Case{"zero after it", std::string("hello\0", 6), 5, kRegSz, std::string("hello\0", 6)},
             Case{"no zero after it", "helloX", 5, kRegSz, "hello"},
             Case{"two-byte text", std::string("快捷\0", 5), 5, kRegSz, std::string("快捷\0", 5)},
             // A lead byte takes the next byte along, even the zero, and the pair becomes '?'.
             Case{"dangling lead byte", std::string("ab\xB1\0", 4), 4, kRegSz, "ab?"},
             // Wine turns a lead byte that ends the data into U+0000.
             Case{"lead byte at the end", "ab\xB1X", 3, kRegSz, std::string("ab\0", 3)},
             Case{"not expanded", std::string("%PATH%\0", 7), 7, kRegExpandSz,
                  std::string("%PATH%\0", 7)},
             Case{"binary as given", std::string("a\0b", 3), 3, kRegBinary, std::string("a\0b", 3)},
         }) {
        ASSERT_EQ(kErrorSuccess,
                  RegSetValueExA(base.Get(), c.label, c.type,
                                 reinterpret_cast<const unsigned char*>(c.buffer.data()), c.given));
        std::uint32_t size = 0;
        std::uint32_t type = 0;
        ASSERT_EQ(kErrorSuccess, RegQueryValueExA(base.Get(), c.label, &type, nullptr, &size))
            << c.label;
        EXPECT_EQ(c.readBack.size(), size) << c.label;
        EXPECT_EQ(c.type, type) << c.label;
        std::string data(size + 4, '\x7f');
        ASSERT_EQ(kErrorSuccess,
                  RegQueryValueExA(base.Get(), c.label, nullptr,
                                   reinterpret_cast<unsigned char*>(data.data()), &size));
        EXPECT_EQ(c.readBack, data.substr(0, size)) << c.label;
    }
}

TEST_F(PlatformRegistry, TooSmallBufferGivesMoreDataAndTheSizeNeeded) {
    OwnedKey base = Make("");
    const unsigned char hello[] = "hello";
    ASSERT_EQ(kErrorSuccess, RegSetValueExA(base.Get(), "v", kRegSz, hello, 6));
    unsigned char buffer[4] = {'x', 'x', 'x', 'x'};
    std::uint32_t size = sizeof buffer;
    EXPECT_EQ(kErrorMoreData, RegQueryValueExA(base.Get(), "v", nullptr, buffer, &size));
    EXPECT_EQ(6u, size);
    EXPECT_EQ(std::string("xxxx"), std::string(buffer, buffer + 4));
}

TEST_F(PlatformRegistry, ValueNamesMatchWithoutCase) {
    OwnedKey base = Make("");
    const unsigned char one[] = "1";
    const unsigned char two[] = "2";
    ASSERT_EQ(kErrorSuccess, RegSetValueExA(base.Get(), "Value", kRegSz, one, 2));
    ASSERT_EQ(kErrorSuccess, RegSetValueExA(base.Get(), "VALUE", kRegSz, two, 2));
    char name[32];
    std::uint32_t nameSize = sizeof name;
    std::uint32_t size = 0;
    std::uint32_t type = 0;
    ASSERT_EQ(kErrorSuccess, RegEnumValueA(base.Get(), 0, name, &nameSize, &type, nullptr, &size));
    EXPECT_STREQ("Value", name);
    EXPECT_EQ(5u, nameSize);
    EXPECT_EQ(kRegSz, type);
    EXPECT_EQ(2u, size);
    nameSize = sizeof name;
    EXPECT_EQ(kErrorNoMoreItems,
              RegEnumValueA(base.Get(), 1, name, &nameSize, nullptr, nullptr, nullptr));
    EXPECT_EQ(kErrorFileNotFound, RegDeleteValueA(base.Get(), "Other"));
    EXPECT_EQ(kErrorSuccess, RegDeleteValueA(base.Get(), "value"));
}

}  // namespace
