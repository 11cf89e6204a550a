// The close square in a floating toolbar's caption: hides the toolbar.
#pragma once

#include "CXTPControlButton.h"

class CXTPControlCloseButton : public CXTPControlButton {
    DECLARE_DYNCREATE(CXTPControlCloseButton)

public:
    CXTPControlCloseButton();

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void Execute() override;

    // Hides the control's bar; the bar and the control outlive the call (hiding a torn-off bar
    // removes it).
    static void HideParentBar(CXTPControl* pControl);
};
