// Status bars: indicators and their strings, pane information and text, pane geometry, the pane update at idle.
#include "CStatusBar.h"

#include <algorithm>
#include <cstring>

#include "AfxCommonControls.h"
#include "AfxResource.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
END_MESSAGE_MAP()

namespace {

// The status control takes at most this many parts.
const int kMaxPanes = 256;

// A pane's extent beyond its text: its frame and the control's text margins.
int PanePadding()
{
    return 3 * ::GetSystemMetrics(SM_CXEDGE);
}

}  // namespace

CStatusBar::CStatusBar() = default;
CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    const BOOL resizable = pParentWnd && pParentWnd->m_hWnd && (pParentWnd->GetStyle() & WS_THICKFRAME);
    return CreateEx(pParentWnd, resizable ? SBARS_SIZEGRIP : 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    if (!AfxInitCommonControls(ICC_BAR_CLASSES))
        return FALSE;
    // The layout pass places the bar; the control must not move itself to the parent's bottom.
    const DWORD control = dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (!CreateBar(STATUSCLASSNAMEA, dwStyle, control, pParentWnd, nID))
        return FALSE;
    if (!GetFont())
        SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    UpdateAllPanes(TRUE, TRUE);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || nIDCount > kMaxPanes || (nIDCount > 0 && !lpIDArray))
        return FALSE;
    std::vector<Pane> panes(static_cast<size_t>(nIDCount));
    for (int i = 0; i < nIDCount; ++i) {
        Pane& pane = panes[static_cast<size_t>(i)];
        pane.id = lpIDArray[i];
        if (pane.id == ID_SEPARATOR) {
            pane.style = SBPS_NOBORDERS | SBPS_STRETCH;
            continue;
        }
        if (!AfxLoadString(pane.id, pane.text))
            return FALSE;
        pane.width = TextWidth(pane.text);
    }
    m_panes.swap(panes);
    if (m_hWnd) {
        UpdateAllPanes(TRUE, TRUE);
        RecalcParentLayout();
    }
    return TRUE;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].id == nIDFind)
            return static_cast<int>(i);
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].id : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!lpRect)
        return;
    ::SetRectEmpty(lpRect);
    if (nIndex >= 0 && nIndex < GetCount() && m_hWnd)
        SendMessage(SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    nID = 0;
    nStyle = 0;
    cxWidth = 0;
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    nID = pane.id;
    nStyle = pane.style;
    cxWidth = pane.width;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    pane.id = nID;
    const BOOL geometry = pane.style != nStyle || pane.width != cxWidth;
    pane.style = nStyle;
    pane.width = std::max(0, cxWidth);
    if (!m_hWnd)
        return;
    if (geometry)
        UpdateAllPanes(TRUE, FALSE);
    ShowPaneText(nIndex);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].style : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    // The idle update sets the indicators' styles over and over: an unchanged pane is not sent
    // to the control again, which would draw it again at once.
    if (pane.style == nStyle)
        return;
    SetPaneInfo(nIndex, pane.id, nStyle, pane.width);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].text : CString();
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = GetPaneText(nIndex);
}

BOOL CStatusBar::SetPaneText(int nIndex, const char* lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    const char* text = lpszNewText ? lpszNewText : "";
    if (pane.text == text)
        return TRUE;  // an unchanged text is not drawn again, so the pane does not flicker
    pane.text = text;
    if (m_hWnd) {
        ShowPaneText(nIndex);
        if (bUpdate)
            UpdateWindow();
    }
    return TRUE;
}

int CStatusBar::TextWidth(const CString& text) const
{
    if (text.IsEmpty())
        return 0;
    HDC dc = ::GetDC(m_hWnd);  // the screen's when the bar has no window yet
    HFONT font = m_hWnd ? GetFont() : nullptr;
    HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    return size.cx;
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    int borders[3] = {0, 0, 0};  // horizontal, vertical, between panes
    TEXTMETRICA metrics{};
    if (m_hWnd) {
        SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
        HDC dc = ::GetDC(m_hWnd);
        HFONT font = GetFont();
        HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
        ::GetTextMetricsA(dc, &metrics);
        ::SelectObject(dc, old);
        ::ReleaseDC(m_hWnd, dc);
    }
    const int height = metrics.tmHeight + 2 * ::GetSystemMetrics(SM_CYEDGE) + 2 * borders[1];
    size.cy += std::max(height, m_nMinHeight);
    if (!bStretch) {
        int width = borders[0];
        for (size_t i = 0; i < m_panes.size(); ++i)
            width += m_panes[i].width + PanePadding() + (i ? borders[2] : 0);
        size.cx += width;
    }
    return size;
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (!m_hWnd)
        return;
    if (bUpdateRects) {
        int borders[3] = {0, 0, 0};
        SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
        // Each pane's right edge; the first stretching pane takes what the others leave,
        // short of the size grip.
        std::vector<int> edges(m_panes.size());
        int x = borders[0];
        for (size_t i = 0; i < m_panes.size(); ++i) {
            x += m_panes[i].width + PanePadding() + (i ? borders[2] : 0);
            edges[i] = x;
        }
        CRect client;
        GetClientRect(&client);
        int room = client.Width() - x;
        if (GetStyle() & SBARS_SIZEGRIP)
            room -= ::GetSystemMetrics(SM_CXSMICON) + ::GetSystemMetrics(SM_CXEDGE);
        auto stretch = std::find_if(m_panes.begin(), m_panes.end(),
                                    [](const Pane& pane) { return (pane.style & SBPS_STRETCH) != 0; });
        if (room > 0 && stretch != m_panes.end())
            for (size_t i = static_cast<size_t>(stretch - m_panes.begin()); i < edges.size(); ++i)
                edges[i] += room;
        if (edges.empty())
            edges.push_back(-1);  // no panes: one empty part across the bar
        SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        if (m_panes.empty())
            SendMessage(SB_SETTEXTA, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(""));
    }
    if (bUpdateText)
        for (int i = 0; i < GetCount(); ++i)
            ShowPaneText(i);
}

void CStatusBar::ShowPaneText(int nIndex)
{
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    const UINT frame = pane.style & (SBT_NOBORDERS | SBT_POPOUT);
    const char* shown = (pane.style & SBPS_DISABLED) ? "" : static_cast<const char*>(pane.text);
    SendMessage(SB_SETTEXTA, static_cast<WPARAM>(nIndex) | frame, reinterpret_cast<LPARAM>(shown));
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes(TRUE, FALSE);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    if (m_panes.empty())
        return Default();
    SetPaneText(0, reinterpret_cast<const char*>(lParam), FALSE);
    return TRUE;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    if (m_panes.empty())
        return Default();
    auto* buffer = reinterpret_cast<char*>(lParam);
    const size_t room = static_cast<size_t>(wParam);
    if (!buffer || room == 0)
        return 0;
    const CString& text = m_panes[0].text;
    const size_t count = std::min(room - 1, static_cast<size_t>(text.GetLength()));
    std::memcpy(buffer, static_cast<const char*>(text), count);
    buffer[count] = '\0';
    return static_cast<LRESULT>(count);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    if (m_panes.empty())
        return Default();
    return m_panes[0].text.GetLength();
}

LRESULT CStatusBar::OnSetFont(WPARAM, LPARAM)
{
    LRESULT result = Default();
    UpdateAllPanes(TRUE, FALSE);
    return result;
}

LRESULT CStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    m_nMinHeight = static_cast<int>(wParam);
    return Default();
}

void CStatusBar::OnUpdateCmdUI(CWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    // Panes are asked one by one, by index, since a handler may change the indicators; a pane
    // nobody handles keeps its state (indicators rarely have handlers).
    for (int i = 0; i < GetCount(); ++i) {
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nIndexMax = static_cast<UINT>(GetCount());
        state.m_nID = m_panes[static_cast<size_t>(i)].id;
        if (state.m_nID != ID_SEPARATOR)
            state.DoUpdate(pTarget, FALSE);
    }
}

// ---- The update of one pane ---------------------------------------------------------------

void CStatusCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    auto* bar = static_cast<CStatusBar*>(m_pOther);
    const UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex));
    bar->SetPaneStyle(static_cast<int>(m_nIndex), bOn ? style & ~SBPS_DISABLED : style | SBPS_DISABLED);
}

void CStatusCmdUI::SetCheck(int nCheck)
{
    auto* bar = static_cast<CStatusBar*>(m_pOther);
    const UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex));
    bar->SetPaneStyle(static_cast<int>(m_nIndex), nCheck ? style | SBPS_POPOUT : style & ~SBPS_POPOUT);
}

void CStatusCmdUI::SetText(const char* lpszText)
{
    static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), lpszText);
}
