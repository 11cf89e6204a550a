// The combo box control: its list, its text field, selection and keys, and the field's window.
#include "CXTPControlComboBox.h"

#include "CArchive.h"
#include "CControlBar.h"
#include "CDC.h"
#include "CXTPCommandBar.h"
#include "CXTPControlComboBoxList.h"
#include "CXTPControlEdit.h"
#include "CXTPHoldRef.h"
#include "CXTPHookManager.h"
#include "CXTPPaintManager.h"
#include "CXTPPropExchange.h"

IMPLEMENT_SERIAL(CXTPControlComboBox, CXTPControlPopup, VERSIONABLE_SCHEMA | 0x11)

BEGIN_MESSAGE_MAP(CXTPControlComboBoxEditCtrl, CXTPEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_CONTEXTMENU()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

namespace {

const UINT kShowFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

}  // namespace

CXTPControlComboBox::CXTPControlComboBox()
{
    m_controlType = xtpControlComboBox;
    auto* pList = static_cast<CXTPControlComboBoxList*>(RUNTIME_CLASS(CXTPControlComboBoxList)->CreateObject());
    pList->SetListWidth(0);
    pList->CreateListBox();
    SetCommandBar(pList);
    pList->InternalRelease();
}

CXTPControlComboBox::~CXTPControlComboBox()
{
    SetDropDown(FALSE);
}

CXTPControlComboBoxList* CXTPControlComboBox::GetListBox() const
{
    return dynamic_cast<CXTPControlComboBoxList*>(m_pCommandBar);
}

BOOL CXTPControlComboBox::IsFocused() const
{
    return m_pEdit && m_pEdit->GetSafeHwnd() && ::GetFocus() == m_pEdit->GetSafeHwnd();
}

void CXTPControlComboBox::SetDropDown(BOOL bDropDown)
{
    m_bDropDown = bDropDown;
    if (bDropDown && !m_pEdit) {
        m_pEdit = CreateEditWindow();
        m_pEdit->m_pControl = this;
        m_bDelayReposition = TRUE;
    } else if (!bDropDown && m_pEdit) {
        // A field that goes while focused gives the focus back and lowers its lock.
        CXTPControlFieldFocus::ReturnFocus(this, m_pEdit->GetSafeHwnd());
        m_focus.Leave();
        m_pEdit->m_pControl = nullptr;
        if (m_pEdit->GetSafeHwnd())
            m_pEdit->DestroyWindow();
        delete m_pEdit;
        m_pEdit = nullptr;
    }
}

CXTPControlComboBoxEditCtrl* CXTPControlComboBox::CreateEditWindow()
{
    return new CXTPControlComboBoxEditCtrl;
}

void CXTPControlComboBox::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled == bEnabled)
        return;
    m_bEnabled = bEnabled;
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->EnableWindow(bEnabled);
    RedrawParent();
}

void CXTPControlComboBox::ShowEditWindow()
{
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->SetWindowPos(nullptr, 0, 0, 0, 0, kShowFlags | (m_dwHideFlags == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CXTPControlComboBox::SetRect(CRect rcControl)
{
    HWND hWndBar = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    if (rcControl == m_rcControl && m_pEdit && m_pEdit->GetSafeHwnd() &&
        ::GetParent(m_pEdit->GetSafeHwnd()) == hWndBar && !m_bDelayReposition)
        return;
    m_rcControl = rcControl;
    if (!m_pEdit || !hWndBar)
        return;
    CRect rcEdit = rcControl;
    rcEdit.DeflateRect(m_nLabelWidth + 4, 3, m_nThumbWidth + 3, 3);
    if (!m_pEdit->PlaceField(m_pParent, rcEdit, GetPaintManager()->m_fontIconTitle, m_strEditText, m_bEnabled,
                             m_dwHideFlags == 0))
        return;
    m_bDelayReposition = FALSE;
}

CSize CXTPControlComboBox::GetSize(CDC* pDC)
{
    const CSize szTheme = CXTPControlEdit::MeasureTheme(this, pDC, m_rcControl);
    // A combo shows its caption as a label in popups only.
    SetLabelWidth(CXTPControlEdit::MeasureLabel(this, pDC, szTheme.cx, FALSE));
    const BOOL bPopup = m_pParent && m_pParent->GetType() == xtpBarTypePopup;
    return CSize(bPopup ? m_nLabelWidth + m_nWidth : m_nWidth, szTheme.cy);
}

BOOL CXTPControlComboBox::Compare(CXTPControl* pOther)
{
    if (!CXTPControlPopup::Compare(pOther) || !pOther->IsKindOf(RUNTIME_CLASS(CXTPControlComboBox)))
        return FALSE;
    return m_nWidth == static_cast<CXTPControlComboBox*>(pOther)->m_nWidth;
}

void CXTPControlComboBox::SetHideFlags(DWORD dwFlags)
{
    if (m_dwHideFlags == dwFlags)
        return;
    m_dwHideFlags = dwFlags;
    ShowEditWindow();
    DelayLayoutParent();
}

void CXTPControlComboBox::Execute()
{
    m_nLastSel = GetCurSel();
    CXTPControlPopup::Execute();
}

void CXTPControlComboBox::OnLayoutMode(DWORD dwMode)
{
    SetHideFlags((dwMode & LM_VERTDOCK) ? m_dwHideFlags | xtpHideDockingPosition
                                        : m_dwHideFlags & ~static_cast<DWORD>(xtpHideDockingPosition));
}

void CXTPControlComboBox::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControlPopup::DoPropExchange(pPX);
    BOOL bDropDown = m_pEdit != nullptr;
    PX_Bool(pPX, "DropDown", bDropDown, TRUE);
    long nWidth = m_nWidth;
    PX_LongDefault(pPX, "Width", nWidth, 0);
    long nStyle = static_cast<long>(m_dwListStyle);
    PX_LongDefault(pPX, "ComboStyle", nStyle, 0);
    if (pPX->IsLoading()) {
        m_nWidth = static_cast<int>(nWidth);
        m_dwListStyle = static_cast<DWORD>(nStyle);
        SetDropDown(bDropDown);
    }
}

BOOL CXTPControlComboBox::OnHookKeyDown(UINT nChar)
{
    if (!m_pEdit)
        return 1;
    if (nChar == VK_ESCAPE) {
        CXTPCommandBar* pBar = m_pParent;
        if (!CXTPControlFieldFocus::ReturnFocus(this, m_pEdit->GetSafeHwnd()))
            return 0;
        if (pBar)
            pBar->SetTrackingMode(FALSE);
        return 1;
    }
    if (nChar == VK_F4) {
        OnClick(FALSE);
        return 2;
    }
    return 2;
}

void CXTPControlComboBox::SetParent(CXTPCommandBar* pParent)
{
    if (pParent != m_pParent) {
        CXTPControlComboBoxList* pList = GetListBox();
        CWnd* pSite = pParent ? pParent->GetSite() : nullptr;
        if (pList && pList->GetSafeHwnd())
            ::SetWindowLongPtrA(pList->GetSafeHwnd(), GWLP_HWNDPARENT,
                                reinterpret_cast<LONG_PTR>(pSite ? pSite->GetSafeHwnd() : nullptr));
    }
    if (!pParent && m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->DestroyWindow();
    m_pParent = pParent;
}

void CXTPControlComboBox::Copy(CXTPControl* pSrc, BOOL bRecursive)
{
    if (auto* pComboBox = dynamic_cast<CXTPControlComboBox*>(pSrc)) {
        m_dwListStyle = pComboBox->m_dwListStyle;
        m_nWidth = pComboBox->m_nWidth;
        m_strEditText = pComboBox->GetEditText();
        SetDropDown(pComboBox->m_pEdit != nullptr);
    }
    CXTPControlPopup::Copy(pSrc, bRecursive);
}

CXTPControl* CXTPControlComboBox::Clone(BOOL bRecursive)
{
    auto* pClone = new CXTPControlComboBox;
    pClone->Copy(this, bRecursive);
    return pClone;
}

BOOL CXTPControlComboBox::OnSetPopup(BOOL bPopup)
{
    if (!m_pEdit) {
        // A list closed without a choice leaves the selection as it was.
        if (bPopup)
            m_nLastSel = GetCurSel();
        else
            SetCurSel(m_nLastSel);
    }
    return CXTPControlPopup::OnSetPopup(bPopup);
}

void CXTPControlComboBox::OnClick(BOOL bKeyboard, CPoint point)
{
    if (IsCustomizeMode()) {
        if (m_pParent) {
            m_pParent->SetPopuped(-1);
            m_pParent->SetSelected(-1);
        }
        OnCustomizeMouseDown(point);
        return;
    }
    if (bKeyboard && m_pEdit && m_pEdit->GetSafeHwnd()) {
        if (IsFocused())
            Execute();
        else
            m_pEdit->SetFocus();
        return;
    }
    CXTPControlPopup::OnClick(bKeyboard, point);
}

void CXTPControlComboBox::OnMouseHover()
{
    if (XTPHookManager()->IsLocked())
        return;
    // The list never opens by hovering.
    if (GetListBox())
        CXTPControl::OnMouseHover();
    else
        CXTPControlPopup::OnMouseHover();
}

BOOL CXTPControlComboBox::OnSetSelected(int bSelected)
{
    if (!CXTPControl::OnSetSelected(bSelected))
        return FALSE;
    if (!bSelected && m_pEdit)
        CXTPControlFieldFocus::ReturnFocus(this, m_pEdit->GetSafeHwnd());
    return TRUE;
}

void CXTPControlComboBox::SetWidth(int nWidth)
{
    if (m_nWidth == nWidth)
        return;
    m_nWidth = nWidth;
    DelayLayoutParent();
}

void CXTPControlComboBox::SetLabelWidth(int nWidth)
{
    if (m_nLabelWidth == nWidth)
        return;
    m_nLabelWidth = nWidth;
    m_bDelayReposition = TRUE;
}

void CXTPControlComboBox::SetDropDownWidth(int nWidth)
{
    if (m_nThumbWidth == nWidth)
        return;
    m_nThumbWidth = nWidth;
    m_bDelayReposition = TRUE;
}

CString CXTPControlComboBox::GetListBoxText() const
{
    CXTPControlComboBoxList* pList = GetListBox();
    const int nSel = GetCurSel();
    return pList && nSel >= 0 ? pList->GetText(nSel) : CString();
}

void CXTPControlComboBox::OnEditSetFocus(CWnd* pOldWnd)
{
    m_focus.Enter(this, pOldWnd);
}

void CXTPControlComboBox::OnEditKillFocus()
{
    m_focus.Leave();
}

void CXTPControlComboBox::OnSelChanged()
{
    CString strText = GetListBoxText();
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->SetWindowText(strText);
    else
        m_strEditText = strText;
    RedrawParent();
}

CString CXTPControlComboBox::GetEditText() const
{
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->GetWindowText(m_strEditText);
    return m_strEditText;
}

int CXTPControlComboBox::GetCurSel() const
{
    CXTPControlComboBoxList* pList = GetListBox();
    return pList ? pList->GetCurSel() : -1;
}

void CXTPControlComboBox::SetCurSel(int nIndex)
{
    CXTPControlComboBoxList* pList = GetListBox();
    if (!pList || !pList->GetSafeHwnd() || nIndex < -1 || nIndex >= pList->GetCount() || nIndex == GetCurSel())
        return;
    pList->SendMessage(LB_SETCURSEL, nIndex);
    OnSelChanged();
}

BOOL CXTPControlComboBox::IsListOpen() const
{
    CXTPControlComboBoxList* pList = GetListBox();
    return pList && pList->GetTrackingMode() && pList->GetComboBox() == this;
}

int CXTPControlComboBox::AddString(const char* lpszItem)
{
    CXTPControlComboBoxList* pList = GetListBox();
    return pList ? pList->AddString(lpszItem) : LB_ERR;
}

int CXTPControlComboBox::GetCount() const
{
    CXTPControlComboBoxList* pList = GetListBox();
    return pList ? pList->GetCount() : 0;
}

void CXTPControlComboBoxEditCtrl::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pControl)
        m_pControl->OnEditSetFocus(pOldWnd);
    Default();
    PostMessage(EM_SETSEL, 0, -1);
}

void CXTPControlComboBoxEditCtrl::OnKillFocus(CWnd* /*pNewWnd*/)
{
    Default();
    if (m_pControl)
        m_pControl->OnEditKillFocus();
}

void CXTPControlComboBoxEditCtrl::OnPaint()
{
    CXTPPaintManager* pPaintManager = m_pControl ? m_pControl->GetPaintManager() : XTPPaintManager();
    PaintField(pPaintManager->GetColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE));
}

void CXTPControlComboBoxEditCtrl::OnDestroy()
{
    if (m_pControl)
        GetWindowText(m_pControl->m_strEditText);
    Default();
}

void CXTPControlComboBoxEditCtrl::OnContextMenu(CWnd* /*pWnd*/, CPoint point)
{
    if (!m_pControl || m_pControl->IsCustomizeMode())
        return;
    CXTPCommandBar* pBar = m_pControl->GetParent();
    if (pBar && pBar->GetPosition() == xtpBarPopup)
        return;
    ShowContextMenu(point);
}

HBRUSH CXTPControlComboBoxEditCtrl::CtlColor(CDC* pDC, UINT nCtlColor)
{
    return m_pControl ? m_pControl->OnCtlColor(pDC, nCtlColor) : nullptr;
}
