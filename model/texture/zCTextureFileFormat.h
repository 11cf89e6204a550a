// Texture file formats: the abstract base and the reader of compiled ".TEX" files.
#pragma once

#include "zCObject.h"
#include "zCTextureExchange.h"

class zFILE;

class zCTextureFileFormat : public zCObject {
    zCLASS_DECLARATION(zCTextureFileFormat)

public:
    ~zCTextureFileFormat() override = default;
    virtual int ReadFromFile(const zSTRING& name, zCTextureExchange* target) = 0;
    virtual int ReadFromFile(zFILE* file, zCTextureExchange* target) = 0;
    virtual int WriteToFile(const zSTRING&, zCTextureExchange*) { return 0; }
    virtual int WriteToFile(zFILE*, zCTextureExchange*) { return 0; }
};

// A ".TEX" file: two header words (the second must be 0), the texture information,
// then the mip levels, largest first (never read here).
class zCTextureFileFormatInternal : public zCTextureFileFormat {
    zCLASS_DECLARATION(zCTextureFileFormatInternal)

public:
    static constexpr long kHeaderSize = 36;

    zCTextureFileFormatInternal() = default;

    // The name below the compiled-textures folder.
    int ReadFromFile(const zSTRING& name, zCTextureExchange* target) override;
    // Reads the header, reduces the mip levels to the size limits and hands the
    // information to the target. 0 for a short or refused header.
    int ReadFromFile(zFILE* file, zCTextureExchange* target) override;
    // The same from header bytes already in memory.
    int ReadFromHeader(const unsigned char* data, long size, zCTextureExchange* target);

    const zTTextureInfo& GetTexInfo() const { return texInfo; }

    zTTextureInfo texInfo;
    int detailShift = 0;
    int maxSize = 65536;
    int flag = 1;
};
