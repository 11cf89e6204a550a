// Compiles a large generated script project (classes, prototypes, instances,
// functions with locals, if/else chains, calls, string literals) beside luac
// compiling a Lua program of the same shape and size, and decompiles the .dat beside
// the compile. Goals: our compile takes no longer than luac on the same code, the
// decompile no longer than the compile.
// All three are timed in processor time (luac's with its start-up, as a program of
// its own), in alternated rounds after one untimed run each; medians are compared.
// Run by hand from a build without sanitizers: build/<folder>/bench/CompileBench [units]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>

#include "BenchTiming.h"
#include "BuildJob.h"
#include "EngineStartup.h"
#include "IdeServices.h"
#include "JobGlobals.h"
#include "zCParser.h"
#include "zERROR.h"
#include "zFileSystem.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

constexpr int kUnitsPerFile = 100;
// Rounds of the alternated comparison: the machine may be busy.
constexpr int kRounds = 5;

// One unit of script: a class, a prototype, an instance and a function.
void WriteScriptUnit(std::ostream& out, int n)
{
    out << "class C_Thing_" << n << " {\n"
        << "    var int id;\n"
        << "    var string name;\n"
        << "    var int values[4];\n"
        << "};\n"
        << "prototype P_Thing_" << n << "(C_Thing_" << n << ") {\n"
        << "    id = " << n << ";\n"
        << "    name = \"thing " << n << "\";\n"
        << "};\n"
        << "instance Thing_" << n << "(P_Thing_" << n << ") {\n"
        << "    values[1] = 3;\n"
        << "};\n"
        << "func int Compute_" << n << "(var int a, var int b) {\n"
        << "    var int total;\n"
        << "    var string text;\n"
        << "    total = a + b * 2;\n"
        << "    if (total > 10) {\n"
        << "        total = total - 1;\n"
        << "    } else if (total < 0) {\n"
        << "        total = 0;\n"
        << "    } else {\n"
        << "        total = total + 1;\n"
        << "    };\n"
        << "    text = ConcatStrings(\"total \", IntToString(total));\n"
        << "    Print(text);\n"
        << "    return total;\n"
        << "};\n";
}

// The same unit in Lua, line for line.
void WriteLuaUnit(std::ostream& out, int n)
{
    out << "C_Thing_" << n << " = {\n"
        << "    id = 0,\n"
        << "    name = \"\",\n"
        << "    values = {0, 0, 0, 0},\n"
        << "}\n"
        << "function P_Thing_" << n << "(self)\n"
        << "    self.id = " << n << "\n"
        << "    self.name = \"thing " << n << "\"\n"
        << "end\n"
        << "Thing_" << n << " = {values = {0, 0, 0, 0}}\n"
        << "P_Thing_" << n << "(Thing_" << n << ")\n"
        << "Thing_" << n << ".values[2] = 3\n"
        << "function Compute_" << n << "(a, b)\n"
        << "    local total\n"
        << "    local text\n"
        << "    total = a + b * 2\n"
        << "    if total > 10 then\n"
        << "        total = total - 1\n"
        << "    elseif total < 0 then\n"
        << "        total = 0\n"
        << "    else\n"
        << "        total = total + 1\n"
        << "    end\n"
        << "    text = \"total \" .. tostring(total)\n"
        << "    print(text)\n"
        << "    return total\n"
        << "end\n";
}

int CountLines(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    int lines = 0;
    for (std::string line; std::getline(in, line);)
        ++lines;
    return lines;
}

// Script files of kUnitsPerFile units each and their source list; returns the
// number of lines written.
int GenerateScripts(const std::filesystem::path& folder, int units)
{
    int lines = 0;
    std::ofstream list(folder / "Bench.src", std::ios::binary);
    for (int first = 0; first < units; first += kUnitsPerFile) {
        const std::string name = "part" + std::to_string(first / kUnitsPerFile) + ".d";
        {
            std::ofstream out(folder / name, std::ios::binary);
            for (int n = first; n < first + kUnitsPerFile && n < units; ++n)
                WriteScriptUnit(out, n);
        }
        lines += CountLines(folder / name);
        list << name << "\r\n";
    }
    return lines;
}

// The Lua program in one file: Debian's luac 5.4.4 aborts when given several.
int GenerateLua(const std::filesystem::path& file, int units)
{
    {
        std::ofstream out(file, std::ios::binary);
        for (int n = 0; n < units; ++n)
            WriteLuaUnit(out, n);
    }
    return CountLines(file);
}

std::string FindLuac()
{
    for (const char* name : {"luac5.4", "luac5.3", "luac"}) {
        if (ProgramExists(name))
            return name;
    }
    return std::string();
}

} // namespace

int main(int argc, char** argv)
{
    const int units = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5000;

    std::random_device random;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tavrelin-compile-bench-" + std::to_string(random() % 100000000u));
    std::filesystem::create_directories(folder / "lua");

    const int scriptLines = GenerateScripts(folder, units);
    const std::filesystem::path luaFile = folder / "lua" / "bench.lua";
    const int luaLines = GenerateLua(luaFile, units);

    const std::string luac = FindLuac();
    bool luacOk = false;
    auto theirs = [&] {
        int status = 0;
        const double ms =
            ProgramProcessorMilliseconds({luac, "-s", "-o", (folder / "lua" / "out.luac").string(), luaFile.string()},
                                         status);
        luacOk = ms >= 0 && status == 0;
        return ms;
    };

    zCHeadlessIde host;
    host.GetSettings().BuildJobThread = 1;
    zSetIdeServices(&host);
    g_errorReporter.SetFilterLevel(0);

    // A whole job's worth of work on a reset parser; the parts of the last run kept.
    zCParser parser(1000);
    double setUp = 0.0, read = 0.0;
    int parsed = -1;
    auto compile = [&] {
        g_jobMode = zJOB_COMPILE_SCRIPTS;
        g_rootDirectory = folder.string().c_str();
        g_currentDirectory = "\\";
        const double start = ProcessorNow();
        parser.Reset();
        parser.DefineExternalTable1();
        setUp = ProcessorNow() - start;
        parsed = parser.Compile("Bench.src");
        read = ProcessorNow() - start - setUp;
        parser.Link();
        return ProcessorNow() - start;
    };
    // Each decompile into a project folder of its own, from the .dat the last compile wrote.
    zCParser decompiler(1000);
    bool decompiled = true;
    int decompiles = 0;
    auto decompile = [&] {
        const std::filesystem::path project = folder / ("decompiled" + std::to_string(decompiles++));
        std::filesystem::create_directories(project);
        std::error_code error;
        std::filesystem::copy_file(folder / "Bench.dat", project / "Bench.dat", error);
        g_jobMode = zJOB_DECOMPILE_DAT;
        g_rootDirectory = project.string().c_str();
        g_currentDirectory = "\\";
        const double start = ProcessorNow();
        decompiler.Reset();
        decompiler.DefineExternalTable1();
        decompiled = decompiler.LoadDat("Bench.dat") == 0 && decompiler.Decompile("Bench.src") == 0 &&
                     host.GetErrorCount() == 0 && decompiled;
        return ProcessorNow() - start;
    };

    compile();
    std::error_code error;
    const auto datBytes = std::filesystem::file_size(folder / "Bench.dat", error);
    const bool ok = parsed == 0 && !error && host.GetErrorCount() == 0;
    std::vector<std::function<double()>> sides = {compile};
    if (ok)
        sides.push_back(decompile);
    if (!luac.empty())
        sides.push_back(theirs);
    for (auto& side : sides)
        side();
    const std::vector<Samples> times = Alternate(kRounds, sides);
    const double ours = times[0].Median();

    std::printf("script project: %d units, %d lines in %d files, %d symbols, %llu bytes of .dat\n", units,
                scriptLines, (units + kUnitsPerFile - 1) / kUnitsPerFile, parser.GetSymbolTable().GetNumInList(),
                static_cast<unsigned long long>(error ? 0 : datBytes));
    std::printf("processor time, median of %d alternated rounds after one untimed run each\n", kRounds);
    std::printf("our compile and link: %9.1f ms (%6.2f us/line)%s\n", ours, ours * 1e3 / scriptLines,
                ok && parsed == 0 ? "" : "  THE BUILD FAILED");
    std::printf("  of the last run: reset and engine functions %.1f ms, reading %.1f ms, linking and writing %.1f ms\n",
                setUp, read, times[0].ms.back() - setUp - read);
    if (ok) {
        std::printf("our decompile:        %9.1f ms%s\n", times[1].Median(), decompiled ? "" : "  THE DECOMPILE FAILED");
    }
    if (luac.empty()) {
        std::printf("luac: not found (install the lua5.4 package) - no comparison\n");
    } else {
        const double luacMs = times.back().Median();
        std::printf("%s on %d lines of Lua: %9.1f ms (%6.2f us/line)%s\n", luac.c_str(), luaLines, luacMs,
                    luacMs * 1e3 / luaLines, luacOk ? "" : "  LUAC FAILED");
        ReportRatio("compile / luac", ours, luacMs, 1.0);
    }
    if (ok)
        ReportRatio("decompile / compile", times[1].Median(), ours, 1.0);

    // ---- Build worker -------------------------------------------------------
    // One job's fixed cost (thread start, settings copy, parser reset, summary)
    // beside a whole compile job of the same project run through the worker.
    bool workerBuilt = false;
    {
        g_jobMode = zJOB_COMPILE_SCRIPTS;
        std::filesystem::copy_file(folder / "Bench.src", folder / "Varnok.src",
                                   std::filesystem::copy_options::overwrite_existing, error);
        EngineStartup();
        zTBuildSettings& settings = host.GetSettings();
        settings.Ready = 1;
        settings.BuildMode = zJOB_COMPILE_SCRIPTS;
        settings.LevelMessage = 0;
        host.projectFolder = folder.string() + "\\";
        const auto runJob = [&settings](const char* projectName) {
            settings.ProjectName = projectName;
            settings.BuildJobThread = 1;
            std::thread worker([] { BuildThread(nullptr); });
            worker.join();
        };

        Clock::time_point start = Clock::now();
        runJob("Bench_Varnok");
        const double compileJob = Seconds(start);
        workerBuilt = std::filesystem::exists(folder / "Varnok.dat", error);

        // Without a kind keyword a job is its fixed part alone; the first one also
        // frees the program the compile job left in the parser.
        start = Clock::now();
        runJob("Bench_Nothing");
        const double afterCompile = Seconds(start);
        constexpr int kEmptyJobs = 200;
        start = Clock::now();
        for (int job = 0; job < kEmptyJobs; ++job)
            runJob("Bench_Nothing");
        const double fixedCost = Seconds(start) / kEmptyJobs;
        EngineShutdown();

        std::printf("build worker: compile job %8.3f s%s\n", compileJob, workerBuilt ? "" : "  THE JOB FAILED");
        std::printf("  one job's fixed cost %.1f us (%.4f%% of the compile job); the job after it, freeing "
                    "its program, %.2f ms\n",
                    fixedCost * 1e6, fixedCost * 100.0 / compileJob, afterCompile * 1e3);
    }
    // ---- end of the build worker's block ------------------------------------

    zSetIdeServices(nullptr);
    std::filesystem::remove_all(folder, error);
    return ok && decompiled && workerBuilt ? 0 : 1;
}
