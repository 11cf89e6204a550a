// One animation of a model prototype: samples, resolution and the .MAN file.
#include "zCModelAni.h"

#include <algorithm>
#include <cmath>
#include <cfloat>
#include <cstdlib>
#include <cstring>

#include "JobGlobals.h"
#include "LittleEndian.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCBinChunkFile.h"
#include "zCModelPrototype.h"
#include "zCObjectFactory.h"
#include "zCOption.h"
#include "zERROR.h"

zCLASS_DEFINITION(zCModelAni, zCObject, 0, 0);

float g_aniMaxFps = -1.0f;

namespace {

constexpr float kPosUnit = 1.0f / 65535.0f;
const float kRotUnit = static_cast<float>((1.0 / 65535.0) * 2.0999999);

// The current position quantisation: every pack and unpack uses it.
float s_posRangeMin = 0.0f;
float s_posStep = 0.0f;

// The fixed range combination anis pack into, widened when a source lies outside.
constexpr float kCombRangeMin = -800.0f;
constexpr float kCombRange = 1600.0f;

// A value in 0..65535; NaN and values outside are held at the ends.
std::uint16_t Clamp16(float value)
{
    if (!(value > 0.0f))
        return 0;
    return value >= 65535.0f ? 65535 : static_cast<std::uint16_t>(static_cast<int>(value));
}

constexpr int kSampleSize = 12;
// A stored event: kind, frame, five text lines (at least their line feeds), four
// floats and the trailing word.
constexpr long kMinEventSize = 4 + 4 + 5 + 16 + 4;

zSTRING DefinitionWord(const zSTRING& definition, int n)
{
    std::string text = definition;
    const std::size_t open = text.find('(');
    if (open != std::string::npos)
        text.erase(0, open + 1);
    const std::size_t close = text.find(')');
    if (close != std::string::npos)
        text.erase(close);
    return zSTRING(text).PickWord(static_cast<unsigned>(n), "", " \t\r");
}

} // namespace

zCModelAni::zCModelAni()
{
    aniBBox.SetZero();
}

zCModelAni::~zCModelAni() = default;

void zCModelAni::SetFlags(const zSTRING& letters)
{
    aniFlags = 0;
    auto has = [&letters](char c) { return letters.find(c) != std::string::npos; };
    if (has('R'))
        aniFlags |= zANI_FLAG_R;
    if (has('M'))
        aniFlags |= zANI_FLAG_M;
    if (has('E'))
        aniFlags |= zANI_FLAG_E;
    if (has('F'))
        aniFlags |= zANI_FLAG_F;
    if (has('I'))
        aniFlags |= zANI_FLAG_I | zANI_FLAG_IN_PLACE;
    if (has('P'))
        aniFlags |= zANI_FLAG_IN_PLACE;
}

void zCModelAni::SetBlending(float blendIn, float blendOut)
{
    blendInSpeed = blendIn == 0.0f ? FLT_MAX : 1.0f / blendIn;
    blendOutSpeed = blendOut == 0.0f ? -FLT_MAX : -1.0f / blendOut;
}

const zTAniSample* zCModelAni::Sample(int frame, int entry) const
{
    if (!samples || frame < 0 || frame >= numFrames || entry < 0 || entry >= numNodes)
        return nullptr;
    const std::size_t index = static_cast<std::size_t>(frame) * static_cast<std::size_t>(numNodes) +
                              static_cast<std::size_t>(entry);
    return index < samples->size() ? &(*samples)[index] : nullptr;
}

zVEC3 zCModelAni::GetRootPosition(int frame, int entry) const
{
    zQUAT rotation;
    zVEC3 position;
    GetSample(frame, entry, rotation, position);
    return position;
}

void zCModelAni::GetSample(int frame, int entry, zQUAT& rotation, zVEC3& position) const
{
    const zTAniSample* sample = Sample(frame, entry);
    if (!sample) {
        rotation = zQUAT(0.0f, 0.0f, 0.0f, 1.0f);
        position = zVEC3(0.0f, 0.0f, 0.0f);
        return;
    }
    SetPosConfig(posRangeMin, posStep);
    UnpackSample(*sample, rotation, position);
}

void zCModelAni::CalcRootMoveFlag()
{
    if (rootNodeIndex < 0 || numFrames <= 0)
        return;
    const zVEC3 moved = GetRootPosition(numFrames - 1, rootNodeIndex) - GetRootPosition(0, rootNodeIndex);
    if (moved.Length() > 1.0f)
        aniFlags |= zANI_FLAG_ROOT_MOVES;
}

void zCModelAni::CalcInPlaceFlag()
{
    if (aniFlags & zANI_FLAG_F)
        return;
    if (rootNodeIndex < 0 || numFrames <= 0) {
        // No root, or no frame to move in: nothing leaves its place.
        aniFlags |= zANI_FLAG_IN_PLACE;
        return;
    }
    const zVEC3 start = GetRootPosition(0, rootNodeIndex);
    float largest = 0.0f;
    for (int f = 1; f < numFrames; ++f) {
        const zVEC3 p = GetRootPosition(f, rootNodeIndex);
        const float dx = p.x - start.x;
        const float dz = p.z - start.z;
        largest = std::max(largest, std::sqrt(dx * dx + dz * dz));
    }
    if (largest < 10.0f)
        aniFlags |= zANI_FLAG_IN_PLACE;
}

void zCModelAni::SetSamples(const std::vector<const zMAT4*>& nodeMatrices)
{
    sourceFps = fps;
    const int sourceFrames = numFrames;
    const float frameCount = static_cast<float>(sourceFrames);
    float step = 1.0f;
    // A rate below 1 truncates to a step of 0, which would never leave frame 0: such
    // an ani keeps its frames.
    const float resampleStep = g_aniMaxFps > 0.0f ? std::trunc(fps) / g_aniMaxFps : 0.0f;
    if (frameCount > 1.0f && g_aniMaxFps > 0.0f && fps > g_aniMaxFps && resampleStep > 0.0f &&
        std::isfinite(resampleStep)) {
        step = resampleStep;
        fps = g_aniMaxFps;
        int count = 0;
        for (float u = 0.0f; u < frameCount; u = static_cast<float>(count) * step) {
            if (u > 50000.0f || count == 32767) {
                // The frame count is a 16-bit number.
                g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_ANI_FRAME_LIMIT));
                break;
            }
            ++count;
        }
        numFrames = static_cast<std::int16_t>(count);
    }
    samples.reset();
    if (numFrames <= 0 || numNodes <= 0 || static_cast<int>(nodeMatrices.size()) < numNodes)
        return;
    auto frameAt = [&](int i) {
        const int frame = static_cast<int>(std::floor(static_cast<float>(i) * step));
        return std::min(frame, sourceFrames - 1);
    };

    float smallest = 999999.0f;
    float largest = -999999.0f;
    for (int i = 0; i < numFrames; ++i) {
        const int frame = frameAt(i);
        for (int n = 0; n < numNodes; ++n) {
            const zMAT4& m = nodeMatrices[static_cast<std::size_t>(n)][frame];
            for (int r = 0; r < 3; ++r) {
                smallest = std::min(smallest, m.m[r][3]);
                largest = std::max(largest, m.m[r][3]);
            }
        }
    }
    if (smallest == 999999.0f) {
        smallest = 0.0f;
        largest = 1.0f;
    }
    SetPosRange(smallest, largest - smallest);
    posRangeMin = s_posRangeMin;
    posStep = s_posStep;

    auto block = std::make_shared<std::vector<zTAniSample>>(static_cast<std::size_t>(numFrames) *
                                                            static_cast<std::size_t>(numNodes));
    std::size_t next = 0;
    for (int i = 0; i < numFrames; ++i) {
        const int frame = frameAt(i);
        for (int n = 0; n < numNodes; ++n) {
            const zMAT4& m = nodeMatrices[static_cast<std::size_t>(n)][frame];
            zQUAT rotation;
            rotation.FromMatrix4(m);
            rotation.Normalize();
            PackSample(rotation, zVEC3(m.m[0][3], m.m[1][3], m.m[2][3]), (*block)[next++]);
        }
    }
    samples = std::move(block);
}

int zCModelAni::FindRootEntry() const
{
    if (!nodeList)
        return -1;
    for (std::size_t i = 0; i < nodeList->size(); ++i) {
        const zCModelNodeRec* node = (*nodeList)[i];
        if (node && !node->parent)
            return static_cast<int>(i);
    }
    return -1;
}

int zCModelAni::ResolveAliasAni(zCModelPrototype& proto)
{
    if (GetAniType() != zANI_TYPE_ALIAS || aliasName.empty())
        return 1;
    zCModelAni* source = proto.SearchAni(aliasName);
    if (!source) {
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_ANI_ALIAS_UNRESOLVED, aliasName));
        return 0;
    }
    if (source->GetAniType() != zANI_TYPE_NORMAL) {
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_ANI_ALIAS_ILLEGAL_TYPE, aniName, aliasName));
        return 0;
    }
    aniDefinition = source->aniDefinition;
    fps = sourceFps = source->fps;
    numFrames = source->numFrames;
    numNodes = source->numNodes;
    nodeList = source->nodeList;
    nodeIndexList.EmptyList();
    for (int i = 0; i < source->nodeIndexList.GetNum(); ++i)
        nodeIndexList.InsertEnd(source->nodeIndexList[i]);
    samples = source->samples;
    rootNodeIndex = source->rootNodeIndex;
    aniEvents = source->aniEvents;
    posRangeMin = source->posRangeMin;
    posStep = source->posStep;
    aniBBox = source->aniBBox;
    const std::uint32_t computed = zANI_FLAG_IN_PLACE | zANI_FLAG_ROOT_MOVES;
    aniFlags = (aniFlags & ~computed) | (source->aniFlags & computed);
    return 1;
}

int zCModelAni::ResolveCombAni(zCModelPrototype& proto)
{
    if (GetAniType() != zANI_TYPE_COMB || aliasName.empty())
        return 1;
    // The last character is the number of sources (1 to 9); the stem may end in a digit.
    const char last = aliasName[static_cast<unsigned>(aliasName.size() - 1)];
    if (last < '1' || last > '9') {
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_ANI_COMB_COUNT, aniName, aliasName));
        return 0;
    }
    const int count = last - '0';
    const zSTRING stem = aliasName.substr(0, aliasName.size() - 1);
    aliasName = stem;
    numFrames = 0;
    numNodes = 0;
    combList.clear();
    for (int i = count; i >= 1; --i) {
        const zSTRING sourceName = stem + zSTRING(i);
        zCModelAni* source = proto.SearchAni(sourceName);
        if (!source) {
            g_errorReporter.Report(zERR_FATAL, FormatResString(IDS_ANI_COMB_UNRESOLVED, sourceName));
            return 0;
        }
        combList.insert(combList.begin(), source);
        if (numFrames != 0 && numFrames != source->numFrames) {
            g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_ANI_COMB_FRAMES, sourceName));
            return 0;
        }
        if (numNodes != 0 && numNodes != source->numNodes) {
            g_errorReporter.Report(zERR_FATAL, FormatResString(IDS_ANI_COMB_NODES, sourceName));
            return 0;
        }
        numFrames = source->numFrames;
        numNodes = source->numNodes;
    }
    const zCModelAni& first = *combList.front();
    aniDirReverse = first.aniDirReverse;
    copiedFlag = first.copiedFlag;
    fps = sourceFps = first.fps;
    aniBBox = first.aniBBox;
    rootNodeIndex = first.rootNodeIndex;
    nodeList = std::make_shared<std::vector<zCModelNodeRec*>>(first.nodeList ? *first.nodeList
                                                                              : std::vector<zCModelNodeRec*>());
    nodeIndexList.EmptyList();
    for (int i = 0; i < first.nodeIndexList.GetNum(); ++i)
        nodeIndexList.InsertEnd(first.nodeIndexList[i]);

    // Positions of the source that the fixed range cannot hold widen it.
    const int total = numFrames * numNodes;
    std::vector<zQUAT> rotations(static_cast<std::size_t>(std::max(0, total)));
    std::vector<zVEC3> positions(rotations.size());
    float low = kCombRangeMin;
    float high = kCombRangeMin + kCombRange;
    for (int f = 0, k = 0; f < numFrames; ++f) {
        for (int n = 0; n < numNodes; ++n, ++k) {
            first.GetSample(f, n, rotations[static_cast<std::size_t>(k)], positions[static_cast<std::size_t>(k)]);
            const zVEC3& p = positions[static_cast<std::size_t>(k)];
            low = std::min({low, p.x, p.y, p.z});
            high = std::max({high, p.x, p.y, p.z});
        }
    }
    SetPosRange(low, high - low);
    posRangeMin = s_posRangeMin;
    posStep = s_posStep;
    auto block = std::make_shared<std::vector<zTAniSample>>(rotations.size());
    for (std::size_t k = 0; k < rotations.size(); ++k)
        PackSample(rotations[k], positions[k], (*block)[k]);
    samples = std::move(block);
    return 1;
}

void zCModelAni::SetPosRange(float min, float range)
{
    s_posRangeMin = min;
    s_posStep = range * kPosUnit;
}

void zCModelAni::SetPosConfig(float min, float step)
{
    s_posRangeMin = min;
    s_posStep = step;
}

void zCModelAni::PackRotation(const zQUAT& rotation, zTAniSample& sample)
{
    const float parts[3] = {rotation.x, rotation.y, rotation.z};
    for (int k = 0; k < 3; ++k) {
        float scaled = std::trunc(parts[k] / kRotUnit);
        if (!(scaled >= -32767.0f))  // NaN too
            scaled = scaled != scaled ? 0.0f : -32767.0f;
        scaled = std::min(scaled, 32768.0f);
        auto value = static_cast<std::uint16_t>(static_cast<int>(scaled) + 32767);
        if (rotation.w < 0.0f)
            value = static_cast<std::uint16_t>(65534 - value);
        sample.rotation[k] = value;
    }
}

zQUAT zCModelAni::UnpackRotation(const zTAniSample& sample)
{
    zQUAT q;
    q.x = static_cast<float>(static_cast<int>(sample.rotation[0]) - 32767) * kRotUnit;
    q.y = static_cast<float>(static_cast<int>(sample.rotation[1]) - 32767) * kRotUnit;
    q.z = static_cast<float>(static_cast<int>(sample.rotation[2]) - 32767) * kRotUnit;
    const float s = q.x * q.x + q.y * q.y + q.z * q.z;
    if (s <= 1.0f) {
        q.w = std::sqrt(1.0f - s);
    } else {
        const float inverse = 1.0f / std::sqrt(s);
        q.x *= inverse;
        q.y *= inverse;
        q.z *= inverse;
        q.w = 0.0f;
    }
    return q;
}

void zCModelAni::PackPosition(const zVEC3& position, zTAniSample& sample)
{
    const float p[3] = {position.x, position.y, position.z};
    for (int k = 0; k < 3; ++k) {
        // A zero step (every position equal) stores the minimum itself; a value just
        // past the range by rounding is held at its end instead of wrapping.
        if (s_posStep == 0.0f) {
            sample.position[k] = 0;
            continue;
        }
        const float scale = 1.0f / (s_posStep * 65535.0f);
        sample.position[k] = Clamp16(std::trunc((p[k] - s_posRangeMin) * 65535.0f * scale));
    }
}

zVEC3 zCModelAni::UnpackPosition(const zTAniSample& sample)
{
    return zVEC3(static_cast<float>(sample.position[0]) * s_posStep + s_posRangeMin,
                 static_cast<float>(sample.position[1]) * s_posStep + s_posRangeMin,
                 static_cast<float>(sample.position[2]) * s_posStep + s_posRangeMin);
}

void zCModelAni::PackSample(const zQUAT& rotation, const zVEC3& position, zTAniSample& sample)
{
    PackRotation(rotation, sample);
    PackPosition(position, sample);
}

void zCModelAni::UnpackSample(const zTAniSample& sample, zQUAT& rotation, zVEC3& position)
{
    rotation = UnpackRotation(sample);
    position = UnpackPosition(sample);
}

zSTRING zCModelAni::GetAscName() const
{
    zSTRING name = DefinitionWord(aniDefinition, 7);
    name.erase(std::remove(name.begin(), name.end(), '"'), name.end());
    return name;
}

int zCModelAni::GetFirstFrame() const
{
    return std::atoi(DefinitionWord(aniDefinition, 9).c_str());
}

int zCModelAni::GetLastFrame() const
{
    return std::atoi(DefinitionWord(aniDefinition, 10).c_str());
}

void zCModelAni::SaveMAN(zCModelPrototype& proto, const zSTRING& expectedText)
{
    CalcRootMoveFlag();
    const zSTRING path = g_jobDestDir + "_compiled\\" + proto.modelProtoName + "-" + aniName + ".MAN";
    zCBinChunkFile file;
    if (file.Create(path) != 0)
        return;
    file.StartChunk(zMAN_CHUNK_START);
    file.StartChunk(zMAN_CHUNK_HEADER);
    file.WriteU16(zMAN_VERSION);
    file.WriteLine(aniName);
    file.WriteInt(layer);
    file.WriteInt(numFrames);
    file.WriteInt(numNodes);
    file.WriteFloat(fps);
    file.WriteFloat(sourceFps);
    file.WriteFloat(posRangeMin);
    file.WriteFloat(posStep);
    aniBBox.WriteToChunkFile(file);
    file.WriteLine(nextAniName);
    file.StartChunk(zMAN_CHUNK_SOURCE);
    // The stamp names the ASC source: the definition is either the script's argument
    // text, which names it, or (read from ASC) the file name itself.
    WriteSourceStamp(file, aniDefinition.find('(') != std::string::npos ? GetAscName() : aniDefinition, 0);
    file.WriteLine(expectedText);
    if (GetNumEvents() > 0) {
        file.StartChunk(zMAN_CHUNK_EVENTS);
        file.WriteInt(GetNumEvents());
        for (const zTAniEventRec& event : *aniEvents) {
            file.WriteU32(static_cast<std::uint32_t>(event.eventKind));
            file.WriteU32(static_cast<std::uint32_t>(event.frameNumber));
            file.WriteLine(event.tagString);
            for (const zSTRING& value : event.values)
                file.WriteLine(value);
            for (const float value : event.floatValues)
                file.WriteFloat(value);
            file.WriteU32(0);
        }
    }
    file.StartChunk(zMAN_CHUNK_DATA);
    file.WriteU32(proto.nodeChecksum);
    for (int n = 0; n < numNodes; ++n)
        file.WriteInt(n < nodeIndexList.GetNum() ? nodeIndexList[n] : -1);
    const std::size_t count = static_cast<std::size_t>(std::max(0, numFrames * numNodes));
    std::vector<unsigned char> block(count * kSampleSize, 0);
    for (std::size_t i = 0; samples && i < count && i < samples->size(); ++i) {
        const zTAniSample& s = (*samples)[i];
        for (int k = 0; k < 3; ++k) {
            zPutLE16(block.data() + i * kSampleSize + 2 * k, s.rotation[k]);
            zPutLE16(block.data() + i * kSampleSize + 6 + 2 * k, s.position[k]);
        }
    }
    file.WriteBytes(block.data(), static_cast<long>(block.size()));
    file.Close();
    g_errorReporter.Report(zERR_MESSAGE, path);
    RecordInsertFile(path);
}

int zCModelAni::LoadMAN(const zSTRING& nameTail, zCModelPrototype& proto, const zSTRING& expectedText)
{
    if (g_jobMode == zJOB_COMPILE_MODELS && g_partialCompile == 0)
        return 0;
    const zSTRING folder = g_options ? g_options->GetDirString(DIR_COMPILED_ANIMS) : zSTRING();
    const zSTRING path = folder + proto.modelProtoName + "-" + nameTail;
    if (!zMakeFile(path)->Exists())
        return 0;
    zCBinChunkFile file;
    if (file.Open(path) != 0)
        return 0;

    // Read into a fresh ani; the data goes over only when the whole file fits.
    zCModelAni read;
    bool haveHeader = false;
    bool haveData = false;
    std::uint16_t id = 0;
    std::uint32_t length = 0;
    while (file.ReadChunkHeader(id, length)) {
        switch (id) {
        case zMAN_CHUNK_HEADER: {
            std::uint16_t version = 0;
            std::int32_t frames = 0;
            std::int32_t nodes = 0;
            if (!file.ReadU16(version) || version != zMAN_VERSION)
                return 0;
            file.ReadLine(read.aniName);
            file.ReadInt(read.layer);
            file.ReadInt(frames);
            file.ReadInt(nodes);
            file.ReadFloat(read.fps);
            file.ReadFloat(read.sourceFps);
            file.ReadFloat(read.posRangeMin);
            file.ReadFloat(read.posStep);
            read.aniBBox.ReadFromChunkFile(file);
            file.ReadLine(read.nextAniName);
            if (file.IsDamaged())
                return 0;
            if (frames < 0 || frames > 32767 || nodes < 0 || nodes > 32767) {
                file.ReportDamage(LoadResString(IDS_ANI_MAN_COUNTS_DAMAGED));
                return 0;
            }
            read.numFrames = static_cast<std::int16_t>(frames);
            read.numNodes = static_cast<std::int16_t>(nodes);
            haveHeader = true;
            break;
        }
        case zMAN_CHUNK_SOURCE:
            ReadSourceStamp(file);
            file.ReadLine(read.aniDefinition);
            if (file.IsDamaged() || (!expectedText.empty() && read.aniDefinition != expectedText))
                return 0;
            break;
        case zMAN_CHUNK_EVENTS: {
            std::int32_t count = 0;
            file.ReadInt(count);
            if (count < 0 || count > 31 || count * kMinEventSize > file.GetBytesLeft()) {
                file.ReportDamage(LoadResString(IDS_ANI_MAN_COUNTS_DAMAGED));
                return 0;
            }
            auto events = std::make_shared<std::vector<zTAniEventRec>>(static_cast<std::size_t>(count));
            for (zTAniEventRec& event : *events) {
                std::uint32_t word = 0;
                file.ReadU32(word);
                event.eventKind = static_cast<int>(word);
                file.ReadU32(word);
                event.frameNumber = static_cast<int>(word);
                file.ReadLine(event.tagString);
                for (zSTRING& value : event.values)
                    file.ReadLine(value);
                for (float& value : event.floatValues)
                    file.ReadFloat(value);
                file.ReadU32(word);
            }
            if (file.IsDamaged())
                return 0;
            read.aniEvents = count > 0 ? std::move(events) : nullptr;
            break;
        }
        case zMAN_CHUNK_DATA: {
            // The node count comes from the header, which must come first.
            if (!haveHeader) {
                file.ReportDamage(LoadResString(IDS_ANI_MAN_COUNTS_DAMAGED));
                return 0;
            }
            std::uint32_t checksum = 0;
            file.ReadU32(checksum);
            if (file.IsDamaged())
                return 0;
            if (checksum != proto.nodeChecksum) {
                g_errorReporter.Report(zERR_WARNING, LoadResString(IDS_ANI_MAN_HIERARCHY));
                return 0;
            }
            const long nodes = read.numNodes;
            const long count = static_cast<long>(read.numFrames) * nodes;
            if (nodes * 4 + count * kSampleSize > file.GetBytesLeft()) {
                file.ReportDamage(LoadResString(IDS_ANI_MAN_COUNTS_DAMAGED));
                return 0;
            }
            read.nodeList = std::make_shared<std::vector<zCModelNodeRec*>>();
            read.nodeIndexList.EmptyList();
            for (long n = 0; n < nodes; ++n) {
                std::int32_t index = 0;
                file.ReadInt(index);
                read.nodeIndexList.InsertEnd(index);
                if (index >= 0 && index < proto.nodeList.GetNum()) {
                    read.nodeList->push_back(proto.nodeList[index]);
                    continue;
                }
                if (n == 0) {
                    // No entry before it to stand in: the file is of no use.
                    g_errorReporter.Report(zERR_WARNING,
                                           FormatResString(IDS_ANI_MAN_FIRST_NODE_UNKNOWN, nameTail, index));
                    return 0;
                }
                g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_ANI_MAN_NODE_NOT_FOUND, nameTail));
                read.nodeList->push_back(read.nodeList->back());
            }
            std::vector<unsigned char> block(static_cast<std::size_t>(count) * kSampleSize);
            if (!block.empty() && !file.ReadBytes(block.data(), static_cast<long>(block.size())))
                return 0;
            auto decoded = std::make_shared<std::vector<zTAniSample>>(static_cast<std::size_t>(count));
            for (std::size_t i = 0; i < decoded->size(); ++i) {
                for (int k = 0; k < 3; ++k) {
                    (*decoded)[i].rotation[k] = zGetLE16(block.data() + i * kSampleSize + 2 * k);
                    (*decoded)[i].position[k] = zGetLE16(block.data() + i * kSampleSize + 6 + 2 * k);
                }
            }
            read.samples = std::move(decoded);
            haveData = true;
            break;
        }
        default:
            break;
        }
        file.SkipToNextChunk();
    }
    if (!haveHeader || !haveData || file.IsDamaged())
        return 0;
    file.Close();

    aniName = read.aniName;
    layer = read.layer;
    numFrames = read.numFrames;
    numNodes = read.numNodes;
    fps = read.fps;
    sourceFps = read.sourceFps;
    posRangeMin = read.posRangeMin;
    posStep = read.posStep;
    aniBBox = read.aniBBox;
    nextAniName = read.nextAniName;
    aniDefinition = read.aniDefinition;
    aniEvents = read.aniEvents;
    nodeIndexList = read.nodeIndexList;
    nodeList = read.nodeList;
    samples = read.samples;
    rootNodeIndex = FindRootEntry();

    if (g_jobMode == zJOB_CONVERT_MODELS) {
        const zSTRING copy = g_jobDestDir + "_compiled\\" + zMakeFile(path)->GetFile();
        std::unique_ptr<zFILE> source = zMakeFile(path);
        std::unique_ptr<zFILE> target = zMakeFile(copy);
        if (source->FileCopy(target.get()))
            RecordInsertFile(copy);
    }
    return 1;
}
