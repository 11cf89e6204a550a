// The shared text field of edit and combo box controls, and its edit window.
#include "CXTPControlField.h"

#include "CControlBar.h"
#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPPaintManager.h"

BEGIN_MESSAGE_MAP(CXTPControlFieldCtrl, CXTPEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CXTPControl* CXTPControlFieldCtrl::GetControl() const
{
    return m_pField ? m_pField->m_pFieldControl : nullptr;
}

void CXTPControlFieldCtrl::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pField)
        m_pField->OnEditSetFocus(pOldWnd);
    Default();
    // The whole text is selected once the edit has set its own caret.
    PostMessage(EM_SETSEL, 0, -1);
}

void CXTPControlFieldCtrl::OnKillFocus(CWnd* /*pNewWnd*/)
{
    Default();
    if (m_pField)
        m_pField->OnEditKillFocus();
}

void CXTPControlFieldCtrl::OnDestroy()
{
    if (m_pField)
        GetWindowText(m_pField->m_strEditText);
    Default();
}

HBRUSH CXTPControlFieldCtrl::CtlColor(CDC* pDC, UINT nCtlColor)
{
    return m_pField ? m_pField->OnCtlColor(pDC, nCtlColor) : nullptr;
}

CXTPControlField::~CXTPControlField()
{
    DestroyField();
}

void CXTPControlField::CreateField()
{
    if (m_pEdit)
        return;
    m_pEdit = CreateEditWindow();
    m_pEdit->m_pField = this;
    m_bDelayReposition = TRUE;
}

void CXTPControlField::DestroyField()
{
    if (!m_pEdit)
        return;
    // A field that goes while focused gives the focus back and lowers its lock.
    ReturnFocus();
    m_focus.Leave();
    // What was typed stays the control's text once the field is gone.
    GetEditText();
    m_pEdit->m_pField = nullptr;
    if (m_pEdit->GetSafeHwnd())
        m_pEdit->DestroyWindow();
    delete m_pEdit;
    m_pEdit = nullptr;
}

void CXTPControlField::DestroyFieldWindow()
{
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->DestroyWindow();
}

void CXTPControlField::EnableField(BOOL bEnabled)
{
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->EnableWindow(bEnabled);
}

void CXTPControlField::ShowField()
{
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->SetWindowPos(nullptr, 0, 0, 0, 0,
                              SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                                  (m_pFieldControl->IsVisible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

BOOL CXTPControlField::PlaceEditWindow(BOOL bSameRect, int nRightInset)
{
    CXTPCommandBar* pBar = m_pFieldControl->GetParent();
    HWND hWndBar = pBar ? pBar->GetSafeHwnd() : nullptr;
    if (!m_pEdit || !hWndBar)
        return FALSE;
    if (bSameRect && !m_bDelayReposition && m_pEdit->GetSafeHwnd() && ::GetParent(m_pEdit->GetSafeHwnd()) == hWndBar)
        return FALSE;
    CRect rcEdit = m_pFieldControl->GetRect();
    rcEdit.DeflateRect(m_nLabelWidth + 4, 3, nRightInset, 3);
    if (!m_pEdit->PlaceField(pBar, rcEdit, m_pFieldControl->GetPaintManager()->m_fontIconTitle, m_strEditText,
                             m_pFieldControl->GetEnabled(), m_pFieldControl->IsVisible()))
        return FALSE;
    m_bDelayReposition = FALSE;
    return TRUE;
}

BOOL CXTPControlField::EscapeField()
{
    CXTPCommandBar* pBar = m_pFieldControl->GetParent();
    if (!m_pEdit || !CXTPControlFieldFocus::ReturnFocus(m_pFieldControl, m_pEdit->GetSafeHwnd()))
        return 0;
    if (pBar)
        pBar->SetTrackingMode(FALSE);
    return 1;
}

void CXTPControlField::ReturnFocus()
{
    if (m_pEdit)
        CXTPControlFieldFocus::ReturnFocus(m_pFieldControl, m_pEdit->GetSafeHwnd());
}

BOOL CXTPControlField::CustomizeClick(CPoint point)
{
    if (!m_pFieldControl->IsCustomizeMode())
        return FALSE;
    if (CXTPCommandBar* pBar = m_pFieldControl->GetParent()) {
        pBar->SetPopuped(-1);
        pBar->SetSelected(-1);
    }
    m_pFieldControl->OnCustomizeMouseDown(point);
    return TRUE;
}

DWORD CXTPControlField::LayoutHideFlags(DWORD dwMode) const
{
    const DWORD dwHideFlags = m_pFieldControl->GetHideFlags();
    return (dwMode & LM_VERTDOCK) ? dwHideFlags | xtpHideDockingPosition
                                  : dwHideFlags & ~static_cast<DWORD>(xtpHideDockingPosition);
}

void CXTPControlField::OnEditSetFocus(CWnd* pOldWnd)
{
    m_focus.Enter(m_pFieldControl, pOldWnd);
}

void CXTPControlField::OnEditKillFocus()
{
    m_focus.Leave();
}

CString CXTPControlField::GetEditText() const
{
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->GetWindowText(m_strEditText);
    return m_strEditText;
}

BOOL CXTPControlField::IsFocused() const
{
    return m_pEdit && m_pEdit->GetSafeHwnd() && ::GetFocus() == m_pEdit->GetSafeHwnd();
}

void CXTPControlField::SetLabelWidth(int nWidth)
{
    if (m_nLabelWidth == nWidth)
        return;
    m_nLabelWidth = nWidth;
    m_bDelayReposition = TRUE;
}
