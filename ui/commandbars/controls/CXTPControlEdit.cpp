// The edit control of command bars: window placement, text, focus and keys, and its edit window.
#include "CXTPControlEdit.h"

#include "CArchive.h"
#include "CControlBar.h"
#include "CDC.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPHookManager.h"
#include "CXTPPaintManager.h"
#include "CXTPPropExchange.h"

IMPLEMENT_SERIAL(CXTPControlEdit, CXTPControl, VERSIONABLE_SCHEMA | 0x11)

BEGIN_MESSAGE_MAP(CXTPControlEditCtrl, CXTPEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

namespace {

const UINT kShowFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

}  // namespace

CXTPControlEdit::CXTPControlEdit()
{
    m_controlType = xtpControlEdit;
}

CXTPControlEdit::~CXTPControlEdit()
{
    // A field that still has the focus gives it back, and the lock its focus raised goes with it.
    if (m_pEdit)
        CXTPControlFieldFocus::ReturnFocus(this, m_pEdit->GetSafeHwnd());
    m_focus.Leave();
    if (m_pEdit) {
        m_pEdit->m_pControl = nullptr;
        if (m_pEdit->GetSafeHwnd())
            m_pEdit->DestroyWindow();
        delete m_pEdit;
    }
}

CXTPControlEditCtrl* CXTPControlEdit::CreateEditWindow()
{
    return new CXTPControlEditCtrl;
}

BOOL CXTPControlEdit::IsFocused() const
{
    return m_pEdit && m_pEdit->GetSafeHwnd() && ::GetFocus() == m_pEdit->GetSafeHwnd();
}

void CXTPControlEdit::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled == bEnabled)
        return;
    m_bEnabled = bEnabled;
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->EnableWindow(bEnabled);
    DelayLayoutParent();
}

void CXTPControlEdit::ShowEditWindow()
{
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->SetWindowPos(nullptr, 0, 0, 0, 0, kShowFlags | (m_dwHideFlags == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CXTPControlEdit::SetRect(CRect rcControl)
{
    if (!m_pEdit) {
        m_pEdit = CreateEditWindow();
        m_pEdit->m_pControl = this;
    }
    HWND hWndBar = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    if (rcControl == m_rcControl && !m_bDelayReposition && m_pEdit->GetSafeHwnd() &&
        ::GetParent(m_pEdit->GetSafeHwnd()) == hWndBar)
        return;
    m_rcControl = rcControl;
    if (!hWndBar)
        return;
    CRect rcEdit = rcControl;
    rcEdit.DeflateRect(m_nLabelWidth + 4, 3, 3, 3);
    if (!m_pEdit->PlaceField(m_pParent, rcEdit, GetPaintManager()->m_fontIconTitle, m_strEditText, m_bEnabled,
                             m_dwHideFlags == 0))
        return;
    m_pEdit->SendMessage(EM_SETREADONLY, m_bReadOnly);
    m_bDelayReposition = FALSE;
}

int CXTPControlEdit::MeasureLabel(CXTPControl* pControl, CDC* pDC, int nThemeWidth, BOOL bShowLabel)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar && pBar->GetType() == xtpBarTypePopup)
        return nThemeWidth;
    if (!bShowLabel || !pDC)
        return 0;
    return pDC->GetTextExtent(CXTPPaintManager::StripMnemonics(pControl->GetCaption())).cx + 5;
}

CSize CXTPControlEdit::MeasureTheme(CXTPControl* pControl, CDC* pDC, CRect& rcControl)
{
    // Without a rectangle the theme answers the field's height and nothing but a popup's label across.
    const CRect rcPlaced = rcControl;
    rcControl.SetRectEmpty();
    const CSize size = pControl->CXTPControl::GetSize(pDC);
    rcControl = rcPlaced;
    return size;
}

CSize CXTPControlEdit::GetSize(CDC* pDC)
{
    const CSize szTheme = MeasureTheme(this, pDC, m_rcControl);
    SetLabelWidth(MeasureLabel(this, pDC, szTheme.cx, m_bShowLabel));
    const BOOL bPopup = m_pParent && m_pParent->GetType() == xtpBarTypePopup;
    return CSize(bPopup ? m_nLabelWidth + m_nWidth : m_nWidth, szTheme.cy);
}

BOOL CXTPControlEdit::Compare(CXTPControl* pOther)
{
    if (!CXTPControl::Compare(pOther) || !pOther->IsKindOf(RUNTIME_CLASS(CXTPControlEdit)))
        return FALSE;
    return m_nWidth == static_cast<CXTPControlEdit*>(pOther)->m_nWidth;
}

void CXTPControlEdit::SetHideFlags(DWORD dwFlags)
{
    if (m_dwHideFlags == dwFlags)
        return;
    m_dwHideFlags = dwFlags;
    ShowEditWindow();
    RedrawParent();
}

void CXTPControlEdit::OnLayoutMode(DWORD dwMode)
{
    SetHideFlags((dwMode & LM_VERTDOCK) ? m_dwHideFlags | xtpHideDockingPosition
                                        : m_dwHideFlags & ~static_cast<DWORD>(xtpHideDockingPosition));
}

void CXTPControlEdit::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    if (pPX->m_nSchema > 5) {
        PX_Bool(pPX, "HasLabel", m_bShowLabel, FALSE);
        long nWidth = m_nWidth;
        PX_LongDefault(pPX, "Width", nWidth, 0);
        m_nWidth = static_cast<int>(nWidth);
    }
    if (pPX->m_nSchema > 7) {
        BOOL bReadOnly = m_bReadOnly;
        PX_Bool(pPX, "ReadOnly", bReadOnly, FALSE);
        if (pPX->IsLoading())
            SetReadOnly(bReadOnly);
    }
}

BOOL CXTPControlEdit::OnHookKeyDown(UINT nChar)
{
    if (!m_pEdit || !m_pEdit->GetSafeHwnd())
        return 2;
    if (nChar != VK_ESCAPE)
        return 2;
    CXTPCommandBar* pBar = m_pParent;
    if (!CXTPControlFieldFocus::ReturnFocus(this, m_pEdit->GetSafeHwnd()))
        return 0;
    if (pBar)
        pBar->SetTrackingMode(FALSE);
    return 1;
}

void CXTPControlEdit::SetParent(CXTPCommandBar* pParent)
{
    m_pParent = pParent;
    if (!pParent && m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->DestroyWindow();
}

void CXTPControlEdit::Copy(CXTPControl* pSrc, BOOL bRecursive)
{
    if (auto* pEdit = dynamic_cast<CXTPControlEdit*>(pSrc)) {
        m_nWidth = pEdit->m_nWidth;
        SetEditText(pEdit->GetEditText());
        m_bShowLabel = pEdit->m_bShowLabel;
        SetReadOnly(pEdit->m_bReadOnly);
    }
    CXTPControl::Copy(pSrc, bRecursive);
}

CXTPControl* CXTPControlEdit::Clone(BOOL bRecursive)
{
    auto* pClone = new CXTPControlEdit;
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CXTPControlEdit::OnClick(BOOL bKeyboard, CPoint point)
{
    if (IsCustomizeMode()) {
        if (m_pParent) {
            m_pParent->SetPopuped(-1);
            m_pParent->SetSelected(-1);
        }
        OnCustomizeMouseDown(point);
        return;
    }
    if (bKeyboard && IsFocused()) {
        Execute();
        return;
    }
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->SetFocus();
}

void CXTPControlEdit::OnMouseHover()
{
    if (!XTPHookManager()->IsLocked())
        CXTPControl::OnMouseHover();
}

BOOL CXTPControlEdit::OnSetSelected(int bSelected)
{
    if (!CXTPControl::OnSetSelected(bSelected))
        return FALSE;
    if (!bSelected && m_pEdit)
        CXTPControlFieldFocus::ReturnFocus(this, m_pEdit->GetSafeHwnd());
    return TRUE;
}

void CXTPControlEdit::SetWidth(int nWidth)
{
    if (m_nWidth == nWidth)
        return;
    m_nWidth = nWidth;
    // A new width is a new place for the controls after it.
    DelayLayoutParent();
    RedrawParent();
}

void CXTPControlEdit::OnEditSetFocus(CWnd* pOldWnd)
{
    m_focus.Enter(this, pOldWnd);
}

void CXTPControlEdit::OnEditKillFocus()
{
    m_focus.Leave();
}

HBRUSH CXTPControlEdit::OnCtlColor(CDC* pDC, UINT /*nCtlColor*/)
{
    if (!m_pEdit || !m_pEdit->GetSafeHwnd())
        return nullptr;
    pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

CString CXTPControlEdit::GetEditText() const
{
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->GetWindowText(m_strEditText);
    return m_strEditText;
}

void CXTPControlEdit::SetEditText(const char* lpszText)
{
    CString strText(lpszText ? lpszText : "");
    if (!m_pEdit) {
        m_pEdit = CreateEditWindow();
        m_pEdit->m_pControl = this;
    }
    if (m_pEdit->GetSafeHwnd()) {
        // The same text again sends nothing: no change notification for the application.
        if (GetEditText() != strText)
            m_pEdit->SetWindowText(strText);
    }
    m_strEditText = strText;
}

void CXTPControlEdit::SetReadOnly(BOOL bReadOnly)
{
    m_bReadOnly = bReadOnly;
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->SendMessage(EM_SETREADONLY, bReadOnly);
}

void CXTPControlEdit::ShowLabel(BOOL bShow)
{
    if (m_bShowLabel == bShow)
        return;
    m_bShowLabel = bShow;
    DelayLayoutParent();
}

void CXTPControlEdit::SetLabelWidth(int nWidth)
{
    if (m_nLabelWidth == nWidth)
        return;
    m_nLabelWidth = nWidth;
    m_bDelayReposition = TRUE;
}

void CXTPControlEditCtrl::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pControl)
        m_pControl->OnEditSetFocus(pOldWnd);
    Default();
    // The whole text is selected once the edit has set its own caret.
    PostMessage(EM_SETSEL, 0, -1);
}

void CXTPControlEditCtrl::OnKillFocus(CWnd* /*pNewWnd*/)
{
    Default();
    if (m_pControl)
        m_pControl->OnEditKillFocus();
}

void CXTPControlEditCtrl::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    Default();
    CXTPCommandBar* pBar = m_pControl ? m_pControl->GetParent() : nullptr;
    if (!pBar || !pBar->GetSafeHwnd())
        return;
    MapWindowPoints(pBar, &point, 1);
    pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
}

void CXTPControlEditCtrl::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    if (!m_pControl || !m_pControl->IsCustomizeMode()) {
        Default();
        return;
    }
    CXTPCommandBar* pBar = m_pControl->GetParent();
    if (pBar && pBar->IsCustomizable() && !(m_pControl->GetFlags() & xtpFlagNoMovable))
        m_pControl->OnClick(FALSE, CPoint(0, 0));
}

void CXTPControlEditCtrl::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    CXTPCommandBar* pBar = m_pControl ? m_pControl->GetParent() : nullptr;
    if (m_pControl && m_pControl->IsCustomizeMode()) {
        if (pBar && pBar->GetSafeHwnd()) {
            MapWindowPoints(pBar, &point, 1);
            pBar->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
        }
        return;
    }
    if (pBar && pBar->GetPosition() == xtpBarPopup)
        return;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (!ShowContextMenu(ptScreen))
        Default();
}

void CXTPControlEditCtrl::OnPaint()
{
    PaintField(::GetSysColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE));
}

BOOL CXTPControlEditCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    if (IsRichEditWindow())
        return static_cast<BOOL>(Default());
    return TRUE;
}

void CXTPControlEditCtrl::OnDestroy()
{
    if (m_pControl)
        GetWindowText(m_pControl->m_strEditText);
    Default();
}

HBRUSH CXTPControlEditCtrl::CtlColor(CDC* pDC, UINT nCtlColor)
{
    return m_pControl ? m_pControl->OnCtlColor(pDC, nCtlColor) : nullptr;
}
