// Window objects: handle maps, creation through a CBT hook, subclassing, the message path and reflection.
#include "CWnd.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <unordered_map>

#include "CException.h"
#include "CWinApp.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {

// What each thread keeps of its windows. Windows belong to the thread that made them, so
// nothing here is shared.
struct WindowThreadState {
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, CWnd*> temporary;
    MSG current{};            // the message being handled, for Default
    CWnd* creating = nullptr; // the object the next created window belongs to
    HHOOK cbtHook = nullptr;
    HWND toolTip = nullptr;   // the thread's tooltip control, made when first needed
    bool toolTipsEnabled = false;
    HWND toolWindow = nullptr;  // the tool shown: its window and id
    UINT_PTR toolId = 0;

    ~WindowThreadState()
    {
        for (auto& item : temporary) {
            item.second->m_hWnd = nullptr;
            delete item.second;
        }
        if (cbtHook)
            ::UnhookWindowsHookEx(cbtHook);
    }
};

thread_local WindowThreadState t_windows;

bool IsImeWindow(HWND hWnd)
{
    char name[32] = {};
    ::GetClassNameA(hWnd, name, sizeof(name));
    return std::strcmp(name, "IME") == 0 || std::strcmp(name, "MSCTFIME UI") == 0;
}

// Attaches the window being created to its object before the window's first message.
LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_windows.creating) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (!IsImeWindow(hWnd)) {
            CWnd* wnd = t_windows.creating;
            t_windows.creating = nullptr;
            wnd->SubclassWindow(hWnd);
        }
    }
    return ::CallNextHookEx(t_windows.cbtHook, code, wParam, lParam);
}


// Records a command's enabled state without showing it anywhere.
class CTestCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(const char*) override {}
    BOOL m_bEnabled = TRUE;
};

// The control a message to its parent is about, or null.
HWND NotifyingChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        return dis && dis->CtlType != ODT_MENU ? dis->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        return mis && mis->CtlType != ODT_MENU ? ::GetDlgItem(parent, static_cast<int>(wParam)) : nullptr;
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            return reinterpret_cast<HWND>(lParam);
        return nullptr;
    }
}

}  // namespace

void AfxHookWindowCreate(CWnd* pWnd)
{
    if (!t_windows.cbtHook)
        t_windows.cbtHook = ::SetWindowsHookExA(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
    t_windows.creating = pWnd;
}

void AfxUnhookWindowCreate()
{
    t_windows.creating = nullptr;
}

// ---- Handle maps -------------------------------------------------------------------------

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd && !m_bTempObject && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = t_windows.permanent.find(hWnd);
    return it == t_windows.permanent.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hWnd))
        return wnd;
    auto it = t_windows.temporary.find(hWnd);
    if (it != t_windows.temporary.end())
        return it->second;
    auto* wnd = new CWnd;
    wnd->m_hWnd = hWnd;
    wnd->m_bTempObject = true;
    t_windows.temporary[hWnd] = wnd;
    return wnd;
}

void CWnd::DeleteTempMap()
{
    std::unordered_map<HWND, CWnd*> temporary;
    temporary.swap(t_windows.temporary);
    for (auto& item : temporary) {
        item.second->m_hWnd = nullptr;
        delete item.second;
    }
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    m_hWnd = hWnd;
    t_windows.permanent[hWnd] = this;
    // A temporary object of the same window would now be stale.
    auto it = t_windows.temporary.find(hWnd);
    if (it != t_windows.temporary.end()) {
        it->second->m_hWnd = nullptr;
        delete it->second;
        t_windows.temporary.erase(it);
    }
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd) {
        auto it = t_windows.permanent.find(hWnd);
        if (it != t_windows.permanent.end() && it->second == this)
            t_windows.permanent.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

// ---- Creation and destruction ------------------------------------------------------------

const char* CWnd::DefaultClassName()
{
    return AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                               reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = DefaultClassName();
    return TRUE;
}

BOOL CWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, void* lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, void* lpParam)
{
    if (m_hWnd)
        return FALSE;  // one window per object
    CREATESTRUCTA cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = ::GetModuleHandleA(nullptr);
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                                  cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    AfxUnhookWindowCreate();
    // A window refused in WM_CREATE was destroyed and detached on the way.
    return hWnd != nullptr && m_hWnd == hWnd;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    if (m_bTempObject || FromHandlePermanent(m_hWnd) != this)
        return ::DestroyWindow(m_hWnd);
    HWND hWnd = m_hWnd;
    BOOL result = ::DestroyWindow(hWnd);
    // A window of another thread cannot be destroyed from here; the object lets go of it.
    if (m_hWnd == hWnd && !::IsWindow(hWnd))
        Detach();
    return result;
}

void CWnd::PostNcDestroy() {}

// ---- Subclassing -------------------------------------------------------------------------

void CWnd::PreSubclassWindow() {}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc)
        *GetSuperWndProcAddr() = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND control = pParent ? ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)) : nullptr;
    return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd)
        return nullptr;
    WNDPROC* super = GetSuperWndProcAddr();
    if (*super) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*super));
        *super = nullptr;
    }
    return Detach();
}

// ---- The message path --------------------------------------------------------------------

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return AfxCallWndProc(wnd, hWnd, message, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG saved = t_windows.current;
    t_windows.current = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (CException* e) {
        // An exception must not cross the system's window procedure: a window refuses its
        // creation, any other message is answered 0, and the user sees why.
        result = message == WM_CREATE ? -1 : 0;
        CString text = e->GetErrorText();
        e->Delete();
        if (!text.IsEmpty())
            AfxMessageBox(text, MB_ICONEXCLAMATION);
    }
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) {
        // The window is gone: hand it back to its own procedure, let go, then the last hook.
        pWnd->UnsubclassWindow();
        pWnd->PostNcDestroy();
    }
    t_windows.current = saved;
    return result;
}

const MSG* CWnd::GetCurrentMessage()
{
    return &t_windows.current;
}

LRESULT CWnd::Default()
{
    const MSG& msg = t_windows.current;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC super = *GetSuperWndProcAddr();
    if (super)
        return ::CallWindowProcA(super, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT ignored = 0;
    if (!pResult)
        pResult = &ignored;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY)
        return lParam && OnNotify(wParam, lParam, pResult);

    // A control sees what it told its parent first.
    if (RouteChildMessage(message, wParam, lParam, pResult))
        return TRUE;

    UINT lookup = message;
    int code = 0;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        lookup = WM_CTLCOLOR;
        code = static_cast<int>(message - WM_CTLCOLORMSGBOX);
    } else if (message == WM_REFLECT_BASE + WM_CTLCOLOR) {
        code = static_cast<int>(lParam);
    }
    const MsgMapEntry* entry = FindMessageEntry(lookup);
    if (!entry)
        return FALSE;
    MsgMapCall call{lookup, wParam, lParam, 0, code, nullptr, 0};
    if (!entry->handler(this, call))
        return FALSE;
    *pResult = call.result;
    return TRUE;
}

BOOL CWnd::RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    HWND child = NotifyingChild(m_hWnd, message, wParam, lParam);
    if (!child || child == m_hWnd)
        return FALSE;
    CWnd* control = FromHandlePermanent(child);
    return control && control->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    int code = HIWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control) {
        LRESULT result = 0;
        if (RouteChildMessage(WM_COMMAND, wParam, lParam, &result))
            return TRUE;
        if (id == 0)
            return FALSE;
    } else {
        // A menu item or accelerator of a disabled command does nothing.
        CTestCmdUI state;
        state.m_nID = id;
        OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        code = CN_COMMAND;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom && RouteChildMessage(WM_NOTIFY, 0, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, header};
    return OnCmdMsg(static_cast<UINT>(header->idFrom), MAKELONG(header->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
        return OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr);
    if (message == WM_NOTIFY) {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify{pResult, header};
        return OnCmdMsg(0, MAKELONG(header->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        return OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, wParam, message - WM_CTLCOLORMSGBOX, pResult);
    return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* child = FromHandlePermanent(hWndChild);
    return child && child->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = t_windows.current;
    LRESULT ignored = 0;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult ? pResult : &ignored);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    return FilterToolTipMessage(pMsg);
}

// ---- Messages and family -----------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

namespace {

void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND child = ::GetTopWindow(hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            if (CWnd* wnd = CWnd::FromHandlePermanent(child))
                AfxCallWndProc(wnd, child, message, wParam, lParam);
        } else {
            ::SendMessageA(child, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(child))
            SendToDescendants(child, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

}  // namespace

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) const
{
    SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetOwner() const
{
    if (m_hWndOwner)
        return FromHandle(m_hWndOwner);
    return GetParent();
}

void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    m_hWndOwner = pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr;
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (!m_hWnd)
        return nullptr;
    HWND top = m_hWnd;
    // The parent of a child window, the owner of a top-level one.
    for (HWND up = ::GetParent(top); up; up = ::GetParent(top))
        top = up;
    return FromHandle(top);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (!m_hWnd)
        return nullptr;
    HWND top = m_hWnd;
    for (HWND up = ::GetWindow(top, GW_OWNER); up; up = ::GetWindow(top, GW_OWNER))
        top = up;
    return FromHandle(top);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    // Found by name, so that windows need not know the frame classes built on them.
    const CRuntimeClass* frameClass = CRuntimeClass::FromName("CFrameWnd");
    if (!frameClass || !m_hWnd)
        return nullptr;
    for (HWND up = ::GetParent(m_hWnd); up; up = ::GetParent(up)) {
        CWnd* wnd = FromHandlePermanent(up);
        if (wnd && wnd->IsKindOf(frameClass))
            return reinterpret_cast<CFrameWnd*>(wnd);
    }
    return nullptr;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::GetDlgItem(int nID, HWND* phWnd) const
{
    *phWnd = ::GetDlgItem(m_hWnd, nID);
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int nID)
{
    return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID));
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}

CWnd* CWnd::ChildWindowFromPoint(POINT point) const
{
    return FromHandle(::ChildWindowFromPoint(m_hWnd, point));
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return pWnd && ::IsChild(m_hWnd, pWnd->m_hWnd);
}

BOOL CWnd::IsTopParentActive() const
{
    CWnd* top = GetTopLevelParent();
    return top && ::GetForegroundWindow() == ::GetLastActivePopup(top->m_hWnd);
}

CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
CWnd* CWnd::WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }

// ---- State and geometry ------------------------------------------------------------------

BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }

namespace {

BOOL ModifyLong(HWND hWnd, int index, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = static_cast<DWORD>(::GetWindowLongA(hWnd, index));
    DWORD changed = (style & ~dwRemove) | dwAdd;
    if (style == changed)
        return FALSE;
    ::SetWindowLongA(hWnd, index, static_cast<LONG>(changed));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, lpPoint, nCount);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    return ::SetWindowPlacement(m_hWnd, lpwndpl);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD exStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        exStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, exStyle);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
                          LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout{};
    layout.bStretch = bStretch;
    layout.hDWP = (nFlags & reposQuery) ? nullptr : ::BeginDeferWindowPos(8);
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);

    // Only our own windows understand the layout message; foreign children are left alone.
    CWnd* leftOver = nullptr;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        const UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
        CWnd* wnd = FromHandlePermanent(child);
        if (id == nIDLeftOver)
            leftOver = FromHandle(child);
        else if (wnd && id >= nIDFirst && id <= nIDLast)
            ::SendMessageA(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (nFlags & reposQuery) {
        if (lpRectParam) {
            if (bStretch)
                *lpRectParam = layout.rect;
            else
                ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }
    if ((nFlags & reposExtra) && lpRectParam) {
        layout.rect.left += lpRectParam->left;
        layout.rect.top += lpRectParam->top;
        layout.rect.right -= lpRectParam->right;
        layout.rect.bottom -= lpRectParam->bottom;
    }
    if (leftOver) {
        RECT rect = layout.rect;
        leftOver->CalcWindowRect(&rect);
        AfxRepositionWindow(&layout, leftOver->m_hWnd, &rect);
    }
    // A failed deferral has already moved nothing; the next layout pass tries again.
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if (!hWnd || (lpLayout && !lpLayout->hDWP))
        return;
    RECT old;
    ::GetWindowRect(hWnd, &old);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&old), 2);
    if (::EqualRect(&old, lpRect))
        return;
    const int cx = lpRect->right - lpRect->left;
    const int cy = lpRect->bottom - lpRect->top;
    // Erased by the paint after the layout, not once per moved window.
    const UINT flags = SWP_NOACTIVATE | SWP_NOZORDER | SWP_DEFERERASE;
    if (lpLayout)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, flags);
    else
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, flags);
}

// ---- Text, painting, timers, dialog items ------------------------------------------------

void CWnd::SetWindowText(const char* lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
int CWnd::GetWindowText(char* buf, int nMaxCount) const { return ::GetWindowTextA(m_hWnd, buf, nMaxCount); }
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }

void CWnd::GetWindowText(CString& rString) const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    char* buf = rString.GetBuffer(length + 1);
    int got = ::GetWindowTextA(m_hWnd, buf, length + 1);
    rString.ReleaseBuffer(got);
}

void CWnd::SetFont(HFONT hFont, BOOL bRedraw) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw); }
HFONT CWnd::GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
HMENU CWnd::GetMenu() const { return ::GetMenu(m_hWnd); }
BOOL CWnd::SetMenu(HMENU hMenu) { return ::SetMenu(m_hWnd, hMenu); }
void CWnd::SetDlgItemText(int nID, const char* lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND item = ::GetDlgItem(m_hWnd, nID);
    rString.Empty();
    if (!item)
        return 0;
    FromHandle(item)->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

int CWnd::MessageBox(const char* lpszText, const char* lpszCaption, UINT nType)
{
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}

// ---- Tooltips ----------------------------------------------------------------------------

namespace {

void RemoveTool()
{
    if (t_windows.toolTip && t_windows.toolWindow) {
        TTTOOLINFOA ti{};
        ti.cbSize = sizeof(ti);
        ti.hwnd = t_windows.toolWindow;
        ti.uId = t_windows.toolId;
        ::SendMessageA(t_windows.toolTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    t_windows.toolWindow = nullptr;
    t_windows.toolId = 0;
}

// The control is made when the mouse first moves over a window, not when bars enable tooltips
// as they are made: a window of its own costs a program's start-up dearly under Wine.
HWND EnsureToolTip()
{
    if (!t_windows.toolTip) {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        t_windows.toolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                              nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    }
    return t_windows.toolTip;
}

}  // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (!bEnable) {
        CancelToolTips();
        return TRUE;
    }
    t_windows.toolTipsEnabled = true;
    return TRUE;
}

void CWnd::CancelToolTips(BOOL)
{
    if (t_windows.toolTip)
        ::SendMessageA(t_windows.toolTip, TTM_POP, 0, 0);
    RemoveTool();
}

INT_PTR CWnd::OnToolHitTest(POINT point, TOOLINFOA_T* pTI) const
{
    // The child control under the point, its text asked for when shown.
    HWND child = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (!child || child == m_hWnd)
        return -1;
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(child);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
    }
    return ::GetDlgCtrlID(child);
}

BOOL CWnd::FilterToolTipMessage(MSG* pMsg)
{
    if (!t_windows.toolTipsEnabled || pMsg->message != WM_MOUSEMOVE || !EnsureToolTip())
        return FALSE;
    // Asks the window under the cursor, then its parents, for the tool there.
    POINT screen = pMsg->pt;
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof(ti);
    INT_PTR hit = -1;
    for (HWND h = pMsg->hwnd; h && hit == -1; h = (::GetWindowLongA(h, GWL_STYLE) & WS_CHILD) ? ::GetParent(h) : nullptr) {
        CWnd* wnd = FromHandlePermanent(h);
        if (!wnd)
            continue;
        POINT client = screen;
        ::ScreenToClient(h, &client);
        std::memset(&ti, 0, sizeof(ti));
        ti.cbSize = sizeof(ti);
        hit = wnd->OnToolHitTest(client, &ti);
    }
    if (hit == -1) {
        RemoveTool();
        return FALSE;
    }
    if (ti.hwnd != t_windows.toolWindow || ti.uId != t_windows.toolId) {
        RemoveTool();
        if (!(ti.uFlags & TTF_IDISHWND) && ::IsRectEmpty(&ti.rect))
            ::GetClientRect(ti.hwnd, &ti.rect);
        ti.uFlags |= TTF_TRANSPARENT;
        ::SendMessageA(t_windows.toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        t_windows.toolWindow = ti.hwnd;
        t_windows.toolId = ti.uId;
    }
    // The control keeps its own copy; a text the hit test allocated is the framework's to free.
    if (ti.lpszText && ti.lpszText != LPSTR_TEXTCALLBACKA)
        std::free(ti.lpszText);
    ::SendMessageA(t_windows.toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
    return FALSE;
}

HWND AfxGetToolTipWindow()
{
    return t_windows.toolTipsEnabled ? EnsureToolTip() : t_windows.toolTip;
}

// ---- Window classes ----------------------------------------------------------------------

BOOL AfxRegisterClass(WNDCLASSA* lpWndClass)
{
    WNDCLASSA existing{};
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClassA(lpWndClass) != 0;
}

const char* AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex lock;
    static std::set<std::string> names;  // node-based: the names' storage never moves
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    char name[96];
    std::snprintf(name, sizeof(name), "Tv:%p:%x:%p:%p:%p", static_cast<void*>(instance), nClassStyle,
                  static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    std::lock_guard<std::mutex> guard(lock);
    const std::string& stored = *names.insert(name).first;
    WNDCLASSA wc{};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = stored.c_str();
    return AfxRegisterClass(&wc) ? stored.c_str() : nullptr;
}

// ---- Data exchange -----------------------------------------------------------------------

void CWnd::DoDataExchange(CDataExchange*) {}

// ---- Default handlers --------------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCTA) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcPaint() { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, const char*) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT) { Default(); }

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT)
{
    // Reflection has already had its turn in OnWndMsg.
    return reinterpret_cast<HBRUSH>(Default());
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

// ---- Modal loops --------------------------------------------------------------------------

void CWnd::DismissModal(HWND hWndOwner, BOOL bOwnerWasEnabled)
{
    if (bOwnerWasEnabled)
        ::EnableWindow(hWndOwner, TRUE);
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (hWndOwner && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(hWndOwner);
        DestroyWindow();
    }
}

int CWnd::RunModalLoop()
{
    BOOL idle = TRUE;
    LONG idleCount = 0;
    BOOL showPending = !(GetStyle() & WS_VISIBLE);
    CWinThread* thread = AfxGetThread();
    MSG local{};
    MSG* msg = thread ? &thread->m_msgCur : &local;
    while (ContinueModal()) {
        while (idle && ContinueModal() && !::PeekMessageA(msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showPending) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                showPending = FALSE;
            }
            if (!SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++))
                idle = FALSE;
        }
        do {
            if (!ContinueModal())
                break;
            if (!::GetMessageA(msg, nullptr, 0, 0)) {
                // The application is ending: leave, and let the outer loop see the quit too.
                ::PostQuitMessage(static_cast<int>(msg->wParam));
                EndModalLoop(-1);
                break;
            }
            BOOL translated = msg->message == WM_KICKIDLE ||
                              (thread ? thread->PreTranslateMessage(msg) : AfxPreTranslateWindows(msg));
            if (!translated) {
                ::TranslateMessage(msg);
                ::DispatchMessageA(msg);
            }
            if (!thread || thread->IsIdleMessage(msg)) {
                idle = TRUE;
                idleCount = 0;
            }
        } while (ContinueModal() && ::PeekMessageA(msg, nullptr, 0, 0, PM_NOREMOVE));
    }
    return m_nModalResult;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_bContinueModal) {
        m_bContinueModal = FALSE;
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes the loop if it waits
    }
}

BOOL CWnd::ContinueModal()
{
    return m_bContinueModal;
}
