// The mesh library: the node meshes and soft skins that dress a model's hierarchy,
// shared by name, with its chunks 0xD000-0xD040 (an ".MDM" file, or the tail of an
// ".MDL"), and how it is applied to prototypes and model visuals.
#pragma once

#include <cstdint>

#include "zCArray.h"
#include "zCObject.h"
#include "zSTRING.h"

class zCBinChunkFile;
class zCMeshSoftSkin;
class zCModel;
class zCModelPrototype;
class zCProgMeshProto;

// Chunk ids.
enum : std::uint16_t {
    zMDM_CHUNK_HEADER = 0xD000,
    zMDM_CHUNK_SOURCE = 0xD010,
    zMDM_CHUNK_NODE_MESHES = 0xD020,
    zMDM_CHUNK_SOFT_SKINS = 0xD030,
    zMDM_CHUNK_END = 0xD040,
};

struct zTNodeMesh {
    zCProgMeshProto* mesh = nullptr;  // one reference held by the library
    int nodeIndex = 0;                // in the prototype's (or the model's) node list
};

class zCModelMeshLib : public zCObject {
    zCLASS_DECLARATION(zCModelMeshLib)

public:
    zCModelMeshLib() = default;
    ~zCModelMeshLib() override;

    // A new library counted in the class (so that it can be found by name).
    static zCModelMeshLib* Create();

    // Releases both lists' meshes and empties them (capacities kept).
    void ReleaseMeshes();
    // Both take a reference.
    void AddNodeMesh(int nodeIndex, zCProgMeshProto* mesh);
    void AddMeshSoftSkin(zCMeshSoftSkin* skin);

    // The meshes of the prototype's nodes (ZS_ slots aside) and its soft skins; the
    // library takes the prototype's model name.
    void BuildFromPrototype(zCModelPrototype* proto);
    void ApplyToPrototype(zCModelPrototype* proto);
    void ApplyToModel(zCModel* model);
    void RemoveFromModel(zCModel* model);

    // (soft-skin version << 16 | progressive-mesh version) << 8 | 6, for the current platform.
    static std::uint32_t GetMdmFileVersion();
    // While converting, the chunks are written in the other platform's format, unless
    // the caller writes a file for this platform's own use.
    void WriteMdmChunks(zCBinChunkFile& file, zCModelPrototype* proto, bool thisPlatform = false);
    // Writes object name + ".MDM" into the job's "_compiled\" folder and records it.
    void SaveMdm(zCModelPrototype* proto);

    // Reads the chunks onto the model, else the prototype; with out, into a new
    // library handed over there (one reference) instead. 0 when the file is of
    // another version, damaged, or made for another hierarchy.
    static int ReadMdmChunks(zCBinChunkFile& file, zCModelPrototype* proto, zCModel* model, zCModelMeshLib** out);
    // The file from the folder of the job: 0 when it is missing or cannot be read.
    static int LoadMdmFile(const zSTRING& fileName, zCModelPrototype* proto, zCModel* model, zCModelMeshLib** out);
    // A living library of the name, else the file, else (while compiling) one
    // rebuilt from the mesh ASC.
    static int LoadMeshLib(const zSTRING& fileName, zCModelPrototype* proto, zCModel* model, zCModelMeshLib** out);
    // Reads the mesh ASC into the prototype and saves its library as an .MDM.
    static int BuildMdmFromAsc(const zSTRING& fileName, zCModelPrototype* proto);

    zCArray<zTNodeMesh> nodeMeshList;
    zCArray<zCMeshSoftSkin*> softSkinList;  // one reference each
};
