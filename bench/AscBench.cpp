// ASC reading benchmark: a generated export of a terrain in two mesh objects of
// 160 x 160 vertices (101124 faces; a progressive mesh holds at most 65535) read
// into a compiled model with LoadAsc, the progressive-mesh build
// included as in a real compile, and once more with plain meshes to show the read
// alone; beside it assimp's importer ("assimp info", Debian's assimp-utils) on the
// same file when it is installed.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "BenchSandbox.h"
#include "BenchTiming.h"
#include "IdeServices.h"
#include "zCAscModelReader.h"
#include "zCModelPrototype.h"
#include "zCProgMeshProto.h"
#include "zERROR.h"
#include "zFileSystem.h"

namespace {

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
                    "\t\t*MATERIAL_CLASS \"Standard\"\r\n\t\t*MATERIAL_DIFFUSE 0.5000\t0.5000\t0.5000\r\n\t}\r\n}\r\n";
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

// Best processor time of the reads; triangles gets the built progressive mesh's count.
double TimeLoadAsc(int flags, int repeats, int& triangles)
{
    return BestProcessorMilliseconds(repeats, [&] {
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

} // namespace

int main()
{
    const zCBenchSandbox sandbox("asc");
    const std::filesystem::path& folder = sandbox.Folder();
    zCHeadlessIde host;
    zSetIdeServices(&host);
    g_errorReporter.SetFilterLevel(8);

    const int n = 160;
    const int objects = 2;
    const std::string text = MakeExport(n, objects);
    const std::filesystem::path file = folder / "TERRAIN.ASC";
    std::ofstream(file, std::ios::binary) << text;
    std::printf("export: %d objects, %d vertices, %d faces, %.1f MB\n", objects, objects * n * n,
                objects * 2 * (n - 1) * (n - 1), text.size() / 1048576.0);

    int triangles = 0;
    int plain = 0;
    const double compiled = TimeLoadAsc(zASC_READ_TREE | zASC_READ_MESH, 3, triangles);
    const double readOnly = TimeLoadAsc(zASC_READ_TREE | zASC_READ_MESH | zASC_READ_MORPH, 3, plain);
    // A read that reported something is no measurement: show what it said.
    for (const auto& line : host.GetLines())
        std::printf("reported: %s\n", line.text.c_str());
    std::printf("best of 3; ours in processor time, assimp in wall time (a program of its own)\n");
    std::printf("LoadAsc into a compiled model (progressive mesh built): %10.1f ms cpu  (%d triangles)\n", compiled,
                triangles);
    std::printf("LoadAsc with plain meshes (the read alone):             %10.1f ms cpu\n", readOnly);
    std::printf("  of which building the progressive meshes:            %10.1f ms cpu\n", compiled - readOnly);

    const std::string probe = "command -v assimp >/dev/null 2>&1";
    if (std::system(probe.c_str()) == 0) {
        const std::string command = "assimp info '" + file.string() + "' >/dev/null 2>&1";
        int status = 0;
        const double theirs = BestWallMilliseconds(3, [&] { status = std::system(command.c_str()); });
        const double startUp = BestWallMilliseconds(3, [] { (void)std::system("assimp version >/dev/null 2>&1"); });
        std::printf("assimp info (import and report):                        %10.1f ms wall%s\n", theirs,
                    status == 0 ? "" : "  (assimp reported a failure)");
        std::printf("  of which starting the program (assimp version):       %10.1f ms wall\n", startUp);
        std::printf("ratio compiled / assimp: %.2f, read alone / assimp: %.2f\n", compiled / theirs, readOnly / theirs);
    } else {
        std::printf("assimp info: not installed (Debian package assimp-utils)\n");
    }

    zSetIdeServices(nullptr);
    return 0;
}
