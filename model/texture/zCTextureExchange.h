// Moving texture data: the texture information record and the exchange interface
// that file formats fill and textures implement.
#pragma once

#include <cstdint>

#include "zCOLOR.h"

// Pixel formats (indices into zTexFormatTable).
enum zTTexFormat {
    zTEX_FORMAT_ARGB_8888 = 0, zTEX_FORMAT_ABGR_8888, zTEX_FORMAT_RGBA_8888, zTEX_FORMAT_BGRA_8888,
    zTEX_FORMAT_RGB_888, zTEX_FORMAT_BGR_888, zTEX_FORMAT_ARGB_4444, zTEX_FORMAT_ARGB_1555,
    zTEX_FORMAT_RGB_565, zTEX_FORMAT_PAL_8, zTEX_FORMAT_DXT1, zTEX_FORMAT_DXT3, zTEX_FORMAT_DXT5,
    zTEX_NUM_FORMATS
};

struct zTTexFormatInfo {
    float bytesPerPixel;
    int shiftR, shiftG, shiftB, shiftA;
    int bitsR, bitsG, bitsB, bitsA;
};

extern const zTTexFormatInfo zTexFormatTable[zTEX_NUM_FORMATS];
// The next format to try when the renderer refuses one; -1 ends the chain.
extern const int zTexFormatFallback[zTEX_NUM_FORMATS];

// Seven 32-bit integers, in file and memory order.
struct zTTextureInfo {
    std::int32_t format = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t mipCount = 0;
    std::int32_t refWidth = 0;
    std::int32_t refHeight = 0;
    zCOLOR averageColor;
};

class zCTextureExchange {
public:
    virtual ~zCTextureExchange() = default;
    virtual int Lock(int mode) = 0;
    virtual int Unlock() = 0;
    virtual int SetInfo(const zTTextureInfo& info) = 0;
    virtual void* GetPalette() = 0;
    virtual int GetMipBuffer(int mip, void*& buffer, int& pitch) = 0;
    virtual zTTextureInfo GetInfo() = 0;
    virtual int HasAlpha() = 0;

    // Not available: shows "zCTextureExchange::CopyContents not found" and ends the process.
    [[noreturn]] static void CopyContents(zCTextureExchange* from, zCTextureExchange* to);
};
