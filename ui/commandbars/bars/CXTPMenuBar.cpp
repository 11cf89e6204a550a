// The menu bar: loading the menu, the frame and MDI client watch, the MDI controls, Alt alone.
#include "CArchive.h"
#include "CXTPMenuBar.h"

#include <vector>

#include "CFrameWnd.h"
#include "CMDIFrameWnd.h"
#include "CMenu.h"
#include "CWinApp.h"
#include "CXTPCommandBars.h"
#include "CXTPControlMDIButton.h"
#include "CXTPControls.h"
#include "CXTPHookManager.h"
#include "CXTPImageManager.h"
#include "CXTPPropExchange.h"
#include "CXTPResourceManager.h"
#include "CXTPWindowHookTable.h"
#include "ResourceIds.h"

IMPLEMENT_SERIAL(CXTPMenuBar, CXTPToolBar, VERSIONABLE_SCHEMA | 0x11)

BEGIN_MESSAGE_MAP(CXTPMenuBar, CXTPToolBar)
    ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

// The caption buttons in the order they are appended.
struct MDIButton {
    int nId;
    DWORD dwChildStyle;  // the box style the child needs; 0 for none
    DWORD dwNoFlag;      // the bar flag that leaves it out
    const char* lpszGlyph;
};
const MDIButton kMDIButtons[] = {
    {XTP_ID_MENUBAR_MINIMIZE, WS_MINIMIZEBOX, xtpFlagNoMDIMinimizeButton, "0"},
    {XTP_ID_MENUBAR_RESTORE, WS_MAXIMIZEBOX, xtpFlagNoMDIRestoreButton, "2"},
    {XTP_ID_MENUBAR_CLOSE, 0, xtpFlagNoMDICloseButton, "r"},
};

}  // namespace

CXTPMenuBar::CXTPMenuBar()
{
    m_barType = xtpBarTypeMenuBar;
    m_mapDocTemplateControls.InitHashTable(17, false);
}

CXTPMenuBar::~CXTPMenuBar()
{
    CXTPWindowHookTable* pTable = XTPWindowHookTable();
    if (CFrameWnd* pFrame = GetFrameSite())
        pTable->RemoveHook(pFrame->GetSafeHwnd(), this);
    if (CWnd* pClient = GetMDIClient())
        pTable->RemoveHook(pClient->GetSafeHwnd(), this);
    if (m_hwndHookedChild)
        pTable->RemoveHook(m_hwndHookedChild, this);
    if (m_hMenu && ::IsMenu(m_hMenu))
        ::DestroyMenu(m_hMenu);
    ReleaseDocumentMenus();
}

CWnd* CXTPMenuBar::GetMDIClient() const
{
    CFrameWnd* pFrame = GetFrameSite();
    if (!m_bMdiApp || !pFrame)
        return nullptr;
    return CWnd::FromHandle(static_cast<CMDIFrameWnd*>(pFrame)->m_hWndMDIClient);
}

BOOL CXTPMenuBar::LoadMenuBar(UINT nIDResource)
{
    if (nIDResource != 0) {
        CMenu menu;
        if (!XTPResourceManager()->LoadMenu(&menu, nIDResource) || !LoadMenu(&menu, TRUE))
            return FALSE;
        m_nIDResource = m_nIDResourceCurrent = nIDResource;
    }
    CFrameWnd* pFrame = GetFrameSite();
    if (!pFrame || !pFrame->GetSafeHwnd())
        return TRUE;
    m_bMdiApp = pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd));
    XTPWindowHookTable()->SetHook(pFrame->GetSafeHwnd(), this);
    if (CWnd* pClient = GetMDIClient())
        XTPWindowHookTable()->SetHook(pClient->GetSafeHwnd(), this);

    // Images of the system commands for the child's system menu.
    const UINT nSysCommands[] = {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
    GetImageManager()->SetIconsFromBitmapResource(XTP_IDB_SYSTEM_COMMANDS, nSysCommands, 4, CSize(16, 16), 0);

    // The bar owns the native menu from now on: the frame neither shows nor destroys it.
    if (HMENU hMenu = ::GetMenu(pFrame->GetSafeHwnd())) {
        if (m_hMenu && m_hMenu != hMenu && ::IsMenu(m_hMenu))
            ::DestroyMenu(m_hMenu);
        m_hMenu = hMenu;
        ::SetMenu(pFrame->GetSafeHwnd(), nullptr);
    }
    if (pFrame->m_hMenuDefault == m_hMenu)
        pFrame->m_hMenuDefault = nullptr;
    return TRUE;
}

CWnd* CXTPMenuBar::GetActiveMdiChildWnd(BOOL* pbMaximized) const
{
    if (pbMaximized)
        *pbMaximized = FALSE;
    CWnd* pClient = GetMDIClient();
    if (!pClient || !pClient->GetSafeHwnd())
        return nullptr;
    BOOL bMaximized = FALSE;
    HWND hChild = reinterpret_cast<HWND>(
        ::SendMessageA(pClient->GetSafeHwnd(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMaximized)));
    if (!hChild)
        return nullptr;
    if (pbMaximized)
        *pbMaximized = bMaximized;
    return CWnd::FromHandle(hChild);
}

void CXTPMenuBar::RefreshMenu()
{
    CWnd* pChild = GetActiveMdiChildWnd();
    HWND hChild = pChild ? pChild->GetSafeHwnd() : nullptr;
    if (hChild != m_hwndHookedChild) {
        if (m_hwndHookedChild)
            XTPWindowHookTable()->RemoveHook(m_hwndHookedChild, this);
        m_hwndHookedChild = hChild;
        if (hChild)
            XTPWindowHookTable()->SetHook(hChild, this);
    }
    if (IsVisible())
        UpdateMDIButtons();
}

void CXTPMenuBar::UpdateMDIButtons()
{
    BOOL bMaximized = FALSE;
    CWnd* pChild = GetActiveMdiChildWnd(&bMaximized);
    HWND hChild = pChild && bMaximized ? pChild->GetSafeHwnd() : nullptr;
    BOOL bChanged = FALSE;

    HMENU hSysMenu = hChild && (m_dwFlags & xtpFlagAddMDISysPopup) ? ::GetSystemMenu(hChild, FALSE) : nullptr;
    CXTPControl* pSys = m_pControls->FindControl(XTP_ID_MENUBAR_SYSMENU);
    if (hSysMenu && ::IsMenu(hSysMenu)) {
        auto* pSysPopup = pSys && pSys->IsKindOf(RUNTIME_CLASS(CXTPControlMDISysMenuPopup))
                              ? static_cast<CXTPControlMDISysMenuPopup*>(pSys)
                              : nullptr;
        if (!pSysPopup) {
            pSysPopup = new CXTPControlMDISysMenuPopup;
            m_pControls->AddControl(pSysPopup, XTP_ID_MENUBAR_SYSMENU, "", 0, TRUE);
            pSysPopup->SetMDIChild(hChild, hSysMenu);
            bChanged = TRUE;
        } else if (pSysPopup->GetSysMenu() != hSysMenu) {
            pSysPopup->SetMDIChild(hChild, hSysMenu);
            bChanged = TRUE;
        }
    } else if (pSys) {
        m_pControls->Remove(pSys);
        bChanged = TRUE;
    }

    const DWORD dwChildStyle = hChild ? static_cast<DWORD>(::GetWindowLongA(hChild, GWL_STYLE)) : 0;
    for (const MDIButton& button : kMDIButtons) {
        const BOOL bWanted = hChild && (button.dwChildStyle == 0 || (dwChildStyle & button.dwChildStyle)) &&
                             !(m_dwFlags & button.dwNoFlag);
        CXTPControl* pControl = m_pControls->FindControl(button.nId);
        if (bWanted && !pControl) {
            m_pControls->AddControl(new CXTPControlMDIButton, button.nId, button.lpszGlyph, -1, TRUE);
            bChanged = TRUE;
        } else if (!bWanted && pControl) {
            m_pControls->Remove(pControl);
            bChanged = TRUE;
        }
    }
    if (bChanged)
        OnRecalcLayout();
}

CXTPControls* CXTPMenuBar::SwapControls(CXTPControls* pControls)
{
    SetPopuped(-1);
    SetSelected(-1);
    CXTPControls* pPrevious = m_pControls;
    m_pControls = pControls;
    pControls->SetCommandBars(GetCommandBars());
    pControls->SetParent(this);
    return pPrevious;
}

CXTPControls* CXTPMenuBar::ControlsFromMenu(HMENU hMenu)
{
    CXTPControls* pShown = SwapControls(new CXTPControls);
    LoadMenu(CMenu::FromHandle(hMenu), TRUE);
    return SwapControls(pShown);
}

CXTPControls* CXTPMenuBar::GetDocumentMenu(UINT nID) const
{
    CXTPControls* pControls = nullptr;
    return m_mapDocTemplateControls.Lookup(nID, pControls) ? pControls : nullptr;
}

void CXTPMenuBar::ReleaseDocumentMenus()
{
    POSITION pos = m_mapDocTemplateControls.GetStartPosition();
    while (pos) {
        UINT nID = 0;
        CXTPControls* pControls = nullptr;
        m_mapDocTemplateControls.GetNextAssoc(pos, nID, pControls);
        pControls->InternalRelease();
    }
    m_mapDocTemplateControls.RemoveAll();
}

void CXTPMenuBar::SwitchMDIMenu(HMENU hMenu)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    UINT nKey = pCommandBars ? pCommandBars->GetActiveDocTemplate() : 0;
    if (hMenu == m_hMenu)
        nKey = m_nIDResource;
    if (nKey == 0 || m_nIDResourceCurrent == 0 || nKey == m_nIDResourceCurrent || !hMenu || !::IsMenu(hMenu) ||
        ::GetMenuItemCount(hMenu) <= 0)
        return;
    const BOOL bCustomizable = pCommandBars && pCommandBars->IsCustomizable();
    if (!bCustomizable) {
        LoadMenu(CMenu::FromHandle(hMenu), TRUE);
    } else {
        CXTPControls* pKept = nullptr;
        if (m_mapDocTemplateControls.Lookup(m_nIDResourceCurrent, pKept)) {
            m_mapDocTemplateControls.RemoveKey(m_nIDResourceCurrent);
            pKept->InternalRelease();
        }
        // The child's buttons belong to the bar, not to the type's menu: they follow below.
        for (int i = m_pControls->GetCount() - 1; i >= 0; i--) {
            if (m_pControls->GetAt(i)->IsTemporary())
                m_pControls->Remove(i);
        }
        CXTPControls* pStored = nullptr;
        if (m_mapDocTemplateControls.Lookup(nKey, pStored)) {
            m_mapDocTemplateControls.RemoveKey(nKey);
            m_mapDocTemplateControls.SetAt(m_nIDResourceCurrent, SwapControls(pStored));
            if (!pStored->GetOriginalControls())
                pStored->SetOriginalControls(ControlsFromMenu(hMenu));
        } else {
            m_mapDocTemplateControls.SetAt(m_nIDResourceCurrent, SwapControls(new CXTPControls));
            LoadMenu(CMenu::FromHandle(hMenu), TRUE);
            m_pControls->CreateOriginalControls();
        }
    }
    m_nIDResourceCurrent = nKey;
    OnRecalcLayout();
    if (bCustomizable)
        RefreshMenu();
}

void CXTPMenuBar::DropUnchangedMDIMenus()
{
    if (m_mapDocTemplateControls.IsEmpty())
        return;
    if (m_hMenu && m_nIDResourceCurrent != m_nIDResource) {
        SwitchMDIMenu(m_hMenu);
        m_bDefaultMenuRestored = TRUE;
    }
    std::vector<UINT> arrUnchanged;
    POSITION pos = m_mapDocTemplateControls.GetStartPosition();
    while (pos) {
        UINT nID = 0;
        CXTPControls* pControls = nullptr;
        m_mapDocTemplateControls.GetNextAssoc(pos, nID, pControls);
        if (!pControls->IsChanged())
            arrUnchanged.push_back(nID);
    }
    for (UINT nID : arrUnchanged) {
        CXTPControls* pControls = GetDocumentMenu(nID);
        m_mapDocTemplateControls.RemoveKey(nID);
        pControls->InternalRelease();
    }
}

void CXTPMenuBar::Reset()
{
    if (m_mapDocTemplateControls.IsEmpty()) {
        if (m_pControls->GetOriginalControls())
            CXTPToolBar::Reset();
    } else if (m_nIDResourceCurrent != 0) {
        CString strFormat, strMessage;
        XTPResourceManager()->LoadString(&strFormat, IDS_TOOL_BAR_RESET_QUESTION);
        strMessage.Format(strFormat, static_cast<const char*>(m_strTitle));
        if (AfxMessageBox(strMessage, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK) {
            // A type known by its shared menu's handle has no resource of that number: a
            // resource id is 16 bits, and the handle cut to them could name another menu.
            CMenu menu;
            if (IS_INTRESOURCE(m_nIDResourceCurrent) && XTPResourceManager()->LoadMenu(&menu, m_nIDResourceCurrent)) {
                LoadMenu(&menu, TRUE);
            } else if (CXTPControls* pOriginal = m_pControls->GetOriginalControls()) {
                // A type keyed by its shared menu has no resource: its original set is what it was.
                m_pControls->RemoveAll();
                for (int i = 0; i < pOriginal->GetCount(); i++)
                    m_pControls->AddClone(pOriginal->GetAt(i), -1, TRUE);
            }
        }
    }
    RefreshMenu();
    DelayLayout();
    OnRecalcLayout();
}

void CXTPMenuBar::Copy(CXTPCommandBar* pSrc, BOOL bRecursive)
{
    CXTPToolBar::Copy(pSrc, bRecursive);
    auto* pMenuBar = dynamic_cast<CXTPMenuBar*>(pSrc);
    if (!pMenuBar)
        return;
    m_nIDResource = pMenuBar->m_nIDResource;
    ReleaseDocumentMenus();
    POSITION pos = pMenuBar->m_mapDocTemplateControls.GetStartPosition();
    while (pos) {
        UINT nID = 0;
        CXTPControls* pControls = nullptr;
        pMenuBar->m_mapDocTemplateControls.GetNextAssoc(pos, nID, pControls);
        CXTPControls* pCopy = pControls->Duplicate(TRUE);
        pCopy->SetParent(this);
        m_mapDocTemplateControls.SetAt(nID, pCopy);
    }
}

int CXTPMenuBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    CFrameWnd* pFrame = GetFrameSite();
    const HWND hFrame = pFrame ? pFrame->GetSafeHwnd() : nullptr;
    CWnd* pClient = GetMDIClient();
    const HWND hClient = pClient ? pClient->GetSafeHwnd() : nullptr;
    if (!hWnd || (hWnd != hFrame && hWnd != hClient && hWnd != m_hwndHookedChild))
        return CXTPToolBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);

    switch (nMessage) {
    case WM_SYSCOMMAND:
        // Alt pressed and released alone.
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0 && hWnd == hFrame && IsVisible() &&
            !XTPHookManager()->IsLocked() && ::GetKeyState(VK_SHIFT) >= 0 && !IsCustomizeMode()) {
            SetTrackingMode(TRUE, FALSE, FALSE);
            SetSelected(m_pControls->GetNext(-1, 1), TRUE);
            lResult = 0;
            return 1;
        }
        break;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        if (hWnd == m_hwndHookedChild && m_hWnd)
            PostMessage(WM_TIMER, XTP_TID_REFRESH_MENU, 0);
        break;
    case WM_MDICREATE:
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
        if (hWnd == hClient && m_hWnd)
            PostMessage(WM_TIMER, XTP_TID_REFRESH_MENU, 0);
        break;
    case WM_MDISETMENU:
        if (hWnd != hClient)
            break;
        if (IsVisible()) {
            if (!(m_dwFlags & xtpFlagIgnoreSetMenuMessage))
                SwitchMDIMenu(wParam ? reinterpret_cast<HMENU>(wParam) : m_hMenu);
            ::SetMenu(hFrame, nullptr);
            RefreshMenu();
            lResult = 0;
            return 1;
        }
        if (!::GetMenu(hFrame)) {
            lResult = 0;
            return 1;
        }
        break;
    default:
        break;
    }
    return CXTPToolBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
}

void CXTPMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == XTP_TID_REFRESH_MENU) {
        RefreshMenu();
        return;
    }
    CXTPCommandBar::OnTimer(nIDEvent);
}

BOOL CXTPMenuBar::TakeDefaultMenuRestored()
{
    const BOOL bRestored = m_bDefaultMenuRestored;
    m_bDefaultMenuRestored = FALSE;
    return bRestored;
}

void CXTPMenuBar::GetDocumentMenus(std::vector<CXTPControls*>& arrControls) const
{
    POSITION pos = m_mapDocTemplateControls.GetStartPosition();
    while (pos) {
        UINT nID = 0;
        CXTPControls* pControls = nullptr;
        m_mapDocTemplateControls.GetNextAssoc(pos, nID, pControls);
        arrControls.push_back(pControls);
    }
}

BOOL CXTPMenuBar::HasDocumentIcon() const
{
    CXTPControl* pSys = m_pControls->FindControl(XTP_ID_MENUBAR_SYSMENU);
    return pSys && pSys->IsVisible();
}

void CXTPMenuBar::DoPropExchange(CXTPPropExchange* pPX)
{
    if (!pPX->IsLoading() && !m_mapDocTemplateControls.IsEmpty()) {
        if (m_hMenu && m_nIDResourceCurrent != m_nIDResource)
            SwitchMDIMenu(m_hMenu);
        m_bDefaultMenuRestored = TRUE;
    }
    CXTPToolBar::DoPropExchange(pPX);
    long nResourceId = static_cast<long>(m_nIDResource);
    PX_LongDefault(pPX, "ResourceId", nResourceId, 0);
    m_nIDResource = static_cast<UINT>(nResourceId);

    if (!pPX->IsLoading()) {
        pPX->WriteCount(static_cast<DWORD>(m_mapDocTemplateControls.GetCount()));
        POSITION pos = m_mapDocTemplateControls.GetStartPosition();
        for (int i = 0; pos; i++) {
            UINT nID = 0;
            CXTPControls* pControls = nullptr;
            m_mapDocTemplateControls.GetNextAssoc(pos, nID, pControls);
            CString strSection;
            strSection.Format("MDIMenu%i", i);
            CXTPPropExchangeSection section(pPX->GetSection(strSection));
            long nSavedID = static_cast<long>(nID);
            PX_LongDefault(section, "Id", nSavedID, 0);
            pControls->DoPropExchange(section);
        }
        return;
    }
    if (pPX->m_nSchema <= 4)
        return;
    const DWORD nCount = pPX->CheckLoadedCount(pPX->ReadCount());
    for (DWORD i = 0; i < nCount; i++) {
        CString strSection;
        strSection.Format("MDIMenu%i", static_cast<int>(i));
        CXTPPropExchangeSection section(pPX->GetSection(strSection));
        long nID = 0;
        PX_LongDefault(section, "Id", nID, 0);
        auto* pControls = new CXTPControls;
        pControls->SetCommandBars(GetCommandBars());
        // Kept by the map from here on, so a failure below does not lose it.
        CXTPControls* pOld = nullptr;
        if (m_mapDocTemplateControls.Lookup(static_cast<UINT>(nID), pOld))
            pOld->InternalRelease();
        m_mapDocTemplateControls.SetAt(static_cast<UINT>(nID), pControls);
        pControls->DoPropExchange(section);
        pControls->SetParent(this);
    }
}
