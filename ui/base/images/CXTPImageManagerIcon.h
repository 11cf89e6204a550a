// Command images: an image handle (icon or alpha bitmap), an icon with its seven state images,
// and the set of icons of one command by pixel width.
#pragma once

#include <windows.h>

#include "CCmdTarget.h"
#include "CMap.h"
#include "CRect.h"

class CArchive;
class CDC;
class CXTPImageManager;
class CXTPImageManagerIconSet;

class CXTPImageManagerIconHandle {
public:
    CXTPImageManagerIconHandle() = default;
    CXTPImageManagerIconHandle(HICON hIcon) : m_hIcon(hIcon), m_bOwner(FALSE) {}
    CXTPImageManagerIconHandle(HBITMAP hBitmap) : m_hBitmap(hBitmap), m_bOwner(FALSE) {}
    // Shares the other's icon and bitmap without owning them.
    CXTPImageManagerIconHandle(const CXTPImageManagerIconHandle& other)
        : m_hIcon(other.m_hIcon), m_hBitmap(other.m_hBitmap), m_bOwner(FALSE)
    {
    }
    CXTPImageManagerIconHandle& operator=(const CXTPImageManagerIconHandle&) = delete;
    ~CXTPImageManagerIconHandle() { Clear(); }

    void SetIcon(HICON hIcon);
    void AttachBitmap(HBITMAP hBitmap);
    // An owned copy of a 32-bit bitmap.
    void SetBitmap(HBITMAP hBitmap);
    // Owned copies of the other's icon and bitmap.
    void CopyHandle(const CXTPImageManagerIconHandle& other);
    // The other's icon and bitmap with their ownership, the other left empty; copies of them
    // when the other does not own them.
    void TakeHandle(CXTPImageManagerIconHandle& other);
    void Clear();

    BOOL IsEmpty() const { return !m_hIcon && !m_hBitmap; }
    BOOL IsAlpha() const { return m_hBitmap != nullptr; }
    HICON GetIcon() const { return m_hIcon; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    CSize GetExtent() const;
    // Makes the premultiplied copy drawing blends, once; TRUE when it exists.
    BOOL PreMultiply();
    HBITMAP GetPremultipliedBitmap() const { return m_hPremultiplied; }
    // A plain icon as a premultiplied 32-bit bitmap with its mask for alpha, made once, so that
    // drawing it is one blend; NULL for icons that only the system's icon drawing shows right
    // (inverting pixels, their own alpha, monochrome).
    HBITMAP GetMaskedBitmap();

private:
    HICON m_hIcon = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HBITMAP m_hPremultiplied = nullptr;  // drawing cache
    HBITMAP m_hMasked = nullptr;         // drawing cache of a plain icon
    BOOL m_bMaskedTried = FALSE;
    BOOL m_bOwner = TRUE;
};

class CXTPImageManagerIcon : public CCmdTarget {
public:
    CXTPImageManagerIcon(UINT nID, int nWidth, int nHeight = 15, CXTPImageManagerIconSet* pIconSet = nullptr);

    UINT GetID() const { return m_nID; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    CSize GetExtent() const { return CSize(m_nWidth, m_nHeight); }
    BOOL IsScaled() const { return m_bScaled; }
    BOOL IsAlpha() const { return m_hIcon.IsAlpha(); }
    CXTPImageManager* GetImageManager() const;

    CXTPImageManagerIconHandle& GetIcon() { return m_hIcon; }
    CXTPImageManagerIconHandle& GetFadedIcon();
    CXTPImageManagerIconHandle& GetShadowIcon();
    CXTPImageManagerIconHandle& GetHotIcon() { return m_hHotIcon.IsEmpty() ? m_hIcon : m_hHotIcon; }
    CXTPImageManagerIconHandle& GetCheckedIcon() { return m_hCheckedIcon.IsEmpty() ? GetHotIcon() : m_hCheckedIcon; }
    CXTPImageManagerIconHandle& GetDisabledIcon();

    void SetIcon(const CXTPImageManagerIconHandle& hIcon);
    void SetIcon(CXTPImageManagerIconHandle&& hIcon);
    void SetHotIcon(const CXTPImageManagerIconHandle& hIcon);
    void SetCheckedIcon(const CXTPImageManagerIconHandle& hIcon);
    void SetDisabledIcon(const CXTPImageManagerIconHandle& hIcon);

    // Drops the derived images (faded, shadow, automatically disabled).
    void Refresh();
    // Drops every image but the normal one; that too with bAll.
    void Clear(BOOL bAll);
    // A new icon of this id scaled to the width, or null when the normal image holds no icon.
    CXTPImageManagerIcon* Scale(int nWidth);

    static CSize GetIconSize(HICON hIcon);
    static HICON ScaleIcon(HICON hIcon, CSize szOld, int nWidth);

    // Draws one image; size (0,0) is the icon's width and the height in proportion. Icons
    // are mirrored under the manager's right-to-left switch; alpha images are stretched.
    void Draw(CDC* pDC, CPoint pt, CXTPImageManagerIconHandle& hIcon, CSize szIcon = CSize(0, 0));
    // The image as a silhouette of one colour (icons only).
    void DrawMono(CDC* pDC, CPoint pt, CXTPImageManagerIconHandle& hIcon, COLORREF clr);

    // Height, version, then the normal, disabled, hot and checked images. A record whose
    // counts or headers do not fit throws the archive exception.
    void Serialize(CArchive& ar) override;

private:
    friend class CXTPImageManagerIconSet;

    // Size and derived images follow a new normal image.
    void IconChanged();

    UINT m_nID;
    int m_nWidth, m_nHeight;
    CXTPImageManagerIconHandle m_hIcon, m_hFaded, m_hShadow, m_hHotIcon, m_hCheckedIcon, m_hDisabledIcon,
        m_hDisabledAuto;
    BOOL m_bScaled = FALSE;
    CXTPImageManagerIconSet* m_pIconSet;
};

class CXTPImageManagerIconSet : public CCmdTarget {
public:
    typedef CMap<UINT, UINT, CXTPImageManagerIcon*, CXTPImageManagerIcon*> CIconMap;

    CXTPImageManagerIconSet(UINT nID, CXTPImageManager* pImageManager);
    ~CXTPImageManagerIconSet() override;

    UINT GetID() const { return m_nID; }
    CXTPImageManager* GetImageManager() const { return m_pImageManager; }
    CIconMap& GetIcons() { return m_mapIcons; }

    // The icon of the width; with bScaled, else the nearest (scaled unless it is an alpha icon).
    CXTPImageManagerIcon* GetIcon(UINT nWidth, BOOL bScaled = TRUE);
    CXTPImageManagerIcon* CreateIcon(UINT nWidth);
    void SetIcon(const CXTPImageManagerIconHandle& hIcon, UINT nWidth);
    void SetIcon(CXTPImageManagerIconHandle&& hIcon, UINT nWidth);
    void SetDisabledIcon(const CXTPImageManagerIconHandle& hIcon, UINT nWidth);
    void SetHotIcon(const CXTPImageManagerIconHandle& hIcon, UINT nWidth);
    void SetCheckedIcon(const CXTPImageManagerIconHandle& hIcon, UINT nWidth);
    // Scaled icons go; the others drop their derived images.
    void RefreshAll();
    void RemoveAll();

private:
    UINT m_nID;
    CXTPImageManager* m_pImageManager;
    CIconMap m_mapIcons;
};
