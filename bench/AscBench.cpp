// ASC reading benchmark: a generated export of a terrain in two mesh objects of
// 160 x 160 vertices (101124 faces; a progressive mesh holds at most 65535) read
// into a compiled model with LoadAsc, the progressive-mesh build
// included as in a real compile, and once more with plain meshes to show the read
// alone; beside it assimp's importer ("assimp info", Debian's assimp-utils) on the
// same file when it is installed. All in processor time (assimp's with its start-up,
// as a program of its own), alternated rounds after one untimed run each, medians
// compared; goal: the compiled read no slower than assimp's import. Then the model tools' round trip on the same
// terrain: compiled into an .mdl, decompiled back into an ASC and that compiled again,
// each through its tool entry, with the time per face.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "BenchSandbox.h"
#include "BenchTiming.h"
#include "IdeServices.h"
#include "JobGlobals.h"
#include "ModelServices.h"
#include "zCAscModelReader.h"
#include "zCModelResourceManager.h"
#include "zCOption.h"
#include "zCRnd_D3D.h"
#include "zCTextureExchange.h"
#include "zCModelPrototype.h"
#include "zCProgMeshProto.h"
#include "zERROR.h"
#include "zFileSystem.h"

namespace {

constexpr int kRounds = 3;

std::string Num(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    return text;
}

// The exporter's layout: a scene, one material and the mesh objects.
std::string MakeExport(int n, int objects)
{
    auto height = [](int x, int y) { return 2.0 * std::sin(x * 0.31) * std::cos(y * 0.23) + 0.5 * std::sin((x + y) * 0.71); };
    const int faces = 2 * (n - 1) * (n - 1);
    std::string s = "*3DSMAX_ASCIIEXPORT\t110\r\n*COMMENT \"generated terrain\"\r\n"
                    "*SCENE {\r\n\t*SCENE_FILENAME \"terrain.max\"\r\n\t*SCENE_FIRSTFRAME 0\r\n\t*SCENE_LASTFRAME 100\r\n"
                    "\t*SCENE_FRAMESPEED 25\r\n\t*SCENE_TICKSPERFRAME 160\r\n}\r\n"
                    "*MATERIAL_LIST {\r\n\t*MATERIAL_COUNT 1\r\n\t*MATERIAL 0 {\r\n\t\t*MATERIAL_NAME \"Grid\"\r\n"
                    "\t\t*MATERIAL_CLASS \"Standard\"\r\n\t\t*MATERIAL_DIFFUSE 0.5000\t0.5000\t0.5000\r\n"
                    "\t\t*MAP_DIFFUSE {\r\n\t\t\t*MAP_NAME \"Map #1\"\r\n\t\t\t*BITMAP \"grid.tga\"\r\n\t\t}\r\n\t}\r\n}\r\n";
    for (int object = 0; object < objects; ++object) {
    const std::string name = "ZM_Terrain" + std::to_string(object);
    s += "*GEOMOBJECT {\r\n\t*NODE_NAME \"" + name + "\"\r\n\t*NODE_TM {\r\n\t\t*NODE_NAME \"" + name + "\"\r\n"
                    "\t\t*TM_ROW0 1.0000\t0.0000\t0.0000\r\n\t\t*TM_ROW1 0.0000\t1.0000\t0.0000\r\n"
                    "\t\t*TM_ROW2 0.0000\t0.0000\t1.0000\r\n\t\t*TM_ROW3 0.0000\t0.0000\t0.0000\r\n"
                    "\t\t*TM_POS 0.0000\t0.0000\t0.0000\r\n\t\t*TM_ROTAXIS 0.0000\t0.0000\t0.0000\r\n"
                    "\t\t*TM_ROTANGLE 0.0000\r\n\t\t*TM_SCALE 1.0000\t1.0000\t1.0000\r\n"
                    "\t\t*TM_SCALEAXIS 0.0000\t0.0000\t0.0000\r\n\t\t*TM_SCALEAXISANG 0.0000\r\n\t}\r\n"
                    "\t*MATERIAL_REF 0\r\n\t*MESH {\r\n\t\t*TIMEVALUE 0\r\n";
    s += "\t\t*MESH_NUMVERTEX " + std::to_string(n * n) + "\r\n\t\t*MESH_NUMFACES " + std::to_string(faces) +
         "\r\n\t\t*MESH_VERTEX_LIST {\r\n";
    for (int y = 0, i = 0; y < n; ++y)
        for (int x = 0; x < n; ++x, ++i)
            s += "\t\t\t*MESH_VERTEX " + std::to_string(i) + "\t" + Num(x + object * (n - 1)) + "\t" + Num(y) + "\t" +
                 Num(height(x + object * (n - 1), y)) + "\r\n";
    s += "\t\t}\r\n\t\t*MESH_FACE_LIST {\r\n";
    auto face = [&s](int index, int a, int b, int c) {
        s += "\t\t\t*MESH_FACE " + std::to_string(index) + ":    A: " + std::to_string(a) + " B: " + std::to_string(b) +
             " C: " + std::to_string(c) + " AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1 \t*MESH_MTLID 0\r\n";
    };
    for (int y = 0, f = 0; y + 1 < n; ++y) {
        for (int x = 0; x + 1 < n; ++x) {
            const int v = y * n + x;
            face(f++, v, v + 1, v + n);
            face(f++, v + 1, v + n + 1, v + n);
        }
    }
    s += "\t\t}\r\n\t\t*MESH_NUMTVERTEX " + std::to_string(n * n) + "\r\n\t\t*MESH_TVERTLIST {\r\n";
    for (int y = 0, i = 0; y < n; ++y)
        for (int x = 0; x < n; ++x, ++i)
            s += "\t\t\t*MESH_TVERT " + std::to_string(i) + "\t" + Num(x / (n - 1.0)) + "\t" + Num(y / (n - 1.0)) +
                 "\t0.0000\r\n";
    s += "\t\t}\r\n\t\t*MESH_NUMTVFACES " + std::to_string(faces) + "\r\n\t\t*MESH_TFACELIST {\r\n";
    for (int y = 0, f = 0; y + 1 < n; ++y) {
        for (int x = 0; x + 1 < n; ++x) {
            const int v = y * n + x;
            s += "\t\t\t*MESH_TFACE " + std::to_string(f++) + "\t" + std::to_string(v) + "\t" + std::to_string(v + 1) +
                 "\t" + std::to_string(v + n) + "\r\n";
            s += "\t\t\t*MESH_TFACE " + std::to_string(f++) + "\t" + std::to_string(v + 1) + "\t" +
                 std::to_string(v + n + 1) + "\t" + std::to_string(v + n) + "\r\n";
        }
    }
    s += "\t\t}\r\n\t}\r\n}\r\n";
    }
    return s;
}

// Processor time of one read; triangles gets the built progressive mesh's count.
double TimeLoadAsc(int flags, int& triangles)
{
    return ProcessorMilliseconds([&] {
        auto* proto = new zCModelPrototype();
        zRunJobGuarded([&] {
            proto->LoadAsc(nullptr, "\\TERRAIN.ASC", "", 0, 0, flags, -1.0f);
            return 0;
        });
        triangles = 0;
        for (int i = 0; i < proto->nodeList.GetNum(); ++i) {
            const auto* built = dynamic_cast<const zCProgMeshProto*>(proto->nodeList[i]->visual);
            triangles += built ? built->GetNumTriangles() : 0;
        }
        proto->Release();
    });
}

// The header of a compiled texture, which is all the tools read of it.
void WriteTexHeader(const std::filesystem::path& path, int width)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    const std::uint32_t words[9] = {0x58455400u, 0, zTEX_FORMAT_RGB_565, static_cast<std::uint32_t>(width),
                                    static_cast<std::uint32_t>(width), 1, static_cast<std::uint32_t>(width),
                                    static_cast<std::uint32_t>(width), 0xFF808080u};
    for (std::uint32_t word : words)
        for (int b = 0; b < 4; ++b)
            out.put(static_cast<char>(word >> (8 * b) & 0xFF));
}

// Runs one tool entry as the build worker does; false when it reported an error.
bool RunEntry(zCHeadlessIde& host, void (*entry)(zSTRING&), const char* fileName)
{
    const int errorsBefore = host.GetErrorCount();
    zSTRING name = fileName;
    zRunJobGuarded([&] {
        entry(name);
        return 0;
    });
    return host.GetErrorCount() == errorsBefore;
}

void TimeDecompileRoundTrip(zCHeadlessIde& host, const std::filesystem::path& folder, int faces)
{
    std::filesystem::create_directories(folder / "_compiled");
    std::filesystem::create_directories(folder / "OUT" / "_compiled");
    g_jobMode = zJOB_COMPILE_MODELS;
    g_jobDestDir = "\\";
    bool ok = RunEntry(host, &CompileMdl, "\\TERRAIN.ASC");
    g_jobMode = zJOB_DECOMPILE_MODELS;
    g_jobDestDir = "\\OUT\\";
    const double decompile =
        BestProcessorMilliseconds(3, [&] { ok = RunEntry(host, &DecompileMdl, "\\_compiled\\TERRAIN.mdl") && ok; });
    std::error_code missing;
    const auto ascSize = std::filesystem::file_size(folder / "OUT" / "TERRAIN.ASC", missing);
    g_jobMode = zJOB_COMPILE_MODELS;
    const double compileBack =
        BestProcessorMilliseconds(1, [&] { ok = RunEntry(host, &CompileMdl, "\\OUT\\TERRAIN.ASC") && ok; });
    if (!ok) {
        for (const auto& line : host.GetLines())
            std::printf("reported: %s\n", line.text.c_str());
    }
    std::printf("tool round trip on the compiled terrain (%d faces):\n", faces);
    std::printf("  DecompileMdl, .mdl -> ASC (%5.1f MB written):          %10.1f ms cpu  %6.2f us/face\n",
                ascSize / 1048576.0, decompile, 1000.0 * decompile / faces);
    std::printf("  CompileMdl of that ASC (best of 1):                    %10.1f ms cpu  %6.2f us/face%s\n",
                compileBack, 1000.0 * compileBack / faces, ok ? "" : "  (an entry reported an error)");
}

} // namespace

int main()
{
    const zCBenchSandbox sandbox("asc");
    const std::filesystem::path& folder = sandbox.Folder();
    zCHeadlessIde host;
    zSetIdeServices(&host);
    host.GetSettings().BuildJobThread = 1;
    g_errorReporter.SetFilterLevel(8);
    // The export's material is textured, as a real model's are: its texture is found
    // beside the job's animations folder, among the compiled textures.
    g_jobSourceDir = "\\DATA\\ANIMS\\";
    zCOption options;
    g_options = &options;
    zCRnd_D3D renderer;
    g_renderer = &renderer;
    auto* manager = new zCModelResourceManager();
    manager->SetThreadingEnabled(0);
    g_resourceManager = manager;
    WriteTexHeader(folder / "DATA" / "Textures" / "_compiled" / "GRID-C.TEX", 8);

    const int n = 160;
    const int objects = 2;
    const std::string text = MakeExport(n, objects);
    const std::filesystem::path file = folder / "TERRAIN.ASC";
    std::ofstream(file, std::ios::binary) << text;
    std::printf("export: %d objects, %d vertices, %d faces, %.1f MB\n", objects, objects * n * n,
                objects * 2 * (n - 1) * (n - 1), text.size() / 1048576.0);

    int triangles = 0;
    int plain = 0;
    int status = 0;
    std::vector<std::function<double()>> sides = {
        [&] { return TimeLoadAsc(zASC_READ_TREE | zASC_READ_MESH, triangles); },
        [&] { return TimeLoadAsc(zASC_READ_TREE | zASC_READ_MESH | zASC_READ_MORPH, plain); }};
    const bool haveAssimp = ProgramExists("assimp");
    if (haveAssimp)
        sides.push_back([&] { return ProgramProcessorMilliseconds({"assimp", "info", file.string()}, status); });
    for (auto& side : sides)
        side();
    const std::vector<Samples> times = Alternate(kRounds, sides);
    const double compiled = times[0].Median();
    const double readOnly = times[1].Median();
    // A read that reported something is no measurement: show what it said.
    for (const auto& line : host.GetLines())
        std::printf("reported: %s\n", line.text.c_str());
    std::printf("processor time, median of %d alternated rounds after one untimed run each\n", kRounds);
    std::printf("LoadAsc into a compiled model (progressive mesh built): %10.1f ms  (%d triangles)\n", compiled,
                triangles);
    std::printf("LoadAsc with plain meshes (the read alone):             %10.1f ms\n", readOnly);
    std::printf("  of which building the progressive meshes:            %10.1f ms\n", compiled - readOnly);
    if (haveAssimp) {
        const double theirs = times[2].Median();
        int versionStatus = 0;
        const double startUp = ProgramProcessorMilliseconds({"assimp", "version"}, versionStatus);
        std::printf("assimp info (import and report):                        %10.1f ms%s\n", theirs,
                    status == 0 ? "" : "  (assimp reported a failure)");
        std::printf("  of which starting the program (assimp version):       %10.1f ms\n", startUp);
        ReportRatio("compiled read / assimp", compiled, theirs, 1.0);
        std::printf("read alone / assimp: %.2f\n", readOnly / theirs);
    } else {
        std::printf("assimp info: not installed (Debian package assimp-utils)\n");
    }

    TimeDecompileRoundTrip(host, folder, triangles);

    // Cached textures go before the renderer that made them.
    delete manager;
    g_resourceManager = nullptr;
    g_renderer = nullptr;
    g_options = nullptr;
    zSetIdeServices(nullptr);
    return 0;
}
