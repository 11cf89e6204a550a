// Materials: defaults, texture binding and the archive entries of both platforms.
#include "zCMaterial.h"

#include "ErrorBox.h"
#include "JobGlobals.h"
#include "ModelServices.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCArchiver.h"
#include "zCTexture.h"
#include "zERROR.h"

zCLASS_DEFINITION(zCMaterial, zCObject, zCLASS_FLAG_SHARED_OBJECTS, 3);

namespace {

// "zMAT: material with name %s has subtractive alpha, which is not supported, setting to normal blend mode"

const char* const kGroupEnum = "UNDEF;METAL;STONE;WOOD;EARTH;WATER";
const char* const kWaveModeEnum = "NONE;AMBIENT_GROUND;GROUND;AMBIENT_WALL;WALL;ENV;AMBIENT_WIND;WIND";
const char* const kWaveSpeedEnum = "NONE;SLOW;NORMAL;FAST";
const char* const kAlphaFuncEnum = "MAT_DEFAULT;NONE;BLEND;ADD;SUB;MUL;MUL2";

const zSTRING& EmptyString()
{
    static const zSTRING empty;
    return empty;
}

} // namespace

zCMaterial::zCMaterial()
{
    texAniMapDir = g_platform == zPLATFORM_FIRST_GAME ? zVEC2(0.0001f, 0.0f) : zVEC2(0.0f, 0.0f);
}

zCMaterial::zCMaterial(const zSTRING& name) : zCMaterial()
{
    SetObjectName(name);
}

zCMaterial::~zCMaterial()
{
    if (texture)
        texture->Release();
    if (detailTexture)
        detailTexture->Release();
    delete detailObject;
}

void zCMaterial::SetFlag(std::uint8_t flag, bool on)
{
    flags = static_cast<std::uint8_t>(on ? flags | flag : flags & ~flag);
}

void zCMaterial::BindTexture(zSTRING& name)
{
    name.Upper();
    if (texture && texture->GetObjectName() == name)
        return;
    if (texture) {
        texture->Release();
        texture = nullptr;
    }
    zCTexture* loaded = zCTexture::Load(name, 0);
    BindTexture(loaded);
    if (loaded)
        loaded->Release();
}

void zCMaterial::BindTexture(zCTexture* newTexture)
{
    if (newTexture == texture)
        return;
    if (newTexture)
        newTexture->AddRef();
    if (texture)
        texture->Release();
    texture = newTexture;
    // The detail-texture table of this program is empty: no detail texture is bound.
}

const zSTRING& zCMaterial::GetTextureName() const
{
    return texture ? texture->GetObjectName() : EmptyString();
}

void zCMaterial::SetDetailObjectName(const zSTRING& name)
{
    if (name.empty())
        return;
    if (detailObject)
        *detailObject = name;
    else
        detailObject = new zSTRING(name);
}

const zSTRING& zCMaterial::GetDetailObjectName() const
{
    return detailObject ? *detailObject : EmptyString();
}

const zSTRING& zCMaterial::GetGroupName(int group)
{
    static const zSTRING names[zMAT_NUM_MAT_GROUP] = {"UNDEF", "METAL", "STONE", "WOOD", "EARTH", "WATER"};
    return group >= 1 && group < zMAT_NUM_MAT_GROUP ? names[group] : names[0];
}

zCMaterial* zCMaterial::FindByName(zSTRING& name)
{
    name.Upper();
    return static_cast<zCMaterial*>(zCMaterial::classDef.SearchHashTable(name));
}

void zCMaterial::SetDetailTexture(const zSTRING&)
{
    zNotFound("zCMaterial::SetDetailTexture");
}

void zCMaterial::SetDetailTexture(zCTexture&)
{
    zNotFound("zCMaterial::SetDetailTexture&");
}

void zCMaterial::Archive(zCArchiver& archiver)
{
    const bool converting = g_jobMode == zJOB_CONVERT_MODELS;
    if (!converting && texture) {
        // Fetching the information caches the texture in.
        const zTTextureInfo info = static_cast<zCTextureExchange*>(texture)->GetInfo();
        color.b = info.averageColor.b;
        color.g = info.averageColor.g;
        color.r = info.averageColor.r;
        if (texture->GetCacheState() != zRES_CACHED_IN)
            texture->TryCacheOut();
    }
    archiver.WriteString("name", GetObjectName());
    archiver.WriteEnum("matGroup", kGroupEnum, matGroup);
    archiver.WriteColor("color", color);
    archiver.WriteFloat("smoothAngle", smoothAngle);
    archiver.WriteString("texture", GetTextureName());
    if (!converting && texture && texScale.x == 1.0f) {
        const zTTextureInfo info = static_cast<zCTextureExchange*>(texture)->GetInfo();
        texScale = zVEC2(static_cast<float>(info.width), static_cast<float>(info.height));
    }
    archiver.WriteString("texScale", texScale.GetString());
    archiver.WriteFloat("texAniFPS", texAniFPS * 1000.0f);
    archiver.WriteEnum("texAniMapMode", "NONE;LINEAR", HasFlag(zMAT_FLAG_TEX_ANI_MAP_LINEAR) ? 1 : 0);
    archiver.WriteString("texAniMapDir", texAniMapDir.GetString());
    archiver.WriteBool("noCollDet", HasFlag(zMAT_FLAG_NO_COLL_DET));
    archiver.WriteBool("noLightmap", HasFlag(zMAT_FLAG_NO_LIGHTMAP));
    archiver.WriteBool("lodDontCollapse", HasFlag(zMAT_FLAG_LOD_DONT_COLLAPSE));
    archiver.WriteString("detailObject", GetDetailObjectName());
    if (g_platform != zPLATFORM_FIRST_GAME) {
        // The second game's keys carry fixed values.
        detailObjectScale = 1.0f;
        SetFlag(zMAT_FLAG_FORCE_OCCLUDER, false);
        SetFlag(zMAT_FLAG_ENVIRONMENTAL_MAPPING, false);
        environmentalMappingStrength = 1.0f;
        waveMode = 0;
        waveSpeed = 2;
        waveMaxAmplitude = 30.0f;
        waveGridSize = 100.0f;
        ignoreSunLight = 0;
        alphaFunc = zMAT_ALPHA_NONE;
        archiver.WriteFloat("detailObjectScale", detailObjectScale);
        archiver.WriteBool("forceOccluder", 0);
        archiver.WriteBool("environmentalMapping", 0);
        archiver.WriteFloat("environmentalMappingStrength", environmentalMappingStrength);
        archiver.WriteEnum("waveMode", kWaveModeEnum, waveMode);
        archiver.WriteEnum("waveSpeed", kWaveSpeedEnum, waveSpeed);
        archiver.WriteFloat("waveMaxAmplitude", waveMaxAmplitude);
        archiver.WriteFloat("waveGridSize", waveGridSize);
        archiver.WriteBool("ignoreSunLight", 0);
        archiver.WriteEnum("alphaFunc", kAlphaFuncEnum, alphaFunc);
    }
    archiver.WriteGroupBegin("Internals");
    const float mapping[2] = {defaultMapping.x, defaultMapping.y};
    archiver.WriteRawFloat("defaultMapping", mapping, static_cast<int>(sizeof(mapping)));
    archiver.WriteGroupEnd("Internals");
}

void zCMaterial::Unarchive(zCArchiver& archiver)
{
    zSTRING text;
    archiver.ReadString("name", text);
    SetObjectName(text);
    archiver.ReadEnum("matGroup", matGroup);
    archiver.ReadColor("color", color);
    archiver.ReadFloat("smoothAngle", smoothAngle);
    SetFlag(zMAT_FLAG_SMOOTH, smoothAngle != 0.0f);

    zSTRING textureName;
    archiver.ReadString("texture", textureName);
    textureName.Upper();
    if (texture && texture->GetObjectName() != textureName) {
        texture->Release();
        texture = nullptr;
    }
    if (!texture) {
        zCTexture* loaded = zCTexture::Load(textureName, 0);
        BindTexture(loaded);
        if (loaded)
            loaded->Release();
    }

    text.clear();
    archiver.ReadString("texScale", text);
    texScale.SetByString(text);
    texAniFPS = archiver.ReadFloat("texAniFPS") * 0.001f;
    SetFlag(zMAT_FLAG_TEX_ANI_MAP_LINEAR, (archiver.ReadEnum("texAniMapMode") & 1) != 0);
    text.clear();
    archiver.ReadString("texAniMapDir", text);
    texAniMapDir.SetByString(text);
    SetFlag(zMAT_FLAG_NO_COLL_DET, (archiver.ReadBool("noCollDet") & 1) != 0);
    SetFlag(zMAT_FLAG_NO_LIGHTMAP, (archiver.ReadBool("noLightmap") & 1) != 0);
    SetFlag(zMAT_FLAG_LOD_DONT_COLLAPSE, (archiver.ReadBool("lodDontCollapse") & 1) != 0);
    SetDetailObjectName(archiver.ReadString("detailObject"));

    if (g_platform != zPLATFORM_FIRST_GAME) {
        archiver.ReadFloat("detailObjectScale", detailObjectScale);
        SetFlag(zMAT_FLAG_FORCE_OCCLUDER, (archiver.ReadBool("forceOccluder") & 1) != 0);
        SetFlag(zMAT_FLAG_ENVIRONMENTAL_MAPPING, (archiver.ReadBool("environmentalMapping") & 1) != 0);
        archiver.ReadFloat("environmentalMappingStrength", environmentalMappingStrength);
        archiver.ReadEnum("waveMode", waveMode);
        if (waveMode > 7)
            waveMode = 0;
        archiver.ReadEnum("waveSpeed", waveSpeed);
        archiver.ReadFloat("waveMaxAmplitude", waveMaxAmplitude);
        archiver.ReadFloat("waveGridSize", waveGridSize);
        ignoreSunLight = (ignoreSunLight & ~1u) | (archiver.ReadBool("ignoreSunLight") & 1);
        archiver.ReadEnum("alphaFunc", alphaFunc);
        if (alphaFunc == zMAT_ALPHA_SUB) {
            g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_SUBTRACTIVE_ALPHA, GetObjectName().c_str()));
            alphaFunc = zMAT_ALPHA_BLEND;
        }
        if (detailObjectScale == 0.0f)
            detailObjectScale = 1.0f;
    }
    float mapping[2] = {defaultMapping.x, defaultMapping.y};
    archiver.ReadRawFloat("defaultMapping", mapping, static_cast<int>(sizeof(mapping)));
    defaultMapping = zVEC2(mapping[0], mapping[1]);
    blendMode = color.a != 0 ? 2 : 1;
}
