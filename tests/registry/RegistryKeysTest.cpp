// RegistryAccess: opening keys, listing subkeys, deleting trees and values.
#include <algorithm>
#include <string>
#include <vector>

#include "support/Sandbox.h"

namespace {

using sandbox::kUser;

std::string Chinese(std::size_t count) {
    std::string name;
    for (std::size_t i = 0; i < count; ++i) {
        name += "捷";
    }
    return name;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

class RegistryKeys : public sandbox::RegistryCase {};

TEST_F(RegistryKeys, OpenKeyByPathText) {
    sandbox::CreateKey(std::string(kUser) + "\\Existing");
    struct Case {
        std::string path;
        bool opens;
    };
    for (const Case& c : {
             Case{std::string(kUser) + "\\Existing", true},
             Case{std::string(kUser) + "\\Existing\\", true},
             Case{std::string(kUser) + "\\Missing", false},
             Case{"HKEY_CURRENT_USER\\", true},  // the root itself
             Case{"hkey_current_config\\", true},
             Case{"HKEY_LOCAL_MACHINE", false},  // no backslash
             Case{"hkey_users\\.DEFAULT", false},
             Case{"HKEY_NOWHERE\\Software", false},
             Case{"", false},
             Case{"\\", false},
             Case{"\xB1", false},
             Case{std::string(kUser) + "\\\xB1", false},
         }) {
        OwnedKey key = registry.OpenKey(c.path);
        EXPECT_EQ(c.opens, static_cast<bool>(key)) << c.path;
    }
}

TEST_F(RegistryKeys, OpenKeyCreatesEveryMissingLevel) {
    std::string path = std::string(kUser) + "\\A\\B\\C";
    EXPECT_FALSE(registry.OpenKey(path));
    EXPECT_TRUE(registry.OpenKey(path, true));
    EXPECT_TRUE(sandbox::KeyExists(path));
}

TEST_F(RegistryKeys, EnumSubkeysOfMissingAndEmptyKeys) {
    std::vector<std::string> names{"stale"};
    EXPECT_EQ(-1, registry.EnumSubkeys(std::string(kUser) + "\\Missing", names));
    EXPECT_TRUE(names.empty());
    sandbox::CreateKey(kUser);
    names.push_back("stale");
    EXPECT_EQ(0, registry.EnumSubkeys(kUser, names));
    EXPECT_TRUE(names.empty());
}

// Names of up to 255 two-byte characters are legal; every subkey is listed, whatever the
// length of the names around it.
TEST_F(RegistryKeys, EnumSubkeysListsEveryLegalName) {
    std::vector<std::string> expected{"Alpha", Chinese(128), Chinese(255),
                                      "Zulu",  "名乗",       " blank "};
    for (const std::string& name : expected) {
        sandbox::CreateKey(std::string(kUser) + "\\" + name);
    }
    std::vector<std::string> names;
    EXPECT_EQ(static_cast<int>(expected.size()), registry.EnumSubkeys(kUser, names));
    EXPECT_EQ(Sorted(expected), Sorted(names));
}

TEST_F(RegistryKeys, DeleteKeyTreeRemovesThreeLevels) {
    const std::string top = std::string(kUser) + "\\Tree";
    for (const char* leaf : {"\\A\\A1\\A11", "\\A\\A2", "\\B\\B1\\B11", "\\C"}) {
        sandbox::CreateKey(top + leaf);
    }
    sandbox::SetText(top + "\\A\\A1", "v", "x");
    sandbox::CreateKey(std::string(kUser) + "\\Sibling");
    EXPECT_TRUE(registry.DeleteKeyTree(top));
    EXPECT_FALSE(sandbox::KeyExists(top));
    EXPECT_TRUE(sandbox::KeyExists(std::string(kUser) + "\\Sibling"));
}

TEST_F(RegistryKeys, DeleteKeyTreeRefusals) {
    sandbox::CreateKey(std::string(kUser) + "\\Keep\\Child");
    struct Case {
        std::string path;
    };
    for (const Case& c : {
             Case{std::string(kUser) + "\\Keep\\"},  // would name the parent itself
             Case{std::string(kUser) + "\\Keep\\Child\\"},
             Case{std::string(kUser) + "\\Keep\\Missing"},
             Case{std::string(kUser) + "\\Missing\\Child"},
             Case{"HKEY_CURRENT_USER"},
             Case{"HKEY_CURRENT_USER\\"},
             Case{""},
             Case{"NOT_A_ROOT\\Keep"},
         }) {
        EXPECT_FALSE(registry.DeleteKeyTree(c.path)) << c.path;
    }
    EXPECT_TRUE(sandbox::KeyExists(std::string(kUser) + "\\Keep\\Child"));
}

// A second byte of 0x5C is part of a name, never a separator: such a name is deleted like any
// other, with its whole tree.
TEST_F(RegistryKeys, DeleteKeyTreeWithTwoByteCharactersEndingIn5C) {
    for (const char* name : {"名乗", "乗\\乗子", "表乗"}) {
        sandbox::CreateKey(std::string(kUser) + "\\" + name + "\\inner");
    }
    EXPECT_TRUE(registry.DeleteKeyTree(std::string(kUser) + "\\名乗"));
    EXPECT_TRUE(registry.DeleteKeyTree(std::string(kUser) + "\\乗\\乗子"));
    EXPECT_TRUE(registry.DeleteKeyTree(std::string(kUser) + "\\表乗"));
    std::vector<std::string> names;
    EXPECT_EQ(1, registry.EnumSubkeys(kUser, names));
    EXPECT_EQ(std::vector<std::string>{"乗"}, names);
}

TEST_F(RegistryKeys, DeleteKeyTreeReachesSubkeysWithLongNames) {
    const std::string top = std::string(kUser) + "\\Long";
    sandbox::CreateKey(top + "\\" + Chinese(255) + "\\command");
    sandbox::CreateKey(top + "\\" + Chinese(130));
    EXPECT_TRUE(registry.DeleteKeyTree(top));
    EXPECT_FALSE(sandbox::KeyExists(top));
}

TEST_F(RegistryKeys, DeleteKeyTreeDirectlyBelowARoot) {
    const std::string top = "HKEY_CURRENT_USER\\VentrixTestsTop";
    sandbox::CreateKey(top + "\\Child");
    EXPECT_TRUE(registry.DeleteKeyTree(top));
    EXPECT_FALSE(sandbox::KeyExists(top));
}

TEST_F(RegistryKeys, DeleteValue) {
    sandbox::SetText(kUser, "Named", "x");
    sandbox::SetText(kUser, "", "default");
    EXPECT_TRUE(registry.DeleteValue(kUser, "named"));
    EXPECT_FALSE(registry.DeleteValue(kUser, "Named"));
    EXPECT_TRUE(registry.DeleteValue(kUser, ""));
    EXPECT_FALSE(registry.DeleteValue(kUser, ""));
    EXPECT_FALSE(registry.DeleteValue(std::string(kUser) + "\\Missing", "Named"));
    EXPECT_TRUE(sandbox::KeyExists(kUser));
}

}  // namespace
