// Model animations: sample packing and its bounds, resampling, alias and
// combination resolution, animations read from ASC, and the .MAN file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "AscFixture.h"
#include "JobGlobals.h"
#include "ResourceIds.h"
#include "zCBinChunkFile.h"

namespace {

using namespace asc;

zTAniSample Packed(const zQUAT& q, const zVEC3& p)
{
    zTAniSample s;
    zCModelAni::PackSample(q, p, s);
    return s;
}

TEST(AniSamples, RotationsKeepWNonNegative)
{
    zCModelAni::SetPosConfig(0.0f, 1.0f);
    // A negative w is stored as the negated quaternion.
    zQUAT q(0.3f, -0.2f, 0.1f, -std::sqrt(1.0f - 0.14f));
    const zQUAT back = zCModelAni::UnpackRotation(Packed(q, zVEC3(0, 0, 0)));
    EXPECT_GE(back.w, 0.0f);
    EXPECT_NEAR(back.x, -0.3f, 1e-4f);
    EXPECT_NEAR(back.y, 0.2f, 1e-4f);
    EXPECT_NEAR(back.w, -q.w, 1e-3f);
    // Stored parts whose squares add to more than 1 come back normalised with w 0.
    zTAniSample big;
    big.rotation[0] = big.rotation[1] = big.rotation[2] = 65000;
    const zQUAT unit = zCModelAni::UnpackRotation(big);
    EXPECT_FLOAT_EQ(unit.w, 0.0f);
    EXPECT_NEAR(unit.x * unit.x + unit.y * unit.y + unit.z * unit.z, 1.0f, 1e-5f);
}

TEST(AniSamples, PositionsStayWithinOneStepOfTheirRange)
{
    const float min = -37.5f;
    const float range = 912.25f;
    zCModelAni::SetPosRange(min, range);
    const float step = range / 65535.0f;
    for (int i = 0; i <= 1000; ++i) {
        const float v = min + range * static_cast<float>(i) / 1000.0f;
        const zVEC3 back = zCModelAni::UnpackPosition(Packed(zQUAT(0, 0, 0, 1), zVEC3(v, min, min + range)));
        EXPECT_LE(std::fabs(back.x - v), step * 1.01f) << v;
        EXPECT_LE(back.x, min + range + step * 0.01f);
        EXPECT_FLOAT_EQ(back.y, min);
        EXPECT_NEAR(back.z, min + range, step * 1.01f);
    }
}

TEST(AniSamples, EqualPositionsPackExactly)
{
    // Every position equal: the range is 0, each stores 0 and unpacks to the minimum.
    zCModelAni ani;
    ani.numFrames = 3;
    ani.numNodes = 1;
    ani.fps = 25.0f;
    std::vector<zMAT4> keys(3, MakeTranslationMatrix(zVEC3(4.25f, 4.25f, 4.25f)));
    ani.SetSamples({keys.data()});
    EXPECT_FLOAT_EQ(ani.posStep, 0.0f);
    ASSERT_TRUE(ani.samples);
    for (const zTAniSample& s : *ani.samples)
        EXPECT_EQ(s.position[0] | s.position[1] | s.position[2], 0);
    const zVEC3 p = ani.GetRootPosition(2, 0);
    EXPECT_EQ(p.x, 4.25f);
    EXPECT_EQ(p.z, 4.25f);
}

TEST(AniSamples, ResampledToTheFrameRateLimit)
{
    zCModelAni ani;
    ani.numFrames = 30;
    ani.numNodes = 1;
    ani.fps = 30.0f;
    std::vector<zMAT4> keys;
    for (int f = 0; f < 30; ++f)
        keys.push_back(MakeTranslationMatrix(zVEC3(static_cast<float>(f), 0, 0)));
    const float saved = g_aniMaxFps;
    g_aniMaxFps = 25.0f;
    ani.SetSamples({keys.data()});
    g_aniMaxFps = saved;
    EXPECT_EQ(ani.numFrames, 25);  // ceil(30 / 1.2)
    EXPECT_FLOAT_EQ(ani.fps, 25.0f);
    EXPECT_FLOAT_EQ(ani.sourceFps, 30.0f);
    EXPECT_NEAR(ani.GetRootPosition(5, 0).x, 6.0f, 0.01f);  // frame floor(5 * 1.2)
    EXPECT_NEAR(ani.GetRootPosition(24, 0).x, 28.0f, 0.01f);
}

TEST(AniSamples, ARateThatTruncatesToZeroKeepsItsFrames)
{
    zCModelAni ani;
    ani.numFrames = 4;
    ani.numNodes = 1;
    ani.fps = 0.9f;
    std::vector<zMAT4> keys(4, MakeIdentityMatrix());
    const float saved = g_aniMaxFps;
    g_aniMaxFps = 0.5f;
    ani.SetSamples({keys.data()});
    g_aniMaxFps = saved;
    EXPECT_EQ(ani.numFrames, 4);
    ASSERT_TRUE(ani.samples);
    EXPECT_EQ(ani.samples->size(), 4u);
}

class ModelAniTest : public AscFixture {
protected:
    void SetUp() override
    {
        AscFixture::SetUp();
        proto->SetModelProtoName("HUMANS");
        savedDest = g_jobDestDir;
        g_jobDestDir = "\\DATA\\ANIMS\\";
        box.Write("DATA/ANIMS/_compiled/keep", "");
        ASSERT_TRUE(Load("HUMANS.ASC", Header() + Scene() + Object("Bip01", "", 0, 0, 50) +
                                           Object("Bip01 Spine", "Bip01", 0, 0, 60) +
                                           Object("Bip01 Head", "Bip01 Spine", 0, 0, 80),
                         6));
    }
    void TearDown() override
    {
        g_jobDestDir = savedDest;
        ClearRecordedSourceStamps();
        AscFixture::TearDown();
    }

    // The walk: scene frames 5..30; the root's x is the sample line number, the
    // spine stays at the origin, the head has no tracks.
    std::string Walk() const
    {
        std::vector<float> rootX;
        for (int k = 0; k < 26; ++k)
            rootX.push_back(static_cast<float>(k));
        return Header() + Scene(5, 30) + Object("Bip01", "", 0, 0, 50, Tracks(rootX, std::vector<float>(26, 0.0f))) +
               Object("Bip01 Spine", "Bip01", 0, 0, 60, Tracks(std::vector<float>(26, 0.0f))) +
               Object("Bip01 Head", "Bip01 Spine", 0, 0, 80) + Object("Bip01 Tail", "Bip01", 0, 0, 10, Tracks({1.0f}));
    }

    zCModelAni* ReadWalk()
    {
        zCModelAni* ani = nullptr;
        EXPECT_TRUE(Load("WALK.ASC", Walk(), 1, 10, 20, &ani, "T_WALK"));
        return ani;
    }

    std::string ManPath() const { return "DATA/ANIMS/_compiled/HUMANS-T_WALK.MAN"; }

    zSTRING savedDest;
};

TEST_F(ModelAniTest, ReadFromAscRelativeToParents)
{
    zCModelAni* ani = ReadWalk();
    ASSERT_NE(ani, nullptr);
    EXPECT_EQ(proto->SearchAni("T_WALK"), ani);
    EXPECT_EQ(ani->numFrames, 11);
    EXPECT_EQ(ani->numNodes, 2);
    EXPECT_FLOAT_EQ(ani->fps, 25.0f);
    EXPECT_EQ(std::string(ani->aniDefinition), "WALK.ASC");
    ASSERT_EQ(ani->nodeIndexList.GetNum(), 2);
    EXPECT_EQ(ani->nodeIndexList[0], 0);
    EXPECT_EQ(ani->nodeIndexList[1], 1);
    EXPECT_EQ(ani->rootNodeIndex, 0);
    const float step = ani->posStep * 1.01f;
    for (int f = 0; f < 11; ++f) {
        // Frames 10..20 of a scene starting at 5 are sample lines 5..15.
        EXPECT_NEAR(ani->GetRootPosition(f, 0).x, -(5.0f + f), step) << f;
        // The spine stays at the origin: relative to the moving root (whose sign
        // vector turns it half round the vertical) it moves along x as well.
        const zVEC3 spine = ani->GetRootPosition(f, 1);
        EXPECT_NEAR(spine.x, -(5.0f + f), step) << f;
        EXPECT_NEAR(spine.y, 0.0f, step) << f;
    }
    for (int i = 0; i < proto->nodeList.GetNum(); ++i)
        EXPECT_EQ(proto->nodeList[i]->keyFrames, nullptr);
    // An animation-only read skips what the hierarchy lacks.
    EXPECT_TRUE(HasLine("BIP01 TAIL"));
}

TEST_F(ModelAniTest, ManFileReadsBackAndWritesTheSameBytes)
{
    zCModelAni* ani = ReadWalk();
    ASSERT_NE(ani, nullptr);
    ani->aniEvents = std::make_shared<std::vector<zTAniEventRec>>(2);
    (*ani->aniEvents)[0].eventKind = 1;
    (*ani->aniEvents)[0].frameNumber = 3;
    (*ani->aniEvents)[0].tagString = "DEF_STEP";
    (*ani->aniEvents)[0].values[1] = "STEP_L";
    (*ani->aniEvents)[1].floatValues[2] = 0.5f;
    ani->nextAniName = "T_WALK";
    ani->SaveMAN(*proto, "(\"T_WALK\" 1 \"T_WALK\" 0.1 0.1 M. \"WALK.ASC\" F 10 20)");
    const std::string first = box.Read(ManPath());
    ASSERT_FALSE(first.empty());

    // A partial compile job uses the files it finds.
    const int savedPartial = g_partialCompile;
    g_partialCompile = 1;
    auto* again = new zCModelAni();
    ASSERT_EQ(again->LoadMAN("T_WALK.MAN", *proto, "(\"T_WALK\" 1 \"T_WALK\" 0.1 0.1 M. \"WALK.ASC\" F 10 20)"), 1);
    EXPECT_EQ(again->numFrames, 11);
    EXPECT_EQ(again->GetNumEvents(), 2);
    EXPECT_EQ(std::string((*again->aniEvents)[0].values[1]), "STEP_L");
    EXPECT_EQ(again->GetAscName(), zSTRING("WALK.ASC"));
    EXPECT_EQ(again->GetFirstFrame(), 10);
    EXPECT_EQ(again->GetLastFrame(), 20);
    EXPECT_EQ((*again->nodeList)[1], proto->nodeList[1]);
    EXPECT_EQ(again->rootNodeIndex, 0);
    box.Write(ManPath(), "");
    again->SaveMAN(*proto, "(\"T_WALK\" 1 \"T_WALK\" 0.1 0.1 M. \"WALK.ASC\" F 10 20)");
    EXPECT_EQ(box.Read(ManPath()), first);
    again->Release();
    g_partialCompile = savedPartial;

    // Another source text, a version 11 header: the ani is built from its ASC again.
    g_jobMode = zJOB_DECOMPILE_MODELS;
    auto* other = new zCModelAni();
    EXPECT_EQ(other->LoadMAN("T_WALK.MAN", *proto, ""), 1);
    EXPECT_EQ(other->LoadMAN("T_WALK.MAN", *proto, "(\"T_RUN\")"), 0);
    std::string old = first;
    const std::size_t header = old.find(U16(0xA020));
    ASSERT_NE(header, std::string::npos);
    old[header + 6] = 11;
    box.Write(ManPath(), old);
    EXPECT_EQ(other->LoadMAN("T_WALK.MAN", *proto, ""), 0);
    other->Release();
}

TEST_F(ModelAniTest, ManNodeIndexesOutsideTheHierarchy)
{
    zCModelAni* ani = ReadWalk();
    ASSERT_NE(ani, nullptr);
    ani->SaveMAN(*proto, "");
    const std::string bytes = box.Read(ManPath());
    // The data chunk: id, length, checksum, then the node indexes.
    const std::size_t data = bytes.find(U16(0xA090) + U32(4 + 2 * 4 + 11 * 2 * 12));
    ASSERT_NE(data, std::string::npos);
    g_jobMode = zJOB_DECOMPILE_MODELS;
    struct Case {
        int entry;
        int result;
        const char* message;
    };
    for (const Case c : {Case{1, 1, "Node not found"}, Case{0, 0, "first node 77"}}) {
        std::string patched = bytes;
        patched.replace(data + 10 + 4 * static_cast<std::size_t>(c.entry), 4, U32(77));
        box.Write(ManPath(), patched);
        host.Clear();
        auto* loaded = new zCModelAni();
        EXPECT_EQ(loaded->LoadMAN("T_WALK.MAN", *proto, ""), c.result) << c.entry;
        EXPECT_TRUE(HasLine(c.message)) << c.entry;
        if (c.result == 1) {
            EXPECT_EQ((*loaded->nodeList)[1], (*loaded->nodeList)[0]);
        }
        loaded->Release();
    }
}

TEST_F(ModelAniTest, SavingSetsRootMoveOnlyForARootThatMoves)
{
    struct Case {
        float distance;
        bool moves;
    };
    for (const Case c : {Case{0.5f, false}, Case{5.0f, true}}) {
        zCModelAni ani;
        ani.aniName = "T_MOVE";
        ani.numFrames = 2;
        ani.numNodes = 1;
        ani.fps = 25.0f;
        ani.nodeList = std::make_shared<std::vector<zCModelNodeRec*>>(1, proto->nodeList[0]);
        ani.nodeIndexList.InsertEnd(0);
        std::vector<zMAT4> keys = {MakeTranslationMatrix(zVEC3(0, 0, 0)), MakeTranslationMatrix(zVEC3(c.distance, 0, 0))};
        ani.SetSamples({keys.data()});
        ani.rootNodeIndex = 0;
        ani.SaveMAN(*proto, "");
        EXPECT_EQ((ani.aniFlags & zANI_FLAG_ROOT_MOVES) != 0, c.moves) << c.distance;
    }
}

TEST_F(ModelAniTest, AliasSharesItsSource)
{
    zCModelAni* walk = ReadWalk();
    ASSERT_NE(walk, nullptr);
    struct Case {
        const char* alias;
        int sourceType;
        int result;
    };
    for (const Case c : {Case{"T_WALK", zANI_TYPE_NORMAL, 1}, Case{"T_NONE", zANI_TYPE_NORMAL, 0},
                         Case{"T_WALK", zANI_TYPE_BLEND, 0}}) {
        walk->SetAniType(c.sourceType);
        zCModelAni alias;
        alias.aniName = "T_WALKALIAS";
        alias.SetAniType(zANI_TYPE_ALIAS);
        alias.aliasName = c.alias;
        EXPECT_EQ(alias.ResolveAliasAni(*proto), c.result) << c.alias;
        EXPECT_EQ(alias.samples == walk->samples, c.result == 1);
    }
    walk->SetAniType(zANI_TYPE_NORMAL);
}

TEST_F(ModelAniTest, CombinationCountIsTheLastCharacterAndItsSamplesComeFromSourceOne)
{
    for (const char* stem : {"T_AIM", "S_RUN2"}) {
        for (int i = 1; i <= 3; ++i) {
            auto* source = new zCModelAni();
            source->aniName = stem + std::to_string(i);
            source->numFrames = 2;
            source->numNodes = 1;
            source->fps = 25.0f;
            source->nodeList = std::make_shared<std::vector<zCModelNodeRec*>>(1, proto->nodeList[0]);
            source->nodeIndexList.InsertEnd(0);
            std::vector<zMAT4> keys = {MakeTranslationMatrix(zVEC3(0, 0, 0)),
                                       MakeTranslationMatrix(zVEC3(1000.0f + static_cast<float>(i), 0, -900.0f))};
            source->SetSamples({keys.data()});
            proto->AddAni(source);
        }
    }
    struct Case {
        const char* aliasName;
        const char* firstSource;  // empty: not resolved
    };
    const Case cases[] = {
        {"T_AIM3", "T_AIM1"},
        // A stem that ends in a digit: the count is the last character alone.
        {"S_RUN23", "S_RUN21"},
        {"T_AIM", ""},
        {"T_AIM0", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.aliasName);
        zCModelAni comb;
        comb.aniName = "T_COMB";
        comb.SetAniType(zANI_TYPE_COMB);
        comb.aliasName = c.aliasName;
        const bool resolves = *c.firstSource != 0;
        ASSERT_EQ(comb.ResolveCombAni(*proto), resolves ? 1 : 0);
        if (!resolves) {
            EXPECT_TRUE(HasLine("does not end in a number"));
            continue;
        }
        ASSERT_EQ(comb.combList.size(), 3u);
        EXPECT_EQ(std::string(comb.combList[0]->aniName), c.firstSource);
        // The samples are source 1's, in a range wide enough for them.
        const zVEC3 p = comb.GetRootPosition(1, 0);
        EXPECT_NEAR(p.x, 1001.0f, comb.posStep * 1.01f);
        EXPECT_NEAR(p.z, -900.0f, comb.posStep * 1.01f);
        EXPECT_LE(comb.posRangeMin, -900.0f);
    }
}

} // namespace
