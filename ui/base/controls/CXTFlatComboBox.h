// A combo box with a flat frame that rises under the pointer or with the focus, and completion of typed text.
#pragma once

#include <windows.h>

#include "CComboBox.h"
#include "CXTThemeManagerStyle.h"

class CXTFlatControlsTheme;

class CXTFlatComboBox : public CComboBox, public CXTThemeManagerStyleHost {
    DECLARE_DYNCREATE(CXTFlatComboBox)

public:
    CXTFlatComboBox();

    CXTFlatControlsTheme* GetTheme();
    // 1 normal, 2 raised (hover or focus), 3 pressed.
    int GetDrawState() const;
    void EnableAutoCompletion(BOOL bEnable = TRUE) { m_bAutoComplete = bEnable; }
    void DisableFlatLook(BOOL bDisable) { m_bFlat = !bDisable; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    BOOL m_bButtonDown = FALSE;
    BOOL m_bRaisedDrawn = FALSE;
    BOOL m_bFocused = FALSE;
    BOOL m_bAutoComplete = TRUE;
    BOOL m_bFlat = TRUE;
    BOOL m_bSkipCompletion = FALSE;

protected:
    void OnThemeChanged() override;
    void OnHoverTimer();
    void OnEditUpdate();
    void PaintInto(HDC hDC);
};
