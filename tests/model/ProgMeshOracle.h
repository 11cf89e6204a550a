// The progressive-mesh builder written the direct way (full scans, linear
// searches, arrays that shift on removal): slow, but easy to check line by line
// against the rules. The real builder must give exactly its result.
#pragma once

#include "zCProgMeshBuilder.h"

void BuildProgMeshOracle(const zTProgMeshSource& source, int flags, zTProgMeshBuildResult& result);
// A triangle's plane the direct way: the unit directions of both sides worked out
// and compared for every triangle.
bool ProgMeshOracleTrianglePlane(const zVEC3& p0, const zVEC3& p1, const zVEC3& p2, zTPlane3D& plane);
