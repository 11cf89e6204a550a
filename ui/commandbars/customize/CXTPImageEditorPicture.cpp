// The button image editor's picture: pixels, tools' operations, icons, and the checked readers of
// pasted and imported images.
#include "CXTPImageEditorPicture.h"

#include <olectl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "CImageList.h"
#include "CXTPImageManager.h"

namespace {

DWORD WordOf(COLORREF clr, BYTE alpha)
{
    return static_cast<DWORD>(alpha) << 24 | static_cast<DWORD>(GetRValue(clr)) << 16 |
           static_cast<DWORD>(GetGValue(clr)) << 8 | GetBValue(clr);
}

COLORREF ColorOf(DWORD word)
{
    return RGB((word >> 16) & 0xFF, (word >> 8) & 0xFF, word & 0xFF);
}

DWORD ReadWord(const BYTE* p)
{
    return static_cast<DWORD>(p[0] | p[1] << 8 | p[2] << 16) | static_cast<DWORD>(p[3]) << 24;
}

WORD ReadShort(const BYTE* p)
{
    return static_cast<WORD>(p[0] | p[1] << 8);
}

// A 32-bit top-down DIB section of the size, or null.
HBITMAP CreateSection(CSize size, DWORD** ppBits, BOOL bTopDown)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, bTopDown ? -size.cy : size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    *ppBits = static_cast<DWORD*>(pBits);
    return hBitmap;
}

// A new bottom-up section of the size holding each source word as the function turns it; null
// when it cannot be made.
template <class F>
HBITMAP CopySection(CSize size, const DWORD* pSource, F&& turn)
{
    DWORD* pBits = nullptr;
    HBITMAP hBitmap = CreateSection(size, &pBits, FALSE);
    if (hBitmap)
        std::transform(pSource, pSource + static_cast<std::size_t>(size.cx) * size.cy, pBits, turn);
    return hBitmap;
}

// A memory DC with the bitmap selected, for the system's drawing on the picture.
class CPictureDC {
public:
    explicit CPictureDC(HBITMAP hBitmap) : m_hDC(::CreateCompatibleDC(nullptr))
    {
        m_hOld = ::SelectObject(m_hDC, hBitmap);
    }
    ~CPictureDC()
    {
        ::GdiFlush();
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteDC(m_hDC);
    }
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// Where a device-independent bitmap's parts lie in its bytes.
struct DibLayout {
    const BITMAPINFOHEADER* pHeader = nullptr;  // a copy aligned for the system
    std::vector<BYTE> info;                     // header and colours or masks
    const BYTE* pRows = nullptr;
    LONG width = 0, height = 0;  // height positive; rows top-down when bTopDown
    BOOL bTopDown = FALSE;
    WORD bitCount = 0;
    DWORD compression = BI_RGB;
};

const std::size_t kMaxDibSide = 4096;

// Checks a DIB's header against its bytes. nRowsOffset 0: the rows follow the colours; a
// non-zero nHeight stands for the header's own (an icon's colour part is half its height).
BOOL CheckDib(const BYTE* pData, std::size_t nSize, std::size_t nRowsOffset, DibLayout& layout, LONG nHeight = 0)
{
    if (!pData || nSize < sizeof(BITMAPINFOHEADER))
        return FALSE;
    const std::size_t nHeader = ReadWord(pData);
    if ((nHeader != 40 && nHeader != 108 && nHeader != 124) || nHeader > nSize)
        return FALSE;
    const LONG width = static_cast<LONG>(ReadWord(pData + 4));
    const LONG height = nHeight ? nHeight : static_cast<LONG>(ReadWord(pData + 8));
    const WORD planes = ReadShort(pData + 12), bitCount = ReadShort(pData + 14);
    const DWORD compression = ReadWord(pData + 16), clrUsed = ReadWord(pData + 32);
    if (planes != 1 || width <= 0 || static_cast<std::size_t>(width) > kMaxDibSide || height == 0 ||
        height < -static_cast<LONG>(kMaxDibSide) || height > static_cast<LONG>(kMaxDibSide))
        return FALSE;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return FALSE;
    const BOOL bFields = compression == BI_BITFIELDS;
    if (compression != BI_RGB && !(bFields && (bitCount == 16 || bitCount == 32)))
        return FALSE;
    std::size_t nColors = clrUsed;
    if (bitCount <= 8) {
        if (nColors > (1u << bitCount))
            return FALSE;
        if (nColors == 0)
            nColors = 1u << bitCount;
    } else if (nColors > 256) {
        return FALSE;
    }
    // Masks follow a plain info header; the larger headers carry them inside.
    const BOOL bMasksInside = bFields && nHeader > 40;
    const std::size_t nTable = nColors * 4 + (bFields && !bMasksInside ? 12 : 0);
    if (nTable > nSize - nHeader)
        return FALSE;
    const std::size_t nRows = static_cast<std::size_t>(height < 0 ? -static_cast<std::int64_t>(height) : height);
    const std::size_t nStride = (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
    const std::size_t nFirstRow = nRowsOffset ? nRowsOffset : nHeader + nTable;
    if (nFirstRow < nHeader + nTable || nFirstRow > nSize || nStride * nRows > nSize - nFirstRow)
        return FALSE;
    // The system is given a plain info header, the masks, then the colours.
    const std::size_t nPlain = sizeof(BITMAPINFOHEADER);
    layout.info.assign(nPlain + (bMasksInside ? 12 : 0) + nTable, 0);
    std::memcpy(layout.info.data(), pData, nPlain);
    if (bMasksInside)
        std::memcpy(layout.info.data() + nPlain, pData + nPlain, 12);
    std::memcpy(layout.info.data() + nPlain + (bMasksInside ? 12 : 0), pData + nHeader, nTable);
    BITMAPINFOHEADER* pHeader = reinterpret_cast<BITMAPINFOHEADER*>(layout.info.data());
    pHeader->biSize = sizeof(BITMAPINFOHEADER);
    pHeader->biSizeImage = 0;
    pHeader->biHeight = height;
    pHeader->biClrUsed = static_cast<DWORD>(bitCount <= 8 ? nColors : clrUsed);
    layout.pHeader = reinterpret_cast<const BITMAPINFOHEADER*>(layout.info.data());
    layout.pRows = pData + nFirstRow;
    layout.width = width;
    layout.height = static_cast<LONG>(nRows);
    layout.bTopDown = height < 0;
    layout.bitCount = bitCount;
    layout.compression = compression;
    return TRUE;
}

// The directory entry of an icon file's image whose header and rows lie within the file.
struct IconEntry {
    std::size_t nOffset = 0, nBytes = 0;
    LONG width = 0;
};

BOOL CheckIconImage(const BYTE* pData, std::size_t nSize, std::size_t nEntry, IconEntry& entry)
{
    const std::size_t nBytes = ReadWord(pData + nEntry + 8), nOffset = ReadWord(pData + nEntry + 12);
    if (nOffset > nSize || nBytes > nSize - nOffset || nBytes < sizeof(BITMAPINFOHEADER))
        return FALSE;
    const BYTE* pImage = pData + nOffset;
    // The stored height covers the colour rows and the mask rows below them.
    const LONG height = static_cast<LONG>(ReadWord(pImage + 8));
    if (ReadWord(pImage) != sizeof(BITMAPINFOHEADER) || height <= 0 || height % 2 != 0 ||
        height / 2 > CXTPImageEditorPicture::maxSide)
        return FALSE;
    const LONG width = static_cast<LONG>(ReadWord(pImage + 4));
    if (width <= 0 || width > CXTPImageEditorPicture::maxSide || ReadWord(pImage + 16) != BI_RGB)
        return FALSE;
    // The colour part is a DIB of half the height; the mask's rows follow it.
    const LONG halfHeight = height / 2;
    DibLayout layout;
    if (!CheckDib(pImage, nBytes, 0, layout, halfHeight))
        return FALSE;
    const std::size_t nRowsAt = static_cast<std::size_t>(layout.pRows - pImage);
    const std::size_t nColorRows = (static_cast<std::size_t>(width) * layout.bitCount + 31) / 32 * 4 * halfHeight;
    const std::size_t nMaskRows = (static_cast<std::size_t>(width) + 31) / 32 * 4 * halfHeight;
    if (nMaskRows > nBytes - nRowsAt - nColorRows)
        return FALSE;
    entry.nOffset = nOffset;
    entry.nBytes = nBytes;
    entry.width = width;
    return TRUE;
}

}  // namespace

CXTPImageEditorPicture::~CXTPImageEditorPicture()
{
    Destroy();
}

CXTPImageEditorPicture::CXTPImageEditorPicture(CXTPImageEditorPicture&& other) noexcept
{
    *this = std::move(other);
}

CXTPImageEditorPicture& CXTPImageEditorPicture::operator=(CXTPImageEditorPicture&& other) noexcept
{
    if (this != &other) {
        Destroy();
        std::swap(m_hBitmap, other.m_hBitmap);
        std::swap(m_pBits, other.m_pBits);
        std::swap(m_size, other.m_size);
        std::swap(m_bAlpha, other.m_bAlpha);
    }
    return *this;
}

BOOL CXTPImageEditorPicture::Create(CSize size)
{
    Destroy();
    if (size.cx <= 0 || size.cy <= 0 || size.cx > maxSide || size.cy > maxSide)
        return FALSE;
    m_hBitmap = CreateSection(size, &m_pBits, FALSE);
    if (!m_hBitmap)
        return FALSE;
    m_size = size;
    Fill(transparent);
    return TRUE;
}

BOOL CXTPImageEditorPicture::CopyFrom(const CXTPImageEditorPicture& other)
{
    if (other.IsEmpty()) {
        Destroy();
        return TRUE;
    }
    if (!Create(other.m_size))
        return FALSE;
    std::memcpy(m_pBits, other.m_pBits, static_cast<std::size_t>(m_size.cx) * m_size.cy * sizeof(DWORD));
    m_bAlpha = other.m_bAlpha;
    return TRUE;
}

void CXTPImageEditorPicture::Destroy()
{
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_size = CSize(0, 0);
    m_bAlpha = FALSE;
}

DWORD* CXTPImageEditorPicture::Word(int x, int y) const
{
    return m_pBits + static_cast<std::size_t>(m_size.cy - 1 - y) * m_size.cx + x;
}

COLORREF CXTPImageEditorPicture::GetPixel(int x, int y) const
{
    return Contains(x, y) ? ColorOf(*Word(x, y)) : transparent;
}

BYTE CXTPImageEditorPicture::GetAlpha(int x, int y) const
{
    return Contains(x, y) ? static_cast<BYTE>(*Word(x, y) >> 24) : 0;
}

void CXTPImageEditorPicture::SetPixel(int x, int y, COLORREF clr)
{
    if (Contains(x, y))
        *Word(x, y) = WordOf(clr, 255);
}

void CXTPImageEditorPicture::Fill(COLORREF clr)
{
    if (m_pBits)
        std::fill(m_pBits, m_pBits + static_cast<std::size_t>(m_size.cx) * m_size.cy, WordOf(clr, 255));
}

void CXTPImageEditorPicture::FloodFill(int x, int y, COLORREF clr)
{
    const COLORREF clrArea = GetPixel(x, y);
    if (!Contains(x, y) || clrArea == clr)
        return;
    std::vector<POINT> stack{{x, y}};
    while (!stack.empty()) {
        const POINT pt = stack.back();
        stack.pop_back();
        if (!Contains(pt.x, pt.y) || GetPixel(pt.x, pt.y) != clrArea)
            continue;
        SetPixel(pt.x, pt.y, clr);
        stack.push_back({pt.x + 1, pt.y});
        stack.push_back({pt.x - 1, pt.y});
        stack.push_back({pt.x, pt.y + 1});
        stack.push_back({pt.x, pt.y - 1});
    }
}

void CXTPImageEditorPicture::Shift(int dx, int dy)
{
    if (IsEmpty())
        return;
    std::vector<DWORD> words(m_pBits, m_pBits + static_cast<std::size_t>(m_size.cx) * m_size.cy);
    Fill(transparent);
    for (int y = 0; y < m_size.cy; y++)
        for (int x = 0; x < m_size.cx; x++)
            if (Contains(x + dx, y + dy))
                *Word(x + dx, y + dy) = words[static_cast<std::size_t>(m_size.cy - 1 - y) * m_size.cx + x];
}

void CXTPImageEditorPicture::DrawShape(Shape shape, CPoint ptFrom, CPoint ptTo, COLORREF clr)
{
    if (IsEmpty())
        return;
    CPictureDC dc(m_hBitmap);
    if (shape == shapeRectangle) {
        // A one-pixel frame of the normalised rectangle, both corners included.
        CRect rc(std::min(ptFrom.x, ptTo.x), std::min(ptFrom.y, ptTo.y), std::max(ptFrom.x, ptTo.x) + 1,
                 std::max(ptFrom.y, ptTo.y) + 1);
        HBRUSH hBrush = ::CreateSolidBrush(clr);
        ::FrameRect(dc, &rc, hBrush);
        ::DeleteObject(hBrush);
        return;
    }
    HPEN hPen = ::CreatePen(PS_SOLID, 1, clr);
    HGDIOBJ hOldPen = ::SelectObject(dc, hPen);
    if (shape == shapeLine) {
        ::MoveToEx(dc, ptFrom.x, ptFrom.y, nullptr);
        ::LineTo(dc, ptTo.x, ptTo.y);
    } else {
        HBRUSH hBrush = ::CreateSolidBrush(transparent);
        HGDIOBJ hOldBrush = ::SelectObject(dc, hBrush);
        ::Ellipse(dc, std::min(ptFrom.x, ptTo.x), std::min(ptFrom.y, ptTo.y), std::max(ptFrom.x, ptTo.x) + 1,
                  std::max(ptFrom.y, ptTo.y) + 1);
        ::SelectObject(dc, hOldBrush);
        ::DeleteObject(hBrush);
    }
    ::SelectObject(dc, hOldPen);
    ::DeleteObject(hPen);
}

void CXTPImageEditorPicture::KeepAlphaOf(const CXTPImageEditorPicture& previous)
{
    if (!m_bAlpha || previous.m_size != m_size)
        return;
    const std::size_t nCount = static_cast<std::size_t>(m_size.cx) * m_size.cy;
    for (std::size_t i = 0; i < nCount; i++) {
        const COLORREF clr = ColorOf(m_pBits[i]);
        if (clr == ColorOf(previous.m_pBits[i]))
            m_pBits[i] = previous.m_pBits[i];
        else if (clr != transparent)
            m_pBits[i] = WordOf(clr, 255);
    }
}

BOOL CXTPImageEditorPicture::SetIcon(const CXTPImageManagerIconHandle& hIcon)
{
    const CSize size = hIcon.GetExtent();
    if (hIcon.IsEmpty() || !Create(size))
        return FALSE;
    if (hIcon.IsAlpha()) {
        BITMAPINFO bmi;
        const std::vector<DWORD> pixels = CXTPImageManager::ReadPixels32(hIcon.GetBitmap(), bmi);
        if (pixels.size() != static_cast<std::size_t>(size.cx) * size.cy)
            return FALSE;
        for (int y = 0; y < size.cy; y++)
            for (int x = 0; x < size.cx; x++) {
                const DWORD word = pixels[static_cast<std::size_t>(y) * size.cx + x];
                *Word(x, y) = word ? word : WordOf(transparent, 0);
            }
        m_bAlpha = TRUE;
        return TRUE;
    }
    CPictureDC dc(m_hBitmap);
    ::DrawIconEx(dc, 0, 0, hIcon.GetIcon(), size.cx, size.cy, 0, nullptr, DI_NORMAL);
    return TRUE;
}

BOOL CXTPImageEditorPicture::GetIcon(CXTPImageManagerIconHandle& hIcon) const
{
    hIcon.Clear();
    if (IsEmpty())
        return FALSE;
    if (m_bAlpha) {
        HBITMAP hBitmap = CopySection(m_size, m_pBits, [](DWORD word) { return ColorOf(word) == transparent ? 0 : word; });
        if (!hBitmap)
            return FALSE;
        hIcon.AttachBitmap(hBitmap);
        return TRUE;
    }
    CImageList list;
    if (!list.Create(m_size.cx, m_size.cy, ILC_COLOR24 | ILC_MASK, 0, 1))
        return FALSE;
    // The list takes a copy without alpha, so that its colours are read as they stand.
    HBITMAP hCopy = CopySection(m_size, m_pBits, [](DWORD word) { return word & 0xFFFFFF; });
    if (!hCopy)
        return FALSE;
    ::ImageList_AddMasked(list, hCopy, transparent);
    ::DeleteObject(hCopy);
    if (list.GetImageCount() != 1)
        return FALSE;
    HICON hResult = list.ExtractIcon(0);
    if (!hResult)
        return FALSE;
    hIcon.SetIcon(hResult);
    return TRUE;
}

BOOL CXTPImageEditorPicture::DrawBitmap(HBITMAP hBitmap, BOOL bAlpha)
{
    BITMAP bm = {};
    if (IsEmpty() || !hBitmap || !::GetObjectA(hBitmap, sizeof(bm), &bm))
        return FALSE;
    BITMAPINFO bmi;
    const std::vector<DWORD> pixels = CXTPImageManager::ReadPixels32(hBitmap, bmi);
    if (pixels.empty())
        return FALSE;
    bAlpha = bAlpha && bm.bmBitsPixel == 32;
    Fill(transparent);
    const int cx = std::min<int>(bm.bmWidth, m_size.cx), cy = std::min<int>(bm.bmHeight, m_size.cy);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++) {
            const DWORD word = pixels[static_cast<std::size_t>(y) * bm.bmWidth + x];
            *Word(x, y) = bAlpha ? (word ? word : WordOf(transparent, 0)) : word | 0xFF000000;
        }
    m_bAlpha = bAlpha;
    return TRUE;
}

namespace {

// Draws a checked DIB over the picture's transparent fill, the alpha channel kept on request.
BOOL DrawDib(CXTPImageEditorPicture& picture, const DibLayout& layout, BOOL bAlpha)
{
    CXTPImageEditorPicture result;
    if (!result.Create(picture.GetSize()))
        return FALSE;
    // Alpha is read from plain 32-bit rows (or masks of that layout) only.
    const DWORD* pMasks = reinterpret_cast<const DWORD*>(layout.info.data() + sizeof(BITMAPINFOHEADER));
    bAlpha = bAlpha && layout.bitCount == 32 &&
             (layout.compression == BI_RGB ||
              (pMasks[0] == 0xFF0000 && pMasks[1] == 0xFF00 && pMasks[2] == 0xFF));
    const CSize size = picture.GetSize();
    HBITMAP hBitmap = result.GetSafeHandle();
    if (bAlpha) {
        BITMAP bm = {};
        ::GetObjectA(hBitmap, sizeof(bm), &bm);
        DWORD* pBits = static_cast<DWORD*>(bm.bmBits);
        const int cx = std::min<int>(layout.width, size.cx), cy = std::min<int>(layout.height, size.cy);
        for (int y = 0; y < cy; y++) {
            const std::size_t nRow = layout.bTopDown ? y : layout.height - 1 - y;
            const BYTE* pRow = layout.pRows + nRow * layout.width * 4;
            for (int x = 0; x < cx; x++) {
                const DWORD word = ReadWord(pRow + 4 * x);
                pBits[static_cast<std::size_t>(size.cy - 1 - y) * size.cx + x] = word ? word : 0x00FFFEFF;
            }
        }
    } else {
        CPictureDC dc(hBitmap);
        // Rows drawn top-left, cut to the picture; the system reads the checked rows only.
        ::SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(layout.width), static_cast<DWORD>(layout.height), 0, 0, 0,
                            static_cast<UINT>(layout.height), layout.pRows,
                            reinterpret_cast<const BITMAPINFO*>(layout.pHeader), DIB_RGB_COLORS);
    }
    result.SetAlpha(bAlpha);
    picture = std::move(result);
    return TRUE;
}

}  // namespace

BOOL CXTPImageEditorPicture::DrawPackedDib(const BYTE* pData, std::size_t nSize, BOOL bAlpha)
{
    DibLayout layout;
    if (IsEmpty() || !CheckDib(pData, nSize, 0, layout))
        return FALSE;
    return DrawDib(*this, layout, bAlpha);
}

BOOL CXTPImageEditorPicture::DrawBitmapFile(const BYTE* pData, std::size_t nSize)
{
    const std::size_t nFileHeader = 14;
    if (IsEmpty() || !pData || nSize < nFileHeader || pData[0] != 'B' || pData[1] != 'M')
        return FALSE;
    const std::size_t nRowsAt = ReadWord(pData + 10);
    DibLayout layout;
    if (nRowsAt < nFileHeader ||
        !CheckDib(pData + nFileHeader, nSize - nFileHeader, nRowsAt - nFileHeader, layout))
        return FALSE;
    return DrawDib(*this, layout, FALSE);
}

BOOL CXTPImageEditorPicture::DrawIconFile(const BYTE* pData, std::size_t nSize)
{
    if (IsEmpty() || !pData || nSize < 6)
        return FALSE;
    // An alpha image of the picture's width keeps its alpha.
    if (HBITMAP hAlpha = CXTPImageManager::LoadAlphaIconData(pData, nSize, m_size.cx)) {
        const BOOL bDone = DrawBitmap(hAlpha, TRUE);
        ::DeleteObject(hAlpha);
        return bDone;
    }
    const WORD type = ReadShort(pData + 2);
    const std::size_t nEntries = ReadShort(pData + 4);
    if (ReadShort(pData) != 0 || (type != 1 && type != 2) || nEntries == 0 || 6 + nEntries * 16 > nSize)
        return FALSE;
    // The sound image of the picture's width, else the first sound one.
    IconEntry chosen, entry;
    for (std::size_t i = 0; i < nEntries; i++) {
        if (!CheckIconImage(pData, nSize, 6 + i * 16, entry))
            continue;
        if (!chosen.nBytes || (entry.width == m_size.cx && chosen.width != m_size.cx))
            chosen = entry;
    }
    if (!chosen.nBytes)
        return FALSE;
    std::vector<BYTE> image(pData + chosen.nOffset, pData + chosen.nOffset + chosen.nBytes);
    HICON hIcon = ::CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE, 0x00030000,
                                             m_size.cx, m_size.cy, LR_DEFAULTCOLOR);
    if (!hIcon)
        return FALSE;
    CXTPImageEditorPicture result;
    if (result.Create(m_size)) {
        CPictureDC dc(result.m_hBitmap);
        ::DrawIconEx(dc, 0, 0, hIcon, m_size.cx, m_size.cy, 0, nullptr, DI_NORMAL);
    }
    ::DestroyIcon(hIcon);
    if (result.IsEmpty())
        return FALSE;
    *this = std::move(result);
    return TRUE;
}

BOOL CXTPImageEditorPicture::DrawPictureFile(const BYTE* pData, std::size_t nSize)
{
    if (IsEmpty() || !pData || nSize == 0 || nSize > 0x7FFFFFFF)
        return FALSE;
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
    if (!hGlobal)
        return FALSE;
    std::memcpy(::GlobalLock(hGlobal), pData, nSize);
    ::GlobalUnlock(hGlobal);
    IStream* pStream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(hGlobal, TRUE, &pStream))) {
        ::GlobalFree(hGlobal);
        return FALSE;
    }
    IPicture* pPicture = nullptr;
    const HRESULT hr = ::OleLoadPicture(pStream, static_cast<LONG>(nSize), FALSE, IID_IPicture,
                                        reinterpret_cast<void**>(&pPicture));
    pStream->Release();
    if (FAILED(hr) || !pPicture)
        return FALSE;
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    pPicture->get_Width(&hmWidth);
    pPicture->get_Height(&hmHeight);
    CXTPImageEditorPicture result;
    BOOL bDone = FALSE;
    if (result.Create(m_size)) {
        CPictureDC dc(result.m_hBitmap);
        bDone = SUCCEEDED(pPicture->Render(dc, 0, 0, m_size.cx, m_size.cy, 0, hmHeight, hmWidth, -hmHeight, nullptr));
    }
    pPicture->Release();
    if (!bDone)
        return FALSE;
    *this = std::move(result);
    return TRUE;
}
