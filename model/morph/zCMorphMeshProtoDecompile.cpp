// Decompiling a morph mesh: its anis grouped by source ASC, the morph script naming
// them, and the reference mesh and each group's frames written as ASC files.
#include <cfloat>
#include <memory>
#include <utility>

#include "IdeServices.h"
#include "JobGlobals.h"
#include "LittleEndian.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCAscWriter.h"
#include "zCMaterial.h"
#include "zCModelPrototype.h"
#include "zCMorphMeshProto.h"
#include "zCObjectFactory.h"
#include "zCProgMeshProto.h"
#include "zERROR.h"
#include "zFILE.h"
#include "zPATH.h"

namespace {

constexpr int kFullProgress = 100000;
constexpr int kRefWrittenProgress = 10000;

// The blend time in seconds of a per-millisecond rate (unit 0.001 for blending in,
// -0.001 for blending out). The stand-in rate of a zero time (and a rate of zero,
// which no script gives) is written as 0: the quotient would be a denormal that
// reads back as another rate.
zSTRING Seconds(float unit, float perMs)
{
    const float magnitude = perMs < 0.0f ? -perMs : perMs;
    if (magnitude == 0.0f || magnitude >= 0.001f * FLT_MAX)
        return zSTRING(0.0f, 6);
    return zSTRING(unit / perMs, 6);
}

// A copy of the mesh with other positions, for one morph frame; one reference.
zCProgMeshProto* CopyWithPositions(const zCProgMeshProto& mesh, const std::vector<zVEC3>& positions)
{
    std::vector<unsigned char> block = mesh.GetDataBlock();
    const zTProgMeshArray& array = mesh.GetPositionArray();
    for (int i = 0; i < array.count && static_cast<std::size_t>(i) < positions.size(); ++i) {
        const std::size_t at = array.offset + static_cast<std::size_t>(i) * 12;
        if (at + 12 > block.size())
            break;
        zPutLE32(block.data() + at, zFloatBits(positions[static_cast<std::size_t>(i)].x));
        zPutLE32(block.data() + at + 4, zFloatBits(positions[static_cast<std::size_t>(i)].y));
        zPutLE32(block.data() + at + 8, zFloatBits(positions[static_cast<std::size_t>(i)].z));
    }
    std::vector<std::unique_ptr<zTProgMeshSubMesh>> records;
    for (int s = 0; s < mesh.GetNumSubMeshes(); ++s) {
        auto record = std::make_unique<zTProgMeshSubMesh>();
        const zTProgMeshSubMesh& source = mesh.GetSubMesh(s);
        for (int k = 0; k < zPM_NUM_ARRAY_KINDS; ++k)
            record->arrays[k] = source.arrays[k];
        record->material = source.material;
        if (record->material)
            record->material->AddRef();
        records.push_back(std::move(record));
    }
    auto* copy = new zCProgMeshProto();
    copy->SetData(std::move(block), array, mesh.GetNormalArray(), std::move(records));
    copy->bbox3D = mesh.bbox3D;
    return copy;
}

} // namespace

void zCMorphMeshProto::BuildMorphGroups(std::vector<zTMorphGroup>& groups) const
{
    groups.clear();
    const zSTRING ownAsc = UpperCopy(morphProtoName + ".ASC");
    for (const auto& ani : aniList) {
        const zSTRING file = UpperCopy(ani->ascFileName);
        if (file.empty() || file == ownAsc)
            continue;
        zTMorphGroup* group = nullptr;
        for (zTMorphGroup& g : groups)
            if (UpperCopy(g.fileName) == file)
                group = &g;
        if (!group) {
            groups.emplace_back();
            group = &groups.back();
            group->fileName = ani->ascFileName;
            group->fps = static_cast<int>(ani->speedPerMs * 1000.0f + 0.5f);
        }
        for (std::uint32_t f = 0; f < ani->numMorphFrames; ++f) {
            zTMorphFrameRecord record;
            if (f == 0)
                record.anis.push_back(ani.get());
            record.positions = refPositions;
            for (std::uint32_t j = 0; j < ani->numVerts; ++j) {
                const std::size_t k = ani->vertIndexList[j];
                const std::size_t at = static_cast<std::size_t>(f) * ani->numVerts + j;
                if (k >= record.positions.size() || at >= ani->morphPositions.size())
                    continue;
                if (ani->morphFlags & zMORPH_FLAG_REF_SHAPE)
                    record.positions[k] = ani->morphPositions[at];
                else
                    record.positions[k] = record.positions[k] + ani->morphPositions[at];
            }
            group->frames.push_back(std::move(record));
        }
    }
    // A group whose anis have no frames has nothing to write.
    for (std::size_t g = groups.size(); g-- > 0;)
        if (groups[g].frames.empty())
            groups.erase(groups.begin() + static_cast<long>(g));
    for (zTMorphGroup& group : groups) {
        group.firstFrame = 0;
        group.lastFrame = static_cast<int>(group.frames.size()) - 1;
    }
}

std::string zCMorphMeshProto::WriteMMSText(const std::vector<zTMorphGroup>& groups) const
{
    zSTRING mixed = morphProtoName;
    mixed.ToMixedCase();
    std::string text = "morphMesh (\"" + mixed + "\")\n{\n";
    text += "\tmorphRef (\"" + mixed + ".ASC\")\n";
    for (const auto& ani : aniList) {
        int first = 0;
        bool found = false;
        for (const zTMorphGroup& group : groups) {
            for (std::size_t r = 0; r < group.frames.size() && !found; ++r) {
                for (const zCMorphMeshAni* listed : group.frames[r].anis) {
                    if (listed == ani.get()) {
                        first = group.firstFrame + static_cast<int>(r);
                        found = true;
                    }
                }
            }
        }
        const int last = found ? first + static_cast<int>(ani->numMorphFrames) - 1 : 0;
        const float speed = static_cast<float>(static_cast<int>(ani->speedPerMs * 1000.0f + 0.5f));
        text += "\tmorphAni (\"" + ani->morphAniName + "\" " + zSTRING(static_cast<int>(ani->layer)) + " " +
                Seconds(0.001f, ani->blendInPerMs) + " " + zSTRING(ani->holdTimeMs * 0.001f, 6) + " " +
                Seconds(-0.001f, ani->blendOutPerMs) + " " + MorphFlagLetters(ani->morphFlags) + " \"" + ani->ascFileName +
                "\" " + zSTRING(first) + " " + zSTRING(last) + " SPD:" + zSTRING(speed, 6) + ")\n";
    }
    text += "}\n";
    return text;
}

bool zCMorphMeshProto::SaveMMS(const std::vector<zTMorphGroup>& groups) const
{
    const zSTRING name = morphProtoName + ".MMS";
    if (g_errorReporter.GetFilterLevel() > 2)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_MORPH_SAVING_SCRIPT, name));
    const std::string text = WriteMMSText(groups);
    std::unique_ptr<zFILE> file = zMakeFile(g_jobDestDir + name);
    // The file layer reports its own failures.
    if (file->Create() != 0)
        return false;
    const bool written = file->Write(static_cast<const void*>(text.data()), static_cast<long>(text.size())) == 0;
    file->Close();
    return written;
}

bool zCMorphMeshProto::WriteMorphAscFiles(const std::vector<zTMorphGroup>& groups) const
{
    if (!refMesh)
        return false;
    struct PrototypeHold {
        zCModelPrototype* proto = new zCModelPrototype();
        ~PrototypeHold() noexcept(false) { proto->Release(); }
    } temp;
    auto* node = new zCModelNodeRec();
    node->nodeName = "ZM_MORPH";
    temp.proto->nodeTree.AddChild(node);
    temp.proto->nodeList.InsertEnd(node);
    node->SetNodeVisual(refMesh);

    zCAscWriter writer;
    zTAscExportInfo info;
    info.fileName = morphProtoName + ".ASC";
    bool written = writer.WriteFile(*temp.proto, info);

    zCIdeServices* ide = zGetIdeServices();
    if (ide) {
        ide->SetProgressPos(kRefWrittenProgress);
        if (groups.empty())
            ide->SetProgressPos(kFullProgress);
        else
            ide->SetProgressStep((kFullProgress - kRefWrittenProgress) / static_cast<int>(groups.size()));
    }
    for (const zTMorphGroup& group : groups) {
        std::vector<zCProgMeshProto*> frames;
        for (const zTMorphFrameRecord& record : group.frames)
            frames.push_back(CopyWithPositions(*refMesh, record.positions));
        node->SetNodeVisual(frames.front());
        for (std::size_t i = 1; i < frames.size(); ++i)
            frames.front()->AppendChainedVisual(frames[i]);
        zTAscExportInfo groupInfo;
        groupInfo.fileName = zPATH(group.fileName).GetFile();
        groupInfo.firstFrame = group.firstFrame;
        groupInfo.lastFrame = group.lastFrame;
        groupInfo.fps = group.fps;
        written = writer.WriteFile(*temp.proto, groupInfo) && written;
        node->SetNodeVisual(refMesh);
        for (zCProgMeshProto* frame : frames)
            frame->Release();
        FinishFileStep();
    }
    return written;
}
