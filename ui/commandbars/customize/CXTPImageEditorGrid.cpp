// The editor's grid (cells over a checkerboard, mouse to the tools) and its real-size preview.
#include "CXTPImageEditorGrid.h"

#include <vector>

#include "CDC.h"
#include "CXTPImageEditorDlg.h"
#include "CXTPImageEditorPicture.h"

namespace {

// The colour a picture pixel shows over a background: the background where transparent,
// blended by its alpha in an alpha picture.
COLORREF ShownColor(const CXTPImageEditorPicture& picture, int x, int y, COLORREF clrBack)
{
    const COLORREF clr = picture.GetPixel(x, y);
    if (clr == CXTPImageEditorPicture::transparent)
        return clrBack;
    if (!picture.IsAlpha())
        return clr;
    const int alpha = picture.GetAlpha(x, y);
    auto blend = [alpha](int back, int fore) { return back - (back - fore) * alpha / 255; };
    return RGB(blend(GetRValue(clrBack), GetRValue(clr)), blend(GetGValue(clrBack), GetGValue(clr)),
               blend(GetBValue(clrBack), GetBValue(clr)));
}

// Paints width x height pixels of colours given row by row at the DC's origin.
template <class F>
void PaintPixels(HDC hDC, int cx, int cy, F&& colorAt)
{
    if (cx <= 0 || cy <= 0)
        return;
    std::vector<DWORD> words(static_cast<size_t>(cx) * cy);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++) {
            const COLORREF clr = colorAt(x, y);
            words[static_cast<size_t>(y) * cx + x] = GetRValue(clr) << 16 | GetGValue(clr) << 8 | GetBValue(clr);
        }
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    ::SetDIBitsToDevice(hDC, 0, 0, static_cast<DWORD>(cx), static_cast<DWORD>(cy), 0, 0, 0, static_cast<UINT>(cy),
                        words.data(), &bmi, DIB_RGB_COLORS);
}

}  // namespace

BEGIN_MESSAGE_MAP(CXTPImageEditorGrid, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CPoint CXTPImageEditorGrid::CellFromPoint(CPoint point) const
{
    return CPoint(point.x / m_szCell.cx, point.y / m_szCell.cy);
}

BOOL CXTPImageEditorGrid::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTPImageEditorGrid::OnPaint()
{
    CPaintDC dc(this);
    Draw(dc);
}

void CXTPImageEditorGrid::Draw(HDC hDC) const
{
    CRect rc;
    GetClientRect(&rc);
    const CXTPImageEditorPicture& picture = m_pEditor->GetPicture();
    const CSize size = picture.GetSize();
    const int cx = rc.Width(), cy = rc.Height();
    PaintPixels(hDC, cx, cy, [&](int x, int y) -> COLORREF {
        if (size.cx <= 0 || size.cy <= 0)
            return RGB(255, 255, 255);
        // Transparent pixels show a checkerboard of 4-pixel squares.
        const COLORREF clrBack = ((x / 4 + y / 4) % 2) ? RGB(255, 255, 255) : 0xEBEBEB;
        return ShownColor(picture, x * size.cx / cx, y * size.cy / cy, clrBack);
    });
    HBRUSH hBrush = ::CreateSolidBrush(RGB(0, 0, 0));
    ::FrameRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
}

void CXTPImageEditorGrid::OnLButtonDown(UINT, CPoint point)
{
    m_pEditor->OnGridButtonDown(CellFromPoint(point));
}

void CXTPImageEditorGrid::OnMouseMove(UINT, CPoint point)
{
    m_pEditor->OnGridMouseMove(CellFromPoint(point));
}

void CXTPImageEditorGrid::OnLButtonUp(UINT, CPoint)
{
    // Losing the capture ends the drawing; without it the release does.
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    else
        m_pEditor->OnGridCaptureLost();
}

void CXTPImageEditorGrid::OnCaptureChanged(CWnd*)
{
    m_pEditor->OnGridCaptureLost();
}

BOOL CXTPImageEditorGrid::OnSetCursor(CWnd*, UINT nHitTest, UINT)
{
    HCURSOR hCursor = nHitTest == HTCLIENT ? m_pEditor->GetToolCursor() : nullptr;
    ::SetCursor(hCursor ? hCursor : ::LoadCursorA(nullptr, IDC_ARROW));
    return TRUE;
}

BEGIN_MESSAGE_MAP(CXTPImageEditorPreview, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CXTPImageEditorPreview::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTPImageEditorPreview::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    const CXTPImageEditorPicture& picture = m_pEditor->GetPicture();
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    HBRUSH hBrush = ::CreateSolidBrush(clrFace);
    ::FillRect(dc, &rc, hBrush);
    ::DeleteObject(hBrush);
    // The picture at its real size in the middle.
    const CSize size = picture.GetSize();
    const CPoint ptOrigin((rc.Width() - size.cx) / 2, (rc.Height() - size.cy) / 2);
    ::SetViewportOrgEx(dc, ptOrigin.x, ptOrigin.y, nullptr);
    PaintPixels(dc, size.cx, size.cy, [&](int x, int y) { return ShownColor(picture, x, y, clrFace); });
}
