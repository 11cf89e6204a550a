// Tooltip controls: creation, tools and their texts, timing and relayed messages.
#include "CToolTipCtrl.h"

#include <vector>

#include "AfxCommonControls.h"

IMPLEMENT_DYNCREATE(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    if (!AfxInitCommonControls(ICC_WIN95_CLASSES))
        return FALSE;
    return CreateEx(WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd ? pParentWnd->m_hWnd : nullptr, nullptr);
}

void CToolTipCtrl::FillInToolInfo(TTTOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    ti = TTTOOLINFOA{};
    // Without the reserved tail: tooltip controls before version 6 refuse the larger size.
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = pWnd ? pWnd->m_hWnd : nullptr;
    if (nIDTool == 0) {
        // The window itself is the tool.
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = pWnd ? ::GetParent(pWnd->m_hWnd) : nullptr;
        ti.uId = reinterpret_cast<UINT_PTR>(pWnd ? pWnd->m_hWnd : nullptr);
    } else {
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, const char* lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (!pWnd)
        return FALSE;
    TTTOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (ti.uFlags & TTF_IDISHWND) {
        ti.uFlags |= TTF_SUBCLASS;
    } else {
        ti.uFlags = TTF_SUBCLASS;
        if (lpRectTool)
            ti.rect = *lpRectTool;
        else
            pWnd->GetClientRect(&ti.rect);
    }
    ti.lpszText = const_cast<char*>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    CString text;
    text.LoadString(nIDText);
    return AddTool(pWnd, text, lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(const char* lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = const_cast<char*>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TTTOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    // The control copies at most INFOTIPSIZE characters; newer ones also honour the size given.
    std::vector<char> buffer(INFOTIPSIZE + 1, '\0');
    TTTOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = buffer.data();
    SendMessage(TTM_GETTEXTA, buffer.size() - 1, reinterpret_cast<LPARAM>(&ti));
    str = buffer.data();
}

int CToolTipCtrl::GetToolCount() const
{
    return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT));
}

void CToolTipCtrl::Activate(BOOL bActivate)
{
    SendMessage(TTM_ACTIVATE, bActivate);
}

void CToolTipCtrl::SetDelayTime(UINT nDelay)
{
    SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay);
}

void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime)
{
    SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0));
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth)
{
    return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth));
}

void CToolTipCtrl::SetTipBkColor(COLORREF clr)
{
    SendMessage(TTM_SETTIPBKCOLOR, clr);
}

void CToolTipCtrl::SetTipTextColor(COLORREF clr)
{
    SendMessage(TTM_SETTIPTEXTCOLOR, clr);
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg)
{
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
}

void CToolTipCtrl::Pop()
{
    SendMessage(TTM_POP);
}
