// Textures: loading by name, the compiled file, data size and cache settings.
#include "zCTexture.h"

#include <algorithm>
#include <memory>

#include "ErrorBox.h"
#include "MessageIds.h"
#include "ModelServices.h"
#include "ResString.h"
#include "zCObjectFactory.h"
#include "zCOption.h"
#include "zCTextureFileFormat.h"
#include "zERROR.h"
#include "zFILE.h"
#include "zPATH.h"

zCLASS_DEFINITION_ABSTRACT(zCTexture, zCResource, zCLASS_FLAG_SHARED_OBJECTS | zCLASS_FLAG_RESOURCE, 0);

const char* const zCTexture::kDefaultTexture = "DEFAULT.TGA";
std::uint8_t zCTexture::s_loadCounter = 0;

namespace {

// "Texture not found '%s', using default-texture"
// "Default Texture '%s' not found!"
// "No texture format found!"

const int kMaxTextureSizeLoaded = 2048;

} // namespace

zSTRING zCTexture::GetObjectNameOf(const zSTRING& name)
{
    zPATH path(name);
    zSTRING objectName = path.GetFilename() + ".TGA";
    objectName.Upper();
    return objectName;
}

zSTRING zCTexture::GetCompiledName(const zSTRING& name)
{
    zPATH path(name);
    zSTRING base = path.GetFilename();
    base.Upper();
    const zSTRING folder = g_options ? g_options->GetDirString(DIR_COMPILED_TEXTURES) : zSTRING();
    return folder + base + "-C.TEX";
}

zCTexture* zCTexture::Load(const zSTRING& name, int flag)
{
    if (name.empty() || !g_renderer)
        return nullptr;
    const zSTRING objectName = GetObjectNameOf(name);
    if (zCObject* found = zCTexture::classDef.SearchHashTable(objectName)) {
        found->AddRef();
        return static_cast<zCTexture*>(found);
    }
    zCTexture* texture = g_renderer->CreateTexture();
    if (!texture)
        return nullptr;
    texture->texFlags = (texture->texFlags & ~zTEX_FLAG_LOAD_FLAG) | ((flag & 1) ? std::uint32_t{zTEX_FLAG_LOAD_FLAG} : 0u);
    texture->SetObjectName(objectName);
    return texture;
}

int zCTexture::LoadCompiled(const zSTRING& name)
{
    zCTextureFileFormatInternal reader;
    reader.maxSize = kMaxTextureSizeLoaded;
    reader.detailShift = s_loadCounter++ == 0 ? 1 : 0;
    std::unique_ptr<zFILE> file(g_objectFactory->CreateZFile(GetCompiledName(name)));
    if (!file || file->Open(false) != 0)
        return 0;
    const int read = reader.ReadFromFile(file.get(), this);
    file->Close();
    if (!read)
        return 0;
    const zTTextureInfo& info = reader.GetTexInfo();
    if (info.width == 0 || info.height == 0)
        return 0;

    // The renderer must take the format, or one of its fall-backs.
    const int start = info.format;
    int format = start;
    while (!g_renderer->SupportsTextureFormat(format)) {
        format = zTexFormatFallback[format];
        if (format < 0 || format == start) {
            g_errorReporter.Report(zERR_FATAL, LoadResString(zMsgId::kNoTextureFormat));
            return 0;
        }
    }
    if (zTexFormatTable[info.format].bitsA > 0)
        texFlags |= zTEX_FLAG_ALPHA;
    else
        texFlags &= ~zTEX_FLAG_ALPHA;
    return 1;
}

int zCTexture::LoadData()
{
    const zSTRING& name = GetObjectName();
    if (name.size() < 4 || name[static_cast<unsigned>(name.size() - 4)] != '.')
        return 1;
    if (!g_objectFactory || !g_renderer)
        return 0;
    std::unique_ptr<zFILE> probe(g_objectFactory->CreateZFile(GetCompiledName(name)));
    if (probe && probe->Exists())
        return LoadCompiled(name);

    // Source textures are not converted here: a missing compiled file means the default.
    if (name == kDefaultTexture) {
        g_errorReporter.Report(zERR_FATAL, FormatResString(zMsgId::kDefaultTextureMissing, name.c_str()));
        return 0;
    }
    g_errorReporter.Report(zERR_WARNING, FormatResString(zMsgId::kTextureUsingDefault, name.c_str()));
    std::unique_ptr<zFILE> fallback(g_objectFactory->CreateZFile(GetCompiledName(kDefaultTexture)));
    if (!fallback || !fallback->Exists()) {
        g_errorReporter.Report(zERR_FATAL, FormatResString(zMsgId::kDefaultTextureMissing, kDefaultTexture));
        return 0;
    }
    return LoadCompiled(kDefaultTexture);
}

int zCTexture::ReleaseData()
{
    ReleaseTexData();
    return 1;
}

int zCTexture::GetDataSize()
{
    if (!g_renderer)
        return 0;
    const zTTextureInfo info = static_cast<zCTextureExchange*>(this)->GetInfo();
    if (info.format < 0 || info.format >= zTEX_NUM_FORMATS)
        return 0;
    const double bytes = zTexFormatTable[info.format].bytesPerPixel;
    double total = 0.0;
    std::int64_t width = std::max(info.width, 1);
    std::int64_t height = std::max(info.height, 1);
    for (int level = 0; level < info.mipCount; ++level) {
        total += static_cast<double>(width) * static_cast<double>(height) * bytes;
        width = std::max<std::int64_t>(width / 2, 1);
        height = std::max<std::int64_t>(height / 2, 1);
    }
    return total > 2147483647.0 ? 2147483647 : static_cast<int>(total);
}

void zCTexture::GetCacheSettings(int& cacheOutTimeMSec, int& cacheSizeMaxBytes)
{
    cacheOutTimeMSec = g_options ? g_options->ReadInt("ENGINE", "zTexCacheOutTimeMSec", 240000) : 240000;
    cacheSizeMaxBytes = g_options ? g_options->ReadInt("ENGINE", "zTexCacheSizeMaxBytes", 22000000) : 22000000;
    // Without hardware block compression (always, with this renderer) the cache is doubled.
    if (!g_renderer || !g_renderer->SupportsTextureFormatHardware(zTEX_FORMAT_DXT1))
        cacheSizeMaxBytes *= 2;
}

int zCTexture::HasAlpha()
{
    zNotFound("zCTexture::HasAlpha");
}

void zCTexture::CreateTextureTile()
{
    zNotFound("zCTexture::CreateTextureTile");
}
