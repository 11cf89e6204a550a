// The stand-in for the default command-bar theme until the real themes exist: the base painter as is.
#pragma once

#include "CXTPPaintManager.h"

class CXTPDefaultThemeStandIn : public CXTPPaintManager {
public:
    static CXTPPaintManager* Create() { return new CXTPDefaultThemeStandIn; }
};
