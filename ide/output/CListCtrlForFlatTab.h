// The output pane's one-column line lists: line records, row colours, navigation between
// errors and warnings, opening a line's file, following new lines.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "CString.h"
#include "CXTListCtrl.h"
#include "ResourceIds.h"

class CCmdUI;

// The record behind a line that names a file position or counts as a warning or error.
struct OutputLineItem {
    CString path;   // the whole path; never cut
    int line = -1;  // zero-based; -1 for a line without a position
    int kind = 0;   // 0 text or find result, 1 warning, 2 error
};

constexpr COLORREF kOutputWarningColor = 0xFF0000;
constexpr COLORREF kOutputErrorColor = 0x0000FF;
constexpr COLORREF kOutputHighlightColor = 0x008000;
constexpr COLORREF kOutputSelectedBack = 0xC8C8C8;

class CListCtrlForFlatTab : public CXTListCtrl {
public:
    CListCtrlForFlatTab();

    // The text colour of a warning or an error.
    static COLORREF KindColor(int kind) { return kind == 1 ? kOutputWarningColor : kOutputErrorColor; }
    // The background a coloured row gets: the list's own when it has one, else the window colour.
    COLORREF RowBackground() const;

    OutputLineItem* GetLineItem(int row) const;
    // The rows the list holds, counted or not yet counted by its window.
    int LineCount() const { return static_cast<int>(m_rows.size()); }
    CString GetLineText(int row) const;
    // Adds a row at the end with its record (may be null) and, unless CLR_NONE, its text colour;
    // the list owns the record from then on. The window learns of new rows only at
    // ShowAddedLines, so that a batch costs one count change, not a message a row. The new
    // row's index, or -1 without a window.
    int AddLine(const char* text, std::size_t length, OutputLineItem* item, COLORREF crText = CLR_NONE);
    int AddLine(const CString& text, OutputLineItem* item, COLORREF crText = CLR_NONE)
    {
        return AddLine(text, static_cast<std::size_t>(text.GetLength()), item, crText);
    }
    void ShowAddedLines();
    // Replaces a row's text.
    void SetLineText(int row, const char* text);
    // Frees every record and deletes every row.
    void DeleteLines();
    // Scrolls a row into view (whole), switches redrawing on and redraws the list now.
    void ShowRow(int row);
    // Scrolls a new row into view; it is drawn with the burst it came in.
    void FollowRow(int row);
    void DeferDrawing();
    void EndDeferredDrawing();

    void FindFirst(int kind);
    // The first row after row whose record has that kind; no wrap to the top.
    void FindNext(int row, int kind);
    void HighlightRow(int row);

    // The menu a right click on row offers (0 none); takes the pane's result into the copies.
    UINT ContextMenuFor(int row);
    // Opens the row's file at its line in an editor view and gives that view the focus.
    void OpenLine(int row);

    int m_bHold = 0;
    int m_nHighlighted = -1;
    int m_bBuildList = 0;
    int m_nErrors = 0;
    int m_nWarnings = 0;

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT OnOutputCustomDraw(NMLVCUSTOMDRAW* pDraw);

    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnSetFocus(CWnd* pOldWnd);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnFindError() { FindFirst(2); }
    void OnFindWarning() { FindFirst(1); }
    void OnNextError() { FindNext(m_nMenuRow, 2); }
    void OnNextWarning() { FindNext(m_nMenuRow, 1); }
    void OnUpdateFindError(CCmdUI* pCmdUI);
    void OnUpdateFindWarning(CCmdUI* pCmdUI);
    void OnUpdateNextError(CCmdUI* pCmdUI);
    void OnUpdateNextWarning(CCmdUI* pCmdUI);

    int m_nMenuRow = -1;  // the row the context menu was opened on
    int m_nFollowRow = -1;  // the last row followed
    int m_bDrawingDeferred = 0;
    static constexpr UINT_PTR kDrawTimer = 0x4F50;
    static constexpr UINT kDrawInterval = 50;  // ms

    DECLARE_MESSAGE_MAP()

private:
    int LabelHit(CPoint point) const;
    // The window's questions about rows it does not hold: a row's text, a row by its start.
    void GiveRowText(int row, int subItem, char* text, int size) const;
    int FindStoredRow(const char* start, UINT flags, int from) const;

    // The rows: each text in one buffer, each record owned here. The window (LVS_OWNERDATA)
    // holds only their count, so that thousands of rows go in at once.
    struct StoredRow {
        std::size_t text = 0;
        std::size_t length = 0;
        std::unique_ptr<OutputLineItem> item;
    };
    std::string m_rowTexts;
    std::vector<StoredRow> m_rows;
};
