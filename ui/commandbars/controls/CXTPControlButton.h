// The plain button of a command bar (type 1).
#pragma once

#include "CXTPControl.h"

class CXTPControlButton : public CXTPControl {
    DECLARE_SERIAL(CXTPControlButton)

public:
    CXTPControlButton();

    void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
    void OnLButtonUp(CPoint point) override;
    // The control's keys, then "Style".
    void DoPropExchange(CXTPPropExchange* pPX) override;
};
