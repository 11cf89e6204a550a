// Fuzz targets: a compiled morph mesh (.MMB) of arbitrary bytes read with LoadMMB
// in a convert job and, when taken, written for the other game and decompiled into
// a script and ASC files (FUZZ_MMS 0); or a morph script of arbitrary text compiled
// against two small ASC exports (FUZZ_MMS 1). Bad data must give 0 or a report,
// never a crash, a hang or a read past its data.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSession.h"
#include "JobGlobals.h"
#include "ModelTools.h"
#include "zCBinChunkFile.h"
#include "zCMorphMeshProto.h"
#include "zCOption.h"

namespace {

// A quad of one untextured material: frame 0 as it is, frames 1 and 2 with its
// first corner raised.
std::string Quad(float raise)
{
    std::string s = "\t*MESH {\r\n\t\t*TIMEVALUE 0\r\n\t\t*MESH_NUMVERTEX 4\r\n\t\t*MESH_NUMFACES 2\r\n"
                    "\t\t*MESH_VERTEX_LIST {\r\n";
    for (int i = 0; i < 4; ++i)
        s += "\t\t\t*MESH_VERTEX    " + std::to_string(i) + "\t" + std::to_string(i & 1) + ".0\t" +
             std::to_string(i >> 1) + ".0\t" + std::to_string(i == 0 ? raise : 0.0f) + "\r\n";
    s += "\t\t}\r\n\t\t*MESH_FACE_LIST {\r\n"
         "\t\t\t*MESH_FACE    0:    A:    0 B:    1 C:    3 AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1 \t*MESH_MTLID 0\r\n"
         "\t\t\t*MESH_FACE    1:    A:    0 B:    3 C:    2 AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1 \t*MESH_MTLID 0\r\n"
         "\t\t}\r\n\t}\r\n";
    return s;
}

std::string Asc(const std::string& meshes)
{
    return "*3DSMAX_ASCIIEXPORT\t110\r\n*SCENE {\r\n\t*SCENE_FIRSTFRAME 0\r\n\t*SCENE_LASTFRAME 2\r\n"
           "\t*SCENE_FRAMESPEED 25\r\n\t*SCENE_TICKSPERFRAME 192\r\n}\r\n"
           "*MATERIAL_LIST {\r\n\t*MATERIAL_COUNT 1\r\n\t*MATERIAL 0 {\r\n\t\t*MATERIAL_NAME \"Plain\"\r\n"
           "\t\t*MATERIAL_DIFFUSE 0.1000\t0.2000\t0.3000\r\n\t}\r\n}\r\n"
           "*GEOMOBJECT {\r\n\t*NODE_NAME \"ZM_Face\"\r\n\t*NODE_TM {\r\n\t\t*NODE_NAME \"ZM_Face\"\r\n"
           "\t\t*TM_ROW0 1.0\t0.0\t0.0\r\n\t\t*TM_ROW1 0.0\t1.0\t0.0\r\n\t\t*TM_ROW2 0.0\t0.0\t1.0\r\n"
           "\t\t*TM_ROW3 0.0\t0.0\t0.0\r\n\t}\r\n\t*MATERIAL_REF 0\r\n" +
           meshes + "}\r\n";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSession& session = FuzzSession::Get();
    FuzzSession::UseObjectFactory();
    static zCOption options;
    static const bool started = [] {
        zCOption::SetStartDirectory("\\DATA");
        options.Init("", 0);
        return true;
    }();
    (void)started;
    g_options = &options;
    g_modelKind = zMODEL_MORPH_MESH;
    g_platform = zPLATFORM_FIRST_GAME;
    g_jobDestDir = "\\DATA\\ANIMS\\";
    session.Run([&] {
        const std::filesystem::path anims = std::filesystem::path(session.Root()) / "DATA" / "ANIMS";
        std::filesystem::create_directories(anims / "_compiled");
        // Whatever comes of it, the global stamp lists start and end empty.
        struct Stamps {
            Stamps() { ClearRecordedSourceStamps(); }
            ~Stamps() { ClearRecordedSourceStamps(); }
        } stamps;
        struct Held {
            zCMorphMeshProto* proto = new zCMorphMeshProto();
            ~Held() noexcept(false) { proto->Release(); }
        } held;
#if FUZZ_MMS
        g_jobMode = zJOB_COMPILE_MODELS;
        session.Write("DATA/ANIMS/FACE.ASC", Asc(Quad(0.0f)));
        session.Write("DATA/ANIMS/FACE_ANI.ASC",
                      Asc("\t*MESH_ANIMATION {\r\n" + Quad(0.0f) + Quad(0.5f) + Quad(1.0f) + "\t}\r\n"));
        session.Write("DATA/ANIMS/FACE.MMS", data, size);
        if (held.proto->LoadMMS("\\DATA\\ANIMS\\FACE.MMS"))
            held.proto->SaveMMB("FACE.MMB");
#else
        g_jobMode = zJOB_CONVERT_MODELS;
        session.Write("DATA/ANIMS/_compiled/FACE.MMB", data, size);
        if (!held.proto->LoadMMB("FACE.MMB"))
            return;
        g_platform = zPLATFORM_SECOND_GAME;
        SetMeshFormatVersion();
        held.proto->SaveMMB("OTHER.MMB");
        g_platform = zPLATFORM_FIRST_GAME;
        SetMeshFormatVersion();
        std::vector<zTMorphGroup> groups;
        held.proto->BuildMorphGroups(groups);
        held.proto->SaveMMS(groups);
        held.proto->WriteMorphAscFiles(groups);
#endif
    });
    g_platform = zPLATFORM_FIRST_GAME;
    return 0;
}
