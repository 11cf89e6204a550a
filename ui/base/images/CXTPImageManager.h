// The image manager: command images by id and width, derived looks, alpha bitmaps, persistence, clipboard.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <vector>

#include "CCmdTarget.h"
#include "CMap.h"
#include "CXTPImageManagerIcon.h"

class CDC;
class CXTPPropExchange;
struct CXTPBitmapRecord;
class COleDataObject;

// A bitmap's header as GetDIBits reports it, with room for three colour masks (or the two
// colours of a monochrome bitmap): the 52-byte info block of pixel transfers and records.
struct XTP_BITMAPINFO52 {
    BITMAPINFOHEADER bmiHeader;
    DWORD bmiColors[3];
    BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

// Pixels here are 32-bit DIB words 0xAARRGGBB with straight (not premultiplied) alpha.
class CXTPImageManager : public CCmdTarget {
public:
    // Image states when adding.
    enum { stateNormal = 0, stateDisabled = 1, stateHot = 2, stateChecked = 3 };
    enum { kFirstCustomID = 68266 };

    CXTPImageManager();
    ~CXTPImageManager() override;

    // Stores an owned copy of the image for the command in the state; size (0,0) means the image's own.
    BOOL SetIcon(const CXTPImageManagerIconHandle& hIcon, UINT nID, CSize szIcon = CSize(0, 0),
                 int nState = stateNormal);
    // The same, taking over the handle's images instead of copying them.
    BOOL SetIcon(CXTPImageManagerIconHandle&& hIcon, UINT nID, CSize szIcon = CSize(0, 0), int nState = stateNormal);
    // Images of a toolbar resource (type 241) cut from its bitmap (or another bitmap resource).
    BOOL SetIcons(UINT nIDToolBar, int nState = stateNormal) { return SetIconsWithBitmap(nIDToolBar, nIDToolBar, nState); }
    BOOL SetIconsWithBitmap(UINT nIDToolBar, UINT nIDBitmap, int nState = stateNormal);
    // Size (0,0): one image per id across the bitmap; count 0: as many as the width holds.
    BOOL SetIconsFromBitmapResource(UINT nIDBitmap, const UINT* pIDs, int nCount, CSize szIcon, int nState);
    BOOL SetIconsFromBitmap(HBITMAP hBitmap, const UINT* pIDs, int nCount, int cx, int cy, int nState, BOOL bAlpha);
    BOOL SetIconsFromImageList(HIMAGELIST hImageList, const UINT* pIDs, int nCount, CSize szIcon, int nState);
    // The non-zero command ids and button size of toolbar resource data; FALSE when the data is
    // short of its count or holds no command at all.
    static BOOL ParseToolBarResource(const BYTE* pData, size_t nSize, std::vector<UINT>& arrIDs, CSize& szButton);

    // A new id above the last custom one, with the image as its normal image.
    UINT AddCustomIcon(const CXTPImageManagerIconHandle& hIcon);
    CXTPImageManagerIcon* GetImage(UINT nID, int nWidth = 16) const;
    CXTPImageManagerIconSet* GetIconSet(UINT nID) const;
    void RemoveAll();
    void RefreshAll();
    BOOL IsAlphaIconsSupported() const { return m_pfnAlphaBlend != nullptr; }

    // A 32-bit DIB section holding a copy of the bitmap, or null.
    static HBITMAP CopyAlphaBitmap(HBITMAP hBitmap);
    // Header and pixels of a 32-bit bitmap in its stored row order; FALSE (both left empty)
    // for another depth or when they cannot be read.
    static BOOL GetBitmapBits32(HDC hDC, HBITMAP hBitmap, XTP_BITMAPINFO52& info, std::vector<BYTE>& bits);
    // The same for a bitmap of any depth whose header fits the block (1, 16, 24 or 32 bits;
    // others are read as 32 bits).
    static BOOL GetBitmapBits(HDC hDC, HBITMAP hBitmap, XTP_BITMAPINFO52& info, std::vector<BYTE>& bits);
    // A new DIB section with each colour channel multiplied by alpha / 255, or null.
    static HBITMAP PreMultiplyAlphaBitmap(HBITMAP hBitmap);
    // Blends a premultiplied bitmap, stretched from (srcCx, srcCy) — (cx, cy) when both are 0.
    static void DrawAlphaBitmap(CDC* pDC, int x, int y, HBITMAP hBitmap, int cx, int cy, int srcCx = 0,
                                int srcCy = 0);
    // Cuts a horizontal 32-bit strip into nCount bitmaps; FALSE (none left made) on failure.
    static BOOL SplitAlphaBitmap(HBITMAP hBitmap, int nCount, HBITMAP* pBitmaps);
    // A 32-bit DIB section of an RT_BITMAP resource of 32 bits per pixel, or null.
    static HBITMAP LoadAlphaBitmap(UINT nIDResource);
    static BOOL IsAlphaBitmapResource(UINT nIDResource);
    // A .bmp file of 32 bits per pixel.
    static BOOL IsAlphaBitmapFile(LPCSTR lpszFileName);
    // The first 32-bit image of an .ico file of the width (any, with 0), or null.
    static HBITMAP LoadAlphaIcon(LPCSTR lpszFileName, int nWidth);
    // The same from the file's bytes.
    static HBITMAP LoadAlphaIconData(const BYTE* pData, size_t nSize, int nWidth);
    // A DIB section of a bitmap of a record (pixels and header as stored); null when absent
    // or when it cannot be made.
    static HBITMAP CreateBitmapFromRecord(const CXTPBitmapRecord& record);
    static COLORREF GetBitmapPixel(HBITMAP hBitmap, int x, int y);

    // Saves or loads every icon set (section "IconSet"); through an archive in Serialize.
    void DoPropExchange(CXTPPropExchange* pPX);
    void Serialize(CArchive& ar) override;
    // Saves or loads the set of one command. A wrong check sum or a damaged icon throws the
    // archive exception; a failed load leaves the set as it was.
    void ExchangeIconSet(UINT nID, CXTPPropExchange* pPX);
    // Puts the set of the command on the clipboard, which the caller has opened and emptied.
    BOOL CopyIconToClipboard(UINT nID);
    // A new custom id holding the set of the clipboard data; 0 when there is none of the
    // format or it is damaged (nothing is added then).
    UINT PasteIconFromClipboard(COleDataObject* pDataObject);

    // Clipboard formats "Vivoru ToolBar Image" and "Alpha Bitmap Image".
    static const UINT m_nImageClipFormat;
    static const UINT m_nAlphaClipFormat;

    // The bitmap's pixels as 32-bit words, top-down, and the header that reads and writes them;
    // empty when they cannot be read.
    static std::vector<DWORD> ReadPixels32(HBITMAP hBitmap, BITMAPINFO& bmi);

    COLORREF m_clrMask = (COLORREF)-1;
    BOOL m_bDrawReverted = FALSE;  // right-to-left: icons drawn mirrored
    UINT m_nCustomID = kFirstCustomID;

    // Process-wide tunables of the disabled look: grey = 255 × luminance ^ exponent, alpha / divisor.
    static double m_dDisabledBrightnessFactor;
    static double m_dDisabledAlphaFactor;

    // Each channel trunc(c × (1 − w) + 255 × w).
    static COLORREF LightenColor(COLORREF clr, double dFactor);
    // The grey a pixel of an automatically disabled image takes.
    static BYTE DisabledGrey(COLORREF clr);
    // Colour index 31 of the colour table darkened to three quarters.
    static COLORREF ShadowColor();

    // In place, alpha kept: channels trunc(c × 0.7 + 76.5).
    static void FadeAlphaPixels(DWORD* pPixels, size_t nCount);
    // In place, alpha kept: every pixel takes the colour, so the shadow keeps the image's shape.
    static void ShadowAlphaPixels(DWORD* pPixels, size_t nCount, COLORREF clrShadow);
    // In place: channels the disabled grey, alpha divided by the divisor.
    static void DisableAlphaPixels(DWORD* pPixels, size_t nCount);

private:
    typedef BOOL(WINAPI* PFNALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

    CMap<UINT, UINT, CXTPImageManagerIconSet*, CXTPImageManagerIconSet*> m_mapImages;
    HMODULE m_hMsImg32 = nullptr;
    PFNALPHABLEND m_pfnAlphaBlend = nullptr;
    HDC m_hBlendDC = nullptr;  // the source DC of blends, made on first use
};

// The process-wide image manager.
CXTPImageManager* XTPImageManager();
