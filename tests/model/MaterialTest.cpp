// Materials: defaults, names, texture binding and the archive entries of both platforms.
#include <gtest/gtest.h>

#include <functional>

#include "ModelFixture.h"
#include "zCArchiverFactory.h"
#include "zCMaterial.h"
#include "zCTexture.h"
#include "zFILE_VDFS.h"

namespace {

class MaterialTest : public ModelFixture {
protected:
    // Archives the material into a BINARY archive and releases it; the material read back.
    zCMaterial* RoundTrip(zCMaterial* material)
    {
        {
            zFILE_VDFS file("\\mat.arc");
            EXPECT_EQ(file.Create(), 0);
            ArchiverHold arc(g_archiverFactory.CreateArchiverWrite(&file, zARC_MODE_BINARY, 0, 0));
            arc->WriteObject(material);
            arc->Close();
            file.Close();
        }
        material->Release();
        zFILE_VDFS file("\\mat.arc");
        EXPECT_EQ(file.Open(false), 0);
        ArchiverHold arc(g_archiverFactory.CreateArchiverRead(&file, 0));
        zCObject* object = arc->ReadObject(nullptr);
        arc->Close();
        file.Close();
        return dynamic_cast<zCMaterial*>(object);
    }
};

} // namespace

TEST_F(MaterialTest, DefaultsAndNames)
{
    zCMaterial* material = new zCMaterial("Stone");
    EXPECT_EQ(material->GetObjectName(), "STONE");
    EXPECT_EQ(material->color, zCOLOR(150, 150, 150, 255));
    EXPECT_FLOAT_EQ(material->smoothAngle, 60.0f);
    EXPECT_TRUE(material->HasFlag(zMAT_FLAG_SMOOTH));
    EXPECT_FLOAT_EQ(material->texAniMapDir.x, 0.0001f);
    zSTRING lower = "stone";
    EXPECT_EQ(zCMaterial::FindByName(lower), material);
    EXPECT_EQ(lower, "STONE");
    EXPECT_EQ(zCMaterial::GetGroupName(3), "WOOD");
    EXPECT_EQ(zCMaterial::GetGroupName(6), "UNDEF");
    EXPECT_EQ(zCMaterial::GetGroupName(-1), "UNDEF");
    material->SetDetailObjectName("BUSH");
    material->SetDetailObjectName("");
    EXPECT_EQ(material->GetDetailObjectName(), "BUSH");
    material->Release();
    g_platform = zPLATFORM_SECOND_GAME;
    zCMaterial second;
    EXPECT_FLOAT_EQ(second.texAniMapDir.x, 0.0f);
}

TEST_F(MaterialTest, BindingATextureByName)
{
    zCMaterial* material = new zCMaterial("M");
    zSTRING name = "wall.tga";
    material->BindTexture(name);
    EXPECT_EQ(name, "WALL.TGA");
    ASSERT_NE(material->GetTexture(), nullptr);
    EXPECT_EQ(material->GetTextureName(), "WALL.TGA");
    EXPECT_EQ(material->GetTexture()->GetRefCtr(), 1);
    zCTexture* bound = material->GetTexture();
    material->BindTexture(name);  // the same: kept
    EXPECT_EQ(material->GetTexture(), bound);
    material->BindTexture(static_cast<zCTexture*>(nullptr));
    EXPECT_EQ(material->GetTextureName(), "");
    material->Release();
}

TEST_F(MaterialTest, RoundTripOfBothPlatforms)
{
    for (int platform : {zPLATFORM_FIRST_GAME, zPLATFORM_SECOND_GAME}) {
        SCOPED_TRACE(platform);
        g_platform = platform;
        g_jobMode = zJOB_CONVERT_MODELS;  // converting: colour and texScale stay as they are
        zCMaterial* material = new zCMaterial("ROCK");
        material->matGroup = zMAT_GROUP_STONE;
        material->color = zCOLOR(10, 20, 30, 0);
        material->smoothAngle = 0.0f;
        material->texAniFPS = 0.025f;
        material->texScale = zVEC2(2.0f, 3.0f);
        material->SetFlag(zMAT_FLAG_NO_COLL_DET | zMAT_FLAG_LOD_DONT_COLLAPSE, true);
        material->SetFlag(zMAT_FLAG_TEX_ANI_MAP_LINEAR, true);
        material->SetFlag(zMAT_FLAG_FORCE_OCCLUDER, true);
        material->SetDetailObjectName("GRASS");
        material->defaultMapping = zVEC2(1.5f, 2.5f);
        material->waveMode = 5;

        zCMaterial* read = RoundTrip(material);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->GetObjectName(), "ROCK");
        EXPECT_EQ(read->matGroup, zMAT_GROUP_STONE);
        EXPECT_EQ(read->color, zCOLOR(10, 20, 30, 0));
        EXPECT_EQ(read->blendMode, 1);
        EXPECT_FALSE(read->HasFlag(zMAT_FLAG_SMOOTH));
        EXPECT_FLOAT_EQ(read->texAniFPS, 0.025f);
        EXPECT_FLOAT_EQ(read->texScale.x, 2.0f);
        EXPECT_FLOAT_EQ(read->texScale.y, 3.0f);
        EXPECT_TRUE(read->HasFlag(zMAT_FLAG_NO_COLL_DET));
        EXPECT_TRUE(read->HasFlag(zMAT_FLAG_LOD_DONT_COLLAPSE));
        EXPECT_FALSE(read->HasFlag(zMAT_FLAG_NO_LIGHTMAP));
        EXPECT_TRUE(read->HasFlag(zMAT_FLAG_TEX_ANI_MAP_LINEAR));
        EXPECT_EQ(read->GetDetailObjectName(), "GRASS");
        EXPECT_FLOAT_EQ(read->defaultMapping.x, 1.5f);
        EXPECT_FLOAT_EQ(read->defaultMapping.y, 2.5f);
        // The second game's keys carry fixed values; the first game's archive has none.
        EXPECT_FALSE(read->HasFlag(zMAT_FLAG_FORCE_OCCLUDER));
        EXPECT_EQ(read->waveMode, 0);
        EXPECT_EQ(read->GetTexture(), nullptr);
        for (const std::string& line : Texts())
            ADD_FAILURE() << line;
        read->Release();
    }
}

TEST_F(MaterialTest, TextureGivesColourAndScaleUnlessConverting)
{
    WriteTex("BARK-C.TEX", zTEX_FORMAT_RGB_565, 256, 128, 1, 256, 128, 0xFF405060u);
    for (int mode : {zJOB_CONVERT_MODELS, zJOB_COMPILE_MODELS}) {
        SCOPED_TRACE(mode);
        g_jobMode = mode;
        zCMaterial* material = new zCMaterial("TREE");
        zSTRING name = "BARK.TGA";
        material->BindTexture(name);
        zCMaterial* read = RoundTrip(material);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->GetTextureName(), "BARK.TGA");
        if (mode == zJOB_CONVERT_MODELS) {
            EXPECT_EQ(read->color, zCOLOR(150, 150, 150, 255));
            EXPECT_FLOAT_EQ(read->texScale.x, 1.0f);
        } else {
            EXPECT_EQ(read->color, zCOLOR(0x40, 0x50, 0x60, 255));
            EXPECT_FLOAT_EQ(read->texScale.x, 256.0f);
            EXPECT_FLOAT_EQ(read->texScale.y, 128.0f);
        }
        EXPECT_EQ(read->blendMode, 2);
        read->Release();
        manager->CacheOutAll(nullptr);
    }
}

TEST_F(MaterialTest, SubtractiveAlphaBecomesBlendWithAWarning)
{
    g_platform = zPLATFORM_SECOND_GAME;
    zCMaterial* material = new zCMaterial("GLASS");
    zCMaterial* read = RoundTrip(material);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->alphaFunc, zMAT_ALPHA_NONE);
    read->Release();

    // A stored SUB (the writer always stores NONE): an ASCII archive as the game's tools write it.
    const std::string entries[] = {
        "name=string:GLASS", "matGroup=enum:0", "color=color:150 150 150 255", "smoothAngle=float:60",
        "texture=string:", "texScale=string:1 1", "texAniFPS=float:0", "texAniMapMode=enum:0",
        "texAniMapDir=string:0 0", "noCollDet=bool:0", "noLightmap=bool:0", "lodDontCollapse=bool:0",
        "detailObject=string:", "detailObjectScale=float:0", "forceOccluder=bool:0",
        "environmentalMapping=bool:0", "environmentalMappingStrength=float:1", "waveMode=enum:9",
        "waveSpeed=enum:2", "waveMaxAmplitude=float:30", "waveGridSize=float:100", "ignoreSunLight=bool:1",
        "alphaFunc=enum:4", "defaultMapping=rawFloat:2 3 ",
    };
    std::string text = "Tolvan Archive\r\nver 1\r\nzCArchiverGeneric\r\nASCII\r\nsaveGame 0\r\nEND\r\n"
                       "objects 1\r\nEND\r\n\r\n[% zCMaterial " +
                       std::to_string(zCMaterial::classDef.GetArchiveVersionSum()) + " 0]\r\n";
    for (const std::string& entry : entries)
        text += "\t" + entry + "\r\n";
    box.Write("sub.arc", text + "[]\r\n");
    host.Clear();
    zFILE_VDFS in("\\sub.arc");
    ASSERT_EQ(in.Open(false), 0);
    ArchiverHold arc(g_archiverFactory.CreateArchiverRead(&in, 0));
    zCMaterial* sub = dynamic_cast<zCMaterial*>(arc->ReadObject(nullptr));
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->alphaFunc, zMAT_ALPHA_BLEND);
    EXPECT_EQ(sub->waveMode, 0);  // above 7
    EXPECT_FLOAT_EQ(sub->detailObjectScale, 1.0f);  // 0 becomes 1
    EXPECT_EQ(sub->ignoreSunLight, 1u);
    EXPECT_FLOAT_EQ(sub->defaultMapping.y, 3.0f);
    for (const std::string& line : Texts())
        EXPECT_NE(line.find("Warning: zMAT"), std::string::npos) << line;
    EXPECT_EQ(host.GetWarningCount(), 1);
    EXPECT_TRUE(HasLine("zMAT: material with name GLASS has subtractive alpha"));
    sub->Release();
}
