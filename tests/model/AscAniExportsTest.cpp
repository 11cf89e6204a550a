// Animation exports: one per source file, sampled poses placed by frame, the gaps
// interpolated from the two nearest poses, a single pose held.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StaticModelFixture.h"
#include "zCAscAniExports.h"
#include "zCModelAni.h"

class AscAniExportsTest : public StaticModelFixture {
protected:
    void SetUp() override
    {
        StaticModelFixture::SetUp();
        proto = new zCModelPrototype();
        AddNode(proto, "BIP01", nullptr, 0.0f);
        AddNode(proto, "BIP01 ARM", "BIP01", 1.0f);
    }
    void TearDown() override
    {
        proto->Release();
        StaticModelFixture::TearDown();
    }

    // An animation of the arm read from frames first .. last of the source; sample k
    // moves the arm to x = offset + (its source frame)^2.
    void AddAni(const char* name, const char* source, int first, int last, int numFrames, float fps = 25.0f,
                float sourceFps = 25.0f, float offset = 0.0f)
    {
        auto* ani = new zCModelAni();
        ani->aniName = name;
        ani->aniDefinition = std::string("(") + name + " 1 \"\" 0 0 M. \"" + source + "\" F " + std::to_string(first) +
                             " " + std::to_string(last) + ")";
        ani->fps = fps;
        ani->sourceFps = sourceFps;
        ani->numFrames = static_cast<std::int16_t>(numFrames);
        ani->numNodes = 1;
        ani->nodeIndexList.InsertEnd(1);
        ani->posRangeMin = 0.0f;
        ani->posStep = kStep;
        zCModelAni::SetPosConfig(0.0f, kStep);
        ani->samples = std::make_shared<std::vector<zTAniSample>>();
        const float ratio = sourceFps / fps;
        for (int k = 0; k < numFrames; ++k) {
            const float frame = std::floor(static_cast<float>(k) * ratio + static_cast<float>(first));
            zTAniSample sample;
            zCModelAni::PackSample(zQUAT(0, 0, 0, 1), zVEC3(offset + frame * frame, 0, 0), sample);
            ani->samples->push_back(sample);
        }
        proto->AddAni(ani);
    }

    static constexpr float kStep = 2000.0f / 65535.0f;
    zCModelPrototype* proto = nullptr;
};

TEST_F(AscAniExportsTest, PosesByFrameAndTheGapsBetween)
{
    struct Case {
        const char* what;
        int frame;
        float x;
        int interpolated;
    };
    AddAni("A", "RUN.ASC", 0, 10, 11);
    AddAni("B", "RUN.ASC", 20, 30, 11);
    AddAni("C", "RUN.ASC", 5, 15, 11, 25.0f, 25.0f, 500.0f);  // overlaps: the earlier poses win
    AddAni("D", "SLOW.ASC", 0, -1, 5, 12.5f, 25.0f);
    AddAni("E", "ONE.ASC", 0, 10, 1);
    AddAni("F", "", 0, 10, 1);  // no source: no export
    const std::vector<zTAscExportInfo> exports = BuildAscAniExports(*proto);
    ASSERT_EQ(exports.size(), 3u);
    const int spans[3][3] = {{0, 30, 25}, {0, 8, 25}, {0, 10, 25}};
    for (int e = 0; e < 3; ++e) {
        SCOPED_TRACE(e);
        EXPECT_EQ(exports[e].firstFrame, spans[e][0]);
        EXPECT_EQ(exports[e].lastFrame, spans[e][1]);
        EXPECT_EQ(exports[e].fps, spans[e][2]);
        EXPECT_EQ(static_cast<int>(exports[e].frames.size()), spans[e][1] - spans[e][0] + 1);
    }
    const std::vector<Case> run = {
        {"sampled", 10, 100.0f, 0},
        {"overlap, first animation wins", 7, 49.0f, 0},
        {"overlap, later frames of the later one", 14, 696.0f, 0},
        {"from 15 and 14, both below", 16, 725.0f + (725.0f - 696.0f), 1},
        {"from 15 and 20", 17, 725.0f * 0.6f + 400.0f * 0.4f, 1},
        {"from 20 and 21 (tie at 3 keeps the earlier 21)", 18, 400.0f * 3 - 441.0f * 2, 1},
    };
    for (const Case& c : run) {
        SCOPED_TRACE(c.what);
        const zTAscFrame& pose = exports[0].frames[static_cast<std::size_t>(c.frame)];
        EXPECT_EQ(pose.frame, c.frame);
        EXPECT_NEAR(pose.positions[1].x, c.x, 0.2f);
        EXPECT_EQ(pose.interpolated, c.interpolated);
        EXPECT_EQ(pose.animated, (std::vector<int>{0, 1}));
    }
    // Source frames 0, 2, ..., 8 sampled, the odd ones halfway.
    for (int t = 0; t <= 8; ++t) {
        SCOPED_TRACE(t);
        EXPECT_EQ(exports[1].frames[static_cast<std::size_t>(t)].interpolated, t % 2);
        EXPECT_NEAR(exports[1].frames[static_cast<std::size_t>(t)].positions[1].x,
                    t % 2 ? ((t - 1) * (t - 1) + (t + 1) * (t + 1)) / 2.0f : static_cast<float>(t * t), 0.2f);
    }
    // The one pose is held over the whole range.
    for (const zTAscFrame& pose : exports[2].frames) {
        EXPECT_NEAR(pose.positions[1].x, 0.0f, 0.2f);
        EXPECT_EQ(pose.interpolated, pose.frame == 0 ? 0 : 1);
    }
    // The root keeps its bind pose and is not animated.
    EXPECT_EQ(exports[0].frames[3].animated[0], 0);
}
