// The progressive mesh prototype: its data block, accessors and chunk reader and writer.
#include "zCProgMeshProto.h"

#include <cstring>
#include <unordered_map>
#include <utility>

#include "ErrorBox.h"
#include "JobGlobals.h"
#include "LittleEndian.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCArchiver.h"
#include "zCArchiverFactory.h"
#include "zCBinChunkFile.h"
#include "zCFPUControl.h"
#include "zCMaterial.h"
#include "zCMesh.h"
#include "zCPolygon.h"
#include "zCProgMeshBuilder.h"
#include "zERROR.h"

zCLASS_DEFINITION(zCProgMeshProto, zCVisual, zCLASS_FLAG_SHARED_OBJECTS, 0);

const int zPM_ELEMENT_SIZE[zPM_NUM_ARRAY_KINDS] = {6, 24, 4, 2, 16, 2, 4, 6, 4, 4};

namespace {

constexpr int kVec3Size = 12;
constexpr long kSubMeshTableSize = 80;

std::uint32_t s_serialCounter = 0;

zVEC3 GetVec3(const unsigned char* at)
{
    return zVEC3(zBitsFloat(zGetLE32(at)), zBitsFloat(zGetLE32(at + 4)), zBitsFloat(zGetLE32(at + 8)));
}

// An array fits the block when all its elements lie inside it.
bool Fits(const zTProgMeshArray& array, int elementSize, std::size_t blockSize)
{
    return array.count >= 0 && static_cast<std::uint64_t>(array.offset) +
                                       static_cast<std::uint64_t>(array.count) * static_cast<std::uint64_t>(elementSize) <=
                                   blockSize;
}

// A count beyond any block comes back as -1, which no block fits.
bool ReadArray(zCBinChunkFile& file, zTProgMeshArray& array)
{
    std::uint32_t count = 0;
    if (!file.ReadU32(array.offset) || !file.ReadU32(count))
        return false;
    array.count = count > 0x7FFFFFFFu ? -1 : static_cast<int>(count);
    return true;
}

void WriteArray(zCBinChunkFile& file, const zTProgMeshArray& array)
{
    file.WriteU32(array.offset);
    file.WriteU32(static_cast<std::uint32_t>(array.count));
}

// Releases an archiver however its reading ends.
struct ArchiverHold {
    zCArchiver* archiver;
    ~ArchiverHold()
    {
        if (archiver)
            archiver->Release();
    }
};

} // namespace

zTProgMeshSubMesh::~zTProgMeshSubMesh()
{
    if (material)
        material->Release();
}

std::uint16_t GetMeshFileVersion()
{
    return static_cast<std::uint16_t>(((g_meshFileVersion & 0xFF) << 8) | 5);
}

zCProgMeshProto::zCProgMeshProto()
{
    serialNumber = s_serialCounter++;
    renderKey = serialNumber | 0xF0000000u;
}

zCProgMeshProto::~zCProgMeshProto() = default;

zCVisual* zCProgMeshProto::LoadVisual(const zSTRING&)
{
    zNotFound("zCProgMeshProto::Load");
}

int zCProgMeshProto::GetNumTriangles() const
{
    int sum = 0;
    for (const auto& sub : subMeshes)
        sum += sub->arrays[zPM_TRIANGLES].count;
    return sum;
}

void zCProgMeshProto::SetData(std::vector<unsigned char> block, const zTProgMeshArray& positionArray,
                              const zTProgMeshArray& normalArray,
                              std::vector<std::unique_ptr<zTProgMeshSubMesh>> records)
{
    dataBlock = std::move(block);
    positions = positionArray;
    normals = normalArray;
    subMeshes = std::move(records);
}

const unsigned char* zCProgMeshProto::Element(const zTProgMeshArray& array, zTProgMeshArrayKind kind, int index) const
{
    const int size = kind == zPM_NUM_ARRAY_KINDS ? kVec3Size : zPM_ELEMENT_SIZE[kind];
    if (index < 0 || index >= array.count || !Fits(array, size, dataBlock.size()))
        return nullptr;
    return dataBlock.data() + array.offset + static_cast<std::size_t>(index) * static_cast<std::size_t>(size);
}

const unsigned char* zCProgMeshProto::Element(int subMesh, zTProgMeshArrayKind kind, int index) const
{
    if (subMesh < 0 || subMesh >= GetNumSubMeshes())
        return nullptr;
    return Element(subMeshes[static_cast<std::size_t>(subMesh)]->arrays[kind], kind, index);
}

zVEC3 zCProgMeshProto::GetPosition(int index) const
{
    const unsigned char* at = Element(positions, zPM_NUM_ARRAY_KINDS, index);
    return at ? GetVec3(at) : zVEC3();
}

zVEC3 zCProgMeshProto::GetNormal(int index) const
{
    const unsigned char* at = Element(normals, zPM_NUM_ARRAY_KINDS, index);
    return at ? GetVec3(at) : zVEC3();
}

void zCProgMeshProto::SetNormal(int index, const zVEC3& normal)
{
    if (!Element(normals, zPM_NUM_ARRAY_KINDS, index))
        return;
    unsigned char* at = dataBlock.data() + normals.offset + static_cast<std::size_t>(index) * kVec3Size;
    zPutLE32(at, zFloatBits(normal.x));
    zPutLE32(at + 4, zFloatBits(normal.y));
    zPutLE32(at + 8, zFloatBits(normal.z));
}

int zCProgMeshProto::GetCount(int subMesh, zTProgMeshArrayKind kind) const
{
    if (subMesh < 0 || subMesh >= GetNumSubMeshes())
        return 0;
    return subMeshes[static_cast<std::size_t>(subMesh)]->arrays[kind].count;
}

std::uint16_t zCProgMeshProto::GetIndex(int subMesh, zTProgMeshArrayKind kind, int element, int part) const
{
    const unsigned char* at = Element(subMesh, kind, element);
    if (!at || part < 0 || (part + 1) * 2 > zPM_ELEMENT_SIZE[kind])
        return 0;
    return zGetLE16(at + part * 2);
}

zTProgMeshWedge zCProgMeshProto::GetWedge(int subMesh, int index) const
{
    zTProgMeshWedge wedge;
    if (const unsigned char* at = Element(subMesh, zPM_WEDGES, index)) {
        wedge.normal = GetVec3(at);
        wedge.texCoord = zVEC2(zBitsFloat(zGetLE32(at + 12)), zBitsFloat(zGetLE32(at + 16)));
        wedge.position = zGetLE16(at + 20);
    }
    return wedge;
}

zTProgMeshLODStep zCProgMeshProto::GetLODStep(int subMesh, int index) const
{
    zTProgMeshLODStep step;
    if (const unsigned char* at = Element(subMesh, zPM_LOD_STEPS, index)) {
        step.numTriangles = zGetLE16(at);
        step.numWedges = zGetLE16(at + 2);
    }
    return step;
}

zTPlane3D zCProgMeshProto::GetPlane(int subMesh, int index) const
{
    zTPlane3D plane;
    if (const unsigned char* at = Element(subMesh, zPM_PLANES, index)) {
        plane.distance = zBitsFloat(zGetLE32(at));
        plane.normal = GetVec3(at + 4);
    }
    return plane;
}

float zCProgMeshProto::GetEdgeScore(int subMesh, int index) const
{
    const unsigned char* at = Element(subMesh, zPM_EDGE_SCORES, index);
    return at ? zBitsFloat(zGetLE32(at)) : 0.0f;
}

bool zCProgMeshProto::ReadFromChunkFile(zCBinChunkFile& file)
{
    zFILE* stream = file.GetFile();
    if (!stream || !stream->IsOpened())
        return false;
    while (file.GetNextChunkPos() < stream->Size()) {
        std::uint16_t id = 0;
        std::uint32_t length = 0;
        if (!file.ReadChunkHeader(id, length))
            return !file.IsDamaged();
        if (id == zPM_CHUNK_MESH) {
            std::uint16_t version = 0;
            if (!file.ReadU16(version))
                return false;
            if (version != GetMeshFileVersion()) {
                g_errorReporter.Report(zERR_WARNING,
                                       FormatResString(IDS_PROG_MESH_WRONG_VERSION,
                                                       static_cast<int>(GetMeshFileVersion()), static_cast<int>(version)));
                return false;
            }
            if (!ReadMeshChunk(file, file.GetNextChunkPos()))
                return false;
            file.SkipToNextChunk();
        } else if (id == zPM_CHUNK_END) {
            return true;
        } else {
            file.SkipToNextChunk();
        }
    }
    return true;
}

bool zCProgMeshProto::ReadMeshChunk(zCBinChunkFile& file, long chunkEnd)
{
    zFILE* stream = file.GetFile();
    auto damaged = [&file](int reason) {
        file.ReportDamage(LoadResString(reason));
        return false;
    };
    auto left = [stream, chunkEnd] { return chunkEnd - stream->Pos(); };

    // Everything is read into locals first: a chunk that fails leaves the
    // prototype as it was.
    std::uint32_t size = 0;
    if (!file.ReadU32(size))
        return false;
    if (static_cast<std::uint64_t>(size) > static_cast<std::uint64_t>(std::max(0L, left())))
        return damaged(IDS_PROG_MESH_DATA_SIZE_DAMAGED);
    std::vector<unsigned char> block(size);
    if (size > 0 && !file.ReadBytes(block.data(), static_cast<long>(size)))
        return false;

    std::uint8_t count = 0;
    zTProgMeshArray positionArray;
    zTProgMeshArray normalArray;
    if (!file.ReadU8(count) || !ReadArray(file, positionArray) || !ReadArray(file, normalArray))
        return false;
    if (count > zPM_MAX_SUBMESHES)
        return damaged(IDS_PROG_MESH_SUB_MESH_COUNT_DAMAGED);
    if (!Fits(positionArray, kVec3Size, block.size()) || !Fits(normalArray, kVec3Size, block.size()))
        return damaged(IDS_PROG_MESH_ARRAY_DAMAGED);
    if (count * kSubMeshTableSize > left())
        return damaged(IDS_PROG_MESH_FIELDS_DAMAGED);
    std::vector<std::unique_ptr<zTProgMeshSubMesh>> records;
    for (int s = 0; s < count; ++s) {
        records.push_back(std::make_unique<zTProgMeshSubMesh>());
        for (int kind = 0; kind < zPM_NUM_ARRAY_KINDS; ++kind) {
            zTProgMeshArray& array = records.back()->arrays[kind];
            if (!ReadArray(file, array))
                return false;
            if (!Fits(array, zPM_ELEMENT_SIZE[kind], block.size()))
                return damaged(IDS_PROG_MESH_ARRAY_DAMAGED);
        }
    }

    int stored = storedFlag;
    {
        ArchiverHold hold{g_archiverFactory.CreateArchiverRead(stream, 2)};
        if (!hold.archiver)
            return damaged(IDS_PROG_MESH_FIELDS_DAMAGED);
        for (auto& record : records) {
            zSTRING name = hold.archiver->ReadString("");
            record->material = zCMaterial::FindByName(name);
            if (record->material) {
                record->material->AddRef();
                if (hold.archiver->ReadChunkStart(""))
                    hold.archiver->SkipOpenChunk();
            } else {
                zCObject* object = hold.archiver->ReadObject(nullptr);
                record->material = dynamic_cast<zCMaterial*>(object);
                if (!record->material) {
                    if (object)
                        object->Release();
                    g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_PROG_MESH_MATERIAL_MISSING, name));
                    return false;
                }
            }
        }
        if (g_platform != zPLATFORM_FIRST_GAME)
            stored = hold.archiver->ReadBool("");
        hold.archiver->Close();
    }
    if (left() < 0)
        return damaged(IDS_PROG_MESH_FIELDS_DAMAGED);

    zTBBox3D box;
    zTOrientedBox3D tree;
    std::uint32_t lod[4] = {0, 0, 0, 0};
    if (!box.ReadFromChunkFile(file) || !tree.ReadFromChunkFile(file))
        return false;
    for (std::uint32_t& word : lod) {
        if (!file.ReadU32(word))
            return false;
    }
    if (left() < 0)
        return damaged(IDS_PROG_MESH_FIELDS_DAMAGED);

    SetData(std::move(block), positionArray, normalArray, std::move(records));
    storedFlag = stored;
    bbox3D = box;
    obbox3D = std::move(tree);
    for (int i = 0; i < 4; ++i)
        lodParams[i] = zBitsFloat(lod[i]);
    return true;
}

bool zCProgMeshProto::WriteToChunkFile(zCBinChunkFile& file)
{
    file.StartChunk(zPM_CHUNK_MESH);
    file.WriteU16(GetMeshFileVersion());
    file.WriteU32(static_cast<std::uint32_t>(dataBlock.size()));
    file.WriteBytes(dataBlock.data(), static_cast<long>(dataBlock.size()));
    file.WriteU8(static_cast<std::uint8_t>(subMeshes.size()));
    WriteArray(file, positions);
    WriteArray(file, normals);
    for (const auto& sub : subMeshes) {
        for (const zTProgMeshArray& array : sub->arrays)
            WriteArray(file, array);
    }

    zCArchiver* archiver = g_archiverFactory.CreateArchiverWrite(file.GetFile(), 0, 0, 3);
    if (archiver) {
        for (const auto& sub : subMeshes) {
            archiver->WriteString("", sub->material ? sub->material->GetObjectName() : zSTRING());
            archiver->WriteObject(sub->material);
        }
        if (g_platform != zPLATFORM_FIRST_GAME) {
            storedFlag = 0;
            archiver->WriteBool("", storedFlag);
        }
        archiver->Close();
        archiver->Release();
    }

    bbox3D.WriteToChunkFile(file);
    obbox3D.WriteToChunkFile(file);
    for (float value : lodParams)
        file.WriteFloat(value);
    file.StartChunk(zPM_CHUNK_END);
    file.EndChunk();
    return true;
}

// Building from a mesh.

namespace {

// The 8-bit sub-mesh count and the 16-bit indices and counts of the format.
bool WithinLimit(const zCMesh& mesh, std::size_t count, int limit, int message)
{
    if (count <= static_cast<std::size_t>(limit))
        return true;
    g_errorReporter.Report(zERR_ERROR, FormatResString(message, mesh.meshName, static_cast<int>(count)));
    return false;
}

// The data block, byte-packed little-endian in the order the format keeps.
class BlockWriter {
public:
    zTProgMeshArray Begin(int count)
    {
        zTProgMeshArray array;
        array.offset = static_cast<std::uint32_t>(bytes.size());
        array.count = count;
        return array;
    }
    void U16(int value) { Put16(static_cast<std::uint16_t>(value < 0 ? zPM_WEDGE_NONE : value)); }
    void F32(float value) { Put32(zFloatBits(value)); }
    void Vec3(const zVEC3& v)
    {
        F32(v.x);
        F32(v.y);
        F32(v.z);
    }
    std::vector<unsigned char> bytes;

private:
    // Byte by byte: a range insert per field costs more than the field.
    void Put16(std::uint16_t value)
    {
        unsigned char b[2];
        zPutLE16(b, value);
        bytes.push_back(b[0]);
        bytes.push_back(b[1]);
    }
    void Put32(std::uint32_t value)
    {
        unsigned char b[4];
        zPutLE32(b, value);
        for (unsigned char c : b)
            bytes.push_back(c);
    }
};

void PackSubMesh(BlockWriter& block, const zTProgMeshBuiltSubMesh& sub, zTProgMeshSubMesh& record)
{
    zTProgMeshArray* arrays = record.arrays;
    arrays[zPM_TRIANGLES] = block.Begin(static_cast<int>(sub.triangles.size()));
    for (const auto& tri : sub.triangles)
        for (int w : tri)
            block.U16(w);
    arrays[zPM_WEDGES] = block.Begin(static_cast<int>(sub.wedges.size()));
    for (const auto& wedge : sub.wedges) {
        block.Vec3(wedge.normal);
        block.F32(wedge.texCoord.x);
        block.F32(wedge.texCoord.y);
        block.U16(wedge.position);
        block.U16(0);
    }
    arrays[zPM_WEDGE_MAP] = block.Begin(static_cast<int>(sub.wedgeMap.size()));
    for (int w : sub.wedgeMap)
        block.U16(w);
    arrays[zPM_SPARE] = block.Begin(0);
    arrays[zPM_LOD_STEPS] = block.Begin(static_cast<int>(sub.lodSteps.size()));
    for (const auto& step : sub.lodSteps) {
        block.U16(step[0]);
        block.U16(step[1]);
    }
    arrays[zPM_TRIANGLE_PLANES] = block.Begin(static_cast<int>(sub.trianglePlanes.size()));
    for (int p : sub.trianglePlanes)
        block.U16(p);
    arrays[zPM_PLANES] = block.Begin(static_cast<int>(sub.planes.size()));
    for (const auto& plane : sub.planes) {
        block.F32(plane.distance);
        block.Vec3(plane.normal);
    }
    arrays[zPM_TRIANGLE_EDGES] = block.Begin(static_cast<int>(sub.triangleEdges.size()));
    for (const auto& edges : sub.triangleEdges)
        for (int e : edges)
            block.U16(e);
    arrays[zPM_EDGES] = block.Begin(static_cast<int>(sub.edges.size()));
    for (const auto& edge : sub.edges) {
        block.U16(edge[0]);
        block.U16(edge[1]);
    }
    arrays[zPM_EDGE_SCORES] = block.Begin(static_cast<int>(sub.edgeScores.size()));
    for (float score : sub.edgeScores)
        block.F32(score);
}

} // namespace

namespace {

// The mesh's triangles as the builder's input (the first three corners of each
// polygon; texture coordinates (0, 0) where the material has no texture), with the
// distinct materials in first-use order. The vertices' slots hold their indices.
void CollectSource(zCMesh& mesh, zTProgMeshSource& source, std::vector<zCMaterial*>& materials)
{
    source = zTProgMeshSource();
    materials.clear();
    mesh.PrepareForEditing();
    source.positions.reserve(static_cast<std::size_t>(mesh.numVert));
    for (int i = 0; i < mesh.numVert; ++i)
        source.positions.push_back(mesh.vertList[i]->position);
    std::unordered_map<zCMaterial*, int> materialIndex;
    source.triangles.reserve(static_cast<std::size_t>(mesh.numPoly));
    for (int j = 0; j < mesh.numPoly; ++j) {
        const zCPolygon* poly = mesh.polyList[j];
        if (poly->numVert < 3)
            continue;
        zCMaterial* material = poly->GetMaterial();
        const auto known = materialIndex.emplace(material, static_cast<int>(materials.size()));
        if (known.second)
            materials.push_back(material);
        const bool textured = material && material->GetTexture();
        zTProgMeshSourceTriangle tri;
        tri.material = known.first->second;
        for (int k = 0; k < 3; ++k) {
            tri.vertex[k] = poly->vertex[k]->transformSlot;
            const zCVertexFeature* feature = poly->feature ? poly->feature[k] : nullptr;
            if (feature) {
                tri.normal[k] = feature->normal;
                if (textured)
                    tri.texCoord[k] = feature->texCoord;
            }
        }
        source.triangles.push_back(tri);
    }
    source.numMaterials = static_cast<int>(materials.size());
}

} // namespace

int zCProgMeshProto::BuildFromMesh(zCMesh* source, zCProgMeshProto* target, zCArray<std::uint32_t>* order, int flags)
{
    if (!source || !target)
        return 0;
    return target->BuildFrom(*source, order, flags);
}

int zCProgMeshProto::BuildFrom(zCMesh& mesh, zCArray<std::uint32_t>* order, int flags)
{
    const std::uint32_t savedWord = g_fpuControl.SaveControlWord();
    g_fpuControl.SetDoublePrecision();

    if (!(flags & zPM_BUILD_KEEP_DEGENERATE))
        mesh.DeleteDegeneratePolys();
    mesh.CalcVertexNormals((flags >> 3) & 1, 0);
    bbox3D = mesh.bbox3D;
    obbox3D = mesh.obbox3D;
    // The vertices' slots hold their indices while the polygons are read.
    for (int i = 0; i < mesh.numVert; ++i) {
        mesh.vertList[i]->ReleaseTransform();
        mesh.vertList[i]->transformSlot = i;
    }
    zTProgMeshSource source;
    std::vector<zCMaterial*> materials;
    CollectSource(mesh, source, materials);
    for (int i = 0; i < mesh.numVert; ++i)
        mesh.vertList[i]->transformSlot = 0;

    bool fits = WithinLimit(mesh, materials.size(), zPM_MAX_SUBMESHES, IDS_PROG_MESH_TOO_MANY_MATERIALS) &&
                WithinLimit(mesh, source.triangles.size(), zPM_MAX_INDEXED, IDS_PROG_MESH_TOO_MANY_TRIANGLES) &&
                WithinLimit(mesh, source.positions.size(), zPM_MAX_ADDRESSED, IDS_PROG_MESH_TOO_MANY_VERTICES);
    zTProgMeshBuildResult result;
    if (fits) {
        zCProgMeshBuilder::Build(source, flags, result);
        for (const auto& sub : result.subMeshes) {
            fits = fits && WithinLimit(mesh, sub.wedges.size(), zPM_MAX_INDEXED, IDS_PROG_MESH_TOO_MANY_WEDGES) &&
                   WithinLimit(mesh, sub.planes.size(), zPM_MAX_ADDRESSED, IDS_PROG_MESH_TOO_MANY_PLANES) &&
                   WithinLimit(mesh, sub.edges.size(), zPM_MAX_ADDRESSED, IDS_PROG_MESH_TOO_MANY_EDGES);
        }
    }
    if (!fits) {
        zCFPUControl::RestoreControlWord(savedWord);
        return 0;
    }

    int numTriangles = 0;
    for (const auto& sub : result.subMeshes)
        numTriangles += static_cast<int>(sub.triangles.size());
    const zTBBox3D& box = bbox3D;
    const double volume = (static_cast<double>(box.maxs.z) - box.mins.z) * (static_cast<double>(box.maxs.y) - box.mins.y) *
                          (static_cast<double>(box.maxs.x) - box.mins.x);
    triangleDensity = volume == 0.0 ? 0.0f : static_cast<float>(numTriangles / volume);

    BlockWriter block;
    const zTProgMeshArray positionArray = block.Begin(static_cast<int>(result.positions.size()));
    for (const zVEC3& p : result.positions)
        block.Vec3(p);
    const zTProgMeshArray normalArray = block.Begin(static_cast<int>(result.normals.size()));
    for (const zVEC3& n : result.normals)
        block.Vec3(n);
    std::vector<std::unique_ptr<zTProgMeshSubMesh>> records;
    for (const auto& sub : result.subMeshes) {
        records.push_back(std::make_unique<zTProgMeshSubMesh>());
        PackSubMesh(block, sub, *records.back());
        zCMaterial* material = materials[static_cast<std::size_t>(sub.material)];
        if (material)
            material->AddRef();
        records.back()->material = material;
    }
    SetData(std::move(block.bytes), positionArray, normalArray, std::move(records));

    if (order) {
        order->EmptyList();
        for (int vertex : result.order)
            order->InsertEnd(static_cast<std::uint32_t>(vertex));
    }
    zCFPUControl::RestoreControlWord(savedWord);
    return 1;
}
