// A plane of the geometry: the points p with normal·p = distance.
#pragma once

#include "zVEC3.h"

// Sides of a point or polygon against a plane; polygons also span it.
enum zTPlaneSide { zPLANE_INFRONT = 0, zPLANE_BEHIND = 1, zPLANE_ONPLANE = 2, zPLANE_SPANNING = 3 };

struct zTPlane3D {
    // normal·p - distance above 0.001 is in front, below -0.001 behind, else on the plane.
    int ClassifyPoint(const zVEC3& point) const;

    float distance = 0.0f;
    zVEC3 normal;
};
