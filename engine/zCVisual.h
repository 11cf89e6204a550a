// The base classes of everything the engine can show: meshes, models, morph meshes
// and progressive meshes derive from zCVisual, the animated ones through
// zCVisualAnimate. Visuals may be chained (one per morph frame, for instance).
#pragma once

#include "zCObject.h"
#include "zSTRING.h"
#include "zTBBox3D.h"

class zCVisual : public zCObject {
    zCLASS_DECLARATION(zCVisual)

public:
    zCVisual() = default;
    // Leaves its chain closed behind it, so no neighbour keeps a link to it.
    ~zCVisual() override;

    // Appends other behind the last visual of this one's chain; other's own
    // followers are cut off, and a chain it was in ends before it. Null, or a visual
    // already in this chain, changes nothing.
    void AppendToChain(zCVisual* other);
    // The name the model code calls it by.
    void AppendChainedVisual(zCVisual* other) { AppendToChain(other); }
    zCVisual* GetNextVisual() const { return nextVisual; }
    zCVisual* GetPrevVisual() const { return prevVisual; }

    // In table order. The Reserved slots are kept as they are by the derived
    // classes; they hold the places of the ones that are overridden.
    virtual int Reserved04() { return 1; }
    // Every visual gives its bounding box.
    virtual zTBBox3D GetBBox3D() = 0;
    virtual int Reserved06() { return 0; }
    virtual int Reserved07() { return 0; }
    virtual void Reserved08() {}
    virtual void Reserved09(int, int) {}
    virtual zCVisual* Reserved10() { return this; }
    virtual int Reserved11() { return 0; }
    virtual int Reserved12(int, int, int, int) { return 1; }
    virtual void Reserved13(int, int) {}
    virtual void Reserved14(int, int) {}
    virtual int Reserved15(int) { return 0; }
    virtual int Reserved16() { return 0; }
    virtual void Reserved17() {}
    // A visual of this class by name; the base class loads nothing.
    virtual zCVisual* LoadVisual(const zSTRING& name);

protected:
    zCVisual* nextVisual = nullptr;
    zCVisual* prevVisual = nullptr;
    float distanceOuter = 50000.0f;
    float distanceInner = 49000.0f;
};

class zCVisualAnimate : public zCVisual {
    zCLASS_DECLARATION(zCVisualAnimate)

public:
    zCVisualAnimate() = default;
    ~zCVisualAnimate() override = default;
};
