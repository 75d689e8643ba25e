#include "app/Elevation.h"

#include <cstdint>

#include "app/Globals.h"
#include "app/Program.h"
#include "common/OwnedHandle.h"
#include "platform/Process.h"

const char kRelaunchParameter[] = "/elevated";

namespace {

constexpr int kFirstVersionWithElevation = 0x0600;

// The part of a command line after the program's name, without the blanks around it.
std::string Arguments(const std::string& commandLine) {
    std::size_t start = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        std::size_t closing = commandLine.find('"', 1);
        start = closing == std::string::npos ? commandLine.size() : closing + 1;
    } else {
        std::size_t blank = commandLine.find_first_of(" \t");
        start = blank == std::string::npos ? commandLine.size() : blank;
    }
    std::size_t first = commandLine.find_first_not_of(" \t", start);
    if (first == std::string::npos) {
        return std::string();
    }
    std::size_t last = commandLine.find_last_not_of(" \t");
    return commandLine.substr(first, last - first + 1);
}

}  // namespace

bool IsProcessElevated() {
    std::uint32_t word = platform::GetVersion() & 0xFFFF;
    auto version = static_cast<std::int16_t>(((word & 0xFF) << 8) | (word >> 8));
    if (version < kFirstVersionWithElevation) {
        return true;
    }
    OwnedHandle token;
    if (!platform::OpenProcessToken(platform::kTokenQuery, token.Receive())) {
        return false;
    }
    std::uint32_t elevation = 0;
    std::uint32_t returned = 0;
    platform::GetTokenInformation(token.Get(), platform::kTokenElevation, &elevation,
                                  sizeof elevation, &returned);
    return returned == sizeof elevation && elevation != 0;
}

bool RelaunchElevated(const std::string& file, const std::string& parameters) {
    platform::ShellExecuteRecord record;
    record.mask = platform::kSeeMaskNoAsync;
    record.verb = "runas";
    record.file = file.c_str();
    record.parameters = parameters.empty() ? nullptr : parameters.c_str();
    record.show = platform::kSwShowDefault;
    return platform::ShellExecuteExA(record);
}

bool StartedByRelaunch(const std::string& commandLine) {
    return Arguments(commandLine) == kRelaunchParameter;
}

void RelaunchUnlessElevated() {
    if (IsProcessElevated() || StartedByRelaunch(platform::GetCommandLineA())) {
        return;
    }
    RelaunchElevated(OwnExecutablePath(), kRelaunchParameter);
    EndProgram(0);
}
