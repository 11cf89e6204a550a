// The menu placeholders: taking back the previous run, and each kind's run of buttons.
#include "CArchive.h"
#include "CXTPControlExpandingList.h"

#include <algorithm>

#include "CMDIFrameWnd.h"
#include "CRecentFileList.h"
#include "CWinApp.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPControlToolBarVisible.h"
#include "CXTPControls.h"
#include "CXTPResourceManager.h"
#include "ResourceIds.h"

IMPLEMENT_DYNAMIC(CXTPControlExpandingList, CXTPControlButton)
IMPLEMENT_SERIAL(CXTPControlWindowList, CXTPControlExpandingList, VERSIONABLE_SCHEMA | 0x11)
IMPLEMENT_SERIAL(CXTPControlToolbars, CXTPControlExpandingList, VERSIONABLE_SCHEMA | 0x11)
IMPLEMENT_SERIAL(CXTPControlOleItems, CXTPControlExpandingList, VERSIONABLE_SCHEMA | 0x11)
IMPLEMENT_SERIAL(CXTPControlRecentFileList, CXTPControlExpandingList, VERSIONABLE_SCHEMA | 0x11)
IMPLEMENT_SERIAL(CXTPControlWorkspaceActions, CXTPControlExpandingList, VERSIONABLE_SCHEMA | 0x11)

namespace {

const int kMaxWindows = 9;
const UINT kFirstRecentFile = ID_FILE_MRU_FILE1;
const UINT kLastRecentFile = ID_FILE_MRU_LAST;  // the sixteenth
const UINT kMoveToPreviousGroup = XTP_ID_TABGROUP_MOVE_PREVIOUS;
const UINT kMoveToNextGroup = XTP_ID_TABGROUP_MOVE_NEXT;
const UINT kNewHorizontalGroup = XTP_ID_TABGROUP_NEW_HORIZONTAL;
const UINT kNewVerticalGroup = XTP_ID_TABGROUP_NEW_VERTICAL;

UINT g_nFirstChildId = AFX_IDM_FIRST_MDICHILD;

CMDIFrameWnd* MDIFrameOf(const CXTPControl* pControl)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    CXTPCommandBars* pCommandBars = pBar ? pBar->GetCommandBars() : nullptr;
    if (!pCommandBars && pControl->GetControls())
        pCommandBars = pControl->GetControls()->GetCommandBars();
    auto* pFrame = pCommandBars ? dynamic_cast<CMDIFrameWnd*>(pCommandBars->GetSite()) : nullptr;
    return pFrame && pFrame->m_hWndMDIClient ? pFrame : nullptr;
}

}  // namespace

void CXTPControlExpandingList::OnLayoutMode(DWORD /*dwMode*/)
{
    if (!m_pParent || m_pParent->GetType() != xtpBarTypePopup || !m_pControls)
        return;
    RemoveItems();
    if (IsCustomizeMode()) {
        SetHideFlags(0);
        return;
    }
    const int nInserted = Expand();
    if (nInserted > 0 || HidesWhenEmpty())
        SetHideFlags(m_dwHideFlags | xtpHideGeneric);
    else
        SetHideFlags(m_dwHideFlags & ~static_cast<DWORD>(xtpHideGeneric));
    // The separator before the hidden placeholder stays before its items.
    if (nInserted > 0 && GetBeginGroup())
        m_pControls->GetAt(PlaceAfter())->SetBeginGroup(TRUE);
}

int CXTPControlExpandingList::PlaceAfter() const
{
    for (int i = 0; i < m_pControls->GetCount(); i++) {
        if (m_pControls->GetAt(i) == this)
            return i + 1;
    }
    return m_pControls->GetCount();
}

void CXTPControlExpandingList::RemoveItems()
{
    for (;;) {
        const int nNext = PlaceAfter();
        CXTPControl* pNext = nNext < m_pControls->GetCount() ? m_pControls->GetAt(nNext) : nullptr;
        if (!pNext || !pNext->IsTemporary() || !IsOwnItem(pNext))
            return;
        m_pControls->Remove(pNext);
    }
}

CXTPControl* CXTPControlExpandingList::InsertItem(int nId, const CString& strCaption, int& nPlace, CXTPControl* pItem)
{
    if (!pItem)
        pItem = new CXTPControlButton;
    pItem = m_pControls->AddControl(pItem, nId, "", nPlace++, TRUE);
    pItem->SetCaption(strCaption);
    pItem->SetFlags(pItem->GetFlags() | xtpFlagManualUpdate);
    return pItem;
}

UINT CXTPControlWindowList::GetFirstChildId()
{
    return g_nFirstChildId;
}

void CXTPControlWindowList::SetFirstChildId(UINT nId)
{
    g_nFirstChildId = nId;
}

BOOL CXTPControlWindowList::IsOwnItem(const CXTPControl* pControl) const
{
    return static_cast<UINT>(pControl->GetID()) >= g_nFirstChildId;
}

int CXTPControlWindowList::Expand()
{
    CMDIFrameWnd* pFrame = MDIFrameOf(this);
    if (!pFrame)
        return 0;
    const HWND hClient = pFrame->m_hWndMDIClient;
    const HWND hActive = reinterpret_cast<HWND>(::SendMessageA(hClient, WM_MDIGETACTIVE, 0, 0));
    // The client numbers its children from the id it was made with: find which numbering is in use.
    if (hActive) {
        const UINT nActiveId = static_cast<UINT>(::GetDlgCtrlID(hActive));
        if (nActiveId >= 32768 && nActiveId <= 32782)
            g_nFirstChildId = 32768;
        else if (nActiveId >= 1 && nActiveId <= 14)
            g_nFirstChildId = 1;
        else if (nActiveId >= 0xFF00 && nActiveId <= 0xFF0E)
            g_nFirstChildId = AFX_IDM_FIRST_MDICHILD;  // back, after a frame of another numbering
    }
    int nPlace = PlaceAfter();
    int nCount = 0;
    for (UINT nId = g_nFirstChildId; nCount < kMaxWindows; nId++) {
        const HWND hChild = ::GetDlgItem(hClient, static_cast<int>(nId));
        if (!hChild)
            break;
        if (!::IsWindowVisible(hChild))
            continue;
        char szTitle[257] = {};
        ::GetWindowTextA(hChild, szTitle, 256);
        CString strCaption;
        strCaption.Format("&%i %s", nCount + 1, szTitle);
        CXTPControl* pItem = InsertItem(static_cast<int>(nId), strCaption, nPlace);
        pItem->SetChecked(hChild == hActive);
        nCount++;
    }
    return nCount;
}

BOOL CXTPControlToolbars::IsOwnItem(const CXTPControl* pControl) const
{
    return pControl->GetParameter() == XTP_TOOLBAR_ITEM_PARAMETER;
}

int CXTPControlToolbars::Expand()
{
    CXTPCommandBars* pCommandBars = m_pParent->GetCommandBars();
    if (!pCommandBars)
        return 0;
    int nPlace = PlaceAfter();
    int nCount = 0;
    for (int i = 0; i < pCommandBars->GetCount(); i++) {
        CXTPCommandBar* pBar = pCommandBars->GetAt(i);
        if (pBar->GetType() != xtpBarTypeNormal || !pBar->IsContextMenuPresent() || !pBar->IsCloseable() ||
            pBar->GetTitle().IsEmpty())
            continue;
        CXTPControl* pItem = InsertItem(GetID(), pBar->GetTitle(), nPlace, new CXTPControlToolBarVisible);
        pItem->SetParameter(XTP_TOOLBAR_ITEM_PARAMETER);
        pItem->SetTag(static_cast<DWORD_PTR>(i));
        pItem->SetChecked(pBar->IsVisible());
        nCount++;
    }
    return nCount;
}

CString CXTPControlRecentFileList::EscapeAmpersands(const CString& strName)
{
    CString strResult;
    const char* psz = strName;
    for (int i = 0; psz[i]; i++) {
        if (::IsDBCSLeadByte(static_cast<BYTE>(psz[i])) && psz[i + 1]) {
            strResult += psz[i];
            strResult += psz[++i];
            continue;
        }
        if (psz[i] == '&')
            strResult += '&';
        strResult += psz[i];
    }
    return strResult;
}

CRecentFileList* CXTPControlRecentFileList::GetRecentList() const
{
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->m_pRecentFileList : nullptr;
}

UINT CXTPControlRecentFileList::GetFirstItemId() const
{
    return kFirstRecentFile;
}

UINT CXTPControlRecentFileList::GetLastItemId() const
{
    return kLastRecentFile;
}

BOOL CXTPControlRecentFileList::IsOwnItem(const CXTPControl* pControl) const
{
    const UINT nId = static_cast<UINT>(pControl->GetID());
    return nId >= GetFirstItemId() && nId <= GetLastItemId();
}

int CXTPControlRecentFileList::Expand()
{
    CRecentFileList* pList = GetRecentList();
    if (!pList || pList->GetSize() == 0 || (*pList)[0].IsEmpty())
        return 0;
    char szDir[MAX_PATH + 2] = {};
    DWORD nDir = ::GetCurrentDirectoryA(MAX_PATH, szDir);
    if (nDir == 0 || nDir >= MAX_PATH)
        nDir = 0;
    else if (szDir[nDir - 1] != '\\')
        szDir[nDir++] = '\\';
    szDir[nDir] = 0;

    int nPlace = PlaceAfter();
    const int nMax = std::min<int>(pList->GetSize(), static_cast<int>(GetLastItemId() - GetFirstItemId() + 1));
    int nCount = 0;
    for (int i = 0; i < nMax; i++) {
        CString strName;
        if (!pList->GetDisplayName(strName, i, szDir, static_cast<int>(nDir)))
            break;
        CString strCaption;
        strCaption.Format("&%d ", static_cast<int>((pList->m_nStart + static_cast<UINT>(i) + 1) % 10));
        strCaption += EscapeAmpersands(strName);
        InsertItem(static_cast<int>(GetFirstItemId()) + i, strCaption, nPlace);
        nCount++;
    }
    return nCount;
}

BOOL CXTPControlWorkspaceActions::IsOwnItem(const CXTPControl* pControl) const
{
    const UINT nId = static_cast<UINT>(pControl->GetID());
    return nId >= kMoveToPreviousGroup && nId <= kNewVerticalGroup;
}

int CXTPControlWorkspaceActions::Expand()
{
    CMDIFrameWnd* pFrame = MDIFrameOf(this);
    // Only a tab window answers: over a plain MDI client the list stays empty.
    const HWND hClient = pFrame ? pFrame->m_hWndMDIClient : nullptr;
    if (!hClient || !CWnd::FromHandlePermanent(hClient))
        return 0;
    const UINT ids[] = {kNewHorizontalGroup, kNewVerticalGroup, kMoveToPreviousGroup, kMoveToNextGroup};
    int nPlace = PlaceAfter();
    int nCount = 0;
    for (UINT nId : ids) {
        if (!::SendMessageA(hClient, kMsgMDIClientIsGroupCommandEnabled, nId, 0))
            continue;
        CString strText;
        XTPResourceManager()->LoadString(&strText, nId);
        const int nNewLine = strText.Find('\n');
        InsertItem(static_cast<int>(nId), nNewLine >= 0 ? strText.Mid(nNewLine + 1) : strText, nPlace);
        nCount++;
    }
    return nCount;
}
