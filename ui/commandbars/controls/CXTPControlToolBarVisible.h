// An item of the toolbars menu: shows or hides the bar whose index in the command bars is its tag.
#pragma once

#include "CXTPControlButton.h"

class CXTPControlToolBarVisible : public CXTPControlButton {
    DECLARE_SERIAL(CXTPControlToolBarVisible)

public:
    CXTPControlToolBarVisible();
    void Execute() override;
};
