// The .ico reader: directory entries, then the chosen image's header and colour rows.
#include "CXTPIconFile.h"

namespace {

const std::size_t kDirectoryBytes = 6, kEntryBytes = 16, kInfoHeaderBytes = 40;

}  // namespace

BOOL CXTPIconFile::FindAlphaImage(const BYTE* pData, std::size_t nSize, int nWidth, CXTPBitmapRecord& image)
{
    auto word = [pData](std::size_t at) { return static_cast<DWORD>(pData[at] | pData[at + 1] << 8); };
    auto dword = [pData](std::size_t at) {
        return static_cast<DWORD>(pData[at] | pData[at + 1] << 8 | pData[at + 2] << 16) |
               static_cast<DWORD>(pData[at + 3]) << 24;
    };
    image = CXTPBitmapRecord();
    if (!pData || nSize < kDirectoryBytes)
        return FALSE;
    const std::size_t nEntries = word(4);
    if (kDirectoryBytes + nEntries * kEntryBytes > nSize)
        return FALSE;
    for (std::size_t i = 0; i < nEntries; i++) {
        const std::size_t entry = kDirectoryBytes + i * kEntryBytes;
        const int nEntryWidth = pData[entry] ? pData[entry] : 256;
        if (word(entry + 6) != 32 || (nWidth != 0 && nEntryWidth != nWidth))
            continue;
        const std::size_t nImageSize = dword(entry + 8), nOffset = dword(entry + 12);
        if (nOffset > nSize || nImageSize > nSize - nOffset || nImageSize < kInfoHeaderBytes)
            continue;
        // The stored height covers the colour image and the mask below it; a negative one
        // is no icon.
        const std::size_t header = nOffset;
        const LONG width = static_cast<LONG>(dword(header + 4)), height = static_cast<LONG>(dword(header + 8));
        if (word(header + 14) != 32 || width <= 0 || width > CXTPIconRecord::maxSide || height < 2 ||
            height / 2 > CXTPIconRecord::maxSide)
            continue;
        CXTPBitmapRecord found;
        found.width = width;
        found.height = height / 2;
        found.bitCount = 32;
        const std::size_t nBytes = found.ImageSize();
        if (nBytes > nImageSize - kInfoHeaderBytes)
            continue;  // the colour rows must lie within the image's own bytes
        const BYTE* pBits = pData + header + kInfoHeaderBytes;
        found.bits.assign(pBits, pBits + nBytes);
        found.present = TRUE;
        image = found;
        return TRUE;
    }
    return FALSE;
}
