// The host stand-in of the registry: an in-memory tree that keeps the semantics and error
// codes of the 8-bit advapi32 functions as Windows documents them and Wine shows them.
#include <algorithm>
#include <cstring>

#include "platform/Registry.h"
#include "platform/host/CodePage.h"
#include "platform/host/HostControl.h"
#include "platform/host/HostState.h"

namespace platform {
namespace host {

State& GetState() {
    static State state;
    return state;
}

namespace {

constexpr std::uintptr_t kPredefinedBase = 0x80000000u;
// Subkey paths given to the 8-bit functions are converted into a buffer of this many UTF-16
// characters; a longer path fails with 234.
constexpr std::size_t kMaxAnsiPathChars = 260;
// Rights that change something; refused below HKEY_LOCAL_MACHINE without elevation.
constexpr std::uint32_t kChangingRights =
    kKeySetValue | kKeyCreateSubKey | 0x0020 | 0x00010000 | 0x00040000 | 0x00080000;

std::uintptr_t RootValue(Root root) {
    switch (root) {
        case Root::ClassesRoot:
            return kPredefinedBase + 0;
        case Root::CurrentUser:
            return kPredefinedBase + 1;
        case Root::LocalMachine:
            return kPredefinedBase + 2;
        case Root::Users:
            return kPredefinedBase + 3;
        case Root::CurrentConfig:
            return kPredefinedBase + 5;
    }
    return 0;
}

std::shared_ptr<KeyNode>& RootNode(Root root) {
    std::shared_ptr<KeyNode>& node = GetState().roots[root];
    if (!node) {
        node = std::make_shared<KeyNode>();
        node->root = root;
    }
    return node;
}

bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// Counts the call and answers with a planned failure, if one is due.
Status Enter(const char* function) {
    State& state = GetState();
    std::size_t own = ++state.calls[function];
    state.callLog.emplace_back(function);
    std::size_t any = ++state.calls["*"];
    for (auto it = state.failures.begin(); it != state.failures.end(); ++it) {
        bool due =
            it->function == "*" ? it->atCall == any : it->function == function && it->atCall == own;
        if (due) {
            Status code = it->code;
            state.failures.erase(it);
            return code;
        }
    }
    return kErrorSuccess;
}

// The open key behind a handle, or the error its use gives.
Status Resolve(KeyHandle key, OpenKey& out) {
    auto value = reinterpret_cast<std::uintptr_t>(key);
    for (Root root : {Root::ClassesRoot, Root::CurrentUser, Root::LocalMachine, Root::Users,
                      Root::CurrentConfig}) {
        if (value == RootValue(root)) {
            out.node = RootNode(root);
            out.access = kKeyAllAccess;
            return kErrorSuccess;
        }
    }
    State& state = GetState();
    auto found = state.handles.find(value);
    if (found == state.handles.end()) {
        return kErrorInvalidHandle;
    }
    if (found->second.node->deleted) {
        return kErrorKeyDeleted;
    }
    out = found->second;
    return kErrorSuccess;
}

bool Limited(const KeyNode& node) {
    return node.root == Root::LocalMachine && !GetState().elevated;
}

// Splits an 8-bit subkey path into its names. Empty names (doubled or trailing backslashes)
// are skipped.
Status SplitPath(const char* subKey, std::vector<std::u16string>& names) {
    names.clear();
    if (subKey == nullptr || *subKey == '\0') {
        return kErrorSuccess;
    }
    std::u16string wide = AnsiToWide(subKey, std::strlen(subKey));
    if (wide.size() > kMaxAnsiPathChars) {
        return kErrorMoreData;
    }
    if (wide[0] == u'\\') {
        return kErrorBadPathname;
    }
    std::u16string current;
    for (char16_t c : wide) {
        if (c == u'\\') {
            if (!current.empty()) {
                names.push_back(current);
            }
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        names.push_back(current);
    }
    for (const std::u16string& name : names) {
        if (name.size() > kMaxKeyNameChars) {
            return kErrorInvalidParameter;
        }
    }
    return kErrorSuccess;
}

std::shared_ptr<KeyNode> FindChild(const KeyNode& parent, const std::u16string& name) {
    for (const auto& child : parent.children) {
        if (EqualNoCase(child->name, name)) {
            return child;
        }
    }
    return nullptr;
}

KeyNode::Value* FindValue(KeyNode& node, const char* name) {
    std::u16string wide = name == nullptr ? std::u16string() : AnsiToWide(name, std::strlen(name));
    for (KeyNode::Value& value : node.values) {
        if (EqualNoCase(value.name, wide)) {
            return &value;
        }
    }
    return nullptr;
}

// The rights a new handle gets, or 5 when they are refused.
Status Grant(const KeyNode& node, std::uint32_t requested, std::uint32_t& granted) {
    if ((requested & kMaximumAllowed) != 0) {
        granted = Limited(node) ? kKeyRead : kKeyAllAccess;
        return kErrorSuccess;
    }
    if (Limited(node) && (requested & kChangingRights) != 0) {
        return kErrorAccessDenied;
    }
    granted = requested;
    return kErrorSuccess;
}

KeyHandle NewHandle(std::shared_ptr<KeyNode> node, std::uint32_t access) {
    State& state = GetState();
    std::uintptr_t value = state.nextHandle;
    state.nextHandle += 4;
    state.handles[value] = OpenKey{std::move(node), access};
    return reinterpret_cast<KeyHandle>(value);
}

// A value's data as the 8-bit functions hand it out: string types converted to the ANSI code
// page, every other type as stored.
std::string AnsiData(const KeyNode::Value& value) {
    if (!IsStringType(value.type)) {
        return value.data;
    }
    std::u16string wide(value.data.size() / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wide[i] = static_cast<char16_t>(static_cast<unsigned char>(value.data[2 * i]) |
                                        static_cast<unsigned char>(value.data[2 * i + 1]) << 8);
    }
    return WideToAnsi(wide);
}

// Copies `data` to the caller's buffer the way the 8-bit queries do: 234 with the size needed
// when it does not fit (the buffer untouched), and for strings a zero after the data when
// the stored string has none and the buffer has room for it.
Status HandOut(const std::string& data, std::uint32_t type, unsigned char* buffer,
               std::uint32_t* size) {
    Status status = kErrorSuccess;
    if (buffer != nullptr) {
        if (data.size() > *size) {
            status = kErrorMoreData;
        } else {
            std::memcpy(buffer, data.data(), data.size());
            if (IsStringType(type) && data.size() < *size &&
                (data.empty() || data.back() != '\0')) {
                buffer[data.size()] = 0;
            }
        }
    }
    if (size != nullptr) {
        *size = static_cast<std::uint32_t>(data.size());
    }
    return status;
}

std::string PathOf(const KeyNode& node) {
    if (node.parent == nullptr) {
        switch (node.root) {
            case Root::ClassesRoot:
                return "HKEY_CLASSES_ROOT";
            case Root::CurrentUser:
                return "HKEY_CURRENT_USER";
            case Root::LocalMachine:
                return "HKEY_LOCAL_MACHINE";
            case Root::Users:
                return "HKEY_USERS";
            case Root::CurrentConfig:
                return "HKEY_CURRENT_CONFIG";
        }
    }
    return PathOf(*node.parent) + "\\" + WideToAnsi(node.name);
}

void InsertSorted(KeyNode& parent, std::shared_ptr<KeyNode> child) {
    auto place =
        std::upper_bound(parent.children.begin(), parent.children.end(), child,
                         [](const std::shared_ptr<KeyNode>& a, const std::shared_ptr<KeyNode>& b) {
                             return LessNoCase(a->name, b->name);
                         });
    parent.children.insert(place, std::move(child));
}

}  // namespace

// The work of the open and create calls, shared by their plain and extended forms.
Status Open(KeyHandle key, const char* subKey, std::uint32_t access, KeyHandle* result);
Status Create(KeyHandle key, const char* subKey, std::uint32_t access, KeyHandle* result,
              std::uint32_t* disposition);

void ResetRegistry() {
    State& state = GetState();
    state.roots.clear();
    state.handles.clear();
    state.nextHandle = 0x1000;
    state.elevated = true;
    state.calls.clear();
    state.failures.clear();
    state.dispatcher = nullptr;
    state.messageDispatches = 0;
    state.valuesSet.clear();
    state.callLog.clear();
}

std::size_t OpenKeyHandleCount() {
    return GetState().handles.size();
}

std::vector<std::string> ValuesSet() {
    return GetState().valuesSet;
}

std::vector<std::string> RegistryCallLog() {
    return GetState().callLog;
}

namespace {

void Capture(const KeyNode& node, std::map<std::string, std::string>& out) {
    std::string values;
    for (const KeyNode::Value& value : node.values) {
        values += WideToAnsi(value.name) + "=" + std::to_string(value.type) + ":";
        for (unsigned char byte : value.data) {
            const char digits[] = "0123456789abcdef";
            values += digits[byte >> 4];
            values += digits[byte & 15];
        }
        values += ";";
    }
    out[PathOf(node)] = values;
    for (const auto& child : node.children) {
        Capture(*child, out);
    }
}

}  // namespace

std::map<std::string, std::string> RegistrySnapshot() {
    std::map<std::string, std::string> snapshot;
    for (const auto& [root, node] : GetState().roots) {
        Capture(*node, snapshot);
    }
    return snapshot;
}

void SetElevated(bool elevated) {
    GetState().elevated = elevated;
}

void FailCall(const std::string& function, std::size_t nth, Status code) {
    State& state = GetState();
    std::size_t already = state.calls.count(function) != 0 ? state.calls[function] : 0;
    state.failures.push_back(PlannedFailure{function, already + nth, code});
}

void ClearFailures() {
    GetState().failures.clear();
}

std::size_t RegistryCallCount(const std::string& function) {
    State& state = GetState();
    auto found = state.calls.find(function);
    return found == state.calls.end() ? 0 : found->second;
}

}  // namespace host

using host::KeyNode;
using host::OpenKey;

KeyHandle RootKey(Root root) {
    return reinterpret_cast<KeyHandle>(host::RootValue(root));
}

bool IsPredefinedKey(KeyHandle key) {
    auto value = reinterpret_cast<std::uintptr_t>(key);
    return value >= host::kPredefinedBase && value <= host::kPredefinedBase + 6;
}

Status RegOpenKeyA(KeyHandle key, const char* subKey, KeyHandle* result) {
    if (Status failed = host::Enter("RegOpenKeyA")) {
        return failed;
    }
    if (result == nullptr) {
        return kErrorInvalidParameter;
    }
    // No name hands back the very handle given, unchecked: closing the "copy" closes it.
    if (subKey == nullptr || *subKey == '\0') {
        *result = key;
        return kErrorSuccess;
    }
    return host::Open(key, subKey, kMaximumAllowed, result);
}

Status RegOpenKeyExA(KeyHandle key, const char* subKey, std::uint32_t access, KeyHandle* result) {
    if (Status failed = host::Enter("RegOpenKeyExA")) {
        return failed;
    }
    return host::Open(key, subKey, access, result);
}

Status host::Open(KeyHandle key, const char* subKey, std::uint32_t access, KeyHandle* result) {
    if (result == nullptr) {
        return kErrorInvalidParameter;
    }
    *result = nullptr;
    OpenKey parent;
    if (Status status = host::Resolve(key, parent)) {
        return status;
    }
    std::vector<std::u16string> names;
    if (Status status = host::SplitPath(subKey, names)) {
        return status;
    }
    if (names.empty() && key == RootKey(Root::ClassesRoot)) {
        *result = key;
        return kErrorSuccess;
    }
    std::shared_ptr<KeyNode> node = parent.node;
    for (const std::u16string& name : names) {
        node = host::FindChild(*node, name);
        if (!node) {
            return kErrorFileNotFound;
        }
    }
    std::uint32_t granted = 0;
    if (Status status = host::Grant(*node, access, granted)) {
        return status;
    }
    *result = host::NewHandle(node, granted);
    return kErrorSuccess;
}

Status RegCreateKeyA(KeyHandle key, const char* subKey, KeyHandle* result) {
    if (Status failed = host::Enter("RegCreateKeyA")) {
        return failed;
    }
    return host::Create(key, subKey, kMaximumAllowed, result, nullptr);
}

Status RegCreateKeyExA(KeyHandle key, const char* subKey, std::uint32_t access, KeyHandle* result,
                       std::uint32_t* disposition) {
    if (Status failed = host::Enter("RegCreateKeyExA")) {
        return failed;
    }
    return host::Create(key, subKey, access, result, disposition);
}

Status host::Create(KeyHandle key, const char* subKey, std::uint32_t access, KeyHandle* result,
                    std::uint32_t* disposition) {
    if (result == nullptr) {
        return kErrorInvalidParameter;
    }
    *result = nullptr;
    OpenKey parent;
    if (Status status = host::Resolve(key, parent)) {
        return status;
    }
    std::vector<std::u16string> names;
    if (Status status = host::SplitPath(subKey, names)) {
        return status;
    }
    // Every missing level is checked before any is made, so a refused creation leaves nothing.
    std::shared_ptr<KeyNode> node = parent.node;
    std::size_t existing = 0;
    for (; existing < names.size(); ++existing) {
        std::shared_ptr<KeyNode> child = host::FindChild(*node, names[existing]);
        if (!child) {
            break;
        }
        node = child;
    }
    bool creates = existing < names.size();
    if (creates && host::Limited(*node)) {
        return kErrorAccessDenied;
    }
    std::uint32_t granted = 0;
    if (Status status = host::Grant(*node, access, granted)) {
        return status;
    }
    for (std::size_t i = existing; i < names.size(); ++i) {
        auto child = std::make_shared<KeyNode>();
        child->name = names[i];
        child->root = node->root;
        child->parent = node.get();
        host::InsertSorted(*node, child);
        node = child;
    }
    *result = host::NewHandle(node, granted);
    if (disposition != nullptr) {
        *disposition = creates ? kCreatedNewKey : kOpenedExistingKey;
    }
    return kErrorSuccess;
}

Status RegEnumKeyA(KeyHandle key, std::uint32_t index, char* name, std::uint32_t nameSize) {
    if (Status failed = host::Enter("RegEnumKeyA")) {
        return failed;
    }
    OpenKey open;
    if (Status status = host::Resolve(key, open)) {
        return status;
    }
    if ((open.access & kKeyEnumerateSubKeys) == 0) {
        return kErrorAccessDenied;
    }
    if (index >= open.node->children.size()) {
        return kErrorNoMoreItems;
    }
    if (name == nullptr) {
        return kErrorInvalidParameter;
    }
    std::string text = host::WideToAnsi(open.node->children[index]->name);
    if (text.size() >= nameSize) {
        return kErrorMoreData;
    }
    std::memcpy(name, text.c_str(), text.size() + 1);
    return kErrorSuccess;
}

Status RegEnumValueA(KeyHandle key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                     std::uint32_t* type, unsigned char* data, std::uint32_t* dataSize) {
    if (Status failed = host::Enter("RegEnumValueA")) {
        return failed;
    }
    OpenKey open;
    if (Status status = host::Resolve(key, open)) {
        return status;
    }
    if ((open.access & kKeyQueryValue) == 0) {
        return kErrorAccessDenied;
    }
    if (name == nullptr || nameSize == nullptr || (data != nullptr && dataSize == nullptr)) {
        return kErrorInvalidParameter;
    }
    if (index >= open.node->values.size()) {
        return kErrorNoMoreItems;
    }
    const KeyNode::Value& value = open.node->values[index];
    std::string text = host::WideToAnsi(value.name);
    if (text.size() >= *nameSize) {
        return kErrorMoreData;
    }
    Status status = host::HandOut(host::AnsiData(value), value.type, data, dataSize);
    std::memcpy(name, text.c_str(), text.size() + 1);
    *nameSize = static_cast<std::uint32_t>(text.size());
    if (type != nullptr) {
        *type = value.type;
    }
    return status;
}

Status RegQueryInfoKeyA(KeyHandle key, std::uint32_t* subKeys, std::uint32_t* values) {
    if (Status failed = host::Enter("RegQueryInfoKeyA")) {
        return failed;
    }
    OpenKey open;
    if (Status status = host::Resolve(key, open)) {
        return status;
    }
    if ((open.access & kKeyQueryValue) == 0) {
        return kErrorAccessDenied;
    }
    if (subKeys != nullptr) {
        *subKeys = static_cast<std::uint32_t>(open.node->children.size());
    }
    if (values != nullptr) {
        *values = static_cast<std::uint32_t>(open.node->values.size());
    }
    return kErrorSuccess;
}

Status RegQueryValueExA(KeyHandle key, const char* name, std::uint32_t* type, unsigned char* data,
                        std::uint32_t* dataSize) {
    if (Status failed = host::Enter("RegQueryValueExA")) {
        return failed;
    }
    OpenKey open;
    if (Status status = host::Resolve(key, open)) {
        return status;
    }
    if ((open.access & kKeyQueryValue) == 0) {
        return kErrorAccessDenied;
    }
    if (data != nullptr && dataSize == nullptr) {
        return kErrorInvalidParameter;
    }
    const KeyNode::Value* value = host::FindValue(*open.node, name);
    if (value == nullptr) {
        return kErrorFileNotFound;
    }
    if (type != nullptr) {
        *type = value->type;
    }
    return host::HandOut(host::AnsiData(*value), value->type, data, dataSize);
}

Status RegSetValueExA(KeyHandle key, const char* name, std::uint32_t type,
                      const unsigned char* data, std::uint32_t dataSize) {
    if (Status failed = host::Enter("RegSetValueExA")) {
        return failed;
    }
    OpenKey open;
    if (Status status = host::Resolve(key, open)) {
        return status;
    }
    if ((open.access & kKeySetValue) == 0 || host::Limited(*open.node)) {
        return kErrorAccessDenied;
    }
    if (data == nullptr && dataSize != 0) {
        return kErrorInvalidParameter;
    }
    std::string stored;
    if (host::IsStringType(type)) {
        // A string whose length leaves out its terminating zero gets it when the byte after the
        // data is one (the platform looks there, as Windows does).
        if (dataSize != 0 && data[dataSize - 1] != 0 && data[dataSize] == 0) {
            ++dataSize;
        }
        std::u16string wide = host::AnsiToWide(reinterpret_cast<const char*>(data), dataSize);
        for (char16_t c : wide) {
            stored += static_cast<char>(c & 0xFF);
            stored += static_cast<char>(c >> 8);
        }
    } else if (dataSize != 0) {
        stored.assign(reinterpret_cast<const char*>(data), dataSize);
    }
    KeyNode::Value* value = host::FindValue(*open.node, name);
    if (value == nullptr) {
        KeyNode::Value added;
        added.name = name == nullptr ? std::u16string() : host::AnsiToWide(name, std::strlen(name));
        open.node->values.push_back(added);
        value = &open.node->values.back();
    }
    value->type = type;
    value->data = std::move(stored);
    host::GetState().valuesSet.push_back(host::PathOf(*open.node) + "|" +
                                         host::WideToAnsi(value->name));
    return kErrorSuccess;
}

Status RegDeleteKeyA(KeyHandle key, const char* subKey) {
    if (Status failed = host::Enter("RegDeleteKeyA")) {
        return failed;
    }
    if (subKey == nullptr) {
        return kErrorInvalidParameter;
    }
    OpenKey parent;
    if (Status status = host::Resolve(key, parent)) {
        return status;
    }
    std::vector<std::u16string> names;
    if (Status status = host::SplitPath(subKey, names)) {
        return status;
    }
    std::shared_ptr<KeyNode> node = parent.node;
    for (const std::u16string& name : names) {
        node = host::FindChild(*node, name);
        if (!node) {
            return kErrorFileNotFound;
        }
    }
    if (node->parent == nullptr || !node->children.empty() || host::Limited(*node)) {
        return kErrorAccessDenied;
    }
    auto& siblings = node->parent->children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));
    node->deleted = true;
    node->parent = nullptr;
    return kErrorSuccess;
}

Status RegDeleteValueA(KeyHandle key, const char* name) {
    if (Status failed = host::Enter("RegDeleteValueA")) {
        return failed;
    }
    OpenKey open;
    if (Status status = host::Resolve(key, open)) {
        return status;
    }
    if ((open.access & kKeySetValue) == 0 || host::Limited(*open.node)) {
        return kErrorAccessDenied;
    }
    KeyNode::Value* value = host::FindValue(*open.node, name);
    if (value == nullptr) {
        return kErrorFileNotFound;
    }
    auto& values = open.node->values;
    values.erase(values.begin() + (value - values.data()));
    return kErrorSuccess;
}

Status RegFlushKey(KeyHandle key) {
    if (Status failed = host::Enter("RegFlushKey")) {
        return failed;
    }
    OpenKey open;
    return host::Resolve(key, open);
}

Status RegCloseKey(KeyHandle key) {
    // A planned failure still releases the handle: a caller can do nothing else with it.
    Status failed = host::Enter("RegCloseKey");
    if (IsPredefinedKey(key)) {
        return failed;
    }
    host::State& state = host::GetState();
    if (state.handles.erase(reinterpret_cast<std::uintptr_t>(key)) == 0) {
        return kErrorInvalidHandle;
    }
    return failed;
}

}  // namespace platform
