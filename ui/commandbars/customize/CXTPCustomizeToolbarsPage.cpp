// The Toolbars page: listing the host's bars, showing and hiding them by their checks, deleting the
// user's toolbars and resetting the built-in ones.
#include "CXTPCustomizeToolbarsPage.h"

#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPCustomizeSheet.h"
#include "CXTPHoldRef.h"
#include "CXTPNewToolbarDlg.h"
#include "CXTPResourceManager.h"
#include "CXTPToolBar.h"
#include "CWinApp.h"
#include "ResourceIds.h"

namespace {

// The menu bar is listed only while shown: once hidden it comes back by the frame's own means.
BOOL IsListed(const CXTPCommandBar* pBar)
{
    return pBar->GetType() != xtpBarTypeMenuBar || pBar->IsVisible();
}

} // namespace

IMPLEMENT_DYNCREATE(CXTPCustomizeToolbarsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CXTPCustomizeToolbarsPage, CPropertyPage)
    ON_CONTROL(CLBN_CHKCHANGE, IDC_TOOLBARS_LIST, OnCheckChange)
    ON_CONTROL(LBN_SELCHANGE, IDC_TOOLBARS_LIST, OnSelectionChange)
    ON_CONTROL(BN_CLICKED, IDC_TOOLBARS_NEW, OnNew)
    ON_CONTROL(BN_CLICKED, IDC_TOOLBARS_RENAME, OnRename)
    ON_CONTROL(BN_CLICKED, IDC_TOOLBARS_DELETE, OnDelete)
    ON_CONTROL(BN_CLICKED, IDC_TOOLBARS_RESET, OnReset)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CXTPCustomizeToolbarsPage::CXTPCustomizeToolbarsPage(CXTPCustomizeSheet* pSheet)
    : CPropertyPage(IDD), m_pSheet(pSheet)
{
}

CXTPCommandBars* CXTPCustomizeToolbarsPage::GetCommandBars() const
{
    return m_pSheet ? m_pSheet->GetCommandBars() : nullptr;
}

BOOL CXTPCustomizeToolbarsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_listToolbars.SubclassDlgItem(IDC_TOOLBARS_LIST, this);
    RefreshList();
    return FALSE;
}

void CXTPCustomizeToolbarsPage::RefreshList()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!m_listToolbars.GetSafeHwnd() || !pCommandBars)
        return;
    const int nSelected = m_listToolbars.GetCurSel();
    const DWORD_PTR nSelectedData = nSelected >= 0 ? m_listToolbars.GetItemData(nSelected) : static_cast<DWORD_PTR>(-1);
    const int nTop = m_listToolbars.GetTopIndex();

    m_listToolbars.SendMessage(WM_SETREDRAW, FALSE);
    m_listToolbars.ResetContent();
    for (int i = 0; i < pCommandBars->GetCount(); i++) {
        CXTPCommandBar* pBar = pCommandBars->GetAt(i);
        if (!IsListed(pBar))
            continue;
        const int nIndex = m_listToolbars.AddString(pBar->GetTitle());
        m_listToolbars.SetCheck(nIndex, pBar->IsVisible() ? 1 : 0);
        m_listToolbars.SetItemData(nIndex, static_cast<DWORD_PTR>(i));
        if (static_cast<DWORD_PTR>(i) == nSelectedData)
            m_listToolbars.SetCurSel(nIndex);
    }
    if (m_listToolbars.GetTopIndex() != nTop)
        m_listToolbars.SetTopIndex(nTop);
    m_listToolbars.SendMessage(WM_SETREDRAW, TRUE);
    m_listToolbars.Invalidate();
    UpdateButtons();
}

CXTPToolBar* CXTPCustomizeToolbarsPage::GetSelectedToolBar() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    const int nSelected = m_listToolbars.GetSafeHwnd() ? m_listToolbars.GetCurSel() : -1;
    if (!pCommandBars || nSelected < 0)
        return nullptr;
    return dynamic_cast<CXTPToolBar*>(pCommandBars->GetAt(static_cast<int>(m_listToolbars.GetItemData(nSelected))));
}

void CXTPCustomizeToolbarsPage::UpdateButtons()
{
    CXTPToolBar* pToolBar = GetSelectedToolBar();
    const BOOL bBuiltIn = pToolBar && pToolBar->IsBuiltIn();
    const BOOL bUser = pToolBar && !pToolBar->IsBuiltIn();
    if (CWnd* pReset = GetDlgItem(IDC_TOOLBARS_RESET))
        pReset->EnableWindow(bBuiltIn);
    if (CWnd* pRename = GetDlgItem(IDC_TOOLBARS_RENAME))
        pRename->EnableWindow(bUser);
    if (CWnd* pDelete = GetDlgItem(IDC_TOOLBARS_DELETE))
        pDelete->EnableWindow(bUser);
}

void CXTPCustomizeToolbarsPage::OnSelectionChange()
{
    UpdateButtons();
}

void CXTPCustomizeToolbarsPage::OnCheckChange()
{
    // The entry whose check now differs from its bar is the one the user changed; it need not
    // be the selected one.
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return;
    for (int i = 0; i < m_listToolbars.GetCount(); i++) {
        CXTPCommandBar* pBar = pCommandBars->GetAt(static_cast<int>(m_listToolbars.GetItemData(i)));
        const BOOL bChecked = m_listToolbars.GetCheck(i) != 0;
        if (pBar && bChecked != pBar->IsVisible())
            pBar->SetVisible(bChecked);
    }
    RefreshList();
}

void CXTPCustomizeToolbarsPage::OnNew()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return;
    CXTPNewToolbarDlg dlg(pCommandBars, nullptr, this);
    if (dlg.DoModal() != IDOK)
        return;
    pCommandBars->AddCustomBar(dlg.m_strToolBar, dlg.m_nNewID, FALSE);
    RefreshList();
}

void CXTPCustomizeToolbarsPage::OnRename()
{
    CXTPToolBar* pToolBar = GetSelectedToolBar();
    if (!pToolBar || pToolBar->IsBuiltIn())
        return;
    CXTPNewToolbarDlg dlg(GetCommandBars(), pToolBar, this);
    if (dlg.DoModal() != IDOK)
        return;
    pToolBar->SetTitle(dlg.m_strToolBar);
    // The entry keeps its place, check and bar.
    const int nIndex = m_listToolbars.GetCurSel();
    const int nCheck = m_listToolbars.GetCheck(nIndex);
    const DWORD_PTR nData = m_listToolbars.GetItemData(nIndex);
    m_listToolbars.DeleteString(static_cast<UINT>(nIndex));
    m_listToolbars.InsertString(nIndex, pToolBar->GetTitle());
    m_listToolbars.SetCheck(nIndex, nCheck);
    m_listToolbars.SetItemData(nIndex, nData);
    m_listToolbars.SetCurSel(nIndex);
}

void CXTPCustomizeToolbarsPage::OnDelete()
{
    CXTPToolBar* pToolBar = GetSelectedToolBar();
    if (!pToolBar || pToolBar->IsBuiltIn())
        return;
    CString strFormat, strQuestion;
    XTPResourceManager()->LoadString(&strFormat, IDS_CUSTOMIZE_DELETE_TOOLBAR);
    strQuestion.Format(strFormat, static_cast<const char*>(pToolBar->GetTitle()));
    if (AfxMessageBox(strQuestion, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    GetCommandBars()->Remove(pToolBar);
    RefreshList();
}

void CXTPCustomizeToolbarsPage::OnReset()
{
    CXTPToolBar* pToolBar = GetSelectedToolBar();
    if (!pToolBar || !pToolBar->IsBuiltIn())
        return;
    CHoldRef hold(pToolBar);
    pToolBar->Reset();
    RefreshList();
}

LRESULT CXTPCustomizeToolbarsPage::OnIdleUpdateCmdUI(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // Bars shown, hidden, added or removed elsewhere (a bar's own close button) show in the list.
    if (m_listToolbars.GetSafeHwnd() && m_listToolbars.IsWindowVisible() && !IsListCurrent())
        RefreshList();
    return 0;
}

BOOL CXTPCustomizeToolbarsPage::IsListCurrent() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return TRUE;
    int nEntry = 0;
    for (int i = 0; i < pCommandBars->GetCount(); i++) {
        CXTPCommandBar* pBar = pCommandBars->GetAt(i);
        if (!IsListed(pBar))
            continue;
        CString strEntry;
        if (nEntry >= m_listToolbars.GetCount() || m_listToolbars.GetItemData(nEntry) != static_cast<DWORD_PTR>(i) ||
            (m_listToolbars.GetCheck(nEntry) != 0) != (pBar->IsVisible() != FALSE) ||
            m_listToolbars.GetText(nEntry, strEntry) == LB_ERR || strEntry != pBar->GetTitle())
            return FALSE;
        nEntry++;
    }
    return nEntry == m_listToolbars.GetCount();
}
