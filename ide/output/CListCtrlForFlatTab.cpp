// The output pane's line lists: records, colours, navigation, opening lines, following new lines.
#include "CListCtrlForFlatTab.h"

#include "CCmdUI.h"
#include "CMenu.h"
#include "COutputPane.h"
#include "CScintillaDoc.h"
#include "CSolutionConfig.h"
#include "CTavrelinView.h"
#include "CWinApp.h"
#include "CXTPColorManager.h"
#include "CXTPCommandBars.h"
#include "IdeServices.h"
#include "JobGlobals.h"

BEGIN_MESSAGE_MAP(CListCtrlForFlatTab, CXTListCtrl)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETFOCUS()
    ON_WM_RBUTTONDOWN()
    ON_WM_TIMER()
    ON_COMMAND(ID_OUTPUT_FIND_ERROR, OnFindError)
    ON_COMMAND(ID_OUTPUT_FIND_WARNING, OnFindWarning)
    ON_COMMAND(ID_OUTPUT_NEXT_ERROR, OnNextError)
    ON_COMMAND(ID_OUTPUT_NEXT_WARNING, OnNextWarning)
    ON_UPDATE_COMMAND_UI(ID_OUTPUT_FIND_ERROR, OnUpdateFindError)
    ON_UPDATE_COMMAND_UI(ID_OUTPUT_FIND_WARNING, OnUpdateFindWarning)
    ON_UPDATE_COMMAND_UI(ID_OUTPUT_NEXT_ERROR, OnUpdateNextError)
    ON_UPDATE_COMMAND_UI(ID_OUTPUT_NEXT_WARNING, OnUpdateNextWarning)
END_MESSAGE_MAP()

CListCtrlForFlatTab::CListCtrlForFlatTab()
{
    m_bRowColors = 1;
}

COLORREF CListCtrlForFlatTab::RowBackground() const
{
    return m_crBack != 0xFFFFFFFF ? m_crBack : ::GetSysColor(COLOR_WINDOW);
}

OutputLineItem* CListCtrlForFlatTab::GetLineItem(int row) const
{
    if (!m_hWnd || row < 0 || row >= GetItemCount())
        return nullptr;
    return reinterpret_cast<OutputLineItem*>(GetItemData(row));
}

int CListCtrlForFlatTab::InsertLine(int row, const char* text, OutputLineItem* item, COLORREF crText)
{
    // Set before the row exists, so that the row is painted in it at once, without a repaint
    // of the whole list for each coloured line.
    if (crText != CLR_NONE)
        m_listRowColors[row] = CXTListRowColor{row, RowBackground(), crText};
    LVITEMA lvi{};
    lvi.mask = LVIF_TEXT | LVIF_PARAM;
    lvi.iItem = row;
    lvi.pszText = const_cast<char*>(text);
    lvi.lParam = reinterpret_cast<LPARAM>(item);
    DeferDrawing();
    const int at = InsertItem(&lvi);
    if (at < 0)
        delete item;  // no row owns it
    return at;
}

void CListCtrlForFlatTab::DeleteLines()
{
    if (!m_hWnd)
        return;
    for (int row = GetItemCount() - 1; row >= 0; --row)
        delete GetLineItem(row);
    DeleteAllItems();
    m_nFollowRow = -1;
}

void CListCtrlForFlatTab::ShowRow(int row)
{
    EndDeferredDrawing();
    EnsureVisible(row, FALSE);
    SendMessage(WM_SETREDRAW, 1);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CListCtrlForFlatTab::FollowRow(int row)
{
    m_nFollowRow = row;
    // While drawing waits, so does scrolling: the timer scrolls once to the last row.
    if (!m_bDrawingDeferred)
        EnsureVisible(row, FALSE);
}

// A job may report thousands of lines a second, and a list that draws updates its window for
// every row inserted: the lines of a burst go in undrawn, and the list draws them all at once
// when the burst pauses (a timer runs only when no message waits), at least every few frames.
void CListCtrlForFlatTab::DeferDrawing()
{
    if (m_bDrawingDeferred || !m_hWnd)
        return;
    SendMessage(WM_SETREDRAW, 0);
    m_bDrawingDeferred = 1;
    SetTimer(kDrawTimer, kDrawInterval, nullptr);
}

void CListCtrlForFlatTab::EndDeferredDrawing()
{
    if (!m_bDrawingDeferred)
        return;
    m_bDrawingDeferred = 0;
    KillTimer(kDrawTimer);
    SendMessage(WM_SETREDRAW, 1);
}

void CListCtrlForFlatTab::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kDrawTimer) {
        Default();
        return;
    }
    EndDeferredDrawing();
    if (!m_bHold && m_nFollowRow >= 0)
        EnsureVisible(m_nFollowRow, FALSE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// Navigation

void CListCtrlForFlatTab::FindFirst(int kind)
{
    FindNext(-1, kind);
}

void CListCtrlForFlatTab::FindNext(int row, int kind)
{
    const int count = GetItemCount();
    for (int next = row + 1; next < count; ++next) {
        const OutputLineItem* item = GetLineItem(next);
        if (item && item->kind == kind) {
            HighlightRow(next);
            return;
        }
    }
}

void CListCtrlForFlatTab::HighlightRow(int row)
{
    const COLORREF back = RowBackground();
    if (const OutputLineItem* previous = GetLineItem(m_nHighlighted))
        SetRowColor(m_nHighlighted, KindColor(previous->kind), back);
    SetRowColor(row, kOutputHighlightColor, back);
    EnsureVisible(row, FALSE);
    m_nHighlighted = row;
}

// Context menu

UINT CListCtrlForFlatTab::ContextMenuFor(int row)
{
    m_nErrors = m_nWarnings = 0;
    const OutputLineItem* item = GetLineItem(row);
    // The pane is the tab control's parent, the list's grandparent.
    CWnd* tabs = GetParent();
    auto* pane = tabs ? dynamic_cast<COutputPane*>(tabs->GetParent()) : nullptr;
    const BOOL result = pane ? pane->GetBuildResult(&m_nErrors, &m_nWarnings) : FALSE;
    if (result && row == GetItemCount() - 1)
        return IDR_OUTPUT_POPUP_END;
    if (!item)
        return 0;
    if (item->kind == 2)
        return IDR_OUTPUT_POPUP_ERROR;
    if (item->kind == 1)
        return IDR_OUTPUT_POPUP_WARNING;
    return 0;
}

int CListCtrlForFlatTab::LabelHit(CPoint point) const
{
    UINT flags = 0;
    const int row = HitTest(point, &flags);
    return (flags & LVHT_ONITEMLABEL) ? row : -1;
}

void CListCtrlForFlatTab::OnRButtonDown(UINT nFlags, CPoint point)
{
    m_nErrors = m_nWarnings = 0;
    const int row = LabelHit(point);
    const UINT menuId = (row >= 0 && m_bBuildList) ? ContextMenuFor(row) : 0;
    CMenu menu;
    if (menuId && menu.LoadMenu(menuId)) {
        if (CMenu* popup = menu.GetSubMenu(0)) {
            m_nMenuRow = row;
            CPoint at;
            ::GetCursorPos(&at);
            const int command = CXTPCommandBars::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y,
                                                                this);
            if (command)
                SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
        }
        menu.DestroyMenu();
    }
    Default();
    (void)nFlags;
}

void CListCtrlForFlatTab::OnUpdateFindError(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bBuildList && m_nErrors != 0);
}

void CListCtrlForFlatTab::OnUpdateFindWarning(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bBuildList && m_nWarnings != 0);
}

void CListCtrlForFlatTab::OnUpdateNextError(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bBuildList && m_nErrors > 1);
}

void CListCtrlForFlatTab::OnUpdateNextWarning(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bBuildList && m_nWarnings > 1);
}

// Opening a line

void CListCtrlForFlatTab::OpenLine(int row)
{
    const OutputLineItem* item = GetLineItem(row);
    if (!item || item->line == -1)
        return;
    CString path = item->path;
    zCIdeServices* host = zGetIdeServices();
    // Model jobs report names relative to their folders; find results are whole paths.
    if (m_bBuildList) {
        if (g_solutionConfig.BuildMode == zJOB_CONVERT_MODELS)
            path = g_solutionConfig.Source.c_str();
        else if (g_solutionConfig.BuildMode == zJOB_DECOMPILE_MODELS)
            path = CString(g_solutionConfig.Destination.c_str()) + item->path;
    }
    // The jobs name files from the project folder: a relative path ("Bad.d", "\\Bad.d") rests
    // on it, never on whatever the current directory happens to be.
    const bool absolute = path.GetLength() > 1 && (path[1] == ':' || (path[0] == '\\' && path[1] == '\\'));
    if (host && !path.IsEmpty() && !absolute) {
        CString folder = host->GetProjectFolder().c_str();
        if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '\\')
            folder += '\\';
        path = folder + (path[0] == '\\' ? path.Mid(1) : path);
    }
    CWinApp* app = AfxGetApp();
    auto* doc = app ? dynamic_cast<CScintillaDoc*>(app->OpenDocumentFile(path)) : nullptr;
    CScintillaView* view = doc ? doc->GetView() : nullptr;
    if (!view)
        return;
    if (auto* script = dynamic_cast<CTavrelinView*>(view))
        script->GoToLine(item->line);
    else
        view->GetCtrl().GotoLine(item->line);
    view->SetFocus();
}

void CListCtrlForFlatTab::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int row = LabelHit(point);
    if (row >= 0)
        OpenLine(row);
    Default();
    (void)nFlags;
}

// Following new lines

void CListCtrlForFlatTab::OnSetFocus(CWnd* pOldWnd)
{
    // A user who clicks into the list while a job reports wants to read, not to follow.
    if (g_solutionConfig.BuildJobThread != 0 || g_solutionConfig.FindThread != 0)
        m_bHold = 1;
    Default();
    (void)pOldWnd;
}

void CListCtrlForFlatTab::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    Default();
    (void)lpwndpos;
    ::ShowScrollBar(m_hWnd, SB_HORZ, FALSE);
    ModifyStyle(WS_HSCROLL, 0, SWP_FRAMECHANGED);
    SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
}

// Row colours

BOOL CListCtrlForFlatTab::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
        *pResult = OnOutputCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        return TRUE;
    }
    return CXTListCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CListCtrlForFlatTab::OnOutputCustomDraw(NMLVCUSTOMDRAW* pDraw)
{
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        break;
    default:
        return CDRF_DODEFAULT;
    }
    const int row = static_cast<int>(pDraw->nmcd.dwItemSpec);
    const CXTListRowColor* colors = FindRowColor(row);
    if (GetItemState(row, LVIS_SELECTED | LVIS_FOCUSED)) {
        pDraw->clrText = colors ? colors->crText : ::GetSysColor(COLOR_WINDOWTEXT);
        pDraw->clrTextBk = kOutputSelectedBack;
        // Else the list paints its own highlight over the chosen colours.
        pDraw->nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
    } else if (!IsWindowEnabled()) {
        pDraw->clrText = ::GetSysColor(COLOR_WINDOWTEXT);
        pDraw->clrTextBk = ::GetSysColor(COLOR_3DFACE);
    } else if (colors) {
        pDraw->clrText = colors->crText;
        pDraw->clrTextBk = colors->crBack;
    } else {
        pDraw->clrText = m_crText != 0xFFFFFFFF ? m_crText : ::GetSysColor(COLOR_WINDOWTEXT);
        pDraw->clrTextBk = m_crBack != 0xFFFFFFFF ? m_crBack : ::GetSysColor(COLOR_WINDOW);
    }
    return CDRF_DODEFAULT;
}
