// The list extension: sort column, column widths kept in the profile, sizing, row copies and colours, painting.
#include "CXTListBase.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "CDC.h"
#include "CXTPBufferDC.h"
#include "CXTPColorManager.h"
#include "CXTRegistryProfile.h"
#include "CXTSystemData.h"
#include "ResourceIds.h"

namespace {

// A cell's whole text, however long.
std::string CellText(HWND hList, int nRow, int nColumn)
{
    for (int size = 256;; size *= 4) {
        std::string buffer(static_cast<size_t>(size), '\0');
        LVITEMA item = {};
        item.iSubItem = nColumn;
        item.pszText = buffer.data();
        item.cchTextMax = size;
        const int length = static_cast<int>(::SendMessageA(hList, LVM_GETITEMTEXTA, nRow, reinterpret_cast<LPARAM>(&item)));
        if (length < size - 1 || size >= (1 << 24)) {
            buffer.resize(static_cast<size_t>(length > 0 ? length : 0));
            return buffer;
        }
    }
}

}  // namespace

CXTListBase::CXTListBase() : m_nMaxColWidth(::GetSystemMetrics(SM_CXFULLSCREEN))
{
}

CXTListBase::~CXTListBase()
{
    m_listRowColors.clear();
}

LRESULT CXTListBase::List(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return (m_pList && m_pList->m_hWnd) ? ::SendMessageA(m_pList->m_hWnd, message, wParam, lParam) : 0;
}

HWND CXTListBase::HeaderWnd() const
{
    return reinterpret_cast<HWND>(List(LVM_GETHEADER));
}

CXTHeaderCtrl* CXTListBase::GetHeader() const
{
    HWND header = HeaderWnd();
    return header ? dynamic_cast<CXTHeaderCtrl*>(CWnd::FromHandlePermanent(header)) : nullptr;
}

BOOL CXTListBase::IsReportView() const
{
    return m_pList && m_pList->m_hWnd && (m_pList->GetStyle() & LVS_TYPEMASK) == LVS_REPORT;
}

void CXTListBase::RedrawNow()
{
    if (m_pList && m_pList->m_hWnd)
        m_pList->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

COLORREF CXTListBase::BackColor() const
{
    if (m_pList && m_pList->m_hWnd && !m_pList->IsWindowEnabled())
        return GetManagedColor(COLOR_BTNFACE);
    if (m_bCustomColors && m_crBack != 0xFFFFFFFF)
        return m_crBack;
    return GetManagedColor(COLOR_WINDOW);
}

// ---- Sorting and header ---------------------------------------------------------------------

int CXTListBase::SetSortColumn(int nColumn, BOOL bAscending)
{
    const int previous = m_nSortedCol;
    m_nSortedCol = nColumn;
    m_bAscending = bAscending ? 1 : 0;
    if (CXTHeaderCtrl* header = GetHeader())
        header->SetSortColumn(nColumn, bAscending);
    return previous;
}

BOOL CXTListBase::SortRows(int, BOOL)
{
    return TRUE;
}

BOOL CXTListBase::AttachFlatHeader(BOOL bBoldFont)
{
    if (!IsReportView() || m_flatHeader.m_hWnd)
        return FALSE;
    HWND header = HeaderWnd();
    if (!header || !m_flatHeader.SubclassWindow(header))
        return FALSE;
    m_flatHeader.InitHeaderFont(bBoldFont);
    m_flatHeader.RedrawWindow();
    return TRUE;
}

void CXTListBase::LockColumnSizing(BOOL bLock)
{
    m_bNoColSizing = bLock ? 1 : 0;
}

// ---- Stored widths ----------------------------------------------------------------------------

int CXTListBase::GetStoredColumnWidth(int nColumn)
{
    CXTRegistryProfile profile(HKEY_CURRENT_USER);
    const CString stored = profile.GetProfileString(m_strSection, m_strEntry, m_strDefault);
    CString field;
    if (nColumn < 0 || !AfxExtractSubString(field, stored, nColumn, ','))
        return -1;
    // A missing or empty field keeps the column as it is (a first run has no widths yet).
    const char* text = field;
    while (*text == ' ')
        ++text;
    if (*text < '0' || *text > '9')
        return -1;
    // Widths are 16-bit: a longer number is no width and keeps the column too.
    errno = 0;
    const long width = std::strtol(text, nullptr, 10);
    return (errno == ERANGE || width > 0xFFFF) ? -1 : static_cast<int>(width);
}

void CXTListBase::RestoreColumnWidth(int nColumn)
{
    const int width = GetStoredColumnWidth(nColumn);
    if (width >= 0)
        List(LVM_SETCOLUMNWIDTH, nColumn, MAKELPARAM(width & 0xFFFF, 0));
}

void CXTListBase::LoadColumnWidths()
{
    HWND header = HeaderWnd();
    const int count = header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i)
        RestoreColumnWidth(i);
}

void CXTListBase::SaveColumnWidths()
{
    HWND header = HeaderWnd();
    const int count = header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    std::string widths;
    for (int i = 0; i < count; ++i)
        widths += std::to_string(static_cast<int>(List(LVM_GETCOLUMNWIDTH, i))) + ",";
    CXTRegistryProfile profile(HKEY_CURRENT_USER);
    profile.WriteProfileString(m_strSection, m_strEntry, widths.c_str());
}

void CXTListBase::EnableColumnPersistence(const char* lpszSection, const char* lpszEntry, const char* lpszDefault)
{
    m_bAutoSaveCols = 1;
    if (lpszSection)
        m_strSection = lpszSection;
    else
        m_strSection.LoadString(IDS_PROFILE_SETTINGS);
    if (lpszEntry)
        m_strEntry = lpszEntry;
    else
        m_strEntry.LoadString(IDS_PROFILE_COLUMN_INFO);
    m_strDefault = lpszDefault ? lpszDefault : "";
    LoadColumnWidths();
}

// ---- Columns --------------------------------------------------------------------------------

int CXTListBase::GetColumnCount() const
{
    HWND header = HeaderWnd();
    if (!IsReportView() || !header)
        return -1;
    return static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

void CXTListBase::AutoSizeColumn(int nColumn)
{
    const int count = GetColumnCount();
    if (count <= 0)
        return;
    HWND header = HeaderWnd();
    CXTHeaderCtrl* xtHeader = GetHeader();
    const BOOL arrows = xtHeader && xtHeader->IsSortArrowShown();
    m_pList->SendMessage(WM_SETREDRAW, FALSE);
    const int first = nColumn < 0 ? 0 : nColumn;
    const int last = nColumn < 0 ? count - 1 : (nColumn < count ? nColumn : -1);
    HDC dc = ::GetDC(header);
    HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(header, WM_GETFONT, 0, 0)));
    for (int col = first; col <= last; ++col) {
        List(LVM_SETCOLUMNWIDTH, col, MAKELPARAM(LVSCW_AUTOSIZE_USEHEADER, 0));
        const int contents = static_cast<int>(List(LVM_GETCOLUMNWIDTH, col));
        char text[257] = {};
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = 256;
        ::SendMessageA(header, HDM_GETITEMA, col, reinterpret_cast<LPARAM>(&item));
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
        int wanted = size.cx + 12;
        if (arrows && col == m_nSortedCol)
            wanted += 24;
        int width = contents > wanted ? contents : wanted;
        if (width < m_nMinColWidth)
            width = m_nMinColWidth;
        if (width > m_nMaxColWidth)
            width = m_nMaxColWidth;
        List(LVM_SETCOLUMNWIDTH, col, MAKELPARAM(width, 0));
    }
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(header, dc);
    m_pList->SendMessage(WM_SETREDRAW, TRUE);
    m_pList->Invalidate();
}

BOOL CXTListBase::AddColumn(const char* lpszText, int nWidth, int nFormat)
{
    const int count = GetColumnCount();
    if (count < 0)
        return FALSE;
    if (nWidth == -1)
        nWidth = count > 0 ? static_cast<int>(List(LVM_GETCOLUMNWIDTH, count - 1)) : 0;
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.fmt = nFormat;
    column.cx = nWidth;
    column.pszText = const_cast<char*>(lpszText ? lpszText : "");
    List(LVM_INSERTCOLUMNA, count, reinterpret_cast<LPARAM>(&column));
    return TRUE;
}

BOOL CXTListBase::InsertColumns(int nCount, const int* pWidths, const char* const* pTexts)
{
    for (int i = 0; i < nCount; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.fmt = LVCFMT_LEFT;
        column.cx = pWidths[i];
        column.pszText = const_cast<char*>(pTexts[i] ? pTexts[i] : "");
        if (List(LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column)) == -1)
            break;
    }
    return TRUE;
}

BOOL CXTListBase::InsertColumns(int nCount, const int* pWidths, const UINT* pStringIds)
{
    std::vector<CString> texts(nCount > 0 ? nCount : 0);
    std::vector<const char*> pointers;
    for (int i = 0; i < nCount; ++i) {
        texts[i].LoadString(pStringIds[i]);
        pointers.push_back(texts[i]);
    }
    return InsertColumns(nCount, pWidths, pointers.data());
}

int CXTListBase::HitTestColumn(CPoint point, int* pnColumn) const
{
    if (pnColumn)
        *pnColumn = 0;
    if (!IsReportView()) {
        LVHITTESTINFO info = {};
        info.pt = point;
        return static_cast<int>(List(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    }
    const int rows = static_cast<int>(List(LVM_GETITEMCOUNT));
    const int top = static_cast<int>(List(LVM_GETTOPINDEX));
    const int last = top + static_cast<int>(List(LVM_GETCOUNTPERPAGE));
    HWND header = HeaderWnd();
    const int columns = header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int row = top; row <= last && row < rows; ++row) {
        RECT rect = {};
        rect.left = LVIR_BOUNDS;
        if (!List(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect)))
            continue;
        if (point.y < rect.top || point.y >= rect.bottom)
            continue;
        std::vector<int> order(columns > 0 ? columns : 0);
        if (columns > 0)
            ::SendMessageA(header, HDM_GETORDERARRAY, columns, reinterpret_cast<LPARAM>(order.data()));
        int x = rect.left;
        for (int pos = 0; pos < columns; ++pos) {
            const int width = static_cast<int>(List(LVM_GETCOLUMNWIDTH, order[pos]));
            if (point.x >= x && point.x < x + width) {
                if (pnColumn)
                    *pnColumn = pos;
                return row;
            }
            x += width;
        }
        return -1;
    }
    return -1;
}

// ---- Rows -----------------------------------------------------------------------------------

int CXTListBase::CopyRow(int nFrom, int nTo)
{
    const int rows = static_cast<int>(List(LVM_GETITEMCOUNT));
    if (nFrom == nTo || nFrom < 0 || nTo < 0 || nFrom >= rows)
        return -1;
    HWND list = m_pList->m_hWnd;
    std::string first = CellText(list, nFrom, 0);
    LVITEMA item = {};
    item.mask = LVIF_IMAGE | LVIF_PARAM;
    item.iItem = nFrom;
    List(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = nTo;
    item.pszText = first.data();
    const int inserted = static_cast<int>(List(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (inserted < 0)
        return -1;
    const int source = inserted <= nFrom ? nFrom + 1 : nFrom;
    const int columns = GetColumnCount();
    for (int col = 1; col < columns; ++col) {
        std::string text = CellText(list, source, col);
        if (text.empty())
            continue;
        LVITEMA cell = {};
        cell.iSubItem = col;
        cell.pszText = text.data();
        ::SendMessageA(list, LVM_SETITEMTEXTA, inserted, reinterpret_cast<LPARAM>(&cell));
    }
    return source;
}

BOOL CXTListBase::MoveRow(int nFrom, int nTo)
{
    const int source = CopyRow(nFrom, nTo);
    return source >= 0 && List(LVM_DELETEITEM, source) != 0;
}

// ---- Colours --------------------------------------------------------------------------------

void CXTListBase::SetListColors(COLORREF crText, COLORREF crBack)
{
    m_crText = crText;
    m_crBack = crBack;
    m_bCustomColors = 1;
    RedrawNow();
}

void CXTListBase::SetRowColor(const CXTListRowColor& record)
{
    SetRowColor(record.nRow, record.crText, record.crBack);
}

void CXTListBase::SetRowColor(int nRow, COLORREF crText, COLORREF crBack)
{
    CXTListRowColor& record = m_listRowColors[nRow];
    record.nRow = nRow;
    record.crText = crText;
    record.crBack = crBack;
    RedrawNow();
}

void CXTListBase::RemoveAllRowColors()
{
    m_listRowColors.clear();
}

CXTListRowColor* CXTListBase::FindRowColor(int nRow)
{
    auto found = m_listRowColors.find(nRow);
    return found == m_listRowColors.end() ? nullptr : &found->second;
}

// ---- Styles and font ------------------------------------------------------------------------

void CXTListBase::ModifyExtendedStyle(DWORD dwRemove, DWORD dwAdd)
{
    const DWORD old = GetExtendedStyle();
    const DWORD style = (old & ~dwRemove) | dwAdd;
    if (style != old)
        List(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style);
}

void CXTListBase::AddExtendedStyle(DWORD dwAdd)
{
    List(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, GetExtendedStyle() | dwAdd);
}

DWORD CXTListBase::GetExtendedStyle() const
{
    return static_cast<DWORD>(List(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

void CXTListBase::InitFont()
{
    if (m_bAutoFont && m_pList && m_pList->m_hWnd)
        m_pList->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(XTSystemData()->font.m_hObject), TRUE);
}

// ---- Notifications and messages -------------------------------------------------------------

BOOL CXTListBase::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHEADERA* notify = reinterpret_cast<NMHEADERA*>(lParam);
    HWND header = HeaderWnd();
    if (!header || notify->hdr.hwndFrom != header)
        return FALSE;
    switch (notify->hdr.code) {
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        if (m_bNoColSizing) {
            *pResult = 1;
            return TRUE;
        }
        break;
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW: {
        if (!m_flatHeader.m_hWnd)
            break;
        BOOL ascending = TRUE;
        if (notify->iButton == 0)
            ascending = notify->iItem == m_nSortedCol ? !m_bAscending : TRUE;
        else if (notify->iButton == 1)
            ascending = m_flatHeader.m_bAscending;
        else
            break;
        SetSortColumn(notify->iItem, ascending);
        SortRows(notify->iItem, ascending);
        break;
    }
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW:
    case HDN_TRACKA:
    case HDN_TRACKW:
        if (notify->pitem && (notify->pitem->mask & HDI_WIDTH) && notify->pitem->cxy < m_nMinColWidth) {
            notify->pitem->cxy = m_nMinColWidth;
            if (notify->hdr.code == HDN_ITEMCHANGINGA || notify->hdr.code == HDN_ITEMCHANGINGW) {
                // Not every header takes the raised width back from its notification: the narrow
                // change is refused and the minimum set in its place.
                HDITEMA item = {};
                item.mask = HDI_WIDTH;
                item.cxy = m_nMinColWidth;
                ::SendMessageA(header, HDM_SETITEMA, notify->iItem, reinterpret_cast<LPARAM>(&item));
                *pResult = 1;
                return TRUE;
            }
        }
        break;
    default:
        break;
    }
    return FALSE;
}

LRESULT CXTListBase::OnCustomDraw(NMLVCUSTOMDRAW* pDraw)
{
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        break;
    default:
        return CDRF_DODEFAULT;
    }
    const int row = static_cast<int>(pDraw->nmcd.dwItemSpec);
    if (!m_pList->IsWindowEnabled()) {
        pDraw->clrText = GetManagedColor(COLOR_WINDOWTEXT);
        pDraw->clrTextBk = GetManagedColor(COLOR_BTNFACE);
        return CDRF_DODEFAULT;
    }
    if (m_bRowColors && !(List(LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED)) {
        if (const CXTListRowColor* record = FindRowColor(row)) {
            pDraw->clrText = record->crText;
            pDraw->clrTextBk = record->crBack;
            return CDRF_DODEFAULT;
        }
    }
    pDraw->clrText = (m_bCustomColors && m_crText != 0xFFFFFFFF) ? m_crText : GetManagedColor(COLOR_WINDOWTEXT);
    pDraw->clrTextBk = (m_bCustomColors && m_crBack != 0xFFFFFFFF) ? m_crBack : GetManagedColor(COLOR_WINDOW);
    return CDRF_DODEFAULT;
}

void CXTListBase::PaintList()
{
    CPaintDC dc(m_pList);
    CRect client;
    m_pList->GetClientRect(&client);
    // The header paints itself: it is left out of the copy.
    HWND header = HeaderWnd();
    CRect headerRect;
    bool headerDamaged = false;
    if (header && ::IsWindowVisible(header)) {
        ::GetWindowRect(header, &headerRect);
        m_pList->ScreenToClient(&headerRect);
        dc.ExcludeClipRect(&headerRect);
        // Scrolling the rows leaves the header out of the paint: it is redrawn only when the
        // paint reaches it, not once per scrolled page.
        CRect touched;
        headerDamaged = touched.IntersectRect(&headerRect, &dc.m_ps.rcPaint) != FALSE;
    }
    {
        CXTMemDC memDC(&dc, client, BackColor());
        m_pList->DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memDC.m_hDC), 0);
    }
    if (headerDamaged) {
        ::InvalidateRect(header, nullptr, FALSE);
        ::UpdateWindow(header);
    }
}

BOOL CXTListBase::OnListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    *pResult = 0;
    switch (message) {
    case XTWM_INITIAL_UPDATE:
        if (m_bInitPending) {
            m_bInitPending = 0;
            InitFont();
        }
        return TRUE;
    case WM_SETTINGCHANGE:
        *pResult = m_pList->Default();
        m_nMaxColWidth = ::GetSystemMetrics(SM_CXFULLSCREEN);
        return TRUE;
    case WM_DESTROY:
        if (m_bAutoSaveCols)
            SaveColumnWidths();
        return FALSE;
    case WM_PAINT:
        if (wParam)
            return FALSE;
        PaintList();
        return TRUE;
    case WM_ERASEBKGND:
        *pResult = 1;  // the paint fills the background in its buffer
        return TRUE;
    default:
        return FALSE;
    }
}
