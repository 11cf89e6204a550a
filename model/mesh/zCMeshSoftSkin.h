// The soft skin: a progressive mesh whose positions follow a model's nodes by
// weights, with the distinct nodes of the weights and a box per node; its chunks
// 0xE100 (version, then the mesh's chunks and the skin data) and 0xE110 (end marker).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "zCArray.h"
#include "zCProgMeshProto.h"
#include "zTOrientedBox3D.h"
#include "zVEC3.h"

// Chunk ids.
enum : std::uint16_t { zSKIN_CHUNK_HEADER = 0xE100, zSKIN_CHUNK_END = 0xE110 };

// One weight of a position: 17 bytes in the stream (f32 weight, 3 x f32 offset, u8 node).
struct zTSoftSkinWeightEntry {
    float weight = 0.0f;
    zVEC3 offset;  // the position relative to the node
    std::uint8_t node = 0;
};

constexpr int zSKIN_ENTRY_SIZE = 17;

// The soft-skin file version.
int GetSoftSkinFileVersion();

class zCMeshSoftSkin : public zCProgMeshProto {
    zCLASS_DECLARATION(zCMeshSoftSkin)

public:
    zCMeshSoftSkin() = default;
    ~zCMeshSoftSkin() override = default;

    // False for another skin version (silently), a failing mesh part (its own
    // message), or skin data that does not fit its chunk (reported).
    bool ReadFromChunkFile(zCBinChunkFile& file) override;
    bool WriteToChunkFile(zCBinChunkFile& file) override;

    // Room for the counts of vertexCount positions and entryCount entries; the
    // cursor at the start.
    void AllocWeightStream(int vertexCount, int entryCount);
    void FreeWeightStream();
    // Both write at the cursor and advance it; a write past the room is dropped.
    void AddNumWeights(std::uint32_t count);
    void AddWeightEntry(const zTSoftSkinWeightEntry& entry);

    // The distinct nodes of the stream in first-seen order.
    void BuildNodeIndexList();
    // One box per listed node around the triangles of the positions whose first
    // entry names it, shrunk to 0.8; a node without such triangles gets a tiny box
    // at the origin.
    void BuildNodeOBBs();

    // The entries of every position, read from the stream; false when the stream
    // does not hold exactly one count and its entries per position.
    bool GetWeights(std::vector<std::vector<zTSoftSkinWeightEntry>>& weights) const;

    const std::vector<unsigned char>& GetWeightStream() const { return weightStream; }
    const zCArray<int>& GetNodeIndexList() const { return nodeIndexList; }
    int GetNumNodeBoxes() const { return static_cast<int>(nodeBoxes.size()); }
    const zTOrientedBox3D& GetNodeBox(int index) const { return *nodeBoxes.at(static_cast<std::size_t>(index)); }
    zTOrientedBox3D& GetNodeBox(int index) { return *nodeBoxes.at(static_cast<std::size_t>(index)); }

private:
    // The stream's bytes up to the end of the last position's entries; -1 when a
    // position's entries run past the stream.
    long StreamSizeOverPositions() const;

    zCArray<int> nodeIndexList;
    std::vector<std::unique_ptr<zTOrientedBox3D>> nodeBoxes;
    std::vector<std::array<unsigned char, 16>> spareRecords;
    std::vector<unsigned char> weightStream;
    std::size_t cursor = 0;
};
