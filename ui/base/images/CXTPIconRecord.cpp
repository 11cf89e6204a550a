// The icon record: height, version and four images of two bitmap records each.
#include "CXTPIconRecord.h"

#include "CArchive.h"
#include "CException.h"

namespace {

const DWORD kInfoHeaderBytes = 40;
const DWORD kHeaderBytes = 52;  // the info header and three masks

[[noreturn]] void Damaged(CArchive& ar)
{
    AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
}

}  // namespace

DWORD CXTPBitmapRecord::ImageSize() const
{
    const DWORD rows = static_cast<DWORD>(height < 0 ? -static_cast<long long>(height) : height);
    return (static_cast<DWORD>(width) * bitCount + 31) / 32 * 4 * rows;
}

void CXTPIconRecord::WriteBitmap(CArchive& ar, const CXTPBitmapRecord& bitmap)
{
    if (!bitmap.present) {
        ar.WriteCount(0);
        return;
    }
    ar.WriteCount(kHeaderBytes);
    const DWORD sizeImage = static_cast<DWORD>(bitmap.bits.size());
    ar << kInfoHeaderBytes << bitmap.width << bitmap.height << static_cast<WORD>(1) << bitmap.bitCount
       << bitmap.compression << sizeImage << bitmap.xPelsPerMeter << bitmap.yPelsPerMeter << static_cast<DWORD>(0)
       << bitmap.clrImportant;
    for (DWORD mask : bitmap.masks)
        ar << mask;
    ar.WriteCount(sizeImage);
    ar.Write(bitmap.bits.data(), sizeImage);
}

void CXTPIconRecord::ReadBitmap(CArchive& ar, CXTPBitmapRecord& bitmap)
{
    bitmap = CXTPBitmapRecord();
    const DWORD_PTR headerBytes = ar.ReadCount();
    if (headerBytes == 0)
        return;
    if (headerBytes != kInfoHeaderBytes && headerBytes != kHeaderBytes)
        Damaged(ar);
    DWORD size = 0, sizeImage = 0, clrUsed = 0;
    WORD planes = 0;
    ar >> size >> bitmap.width >> bitmap.height >> planes >> bitmap.bitCount >> bitmap.compression >> sizeImage >>
        bitmap.xPelsPerMeter >> bitmap.yPelsPerMeter >> clrUsed >> bitmap.clrImportant;
    if (headerBytes == kHeaderBytes) {
        for (DWORD& mask : bitmap.masks)
            ar >> mask;
    } else if (bitmap.bitCount == 1) {
        bitmap.masks[1] = 0xFFFFFF;  // black and white
    }
    // Depths whose colours the header can hold: no palettes beyond two colours.
    const WORD depth = bitmap.bitCount;
    const bool depthFits = depth == 1 || depth == 16 || depth == 24 || depth == 32;
    const bool compressionFits = bitmap.compression == CXTPBitmapRecord::rgb ||
                                 (bitmap.compression == CXTPBitmapRecord::bitFields && (depth == 16 || depth == 32));
    if (!depthFits || !compressionFits || bitmap.width <= 0 || bitmap.width > maxSide || bitmap.height == 0 ||
        bitmap.height > maxSide || bitmap.height < -maxSide)
        Damaged(ar);
    const DWORD imageSize = bitmap.ImageSize();
    if (ar.ReadCount() != imageSize || imageSize > ar.GetBytesLeft())
        Damaged(ar);
    bitmap.bits.resize(imageSize);
    if (ar.Read(bitmap.bits.data(), imageSize) != imageSize)
        Damaged(ar);
    bitmap.present = TRUE;
}

void CXTPIconRecord::Write(CArchive& ar) const
{
    ar << height << static_cast<DWORD>(currentVersion);
    for (const auto& image : images)
        for (const CXTPBitmapRecord& bitmap : image)
            WriteBitmap(ar, bitmap);
}

void CXTPIconRecord::Read(CArchive& ar)
{
    ar >> height >> version;
    if (height > static_cast<DWORD>(maxSide))
        Damaged(ar);
    // Versions up to 7 have no checked image.
    const int count = version > 7 ? imageCount : imageChecked;
    for (int i = 0; i < imageCount; i++) {
        for (CXTPBitmapRecord& bitmap : images[i])
            if (i < count)
                ReadBitmap(ar, bitmap);
            else
                bitmap = CXTPBitmapRecord();
        // A lone bitmap is an alpha image, which has 32 bits a pixel.
        if (images[i][0].present && !images[i][1].present && images[i][0].bitCount != 32)
            Damaged(ar);
    }
}
