// The model visual: an instance of a model prototype with one node state per node,
// its soft skins and applied mesh libraries, and its scaled boxes. The animation
// player is not part of this program.
#pragma once

#include <cstdint>
#include <memory>

#include "zCArray.h"
#include "zCModelNodeState.h"
#include "zCModelTexAniState.h"
#include "zCVisual.h"
#include "zTBBox3D.h"
#include "zVEC3.h"

class zCMeshSoftSkin;
class zCModelMeshLib;
class zCModelPrototype;

// An applied mesh library and the textures it brought.
struct zTModelMeshLibEntry {
    zCModelMeshLib* meshLib = nullptr;  // one reference held
    zCModelTexAniState texAniState;
};

class zCModel : public zCVisualAnimate {
    zCLASS_DECLARATION(zCModel)

public:
    // Flags.
    static constexpr std::uint16_t kFlagScaled = 1u << 4;

    zCModel();
    // Keeps the prototype: the caller adds the reference the model holds.
    explicit zCModel(zCModelPrototype* proto);
    ~zCModel() override;

    void Init();
    zTBBox3D GetBBox3D() override { return bbox3D; }
    // A new model of the prototype of that name; null when it cannot be loaded.
    zCVisual* LoadVisual(const zSTRING& name) override;

    void CreateNodeStates();
    void SetScale(const zVEC3& newScale);
    void CalcModelBBox3DWorld();
    // The first state whose node has exactly this name.
    zCModelNodeState* SearchNode(const zSTRING& name) const;
    // The state's visual, through which the model shows a node mesh.
    void SetNodeVisual(zCModelNodeState* state, zCVisual* visual);

    // Loads or builds the library of a mesh ASC or library name and applies it.
    int ApplyMeshLib(const zSTRING& name);
    // Removes an applied library (by file name); 0 when it is not applied.
    int DetachMeshLib(const zSTRING& name);

    int activeAniCount = 0;  // nothing here plays animations
    zCArray<zCModelPrototype*> modelProtoList;  // one reference each; the first is the model's own
    zCArray<zCModelNodeState*> nodeList;        // into nodeStates
    zCArray<zCMeshSoftSkin*> softSkinList;      // one reference each
    zCArray<zTModelMeshLibEntry*> meshLibList;  // owned entries
    zTBBox3D bbox3D;
    zTBBox3D scaledProtoBox;
    zTBBox3D scaledCollisionBox;
    zVEC3 scale;
    std::uint16_t flags = 0;

private:
    std::unique_ptr<zCModelNodeState[]> nodeStates;
    int numNodeStates = 0;
};
