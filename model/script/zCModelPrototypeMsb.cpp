// The binary model-script reader of zCModelPrototype: the file, the model body and
// the animation enumeration, with the text rows that converting and decompiling write.
#include <climits>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "JobGlobals.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCBinChunkFile.h"
#include "zCModelAni.h"
#include "zCModelMeshLib.h"
#include "zCModelPrototype.h"
#include "zCMdsTextWriter.h"
#include "zCMsbChunks.h"
#include "zCObjectFactory.h"
#include "zCOption.h"
#include "zERROR.h"
#include "zFILE.h"
#include "zPATH.h"

namespace {

// The event count is kept in a signed 6-bit field.
const int kMaxEvents = 31;
// The rate an ani's row leaves unsaid; the text compiler's rate for an ani without
// "FPS:" until an aniMaxFPS line sets another.
const float kDefaultFps = 25.0f;

bool WritesText()
{
    return g_jobMode == zJOB_DECOMPILE_MODELS || g_jobMode == zJOB_CONVERT_MODELS;
}

// The first file that a load misses is the one the tool entry names.
void NoteMissing(const zSTRING& fileName)
{
    if (!g_modelLoadError)
        g_lastModelFile = fileName;
    g_modelLoadError = 1;
}

void AddRow(zTMdsRow row)
{
    if (WritesText())
        g_mdsRows.push_back(std::move(row));
}

void CloseRow(zTMdsRow& row)
{
    row.back() += ")";
}

zSTRING Int(int value)
{
    return zSTRING(value);
}

// A tag and its arguments: every argument up to the last one given, so that an
// empty one keeps the later ones in their places.
void AddTagCells(zTMdsRow& row, const zSTRING& tag, const zSTRING (&args)[4])
{
    row.push_back(MdsQuoted(tag));
    int used = 4;
    while (used > 0 && args[used - 1].empty())
        --used;
    for (int i = 0; i < used; ++i) {
        zSTRING arg = args[i];
        row.push_back(MdsQuoted(arg.ToMixedCase()));
    }
}

zTMdsRow EventRow(std::uint16_t id, const zTMsbEvent& e)
{
    static const char* const keywords[] = {"*eventSFX",     "*eventSFXGrnd", "*eventTag",      "*eventPFX",
                                           "*eventPFXStop", "*eventPFXGrnd", "*eventSetMesh",  "*eventSwapMesh",
                                           "*eventMMStartAni", "*eventCamTremor"};
    zTMdsRow row{keywords[id - zMSB_EVENT_SFX], "(" + Int(e.frame)};
    switch (id) {
    case zMSB_EVENT_SFX:
    case zMSB_EVENT_SFX_GRND:
        row.push_back(MdsQuoted(e.texts[0]));
        if (e.values[0] != (id == zMSB_EVENT_SFX ? 2500.0f : 1000.0f))
            row.push_back("R:" + MdsFloatText(e.values[0]));
        if (e.values[1] != 1.0f)
            row.push_back("EMPTY_SLOT");
        break;
    case zMSB_EVENT_TAG:
        AddTagCells(row, e.texts[0], {e.texts[1], e.texts[2], e.texts[3], e.texts[4]});
        break;
    case zMSB_EVENT_PFX:
        row.push_back(MdsFloatText(e.values[0]));
        row.push_back(MdsQuoted(e.texts[0]));
        row.push_back(MdsQuoted(e.texts[1]));
        if (e.values[1] == 1.0f)
            row.push_back("ATTACH");
        break;
    case zMSB_EVENT_PFX_STOP:
        row.push_back(MdsFloatText(e.values[0]));
        break;
    case zMSB_EVENT_SET_MESH:
        row.push_back(MdsQuoted(e.texts[0]));
        break;
    case zMSB_EVENT_SWAP_MESH:
        row.push_back(MdsQuoted(e.texts[0]));
        row.push_back(MdsQuoted(e.texts[1]));
        break;
    case zMSB_EVENT_MM_START_ANI:
        row.push_back(MdsQuoted(e.texts[0]));
        if (!e.texts[1].empty())
            row.push_back(MdsQuoted(e.texts[1]));
        if (e.values[0] != 1.0f)
            row.push_back("I:" + MdsFloatText(e.values[0]));
        if (e.values[1] != -2.0f)
            row.push_back("H:" + MdsFloatText(e.values[1]));
        break;
    case zMSB_EVENT_CAM_TREMOR:
        // The compiler stores twice the script's first value: the text gets it back.
        row.push_back(MdsFloatText(e.values[0] / 2.0f));
        for (int i = 1; i < 4; ++i)
            row.push_back(MdsFloatText(e.values[i]));
        break;
    default:
        break;
    }
    CloseRow(row);
    return row;
}

// Effects and mesh swaps at frame -1 land on the last frame; the others keep frame 0
// for any frame not above 0. A product beyond the int range is held at its end, as
// the compiler holds it.
int EventFrame(std::uint16_t id, int frame, int firstFrame, const zCModelAni& ani, float ratio)
{
    double g = 0.0;
    if (MsbEventAtLastFrame(id))
        g = frame == -1 ? ani.numFrames - 1.0 : static_cast<double>(frame) - firstFrame;
    else if (frame > 0)
        g = static_cast<double>(frame) - firstFrame;
    const double product = std::trunc(g * ratio);
    if (std::isnan(product))
        return 0;
    return static_cast<int>(std::fmax(INT_MIN, std::fmin(product, INT_MAX)));
}

// Closes the text file whatever way the load ends; a failed load leaves it as far
// as it was written.
struct TextFileHold {
    ~TextFileHold()
    {
        if (g_mdsFile) {
            g_mdsFile->Close();
            delete g_mdsFile;
            g_mdsFile = nullptr;
        }
        g_mdsRows.clear();
    }
};

} // namespace

int zCModelPrototype::LoadModelScriptMsb(const zSTRING& name)
{
    isStaticModel = 0;
    const zPATH scriptPath(name);
    zSTRING baseName = scriptPath.GetFilename();
    baseName.Upper();
    const zSTRING path = (g_options ? g_options->GetDirString(DIR_COMPILED_ANIMS) : zSTRING()) + baseName + ".MSB";
    if (!zMakeFile(path)->Exists())
        return 0;
    SetModelProtoName(baseName);
    if (g_errorReporter.GetFilterLevel() >= 2)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_LOADING_MODEL_SCRIPT_BINARY, modelProtoName));
    zCBinChunkFile file;
    if (file.Open(path) != 0) {
        NoteMissing(baseName + ".MSB");
        return 0;
    }

    TextFileHold textHold;
    g_mdsRows.clear();
    const zSTRING textPath = g_jobDestDir + baseName + ".MDS";
    if (WritesText()) {
        g_mdsFile = zMakeFile(textPath).release();
        if (g_mdsFile->Create() != 0) {
            delete g_mdsFile;
            g_mdsFile = nullptr;
        }
        g_mdsIndent = 0;
        const zSTRING rule = zSTRING("//") + zSTRING(std::string(62, '+'));
        WriteMdsLine(rule);
        WriteMdsLine("// Last Changes:");
        WriteMdsLine(rule);
        WriteMdsLine("");
        zSTRING mixed = modelProtoName;
        WriteMdsLine("Model (" + MdsQuoted(mixed.ToMixedCase()) + ")");
        WriteMdsLine("{");
        ++g_mdsIndent;
    }

    const long size = file.GetFile()->Size();
    std::uint16_t id = 0;
    std::uint32_t length = 0;
    bool ok = true;
    while (ok && file.GetNextChunkPos() < size && file.ReadChunkHeader(id, length)) {
        switch (id) {
        case zMSB_HEADER: {
            zTMsbModelChunk header;  // the folder is not used
            if (!ReadMsbModelChunk(file, id, header)) {
                ok = false;
            } else if (header.number != zMSB_VERSION) {
                file.ReportDamage(FormatResString(IDS_MSB_VERSION_OTHER, static_cast<unsigned>(header.number)));
                ok = false;
            }
            break;
        }
        case zMSB_SOURCE:
            ok = ReadSourceStamp(file) != 0;
            file.SkipToNextChunk();
            break;
        case zMSB_MODEL:
            ok = ReadMsbModel(file) != 0;
            break;
        case zMSB_END:
            file.SetNextChunkPos(size);
            break;
        default:
            file.SkipToNextChunk();
            break;
        }
    }
    if (!ok || file.IsDamaged()) {
        // A missing .MAN has named itself already.
        NoteMissing(baseName + ".MSB");
        return 0;
    }

    if (WritesText()) {
        --g_mdsIndent;
        WriteMdsLine("}");
        if (g_mdsFile) {
            g_mdsFile->Close();
            delete g_mdsFile;
            g_mdsFile = nullptr;
            RecordInsertFile(textPath);
        }
    }
    return 1;
}

int zCModelPrototype::ReadMsbModel(zCBinChunkFile& file)
{
    g_registeredMeshNames.DeleteList();
    int noMesh = 0;
    const long size = file.GetFile()->Size();
    std::uint16_t id = 0;
    std::uint32_t length = 0;
    while (file.GetNextChunkPos() < size && file.ReadChunkHeader(id, length)) {
        switch (id) {
        case zMSB_MESH_AND_TREE:
            if (!ReadMsbMeshAndTree(noMesh, file))
                return 0;
            break;
        case zMSB_REGISTER_MESH: {
            zTMsbModelChunk mesh;
            if (!ReadMsbModelChunk(file, id, mesh))
                return 0;
            if (WritesText())
                WriteMdsLine("registerMesh (" + MdsQuoted(mesh.text) + ")");
            g_registeredMeshNames.InsertEnd(mesh.text);
            file.SkipToNextChunk();
            break;
        }
        case zMSB_ANI_ENUM:
            if (!ReadMsbAniEnum(file))
                return 0;
            break;
        default:
            file.SkipToNextChunk();
            break;
        }
    }
    return file.IsDamaged() ? 0 : 1;
}

int zCModelPrototype::ReadMsbMeshAndTree(int& noMesh, zCBinChunkFile& file)
{
    zTMsbModelChunk tree;
    if (!ReadMsbModelChunk(file, zMSB_MESH_AND_TREE, tree))
        return 0;
    file.SkipToNextChunk();
    noMesh = tree.number != 0 ? 1 : 0;
    const zSTRING& treeName = tree.text;
    meshAndTreeFile = treeName + ".ASC";
    if (WritesText())
        WriteMdsLine("meshAndTree (" + MdsQuoted(meshAndTreeFile) + (noMesh ? " DONT_USE_MESH" : "") + ")");

    LoadMeshAndTree(treeName, noMesh);
    return 1;
}

int zCModelPrototype::ReadMsbAniEnum(zCBinChunkFile& file)
{
    g_mdsRows.clear();
    const bool verbose = g_errorReporter.GetFilterLevel() > 8;
    if (verbose)
        g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_PARSING_ANIENUM));
    zCModelAni* current = nullptr;
    int currentFirstFrame = 0;
    float unsaidFps = kDefaultFps;
    int manTries = 0;
    float minFps = 1000.0f;
    float maxFps = -1000.0f;
    float sumFps = 0.0f;
    bool closed = false;

    const long size = file.GetFile()->Size();
    std::uint16_t id = 0;
    std::uint32_t length = 0;
    while (!closed && file.GetNextChunkPos() < size && file.ReadChunkHeader(id, length)) {
        zTMsbEntry e;
        switch (id) {
        case zMSB_ANI_ENUM_END:
            closed = true;
            continue;
        case zMSB_ANI_GROUP:
            continue;  // its body is read as further chunks
        case zMSB_ANI_MAX_FPS:
        case zMSB_ANI:
        case zMSB_ANI_ALIAS:
        case zMSB_ANI_BLEND:
        case zMSB_ANI_SYNC:
        case zMSB_ANI_COMB:
        case zMSB_ANI_DISABLE:
        case zMSB_MODEL_TAG:
            if (!ReadMsbEntry(file, id, e))
                return 0;
            file.SkipToNextChunk();
            break;
        case zMSB_EVENTS:
            if (!ReadMsbEntry(file, id, e))
                return 0;
            break;  // its events follow
        default:
            file.SkipToNextChunk();
            continue;
        }

        zTMdsRow row;
        const zSTRING blendIn = MdsBlendText(e.blendIn);
        const zSTRING blendOut = MdsBlendText(e.blendOut);
        int kind = -1;
        switch (id) {
        case zMSB_ANI_MAX_FPS:
            unsaidFps = e.fps;
            AddRow({"aniMaxFPS", "(" + MdsFloatText(e.fps) + ")"});
            continue;
        case zMSB_ANI:
            kind = zANI_TYPE_NORMAL;
            row = {"ani", "(" + MdsQuoted(e.name), Int(e.layer), MdsQuoted(e.next), blendIn, blendOut, e.flags,
                   MdsQuoted(e.source), e.direction, Int(e.firstFrame), Int(e.lastFrame)};
            // Also where the text would otherwise compile to another rate than this one.
            if ((e.fps != kDefaultFps && static_cast<long long>(e.lastFrame) - e.firstFrame > 1) ||
                e.fps != unsaidFps)
                row.push_back("FPS:" + MdsFloatText(e.fps));
            if (e.speed != 0.0f)
                row.push_back("SPD:" + MdsFloatText(e.speed));
            if (e.cvs != 1.0f)
                row.push_back("CVS:" + MdsFloatText(e.cvs));
            break;
        case zMSB_ANI_ALIAS:
            kind = zANI_TYPE_ALIAS;
            row = {"aniAlias", "(" + MdsQuoted(e.name), Int(e.layer), MdsQuoted(e.next), blendIn, blendOut, e.flags,
                   MdsQuoted(e.source), e.direction};
            break;
        case zMSB_ANI_BLEND:
            kind = zANI_TYPE_BLEND;
            row = {"aniBlend", "(" + MdsQuoted(e.name), "", MdsQuoted(e.next), blendIn, blendOut};
            break;
        case zMSB_ANI_SYNC:
            kind = zANI_TYPE_SYNC;
            row = {"aniSync", "(" + MdsQuoted(e.name), MdsQuoted(e.next)};
            break;
        case zMSB_ANI_COMB:
            kind = zANI_TYPE_COMB;
            row = {"aniComb", "(" + MdsQuoted(e.name), Int(e.layer), MdsQuoted(e.next), blendIn, blendOut, e.flags,
                   MdsQuoted(e.source), zSTRING(static_cast<unsigned long>(e.count))};
            break;
        case zMSB_ANI_DISABLE:
            kind = zANI_TYPE_DISABLED;
            row = {"aniDisable", "(" + MdsQuoted(e.name)};
            break;
        case zMSB_MODEL_TAG: {
            row = {"modelTag"};
            AddTagCells(row, e.name, e.args);
            row[1] = "(" + row[1];
            CloseRow(row);
            AddRow(std::move(row));
            auto* rec = new zTAniEventRec();
            rec->tagString = e.name;
            for (int i = 0; i < 4; ++i)
                rec->values[i] = e.args[i];
            modelTagList.InsertEnd(rec);
            continue;
        }
        case zMSB_EVENTS: {
            const std::uint32_t count = e.count;
            if (!current) {
                file.ReportDamage(LoadResString(IDS_MSB_EVENTS_WITHOUT_ANI));
                return 0;
            }
            if (count > static_cast<std::uint32_t>(kMaxEvents)) {
                file.ReportDamage(FormatResString(IDS_MSB_EVENT_COUNT_TOO_BIG, current->aniName,
                                                  static_cast<unsigned>(count), kMaxEvents));
                return 0;
            }
            AddRow({"{"});
            auto records = std::make_shared<std::vector<zTAniEventRec>>(count);
            const float ratio = current->sourceFps != 0.0f ? current->fps / current->sourceFps : 1.0f;
            const int firstFrame = current->aniType == zANI_TYPE_NORMAL ? currentFirstFrame : 0;
            std::uint32_t index = 0;
            bool groupClosed = false;
            while (file.GetNextChunkPos() < size && file.ReadChunkHeader(id, length)) {
                if (id == zMSB_EVENTS_END) {
                    groupClosed = true;
                    break;
                }
                if (MsbEventKind(id) < 0) {
                    file.SkipToNextChunk();
                    continue;
                }
                if (index >= count) {
                    g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_MORE_EFFECTS_ANIMATION_THAN));
                    return 0;  // when the fatal handler returns
                }
                zTMsbEvent event;
                if (!ReadMsbEvent(file, id, event))
                    return 0;
                file.SkipToNextChunk();
                zTAniEventRec& rec = (*records)[index++];
                FillMsbEventRecord(id, event, rec);
                AddRow(EventRow(id, event));
                rec.frameNumber = EventFrame(id, event.frame, firstFrame, *current, ratio);
                const int last = current->numFrames - 1;
                if (current->aniType == zANI_TYPE_NORMAL && (rec.frameNumber < 0 || rec.frameNumber > last)) {
                    g_errorReporter.Report(zERR_WARNING,
                                           FormatResString(IDS_FRAME_NUMBER_OUT_BOUNDS, current->aniName),
                                           fileName.c_str(), g_mdsLineNumber);
                    rec.frameNumber = rec.frameNumber < 0 || last < 0 ? 0 : last;
                }
            }
            if (groupClosed) {
                AddRow({"}"});
                current->aniEvents = records;
            }
            continue;
        }
        default:
            continue;
        }

        // An animation entry.
        CloseRow(row);
        AddRow(std::move(row));
        auto* ani = new zCModelAni();
        ani->aniType = kind;
        if (kind == zANI_TYPE_NORMAL) {
            ani->auxValue = e.cvs;
            ++manTries;
            if (!ani->LoadMAN(e.name + ".MAN", *this, "")) {
                NoteMissing(e.name + ".MAN");
                ani->Release();
                return 0;
            }
            currentFirstFrame = e.firstFrame;
        }
        ani->aniName = e.name;
        if (kind != zANI_TYPE_DISABLED)
            ani->nextAniName = e.next;
        if (kind != zANI_TYPE_SYNC && kind != zANI_TYPE_DISABLED)
            ani->SetBlending(e.blendIn, e.blendOut);
        if (kind == zANI_TYPE_NORMAL || kind == zANI_TYPE_ALIAS || kind == zANI_TYPE_COMB) {
            ani->layer = e.layer;
            ani->SetFlags(e.flags);
        }
        if (kind == zANI_TYPE_NORMAL || kind == zANI_TYPE_ALIAS)
            ani->aniDirReverse = !e.direction.empty() && e.direction[0] == 'R';
        if (kind == zANI_TYPE_ALIAS)
            ani->aliasName = e.source;
        if (kind == zANI_TYPE_COMB)
            ani->aliasName = e.source + zSTRING(static_cast<unsigned long>(e.count));
        AddAni(ani);
        current = ani;
        if (kind == zANI_TYPE_NORMAL) {
            minFps = std::min(minFps, ani->fps);
            maxFps = std::max(maxFps, ani->fps);
            sumFps += ani->fps;
        }
    }

    if (WritesText()) {
        WriteMdsLine("aniEnum");
        WriteMdsBlock(0);
    }
    if (verbose) {
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_NUMMAN, aniList.GetNum(), manTries));
        const double avg = manTries ? static_cast<double>(sumFps) / manTries : 0.0;
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_FPSRATES_MIN_MAX_AVG, static_cast<double>(minFps),
                                                             static_cast<double>(maxFps), avg));
    }
    return closed ? 1 : 0;
}
