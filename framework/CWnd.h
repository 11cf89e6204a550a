// Window objects: the handle maps, creation, subclassing and the message path of every window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "CCmdTarget.h"
#include "CRect.h"
#include "CString.h"

class CDC;
class CMenu;
class CFrameWnd;
class CScrollBar;

// Tooltip entry filled by OnToolHitTest; a text the handler allocates (LPSTR_TEXTCALLBACK aside)
// is freed by the framework with free().
using TOOLINFOA_T = TTTOOLINFOA;

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)

public:
    CWnd();
    ~CWnd() override;  // destroys a window still attached

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // Handle maps, per thread. FromHandle makes a temporary object for a window that has no
    // permanent one; temporaries live until the thread's next idle step (DeleteTempMap).
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();
    BOOL Attach(HWND hWnd);
    HWND Detach();

    // Creation. The object is attached before the window's first message (WM_GETMINMAXINFO,
    // WM_NCCREATE, WM_CREATE) and receives them through its message map.
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName,
                  DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                  HMENU nIDorHMenu, void* lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName,
                  DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, void* lpParam = nullptr);
    virtual BOOL DestroyWindow();
    // Called after WM_NCDESTROY, once the object is detached; the default does nothing
    // (heap-made windows that own themselves delete themselves here).
    virtual void PostNcDestroy();

    // Subclassing: the window's procedure becomes the framework's, the old one is kept for Default.
    virtual void PreSubclassWindow();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // The message path: PreTranslateMessage in the loop, then WindowProc -> OnWndMsg, whose
    // unhandled messages go to DefWindowProc (the original procedure).
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The current message, unhandled: what a handler calls for default processing.
    LRESULT Default();
    static const MSG* GetCurrentMessage();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A control's chance to take a message its parent got from it (reflection).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE) const;

    // Family.
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    // The nearest ancestor that is a frame window (a CFrameWnd by run-time class), or null.
    CFrameWnd* GetParentFrame() const;
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* ChildWindowFromPoint(POINT point) const;
    BOOL IsChild(const CWnd* pWnd) const;
    BOOL IsTopParentActive() const;
    static CWnd* GetActiveWindow();
    CWnd* SetActiveWindow();
    static CWnd* GetFocus();
    CWnd* SetFocus();
    static CWnd* GetForegroundWindow();
    BOOL SetForegroundWindow();
    static CWnd* GetCapture();
    CWnd* SetCapture();
    static CWnd* GetDesktopWindow();
    static CWnd* WindowFromPoint(POINT point);

    // State and geometry.
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    // The window rectangle that gives the client rectangle *lpClientRect. adjustBorder leaves the
    // client edge out: the layout's rest is the space inside that edge.
    enum AdjustType { adjustBorder = 0, adjustOutside = 1 };
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);
    // The layout pass of bars: every child whose id lies in [nIDFirst, nIDLast] gets
    // WM_SIZEPARENT and takes its edge of the rectangle; the child nIDLeftOver gets the rest.
    // reposQuery only measures (lpRectParam receives the rest, or with bStretch off the
    // bars' total size); reposExtra first shrinks the rest by lpRectParam's borders.
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2 };
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);

    // Text, font, painting, timers.
    void SetWindowText(const char* lpszString);
    int GetWindowText(char* lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE);
    HFONT GetFont() const;
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    HMENU GetMenu() const;
    BOOL SetMenu(HMENU hMenu);
    void SetDlgItemText(int nID, const char* lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    int MessageBox(const char* lpszText, const char* lpszCaption = nullptr, UINT nType = MB_OK);

    // The modal loop of dialogs and sheets: sends WM_KICKIDLE while the queue is empty, shows the
    // window at its first idle moment, runs while ContinueModal holds and ends on EndModalLoop or
    // WM_QUIT (which is posted again for the outer loop). The caller sets m_bContinueModal first.
    int RunModalLoop();
    virtual BOOL ContinueModal();
    void EndModalLoop(int nResult);
    // The end of a modal run over an owner that was disabled for it: the owner comes back
    // before the window goes, so activation returns to it; then the window is destroyed.
    void DismissModal(HWND hWndOwner, BOOL bOwnerWasEnabled);

    // Data exchange and the command update of a window's controls.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(class CDataExchange* pDX);
    // Enables or disables the child controls after their ids' update handlers in pTarget.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    // Tooltips: a tooltip control created on demand asks OnToolHitTest for the tool under the cursor.
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    virtual INT_PTR OnToolHitTest(POINT point, TOOLINFOA_T* pTI) const;
    void CancelToolTips(BOOL bKeys = FALSE);

    // Windows that make no new class of their own share this one (arrow cursor, no background brush).
    static const char* DefaultClassName();

    // Default handlers of the ON_WM_ entries (all call Default unless said otherwise).
    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnMove(int x, int y);
    void OnTimer(UINT_PTR nIDEvent);
    void OnClose();
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnMButtonDown(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnContextMenu(CWnd* pWnd, CPoint pos);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnCaptureChanged(CWnd* pWnd);
    void OnCancelMode();
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcPaint();
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnSysColorChange();
    void OnSettingChange(UINT uFlags, const char* lpszSection);
    void OnEnable(BOOL bEnable);
    UINT OnGetDlgCode();
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // The parent's colour handler; the default lets the control answer first (reflection).
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()

protected:
    WNDPROC m_pfnSuper = nullptr;  // the procedure a subclassed window had
    BOOL m_bContinueModal = FALSE;
    int m_nModalResult = -1;

    // Where DefWindowProc sends messages when there is no original procedure.
    virtual WNDPROC* GetSuperWndProcAddr();

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
    BOOL RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL FilterToolTipMessage(MSG* pMsg);

    HWND m_hWndOwner = nullptr;  // the owner asked for, when it is not the platform's
    bool m_bTempObject = false;
};

// The layout message sent by RepositionBars; lParam points to the layout below. A bar
// takes its strip from rect, adds its size to sizeTotal and, when hDWP is set, moves itself
// with AfxRepositionWindow (a null hDWP is a measuring pass: nothing moves).
#define WM_SIZEPARENT 0x0361
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;
    RECT rect;       // what is left, in the parent's client coordinates
    SIZE sizeTotal;  // the bars' total extent so far
    BOOL bStretch;   // bars stretch across the whole rectangle
};
// Moves a window to lpRect (parent client coordinates) as part of the layout's deferred
// positions; a window already there is left alone. Without a layout it moves at once.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// The procedure of every framework window.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Registers (once) a window class of the given style, cursor, background and icon and returns
// its name, which stays valid for the process's life; null when the system refuses it.
const char* AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
// Registers a class unless one of that name exists; FALSE when registration fails.
BOOL AfxRegisterClass(WNDCLASSA* lpWndClass);
// The next window this thread creates is attached to pWnd before its first message; the
// unhook forgets a request the creation did not use.
void AfxHookWindowCreate(CWnd* pWnd);
void AfxUnhookWindowCreate();
// The thread's tooltip control once EnableToolTips has enabled tooltips (made when first
// needed), or null.
HWND AfxGetToolTipWindow();

// ---- Window message entries -----------------------------------------------------------
// Each calls the On... member of the class whose map lists it, with the cracked arguments.
// Those that pass a CDC* need CDC.h where they are used.
#define FW_WND_ENTRY(msg, body) FW_MSG_ENTRY(msg, 0, 0, 0, nullptr, body)
#define FW_POINT_ARG CPoint(static_cast<short>(LOWORD(call.lParam)), static_cast<short>(HIWORD(call.lParam)))
#define FW_WND_ARG(x) CWnd::FromHandle(reinterpret_cast<HWND>(x))

#define ON_WM_CREATE() \
    FW_WND_ENTRY(WM_CREATE, call.result = self->OnCreate(reinterpret_cast<LPCREATESTRUCTA>(call.lParam)); return TRUE;)
#define ON_WM_DESTROY() FW_WND_ENTRY(WM_DESTROY, self->OnDestroy(); return TRUE;)
#define ON_WM_NCDESTROY() FW_WND_ENTRY(WM_NCDESTROY, self->OnNcDestroy(); return TRUE;)
#define ON_WM_PAINT() FW_WND_ENTRY(WM_PAINT, self->OnPaint(); return TRUE;)
#define ON_WM_ERASEBKGND() \
    FW_WND_ENTRY(WM_ERASEBKGND, call.result = self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(call.wParam))); return TRUE;)
#define ON_WM_SIZE() \
    FW_WND_ENTRY(WM_SIZE, self->OnSize(static_cast<UINT>(call.wParam), static_cast<short>(LOWORD(call.lParam)), static_cast<short>(HIWORD(call.lParam))); return TRUE;)
#define ON_WM_MOVE() \
    FW_WND_ENTRY(WM_MOVE, self->OnMove(static_cast<short>(LOWORD(call.lParam)), static_cast<short>(HIWORD(call.lParam))); return TRUE;)
#define ON_WM_TIMER() FW_WND_ENTRY(WM_TIMER, self->OnTimer(static_cast<UINT_PTR>(call.wParam)); return TRUE;)
#define ON_WM_CLOSE() FW_WND_ENTRY(WM_CLOSE, self->OnClose(); return TRUE;)
#define ON_WM_SHOWWINDOW() \
    FW_WND_ENTRY(WM_SHOWWINDOW, self->OnShowWindow(static_cast<BOOL>(call.wParam), static_cast<UINT>(call.lParam)); return TRUE;)
#define ON_WM_SETFOCUS() FW_WND_ENTRY(WM_SETFOCUS, self->OnSetFocus(FW_WND_ARG(call.wParam)); return TRUE;)
#define ON_WM_KILLFOCUS() FW_WND_ENTRY(WM_KILLFOCUS, self->OnKillFocus(FW_WND_ARG(call.wParam)); return TRUE;)
#define ON_WM_ACTIVATE() \
    FW_WND_ENTRY(WM_ACTIVATE, self->OnActivate(LOWORD(call.wParam), FW_WND_ARG(call.lParam), HIWORD(call.wParam) != 0); return TRUE;)
#define ON_WM_MOUSEACTIVATE() \
    FW_WND_ENTRY(WM_MOUSEACTIVATE, call.result = self->OnMouseActivate(FW_WND_ARG(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); return TRUE;)
#define ON_WM_SETCURSOR() \
    FW_WND_ENTRY(WM_SETCURSOR, call.result = self->OnSetCursor(FW_WND_ARG(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); return TRUE;)
#define ON_WM_MOUSEMOVE() FW_WND_ENTRY(WM_MOUSEMOVE, self->OnMouseMove(static_cast<UINT>(call.wParam), FW_POINT_ARG); return TRUE;)
#define ON_WM_LBUTTONDOWN() FW_WND_ENTRY(WM_LBUTTONDOWN, self->OnLButtonDown(static_cast<UINT>(call.wParam), FW_POINT_ARG); return TRUE;)
#define ON_WM_LBUTTONUP() FW_WND_ENTRY(WM_LBUTTONUP, self->OnLButtonUp(static_cast<UINT>(call.wParam), FW_POINT_ARG); return TRUE;)
#define ON_WM_LBUTTONDBLCLK() FW_WND_ENTRY(WM_LBUTTONDBLCLK, self->OnLButtonDblClk(static_cast<UINT>(call.wParam), FW_POINT_ARG); return TRUE;)
#define ON_WM_RBUTTONDOWN() FW_WND_ENTRY(WM_RBUTTONDOWN, self->OnRButtonDown(static_cast<UINT>(call.wParam), FW_POINT_ARG); return TRUE;)
#define ON_WM_RBUTTONUP() FW_WND_ENTRY(WM_RBUTTONUP, self->OnRButtonUp(static_cast<UINT>(call.wParam), FW_POINT_ARG); return TRUE;)
#define ON_WM_MBUTTONDOWN() FW_WND_ENTRY(WM_MBUTTONDOWN, self->OnMButtonDown(static_cast<UINT>(call.wParam), FW_POINT_ARG); return TRUE;)
// The wheel's point is in screen coordinates, as the message gives it.
#define ON_WM_MOUSEWHEEL() \
    FW_WND_ENTRY(WM_MOUSEWHEEL, call.result = self->OnMouseWheel(LOWORD(call.wParam), static_cast<short>(HIWORD(call.wParam)), FW_POINT_ARG); return TRUE;)
#define FW_KEY_ARGS static_cast<UINT>(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)
#define ON_WM_KEYDOWN() FW_WND_ENTRY(WM_KEYDOWN, self->OnKeyDown(FW_KEY_ARGS); return TRUE;)
#define ON_WM_KEYUP() FW_WND_ENTRY(WM_KEYUP, self->OnKeyUp(FW_KEY_ARGS); return TRUE;)
#define ON_WM_CHAR() FW_WND_ENTRY(WM_CHAR, self->OnChar(FW_KEY_ARGS); return TRUE;)
#define ON_WM_SYSKEYDOWN() FW_WND_ENTRY(WM_SYSKEYDOWN, self->OnSysKeyDown(FW_KEY_ARGS); return TRUE;)
#define ON_WM_CONTEXTMENU() FW_WND_ENTRY(WM_CONTEXTMENU, self->OnContextMenu(FW_WND_ARG(call.wParam), FW_POINT_ARG); return TRUE;)
#define ON_WM_HSCROLL()                                                                   \
    FW_WND_ENTRY(WM_HSCROLL, self->OnHScroll(LOWORD(call.wParam), HIWORD(call.wParam),    \
                 reinterpret_cast<CScrollBar*>(FW_WND_ARG(call.lParam))); return TRUE;)
#define ON_WM_VSCROLL()                                                                   \
    FW_WND_ENTRY(WM_VSCROLL, self->OnVScroll(LOWORD(call.wParam), HIWORD(call.wParam),    \
                 reinterpret_cast<CScrollBar*>(FW_WND_ARG(call.lParam))); return TRUE;)
#define ON_WM_CAPTURECHANGED() FW_WND_ENTRY(WM_CAPTURECHANGED, self->OnCaptureChanged(FW_WND_ARG(call.lParam)); return TRUE;)
#define ON_WM_CANCELMODE() FW_WND_ENTRY(WM_CANCELMODE, self->OnCancelMode(); return TRUE;)
#define ON_WM_WINDOWPOSCHANGING() \
    FW_WND_ENTRY(WM_WINDOWPOSCHANGING, self->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(call.lParam)); return TRUE;)
#define ON_WM_WINDOWPOSCHANGED() \
    FW_WND_ENTRY(WM_WINDOWPOSCHANGED, self->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(call.lParam)); return TRUE;)
#define ON_WM_GETMINMAXINFO() \
    FW_WND_ENTRY(WM_GETMINMAXINFO, self->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(call.lParam)); return TRUE;)
#define ON_WM_NCCALCSIZE()                                                                \
    FW_WND_ENTRY(WM_NCCALCSIZE, self->OnNcCalcSize(static_cast<BOOL>(call.wParam),        \
                 reinterpret_cast<NCCALCSIZE_PARAMS*>(call.lParam)); return TRUE;)
#define ON_WM_NCHITTEST() FW_WND_ENTRY(WM_NCHITTEST, call.result = self->OnNcHitTest(FW_POINT_ARG); return TRUE;)
#define ON_WM_NCPAINT() FW_WND_ENTRY(WM_NCPAINT, self->OnNcPaint(); return TRUE;)
#define ON_WM_NCLBUTTONDOWN() FW_WND_ENTRY(WM_NCLBUTTONDOWN, self->OnNcLButtonDown(static_cast<UINT>(call.wParam), FW_POINT_ARG); return TRUE;)
#define ON_WM_NCMOUSEMOVE() FW_WND_ENTRY(WM_NCMOUSEMOVE, self->OnNcMouseMove(static_cast<UINT>(call.wParam), FW_POINT_ARG); return TRUE;)
#define ON_WM_SYSCOLORCHANGE() FW_WND_ENTRY(WM_SYSCOLORCHANGE, self->OnSysColorChange(); return TRUE;)
#define ON_WM_SETTINGCHANGE() \
    FW_WND_ENTRY(WM_SETTINGCHANGE, self->OnSettingChange(static_cast<UINT>(call.wParam), reinterpret_cast<const char*>(call.lParam)); return TRUE;)
#define ON_WM_ENABLE() FW_WND_ENTRY(WM_ENABLE, self->OnEnable(static_cast<BOOL>(call.wParam)); return TRUE;)
#define ON_WM_GETDLGCODE() FW_WND_ENTRY(WM_GETDLGCODE, call.result = self->OnGetDlgCode(); return TRUE;)
#define ON_WM_SYSCOMMAND() FW_WND_ENTRY(WM_SYSCOMMAND, self->OnSysCommand(static_cast<UINT>(call.wParam), call.lParam); return TRUE;)
#define ON_WM_INITMENUPOPUP()                                                             \
    FW_WND_ENTRY(WM_INITMENUPOPUP, self->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(call.wParam)), \
                 LOWORD(call.lParam), HIWORD(call.lParam) != 0); return TRUE;)
#define ON_WM_DRAWITEM() \
    FW_WND_ENTRY(WM_DRAWITEM, self->OnDrawItem(static_cast<int>(call.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); call.result = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM() \
    FW_WND_ENTRY(WM_MEASUREITEM, self->OnMeasureItem(static_cast<int>(call.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); call.result = TRUE; return TRUE;)
// The parent's colour handler for all seven WM_CTLCOLORxxx kinds.
#define ON_WM_CTLCOLOR()                                                                  \
    FW_WND_ENTRY(WM_CTLCOLOR, call.result = reinterpret_cast<LRESULT>(self->OnCtlColor(   \
                 CDC::FromHandle(reinterpret_cast<HDC>(call.wParam)), FW_WND_ARG(call.lParam), \
                 static_cast<UINT>(call.code))); return TRUE;)
