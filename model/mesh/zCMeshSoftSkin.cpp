// The soft skin: weight stream, node list and node boxes, and its chunks.
#include "zCMeshSoftSkin.h"

#include <algorithm>

#include "LittleEndian.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCBinChunkFile.h"
#include "zERROR.h"
#include "zTBBox3D.h"

zCLASS_DEFINITION(zCMeshSoftSkin, zCProgMeshProto, 0, 0);

namespace {

constexpr int kSoftSkinVersion = 4;
constexpr long kSpareRecordSize = 16;
constexpr long kNodeBoxMinSize = 62;

} // namespace

int GetSoftSkinFileVersion()
{
    return kSoftSkinVersion;
}

void zCMeshSoftSkin::AllocWeightStream(int vertexCount, int entryCount)
{
    FreeWeightStream();
    const long long size = static_cast<long long>(std::max(0, vertexCount)) * 4 +
                           static_cast<long long>(std::max(0, entryCount)) * zSKIN_ENTRY_SIZE;
    weightStream.assign(static_cast<std::size_t>(size), 0);
}

void zCMeshSoftSkin::FreeWeightStream()
{
    weightStream.clear();
    weightStream.shrink_to_fit();
    cursor = 0;
}

void zCMeshSoftSkin::AddNumWeights(std::uint32_t count)
{
    if (cursor + 4 > weightStream.size())
        return;
    zPutLE32(weightStream.data() + cursor, count);
    cursor += 4;
}

void zCMeshSoftSkin::AddWeightEntry(const zTSoftSkinWeightEntry& entry)
{
    if (cursor + zSKIN_ENTRY_SIZE > weightStream.size())
        return;
    unsigned char* at = weightStream.data() + cursor;
    zPutLE32(at, zFloatBits(entry.weight));
    zPutLE32(at + 4, zFloatBits(entry.offset.x));
    zPutLE32(at + 8, zFloatBits(entry.offset.y));
    zPutLE32(at + 12, zFloatBits(entry.offset.z));
    at[16] = entry.node;
    cursor += zSKIN_ENTRY_SIZE;
}

bool zCMeshSoftSkin::GetWeights(std::vector<std::vector<zTSoftSkinWeightEntry>>& weights) const
{
    weights.assign(static_cast<std::size_t>(GetNumPositions()), {});
    std::size_t at = 0;
    for (auto& entries : weights) {
        if (at + 4 > weightStream.size())
            return false;
        const std::uint32_t count = zGetLE32(weightStream.data() + at);
        at += 4;
        if (count > (weightStream.size() - at) / zSKIN_ENTRY_SIZE)
            return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            const unsigned char* e = weightStream.data() + at;
            zTSoftSkinWeightEntry entry;
            entry.weight = zBitsFloat(zGetLE32(e));
            entry.offset = zVEC3(zBitsFloat(zGetLE32(e + 4)), zBitsFloat(zGetLE32(e + 8)), zBitsFloat(zGetLE32(e + 12)));
            entry.node = e[16];
            entries.push_back(entry);
            at += zSKIN_ENTRY_SIZE;
        }
    }
    return true;
}

long zCMeshSoftSkin::StreamSizeOverPositions() const
{
    std::size_t at = 0;
    for (int i = 0; i < GetNumPositions(); ++i) {
        if (at + 4 > weightStream.size())
            return -1;
        const std::uint32_t count = zGetLE32(weightStream.data() + at);
        at += 4;
        if (count > (weightStream.size() - at) / zSKIN_ENTRY_SIZE)
            return -1;
        at += static_cast<std::size_t>(count) * zSKIN_ENTRY_SIZE;
    }
    return static_cast<long>(at);
}

void zCMeshSoftSkin::BuildNodeIndexList()
{
    nodeIndexList.EmptyList();
    std::vector<std::vector<zTSoftSkinWeightEntry>> weights;
    GetWeights(weights);  // a short stream gives what it holds
    for (const auto& entries : weights) {
        for (const zTSoftSkinWeightEntry& entry : entries) {
            if (!nodeIndexList.IsInList(entry.node))
                nodeIndexList.InsertEnd(entry.node);
        }
    }
}

void zCMeshSoftSkin::BuildNodeOBBs()
{
    nodeBoxes.clear();
    std::vector<std::vector<zTSoftSkinWeightEntry>> weights;
    GetWeights(weights);
    // Per position, the triangles (sub-mesh, index) that have a wedge on it.
    std::vector<std::vector<std::pair<int, int>>> touching(weights.size());
    for (int s = 0; s < GetNumSubMeshes(); ++s) {
        for (int t = 0; t < GetCount(s, zPM_TRIANGLES); ++t) {
            for (int k = 0; k < 3; ++k) {
                const int w = GetIndex(s, zPM_TRIANGLES, t, k);
                const int p = GetWedge(s, w).position;
                if (w < GetCount(s, zPM_WEDGES) && p < static_cast<int>(touching.size()) &&
                    (touching[static_cast<std::size_t>(p)].empty() ||
                     touching[static_cast<std::size_t>(p)].back() != std::make_pair(s, t)))
                    touching[static_cast<std::size_t>(p)].emplace_back(s, t);
            }
        }
    }
    for (int n = 0; n < nodeIndexList.GetNum(); ++n) {
        const int node = nodeIndexList[n];
        zTBBox3D box;
        box.Init();
        bool found = false;
        for (std::size_t i = 0; i < weights.size(); ++i) {
            if (weights[i].empty() || weights[i].front().node != node)
                continue;
            for (const auto& [s, t] : touching[i]) {
                for (int k = 0; k < 3; ++k)
                    box.AddPoint(GetPosition(GetWedge(s, GetIndex(s, zPM_TRIANGLES, t, k)).position));
                found = true;
            }
        }
        auto obb = std::make_unique<zTOrientedBox3D>();
        if (found) {
            obb->SetByBBox3D(box);
            obb->extent = MulComponents(obb->extent, zVEC3(0.8f, 0.8f, 0.8f));
        } else {
            obb->center = zVEC3(0, 0, 0);
            obb->axis[0] = zVEC3(1, 0, 0);
            obb->axis[1] = zVEC3(0, 1, 0);
            obb->axis[2] = zVEC3(0, 0, 1);
            obb->extent = zVEC3(0.0001f, 0.0001f, 0.0001f);
        }
        nodeBoxes.push_back(std::move(obb));
    }
}

bool zCMeshSoftSkin::WriteToChunkFile(zCBinChunkFile& file)
{
    file.StartChunk(zSKIN_CHUNK_HEADER);
    file.WriteU32(kSoftSkinVersion);
    zCProgMeshProto::WriteToChunkFile(file);
    // Only what the positions' counts cover; a stream that runs short is written whole.
    const long covered = StreamSizeOverPositions();
    const long size = covered >= 0 ? covered : static_cast<long>(weightStream.size());
    file.WriteU32(static_cast<std::uint32_t>(size));
    file.WriteBytes(weightStream.data(), size);
    file.WriteU32(static_cast<std::uint32_t>(spareRecords.size()));
    for (const auto& record : spareRecords)
        file.WriteBytes(record.data(), kSpareRecordSize);
    file.WriteU16(static_cast<std::uint16_t>(std::min(nodeIndexList.GetNum(), 0xFFFF)));
    for (int n = 0; n < std::min(nodeIndexList.GetNum(), 0xFFFF); ++n)
        file.WriteInt(nodeIndexList[n]);
    for (int n = 0; n < std::min(static_cast<int>(nodeBoxes.size()), std::min(nodeIndexList.GetNum(), 0xFFFF)); ++n)
        nodeBoxes[static_cast<std::size_t>(n)]->WriteToChunkFile(file);
    file.StartChunk(zSKIN_CHUNK_END);
    return true;
}

bool zCMeshSoftSkin::ReadFromChunkFile(zCBinChunkFile& file)
{
    zFILE* stream = file.GetFile();
    if (!stream || !stream->IsOpened())
        return false;
    auto damaged = [&file](int reason) {
        file.ReportDamage(LoadResString(reason));
        return false;
    };
    while (file.GetNextChunkPos() < stream->Size()) {
        std::uint16_t id = 0;
        std::uint32_t length = 0;
        if (!file.ReadChunkHeader(id, length))
            return !file.IsDamaged();
        if (id == zSKIN_CHUNK_END)
            return true;
        if (id != zSKIN_CHUNK_HEADER) {
            file.SkipToNextChunk();
            continue;
        }
        std::uint32_t version = 0;
        if (!file.ReadU32(version) || version != kSoftSkinVersion)
            return false;
        if (!zCProgMeshProto::ReadFromChunkFile(file))
            return false;
        // The skin data lies in the end chunk of the mesh part, whose header was just read.
        const long chunkEnd = file.GetNextChunkPos();
        auto left = [stream, chunkEnd] { return chunkEnd - stream->Pos(); };
        std::uint32_t size = 0;
        if (!file.ReadU32(size))
            return false;
        if (static_cast<long long>(size) > left())
            return damaged(IDS_SOFT_SKIN_STREAM_DAMAGED);
        std::vector<unsigned char> newStream(size);
        if (size > 0 && !file.ReadBytes(newStream.data(), static_cast<long>(size)))
            return false;
        std::uint32_t spareCount = 0;
        if (!file.ReadU32(spareCount))
            return false;
        if (static_cast<long long>(spareCount) * kSpareRecordSize > left())
            return damaged(IDS_SOFT_SKIN_NODES_DAMAGED);
        std::vector<std::array<unsigned char, 16>> spares(spareCount);
        for (auto& record : spares) {
            if (!file.ReadBytes(record.data(), kSpareRecordSize))
                return false;
        }
        std::uint16_t nodeCount = 0;
        if (!file.ReadU16(nodeCount))
            return false;
        if (static_cast<long long>(nodeCount) * (4 + kNodeBoxMinSize) > left())
            return damaged(IDS_SOFT_SKIN_NODES_DAMAGED);
        zCArray<int> nodes;
        for (int n = 0; n < nodeCount; ++n) {
            std::int32_t node = 0;
            if (!file.ReadInt(node))
                return false;
            nodes.InsertEnd(node);
        }
        std::vector<std::unique_ptr<zTOrientedBox3D>> boxes;
        for (int n = 0; n < nodeCount; ++n) {
            boxes.push_back(std::make_unique<zTOrientedBox3D>());
            if (!boxes.back()->ReadFromChunkFile(file))
                return false;
        }
        if (left() < 0)
            return damaged(IDS_SOFT_SKIN_NODES_DAMAGED);

        FreeWeightStream();
        weightStream = std::move(newStream);
        if (StreamSizeOverPositions() < 0) {
            FreeWeightStream();
            return damaged(IDS_SOFT_SKIN_STREAM_ENDS_INSIDE);
        }
        spareRecords = std::move(spares);
        nodeIndexList = std::move(nodes);
        nodeBoxes = std::move(boxes);
        file.SkipToNextChunk();
    }
    return true;
}
