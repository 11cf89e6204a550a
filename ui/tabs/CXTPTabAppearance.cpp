// The nine tab appearance styles: row and client geometry, tab shapes and client frames.
#include "CXTPTabAppearance.h"

#include <algorithm>
#include <vector>

#include "CXTPColorManager.h"
#include "CXTPDrawHelpers.h"
#include "CXTPFontDC.h"
#include "CXTPTabColorSet.h"
#include "CXTPTabManager.h"
#include "CXTPTabPaintManager.h"

namespace {

const COLORREF clrNone = static_cast<COLORREF>(-1);

BOOL IsHorizontal(int nPosition)
{
    return nPosition == xtpTabPositionTop || nPosition == xtpTabPositionBottom;
}

// Length along the row and thickness across it.
int Along(const CRect& rc, int nPosition)
{
    return IsHorizontal(nPosition) ? rc.Width() : rc.Height();
}

int Across(const CRect& rc, int nPosition)
{
    return IsHorizontal(nPosition) ? rc.Height() : rc.Width();
}

// A frame whose parts of colour -1 are left out.
void DrawFrame(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (clrTopLeft != clrNone) {
        pDC->FillSolidRect(rc.left, rc.top, rc.Width() - 1, 1, clrTopLeft);
        pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height() - 1, clrTopLeft);
    }
    if (clrBottomRight != clrNone) {
        pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrBottomRight);
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrBottomRight);
    }
}

// The polygon of turned points as a region; alternate fill.
HRGN CreateTurnedPolygon(const CRect& rcItem, int nPosition, const POINT* pSteps, int nCount)
{
    std::vector<POINT> points(nCount);
    for (int i = 0; i < nCount; ++i)
        points[i] = CXTPTabAppearance::TurnPoint(rcItem, pSteps[i].x, pSteps[i].y, nPosition);
    return ::CreatePolygonRgn(points.data(), nCount, ALTERNATE);
}

}  // namespace

CXTPTabAppearance::CXTPTabAppearance(const CRect& rcHeaderMargin) : m_rcHeaderMargin(rcHeaderMargin)
{
}

CXTPTabColorSet* CXTPTabAppearance::GetColorSet() const
{
    return m_pPaintManager->GetColorSet();
}

int CXTPTabAppearance::GetPosition() const
{
    return m_pPaintManager->GetPosition();
}

void CXTPTabAppearance::InflateTurned(CRect& rc, int a, int b, int c, int d, int nPosition)
{
    switch (nPosition) {
    case xtpTabPositionLeft: rc.InflateRect(b, a, d, c); break;
    case xtpTabPositionBottom: rc.InflateRect(a, d, c, b); break;
    case xtpTabPositionRight: rc.InflateRect(d, a, b, c); break;
    default: rc.InflateRect(a, b, c, d); break;
    }
}

CPoint CXTPTabAppearance::TurnPoint(const CRect& rc, int u, int v, int nPosition)
{
    switch (nPosition) {
    case xtpTabPositionLeft: return CPoint(rc.left + v, rc.top + u);
    case xtpTabPositionBottom: return CPoint(rc.left + u, rc.bottom - 1 - v);
    case xtpTabPositionRight: return CPoint(rc.right - 1 - v, rc.top + u);
    default: return CPoint(rc.left + u, rc.top + v);
    }
}

void CXTPTabAppearance::DrawTurnedLine(CDC* pDC, const CRect& rcItem, int nPosition, int u0, int v0, int u1, int v1,
                                       COLORREF clr)
{
    if (clr == clrNone)
        return;
    const CPoint p0 = TurnPoint(rcItem, u0, v0, nPosition), p1 = TurnPoint(rcItem, u1, v1, nPosition);
    CXTPPenDC pen(*pDC, clr);
    pDC->MoveTo(p0);
    pDC->LineTo(p1);
    pDC->SetPixel(p1, clr);
}

void CXTPTabAppearance::DrawEdgeLine(CDC* pDC, const CRect& rc, int nPosition, COLORREF clrTopLeft,
                                     COLORREF clrBottomRight)
{
    switch (nPosition) {
    case xtpTabPositionTop:
        if (clrTopLeft != clrNone)
            pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, clrTopLeft);
        break;
    case xtpTabPositionLeft:
        if (clrTopLeft != clrNone)
            pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrTopLeft);
        break;
    case xtpTabPositionBottom:
        if (clrBottomRight != clrNone)
            pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrBottomRight);
        break;
    default:
        if (clrBottomRight != clrNone)
            pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrBottomRight);
        break;
    }
}

void CXTPTabAppearance::DrawPolyLine(CDC* pDC, COLORREF clr, CPoint ptStart, const POINT* pSteps, int nSteps)
{
    if (clr == clrNone)
        return;
    CXTPPenDC pen(*pDC, clr);
    pDC->MoveTo(ptStart);
    CPoint pt = ptStart;
    for (int i = 0; i < nSteps; ++i) {
        pt.x += pSteps[i].x;
        pt.y += pSteps[i].y;
        pDC->LineTo(pt);
    }
}

void CXTPTabAppearance::RefreshMetrics()
{
    HDC hdc = ::GetDC(nullptr);
    CDC* pDC = CDC::FromHandle(hdc);
    {
        CXTPFontDC font(pDC, m_pPaintManager->GetFont(FALSE, FALSE));
        SIZE size = {};
        ::GetTextExtentPoint32A(hdc, " ", 1, &size);
        m_nTextHeight = std::max(18, static_cast<int>(size.cy) + 3);
    }
    ::ReleaseDC(nullptr, hdc);
}

CRect CXTPTabAppearance::GetHeaderMargin()
{
    return m_rcHeaderMargin;
}

CRect CXTPTabAppearance::GetClientMargin(CXTPTabManager* /*pTabManager*/)
{
    return m_pPaintManager->m_rcClientMargin;
}

CRect CXTPTabAppearance::GetStyledPaneMargin(CXTPTabManager* pTabManager)
{
    CRect rc = CXTPTabAppearance::GetClientMargin(pTabManager);
    if (GetColorSet()->IsVisualStyle() && m_pPaintManager->m_nFrameStyle == xtpTabFrameBorder) {
        rc.right += 2;
        if (GetPosition() == xtpTabPositionTop || GetPosition() == xtpTabPositionLeft)
            rc.bottom += 2;
    }
    return rc;
}

int CXTPTabAppearance::GetTabHeight(CXTPTabManager* pTabManager)
{
    const int nPadding = m_pPaintManager->m_rcButtonMargin.top + m_pPaintManager->m_rcButtonMargin.bottom;
    CSize szDefault;
    pTabManager->GetItemMetrics(&szDefault, nullptr, nullptr);
    int nHeight = std::max(m_nTextHeight + nPadding, static_cast<int>(szDefault.cy));
    if (m_pPaintManager->m_bShowIcons) {
        CSize szIcon = m_pPaintManager->m_szIcon;
        if (pTabManager->GetItemCount() > 0)
            pTabManager->DrawIcon(nullptr, CPoint(0, 0), pTabManager->GetItem(0), FALSE, szIcon);
        nHeight = std::max(nHeight, static_cast<int>(std::max(szIcon.cx, szIcon.cy)) + 4 + nPadding);
    }
    return nHeight;
}

CRect CXTPTabAppearance::GetHeaderRect(CRect rc, CXTPTabManager* pTabManager)
{
    const CRect rcMargin = GetHeaderMargin();
    const int h = GetTabHeight(pTabManager) + rcMargin.top + rcMargin.bottom;
    switch (GetPosition()) {
    case xtpTabPositionLeft: return CRect(rc.left, rc.top, rc.left + h, rc.bottom);
    case xtpTabPositionBottom: return CRect(rc.left, rc.bottom - h, rc.right, rc.bottom);
    case xtpTabPositionRight: return CRect(rc.right - h, rc.top, rc.right, rc.bottom);
    default: return CRect(rc.left, rc.top, rc.right, rc.top + h);
    }
}

CRect CXTPTabAppearance::GetClientRect(CRect rc, CXTPTabManager* pTabManager)
{
    // The client overlaps the header by one pixel.
    const CRect rcHeader = GetHeaderRect(rc, pTabManager);
    switch (GetPosition()) {
    case xtpTabPositionLeft: rc.left = rcHeader.right - 1; break;
    case xtpTabPositionBottom: rc.bottom = rcHeader.top + 1; break;
    case xtpTabPositionRight: rc.right = rcHeader.left + 1; break;
    default: rc.top = rcHeader.bottom - 1; break;
    }
    return rc;
}

int CXTPTabAppearance::GetItemWidth(CDC* pDC, CXTPTabManagerItem* pItem)
{
    return m_pPaintManager->DrawTabText(pDC, pItem, pItem->GetRect(), FALSE);
}

void CXTPTabAppearance::DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    m_pPaintManager->DrawTabControlDefault(pTabManager, pDC, rcControl);
}

void CXTPTabAppearance::RepositionTabs(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient)
{
    m_pPaintManager->RepositionTabControlDefault(pTabManager, pDC, rcClient);
}

void CXTPTabAppearance::AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient)
{
    const int nPosition = GetPosition();
    CXTPTabPaintManager::DeflateOriented(rcClient, m_pPaintManager->m_rcControlMargin, nPosition);
    rcClient = GetClientRect(rcClient, pTabManager);
    CXTPTabPaintManager::DeflateOriented(rcClient, GetClientMargin(pTabManager), nPosition);
    if (m_pPaintManager->m_nFrameStyle == xtpTabFrameBorder)
        rcClient.DeflateRect(2, 2, 2, 2);
    else if (m_pPaintManager->m_nFrameStyle == xtpTabFrameSingleLine)
        CXTPTabPaintManager::DeflateOriented(rcClient, CRect(0, 2, 0, 0), nPosition);
}

CRect CXTPTabAppearance::FillHeaderAndFrame(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl,
                                            COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    const CRect rcHeader = GetHeaderRect(rcControl, pTabManager);
    GetColorSet()->FillHeader(pDC, rcHeader, pTabManager);
    const CRect rcClient = GetClientRect(rcControl, pTabManager);
    if (m_pPaintManager->m_nFrameStyle == xtpTabFrameBorder) {
        GetColorSet()->FillClient(pDC, rcClient, pTabManager);
        DrawFrame(pDC, rcClient, clrTopLeft, clrBottomRight);
    } else if (m_pPaintManager->m_nFrameStyle == xtpTabFrameSingleLine) {
        DrawEdgeLine(pDC, rcClient, GetPosition(), clrTopLeft, clrBottomRight);
    }
    return rcHeader;
}

CRect CXTPTabAppearance::FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    const COLORREF clrFrame = GetColorSet()->m_clrFrameBorder;
    return FillHeaderAndFrame(pTabManager, pDC, rcControl, clrFrame, clrFrame);
}

void CXTPTabAppearance::DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem)
{
    GetColorSet()->FillTab(pDC, pItem->GetRect(), pItem);
    m_pPaintManager->DrawTabText(pDC, pItem, pItem->GetRect(), TRUE);
}

void CXTPTabAppearance::DrawWorkspacePart(CDC* pDC, LPRECT lpRect, int nPart)
{
    CRect rc(*lpRect);
    CXTPTabColorSet* pColorSet = GetColorSet();
    if (m_pPaintManager->m_bStaticFrame) {
        switch (nPart) {
        case 0:
            pDC->Draw3dRect(rc, pColorSet->m_clrFrameBorder, pColorSet->m_clrFrameBorder);
            rc.DeflateRect(1, 1);
            pDC->Draw3dRect(rc, GetManagedColor(COLOR_BTNFACE), GetManagedColor(COLOR_BTNFACE));
            break;
        case 1: lpRect->top -= 1; break;
        case 2:
            pDC->FillSolidRect(rc, pColorSet->m_clrControlFace);
            pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), pColorSet->m_clrFrameBorder);
            break;
        case 3:
            pDC->FillSolidRect(rc, pColorSet->m_clrControlFace);
            pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, pColorSet->m_clrFrameBorder);
            break;
        }
        return;
    }
    if (nPart == 1)
        ::InflateRect(lpRect, 2, 2);
    else if (nPart == 2 || nPart == 3)
        pDC->FillSolidRect(rc, pColorSet->m_clrHeaderFace.clrLight);
}

COLORREF CXTPTabAppearance::FillPolygonTab(CDC* pDC, CXTPTabManagerItem* pItem, const POINT* pPoints, int nCount)
{
    HRGN hRgn = CreateTurnedPolygon(pItem->GetRect(), GetPosition(), pPoints, nCount);
    CRect rcBox;
    ::GetRgnBox(hRgn, &rcBox);
    COLORREF clrFace = GetColorSet()->GetItemColor(pItem);
    if (!rcBox.IsRectEmpty()) {
        // The face is filled over the region's box with the region as clip. The clip is put
        // back by hand: restoring a saved DC selects its font again, costly on some systems.
        HRGN hOuterClip = ::CreateRectRgn(0, 0, 0, 0);
        const BOOL bOuterClip = ::GetClipRgn(*pDC, hOuterClip) == 1;
        ::ExtSelectClipRgn(*pDC, hRgn, RGN_AND);
        clrFace = GetColorSet()->FillTab(pDC, rcBox, pItem);
        ::SelectClipRgn(*pDC, bOuterClip ? hOuterClip : nullptr);
        ::DeleteObject(hOuterClip);
    }
    ::DeleteObject(hRgn);
    return clrFace;
}

void CXTPTabAppearance::DrawTurnedPolyline(CDC* pDC, const CRect& rcItem, int nPosition, const POINT* pPoints,
                                           int nCount, COLORREF clr)
{
    if (clr == clrNone || nCount < 2)
        return;
    CXTPPenDC pen(*pDC, clr);
    CPoint pt = TurnPoint(rcItem, pPoints[0].x, pPoints[0].y, nPosition);
    pDC->MoveTo(pt);
    for (int i = 1; i < nCount; ++i) {
        pt = TurnPoint(rcItem, pPoints[i].x, pPoints[i].y, nPosition);
        pDC->LineTo(pt);
    }
    pDC->SetPixel(pt, clr);
}

// ---- Style 0 and 1 --------------------------------------------------------------------

CRect CXTPTabAppearanceClassic::GetClientMargin(CXTPTabManager* pTabManager)
{
    return GetStyledPaneMargin(pTabManager);
}

CRect CXTPTabAppearanceClassic::FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    CXTPTabColorSet* pColorSet = GetColorSet();
    const CRect rcHeader = GetHeaderRect(rcControl, pTabManager);
    pColorSet->FillHeader(pDC, rcHeader, pTabManager);
    const CRect rc = GetClientRect(rcControl, pTabManager);
    const COLORREF clrHighlight = pColorSet->m_clr3DHighlight, clrDark = pColorSet->m_clr3DDarkShadow,
                   clrShadow = pColorSet->m_clr3DShadow;
    if (m_pPaintManager->m_nFrameStyle == xtpTabFrameBorder) {
        pColorSet->FillClient(pDC, rc, pTabManager);
        DrawFrame(pDC, rc, clrHighlight, clrDark);
        if (clrShadow != clrNone) {
            pDC->FillSolidRect(rc.right - 2, rc.top + 1, 1, rc.Height() - 2, clrShadow);
            pDC->FillSolidRect(rc.left + 1, rc.bottom - 2, rc.Width() - 2, 1, clrShadow);
        }
    } else if (m_pPaintManager->m_nFrameStyle == xtpTabFrameSingleLine) {
        const int nPosition = GetPosition();
        if (nPosition == xtpTabPositionTop || nPosition == xtpTabPositionLeft) {
            DrawEdgeLine(pDC, rc, nPosition, clrHighlight, clrNone);
        } else {
            DrawEdgeLine(pDC, rc, nPosition, clrNone, clrDark);
            CRect rcInner = rc;
            rcInner.DeflateRect(1, 1);
            DrawEdgeLine(pDC, rcInner, nPosition, clrNone, clrShadow);
        }
    }
    return rcHeader;
}

void CXTPTabAppearanceClassic::DrawClassicTab(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabColorSet* pColorSet = GetColorSet();
    const int nPosition = GetPosition();
    CRect rc = pItem->GetRect();
    if (pItem->IsSelected()) {
        if (nPosition == xtpTabPositionTop || nPosition == xtpTabPositionLeft)
            InflateTurned(rc, 2, 2, 2, 0, nPosition);
        else
            rc.InflateRect(2, 2);
    }
    const COLORREF clrFace = pColorSet->FillTab(pDC, rc, pItem);
    const int w = Along(rc, nPosition), h = Across(rc, nPosition);
    const COLORREF clrHighlight = pColorSet->m_clr3DHighlight;
    // Leading side and outer edge raised, trailing side in the two shadows, its corner cut.
    DrawTurnedLine(pDC, rc, nPosition, 0, h - 1, 0, 2, clrHighlight);
    DrawTurnedLine(pDC, rc, nPosition, 1, 1, 1, 1, clrHighlight);
    DrawTurnedLine(pDC, rc, nPosition, 2, 0, w - 3, 0, clrHighlight);
    DrawTurnedLine(pDC, rc, nPosition, w - 2, 1, w - 2, 1, pColorSet->m_clr3DDarkShadow);
    DrawTurnedLine(pDC, rc, nPosition, w - 1, 2, w - 1, h - 1, pColorSet->m_clr3DDarkShadow);
    DrawTurnedLine(pDC, rc, nPosition, w - 2, 2, w - 2, h - 1, pColorSet->m_clr3DShadow);
    if (pItem->IsSelected())
        DrawTurnedLine(pDC, rc, nPosition, 1, h - 1, w - 3, h - 1, clrFace);
    m_pPaintManager->DrawTabText(pDC, pItem, pItem->GetRect(), TRUE);
}

void CXTPTabAppearanceClassic::DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem)
{
    DrawClassicTab(pDC, pItem);
}

void CXTPTabAppearanceHotClassic::DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem)
{
    if (pItem->IsSelected() || pItem->IsHighlighted())
        DrawClassicTab(pDC, pItem);
    else
        m_pPaintManager->DrawTabText(pDC, pItem, pItem->GetRect(), TRUE);
}

// ---- Style 6 and 2 --------------------------------------------------------------------

CRect CXTPTabAppearanceBoxed::FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    return CXTPTabAppearance::FillTabControl(pTabManager, pDC, rcControl);
}

void CXTPTabAppearanceBoxed::DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem)
{
    const int nPosition = GetPosition();
    CRect rc = pItem->GetRect();
    InflateTurned(rc, 0, 0, 0, 1, nPosition);
    GetColorSet()->FillTab(pDC, rc, pItem);
    if (pItem->IsSelected())
        InflateTurned(rc, 0, 0, 0, 1, nPosition);
    const COLORREF clrFrame = GetColorSet()->m_clrFrameBorder;
    DrawFrame(pDC, rc, clrFrame, clrFrame);
    m_pPaintManager->DrawTabText(pDC, pItem, pItem->GetRect(), TRUE);
}

void CXTPTabAppearanceRounded::DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabColorSet* pColorSet = GetColorSet();
    const int nPosition = GetPosition();
    const CRect rcItem = pItem->GetRect();
    const COLORREF clrFrame = pColorSet->m_clrFrameBorder;

    CRect rcFrame = rcItem;
    InflateTurned(rcFrame, 0, 0, 0, 1, nPosition);
    if (!m_bCornerSmoothing && !pItem->IsSelected()) {
        // The unselected tab closes the line along the client.
        CRect rcEdge = rcItem;
        DrawEdgeLine(pDC, rcEdge, (nPosition + 2) % 4, clrFrame, clrFrame);
    }
    if (m_bCornerSmoothing && pItem->IsSelected())
        InflateTurned(rcFrame, 0, 0, 0, 1, nPosition);

    const int nSaved = pDC->SaveDC();
    pDC->ExcludeClipRect(rcFrame.left, rcFrame.top, rcFrame.left + 1, rcFrame.top + 1);
    pDC->ExcludeClipRect(rcFrame.right - 1, rcFrame.top, rcFrame.right, rcFrame.top + 1);
    pDC->ExcludeClipRect(rcFrame.left, rcFrame.bottom - 1, rcFrame.left + 1, rcFrame.bottom);
    pDC->ExcludeClipRect(rcFrame.right - 1, rcFrame.bottom - 1, rcFrame.right, rcFrame.bottom);
    CRect rcFace = rcFrame;
    DeflateTurned(rcFace, 1, 1, 1, 0, nPosition);
    pColorSet->FillTab(pDC, rcFace, pItem);
    if (m_bCornerSmoothing)
        DrawFrame(pDC, rcFrame, clrFrame, clrFrame);
    pDC->RestoreDC(nSaved);

    if (m_bCornerSmoothing) {
        // The two outer corners: each pixel averaged with a neighbour (given for the top position).
        const int w = Along(rcItem, nPosition);
        static const int pairs[10][4] = {{0, 1, 0, -1}, {1, 0, -1, 0}, {-1, 0, 1, 0}, {0, 1, 0, -1},
                                         {1, 1, -1, 0}, {-1, 1, 1, 0}, {2, 1, -1, 0}, {1, 2, 0, -1},
                                         {-2, 1, 1, 0}, {-1, 2, 0, -1}};
        // u of the right-hand entries counts back from R' = R + 1.
        static const bool fromRight[10] = {false, false, true, true, false, true, false, false, true, true};
        static const int rightBase[10] = {0, 0, -2, -1, 0, -2, 0, 0, -3, -2};
        POINT points[20];
        for (int i = 0; i < 10; ++i) {
            const int u = fromRight[i] ? w + 1 + rightBase[i] : pairs[i][0];
            const int v = pairs[i][1];
            const CPoint pt = TurnPoint(rcItem, u, v, nPosition);
            const CPoint ptNext = TurnPoint(rcItem, u + pairs[i][2], v + pairs[i][3], nPosition);
            points[2 * i] = pt;
            points[2 * i + 1] = CPoint(ptNext.x - pt.x, ptNext.y - pt.y);
        }
        XTPDrawHelpers()->AveragePixels(pDC, points, 20);
    } else {
        InflateTurned(rcFrame, 0, 0, 0, 2, nPosition);
        CXTPPenDC pen(*pDC, clrFrame);
        HGDIOBJ hOldBrush = ::SelectObject(*pDC, ::GetStockObject(NULL_BRUSH));
        pDC->RoundRect(rcFrame.left, rcFrame.top, rcFrame.right, rcFrame.bottom, 6, 6);
        ::SelectObject(*pDC, hOldBrush);
    }
    m_pPaintManager->DrawTabText(pDC, pItem, rcItem, TRUE);
}

// ---- Style 3 --------------------------------------------------------------------------

CRect CXTPTabAppearanceSlanted::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.left += m_nTextHeight;
    return rc;
}

CRect CXTPTabAppearanceSlanted::GetClientMargin(CXTPTabManager* pTabManager)
{
    return GetStyledPaneMargin(pTabManager);
}

CRect CXTPTabAppearanceSlanted::FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    const COLORREF clrFrame = GetColorSet()->m_clrSelectedOutline;
    return FillHeaderAndFrame(pTabManager, pDC, rcControl, clrFrame, clrFrame);
}

void CXTPTabAppearanceSlanted::DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabColorSet* pColorSet = GetColorSet();
    const int nPosition = GetPosition();
    const CRect rc = pItem->GetRect();
    const int w = Along(rc, nPosition), h = Across(rc, nPosition);

    // The trailing side upright, the leading side slanting out over the whole height.
    const POINT face[4] = {{w - 1, h - 1}, {w - 1, 2}, {4, 2}, {8 - h, h - 2}};
    const COLORREF clrFace = FillPolygonTab(pDC, pItem, face, 4);

    COLORREF clrOutline = pColorSet->m_clrNormalOutline, clrInner1 = pColorSet->m_clrInnerLine1,
             clrInner2 = pColorSet->m_clrInnerLine2;
    if (pItem->IsSelected()) {
        clrOutline = pColorSet->m_clrSelectedOutline;
        clrInner1 = clrInner2 = 0xFFFFFF;
    } else if (pItem->IsHighlighted() && m_bHotOutline) {
        clrOutline = clrInner1 = clrInner2 = pColorSet->m_clrButtonBorder.clrDark;
    }
    auto polyline = [&](const POINT* pts, int n, COLORREF clr) { DrawTurnedPolyline(pDC, rc, nPosition, pts, n, clr); };
    const POINT outline[7] = {{w, h - 2}, {w, 2}, {w - 2, 0}, {7, 0}, {2, 2}, {6 - h, h - 2}, {4 - h, h - 2}};
    const POINT inner1[3] = {{w - 1, h - 2}, {w - 1, 2}, {w - 3, 0}};
    const POINT inner2[4] = {{w - 3, 1}, {6, 1}, {1, 4}, {6 - h, h - 1}};
    polyline(outline, 7, clrOutline);
    polyline(inner1, 3, clrInner1);
    polyline(inner2, 4, clrInner2);
    if (pItem->IsSelected())
        DrawTurnedLine(pDC, rc, nPosition, 5 - h, h - 1, w, h - 1, clrFace);
    m_pPaintManager->DrawTabText(pDC, pItem, rc, TRUE);
}

// ---- Style 4 --------------------------------------------------------------------------

CRect CXTPTabAppearanceFlatButtons::FillTabControl(CXTPTabManager* pTabManager, CDC* /*pDC*/, CRect rcControl)
{
    return GetHeaderRect(rcControl, pTabManager);
}

void CXTPTabAppearanceFlatButtons::DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem)
{
    GetColorSet()->FillButtonTab(pDC, pItem->GetRect(), pItem);
    m_pPaintManager->DrawTabText(pDC, pItem, pItem->GetRect(), TRUE);
}

// ---- Style 5 --------------------------------------------------------------------------

CRect CXTPTabAppearanceRaised::FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    // A raised frame: light edge top-left, the selected text's colour bottom-right.
    return FillHeaderAndFrame(pTabManager, pDC, rcControl, GetColorSet()->m_clrBorderHighlight,
                              GetColorSet()->m_clrSelectedText);
}

void CXTPTabAppearanceRaised::DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabColorSet* pColorSet = GetColorSet();
    const int nPosition = GetPosition();
    const CRect rcItem = pItem->GetRect();
    if (pItem->IsSelected()) {
        CRect rc = rcItem;
        InflateTurned(rc, 0, 0, 0, 1, nPosition);
        pColorSet->FillTab(pDC, rc, pItem);
        DrawFrame(pDC, rc, pColorSet->m_clrBorderHighlight, pColorSet->m_clrSelectedText);
    } else {
        const COLORREF clrLine = pColorSet->m_clrFrameBorder;
        if (IsHorizontal(nPosition))
            pDC->FillSolidRect(rcItem.right - 1, rcItem.top + 2, 1, rcItem.Height() - 4, clrLine);
        else
            pDC->FillSolidRect(rcItem.left + 2, rcItem.bottom - 1, rcItem.Width() - 4, 1, clrLine);
    }
    m_pPaintManager->DrawTabText(pDC, pItem, rcItem, TRUE);
}

// ---- Style 7 --------------------------------------------------------------------------

CRect CXTPTabAppearanceTrapezoid::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.left += m_nTextHeight / 2;
    rc.right += m_nTextHeight / 2;
    return rc;
}

void CXTPTabAppearanceTrapezoid::DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabColorSet* pColorSet = GetColorSet();
    const int nPosition = GetPosition();
    const CRect rcItem = pItem->GetRect();
    // Worked in the top position: the far side is one row in, both sides slant out by s.
    const int w = Along(rcItem, nPosition);
    const int hb = Across(rcItem, nPosition) - 1;  // the client-side row
    const int s = hb / 2;
    const int u0 = -(s / 2);
    const int vFar = hb - 2 * s;
    const POINT face[4] = {{u0, hb}, {u0 + s, vFar}, {u0 + w, vFar}, {u0 + w + s, hb}};
    const COLORREF clrFace = FillPolygonTab(pDC, pItem, face, 4);

    const CXTPPaintManagerColor* edges = pItem->IsSelected() ? pColorSet->m_clrSelectedEdges : pColorSet->m_clrNormalEdges;
    const BOOL bBottom = nPosition == xtpTabPositionBottom;
    const COLORREF clrOuterFar = bBottom ? edges[1] : edges[0];
    const COLORREF clrInnerFar = bBottom ? edges[5] : edges[3];
    DrawTurnedLine(pDC, rcItem, nPosition, u0, hb, u0 + s, vFar, edges[0]);
    DrawTurnedLine(pDC, rcItem, nPosition, u0 + s, vFar, u0 + w, vFar, clrOuterFar);
    DrawTurnedLine(pDC, rcItem, nPosition, u0 + w, vFar, u0 + w + s, hb, edges[2]);
    DrawTurnedLine(pDC, rcItem, nPosition, u0 + 1, hb, u0 + s + 1, vFar + 1, edges[3]);
    DrawTurnedLine(pDC, rcItem, nPosition, u0 + s + 1, vFar + 1, u0 + w - 1, vFar + 1, clrInnerFar);
    DrawTurnedLine(pDC, rcItem, nPosition, u0 + w - 1, vFar + 1, u0 + w + s - 1, hb, edges[4]);
    if (pItem->IsSelected())
        DrawTurnedLine(pDC, rcItem, nPosition, u0, hb, u0 + w + s, hb, clrFace);
    m_pPaintManager->DrawTabText(pDC, pItem, rcItem, TRUE);
}

// ---- Style 8 --------------------------------------------------------------------------

CRect CXTPTabAppearanceStacked::GetHeaderRect(CRect /*rcControl*/, CXTPTabManager* /*pTabManager*/)
{
    return CRect(0, 0, 0, 0);
}

CRect CXTPTabAppearanceStacked::GetClientRect(CRect rcControl, CXTPTabManager* pTabManager)
{
    // The space between the selected bar and the next one.
    CXTPTabManagerItem* pSelected = pTabManager->GetSelectedItem();
    const int nInset = m_pPaintManager->m_nFrameStyle == xtpTabFrameNone ? 0 : 1;
    CRect rc(rcControl.left + nInset, rcControl.top + 1, rcControl.right - nInset, rcControl.bottom - 1);
    if (!pSelected)
        return rc;
    rc.top = pSelected->GetRect().bottom;
    CXTPTabManagerItem* pNext = pTabManager->GetItem(pSelected->GetIndex() + 1);
    if (pNext)
        rc.bottom = pNext->GetRect().top;
    return rc;
}

void CXTPTabAppearanceStacked::AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient)
{
    CXTPTabPaintManager::DeflateOriented(rcClient, m_pPaintManager->m_rcControlMargin, xtpTabPositionTop);
    rcClient = GetClientRect(rcClient, pTabManager);
}

void CXTPTabAppearanceStacked::RepositionTabs(CXTPTabManager* pTabManager, CDC* /*pDC*/, CRect rc)
{
    pTabManager->m_rcHeaderRect.SetRectEmpty();
    CXTPTabPaintManager::DeflateOriented(rc, m_pPaintManager->m_rcControlMargin, xtpTabPositionTop);
    const int nCount = pTabManager->GetItemCount();
    const int h = GetTabHeight(pTabManager);
    CXTPTabManagerItem* pSelected = pTabManager->GetSelectedItem();
    const int nSelected = pSelected ? pSelected->GetIndex() : nCount - 1;
    int y = rc.top + 1;
    for (int i = 0; i < nCount; ++i) {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        if (i > nSelected) {
            // Bars after the selected one sit at the bottom, each below the previous.
            const int nFromBottom = rc.bottom - 1 - (nCount - i) * h;
            y = std::min(std::max(y, nFromBottom), static_cast<int>(rc.bottom) - 1 - h);
        }
        pItem->SetRect(CRect(rc.left + 1, y, rc.right - 1, y + h));
        pItem->SetLength(h);
        y += h;
    }
}

void CXTPTabAppearanceStacked::DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    CXTPTabColorSet* pColorSet = GetColorSet();
    pDC->FillSolidRect(rc, pColorSet->m_clrControlFace);
    CXTPTabPaintManager::DeflateOriented(rc, m_pPaintManager->m_rcControlMargin, xtpTabPositionTop);
    const COLORREF clrFrame = pColorSet->m_clrFrameBorder;
    if (m_pPaintManager->m_nFrameStyle == xtpTabFrameNone) {
        if (pTabManager->GetItemCount() > 0)
            pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, clrFrame);
    } else {
        DrawFrame(pDC, rc, clrFrame, clrFrame);
    }
    pDC->SetBkMode(TRANSPARENT);
    for (int i = pTabManager->GetItemCount() - 1; i >= 0; --i) {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        const CRect rcItem = pItem->GetRect();
        if (pItem->IsVisible() && pDC->RectVisible(rcItem))
            DrawSingleTab(pDC, pItem);
    }
}

void CXTPTabAppearanceStacked::DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabColorSet* pColorSet = GetColorSet();
    const CRect rc = pItem->GetRect();
    pColorSet->FillTab(pDC, rc, pItem);
    DrawFrame(pDC, rc, pColorSet->m_clrBorderHighlight, pColorSet->m_clrFrameBorder);
    const COLORREF clrGrip = GetManagedColor(38);
    for (int y = rc.top + 4; y < rc.bottom - 3; y += 2)
        pDC->FillSolidRect(rc.right - 7, y, 3, 1, clrGrip);
    CRect rcText = rc;
    rcText.right -= 7;
    m_pPaintManager->DrawTabText(pDC, pItem, rcText, TRUE);
}
