// The combo box control: its list, its text field, selection and keys, and the field's window.
#include "CXTPControlComboBox.h"

#include "CArchive.h"
#include "CControlBar.h"
#include "CDC.h"
#include "CXTPCommandBar.h"
#include "CXTPControlComboBoxList.h"
#include "CXTPHoldRef.h"
#include "CXTPHookManager.h"
#include "CXTPPaintManager.h"
#include "CXTPPropExchange.h"

IMPLEMENT_SERIAL(CXTPControlComboBox, CXTPControlPopup, VERSIONABLE_SCHEMA | 0x11)

BEGIN_MESSAGE_MAP(CXTPControlComboBoxEditCtrl, CXTPControlFieldCtrl)
    ON_WM_PAINT()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CXTPControlComboBox::CXTPControlComboBox() : CXTPControlField(this)
{
    m_controlType = xtpControlComboBox;
    auto* pList = static_cast<CXTPControlComboBoxList*>(RUNTIME_CLASS(CXTPControlComboBoxList)->CreateObject());
    pList->SetListWidth(0);
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

void CXTPControlComboBox::SetDropDown(BOOL bDropDown)
{
    m_bDropDown = bDropDown;
    if (bDropDown)
        CreateField();
    else
        DestroyField();
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
    EnableField(bEnabled);
    RedrawParent();
}

void CXTPControlComboBox::SetRect(CRect rcControl)
{
    const BOOL bSameRect = rcControl == m_rcControl;
    m_rcControl = rcControl;
    PlaceEditWindow(bSameRect, m_nThumbWidth + 3);
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
    ShowField();
    DelayLayoutParent();
}

void CXTPControlComboBox::Execute()
{
    m_nLastSel = GetCurSel();
    CXTPControlPopup::Execute();
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
    if (nChar == VK_ESCAPE)
        return EscapeField();
    if (nChar == VK_F4)
        OnClick(FALSE);
    return 2;
}

void CXTPControlComboBox::SetParent(CXTPCommandBar* pParent)
{
    if (pParent != m_pParent) {
        CXTPControlComboBoxList* pList = GetListBox();
        CWnd* pSite = pParent ? pParent->GetSite() : nullptr;
        if (pList)
            pList->SetOwnerSite(pSite ? pSite->GetSafeHwnd() : nullptr);
    }
    if (!pParent)
        DestroyFieldWindow();
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
    // The list this combo made for itself takes the copy: a clone of the source's would be one
    // more window made, and this one destroyed.
    CXTPControlComboBoxList* pList = GetListBox();
    CXTPCommandBar* pSrcBar = pSrc->GetCommandBar();
    if (bRecursive && pList && pSrcBar && pSrcBar != pList && pList->GetRefCount() == 1 && pList->GetCount() == 0 &&
        pList->GetControlCount() == 0 && pSrcBar->GetRuntimeClass() == pList->GetRuntimeClass()) {
        CXTPControl::Copy(pSrc, bRecursive);
        pList->Copy(pSrcBar, TRUE);
        return;
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
    if (CustomizeClick(point))
        return;
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
    if (!bSelected)
        ReturnFocus();
    return TRUE;
}

void CXTPControlComboBox::SetWidth(int nWidth)
{
    if (m_nWidth == nWidth)
        return;
    m_nWidth = nWidth;
    DelayLayoutParent();
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

void CXTPControlComboBox::OnSelChanged()
{
    CString strText = GetListBoxText();
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->SetWindowText(strText);
    else
        m_strEditText = strText;
    RedrawParent();
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

void CXTPControlComboBoxEditCtrl::OnPaint()
{
    CXTPControl* pControl = GetControl();
    CXTPPaintManager* pPaintManager = pControl ? pControl->GetPaintManager() : XTPPaintManager();
    PaintField(pPaintManager->GetColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE));
}

void CXTPControlComboBoxEditCtrl::OnContextMenu(CWnd* /*pWnd*/, CPoint point)
{
    CXTPControl* pControl = GetControl();
    if (!pControl || pControl->IsCustomizeMode())
        return;
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar && pBar->GetPosition() == xtpBarPopup)
        return;
    ShowContextMenu(point);
}

