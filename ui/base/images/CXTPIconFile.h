// The 32-bit images of .ico files, found by the directory and checked against the file's bytes.
#pragma once

#include <cstddef>

#include "CXTPIconRecord.h"

class CXTPIconFile {
public:
    // The first image of 32 bits a pixel of the width (any, with 0) whose header is sound and
    // whose colour rows lie within its entry's bytes, bottom-up as stored; FALSE when none.
    static BOOL FindAlphaImage(const BYTE* pData, std::size_t nSize, int nWidth, CXTPBitmapRecord& image);
};
