// Fuzz target of the .ico reader of the button image editor: the input is the file's bytes.
#include <cstddef>
#include <cstdint>

#include "CXTPIconFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (int width : {16, 0}) {
        CXTPBitmapRecord image;
        if (CXTPIconFile::FindAlphaImage(data, size, width, image) &&
            (!image.present || image.bitCount != 32 || image.bits.size() != image.ImageSize() || image.height <= 0))
            __builtin_trap();
    }
    return 0;
}
