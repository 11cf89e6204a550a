// The progressive mesh: positions, wedges and triangles in collapse order, one
// sub-mesh per material, with the tables that show any vertex count; and its
// chunks 0xB100 (the mesh) and 0xB1FF (end marker) in model files.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "zCArray.h"
#include "zCVisual.h"
#include "zTBBox3D.h"
#include "zTOrientedBox3D.h"
#include "zTPlane3D.h"
#include "zVEC3.h"

class zCBinChunkFile;
class zCMaterial;
class zCMesh;

// Chunk ids.
enum : std::uint16_t { zPM_CHUNK_MESH = 0xB100, zPM_CHUNK_END = 0xB1FF };

// The "no wedge" value of wedge maps.
constexpr std::uint16_t zPM_WEDGE_NONE = 0xFFFF;

// A corner's attributes: 24 bytes in the data block (normal, texture coordinates,
// u16 position index, 2 reserved bytes).
struct zTProgMeshWedge {
    zVEC3 normal;
    zVEC2 texCoord;
    std::uint16_t position = 0;
};

struct zTProgMeshLODStep {
    std::uint16_t numTriangles = 0;
    std::uint16_t numWedges = 0;
};

// A sub-mesh's arrays in the order of the file's sub-mesh table.
enum zTProgMeshArrayKind {
    zPM_TRIANGLES,       // 3 x u16 wedge index
    zPM_WEDGES,          // zTProgMeshWedge
    zPM_SPARE,           // 4 bytes, always empty here
    zPM_TRIANGLE_PLANES, // u16 plane index
    zPM_PLANES,          // f32 distance, 3 x f32 normal
    zPM_WEDGE_MAP,       // u16 wedge index
    zPM_LOD_STEPS,       // u16 triangle count, u16 wedge count
    zPM_TRIANGLE_EDGES,  // 3 x u16 edge index
    zPM_EDGES,           // 2 x u16 wedge index
    zPM_EDGE_SCORES,     // f32
    zPM_NUM_ARRAY_KINDS
};

// Bytes of one element of each kind, in the data block and in files.
extern const int zPM_ELEMENT_SIZE[zPM_NUM_ARRAY_KINDS];

// Where an array lies in the data block: a byte offset and an element count.
struct zTProgMeshArray {
    std::uint32_t offset = 0;
    int count = 0;
};

struct zTProgMeshSubMesh {
    zTProgMeshSubMesh() = default;
    // Releases the material.
    ~zTProgMeshSubMesh();
    zTProgMeshSubMesh(const zTProgMeshSubMesh&) = delete;
    zTProgMeshSubMesh& operator=(const zTProgMeshSubMesh&) = delete;

    zCMaterial* material = nullptr;  // one reference held
    zTProgMeshArray arrays[zPM_NUM_ARRAY_KINDS];
};

class zCProgMeshProto : public zCVisual {
    zCLASS_DECLARATION(zCProgMeshProto)

public:
    zCProgMeshProto();
    ~zCProgMeshProto() override;

    zTBBox3D GetBBox3D() override { return bbox3D; }
    // Not available: shows "zCProgMeshProto::Load not found" and ends the process.
    zCVisual* LoadVisual(const zSTRING& name) override;

    // False, with a warning and the prototype unchanged, for another mesh-file
    // version; false with an error for a chunk whose offsets, counts or sizes do not
    // fit it, or whose material cannot be had. Stops after the end chunk's header.
    virtual bool ReadFromChunkFile(zCBinChunkFile& file);
    virtual bool WriteToChunkFile(zCBinChunkFile& file);

    int GetStoredFlag() const { return storedFlag; }
    void SetStoredFlag(int flag) { storedFlag = flag; }
    int GetNumTriangles() const;

    // Cleans and re-normals the mesh, builds (zCProgMeshBuilder) and fills the freshly
    // made target; the order array gets, per position, the mesh vertex it came from.
    // 0, with an error naming the limit and the target left empty, when the mesh does
    // not fit the stored 16-bit and 8-bit fields; else 1.
    static int BuildFromMesh(zCMesh* source, zCProgMeshProto* target, zCArray<std::uint32_t>* order, int flags);

    // The arrays, read from the data block. An index outside its array gives a
    // zero value.
    int GetNumPositions() const { return positions.count; }
    int GetNumNormals() const { return normals.count; }
    zVEC3 GetPosition(int index) const;
    zVEC3 GetNormal(int index) const;
    // Replaces a normal; an index outside the array changes nothing.
    void SetNormal(int index, const zVEC3& normal);
    int GetNumSubMeshes() const { return static_cast<int>(subMeshes.size()); }
    zTProgMeshSubMesh& GetSubMesh(int index) { return *subMeshes.at(static_cast<std::size_t>(index)); }
    const zTProgMeshSubMesh& GetSubMesh(int index) const { return *subMeshes.at(static_cast<std::size_t>(index)); }
    int GetCount(int subMesh, zTProgMeshArrayKind kind) const;
    // The u16 at position element of a 16-bit kind (triangles and triangle edges:
    // three per element, edges two); 0 outside.
    std::uint16_t GetIndex(int subMesh, zTProgMeshArrayKind kind, int element, int part = 0) const;
    zTProgMeshWedge GetWedge(int subMesh, int index) const;
    zTProgMeshLODStep GetLODStep(int subMesh, int index) const;
    zTPlane3D GetPlane(int subMesh, int index) const;
    float GetEdgeScore(int subMesh, int index) const;

    // The raw data block and the arrays' places in it.
    const std::vector<unsigned char>& GetDataBlock() const { return dataBlock; }
    const zTProgMeshArray& GetPositionArray() const { return positions; }
    const zTProgMeshArray& GetNormalArray() const { return normals; }

    // Replaces the data block and the sub-meshes (the builder's last step). The
    // records' materials are taken over with their references.
    void SetData(std::vector<unsigned char> block, const zTProgMeshArray& positionArray,
                 const zTProgMeshArray& normalArray, std::vector<std::unique_ptr<zTProgMeshSubMesh>> records);

    zTBBox3D bbox3D;
    zTOrientedBox3D obbox3D;
    float triangleDensity = 0.0f;
    float lodParams[4] = {1.0f, 0.0f, 0.0f, 0.0f};
    int unusedOne = 1;
    std::uint32_t serialNumber = 0;
    std::uint32_t renderKey = 0;

protected:
    int BuildFrom(zCMesh& mesh, zCArray<std::uint32_t>* order, int flags);
    // Reads chunk 0xB100's body after its version word; false (reported) when it
    // does not fit the chunk ending at chunkEnd.
    bool ReadMeshChunk(zCBinChunkFile& file, long chunkEnd);
    // The element's bytes, or null when it lies outside the array or the block.
    const unsigned char* Element(const zTProgMeshArray& array, zTProgMeshArrayKind kind, int index) const;
    const unsigned char* Element(int subMesh, zTProgMeshArrayKind kind, int index) const;

    zTProgMeshArray positions;
    zTProgMeshArray normals;
    std::vector<std::unique_ptr<zTProgMeshSubMesh>> subMeshes;
    std::vector<unsigned char> dataBlock;
    int storedFlag = 0;
};

// The mesh-file version word: (the mesh format the tool entries set << 8) | 5, so 0x0905 on
// the second platform and 0x0305 on the first.
std::uint16_t GetMeshFileVersion();
