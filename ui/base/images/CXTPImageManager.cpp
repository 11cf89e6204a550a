// The image manager: pixel effects of the derived images.
#include "CXTPImageManager.h"

#include <cmath>
#include <cstring>

#include "AfxResource.h"

#include "CXTPColorManager.h"

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
    const COLORREF clr = GetXtremeColor(31);
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
        m_pfnAlphaBlend = ::GetProcAddress(m_hMsImg32, "AlphaBlend");
}

CXTPImageManager::~CXTPImageManager()
{
    RemoveAll();
    if (m_hMsImg32)
        ::FreeLibrary(m_hMsImg32);
}

BOOL CXTPImageManager::SetIcon(const CXTPImageManagerIconHandle& hIcon, UINT nID, CSize szIcon, int nState)
{
    if (hIcon.IsEmpty())
        return FALSE;
    if (szIcon.cx == 0 && szIcon.cy == 0)
        szIcon = hIcon.GetExtent();
    if (szIcon.cx == 0 && szIcon.cy == 0)
        return FALSE;
    const UINT nWidth = static_cast<UINT>(szIcon.cx);

    CXTPImageManagerIconSet* pIconSet = GetIconSet(nID);
    if (pIconSet) {
        switch (nState) {
        case stateNormal: pIconSet->SetIcon(hIcon, nWidth); break;
        case stateDisabled: pIconSet->SetDisabledIcon(hIcon, nWidth); break;
        case stateHot: pIconSet->SetHotIcon(hIcon, nWidth); break;
        case stateChecked: pIconSet->SetCheckedIcon(hIcon, nWidth); break;
        default: break;
        }
        return TRUE;
    }
    if (nState != stateNormal)
        return FALSE;
    pIconSet = new CXTPImageManagerIconSet(nID, this);
    pIconSet->SetIcon(hIcon, nWidth);
    m_mapImages[nID] = pIconSet;
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
    HDC hdc = ::GetDC(nullptr);
    const int nLines = ::GetDIBits(hdc, hBitmap, 0, bm.bmHeight, pixels.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdc);
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
    HRSRC hResource = AfxFindResource(MAKEINTRESOURCEA(nIDBitmap), MAKEINTRESOURCEA(2));  // RT_BITMAP
    HGLOBAL hData = hResource ? ::LoadResource(AfxGetResourceHandle(), hResource) : nullptr;
    const auto* pHeader = hData ? static_cast<const BITMAPINFOHEADER*>(::LockResource(hData)) : nullptr;
    if (!pHeader || ::SizeofResource(AfxGetResourceHandle(), hResource) < sizeof(BITMAPINFOHEADER))
        return FALSE;
    const BOOL bAlpha = pHeader->biBitCount == 32;
    HBITMAP hBitmap = static_cast<HBITMAP>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDBitmap),
                                                        IMAGE_BITMAP, 0, 0, bAlpha ? LR_CREATEDIBSECTION : 0));
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
    // Cut the strip into 32-bit pieces of cx by the bitmap's height.
    const int nPieces = bm.bmWidth / cx;
    BITMAPINFO bmi;
    const std::vector<DWORD> pixels = ReadPixels32(hBitmap, bmi);
    if (pixels.empty())
        return FALSE;

    const BOOL bAll = nPieces == nCount;
    int nPiece = 0;
    for (int i = 0; i < nCount && nPiece < nPieces; i++) {
        if (pIDs && !bAll && pIDs[i] == 0)
            continue;
        BITMAPINFO piece = bmi;
        piece.bmiHeader.biWidth = cx;
        void* pBits = nullptr;
        HBITMAP hPiece = ::CreateDIBSection(nullptr, &piece, DIB_RGB_COLORS, &pBits, nullptr, 0);
        if (!hPiece)
            return FALSE;
        for (int y = 0; y < bm.bmHeight; y++)
            std::memcpy(static_cast<DWORD*>(pBits) + static_cast<size_t>(y) * cx,
                        pixels.data() + static_cast<size_t>(y) * bm.bmWidth + static_cast<size_t>(nPiece) * cx,
                        sizeof(DWORD) * cx);
        SetIcon(CXTPImageManagerIconHandle(hPiece), pIDs ? pIDs[i] : static_cast<UINT>(i), CSize(cx, cy), nState);
        ::DeleteObject(hPiece);
        nPiece++;
    }
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
        SetIcon(CXTPImageManagerIconHandle(hIcon), pIDs ? pIDs[i] : static_cast<UINT>(i), szIcon, nState);
        ::DestroyIcon(hIcon);
    }
    return TRUE;
}
