// The model prototype: the shared, reference-counted description of one model (its
// node hierarchy, soft skins, sorted animations and boxes), with its node record and
// the entries of its node tree. Prototypes are shared by file name through a global list.
#pragma once

#include <cstdint>

#include "zCArray.h"
#include "zMAT4.h"
#include "zSTRING.h"
#include "zTBBox3D.h"
#include "zVEC3.h"

class zCBinChunkFile;
class zCMesh;
class zCMeshSoftSkin;
class zCModelAni;
class zCVisual;
struct zTAniEventRec;

// One node of a model: a name, a transformation relative to its parent and
// optionally a visual, of which it holds one reference.
class zCModelNodeRec {
public:
    zCModelNodeRec();
    // Releases the visual.
    ~zCModelNodeRec();
    zCModelNodeRec(const zCModelNodeRec&) = delete;
    zCModelNodeRec& operator=(const zCModelNodeRec&) = delete;

    // Releases the current visual and takes a reference on the new one (null allowed).
    void SetNodeVisual(zCVisual* newVisual);

    zCModelNodeRec* parent = nullptr;
    zSTRING nodeName;  // case as read
    zCVisual* visual = nullptr;
    zMAT4 localMatrix;  // what a hierarchy file stores
    zVEC3 rotAxis;
    float rotAngle = 0.0f;  // radians
    zVEC3 translation;
    zMAT4 worldMatrix;
    // Per-frame matrices while the ASC reader reads an animation; not owned here.
    zMAT4* keyFrames = nullptr;
};

// An entry of the node tree. Entries below the root come from a block pool.
struct zCNodeTreeEntry {
    // A new entry for the node, linked in front of this entry's children.
    zCNodeTreeEntry* AddChild(zCModelNodeRec* node);
    // The entry after this one in a depth-first walk of top's subtree; null at its end.
    zCNodeTreeEntry* NextInSubtree(const zCNodeTreeEntry* top);

    zCNodeTreeEntry* parent = nullptr;
    zCNodeTreeEntry* firstChild = nullptr;
    zCNodeTreeEntry* next = nullptr;
    zCNodeTreeEntry* prev = nullptr;
    zCModelNodeRec* data = nullptr;
};

// Orders two elements of an animation list (each a zCModelAni pointer) by name:
// bytes compared unsigned, a prefix before the longer name.
int CompareAniNames(const void* a, const void* b);

class zCModelPrototype {
public:
    // refCtr 1, linked at the head of the global list.
    zCModelPrototype();
    // Only Release should get here: a count other than 1 is fatal, reported after the
    // prototype is freed and unlinked.
    ~zCModelPrototype() noexcept(false);
    zCModelPrototype(const zCModelPrototype&) = delete;
    zCModelPrototype& operator=(const zCModelPrototype&) = delete;

    void Init();
    // Releases and frees everything the prototype holds, then Init.
    void Clear();
    // The new count; the prototype is destroyed at 0.
    int Release();

    // The prototype of that file name from the list (one more reference), or a new
    // one from the loader the name asks for; null when that fails.
    static zCModelPrototype* Load(zSTRING& name, zCModelPrototype* overlayBase);
    // The first prototype of the list whose fileName is the upper-cased name; none
    // for an empty name.
    static zCModelPrototype* SearchName(zSTRING name);

    // Upper-cases the name; fileName gets ".ASC" for a static model, else ".MDS".
    void SetModelProtoName(const zSTRING& name);

    // Exact names.
    zCModelNodeRec* SearchNode(const zSTRING& name) const;
    int SearchNodeIndex(const zSTRING& name) const;
    // Depth first from start (null: the root): start itself, then each child's subtree.
    zCNodeTreeEntry* FindNodeListEntry(const zSTRING& name, zCNodeTreeEntry* start);
    // CRC-32 over the node names in list order; stored in nodeChecksum.
    std::uint32_t CalcNodeListChecksum();

    // Takes over the caller's reference. A name already in the list is fatal.
    void AddAni(zCModelAni* ani);
    int SearchAniIndex(const zSTRING& name) const;
    zCModelAni* SearchAni(const zSTRING& name) const;

    void ReleaseSoftSkinList();
    // The soft skins, then every node's visual.
    void ReleaseMeshes();

    // The node hierarchy's chunks 0xD100-0xD120 (zCModelPrototypeHierarchy.cpp).
    static std::uint32_t GetMdhFileVersion();
    void WriteHierarchy(zCBinChunkFile& file);
    // 1 when read; 0 for another version, an unreadable stamp or damaged data.
    int ReadHierarchy(zCBinChunkFile& file);
    // modelProtoName + ".MDH" into the job's "_compiled\" folder.
    void SaveMdh();
    // From the compiled-models folder; a convert job copies the file along.
    int LoadMdh(const zSTRING& fileName);

    // The loaders of static models and model scripts.
    int LoadMdl(zSTRING& name);
    int LoadModelScript(zSTRING& name);
    // The binary model script from the compiled-anims folder (zCModelPrototypeMsb.cpp);
    // convert and decompile jobs write it as text into the job's folder meanwhile.
    // 0 when the file is missing or damaged (g_lastModelFile names it) or an ani's
    // .MAN is missing.
    int LoadModelScriptMsb(const zSTRING& name);
    int ReadMsbModel(zCBinChunkFile& file);
    int ReadMsbMeshAndTree(int& noMesh, zCBinChunkFile& file);
    int ReadMsbAniEnum(zCBinChunkFile& file);
    // Reads an ASC export (zCAscModelReader.h: read flags 1 animation, 2 meshes,
    // 4 hierarchy, 8 plain meshes); lastFrame -1 is the scene's last, aniMaxFps -1.0
    // no limit. *outAni gets the animation (held by aniList) or null.
    void LoadAsc(zCModelAni** outAni, const zSTRING& fileName, const zSTRING& aniName, int firstFrame, int lastFrame,
                 int flags, float aniMaxFps);
    // The model script's text form (model/script): one model block from the line after
    // its "MODEL" line, and its statements, each on the line in g_mdsLine. The chunk
    // file receives the binary form while MdsWritesBinary() holds.
    void ReadModelBlock(zCBinChunkFile& file);
    void ReadMeshAndTree(int& noMesh, zCBinChunkFile& file);
    // The hierarchy and meshes of the mesh-and-tree statement (name without extension):
    // the compiled files, or in compile jobs the ASC compiled into them.
    void LoadMeshAndTree(const zSTRING& name, int noMesh);
    void ReadRegisterMesh(zCBinChunkFile& file);
    void ReadStartMesh();
    // One animation block, from the line after its "ANIENUM" line.
    void ReadAniEnum(int noMesh, zCBinChunkFile& file);
    // The ani's box over all its frames (null: nothing); the prototype's box when no
    // mesh contributes.
    void CalcAniBBox(zCModelAni* ani);
    // Sorts and numbers the anis, links next anis, resolves aliases and combinations;
    // an unresolved one is fatal.
    void ResolveAnis();
    // Overlays are not available: shows the error box, which ends the process.
    [[noreturn]] void PrepareAsModelProtoOverlay(zCModelPrototype* overlayBase);

    zCModelPrototype* next = nullptr;
    zCModelPrototype* prev = nullptr;
    int refCtr = 1;
    zSTRING modelProtoName;
    zSTRING fileName;  // the key of the global list
    zCNodeTreeEntry nodeTree;  // its children are the top-level nodes
    zCArraySort<zCModelAni*> aniList{&CompareAniNames};  // one reference each
    zCArray<zTAniEventRec*> modelTagList;  // owned
    zCArray<zCModelNodeRec*> nodeList;  // in reading order; owned through the tree
    std::uint32_t nodeChecksum = 0;
    zCArray<zCMeshSoftSkin*> softSkinList;  // one reference each
    zSTRING meshAndTreeFile;
    zTBBox3D bbox3D;
    zTBBox3D collisionBox;
    zVEC3 rootTranslation;
    int isStaticModel = 0;
    zCArray<zCMesh*> auxIndexList;  // plain pointers
    zCArray<zCMesh*> auxObjectList;  // one reference each
};

// The most recently constructed prototype; null when there is none.
extern zCModelPrototype* g_modelProtoList;
