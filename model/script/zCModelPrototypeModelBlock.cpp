// The model block of a model script and its statements: mesh and tree, registered
// meshes and the start mesh.
#include <string>

#include "JobGlobals.h"
#include "MdsText.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCBinChunkFile.h"
#include "zCModelMeshLib.h"
#include "zCModelPrototype.h"
#include "zCMsbChunks.h"
#include "zERROR.h"

namespace {

bool Holds(const zSTRING& line, const char* text)
{
    return line.find(text) != std::string::npos;
}

// Records the first file a statement needed and did not find.
void RecordMissing(const zSTRING& name)
{
    if (!g_modelLoadError)
        g_lastModelFile = name;
    g_modelLoadError = 1;
}

} // namespace

void zCModelPrototype::ReadModelBlock(zCBinChunkFile& file)
{
    g_registeredMeshNames.DeleteList();
    int noMesh = 0;
    const bool writing = MdsWritesBinary();
    if (writing)
        file.StartChunk(zMSB_MODEL);
    while (ReadMdsLine(g_mdsLine)) {
        if (Holds(g_mdsLine, "//"))
            continue;
        if (Holds(g_mdsLine, "ANIENUM"))
            ReadAniEnum(noMesh, file);
        else if (Holds(g_mdsLine, "MESHANDTREE"))
            ReadMeshAndTree(noMesh, file);
        else if (Holds(g_mdsLine, "REGISTERMESH"))
            ReadRegisterMesh(file);
        else if (Holds(g_mdsLine, "STARTMESH"))
            ReadStartMesh();
        else if (Holds(g_mdsLine, "{"))
            continue;
        else if (Holds(g_mdsLine, "}"))
            break;
    }
    if (writing)
        file.StartChunk(zMSB_MODEL_END);
}

void zCModelPrototype::ReadMeshAndTree(int& noMesh, zCBinChunkFile& file)
{
    const zSTRING name = CutBeforeFirstPoint(QuotedArgument(g_mdsLine));
    meshAndTreeFile = name + ".ASC";
    noMesh = Holds(g_mdsLine, "DONT_USE_MESH") ? 1 : 0;
    if (MdsWritesBinary())
        WriteMsbModelChunk(file, zMSB_MESH_AND_TREE, {static_cast<std::uint32_t>(noMesh), name});
    LoadMeshAndTree(name, noMesh);
}

void zCModelPrototype::LoadMeshAndTree(const zSTRING& name, int noMesh)
{
    const bool compiling = g_jobMode == zJOB_COMPILE_MODELS;
    if (!compiling || g_partialCompile) {
        if (LoadMdh(modelProtoName + ".MDH")) {
            if (noMesh)
                return;
            ClearRecordedSourceStamps();
            const int loaded = zCModelMeshLib::LoadMeshLib(name + ".MDM", this, nullptr, nullptr);
            if (compiling)
                return;
            if (!loaded)
                RecordMissing(name + ".MDM");
            return;
        }
        if (!compiling) {
            RecordMissing(modelProtoName + ".MDH");
            return;
        }
        FinishFileStep();
    }
    if (g_errorReporter.GetFilterLevel() > 8)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_PARSING_MODEL_HIERARCHY, meshAndTreeFile));
    LoadAsc(nullptr, meshAndTreeFile, zSTRING(), 0, 0, 6, -1.0f);
    SaveMdh();
    if (!noMesh) {
        zCModelMeshLib* lib = zCModelMeshLib::Create();
        lib->BuildFromPrototype(this);
        lib->SaveMdm(this);
        lib->Release();
    }
}

void zCModelPrototype::ReadRegisterMesh(zCBinChunkFile& file)
{
    const zSTRING name = CutBeforeFirstPoint(QuotedArgument(g_mdsLine)) + ".ASC";
    if (MdsWritesBinary())
        WriteMsbModelChunk(file, zMSB_REGISTER_MESH, {0, name});
    g_registeredMeshNames.InsertEnd(name);
}

void zCModelPrototype::ReadStartMesh()
{
    // Accepted for the scripts that have it; the model does not use it.
    ExtractQuotedText(g_mdsLine);
}
