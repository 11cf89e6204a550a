// A group box that paints itself through a buffer, so that resizing does not make it flicker.
#pragma once

#include <windows.h>

#include "CButton.h"

class CDC;

class CXTResizeGroupBox : public CButton {
    DECLARE_DYNCREATE(CXTResizeGroupBox)

public:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    // A look at the paint DC before the buffered painting; nothing by default.
    virtual void OnPaintGroupBox(CDC* pDC, const CRect& rcClient);
};
