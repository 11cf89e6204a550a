// The morph-mesh visual: an instance of a shared morph-mesh prototype and its
// reference mesh. Playing morph anis is not part of this program.
#pragma once

#include "zCArray.h"
#include "zCModelTexAniState.h"
#include "zCVisual.h"

class zCMorphMeshProto;
class zCProgMeshProto;

// An entry of the layer and play lists; nothing fills them here.
struct zTMorphMeshAniLayer;

class zCMorphMesh : public zCVisualAnimate {
    zCLASS_DECLARATION(zCMorphMesh)

public:
    zCMorphMesh();
    // Takes a reference of the prototype and of its reference mesh, then builds the
    // texture list, which is not available: it shows its error box and ends there.
    explicit zCMorphMesh(zCMorphMeshProto* proto);
    ~zCMorphMesh() override;

    // The reference mesh's box, or the zero box without one.
    zTBBox3D GetBBox3D() override;
    // A new visual of the morph mesh of that name; null when it cannot be loaded.
    zCVisual* LoadVisual(const zSTRING& name) override;

    zCMorphMeshProto* GetProto() const { return morphProto; }
    zCProgMeshProto* GetRefMesh() const { return morphRefMesh; }

private:
    zCMorphMeshProto* morphProto = nullptr;   // one reference held
    zCProgMeshProto* morphRefMesh = nullptr;  // one reference held
    zCModelTexAniState texAniState;
    zCArraySort<zTMorphMeshAniLayer*> aniLayerList;  // owned entries
    zCArray<zTMorphMeshAniLayer*> aniPlayList;
};

// The compare function of a prototype instance's layer list; not available: shows
// "CompareMorphMeshAniLayer not full" and ends the process.
[[noreturn]] int CompareMorphMeshAniLayer(const void* a, const void* b);
