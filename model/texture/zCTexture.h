// Textures: shared, cached resources found by name (NAME.TGA) and filled from the
// compiled file NAME-C.TEX of the compiled-textures folder.
#pragma once

#include <cstdint>

#include "zCResource.h"
#include "zCTextureExchange.h"

// Texture flags.
enum : std::uint32_t {
    zTEX_FLAG_ALPHA = 1u << 0,        // the pixel format has alpha bits
    zTEX_FLAG_ANI_FIRST = 1u << 1,    // first frame of an animated texture
    zTEX_FLAG_LOAD_FLAG = 1u << 3,    // the flag argument of Load
};

class zCTexture : public zCResource, public zCTextureExchange {
    zCLASS_DECLARATION(zCTexture)

public:
    static const char* const kDefaultTexture;  // "DEFAULT.TGA"

    zCTexture() = default;
    ~zCTexture() override = default;

    // The shared texture of the name (any folder and extension become ".TGA"), with
    // a reference for the caller; null for an empty name or without a renderer.
    static zCTexture* Load(const zSTRING& name, int flag);
    // The object name a requested texture name gets: the file name + ".TGA", upper case.
    static zSTRING GetObjectNameOf(const zSTRING& name);
    // The compiled file's path of a texture name: the compiled-textures folder, the
    // file name and "-C.TEX".
    static zSTRING GetCompiledName(const zSTRING& name);

    int LoadData() override;
    int ReleaseData() override;
    int GetDataSize() override;
    void GetCacheSettings(int& cacheOutTimeMSec, int& cacheSizeMaxBytes) override;
    // Frees the pixel data; the renderer's texture implements it.
    virtual void ReleaseTexData() = 0;

    // Not available: they show "... not found" and end the process.
    int HasAlpha() override;
    [[noreturn]] void CreateTextureTile();

    std::uint32_t texFlags = 0;

    // Loads counted modulo 256: the first of each 256 loads keeps twice the reference size.
    static std::uint8_t s_loadCounter;

private:
    // Reads the compiled file of the name into this texture; 1 when it was read.
    int LoadCompiled(const zSTRING& name);
};
