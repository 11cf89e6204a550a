// Model-script benchmark: generated scripts of 1,000 and 2,000 animations, each
// compiled from a small ASC export with its events, read in a compile job of the
// second game (which writes the binary script too). The smaller script is the
// yardstick of the larger: both read in processor time, alternated rounds after one
// untimed read each, medians compared; goal: the time per animation of the larger at
// most 1.2 times the smaller's.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchSandbox.h"
#include "BenchTiming.h"
#include "IdeServices.h"
#include "JobGlobals.h"
#include "MdsText.h"
#include "ModelTools.h"
#include "zCBinChunkFile.h"
#include "zCModelPrototype.h"
#include "zCOption.h"
#include "zERROR.h"
#include "zFileSystem.h"

namespace {

constexpr int kRounds = 3;

std::string Object(const std::string& name, const std::string& parent, const std::string& body)
{
    std::string s = "*HELPEROBJECT {\r\n\t*NODE_NAME \"" + name + "\"\r\n";
    if (!parent.empty())
        s += "\t*NODE_PARENT \"" + parent + "\"\r\n";
    s += "\t*NODE_TM {\r\n\t\t*NODE_NAME \"" + name +
         "\"\r\n\t\t*TM_ROW0 1.0000\t0.0000\t0.0000\r\n\t\t*TM_ROW1 0.0000\t1.0000\t0.0000\r\n"
         "\t\t*TM_ROW2 0.0000\t0.0000\t1.0000\r\n\t\t*TM_ROW3 0.0000\t0.0000\t50.0000\r\n"
         "\t\t*TM_POS 0.0000\t0.0000\t50.0000\r\n\t\t*TM_ROTAXIS 0.0000\t0.0000\t0.0000\r\n"
         "\t\t*TM_ROTANGLE 0.0000\r\n\t\t*TM_SCALE 1.0000\t1.0000\t1.0000\r\n"
         "\t\t*TM_SCALEAXIS 0.0000\t0.0000\t0.0000\r\n\t\t*TM_SCALEAXISANG 0.0000\r\n\t}\r\n";
    return s + body + "}\r\n";
}

std::string Export(int frames, bool tracks)
{
    std::string body;
    if (tracks) {
        body = "\t*TM_ANIMATION {\r\n\t\t*NODE_NAME \"x\"\r\n\t\t*CONTROL_POS_TRACK {\r\n";
        for (int k = 0; k < frames; ++k)
            body += "\t\t\t*CONTROL_POS_SAMPLE " + std::to_string(k * 160) + "\t" + std::to_string(k) +
                    ".0000\t0.0000\t50.0000\r\n";
        body += "\t\t}\r\n\t}\r\n";
    }
    return "*3DSMAX_ASCIIEXPORT\t110\r\n*SCENE {\r\n\t*SCENE_FILENAME \"bench.max\"\r\n\t*SCENE_FIRSTFRAME 0\r\n"
           "\t*SCENE_LASTFRAME " +
           std::to_string(frames - 1) + "\r\n\t*SCENE_FRAMESPEED 25\r\n\t*SCENE_TICKSPERFRAME 160\r\n}\r\n" +
           Object("Bip01", "", body) + Object("Bip01 Spine", "Bip01", "");
}

std::string Script(int anis)
{
    std::string s = "Model (\"Bench\")\r\n{\r\n\tmeshAndTree (\"BENCH.ASC\" DONT_USE_MESH)\r\n\taniEnum\r\n\t{\r\n";
    for (int i = 0; i < anis; ++i) {
        const std::string name = "T_ANI" + std::to_string(i);
        s += "\t\tani (\"" + name + "\" 1 \"" + name + "\" 0.1 0.1 M. \"WALK.ASC\" F 0 9)\r\n\t\t{\r\n"
             "\t\t\t*eventSFX (3 \"STEP\" R:1200)\r\n\t\t\t*eventTag (5 \"DEF_HIT\" \"ARG\")\r\n\t\t}\r\n";
        s += "\t\taniAlias (\"S_ALIAS" + std::to_string(i) + "\" 1 \"\" 0.0 0.0 M. \"" + name + "\" R)\r\n";
    }
    return s + "\t}\r\n}\r\n";
}

// Processor milliseconds for reading the script once into a new prototype; reports counts the
// warnings and errors (the hierarchy has no mesh: one error an ani for its box).
double TimeRead(const std::filesystem::path& folder, int anis, std::size_t& reports, zCHeadlessIde& host)
{
    std::ofstream(folder / "ANIMS" / "BENCH.MDS", std::ios::binary) << Script(anis);
    host.Clear();
    auto* proto = new zCModelPrototype();
    proto->SetModelProtoName("BENCH");
    const double start = ProcessorNow();
    zRunJobGuarded([&] {
        std::unique_ptr<zFILE> script = zMakeFile("\\ANIMS\\BENCH.MDS");
        if (script->Open(false) != 0)
            return 0;
        g_mdsFile = script.get();
        g_mdsLineNumber = 0;
        zCBinChunkFile binary;
        binary.Create("\\ANIMS\\_compiled\\BENCH.MSB");
        while (ReadMdsLine(g_mdsLine)) {
            if (g_mdsLine.find("//") == std::string::npos && g_mdsLine.find("MODEL") != std::string::npos)
                proto->ReadModelBlock(binary);
        }
        proto->ResolveAnis();
        g_mdsFile = nullptr;
        return 0;
    });
    const double end = ProcessorNow();
    reports = static_cast<std::size_t>(host.GetWarningCount() + host.GetErrorCount());
    proto->Release();
    return end - start;
}

} // namespace

int main()
{
    const zCBenchSandbox sandbox("mds");
    const std::filesystem::path& folder = sandbox.Folder();
    std::filesystem::create_directories(folder / "ANIMS" / "_compiled");
    zCHeadlessIde host;
    zSetIdeServices(&host);
    host.GetSettings().BuildJobThread = 1;
    g_errorReporter.SetFilterLevel(8);
    zCOption::SetStartDirectory("\\");
    zCOption options;
    options.Init("", 0);
    g_options = &options;
    g_jobMode = zJOB_COMPILE_MODELS;
    g_platform = zPLATFORM_SECOND_GAME;
    g_jobSourceDir = "\\ANIMS\\";
    g_jobDestDir = "\\ANIMS\\";
    std::ofstream(folder / "ANIMS" / "BENCH.ASC", std::ios::binary) << Export(10, false);
    std::ofstream(folder / "ANIMS" / "WALK.ASC", std::ios::binary) << Export(10, true);

    std::printf("compile job of the second game: each ani compiled from a 10-frame ASC, 2 events, 1 alias\n");
    const int sizes[] = {1000, 2000};
    std::size_t reports[2] = {};
    std::vector<std::function<double()>> sides;
    for (int i = 0; i < 2; ++i)
        sides.push_back([&, i] { return TimeRead(folder, sizes[i], reports[i], host); });
    for (auto& side : sides)
        side();
    const std::vector<Samples> times = Alternate(kRounds, sides);
    std::printf("processor time, median of %d alternated rounds after one untimed read each\n", kRounds);
    for (int i = 0; i < 2; ++i) {
        const double ms = times[i].Median();
        std::printf("%5d anis: %9.1f ms  (%.3f ms an ani, %zu warnings and errors)\n", sizes[i], ms, ms / sizes[i],
                    reports[i]);
    }
    ReportRatio("time an ani, 2000 / 1000", times[1].Median() / sizes[1], times[0].Median() / sizes[0], 1.2);

    g_options = nullptr;
    zSetIdeServices(nullptr);
    return 0;
}
