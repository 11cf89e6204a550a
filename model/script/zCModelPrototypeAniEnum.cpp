// The animation block of a model script: animations and their kinds, model tags,
// batches and event blocks, compiled from ASC in compile jobs.
#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "IdeServices.h"
#include "JobGlobals.h"
#include "MdsText.h"
#include "MessageIds.h"
#include "ModelTools.h"
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
    zCModelAni* current = nullptr;
    // An animation statement came last, even one whose ani was dropped: its event
    // block is read (and written to the binary script) rather than taken for the end.
    bool eventsFollow = false;
    float fpsBeforeSpeed = 0.0f;
    int firstFrame = 0;
    int aniLines = 0;
    int meshLoaded = 0;
    float fpsMin = 999.0f;
    float fpsMax = -999.0f;
    float fpsSum = 0.0f;
};

// The fields an aniAlias and an aniComb (with the layer) and an aniBlend (without)
// begin with, as their binary entries store them.
zTMsbEntry CommonEntry(const zSTRING& args, bool withLayer)
{
    zTMsbEntry entry;
    entry.name = MdsName(args, 1);
    if (withLayer)
        entry.layer = MdsInt(args, 2);
    const unsigned next = withLayer ? 3 : 2;
    entry.next = MdsName(args, next);
    entry.blendIn = MdsFloat(args, next + 1);
    entry.blendOut = MdsFloat(args, next + 2);
    return entry;
}

// The binary event of a record, for the kinds that store the record's own texts and
// values in their order.
zTMsbEvent MsbEventOf(int frame, const zTAniEventRec& rec, int texts, int values)
{
    zTMsbEvent event;
    event.frame = frame;
    for (int i = 0; i < texts; ++i)
        event.texts[i] = rec.values[i];
    for (int i = 0; i < values; ++i)
        event.values[i] = rec.floatValues[i];
    return event;
}

zCModelAni* NewAni(int type, const zSTRING& name, const zSTRING& next)
{
    auto* ani = new zCModelAni();
    ani->aniType = type;
    ani->aniName = name;
    ani->nextAniName = next;
    return ani;
}

// The alias and combination form: name, layer, next, blend-in, blend-out, flag letters.
zCModelAni* NewLayeredAni(int type, const zSTRING& args)
{
    zCModelAni* ani = NewAni(type, MdsName(args, 1), MdsName(args, 3));
    ani->layer = MdsInt(args, 2);
    ani->SetBlending(MdsFloat(args, 4), MdsFloat(args, 5));
    ani->SetFlags(MdsWord(args, 6));
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

// Reads one event block's lines and turns them into the event records of ani (null:
// the lines are only written to the binary script).
class zCEventBlockReader {
public:
    zCEventBlockReader(zCModelPrototype& proto, zCModelAni* ani, const zTAniEnumState& state, zCBinChunkFile& file)
        : proto(proto), ani(ani), state(state), file(file), writing(MdsWritesBinary())
    {
    }

    void Read()
    {
        std::vector<zTEventLine> lines;
        Collect(lines);
        if (ani && ani->aniType == zANI_TYPE_ALIAS) {
            g_errorReporter.Report(zERR_ERROR, FormatResString(zMsgId::kAnialiasNotAllowedHave, ani->aniName),
                                   proto.fileName.c_str(), g_mdsLineNumber);
            return;
        }
        if (lines.empty())
            return;
        if (writing) {
            file.StartChunk(zMSB_EVENTS);
            file.WriteU32(static_cast<std::uint32_t>(lines.size()));
        }
        auto records = std::make_shared<std::vector<zTAniEventRec>>(lines.size());
        factor = ani && ani->sourceFps != 0.0f ? state.fpsBeforeSpeed / ani->sourceFps : 1.0f;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (Holds(lines[i].text, "}"))
                break;
            Convert(lines[i], (*records)[i]);
        }
        if (ani)
            ani->aniEvents = records;
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
                    const zSTRING name = ani ? ani->aniName : zSTRING();
                    g_errorReporter.Report(zERR_ERROR, FormatResString(zMsgId::kMdsTooManyEvents, kMaxEventLines, name),
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
        const zSTRING& line = source.text;
        const zSTRING args = MdsArgumentText(line);
        const int frame = MdsInt(args, 1);
        bool fromLast = false;  // the kinds whose frame -1 is the last frame
        if (Holds(line, "*EVENTSFXGRND") || Holds(line, "*EVENTSFX")) {
            const bool ground = Holds(line, "*EVENTSFXGRND");
            rec.eventKind = ground ? 2 : 1;
            rec.values[0] = MdsName(args, 2);
            rec.floatValues[0] = SoundRange(args, ground ? 1000.0f : 2500.0f);
            rec.floatValues[1] = Holds(args, "EMPTY_") ? 0.0f : 1.0f;
            if (writing)
                WriteMsbEvent(file, ground ? zMSB_EVENT_SFX_GRND : zMSB_EVENT_SFX, MsbEventOf(frame, rec, 1, 2));
        } else if (Holds(line, "*EVENTSWAPMESH")) {
            rec.eventKind = 4;
            rec.values[0] = MdsName(args, 2);
            rec.values[1] = MdsName(args, 3);
            fromLast = true;
            if (writing)
                WriteMsbEvent(file, zMSB_EVENT_SWAP_MESH, MsbEventOf(frame, rec, 2, 0));
        } else if (Holds(line, "*EVENTTAG")) {
            rec.eventKind = 0;
            rec.tagString = MdsQuotedText(args, 1);
            for (unsigned i = 0; i < 4; ++i)
                rec.values[i] = MdsQuotedText(args, i + 2);
            if (writing) {
                zTMsbEvent event;
                event.frame = frame;
                event.texts[0] = rec.tagString;
                for (int i = 0; i < 4; ++i)
                    event.texts[i + 1] = rec.values[i];
                WriteMsbEvent(file, zMSB_EVENT_TAG, event);
            }
        } else if (Holds(line, "*EVENTPFXSTOP")) {
            rec.eventKind = 8;
            rec.floatValues[0] = MdsFloat(args, 2);
            fromLast = true;
            if (writing)
                WriteMsbEvent(file, zMSB_EVENT_PFX_STOP, MsbEventOf(frame, rec, 0, 1));
        } else if (Holds(line, "*EVENTPFXGRND")) {
            rec.eventKind = 7;
            fromLast = true;
            if (writing)
                WriteMsbEvent(file, zMSB_EVENT_PFX_GRND, MsbEventOf(frame, rec, 0, 0));
        } else if (Holds(line, "*EVENTPFX")) {
            rec.eventKind = 6;
            rec.floatValues[0] = MdsFloat(args, 2);
            rec.values[0] = MdsQuotedText(args, 2);
            rec.floatValues[1] = Holds(args, "ATTACH") ? 1.0f : 0.0f;
            fromLast = true;
            if (writing) {
                // The effect's name is stored, though the record keeps only its node.
                zTMsbEvent event = MsbEventOf(frame, rec, 0, 2);
                event.texts[0] = MdsQuotedText(args, 1);
                event.texts[1] = rec.values[0];
                WriteMsbEvent(file, zMSB_EVENT_PFX, event);
            }
        } else if (Holds(line, "*EVENTSETMESH")) {
            rec.eventKind = 9;
            rec.values[0] = MdsName(args, 2);
            if (writing)
                WriteMsbEvent(file, zMSB_EVENT_SET_MESH, MsbEventOf(frame, rec, 1, 0));
        } else if (Holds(line, "*EVENTMMSTARTANI")) {
            rec.eventKind = 10;
            rec.values[0] = MdsName(args, 2);
            rec.values[1] = MdsName(args, 3);
            // An option in the node's place: there is no node.
            if (rec.values[1].size() > 1 && rec.values[1][1] == ':')
                rec.values[1].Clear();
            zSTRING options = args;
            rec.floatValues[0] = 1.0f;
            rec.floatValues[1] = -2.0f;
            ReadOptionValue(options, "I:", rec.floatValues[0]);
            ReadOptionValue(options, "H:", rec.floatValues[1]);
            if (writing)
                WriteMsbEvent(file, zMSB_EVENT_MM_START_ANI, MsbEventOf(frame, rec, 2, 2));
        } else if (Holds(line, "*EVENTCAMTREMOR")) {
            rec.eventKind = 11;
            rec.floatValues[0] = 2.0f * MdsFloat(args, 2);
            for (unsigned i = 1; i < 4; ++i)
                rec.floatValues[i] = MdsFloat(args, i + 2);
            if (writing)
                WriteMsbEvent(file, zMSB_EVENT_CAM_TREMOR, MsbEventOf(frame, rec, 0, 4));
        } else {
            return;  // an event of no known kind stays empty
        }
        if (ani)
            SetFrame(rec, frame, fromLast, source.lineNumber);
    }

    void SetFrame(zTAniEventRec& rec, int written, bool fromLast, int lineNumber)
    {
        // The difference is taken wide and the product in float, as the frame rates
        // are; any size is then held within the int range.
        double g = 0.0;
        if (fromLast)
            g = written == -1 ? ani->numFrames - 1.0 : static_cast<double>(written) - state.firstFrame;
        else if (written > 0)
            g = static_cast<double>(written) - state.firstFrame;
        double frame = std::trunc(static_cast<double>(static_cast<float>(g) * factor));
        if (std::isnan(frame))
            frame = 0.0;
        frame = std::fmax(INT_MIN, std::fmin(frame, INT_MAX));
        if (ani->aniType == zANI_TYPE_NORMAL && (frame < 0 || frame > ani->numFrames - 1)) {
            g_errorReporter.Report(zERR_WARNING, FormatResString(zMsgId::kFrameNumberOutBounds, ani->aniName),
                                   proto.fileName.c_str(), lineNumber);
            frame = std::fmax(0.0, std::fmin(frame, ani->numFrames - 1.0));
        }
        rec.frameNumber = static_cast<int>(frame);
    }

    zCModelPrototype& proto;
    zCModelAni* ani;
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
                g_errorReporter.Report(zERR_FATAL, LoadResString(zMsgId::kMoreThanAnisAnibatch), proto.fileName.c_str(),
                                       g_mdsLineNumber);
            rec.values[count++] = MdsName(MdsArgumentText(line), 1);
        } else if (Holds(line, "}")) {
            break;
        }
    }
    if (count == 0)
        g_errorReporter.Report(zERR_FATAL, LoadResString(zMsgId::kAnibatchWithoutAnis), proto.fileName.c_str(),
                               g_mdsLineNumber);
    rec.frameNumber = count;
    return ani;
}

// A plain ani: its .MAN when that was made from this line, else (compiling) its ASC
// source, which is compiled, boxed and saved as the .MAN.
void ReadPlainAni(zCModelPrototype& proto, const zSTRING& line, const zSTRING& args, int noMesh,
                  zTAniEnumState& state, zCBinChunkFile& file)
{
    const bool writing = MdsWritesBinary();
    const bool compiling = g_jobMode == 4;
    const zSTRING name = MdsName(args, 1);
    const int layer = MdsInt(args, 2);
    const zSTRING next = MdsName(args, 3);
    const float blendIn = MdsFloat(args, 4);
    const float blendOut = MdsFloat(args, 5);
    const zSTRING flags = MdsWord(args, 6);
    const zSTRING ascName = MdsName(args, 7);
    const zSTRING direction = MdsWord(args, 8);
    const int firstFrame = MdsInt(args, 9);
    const int lastFrame = MdsInt(args, 10);
    float fps = state.fpsCap;
    float speed = 0.0f;
    float cvs = 1.0f;
    // Each option is found wherever it stands.
    for (auto [option, value] : {std::pair<const char*, float*>{"FPS:", &fps}, {"SPD:", &speed}, {"CVS:", &cvs}}) {
        zSTRING text = args;
        ReadOptionValue(text, option, *value);
    }
    cvs = std::max(0.0f, std::min(cvs, 10.0f));
    if (writing) {
        zTMsbEntry entry;
        entry.name = name;
        entry.layer = layer;
        entry.next = next;
        entry.blendIn = blendIn;
        entry.blendOut = blendOut;
        entry.flags = flags;
        entry.source = ascName;
        entry.direction = direction;
        entry.firstFrame = firstFrame;
        entry.lastFrame = lastFrame;
        entry.fps = fps;
        entry.speed = speed;
        entry.cvs = cvs;
        WriteMsbEntry(file, zMSB_ANI, entry);
    }
    if (lastFrame < firstFrame && lastFrame != -1)
        g_errorReporter.Report(zERR_FATAL, LoadResString(zMsgId::kLastframeLessThanFirstframe),
                               proto.fileName.c_str(), g_mdsLineNumber);
    state.firstFrame = firstFrame;
    state.eventsFollow = true;
    ++state.aniLines;
    zCModelAni* ani = new zCModelAni();
    bool compiledHere = false;
    if (ani->LoadMAN(name + ".MAN", proto, line)) {
        proto.AddAni(ani);
        if (compiling && g_partialCompile) {
            if (zCIdeServices* ide = zGetIdeServices())
                ide->StepProgress();
        }
    } else if (!compiling) {
        if (!g_modelLoadError)
            g_lastModelFile = name + ".MAN";
        g_modelLoadError = 1;
        ani->Release();
        state.current = nullptr;
        return;
    } else {
        if (Verbose())
            g_errorReporter.Report(zERR_MESSAGE, FormatResString(zMsgId::kParsingAni, name, ascName));
        ani->Release();
        ani = nullptr;
        proto.LoadAsc(&ani, ascName, name, firstFrame, lastFrame, 1, fps);
        if (Verbose())
            g_errorReporter.Report(zERR_MESSAGE, LoadResString(zMsgId::kParsingFinished));
        compiledHere = true;
    }
    state.current = ani;
    if (!ani)
        return;
    ani->aniName = name;
    ani->layer = layer;
    ani->nextAniName = next;
    ani->SetBlending(blendIn, blendOut);
    ani->SetFlags(flags);
    ani->aniDirReverse = !direction.empty() && direction[0] == 'R';
    // The ani compiled from ASC is a new object: it takes the line's value too.
    ani->auxValue = cvs;
    state.fpsBeforeSpeed = ani->fps;
    if (compiledHere && speed != 0.0f && ani->sourceFps != 0.0f)
        ani->fps = ani->fps * speed / ani->sourceFps;
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
        g_errorReporter.Report(zERR_MESSAGE, LoadResString(zMsgId::kParsingAnienum));
    const bool writing = MdsWritesBinary();
    if (writing)
        file.StartChunk(zMSB_ANI_ENUM);
    zTAniEnumState state;
    // An ani of a statement joins the prototype and takes the following event block.
    auto adopt = [&](zCModelAni* ani) {
        AddAni(ani);
        state.current = ani;
        state.eventsFollow = true;
    };
    zSTRING line;
    while (ReadMdsLine(line)) {
        if (line.empty() || Holds(line, "//"))
            continue;
        const zSTRING args = MdsArgumentText(line);
        if (Holds(line, "ANIMAXFPS")) {
            state.fpsCap = MdsFloat(args, 1);
            if (writing) {
                zTMsbEntry entry;
                entry.fps = state.fpsCap;
                WriteMsbEntry(file, zMSB_ANI_MAX_FPS, entry);
            }
        } else if (Holds(line, "ANI ") || Holds(line, "ANI\t")) {
            ReadPlainAni(*this, line, args, noMesh, state, file);
        } else if (Holds(line, "ANIALIAS")) {
            if (writing) {
                zTMsbEntry entry = CommonEntry(args, true);
                entry.flags = MdsWord(args, 6);
                entry.source = MdsName(args, 7);
                entry.direction = MdsWord(args, 8);
                WriteMsbEntry(file, zMSB_ANI_ALIAS, entry);
            }
            zCModelAni* ani = NewLayeredAni(zANI_TYPE_ALIAS, args);
            ani->aliasName = MdsName(args, 7);
            const zSTRING direction = MdsWord(args, 8);
            ani->aniDirReverse = !direction.empty() && direction[0] == 'R';
            adopt(ani);
        } else if (Holds(line, "ANIBLEND")) {
            if (writing)
                WriteMsbEntry(file, zMSB_ANI_BLEND, CommonEntry(args, false));
            zCModelAni* ani = NewAni(zANI_TYPE_BLEND, MdsName(args, 1), MdsName(args, 2));
            ani->SetBlending(MdsFloat(args, 3), MdsFloat(args, 4));
            adopt(ani);
            state.firstFrame = 0;
        } else if (Holds(line, "ANISYNC")) {
            if (writing) {
                zTMsbEntry entry;
                entry.name = MdsName(args, 1);
                entry.next = MdsName(args, 2);
                WriteMsbEntry(file, zMSB_ANI_SYNC, entry);
            }
            adopt(NewAni(zANI_TYPE_SYNC, MdsName(args, 1), MdsName(args, 2)));
            state.firstFrame = 0;
        } else if (Holds(line, "ANIBATCH")) {
            state.current = ReadBatch(*this, MdsName(args, 1));
            state.eventsFollow = true;
            state.firstFrame = 0;
        } else if (Holds(line, "ANICOMB")) {
            const int count = MdsInt(args, 8);
            if (writing) {
                zTMsbEntry entry = CommonEntry(args, true);
                entry.flags = MdsWord(args, 6);
                entry.source = MdsName(args, 7);
                entry.count = static_cast<std::uint32_t>(count);
                WriteMsbEntry(file, zMSB_ANI_COMB, entry);
            }
            zCModelAni* ani = NewLayeredAni(zANI_TYPE_COMB, args);
            ani->aliasName = MdsName(args, 7) + zSTRING(count);
            adopt(ani);
            state.firstFrame = 0;
        } else if (Holds(line, "ANIDISABLE")) {
            if (writing) {
                zTMsbEntry entry;
                entry.name = MdsName(args, 1);
                WriteMsbEntry(file, zMSB_ANI_DISABLE, entry);
            }
            adopt(NewAni(zANI_TYPE_DISABLED, MdsName(args, 1), zSTRING()));
            state.firstFrame = 0;
        } else if (Holds(line, "MODELTAG")) {
            auto* tag = new zTAniEventRec();
            ReadModelTag(args, *tag, file);
            modelTagList.InsertEnd(tag);
            state.firstFrame = 0;
        } else if (Holds(line, "{") && state.eventsFollow) {
            zCEventBlockReader(*this, state.current, state, file).Read();
        } else if (Holds(line, "}")) {
            break;
        } else if (Holds(line, "*EVENT")) {
            g_errorReporter.Report(zERR_WARNING, LoadResString(zMsgId::kMdsEventWithoutAni), fileName.c_str(),
                                   g_mdsLineNumber);
        }
    }
    if (writing)
        file.StartChunk(zMSB_ANI_ENUM_END);
    if (state.meshLoaded && noMesh)
        ReleaseMeshes();
    if (Verbose()) {
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(zMsgId::kNumman, aniList.GetNum(), state.aniLines));
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(zMsgId::kFpsratesMinMaxAvg, state.fpsMin, state.fpsMax,
                                                             state.fpsSum / static_cast<float>(state.aniLines)));
    }
}
