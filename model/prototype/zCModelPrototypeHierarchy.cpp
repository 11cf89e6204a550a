// The model prototype's node hierarchy in chunks: .MDH files, and the static model
// (.MDL: the hierarchy followed by the mesh library) loaded by name.
#include <memory>

#include "IdeServices.h"
#include "JobGlobals.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCBinChunkFile.h"
#include "zCModelAni.h"
#include "zCModelMeshLib.h"
#include "zCModelPrototype.h"
#include "zCObjectFactory.h"
#include "zCOption.h"
#include "zERROR.h"
#include "zPATH.h"

namespace {

enum : std::uint16_t {
    zMDH_CHUNK_HIERARCHY = 0xD100,
    zMDH_CHUNK_SOURCE = 0xD110,
    zMDH_CHUNK_END = 0xD120,
};

constexpr std::uint32_t kMdhVersion = 3;
constexpr std::uint16_t kNoParent = 0xFFFF;
// A node record takes at least its line feed, its parent index and its matrix; the
// chunk ends with two boxes, the root translation and the checksum.
constexpr long kMinNodeBytes = 1 + 2 + 64;
constexpr long kTrailerBytes = 24 + 24 + 12 + 4;

void WriteMatrix(zCBinChunkFile& file, const zMAT4& matrix)
{
    for (const auto& row : matrix.m)
        for (const float value : row)
            file.WriteFloat(value);
}

bool ReadMatrix(zCBinChunkFile& file, zMAT4& matrix)
{
    for (auto& row : matrix.m)
        for (float& value : row)
            if (!file.ReadFloat(value))
                return false;
    return true;
}

bool ReadVec3(zCBinChunkFile& file, zVEC3& v)
{
    return file.ReadFloat(v.x) && file.ReadFloat(v.y) && file.ReadFloat(v.z);
}

bool FileExists(const zSTRING& path)
{
    std::unique_ptr<zFILE> probe = zMakeFile(path);
    return probe->Exists();
}

} // namespace

std::uint32_t zCModelPrototype::GetMdhFileVersion()
{
    return kMdhVersion;
}

void zCModelPrototype::WriteHierarchy(zCBinChunkFile& file)
{
    file.StartChunk(zMDH_CHUNK_HIERARCHY);
    file.WriteU32(kMdhVersion);
    file.WriteU16(static_cast<std::uint16_t>(nodeList.GetNum()));
    for (int i = 0; i < nodeList.GetNum(); ++i) {
        const zCModelNodeRec* node = nodeList[i];
        file.WriteLine(node->nodeName);
        // Nodes of equal names: the first of them is the parent.
        const int parent = node->parent ? SearchNodeIndex(node->parent->nodeName) : -1;
        file.WriteU16(parent < 0 ? kNoParent : static_cast<std::uint16_t>(parent));
        WriteMatrix(file, node->localMatrix);
    }
    bbox3D.WriteToChunkFile(file);
    collisionBox.WriteToChunkFile(file);
    file.WriteFloat(rootTranslation.x);
    file.WriteFloat(rootTranslation.y);
    file.WriteFloat(rootTranslation.z);
    file.WriteU32(nodeChecksum);
    file.StartChunk(zMDH_CHUNK_SOURCE);
    WriteSourceStamp(file, meshAndTreeFile, 0);
    file.StartChunk(zMDH_CHUNK_END);
}

int zCModelPrototype::ReadHierarchy(zCBinChunkFile& file)
{
    zFILE* stream = file.GetFile();
    if (!stream || !stream->IsOpened())
        return 0;
    SetModelProtoName(zPATH(stream->GetFullPath()).GetFilename());

    while (file.GetNextChunkPos() < stream->Size()) {
        std::uint16_t id = 0;
        std::uint32_t length = 0;
        if (!file.ReadChunkHeader(id, length))
            return file.IsDamaged() ? 0 : 1;
        if (id == zMDH_CHUNK_HIERARCHY) {
            std::uint32_t version = 0;
            std::uint16_t numNodes = 0;
            if (!file.ReadU32(version) || version != kMdhVersion || !file.ReadU16(numNodes))
                return 0;
            const long room = file.GetNextChunkPos() - stream->Pos();
            if (numNodes * kMinNodeBytes + kTrailerBytes > room) {
                file.ReportDamage(FormatResString(IDS_HIERARCHY_NODES_DAMAGED, static_cast<int>(numNodes)));
                return 0;
            }
            nodeList.EmptyList();
            nodeList.AllocAbs(numNodes);
            for (int i = 0; i < numNodes; ++i) {
                auto* node = new zCModelNodeRec();
                std::uint16_t parentIndex = kNoParent;
                zCNodeTreeEntry* entry = nullptr;
                const bool read = file.ReadLine(node->nodeName) && file.ReadU16(parentIndex);
                // A parent not read yet (or the node itself) leaves the node at the top.
                if (read && parentIndex != kNoParent && parentIndex < nodeList.GetNum()) {
                    zCModelNodeRec* parent = nodeList[parentIndex];
                    if (zCNodeTreeEntry* parentEntry = FindNodeListEntry(parent->nodeName, nullptr)) {
                        entry = parentEntry->AddChild(node);
                        node->parent = parent;
                    }
                }
                if (!entry)
                    nodeTree.AddChild(node);
                // Linked, the node is the tree's to free, read or not.
                nodeList.InsertEnd(node);
                if (!read || !ReadMatrix(file, node->localMatrix))
                    return 0;
            }
            if (!bbox3D.ReadFromChunkFile(file) || !collisionBox.ReadFromChunkFile(file) ||
                !ReadVec3(file, rootTranslation) || !file.ReadU32(nodeChecksum))
                return 0;
            file.SkipToNextChunk();
        } else if (id == zMDH_CHUNK_SOURCE) {
            if (!ReadSourceStamp(file))
                return 0;
            file.SkipToNextChunk();
        } else if (id == zMDH_CHUNK_END) {
            return 1;
        } else {
            file.SkipToNextChunk();
        }
    }
    return 1;
}

void zCModelPrototype::SaveMdh()
{
    const zSTRING name = modelProtoName + ".MDH";
    const zSTRING path = g_jobDestDir + "_compiled\\" + name;
    zCBinChunkFile file;
    if (file.Create(path) != 0)
        return;
    WriteHierarchy(file);
    file.Close();
    RecordInsertFile(path);
    g_errorReporter.Report(zERR_MESSAGE, name);
}

int zCModelPrototype::LoadMdh(const zSTRING& fileName)
{
    if (g_errorReporter.GetFilterLevel() > 8)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_LOADING_MODEL_HIERARCHY, fileName));
    if (!g_options)
        return 0;
    const zSTRING path = g_options->GetDirString(DIR_COMPILED_ANIMS) + fileName;
    if (!FileExists(path))
        return 0;
    int result = 0;
    {
        zCBinChunkFile file;
        if (file.Open(path) != 0)
            return 0;
        result = ReadHierarchy(file);
    }
    if (result == 1 && g_jobMode == zJOB_CONVERT_MODELS) {
        const zSTRING copyPath = g_jobDestDir + "_compiled\\" + fileName;
        std::unique_ptr<zFILE> source = zMakeFile(path);
        std::unique_ptr<zFILE> copy = zMakeFile(copyPath);
        if (source->FileCopy(copy.get())) {
            copy->Close();
            RecordInsertFile(copy->GetFullPath());
        }
        source->Close();
    }
    return result;
}

int zCModelPrototype::LoadMdl(zSTRING& name)
{
    isStaticModel = 1;
    const zSTRING base = zPATH(name).GetFilename();
    // Without options there are no folders to look in: the source is not found.
    const zSTRING mdlPath = g_options ? g_options->GetDirString(DIR_COMPILED_ANIMS) + base + ".MDL" : zSTRING();
    if (g_options && FileExists(mdlPath)) {
        if (g_errorReporter.GetFilterLevel() >= 5)
            g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_LOADING_MODEL_MDL, name));
        zCBinChunkFile file;
        if (file.Open(mdlPath) == 0 && ReadHierarchy(file) &&
            zCModelMeshLib::ReadMdmChunks(file, this, nullptr, nullptr))
            return 1;
    }

    // No compiled model, or one that cannot be used: from the ASC source.
    Clear();
    isStaticModel = 1;
    SetModelProtoName(base);
    zSTRING ascName = name;
    ascName.Upper();
    std::unique_ptr<zFILE> asc = zMakeFile(ascName);
    if (!g_options || asc->SearchFile(ascName, g_options->GetDirString(DIR_ANIMS), true) != 0) {
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_ASC_NOT_FOUND, ascName));
        return 0;
    }
    if (g_errorReporter.GetFilterLevel() >= 2)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_LOADING_MODEL_ASC, base));
    zCModelAni* ani = nullptr;
    LoadAsc(&ani, asc->GetFullPath(), zSTRING(), 0, 0, 6, -1.0f);
    if (ani)
        ani->Release();

    zCBinChunkFile file;
    if (file.Create(mdlPath) == 0) {
        WriteHierarchy(file);
        zTObjectRef<zCModelMeshLib> lib(zCModelMeshLib::Create());
        lib->BuildFromPrototype(this);
        // A file this loader reads again: in this platform's format, also while converting.
        lib->WriteMdmChunks(file, this, true);
        file.Close();
    }
    SetModelProtoName(base);
    return 1;
}
