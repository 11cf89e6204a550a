// The ".TEX" reader and the pixel-format tables.
#include "zCTextureFileFormat.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "ErrorBox.h"
#include "LittleEndian.h"
#include "zCObjectFactory.h"
#include "zCOption.h"
#include "zFILE.h"

zCLASS_DEFINITION_ABSTRACT(zCTextureFileFormat, zCObject, 0, 0);
zCLASS_DEFINITION(zCTextureFileFormatInternal, zCTextureFileFormat, 0, 0);

const zTTexFormatInfo zTexFormatTable[zTEX_NUM_FORMATS] = {
    {4.0f, 8, 16, 24, 0, 8, 8, 8, 8},  {4.0f, 24, 16, 8, 0, 8, 8, 8, 8}, {4.0f, 0, 8, 16, 24, 8, 8, 8, 8},
    {4.0f, 16, 8, 0, 24, 8, 8, 8, 8},  {3.0f, 0, 8, 16, 0, 8, 8, 8, 0},  {3.0f, 16, 8, 0, 0, 8, 8, 8, 0},
    {2.0f, 8, 4, 0, 12, 4, 4, 4, 4},   {2.0f, 10, 5, 0, 15, 5, 5, 5, 1}, {2.0f, 11, 5, 0, 0, 5, 6, 5, 0},
    {1.0f, 0, 0, 0, 0, 0, 0, 0, 0},    {0.5f, 0, 0, 0, 0, 0, 0, 0, 0},   {1.0f, 0, 0, 0, 0, 0, 0, 0, 0},
    {1.0f, 0, 0, 0, 0, 0, 0, 0, 1},
};

const int zTexFormatFallback[zTEX_NUM_FORMATS] = {1, 2, 3, 7, 5, 9, 7, 0, 4, 8, -1, 0, 0};

void zCTextureExchange::CopyContents(zCTextureExchange*, zCTextureExchange*)
{
    zNotFound("zCTextureExchange::CopyContents");
}

namespace {

// The size limit of one side: the reference size shifted by the detail shift, at
// most maxSize, and at least 1.
std::int64_t SideLimit(std::int32_t refSize, int detailShift, int maxSize)
{
    const int shift = std::clamp(detailShift, 0, 31);
    const std::int64_t limit = std::min<std::int64_t>(std::int64_t{refSize} * (std::int64_t{1} << shift), maxSize);
    return limit < 0 ? 1 : limit;
}

} // namespace

int zCTextureFileFormatInternal::ReadFromHeader(const unsigned char* data, long size, zCTextureExchange* target)
{
    if (!target || !data || size < kHeaderSize)
        return 0;
    if (zGetLE32(data + 4) != 0)
        return 0;
    zTTextureInfo info;
    info.format = static_cast<std::int32_t>(zGetLE32(data + 8));
    info.width = static_cast<std::int32_t>(zGetLE32(data + 12));
    info.height = static_cast<std::int32_t>(zGetLE32(data + 16));
    info.mipCount = static_cast<std::int32_t>(zGetLE32(data + 20));
    info.refWidth = static_cast<std::int32_t>(zGetLE32(data + 24));
    info.refHeight = static_cast<std::int32_t>(zGetLE32(data + 28));
    info.averageColor = zCOLOR(data[34], data[33], data[32], data[35]);
    // A damaged header: no pixel format of the table, or a negative size.
    if (info.format < 0 || info.format >= zTEX_NUM_FORMATS || info.width < 0 || info.height < 0 || info.mipCount < 0)
        return 0;

    const std::int64_t limitX = SideLimit(info.refWidth, detailShift, maxSize);
    const std::int64_t limitY = SideLimit(info.refHeight, detailShift, maxSize);
    while ((info.width > limitX || info.height > limitY) && info.mipCount > 1) {
        --info.mipCount;
        info.width >>= 1;
        info.height >>= 1;
    }
    texInfo = info;
    const int locked = target->Lock(2);
    if (!locked)
        return locked;
    target->SetInfo(texInfo);
    return target->Unlock();
}

int zCTextureFileFormatInternal::ReadFromFile(zFILE* file, zCTextureExchange* target)
{
    if (!target || !file)
        return 0;
    unsigned char header[kHeaderSize];
    const long got = file->Read(header, kHeaderSize);
    return ReadFromHeader(header, got, target);
}

int zCTextureFileFormatInternal::ReadFromFile(const zSTRING& name, zCTextureExchange* target)
{
    if (!g_objectFactory || !g_options)
        return 0;
    std::unique_ptr<zFILE> file(g_objectFactory->CreateZFile(g_options->GetDirString(DIR_COMPILED_TEXTURES) + name));
    if (!file)
        return 0;
    if (file->Open(false) != 0)
        return 0;
    const int result = ReadFromFile(file.get(), target);
    file->Close();
    return result;
}
