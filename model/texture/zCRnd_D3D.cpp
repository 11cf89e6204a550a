// The renderer's texture factory and format answers, and the renderer's texture.
#include "zCRnd_D3D.h"

#include "ErrorBox.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zERROR.h"

namespace {

// "CacheIn: texture has no size....abort action!!!"

} // namespace

int zCRnd_D3D::s_blockCompressionMode = 1;
int zCRnd_D3D::s_hardwareDxt1 = 0;
int zCRnd_D3D::s_hardwareDxt5 = 0;

zCTexture* zCRnd_D3D::CreateTexture()
{
    zCTex_D3D* texture = new zCTex_D3D();
    zCClassDef::ObjectCreated(texture, &zCTexture::classDef);
    return texture;
}

void* zCRnd_D3D::CreateTextureConvert()
{
    zNotFound("zCRnd_D3D::CreateTextureConvert");
}

int zCRnd_D3D::GetTotalTextureMem()
{
    zNotFound("zCRnd_D3D::GetTotalTextureMem");
}

int zCRnd_D3D::GetMaxTextureSize()
{
    zNotFound("zCRnd_D3D::GetMaxTextureSize");
}

int zCRnd_D3D::SupportsTextureFormat(int format)
{
    switch (format) {
    case zTEX_FORMAT_ARGB_4444:
    case zTEX_FORMAT_ARGB_1555:
    case zTEX_FORMAT_RGB_565:
        return 1;
    case zTEX_FORMAT_DXT1:
    case zTEX_FORMAT_DXT5: {
        int& hardware = format == zTEX_FORMAT_DXT1 ? s_hardwareDxt1 : s_hardwareDxt5;
        switch (s_blockCompressionMode) {
        case 0:
            return 0;
        case 1:
            return 1;
        case 2:
            hardware = 0;
            return 1;
        default:
            return hardware;
        }
    }
    default:
        return 0;
    }
}

int zCRnd_D3D::SupportsTextureFormatHardware(int format)
{
    switch (format) {
    case zTEX_FORMAT_ARGB_4444:
    case zTEX_FORMAT_ARGB_1555:
    case zTEX_FORMAT_RGB_565:
        return 1;
    case zTEX_FORMAT_DXT1:
        return s_hardwareDxt1;
    case zTEX_FORMAT_DXT5:
        return s_hardwareDxt5;
    default:
        return 0;
    }
}

zCTex_D3D::~zCTex_D3D()
{
    TryCacheOut();
    ReleaseTexData();
    delete[] palette;
    marker = 0;
}

int zCTex_D3D::Lock(int)
{
    if (cacheState == zRES_CACHED_OUT) {
        Touch();
        if (g_resourceManager)
            g_resourceManager->CacheIn(this, -1.0f);
    }
    d3dFlags |= kFlagLocked;
    return 1;
}

int zCTex_D3D::SetInfo(const zTTextureInfo& newInfo)
{
    if (marker != kValidMarker)
        return 0;
    info = newInfo;
    if (info.width != 0 && info.height != 0)
        return 1;
    g_errorReporter.Report(zERR_WARNING, LoadResString(IDS_TEXTURE_HAS_NO_SIZE));
    return 0;
}

void* zCTex_D3D::GetPalette()
{
    if (marker != kValidMarker || info.format != zTEX_FORMAT_PAL_8)
        return nullptr;
    if (!palette)
        palette = new unsigned char[768]();
    return palette;
}

zTTextureInfo zCTex_D3D::GetInfo()
{
    if (cacheState == zRES_CACHED_OUT) {
        Touch();
        if (g_resourceManager)
            g_resourceManager->CacheIn(this, -1.0f);
    }
    return info;
}

void zCTex_D3D::ReleaseTexData()
{
    if (marker != kValidMarker)
        return;
    delete[] pixels;
    pixels = nullptr;
    pixelSize = 0;
    mipIndex = -1;
}
