// The image manager: pixel effects of the derived images.
#include "CXTPImageManager.h"

#include <cmath>

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

HBITMAP CXTPImageManager::CopyAlphaBitmap(HBITMAP hBitmap)
{
    BITMAP bm = {};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return nullptr;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hCopy = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (!hCopy)
        return nullptr;
    HDC hdc = ::GetDC(nullptr);
    const int lines = ::GetDIBits(hdc, hBitmap, 0, bm.bmHeight, pBits, &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdc);
    if (lines != bm.bmHeight) {
        ::DeleteObject(hCopy);
        return nullptr;
    }
    return hCopy;
}

CXTPImageManager* XTPImageManager()
{
    static CXTPImageManager manager;
    return &manager;
}
