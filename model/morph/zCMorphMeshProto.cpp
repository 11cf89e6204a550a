// The morph-mesh prototype: its global list, loading by name and the .MMB reader and writer.
#include "zCMorphMeshProto.h"

#include <exception>
#include <utility>

#include "JobGlobals.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCBinChunkFile.h"
#include "zCObjectFactory.h"
#include "zCOption.h"
#include "zCProgMeshProto.h"
#include "zERROR.h"
#include "zPATH.h"

zCMorphMeshProto* g_morphProtoList = nullptr;

namespace {

// Name line, five 4-byte values, the flag byte and the two counts: the least a
// record takes besides its name.
constexpr long kMinAniRecordSize = 1 + 5 * 4 + 1 + 2 * 4;
constexpr long kVec3Size = 12;
// More frames than any export holds; the decompiler makes a whole mesh of each.
constexpr std::uint32_t kMaxMorphFrames = 65535;

const char kFlagLetters[] = "DLSR";

void WriteVec3(zCBinChunkFile& file, const zVEC3& v)
{
    file.WriteFloat(v.x);
    file.WriteFloat(v.y);
    file.WriteFloat(v.z);
}

bool ReadVec3(zCBinChunkFile& file, zVEC3& v)
{
    return file.ReadFloat(v.x) && file.ReadFloat(v.y) && file.ReadFloat(v.z);
}

// One record of chunk 0xE030; false when it does not fit the file.
bool ReadAniRecord(zCBinChunkFile& file, zCMorphMeshAni& ani)
{
    std::uint32_t numVerts = 0;
    std::uint32_t numFrames = 0;
    file.ReadLine(ani.morphAniName);
    file.ReadFloat(ani.blendInPerMs);
    file.ReadFloat(ani.blendOutPerMs);
    file.ReadFloat(ani.holdTimeMs);
    file.ReadInt(ani.layer);
    file.ReadFloat(ani.speedPerMs);
    file.ReadU8(ani.morphFlags);
    file.ReadU32(numVerts);
    file.ReadU32(numFrames);
    if (file.IsDamaged())
        return false;
    const std::uint64_t bytes = static_cast<std::uint64_t>(numVerts) * 4u +
                                static_cast<std::uint64_t>(numVerts) * numFrames * static_cast<std::uint64_t>(kVec3Size);
    // An ani without vertices (from an empty mesh) has one frame at most: its frames
    // take no bytes that could bound them.
    const bool framesFit = numFrames <= kMaxMorphFrames && (numVerts > 0 || numFrames <= 1);
    if (!framesFit || bytes > static_cast<std::uint64_t>(file.GetBytesLeft())) {
        file.ReportDamage(LoadResString(IDS_MORPH_MMB_DAMAGED));
        return false;
    }
    ani.numVerts = numVerts;
    ani.numMorphFrames = numFrames;
    ani.vertIndexList.resize(numVerts);
    for (std::uint32_t& index : ani.vertIndexList)
        file.ReadU32(index);
    ani.morphPositions.resize(static_cast<std::size_t>(numVerts) * numFrames);
    for (zVEC3& position : ani.morphPositions)
        ReadVec3(file, position);
    return !file.IsDamaged();
}

void WriteAniRecord(zCBinChunkFile& file, const zCMorphMeshAni& ani)
{
    file.WriteLine(ani.morphAniName);
    file.WriteFloat(ani.blendInPerMs);
    file.WriteFloat(ani.blendOutPerMs);
    file.WriteFloat(ani.holdTimeMs);
    file.WriteInt(ani.layer);
    file.WriteFloat(ani.speedPerMs);
    file.WriteU8(ani.morphFlags);
    file.WriteU32(ani.numVerts);
    file.WriteU32(ani.numMorphFrames);
    for (std::uint32_t index : ani.vertIndexList)
        file.WriteU32(index);
    for (const zVEC3& position : ani.morphPositions)
        WriteVec3(file, position);
}

// Releases a mesh however a read ends.
struct MeshHold {
    zCProgMeshProto* mesh = nullptr;
    ~MeshHold()
    {
        if (mesh)
            mesh->Release();
    }
};

} // namespace

zSTRING MorphFlagLetters(std::uint8_t flags)
{
    zSTRING letters;
    for (int bit = 0; bit < 4; ++bit)
        if (flags & (1u << bit))
            letters += kFlagLetters[bit];
    return letters.empty() ? zSTRING(".") : letters;
}

std::uint8_t MorphFlagsFromLetters(const zSTRING& word)
{
    std::uint8_t flags = 0;
    for (int bit = 0; bit < 4; ++bit)
        if (word.find(kFlagLetters[bit]) != std::string::npos)
            flags = static_cast<std::uint8_t>(flags | (1u << bit));
    return flags;
}

zCMorphMeshProto::zCMorphMeshProto()
{
    next = g_morphProtoList;
    if (next)
        next->prev = this;
    g_morphProtoList = this;
}

zCMorphMeshProto::~zCMorphMeshProto() noexcept(false)
{
    const bool wrongCount = --refCtr != 0;
    aniList.clear();
    SetRefMesh(nullptr);
    if (prev)
        prev->next = next;
    if (next)
        next->prev = prev;
    if (g_morphProtoList == this)
        g_morphProtoList = next;
    next = prev = nullptr;
    if (wrongCount) {
        // While a fatal report already unwinds the job, an error is all that can be said.
        const int level = std::uncaught_exceptions() ? zERR_ERROR : zERR_FATAL;
        g_errorReporter.Report(level, LoadResString(IDS_MORPH_REF_CTR_NOT_ZERO));
    }
}

int zCMorphMeshProto::Release()
{
    const int count = --refCtr;
    if (count == 0) {
        ++refCtr;
        delete this;
    }
    return count;
}

void zCMorphMeshProto::SetRefMesh(zCProgMeshProto* mesh)
{
    if (refMesh)
        refMesh->Release();
    refMesh = mesh;
    refPositions.clear();
    if (!mesh)
        return;
    refPositions.reserve(static_cast<std::size_t>(mesh->GetNumPositions()));
    for (int i = 0; i < mesh->GetNumPositions(); ++i)
        refPositions.push_back(mesh->GetPosition(i));
}

zCMorphMeshProto* zCMorphMeshProto::SearchName(const zSTRING& name)
{
    for (zCMorphMeshProto* proto = g_morphProtoList; proto; proto = proto->next)
        if (static_cast<const std::string&>(proto->morphProtoName) == static_cast<const std::string&>(name))
            return proto;
    return nullptr;
}

zCMorphMeshProto* zCMorphMeshProto::Load(const zSTRING& fileName)
{
    zSTRING name = zPATH(fileName).GetFilename();
    name.Upper();
    if (zCMorphMeshProto* known = SearchName(name)) {
        known->AddRef();
        return known;
    }
    auto* proto = new zCMorphMeshProto();
    if (proto->LoadMMB(name + ".MMB"))
        return proto;
    // A script that gives no morph mesh leaves no .MMB behind for later runs to trust.
    if (proto->LoadMMS(name + ".MMS") && proto->SaveMMB(name + ".MMB"))
        return proto;
    proto->Release();
    return nullptr;
}

int zCMorphMeshProto::LoadMMB(const zSTRING& fileName)
{
    const zSTRING folder = g_options ? g_options->GetDirString(DIR_COMPILED_ANIMS) : zSTRING();
    const zSTRING path = folder + fileName;
    if (!zMakeFile(path)->Exists())
        return 0;
    zCBinChunkFile file;
    if (file.Open(path) != 0)
        return 0;
    if (g_errorReporter.GetFilterLevel() > 2)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_MORPH_LOADING_MMB, fileName));

    // Read aside; the prototype takes it over only when the whole file fits.
    zSTRING name;
    MeshHold mesh;
    std::vector<zVEC3> positions;
    std::vector<zSTRING> sources;
    std::vector<std::unique_ptr<zCMorphMeshAni>> anis;
    bool haveMesh = false;
    std::uint16_t id = 0;
    std::uint32_t length = 0;
    while (file.ReadChunkHeader(id, length)) {
        switch (id) {
        case zMMB_CHUNK_SOURCES: {
            std::uint16_t count = 0;
            file.ReadU16(count);
            sources.clear();
            for (int i = 0; i < count; ++i) {
                // Convert and decompile jobs record the stamps to write them again.
                if (!ReadSourceStamp(file))
                    return 0;
                // The stamp's path line names the source; the ani keeps its file name.
                const int recorded = g_recordedStampPaths.GetNum();
                const bool recording = g_jobMode == zJOB_CONVERT_MODELS || g_jobMode == zJOB_DECOMPILE_MODELS;
                const bool kept = recording && recorded > 0;
                sources.push_back(kept ? zPATH(g_recordedStampPaths[recorded - 1]).GetFile() : zSTRING());
            }
            break;
        }
        case zMMB_CHUNK_MESH: {
            std::uint32_t version = 0;
            if (!file.ReadU32(version) || version != zMMB_VERSION)
                return 0;
            file.ReadLine(name);
            if (file.IsDamaged())
                return 0;
            if (mesh.mesh)
                mesh.mesh->Release();
            mesh.mesh = new zCProgMeshProto();
            // The mesh's chunks follow this one's end.
            file.SkipToNextChunk();
            if (!mesh.mesh->ReadFromChunkFile(file) || file.IsDamaged())
                return 0;
            const long count = mesh.mesh->GetNumPositions();
            if (count * kVec3Size > file.GetBytesLeft()) {
                file.ReportDamage(LoadResString(IDS_MORPH_MMB_DAMAGED));
                return 0;
            }
            positions.assign(static_cast<std::size_t>(count), zVEC3());
            for (zVEC3& position : positions)
                ReadVec3(file, position);
            if (file.IsDamaged())
                return 0;
            haveMesh = true;
            break;
        }
        case zMMB_CHUNK_ANIS: {
            std::uint16_t count = 0;
            file.ReadU16(count);
            if (static_cast<long>(count) * kMinAniRecordSize > file.GetBytesLeft()) {
                file.ReportDamage(LoadResString(IDS_MORPH_MMB_DAMAGED));
                return 0;
            }
            anis.clear();
            for (int i = 0; i < count; ++i) {
                auto ani = std::make_unique<zCMorphMeshAni>();
                if (!ReadAniRecord(file, *ani))
                    return 0;
                anis.push_back(std::move(ani));
            }
            break;
        }
        default:
            break;
        }
        file.SkipToNextChunk();
    }
    if (!haveMesh || file.IsDamaged())
        return 0;
    // Every animated vertex must be one of the reference mesh's, whatever the chunk order.
    for (const auto& ani : anis) {
        for (std::uint32_t index : ani->vertIndexList) {
            if (index >= positions.size()) {
                file.ReportDamage(LoadResString(IDS_MORPH_MMB_DAMAGED));
                return 0;
            }
        }
    }
    file.Close();

    morphProtoName = name;
    SetRefMesh(mesh.mesh);
    mesh.mesh = nullptr;
    refPositions = std::move(positions);
    for (std::size_t i = 0; i < anis.size(); ++i)
        anis[i]->ascFileName = i < sources.size() ? sources[i] : zSTRING();
    aniList = std::move(anis);
    return 1;
}

bool zCMorphMeshProto::SaveMMB(const zSTRING& fileName)
{
    if (!refMesh) {
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MORPH_NO_REF_MESH, morphProtoName));
        return false;
    }
    if (aniList.size() > 0xFFFF) {
        const int count = static_cast<int>(aniList.size());
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MORPH_TOO_MANY_ANIS, morphProtoName, count));
        return false;
    }
    const zSTRING path = g_jobDestDir + "_compiled\\" + fileName;
    zCBinChunkFile file;
    // The file layer reports its own failure.
    if (file.Create(path) != 0)
        return false;
    file.StartChunk(zMMB_CHUNK_START);
    file.StartChunk(zMMB_CHUNK_MESH);
    file.WriteU32(zMMB_VERSION);
    file.WriteLine(morphProtoName);
    // The reference positions follow the mesh's end marker, inside its chunk.
    refMesh->WriteToChunkFile(file);
    for (int i = 0; i < refMesh->GetNumPositions(); ++i)
        WriteVec3(file, static_cast<std::size_t>(i) < refPositions.size() ? refPositions[static_cast<std::size_t>(i)]
                                                                           : refMesh->GetPosition(i));
    file.StartChunk(zMMB_CHUNK_SOURCES);
    file.WriteU16(static_cast<std::uint16_t>(aniList.size()));
    for (const auto& ani : aniList)
        WriteSourceStamp(file, ani->ascFileName, 0);
    file.StartChunk(zMMB_CHUNK_ANIS);
    file.WriteU16(static_cast<std::uint16_t>(aniList.size()));
    for (const auto& ani : aniList)
        WriteAniRecord(file, *ani);
    file.Close();
    RecordInsertFile(path);
    return true;
}
