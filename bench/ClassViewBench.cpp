// Builds the class-view symbol model of a generated project of 100,000 lines beside
// compiling the same project, and times the lookups of completion (the members of an
// instance, a function's call tip; 50 queries each) beside the compiler's symbol table
// giving the same answers. Both sides in processor time, alternated rounds after one
// untimed run each, medians compared.
// Goals: the model build takes no longer than the compile; the lookups no longer than
// twice the compiler table's.
// Run by hand from a build without sanitizers: build/<folder>/bench/ClassViewBench [lines]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "IdeServices.h"
#include "JobGlobals.h"
#include "ScriptProjectGenerator.h"
#include "zCParser.h"
#include "zCTypedInfo.h"
#include "zERROR.h"
#include "zFileSystem.h"

namespace {

constexpr int kRounds = 5;
constexpr int kQueries = 50;

// The compiler's answer for an instance's members: its class's member names, as the
// model lists them.
zSTRING TableMembers(const zCPar_SymbolTable& table, const zSTRING& instance)
{
    const zCPar_Symbol* symbol = table.GetSymbol(instance);
    while (symbol && symbol->GetType() != zPAR_TYPE_CLASS)
        symbol = symbol->GetParent();
    if (!symbol)
        return zSTRING();
    std::vector<std::string> names;
    const int first = table.GetIndex(symbol) + 1;
    for (int i = first; i < first + symbol->GetElementCount(); ++i) {
        const std::string& name = table.GetSymbol(i)->name;
        std::string member = name.substr(name.find('.') + 1) + "?4";
        std::transform(member.begin(), member.end(), member.begin(), [](unsigned char c) { return std::tolower(c); });
        names.push_back(member);
    }
    std::sort(names.begin(), names.end());
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : "\n") + name;
    return zSTRING(list);
}

// The compiler's answer for a function's call tip: its parameters' types and names.
zSTRING TableCallTip(const zCPar_SymbolTable& table, const zSTRING& function)
{
    static const char* const types[] = {"void", "float", "int", "string", "class", "func", "prototype", "instance"};
    const zCPar_Symbol* symbol = table.GetSymbol(function);
    if (!symbol)
        return zSTRING();
    const std::string& functionName = symbol->name;
    std::string tip = std::string(symbol->HasFlag(zPAR_FLAG_RETURN) ? "int " : "void ") + functionName + "(";
    const int first = table.GetIndex(symbol) + 1;
    for (int i = first; i < first + symbol->GetElementCount(); ++i) {
        const zCPar_Symbol* parameter = table.GetSymbol(i);
        const zCPar_Symbol* type = parameter->GetParent();
        const std::string& name = parameter->name;
        const std::string typeName = type ? static_cast<const std::string&>(type->name) : types[parameter->GetType() & 7];
        tip += (i > first ? ", " : "") + typeName + " " + name.substr(name.find('.') + 1);
    }
    return zSTRING(tip + ")");
}

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
    int parsed = -1;
    auto compile = [&] {
        return ProcessorMilliseconds([&] {
            g_rootDirectory = folder.string().c_str();
            g_currentDirectory = "\\";
            parser.Reset();
            parsed = parser.Compile("Bench.src");
            if (parsed == 0)
                parser.Link();
        });
    };
    zCTypedInfo model;
    auto build = [&] { return ProcessorMilliseconds([&] { model.BuildClassView(project); }); };
    compile();
    build();
    const std::vector<Samples> builds = Alternate(kRounds, {compile, build});
    const bool compiled = parsed == 0 && host.GetErrorCount() == 0;

    // Queries spread over the project: a pass asks each once.
    std::vector<int> queried;
    for (int query = 0; query < kQueries; ++query)
        queried.push_back(static_cast<int>(static_cast<long long>(query) * (generated.units - 1) / (kQueries - 1)));
    bool answered = true;
    const DeclarationContext none;
    auto members = [&] {
        return ProcessorMilliseconds([&] {
            for (int n : queried)
                answered = model.GetMemberList(zSTRING("unit_" + std::to_string(n)), none, 0) ==
                               "id?4\nname?4\nroutine?4\nvalues?4" && answered;
        });
    };
    auto callTips = [&] {
        return ProcessorMilliseconds([&] {
            for (int n : queried)
                answered = model.GetCallTip(zSTRING("SAY_" + std::to_string(n))) ==
                               zSTRING("void Say_" + std::to_string(n) + "(C_Unit_" + std::to_string(n) +
                                       " slf, string text)") && answered;
        });
    };
    const zCPar_SymbolTable& table = parser.GetSymbolTable();
    bool tableAnswered = true;
    auto tableMembers = [&] {
        return ProcessorMilliseconds([&] {
            for (int n : queried)
                tableAnswered = TableMembers(table, zSTRING("UNIT_" + std::to_string(n))) ==
                                    "id?4\nname?4\nroutine?4\nvalues?4" && tableAnswered;
        });
    };
    auto tableCallTips = [&] {
        return ProcessorMilliseconds([&] {
            for (int n : queried)
                tableAnswered = !TableCallTip(table, zSTRING("SAY_" + std::to_string(n))).empty() && tableAnswered;
        });
    };
    const std::vector<Samples> lookups = Alternate(kRounds * 3, {members, tableMembers, callTips, tableCallTips});

    std::printf("script project: %d lines in %d files, %d units\n", lines, static_cast<int>(project.sources.size()),
                units);
    std::printf("processor time, median of alternated rounds after one untimed run each\n");
    std::printf("compile and link:     %9.1f ms%s\n", builds[0].Median(), compiled ? "" : "  THE BUILD FAILED");
    std::printf("class-view model:     %9.1f ms, %zu classes, %zu functions, %d bytes of completion list\n",
                builds[1].Median(), model.GetClasses().size(), model.GetFunctions().size(),
                model.GetAutoCompletionLength());
    std::printf("%d lookups of each kind (ms): members %.3f, compiler table %.3f; call tips %.3f, compiler table %.3f%s\n",
                kQueries, lookups[0].Median(), lookups[1].Median(), lookups[2].Median(), lookups[3].Median(),
                answered && tableAnswered ? "" : "  WRONG ANSWERS");
    ReportRatio("model / compile", builds[1].Median(), builds[0].Median(), 1.0);
    ReportRatio("members / compiler table", lookups[0].Median(), lookups[1].Median(), 2.0);
    ReportRatio("call tips / compiler table", lookups[2].Median(), lookups[3].Median(), 2.0);

    std::error_code error;
    std::filesystem::remove_all(folder, error);
    return compiled && answered ? 0 : 1;
}
