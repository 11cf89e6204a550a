// The command bars of a frame: bar list, layout, frame message hooks, command usage, customize mode.
#include "CXTPCommandBars.h"

#include <algorithm>
#include <vector>

#include "CDocTemplate.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"
#include "CMiniFrameWnd.h"
#include "CWinApp.h"
#include "CWinThread.h"
#include "CXTPColorManager.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPDockBar.h"
#include "CXTPEdit.h"
#include "CXTPHoldRef.h"
#include "CXTPPopupBar.h"
#include "CXTPHookManager.h"
#include "CXTPImageManager.h"
#include "CXTPKeyboardHook.h"
#include "CXTPMenuBar.h"
#include "CXTPControlPopup.h"
#include "CXTPControlToolBarVisible.h"
#include "CXTPResourceManager.h"
#include "CXTPMenuSound.h"
#include "CXTPPaintManager.h"
#include "CXTPReBar.h"
#include "CXTPToolBar.h"
#include "CXTPToolBarDragContext.h"
#include "CException.h"
#include "CXTPTrackingLoop.h"
#include "TrackCommandBarPopupMenu.h"
#include "TrackControlMenu.h"

namespace {
// Every program with command bars shows the plain controls' context menus as their popups.
[[maybe_unused]] const PFNTRACKCONTROLMENU g_pfnPlainTracker = SetControlMenuTracker(TrackCommandBarPopupMenu);
}  // namespace
#include "ResourceIds.h"

IMPLEMENT_DYNCREATE(CXTPCommandBars, CCmdTarget)

CXTPCommandBars::CXTPCommandBars()
{
    m_pOptions = new CXTPCommandBarsOptions;
    m_pOptions->m_pCommandBars = this;
}

CXTPCommandBars::~CXTPCommandBars()
{
    if (m_pDragSelected) {
        m_pDragSelected->InternalRelease();
        m_pDragSelected = nullptr;
    }
    if (m_pContextMenus)
        m_pContextMenus->InternalRelease();
    std::vector<CXTPCommandBar*> arrBars;
    arrBars.swap(m_arrBars);
    m_pMenuBar = nullptr;
    for (CXTPCommandBar* pBar : arrBars) {
        // The dock bars go after the bars; no bar may reach them on its way out.
        if (auto* pToolBar = dynamic_cast<CXTPToolBar*>(pBar))
            pToolBar->SetDockBar(nullptr);
        pBar->SetCommandBars(nullptr);
        pBar->InternalRelease();
    }
    for (CXTPDockBar*& pDock : m_pDocks) {
        delete pDock;
        pDock = nullptr;
    }
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    if (m_hDesignerAccels)
        ::DestroyAcceleratorTable(m_hDesignerAccels);
    m_pOptions->InternalRelease();
    XTPMenuSound()->StopThread();
}

void CXTPCommandBars::SetSite(CFrameWnd* pFrame)
{
    m_pFrame = pFrame;
    if (pFrame && pFrame->GetSafeHwnd()) {
        AFX_CMDHANDLERINFO info = {};
        m_bCustomizable = pFrame->OnCmdMsg(XTP_ID_CUSTOMIZE, CN_COMMAND, this, &info);
    }
}

void CXTPCommandBars::AppendBar(CXTPCommandBar* pBar)
{
    pBar->SetCommandBars(this);
    m_arrBars.push_back(pBar);
    // A bar whose window was made before it joined takes part in customize drags from now on.
    if (pBar->GetSafeHwnd() && pBar->GetPosition() != xtpBarListBox)
        m_dropSource.Register(pBar);
    if (pBar->GetType() == xtpBarTypeMenuBar && !m_pMenuBar)
        m_pMenuBar = pBar;
}

CXTPCommandBar* CXTPCommandBars::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrBars[static_cast<size_t>(nIndex)] : nullptr;
}

CXTPCommandBar* CXTPCommandBars::GetToolBar(UINT nBarID) const
{
    if (nBarID == 0)
        return nullptr;
    for (CXTPCommandBar* pBar : m_arrBars) {
        if (pBar->GetBarID() == nBarID)
            return pBar;
    }
    return nullptr;
}

void CXTPCommandBars::ToggleVisible(int nIndex)
{
    if (CXTPCommandBar* pBar = GetAt(nIndex))
        pBar->SetVisible(!pBar->IsVisible());
}

void CXTPCommandBars::RecalcFrameLayout(BOOL bDelay)
{
    if (m_bRecalcLayout || !m_pFrame)
        return;
    if (bDelay)
        m_pFrame->m_nIdleFlags |= CFrameWnd::idleLayout;
    else
        m_pFrame->RecalcLayout(FALSE);
}

void CXTPCommandBars::RecalcLayout()
{
    m_bRecalcLayout = TRUE;
    for (CXTPCommandBar* pBar : m_arrBars) {
        if (pBar->IsVisible())
            pBar->OnRecalcLayout();
    }
    if (m_pFrame && m_pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
        HWND hClient = static_cast<CMDIFrameWnd*>(m_pFrame)->m_hWndMDIClient;
        if (hClient && CWnd::FromHandlePermanent(hClient))
            ::SendMessageA(hClient, kMsgMDIClientRecalcLayout, TRUE, 0);
    }
    m_bRecalcLayout = FALSE;
    RecalcFrameLayout();
}

void CXTPCommandBars::PumpTrackingMessages(CXTPCommandBar* pBar)
{
    CWinThread* pThread = AfxGetThread();
    // The bar may go away while its messages run.
    pBar->InternalAddRef();
    while (pBar->GetTrackingMode()) {
        MSG msg;
        if (!CXTPTrackingLoop::NextMessage(&msg))
            break;
        if (!pBar->GetTrackingMode()) {
            ::PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            break;
        }
        if (msg.message == WM_KICKIDLE)
            continue;
        if (!pThread || !pThread->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    pBar->InternalRelease();
}

int CXTPCommandBars::TrackPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pOwner, LPCRECT rcExclude,
                                    CWnd* pSite, CXTPCommandBars* pCommandBars)
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(pCommandBars);
    pPopup->SetOwner(pOwner);
    pPopup->SetSiteWnd(pSite);
    int nResult = 0;
    if (pPopup->LoadMenu(pMenu, TRUE))
        nResult = TrackPopupBar(pPopup, nFlags, x, y, pOwner, rcExclude, pSite);
    pPopup->InternalRelease();
    return nResult;
}

int CXTPCommandBars::TrackPopupBar(CXTPPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pOwner, LPCRECT rcExclude,
                                   CWnd* pSite)
{
    if (!pPopup)
        return 0;
    CHoldRef hold(pPopup);
    pPopup->SetOwner(pOwner);
    if (pSite)
        pPopup->SetSiteWnd(pSite);
    UINT nReturn = 0;
    const BOOL bReturnCmd = (nFlags & TPM_RETURNCMD) != 0;
    pPopup->SetReturnCmdTarget(bReturnCmd ? &nReturn : nullptr);
    pPopup->SetRightButtonExecutes((nFlags & TPM_RIGHTBUTTON) != 0);
    // Without notifications the items keep the states the menu gave them.
    pPopup->SetNoNotify((nFlags & TPM_NONOTIFY) != 0);
    pPopup->SetNoUpdate((nFlags & TPM_NONOTIFY) != 0);
    pPopup->SetPopupFlags((nFlags & TPM_RIGHTALIGN) ? xtpPopupLeft : 0);

    CXTPHookManager* pHookManager = XTPHookManager();
    if (!pPopup->IsContextMenuOverOthers())
        pHookManager->CancelTracking();
    pHookManager->SetSwallowButtonUp(TRUE);
    ::ReleaseCapture();
    if (pPopup->Popup(x, y, rcExclude))
        PumpTrackingMessages(pPopup);
    // The target lives on this stack frame only.
    pPopup->SetReturnCmdTarget(nullptr);
    return bReturnCmd ? static_cast<int>(nReturn) : TRUE;
}

CFrameWnd* CXTPCommandBars::GetForegroundFrame()
{
    CWnd* pWnd = CWnd::GetForegroundWindow();
    while (pWnd) {
        if (pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) && !pWnd->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
            return static_cast<CFrameWnd*>(pWnd);
        pWnd = pWnd->GetParentFrame();
    }
    return nullptr;
}

BOOL CXTPCommandBars::PreTranslateFrameMessage(MSG* pMsg)
{
    // The Alt release that ends an Alt+drag opens no menu (with a click between them Windows
    // itself takes no Alt-alone press; Wine does).
    if (m_bSkipAltRelease) {
        const BOOL bAlt = pMsg->wParam == VK_MENU;
        if (bAlt && (pMsg->message == WM_SYSKEYUP || pMsg->message == WM_KEYUP)) {
            m_bSkipAltRelease = FALSE;
            return pMsg->message == WM_SYSKEYUP;
        }
        if (!bAlt && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN))
            m_bSkipAltRelease = FALSE;
    }
    if (TranslateMenuMnemonic(pMsg))
        return TRUE;
    CXTPHookManager* pHookManager = XTPHookManager();
    if (pHookManager->GetTrackedCount() > 0 &&
        (pMsg->message == WM_CONTEXTMENU || pMsg->message == WM_SYSKEYUP))
        return TRUE;
    if (pMsg->message == WM_MOUSEWHEEL) {
        CXTPKeyboardHook* pKeyboardHook = XTPKeyboardHook();
        if (pKeyboardHook->GetSinkCount() > 0) {
            pKeyboardHook->OfferMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CXTPCommandBars::OnFrameWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_IDLEUPDATECMDUI:
        for (CXTPCommandBar* pBar : m_arrBars) {
            if (pBar->GetPosition() == xtpBarFloating)
                pBar->OnIdleUpdateCmdUI(TRUE, TRUE);
        }
        break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        if (message == WM_SYSCOLORCHANGE) {
            GetColorManager()->RefreshColors();
            GetImageManager()->RefreshAll();
        }
        GetPaintManager()->RefreshMetrics();
        RecalcFrameLayout();
        if (m_pFrame && m_pFrame->GetSafeHwnd())
            m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    case WM_CLOSE:
        if (m_dropSource.GetDragWnd())
            return TRUE;
        break;
    case WM_COMMAND:
        // A menu or shortcut command (no control window) for the field that has the focus:
        // Edit > Paste pastes into the field, not into the document behind it.
        if (lParam == 0) {
            auto* pEdit = dynamic_cast<CXTPEdit*>(CWnd::FromHandlePermanent(::GetFocus()));
            if (pEdit && pEdit->OnCmdMsg(LOWORD(wParam), CN_COMMAND, nullptr, nullptr)) {
                if (pResult)
                    *pResult = 1;
                return TRUE;
            }
        }
        break;
    case WM_ACTIVATEAPP:
        if (!wParam && XTPHookManager()->GetTrackedCount() > 0)
            XTPHookManager()->CancelTracking();
        break;
    case WM_SYSCOMMAND:
        if (XTPHookManager()->GetTrackedCount() > 0 && !m_bCustomizeMode &&
            (wParam == 0 || (LOWORD(wParam) != 0 && (wParam & 0xFFF0) != SC_KEYMENU)))
            XTPHookManager()->CancelTracking();
        break;
    default:
        break;
    }
    return FALSE;
}

BOOL CXTPCommandBars::IsCommandHidden(UINT nID)
{
    BOOL bValue = FALSE;
    return m_pOptions->m_mapHiddenCommands.Lookup(nID, bValue) && !m_pOptions->m_mapUsedCommands.Lookup(nID, bValue);
}

BOOL CXTPCommandBars::IsControlHidden(CXTPControl* pControl)
{
    if (IsCommandHidden(static_cast<UINT>(pControl->GetID())))
        return TRUE;
    XTPControlType type = pControl->GetType();
    if (!m_pOptions->m_bAutoHideUnusedPopups ||
        (type != xtpControlPopup && type != xtpControlButtonPopup && type != xtpControlSplitButtonPopup))
        return FALSE;
    CXTPCommandBar* pBar = pControl->GetCommandBar();
    if (!pBar || pBar->GetControlCount() == 0)
        return FALSE;
    for (int i = 0; i < pBar->GetControlCount(); i++) {
        if (!IsControlHidden(pBar->GetControl(i)))
            return FALSE;
    }
    return TRUE;
}

void CXTPCommandBars::SetCommandUsed(UINT nID)
{
    if (IsCommandHidden(nID))
        m_pOptions->m_mapUsedCommands.SetAt(nID, TRUE);
}

void CXTPCommandBars::ResetUsageData()
{
    m_pOptions->m_mapUsedCommands.RemoveAll();
}

UINT CXTPCommandBars::GetActiveDocTemplate()
{
    if (!m_pFrame || !m_pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return 0;
    CMDIChildWnd* pChild = static_cast<CMDIFrameWnd*>(m_pFrame)->MDIGetActive();
    if (!pChild)
        return m_nDefaultMenuID;
    CDocument* pDocument = pChild->GetActiveDocument();
    if (!pDocument)
        return static_cast<UINT>(reinterpret_cast<UINT_PTR>(pChild->m_hMenuShared));
    // The multi-document template of the child's resource id: the document's own, else the
    // first registered one.
    const UINT nID = pChild->m_nIDHelp;
    auto isMatch = [nID](CDocTemplate* pTemplate) {
        return pTemplate && pTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)) && pTemplate->GetResourceID() == nID;
    };
    if (isMatch(pDocument->GetDocTemplate()))
        return nID;
    if (CWinApp* pApp = AfxGetApp()) {
        POSITION pos = pApp->GetFirstDocTemplatePosition();
        while (pos) {
            if (isMatch(pApp->GetNextDocTemplate(pos)))
                return nID;
        }
    }
    return 0;
}

void CXTPCommandBars::SetCustomizeMode(BOOL bMode)
{
    m_pOptions->m_bDirty = TRUE;
    m_bCustomizeMode = bMode;
    SetDragControl(nullptr);
    for (CXTPCommandBar* pBar : m_arrBars)
        pBar->OnIdleUpdateCmdUI(TRUE, TRUE);
    RecalcFrameLayout();
}

void CXTPCommandBars::SetQuickCustomizeMode(BOOL bMode)
{
    m_pOptions->m_bDirty = TRUE;
    m_bQuickCustomizeMode = bMode;
    m_bCustomizeMode = bMode;
    SetDragControl(nullptr);
}

void CXTPCommandBars::SetDragControl(CXTPControl* pControl)
{
    if (pControl != m_pDragSelected) {
        CXTPControl* pOld = m_pDragSelected;
        m_pDragSelected = pControl;
        if (pControl)
            pControl->InternalAddRef();
        if (pOld) {
            if (pOld->GetParent())
                pOld->GetParent()->Invalidate(FALSE);
            pOld->InternalRelease();
        }
        if (pControl && pControl->GetParent() && pControl->GetParent()->GetSafeHwnd())
            pControl->GetParent()->Invalidate(FALSE);
    }
    CWnd* pTarget = m_dropSource.GetDragWnd() ? m_dropSource.GetDragWnd() : m_pFrame;
    if (pTarget && pTarget->GetSafeHwnd())
        pTarget->SendMessage(WM_CMDBARS_DRAGCONTROLCHANGED, 0, 0);
}

CXTPPaintManager* CXTPCommandBars::GetPaintManager() const
{
    return m_pPaintManager ? m_pPaintManager : XTPPaintManager();
}

void CXTPCommandBars::SetPaintManager(CXTPPaintManager* pPaintManager)
{
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
}

CXTPImageManager* CXTPCommandBars::GetImageManager() const
{
    return m_pImageManager ? m_pImageManager : XTPImageManager();
}

void CXTPCommandBars::SetImageManager(CXTPImageManager* pImageManager)
{
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

BOOL CXTPCommandBars::IsShowFullAfterDelay() const
{
    return m_pOptions->m_bShowFullAfterDelay;
}

// ---- Docking ----------------------------------------------------------------------------------

void CXTPCommandBars::EnableDocking()
{
    struct Side {
        UINT nID;
        DWORD dwStyle;
    };
    // Ids within the frame's bar range, so that its layout gives each dock bar its edge.
    static const Side sides[4] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
                                  {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
                                  {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
                                  {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT}};
    for (int i = 0; i < 4; i++) {
        if (m_pDocks[i])
            continue;
        auto* pDock = new CXTPDockBar(this);
        const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | sides[i].dwStyle;
        if (!m_pFrame || !pDock->Create(m_pFrame, dwStyle, sides[i].nID)) {
            delete pDock;
            AfxThrowResourceException();
        }
        m_pDocks[i] = pDock;
    }
}

CXTPDockBar* CXTPCommandBars::GetDockBar(int nPosition) const
{
    return nPosition >= 0 && nPosition < 4 ? m_pDocks[nPosition] : nullptr;
}

CXTPToolBar* CXTPCommandBars::Add(const char* lpszName, XTPBarPosition position, CRuntimeClass* pToolbarClass)
{
    CObject* pObject = (pToolbarClass ? pToolbarClass : RUNTIME_CLASS(CXTPToolBar))->CreateObject();
    auto* pBar = dynamic_cast<CXTPToolBar*>(pObject);
    if (!pBar) {
        delete pObject;
        return nullptr;
    }
    pBar->SetCommandBars(this);
    pBar->EnableDocking(xtpFlagAlignAny | xtpFlagFloating | xtpFlagHideWrap);
    pBar->SetTitle(lpszName);
    if (!pBar->SetPosition(position)) {
        pBar->InternalRelease();
        return nullptr;
    }
    AppendBar(pBar);
    return pBar;
}

CXTPToolBar* CXTPCommandBars::AddCustomBar(const char* lpszCaption, UINT nID, BOOL bTearOff)
{
    auto* pBar = new CXTPToolBar;
    pBar->SetCommandBars(this);
    XTP_CREATEBAR request{pBar, FALSE, FALSE, TRUE, bTearOff, CString(lpszCaption), nID};
    if (m_pFrame && m_pFrame->GetSafeHwnd())
        m_pFrame->SendMessage(WM_CMDBARS_CREATEBAR, 0, reinterpret_cast<LPARAM>(&request));
    if (!pBar->GetDragContext())
        pBar->EnableDocking(xtpFlagAlignAny | xtpFlagFloating | xtpFlagHideWrap);
    pBar->SetTitle(lpszCaption);
    if (!pBar->SetPosition(bTearOff ? xtpBarFloating : xtpBarTop)) {
        pBar->InternalRelease();
        return nullptr;
    }
    AppendBar(pBar);
    pBar->SetBarID(nID);
    pBar->SetBuiltIn(FALSE);
    pBar->SetTearOff(bTearOff);
    if (pBar->GetDockBar())
        RecalcFrameLayout();
    OnToolBarAdded(pBar);
    return pBar;
}

void CXTPCommandBars::Remove(CXTPCommandBar* pBar)
{
    auto it = std::find(m_arrBars.begin(), m_arrBars.end(), pBar);
    if (!pBar || it == m_arrBars.end())
        return;
    if (pBar->GetSafeHwnd())
        pBar->ShowWindow(SW_HIDE);
    pBar->m_bVisible = FALSE;
    auto* pToolBar = dynamic_cast<CXTPToolBar*>(pBar);
    if (pToolBar && pToolBar->GetDockBar()) {
        pToolBar->GetDockBar()->RemoveCommandBar(pToolBar);
        RecalcFrameLayout();
    }
    if (pToolBar)
        OnToolBarRemoved(pToolBar);
    m_arrBars.erase(std::find(m_arrBars.begin(), m_arrBars.end(), pBar));
    // The menu bar's pointer would outlive the bar.
    if (m_pMenuBar == pBar)
        m_pMenuBar = nullptr;
    pBar->InternalRelease();
}

BOOL CXTPCommandBars::DockCommandBar(CXTPCommandBar* pBar, LPCRECT lpRect, CXTPDockBar* pDockBar)
{
    auto* pToolBar = dynamic_cast<CXTPToolBar*>(pBar);
    if (!pToolBar || !pDockBar)
        return FALSE;
    if (!pToolBar->SetFloatingWindow(m_pFrame, FALSE))
        return FALSE;
    pDockBar->DockCommandBar(pToolBar, lpRect);
    pToolBar->m_barPosition = pDockBar->GetPosition();
    return TRUE;
}

BOOL CXTPCommandBars::DockCommandBar(CXTPCommandBar* pBar, XTPBarPosition position)
{
    if (CXTPDockBar* pDockBar = GetDockBar(position))
        return DockCommandBar(pBar, nullptr, pDockBar);
    // Without dock bars a docked bar is a plain child of the site, which lays it out itself.
    auto* pToolBar = dynamic_cast<CXTPToolBar*>(pBar);
    if (!pToolBar || position < xtpBarTop || position > xtpBarRight || !pToolBar->SetFloatingWindow(m_pFrame, FALSE))
        return FALSE;
    pToolBar->m_barPosition = position;
    return TRUE;
}

BOOL CXTPCommandBars::FloatCommandBar(CXTPCommandBar* pBar)
{
    auto* pToolBar = dynamic_cast<CXTPToolBar*>(pBar);
    if (!pToolBar || !pToolBar->SetFloatingWindow(m_pFrame, TRUE))
        return FALSE;
    if (CXTPDockBar* pDockBar = pToolBar->GetDockBar())
        pDockBar->RemoveCommandBar(pToolBar);
    pToolBar->m_barPosition = xtpBarFloating;
    return TRUE;
}

BOOL CXTPCommandBars::IsNearDockBar(const CRect& rcDockBar, CPoint point)
{
    const int nMargin = 20;
    return point.x > rcDockBar.left - nMargin && point.x < rcDockBar.right + nMargin &&
           point.y > rcDockBar.top - nMargin && point.y < rcDockBar.bottom + nMargin;
}

CXTPDockBar* CXTPCommandBars::CanDock(CPoint point, CXTPDockBar* pCurrent) const
{
    auto isNear = [point](CXTPDockBar* pDock) {
        if (!pDock || !pDock->GetSafeHwnd())
            return false;
        CRect rc;
        pDock->GetWindowRect(&rc);
        return IsNearDockBar(rc, point) != FALSE;
    };
    if (isNear(pCurrent))
        return pCurrent;
    for (CXTPDockBar* pDock : m_pDocks) {
        if (isNear(pDock))
            return pDock;
    }
    return nullptr;
}

void CXTPCommandBars::OnToolBarAdded(CXTPToolBar* pToolBar)
{
    HWND hReBar = m_pFrame && m_pFrame->GetSafeHwnd() ? ::GetDlgItem(m_pFrame->GetSafeHwnd(), AFX_IDW_REBAR) : nullptr;
    auto* pReBar = dynamic_cast<CXTPReBar*>(CWnd::FromHandlePermanent(hReBar));
    if (pReBar)
        pReBar->AddToolBar(pToolBar, RBBS_BREAK | RBBS_GRIPPERALWAYS);
}

void CXTPCommandBars::OnToolBarRemoved(CXTPToolBar* pToolBar)
{
    HWND hReBar = m_pFrame && m_pFrame->GetSafeHwnd() ? ::GetDlgItem(m_pFrame->GetSafeHwnd(), AFX_IDW_REBAR) : nullptr;
    auto* pReBar = dynamic_cast<CXTPReBar*>(CWnd::FromHandlePermanent(hReBar));
    if (pReBar)
        pReBar->DeleteToolBar(pToolBar);
}

// ---- The menu bar: its maker and the Alt mnemonics of its items.

CXTPMenuBar* CXTPCommandBars::SetMenu(const char* lpszName, UINT nID)
{
    auto* pMenuBar = static_cast<CXTPMenuBar*>(RUNTIME_CLASS(CXTPMenuBar)->CreateObject());
    pMenuBar->SetCommandBars(this);
    pMenuBar->EnableDocking(xtpFlagAlignAny | xtpFlagFloating | xtpFlagStretched);
    pMenuBar->SetTitle(lpszName);
    pMenuBar->SetBarID(1);
    if (!pMenuBar->SetPosition(xtpBarTop) || !pMenuBar->LoadMenuBar(nID)) {
        pMenuBar->InternalRelease();
        return nullptr;
    }
    if (nID != 0) {
        pMenuBar->GetControls()->CreateOriginalControls();
        m_nDefaultMenuID = nID;
    }
    AppendBar(pMenuBar);
    m_pMenuBar = pMenuBar;
    return pMenuBar;
}

BOOL CXTPCommandBars::TranslateMenuMnemonic(MSG* pMsg)
{
    CXTPCommandBar* pMenuBar = m_pMenuBar;
    if (pMsg->message != WM_SYSKEYDOWN || !(pMsg->lParam & (1 << 29)) || !pMenuBar || !pMenuBar->IsVisible())
        return FALSE;
    CXTPHookManager* pHookManager = XTPHookManager();
    if (pHookManager->IsLocked() || pHookManager->GetTrackedCount() > 0)
        return FALSE;
    if (GetForegroundFrame() != m_pFrame || (m_bIgnoreShiftMenuKey && ::GetKeyState(VK_SHIFT) < 0))
        return FALSE;
    const UINT nChar = ::MapVirtualKeyA(static_cast<UINT>(pMsg->wParam), 2);
    if (nChar == 0)
        return FALSE;
    BOOL bAmbiguous = FALSE;
    const int nIndex = pMenuBar->FindAccel(static_cast<char>(nChar & 0xFF), bAmbiguous);
    CXTPControl* pControl = pMenuBar->GetControl(nIndex);
    if (!pControl)
        return FALSE;
    if (bAmbiguous) {
        pMenuBar->SetTrackingMode(TRUE, FALSE, TRUE);
        pMenuBar->SetSelected(nIndex, TRUE);
    } else if (pControl->GetType() == xtpControlPopup || pControl->GetType() == xtpControlButtonPopup ||
               pControl->GetType() == xtpControlSplitButtonPopup) {
        pMenuBar->SetPopuped(nIndex, TRUE);
    } else {
        pControl->Execute();
    }
    return TRUE;
}

namespace {

// The bars of the toolbar's dock row in their order, the toolbar alone when it is not docked.
std::vector<CXTPToolBar*> RowOf(CXTPToolBar* pToolBar)
{
    std::vector<CXTPToolBar*> arrRow;
    if (CXTPDockBar* pDockBar = pToolBar->GetDockBar())
        arrRow = pDockBar->GetRowBars(pToolBar);
    if (arrRow.empty())
        arrRow.push_back(pToolBar);
    return arrRow;
}

}  // namespace

void CXTPCommandBars::GetHiddenControls(CXTPToolBar* pToolBar, CXTPPopupBar* pPopup)
{
    std::vector<CXTPToolBar*> arrBars = RowOf(pToolBar);
    // The toolbar's own first.
    arrBars.erase(std::find(arrBars.begin(), arrBars.end(), pToolBar));
    arrBars.insert(arrBars.begin(), pToolBar);
    for (CXTPToolBar* pBar : arrBars)
        pBar->CopyHiddenControls(pPopup->GetControls());
}

void CXTPCommandBars::GetExpandPopup(CXTPToolBar* pToolBar, CXTPPopupBar* pPopup)
{
    for (CXTPToolBar* pBar : RowOf(pToolBar)) {
        CXTPControlPopup* pEntry = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
        pPopup->GetControls()->AddControl(pEntry);
        pEntry->SetCaption(pBar->GetTitle());
        pEntry->SetFlags(pEntry->GetFlags() | xtpFlagManualUpdate);
        pEntry->SetEnabled(m_bCustomizable && pBar->IsBuiltIn() && pBar->IsCustomizable());
        if (!pEntry->GetEnabled())
            continue;
        CXTPPopupBar* pButtons = CXTPPopupBar::CreatePopupBar(this);
        pBar->FillAddRemovePopup(pButtons);
        pEntry->SetCommandBar(pButtons);
        pButtons->InternalRelease();
    }
    if (m_bCustomizable)
        AddCustomizeButton(pPopup->GetControls());
}

CXTPPopupBar* CXTPCommandBars::GetToolbarsPopup()
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(this);
    int nListed = 0;
    for (int i = 0; i < GetCount(); i++) {
        CXTPCommandBar* pBar = GetAt(i);
        if (pBar->GetType() != xtpBarTypeNormal || !pBar->IsContextMenuPresent() || !pBar->IsCloseable())
            continue;
        auto* pItem = new CXTPControlToolBarVisible;
        pPopup->GetControls()->AddControl(pItem);
        pItem->SetCaption(pBar->GetTitle());
        pItem->SetTag(static_cast<DWORD_PTR>(i));
        pItem->SetChecked(pBar->IsVisible());
        nListed++;
    }
    if (m_bCustomizable && nListed > 0)
        AddCustomizeButton(pPopup->GetControls());
    return pPopup;
}

CXTPControl* CXTPCommandBars::AddCustomizeButton(CXTPControls* pControls)
{
    CString strCustomize;
    XTPResourceManager()->LoadString(&strCustomize, XTP_ID_CUSTOMIZE);
    const int nNewLine = strCustomize.Find('\n');
    CXTPControl* pCustomize = pControls->Add(xtpControlButton, XTP_ID_CUSTOMIZE);
    pCustomize->SetCaption(nNewLine >= 0 ? strCustomize.Mid(nNewLine + 1) : strCustomize);
    pCustomize->SetBeginGroup(TRUE);
    return pCustomize;
}

void CXTPCommandBars::ContextMenu(CPoint point)
{
    if (m_bCustomizeMode)
        return;
    CXTPPopupBar* pPopup = GetToolbarsPopup();
    if (pPopup->GetControlCount() > 0) {
        const BOOL bRTL = m_pFrame && m_pFrame->GetSafeHwnd() && (m_pFrame->GetExStyle() & WS_EX_LAYOUTRTL);
        TrackPopupBar(pPopup, bRTL ? TPM_RIGHTALIGN : 0, point.x, point.y, m_pFrame);
    }
    pPopup->InternalRelease();
}
