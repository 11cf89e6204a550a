// The model visual: construction from a prototype, scale and boxes, node visuals and
// applied mesh libraries.
#include "zCModel.h"

#include <string>

#include "ErrorBox.h"
#include "JobGlobals.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCBinChunkFile.h"
#include "zCMeshSoftSkin.h"
#include "zCModelAni.h"
#include "zCModelMeshLib.h"
#include "zCModelPrototype.h"
#include "zCOption.h"
#include "zERROR.h"
#include "zPATH.h"

zCLASS_DEFINITION(zCModel, zCVisualAnimate, 0, 0);

namespace {

// Flags after Init: bits 0, 2 and 3.
constexpr std::uint16_t kInitialFlags = 0x0D;

zSTRING UpperBaseName(const zSTRING& name)
{
    zSTRING base = zPATH(name).GetFilename();
    base.Upper();
    return base;
}

void ScaleBox(zTBBox3D& box, const zVEC3& factor)
{
    box.mins = MulComponents(box.mins, factor);
    box.maxs = MulComponents(box.maxs, factor);
}

} // namespace

zCModel::zCModel()
{
    bbox3D.SetZero();
    scaledProtoBox.SetZero();
    scaledCollisionBox.SetZero();
    Init();
}

zCModel::zCModel(zCModelPrototype* proto) : zCModel()
{
    if (!proto)
        return;
    bbox3D = proto->bbox3D;
    modelProtoList.InsertEnd(proto);
    softSkinList.AllocAbs(softSkinList.GetNum() + proto->softSkinList.GetNum());
    for (int i = 0; i < proto->softSkinList.GetNum(); ++i) {
        proto->softSkinList[i]->AddRef();
        softSkinList.InsertEnd(proto->softSkinList[i]);
    }
    CreateNodeStates();
    SetScale(zVEC3(1.0f, 1.0f, 1.0f));
}

zCModel::~zCModel()
{
    for (int i = 0; i < modelProtoList.GetNum(); ++i) {
        if (modelProtoList[i])
            modelProtoList[i]->Release();
    }
    // Detaching needs no prototype: it works on the node states and skins alone.
    modelProtoList.DeleteList();
    while (meshLibList.GetNum() > 0) {
        const int before = meshLibList.GetNum();
        zTModelMeshLibEntry* entry = meshLibList[0];
        if (!DetachMeshLib(entry->meshLib->GetObjectName()) && meshLibList.GetNum() == before) {
            // A library renamed or shadowed since: let go of it here.
            meshLibList.RemoveOrderIndex(0);
            entry->meshLib->RemoveFromModel(this);
            entry->meshLib->Release();
            delete entry;
        }
    }
    for (int i = 0; i < softSkinList.GetNum(); ++i) {
        if (softSkinList[i])
            softSkinList[i]->Release();
        softSkinList[i] = nullptr;
    }
    for (int i = 0; i < nodeList.GetNum(); ++i)
        nodeList[i]->SetNodeVisual(nullptr, 0);
    nodeStates.reset();
    numNodeStates = 0;
    activeAniCount = 0;
    nodeList.DeleteList();
    softSkinList.DeleteList();
    meshLibList.DeleteList();
}

void zCModel::Init()
{
    if (activeAniCount > 0)
        zErrorBox("zCModel::Init not full");
    scale = zVEC3(1.0f, 1.0f, 1.0f);
    flags = kInitialFlags;
    SetScale(zVEC3(1.0f, 1.0f, 1.0f));
}

zCVisual* zCModel::LoadVisual(const zSTRING& name)
{
    zSTRING protoName = name;
    zCModelPrototype* proto = zCModelPrototype::Load(protoName, nullptr);
    if (!proto)
        return nullptr;
    // The prototype's reference from Load is the one the model keeps.
    auto* model = new zCModel(proto);
    zCClassDef::ObjectCreated(model, &classDef);
    return model;
}

void zCModel::CreateNodeStates()
{
    if (modelProtoList.GetNum() == 0 || !modelProtoList[0])
        return;
    zCModelPrototype* proto = modelProtoList[0];
    const int count = proto->nodeList.GetNum();
    nodeList.AllocAbs(nodeList.GetNum() + count);
    nodeStates = std::make_unique<zCModelNodeState[]>(static_cast<std::size_t>(count));
    numNodeStates = count;
    for (int i = 0; i < count; ++i) {
        zCModelNodeRec* node = proto->nodeList[i];
        zCModelNodeState& state = nodeStates[static_cast<std::size_t>(i)];
        state.Init();
        state.protoNode = node;
        state.SetNodeVisual(node->visual, 1);
        state.trafo = node->localMatrix;
        // Each state is linked to the state of its node's parent; nothing here reads it.
        if (node->parent) {
            for (int k = 0; k < i; ++k) {
                if (proto->nodeList[k] == node->parent)
                    state.parentState = &nodeStates[static_cast<std::size_t>(k)];
            }
        }
        nodeList.InsertEnd(&state);
    }
}

void zCModel::SetScale(const zVEC3& newScale)
{
    scale = newScale;
    const bool scaled = !(newScale == zVEC3(1.0f, 1.0f, 1.0f));
    flags = static_cast<std::uint16_t>(scaled ? (flags | kFlagScaled) : (flags & ~kFlagScaled));
    if (modelProtoList.GetNum() > 0 && modelProtoList[0]) {
        scaledProtoBox = modelProtoList[0]->bbox3D;
        scaledCollisionBox = modelProtoList[0]->collisionBox;
        if (scaled) {
            ScaleBox(scaledProtoBox, newScale);
            ScaleBox(scaledCollisionBox, newScale);
        }
    }
    CalcModelBBox3DWorld();
}

void zCModel::CalcModelBBox3DWorld()
{
    if (activeAniCount > 0)
        zErrorBox("zCModel::CalcModelBBox3DWorld not full");
    zTBBox3D box;
    box.SetZero();
    if (modelProtoList.GetNum() > 0 && modelProtoList[0])
        box = modelProtoList[0]->bbox3D;
    if (flags & kFlagScaled)
        ScaleBox(box, scale);
    bbox3D = box;
}

zCModelNodeState* zCModel::SearchNode(const zSTRING& name) const
{
    for (int i = 0; i < nodeList.GetNum(); ++i) {
        const zCModelNodeRec* node = nodeList[i]->protoNode;
        if (node && node->nodeName == name)
            return nodeList[i];
    }
    return nullptr;
}

void zCModel::SetNodeVisual(zCModelNodeState* state, zCVisual* visual)
{
    if (state)
        state->SetNodeVisual(visual, 1);
}

int zCModel::ApplyMeshLib(const zSTRING& name)
{
    if (name.empty())
        return 0;
    const zSTRING base = UpperBaseName(name);
    ClearRecordedStampDates();
    zCModelMeshLib* lib = nullptr;
    int loaded = zCModelMeshLib::LoadMeshLib(base + ".MDM", nullptr, this, &lib);
    if (!loaded) {
        if (g_jobMode == zJOB_CONVERT_MODELS) {
            if (!g_modelLoadError)
                g_lastModelFile = base + ".MDM";
            g_modelLoadError = 1;
            return 0;
        }
        zCModelPrototype* proto = modelProtoList.GetNum() > 0 ? modelProtoList[0] : nullptr;
        if (!proto)
            return 0;
        if (g_errorReporter.GetFilterLevel() > 4)
            g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_CONVERTING_MESH_ASC_INTO, base));
        proto->ReleaseMeshes();
        zCModelAni* ani = nullptr;
        proto->LoadAsc(&ani, base + ".asc", name, 0, 0, 2, -1.0f);
        zTObjectRef<zCModelAni> heldAni(ani);
        {
            zTObjectRef<zCModelMeshLib> built(zCModelMeshLib::Create());
            built->BuildFromPrototype(proto);
            built->SetObjectName(base);
            built->SaveMdm(proto);
        }
        if (!zCModelMeshLib::LoadMeshLib(base + ".MDM", nullptr, this, &lib))
            return 0;
    }
    if (!lib)
        return 0;
    // The entry holds the reference from here, so that an unwinding job drops it.
    auto* entry = new zTModelMeshLibEntry();
    entry->meshLib = lib;
    meshLibList.InsertEnd(entry);
    if (g_jobMode == zJOB_CONVERT_MODELS)
        lib->SaveMdm(modelProtoList.GetNum() > 0 ? modelProtoList[0] : nullptr);
    lib->ApplyToModel(this);
    entry->texAniState.BuildTexListFromMeshLib(lib);
    return 1;
}

int zCModel::DetachMeshLib(const zSTRING& name)
{
    const zSTRING key = UpperBaseName(name);
    auto* lib = static_cast<zCModelMeshLib*>(zCModelMeshLib::classDef.SearchHashTable(key));
    if (!lib)
        return 0;
    int at = -1;
    for (int i = 0; i < meshLibList.GetNum() && at < 0; ++i) {
        if (meshLibList[i]->meshLib == lib)
            at = i;
    }
    if (at < 0)
        return 0;
    zTModelMeshLibEntry* entry = meshLibList[at];
    meshLibList.RemoveOrderIndex(at);
    delete entry;
    lib->RemoveFromModel(this);
    lib->Release();
    return 1;
}
