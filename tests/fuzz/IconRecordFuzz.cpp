// Fuzz target of the icon record (layout files, pasted button images): the input is the record's bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "CArchive.h"
#include "CException.h"
#include "CMemFile.h"
#include "CXTPIconRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 1 << 24)
        return 0;
    std::vector<BYTE> bytes(data, data + size);
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CXTPIconRecord record;
    try {
        record.Read(ar);
    } catch (CArchiveException* e) {
        e->Delete();
        return 0;
    }
    // What was read checks out: every present bitmap holds the rows its header names.
    for (const auto& image : record.images)
        for (const CXTPBitmapRecord& bitmap : image)
            if (bitmap.present && bitmap.bits.size() != bitmap.ImageSize())
                __builtin_trap();
    return 0;
}
