// GDI objects: ownership of the handle, the per-thread handle map and the creation calls.
#include "CGdiObject.h"

#include "AfxResource.h"
#include "CDC.h"
#include "HandleMap.h"

struct GdiObjectMapAccess {
    static void Forget(CGdiObject* object) { object->m_hObject = nullptr; }
};

namespace {

HandleMap<HGDIOBJ, CGdiObject>& Map()
{
    thread_local HandleMap<HGDIOBJ, CGdiObject> map(&GdiObjectMapAccess::Forget);
    return map;
}

CGdiObject* NewOfKind(HGDIOBJ hObject)
{
    switch (::GetObjectType(hObject)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return new CPen;
    case OBJ_BRUSH:
        return new CBrush;
    case OBJ_FONT:
        return new CFont;
    case OBJ_BITMAP:
        return new CBitmap;
    case OBJ_REGION:
        return new CRgn;
    default:
        return new CGdiObject;
    }
}

BOOL Keep(CGdiObject& object, HGDIOBJ hObject)
{
    return Map().Adopt(hObject, object.m_hObject, &object, ::DeleteObject);
}

} // namespace

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNCREATE(CPen, CGdiObject)
IMPLEMENT_DYNCREATE(CBitmap, CGdiObject)
IMPLEMENT_DYNCREATE(CBrush, CGdiObject)
IMPLEMENT_DYNCREATE(CFont, CGdiObject)
IMPLEMENT_DYNCREATE(CRgn, CGdiObject)

// ---- CGdiObject ------------------------------------------------------------------------

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return Map().FromHandle(hObject, [](HGDIOBJ handle) {
        CGdiObject* object = NewOfKind(handle);
        object->m_hObject = handle;
        return object;
    });
}

void CGdiObject::DeleteTempMap()
{
    Map().DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    return Map().Attach(hObject, m_hObject, this);
}

HGDIOBJ CGdiObject::Detach()
{
    return Map().Detach(m_hObject, this);
}

BOOL CGdiObject::DeleteObject()
{
    HGDIOBJ hObject = Detach();
    return hObject ? ::DeleteObject(hObject) : FALSE;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    // Stock objects are never deleted; DeleteObject on one does nothing.
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    return hObject && Attach(hObject);
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return m_hObject ? ::GetObjectA(m_hObject, nCount, lpObject) : 0;
}

UINT CGdiObject::GetObjectType() const
{
    return m_hObject ? ::GetObjectType(m_hObject) : 0;
}

BOOL CGdiObject::UnrealizeObject()
{
    return m_hObject ? ::UnrealizeObject(m_hObject) : FALSE;
}

// ---- CPen ------------------------------------------------------------------------------

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    CreatePen(nPenStyle, nWidth, crColor);
}

CPen* CPen::FromHandle(HPEN hPen)
{
    return dynamic_cast<CPen*>(CGdiObject::FromHandle(hPen));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Keep(*this, ::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lpLogPen)
{
    return lpLogPen && Keep(*this, ::CreatePenIndirect(lpLogPen));
}

int CPen::GetLogPen(LOGPEN* pLogPen) const
{
    return GetObject(sizeof(LOGPEN), pLogPen);
}

// ---- CBitmap ---------------------------------------------------------------------------

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap)
{
    return dynamic_cast<CBitmap*>(CGdiObject::FromHandle(hBitmap));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return Keep(*this, ::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return pDC && Keep(*this, ::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCEA(nIDResource));
}

BOOL CBitmap::LoadBitmap(const char* lpszResourceName)
{
    return Keep(*this, ::LoadBitmapA(AfxGetResourceHandle(), lpszResourceName));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    return GetObject(sizeof(BITMAP), pBitMap);
}

// ---- CBrush ----------------------------------------------------------------------------

CBrush::CBrush(COLORREF crColor)
{
    CreateSolidBrush(crColor);
}

CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return dynamic_cast<CBrush*>(CGdiObject::FromHandle(hBrush));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Keep(*this, ::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return Keep(*this, ::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return pBitmap && Keep(*this, ::CreatePatternBrush(*pBitmap));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    // The system keeps its colour brushes; deleting one later does nothing.
    return Keep(*this, ::GetSysColorBrush(nIndex));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    return lpLogBrush && Keep(*this, ::CreateBrushIndirect(lpLogBrush));
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const
{
    return GetObject(sizeof(LOGBRUSH), pLogBrush);
}

// ---- CFont -----------------------------------------------------------------------------

CFont* CFont::FromHandle(HFONT hFont)
{
    return dynamic_cast<CFont*>(CGdiObject::FromHandle(hFont));
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont)
{
    return lpLogFont && Keep(*this, ::CreateFontIndirectA(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, const char* lpszFacename)
{
    return Keep(*this, ::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                                     cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality,
                                     nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, const char* lpszFaceName, CDC* pDC)
{
    LOGFONTA logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    if (lpszFaceName)
        lstrcpynA(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    HDC screen = pDC ? nullptr : ::GetDC(nullptr);
    HDC hDC = pDC ? (pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC) : screen;
    // Tenths of a point to pixels: a negative height asks for the character height.
    logFont.lfHeight = -MulDiv(nPointSize, ::GetDeviceCaps(hDC, LOGPIXELSY), 720);
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONTA* pLogFont) const
{
    return GetObject(sizeof(LOGFONTA), pLogFont);
}

// ---- CRgn ------------------------------------------------------------------------------

CRgn* CRgn::FromHandle(HRGN hRgn)
{
    return dynamic_cast<CRgn*>(CGdiObject::FromHandle(hRgn));
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return Keep(*this, ::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return lpRect && Keep(*this, ::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return Keep(*this, ::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return Keep(*this, ::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode)
{
    return lpPoints && nCount > 0 && Keep(*this, ::CreatePolygonRgn(lpPoints, nCount, nMode));
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    if (!m_hObject || !pRgn1)
        return ERROR;
    return ::CombineRgn(*this, *pRgn1, pRgn2 ? static_cast<HRGN>(*pRgn2) : nullptr, nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc)
{
    return CombineRgn(pRgnSrc, nullptr, RGN_COPY);
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    ::SetRectRgn(*this, x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT lpRect)
{
    ::SetRectRgn(*this, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::OffsetRgn(int x, int y)
{
    return ::OffsetRgn(*this, x, y);
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    return ::GetRgnBox(*this, lpRect);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return ::PtInRegion(*this, x, y);
}

BOOL CRgn::PtInRegion(POINT point) const
{
    return ::PtInRegion(*this, point.x, point.y);
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
    return ::RectInRegion(*this, lpRect);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const
{
    return pRgn && ::EqualRgn(*this, *pRgn);
}
