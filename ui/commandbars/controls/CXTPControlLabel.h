// A label in a command bar: its caption drawn by the paint manager; clicking it does nothing.
#pragma once

#include "CXTPControl.h"

class CXTPControlLabel : public CXTPControl {
    DECLARE_SERIAL(CXTPControlLabel)

public:
    CXTPControlLabel();

    void Execute() override {}
};
