// The morph-mesh prototype: a reference mesh and the morph anis that move some of its
// vertices frame by frame; shared by name, read from and written to .MMB files,
// compiled from a morph script (.MMS) and decompiled back into one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zCArray.h"
#include "zSTRING.h"
#include "zVEC3.h"

class zCBinChunkFile;
class zCMesh;
class zCProgMeshProto;

// Chunk ids of .MMB files.
enum : std::uint16_t {
    zMMB_CHUNK_START = 0xE000,
    zMMB_CHUNK_SOURCES = 0xE010,
    zMMB_CHUNK_MESH = 0xE020,
    zMMB_CHUNK_ANIS = 0xE030,
};

constexpr std::uint32_t zMMB_VERSION = 3;

// Morph-ani flag bits and their letters "DLSR".
enum : std::uint8_t {
    zMORPH_FLAG_DISCARD = 1,
    zMORPH_FLAG_LOOP = 2,
    zMORPH_FLAG_SHAPE = 4,
    zMORPH_FLAG_REF_SHAPE = 8,
};

// One morph ani: per frame a position for each animated vertex, absolute for a
// reference-shape ani (flag R), else the offset from the reference position.
struct zCMorphMeshAni {
    zSTRING morphAniName;
    zSTRING ascFileName;
    float blendInPerMs = 0.0f;
    float blendOutPerMs = 0.0f;
    float holdTimeMs = 0.0f;
    std::int32_t layer = 0;
    float speedPerMs = 0.0f;
    std::uint8_t morphFlags = 0;
    std::uint32_t numVerts = 0;
    std::vector<std::uint32_t> vertIndexList;
    std::uint32_t numMorphFrames = 0;
    std::vector<zVEC3> morphPositions;  // frame-major
};

// The set letters in "DLSR" order, "." for none.
zSTRING MorphFlagLetters(std::uint8_t flags);
std::uint8_t MorphFlagsFromLetters(const zSTRING& word);

// One frame of a decompiled source ASC: the anis that start in it and the whole
// reference mesh moved as that frame moves it.
struct zTMorphFrameRecord {
    std::vector<const zCMorphMeshAni*> anis;
    std::vector<zVEC3> positions;
};

// The frames of all anis taken from one source ASC, in ani order.
struct zTMorphGroup {
    zSTRING fileName;
    int firstFrame = 0;
    int lastFrame = 0;
    int fps = 0;
    std::vector<zTMorphFrameRecord> frames;
};

class zCMorphMeshProto {
public:
    // refCtr 1, linked at the head of the global list.
    zCMorphMeshProto();
    // Only Release should get here: a count other than 1 is fatal.
    ~zCMorphMeshProto() noexcept(false);
    zCMorphMeshProto(const zCMorphMeshProto&) = delete;
    zCMorphMeshProto& operator=(const zCMorphMeshProto&) = delete;

    void AddRef() { ++refCtr; }
    // The new count; the prototype is destroyed at 0.
    int Release();

    // The first listed prototype of exactly that name, or null.
    static zCMorphMeshProto* SearchName(const zSTRING& name);
    // The shared prototype of the file's upper-cased base name: a listed one (one
    // more reference), its .MMB, or else its .MMS compiled and saved as .MMB. Null
    // when neither gives a morph mesh: nothing is written then.
    static zCMorphMeshProto* Load(const zSTRING& fileName);

    // From the compiled-anims folder. 1 when the whole file was read; 0 for a missing
    // file, another version or damaged data, with the prototype unchanged.
    int LoadMMB(const zSTRING& fileName);
    // Into the job's "_compiled\" folder. False, reported, without a reference mesh
    // (nothing is written then) or when the file cannot be made.
    bool SaveMMB(const zSTRING& fileName);

    // The morph script (zCMorphMeshProtoScript.cpp). 1 when it was read and named a
    // reference mesh; 0, reported with the file, for a missing or unusable script.
    int LoadMMS(const zSTRING& fileName);

    // Decompiling (zCMorphMeshProtoDecompile.cpp): one group per source ASC other
    // than the reference's own, the script naming them and the ASC files themselves.
    void BuildMorphGroups(std::vector<zTMorphGroup>& groups) const;
    bool SaveMMS(const std::vector<zTMorphGroup>& groups) const;
    // The morph script's text, lines ended by a line feed.
    std::string WriteMMSText(const std::vector<zTMorphGroup>& groups) const;
    bool WriteMorphAscFiles(const std::vector<zTMorphGroup>& groups) const;

    const zSTRING& GetName() const { return morphProtoName; }
    zCProgMeshProto* GetRefMesh() const { return refMesh; }
    const std::vector<zVEC3>& GetRefPositions() const { return refPositions; }
    int GetNumAnis() const { return static_cast<int>(aniList.size()); }
    const zCMorphMeshAni& GetAni(int index) const { return *aniList.at(static_cast<std::size_t>(index)); }
    // Takes the ani over.
    void AddAni(std::unique_ptr<zCMorphMeshAni> ani) { aniList.push_back(std::move(ani)); }
    // Takes over one reference of the mesh (null allowed); the reference positions
    // become the mesh's.
    void SetRefMesh(zCProgMeshProto* mesh);
    void SetName(const zSTRING& name) { morphProtoName = name; }

    zCMorphMeshProto* next = nullptr;
    zCMorphMeshProto* prev = nullptr;
    int refCtr = 1;

private:
    // The script's statements, on the current line (zCMorphMeshProtoScript.cpp).
    void ReadMorphRef(const zSTRING& line, std::vector<std::uint32_t>& vertexMap);
    void ReadMorphAni(const zSTRING& line, const std::vector<std::uint32_t>& vertexMap);
    // A new ani from the chain of frame meshes, or null when no vertex moves in a
    // run of several frames (and after a fatal mismatch report).
    std::unique_ptr<zCMorphMeshAni> BuildMorphAni(zCMesh* firstFrame, const std::vector<std::uint32_t>& vertexMap,
                                                  bool refShape);

    zSTRING morphProtoName;
    zCProgMeshProto* refMesh = nullptr;  // one reference held
    std::vector<zVEC3> refPositions;
    std::vector<std::unique_ptr<zCMorphMeshAni>> aniList;
    // Where the script being read lies and the line being read, for file lookups
    // and reports.
    zSTRING scriptFolder;
    zSTRING scriptName;
    int scriptLine = 0;
};

// The most recently made prototype; null when there is none.
extern zCMorphMeshProto* g_morphProtoList;

// The frame meshes of a morph ASC: the chain of plain meshes of its first mesh node,
// frames first..last of a *MESH_ANIMATION (or its one *MESH), one reference held on
// each. fps gets the scene's frame rate. Null, reported, when the file is missing or
// holds no mesh. folder is looked in first; the animations folder is searched after.
zCMesh* LoadMorphSource(const zSTRING& ascName, const zSTRING& folder, float& fps, int firstFrame, int lastFrame);
// Releases every mesh of the chain.
void ReleaseMorphFrames(zCMesh* first);
