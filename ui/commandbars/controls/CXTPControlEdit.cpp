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

BEGIN_MESSAGE_MAP(CXTPControlEditCtrl, CXTPControlFieldCtrl)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CXTPControlEdit::CXTPControlEdit() : CXTPControlField(this)
{
    m_controlType = xtpControlEdit;
}

CXTPControlEdit::~CXTPControlEdit() = default;

CXTPControlEditCtrl* CXTPControlEdit::CreateEditWindow()
{
    return new CXTPControlEditCtrl;
}

void CXTPControlEdit::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled == bEnabled)
        return;
    m_bEnabled = bEnabled;
    EnableField(bEnabled);
    DelayLayoutParent();
}

void CXTPControlEdit::SetRect(CRect rcControl)
{
    CreateField();
    const BOOL bSameRect = rcControl == m_rcControl;
    m_rcControl = rcControl;
    if (PlaceEditWindow(bSameRect, 3))
        m_pEdit->SendMessage(EM_SETREADONLY, m_bReadOnly);
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
    ShowField();
    RedrawParent();
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
    if (!m_pEdit || !m_pEdit->GetSafeHwnd() || nChar != VK_ESCAPE)
        return 2;
    return EscapeField();
}

void CXTPControlEdit::SetParent(CXTPCommandBar* pParent)
{
    m_pParent = pParent;
    if (!pParent)
        DestroyFieldWindow();
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
    if (CustomizeClick(point))
        return;
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
    if (!bSelected)
        ReturnFocus();
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

HBRUSH CXTPControlEdit::OnCtlColor(CDC* pDC, UINT /*nCtlColor*/)
{
    if (!m_pEdit || !m_pEdit->GetSafeHwnd())
        return nullptr;
    pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

void CXTPControlEdit::SetEditText(const char* lpszText)
{
    CString strText(lpszText ? lpszText : "");
    CreateField();
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

void CXTPControlEditCtrl::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    Default();
    CXTPControl* pControl = GetControl();
    CXTPCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    if (!pBar || !pBar->GetSafeHwnd())
        return;
    MapWindowPoints(pBar, &point, 1);
    pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
}

void CXTPControlEditCtrl::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    CXTPControl* pControl = GetControl();
    if (!pControl || !pControl->IsCustomizeMode()) {
        Default();
        return;
    }
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar && pBar->IsCustomizable() && !(pControl->GetFlags() & xtpFlagNoMovable))
        pControl->OnClick(FALSE, CPoint(0, 0));
}

void CXTPControlEditCtrl::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    CXTPControl* pControl = GetControl();
    CXTPCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    if (pControl && pControl->IsCustomizeMode()) {
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

