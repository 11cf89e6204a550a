// Base fixture of the ASC reader tests: hand-written exports in the exporter's own
// layout (tab indents, tabs between numbers, CR LF line ends), written into the
// sandbox's animations folder and read into a prototype.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "JobGlobals.h"
#include "ModelFixture.h"
#include "ModelTools.h"
#include "zCBinChunkFile.h"
#include "zCAscModelReader.h"
#include "zCModelAni.h"
#include "zCModelPrototype.h"

namespace asc {

inline std::string Num(float v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(v));
    return text;
}

inline std::string Header(int version = 110)
{
    return "*3DSMAX_ASCIIEXPORT\t" + std::to_string(version) + "\r\n*COMMENT \"hand-written\"\r\n";
}

inline std::string Scene(int first = 0, int last = 100, int fps = 25)
{
    return "*SCENE {\r\n\t*SCENE_FILENAME \"test.max\"\r\n\t*SCENE_FIRSTFRAME " + std::to_string(first) +
           "\r\n\t*SCENE_LASTFRAME " + std::to_string(last) + "\r\n\t*SCENE_FRAMESPEED " + std::to_string(fps) +
           "\r\n\t*SCENE_TICKSPERFRAME 160\r\n\t*SCENE_BACKGROUND_STATIC 0.0000\t0.0000\t0.0000\r\n}\r\n";
}

// A textured material "Skin" (entry 0) and an untextured "Plain" (entry 1).
inline std::string Materials()
{
    return "*MATERIAL_LIST {\r\n\t*MATERIAL_COUNT 2\r\n"
           "\t*MATERIAL 0 {\r\n\t\t*MATERIAL_NAME \"Skin\"\r\n\t\t*MATERIAL_CLASS \"Standard\"\r\n"
           "\t\t*MATERIAL_DIFFUSE 0.5000\t0.2500\t1.0000\r\n"
           "\t\t*MAP_SPECULAR {\r\n\t\t\t*MAP_NAME \"Spec\"\r\n\t\t\t*BITMAP \"c:\\maps\\spec.tga\"\r\n"
           "\t\t\t*UVW {\r\n\t\t\t}\r\n\t\t}\r\n"
           "\t\t*MAP_DIFFUSE {\r\n\t\t\t*MAP_NAME \"Map #1\"\r\n\t\t\t*MAP_CLASS \"Bitmap\"\r\n"
           "\t\t\t*BITMAP \"c:\\maps\\Skin.tga\"\r\n\t\t\t*BITMAP_FILTER Pyramidal\r\n\t\t}\r\n\t}\r\n"
           "\t*MATERIAL 1 {\r\n\t\t*MATERIAL_NAME \"Plain\"\r\n\t\t*MATERIAL_DIFFUSE 0.1000\t0.2000\t0.3000\r\n\t}\r\n"
           "}\r\n";
}

inline std::string NodeTM(const std::string& name, float x, float y, float z, const std::string& scale = "1.0000\t1.0000\t1.0000")
{
    return "\t*NODE_TM {\r\n\t\t*NODE_NAME \"" + name +
           "\"\r\n\t\t*TM_ROW0 1.0000\t0.0000\t0.0000\r\n\t\t*TM_ROW1 0.0000\t1.0000\t0.0000\r\n"
           "\t\t*TM_ROW2 0.0000\t0.0000\t1.0000\r\n\t\t*TM_ROW3 " +
           Num(x) + "\t" + Num(y) + "\t" + Num(z) + "\r\n\t\t*TM_POS " + Num(x) + "\t" + Num(y) + "\t" + Num(z) +
           "\r\n\t\t*TM_ROTAXIS 0.0000\t0.0000\t0.0000\r\n\t\t*TM_ROTANGLE 0.0000\r\n\t\t*TM_SCALE " + scale +
           "\r\n\t\t*TM_SCALEAXIS 0.0000\t0.0000\t0.0000\r\n\t\t*TM_SCALEAXISANG 0.0000\r\n\t}\r\n";
}

// A closed box of 8 vertices and 12 faces around (cx, cy, cz) in the exporter's
// axes; faces 0-5 use material id 0, faces 6-11 id 1.
inline std::string BoxMesh(float cx, float cy, float cz, float size = 1.0f, const std::string& keyword = "*MESH")
{
    std::string s = "\t" + keyword + " {\r\n\t\t*TIMEVALUE 0\r\n\t\t*MESH_NUMVERTEX 8\r\n\t\t*MESH_NUMFACES 12\r\n"
                    "\t\t*MESH_VERTEX_LIST {\r\n";
    for (int i = 0; i < 8; ++i) {
        const float x = cx + ((i & 1) ? size : -size);
        const float y = cy + ((i & 2) ? size : -size);
        const float z = cz + ((i & 4) ? size : -size);
        s += "\t\t\t*MESH_VERTEX    " + std::to_string(i) + "\t" + Num(x) + "\t" + Num(y) + "\t" + Num(z) + "\r\n";
    }
    s += "\t\t}\r\n\t\t*MESH_FACE_LIST {\r\n";
    static const int faces[12][3] = {{0, 2, 3}, {0, 3, 1}, {4, 5, 7}, {4, 7, 6}, {0, 1, 5}, {0, 5, 4},
                                     {2, 6, 7}, {2, 7, 3}, {0, 4, 6}, {0, 6, 2}, {1, 3, 7}, {1, 7, 5}};
    for (int f = 0; f < 12; ++f) {
        s += "\t\t\t*MESH_FACE    " + std::to_string(f) + ":    A:    " + std::to_string(faces[f][0]) +
             " B:    " + std::to_string(faces[f][1]) + " C:    " + std::to_string(faces[f][2]) +
             " AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1 \t*MESH_MTLID " + std::to_string(f < 6 ? 0 : 1) + "\r\n";
    }
    s += "\t\t}\r\n\t\t*MESH_NUMTVERTEX 4\r\n\t\t*MESH_TVERTLIST {\r\n";
    for (int t = 0; t < 4; ++t)
        s += "\t\t\t*MESH_TVERT " + std::to_string(t) + "\t" + Num(t & 1 ? 1.0f : 0.0f) + "\t" +
             Num(t & 2 ? 1.0f : 0.0f) + "\t0.0000\r\n";
    s += "\t\t}\r\n\t\t*MESH_NUMTVFACES 12\r\n\t\t*MESH_TFACELIST {\r\n";
    for (int f = 0; f < 12; ++f)
        s += "\t\t\t*MESH_TFACE " + std::to_string(f) + "\t0\t" + std::to_string(1 + f % 2) + "\t3\r\n";
    s += "\t\t}\r\n\t}\r\n";
    return s;
}

// An object block: name, parent (none when empty), node matrix, then the body.
inline std::string Object(const std::string& name, const std::string& parent, float x, float y, float z,
                          const std::string& body = "", const std::string& kind = "*GEOMOBJECT")
{
    std::string s = kind + " {\r\n\t*NODE_NAME \"" + name + "\"\r\n";
    if (!parent.empty())
        s += "\t*NODE_PARENT \"" + parent + "\"\r\n";
    return s + NodeTM(name, x, y, z) + body + "}\r\n";
}

// A key-track block: one position sample per entry of xs (y and z 0), rotations
// about the exporter's z axis by the angles given (none: no rotation track).
inline std::string Tracks(const std::vector<float>& xs, const std::vector<float>& angles = {})
{
    std::string s = "\t*TM_ANIMATION {\r\n\t\t*NODE_NAME \"x\"\r\n\t\t*CONTROL_POS_TRACK {\r\n";
    for (std::size_t k = 0; k < xs.size(); ++k)
        s += "\t\t\t*CONTROL_POS_SAMPLE " + std::to_string(k * 160) + "\t" + Num(xs[k]) + "\t0.0000\t0.0000\r\n";
    s += "\t\t}\r\n";
    if (!angles.empty()) {
        s += "\t\t*CONTROL_ROT_TRACK {\r\n";
        for (std::size_t k = 0; k < angles.size(); ++k)
            s += "\t\t\t*CONTROL_ROT_SAMPLE " + std::to_string(k * 160) + "\t0.0000\t0.0000\t1.0000\t" +
                 Num(angles[k]) + "\r\n";
        s += "\t\t}\r\n";
    }
    s += "\t\t*CONTROL_SCALE_TRACK {\r\n\t\t\t*CONTROL_SCALE_SAMPLE 0\t1.0\t1.0\t1.0\r\n\t\t}\r\n\t}\r\n";
    return s;
}

} // namespace asc

class AscFixture : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        proto = new zCModelPrototype();
    }
    void TearDown() override
    {
        proto->Release();
        ModelFixture::TearDown();
    }

    // Writes the text as DATA\ANIMS\<name> and reads it with LoadAsc; false when a
    // fatal report ended the read.
    bool Load(const std::string& name, const std::string& text, int flags, int first = 0, int last = 0,
              zCModelAni** ani = nullptr, const std::string& aniName = "T_ANI", float maxFps = -1.0f)
    {
        box.Write("DATA/ANIMS/" + name, text);
        return RunJob([&] {
            proto->LoadAsc(ani, zSTRING(("\\DATA\\ANIMS\\" + name).c_str()), zSTRING(aniName.c_str()), first, last,
                           flags, maxFps);
        });
    }

    std::vector<std::string> NodeNames() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < proto->nodeList.GetNum(); ++i)
            names.push_back(proto->nodeList[i]->nodeName);
        return names;
    }

    zCModelPrototype* proto = nullptr;
};

// Model scripts read and written in the sandbox: jobs write below "\DATA\ANIMS\", sources
// named without a folder are found below the animations folder, and no model state of an
// earlier test is left.
class ModelScriptFixture : public AscFixture {
protected:
    void SetUp() override
    {
        AscFixture::SetUp();
        savedDest = g_jobDestDir;
        g_jobDestDir = "\\DATA\\ANIMS\\";
        box.MakeDir("DATA/ANIMS/_compiled");
        box.MakeDir("OUT/_compiled");
        zCOption::SetStartDirectory("\\DATA");
        options.Init("", 0);
        g_modelLoadError = 0;
        g_lastModelFile = "";
        g_partialCompile = 0;
    }
    void TearDown() override
    {
        zCOption::SetStartDirectory("");
        g_jobDestDir = savedDest;
        g_registeredMeshNames.DeleteList();
        ClearRecordedSourceStamps();
        AscFixture::TearDown();
    }

    zSTRING savedDest;
};
