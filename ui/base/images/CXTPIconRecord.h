// The stored form of an icon's images: plain data, read field by field and checked on reading.
#pragma once

#include <vector>

#include "WinTypes.h"

class CArchive;

// One bitmap: the fields of its info header, three colour masks (or the two colours of a
// monochrome bitmap) and its pixel rows.
struct CXTPBitmapRecord {
    enum { rgb = 0, bitFields = 3 };  // compression

    BOOL present = FALSE;
    LONG width = 0, height = 0;  // a negative height: rows top-down
    WORD bitCount = 0;
    DWORD compression = rgb;
    LONG xPelsPerMeter = 0, yPelsPerMeter = 0;
    DWORD clrImportant = 0;
    DWORD masks[3] = {};
    std::vector<BYTE> bits;

    // Bytes of the pixel rows the header describes, rows padded to whole DWORDs.
    DWORD ImageSize() const;
};

class CXTPIconRecord {
public:
    enum { currentVersion = 17, maxSide = 4096 };
    enum { imageNormal, imageDisabled, imageHot, imageChecked, imageCount };

    DWORD height = 15;
    DWORD version = currentVersion;
    // Each image: an icon's colour bitmap and mask, an alpha bitmap and nothing, or neither.
    CXTPBitmapRecord images[imageCount][2];

    // Writes the current version: the checked image always.
    void Write(CArchive& ar) const;
    // A record whose header sizes, depths, dimensions or pixel counts do not fit, or an
    // alpha image of another depth than 32 bits, throws the archive exception.
    void Read(CArchive& ar);

    static void WriteBitmap(CArchive& ar, const CXTPBitmapRecord& bitmap);
    static void ReadBitmap(CArchive& ar, CXTPBitmapRecord& bitmap);
};
