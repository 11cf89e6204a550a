// Planes.
#include "zTPlane3D.h"

namespace {

const float kPlaneEps = 0.001f;

} // namespace

int zTPlane3D::ClassifyPoint(const zVEC3& point) const
{
    const float d = DotProduct(normal, point) - distance;
    if (d > kPlaneEps)
        return zPLANE_INFRONT;
    if (d < -kPlaneEps)
        return zPLANE_BEHIND;
    return zPLANE_ONPLANE;
}
