// Frame windows: creation from resources, the bar layout, command routing, prompts and closing.
#include "CFrameWnd.h"

#include <algorithm>

#include "AfxResource.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CMenu.h"
#include "CView.h"
#include "CWinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_ENABLE()
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(WM_MENUSELECT, OnMenuSelect)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_ACTIVATEAPP, OnActivateApp)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    // Deleted with its window still there: the window goes now, while it is a frame's, and
    // PostNcDestroy must not delete the object a second time.
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        m_bInDestructor = true;
        DestroyWindow();
    }
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

const char* CFrameWnd::FrameClassName(UINT nIDResource)
{
    HICON icon = nIDResource ? ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)) : nullptr;
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                               icon);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = FrameClassName(m_nIDHelp);
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strings;
    strings.LoadString(nIDResource);
    AfxExtractSubString(m_strTitle, strings, 0);
    if (!Create(FrameClassName(nIDResource), m_strTitle, dwDefaultStyle, rectDefault, pParentWnd,
                MAKEINTRESOURCEA(nIDResource), 0, pContext))
        return FALSE;  // the object is gone
    m_hAccelTable = AfxLoadAccelTable(nIDResource);
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, const char* lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU menu = nullptr;
    if (lpszMenuName && !(dwStyle & WS_CHILD)) {
        CMenu loaded;
        if (loaded.LoadMenu(lpszMenuName))
            menu = loaded.Detach();  // a frame without its menu resource simply has none
    }
    m_hMenuDefault = menu;
    // rectDefault lets the system place and size the window.
    const bool byDefault = ::EqualRect(&rect, &rectDefault);
    const int x = byDefault ? CW_USEDEFAULT : rect.left;
    const int y = byDefault ? CW_USEDEFAULT : rect.top;
    const int cx = byDefault ? CW_USEDEFAULT : rect.right - rect.left;
    const int cy = byDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    HWND parent = pParentWnd ? pParentWnd->m_hWnd : nullptr;

    bool destroyed = false;
    m_pDestroyed = &destroyed;
    BOOL created = CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, parent, menu, pContext);
    if (destroyed) {
        // Refused on the way: the window, its menu and this object are gone.
        if (menu && ::IsMenu(menu))
            ::DestroyMenu(menu);
        return FALSE;
    }
    m_pDestroyed = nullptr;
    if (!created) {
        if (menu)
            ::DestroyMenu(menu);
        m_hMenuDefault = nullptr;
        PostNcDestroy();
        return FALSE;
    }
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA lpcs)
{
    return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCTA lpcs, CCreateContext* pContext)
{
    if (Default() == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    // Bars made by the derived class's OnCreate take their places at the first size; the
    // idle text goes to the message bar once there is one.
    if (!(GetStyle() & WS_CHILD))
        PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return nullptr;
    CObject* made = pContext->m_pNewViewClass->CreateObject();
    CWnd* view = made && made->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(made) : nullptr;
    if (!view) {
        delete made;
        return nullptr;
    }
    // A view deletes itself when its window goes, also when creation fails.
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return view;
}

void CFrameWnd::PostNcDestroy()
{
    if (m_pDestroyed)
        *m_pDestroyed = true;
    // The main window going ends the thread's message loop.
    CWinThread* thread = AfxGetThread();
    if (thread && thread->m_pMainWnd == this) {
        thread->m_pMainWnd = nullptr;
        AfxPostQuitMessage(0);
    }
    if (!m_bInDestructor)
        delete this;
}

void CFrameWnd::OnDestroy()
{
    // A menu bar lent by a document template must not go with the window.
    if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    Default();
}

// ---- Layout --------------------------------------------------------------------------------

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    const UINT pane = m_pPreviewState ? m_pPreviewState->nIDMainPane : AFX_IDW_PANE_FIRST;
    CRect border = m_rectBorder;
    // Every child of ours whatever its id takes part: a docking pane manager's window has id 0.
    RepositionBars(0, 0xFFFF, pane, reposExtra, &border);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    Default();  // MDI children need theirs
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    // Flags set while these run are kept for the next idle moment.
    const UINT flags = m_nIdleFlags;
    m_nIdleFlags = 0;
    if (flags & (idleLayout | idleNotify))
        RecalcLayout((flags & idleNotify) != 0);
    if (flags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    if (flags & idleMenu)
        OnUpdateFrameMenu(nullptr);
    return 0;
}

// ---- Views, documents, titles ----------------------------------------------------------------

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* old = m_pViewActive;
    if (pViewNew == old)
        return;
    m_pViewActive = nullptr;  // no view is active while they are told
    if (bNotify && old)
        old->OnActivateView(FALSE, pViewNew, old);
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew)
        pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
    CView* first = nullptr;
    if (!m_pViewActive) {
        CWnd* pane = FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST));
        if (pane && pane->IsKindOf(RUNTIME_CLASS(CView))) {
            first = static_cast<CView*>(pane);
            SetActiveView(first, FALSE);
        }
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (first)
        first->OnActivateView(TRUE, first, first);
    if (bMakeVisible)
        ActivateFrame();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = !IsWindowVisible() ? SW_SHOWNORMAL : (IsIconic() ? SW_RESTORE : SW_SHOW);
    ShowWindow(nCmdShow);
    if (IsWindowVisible())
        ::BringWindowToTop(m_hWnd);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* doc = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && doc ? static_cast<const char*>(doc->GetTitle()) : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(const char* lpszDocName)
{
    CString title;
    if (!lpszDocName || !*lpszDocName)
        title = m_strTitle;
    else if (m_strTitle.IsEmpty())
        title = lpszDocName;
    else if (GetStyle() & FWS_PREFIXTITLE)
        title = CString(lpszDocName) + " - " + m_strTitle;
    else
        title = m_strTitle + " - " + lpszDocName;
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    HMENU menu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
    if (menu && ::GetMenu(m_hWnd) != menu)
        ::SetMenu(m_hWnd, menu);
}

void CFrameWnd::OnSetFocus(CWnd*)
{
    if (m_pViewActive && m_pViewActive->m_hWnd)
        m_pViewActive->SetFocus();
    else
        Default();
}

void CFrameWnd::OnActivate(UINT nState, CWnd*, BOOL bMinimized)
{
    Default();
    if (nState != WA_INACTIVE && !bMinimized) {
        CFrameWnd* active = GetActiveFrame();
        CView* view = active ? active->GetActiveView() : nullptr;
        if (view)
            view->OnActivateFrame(nState, active);
    }
}

// ---- Floating windows ------------------------------------------------------------------------

namespace {

struct FloatNotice {
    HWND frame;
    DWORD flags;
};

BOOL CALLBACK NotifyOwned(HWND hWnd, LPARAM lParam)
{
    const FloatNotice* notice = reinterpret_cast<const FloatNotice*>(lParam);
    HWND owner = ::GetWindow(hWnd, GW_OWNER);
    if (owner && (owner == notice->frame || ::IsChild(notice->frame, owner)))
        ::SendMessageA(hWnd, WM_FLOATSTATUS, notice->flags, 0);
    return TRUE;
}

}  // namespace

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    FloatNotice notice{m_hWnd, dwFlags};
    ::EnumThreadWindows(::GetCurrentThreadId(), NotifyOwned, reinterpret_cast<LPARAM>(&notice));
}

LRESULT CFrameWnd::OnActivateApp(WPARAM wParam, LPARAM)
{
    // Windows floating over the frame follow the application's activation, not the frame's:
    // activating one of them must not dim the others.
    if (!(GetStyle() & WS_CHILD))
        NotifyFloatingWindows(wParam ? FS_ACTIVATE : FS_DEACTIVATE);
    return Default();
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    // A modal dialog disabling the frame disables its floating windows with it.
    if (!(GetStyle() & WS_CHILD))
        NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
    Default();
}

// ---- Commands --------------------------------------------------------------------------------

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // A child frame's route goes on in its parent frame (its own map, then the application),
    // unless the parent is what asked.
    if (GetStyle() & WS_CHILD) {
        CFrameWnd* parent = m_bRoutedByParent ? nullptr : GetParentFrame();
        if (!parent)
            return FALSE;
        parent->m_bRoutedByChild = TRUE;
        BOOL handled = parent->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        parent->m_bRoutedByChild = FALSE;
        return handled;
    }
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A menu command ends the menu's prompt.
    if (lParam == 0 && m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_IDLEMESSAGE) {
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
        PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    }
    return CWnd::OnCommand(wParam, lParam);
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    return m_hAccelTable;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    HACCEL accel = GetDefaultAccelerator();
    return accel && ::TranslateAcceleratorA(m_hWnd, accel, pMsg);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || !pPopupMenu) {
        Default();
        return;
    }
    HMENU menu = pPopupMenu->m_hMenu;
    CCmdUI state;
    state.m_hMenu = menu;
    state.m_nIndexMax = static_cast<UINT>(::GetMenuItemCount(menu));
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = ::GetMenuItemID(menu, static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
            continue;  // separators and popups
        state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        // An update may have taken items out (a shorter recent-file list): go on after
        // the items of this command that are left.
        const UINT count = static_cast<UINT>(::GetMenuItemCount(menu));
        if (count < state.m_nIndexMax) {
            state.m_nIndex -= std::min(state.m_nIndex, state.m_nIndexMax - count);
            while (state.m_nIndex < count && ::GetMenuItemID(menu, static_cast<int>(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = count;
    }
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    // A key's pane shows while the key is toggled on.
    const int key = pCmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL
                    : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                                        : VK_SCROLL;
    pCmdUI->Enable(::GetKeyState(key) & 1);
}

// ---- Prompts in the message bar ----------------------------------------------------------------

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString full;
    rMessage.Empty();
    if (full.LoadString(nID))
        AfxExtractSubString(rMessage, full, 0);
}

CWnd* CFrameWnd::GetMessageBar()
{
    return FromHandle(::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR));
}

void CFrameWnd::SetMessageText(const char* lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT last = m_nIDLastMessage;
    m_nIDLastMessage = static_cast<UINT>(wParam);
    m_nIDTracking = static_cast<UINT>(wParam);
    if (CWnd* bar = GetMessageBar()) {
        CString text;
        if (lParam)
            text = reinterpret_cast<const char*>(lParam);
        else if (wParam)
            GetMessageString(static_cast<UINT>(wParam), text);
        bar->SetWindowText(text);
    }
    return last;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

LRESULT CFrameWnd::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    const UINT item = LOWORD(wParam);
    const UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && lParam == 0)
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;  // the menu closed
    else if (item == 0 || (flags & (MF_SEPARATOR | MF_POPUP)) || item >= 0xF000)
        m_nIDTracking = 0;  // separators, popups and system commands have no prompt
    else
        m_nIDTracking = item;
    if (m_nIDTracking != m_nIDLastMessage)
        SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
    return Default();
}

// ---- Print preview -----------------------------------------------------------------------------

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (!pState)
        return;
    if (bPreview) {
        if (m_pPreviewState)
            return;
        pState->hMenu = ::GetMenu(m_hWnd);
        ::SetMenu(m_hWnd, nullptr);
        pState->hAccelTable = m_hAccelTable;
        m_hAccelTable = nullptr;
        pState->hWndFocus = ::GetFocus();
        pState->dwStates = 0;
        for (UINT n = 0; n < 32; ++n) {
            HWND bar = ::GetDlgItem(m_hWnd, AFX_IDW_CONTROLBAR_FIRST + n);
            if (bar && ::IsWindowVisible(bar)) {
                pState->dwStates |= 1u << n;
                ::ShowWindow(bar, SW_HIDE);
            }
        }
        m_pPreviewState = pState;
    } else {
        if (m_pPreviewState != pState)
            return;
        m_pPreviewState = nullptr;
        if (pState->hMenu)
            ::SetMenu(m_hWnd, pState->hMenu);
        if (!m_hAccelTable)
            m_hAccelTable = pState->hAccelTable;
        for (UINT n = 0; n < 32; ++n) {
            HWND bar = ::GetDlgItem(m_hWnd, AFX_IDW_CONTROLBAR_FIRST + n);
            if (bar && (pState->dwStates & (1u << n)))
                ::ShowWindow(bar, SW_SHOWNA);
        }
        if (pState->hWndFocus && ::IsWindow(pState->hWndFocus))
            ::SetFocus(pState->hWndFocus);
    }
    RecalcLayout();
}

// ---- Closing -----------------------------------------------------------------------------------

void CFrameWnd::OnClose()
{
    HWND self = m_hWnd;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        if (!app->SaveAllModified())
            return;
        app->CloseAllDocuments(FALSE);
        // Closing the documents may have closed this frame too.
        if (!::IsWindow(self) || FromHandlePermanent(self) != this)
            return;
    } else if (CDocument* doc = GetActiveDocument()) {
        if (!doc->CanCloseFrame(this))
            return;
        // The document's last frame closes the document, which closes the frame.
        bool other = false;
        for (POSITION pos = doc->GetFirstViewPosition(); pos && !other;) {
            CView* view = doc->GetNextView(pos);
            other = view->GetParentFrame() != this;
        }
        if (!other) {
            doc->OnCloseDocument();
            return;
        }
    }
    DestroyWindow();
}
