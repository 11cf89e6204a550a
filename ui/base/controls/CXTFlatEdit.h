// An edit whose flat frame rises while the pointer is over it or it has the focus.
#pragma once

#include <windows.h>

#include "CXTEdit.h"
#include "CXTThemeManagerStyle.h"

class CXTFlatControlsTheme;

class CXTFlatEdit : public CXTEdit, public CXTThemeManagerStyleHost {
    DECLARE_DYNCREATE(CXTFlatEdit)

public:
    CXTFlatEdit();

    CXTFlatControlsTheme* GetTheme();
    // 1 normal, 2 raised (hover or focus).
    int GetDrawState() const { return (m_bRaisedDrawn || m_bFocused) ? 2 : 1; }
    void DisableFlatLook(BOOL bDisable) { m_bFlat = !bDisable; }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    BOOL m_bButtonDown = FALSE;
    BOOL m_bRaisedDrawn = FALSE;
    BOOL m_bFocused = FALSE;
    BOOL m_bFlat = TRUE;

protected:
    void OnThemeChanged() override;
    void OnHoverTimer();
    void DrawBorder(CDC* pDC);
    void OnPaintEdit(HDC hPrintDC);
};
