// Property sheets: the header and page array, modal and modeless creation, the active page, and the end of a sheet.
#include "CPropertySheet.h"

#include <algorithm>
#include <cstring>

#include "AfxCommonControls.h"
#include "AfxResource.h"
#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet()
{
    CommonConstruct(nullptr, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    AfxLoadString(nIDCaption, m_strCaption);
}

CPropertySheet::CPropertySheet(const char* pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption ? pszCaption : "";
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    std::memset(&m_psh, 0, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_NOAPPLYNOW;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage || GetPageIndex(pPage) >= 0)
        return;
    m_pages.push_back(pPage);
    if (!m_hWnd)
        return;
    PROPSHEETPAGEA info;
    HPROPSHEETPAGE handle = pPage->MakePageInfo(info) ? ::CreatePropertySheetPageA(&info) : nullptr;
    if (!handle || !SendMessage(PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(handle))) {
        if (handle)
            ::DestroyPropertySheetPage(handle);
        m_pages.pop_back();  // the open sheet could not show it
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    RemovePage(GetPageIndex(pPage));
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    if (m_hWnd)
        SendMessage(PSM_REMOVEPAGE, static_cast<WPARAM>(nPage), 0);
    m_pages.erase(m_pages.begin() + nPage);
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* pPage) const
{
    auto found = std::find(m_pages.begin(), m_pages.end(), pPage);
    return found == m_pages.end() ? -1 : static_cast<int>(found - m_pages.begin());
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd)
        return static_cast<int>(m_psh.nStartPage) < GetPageCount() ? static_cast<int>(m_psh.nStartPage) : 0;
    HWND current = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (current && m_pages[i]->m_hWnd == current)
            return static_cast<int>(i);
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    // The page being left may refuse (its values do not pass).
    return SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(nPage), 0) && GetActiveIndex() == nPage;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

void CPropertySheet::SetTitle(const char* lpszText)
{
    m_strCaption = lpszText ? lpszText : "";
    if (m_hWnd)
        SendMessage(PSM_SETTITLEA, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(m_strCaption)));
}

CWnd* CPropertySheet::GetTabControl() const
{
    HWND tabs = m_hWnd ? reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL)) : nullptr;
    return tabs ? CWnd::FromHandle(tabs) : nullptr;
}

BOOL CPropertySheet::BuildPropPageArray()
{
    m_pageInfo.assign(m_pages.size(), PROPSHEETPAGEA{});
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (!m_pages[i]->MakePageInfo(m_pageInfo[i]))
            return FALSE;
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags |= PSH_PROPSHEETPAGE;
    m_psh.ppsp = m_pageInfo.data();
    m_psh.nPages = static_cast<UINT>(m_pageInfo.size());
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;
    m_psh.pszCaption = m_strCaption;
    m_psh.hInstance = AfxGetResourceHandle();
    return !m_pageInfo.empty();
}

BOOL CPropertySheet::CreateSheetWindow(HWND hWndParent)
{
    if (m_hWnd || !AfxInitCommonControls(ICC_TAB_CLASSES) || !BuildPropPageArray())
        return FALSE;
    // Always made modeless: a modal sheet runs in the framework's own loop.
    const DWORD flags = m_psh.dwFlags;
    m_psh.dwFlags |= PSH_MODELESS;
    m_psh.hwndParent = hWndParent;
    m_bApplied = FALSE;
    AfxHookWindowCreate(this);
    const INT_PTR made = ::PropertySheetA(&m_psh);
    AfxUnhookWindowCreate();
    m_psh.dwFlags = flags;
    if (made == 0 || made == -1)
        return FALSE;
    if (m_hWnd != reinterpret_cast<HWND>(made)) {
        ::DestroyWindow(reinterpret_cast<HWND>(made));  // not ours: nothing would ever end it
        return FALSE;
    }
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd)
        return -1;
    // The owner: the parent's top-level window, else the main window; disabled while the sheet runs.
    HWND owner = nullptr;
    if (m_pParentWnd && m_pParentWnd->m_hWnd)
        owner = m_pParentWnd->GetTopLevelParent()->m_hWnd;
    else if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
        owner = app->m_pMainWnd->m_hWnd;
    const BOOL ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled)
        ::EnableWindow(owner, FALSE);

    m_bModeless = FALSE;
    m_nModalResult = -1;
    if (CreateSheetWindow(owner)) {
        m_bContinueModal = TRUE;
        RunModalLoop();
        m_bContinueModal = FALSE;
    }

    DismissModal(owner, ownerWasEnabled);
    return m_nModalResult;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    m_bModeless = TRUE;
    return CreateSheetWindow(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CPropertySheet::OnInitDialog()
{
    return static_cast<BOOL>(Default());  // the system makes the tabs and the first page
}

BOOL CPropertySheet::HasEnded() const
{
    return m_hWnd && SendMessage(PSM_GETCURRENTPAGEHWND) == 0;
}

void CPropertySheet::EndSheet()
{
    if (m_bContinueModal)
        EndModalLoop(m_bApplied ? IDOK : IDCANCEL);
    else if (m_bModeless && m_hWnd)
        DestroyWindow();
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    if (HasEnded())
        EndSheet();
    return CWnd::ContinueModal();
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id != IDOK && id != IDCANCEL)
        return CWnd::OnCommand(wParam, lParam);
    // The system asks the pages first; the sheet closes only when they let it.
    Default();
    if (HasEnded())
        EndSheet();
    return TRUE;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // Tab, arrows, Enter, Escape and Ctrl+Tab between the pages.
    return static_cast<BOOL>(SendMessage(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)));
}
