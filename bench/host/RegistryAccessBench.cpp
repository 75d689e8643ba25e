// RegistryAccess over the host stand-in: listing subkeys and deleting a key tree. These figures
// are the system's own share of the work, without a Wine server round trip per call.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/host/HostControl.h"
#include "registry/RegistryAccess.h"

namespace {

constexpr char kBase[] = "HKEY_CURRENT_USER\\Software\\VentrixBench";

// The stand-in logs every call; the log is dropped now and then so that it does not grow
// through millions of iterations.
constexpr std::size_t kLogLimit = 2000000;

std::string Numbered(const char* prefix, int index) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%05d", prefix, index);
    return name;
}

void SeedSubkeys(const RegistryAccess& registry, int count) {
    for (int i = 0; i < count; ++i) {
        registry.OpenKey(std::string(kBase) + "\\" + Numbered("entry", i) + "\\command", true);
    }
}

void SeedTree(const RegistryAccess& registry, const std::string& path, int fanOut) {
    for (int i = 0; i < fanOut; ++i) {
        std::string middle = path + "\\" + Numbered("child", i);
        for (int j = 0; j < fanOut; ++j) {
            registry.OpenKey(middle + "\\" + Numbered("leaf", j), true);
        }
    }
}

void BM_EnumSubkeys(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    RegistryAccess registry;
    platform::host::ResetRegistry();
    SeedSubkeys(registry, count);
    std::vector<std::string> names;
    for (auto _ : state) {
        if (platform::host::RegistryCallCount() > kLogLimit) {
            state.PauseTiming();
            platform::host::ResetRegistry();
            SeedSubkeys(registry, count);
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(registry.EnumSubkeys(kBase, names));
    }
    if (static_cast<int>(names.size()) != count) {
        state.SkipWithError("wrong number of names");
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_EnumSubkeys)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_DeleteKeyTree(benchmark::State& state) {
    const int fanOut = static_cast<int>(state.range(0));
    RegistryAccess registry;
    platform::host::ResetRegistry();
    const std::string entry = std::string(kBase) + "\\tree";
    for (auto _ : state) {
        state.PauseTiming();
        if (platform::host::RegistryCallCount() > kLogLimit) {
            platform::host::ResetRegistry();
        }
        SeedTree(registry, entry, fanOut);
        state.ResumeTiming();
        if (!registry.DeleteKeyTree(entry)) {
            state.SkipWithError("DeleteKeyTree gave false");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * fanOut * (fanOut + 1));
}
BENCHMARK(BM_DeleteKeyTree)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
