// Threads of the framework: start-up, the message loop with its idle step, and the end of a thread.
#include "CWinThread.h"

#include <vector>

#include "CCmdUI.h"
#include "CException.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "CDC.h"
#include "CGdiObject.h"
#include "CImageList.h"
#include "CMenu.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

// The throw-away wrappers FromHandle made for this thread: windows, device contexts,
// GDI objects, menus and image lists.
void DeleteTempMaps()
{
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    CImageList::DeleteTempMap();
}

thread_local CWinThread* t_thread = nullptr;

// Thrown by AfxEndThread to unwind the thread's stack back to its entry.
struct ThreadEnd {
    UINT code;
    BOOL deleteObject;
};

}  // namespace

CWinThread* AfxGetThread()
{
    if (t_thread)
        return t_thread;
    // The main thread's object is the application, whichever thread made it.
    CWinApp* app = AfxGetApp();
    return app && app->m_nThreadID == ::GetCurrentThreadId() ? app : nullptr;
}

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
    if (t_thread == this)
        t_thread = nullptr;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (m_hThread)
        return FALSE;
    m_hThread = ::CreateThread(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, this,
                               dwCreateFlags | CREATE_SUSPENDED, &m_nThreadID);
    if (!m_hThread)
        return FALSE;
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

DWORD WINAPI CWinThread::ThreadEntry(LPVOID self)
{
    auto* thread = static_cast<CWinThread*>(self);
    t_thread = thread;
    UINT code = 0;
    BOOL deleteObject = TRUE;
    try {
        if (thread->m_pfnThreadProc) {
            code = thread->m_pfnThreadProc(thread->m_pThreadParams);
        } else if (thread->InitInstance()) {
            code = static_cast<UINT>(thread->Run());
        } else {
            code = static_cast<UINT>(thread->ExitInstance());
        }
    } catch (ThreadEnd& end) {
        code = end.code;
        deleteObject = end.deleteObject;
    } catch (CException* e) {
        // A worker must not take the process down with an exception nobody catches.
        e->Delete();
        code = static_cast<UINT>(-1);
    }
    DeleteTempMaps();
    t_thread = nullptr;
    if (deleteObject)
        thread->Delete();
    return code;
}

void AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    throw ThreadEnd{nExitCode, bDelete};
}

void AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

DWORD CWinThread::ResumeThread() { return ::ResumeThread(m_hThread); }
DWORD CWinThread::SuspendThread() { return ::SuspendThread(m_hThread); }
BOOL CWinThread::SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
int CWinThread::GetThreadPriority() { return ::GetThreadPriority(m_hThread); }

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

int CWinThread::Run()
{
    BOOL idle = TRUE;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = TRUE;
                idleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        // Repeated moves to the same place (tooltips, capture) do not restart the idle work.
        if (m_nMsgLast == pMsg->message && m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    m_nMsgLast = pMsg->message;
    // The caret's blink timer and the paint messages come on their own.
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL AfxPreTranslateWindows(MSG* pMsg, HWND hWndStop)
{
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        CWnd* wnd = CWnd::FromHandlePermanent(h);
        if (wnd && wnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (h == hWndStop || !(::GetWindowLongA(h, GWL_STYLE) & WS_CHILD))
            break;
    }
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    // The message's window and its ancestors, then the main window unless it has had its turn.
    CWnd* main = m_pMainWnd;
    HWND mainWnd = main ? main->m_hWnd : nullptr;
    if (AfxPreTranslateWindows(pMsg, mainWnd))
        return TRUE;
    if (!mainWnd)
        return FALSE;
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        if (h == mainWnd)
            return FALSE;
        if (!(::GetWindowLongA(h, GWL_STYLE) & WS_CHILD))
            break;
    }
    return main->PreTranslateMessage(pMsg);
}

namespace {

struct IdleFrames {
    HWND main;
    const CRuntimeClass* frameClass;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectIdleFrame(HWND hWnd, LPARAM lParam)
{
    IdleFrames* frames = reinterpret_cast<IdleFrames*>(lParam);
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (hWnd != frames->main && ::IsWindowVisible(hWnd) && wnd && wnd->IsKindOf(frames->frameClass))
        frames->found.push_back(hWnd);
    return TRUE;
}

}  // namespace

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* main = m_pMainWnd;
        if (main && main->m_hWnd && ::IsWindowVisible(main->m_hWnd)) {
            main->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        // Frames of the thread beside the main window (floating mini frames) have their
        // delayed layout and bars too. Found by class name: threads know no frame class.
        IdleFrames frames{main ? main->m_hWnd : nullptr, CRuntimeClass::FromName("CFrameWnd"), {}};
        if (frames.frameClass)
            ::EnumThreadWindows(::GetCurrentThreadId(), CollectIdleFrame, reinterpret_cast<LPARAM>(&frames));
        for (HWND frame : frames.found) {
            // An earlier update may have closed it.
            if (CWnd* wnd = CWnd::FromHandlePermanent(frame)) {
                wnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
                wnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
            }
        }
        return TRUE;
    }
    if (lCount == 1) {
        DeleteTempMaps();
    }
    return FALSE;
}

namespace {

// Starts the thread at its priority; the object is deleted when the system refuses.
CWinThread* StartThread(CWinThread* thread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                        LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}

}  // namespace

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pfnThreadProc)
        return nullptr;
    return StartThread(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThreadClass || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
        return nullptr;
    auto* thread = static_cast<CWinThread*>(pThreadClass->CreateObject());
    return thread ? StartThread(thread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs) : nullptr;
}
