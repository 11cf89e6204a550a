// Device contexts: the DC map, attribute and output DCs, and the drawing calls.
#include "CDC.h"

#include "CWnd.h"
#include "HandleMap.h"

struct DCMapAccess {
    static void Forget(CDC* dc) { dc->m_hDC = dc->m_hAttribDC = nullptr; }
};

namespace {

HandleMap<HDC, CDC>& Map()
{
    thread_local HandleMap<HDC, CDC> map(&DCMapAccess::Forget);
    return map;
}

// Queries go to the attribute DC; a DC without one answers from its output DC.
HDC Attrib(const CDC& dc)
{
    return dc.m_hAttribDC ? dc.m_hAttribDC : dc.m_hDC;
}

// The region that a frame of the given thickness inside rect covers.
void FrameRegion(CRgn& frame, LPCRECT lpRect, SIZE size)
{
    CRect inner(*lpRect);
    inner.DeflateRect(size.cx, size.cy);
    inner.IntersectRect(inner, lpRect);
    CRgn outside;
    CRgn inside;
    outside.CreateRectRgnIndirect(lpRect);
    inside.CreateRectRgnIndirect(&inner);
    frame.CreateRectRgn(0, 0, 0, 0);
    frame.CombineRgn(&outside, &inside, RGN_XOR);
}

} // namespace

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

template <class T, class Set>
T CDC::SetBoth(Set set)
{
    T old{};
    if (m_hDC && m_hDC != m_hAttribDC)
        old = set(m_hDC);
    if (m_hAttribDC)
        old = set(m_hAttribDC);
    return old;
}

// ---- Handles ---------------------------------------------------------------------------

CDC::~CDC()
{
    if (m_hDC)
        DeleteDC();
}

CDC* CDC::FromHandle(HDC hDC)
{
    return Map().FromHandle(hDC, [](HDC handle) {
        auto* dc = new CDC;
        dc->m_hDC = dc->m_hAttribDC = handle;
        return dc;
    });
}

void CDC::DeleteTempMap()
{
    Map().DeleteTemp();
}

BOOL CDC::Attach(HDC hDC)
{
    if (!Map().Attach(hDC, m_hDC, this))
        return FALSE;
    m_hAttribDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    ReleaseAttribDC();
    HDC hDC = Map().Detach(m_hDC, this);
    ReleaseOutputDC();
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    HDC hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    if (!Map().Adopt(hDC, m_hDC, this, ::DeleteDC))
        return FALSE;
    m_hAttribDC = hDC;
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    HDC hDC = Detach();
    return hDC ? ::DeleteDC(hDC) : FALSE;
}

void CDC::SetAttribDC(HDC hDC)
{
    m_hAttribDC = hDC;
}

void CDC::SetOutputDC(HDC hDC)
{
    const bool permanent = m_hDC && Map().LookupPermanent(m_hDC) == this;
    if (permanent)
        Map().RemovePermanent(m_hDC, this);
    m_hDC = hDC;
    if (permanent && hDC)
        Map().SetPermanent(hDC, this);
}

void CDC::ReleaseAttribDC()
{
    m_hAttribDC = nullptr;
}

void CDC::ReleaseOutputDC()
{
    m_hDC = nullptr;
}

int CDC::SaveDC()
{
    int saved = 0;
    if (m_hDC && m_hDC != m_hAttribDC)
        saved = ::SaveDC(m_hDC);
    if (m_hAttribDC)
        saved = ::SaveDC(m_hAttribDC);
    return saved;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL ok = TRUE;
    if (m_hDC && m_hDC != m_hAttribDC)
        ok = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC)
        ok = ::RestoreDC(m_hAttribDC, nSavedDC) && ok;
    return ok;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(Attrib(*this), nIndex);
}

int CDC::StartDoc(LPDOCINFOA lpDocInfo)
{
    return ::StartDocA(m_hDC, lpDocInfo);
}

int CDC::StartPage()
{
    return ::StartPage(m_hDC);
}

int CDC::EndPage()
{
    return ::EndPage(m_hDC);
}

int CDC::EndDoc()
{
    return ::EndDoc(m_hDC);
}

int CDC::AbortDoc()
{
    return ::AbortDoc(m_hDC);
}

CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

// ---- Objects ---------------------------------------------------------------------------

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    if (!pObject || !pObject->m_hObject)
        return nullptr;
    HGDIOBJ old = nullptr;
    if (m_hDC && m_hDC != m_hAttribDC)
        old = ::SelectObject(m_hDC, pObject->m_hObject);
    if (m_hAttribDC) {
        HGDIOBJ attribOld = ::SelectObject(m_hAttribDC, pObject->m_hObject);
        if (!old)
            old = attribOld;
    }
    return CGdiObject::FromHandle(old);
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return dynamic_cast<CPen*>(SelectObject(static_cast<CGdiObject*>(pPen)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return dynamic_cast<CBrush*>(SelectObject(static_cast<CGdiObject*>(pBrush)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return dynamic_cast<CFont*>(SelectObject(static_cast<CGdiObject*>(pFont)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return dynamic_cast<CBitmap*>(SelectObject(static_cast<CGdiObject*>(pBitmap)));
}

int CDC::SelectObject(CRgn* pRgn)
{
    return SelectClipRgn(pRgn);
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ stock = ::GetStockObject(nIndex);
    HGDIOBJ old = nullptr;
    if (stock && m_hDC && m_hDC != m_hAttribDC)
        old = ::SelectObject(m_hDC, stock);
    if (stock && m_hAttribDC) {
        HGDIOBJ attribOld = ::SelectObject(m_hAttribDC, stock);
        if (!old)
            old = attribOld;
    }
    return CGdiObject::FromHandle(old);
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

// ---- Attributes ------------------------------------------------------------------------

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return SetBoth<COLORREF>([&](HDC dc) { return ::SetTextColor(dc, crColor); });
}

COLORREF CDC::GetTextColor() const
{
    return ::GetTextColor(Attrib(*this));
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return SetBoth<COLORREF>([&](HDC dc) { return ::SetBkColor(dc, crColor); });
}

COLORREF CDC::GetBkColor() const
{
    return ::GetBkColor(Attrib(*this));
}

int CDC::SetBkMode(int nBkMode)
{
    return SetBoth<int>([&](HDC dc) { return ::SetBkMode(dc, nBkMode); });
}

int CDC::GetBkMode() const
{
    return ::GetBkMode(Attrib(*this));
}

int CDC::SetROP2(int nDrawMode)
{
    return SetBoth<int>([&](HDC dc) { return ::SetROP2(dc, nDrawMode); });
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    return SetBoth<UINT>([&](HDC dc) { return ::SetTextAlign(dc, nFlags); });
}

int CDC::SetMapMode(int nMapMode)
{
    return SetBoth<int>([&](HDC dc) { return ::SetMapMode(dc, nMapMode); });
}

int CDC::GetMapMode() const
{
    return ::GetMapMode(Attrib(*this));
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    return SetBoth<CPoint>([&](HDC dc) {
        POINT old = {};
        ::SetViewportOrgEx(dc, x, y, &old);
        return CPoint(old);
    });
}

CPoint CDC::SetViewportOrg(POINT point)
{
    return SetViewportOrg(point.x, point.y);
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    return SetBoth<CPoint>([&](HDC dc) {
        POINT old = {};
        ::OffsetViewportOrgEx(dc, nWidth, nHeight, &old);
        return CPoint(old);
    });
}

CPoint CDC::GetViewportOrg() const
{
    POINT origin = {};
    ::GetViewportOrgEx(Attrib(*this), &origin);
    return origin;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    return SetBoth<CPoint>([&](HDC dc) {
        POINT old = {};
        ::SetWindowOrgEx(dc, x, y, &old);
        return CPoint(old);
    });
}

CPoint CDC::SetWindowOrg(POINT point)
{
    return SetWindowOrg(point.x, point.y);
}

CPoint CDC::GetWindowOrg() const
{
    POINT origin = {};
    ::GetWindowOrgEx(Attrib(*this), &origin);
    return origin;
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT old = {};
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::SetBrushOrg(POINT point)
{
    return SetBrushOrg(point.x, point.y);
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    ::LPtoDP(Attrib(*this), lpPoints, nCount);
}

void CDC::LPtoDP(LPRECT lpRect) const
{
    ::LPtoDP(Attrib(*this), reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    ::DPtoLP(Attrib(*this), lpPoints, nCount);
}

void CDC::DPtoLP(LPRECT lpRect) const
{
    ::DPtoLP(Attrib(*this), reinterpret_cast<LPPOINT>(lpRect), 2);
}

// ---- Clipping --------------------------------------------------------------------------

int CDC::SelectClipRgn(CRgn* pRgn)
{
    HRGN region = pRgn ? static_cast<HRGN>(*pRgn) : nullptr;
    int result = ERROR;
    if (m_hDC && m_hDC != m_hAttribDC)
        result = ::SelectClipRgn(m_hDC, region);
    if (m_hAttribDC)
        result = ::SelectClipRgn(m_hAttribDC, region);
    return result;
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return SetBoth<int>([&](HDC dc) { return ::IntersectClipRect(dc, x1, y1, x2, y2); });
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    return SetBoth<int>([&](HDC dc) { return ::ExcludeClipRect(dc, x1, y1, x2, y2); });
}

int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::GetClipBox(LPRECT lpRect) const
{
    return ::GetClipBox(m_hDC, lpRect);
}

BOOL CDC::PtVisible(int x, int y) const
{
    return ::PtVisible(m_hDC, x, y);
}

BOOL CDC::PtVisible(POINT point) const
{
    return PtVisible(point.x, point.y);
}

BOOL CDC::RectVisible(LPCRECT lpRect) const
{
    return ::RectVisible(m_hDC, lpRect);
}

// ---- Lines and shapes ------------------------------------------------------------------

CPoint CDC::MoveTo(int x, int y)
{
    return SetBoth<CPoint>([&](HDC dc) {
        POINT old = {};
        ::MoveToEx(dc, x, y, &old);
        return CPoint(old);
    });
}

CPoint CDC::MoveTo(POINT point)
{
    return MoveTo(point.x, point.y);
}

BOOL CDC::LineTo(int x, int y)
{
    // The attribute DC keeps the current position too.
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::LineTo(POINT point)
{
    return LineTo(point.x, point.y);
}

CPoint CDC::GetCurrentPosition() const
{
    POINT position = {};
    ::GetCurrentPositionEx(Attrib(*this), &position);
    return position;
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    return ::Polyline(m_hDC, lpPoints, nCount);
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
    return ::Polygon(m_hDC, lpPoints, nCount);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}

BOOL CDC::RoundRect(LPCRECT lpRect, POINT point)
{
    return RoundRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return ::Ellipse(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
    return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (pBrush)
        ::FillRect(m_hDC, lpRect, *pBrush);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (pBrush)
        ::FrameRect(m_hDC, lpRect, *pBrush);
}

void CDC::InvertRect(LPCRECT lpRect)
{
    ::InvertRect(m_hDC, lpRect);
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    return pRgn && pBrush && ::FillRgn(m_hDC, *pRgn, *pBrush);
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return pRgn && pBrush && ::FrameRgn(m_hDC, *pRgn, *pBrush, nWidth, nHeight);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    const COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    const RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    // The top-right and bottom-left corners belong to the bottom-right colour.
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
{
    return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
    return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}

void CDC::DrawFocusRect(LPCRECT lpRect)
{
    ::DrawFocusRect(m_hDC, lpRect);
}

CBrush* CDC::GetHalftoneBrush()
{
    // Made once for the process and kept to its end.
    static CBrush* const brush = [] {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i)
            pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
        HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        auto* made = new CBrush;
        made->m_hObject = bitmap ? ::CreatePatternBrush(bitmap) : nullptr;
        if (bitmap)
            ::DeleteObject(bitmap);
        return made;
    }();
    return brush;
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast)
{
    if (!lpRect)
        return;
    if (!pBrush)
        pBrush = GetHalftoneBrush();
    if (!pBrushLast)
        pBrushLast = pBrush;
    CRgn frame;
    FrameRegion(frame, lpRect, size);
    const int saved = ::SaveDC(m_hDC);
    auto invert = [&](CRgn& region, CBrush* brush) {
        ::SelectClipRgn(m_hDC, region);
        RECT box;
        ::GetClipBox(m_hDC, &box);
        HGDIOBJ old = ::SelectObject(m_hDC, *brush);
        ::PatBlt(m_hDC, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
        ::SelectObject(m_hDC, old);
    };
    if (!lpRectLast) {
        invert(frame, pBrush);
    } else {
        CRgn last;
        FrameRegion(last, lpRectLast, sizeLast);
        if (pBrush->m_hObject == pBrushLast->m_hObject) {
            // One pass: where both frames lie the pixels stay as they are.
            CRgn change;
            change.CreateRectRgn(0, 0, 0, 0);
            change.CombineRgn(&frame, &last, RGN_XOR);
            invert(change, pBrush);
        } else {
            invert(last, pBrushLast);
            invert(frame, pBrush);
        }
    }
    ::RestoreDC(m_hDC, saved);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return ::DrawIcon(m_hDC, x, y, hIcon);
}

BOOL CDC::DrawIcon(POINT point, HICON hIcon)
{
    return DrawIcon(point.x, point.y, hIcon);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateA(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateA(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, const char* lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    HBRUSH hBrush)
{
    return ::DrawStateA(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(lpszText), static_cast<WPARAM>(nTextLen),
                        pt.x, pt.y, size.cx, size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

// ---- Pixels and blocks -----------------------------------------------------------------

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    return ::SetPixel(m_hDC, x, y, crColor);
}

COLORREF CDC::SetPixel(POINT point, COLORREF crColor)
{
    return SetPixel(point.x, point.y, crColor);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return ::GetPixel(m_hDC, x, y);
}

COLORREF CDC::GetPixel(POINT point) const
{
    return GetPixel(point.x, point.y);
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    return pSrcDC && ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc,
                                  nSrcWidth, nSrcHeight, blend);
}

BOOL CDC::GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode)
{
    return ::GradientFill(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode);
}

// ---- Text ------------------------------------------------------------------------------

BOOL CDC::TextOut(int x, int y, const char* lpszString, int nCount)
{
    return ::TextOutA(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, str, str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const char* lpszString, UINT nCount,
                     const int* lpDxWidths)
{
    return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

CSize CDC::TabbedTextOut(int x, int y, const char* lpszString, int nCount, int nTabPositions,
                         const int* lpnTabStopPositions, int nTabOrigin)
{
    const LONG extent = ::TabbedTextOutA(m_hDC, x, y, lpszString, nCount, nTabPositions, lpnTabStopPositions,
                                         nTabOrigin);
    return CSize(LOWORD(extent), HIWORD(extent));
}

int CDC::DrawText(const char* lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(str, str.GetLength(), lpRect, nFormat);
}

CSize CDC::GetTextExtent(const char* lpszString, int nCount) const
{
    SIZE size = {};
    ::GetTextExtentPoint32A(Attrib(*this), lpszString, nCount, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(str, str.GetLength());
}

CSize CDC::GetOutputTextExtent(const char* lpszString, int nCount) const
{
    SIZE size = {};
    ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(const CString& str) const
{
    return GetOutputTextExtent(str, str.GetLength());
}

BOOL CDC::GetTextMetrics(LPTEXTMETRICA lpMetrics) const
{
    return ::GetTextMetricsA(Attrib(*this), lpMetrics);
}

BOOL CDC::GetOutputTextMetrics(LPTEXTMETRICA lpMetrics) const
{
    return ::GetTextMetricsA(m_hDC, lpMetrics);
}

int CDC::GetTextFace(CString& rString) const
{
    char face[LF_FACESIZE] = {};
    const int length = ::GetTextFaceA(Attrib(*this), LF_FACESIZE, face);
    rString = face;
    return length;
}

// ---- Window DCs ------------------------------------------------------------------------

// A window's DC may be attached already: a window of its own DC (CS_OWNDC) hands out the
// same one each time, so a nested DC of that window uses it without taking it over.
void CDC::AttachWindowDC(HDC hDC)
{
    if (hDC && !Attach(hDC))
        m_hDC = m_hAttribDC = hDC;
}

HDC CDC::DetachWindowDC()
{
    HDC hDC = m_hDC;
    Detach();
    return hDC;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    if (m_hWnd)
        AttachWindowDC(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd) {
        DetachWindowDC();
        ::EndPaint(m_hWnd, &m_ps);
    }
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    AttachWindowDC(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (HDC hDC = DetachWindowDC())
        ::ReleaseDC(m_hWnd, hDC);
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    AttachWindowDC(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    if (HDC hDC = DetachWindowDC())
        ::ReleaseDC(m_hWnd, hDC);
}
