// The text field of a command bar (type 6): an edit window placed in the bar, its caption as a
// label, the text kept by the control while no window exists.
#pragma once

#include "CXTPControl.h"
#include "CXTPControlFieldFocus.h"
#include "CXTPEdit.h"

class CXTPControlEdit;

// The edit window of an edit control.
class CXTPControlEditCtrl : public CXTPEdit {
public:
    CXTPControlEdit* m_pControl = nullptr;  // not owned; cleared when the control goes

    DECLARE_MESSAGE_MAP()

protected:
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnDestroy();
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
};

class CXTPControlEdit : public CXTPControl {
    DECLARE_SERIAL(CXTPControlEdit)

public:
    CXTPControlEdit();
    ~CXTPControlEdit() override;

    void SetEnabled(BOOL bEnabled) override;
    void SetRect(CRect rcControl) override;
    BOOL Compare(CXTPControl* pOther) override;
    void SetHideFlags(DWORD dwFlags) override;
    // The theme's height; the field's width, after the label in popups.
    CSize GetSize(CDC* pDC) override;
    void OnLayoutMode(DWORD dwMode) override;
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

    // A new edit window object, not yet created, linked to this control.
    virtual CXTPControlEditCtrl* CreateEditWindow();
    virtual void OnEditSetFocus(CWnd* pOldWnd);
    virtual void OnEditKillFocus();
    virtual HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor);

    // The window's text when it exists, else the text kept.
    CString GetEditText() const;
    void SetEditText(const char* lpszText);
    BOOL GetReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(BOOL bReadOnly);
    int GetWidth() const { return m_nWidth; }
    BOOL GetShowLabel() const { return m_bShowLabel; }
    void ShowLabel(BOOL bShow);
    // Measured by the paint manager; a change moves the window at the next placement.
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth);
    CXTPControlEditCtrl* GetEditCtrl() const { return m_pEdit; }
    // The window exists and has the focus.
    BOOL IsFocused() const;

    // A field's label: in popups what the theme measured for the control without a rectangle,
    // elsewhere the caption and 5 pixels when shown; nThemeWidth and szTheme are the theme's.
    static int MeasureLabel(CXTPControl* pControl, CDC* pDC, int nThemeWidth, BOOL bShowLabel);
    // The theme's measure of a field control, its placed rectangle set aside meanwhile.
    static CSize MeasureTheme(CXTPControl* pControl, CDC* pDC, CRect& rcControl);

protected:
    void ShowEditWindow();

    CXTPControlEditCtrl* m_pEdit = nullptr;
    int m_nWidth = 100;
    mutable CString m_strEditText;
    BOOL m_bShowLabel = TRUE;
    BOOL m_bReadOnly = FALSE;
    int m_nLabelWidth = 0;
    BOOL m_bDelayReposition = FALSE;
    CXTPControlFieldFocus m_focus;

    friend class CXTPControlEditCtrl;
};
