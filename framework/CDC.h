// Device contexts: CDC with its attribute DC, and the paint, client and window DCs of a window.
#pragma once

#include <windows.h>

#include "CGdiObject.h"
#include "CObject.h"
#include "CRect.h"
#include "CString.h"

class CWnd;

// Drawing goes to the output DC (m_hDC); what is asked of the DC (text size and metrics,
// colours, the mapping mode) comes from the attribute DC (m_hAttribDC). Both are one DC
// unless a caller sets them apart (previews and metafiles do); attribute changes reach both.
class CDC : public CObject {
    DECLARE_DYNCREATE(CDC)

public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    ~CDC() override;  // deletes a DC it created or was attached to

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // Per thread, like the window map; temporaries live until the next idle step.
    static CDC* FromHandle(HDC hDC);
    static void DeleteTempMap();
    BOOL Attach(HDC hDC);  // sets both DCs
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* pDC);  // null: compatible with the screen
    BOOL DeleteDC();

    virtual void SetAttribDC(HDC hDC);
    virtual void SetOutputDC(HDC hDC);
    virtual void ReleaseAttribDC();
    virtual void ReleaseOutputDC();

    int SaveDC();
    BOOL RestoreDC(int nSavedDC);
    int GetDeviceCaps(int nIndex) const;

    // A print job on the output DC; each call gives the system's answer (above 0 for success).
    int StartDoc(LPDOCINFOA lpDocInfo);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    // Set by whoever prints through this DC, so drawing code can tell paper from screen.
    BOOL IsPrinting() const { return m_bPrinting; }
    BOOL m_bPrinting = FALSE;
    CWnd* GetWindow() const;

    // Objects. Each returns the object it replaced (temporary unless someone owns it).
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CGdiObject* SelectObject(CGdiObject* pObject);
    int SelectObject(CRgn* pRgn);  // the region's kind, as SelectClipRgn
    CGdiObject* SelectStockObject(int nIndex);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    // Attributes: set on both DCs, read from the attribute DC.
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const;
    int SetBkMode(int nBkMode);
    int GetBkMode() const;
    int SetROP2(int nDrawMode);
    UINT SetTextAlign(UINT nFlags);
    int SetMapMode(int nMapMode);
    int GetMapMode() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point);
    CPoint OffsetViewportOrg(int nWidth, int nHeight);
    CPoint GetViewportOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point);
    CPoint GetWindowOrg() const;
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT point);
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
    void LPtoDP(LPRECT lpRect) const;
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
    void DPtoLP(LPRECT lpRect) const;

    // Clipping, on the output DC.
    int SelectClipRgn(CRgn* pRgn);  // null removes the clip region
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT lpRect);
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(LPCRECT lpRect);
    int GetClipBox(LPRECT lpRect) const;
    BOOL PtVisible(int x, int y) const;
    BOOL PtVisible(POINT point) const;
    BOOL RectVisible(LPCRECT lpRect) const;

    // Lines and shapes.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point);
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point);
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const POINT* lpPoints, int nCount);
    BOOL Polygon(const POINT* lpPoints, int nCount);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect);
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    BOOL RoundRect(LPCRECT lpRect, POINT point);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT lpRect);
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    void InvertRect(LPCRECT lpRect);
    BOOL FillRgn(CRgn* pRgn, CBrush* pBrush);
    BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight);
    // One colour, through the background colour (which is left as it was).
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    // One-pixel frame: top and left in clrTopLeft, bottom and right in clrBottomRight.
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState);
    void DrawFocusRect(LPCRECT lpRect);
    // The tracking frame of a drag: XORs the new frame (size thick) with the halftone brush,
    // erasing the last one (lpRectLast, sizeLast) in the same pass.
    void DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush = nullptr,
                      CBrush* pBrushLast = nullptr);
    static CBrush* GetHalftoneBrush();
    BOOL DrawIcon(int x, int y, HICON hIcon);
    BOOL DrawIcon(POINT point, HICON hIcon);
    BOOL DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, const char* lpszText, UINT nFlags, BOOL bPrefixText = TRUE,
                   int nTextLen = 0, HBRUSH hBrush = nullptr);

    // Pixels and blocks.
    COLORREF SetPixel(int x, int y, COLORREF crColor);
    COLORREF SetPixel(POINT point, COLORREF crColor);
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const;
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop);
    BOOL AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend);
    BOOL GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode);

    // Text: drawn on the output DC, measured on the attribute DC (GetOutput... on the output DC).
    BOOL TextOut(int x, int y, const char* lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const char* lpszString, UINT nCount,
                    const int* lpDxWidths = nullptr);
    CSize TabbedTextOut(int x, int y, const char* lpszString, int nCount, int nTabPositions,
                        const int* lpnTabStopPositions, int nTabOrigin);
    int DrawText(const char* lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    CSize GetTextExtent(const char* lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    CSize GetOutputTextExtent(const char* lpszString, int nCount) const;
    CSize GetOutputTextExtent(const CString& str) const;
    BOOL GetTextMetrics(LPTEXTMETRICA lpMetrics) const;
    BOOL GetOutputTextMetrics(LPTEXTMETRICA lpMetrics) const;
    int GetTextFace(CString& rString) const;

protected:
    // For the window DCs below: take the DC, and give it up again (returning it).
    void AttachWindowDC(HDC hDC);
    HDC DetachWindowDC();

private:
    friend struct DCMapAccess;
    // The value an attribute setter returns: the attribute DC's previous one.
    template <class T, class Set>
    T SetBoth(Set set);
};

// The DC of a WM_PAINT: BeginPaint in the constructor, EndPaint in the destructor.
class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)

public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps = {};

protected:
    HWND m_hWnd = nullptr;
};

// A window's client area (GetDC), released in the destructor.
class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)

public:
    explicit CClientDC(CWnd* pWnd);  // null: the screen
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};

// A window's whole area with its frame (GetWindowDC), released in the destructor.
class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)

public:
    explicit CWindowDC(CWnd* pWnd);  // null: the screen
    ~CWindowDC() override;

protected:
    HWND m_hWnd = nullptr;
};
