// Times storing and loading the output-unit library ("ou.bin", a BIN_SAFE archive)
// for two library sizes; the smaller is the yardstick of the larger. Both in processor
// time, alternated rounds after one untimed run each, medians compared; goal: the time
// per unit of the larger at most 1.2 times the smaller's, writing and reading.
// Run by hand from a build without sanitizers: build/<folder>/bench/OutputUnitBench
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "BenchSandbox.h"
#include "BenchTiming.h"
#include "zCCSLib.h"
#include "zCCSManager.h"
#include "zERROR.h"
#include "zFileSystem.h"

namespace {

constexpr int kRounds = 3;

zCCSManager* NewManager()
{
    return static_cast<zCCSManager*>(zCCSManager::CreateClassInstance());
}

// Stores a library of count units and loads it back in a fresh manager; the write's
// processor milliseconds, the read's in readMs. complete goes false when the loaded
// library is not the stored one.
double Measure(int count, double& readMs, bool& complete)
{
    zCCSManager* writer = NewManager();
    char name[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "DIA_BENCH_%06d", i);
        writer->AddOutputUnit(name, "A line of dialogue of ordinary length, said by someone.");
    }
    const double writeMs = ProcessorMilliseconds([&] { writer->LibStore(zCCSManager::zLIB_BINARY); });
    writer->Release();

    zCCSManager* reader = NewManager();
    readMs = ProcessorMilliseconds([&] { reader->LibLoad(zCCSManager::zLIB_BINARY); });
    complete = complete && reader->GetLibrary()->GetNum() == count &&
               !reader->FindOutputUnit("DIA_BENCH_000000").empty();
    reader->Release();
    return writeMs;
}

} // namespace

int main()
{
    const zCBenchSandbox sandbox("output-unit");
    const std::filesystem::path& folder = sandbox.Folder();

    const int sizes[] = {25000, 100000};
    const int result = zRunJobGuarded([&] {
        bool complete = true;
        Samples reads[2];
        std::vector<std::function<double()>> sides;
        for (int i = 0; i < 2; ++i) {
            sides.push_back([&, i] {
                double readMs = 0;
                const double writeMs = Measure(sizes[i], readMs, complete);
                reads[i].ms.push_back(readMs);
                return writeMs;
            });
        }
        for (auto& side : sides)
            side();
        for (Samples& read : reads)
            read.ms.clear();
        const std::vector<Samples> writes = Alternate(kRounds, sides);
        std::printf("processor time, median of %d alternated rounds after one untimed run each\n", kRounds);
        for (int i = 0; i < 2; ++i) {
            std::printf("%7d units: write %8.1f ms (%6.2f us/unit), read %8.1f ms (%6.2f us/unit)\n", sizes[i],
                        writes[i].Median(), writes[i].Median() * 1e3 / sizes[i], reads[i].Median(),
                        reads[i].Median() * 1e3 / sizes[i]);
        }
        std::error_code ignored;
        std::printf("library file of the last run: %llu bytes%s\n",
                    static_cast<unsigned long long>(std::filesystem::file_size(folder / "ou.bin", ignored)),
                    complete ? "" : "  LOADED LIBRARY DIFFERS");
        ReportRatio("write time a unit, 100000 / 25000", writes[1].Median() / sizes[1], writes[0].Median() / sizes[0],
                    1.2);
        ReportRatio("read time a unit, 100000 / 25000", reads[1].Median() / sizes[1], reads[0].Median() / sizes[0],
                    1.2);
        return complete ? 0 : 1;
    });

    return result == 0 ? 0 : 1;
}
