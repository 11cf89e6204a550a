// The image manager: adding and finding images, effects, alpha bitmaps, persistence and the clipboard.
#include "CXTPImageManager.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "AfxResource.h"
#include "CArchive.h"
#include "CDC.h"
#include "CMemFile.h"
#include "COleDataObject.h"
#include "CXTPBufferDC.h"

#include "CXTPColorManager.h"
#include "CXTPIconFile.h"
#include "CXTPPropExchange.h"
#include "CXTPPropExchangeArchive.h"

double CXTPImageManager::m_dDisabledBrightnessFactor = 0.5;
double CXTPImageManager::m_dDisabledAlphaFactor = 1.0;

namespace {

BYTE Clamp(double value)
{
    return static_cast<BYTE>(value <= 0 ? 0 : value >= 255 ? 255 : value);
}

// Runs the colour change over the B, G, R channels of a pixel word, alpha kept.
template <class Change>
DWORD PerChannel(DWORD pixel, Change change)
{
    DWORD result = pixel & 0xFF000000;
    for (int shift = 0; shift <= 16; shift += 8)
        result |= static_cast<DWORD>(change((pixel >> shift) & 0xFF)) << shift;
    return result;
}

// The width an image is kept under: the size given, else the image's own; false for an empty
// image or one without a size.
bool IconWidth(const CXTPImageManagerIconHandle& hIcon, CSize szIcon, UINT& nWidth)
{
    if (hIcon.IsEmpty())
        return false;
    if (szIcon.cx == 0 && szIcon.cy == 0)
        szIcon = hIcon.GetExtent();
    if (szIcon.cx == 0 && szIcon.cy == 0)
        return false;
    nWidth = static_cast<UINT>(szIcon.cx);
    return true;
}

}  // namespace

COLORREF CXTPImageManager::LightenColor(COLORREF clr, double dFactor)
{
    auto lighten = [dFactor](int c) { return Clamp(c * (1 - dFactor) + 255 * dFactor); };
    return RGB(lighten(GetRValue(clr)), lighten(GetGValue(clr)), lighten(GetBValue(clr)));
}

BYTE CXTPImageManager::DisabledGrey(COLORREF clr)
{
    const double luminance = (0.299 * GetRValue(clr) + 0.587 * GetGValue(clr) + 0.114 * GetBValue(clr)) / 255;
    return Clamp(255 * std::pow(luminance, m_dDisabledBrightnessFactor));
}

COLORREF CXTPImageManager::ShadowColor()
{
    const COLORREF clr = GetManagedColor(31);
    return RGB(GetRValue(clr) * 3 / 4, GetGValue(clr) * 3 / 4, GetBValue(clr) * 3 / 4);
}

void CXTPImageManager::FadeAlphaPixels(DWORD* pPixels, size_t nCount)
{
    for (size_t i = 0; i < nCount; i++)
        pPixels[i] = PerChannel(pPixels[i], [](DWORD c) { return Clamp(c * 0.7 + 76.5); });
}

void CXTPImageManager::ShadowAlphaPixels(DWORD* pPixels, size_t nCount, COLORREF clrShadow)
{
    const DWORD colour = static_cast<DWORD>(GetRValue(clrShadow)) << 16 | GetGValue(clrShadow) << 8 |
                         GetBValue(clrShadow);
    for (size_t i = 0; i < nCount; i++)
        pPixels[i] = (pPixels[i] & 0xFF000000) | colour;
}

void CXTPImageManager::DisableAlphaPixels(DWORD* pPixels, size_t nCount)
{
    const double divisor = m_dDisabledAlphaFactor > 0 ? m_dDisabledAlphaFactor : 1.0;
    for (size_t i = 0; i < nCount; i++) {
        const DWORD p = pPixels[i];
        const BYTE grey = DisabledGrey(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
        const DWORD alpha = Clamp((p >> 24) / divisor);
        pPixels[i] = alpha << 24 | static_cast<DWORD>(grey) << 16 | grey << 8 | grey;
    }
}

CXTPImageManager::CXTPImageManager()
{
    m_hMsImg32 = ::LoadLibraryA("msimg32.dll");
    if (m_hMsImg32)
        m_pfnAlphaBlend = reinterpret_cast<PFNALPHABLEND>(
            reinterpret_cast<void*>(::GetProcAddress(m_hMsImg32, "AlphaBlend")));
}

CXTPImageManager::~CXTPImageManager()
{
    RemoveAll();
    if (m_hBlendDC)
        ::DeleteDC(m_hBlendDC);
    if (m_hMsImg32)
        ::FreeLibrary(m_hMsImg32);
}

BOOL CXTPImageManager::SetIcon(const CXTPImageManagerIconHandle& hIcon, UINT nID, CSize szIcon, int nState)
{
    if (nState == stateNormal) {
        // A handle that shares the images: the set keeps copies of them.
        CXTPImageManagerIconHandle shared(hIcon);
        return SetIcon(std::move(shared), nID, szIcon, nState);
    }
    UINT nWidth = 0;
    CXTPImageManagerIconSet* pIconSet = IconWidth(hIcon, szIcon, nWidth) ? GetIconSet(nID) : nullptr;
    if (!pIconSet)
        return FALSE;
    switch (nState) {
    case stateDisabled: pIconSet->SetDisabledIcon(hIcon, nWidth); break;
    case stateHot: pIconSet->SetHotIcon(hIcon, nWidth); break;
    case stateChecked: pIconSet->SetCheckedIcon(hIcon, nWidth); break;
    default: break;
    }
    return TRUE;
}

BOOL CXTPImageManager::SetIcon(CXTPImageManagerIconHandle&& hIcon, UINT nID, CSize szIcon, int nState)
{
    if (nState != stateNormal)
        return SetIcon(static_cast<const CXTPImageManagerIconHandle&>(hIcon), nID, szIcon, nState);
    UINT nWidth = 0;
    if (!IconWidth(hIcon, szIcon, nWidth))
        return FALSE;
    CXTPImageManagerIconSet* pIconSet = GetIconSet(nID);
    if (!pIconSet) {
        pIconSet = new CXTPImageManagerIconSet(nID, this);
        m_mapImages[nID] = pIconSet;
    }
    pIconSet->SetIcon(std::move(hIcon), nWidth);
    return TRUE;
}

UINT CXTPImageManager::AddCustomIcon(const CXTPImageManagerIconHandle& hIcon)
{
    const CSize extent = hIcon.GetExtent();
    if (hIcon.IsEmpty() || extent.cx <= 0)
        return 0;
    m_nCustomID++;
    SetIcon(hIcon, m_nCustomID, extent);
    return m_nCustomID;
}

CXTPImageManagerIconSet* CXTPImageManager::GetIconSet(UINT nID) const
{
    CXTPImageManagerIconSet* pIconSet = nullptr;
    return m_mapImages.Lookup(nID, pIconSet) ? pIconSet : nullptr;
}

CXTPImageManagerIcon* CXTPImageManager::GetImage(UINT nID, int nWidth) const
{
    CXTPImageManagerIconSet* pIconSet = GetIconSet(nID);
    return pIconSet ? pIconSet->GetIcon(static_cast<UINT>(nWidth), TRUE) : nullptr;
}

void CXTPImageManager::RemoveAll()
{
    UINT nID;
    CXTPImageManagerIconSet* pIconSet;
    for (POSITION pos = m_mapImages.GetStartPosition(); pos;) {
        m_mapImages.GetNextAssoc(pos, nID, pIconSet);
        pIconSet->InternalRelease();
    }
    m_mapImages.RemoveAll();
}

void CXTPImageManager::RefreshAll()
{
    UINT nID;
    CXTPImageManagerIconSet* pIconSet;
    for (POSITION pos = m_mapImages.GetStartPosition(); pos;) {
        m_mapImages.GetNextAssoc(pos, nID, pIconSet);
        pIconSet->RefreshAll();
    }
}

std::vector<DWORD> CXTPImageManager::ReadPixels32(HBITMAP hBitmap, BITMAPINFO& bmi)
{
    BITMAP bm = {};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return {};
    bmi = BITMAPINFO();
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    // Any DC serves GetDIBits with RGB colours; a memory DC costs no round trip to the server.
    HDC hdc = ::CreateCompatibleDC(nullptr);
    const int nLines = ::GetDIBits(hdc, hBitmap, 0, bm.bmHeight, pixels.data(), &bmi, DIB_RGB_COLORS);
    ::DeleteDC(hdc);
    if (nLines != bm.bmHeight)
        return {};
    return pixels;
}

HBITMAP CXTPImageManager::CopyAlphaBitmap(HBITMAP hBitmap)
{
    BITMAPINFO bmi;
    const std::vector<DWORD> pixels = ReadPixels32(hBitmap, bmi);
    void* pBits = nullptr;
    HBITMAP hCopy = pixels.empty() ? nullptr : ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hCopy)
        std::memcpy(pBits, pixels.data(), pixels.size() * sizeof(DWORD));
    return hCopy;
}

CXTPImageManager* XTPImageManager()
{
    static CXTPImageManager manager;
    return &manager;
}

BOOL CXTPImageManager::ParseToolBarResource(const BYTE* pData, size_t nSize, std::vector<UINT>& arrIDs,
                                            CSize& szButton)
{
    arrIDs.clear();
    auto word = [pData](size_t i) { return static_cast<UINT>(pData[2 * i] | pData[2 * i + 1] << 8); };
    if (!pData || nSize < 8)
        return FALSE;
    const size_t nCount = word(3);
    if (8 + 2 * nCount > nSize)
        return FALSE;
    szButton = CSize(static_cast<int>(word(1)), static_cast<int>(word(2)));
    for (size_t i = 0; i < nCount; i++)
        if (UINT nID = word(4 + i))
            arrIDs.push_back(nID);
    return !arrIDs.empty();
}

BOOL CXTPImageManager::SetIconsWithBitmap(UINT nIDToolBar, UINT nIDBitmap, int nState)
{
    HRSRC hResource = AfxFindResource(MAKEINTRESOURCEA(nIDToolBar), MAKEINTRESOURCEA(241));
    HGLOBAL hData = hResource ? ::LoadResource(AfxGetResourceHandle(), hResource) : nullptr;
    const BYTE* pData = hData ? static_cast<const BYTE*>(::LockResource(hData)) : nullptr;
    if (!pData)
        return FALSE;
    std::vector<UINT> arrIDs;
    CSize szButton;
    if (!ParseToolBarResource(pData, ::SizeofResource(AfxGetResourceHandle(), hResource), arrIDs, szButton))
        return FALSE;
    return SetIconsFromBitmapResource(nIDBitmap, arrIDs.data(), static_cast<int>(arrIDs.size()), CSize(0, 0),
                                      nState);
}

BOOL CXTPImageManager::SetIconsFromBitmapResource(UINT nIDBitmap, const UINT* pIDs, int nCount, CSize szIcon,
                                                  int nState)
{
    const BOOL bAlpha = IsAlphaBitmapResource(nIDBitmap);
    HBITMAP hBitmap = bAlpha ? LoadAlphaBitmap(nIDBitmap)
                             : static_cast<HBITMAP>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDBitmap),
                                                                 IMAGE_BITMAP, 0, 0, 0));
    BITMAP bm = {};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof(bm), &bm)) {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        return FALSE;
    }
    if (szIcon.cx == 0 && szIcon.cy == 0) {
        if (nCount <= 0) {
            ::DeleteObject(hBitmap);
            return FALSE;
        }
        szIcon = CSize(bm.bmWidth / nCount, bm.bmHeight);
    }
    if (nCount == 0 && szIcon.cx > 0)
        nCount = bm.bmWidth / szIcon.cx;
    const BOOL bResult = SetIconsFromBitmap(hBitmap, pIDs, nCount, szIcon.cx, szIcon.cy, nState, bAlpha);
    ::DeleteObject(hBitmap);
    return bResult;
}

BOOL CXTPImageManager::SetIconsFromBitmap(HBITMAP hBitmap, const UINT* pIDs, int nCount, int cx, int cy,
                                          int nState, BOOL bAlpha)
{
    BITMAP bm = {};
    if (cx <= 0 || cy <= 0 || !hBitmap || !::GetObjectA(hBitmap, sizeof(bm), &bm))
        return FALSE;
    if (!bAlpha) {
        HIMAGELIST hList = ::ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 1);
        if (!hList)
            return FALSE;
        COLORREF clrMask = m_clrMask;
        if (clrMask == (COLORREF)-1) {
            HDC hdc = ::CreateCompatibleDC(nullptr);
            HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
            clrMask = ::GetPixel(hdc, 0, 0);
            ::SelectObject(hdc, hOld);
            ::DeleteDC(hdc);
        }
        ::ImageList_AddMasked(hList, hBitmap, clrMask);
        const BOOL bResult = SetIconsFromImageList(hList, pIDs, nCount, CSize(cx, cy), nState);
        ::ImageList_Destroy(hList);
        return bResult;
    }

    if (bm.bmWidth % cx != 0)
        return FALSE;
    const int nPieces = bm.bmWidth / cx;
    std::vector<HBITMAP> pieces(static_cast<size_t>(nPieces));
    if (!SplitAlphaBitmap(hBitmap, nPieces, pieces.data()))
        return FALSE;
    const BOOL bAll = nPieces == nCount;
    int nPiece = 0;
    for (int i = 0; i < nCount && nPiece < nPieces; i++) {
        if (pIDs && !bAll && pIDs[i] == 0)
            continue;
        SetIcon(CXTPImageManagerIconHandle(pieces[nPiece++]), pIDs ? pIDs[i] : static_cast<UINT>(i), CSize(cx, cy),
                nState);
    }
    for (HBITMAP hPiece : pieces)
        ::DeleteObject(hPiece);
    return TRUE;
}

BOOL CXTPImageManager::SetIconsFromImageList(HIMAGELIST hImageList, const UINT* pIDs, int nCount, CSize szIcon,
                                             int nState)
{
    if (!hImageList)
        return FALSE;
    const int nImages = ::ImageList_GetImageCount(hImageList);
    if (!pIDs && nCount == 0)
        nCount = nImages;
    if (szIcon.cx == 0 && szIcon.cy == 0) {
        IMAGEINFO info = {};
        if (::ImageList_GetImageInfo(hImageList, 0, &info))
            szIcon = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    }
    const BOOL bAll = nImages == nCount;
    int nImage = 0;
    for (int i = 0; i < nCount; i++) {
        if (pIDs && !bAll && pIDs[i] == 0)
            continue;
        HICON hIcon = ::ImageList_GetIcon(hImageList, nImage++, ILD_NORMAL);
        if (!hIcon)
            return FALSE;
        // The icon is handed over, not copied: a copy of an icon is dear under Wine.
        CXTPImageManagerIconHandle handle;
        handle.SetIcon(hIcon);
        SetIcon(std::move(handle), pIDs ? pIDs[i] : static_cast<UINT>(i), szIcon, nState);
    }
    return TRUE;
}

// Alpha bitmaps -------------------------------------------------------------------------------

namespace {

// Bytes of one row of a DIB, rows padded to whole DWORDs.
ULONGLONG DibStride(LONG width, WORD bitCount)
{
    return (static_cast<ULONGLONG>(width) * bitCount + 31) / 32 * 4;
}

// A DIB section of the header with the bytes copied in; null when it cannot be made.
HBITMAP CreateDibWithBits(const BITMAPINFO* pInfo, const BYTE* pBits, size_t nSize)
{
    void* pTarget = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, pInfo, DIB_RGB_COLORS, &pTarget, nullptr, 0);
    if (hBitmap && pTarget)
        std::memcpy(pTarget, pBits, nSize);
    return hBitmap;
}

// The header of a 32-bit image as a resource or file keeps it: width positive, rows
// bottom-up (or top-down with a negative height), BI_RGB; null when it is something else.
bool IsAlphaImageHeader(const BITMAPINFOHEADER& header)
{
    return header.biBitCount == 32 && header.biWidth > 0 && header.biHeight != 0 &&
           (header.biCompression == BI_RGB || header.biCompression == BI_BITFIELDS);
}

}  // namespace

BOOL CXTPImageManager::GetBitmapBits(HDC hDC, HBITMAP hBitmap, XTP_BITMAPINFO52& info, std::vector<BYTE>& bits)
{
    info = XTP_BITMAPINFO52();
    bits.clear();
    if (!hBitmap)
        return FALSE;
    HDC hMemory = hDC ? nullptr : ::CreateCompatibleDC(nullptr);
    HDC hUse = hDC ? hDC : hMemory;
    // A header with bit count 0 asks for the bitmap's own format; GetDIBits may write a
    // colour table behind it, so the call gets room for the largest.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } query = {};
    query.header.biSize = sizeof(BITMAPINFOHEADER);
    BOOL bResult = FALSE;
    if (::GetDIBits(hUse, hBitmap, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&query), DIB_RGB_COLORS) &&
        query.header.biWidth > 0 && query.header.biHeight != 0) {
        BITMAPINFOHEADER& header = query.header;
        if (header.biBitCount != 1 && header.biBitCount != 16 && header.biBitCount != 24 && header.biBitCount != 32) {
            header.biBitCount = 32;  // a palette would not fit the block
            header.biCompression = BI_RGB;
            header.biClrUsed = 0;
        }
        if (header.biCompression != BI_BITFIELDS)
            header.biCompression = BI_RGB;
        const LONG nRows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
        header.biSizeImage = static_cast<DWORD>(DibStride(header.biWidth, header.biBitCount) * nRows);
        bits.resize(header.biSizeImage);
        if (::GetDIBits(hUse, hBitmap, 0, nRows, bits.data(), reinterpret_cast<BITMAPINFO*>(&query),
                        DIB_RGB_COLORS) == nRows) {
            std::memcpy(&info, &query, sizeof(info));
            bResult = TRUE;
        } else {
            bits.clear();
        }
    }
    if (hMemory)
        ::DeleteDC(hMemory);
    return bResult;
}

BOOL CXTPImageManager::GetBitmapBits32(HDC hDC, HBITMAP hBitmap, XTP_BITMAPINFO52& info, std::vector<BYTE>& bits)
{
    BITMAP bm = {};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof(bm), &bm) || bm.bmBitsPixel != 32) {
        info = XTP_BITMAPINFO52();
        bits.clear();
        return FALSE;
    }
    if (!GetBitmapBits(hDC, hBitmap, info, bits) || info.bmiHeader.biBitCount != 32) {
        bits.clear();
        return FALSE;
    }
    return TRUE;
}

HBITMAP CXTPImageManager::PreMultiplyAlphaBitmap(HBITMAP hBitmap)
{
    XTP_BITMAPINFO52 info;
    std::vector<BYTE> bits;
    if (!GetBitmapBits32(nullptr, hBitmap, info, bits))
        return nullptr;
    for (size_t i = 0; i + 3 < bits.size(); i += 4) {
        const UINT alpha = bits[i + 3];
        for (size_t c = 0; c < 3; c++)
            bits[i + c] = static_cast<BYTE>(bits[i + c] * alpha / 255);
    }
    return CreateDibWithBits(info.Get(), bits.data(), bits.size());
}

void CXTPImageManager::DrawAlphaBitmap(CDC* pDC, int x, int y, HBITMAP hBitmap, int cx, int cy, int srcCx,
                                       int srcCy)
{
    const PFNALPHABLEND pfnAlphaBlend = XTPImageManager()->m_pfnAlphaBlend;
    if (!pfnAlphaBlend || !pDC || !pDC->GetSafeHdc() || !hBitmap)
        return;
    if (srcCx == 0 && srcCy == 0) {
        srcCx = cx;
        srcCy = cy;
    }
    // One memory DC serves every blend: making one a draw costs more than the blend itself.
    CXTPImageManager* pManager = XTPImageManager();
    if (!pManager->m_hBlendDC)
        pManager->m_hBlendDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = pManager->m_hBlendDC ? ::SelectObject(pManager->m_hBlendDC, hBitmap) : nullptr;
    if (!hOld)
        return;
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    pfnAlphaBlend(pDC->GetSafeHdc(), x, y, cx, cy, pManager->m_hBlendDC, 0, 0, srcCx, srcCy, blend);
    ::SelectObject(pManager->m_hBlendDC, hOld);
}

BOOL CXTPImageManager::SplitAlphaBitmap(HBITMAP hBitmap, int nCount, HBITMAP* pBitmaps)
{
    XTP_BITMAPINFO52 info;
    std::vector<BYTE> bits;
    if (nCount <= 0 || !pBitmaps || !GetBitmapBits32(nullptr, hBitmap, info, bits) ||
        info.bmiHeader.biWidth < nCount)
        return FALSE;
    const LONG nWidth = info.bmiHeader.biWidth, nPieceWidth = nWidth / nCount;
    const LONG nRows = info.bmiHeader.biHeight < 0 ? -info.bmiHeader.biHeight : info.bmiHeader.biHeight;
    XTP_BITMAPINFO52 piece = info;
    piece.bmiHeader.biWidth = nPieceWidth;
    piece.bmiHeader.biSizeImage = static_cast<DWORD>(nPieceWidth) * 4 * nRows;

    std::vector<DWORD*> targets(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; i++) {
        void* pTarget = nullptr;
        pBitmaps[i] = ::CreateDIBSection(nullptr, piece.Get(), DIB_RGB_COLORS, &pTarget, nullptr, 0);
        if (!pBitmaps[i] || !pTarget) {
            for (int j = 0; j <= i; j++) {
                if (pBitmaps[j])
                    ::DeleteObject(pBitmaps[j]);
                pBitmaps[j] = nullptr;
            }
            return FALSE;
        }
        targets[i] = static_cast<DWORD*>(pTarget);
    }
    // Rows in stored order, each dealt out piece by piece.
    const DWORD* pSource = reinterpret_cast<const DWORD*>(bits.data());
    for (LONG y = 0; y < nRows; y++)
        for (int i = 0; i < nCount; i++)
            std::memcpy(targets[i] + static_cast<size_t>(y) * nPieceWidth,
                        pSource + static_cast<size_t>(y) * nWidth + static_cast<size_t>(i) * nPieceWidth,
                        sizeof(DWORD) * nPieceWidth);
    return TRUE;
}

namespace {

// The bytes of an RT_BITMAP resource, or null.
const BYTE* FindBitmapResource(UINT nIDResource, DWORD& nSize)
{
    nSize = 0;
    HRSRC hResource = AfxFindResource(MAKEINTRESOURCEA(nIDResource), MAKEINTRESOURCEA(2));  // RT_BITMAP
    HGLOBAL hData = hResource ? ::LoadResource(AfxGetResourceHandle(), hResource) : nullptr;
    const BYTE* pData = hData ? static_cast<const BYTE*>(::LockResource(hData)) : nullptr;
    if (pData)
        nSize = ::SizeofResource(AfxGetResourceHandle(), hResource);
    return nSize >= sizeof(BITMAPINFOHEADER) ? pData : nullptr;
}

BITMAPINFOHEADER ReadInfoHeader(const BYTE* p)
{
    auto dword = [p](size_t at) { return static_cast<DWORD>(p[at] | p[at + 1] << 8 | p[at + 2] << 16 | p[at + 3] << 24); };
    auto word = [p](size_t at) { return static_cast<WORD>(p[at] | p[at + 1] << 8); };
    BITMAPINFOHEADER header = {};
    header.biSize = dword(0);
    header.biWidth = static_cast<LONG>(dword(4));
    header.biHeight = static_cast<LONG>(dword(8));
    header.biPlanes = word(12);
    header.biBitCount = word(14);
    header.biCompression = dword(16);
    header.biSizeImage = dword(20);
    header.biXPelsPerMeter = static_cast<LONG>(dword(24));
    header.biYPelsPerMeter = static_cast<LONG>(dword(28));
    header.biClrUsed = dword(32);
    header.biClrImportant = dword(36);
    return header;
}

// A DIB section of a 32-bit image whose pixels follow `offset` bytes into the data; null when
// the data is short of them.
HBITMAP CreateAlphaImage(BITMAPINFOHEADER header, const BYTE* pData, size_t nSize, size_t nOffset)
{
    const LONG kMaxSide = 0x8000;
    if (header.biWidth <= 0 || header.biWidth > kMaxSide || header.biHeight == 0 || header.biHeight > kMaxSide ||
        header.biHeight < -kMaxSide)
        return nullptr;
    const LONG nRows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const ULONGLONG nBytes = static_cast<ULONGLONG>(header.biWidth) * 4 * nRows;
    if (nOffset > nSize || nBytes > nSize - nOffset)
        return nullptr;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(nBytes);
    header.biClrUsed = 0;
    BITMAPINFO info = {};
    info.bmiHeader = header;
    return CreateDibWithBits(&info, pData + nOffset, static_cast<size_t>(nBytes));
}

}  // namespace

HBITMAP CXTPImageManager::LoadAlphaBitmap(UINT nIDResource)
{
    DWORD nSize = 0;
    const BYTE* pData = FindBitmapResource(nIDResource, nSize);
    if (!pData)
        return nullptr;
    const BITMAPINFOHEADER header = ReadInfoHeader(pData);
    if (!IsAlphaImageHeader(header) || header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > nSize)
        return nullptr;
    // The pixels follow the header, its masks (behind a plain header) and any colour table.
    ULONGLONG nOffset = header.biSize;
    if (header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER))
        nOffset += 3 * sizeof(DWORD);
    nOffset += static_cast<ULONGLONG>(header.biClrUsed) * sizeof(RGBQUAD);
    return nOffset <= nSize ? CreateAlphaImage(header, pData, nSize, static_cast<size_t>(nOffset)) : nullptr;
}

BOOL CXTPImageManager::IsAlphaBitmapResource(UINT nIDResource)
{
    DWORD nSize = 0;
    const BYTE* pData = FindBitmapResource(nIDResource, nSize);
    return pData && ReadInfoHeader(pData).biBitCount == 32;
}

namespace {

// The first bytes of a file (all of it up to the limit); empty when it cannot be opened.
std::vector<BYTE> ReadFileBytes(LPCSTR lpszFileName, DWORD nLimit)
{
    std::vector<BYTE> data;
    HANDLE hFile = ::CreateFileA(lpszFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return data;
    const DWORD nFileSize = ::GetFileSize(hFile, nullptr);
    if (nFileSize != INVALID_FILE_SIZE) {
        data.resize(nFileSize < nLimit ? nFileSize : nLimit);
        DWORD nRead = 0;
        if (!data.empty() && !::ReadFile(hFile, data.data(), static_cast<DWORD>(data.size()), &nRead, nullptr))
            nRead = 0;
        data.resize(nRead);
    }
    ::CloseHandle(hFile);
    return data;
}

// Icon files larger than this are not icons the editor takes.
const DWORD kMaxIconFile = 16 * 1024 * 1024;

}  // namespace

BOOL CXTPImageManager::IsAlphaBitmapFile(LPCSTR lpszFileName)
{
    const size_t nHeaders = 14 + sizeof(BITMAPINFOHEADER);
    const std::vector<BYTE> data = ReadFileBytes(lpszFileName, nHeaders);
    return data.size() == nHeaders && ReadInfoHeader(data.data() + 14).biBitCount == 32;
}

HBITMAP CXTPImageManager::LoadAlphaIcon(LPCSTR lpszFileName, int nWidth)
{
    const std::vector<BYTE> data = ReadFileBytes(lpszFileName, kMaxIconFile);
    return LoadAlphaIconData(data.data(), data.size(), nWidth);
}

HBITMAP CXTPImageManager::LoadAlphaIconData(const BYTE* pData, size_t nSize, int nWidth)
{
    CXTPBitmapRecord image;
    return CXTPIconFile::FindAlphaImage(pData, nSize, nWidth, image) ? CreateBitmapFromRecord(image) : nullptr;
}

HBITMAP CXTPImageManager::CreateBitmapFromRecord(const CXTPBitmapRecord& record)
{
    if (!record.present)
        return nullptr;
    XTP_BITMAPINFO52 info = {};
    BITMAPINFOHEADER& h = info.bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = record.width;
    h.biHeight = record.height;
    h.biPlanes = 1;
    h.biBitCount = record.bitCount;
    h.biCompression = record.compression;
    h.biSizeImage = static_cast<DWORD>(record.bits.size());
    h.biXPelsPerMeter = record.xPelsPerMeter;
    h.biYPelsPerMeter = record.yPelsPerMeter;
    h.biClrImportant = record.clrImportant;
    for (int i = 0; i < 3; i++)
        info.bmiColors[i] = record.masks[i];
    return CreateDibWithBits(info.Get(), record.bits.data(), record.bits.size());
}

COLORREF CXTPImageManager::GetBitmapPixel(HBITMAP hBitmap, int x, int y)
{
    CXTPCompatibleDC dc(nullptr, hBitmap);
    return ::GetPixel(dc.GetSafeHdc(), x, y);
}

// Persistence and clipboard ---------------------------------------------------------------------

const UINT CXTPImageManager::m_nImageClipFormat = ::RegisterClipboardFormatA("Vivoru ToolBar Image");
const UINT CXTPImageManager::m_nAlphaClipFormat = ::RegisterClipboardFormatA("Alpha Bitmap Image");

namespace {

const char kIconSetCheckSum[] = "CXTPImageManagerIcons";

typedef CXTPPropExchangeOwner<CXTPPropExchangeEnumerator> CEnumeratorOwner;

// Enumerators and item sections of the exchange; running out of memory is an exception here.
CXTPPropExchangeEnumerator* GetEnumerator(CXTPPropExchange* pPX, const char* prefix)
{
    CXTPPropExchangeEnumerator* pEnumerator = pPX->GetEnumerator(prefix);
    if (!pEnumerator)
        AfxThrowMemoryException();
    return pEnumerator;
}

CXTPPropExchange* GetNextSection(CXTPPropExchangeEnumerator* pEnumerator, POSITION& pos)
{
    CXTPPropExchange* pSection = pEnumerator->GetNext(pos);
    if (!pSection)
        AfxThrowMemoryException();
    return pSection;
}

}  // namespace

void CXTPImageManager::DoPropExchange(CXTPPropExchange* pPX)
{
    CEnumeratorOwner enumerator(GetEnumerator(pPX, "IconSet"));
    if (pPX->IsLoading()) {
        RemoveAll();
        for (POSITION pos = enumerator->GetPosition(); pos;) {
            CXTPPropExchangeSection section(GetNextSection(enumerator, pos));
            long nID = 0;
            PX_LongDefault(section, "Id", nID, 0);
            ExchangeIconSet(static_cast<UINT>(nID), section);
        }
        return;
    }
    POSITION pos = enumerator->GetPosition(static_cast<DWORD>(m_mapImages.GetCount()));
    UINT nID;
    CXTPImageManagerIconSet* pIconSet;
    for (POSITION posSet = m_mapImages.GetStartPosition(); posSet && pos;) {
        m_mapImages.GetNextAssoc(posSet, nID, pIconSet);
        CXTPPropExchangeSection section(GetNextSection(enumerator, pos));
        long nSavedID = static_cast<long>(nID);
        PX_LongDefault(section, "Id", nSavedID, 0);
        ExchangeIconSet(nID, section);
    }
}

void CXTPImageManager::Serialize(CArchive& ar)
{
    CXTPPropExchangeArchive px(ar);
    DoPropExchange(&px);
}

void CXTPImageManager::ExchangeIconSet(UINT nID, CXTPPropExchange* pPX)
{
    if (nID > m_nCustomID)
        m_nCustomID = nID;  // later custom images go above it
    CString strCheckSum = kIconSetCheckSum;
    PX_StringDefault(pPX, "CheckSum", strCheckSum, kIconSetCheckSum);
    CEnumeratorOwner enumerator(GetEnumerator(pPX, "Icon"));
    CXTPImageManagerIconSet* pIconSet = GetIconSet(nID);
    UINT nWidth;
    CXTPImageManagerIcon* pIcon;

    if (!pPX->IsLoading()) {
        DWORD nCount = 0;
        if (pIconSet)
            for (POSITION pos = pIconSet->GetIcons().GetStartPosition(); pos;) {
                pIconSet->GetIcons().GetNextAssoc(pos, nWidth, pIcon);
                nCount += pIcon->IsScaled() ? 0 : 1;
            }
        POSITION pos = enumerator->GetPosition(nCount);
        for (POSITION posIcon = pIconSet ? pIconSet->GetIcons().GetStartPosition() : nullptr; posIcon && pos;) {
            pIconSet->GetIcons().GetNextAssoc(posIcon, nWidth, pIcon);
            if (pIcon->IsScaled())
                continue;  // made again on demand
            CXTPPropExchangeSection section(GetNextSection(enumerator, pos));
            long nSavedWidth = static_cast<long>(nWidth);
            PX_LongDefault(section, "Width", nSavedWidth, 16);
            PX_Serialize(section, "Data", pIcon);
        }
        return;
    }

    if (strCheckSum != kIconSetCheckSum)
        AfxThrowArchiveException(CArchiveException::badClass);
    // The icons are read aside and replace the set's only when all of them loaded.
    CXTPImageManagerIconSet* pNewSet = pIconSet ? nullptr : new CXTPImageManagerIconSet(nID, this);
    CXTPImageManagerIconSet* pTarget = pIconSet ? pIconSet : pNewSet;
    std::vector<CXTPImageManagerIcon*> icons;
    try {
        for (POSITION pos = enumerator->GetPosition(); pos;) {
            CXTPPropExchangeSection section(GetNextSection(enumerator, pos));
            long nLoadedWidth = 16;
            PX_LongDefault(section, "Width", nLoadedWidth, 16);
            if (nLoadedWidth <= 0 || nLoadedWidth > 4096)
                AfxThrowArchiveException(CArchiveException::genericException);
            icons.push_back(new CXTPImageManagerIcon(nID, static_cast<int>(nLoadedWidth), 15, pTarget));
            if (!PX_Serialize(section, "Data", icons.back()))
                AfxThrowArchiveException(CArchiveException::genericException);
        }
    } catch (...) {
        for (CXTPImageManagerIcon* pLoaded : icons)
            pLoaded->InternalRelease();
        if (pNewSet)
            pNewSet->InternalRelease();
        throw;
    }
    if (pNewSet)
        m_mapImages[nID] = pNewSet;
    else
        pIconSet->RemoveAll();
    for (CXTPImageManagerIcon* pLoaded : icons) {
        const UINT nKey = static_cast<UINT>(pLoaded->GetWidth());
        if (pTarget->GetIcons().Lookup(nKey, pIcon))
            pIcon->InternalRelease();  // a later icon of the same width wins
        pTarget->GetIcons()[nKey] = pLoaded;
    }
}

BOOL CXTPImageManager::CopyIconToClipboard(UINT nID)
{
    CMemFile file(1024);
    CArchive ar(&file, CArchive::store, 4096);
    CXTPPropExchangeArchive px(ar);
    ExchangeIconSet(nID, &px);
    ar.Flush();
    const size_t nSize = static_cast<size_t>(file.GetLength());
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, nSize ? nSize : 1);
    void* pTarget = hData ? ::GlobalLock(hData) : nullptr;
    if (!pTarget) {
        if (hData)
            ::GlobalFree(hData);
        ar.Close();
        return FALSE;
    }
    file.SeekToBegin();
    file.Read(pTarget, static_cast<UINT>(nSize));
    ::GlobalUnlock(hData);
    ar.Close();
    if (!::SetClipboardData(m_nImageClipFormat, hData)) {
        ::GlobalFree(hData);
        return FALSE;
    }
    return TRUE;
}

UINT CXTPImageManager::PasteIconFromClipboard(COleDataObject* pDataObject)
{
    HGLOBAL hData = pDataObject ? pDataObject->GetGlobalData(static_cast<CLIPFORMAT>(m_nImageClipFormat)) : nullptr;
    if (!hData)
        return 0;
    const SIZE_T nSize = ::GlobalSize(hData);
    BYTE* pData = static_cast<BYTE*>(::GlobalLock(hData));
    const UINT nLastCustomID = m_nCustomID;
    UINT nID = 0;
    if (pData) {
        try {
            CMemFile file(pData, static_cast<UINT>(nSize));
            CArchive ar(&file, CArchive::load, 4096);
            CXTPPropExchangeArchive px(ar);
            ExchangeIconSet(++m_nCustomID, &px);
            nID = m_nCustomID;
        } catch (CException* e) {
            e->Delete();
            m_nCustomID = nLastCustomID;  // a damaged paste changes nothing
        }
        ::GlobalUnlock(hData);
    }
    ::GlobalFree(hData);
    return nID;
}
