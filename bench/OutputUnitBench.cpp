// Times storing and loading the output-unit library ("ou.bin", a BIN_SAFE archive)
// for two library sizes, so that the time per unit shows whether both stay linear.
// Run by hand from a build without sanitizers: build/<folder>/bench/OutputUnitBench
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "BenchSandbox.h"
#include "zCCSLib.h"
#include "zCCSManager.h"
#include "zERROR.h"
#include "zFileSystem.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

zCCSManager* NewManager()
{
    return static_cast<zCCSManager*>(zCCSManager::CreateClassInstance());
}

// Stores a library of count units and loads it back in a fresh manager; false when
// the loaded library is not the stored one.
bool Measure(int count, const std::filesystem::path& folder)
{
    zCCSManager* writer = NewManager();
    char name[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "DIA_BENCH_%06d", i);
        writer->AddOutputUnit(name, "A line of dialogue of ordinary length, said by someone.");
    }
    Clock::time_point start = Clock::now();
    writer->LibStore(zCCSManager::zLIB_BINARY);
    const double writeSeconds = Seconds(start);
    writer->Release();

    zCCSManager* reader = NewManager();
    start = Clock::now();
    reader->LibLoad(zCCSManager::zLIB_BINARY);
    const double readSeconds = Seconds(start);
    const bool complete = reader->GetLibrary()->GetNum() == count &&
                          !reader->FindOutputUnit("DIA_BENCH_000000").empty();
    reader->Release();

    std::error_code ignored;
    const auto bytes = std::filesystem::file_size(folder / "ou.bin", ignored);
    std::printf("%7d units, %9llu bytes: write %8.3f s (%7.2f us/unit), read %8.3f s (%7.2f us/unit)%s\n", count,
                static_cast<unsigned long long>(bytes), writeSeconds, writeSeconds * 1e6 / count, readSeconds,
                readSeconds * 1e6 / count, complete ? "" : "  LOADED LIBRARY DIFFERS");
    std::fflush(stdout);
    return complete;
}

} // namespace

int main()
{
    const zCBenchSandbox sandbox("output-unit");
    const std::filesystem::path& folder = sandbox.Folder();

    const int result = zRunJobGuarded([&] {
        bool ok = true;
        for (int count : {25000, 100000})
            ok = Measure(count, folder) && ok;
        return ok ? 0 : 1;
    });

    return result == 0 ? 0 : 1;
}
