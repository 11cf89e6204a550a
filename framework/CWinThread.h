// Threads of the framework: the message loop with its idle step, and worker threads.
#pragma once

#include <windows.h>

#include "CCmdTarget.h"

class CWnd;

using AFX_THREADPROC = UINT (*)(LPVOID);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)

public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Starts the thread (suspended with CREATE_SUSPENDED); FALSE when the system refuses.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    DWORD ResumeThread();
    DWORD SuspendThread();
    BOOL SetThreadPriority(int nPriority);
    int GetThreadPriority();

    // A user-interface thread: InitInstance, then Run until WM_QUIT, whose result ExitInstance gives.
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    // One message from the queue through PreTranslateMessage to its window; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // Idle work while the queue is empty: count 0 sends the command update to the main window
    // and its descendants, count 1 frees temporary window objects. TRUE asks for more idle time.
    virtual BOOL OnIdle(LONG lCount);
    // Messages that do not restart the idle work (mouse moves on the spot, timer ticks of the caret).
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // The window ancestors of the message's window, then the main window, may translate it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Windows may delete this thread object when the thread ends (m_bAutoDelete).
    virtual void Delete();

    CWnd* GetMainWnd() { return m_pMainWnd; }

    CWnd* m_pMainWnd = nullptr;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;
    MSG m_msgCur{};

    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

private:
    static DWORD WINAPI ThreadEntry(LPVOID self);
    POINT m_ptCursorLast{-1, -1};
    UINT m_nMsgLast = 0;
};

// The calling thread's thread object: the application on its main thread, null on threads not
// started by the framework.
CWinThread* AfxGetThread();

// Starts a worker thread on pfn(pParam), or a user-interface thread of a class made by run-time
// class. Null when it cannot start. The object deletes itself when the thread ends.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Ends the calling framework thread with the code, after its clean-up.
void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
void AfxPostQuitMessage(int nExitCode);
// PreTranslateMessage of the message's window and its ancestors up to the first top-level
// window; TRUE when one of them took the message.
BOOL AfxPreTranslateWindows(MSG* pMsg, HWND hWndStop = nullptr);
