// One animation of a model prototype, and the record of one of its events. Only the
// name is here so far: the prototype keeps its animations sorted by it.
#pragma once

#include "zCObject.h"
#include "zSTRING.h"

class zCModelAni : public zCObject {
    zCLASS_DECLARATION(zCModelAni)

public:
    zCModelAni() = default;
    ~zCModelAni() override = default;

    const zSTRING& GetAniName() const { return aniName; }

    // Upper case, as the script readers deliver it.
    zSTRING aniName;
};

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
