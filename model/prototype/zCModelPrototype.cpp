// The model prototype, its node record and node tree, and the global prototype list.
#include "zCModelPrototype.h"

#include <algorithm>
#include <exception>
#include <new>
#include <vector>

#include "ErrorBox.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCBlockPool.h"
#include "zCCrc.h"
#include "zCMesh.h"
#include "zCMeshSoftSkin.h"
#include "zCModelAni.h"
#include "zERROR.h"
#include "zPATH.h"

zCModelPrototype* g_modelProtoList = nullptr;

namespace {

// Message ids.
// "%s: the model tools are not available in this build."

zCBlockPool& TreeEntryPool()
{
    static zCBlockPool pool(sizeof(zCNodeTreeEntry));
    return pool;
}

int CompareNameTexts(const zSTRING& a, const zSTRING& b)
{
    // std::string compares bytes unsigned and puts a prefix first.
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

} // namespace

zCModelNodeRec::zCModelNodeRec() : localMatrix(MakeIdentityMatrix()), worldMatrix(MakeIdentityMatrix())
{
}

zCModelNodeRec::~zCModelNodeRec()
{
    SetNodeVisual(nullptr);
    parent = nullptr;
    keyFrames = nullptr;
}

void zCModelNodeRec::SetNodeVisual(zCVisual* newVisual)
{
    if (newVisual == visual)
        return;
    if (visual)
        visual->Release();
    if (newVisual)
        newVisual->AddRef();
    visual = newVisual;
}

zCNodeTreeEntry* zCNodeTreeEntry::NextInSubtree(const zCNodeTreeEntry* top)
{
    if (firstChild)
        return firstChild;
    for (zCNodeTreeEntry* e = this; e != top; e = e->parent) {
        if (e->next)
            return e->next;
    }
    return nullptr;
}

zCNodeTreeEntry* zCNodeTreeEntry::AddChild(zCModelNodeRec* node)
{
    auto* child = new (TreeEntryPool().Alloc()) zCNodeTreeEntry();
    child->parent = this;
    child->data = node;
    child->next = firstChild;
    if (firstChild)
        firstChild->prev = child;
    firstChild = child;
    return child;
}

int CompareAniNames(const void* a, const void* b)
{
    const zCModelAni* aniA = *static_cast<zCModelAni* const*>(a);
    const zCModelAni* aniB = *static_cast<zCModelAni* const*>(b);
    return CompareNameTexts(aniA->GetAniName(), aniB->GetAniName());
}

zCModelPrototype::zCModelPrototype()
{
    Init();
    refCtr = 1;
    next = g_modelProtoList;
    if (next)
        next->prev = this;
    g_modelProtoList = this;
}

zCModelPrototype::~zCModelPrototype() noexcept(false)
{
    const bool wrongCount = --refCtr != 0;
    Clear();
    if (prev)
        prev->next = next;
    if (next)
        next->prev = prev;
    if (g_modelProtoList == this)
        g_modelProtoList = next;
    next = prev = nullptr;
    if (wrongCount) {
        // A fatal report unwinds the job; while something else already does, an
        // error is all that can be said.
        const int level = std::uncaught_exceptions() ? zERR_ERROR : zERR_FATAL;
        g_errorReporter.Report(level, LoadResString(IDS_REF_CTR_NOT_ZERO));
    }
}

void zCModelPrototype::Init()
{
    aniList.SetCompare(&CompareAniNames);
    bbox3D.SetZero();
    collisionBox.SetZero();
    nodeChecksum = 0;
    rootTranslation = zVEC3(0.0f, 0.0f, 0.0f);
    isStaticModel = 0;
    modelProtoName = "";
}

void zCModelPrototype::Clear()
{
    ReleaseSoftSkinList();
    for (int i = 0; i < nodeList.GetNum(); ++i)
        nodeList[i]->SetNodeVisual(nullptr);

    delete nodeTree.data;
    nodeTree.data = nullptr;
    std::vector<zCNodeTreeEntry*> entries;
    for (zCNodeTreeEntry* e = nodeTree.firstChild; e; e = e->NextInSubtree(&nodeTree))
        entries.push_back(e);
    for (zCNodeTreeEntry* e : entries) {
        delete e->data;
        e->~zCNodeTreeEntry();
        TreeEntryPool().Free(e);
    }
    nodeTree.firstChild = nullptr;
    nodeTree.next = nodeTree.prev = nullptr;

    for (int i = 0; i < aniList.GetNum(); ++i)
        aniList[i]->Release();
    aniList.DeleteList();
    for (int i = 0; i < modelTagList.GetNum(); ++i)
        delete modelTagList[i];
    modelTagList.DeleteList();
    nodeList.DeleteList();

    meshAndTreeFile = "";
    auxIndexList.DeleteList();
    for (int i = 0; i < auxObjectList.GetNum(); ++i) {
        if (auxObjectList[i]) {
            auxObjectList[i]->Release();
            auxObjectList[i] = nullptr;
        }
    }
    Init();
}

int zCModelPrototype::Release()
{
    if (--refCtr > 0)
        return refCtr;
    // The destructor checks for a count of 1.
    refCtr = 1;
    delete this;
    return 0;
}

zCModelPrototype* zCModelPrototype::Load(zSTRING& name, zCModelPrototype* overlayBase)
{
    zCModelPrototype* found = SearchName(zPATH(name).GetFile());
    if (found) {
        ++found->refCtr;
        return found;
    }
    auto* proto = new zCModelPrototype();
    const int loaded = name.Search(0, ".ASC", 1) >= 0 ? proto->LoadMdl(name) : proto->LoadModelScript(name);
    if (!loaded) {
        proto->Release();
        return nullptr;
    }
    if (overlayBase)
        proto->PrepareAsModelProtoOverlay(overlayBase);
    return proto;
}

zCModelPrototype* zCModelPrototype::SearchName(zSTRING name)
{
    // A prototype not yet named (one a tool is still building) is no one's to share.
    if (name.empty())
        return nullptr;
    name.Upper();
    for (zCModelPrototype* proto = g_modelProtoList; proto; proto = proto->next) {
        if (proto->fileName == name)
            return proto;
    }
    return nullptr;
}

void zCModelPrototype::SetModelProtoName(const zSTRING& name)
{
    modelProtoName = name;
    modelProtoName.Upper();
    fileName = modelProtoName + (isStaticModel == 1 ? ".ASC" : ".MDS");
}

zCModelNodeRec* zCModelPrototype::SearchNode(const zSTRING& name) const
{
    const int index = SearchNodeIndex(name);
    return index >= 0 ? nodeList[index] : nullptr;
}

int zCModelPrototype::SearchNodeIndex(const zSTRING& name) const
{
    for (int i = 0; i < nodeList.GetNum(); ++i) {
        if (nodeList[i]->nodeName == name)
            return i;
    }
    return -1;
}

zCNodeTreeEntry* zCModelPrototype::FindNodeListEntry(const zSTRING& name, zCNodeTreeEntry* start)
{
    zCNodeTreeEntry* top = start ? start : &nodeTree;
    for (zCNodeTreeEntry* e = top; e; e = e->NextInSubtree(top)) {
        if (e->data && e->data->nodeName == name)
            return e;
    }
    return nullptr;
}

std::uint32_t zCModelPrototype::CalcNodeListChecksum()
{
    zCCrc32 crc;
    crc.Reset();
    for (int i = 0; i < nodeList.GetNum(); ++i)
        crc.Update(nodeList[i]->nodeName.data(), nodeList[i]->nodeName.size());
    nodeChecksum = crc.GetValue();
    return nodeChecksum;
}

void zCModelPrototype::AddAni(zCModelAni* ani)
{
    if (!ani)
        return;
    const zCModelAni* defined = SearchAni(ani->GetAniName());
    if (defined) {
        // The list took no reference of this one; it must not outlive the job.
        const zSTRING name = ani->GetAniName();
        if (defined != ani)
            ani->Release();
        g_errorReporter.Report(zERR_FATAL, FormatResString(IDS_ANI_ALREADY_DEFINED, name.c_str()));
        return;
    }
    aniList.InsertSort(ani);
}

int zCModelPrototype::SearchAniIndex(const zSTRING& name) const
{
    const int count = aniList.GetNum();
    if (count == 0)
        return -1;
    zCModelAni* const* first = aniList.GetArray();
    zCModelAni* const* last = first + count;
    zCModelAni* const* pos = std::lower_bound(first, last, name, [](const zCModelAni* ani, const zSTRING& key) {
        return CompareNameTexts(ani->GetAniName(), key) < 0;
    });
    if (pos != last && CompareNameTexts((*pos)->GetAniName(), name) == 0)
        return static_cast<int>(pos - first);
    return -1;
}

zCModelAni* zCModelPrototype::SearchAni(const zSTRING& name) const
{
    const int index = SearchAniIndex(name);
    return index >= 0 ? aniList[index] : nullptr;
}

void zCModelPrototype::ReleaseSoftSkinList()
{
    for (int i = 0; i < softSkinList.GetNum(); ++i)
        softSkinList[i]->Release();
    softSkinList.DeleteList();
}

void zCModelPrototype::ReleaseMeshes()
{
    ReleaseSoftSkinList();
    for (int i = 0; i < nodeList.GetNum(); ++i)
        nodeList[i]->SetNodeVisual(nullptr);
}

void zCModelPrototype::PrepareAsModelProtoOverlay(zCModelPrototype*)
{
    zNotFound("zCModelPrototype::PrepareAsModelProtoOverlay");
}
