// Compiles a large generated script project (classes, prototypes, instances,
// functions with locals, if/else chains, calls, string literals) and has luac
// compile a Lua program of the same shape and size, then prints both times and
// their ratio. The goal: our compile takes no longer than luac on the same code.
// Run by hand from a build without sanitizers: build/<folder>/bench/CompileBench [units]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <system_error>

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

    zCHeadlessIde host;
    host.GetSettings().BuildJobThread = 1;
    zSetIdeServices(&host);
    g_errorReporter.SetFilterLevel(0);
    g_rootDirectory = folder.string().c_str();
    g_currentDirectory = "\\";
    g_jobMode = 1;

    zCParser parser(1000);
    Clock::time_point start = Clock::now();
    parser.Reset();
    parser.DefineExternalTable1();
    const double setUp = Seconds(start);
    const int parsed = parser.Compile("Bench.src");
    const double read = Seconds(start) - setUp;
    parser.Link();
    const double ours = Seconds(start);
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

    const std::string luac = FindLuac();
    if (luac.empty()) {
        std::printf("luac: not found (install the lua5.4 package) - no comparison\n");
    } else {
        const std::string command = luac + " -s -o " + (folder / "lua" / "out.luac").string() + " " + luaFile.string();
        start = Clock::now();
        const int status = std::system(command.c_str());
        const double theirs = Seconds(start);
        std::printf("%s on %d lines of Lua: %8.3f s (%6.2f us/line)%s\n", luac.c_str(), luaLines, theirs,
                    theirs * 1e6 / luaLines, status == 0 ? "" : "  LUAC FAILED");
        std::printf("ratio ours / luac: %.2f (goal: 1.00 or less)\n", ours / theirs);
    }

    zSetIdeServices(nullptr);
    std::filesystem::remove_all(folder, error);
    return ok ? 0 : 1;
}
