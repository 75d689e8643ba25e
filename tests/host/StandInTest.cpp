// What only the host stand-in offers: counted handles, planned failures, the elevation
// switch and the message dispatcher, and the system's behaviour under them.
#include <functional>
#include <string>
#include <vector>

#include "platform/host/HostControl.h"
#include "registry/RegistryValue.h"
#include "support/Sandbox.h"

namespace {

using namespace platform;
namespace host = platform::host;
using sandbox::kMachine;
using sandbox::kUser;

class StandIn : public sandbox::RegistryCase {};

TEST_F(StandIn, CountsOpenHandlesButNotRoots) {
    sandbox::CreateKey(kUser);
    EXPECT_EQ(0u, host::OpenKeyHandleCount());
    KeyHandle key = nullptr;
    ASSERT_EQ(kErrorSuccess, RegOpenKeyA(RootKey(Root::CurrentUser), sandbox::kUserSub, &key));
    KeyHandle same = nullptr;
    ASSERT_EQ(kErrorSuccess, RegOpenKeyA(key, "", &same));
    KeyHandle root = nullptr;
    ASSERT_EQ(kErrorSuccess, RegOpenKeyA(RootKey(Root::LocalMachine), nullptr, &root));
    EXPECT_EQ(1u, host::OpenKeyHandleCount());
    EXPECT_EQ(kErrorSuccess, RegCloseKey(key));
    EXPECT_EQ(0u, host::OpenKeyHandleCount());
}

TEST_F(StandIn, PlannedFailuresHitTheNthCall) {
    sandbox::CreateKey(kUser);
    host::FailCall("RegOpenKeyA", 2, kErrorAccessDenied);
    EXPECT_TRUE(registry.KeyOrValueExists(kUser));
    EXPECT_FALSE(registry.KeyOrValueExists(kUser));
    EXPECT_TRUE(registry.KeyOrValueExists(kUser));
    std::size_t before = host::RegistryCallCount();
    host::FailCall("*", 1, kErrorFileNotFound);
    EXPECT_FALSE(registry.KeyOrValueExists(kUser));
    EXPECT_EQ(before + 1, host::RegistryCallCount());
}

TEST_F(StandIn, WithoutElevationLocalMachineIsReadOnly) {
    const std::string entry = std::string(kMachine) + "\\Entry";
    sandbox::SetText(entry, "v", "x");
    sandbox::CreateKey(entry + "\\Child");
    host::SetElevated(false);
    KeyHandle machine = RootKey(Root::LocalMachine);
    OwnedKey key;
    EXPECT_EQ(kErrorAccessDenied,
              RegOpenKeyExA(machine, sandbox::kMachineSub, kKeyWrite, key.Receive()));
    EXPECT_EQ(kErrorAccessDenied,
              RegCreateKeyA(machine, "SOFTWARE\\VentrixTests\\New", key.Receive()));
    ASSERT_EQ(kErrorSuccess,
              RegCreateKeyA(machine, "SOFTWARE\\VentrixTests\\Entry", key.Receive()));
    const unsigned char data[] = "y";
    EXPECT_EQ(kErrorAccessDenied, RegSetValueExA(key.Get(), "v", kRegSz, data, 2));
    EXPECT_EQ(kErrorAccessDenied, RegDeleteValueA(key.Get(), "v"));
    EXPECT_EQ(kErrorAccessDenied, RegDeleteKeyA(key.Get(), "Child"));
    key.Reset();

    // What the system's operations make of it: failures, and nothing changed.
    EXPECT_EQ(0, WriteRegistryValue(4, "SOFTWARE\\VentrixTests\\Entry\\v", std::string("y")));
    EXPECT_EQ(0, WriteRegistryValue(4, "SOFTWARE\\VentrixTests\\New\\", std::string()));
    EXPECT_FALSE(registry.DeleteKeyTree(entry));
    EXPECT_FALSE(registry.WriteString(entry, "v", "y"));
    EXPECT_FALSE(registry.WriteValueUnderRoot(4, "SOFTWARE\\VentrixTests", "w", Bytes{'y'}));
    EXPECT_EQ("x", registry.ReadString(entry, "v"));
    EXPECT_TRUE(sandbox::KeyExists(entry + "\\Child"));
    EXPECT_FALSE(sandbox::KeyExists(std::string(kMachine) + "\\New"));

    // Below HKEY_CURRENT_USER nothing changes.
    EXPECT_EQ(1, WriteRegistryValue(3, std::string(sandbox::kUserSub) + "\\v", std::string("y")));
}

TEST_F(StandIn, EnumSubkeysDispatchesWaitingMessagesAfterEachName) {
    for (const char* name : {"A", "B", "C"}) {
        sandbox::CreateKey(std::string(kUser) + "\\" + name);
    }
    std::vector<std::size_t> handlesDuringDispatch;
    host::SetMessageDispatcher(
        [&handlesDuringDispatch] { handlesDuringDispatch.push_back(host::OpenKeyHandleCount()); });
    std::vector<std::string> names;
    EXPECT_EQ(3, registry.EnumSubkeys(kUser, names));
    EXPECT_EQ(3u, host::MessageDispatchCount());
    EXPECT_EQ((std::vector<std::size_t>{1, 1, 1}), handlesDuringDispatch);
}

// A handler that runs in the middle of an enumeration may change the key being listed; the
// listing goes on with the indexes as they now stand and never crashes.
TEST_F(StandIn, AHandlerRunningDuringADeletionSeesAConsistentRegistry) {
    const std::string top = std::string(kUser) + "\\Tree";
    for (const char* leaf : {"\\A\\A1", "\\B\\B1", "\\C"}) {
        sandbox::CreateKey(top + leaf);
    }
    bool reentered = false;
    host::SetMessageDispatcher([&] {
        if (!reentered) {
            reentered = true;
            std::vector<std::string> names;
            EXPECT_LE(0, registry.EnumSubkeys(kUser, names));
        }
    });
    EXPECT_TRUE(registry.DeleteKeyTree(top));
    EXPECT_TRUE(reentered);
    EXPECT_FALSE(sandbox::KeyExists(top));
}

TEST_F(StandIn, EnumSubkeysKeepsTheNamesGatheredBeforeAFailure) {
    for (const char* name : {"A", "B", "C", "D"}) {
        sandbox::CreateKey(std::string(kUser) + "\\" + name);
    }
    host::FailCall("RegEnumKeyA", 3, kErrorAccessDenied);
    std::vector<std::string> names;
    EXPECT_EQ(2, registry.EnumSubkeys(kUser, names));
    EXPECT_EQ((std::vector<std::string>{"A", "B"}), names);
}

TEST_F(StandIn, APartlyDeletedTreeStaysPartlyDeleted) {
    const std::string top = std::string(kUser) + "\\Tree";
    for (const char* leaf : {"\\A\\A1", "\\B\\B1"}) {
        sandbox::CreateKey(top + leaf);
    }
    // Deletion order: A1, A, B1, B, Tree. The third deletion (B1) fails.
    host::FailCall("RegDeleteKeyA", 3, kErrorAccessDenied);
    EXPECT_FALSE(registry.DeleteKeyTree(top));
    EXPECT_FALSE(sandbox::KeyExists(top + "\\A"));
    EXPECT_TRUE(sandbox::KeyExists(top + "\\B\\B1"));
}

TEST_F(StandIn, AKeyThatWillNotOpenForWritingIsCreatedInstead) {
    sandbox::CreateKey(std::string(kUser) + "\\Entry");
    host::FailCall("RegOpenKeyExA", 1, kErrorAccessDenied);
    EXPECT_EQ(
        1, WriteRegistryValue(3, std::string(sandbox::kUserSub) + "\\Entry\\v", std::string("x")));
    EXPECT_EQ(1u, host::RegistryCallCount("RegCreateKeyA"));
    host::FailCall("RegOpenKeyExA", 1, kErrorAccessDenied);
    host::FailCall("RegCreateKeyA", 1, kErrorAccessDenied);
    EXPECT_EQ(
        0, WriteRegistryValue(3, std::string(sandbox::kUserSub) + "\\Entry\\w", std::string("x")));
}

// Every operation of the registry layer, with each of its registry calls failing in turn:
// no key stays open, and nothing crashes.
TEST_F(StandIn, EveryCallFailingLeavesNoKeyOpen) {
    struct Operation {
        const char* name;
        std::function<void()> run;
    };
    const std::string key = std::string(kUser) + "\\Op";
    RegistryAccess& r = registry;
    std::vector<std::string> names;
    std::vector<Bytes> data;
    std::vector<std::uint32_t> types;
    std::uint32_t type = 0;
    const std::vector<Operation> operations = {
        {"OpenKey", [&] { r.OpenKey(key + "\\New", true); }},
        {"EnumSubkeys", [&] { r.EnumSubkeys(key, names); }},
        {"EnumValues", [&] { r.EnumValues(key, names, data, types); }},
        {"DescribeValueType", [&] { r.DescribeValueType(key, "s"); }},
        {"KeyOrValueExists", [&] { r.KeyOrValueExists(key, "s"); }},
        {"FlushKey", [&] { r.FlushKey(key); }},
        {"WriteValue", [&] { r.WriteValue(key + "\\W", "v", Bytes{1}, kRegBinary); }},
        {"ReadValue", [&] { r.ReadValue(key, "s", type); }},
        {"WriteValueUnderRoot",
         [&] { r.WriteValueUnderRoot(3, sandbox::kUserSub, "u", Bytes{'x'}); }},
        {"WriteMultiString", [&] { r.WriteMultiString(key, "m", "a\r\nb"); }},
        {"ReadMultiString", [&] { r.ReadMultiString(key, "s"); }},
        {"DeleteKeyTree", [&] { r.DeleteKeyTree(key); }},
        {"DeleteValue", [&] { r.DeleteValue(key, "s"); }},
        {"WriteRegistryValue",
         [&] {
             WriteRegistryValue(3, std::string(sandbox::kUserSub) + "\\Op\\N\\", std::string());
         }},
        {"RegistryValueExists",
         [&] { RegistryValueExists(3, std::string(sandbox::kUserSub) + "\\Op\\s"); }},
    };
    auto seed = [&] {
        host::ResetRegistry();
        sandbox::SetText(key, "s", "x");
        sandbox::CreateKey(key + "\\A\\B");
        sandbox::CreateKey(key + "\\C");
    };
    for (const Operation& operation : operations) {
        seed();
        std::size_t before = host::RegistryCallCount();
        operation.run();
        std::size_t calls = host::RegistryCallCount() - before;
        ASSERT_GT(calls, 0u) << operation.name;
        for (Status code : {kErrorAccessDenied, kErrorFileNotFound}) {
            for (std::size_t nth = 1; nth <= calls; ++nth) {
                seed();
                host::FailCall("*", nth, code);
                operation.run();
                EXPECT_EQ(0u, host::OpenKeyHandleCount())
                    << operation.name << ": call " << nth << " failing with " << code;
            }
        }
    }
}

}  // namespace
