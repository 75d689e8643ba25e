// Version resources of any content, read through the stand-in of version.dll: every field
// stays within its 255 bytes and nothing is read outside the block.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "intake/VersionInfo.h"
#include "platform/host/HostPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::host::ResetPlatform();
    platform::host::AddVersionInfo("C:\\x.exe",
                                   std::string(reinterpret_cast<const char*>(data), size));
    VersionInfo info;
    ReadVersionInfo("C:\\x.exe", info);
    for (const std::string* field :
         {&info.fileVersion, &info.fileDescription, &info.internalName, &info.companyName,
          &info.legalCopyright, &info.legalTrademarks, &info.originalFilename, &info.productName,
          &info.productVersion, &info.languages, &info.comments}) {
        if (field->size() > kMaxVersionTextBytes) {
            std::abort();
        }
    }
    return 0;
}
