// The text field of a command bar (type 6): an edit window placed in the bar, its caption as a
// label, the text kept by the control while no window exists.
#pragma once

#include "CXTPControl.h"
#include "CXTPControlField.h"

// The edit window of an edit control.
class CXTPControlEditCtrl : public CXTPControlFieldCtrl {
public:
    DECLARE_MESSAGE_MAP()

protected:
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
};

class CXTPControlEdit : public CXTPControl, public CXTPControlField {
    DECLARE_SERIAL(CXTPControlEdit)

public:
    CXTPControlEdit();
    ~CXTPControlEdit() override;

    void SetEnabled(BOOL bEnabled) override;
    void SetRect(CRect rcControl) override;
    BOOL Compare(CXTPControl* pOther) override;
    void SetHideFlags(DWORD dwFlags) override;
    void OnLayoutMode(DWORD dwMode) override { SetHideFlags(LayoutHideFlags(dwMode)); }
    void DoPropExchange(CXTPPropExchange* pPX) override;
    // 1 Escape taken (the focus went back), 0 Escape without focus, 2 the key is the field's.
    BOOL OnHookKeyDown(UINT nChar) override;
    void SetParent(CXTPCommandBar* pParent) override;
    void Copy(CXTPControl* pSrc, BOOL bRecursive = FALSE) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
    void OnMouseHover() override;
    BOOL OnSetSelected(int bSelected) override;
    BOOL CanResizeInCustomize() override { return TRUE; }
    int GetCustomizeMinWidth() override { return m_bShowLabel ? m_nLabelWidth + 10 : 10; }
    void SetWidth(int nWidth) override;
    CXTPControl* Clone(BOOL bRecursive = FALSE) override;

    CXTPControlEditCtrl* CreateEditWindow() override;
    HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor) override;

    void SetEditText(const char* lpszText);
    BOOL GetReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(BOOL bReadOnly);
    int GetWidth() const { return m_nWidth; }
    BOOL GetShowLabel() const { return m_bShowLabel; }
    void ShowLabel(BOOL bShow);
    CXTPControlEditCtrl* GetEditCtrl() const { return static_cast<CXTPControlEditCtrl*>(m_pEdit); }

protected:
    int m_nWidth = 100;
    BOOL m_bShowLabel = TRUE;
    BOOL m_bReadOnly = FALSE;
};
