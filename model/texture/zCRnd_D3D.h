// The renderer of the toolchain, used only as the factory and oracle of textures,
// and its texture: information kept, cached in on first use.
#pragma once

#include <cstdint>

#include "ModelServices.h"
#include "zCTexture.h"

class zCRnd_D3D : public zCRenderer {
public:
    // A new zCTex_D3D, counted as a zCTexture.
    zCTexture* CreateTexture() override;
    // Not available: they show "zCRnd_D3D::... not found" and end the process.
    void* CreateTextureConvert() override;
    int GetTotalTextureMem();
    int GetMaxTextureSize() override;
    // 6, 7 and 8 always; 10 and 12 by the block-compression mode.
    int SupportsTextureFormat(int format) override;
    // 6, 7 and 8; 10 and 12 by their hardware flags, which nothing sets.
    int SupportsTextureFormatHardware(int format) override;

    // 1 at start-up; nothing changes it here.
    static int s_blockCompressionMode;
    static int s_hardwareDxt1;
    static int s_hardwareDxt5;
};

class zCTex_D3D : public zCTexture {
public:
    static constexpr std::uint32_t kValidMarker = 0xDEADFACE;
    static constexpr std::uint32_t kFlagLocked = 1u << 18;

    zCTex_D3D() = default;
    ~zCTex_D3D() override;

    // Caches the texture in when it is cached out; answers 1.
    int Lock(int mode) override;
    int Unlock() override { return 1; }
    // 0 for a size of 0 (warned) or an invalid object.
    int SetInfo(const zTTextureInfo& info) override;
    // A 768-byte buffer for a palette texture, else null.
    void* GetPalette() override;
    int GetMipBuffer(int, void*&, int&) override { return 0; }
    // Caches the texture in when it is cached out, then the information.
    zTTextureInfo GetInfo() override;
    void ReleaseTexData() override;

    const zTTextureInfo& GetStoredInfo() const { return info; }
    bool IsLocked() const { return (d3dFlags & kFlagLocked) != 0; }

private:
    std::uint32_t marker = kValidMarker;
    std::uint32_t d3dFlags = 0;
    zTTextureInfo info;
    unsigned char* pixels = nullptr;
    int pixelSize = 0;
    int mipIndex = 0;
    unsigned char* palette = nullptr;
};
