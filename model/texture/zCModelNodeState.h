// One node of a model visual: its node, its visual with the visual's textures, and
// the matrices and box the animation player would move.
#pragma once

#include "zMAT4.h"
#include "zTBBox3D.h"
#include "zCModelTexAniState.h"

class zCModelNodeRec;
class zCVisual;

class zCModelNodeState {
public:
    zCModelNodeState();
    // Releases the visual.
    ~zCModelNodeState() { Release(); }
    zCModelNodeState(const zCModelNodeState&) = delete;
    zCModelNodeState& operator=(const zCModelNodeState&) = delete;

    void Init();
    // Releases the visual and forgets the parent and the node.
    void Release();
    // Takes a reference on the new visual (null clears). With buildTexList the
    // visual's exact class decides: a plain mesh, morph mesh or soft skin reaches
    // a list builder that is not available; a progressive mesh gets no list.
    void SetNodeVisual(zCVisual* newVisual, int buildTexList);

    zCModelNodeState* parentState = nullptr;
    zCModelNodeRec* protoNode = nullptr;
    zCVisual* visual = nullptr;  // counted reference
    zMAT4 trafo;                 // relative to the parent
    zMAT4 trafoObjToCam;
    zTBBox3D bbox3D;
    zCModelTexAniState texAniState;
    // The animation player's words; they keep their first values here.
    int lastAniFrame = 0;
    int lastAniIndex = -1;
    int isAnimated = 0;
};
