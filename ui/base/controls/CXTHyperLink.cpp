// The hyperlink: deferred set-up, hover tracking by timer, colours by state, opening through the shell.
#include "CXTHyperLink.h"

#include <shellapi.h>

#include "CDC.h"
#include "CXTPBufferDC.h"
#include "CXTPColorManager.h"
#include "CXTSystemData.h"
#include "InterfaceTexts.h"
#include "ResourceIds.h"

IMPLEMENT_DYNCREATE(CXTHyperLink, CStatic)

namespace {
const UINT kInitMessage = 0x0DDD;  // the library's deferred set-up
const UINT_PTR kHoverTimer = 1;

CXTHyperLink::Shell g_shell;

CString Text(int id)
{
    const char* text = FindInterfaceText(id);
    return text ? CString(text) : CString();
}
}  // namespace

CXTHyperLink::Shell CXTHyperLink::SetShell(const Shell& shell)
{
    const Shell previous = g_shell;
    g_shell = shell;
    return previous;
}

CXTHyperLink::CXTHyperLink()
{
    m_hcurHand = XTSystemData()->hCursors[3];  // the hand
}

CXTHyperLink::~CXTHyperLink()
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.DestroyWindow();
    m_font.DeleteObject();
}

void CXTHyperLink::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    PostMessage(kInitMessage);
}

void CXTHyperLink::OnInitControl()
{
    if (!m_bInitPending)
        return;
    m_bInitPending = false;
    if (IsTextStatic() && m_strLink.IsEmpty())
        GetWindowText(m_strLink);
    ModifyStyle(0, SS_NOTIFY);
    if (m_strTipText.IsEmpty())
        m_strTipText = m_strLink;
    if (m_toolTip.Create(this)) {
        m_toolTip.AddTool(this, m_strTipText);
        m_toolTip.Activate(m_bTipEnabled);
    }
    LOGFONTA logFont = {};
    HFONT hFont = GetFont();
    if (!hFont)
        hFont = (HFONT)XTSystemData()->font.GetSafeHandle();
    if (hFont && ::GetObjectA(hFont, sizeof(logFont), &logFont)) {
        logFont.lfUnderline = m_bUnderline ? 1 : 0;
        m_font.DeleteObject();
        if (m_font.CreateFontIndirect(&logFont))
            SetFont((HFONT)m_font.GetSafeHandle());
    }
}

void CXTHyperLink::SetLink(const char* lpszLink)
{
    m_strLink = lpszLink ? lpszLink : "";
    if (!m_bInitPending && m_toolTip.GetSafeHwnd()) {
        m_strTipText = m_strLink;
        m_toolTip.UpdateTipText(m_strTipText, this);
    }
}

void CXTHyperLink::SetColors(COLORREF crLink, COLORREF crVisited, COLORREF crHover)
{
    m_crLink = crLink;
    m_crVisited = crVisited;
    m_crHover = crHover;
    if (GetSafeHwnd())
        Invalidate();
}

void CXTHyperLink::SetVisited(bool bVisited)
{
    m_bVisited = bVisited;
    if (GetSafeHwnd())
        Invalidate();
}

void CXTHyperLink::SetUnderline(bool bUnderline)
{
    m_bUnderline = bUnderline;
    if (GetSafeHwnd()) {
        CXTSystemData* data = XTSystemData();
        SetFont((HFONT)(bUnderline ? data->fontULine : data->font).GetSafeHandle(), TRUE);
        Invalidate();
    }
}

COLORREF CXTHyperLink::GetBackColor() const
{
    return m_crBack == 0xFFFFFFFF ? GetManagedColor(COLOR_BTNFACE) : m_crBack;
}

BOOL CXTHyperLink::OpenLink(const char* lpszLink, int nShowCmd)
{
    const CString link = lpszLink ? CString(lpszLink) : m_strLink;
    HINSTANCE result = g_shell.pfnShellExecute
                           ? g_shell.pfnShellExecute(m_hWnd, "open", link, nullptr, nullptr, nShowCmd)
                           : ::ShellExecuteA(m_hWnd, "open", link, nullptr, nullptr, nShowCmd);
    const INT_PTR code = (INT_PTR)result;
    if (code > 32)
        return TRUE;
    ShowShellError((int)code);
    return FALSE;
}

CString CXTHyperLink::GetShellErrorText(int nCode)
{
    switch (nCode) {
    case 0: return Text(IDS_SHELL_ERROR_OUT_OF_RESOURCES);
    case 2: return Text(IDS_SHELL_ERROR_FILE_NOT_FOUND);
    case 3: return Text(IDS_SHELL_ERROR_PATH_NOT_FOUND);
    case 5: return Text(IDS_SHELL_ERROR_ACCESS_DENIED);
    case 8: return Text(IDS_SHELL_ERROR_OUT_OF_MEMORY);
    case 11: return Text(IDS_SHELL_ERROR_BAD_FORMAT);
    case 26: return Text(IDS_SHELL_ERROR_SHARE);
    case 27: return Text(IDS_SHELL_ERROR_ASSOC_INCOMPLETE);
    case 28: return Text(IDS_SHELL_ERROR_DDE_TIMEOUT);
    case 29: return Text(IDS_SHELL_ERROR_DDE_FAIL);
    case 30: return Text(IDS_SHELL_ERROR_DDE_BUSY);
    case 31: return Text(IDS_SHELL_ERROR_NO_ASSOC);
    case 32: return Text(IDS_SHELL_ERROR_DLL_NOT_FOUND);
    }
    CString text;
    text.Format(Text(IDS_SHELL_ERROR_UNKNOWN), nCode);
    return text;
}

void CXTHyperLink::ShowShellError(int nCode)
{
    const CString text = GetShellErrorText(nCode);
    ::MessageBeep(MB_ICONEXCLAMATION);
    if (g_shell.pfnMessageBox)
        g_shell.pfnMessageBox(m_hWnd, text, nullptr, MB_ICONEXCLAMATION);
    else
        ::MessageBoxA(m_hWnd, text, nullptr, MB_ICONEXCLAMATION);
}

BOOL CXTHyperLink::IsTextStatic() const
{
    return (GetStyle() & 0xFF) < 3;  // SS_LEFT, SS_CENTER or SS_RIGHT
}

BOOL CXTHyperLink::IsPointerOverText()
{
    if (!IsTextStatic())
        return TRUE;
    CString text;
    GetWindowText(text);
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, GetFont() ? (HGDIOBJ)GetFont() : ::GetStockObject(SYSTEM_FONT));
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);

    CRect rc;
    GetWindowRect(&rc);
    const DWORD type = GetStyle() & 0xFF;
    if (type == SS_RIGHT) {
        rc.left = rc.right - size.cx;
    } else if (type == SS_CENTER) {
        const int spare = (rc.Width() - size.cx) / 2;
        rc.left += spare;
        rc.right -= spare;
    } else {
        rc.right = rc.left + size.cx;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    return rc.PtInRect(cursor);
}

void CXTHyperLink::OnHoverTimer()
{
    if (!IsTextStatic())
        return;
    if (IsPointerOverText()) {
        m_bHover = true;
    } else {
        // Away from the text: stop tracking (also when the mark was never set).
        KillTimer(kHoverTimer);
        m_bHover = false;
    }
    Invalidate();
    UpdateWindow();
}

BOOL CXTHyperLink::PreTranslateMessage(MSG* pMsg)
{
    if (!m_bInitPending && m_bTipEnabled && m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

BOOL CXTHyperLink::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        if (IsPointerOverText()) {
            if (m_bOpenOnClick)
                SetVisited(OpenLink(m_strLink, SW_SHOW) != FALSE);
            else
                SetVisited(true);
        }
        return TRUE;
    }
    if (message == WM_CTLCOLORSTATIC && IsTextStatic()) {
        HDC dc = (HDC)wParam;
        ::SetTextColor(dc, m_bHover ? m_crHover : m_bVisited ? m_crVisited : m_crLink);
        ::SetBkMode(dc, TRANSPARENT);
        *pResult = (LRESULT)::GetStockObject(HOLLOW_BRUSH);
        return TRUE;
    }
    return CStatic::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CXTHyperLink::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case kInitMessage:
        OnInitControl();
        *pResult = 0;
        return TRUE;
    case WM_CREATE:
        *pResult = Default();
        SendMessage(kInitMessage);
        return TRUE;
    case WM_NCHITTEST:
        *pResult = HTCLIENT;
        return TRUE;
    case WM_SETCURSOR:
        if (IsPointerOverText()) {
            HCURSOR hand = m_hcurHand ? m_hcurHand : XTSystemData()->hCursors[3];
            if (hand) {
                ::SetCursor(hand);
                *pResult = TRUE;
                return TRUE;
            }
        }
        break;
    case WM_MOUSEMOVE:
        if (IsTextStatic() && IsPointerOverText())
            SetTimer(kHoverTimer, 10);
        break;
    case WM_TIMER:
        if (wParam == kHoverTimer) {
            OnHoverTimer();
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_PAINT:
        if (!(GetExStyle() & WS_EX_TRANSPARENT)) {
            CPaintDC paintDC(this);
            CRect client;
            GetClientRect(&client);
            CXTMemDC memDC(&paintDC, client, GetBackColor());
            DefWindowProc(WM_PAINT, (WPARAM)memDC.GetSafeHdc(), 0);
            *pResult = 0;
            return TRUE;
        }
        break;
    }
    return CStatic::OnWndMsg(message, wParam, lParam, pResult);
}
