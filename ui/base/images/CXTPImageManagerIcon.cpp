// Image handles, icons with their state images and derived images, icon sets by width.
#include "CXTPImageManagerIcon.h"

#include <commctrl.h>

#include <cstdlib>
#include <vector>

#include "CXTPDrawHelpers.h"
#include "CXTPImageManager.h"

namespace {

// A copy of the alpha image in the slot, its pixels changed in place.
template <class Change>
void DeriveAlpha(CXTPImageManagerIconHandle& slot, const CXTPImageManagerIconHandle& source, Change change)
{
    slot.SetBitmap(source.GetBitmap());
    if (!slot.GetBitmap())
        return;
    BITMAPINFO bmi;
    std::vector<DWORD> pixels = CXTPImageManager::ReadPixels32(slot.GetBitmap(), bmi);
    if (pixels.empty())
        return;
    change(pixels.data(), pixels.size());
    HDC hdc = ::GetDC(nullptr);
    ::SetDIBits(hdc, slot.GetBitmap(), 0, -bmi.bmiHeader.biHeight, pixels.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdc);
}

// A new icon whose opaque pixels (mask black) are changed; null when the icon cannot be read.
template <class Change>
HICON DeriveIcon(HICON hIcon, Change change)
{
    ICONINFO info = {};
    if (!hIcon || !::GetIconInfo(hIcon, &info))
        return nullptr;
    HICON hResult = nullptr;
    if (info.hbmColor) {
        BITMAP bm = {};
        ::GetObjectA(info.hbmColor, sizeof(bm), &bm);
        HDC hdcColor = ::CreateCompatibleDC(nullptr), hdcMask = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOldColor = ::SelectObject(hdcColor, info.hbmColor);
        HGDIOBJ hOldMask = ::SelectObject(hdcMask, info.hbmMask);
        for (int y = 0; y < bm.bmHeight; y++)
            for (int x = 0; x < bm.bmWidth; x++)
                if (::GetPixel(hdcMask, x, y) == 0)
                    ::SetPixel(hdcColor, x, y, change(::GetPixel(hdcColor, x, y)));
        ::SelectObject(hdcColor, hOldColor);
        ::SelectObject(hdcMask, hOldMask);
        ::DeleteDC(hdcColor);
        ::DeleteDC(hdcMask);
        hResult = ::CreateIconIndirect(&info);
    }
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return hResult;
}

}  // namespace

// Handle ---------------------------------------------------------------------------------------

void CXTPImageManagerIconHandle::SetIcon(HICON hIcon)
{
    Clear();
    m_bOwner = TRUE;
    m_hIcon = hIcon;
}

void CXTPImageManagerIconHandle::AttachBitmap(HBITMAP hBitmap)
{
    Clear();
    m_bOwner = TRUE;
    m_hBitmap = hBitmap;
}

void CXTPImageManagerIconHandle::SetBitmap(HBITMAP hBitmap)
{
    Clear();
    m_bOwner = TRUE;
    m_hBitmap = hBitmap ? CXTPImageManager::CopyAlphaBitmap(hBitmap) : nullptr;
}

void CXTPImageManagerIconHandle::CopyHandle(const CXTPImageManagerIconHandle& other)
{
    if (&other == this)
        return;
    HICON hIcon = other.m_hIcon ? ::CopyIcon(other.m_hIcon) : nullptr;
    HBITMAP hBitmap = other.m_hBitmap ? CXTPImageManager::CopyAlphaBitmap(other.m_hBitmap) : nullptr;
    Clear();
    m_bOwner = TRUE;
    m_hIcon = hIcon;
    m_hBitmap = hBitmap;
}

void CXTPImageManagerIconHandle::Clear()
{
    if (m_bOwner) {
        if (m_hIcon)
            ::DestroyIcon(m_hIcon);
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
    }
    if (m_hPremultiplied)
        ::DeleteObject(m_hPremultiplied);
    m_hIcon = nullptr;
    m_hBitmap = nullptr;
    m_hPremultiplied = nullptr;
}

CSize CXTPImageManagerIconHandle::GetExtent() const
{
    if (m_hIcon)
        return CXTPImageManagerIcon::GetIconSize(m_hIcon);
    BITMAP bm = {};
    if (m_hBitmap && ::GetObjectA(m_hBitmap, sizeof(bm), &bm))
        return CSize(bm.bmWidth, bm.bmHeight);
    return CSize(0, 0);
}

// Icon -----------------------------------------------------------------------------------------

CXTPImageManagerIcon::CXTPImageManagerIcon(UINT nID, int nWidth, int nHeight, CXTPImageManagerIconSet* pIconSet)
    : m_nID(nID), m_nWidth(nWidth), m_nHeight(nHeight), m_pIconSet(pIconSet)
{
}

CXTPImageManager* CXTPImageManagerIcon::GetImageManager() const
{
    if (m_pIconSet && m_pIconSet->GetImageManager())
        return m_pIconSet->GetImageManager();
    return XTPImageManager();
}

CXTPImageManagerIconHandle& CXTPImageManagerIcon::GetFadedIcon()
{
    if (m_hFaded.IsEmpty() && !m_hIcon.IsEmpty()) {
        if (m_hIcon.IsAlpha()) {
            DeriveAlpha(m_hFaded, m_hIcon, CXTPImageManager::FadeAlphaPixels);
        } else if (CXTPDrawHelpers::IsLowResolution()) {
            m_hFaded.SetIcon(::CopyIcon(m_hIcon.GetIcon()));
        } else {
            m_hFaded.SetIcon(DeriveIcon(m_hIcon.GetIcon(), [](COLORREF clr) {
                return CXTPImageManager::LightenColor(clr, 0.3);
            }));
        }
    }
    return m_hFaded;
}

CXTPImageManagerIconHandle& CXTPImageManagerIcon::GetShadowIcon()
{
    CXTPImageManagerIconHandle& source = GetHotIcon();
    if (m_hShadow.IsEmpty() && !source.IsEmpty()) {
        const COLORREF clrShadow = CXTPImageManager::ShadowColor();
        if (source.IsAlpha()) {
            DeriveAlpha(m_hShadow, source, [clrShadow](DWORD* pixels, size_t count) {
                CXTPImageManager::ShadowAlphaPixels(pixels, count, clrShadow);
            });
        } else {
            m_hShadow.SetIcon(DeriveIcon(source.GetIcon(), [clrShadow](COLORREF) { return clrShadow; }));
        }
    }
    return m_hShadow;
}

CXTPImageManagerIconHandle& CXTPImageManagerIcon::GetDisabledIcon()
{
    if (!m_hDisabledIcon.IsEmpty())
        return m_hDisabledIcon;
    if (m_hDisabledAuto.IsEmpty() && !m_hIcon.IsEmpty()) {
        if (m_hIcon.IsAlpha()) {
            DeriveAlpha(m_hDisabledAuto, m_hIcon, CXTPImageManager::DisableAlphaPixels);
        } else {
            m_hDisabledAuto.SetIcon(DeriveIcon(m_hIcon.GetIcon(), [](COLORREF clr) {
                const BYTE grey = CXTPImageManager::DisabledGrey(clr);
                return RGB(grey, grey, grey);
            }));
        }
    }
    return m_hDisabledAuto;
}

void CXTPImageManagerIcon::SetIcon(const CXTPImageManagerIconHandle& hIcon)
{
    Clear(TRUE);
    m_hIcon.CopyHandle(hIcon);
    const CSize extent = m_hIcon.GetExtent();
    m_nWidth = extent.cx;
    m_nHeight = extent.cy;
    m_bScaled = FALSE;
    if (m_pIconSet)
        m_pIconSet->RefreshAll();
}

void CXTPImageManagerIcon::SetHotIcon(const CXTPImageManagerIconHandle& hIcon)
{
    Refresh();
    m_hHotIcon.CopyHandle(hIcon);
}

void CXTPImageManagerIcon::SetCheckedIcon(const CXTPImageManagerIconHandle& hIcon)
{
    Refresh();
    m_hCheckedIcon.CopyHandle(hIcon);
}

void CXTPImageManagerIcon::SetDisabledIcon(const CXTPImageManagerIconHandle& hIcon)
{
    Refresh();
    m_hDisabledIcon.CopyHandle(hIcon);
}

void CXTPImageManagerIcon::Refresh()
{
    m_hFaded.Clear();
    m_hShadow.Clear();
    m_hDisabledAuto.Clear();
}

void CXTPImageManagerIcon::Clear(BOOL bAll)
{
    Refresh();
    m_hHotIcon.Clear();
    m_hCheckedIcon.Clear();
    m_hDisabledIcon.Clear();
    if (bAll)
        m_hIcon.Clear();
}

CXTPImageManagerIcon* CXTPImageManagerIcon::Scale(int nWidth)
{
    if (!m_hIcon.GetIcon() || m_nWidth <= 0)
        return nullptr;
    HICON hScaled = ScaleIcon(m_hIcon.GetIcon(), GetExtent(), nWidth);
    if (!hScaled)
        return nullptr;
    auto* pIcon = new CXTPImageManagerIcon(m_nID, nWidth, MulDiv(m_nHeight, nWidth, m_nWidth), m_pIconSet);
    pIcon->m_hIcon.SetIcon(hScaled);
    CXTPImageManagerIconHandle* states[] = {&m_hDisabledIcon, &m_hHotIcon, &m_hCheckedIcon};
    CXTPImageManagerIconHandle* targets[] = {&pIcon->m_hDisabledIcon, &pIcon->m_hHotIcon, &pIcon->m_hCheckedIcon};
    for (int i = 0; i < 3; i++)
        if (states[i]->GetIcon())
            targets[i]->SetIcon(ScaleIcon(states[i]->GetIcon(), GetExtent(), nWidth));
    pIcon->m_bScaled = TRUE;
    return pIcon;
}

CSize CXTPImageManagerIcon::GetIconSize(HICON hIcon)
{
    ICONINFO info = {};
    if (!hIcon || !::GetIconInfo(hIcon, &info))
        return CSize(0, 0);
    BITMAP bm = {};
    ::GetObjectA(info.hbmMask, sizeof(bm), &bm);
    CSize size(bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return size;
}

HICON CXTPImageManagerIcon::ScaleIcon(HICON hIcon, CSize szOld, int nWidth)
{
    if (!hIcon || nWidth <= 0 || szOld.cx <= 0 || szOld.cy <= 0)
        return nullptr;
    if (nWidth == szOld.cx)
        return ::CopyIcon(hIcon);
    const int nHeight = MulDiv(szOld.cy, nWidth, szOld.cx);
    if (nHeight <= 0)
        return nullptr;
    HIMAGELIST hList = ::ImageList_Create(nWidth, nHeight, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (!hList)
        return nullptr;
    HICON hResult = nullptr;
    if (::ImageList_ReplaceIcon(hList, -1, hIcon) >= 0)
        hResult = ::ImageList_GetIcon(hList, 0, ILD_NORMAL);
    ::ImageList_Destroy(hList);
    return hResult;
}

// Icon set -------------------------------------------------------------------------------------

CXTPImageManagerIconSet::CXTPImageManagerIconSet(UINT nID, CXTPImageManager* pImageManager)
    : m_nID(nID), m_pImageManager(pImageManager)
{
    m_mapIcons.InitHashTable(17, false);
}

CXTPImageManagerIconSet::~CXTPImageManagerIconSet()
{
    RemoveAll();
}

CXTPImageManagerIcon* CXTPImageManagerIconSet::GetIcon(UINT nWidth, BOOL bScaled)
{
    CXTPImageManagerIcon* pIcon = nullptr;
    if (m_mapIcons.Lookup(nWidth, pIcon))
        return pIcon;
    if (!bScaled || m_mapIcons.IsEmpty())
        return nullptr;

    CXTPImageManagerIcon* pNearest = nullptr;
    long long nBest = 0;
    UINT nKey;
    for (POSITION pos = m_mapIcons.GetStartPosition(); pos;) {
        m_mapIcons.GetNextAssoc(pos, nKey, pIcon);
        const long long nDistance = std::llabs(static_cast<long long>(nKey) - static_cast<long long>(nWidth));
        if (!pNearest || nDistance < nBest) {
            pNearest = pIcon;
            nBest = nDistance;
        }
    }
    if (pNearest->IsAlpha() || nWidth == 0)
        return pNearest;
    CXTPImageManagerIcon* pScaled = pNearest->Scale(static_cast<int>(nWidth));
    if (!pScaled)
        return pNearest;
    m_mapIcons[nWidth] = pScaled;
    return pScaled;
}

CXTPImageManagerIcon* CXTPImageManagerIconSet::CreateIcon(UINT nWidth)
{
    CXTPImageManagerIcon* pIcon = nullptr;
    if (!m_mapIcons.Lookup(nWidth, pIcon)) {
        pIcon = new CXTPImageManagerIcon(m_nID, static_cast<int>(nWidth), 15, this);
        m_mapIcons[nWidth] = pIcon;
    }
    return pIcon;
}

void CXTPImageManagerIconSet::SetIcon(const CXTPImageManagerIconHandle& hIcon, UINT nWidth)
{
    CreateIcon(nWidth)->SetIcon(hIcon);
}

void CXTPImageManagerIconSet::SetDisabledIcon(const CXTPImageManagerIconHandle& hIcon, UINT nWidth)
{
    CreateIcon(nWidth)->SetDisabledIcon(hIcon);
}

void CXTPImageManagerIconSet::SetHotIcon(const CXTPImageManagerIconHandle& hIcon, UINT nWidth)
{
    CreateIcon(nWidth)->SetHotIcon(hIcon);
}

void CXTPImageManagerIconSet::SetCheckedIcon(const CXTPImageManagerIconHandle& hIcon, UINT nWidth)
{
    CreateIcon(nWidth)->SetCheckedIcon(hIcon);
}

void CXTPImageManagerIconSet::RefreshAll()
{
    std::vector<UINT> scaled;
    UINT nKey;
    CXTPImageManagerIcon* pIcon;
    for (POSITION pos = m_mapIcons.GetStartPosition(); pos;) {
        m_mapIcons.GetNextAssoc(pos, nKey, pIcon);
        if (pIcon->IsScaled())
            scaled.push_back(nKey);
        else
            pIcon->Refresh();
    }
    for (UINT nWidth : scaled) {
        m_mapIcons.Lookup(nWidth, pIcon);
        m_mapIcons.RemoveKey(nWidth);
        pIcon->InternalRelease();
    }
}

void CXTPImageManagerIconSet::RemoveAll()
{
    UINT nKey;
    CXTPImageManagerIcon* pIcon;
    for (POSITION pos = m_mapIcons.GetStartPosition(); pos;) {
        m_mapIcons.GetNextAssoc(pos, nKey, pIcon);
        pIcon->InternalRelease();
    }
    m_mapIcons.RemoveAll();
}
