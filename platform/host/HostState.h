// The host stand-in's whole state: one in-memory registry, its open handles, the planned
// failures and the counters that tests read. One instance per process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace platform::host {

struct KeyNode {
    struct Value {
        std::u16string name;  // as first spelt; empty for the default value
        std::uint32_t type = kRegNone;
        // String types hold UTF-16 code units, little-endian; every other type its bytes as given.
        std::string data;
    };

    std::u16string name;  // as first spelt
    Root root = Root::CurrentUser;
    KeyNode* parent = nullptr;
    bool deleted = false;
    std::vector<std::shared_ptr<KeyNode>> children;  // in enumeration order
    std::vector<Value> values;                       // in the order they were first set
};

struct OpenKey {
    std::shared_ptr<KeyNode> node;
    std::uint32_t access = 0;
};

struct PlannedFailure {
    std::string function;
    std::size_t atCall = 0;  // the value of that function's call counter that fails
    Status code = kErrorSuccess;
};

struct State {
    std::map<Root, std::shared_ptr<KeyNode>> roots;
    std::map<std::uintptr_t, OpenKey> handles;
    std::uintptr_t nextHandle = 0x1000;
    bool elevated = true;
    std::map<std::string, std::size_t> calls;  // per function, and "*" for all
    std::vector<PlannedFailure> failures;
    std::function<void()> dispatcher;
    std::size_t messageDispatches = 0;
    std::vector<std::string> valuesSet;
    std::vector<std::string> callLog;
};

State& GetState();

}  // namespace platform::host
