// The ASC reader: one ASC export read into a model prototype (hierarchy, meshes,
// materials, soft skins) and, when asked, into one key-framed animation.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "zCAscFile.h"
#include "zMAT4.h"
#include "zSTRING.h"
#include "zVEC3.h"

class zCMaterial;
class zCMesh;
class zCModelAni;
class zCModelNodeRec;
class zCModelPrototype;
struct zCNodeTreeEntry;

// Read flags of LoadAsc.
enum : int {
    zASC_READ_ANI = 1,    // key tracks and an animation
    zASC_READ_MESH = 2,   // meshes (the prototype's soft skins and box are cleared first)
    zASC_READ_TREE = 4,   // new nodes join the hierarchy
    zASC_READ_MORPH = 8,  // node meshes stay plain meshes
};

// Up to this many objects of one file carry key tracks.
constexpr int zASC_MAX_ANI_OBJECTS = 256;

// Sign vector of the last *TM_SCALE read; a node matrix without one takes it, even
// from the file read before.
extern zVEC3 g_ascScale;

// The exporter's axes to the engine's: (x, y, z) becomes (-x, z, -y).
inline zVEC3 AscVecFromMax(const zVEC3& v)
{
    return zVEC3(-v.x, v.z, -v.y);
}

class zCAscModelReader {
public:
    zCAscModelReader(zCModelPrototype& proto, zCAscFile& file, int flags, int firstFrame, int lastFrame);
    // Drops what a broken-off read leaves behind: key links, waiting skin meshes.
    ~zCAscModelReader();
    zCAscModelReader(const zCAscModelReader&) = delete;
    zCAscModelReader& operator=(const zCAscModelReader&) = delete;

    // Reads the whole file. The animation (read flag zASC_READ_ANI) is added to the
    // prototype under aniName and returned; otherwise null.
    zCModelAni* Read(const zSTRING& aniName);

private:
    using zTKeys = std::vector<zMAT4>;
    struct zTFace {
        class zCPolygon* poly;
        int materialId;
    };

    void ReadScene();
    void ReadMaterialList();
    void ReleaseMaterialGroups();
    zCMaterial* ReadMaterial(std::vector<zCMaterial*>& collected, int depth);
    void ReadMapDiffuse(zCMaterial* material);
    void ReadObject(std::unique_ptr<zTKeys>& outKeys, zCNodeTreeEntry*& outEntry);
    zMAT4 ReadNodeTM(zCModelNodeRec& node);
    zCMesh* ReadMesh(zCModelNodeRec& node, int materialRef);
    void AssignMaterials(std::vector<zTFace>& faces, int materialRef);
    // The consumed flag: the node's mesh went to its parent or waits as a soft skin.
    bool FinishMesh(zCModelNodeRec& node, zCNodeTreeEntry* parentEntry, bool isSoftSkin, bool hasKeys);
    void ReadMeshAnimation(zCModelNodeRec& node, int materialRef);
    int ReadCount(const char* keyword, zTAscWords mode, int max);

    // Key tracks, parent-relative keys, soft-skin weights and the animation.
    std::unique_ptr<zTKeys> ReadTmAnimation(zCModelNodeRec* node);
    void ReadPosTrack(zTKeys& keys);
    void ReadRotTrack(zTKeys& keys);
    void MakeKeysParentRelative(zCNodeTreeEntry* entry, zCNodeTreeEntry* parentEntry);
    void ReadSoftSkinVerts();
    zCModelAni* BuildAni(const zSTRING& aniName, float aniFps);

    zCModelPrototype& proto;
    zCAscFile& file;
    bool readAni;
    bool readMesh;
    bool readTree;
    bool morph;
    int firstFrame;
    int lastFrame;
    int numFrames;
    float sceneFps = 25.0f;
    bool sceneRead = false;
    zSTRING sceneName;
    // One group per *MATERIAL entry, holding one reference of each material: the
    // polygons take their own, so a material lives on while a mesh uses it.
    std::vector<std::vector<zCMaterial*>> materialGroups;
    // The current object's colour-only material (one reference), or null.
    zCMaterial* wireMaterial = nullptr;
    // The animated objects in file order: their keys and tree entries.
    std::vector<std::unique_ptr<zTKeys>> keyBuffers;
    std::vector<zCNodeTreeEntry*> objectEntries;
    // Meshes of soft-skinned objects this read put in the prototype's auxIndexList.
    int waitingSkins = 0;
};
