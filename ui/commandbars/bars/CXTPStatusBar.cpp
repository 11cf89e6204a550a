// The command-bar status bar: run-time indicators, pane windows placed over their panes, painting by the paint manager.
#include "CXTPStatusBar.h"

#include <algorithm>

#include "CXTPBufferDC.h"
#include "CXTPColorManager.h"
#include "CXTPCommandBars.h"
#include "CXTPFontDC.h"
#include "CXTPPaintManager.h"
#include "CXTSystemData.h"

IMPLEMENT_DYNAMIC(CXTPStatusBar, CStatusBar)

BEGIN_MESSAGE_MAP(CXTPStatusBar, CStatusBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_PRINT, OnPrint)
END_MESSAGE_MAP()

namespace {

// Below this the panes' text and frames crowd each other.
const int kMinBarHeight = 20;

}  // namespace

CXTPStatusBar::CXTPStatusBar()
{
    CXTPNonClientMetrics metrics;
    m_font.CreateFontIndirect(&metrics.lfStatusFont);
}

CXTPStatusBar::~CXTPStatusBar()
{
    // Destroyed, not minimised: a pane window is often a child of the frame and would otherwise
    // stay behind as an icon once the bar is gone.
    for (const PaneWindow& record : m_arrControls)
        ReleaseWindow(record);
    m_arrControls.clear();
    // The bar goes before its font does.
    if (m_hWnd)
        DestroyWindow();
}

BOOL CXTPStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (m_hWnd && m_font.GetSafeHandle())
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);
    if (!CStatusBar::SetIndicators(lpIDArray, nIDCount))
        return FALSE;
    if (m_hWnd) {
        SendMessage(SB_SETMINHEIGHT, kMinBarHeight, 0);
        RecalcParentLayout();
    }
    PositionControls();
    return TRUE;
}

BOOL CXTPStatusBar::GetPaneInfoEx(int nIndex, PaneInfo& info) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    GetPaneInfo(nIndex, info.nID, info.nStyle, info.cxWidth);
    info.strText = GetPaneText(nIndex);
    return TRUE;
}

BOOL CXTPStatusBar::SetPaneInfoEx(int nIndex, const PaneInfo& info)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    SetPaneInfo(nIndex, info.nID, info.nStyle, info.cxWidth);
    SetPaneText(nIndex, info.strText, TRUE);
    // A pane that changed its width moves the windows of the panes after it.
    PositionControls();
    return TRUE;
}

void CXTPStatusBar::SetPaneWidth(int nIndex, int cxWidth)
{
    PaneInfo info;
    if (!GetPaneInfoEx(nIndex, info))
        return;
    info.cxWidth = cxWidth;
    SetPaneInfoEx(nIndex, info);
}

BOOL CXTPStatusBar::RebuildIndicators(const std::vector<UINT>& ids, int nInserted, int nRemoved)
{
    const int nOld = GetCount();
    std::vector<PaneInfo> kept(static_cast<size_t>(nOld));
    for (int i = 0; i < nOld; i++)
        GetPaneInfoEx(i, kept[static_cast<size_t>(i)]);
    if (!SetIndicators(ids.empty() ? nullptr : ids.data(), static_cast<int>(ids.size())))
        return FALSE;
    // By position, so that repeated ids (several separators) keep their own records.
    for (int i = 0; i < nOld; i++) {
        if (i == nRemoved)
            continue;
        int nNew = nRemoved != -1 && i > nRemoved ? i - 1 : i;
        if (nInserted != -1 && nNew >= nInserted)
            nNew++;
        SetPaneInfoEx(nNew, kept[static_cast<size_t>(i)]);
    }
    return TRUE;
}

BOOL CXTPStatusBar::AddIndicator(UINT nID, int nIndex)
{
    if (nIndex < 0 || nIndex > GetCount() || CommandToIndex(nID) != -1)
        return FALSE;
    std::vector<UINT> ids;
    for (int i = 0; i < GetCount(); i++)
        ids.push_back(GetItemID(i));
    ids.insert(ids.begin() + nIndex, nID);
    if (!RebuildIndicators(ids, nIndex, -1))
        return FALSE;
    // The new pane starts empty; its owner gives it a width, a style or a window.
    PaneInfo info;
    info.nID = nID;
    SetPaneInfoEx(nIndex, info);
    PositionControls();
    return TRUE;
}

BOOL CXTPStatusBar::RemoveIndicator(UINT nID)
{
    const int nIndex = CommandToIndex(nID);
    if (nIndex == -1)
        return FALSE;
    std::vector<UINT> ids;
    for (int i = 0; i < GetCount(); i++)
        if (i != nIndex)
            ids.push_back(GetItemID(i));
    if (!RebuildIndicators(ids, -1, nIndex))
        return FALSE;
    // Every window of the pane goes: a record left behind would be placed over a pane that is gone.
    for (auto it = m_arrControls.begin(); it != m_arrControls.end();) {
        if (it->nID != nID) {
            ++it;
            continue;
        }
        ReleaseWindow(*it);
        it = m_arrControls.erase(it);
    }
    PositionControls();
    return TRUE;
}

BOOL CXTPStatusBar::AddControl(CWnd* pWnd, UINT nID, BOOL bAutoDelete)
{
    if (!pWnd || !::IsWindow(pWnd->GetSafeHwnd()) || CommandToIndex(nID) == -1)
        return FALSE;
    // Twice in the list, a window would be destroyed (and deleted) twice.
    for (const PaneWindow& record : m_arrControls)
        if (record.pWnd == pWnd)
            return FALSE;
    PaneWindow record;
    record.pWnd = pWnd;
    record.hWnd = pWnd->m_hWnd;
    record.nID = nID;
    record.bAutoDelete = bAutoDelete;
    m_arrControls.push_back(record);
    PositionControls();
    return TRUE;
}

CWnd* CXTPStatusBar::LiveWindow(const PaneWindow& record)
{
    if (!::IsWindow(record.hWnd) || CWnd::FromHandlePermanent(record.hWnd) != record.pWnd)
        return nullptr;
    return record.pWnd;
}

void CXTPStatusBar::ReleaseWindow(const PaneWindow& record)
{
    if (CWnd* pWnd = LiveWindow(record))
        pWnd->DestroyWindow();
    if (record.bAutoDelete)
        delete record.pWnd;
}

int CXTPStatusBar::GetControlCount(UINT nID) const
{
    return static_cast<int>(std::count_if(m_arrControls.begin(), m_arrControls.end(),
                                          [nID](const PaneWindow& record) { return record.nID == nID; }));
}

void CXTPStatusBar::PositionControls()
{
    if (!m_hWnd)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    const int cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    for (const PaneWindow& record : m_arrControls) {
        const int nIndex = CommandToIndex(record.nID);
        if (nIndex == -1)
            continue;
        UINT nID = 0, nStyle = 0;
        int cxWidth = 0;
        GetPaneInfo(nIndex, nID, nStyle, cxWidth);
        CRect rc;
        GetItemRect(nIndex, &rc);
        if (nIndex == GetCount() - 1) {
            if (nStyle & SBPS_STRETCH) {
                rc.right = rcClient.right;
                if (GetStyle() & SBARS_SIZEGRIP)
                    rc.right -= ::GetSystemMetrics(SM_CXSMICON) + cxEdge;
            } else {
                rc.right = rc.left + cxWidth + 3 * cxEdge;
            }
        }
        if (!(nStyle & SBPS_NOBORDERS))
            rc.DeflateRect(cxEdge, cyEdge);
        if (CWnd* pWnd = LiveWindow(record)) {
            pWnd->MoveWindow(&rc, TRUE);
            pWnd->Invalidate(FALSE);
        }
    }
}

void CXTPStatusBar::SetDrawThemed(BOOL bThemed)
{
    m_bDrawThemed = bThemed;
    if (m_hWnd)
        Invalidate();
}

CXTPPaintManager* CXTPStatusBar::GetPaintManager() const
{
    if (!m_bDrawThemed)
        return nullptr;
    if (m_pCommandBars)
        return m_pCommandBars->GetPaintManager();
    return XTPPaintManager();
}

void CXTPStatusBar::DrawBar(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CRect rcClient;
    GetClientRect(&rcClient);
    pPaintManager->FillStatusBar(pDC, this);
    {
        CXTPFontDC font(pDC, m_font.GetSafeHandle() ? &m_font : nullptr);
        const BOOL bSizeGrip = (GetStyle() & SBARS_SIZEGRIP) != 0;
        for (int i = 0; i < GetCount(); i++) {
            CRect rc;
            GetItemRect(i, &rc);
            pPaintManager->DrawStatusBarPane(pDC, rc, GetPaneStyle(i), GetPaneText(i), i == GetCount() - 1, rcClient,
                                             bSizeGrip);
        }
    }
    CWnd* pParent = GetParent();
    if (pParent && (pParent->GetStyle() & WS_THICKFRAME) && (GetStyle() & SBARS_SIZEGRIP) && !pParent->IsZoomed())
        pPaintManager->DrawStatusBarGripper(pDC, rcClient);
}

void CXTPStatusBar::OnPaint()
{
    if (!GetPaintManager()) {
        Default();
        return;
    }
    CPaintDC paintDC(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CXTPBufferDC dc(paintDC.GetSafeHdc(), rcClient);
    DrawBar(&dc);
}

BOOL CXTPStatusBar::OnEraseBkgnd(CDC* /*pDC*/)
{
    return GetPaintManager() ? TRUE : static_cast<BOOL>(Default());
}

void CXTPStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CStatusBar::OnSize(nType, cx, cy);
    PositionControls();
    Invalidate(FALSE);
}

LRESULT CXTPStatusBar::OnPrint(WPARAM wParam, LPARAM /*lParam*/)
{
    if (!GetPaintManager())
        return Default();
    DrawBar(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 1;
}

// ---- A window for a status pane ----------------------------------------------------------------

IMPLEMENT_DYNCREATE(CXTPStatusBarBasePane, CWnd)

BEGIN_MESSAGE_MAP(CXTPStatusBarBasePane, CWnd)
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_ENABLE()
END_MESSAGE_MAP()

BOOL CXTPStatusBarBasePane::Create(const char* lpszText, CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    // No brush: the pane paints all of itself, through a buffer.
    const char* lpszClass = AfxRegisterWndClass(CS_BYTEALIGNCLIENT);
    if (!lpszClass)
        return FALSE;
    m_strText = lpszText ? lpszText : "";
    return CWnd::Create(lpszClass, nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

void CXTPStatusBarBasePane::DrawContent(CDC* /*pDC*/, CRect /*rc*/)
{
}

void CXTPStatusBarBasePane::OnPaint()
{
    CPaintDC paintDC(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CXTPBufferDC dc(paintDC.GetSafeHdc(), rcClient);
    dc.FillSolidRect(rcClient, GetManagedColor(COLOR_BTNFACE));
    DrawContent(&dc, rcClient);
}

void CXTPStatusBarBasePane::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CWnd::OnWindowPosChanged(lpwndpos);
    Invalidate(TRUE);
    UpdateWindow();
}

void CXTPStatusBarBasePane::OnEnable(BOOL /*bEnable*/)
{
    Default();
    Invalidate(TRUE);
    UpdateWindow();
}
