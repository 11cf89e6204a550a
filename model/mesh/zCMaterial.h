// The surface description that polygons point to: name, colour, texture bound by
// name, smoothing angle, group, texture mapping and animation values and switches.
// Materials are shared by name.
#pragma once

#include <cstdint>

#include "zCOLOR.h"
#include "zCObject.h"
#include "zSTRING.h"
#include "zVEC3.h"

class zCArchiver;
class zCTexture;

// Material flags.
enum : std::uint8_t {
    zMAT_FLAG_SMOOTH = 1u << 0,           // vertex normals are smoothed by smoothAngle
    zMAT_FLAG_NO_LIGHTMAP = 1u << 1,
    zMAT_FLAG_TEX_ANI_MAP_LINEAR = 1u << 2,  // texAniMapMode: clear NONE, set LINEAR
    zMAT_FLAG_LOD_DONT_COLLAPSE = 1u << 3,
    zMAT_FLAG_NO_COLL_DET = 1u << 4,
    zMAT_FLAG_FORCE_OCCLUDER = 1u << 5,
    zMAT_FLAG_ENVIRONMENTAL_MAPPING = 1u << 6,
};

enum zTMat_Group { zMAT_GROUP_UNDEF = 0, zMAT_GROUP_METAL, zMAT_GROUP_STONE, zMAT_GROUP_WOOD,
                   zMAT_GROUP_EARTH, zMAT_GROUP_WATER, zMAT_NUM_MAT_GROUP };

enum zTMat_AlphaFunc { zMAT_ALPHA_DEFAULT = 0, zMAT_ALPHA_NONE, zMAT_ALPHA_BLEND, zMAT_ALPHA_ADD,
                       zMAT_ALPHA_SUB, zMAT_ALPHA_MUL, zMAT_ALPHA_MUL2 };

class zCMaterial : public zCObject {
    zCLASS_DECLARATION(zCMaterial)

public:
    zCMaterial();
    // Named (upper-cased); a name another material holds is refused with the
    // object layer's message and the material stays unnamed.
    explicit zCMaterial(const zSTRING& name);
    ~zCMaterial() override;

    void Archive(zCArchiver& archiver) override;
    void Unarchive(zCArchiver& archiver) override;

    // Upper-cases the name in place and loads the texture unless it is bound already.
    void BindTexture(zSTRING& name);
    // Null clears the binding.
    void BindTexture(zCTexture* newTexture);
    zCTexture* GetTexture() const { return texture; }
    // The bound texture's name, or an empty text.
    const zSTRING& GetTextureName() const;

    // An empty name keeps the stored one.
    void SetDetailObjectName(const zSTRING& name);
    const zSTRING& GetDetailObjectName() const;

    // 1 to 5 their names, anything else "UNDEF".
    static const zSTRING& GetGroupName(int group);
    // Upper-cases the name in place; null when no material has it.
    static zCMaterial* FindByName(zSTRING& name);

    bool HasFlag(std::uint8_t flag) const { return (flags & flag) != 0; }
    void SetFlag(std::uint8_t flag, bool on);

    // Not available: they show "... not found" and end the process.
    [[noreturn]] void SetDetailTexture(const zSTRING& name);
    [[noreturn]] void SetDetailTexture(zCTexture& detail);

    zCTexture* texture = nullptr;  // counted reference
    zCOLOR color{150, 150, 150, 255};
    float smoothAngle = 60.0f;
    int matGroup = zMAT_GROUP_UNDEF;
    float texAniFPS = 0.0f;  // frames per millisecond
    std::uint8_t flags = zMAT_FLAG_SMOOTH;
    int blendMode = 1;
    zCTexture* detailTexture = nullptr;  // counted reference; never bound by this program
    float detailTextureScale = 1.0f;
    zVEC2 texAniMapDir;                   // set by the constructor for the platform
    zVEC2 defaultMapping{2.34375f, 2.34375f};
    zVEC2 texScale{1.0f, 1.0f};
    // Values of the second game's archive keys.
    float environmentalMappingStrength = 1.0f;
    int alphaFunc = zMAT_ALPHA_NONE;
    std::uint32_t ignoreSunLight = 0;
    int waveMode = 0;
    int waveSpeed = 2;
    float waveMaxAmplitude = 30.0f;
    float waveGridSize = 100.0f;
    float detailObjectScale = 1.0f;

private:
    // From the string pool on the first non-empty name; null reads as empty.
    zSTRING* detailObject = nullptr;
};
