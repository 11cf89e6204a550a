// Compiles a large generated script project (classes, prototypes, instances,
// functions with locals, if/else chains, calls, string literals) and has luac
// compile a Lua program of the same shape and size, then prints both times and
// their ratio. The goal: our compile takes no longer than luac on the same code.
// Then it decompiles the .dat, best of the same number of runs, and prints that
// time beside the compile time (goal: no longer than compiling).
// Times are processor time (user and system) where the host tells it, so that a
// busy machine slows neither side's figure by making it wait for a processor.
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

#include "BuildJob.h"
#include "EngineStartup.h"
#include "IdeServices.h"
#include "JobGlobals.h"
#include "zCParser.h"
#include "zERROR.h"
#include "zFileSystem.h"

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#define TAVRELIN_BENCH_RUSAGE 1
#endif

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Processor time used so far by this process, or by its finished children; the
// wall clock where the host has no such count.
double CpuNow(bool children)
{
#ifdef TAVRELIN_BENCH_RUSAGE
    rusage usage{};
    getrusage(children ? RUSAGE_CHILDREN : RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
#else
    (void)children;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
#endif
}

constexpr int kUnitsPerFile = 100;
// Both sides are timed this many times and the best run counts: the machine may be busy.
constexpr int kRuns = 3;

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
        const std::string probe = std::string("command -v ") + name + " >/dev/null 2>&1";
        if (std::system(probe.c_str()) == 0)
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

    // luac first, while this process is small: starting a shell copies it.
    const std::string luac = FindLuac();
    double theirs = 0.0;
    bool luacOk = false;
    if (!luac.empty()) {
        const std::string command = luac + " -s -o " + (folder / "lua" / "out.luac").string() + " " + luaFile.string();
        for (int run = 0; run < kRuns; ++run) {
            const double start = CpuNow(true);
            luacOk = std::system(command.c_str()) == 0;
            const double seconds = CpuNow(true) - start;
            theirs = run == 0 ? seconds : std::min(theirs, seconds);
        }
    }

    zCHeadlessIde host;
    host.GetSettings().BuildJobThread = 1;
    zSetIdeServices(&host);
    g_errorReporter.SetFilterLevel(0);
    g_jobMode = zJOB_COMPILE_SCRIPTS;

    // The best of a few runs, each a whole job's worth of work on a reset parser.
    zCParser parser(1000);
    double ours = 0.0, setUp = 0.0, read = 0.0;
    int parsed = -1;
    for (int run = 0; run < kRuns; ++run) {
        g_rootDirectory = folder.string().c_str();
        g_currentDirectory = "\\";
        const double start = CpuNow(false);
        parser.Reset();
        parser.DefineExternalTable1();
        const double runSetUp = CpuNow(false) - start;
        parsed = parser.Compile("Bench.src");
        const double runRead = CpuNow(false) - start - runSetUp;
        parser.Link();
        const double total = CpuNow(false) - start;
        if (run == 0 || total < ours) {
            ours = total;
            setUp = runSetUp;
            read = runRead;
        }
    }
    std::error_code error;
    const auto datBytes = std::filesystem::file_size(folder / "Bench.dat", error);
    const bool ok = parsed == 0 && !error && host.GetErrorCount() == 0;

    std::printf("script project: %d units, %d lines in %d files, %d symbols, %llu bytes of .dat\n", units,
                scriptLines, (units + kUnitsPerFile - 1) / kUnitsPerFile, parser.GetSymbolTable().GetNumInList(),
                static_cast<unsigned long long>(error ? 0 : datBytes));
    std::printf("our compile and link: %8.3f s (%6.2f us/line)%s\n", ours, ours * 1e6 / scriptLines,
                ok ? "" : "  THE BUILD FAILED");
    std::printf("  reset and engine functions %.3f s, reading %.3f s, linking and writing %.3f s\n", setUp, read,
                ours - setUp - read);

    // Decompiling the .dat, timed like the compile: the best of a few runs on one
    // parser, each into a project folder of its own.
    double decompile = 0.0;
    bool decompiled = false;
    if (ok) {
        g_jobMode = zJOB_DECOMPILE_DAT;
        zCParser decompiler(1000);
        decompiled = true;
        for (int run = 0; run < kRuns && decompiled; ++run) {
            const std::filesystem::path project = folder / ("decompiled" + std::to_string(run));
            std::filesystem::create_directories(project);
            std::filesystem::copy_file(folder / "Bench.dat", project / "Bench.dat", error);
            g_rootDirectory = project.string().c_str();
            const double start = CpuNow(false);
            decompiler.Reset();
            decompiler.DefineExternalTable1();
            decompiled = decompiler.LoadDat("Bench.dat") == 0 && decompiler.Decompile("Bench.src") == 0 &&
                         host.GetErrorCount() == 0;
            const double seconds = CpuNow(false) - start;
            decompile = run == 0 ? seconds : std::min(decompile, seconds);
        }
        std::printf("our decompile: %8.3f s (%.2f of the compile time)%s\n", decompile, decompile / ours,
                    decompiled ? "" : "  THE DECOMPILE FAILED");
    }

    if (luac.empty()) {
        std::printf("luac: not found (install the lua5.4 package) - no comparison\n");
    } else {
        std::printf("%s on %d lines of Lua: %8.3f s (%6.2f us/line)%s\n", luac.c_str(), luaLines, theirs,
                    theirs * 1e6 / luaLines, luacOk ? "" : "  LUAC FAILED");
        std::printf("ratio ours / luac: %.2f (goal: 1.00 or less)\n", ours / theirs);
    }

    // ---- Build worker -------------------------------------------------------
    // One job's fixed cost (thread start, settings copy, parser reset, summary)
    // beside a whole compile job of the same project run through the worker.
    bool workerBuilt = false;
    {
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
