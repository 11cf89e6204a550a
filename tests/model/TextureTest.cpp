// Textures: names, the ".TEX" header and its mip reduction, the default fall-back,
// the renderer's formats and the resource manager's cache.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "ErrorBoxCatcher.h"
#include "ModelFixture.h"
#include "zCTexture.h"
#include "zCTextureFileFormat.h"

namespace {

// Records what a reader hands over.
class InfoTarget : public zCTextureExchange {
public:
    int Lock(int) override { return lockResult; }
    int Unlock() override { return 1; }
    int SetInfo(const zTTextureInfo& given) override
    {
        info = given;
        ++setCount;
        return 1;
    }
    void* GetPalette() override { return nullptr; }
    int GetMipBuffer(int, void*&, int&) override { return 0; }
    zTTextureInfo GetInfo() override { return info; }
    int HasAlpha() override { return 0; }

    zTTextureInfo info;
    int setCount = 0;
    int lockResult = 1;
};

std::string Header(int format, int width, int height, int mips, int refWidth, int refHeight, std::uint32_t second = 0)
{
    return U32(0) + U32(second) + U32(format) + U32(width) + U32(height) + U32(mips) + U32(refWidth) +
           U32(refHeight) + U32(0xFF808080u);
}

class TextureTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        zCTexture::s_loadCounter = 1;  // not the first load: no detail shift
    }
};

} // namespace

TEST(TexFileFormat, MipLevelsAreReducedToTheReferenceSize)
{
    struct Case {
        const char* what;
        int width, refWidth, mips, detailShift, maxSize;
        int expectWidth, expectMips;
    };
    const Case cases[] = {
        {"reduced to the reference", 4096, 1024, 13, 0, 2048, 1024, 11},
        {"kept at the reference", 256, 256, 9, 0, 2048, 256, 9},
        {"detail shift doubles the limit", 2048, 1024, 12, 1, 2048, 2048, 12},
        {"capped by maxSize", 4096, 4096, 13, 0, 2048, 2048, 12},
        {"one level stays", 4096, 16, 1, 0, 2048, 4096, 1},
        {"negative limit counts as 1", 8, -5, 4, 0, 2048, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        zCTextureFileFormatInternal reader;
        reader.detailShift = c.detailShift;
        reader.maxSize = c.maxSize;
        InfoTarget target;
        const std::string header = Header(zTEX_FORMAT_RGB_565, c.width, c.width, c.mips, c.refWidth, c.refWidth);
        ASSERT_EQ(reader.ReadFromHeader(reinterpret_cast<const unsigned char*>(header.data()),
                                        static_cast<long>(header.size()), &target),
                  1);
        EXPECT_EQ(target.info.width, c.expectWidth);
        EXPECT_EQ(target.info.mipCount, c.expectMips);
        EXPECT_EQ(target.info.averageColor, zCOLOR(0x80, 0x80, 0x80, 0xFF));
    }
}

TEST(TexFileFormat, DamagedHeadersAreRefused)
{
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"second word not 0", Header(0, 8, 8, 1, 8, 8, 1)},
        {"short", Header(0, 8, 8, 1, 8, 8).substr(0, 35)},
        {"format outside the table", Header(13, 8, 8, 1, 8, 8)},
        {"negative size", Header(0, -8, 8, 1, 8, 8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        zCTextureFileFormatInternal reader;
        InfoTarget target;
        EXPECT_EQ(reader.ReadFromHeader(reinterpret_cast<const unsigned char*>(c.bytes.data()),
                                        static_cast<long>(c.bytes.size()), &target),
                  0);
        EXPECT_EQ(target.setCount, 0);
    }
    zCTextureFileFormatInternal reader;
    const std::string good = Header(0, 8, 8, 1, 8, 8);
    EXPECT_EQ(reader.ReadFromHeader(reinterpret_cast<const unsigned char*>(good.data()), 36, nullptr), 0);
    InfoTarget refusing;
    refusing.lockResult = 0;
    EXPECT_EQ(reader.ReadFromHeader(reinterpret_cast<const unsigned char*>(good.data()), 36, &refusing), 0);
}

TEST_F(TextureTest, NamesShareOneTexture)
{
    zCTexture* a = zCTexture::Load("stone01.tga", 0);
    zCTexture* b = zCTexture::Load("STONE01", 0);
    zCTexture* c = zCTexture::Load("\\some\\folder\\Stone01.bmp", 0);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, c);
    EXPECT_EQ(a->GetObjectName(), "STONE01.TGA");
    EXPECT_EQ(a->GetRefCtr(), 3);
    EXPECT_EQ(zCTexture::Load("", 0), nullptr);
    EXPECT_EQ(zCTexture::GetCompiledName("wall_8bit.tga"), "\\DATA\\Textures\\_compiled\\WALL_8BIT-C.TEX");
    c->Release();
    b->Release();
    a->Release();
}

TEST_F(TextureTest, CompiledFileIsReadOnFirstUse)
{
    WriteTex("WALL_8BIT-C.TEX", zTEX_FORMAT_ARGB_1555, 256, 128, 9, 256, 128, 0xFF302010u);
    zCTexture* texture = zCTexture::Load("wall_8bit.tga", 0);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetCacheState(), zRES_CACHED_OUT);
    const zTTextureInfo info = static_cast<zCTextureExchange*>(texture)->GetInfo();
    EXPECT_EQ(texture->GetCacheState(), zRES_CACHED_IN);
    EXPECT_EQ(info.width, 256);
    EXPECT_EQ(info.height, 128);
    EXPECT_EQ(info.averageColor, zCOLOR(0x30, 0x20, 0x10, 0xFF));
    EXPECT_TRUE(texture->texFlags & zTEX_FLAG_ALPHA);  // 1555 has an alpha bit
    // The manager holds a reference while the texture is cached in.
    EXPECT_EQ(texture->GetRefCtr(), 2);
    for (const std::string& line : Texts())
        ADD_FAILURE() << line;
    texture->Release();
}

TEST_F(TextureTest, FirstLoadKeepsTwiceTheReferenceSize)
{
    WriteTex("BIG-C.TEX", zTEX_FORMAT_RGB_565, 2048, 2048, 12, 1024, 1024);
    WriteTex("BIG2-C.TEX", zTEX_FORMAT_RGB_565, 2048, 2048, 12, 1024, 1024);
    zCTexture::s_loadCounter = 0;
    zCTexture* first = zCTexture::Load("BIG", 0);
    zCTexture* later = zCTexture::Load("BIG2", 0);
    EXPECT_EQ(static_cast<zCTextureExchange*>(first)->GetInfo().width, 2048);
    EXPECT_EQ(static_cast<zCTextureExchange*>(later)->GetInfo().width, 1024);
    later->Release();
    first->Release();
}

TEST_F(TextureTest, MissingTextureFallsBackToTheDefault)
{
    WriteTex("DEFAULT-C.TEX", zTEX_FORMAT_RGB_565, 32, 32, 6, 32, 32);
    zCTexture* texture = zCTexture::Load("NOWHERE.TGA", 0);
    const zTTextureInfo info = static_cast<zCTextureExchange*>(texture)->GetInfo();
    EXPECT_EQ(info.width, 32);
    EXPECT_TRUE(HasLine("Warning: Texture not found 'NOWHERE.TGA', using default-texture"));
    EXPECT_EQ(host.GetWarningCount(), 1);
    texture->Release();
}

TEST_F(TextureTest, AnimatedNameLinksItsFramesPerChannel)
{
    // Channel A counts 3 frames, B 2; one frame is a source texture only, one is missing.
    for (const char* frame : {"A0_B0", "A1_B0", "A2_B0", "A0_B1"})
        WriteTex(std::string("WATER_") + frame + "-C.TEX", zTEX_FORMAT_RGB_565, 8, 8, 1, 8, 8);
    box.Write("DATA/Textures/Sea/water_a1_b1.tga", "");
    WriteTex("DEFAULT-C.TEX", zTEX_FORMAT_RGB_565, 32, 32, 1, 32, 32);

    zCTexture* first = zCTexture::Load("Water_A0_B0.tga", 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetObjectName(), "WATER_A0_B0.TGA");
    EXPECT_TRUE(first->texFlags & zTEX_FLAG_ANI_FIRST);
    EXPECT_EQ(std::vector<int>(std::begin(first->aniFrames), std::end(first->aniFrames)), (std::vector<int>{3, 2, 0}));
    // The frames along one channel, each channel's row and column linked both ways.
    auto name = [](const zCTexture* t) { return t ? std::string(t->GetObjectName()) : std::string("-"); };
    const zCTexture* a1 = first->aniNext[0];
    EXPECT_EQ(name(a1), "WATER_A1_B0.TGA");
    EXPECT_EQ(name(a1->aniNext[0]), "WATER_A2_B0.TGA");
    EXPECT_EQ(name(a1->aniNext[0]->aniNext[0]), "-");
    EXPECT_EQ(name(a1->aniNext[1]), "WATER_A1_B1.TGA");
    EXPECT_EQ(name(a1->aniNext[0]->aniNext[1]), "WATER_A2_B1.TGA");
    EXPECT_EQ(name(first->aniNext[1]->aniNext[0]), "WATER_A1_B1.TGA");
    EXPECT_EQ(a1->aniPrev[0], first);
    EXPECT_EQ(a1->aniNext[1]->aniPrev[1], a1);
    EXPECT_EQ(name(first->aniPrev[0]) + name(first->aniPrev[1]) + name(first->aniNext[2]), "---");
    EXPECT_FALSE(a1->texFlags & zTEX_FLAG_ANI_FIRST);

    // Any name of the animation, a frame's or one beyond its frames, gives the first frame.
    zCTexture* found = zCTexture::Load("WATER_A1_B1", 0);
    zCTexture* absent = zCTexture::Load("WATER_A7_B0", 0);
    EXPECT_EQ(found, first);
    EXPECT_EQ(absent, first);
    EXPECT_EQ(first->GetRefCtr(), 3);

    // The missing frame takes the default texture when it is used.
    zCTexture* missing = a1->aniNext[0]->aniNext[1];
    EXPECT_EQ(static_cast<zCTextureExchange*>(missing)->GetInfo().width, 32);
    EXPECT_TRUE(HasLine("Warning: Texture not found 'WATER_A2_B1.TGA', using default-texture"));
    EXPECT_EQ(host.GetWarningCount(), 1);

    // The frames live as long as the first frame.
    g_resourceManager->CacheOutAll(nullptr);
    found->Release();
    absent->Release();
    first->Release();
    for (const char* frame : {"WATER_A0_B0.TGA", "WATER_A1_B0.TGA", "WATER_A2_B1.TGA"})
        EXPECT_EQ(zCTexture::classDef.SearchHashTable(frame), nullptr) << frame;
}

TEST_F(TextureTest, NamesWithoutAnimationAreOneTexture)
{
    const struct {
        const char* name;
        const char* file;      // a compiled file written for it
        const char* loaded;    // the object name of what Load gives
        bool animated;
    } cases[] = {
        {"SKY_A0", "SKY_A0", "SKY_A0.TGA", true},
        {"A_B_C_D_E0", "A_B_C_D_E0", "A_B_C_D_E0.TGA", true},
        // A plain word after a channel word, six words, a digit first, no frame file.
        {"SKY_A0_NIGHT", "SKY_A0", "SKY_A0_NIGHT.TGA", false},
        {"A_B_C_D_E_F0", "A_B_C_D_E_F0", "A_B_C_D_E_F0.TGA", false},
        {"ROCK_0A", "ROCK_0A", "ROCK_0A.TGA", false},
        {"HUM_BODY_V0_C0", "HUM_BODY_V1_C0", "HUM_BODY_V0_C0.TGA", false},
        // More than three channels: a warning, and the first three are used.
        {"FIRE_A0_B0_C0_D0", "FIRE_A0_B0_C0", "FIRE_A0_B0_C0.TGA", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.Clear();
        WriteTex(std::string(c.file) + "-C.TEX", zTEX_FORMAT_RGB_565, 8, 8, 1, 8, 8);
        zCTexture* texture = zCTexture::Load(c.name, 0);
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(texture->GetObjectName(), c.loaded);
        EXPECT_EQ((texture->texFlags & zTEX_FLAG_ANI_FIRST) != 0, c.animated);
        EXPECT_EQ(HasLine("Warning: TEX: numTextureChannels > 3, file: FIRE_A0_B0_C0_D0"),
                  std::string(c.name) == "FIRE_A0_B0_C0_D0");
        texture->Release();
    }
}

TEST_F(TextureTest, MissingDefaultIsFatal)
{
    zCTexture* texture = zCTexture::Load("DEFAULT.TGA", 0);
    EXPECT_FALSE(RunJob([texture] { static_cast<zCTextureExchange*>(texture)->GetInfo(); }));
    EXPECT_TRUE(HasLine("Default Texture 'DEFAULT.TGA' not found!"));
    texture->Release();
}

TEST_F(TextureTest, RendererFormatsAndTheFallbackChain)
{
    EXPECT_EQ(renderer.SupportsTextureFormat(zTEX_FORMAT_DXT1), 1);
    EXPECT_EQ(renderer.SupportsTextureFormatHardware(zTEX_FORMAT_DXT1), 0);
    EXPECT_EQ(renderer.SupportsTextureFormat(zTEX_FORMAT_ARGB_8888), 0);
    // Format 0 goes 0, 1, 2, 3, 7: accepted, and its alpha bits are kept.
    WriteTex("RGBA-C.TEX", zTEX_FORMAT_ARGB_8888, 16, 16, 5, 16, 16);
    zCTexture* texture = zCTexture::Load("RGBA", 0);
    EXPECT_EQ(static_cast<zCTextureExchange*>(texture)->GetInfo().width, 16);
    EXPECT_TRUE(texture->texFlags & zTEX_FLAG_ALPHA);
    for (const std::string& line : Texts())
        ADD_FAILURE() << line;
    texture->Release();
}

TEST_F(TextureTest, DataSizeAndCacheSettings)
{
    WriteTex("SIZE-C.TEX", zTEX_FORMAT_RGB_565, 4, 2, 3, 4, 2);
    zCTexture* texture = zCTexture::Load("SIZE", 0);
    static_cast<zCTextureExchange*>(texture)->GetInfo();
    // 4x2 + 2x1 + 1x1 pixels of 2 bytes.
    EXPECT_EQ(texture->GetDataSize(), 22);
    int time = 0;
    int bytes = 0;
    texture->GetCacheSettings(time, bytes);
    EXPECT_EQ(time, 240000);
    EXPECT_EQ(bytes, 44000000);
    ASSERT_FALSE(manager->GetClassEntries().empty());
    EXPECT_EQ(manager->GetClassEntries()[0].totalSize, 22);
    texture->Release();
}

TEST_F(TextureTest, CacheInAndOut)
{
    WriteTex("A-C.TEX", zTEX_FORMAT_RGB_565, 8, 8, 1, 8, 8);
    WriteTex("B-C.TEX", zTEX_FORMAT_RGB_565, 8, 8, 1, 8, 8);
    zCTexture* a = zCTexture::Load("A", 0);
    zCTexture* b = zCTexture::Load("B", 0);
    EXPECT_EQ(manager->CacheIn(a, -1.0f), zRES_CACHED_IN);
    EXPECT_EQ(a->GetRefCtr(), 2);
    // A second cache-in changes nothing.
    EXPECT_EQ(manager->CacheIn(a, -1.0f), zRES_CACHED_IN);
    EXPECT_EQ(a->GetRefCtr(), 2);
    manager->CacheIn(b, -1.0f);
    b->SetKeepCached(true);
    manager->CacheOutAll(nullptr);
    EXPECT_EQ(a->GetCacheState(), zRES_CACHED_OUT);
    EXPECT_EQ(a->GetRefCtr(), 1);
    EXPECT_EQ(b->GetCacheState(), zRES_CACHED_IN);
    b->SetKeepCached(false);

    // The manager's reference is the last one: caching out destroys the texture.
    const int living = zCTexture::classDef.GetNumLivingObjects();
    a->Release();
    EXPECT_EQ(zCTexture::classDef.GetNumLivingObjects(), living - 1);
    b->Release();
    EXPECT_EQ(b->GetRefCtr(), 1);
    const int before = zCTexture::classDef.GetNumLivingObjects();
    manager->CacheOut(b);
    EXPECT_EQ(zCTexture::classDef.GetNumLivingObjects(), before - 1);
}

TEST_F(TextureTest, UnnamedResourceIsNotCached)
{
    zCTexture* texture = renderer.CreateTexture();
    EXPECT_EQ(manager->CacheIn(texture, -1.0f), -1);
    EXPECT_EQ(texture->GetRefCtr(), 1);
    texture->Release();
}

TEST_F(TextureTest, QueuedCacheInIsNotAvailable)
{
    ErrorBoxCatcher catcher;
    zCTexture* texture = zCTexture::Load("Q", 0);
    EXPECT_THROW(manager->CacheIn(texture, 0.0f), ErrorBoxShown);
    EXPECT_EQ(texture->GetCacheState(), zRES_CACHED_OUT);
    // The stub ends the process in the program; here the manager's reference is left.
    texture->Release();
    texture->Release();
}

TEST_F(TextureTest, WorkerThreadServesImmediateCacheIns)
{
    WriteTex("T-C.TEX", zTEX_FORMAT_RGB_565, 8, 8, 1, 8, 8);
    manager->SetThreadingEnabled(1);
    zCTexture* texture = zCTexture::Load("T", 0);
    EXPECT_EQ(manager->CacheIn(texture, -1.0f), zRES_CACHED_IN);
    EXPECT_TRUE(manager->IsThreadRunning());
    manager->EndThread();
    texture->Release();
}
