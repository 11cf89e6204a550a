// The frame of several documents: its MDI client, the active child, menus and Window commands.
#include "CMDIFrameWnd.h"

#include "CDocument.h"
#include "CMDIChildWnd.h"
#include "CWinApp.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_SIZE()
    ON_COMMAND_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnWindowCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateWindowCommand)
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext*)
{
    return CreateClient(lpcs, GetWindowMenuPopup(m_hMenuDefault));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCTA, HMENU hWindowMenu)
{
    CLIENTCREATESTRUCT client{};
    client.hWindowMenu = hWindowMenu;
    client.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL |
                        MDIS_ALLCHILDSTYLES;
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, style, 0, 0, 0, 0, m_hWnd,
                                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                        ::GetModuleHandleA(nullptr), &client);
    return m_hWndMDIClient != nullptr;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (!hMenuBar)
        return nullptr;
    // The popup that holds one of the Window commands.
    const int count = ::GetMenuItemCount(hMenuBar);
    for (int i = 0; i < count; ++i) {
        HMENU popup = ::GetSubMenu(hMenuBar, i);
        const int items = popup ? ::GetMenuItemCount(popup) : 0;
        for (int k = 0; k < items; ++k) {
            const UINT id = ::GetMenuItemID(popup, k);
            if (id >= ID_WINDOW_NEW && id <= ID_WINDOW_TILE_VERT)
                return popup;
        }
    }
    return nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnSize(UINT nType, int, int)
{
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

// ---- Children --------------------------------------------------------------------------------

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL maximized = FALSE;
    HWND active = m_hWndMDIClient
                      ? reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                              reinterpret_cast<LPARAM>(&maximized)))
                      : nullptr;
    CWnd* child = FromHandlePermanent(active);
    if (!child || !child->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        child = nullptr, maximized = FALSE;
    if (pbMaximized)
        *pbMaximized = maximized;
    return static_cast<CMDIChildWnd*>(child);
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (pWndActivate)
        ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->m_hWnd), 0);
}

void CMDIFrameWnd::MDICascade() { ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
void CMDIFrameWnd::MDITile(int nType) { ::SendMessageA(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0); }
void CMDIFrameWnd::MDIIconArrange() { ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }
void CMDIFrameWnd::MDINext() { ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0); }

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    if (pWnd)
        ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    if (pWnd)
        ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

HMENU CMDIFrameWnd::MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu)
{
    HMENU old = reinterpret_cast<HMENU>(::SendMessageA(m_hWndMDIClient, WM_MDISETMENU,
                                                       reinterpret_cast<WPARAM>(hFrameMenu),
                                                       reinterpret_cast<LPARAM>(hWindowMenu)));
    ::DrawMenuBar(m_hWnd);
    return old;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? child->GetActiveDocument() : CFrameWnd::GetActiveDocument();
}

HACCEL CMDIFrameWnd::GetDefaultAccelerator()
{
    CMDIChildWnd* child = MDIGetActive();
    return child && child->m_hAccelTable ? child->m_hAccelTable : m_hAccelTable;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (CMDIChildWnd* child = MDIGetActive()) {
        child->OnUpdateFrameMenu(TRUE, child, hMenuAlt);
        return;
    }
    HMENU menu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
    if (menu)
        MDISetMenu(menu, GetWindowMenuPopup(menu));
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    BOOL maximized = FALSE;
    CMDIChildWnd* child = MDIGetActive(&maximized);
    CDocument* doc = child ? child->GetActiveDocument() : nullptr;
    // A maximised child's name is added by the MDI frame's own caption handling.
    const bool add = bAddToTitle && doc && !maximized;
    UpdateFrameTitleForDocument(add ? static_cast<const char*>(doc->GetTitle()) : nullptr);
}

// ---- Commands and keys -------------------------------------------------------------------------

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIChildWnd* child = MDIGetActive();
    if (child && !m_bRoutedByChild) {
        // The child asks its own route only; this frame goes on with the rest.
        child->m_bRoutedByParent = TRUE;
        BOOL handled = child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        child->m_bRoutedByParent = FALSE;
        if (handled)
            return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // The active child's table first, then the frame's, then the MDI keys (Ctrl+F4, Ctrl+F6).
    CMDIChildWnd* child = MDIGetActive();
    if (child && child->m_hAccelTable && ::TranslateAcceleratorA(m_hWnd, child->m_hAccelTable, pMsg))
        return TRUE;
    if (m_hAccelTable && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    return child && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) &&
           ::TranslateMDISysAccel(m_hWndMDIClient, pMsg);
}

void CMDIFrameWnd::OnWindowCommand(UINT nID)
{
    switch (nID) {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        break;
    case ID_WINDOW_CASCADE:
        MDICascade();
        break;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        break;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        break;
    default:
        break;
    }
}

void CMDIFrameWnd::OnUpdateWindowCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}
