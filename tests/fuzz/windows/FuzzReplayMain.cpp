// Runs a fuzz target under Wine, where no coverage-guided fuzzer is at hand: every
// seed once, then a fixed number of inputs made from the seeds by random byte
// changes, from a fixed starting value so that a run can be repeated. An input
// that crashes the target is written beside the working folder for replay.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Input = std::vector<uint8_t>;

const Input* g_current = nullptr;
std::string g_crashFile = "fuzz-crash.bin";

void SaveCurrent()
{
    if (!g_current)
        return;
    std::ofstream out(g_crashFile, std::ios::binary);
    out.write(reinterpret_cast<const char*>(g_current->data()), static_cast<std::streamsize>(g_current->size()));
    std::fprintf(stderr, "[fuzz] the input that failed is in %s (%zu bytes)\n", g_crashFile.c_str(),
                 g_current->size());
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* info)
{
    std::fprintf(stderr, "[fuzz] crash: exception 0x%08lX\n", info->ExceptionRecord->ExceptionCode);
    SaveCurrent();
    std::fflush(stderr);
    return EXCEPTION_EXECUTE_HANDLER;
}

void ReadSeeds(const std::filesystem::path& path, std::vector<Input>& seeds)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(path, error))
            if (entry.is_regular_file())
                files.push_back(entry.path());
        std::sort(files.begin(), files.end()); // the same order on every machine
        for (const auto& file : files)
            ReadSeeds(file, seeds);
        return;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "[fuzz] cannot read seed %s\n", path.string().c_str());
        std::exit(2);
    }
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One to four changes of the kinds that break readers: bits, bytes, counts set to
// edge values, cuts, insertions and repeated stretches.
Input Mutate(Input input, std::mt19937& random)
{
    auto pick = [&](size_t bound) { return bound ? static_cast<size_t>(random() % bound) : 0; };
    static const uint32_t edges[] = {0, 1, 0x7F, 0x80, 0xFF, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
    const int changes = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < changes; i++) {
        switch (random() % 7) {
        case 0:
            if (!input.empty())
                input[pick(input.size())] ^= static_cast<uint8_t>(1u << (random() % 8));
            break;
        case 1:
            if (!input.empty())
                input[pick(input.size())] = static_cast<uint8_t>(random());
            break;
        case 2: { // a little-endian edge value of 1, 2 or 4 bytes
            const uint32_t value = edges[pick(std::size(edges))];
            const size_t width = size_t(1) << pick(3);
            if (input.size() >= width) {
                const size_t at = pick(input.size() - width + 1);
                for (size_t b = 0; b < width; b++)
                    input[at + b] = static_cast<uint8_t>(value >> (8 * b));
            }
            break;
        }
        case 3:
            input.resize(pick(input.size() + 1));
            break;
        case 4:
            if (!input.empty()) {
                const size_t at = pick(input.size());
                input.erase(input.begin() + static_cast<std::ptrdiff_t>(at),
                            input.begin() + static_cast<std::ptrdiff_t>(at + 1 + pick(std::min<size_t>(16, input.size() - at))));
            }
            break;
        case 5: {
            const size_t at = pick(input.size() + 1);
            Input bytes(1 + pick(16));
            for (auto& byte : bytes)
                byte = static_cast<uint8_t>(random());
            input.insert(input.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin(), bytes.end());
            break;
        }
        default:
            if (!input.empty() && input.size() < (1u << 20)) {
                const size_t from = pick(input.size());
                const size_t length = 1 + pick(std::min<size_t>(64, input.size() - from));
                const Input stretch(input.begin() + static_cast<std::ptrdiff_t>(from),
                                    input.begin() + static_cast<std::ptrdiff_t>(from + length));
                input.insert(input.begin() + static_cast<std::ptrdiff_t>(pick(input.size() + 1)), stretch.begin(),
                             stretch.end());
            }
            break;
        }
    }
    return input;
}

void RunOne(const Input& input)
{
    g_current = &input;
    try {
        LLVMFuzzerTestOneInput(input.data(), input.size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "[fuzz] an exception left the target: %s\n", e.what());
        SaveCurrent();
        std::exit(1);
    } catch (...) {
        std::fprintf(stderr, "[fuzz] an exception left the target\n");
        SaveCurrent();
        std::exit(1);
    }
    g_current = nullptr;
}

} // namespace

// Usage: target [--runs N] [--seed S] [--crash-file F] seed-folder-or-file...
int main(int argc, char** argv)
{
    unsigned long runs = 500;
    unsigned long start = 1;
    std::vector<Input> seeds;
    for (int i = 1; i < argc; i++) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::strtoul(argv[++i], nullptr, 10);
        else if (arg == "--seed" && i + 1 < argc)
            start = std::strtoul(argv[++i], nullptr, 10);
        else if (arg == "--crash-file" && i + 1 < argc)
            g_crashFile = argv[++i];
        else
            ReadSeeds(arg, seeds);
    }
    SetUnhandledExceptionFilter(OnCrash);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    if (seeds.empty())
        seeds.emplace_back();
    for (const Input& seed : seeds)
        RunOne(seed);
    std::mt19937 random(static_cast<std::mt19937::result_type>(start));
    for (unsigned long run = 0; run < runs; run++)
        RunOne(Mutate(seeds[random() % seeds.size()], random));
    std::printf("[fuzz] %zu seeds and %lu changed inputs ran\n", seeds.size(), runs);
    return 0;
}
