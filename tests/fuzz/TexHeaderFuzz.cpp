// Fuzz target: the ".TEX" header reader and its mip reduction.
#include <cstddef>
#include <cstdint>

#include "zCTextureFileFormat.h"

namespace {

class NullTarget : public zCTextureExchange {
public:
    int Lock(int) override { return 1; }
    int Unlock() override { return 1; }
    int SetInfo(const zTTextureInfo&) override { return 1; }
    void* GetPalette() override { return nullptr; }
    int GetMipBuffer(int, void*&, int&) override { return 0; }
    zTTextureInfo GetInfo() override { return {}; }
    int HasAlpha() override { return 0; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullTarget target;
    zCTextureFileFormatInternal reader;
    if (size > 0) {
        reader.detailShift = data[0] & 0x3F;
        reader.maxSize = 2048;
    }
    reader.ReadFromHeader(data, static_cast<long>(size), &target);
    return 0;
}
