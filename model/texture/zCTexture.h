// Textures: shared, cached resources found by name (NAME.TGA) and filled from the
// compiled file NAME-C.TEX of the compiled-textures folder.
#pragma once

#include <cstdint>
#include <vector>

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
    // Animation channels a name can hold (WATER_A0, HUM_BODY_V0_C0).
    static constexpr int kNumAniChannels = 3;

    zCTexture() = default;
    // A first frame releases the other frames of its animation and ends their links.
    ~zCTexture() override;

    // The shared texture of the name (any folder and extension become ".TGA"), with
    // a reference for the caller; null for an empty name or without a renderer. A
    // name with channel words whose frames exist, and the name of any frame of a living
    // animation, give the animation's first frame.
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
    // Frames of an animated texture: per channel the next and previous frame (null at
    // the ends). The first frame (zTEX_FLAG_ANI_FIRST) keeps each channel's frame count.
    zCTexture* aniNext[kNumAniChannels] = {};
    zCTexture* aniPrev[kNumAniChannels] = {};
    int aniFrames[kNumAniChannels] = {};

    // Loads counted modulo 256: the first of each 256 loads keeps twice the reference size.
    static std::uint8_t s_loadCounter;

private:
    // A new texture of the renderer with its object name and the load flag; null without one.
    static zCTexture* Create(const zSTRING& objectName, int flag);
    // The frames of an animated name, linked, with the first frame returned; null when
    // the name has no channel words or its first frame does not exist.
    static zCTexture* LoadAnimated(const zSTRING& name, int flag);
    // Reads the compiled file of the name into this texture; 1 when it was read.
    int LoadCompiled(const zSTRING& name);

    // On a first frame: one reference on every other frame of the animation.
    std::vector<zCTexture*> heldFrames;
};
