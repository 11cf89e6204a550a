// The framework's standard ids: defined once by name in the generated ResourceIds.h (from
// resources/ids/framework.txt and the named string table), and the separator of bars.
#pragma once

#include "ResourceIds.h"

// Not an id: a gap between a bar's buttons, or a status bar's empty stretching pane.
#define ID_SEPARATOR 0
