// The output pane's line lists: records, colours, navigation, opening lines, following new lines.
#include "CListCtrlForFlatTab.h"

#include <algorithm>
#include <cstring>

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
    return row >= 0 && row < LineCount() ? m_rows[static_cast<std::size_t>(row)].item.get() : nullptr;
}

CString CListCtrlForFlatTab::GetLineText(int row) const
{
    if (row < 0 || row >= LineCount())
        return CString();
    const StoredRow& stored = m_rows[static_cast<std::size_t>(row)];
    return CString(m_rowTexts.data() + stored.text, static_cast<int>(stored.length));
}

int CListCtrlForFlatTab::AddLine(const char* text, std::size_t length, OutputLineItem* item, COLORREF crText)
{
    if (!m_hWnd) {
        delete item;
        return -1;
    }
    const int row = LineCount();
    // Set before the row is drawn, so that it is painted in it at once, without a repaint of
    // the whole list for each coloured line.
    if (crText != CLR_NONE)
        m_listRowColors[row] = CXTListRowColor{row, RowBackground(), crText};
    StoredRow stored;
    stored.text = m_rowTexts.size();
    stored.length = text ? length : 0;
    stored.item.reset(item);
    m_rowTexts.append(text ? text : "", stored.length);
    m_rows.push_back(std::move(stored));
    // Undrawn, as the count change that follows: the burst is drawn when it pauses.
    DeferDrawing();
    return row;
}

void CListCtrlForFlatTab::ShowAddedLines()
{
    if (!m_hWnd || GetItemCount() == LineCount())
        return;
    DeferDrawing();
    SetItemCount(LineCount());
}

void CListCtrlForFlatTab::SetLineText(int row, const char* text)
{
    if (row < 0 || row >= LineCount())
        return;
    // The old text stays in the buffer unused until the rows are deleted; texts change rarely.
    StoredRow& stored = m_rows[static_cast<std::size_t>(row)];
    stored.text = m_rowTexts.size();
    stored.length = std::strlen(text ? text : "");
    m_rowTexts.append(text ? text : "", stored.length);
    if (m_hWnd && row < GetItemCount())
        RedrawItems(row, row);
}

void CListCtrlForFlatTab::GiveRowText(int row, int subItem, char* text, int size) const
{
    if (!text || size <= 0)
        return;
    std::size_t length = 0;
    if (subItem == 0 && row >= 0 && row < static_cast<int>(m_rows.size())) {
        const StoredRow& stored = m_rows[static_cast<std::size_t>(row)];
        length = std::min(stored.length, static_cast<std::size_t>(size - 1));
        std::memcpy(text, m_rowTexts.data() + stored.text, length);
    }
    text[length] = '\0';
}

// As a list that holds its rows finds one when a letter is typed: the first row from "from"
// whose text starts with (or, without LVFI_PARTIAL, is) the given text, letter case aside.
int CListCtrlForFlatTab::FindStoredRow(const char* start, UINT flags, int from) const
{
    if (!start || !(flags & (LVFI_STRING | LVFI_PARTIAL)))
        return -1;
    const int count = static_cast<int>(m_rows.size());
    const int wanted = static_cast<int>(std::strlen(start));
    const auto matches = [&](int row) {
        const StoredRow& stored = m_rows[static_cast<std::size_t>(row)];
        const int length = static_cast<int>(stored.length);
        if ((flags & LVFI_PARTIAL) ? length < wanted : length != wanted)
            return false;
        return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, m_rowTexts.data() + stored.text, wanted, start,
                                wanted) == CSTR_EQUAL;
    };
    from = std::max(0, std::min(from, count));
    for (int row = from; row < count; ++row) {
        if (matches(row))
            return row;
    }
    for (int row = 0; (flags & LVFI_WRAP) && row < from; ++row) {
        if (matches(row))
            return row;
    }
    return -1;
}

void CListCtrlForFlatTab::DeleteLines()
{
    m_rows.clear();
    m_rowTexts.clear();
    if (!m_hWnd)
        return;
    DeleteAllItems();
    m_nFollowRow = -1;
}

void CListCtrlForFlatTab::ShowRow(int row)
{
    ShowAddedLines();
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
    ShowAddedLines();
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
    const int count = LineCount();
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
    ShowAddedLines();
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
    if (result && row == LineCount() - 1)
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
    // The one column fills the list's width. Sized here, not by the list's own fill
    // (LVSCW_AUTOSIZE_USEHEADER), which under Wine measures every row's text first: with
    // thousands of rows that cost more than drawing them, whenever the scroll bar came or went.
    CRect client;
    GetClientRect(&client);
    if (GetColumnWidth(0) != client.Width())
        SetColumnWidth(0, client.Width());
}

// Row colours

BOOL CListCtrlForFlatTab::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_NOTIFY)
        return CXTListCtrl::OnChildNotify(message, wParam, lParam, pResult);
    const UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
    if (code == NM_CUSTOMDRAW) {
        *pResult = OnOutputCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        return TRUE;
    }
    if (code == LVN_GETDISPINFOA) {
        LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
        if (item.mask & LVIF_TEXT)
            GiveRowText(item.iItem, item.iSubItem, item.pszText, item.cchTextMax);
        *pResult = 0;
        return TRUE;
    }
    if (code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            std::string text(static_cast<std::size_t>(item.cchTextMax), '\0');
            GiveRowText(item.iItem, item.iSubItem, &text[0], item.cchTextMax);
            const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, item.pszText, item.cchTextMax);
            item.pszText[length > 0 ? length - 1 : 0] = L'\0';
        }
        *pResult = 0;
        return TRUE;
    }
    if (code == LVN_ODFINDITEMA) {
        const auto* find = reinterpret_cast<NMLVFINDITEMA*>(lParam);
        *pResult = FindStoredRow(find->lvfi.psz, find->lvfi.flags, find->iStart);
        return TRUE;
    }
    if (code == LVN_ODFINDITEMW) {
        const auto* find = reinterpret_cast<NMLVFINDITEMW*>(lParam);
        std::string start;
        if (find->lvfi.psz) {
            const int size = ::WideCharToMultiByte(CP_ACP, 0, find->lvfi.psz, -1, nullptr, 0, nullptr, nullptr);
            start.resize(static_cast<std::size_t>(std::max(size, 1)));
            ::WideCharToMultiByte(CP_ACP, 0, find->lvfi.psz, -1, &start[0], size, nullptr, nullptr);
        }
        *pResult = FindStoredRow(find->lvfi.psz ? start.c_str() : nullptr, find->lvfi.flags, find->iStart);
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
