// Backslash search and the key and value path texts built on it.
#include <gtest/gtest.h>

#include "common/Text.h"
#include "registry/Paths.h"

namespace {

constexpr std::size_t npos = std::string::npos;

TEST(BackslashSearch, StepsOverSecondBytes) {
    struct Case {
        std::string path;
        std::size_t first;
        std::size_t last;
    };
    // "乗" is 0x81 0x5C in code page 936: its second byte looks like a backslash.
    for (const Case& c : {
             Case{"", npos, npos}, Case{"abc", npos, npos}, Case{"\\", 0, 0}, Case{"a\\b\\c", 1, 3},
             Case{"乗", npos, npos}, Case{"乗\\乗", 2, 2}, Case{"a\\乗乗", 1, 1},
             Case{"ab\xB1", npos, npos},  // a lone lead byte at the end
             Case{"a\\\xB1\\", 1, 1},     // a lead byte takes the backslash after it
         }) {
        EXPECT_EQ(c.first, text::FirstBackslash(c.path)) << c.path;
        EXPECT_EQ(c.last, text::LastBackslash(c.path)) << c.path;
    }
}

TEST(NoCaseCompare, FoldsAsciiLettersOnly) {
    EXPECT_TRUE(text::EqualNoCase("hkey_current_config", "HKEY_CURRENT_CONFIG"));
    EXPECT_FALSE(text::EqualNoCase("HKEY_CURRENT_CONFIGX", "HKEY_CURRENT_CONFIG"));
    EXPECT_TRUE(text::EqualNoCase("快A", "快a"));
    EXPECT_FALSE(text::EqualNoCase("快", "捷"));
    EXPECT_FALSE(
        text::EqualNoCase("\xC1"
                          "A",
                          "\xC1"
                          "a"));  // second bytes compare exactly
}

TEST(KeyPathText, RootNames) {
    struct Case {
        std::string path;
        bool recognised;
        platform::Root root;
        std::string subKey;
    };
    using platform::Root;
    for (const Case& c : {
             Case{"HKEY_CLASSES_ROOT\\x", true, Root::ClassesRoot, "x"},
             Case{"HKEY_CURRENT_USER\\a\\b\\", true, Root::CurrentUser, "a\\b\\"},
             Case{"HKEY_LOCAL_MACHINE\\", true, Root::LocalMachine, ""},
             Case{"HKEY_USERS\\.DEFAULT", true, Root::Users, ".DEFAULT"},
             Case{"HKEY_CURRENT_CONFIG\\x", true, Root::CurrentConfig, "x"},
             Case{"hkey_current_config\\x", true, Root::CurrentConfig, "x"},
             Case{"hkey_users\\x", false, Root::Users, ""},
             Case{"HKEY_Local_Machine\\x", false, Root::LocalMachine, ""},
             Case{"HKEY_LOCAL_MACHINE", false, Root::LocalMachine, ""},
             Case{"", false, Root::LocalMachine, ""},
             Case{"\\SOFTWARE", false, Root::LocalMachine, ""},
             Case{"HKEY_FOO\\x", false, Root::LocalMachine, ""},
             Case{"HKEY_LOCAL_MACHINE\xB1\\x", false, Root::LocalMachine, ""},
         }) {
        std::optional<paths::KeyPath> split = paths::SplitKeyPath(c.path);
        ASSERT_EQ(c.recognised, split.has_value()) << c.path;
        if (split) {
            EXPECT_EQ(platform::RootKey(c.root), split->root) << c.path;
            EXPECT_EQ(c.subKey, split->subKey) << c.path;
        }
    }
}

TEST(ValuePathText, CutAtTheLastBackslash) {
    struct Case {
        std::string path;
        std::string key;
        std::string value;
    };
    for (const Case& c : {
             Case{"SOFTWARE\\Classes\\ShortCut\\Icon", "SOFTWARE\\Classes\\ShortCut", "Icon"},
             Case{"SOFTWARE\\Classes\\ShortCut\\", "SOFTWARE\\Classes\\ShortCut", ""},
             Case{"Name", "", "Name"},
             Case{"", "", ""},
             Case{"Key\\名乗", "Key", "名乗"},
             Case{"乗\\v", "乗", "v"},
         }) {
        paths::ValuePath split = paths::SplitValuePath(c.path);
        EXPECT_EQ(c.key, split.keyPath) << c.path;
        EXPECT_EQ(c.value, split.valueName) << c.path;
    }
}

TEST(RootCodes, FiveRootsAndNothingElse) {
    using platform::Root;
    EXPECT_EQ(Root::ClassesRoot, paths::RootForCode(1));
    EXPECT_EQ(Root::CurrentConfig, paths::RootForCode(2));
    EXPECT_EQ(Root::CurrentUser, paths::RootForCode(3));
    EXPECT_EQ(Root::LocalMachine, paths::RootForCode(4));
    EXPECT_EQ(Root::Users, paths::RootForCode(5));
    EXPECT_FALSE(paths::RootForCode(0));
    EXPECT_FALSE(paths::RootForCode(9));
}

}  // namespace
