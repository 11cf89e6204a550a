// Image handles, icons with their state images (derived, drawn, stored) and icon sets by width.
#include "CXTPImageManagerIcon.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "CArchive.h"
#include "CDC.h"
#include "CXTPBufferDC.h"
#include "CXTPDrawHelpers.h"
#include "CXTPIconRecord.h"
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

CSize BitmapSize(HBITMAP hBitmap)
{
    BITMAP bm = {};
    return ::GetObjectA(hBitmap, sizeof(bm), &bm) ? CSize(bm.bmWidth, bm.bmHeight) : CSize(0, 0);
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

void CXTPImageManagerIconHandle::TakeHandle(CXTPImageManagerIconHandle& other)
{
    if (&other == this)
        return;
    // A handle that only shares its images has nothing to hand over: they are copied.
    if (!other.m_bOwner) {
        CopyHandle(other);
        return;
    }
    Clear();
    m_hIcon = other.m_hIcon;
    m_hBitmap = other.m_hBitmap;
    m_bOwner = other.m_bOwner;
    other.m_hIcon = nullptr;
    other.m_hBitmap = nullptr;
    other.Clear();
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
    if (m_hMasked)
        ::DeleteObject(m_hMasked);
    m_hIcon = nullptr;
    m_hBitmap = nullptr;
    m_hPremultiplied = nullptr;
    m_hMasked = nullptr;
    m_bMaskedTried = FALSE;
}

HBITMAP CXTPImageManagerIconHandle::GetMaskedBitmap()
{
    if (m_bMaskedTried || !m_hIcon)
        return m_hMasked;
    m_bMaskedTried = TRUE;
    ICONINFO info = {};
    if (!::GetIconInfo(m_hIcon, &info))
        return nullptr;
    BITMAP bm = {};
    if (info.hbmColor && ::GetObjectA(info.hbmColor, sizeof(bm), &bm) && bm.bmWidth > 0 && bm.bmHeight > 0 &&
        bm.bmWidth <= 256 && bm.bmHeight <= 256) {
        const int cx = bm.bmWidth, cy = bm.bmHeight;
        std::vector<DWORD> color(static_cast<size_t>(cx) * cy), mask(color.size());
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        BITMAPINFO bmiMask = bmi;
        HDC hdcScreen = ::GetDC(nullptr);
        const bool bRead = ::GetDIBits(hdcScreen, info.hbmColor, 0, cy, color.data(), &bmi, DIB_RGB_COLORS) == cy &&
                           ::GetDIBits(hdcScreen, info.hbmMask, 0, cy, mask.data(), &bmiMask, DIB_RGB_COLORS) == cy;
        ::ReleaseDC(nullptr, hdcScreen);
        bool bPlain = bRead;
        for (size_t i = 0; bPlain && i < color.size(); i++) {
            if (color[i] & 0xFF000000)
                bPlain = false;  // an icon with its own alpha
            else if ((mask[i] & 0xFFFFFF) && (color[i] & 0xFFFFFF))
                bPlain = false;  // a pixel that inverts the background
            else
                color[i] = (mask[i] & 0xFFFFFF) ? 0 : (color[i] | 0xFF000000);
        }
        void* pBits = nullptr;
        HBITMAP hMasked = bPlain ? ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0) : nullptr;
        if (hMasked && pBits) {
            std::memcpy(pBits, color.data(), color.size() * sizeof(DWORD));
            m_hMasked = hMasked;
        } else if (hMasked) {
            ::DeleteObject(hMasked);
        }
    }
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return m_hMasked;
}

BOOL CXTPImageManagerIconHandle::PreMultiply()
{
    if (m_hPremultiplied)
        return TRUE;
    if (m_hBitmap) {
        m_hPremultiplied = CXTPImageManager::PreMultiplyAlphaBitmap(m_hBitmap);
    } else if (ICONINFO info = {}; m_hIcon && ::GetIconInfo(m_hIcon, &info)) {
        m_hPremultiplied = CXTPImageManager::PreMultiplyAlphaBitmap(info.hbmColor);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }
    return m_hPremultiplied != nullptr;
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
    IconChanged();
}

void CXTPImageManagerIcon::SetIcon(CXTPImageManagerIconHandle&& hIcon)
{
    Clear(TRUE);
    m_hIcon.TakeHandle(hIcon);
    IconChanged();
}

void CXTPImageManagerIcon::IconChanged()
{
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

void CXTPImageManagerIcon::Draw(CDC* pDC, CPoint pt, CXTPImageManagerIconHandle& hIcon, CSize szIcon)
{
    if (!pDC || hIcon.IsEmpty())
        return;
    if (szIcon.cx == 0)
        szIcon.cx = m_nWidth;
    if (szIcon.cy == 0)
        szIcon.cy = m_nWidth ? m_nHeight * szIcon.cx / m_nWidth : 0;

    if (hIcon.IsAlpha()) {
        if (hIcon.PreMultiply())
            CXTPImageManager::DrawAlphaBitmap(pDC, pt.x, pt.y, hIcon.GetPremultipliedBitmap(), szIcon.cx, szIcon.cy,
                                              m_nWidth, m_nHeight);
        return;
    }
    if (GetImageManager()->m_bDrawReverted) {
        pt.x += szIcon.cx;
        szIcon.cx = -szIcon.cx;
    }
    if (pDC->IsPrinting()) {
        // Printer drivers take a masked image list where they may fail on an icon.
        HIMAGELIST hList = ::ImageList_Create(szIcon.cx, szIcon.cy, ILC_COLOR24 | ILC_MASK, 1, 0);
        if (hList) {
            ::ImageList_ReplaceIcon(hList, -1, hIcon.GetIcon());
            ::ImageList_Draw(hList, 0, pDC->GetSafeHdc(), pt.x, pt.y, ILD_NORMAL);
            ::ImageList_Destroy(hList);
        }
    } else if (HBITMAP hMasked = szIcon.cx > 0 && XTPImageManager()->IsAlphaIconsSupported() ? hIcon.GetMaskedBitmap()
                                                                                          : nullptr;
               hMasked && BitmapSize(hMasked) == szIcon) {
        // One blend from a cached bitmap: the system's icon drawing makes scratch bitmaps on every
        // call, which under some window systems means a round trip to the display each time.
        CXTPImageManager::DrawAlphaBitmap(pDC, pt.x, pt.y, hMasked, szIcon.cx, szIcon.cy, szIcon.cx, szIcon.cy);
    } else {
        ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, hIcon.GetIcon(), szIcon.cx, szIcon.cy, 0, nullptr, DI_NORMAL);
    }
}

void CXTPImageManagerIcon::DrawMono(CDC* pDC, CPoint pt, CXTPImageManagerIconHandle& hIcon, COLORREF clr)
{
    if (!pDC || hIcon.IsEmpty() || hIcon.IsAlpha())
        return;
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    if (GetImageManager()->m_bDrawReverted) {
        // DrawState takes no mirrored icon: the icon goes through a bitmap on white first.
        HBITMAP hBitmap = ::CreateCompatibleBitmap(pDC->GetSafeHdc(), m_nWidth, m_nHeight);
        {
            CXTPCompatibleDC dc(pDC, hBitmap);
            RECT rc = {0, 0, m_nWidth, m_nHeight};
            ::FillRect(dc.GetSafeHdc(), &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            ::DrawIconEx(dc.GetSafeHdc(), 0, 0, hIcon.GetIcon(), m_nWidth, m_nHeight, 0, nullptr, DI_NORMAL);
        }
        ::DrawStateA(pDC->GetSafeHdc(), hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y, m_nWidth,
                     m_nHeight, DST_BITMAP | DSS_MONO);
        ::DeleteObject(hBitmap);
    } else {
        ::DrawStateA(pDC->GetSafeHdc(), hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon.GetIcon()), 0, pt.x, pt.y, 0,
                     0, DST_ICON | DSS_MONO);
    }
    ::DeleteObject(hBrush);
}

// Icon records -------------------------------------------------------------------------------

namespace {

// Deletes a bitmap unless it is taken.
struct BitmapHolder {
    HBITMAP hBitmap = nullptr;
    ~BitmapHolder()
    {
        if (hBitmap)
            ::DeleteObject(hBitmap);
    }
    HBITMAP Take()
    {
        HBITMAP h = hBitmap;
        hBitmap = nullptr;
        return h;
    }
};

// The bitmap as GetDIBits reports it; absent when it cannot be read.
CXTPBitmapRecord BitmapRecord(HBITMAP hBitmap)
{
    CXTPBitmapRecord record;
    XTP_BITMAPINFO52 info;
    if (!hBitmap || !CXTPImageManager::GetBitmapBits(nullptr, hBitmap, info, record.bits))
        return record;
    const BITMAPINFOHEADER& h = info.bmiHeader;
    record.present = TRUE;
    record.width = h.biWidth;
    record.height = h.biHeight;
    record.bitCount = h.biBitCount;
    record.compression = h.biCompression;
    record.xPelsPerMeter = h.biXPelsPerMeter;
    record.yPelsPerMeter = h.biYPelsPerMeter;
    record.clrImportant = h.biClrImportant;
    for (int i = 0; i < 3; i++)
        record.masks[i] = info.bmiColors[i];
    return record;
}

void StoreImage(CXTPImageManagerIconHandle& hImage, CXTPBitmapRecord (&bitmaps)[2])
{
    if (hImage.IsAlpha()) {
        bitmaps[0] = BitmapRecord(hImage.GetBitmap());
        return;
    }
    ICONINFO info = {};
    if (hImage.GetIcon() && ::GetIconInfo(hImage.GetIcon(), &info)) {
        BitmapHolder color{info.hbmColor}, mask{info.hbmMask};
        bitmaps[0] = BitmapRecord(color.hBitmap);
        bitmaps[1] = BitmapRecord(mask.hBitmap);
    }
}

// A DIB section of a record read and checked; null for an absent one.
HBITMAP CreateBitmap(const CXTPBitmapRecord& record)
{
    HBITMAP hBitmap = CXTPImageManager::CreateBitmapFromRecord(record);
    if (record.present && !hBitmap)
        AfxThrowMemoryException();
    return hBitmap;
}

void LoadImage(CXTPImageManagerIconHandle& hImage, const CXTPBitmapRecord (&bitmaps)[2])
{
    hImage.Clear();
    BitmapHolder color, mask;
    color.hBitmap = CreateBitmap(bitmaps[0]);
    mask.hBitmap = CreateBitmap(bitmaps[1]);
    if (color.hBitmap && mask.hBitmap) {
        HIMAGELIST hList = ::ImageList_Create(bitmaps[0].width, bitmaps[0].height < 0 ? -bitmaps[0].height
                                                                                       : bitmaps[0].height,
                                              ILC_COLOR24 | ILC_MASK, 0, 1);
        if (hList) {
            if (::ImageList_Add(hList, color.hBitmap, mask.hBitmap) >= 0)
                hImage.SetIcon(::ImageList_GetIcon(hList, 0, ILD_NORMAL));
            ::ImageList_Destroy(hList);
        }
    } else if (color.hBitmap) {
        hImage.AttachBitmap(color.Take());
    }
}

}  // namespace

void CXTPImageManagerIcon::Serialize(CArchive& ar)
{
    CXTPImageManagerIconHandle* slots[CXTPIconRecord::imageCount] = {&m_hIcon, &m_hDisabledIcon, &m_hHotIcon,
                                                                     &m_hCheckedIcon};
    CXTPIconRecord record;
    if (ar.IsStoring()) {
        record.height = static_cast<DWORD>(m_nHeight);
        for (int i = 0; i < CXTPIconRecord::imageCount; i++)
            StoreImage(*slots[i], record.images[i]);
        record.Write(ar);
        return;
    }
    record.Read(ar);
    Clear(TRUE);
    m_nHeight = static_cast<int>(record.height);
    for (int i = 0; i < CXTPIconRecord::imageCount; i++)
        LoadImage(*slots[i], record.images[i]);
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

void CXTPImageManagerIconSet::SetIcon(CXTPImageManagerIconHandle&& hIcon, UINT nWidth)
{
    CreateIcon(nWidth)->SetIcon(std::move(hIcon));
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
