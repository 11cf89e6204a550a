// The mesh library: building, applying, and its chunks written and read.
#include "zCModelMeshLib.h"

#include <memory>
#include <vector>

#include "IdeServices.h"
#include "JobGlobals.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCBinChunkFile.h"
#include "zCMeshSoftSkin.h"
#include "zCModel.h"
#include "zCModelAni.h"
#include "zCModelPrototype.h"
#include "zCModelTexAniState.h"
#include "zCObjectFactory.h"
#include "zCOption.h"
#include "zCProgMeshProto.h"
#include "zERROR.h"
#include "zPATH.h"

zCLASS_DEFINITION(zCModelMeshLib, zCObject, zCLASS_FLAG_SHARED_OBJECTS, 0);

namespace {

// Node meshes in slots whose names start so are not part of the library.
const char* const kSlotPrefix = "ZS_";

zSTRING BaseNameOf(const zSTRING& path)
{
    return zPATH(path).GetFilename();
}

// The base name of the file a chunk file reads.
zSTRING ReadingBaseName(zCBinChunkFile& file)
{
    return file.GetFile() ? BaseNameOf(file.GetFile()->GetFullPath()) : zSTRING();
}

// The hierarchy the library is read for: the model's own prototype, else the one given.
zCModelPrototype* TargetPrototype(zCModelPrototype* proto, zCModel* model)
{
    if (model)
        return model->modelProtoList.GetNum() > 0 ? model->modelProtoList[0] : nullptr;
    return proto;
}

// A skin whose weights or node list name a node past the hierarchy would be indexed
// out of its node list by whoever shows or writes it.
bool SkinFitsNodes(const zCMeshSoftSkin& skin, int numNodes, int& badNode)
{
    const zCArray<int>& nodes = skin.GetNodeIndexList();
    for (int i = 0; i < nodes.GetNum(); ++i) {
        if (nodes[i] < 0 || nodes[i] >= numNodes) {
            badNode = nodes[i];
            return false;
        }
    }
    std::vector<std::vector<zTSoftSkinWeightEntry>> weights;
    skin.GetWeights(weights);
    for (const auto& entries : weights) {
        for (const zTSoftSkinWeightEntry& entry : entries) {
            if (entry.node >= numNodes) {
                badNode = entry.node;
                return false;
            }
        }
    }
    return true;
}

// Reads the node-mesh chunk after its header; false on failure (reported).
bool ReadNodeMeshes(zCBinChunkFile& file, zCModelPrototype* proto, zCModel* model, zCModelMeshLib* lib,
                    const zSTRING& baseName)
{
    std::uint16_t count = 0;
    if (!file.ReadU16(count))
        return false;
    // Every name takes at least its line feed.
    const long namesRoom = file.GetNextChunkPos() - file.GetFile()->Pos();
    if (static_cast<long>(count) > namesRoom) {
        file.ReportDamage(FormatResString(IDS_MESH_LIB_NAMES_DAMAGED, static_cast<int>(count)));
        return false;
    }
    std::vector<zSTRING> names(count);
    for (zSTRING& name : names) {
        if (!file.ReadLine(name))
            return false;
    }
    file.SkipToNextChunk();

    std::vector<zCModelNodeState*> states(count, nullptr);
    std::vector<zCModelNodeRec*> nodes(count, nullptr);
    bool anyFound = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        bool found = false;
        if (model) {
            states[i] = model->SearchNode(names[i]);
            found = states[i] != nullptr;
        } else if (proto) {
            nodes[i] = proto->SearchNode(names[i]);
            found = nodes[i] != nullptr;
        }
        if (!found && !anyFound) {
            g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MESH_ASC_APPLIED_WRONG, baseName, names[i]));
            return false;
        }
        anyFound = anyFound || found;
    }
    if (lib)
        lib->nodeMeshList.AllocAbs(count);

    for (std::size_t i = 0; i < names.size(); ++i) {
        // A mesh reader at the end of the file would give an empty mesh.
        if (file.GetBytesLeft() == 0) {
            file.ReportDamage(LoadResString(IDS_DATA_ENDS_EARLY));
            return false;
        }
        zTObjectRef<zCProgMeshProto> held(static_cast<zCProgMeshProto*>(zCProgMeshProto::classDef.CreateNewInstance()));
        zCProgMeshProto* mesh = held.get();
        if (!mesh->ReadFromChunkFile(file))
            return false;
        // With a library to fill, the meshes go there, whatever the hierarchy is: a
        // library handed over empty would lose them.
        if (model && states[i]) {
            const int index = model->nodeList.Search(states[i]);
            if (lib)
                lib->AddNodeMesh(index < 0 ? 0 : index, mesh);
            else
                model->SetNodeVisual(states[i], mesh);
        } else if (!model && nodes[i]) {
            if (lib)
                lib->AddNodeMesh(proto->SearchNodeIndex(names[i]), mesh);
            else if (nodes[i]->visual != mesh)
                nodes[i]->SetNodeVisual(mesh);
        }
    }
    return true;
}

// Reads the soft-skin chunk after its header; false on failure (reported).
bool ReadSoftSkins(zCBinChunkFile& file, zCModelPrototype* proto, zCModel* model, zCModelMeshLib* lib,
                   const zSTRING& baseName)
{
    std::uint32_t checksum = 0;
    if (!file.ReadU32(checksum))
        return false;
    // Checked for a prototype too: skins made for another hierarchy name other nodes.
    zCModelPrototype* target = TargetPrototype(proto, model);
    if (target && checksum != target->nodeChecksum) {
        g_errorReporter.Report(zERR_ERROR, LoadResString(IDS_FILE_NODE_HIERARCHY_INCOMPATIBLE));
        file.SkipToNextChunk();
        return true;
    }
    std::uint16_t count = 0;
    if (!file.ReadU16(count))
        return false;
    file.SkipToNextChunk();
    const int numNodes = target ? target->nodeList.GetNum() : 0;
    for (int i = 0; i < count; ++i) {
        if (file.GetBytesLeft() == 0) {
            file.ReportDamage(LoadResString(IDS_DATA_ENDS_EARLY));
            return false;
        }
        zTObjectRef<zCMeshSoftSkin> skin(static_cast<zCMeshSoftSkin*>(zCMeshSoftSkin::classDef.CreateNewInstance()));
        if (!skin->ReadFromChunkFile(file))
            return false;
        int badNode = 0;
        if (!SkinFitsNodes(*skin, numNodes, badNode)) {
            file.ReportDamage(FormatResString(IDS_MESH_LIB_SKIN_NODE_DAMAGED, badNode, numNodes));
            return false;
        }
        skin->SetObjectName(baseName);
        if (lib)
            lib->AddMeshSoftSkin(skin.get());
        else if (model)
            model->softSkinList.InsertEnd(skin.release());
        else
            proto->softSkinList.InsertEnd(skin.release());
    }
    return true;
}

// The insert list names a file whose path contains the name: it was made in this build.
bool MadeInThisBuild(const zSTRING& fileName)
{
    zCIdeServices* ide = zGetIdeServices();
    if (!ide)
        return false;
    for (const zSTRING& path : ide->GetInsertFileList()) {
        if (path.find(fileName) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

zCModelMeshLib::~zCModelMeshLib()
{
    ReleaseMeshes();
    nodeMeshList.DeleteList();
    softSkinList.DeleteList();
}

zCModelMeshLib* zCModelMeshLib::Create()
{
    return static_cast<zCModelMeshLib*>(classDef.CreateNewInstance());
}

void zCModelMeshLib::ReleaseMeshes()
{
    for (int i = 0; i < nodeMeshList.GetNum(); ++i) {
        if (nodeMeshList[i].mesh)
            nodeMeshList[i].mesh->Release();
    }
    nodeMeshList.EmptyList();
    for (int i = 0; i < softSkinList.GetNum(); ++i) {
        if (softSkinList[i])
            softSkinList[i]->Release();
    }
    softSkinList.EmptyList();
}

void zCModelMeshLib::AddNodeMesh(int nodeIndex, zCProgMeshProto* mesh)
{
    if (mesh)
        mesh->AddRef();
    zTNodeMesh entry;
    entry.mesh = mesh;
    entry.nodeIndex = nodeIndex;
    nodeMeshList.InsertEnd(entry);
}

void zCModelMeshLib::AddMeshSoftSkin(zCMeshSoftSkin* skin)
{
    if (skin)
        skin->AddRef();
    softSkinList.InsertEnd(skin);
}

void zCModelMeshLib::BuildFromPrototype(zCModelPrototype* proto)
{
    ReleaseMeshes();
    if (!proto)
        return;
    SetObjectName(proto->modelProtoName);
    for (int i = 0; i < proto->nodeList.GetNum(); ++i) {
        const zCModelNodeRec* node = proto->nodeList[i];
        if (node->nodeName.size() >= 3 && node->nodeName.compare(0, 3, kSlotPrefix) == 0)
            continue;
        // Only progressive meshes are stored; the ASC reader makes nothing else here.
        if (auto* mesh = dynamic_cast<zCProgMeshProto*>(node->visual))
            AddNodeMesh(i, mesh);
    }
    softSkinList.AllocAbs(proto->softSkinList.GetNum());
    for (int i = 0; i < proto->softSkinList.GetNum(); ++i)
        AddMeshSoftSkin(proto->softSkinList[i]);
}

void zCModelMeshLib::ApplyToPrototype(zCModelPrototype* proto)
{
    if (!proto)
        return;
    for (int i = 0; i < nodeMeshList.GetNum(); ++i) {
        const zTNodeMesh& entry = nodeMeshList[i];
        if (entry.nodeIndex >= 0 && entry.nodeIndex < proto->nodeList.GetNum())
            proto->nodeList[entry.nodeIndex]->SetNodeVisual(entry.mesh);
    }
    for (int i = 0; i < softSkinList.GetNum(); ++i) {
        softSkinList[i]->AddRef();
        proto->softSkinList.InsertEnd(softSkinList[i]);
    }
}

void zCModelMeshLib::ApplyToModel(zCModel* model)
{
    if (!model)
        return;
    for (int i = 0; i < nodeMeshList.GetNum(); ++i) {
        const zTNodeMesh& entry = nodeMeshList[i];
        if (entry.nodeIndex >= 0 && entry.nodeIndex < model->nodeList.GetNum())
            model->SetNodeVisual(model->nodeList[entry.nodeIndex], entry.mesh);
    }
    for (int i = 0; i < softSkinList.GetNum(); ++i) {
        softSkinList[i]->AddRef();
        model->softSkinList.InsertEnd(softSkinList[i]);
    }
}

void zCModelMeshLib::RemoveFromModel(zCModel* model)
{
    if (!model)
        return;
    for (int i = 0; i < nodeMeshList.GetNum(); ++i) {
        const zTNodeMesh& entry = nodeMeshList[i];
        if (entry.nodeIndex < 0 || entry.nodeIndex >= model->nodeList.GetNum())
            continue;
        zCModelNodeState* state = model->nodeList[entry.nodeIndex];
        if (state->visual == entry.mesh)
            model->SetNodeVisual(state, nullptr);
    }
    for (int i = 0; i < softSkinList.GetNum(); ++i) {
        const int at = model->softSkinList.Search(softSkinList[i]);
        if (at >= 0) {
            model->softSkinList.RemoveIndex(at);
            softSkinList[i]->Release();
        }
    }
}

std::uint32_t zCModelMeshLib::GetMdmFileVersion()
{
    const std::uint32_t skin = static_cast<std::uint32_t>(GetSoftSkinFileVersion()) & 0xFFFF;
    const std::uint32_t mesh = GetMeshFileVersion() & 0xFFFFu;
    return ((skin << 16) | mesh) << 8 | 6;
}

void zCModelMeshLib::WriteMdmChunks(zCBinChunkFile& file, zCModelPrototype* proto, bool thisPlatform)
{
    // Only a convert job switches: files written while decompiling or loading are
    // read again on this platform.
    const bool converting = g_jobMode == zJOB_CONVERT_MODELS && !thisPlatform;
    if (converting)
        SwitchPlatform();
    file.StartChunk(zMDM_CHUNK_HEADER);
    file.WriteU32(GetMdmFileVersion());
    file.StartChunk(zMDM_CHUNK_SOURCE);
    WriteSourceStamp(file, GetObjectName() + ".ASC", 0);
    if (nodeMeshList.GetNum() > 0) {
        file.StartChunk(zMDM_CHUNK_NODE_MESHES);
        file.WriteU16(static_cast<std::uint16_t>(nodeMeshList.GetNum()));
        for (int i = 0; i < nodeMeshList.GetNum(); ++i) {
            const int index = nodeMeshList[i].nodeIndex;
            const bool named = proto && index >= 0 && index < proto->nodeList.GetNum();
            file.WriteLine(named ? proto->nodeList[index]->nodeName : zSTRING());
        }
        for (int i = 0; i < nodeMeshList.GetNum(); ++i)
            nodeMeshList[i].mesh->WriteToChunkFile(file);
    }
    if (softSkinList.GetNum() > 0) {
        file.StartChunk(zMDM_CHUNK_SOFT_SKINS);
        file.WriteU32(proto ? proto->nodeChecksum : 0);
        file.WriteU16(static_cast<std::uint16_t>(softSkinList.GetNum()));
        for (int i = 0; i < softSkinList.GetNum(); ++i)
            softSkinList[i]->WriteToChunkFile(file);
    }
    file.StartChunk(zMDM_CHUNK_END);
    if (converting)
        SwitchPlatform();
}

void zCModelMeshLib::SaveMdm(zCModelPrototype* proto)
{
    const zSTRING name = GetObjectName() + ".MDM";
    const zSTRING path = g_jobDestDir + "_compiled\\" + name;
    zCBinChunkFile file;
    if (file.Create(path) != 0)
        return;
    WriteMdmChunks(file, proto);
    file.Close();
    RecordInsertFile(path);
    g_errorReporter.Report(zERR_MESSAGE, name);
}

int zCModelMeshLib::ReadMdmChunks(zCBinChunkFile& file, zCModelPrototype* proto, zCModel* model, zCModelMeshLib** out)
{
    zFILE* stream = file.GetFile();
    if (!stream || !stream->IsOpened() || (!proto && !model))
        return 0;
    const zSTRING baseName = ReadingBaseName(file);
    // Handed over only when the whole file was read.
    zTObjectRef<zCModelMeshLib> held(out ? Create() : nullptr);
    zCModelMeshLib* lib = held.get();
    if (out) {
        *out = nullptr;
        lib->SetObjectName(baseName);
    }
    auto fail = [] { return 0; };
    auto succeed = [&] {
        if (out)
            *out = held.release();
        return 1;
    };

    while (file.GetNextChunkPos() < stream->Size()) {
        std::uint16_t id = 0;
        std::uint32_t length = 0;
        if (!file.ReadChunkHeader(id, length))
            return file.IsDamaged() ? fail() : succeed();
        switch (id) {
        case zMDM_CHUNK_HEADER: {
            std::uint32_t version = 0;
            if (!file.ReadU32(version) || version != GetMdmFileVersion())
                return fail();
            file.SkipToNextChunk();
            break;
        }
        case zMDM_CHUNK_SOURCE:
            if (!ReadSourceStamp(file))
                return fail();
            file.SkipToNextChunk();
            break;
        case zMDM_CHUNK_NODE_MESHES:
            if (!ReadNodeMeshes(file, proto, model, lib, baseName))
                return fail();
            break;
        case zMDM_CHUNK_SOFT_SKINS:
            if (!ReadSoftSkins(file, proto, model, lib, baseName))
                return fail();
            break;
        case zMDM_CHUNK_END:
            return succeed();
        default:
            file.SkipToNextChunk();
            break;
        }
    }
    return succeed();
}

int zCModelMeshLib::LoadMdmFile(const zSTRING& fileName, zCModelPrototype* proto, zCModel* model, zCModelMeshLib** out)
{
    if (!g_options)
        return 0;
    const zSTRING folder = g_jobMode == zJOB_COMPILE_MODELS
                               ? g_options->GetDirString(DIR_CONVERTED_MDL) + "_compiled\\"
                               : g_options->GetDirString(DIR_COMPILED_ANIMS);
    std::unique_ptr<zFILE> probe = zMakeFile(folder + fileName);
    if (!probe->Exists())
        return 0;
    zCBinChunkFile file;
    if (file.Open(folder + fileName) != 0)
        return 0;
    return ReadMdmChunks(file, proto, model, out);
}

int zCModelMeshLib::LoadMeshLib(const zSTRING& fileName, zCModelPrototype* proto, zCModel* model, zCModelMeshLib** out)
{
    if (!proto && !model)
        return 0;
    const zSTRING base = BaseNameOf(fileName);
    if (auto* living = static_cast<zCModelMeshLib*>(classDef.SearchHashTable(UpperCopy(base)))) {
        living->AddRef();
        if (out)
            *out = living;
        else if (model)
            living->ApplyToModel(model);
        else
            living->ApplyToPrototype(proto);
        return 1;
    }
    zCModelPrototype* rebuildFrom = TargetPrototype(proto, model);
    const bool compiling = g_jobMode == zJOB_COMPILE_MODELS;
    int read = 0;
    if (!compiling || g_partialCompile || MadeInThisBuild(fileName))
        read = LoadMdmFile(fileName, proto, model, out);
    if (compiling && g_partialCompile && read) {
        // Handed over once the stop poll lets the job go on.
        zTObjectRef<zCModelMeshLib> handed(out ? *out : nullptr);
        FinishFileStep();
        handed.release();
        return 1;
    }
    if (compiling && !read) {
        if (BuildMdmFromAsc(fileName, rebuildFrom))
            return LoadMdmFile(fileName, proto, model, out);
    }
    return read;
}

int zCModelMeshLib::BuildMdmFromAsc(const zSTRING& fileName, zCModelPrototype* proto)
{
    if (!proto)
        return 0;
    const zSTRING base = UpperCopy(BaseNameOf(fileName));
    proto->ReleaseMeshes();
    zCModelAni* ani = nullptr;
    proto->LoadAsc(&ani, base + ".asc", fileName, 0, 0, 2, -1.0f);
    zTObjectRef<zCModelAni> heldAni(ani);
    zTObjectRef<zCModelMeshLib> lib(Create());
    lib->BuildFromPrototype(proto);
    lib->SetObjectName(base);
    lib->SaveMdm(proto);
    return 1;
}
