// The "Toolbar Options" button at the end of a toolbar: shows that buttons are hidden and
// opens the toolbar's options menu.
#pragma once

#include "CXTPControlButton.h"

class CXTPControlExpandButton : public CXTPControlButton {
    DECLARE_DYNCREATE(CXTPControlExpandButton)

public:
    CXTPControlExpandButton();

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
    // Some control of the bar is hidden for lack of room.
    BOOL HasHiddenControls() const;
};
