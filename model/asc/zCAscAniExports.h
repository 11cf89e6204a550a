// The animation exports of a model: one ASC description per source file its
// animations were read from, with one pose per frame, sampled or interpolated.
#pragma once

#include <vector>

#include "zCAscWriter.h"

class zCModelPrototype;

// In the order the source names are first met in the animation list. Frames that
// no animation samples are interpolated from the two nearest poses (both may lie on
// one side, which extrapolates); with a single pose, that pose is held.
std::vector<zTAscExportInfo> BuildAscAniExports(zCModelPrototype& proto);
