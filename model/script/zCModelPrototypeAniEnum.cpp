// The animation block of a model script: animations and their kinds, model tags,
// batches and event blocks, compiled from ASC in compile jobs.
#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "JobGlobals.h"
#include "MdsText.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCBinChunkFile.h"
#include "zCModelAni.h"
#include "zCModelMeshLib.h"
#include "zCModelPrototype.h"
#include "zCMsbChunks.h"
#include "zERROR.h"

namespace {

const int kMaxEventLines = 16;
const int kMaxBatchNames = 4;
const float kMaxSoundRange = 3500.0f;

bool Holds(const zSTRING& line, const char* text)
{
    return line.find(text) != std::string::npos;
}

bool Verbose()
{
    return g_errorReporter.GetFilterLevel() > 8;
}

struct zTEventLine {
    zSTRING text;
    int lineNumber = 0;
};

// What one animation block carries from line to line.
struct zTAniEnumState {
    float fpsCap = 25.0f;
    // The ani that an event block belongs to. A dropped ani leaves none: its block's
    // "{" is passed over and its "}" ends the animation block.
    zCModelAni* current = nullptr;
    float fpsBeforeSpeed = 0.0f;
    int firstFrame = 0;
    int aniLines = 0;
    int meshLoaded = 0;
    float fpsMin = 999.0f;
    float fpsMax = -999.0f;
    float fpsSum = 0.0f;
};

// The first seven arguments, which ani, aniAlias and aniComb share.
void ReadLayeredArguments(const zSTRING& args, zTMsbEntry& e)
{
    e.name = MdsName(args, 1);
    e.layer = MdsInt(args, 2);
    e.next = MdsName(args, 3);
    e.blendIn = MdsFloat(args, 4);
    e.blendOut = MdsFloat(args, 5);
    e.flags = MdsWord(args, 6);
    e.source = MdsName(args, 7);
}

// The arguments of an entry statement as its chunk stores them, written through the
// field list that the binary script's reader reads with, while the binary script is
// written. An ani takes fpsCap as its rate without "FPS:".
zTMsbEntry CompileEntry(std::uint16_t id, const zSTRING& args, float fpsCap, zCBinChunkFile& file)
{
    zTMsbEntry e;
    switch (id) {
    case zMSB_ANI_MAX_FPS:
        e.fps = MdsFloat(args, 1);
        break;
    case zMSB_ANI:
        ReadLayeredArguments(args, e);
        e.direction = MdsWord(args, 8);
        e.firstFrame = MdsInt(args, 9);
        e.lastFrame = MdsInt(args, 10);
        e.fps = fpsCap;
        // Each option is found wherever it stands.
        for (auto [option, value] :
             {std::pair<const char*, float*>{"FPS:", &e.fps}, {"SPD:", &e.speed}, {"CVS:", &e.cvs}}) {
            zSTRING text = args;
            ReadOptionValue(text, option, *value);
        }
        e.cvs = std::max(0.0f, std::min(e.cvs, 10.0f));
        break;
    case zMSB_ANI_ALIAS:
        ReadLayeredArguments(args, e);
        e.direction = MdsWord(args, 8);
        break;
    case zMSB_ANI_BLEND:
        e.name = MdsName(args, 1);
        e.next = MdsName(args, 2);
        e.blendIn = MdsFloat(args, 3);
        e.blendOut = MdsFloat(args, 4);
        break;
    case zMSB_ANI_SYNC:
        e.name = MdsName(args, 1);
        e.next = MdsName(args, 2);
        break;
    case zMSB_ANI_COMB:
        ReadLayeredArguments(args, e);
        e.count = static_cast<std::uint32_t>(MdsInt(args, 8));
        break;
    case zMSB_ANI_DISABLE:
        e.name = MdsName(args, 1);
        break;
    case zMSB_MODEL_TAG:
        e.name = MdsQuotedText(args, 1);
        for (unsigned i = 0; i < 4; ++i)
            e.args[i] = MdsQuotedText(args, i + 2);
        break;
    default:
        break;
    }
    if (MdsWritesBinary())
        WriteMsbEntry(file, id, e);
    return e;
}

bool Reversed(const zSTRING& direction)
{
    return !direction.empty() && direction[0] == 'R';
}

zCModelAni* NewAni(int type, const zTMsbEntry& e)
{
    auto* ani = new zCModelAni();
    ani->aniType = type;
    ani->aniName = e.name;
    ani->nextAniName = e.next;
    return ani;
}

// The alias and combination form: name, layer, next, blend-in, blend-out, flag letters.
zCModelAni* NewLayeredAni(int type, const zTMsbEntry& e)
{
    zCModelAni* ani = NewAni(type, e);
    ani->layer = e.layer;
    ani->SetBlending(e.blendIn, e.blendOut);
    ani->SetFlags(e.flags);
    return ani;
}

// A sound's range: the option or the default, capped.
float SoundRange(const zSTRING& args, float fallback)
{
    zSTRING text = args;
    float range = fallback;
    ReadOptionValue(text, "R:", range);
    return std::min(range, kMaxSoundRange);
}

// The chunk id of an event line and the fields its chunk stores; 0 for an event of no
// known kind.
std::uint16_t ParseEvent(const zSTRING& line, zTMsbEvent& e)
{
    const zSTRING args = MdsArgumentText(line);
    e.frame = MdsInt(args, 1);
    if (Holds(line, "*EVENTSFXGRND") || Holds(line, "*EVENTSFX")) {
        const bool ground = Holds(line, "*EVENTSFXGRND");
        e.texts[0] = MdsName(args, 2);
        e.values[0] = SoundRange(args, ground ? 1000.0f : 2500.0f);
        e.values[1] = Holds(args, "EMPTY_") ? 0.0f : 1.0f;
        return ground ? zMSB_EVENT_SFX_GRND : zMSB_EVENT_SFX;
    }
    if (Holds(line, "*EVENTSWAPMESH")) {
        e.texts[0] = MdsName(args, 2);
        e.texts[1] = MdsName(args, 3);
        return zMSB_EVENT_SWAP_MESH;
    }
    if (Holds(line, "*EVENTTAG")) {
        for (unsigned i = 0; i < 5; ++i)
            e.texts[i] = MdsQuotedText(args, i + 1);
        return zMSB_EVENT_TAG;
    }
    if (Holds(line, "*EVENTPFXSTOP")) {
        e.values[0] = MdsFloat(args, 2);
        return zMSB_EVENT_PFX_STOP;
    }
    if (Holds(line, "*EVENTPFXGRND"))
        return zMSB_EVENT_PFX_GRND;
    if (Holds(line, "*EVENTPFX")) {
        e.values[0] = MdsFloat(args, 2);
        e.texts[0] = MdsQuotedText(args, 1);
        e.texts[1] = MdsQuotedText(args, 2);
        e.values[1] = Holds(args, "ATTACH") ? 1.0f : 0.0f;
        return zMSB_EVENT_PFX;
    }
    if (Holds(line, "*EVENTSETMESH")) {
        e.texts[0] = MdsName(args, 2);
        return zMSB_EVENT_SET_MESH;
    }
    if (Holds(line, "*EVENTMMSTARTANI")) {
        e.texts[0] = MdsName(args, 2);
        e.texts[1] = MdsName(args, 3);
        // An option in the node's place: there is no node.
        if (e.texts[1].size() > 1 && e.texts[1][1] == ':')
            e.texts[1].Clear();
        zSTRING options = args;
        e.values[0] = 1.0f;
        e.values[1] = -2.0f;
        ReadOptionValue(options, "I:", e.values[0]);
        ReadOptionValue(options, "H:", e.values[1]);
        return zMSB_EVENT_MM_START_ANI;
    }
    if (Holds(line, "*EVENTCAMTREMOR")) {
        // Stored as twice the script's value.
        e.values[0] = 2.0f * MdsFloat(args, 2);
        for (unsigned i = 1; i < 4; ++i)
            e.values[i] = MdsFloat(args, i + 2);
        return zMSB_EVENT_CAM_TREMOR;
    }
    return 0;
}

// Reads one event block's lines and turns them into the event records of ani.
class zCEventBlockReader {
public:
    zCEventBlockReader(zCModelPrototype& proto, zCModelAni& ani, const zTAniEnumState& state, zCBinChunkFile& file)
        : proto(proto), ani(ani), state(state), file(file), writing(MdsWritesBinary())
    {
    }

    void Read()
    {
        std::vector<zTEventLine> lines;
        Collect(lines);
        if (ani.aniType == zANI_TYPE_ALIAS) {
            g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_ANIALIAS_NOT_ALLOWED_HAVE, ani.aniName),
                                   proto.fileName.c_str(), g_mdsLineNumber);
            return;
        }
        if (lines.empty())
            return;
        if (writing) {
            zTMsbEntry group;
            group.count = static_cast<std::uint32_t>(lines.size());
            WriteMsbEntry(file, zMSB_EVENTS, group);
        }
        auto records = std::make_shared<std::vector<zTAniEventRec>>(lines.size());
        factor = ani.sourceFps != 0.0f ? state.fpsBeforeSpeed / ani.sourceFps : 1.0f;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (Holds(lines[i].text, "}"))
                break;
            Convert(lines[i], (*records)[i]);
        }
        ani.aniEvents = records;
        if (writing)
            file.StartChunk(zMSB_EVENTS_END);
    }

private:
    void Collect(std::vector<zTEventLine>& lines)
    {
        zSTRING line;
        bool reported = false;
        while (ReadMdsLine(line)) {
            if (Holds(line, "//"))
                continue;
            if (Holds(line, "*EVENT")) {
                if (static_cast<int>(lines.size()) < kMaxEventLines) {
                    lines.push_back({line, g_mdsLineNumber});
                } else if (!reported) {
                    // The animation holds few events; a longer block is a fault of the script.
                    g_errorReporter.Report(zERR_ERROR,
                                           FormatResString(IDS_MDS_TOO_MANY_EVENTS, kMaxEventLines, ani.aniName),
                                           proto.fileName.c_str(), g_mdsLineNumber);
                    reported = true;
                }
            } else if (Holds(line, "}")) {
                return;
            }
        }
    }

    void Convert(const zTEventLine& source, zTAniEventRec& rec)
    {
        zTMsbEvent event;
        const std::uint16_t id = ParseEvent(source.text, event);
        if (id == 0)
            return;  // an event of no known kind stays empty
        if (writing)
            WriteMsbEvent(file, id, event);
        FillMsbEventRecord(id, event, rec);
        SetFrame(rec, event.frame, MsbEventAtLastFrame(id), source.lineNumber);
    }

    void SetFrame(zTAniEventRec& rec, int written, bool fromLast, int lineNumber)
    {
        // The difference is taken wide and the product in float, as the frame rates
        // are; any size is then held within the int range.
        double g = 0.0;
        if (fromLast)
            g = written == -1 ? ani.numFrames - 1.0 : static_cast<double>(written) - state.firstFrame;
        else if (written > 0)
            g = static_cast<double>(written) - state.firstFrame;
        double frame = std::trunc(static_cast<double>(static_cast<float>(g) * factor));
        if (std::isnan(frame))
            frame = 0.0;
        frame = std::fmax(INT_MIN, std::fmin(frame, INT_MAX));
        if (ani.aniType == zANI_TYPE_NORMAL && (frame < 0 || frame > ani.numFrames - 1)) {
            g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_FRAME_NUMBER_OUT_BOUNDS, ani.aniName),
                                   proto.fileName.c_str(), lineNumber);
            frame = std::fmax(0.0, std::fmin(frame, ani.numFrames - 1.0));
        }
        rec.frameNumber = static_cast<int>(frame);
    }

    zCModelPrototype& proto;
    zCModelAni& ani;
    const zTAniEnumState& state;
    zCBinChunkFile& file;
    const bool writing;
    float factor = 1.0f;
};

// A batch ani and its names, up to the "}" of its block; it becomes the current ani.
zCModelAni* ReadBatch(zCModelPrototype& proto, const zSTRING& name)
{
    auto* ani = new zCModelAni();
    ani->aniType = zANI_TYPE_BATCH;
    ani->aniName = name;
    proto.AddAni(ani);
    // The names live in one record, as the ani frees its events as one array.
    ani->aniEvents = std::make_shared<std::vector<zTAniEventRec>>(1);
    zTAniEventRec& rec = ani->aniEvents->front();
    int count = 0;
    zSTRING line;
    while (ReadMdsLine(line)) {
        if (Holds(line, "//"))
            continue;
        if (Holds(line, "*ANIBATCH")) {
            if (count == kMaxBatchNames)
                g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_MORE_THAN_ANIS_ANIBATCH), proto.fileName.c_str(),
                                       g_mdsLineNumber);
            rec.values[count++] = MdsName(MdsArgumentText(line), 1);
        } else if (Holds(line, "}")) {
            break;
        }
    }
    if (count == 0)
        g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_ANIBATCH_WITHOUT_ANIS), proto.fileName.c_str(),
                               g_mdsLineNumber);
    rec.frameNumber = count;
    return ani;
}

// A plain ani: its .MAN when that was made from this line, else (compiling) its ASC
// source, which is compiled, boxed and saved as the .MAN.
void ReadPlainAni(zCModelPrototype& proto, const zSTRING& line, const zSTRING& args, int noMesh,
                  zTAniEnumState& state, zCBinChunkFile& file)
{
    const bool compiling = g_jobMode == zJOB_COMPILE_MODELS;
    const zTMsbEntry e = CompileEntry(zMSB_ANI, args, state.fpsCap, file);
    const zSTRING& name = e.name;
    if (e.lastFrame < e.firstFrame && e.lastFrame != -1)
        g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_LASTFRAME_LESS_THAN_FIRSTFRAME),
                               proto.fileName.c_str(), g_mdsLineNumber);
    state.firstFrame = e.firstFrame;
    ++state.aniLines;
    zCModelAni* ani = new zCModelAni();
    bool compiledHere = false;
    if (ani->LoadMAN(name + ".MAN", proto, line)) {
        proto.AddAni(ani);
        if (compiling && g_partialCompile)
            FinishFileStep();
    } else if (!compiling) {
        if (!g_modelLoadError)
            g_lastModelFile = name + ".MAN";
        g_modelLoadError = 1;
        ani->Release();
        state.current = nullptr;
        return;
    } else {
        if (Verbose())
            g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_PARSING_ANI, name, e.source));
        ani->Release();
        ani = nullptr;
        proto.LoadAsc(&ani, e.source, name, e.firstFrame, e.lastFrame, 1, e.fps);
        if (Verbose())
            g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_PARSING_FINISHED));
        compiledHere = true;
    }
    state.current = ani;
    if (!ani)
        return;
    ani->aniName = name;
    ani->layer = e.layer;
    ani->nextAniName = e.next;
    ani->SetBlending(e.blendIn, e.blendOut);
    ani->SetFlags(e.flags);
    ani->aniDirReverse = Reversed(e.direction);
    // The ani compiled from ASC is a new object: it takes the line's value too.
    ani->auxValue = e.cvs;
    state.fpsBeforeSpeed = ani->fps;
    if (compiledHere && e.speed != 0.0f && ani->sourceFps != 0.0f)
        ani->fps = ani->fps * e.speed / ani->sourceFps;
    ani->CalcRootMoveFlag();
    ani->CalcInPlaceFlag();
    if (compiledHere) {
        if (noMesh && !state.meshLoaded) {
            zCModelMeshLib::LoadMeshLib(CutBeforeFirstPoint(proto.meshAndTreeFile) + ".MDM", &proto, nullptr, nullptr);
            state.meshLoaded = 1;
        }
        proto.CalcAniBBox(ani);
        ani->SaveMAN(proto, line);
    }
    state.fpsMin = std::min(state.fpsMin, ani->fps);
    state.fpsMax = std::max(state.fpsMax, ani->fps);
    state.fpsSum += ani->fps;
}

} // namespace

void zCModelPrototype::ReadAniEnum(int noMesh, zCBinChunkFile& file)
{
    if (Verbose())
        g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_PARSING_ANIENUM));
    const bool writing = MdsWritesBinary();
    if (writing)
        file.StartChunk(zMSB_ANI_ENUM);
    zTAniEnumState state;
    // An ani of a statement joins the prototype and takes the following event block.
    auto adopt = [&](zCModelAni* ani) {
        AddAni(ani);
        state.current = ani;
    };
    zSTRING line;
    while (ReadMdsLine(line)) {
        if (line.empty() || Holds(line, "//"))
            continue;
        const zSTRING args = MdsArgumentText(line);
        if (Holds(line, "ANIMAXFPS")) {
            state.fpsCap = CompileEntry(zMSB_ANI_MAX_FPS, args, state.fpsCap, file).fps;
        } else if (Holds(line, "ANI ") || Holds(line, "ANI\t")) {
            ReadPlainAni(*this, line, args, noMesh, state, file);
        } else if (Holds(line, "ANIALIAS")) {
            const zTMsbEntry e = CompileEntry(zMSB_ANI_ALIAS, args, state.fpsCap, file);
            zCModelAni* ani = NewLayeredAni(zANI_TYPE_ALIAS, e);
            ani->aliasName = e.source;
            ani->aniDirReverse = Reversed(e.direction);
            adopt(ani);
        } else if (Holds(line, "ANIBLEND")) {
            const zTMsbEntry e = CompileEntry(zMSB_ANI_BLEND, args, state.fpsCap, file);
            zCModelAni* ani = NewAni(zANI_TYPE_BLEND, e);
            ani->SetBlending(e.blendIn, e.blendOut);
            adopt(ani);
            state.firstFrame = 0;
        } else if (Holds(line, "ANISYNC")) {
            adopt(NewAni(zANI_TYPE_SYNC, CompileEntry(zMSB_ANI_SYNC, args, state.fpsCap, file)));
            state.firstFrame = 0;
        } else if (Holds(line, "ANIBATCH")) {
            state.current = ReadBatch(*this, MdsName(args, 1));
            state.firstFrame = 0;
        } else if (Holds(line, "ANICOMB")) {
            const zTMsbEntry e = CompileEntry(zMSB_ANI_COMB, args, state.fpsCap, file);
            zCModelAni* ani = NewLayeredAni(zANI_TYPE_COMB, e);
            ani->aliasName = e.source + zSTRING(static_cast<int>(e.count));  // the count as the script wrote it
            adopt(ani);
            state.firstFrame = 0;
        } else if (Holds(line, "ANIDISABLE")) {
            adopt(NewAni(zANI_TYPE_DISABLED, CompileEntry(zMSB_ANI_DISABLE, args, state.fpsCap, file)));
            state.firstFrame = 0;
        } else if (Holds(line, "MODELTAG")) {
            const zTMsbEntry e = CompileEntry(zMSB_MODEL_TAG, args, state.fpsCap, file);
            auto* tag = new zTAniEventRec();
            tag->tagString = e.name;
            for (int i = 0; i < 4; ++i)
                tag->values[i] = e.args[i];
            modelTagList.InsertEnd(tag);
            state.firstFrame = 0;
        } else if (Holds(line, "{") && state.current) {
            zCEventBlockReader(*this, *state.current, state, file).Read();
        } else if (Holds(line, "}")) {
            break;
        } else if (Holds(line, "*EVENT")) {
            g_errorReporter.Report(zERR_WARNING, LoadResString(IDS_MDS_EVENT_WITHOUT_ANI), fileName.c_str(),
                                   g_mdsLineNumber);
        }
    }
    if (writing)
        file.StartChunk(zMSB_ANI_ENUM_END);
    if (state.meshLoaded && noMesh)
        ReleaseMeshes();
    if (Verbose()) {
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_NUMMAN, aniList.GetNum(), state.aniLines));
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_FPSRATES_MIN_MAX_AVG, state.fpsMin, state.fpsMax,
                                                             state.fpsSum / static_cast<float>(state.aniLines)));
    }
}
