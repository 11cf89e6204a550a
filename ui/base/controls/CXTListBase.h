// The list extension mixed into a report list window: sorting, stored widths, column sizing, rows and their colours.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>

#include "CString.h"
#include "CWnd.h"
#include "CXTHeaderCtrl.h"

class CDC;

// The colours of one row.
struct CXTListRowColor {
    int nRow = -1;
    COLORREF crBack = 0;
    COLORREF crText = 0;
};

// The private set-up message a list posts itself once it has a window.
constexpr UINT XTWM_INITIAL_UPDATE = 0x0DDD;

class CXTListBase {
public:
    CXTListBase();
    virtual ~CXTListBase();
    CXTListBase(const CXTListBase&) = delete;
    CXTListBase& operator=(const CXTListBase&) = delete;

    // The previous sort column.
    virtual int SetSortColumn(int nColumn, BOOL bAscending);
    // The width stored for column n, or -1 when the profile has none for it.
    virtual int GetStoredColumnWidth(int nColumn);
    virtual void RestoreColumnWidth(int nColumn);
    virtual void LoadColumnWidths();
    virtual void SaveColumnWidths();
    // -1: every column.
    virtual void AutoSizeColumn(int nColumn = -1);
    // Null names: "Settings", "Column Info", no default.
    virtual void EnableColumnPersistence(const char* lpszSection = nullptr, const char* lpszEntry = nullptr,
                                         const char* lpszDefault = nullptr);
    virtual BOOL AttachFlatHeader(BOOL bBoldFont = FALSE);
    // A derived list orders its rows here; the base leaves them.
    virtual BOOL SortRows(int nColumn, BOOL bAscending);
    virtual void AddExtendedStyle(DWORD dwAdd);
    virtual DWORD GetExtendedStyle() const;
    virtual void LockColumnSizing(BOOL bLock);
    // The row under the point and, through pnColumn, the display position of its column; -1 for none.
    virtual int HitTestColumn(CPoint point, int* pnColumn = nullptr) const;
    virtual BOOL AddColumn(const char* lpszText, int nWidth = -1, int nFormat = LVCFMT_LEFT);
    virtual BOOL InsertColumns(int nCount, const int* pWidths, const char* const* pTexts);
    virtual BOOL InsertColumns(int nCount, const int* pWidths, const UINT* pStringIds);
    virtual int GetColumnCount() const;
    // Copies row nFrom (all its texts, image and data) to a new row at nTo; the source's index
    // afterwards, or -1 for equal, negative or missing rows.
    virtual int CopyRow(int nFrom, int nTo);
    virtual BOOL MoveRow(int nFrom, int nTo);
    virtual void SetListColors(COLORREF crText, COLORREF crBack);
    virtual void SetRowColor(const CXTListRowColor& record);
    virtual void SetRowColor(int nRow, COLORREF crText, COLORREF crBack);
    virtual void RemoveAllRowColors();
    virtual CXTListRowColor* FindRowColor(int nRow);
    virtual void ModifyExtendedStyle(DWORD dwRemove, DWORD dwAdd);
    virtual void InitFont();
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // The host's message path: TRUE when the extension answered the message.
    BOOL OnListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A reflected NM_CUSTOMDRAW: picks the cell colours.
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* pDraw);
    // Paints through a buffer filled with the list's background.
    void PaintList();

    CXTFlatHeaderCtrl& GetFlatHeader() { return m_flatHeader; }
    // The list's header when it is one of ours.
    CXTHeaderCtrl* GetHeader() const;

    int m_nMinColWidth = 0;
    int m_nMaxColWidth = 0;
    int m_nSortedCol = -1;
    BYTE m_bAutoFont = 1;
    BYTE m_bAutoSaveCols = 0;
    BYTE m_bCustomColors = 0;
    BYTE m_bRowColors = 0;
    BYTE m_bAscending = 1;
    BYTE m_bNoColSizing = 0;
    CString m_strSection, m_strEntry, m_strDefault;
    COLORREF m_crText = 0xFFFFFFFF;
    COLORREF m_crBack = 0xFFFFFFFF;
    std::map<int, CXTListRowColor> m_listRowColors;
    CXTFlatHeaderCtrl m_flatHeader;
    CWnd* m_pList = nullptr;
    BYTE m_bInitPending = 1;

protected:
    LRESULT List(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HWND HeaderWnd() const;
    BOOL IsReportView() const;
    void RedrawNow();
    // The list's background as it paints now.
    COLORREF BackColor() const;
};
