// Image lists of the common controls: pictures of one size with an optional mask.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "CObject.h"

class CBitmap;
class CDC;

// Owns the list it was attached to or created: the destructor destroys it.
// FromHandle objects are temporary.
class CImageList : public CObject {
    DECLARE_DYNCREATE(CImageList)

public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    ~CImageList() override;

    HIMAGELIST m_hImageList = nullptr;
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }

    static CImageList* FromHandle(HIMAGELIST hImageList);
    static void DeleteTempMap();
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();

    // nFlags: ILC_COLOR... and ILC_MASK.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // Pictures cx wide cut from a bitmap resource; crMask marks the transparent colour.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL DeleteImageList();

    int GetImageCount() const;
    BOOL SetImageCount(UINT uNewCount);
    BOOL GetIconSize(int& cx, int& cy) const;
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;

    // The index of the first picture added, or -1.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon);
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    int Replace(int nImage, HICON hIcon);
    BOOL Remove(int nImage);  // -1 removes all

    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    // A new icon the caller destroys.
    HICON ExtractIcon(int nImage);

private:
    friend struct ImageListMapAccess;
};
