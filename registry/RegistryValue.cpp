#include "registry/RegistryValue.h"

#include "registry/Paths.h"

namespace {

platform::KeyHandle RootOf(int rootCode) {
    return platform::RootKey(paths::RootForCode(rootCode).value_or(platform::Root::CurrentUser));
}

// The bytes and type a value is stored as. Each buffer ends in a zero byte beyond the data,
// which the platform may read for string types.
struct Encoded {
    std::uint32_t type;
    Bytes bytes;
    std::uint32_t length;
};

Encoded Encode(const RegistryData& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        Bytes bytes(text->begin(), text->end());
        bytes.push_back(0);
        return Encoded{platform::kRegSz, bytes, static_cast<std::uint32_t>(bytes.size())};
    }
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        auto bits = static_cast<std::uint32_t>(*number);
        return Encoded{
            platform::kRegDword,
            Bytes{static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                  static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24),
                  0},
            4};
    }
    Bytes bytes = std::get<Bytes>(value);
    auto length = static_cast<std::uint32_t>(bytes.size());
    bytes.push_back(0);
    return Encoded{platform::kRegBinary, bytes, length};
}

}  // namespace

int WriteRegistryValue(int rootCode, const std::string& valuePath, const RegistryData& value) {
    paths::ValuePath path = paths::SplitValuePath(valuePath);
    platform::KeyHandle root = RootOf(rootCode);
    OwnedKey key;
    if (platform::RegOpenKeyExA(root, path.keyPath.c_str(), platform::kKeyWrite, key.Receive()) !=
        platform::kErrorSuccess) {
        key.Release();
        if (platform::RegCreateKeyA(root, path.keyPath.c_str(), key.Receive()) !=
            platform::kErrorSuccess) {
            key.Release();
            return 0;
        }
    }
    Encoded encoded = Encode(value);
    return platform::RegSetValueExA(key.Get(), path.valueName.c_str(), encoded.type,
                                    encoded.bytes.data(), encoded.length) == platform::kErrorSuccess
               ? 1
               : 0;
}

int RegistryValueExists(int rootCode, const std::string& valuePath) {
    paths::ValuePath path = paths::SplitValuePath(valuePath);
    OwnedKey key;
    platform::Status status = platform::RegOpenKeyExA(RootOf(rootCode), path.keyPath.c_str(),
                                                      platform::kKeyRead, key.Receive());
    if (status != platform::kErrorSuccess) {
        key.Release();
        return status == platform::kErrorFileNotFound ? 0 : -1;
    }
    std::uint32_t size = 0;
    status = platform::RegQueryValueExA(key.Get(), path.valueName.c_str(), nullptr, nullptr, &size);
    if (status == platform::kErrorSuccess) {
        return 1;
    }
    return status == platform::kErrorFileNotFound ? 0 : -1;
}
