// One animation of a model prototype: its settings, its packed samples (a rotation
// and a position per animated node and frame), alias and combination resolution,
// and its ".MAN" file; with the record of one animation event.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "zCArray.h"
#include "zCObject.h"
#include "zMAT4.h"
#include "zQUAT.h"
#include "zSTRING.h"
#include "zTBBox3D.h"

class zCModelNodeRec;
class zCModelPrototype;

// An event of an animation or of the model (event kinds: 0 tag, 1 sound, 2 ground
// sound, 4 swap mesh, 6 effect, 7 ground effect, 8 effect stop, 9 set mesh,
// 10 morph-mesh ani start, 11 camera tremor).
struct zTAniEventRec {
    int eventKind = 0;
    int frameNumber = 0;
    zSTRING tagString;
    zSTRING values[4];
    float floatValues[4] = {};
};

// One node's pose in one frame: rotation x, y, z (w derived), then position x, y, z
// in steps of the ani's range. 12 bytes, the same in memory order and in the file.
struct zTAniSample {
    std::uint16_t rotation[3] = {};
    std::uint16_t position[3] = {};
};

// aniType codes.
enum zTAniType { zANI_TYPE_NORMAL = 0, zANI_TYPE_BLEND, zANI_TYPE_SYNC, zANI_TYPE_ALIAS, zANI_TYPE_BATCH,
                 zANI_TYPE_COMB, zANI_TYPE_DISABLED };

// aniFlags bits.
enum : std::uint32_t {
    zANI_FLAG_R = 1,
    zANI_FLAG_M = 2,
    zANI_FLAG_E = 4,
    zANI_FLAG_F = 8,
    zANI_FLAG_I = 16,
    zANI_FLAG_IN_PLACE = 32,    // the root stays within 10 units horizontally ("P")
    zANI_FLAG_ROOT_MOVES = 64,  // the root moves more than 1.0 from the first to the last frame
};

// The .MAN chunks.
enum : std::uint16_t {
    zMAN_CHUNK_START = 0xA000,
    zMAN_CHUNK_SOURCE = 0xA010,
    zMAN_CHUNK_HEADER = 0xA020,
    zMAN_CHUNK_EVENTS = 0xA030,
    zMAN_CHUNK_DATA = 0xA090,
};
constexpr std::uint16_t zMAN_VERSION = 12;

// The frame-rate limit SetSamples resamples to; -1.0 (or anything not above 0) is none.
extern float g_aniMaxFps;

class zCModelAni : public zCObject {
    zCLASS_DECLARATION(zCModelAni)

public:
    zCModelAni();
    ~zCModelAni() override;

    const zSTRING& GetAniName() const { return aniName; }
    int GetAniType() const { return aniType; }
    void SetAniType(int type) { aniType = type; }
    int GetNumEvents() const { return static_cast<int>(aniEvents ? aniEvents->size() : 0); }

    // Clears aniFlags and sets the bits of the letters R, M, E, F, I and P.
    void SetFlags(const zSTRING& letters);
    void SetBlending(float blendIn, float blendOut);
    void CalcRootMoveFlag();
    void CalcInPlaceFlag();

    // From one array of numFrames matrices per animated node (numFrames, numNodes and
    // fps set before); resamples to g_aniMaxFps.
    void SetSamples(const std::vector<const zMAT4*>& nodeMatrices);
    zVEC3 GetRootPosition(int frame, int entry) const;
    // The sample's rotation and position, unpacked with this ani's range.
    void GetSample(int frame, int entry, zQUAT& rotation, zVEC3& position) const;

    // 1 when resolved (and for anis of other types), 0 when not.
    int ResolveAliasAni(zCModelPrototype& proto);
    int ResolveCombAni(zCModelPrototype& proto);

    // The .MAN file: written into the job's "_compiled\" folder, read from the
    // compiled-anims folder. LoadMAN gives 1 when the ani now holds the file's data,
    // 0 when the caller must build it from its ASC source.
    void SaveMAN(zCModelPrototype& proto, const zSTRING& expectedText);
    int LoadMAN(const zSTRING& nameTail, zCModelPrototype& proto, const zSTRING& expectedText);

    // Words of aniDefinition's argument text: the ASC file (quotes removed), the
    // first and the last frame.
    zSTRING GetAscName() const;
    int GetFirstFrame() const;
    int GetLastFrame() const;

    // The process-wide quantisation of positions.
    static void SetPosRange(float min, float range);
    static void SetPosConfig(float min, float step);
    static void PackRotation(const zQUAT& rotation, zTAniSample& sample);
    static zQUAT UnpackRotation(const zTAniSample& sample);
    static void PackPosition(const zVEC3& position, zTAniSample& sample);
    static zVEC3 UnpackPosition(const zTAniSample& sample);
    static void PackSample(const zQUAT& rotation, const zVEC3& position, zTAniSample& sample);
    static void UnpackSample(const zTAniSample& sample, zQUAT& rotation, zVEC3& position);

    zSTRING aniName;  // upper case, as the script readers deliver it
    zSTRING aniDefinition;
    // Alias: the repeated ani. Combination: the name stem and the number of sources.
    zSTRING aliasName;
    std::vector<zCModelAni*> combList;  // the combination's sources, number 1 first
    int layer = 0;
    float blendInSpeed = 0.0f;
    float blendOutSpeed = 0.0f;
    zTBBox3D aniBBox;
    float auxValue = 1.0f;
    zSTRING nextAniName;
    zCModelAni* nextAni = nullptr;  // linked by the prototype's ResolveAnis; not held
    int aniID = 0;  // the index in the prototype's sorted list
    float fps = 0.0f;
    float sourceFps = 0.0f;
    int rootNodeIndex = -1;
    zCArray<int> nodeIndexList;
    // An alias shares the node list, the samples and the events of the ani it repeats.
    std::shared_ptr<std::vector<zCModelNodeRec*>> nodeList;
    std::shared_ptr<std::vector<zTAniSample>> samples;
    std::shared_ptr<std::vector<zTAniEventRec>> aniEvents;
    float posRangeMin = 0.0f;
    float posStep = 0.0f;
    std::int16_t numFrames = 0;
    std::int16_t numNodes = 0;
    int aniType = zANI_TYPE_NORMAL;
    bool aniDirReverse = false;
    bool copiedFlag = false;  // combination anis copy it from their first source
    std::uint32_t aniFlags = 0;

private:
    const zTAniSample* Sample(int frame, int entry) const;
    // The first entry whose node has no parent; -1 when none.
    int FindRootEntry() const;
    friend class zCAscModelReader;
};
