// A colour swatch of the button image editor: paints its colour and tells its parent of clicks.
#pragma once

#include "CWnd.h"

class CXTPImageEditorPicker : public CWnd {
    DECLARE_DYNAMIC(CXTPImageEditorPicker)

public:
    COLORREF GetColor() const { return m_clr; }
    void SetColor(COLORREF clr);
    BOOL IsSelected() const { return m_bSelected; }
    void SetSelected(BOOL bSelected);

    // Paints the client area into the DC.
    void Draw(HDC hDC) const;

    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_clr = 0;
    BOOL m_bSelected = FALSE;
};
