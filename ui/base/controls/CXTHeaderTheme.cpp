// Header themes: the default 3-D theme, the flat and the soft theme, and their factory.
#include "CXTHeaderTheme.h"

#include <vector>

#include "AfxResource.h"

#include "CXTHeaderCtrl.h"
#include "CXTPColorManager.h"
#include "CXTPDrawHelpers.h"

namespace {

// Parts and states of the system's header style.
constexpr int kHeaderItemPart = 1;
constexpr int kItemNormal = 1, kItemHot = 2, kItemPressed = 3;

}  // namespace

IMPLEMENT_DYNCREATE(CXTHeaderThemeFactory, CXTThemeManagerStyleFactory)

CXTThemeManagerStyle* CXTHeaderThemeFactory::CreateTheme(int nTheme)
{
    CXTHeaderTheme* theme = nullptr;
    if (nTheme == 1)
        theme = new CXTHeaderThemeFlat;
    else if (nTheme == 2)
        theme = new CXTHeaderThemeSoft;
    else
        theme = new CXTHeaderTheme;
    theme->m_nTheme = nTheme;
    return theme;
}

CXTHeaderTheme::CXTHeaderTheme()
{
    RefreshMetrics();
}

CXTHeaderTheme::~CXTHeaderTheme() = default;

void CXTHeaderTheme::RefreshMetrics()
{
    m_crText = GetManagedColor(COLOR_BTNTEXT);
    m_crFace = GetManagedColor(COLOR_BTNFACE);
    m_crShadow = GetManagedColor(COLOR_BTNSHADOW);
    m_crDkShadow = GetManagedColor(COLOR_3DDKSHADOW);
    m_crHilite = GetManagedColor(COLOR_3DHIGHLIGHT);
    m_themeHeader.CloseThemeData();  // opened again for the next header drawn
}

BOOL CXTHeaderTheme::CanUseWinTheme(CXTHeaderCtrl* pHeader)
{
    if (!(m_nDrawStyle & drawWinTheme) || !pHeader || !pHeader->m_hWnd)
        return FALSE;
    if (!m_themeHeader.GetThemeHandle())
        m_themeHeader.OpenThemeData(pHeader->m_hWnd, L"HEADER");
    m_bUseWinTheme = m_themeHeader.IsAppThemeReady() != FALSE;
    return m_bUseWinTheme;
}

BOOL CXTHeaderTheme::SetDrawStyle(DWORD nStyle, CXTHeaderCtrl* pHeader)
{
    m_nDrawStyle = nStyle;
    if (pHeader && pHeader->m_hWnd)
        pHeader->RedrawWindow();
    return TRUE;
}

BOOL CXTHeaderTheme::Layout(HDLAYOUT* pLayout, CXTHeaderCtrl* pHeader)
{
    return static_cast<BOOL>(pHeader->DefWindowProc(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(pLayout)));
}

void CXTHeaderTheme::CleanUp(CXTHeaderCtrl* pHeader)
{
    const int count = pHeader ? pHeader->GetItemCount() : 0;
    for (int i = 0; i < count; ++i)
        SetBitmap(i, 0, TRUE, 0, pHeader);
    m_themeHeader.CloseThemeData();
}

BOOL CXTHeaderTheme::SetBitmap(int nCol, UINT nBitmapID, BOOL bRemove, COLORREF crMask, CXTHeaderCtrl* pHeader)
{
    HDITEMA item = {};
    item.mask = HDI_FORMAT | HDI_BITMAP;
    if (!pHeader || !pHeader->GetItem(nCol, &item))
        return FALSE;
    // The column's bitmap field holds an image list of ours: a replaced one goes first.
    if ((item.fmt & HDF_BITMAP) && item.hbm)
        ::ImageList_Destroy(reinterpret_cast<HIMAGELIST>(item.hbm));
    item.fmt &= ~HDF_BITMAP;
    item.hbm = nullptr;
    if (!bRemove) {
        HBITMAP bitmap = static_cast<HBITMAP>(
            ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nBitmapID), IMAGE_BITMAP, 0, 0, 0));
        BITMAP bm = {};
        if (bitmap && ::GetObjectA(bitmap, sizeof(bm), &bm)) {
            HIMAGELIST list = ::ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
            if (list && ::ImageList_AddMasked(list, bitmap, crMask) >= 0) {
                item.hbm = reinterpret_cast<HBITMAP>(list);
                item.fmt |= HDF_BITMAP;
            } else if (list) {
                ::ImageList_Destroy(list);
            }
        }
        if (bitmap)
            ::DeleteObject(bitmap);
    }
    const BOOL set = pHeader->SetItem(nCol, &item);
    pHeader->Invalidate();
    return set && (bRemove || item.hbm);
}

void CXTHeaderTheme::VerticalLine(CDC* pDC, int x, int yFrom, int yTo, COLORREF color)
{
    if (yTo > yFrom)
        pDC->FillSolidRect(x, yFrom, 1, yTo - yFrom, color);
}

void CXTHeaderTheme::HorizontalLine(CDC* pDC, int xFrom, int xTo, int y, COLORREF color)
{
    if (xTo > xFrom)
        pDC->FillSolidRect(xFrom, y, xTo - xFrom, 1, color);
}

void CXTHeaderTheme::DrawHeader(CDC* pDC, CXTHeaderCtrl* pHeader)
{
    CRect client;
    pHeader->GetClientRect(&client);
    const BOOL winTheme = CanUseWinTheme(pHeader);

    CXTHeaderDrawInfo background;
    background.pDC = pDC;
    background.rcItem = client;
    if (!winTheme || !DrawWinThemeBackground(background))
        DrawItemBackground(background);

    HFONT font = reinterpret_cast<HFONT>(pHeader->SendMessage(WM_GETFONT));
    HGDIOBJ oldFont = ::SelectObject(pDC->m_hDC, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    pDC->SetTextColor(m_crText);
    pDC->SetBkColor(m_crFace);
    pDC->SetBkMode(TRANSPARENT);

    const int count = pHeader->GetItemCount();
    std::vector<int> order(count > 0 ? count : 0);
    if (count > 0 && !pHeader->GetOrderArray(order.data(), count)) {
        for (int i = 0; i < count; ++i)
            order[i] = i;
    }
    for (int item : order) {
        CXTHeaderDrawInfo info;
        info.nItem = item;
        info.pDC = pDC;
        pHeader->GetItemRect(item, &info.rcItem);
        info.hdi.mask = HDI_FORMAT | HDI_TEXT | HDI_BITMAP | HDI_IMAGE | HDI_LPARAM | HDI_WIDTH;
        info.hdi.pszText = info.szText;
        info.hdi.cchTextMax = sizeof(info.szText);
        pHeader->GetItem(item, &info.hdi);
        if (pHeader->IsItemPressed(item))
            info.nState |= CXTHeaderDrawInfo::statePressed;
        if (item == pHeader->m_nHotItem)
            info.nState |= CXTHeaderDrawInfo::stateHot;
        if (!winTheme || !(m_nDrawStyle & drawWinThemeItems) || !DrawWinThemeItem(info))
            DrawItemDivider(info);
        DrawItemText(info, pHeader);
    }
    ::SelectObject(pDC->m_hDC, oldFont);
}

void CXTHeaderTheme::DrawItemBackground(CXTHeaderDrawInfo& info)
{
    CRect rect = info.rcItem;
    rect.right += 2;
    info.pDC->FillSolidRect(&rect, m_crFace);
    info.pDC->Draw3dRect(&rect, m_crHilite, m_crDkShadow);
    rect.DeflateRect(1, 1);
    info.pDC->Draw3dRect(&rect, m_crFace, m_crShadow);
}

BOOL CXTHeaderTheme::DrawWinThemeBackground(CXTHeaderDrawInfo& info)
{
    return SUCCEEDED(m_themeHeader.DrawThemeBackground(info.pDC->m_hDC, kHeaderItemPart, kItemNormal, &info.rcItem,
                                                       nullptr));
}

BOOL CXTHeaderTheme::DrawWinThemeItem(CXTHeaderDrawInfo& info)
{
    int state = kItemNormal;
    if (info.nState & CXTHeaderDrawInfo::statePressed)
        state = kItemPressed;
    else if (info.nState & CXTHeaderDrawInfo::stateHot)
        state = kItemHot;
    return SUCCEEDED(m_themeHeader.DrawThemeBackground(info.pDC->m_hDC, kHeaderItemPart, state, &info.rcItem, nullptr));
}

void CXTHeaderTheme::DrawItemDivider(CXTHeaderDrawInfo& info)
{
    CDC* pDC = info.pDC;
    const CRect& rc = info.rcItem;
    if (info.nState & CXTHeaderDrawInfo::statePressed) {
        CRect frame = rc;
        pDC->Draw3dRect(&frame, m_crShadow, m_crShadow);
        VerticalLine(pDC, rc.right, rc.top, rc.bottom, m_crHilite);
        HorizontalLine(pDC, rc.left + 1, rc.right - 1, rc.bottom - 2, m_crFace);
        return;
    }
    VerticalLine(pDC, rc.right - 2, rc.top + 1, rc.bottom - 1, m_crShadow);
    VerticalLine(pDC, rc.right - 1, rc.top, rc.bottom - 1, m_crDkShadow);
    VerticalLine(pDC, rc.right, rc.top + 1, rc.bottom - 1, m_crHilite);
}

void CXTHeaderTheme::DrawItemBitmap(CXTHeaderDrawInfo& info, CRect& rcText, CXTHeaderCtrl*)
{
    HIMAGELIST list = reinterpret_cast<HIMAGELIST>(info.hdi.hbm);
    int cx = 0, cy = 0;
    if (!::ImageList_GetIconSize(list, &cx, &cy))
        return;
    const int y = info.rcItem.top + (info.rcItem.Height() - cy) / 2;
    ::ImageList_Draw(list, 0, info.pDC->m_hDC, rcText.left, y, ILD_TRANSPARENT);
    rcText.left += cx + m_nTextMargin;
}

void CXTHeaderTheme::DrawItemText(CXTHeaderDrawInfo& info, CXTHeaderCtrl* pHeader)
{
    CDC* pDC = info.pDC;
    CRect rc = info.rcItem;
    rc.DeflateRect(m_nTextMargin, 0);
    const BOOL sorted = info.nItem == pHeader->m_nSortedCol;
    if (sorted)
        rc.right -= 2 * m_nSortArrowGap + m_nArrowWidth;
    if ((info.hdi.fmt & HDF_BITMAP) && info.hdi.hbm)
        DrawItemBitmap(info, rc, pHeader);

    const int length = lstrlenA(info.szText);
    const CSize size = pDC->GetTextExtent(info.szText, length);
    int left = rc.left;
    switch (info.hdi.fmt & HDF_JUSTIFYMASK) {
    case HDF_RIGHT:
        left = rc.right - size.cx;
        break;
    case HDF_CENTER:
        left = rc.left + (rc.Width() - size.cx) / 2;
        break;
    default:
        break;
    }
    CRect text(left > rc.left ? left : rc.left, rc.top, left + size.cx < rc.right ? left + size.cx : rc.right,
               rc.bottom);
    if (m_nTextTop)
        text.top = rc.top + m_nTextTop;
    info.rcText = text;
    if (info.nState & CXTHeaderDrawInfo::statePressed)
        text.OffsetRect(1, 1);
    if (text.right > text.left && length > 0)
        pDC->DrawText(info.szText, length, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT);
    if (sorted && (m_nDrawStyle & drawSortArrow))
        DrawSortArrowAt(info, pHeader->m_bAscending);
}

void CXTHeaderTheme::DrawSortArrowAt(CXTHeaderDrawInfo& info, BOOL bAscending)
{
    int x = info.rcText.right + m_nSortArrowGap;
    if (x < info.rcItem.left)
        return;
    int y = (info.rcItem.Height() - m_nArrowHeight) / 2 + info.rcItem.top - 1;
    if (info.nState & CXTHeaderDrawInfo::statePressed) {
        ++x;
        ++y;
    }
    const int base = bAscending ? y + m_nArrowHeight : y;
    const int apex = bAscending ? y : y + m_nArrowHeight;
    POINT points[3] = {{x, base}, {x + m_nArrowWidth, base}, {x + m_nArrowWidth / 2, apex}};
    DrawSortArrow(info.pDC, points, bAscending);
}

void CXTHeaderTheme::DrawSortArrow(CDC* pDC, POINT points[3], BOOL bAscending)
{
    const COLORREF first = bAscending ? m_crHilite : m_crShadow;
    const COLORREF second = bAscending ? m_crShadow : m_crHilite;
    CPen penFirst(PS_SOLID, 1, first);
    CPen penSecond(PS_SOLID, 1, second);
    CPen* old = pDC->SelectObject(&penFirst);
    pDC->MoveTo(points[2]);
    pDC->LineTo(points[1]);
    pDC->LineTo(points[0]);
    pDC->SelectObject(&penSecond);
    pDC->LineTo(points[2]);
    pDC->SelectObject(old);
}

// ---- Flat and soft -----------------------------------------------------------------------

CXTHeaderThemeFlat::CXTHeaderThemeFlat()
{
    m_nDrawStyle = drawSortArrow;
}

void CXTHeaderThemeFlat::DrawItemBackground(CXTHeaderDrawInfo& info)
{
    info.pDC->FillSolidRect(&info.rcItem, m_crFace);
    info.pDC->Draw3dRect(&info.rcItem, m_crHilite, m_crShadow);
}

void CXTHeaderThemeFlat::DrawItemDivider(CXTHeaderDrawInfo& info)
{
    const CRect& rc = info.rcItem;
    VerticalLine(info.pDC, rc.right - 2, rc.top + 2, rc.bottom - 2, m_crShadow);
    VerticalLine(info.pDC, rc.right - 1, rc.top + 2, rc.bottom - 2, m_crHilite);
}

CXTHeaderThemeSoft::CXTHeaderThemeSoft()
{
    m_nDrawStyle = drawSortArrow;
    m_nTextTop = 2;
}

void CXTHeaderThemeSoft::DrawItemBackground(CXTHeaderDrawInfo& info)
{
    CDC* pDC = info.pDC;
    const CRect& rc = info.rcItem;
    pDC->FillSolidRect(&rc, m_crFace);
    pDC->Draw3dRect(&rc, m_crHilite, CXTPDrawHelpers::BlendColors(m_crShadow, m_crFace, 0.6));
    HorizontalLine(pDC, rc.left + 1, rc.right - 1, rc.bottom - 2, CXTPDrawHelpers::BlendColors(m_crShadow, m_crFace, 0.4));
    HorizontalLine(pDC, rc.left + 1, rc.right - 1, rc.bottom - 3, CXTPDrawHelpers::BlendColors(m_crShadow, m_crFace, 0.25));
}

void CXTHeaderThemeSoft::DrawItemDivider(CXTHeaderDrawInfo& info)
{
    const CRect& rc = info.rcItem;
    VerticalLine(info.pDC, rc.right - 2, rc.top + 2, rc.bottom - 4, m_crShadow);
    VerticalLine(info.pDC, rc.right - 1, rc.top + 2, rc.bottom - 4, m_crHilite);
}
