// A document's frame inside an MDI frame: creation through the MDI client, shared menu, activation.
#include "CMDIChildWnd.h"

#include "CDocTemplate.h"
#include "CDocument.h"
#include "CMDIFrameWnd.h"
#include "CView.h"
#include "CWinApp.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivateMessage)
END_MESSAGE_MAP()

CMDIChildWnd::~CMDIChildWnd()
{
    m_hAccelTable = nullptr;  // the template's
    // Deleted with its window still there: the MDI client lets it go, and the object is not
    // deleted again on the way.
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        m_bInDestructor = true;
        MDIDestroy();
    }
}

namespace {

CMDIFrameWnd* AsMDIFrame(CWnd* wnd)
{
    return wnd && wnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(wnd) : nullptr;
}

}  // namespace

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strings;
    strings.LoadString(nIDResource);
    AfxExtractSubString(m_strTitle, strings, 0);
    CDocTemplate* made = pContext ? pContext->m_pNewDocTemplate : nullptr;
    if (made && made->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate))) {
        CMultiDocTemplate* templ = static_cast<CMultiDocTemplate*>(made);
        m_hMenuShared = templ->m_hMenuShared;
        m_hAccelTable = templ->m_hAccelTable;
    }
    CMDIFrameWnd* parent = AsMDIFrame(pParentWnd);
    if (!parent && AfxGetApp())
        parent = AsMDIFrame(AfxGetApp()->m_pMainWnd);
    return Create(FrameClassName(nIDResource), m_strTitle, dwDefaultStyle & ~WS_VISIBLE, rectDefault, parent, pContext);
}

BOOL CMDIChildWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (!pParentWnd && AfxGetApp())
        pParentWnd = AsMDIFrame(AfxGetApp()->m_pMainWnd);
    if (!pParentWnd || !pParentWnd->m_hWndMDIClient) {
        PostNcDestroy();  // no MDI frame to live in
        return FALSE;
    }
    CREATESTRUCTA cs{};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle | WS_CHILD);
    const bool byDefault = ::EqualRect(&rect, &rectDefault);
    cs.x = byDefault ? CW_USEDEFAULT : rect.left;
    cs.y = byDefault ? CW_USEDEFAULT : rect.top;
    cs.cx = byDefault ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = byDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = ::GetModuleHandleA(nullptr);
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    MDICREATESTRUCTA mcs{};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = static_cast<DWORD>(cs.style) & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = reinterpret_cast<LPARAM>(pContext);

    bool destroyed = false;
    m_pDestroyed = &destroyed;
    AfxHookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(
        ::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    AfxUnhookWindowCreate();
    if (destroyed)
        return FALSE;  // refused on the way; the object is gone
    m_pDestroyed = nullptr;
    if (!hWnd || m_hWnd != hWnd) {
        PostNcDestroy();
        return FALSE;
    }
    if (dwStyle & WS_VISIBLE)
        ActivateFrame((dwStyle & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : -1);
    return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCTA lpcs)
{
    // The MDI client hands over its own creation block; the context rides in it.
    const MDICREATESTRUCTA* mcs = static_cast<const MDICREATESTRUCTA*>(lpcs->lpCreateParams);
    return OnCreateHelper(lpcs, mcs ? reinterpret_cast<CCreateContext*>(mcs->lParam) : nullptr);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND client = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    return client ? AsMDIFrame(FromHandlePermanent(::GetParent(client))) : nullptr;
}

CWnd* CMDIChildWnd::GetMessageBar()
{
    CMDIFrameWnd* frame = GetMDIFrame();
    return frame ? frame->GetMessageBar() : nullptr;
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::PreTranslateMessage(pMsg);
}

void CMDIChildWnd::MDIActivate()
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->MDIActivate(this);
}

void CMDIChildWnd::MDIMaximize()
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->MDIMaximize(this);
}

void CMDIChildWnd::MDIRestore()
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->MDIRestore(this);
}

void CMDIChildWnd::MDIDestroy()
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame)
        ::SendMessageA(frame->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
    else
        CFrameWnd::DestroyWindow();
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    CMDIFrameWnd* frame = GetMDIFrame();
    MDIDestroy();  // this object is gone now
    // The last child leaves the frame its own menu and title.
    if (frame && !frame->MDIGetActive()) {
        frame->OnUpdateFrameMenu(nullptr);
        frame->OnUpdateFrameTitle(TRUE);
    }
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    BOOL maximized = FALSE;
    CMDIChildWnd* active = frame ? frame->MDIGetActive(&maximized) : nullptr;
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = active && active != this && maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        else
            nCmdShow = IsIconic() ? SW_RESTORE : SW_SHOW;
    }
    ShowWindow(nCmdShow);
    if (frame) {
        frame->MDIActivate(this);
        // Already active children get no activation message: their menu is put in place here.
        OnUpdateFrameMenu(TRUE, this, nullptr);
        frame->OnUpdateFrameTitle(TRUE);
    }
}

LRESULT CMDIChildWnd::OnMDIActivateMessage(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Default();
    HWND activated = reinterpret_cast<HWND>(lParam);
    OnMDIActivate(activated == m_hWnd, FromHandle(activated), FromHandle(reinterpret_cast<HWND>(wParam)));
    return result;
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    // The menu changes when this child comes, or when it goes and none follows.
    if (bActivate || !pActivateWnd)
        OnUpdateFrameMenu(bActivate, pActivateWnd, nullptr);
    if (CView* view = GetActiveView())
        view->OnActivateView(bActivate, view, view);
    if (CMDIFrameWnd* frame = GetMDIFrame()) {
        frame->OnUpdateFrameTitle(TRUE);
        frame->DelayUpdateFrameTitle();
    }
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd*, HMENU hMenuAlt)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame)
        return;
    HMENU menu = hMenuAlt;
    if (!menu)
        menu = bActivate && m_hMenuShared ? m_hMenuShared : frame->m_hMenuDefault;
    if (menu && ::GetMenu(frame->m_hWnd) != menu)
        frame->MDISetMenu(menu, frame->GetWindowMenuPopup(menu));
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* doc = GetActiveDocument();
    CString title = bAddToTitle && doc ? doc->GetTitle() : m_strTitle;
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}
