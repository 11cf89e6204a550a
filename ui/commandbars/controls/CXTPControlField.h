// The text field that the edit and the combo box controls share: the edit window, the text kept
// while it has none, its place right of the label, its focus and the keys that give it back.
#pragma once

#include <windows.h>

#include "CRect.h"
#include "CString.h"
#include "CXTPControlFieldFocus.h"
#include "CXTPEdit.h"

class CDC;
class CWnd;
class CXTPControl;
class CXTPControlField;

// The edit window of a field: it reports its focus to the field and leaves its text there when
// it goes.
class CXTPControlFieldCtrl : public CXTPEdit {
public:
    CXTPControlField* m_pField = nullptr;  // not owned; cleared when the control goes

    DECLARE_MESSAGE_MAP()

protected:
    // The control the field belongs to; null once it went.
    CXTPControl* GetControl() const;

    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnDestroy();
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
};

// Mixed into a control class beside its command-bar base, which it works on through the
// pointer the control hands its constructor.
class CXTPControlField {
public:
    virtual ~CXTPControlField();
    CXTPControlField(const CXTPControlField&) = delete;
    CXTPControlField& operator=(const CXTPControlField&) = delete;

    // A new window object, not yet created.
    virtual CXTPControlFieldCtrl* CreateEditWindow() = 0;
    virtual void OnEditSetFocus(CWnd* pOldWnd);
    virtual void OnEditKillFocus();
    // The window's reflected colour message; null keeps the edit's own colours.
    virtual HBRUSH OnCtlColor(CDC* /*pDC*/, UINT /*nCtlColor*/) { return nullptr; }

    // The window's text when it exists, else the text kept.
    CString GetEditText() const;
    // The window exists and has the focus.
    BOOL IsFocused() const;
    // Measured by the paint manager; a change moves the window at the next placement.
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth);

protected:
    explicit CXTPControlField(CXTPControl* pControl) : m_pFieldControl(pControl) {}

    // Makes the window object, linked to the field, when there is none.
    void CreateField();
    // The window gives the focus back, leaves its text and goes, its object with it.
    void DestroyField();
    // Only the window goes; the object makes a new one at the next placement.
    void DestroyFieldWindow();
    void EnableField(BOOL bEnabled);
    // Shown while the control is visible, hidden otherwise; not moved.
    void ShowField();
    // Places the window in the control's rectangle less the label on the left, nRightInset on
    // the right and 3 pixels above and below; FALSE when nothing was placed (no object or bar,
    // or bSameRect and already in place).
    BOOL PlaceEditWindow(BOOL bSameRect, int nRightInset);
    // Escape typed in the field: 1 when it had the focus and gave it back (the bar leaves its
    // keyboard state), else 0.
    BOOL EscapeField();
    // The focus goes back to the bar's saved window when the field has it.
    void ReturnFocus();
    // In customize mode a click closes the bar's popup, clears its selection and starts the
    // drag; FALSE outside it.
    BOOL CustomizeClick(CPoint point);
    // The control's hide flags for a bar's layout mode: fields leave vertically docked bars.
    DWORD LayoutHideFlags(DWORD dwMode) const;

    CXTPControl* m_pFieldControl;
    CXTPControlFieldCtrl* m_pEdit = nullptr;
    mutable CString m_strEditText;
    int m_nLabelWidth = 0;
    BOOL m_bDelayReposition = FALSE;
    CXTPControlFieldFocus m_focus;

    friend class CXTPControlFieldCtrl;
};
