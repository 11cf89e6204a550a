// Builds the class-view symbol model of a generated project of 100,000 lines beside
// compiling the same project, and times the lookups of completion: the members of an
// instance and a function's call tip, 50 queries each, worst time.
// Goals: the model build takes no longer than the compile; each lookup under 50 ms.
// Run by hand from a build without sanitizers: build/<folder>/bench/ClassViewBench [lines]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "IdeServices.h"
#include "JobGlobals.h"
#include "ScriptProjectGenerator.h"
#include "zCParser.h"
#include "zCTypedInfo.h"
#include "zERROR.h"
#include "zFileSystem.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

constexpr int kRuns = 3;
constexpr int kQueries = 50;
}  // namespace

int main(int argc, char** argv)
{
    const int wantedLines = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;

    std::random_device random;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tavrelin-classview-bench-" + std::to_string(random() % 100000000u));
    std::filesystem::create_directories(folder);

    zTClassViewProject project;
    project.folder = folder.string();
    project.name = "Bench";
    const bench::GeneratedProject generated = bench::WriteProject(folder, "Bench.src", wantedLines);
    const int lines = generated.lines;
    const int units = generated.units;
    for (const std::string& source : generated.sources)
        project.sources.emplace_back(source.c_str());

    zCHeadlessIde host;
    host.GetSettings().BuildJobThread = 1;
    zSetIdeServices(&host);
    g_errorReporter.SetFilterLevel(0);
    g_jobMode = zJOB_COMPILE_SCRIPTS;

    zCParser parser(1000);
    double compile = 0.0;
    int parsed = -1;
    for (int run = 0; run < kRuns; ++run) {
        g_rootDirectory = folder.string().c_str();
        g_currentDirectory = "\\";
        const Clock::time_point start = Clock::now();
        parser.Reset();
        parsed = parser.Compile("Bench.src");
        if (parsed == 0)
            parser.Link();
        const double seconds = Seconds(start);
        compile = run == 0 ? seconds : std::min(compile, seconds);
    }
    const bool compiled = parsed == 0 && host.GetErrorCount() == 0;

    zCTypedInfo model;
    double build = 0.0;
    for (int run = 0; run < kRuns; ++run) {
        const Clock::time_point start = Clock::now();
        model.BuildClassView(project);
        const double seconds = Seconds(start);
        build = run == 0 ? seconds : std::min(build, seconds);
    }

    // Queries spread over the project, each timed on its own.
    double worstMembers = 0.0;
    double worstCallTip = 0.0;
    bool answered = true;
    const DeclarationContext none;
    for (int query = 0; query < kQueries; ++query) {
        const int n = static_cast<int>(static_cast<long long>(query) * (units - 1) / (kQueries - 1));
        const zSTRING object = zSTRING("unit_" + std::to_string(n));
        Clock::time_point start = Clock::now();
        const zSTRING members = model.GetMemberList(object, none, 0);
        worstMembers = std::max(worstMembers, Seconds(start));
        const zSTRING function = zSTRING("SAY_" + std::to_string(n));
        start = Clock::now();
        const zSTRING tip = model.GetCallTip(function);
        worstCallTip = std::max(worstCallTip, Seconds(start));
        answered = answered && members == "id?4\nname?4\nroutine?4\nvalues?4" &&
                   tip == zSTRING("void Say_" + std::to_string(n) + "(C_Unit_" + std::to_string(n) + " slf, string text)");
    }

    std::printf("script project: %d lines in %d files, %d units\n", lines, static_cast<int>(project.sources.size()),
                units);
    std::printf("compile and link:     %8.3f s%s\n", compile, compiled ? "" : "  THE BUILD FAILED");
    std::printf("class-view model:     %8.3f s, %zu classes, %zu functions, %d bytes of completion list\n", build,
                model.GetClasses().size(), model.GetFunctions().size(), model.GetAutoCompletionLength());
    std::printf("ratio model / compile: %.2f (goal: 1.00 or less)\n", build / compile);
    std::printf("members of an instance, worst of %d: %8.3f ms\n", kQueries, worstMembers * 1e3);
    std::printf("call tip of a function, worst of %d: %8.3f ms (goal: under 50 ms)%s\n", kQueries, worstCallTip * 1e3,
                answered ? "" : "  WRONG ANSWERS");

    std::error_code error;
    std::filesystem::remove_all(folder, error);
    return compiled && answered ? 0 : 1;
}
