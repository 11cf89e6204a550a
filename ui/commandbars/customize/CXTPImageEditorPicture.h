// The button image editor's picture: a 32-bit DIB section of the picture size and its alpha flag,
// with the pixel operations of the editor's tools and the readers of pasted and imported images.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "CRect.h"

class CXTPImageManagerIconHandle;

class CXTPImageEditorPicture {
public:
    // A pixel of this value is transparent everywhere in the editor.
    static constexpr COLORREF transparent = 0xFFFEFF;
    // Sides past this are refused when reading outside data.
    enum { maxSide = 256 };

    CXTPImageEditorPicture() = default;
    ~CXTPImageEditorPicture();
    CXTPImageEditorPicture(CXTPImageEditorPicture&& other) noexcept;
    CXTPImageEditorPicture& operator=(CXTPImageEditorPicture&& other) noexcept;
    CXTPImageEditorPicture(const CXTPImageEditorPicture&) = delete;
    CXTPImageEditorPicture& operator=(const CXTPImageEditorPicture&) = delete;

    // A picture of the size filled with the transparent colour, without alpha.
    BOOL Create(CSize size);
    // A copy of the other picture: its size, pixels and alpha flag.
    BOOL CopyFrom(const CXTPImageEditorPicture& other);
    void Destroy();

    BOOL IsEmpty() const { return m_hBitmap == nullptr; }
    CSize GetSize() const { return m_size; }
    HBITMAP GetSafeHandle() const { return m_hBitmap; }
    BOOL IsAlpha() const { return m_bAlpha; }
    void SetAlpha(BOOL bAlpha) { m_bAlpha = bAlpha; }

    // Rows top-down; a point outside gives the transparent colour and sets nothing.
    COLORREF GetPixel(int x, int y) const;
    BYTE GetAlpha(int x, int y) const;
    // The colour, opaque.
    void SetPixel(int x, int y, COLORREF clr);
    // Every pixel the colour.
    void Fill(COLORREF clr);
    // The area of the pixel's colour reached through its four neighbours takes the colour.
    void FloodFill(int x, int y, COLORREF clr);
    // Shifted by (dx, dy); uncovered pixels become transparent.
    void Shift(int dx, int dy);
    // The tools' shapes from one cell to another, drawn with the system's pen.
    enum Shape { shapeLine, shapeRectangle, shapeEllipse };
    void DrawShape(Shape shape, CPoint ptFrom, CPoint ptTo, COLORREF clr);
    // For an alpha picture: pixels whose colour differs from the previous picture's and is not
    // the transparent colour become opaque; the others keep the previous picture's word.
    void KeepAlphaOf(const CXTPImageEditorPicture& previous);

    // The picture becomes the icon's: its size, and its alpha when it is an alpha bitmap (the
    // empty pixels turned transparent); a plain icon is drawn over the transparent colour.
    BOOL SetIcon(const CXTPImageManagerIconHandle& hIcon);
    // The picture as an icon: an alpha picture as an alpha bitmap whose transparent pixels
    // are empty, any other through a masked image list; FALSE when none could be made.
    BOOL GetIcon(CXTPImageManagerIconHandle& hIcon) const;

    // Draws a bitmap over the transparent colour at the top left, cut to the picture's size;
    // bAlpha keeps the bitmap's alpha channel (a 32-bit bitmap) and makes this an alpha picture.
    BOOL DrawBitmap(HBITMAP hBitmap, BOOL bAlpha);
    // The same for a packed device-independent bitmap (an info header, masks or colours, rows)
    // as the clipboard holds it. FALSE, the picture untouched, when its header or sizes do
    // not fit the bytes.
    BOOL DrawPackedDib(const BYTE* pData, std::size_t nSize, BOOL bAlpha);
    // The sound image of an icon file that fits the picture best, drawn at the picture's size;
    // FALSE, the picture untouched, when the file's directory, headers or sizes do not fit.
    BOOL DrawIconFile(const BYTE* pData, std::size_t nSize);
    // A bitmap file's image, checked as DrawPackedDib checks.
    BOOL DrawBitmapFile(const BYTE* pData, std::size_t nSize);
    // Any picture the system's picture loader reads (metafiles, GIF, JPEG ...), rendered at
    // the picture's size.
    BOOL DrawPictureFile(const BYTE* pData, std::size_t nSize);

private:
    DWORD* Word(int x, int y) const;
    BOOL Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_size.cx && y < m_size.cy; }

    HBITMAP m_hBitmap = nullptr;
    DWORD* m_pBits = nullptr;  // bottom-up rows of 0xAARRGGBB
    CSize m_size;
    BOOL m_bAlpha = FALSE;
};
