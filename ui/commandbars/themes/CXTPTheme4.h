// Theme 4: theme 2 without scheme palettes; only three of its colours follow the colour scheme.
#pragma once

#include "CXTPTheme2.h"

class CXTPTheme4 : public CXTPTheme2 {
public:
    CXTPTheme4();

    static CXTPPaintManager* Create() { return new CXTPTheme4; }

    void RefreshMetrics() override;
};
