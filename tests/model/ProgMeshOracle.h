// The progressive-mesh builder written the direct way (full scans, linear
// searches, arrays that shift on removal): slow, but easy to check line by line
// against the rules. The real builder must give exactly its result.
#pragma once

#include "zCProgMeshBuilder.h"

void BuildProgMeshOracle(const zTProgMeshSource& source, int flags, zTProgMeshBuildResult& result);
