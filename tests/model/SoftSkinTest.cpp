// Soft skins: the weight stream, node list and node boxes, their chunks written,
// read and written again byte for byte, and damaged or foreign skin chunks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ProgMeshFixture.h"
#include "ResString.h"
#include "zCMeshSoftSkin.h"
#include "zCProgMeshBuilder.h"

namespace {

class SoftSkinTest : public ProgMeshFixture {
protected:
    void SetUp() override
    {
        ProgMeshFixture::SetUp();
        material = new zCMaterial("SKIN");
    }
    void TearDown() override
    {
        material->Release();
        ProgMeshFixture::TearDown();
    }

    // A flat 4 x 3 grid (x 0..3, z 0..2) as the ASC reader builds a skin: vertices of
    // column 0 follow node 3 first, the others node 7; every vertex has node 9 second.
    zCMeshSoftSkin* MakeSkin()
    {
        zCMesh mesh;
        FillGrid(mesh, 4, 3, {material}, [](int, int) { return 0.0f; });
        auto* skin = new zCMeshSoftSkin;
        zCArray<std::uint32_t> order;
        EXPECT_EQ(zCProgMeshProto::BuildFromMesh(&mesh, skin, &order, 42), 1);
        skin->lodParams[2] = 0.03f;
        skin->AllocWeightStream(order.GetNum(), 2 * order.GetNum());
        for (int k = 0; k < order.GetNum(); ++k) {
            const bool firstColumn = order[k] % 4 == 0;
            skin->AddNumWeights(2);
            skin->AddWeightEntry({0.75f, zVEC3(1, 2, 3), static_cast<std::uint8_t>(firstColumn ? 3 : 7)});
            skin->AddWeightEntry({0.25f, zVEC3(-1, 0, 0.5f), 9});
        }
        skin->BuildNodeIndexList();
        skin->BuildNodeOBBs();
        return skin;
    }

    // Where the skin data starts: after the version chunk's 10 bytes, the mesh chunk
    // and the end chunk's header.
    static std::size_t SkinDataAt(const std::string& bytes) { return 10 + 6 + Field(bytes, 12) + 6; }

    zCMaterial* material = nullptr;
};

void ExpectVec(const zVEC3& actual, const zVEC3& expected)
{
    EXPECT_FLOAT_EQ(actual.x, expected.x);
    EXPECT_FLOAT_EQ(actual.y, expected.y);
    EXPECT_FLOAT_EQ(actual.z, expected.z);
}

TEST_F(SoftSkinTest, NodeBoxesCoverTheTrianglesOfTheirFirstEntriesShrunk)
{
    zCMeshSoftSkin* skin = MakeSkin();
    const zCArray<int>& nodes = skin->GetNodeIndexList();
    ASSERT_EQ(nodes.GetNum(), 3);
    ASSERT_EQ(skin->GetNumNodeBoxes(), 3);
    // In first-seen order over the positions (collapse order).
    std::vector<int> seen;
    std::vector<std::vector<zTSoftSkinWeightEntry>> weights;
    ASSERT_TRUE(skin->GetWeights(weights));
    for (const auto& entries : weights)
        for (const auto& e : entries)
            if (std::find(seen.begin(), seen.end(), e.node) == seen.end())
                seen.push_back(e.node);
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(nodes[n], seen[static_cast<std::size_t>(n)]);

    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(nodes[n]);
        const zTOrientedBox3D& box = skin->GetNodeBox(n);
        if (nodes[n] == 3) {
            // Column 0's triangles reach x = 1: the box x 0..1, z 0..2, times 0.8.
            ExpectVec(box.center, zVEC3(0.5f, 0, 1));
            ExpectVec(box.extent, zVEC3(0.4f, 0, 0.8f));
        } else if (nodes[n] == 7) {
            ExpectVec(box.center, zVEC3(1.5f, 0, 1));
            ExpectVec(box.extent, zVEC3(1.2f, 0, 0.8f));
        } else {
            // Named only by second entries: the tiny box at the origin.
            ExpectVec(box.center, zVEC3(0, 0, 0));
            ExpectVec(box.extent, zVEC3(0.0001f, 0.0001f, 0.0001f));
            ExpectVec(box.axis[0], zVEC3(1, 0, 0));
            ExpectVec(box.axis[2], zVEC3(0, 0, 1));
        }
    }
    skin->Release();
}

TEST_F(SoftSkinTest, WriteReadWriteGivesTheSameBytesAndStopsBeforeTheEndChunk)
{
    zCMeshSoftSkin* skin = MakeSkin();
    const std::string written = Write(*skin);
    skin->Release();
    EXPECT_EQ(written.substr(0, 10), U16(0xE100) + U32(4) + U32(4));
    const std::size_t data = SkinDataAt(written);
    EXPECT_EQ(Field(written, data), 12u * (4 + 2 * 17));  // the stream size
    EXPECT_EQ(Field(written, data + 4 + 12 * (4 + 2 * 17)), 0u);  // no spare records
    EXPECT_EQ(written.substr(written.size() - 6), U16(0xE110) + U32(0));

    auto* read = new zCMeshSoftSkin;
    ASSERT_TRUE(Read(*read, written));
    EXPECT_TRUE(host.GetLines().empty());
    EXPECT_EQ(read->GetNumPositions(), 12);
    EXPECT_EQ(read->GetNodeIndexList().GetNum(), 3);
    EXPECT_EQ(Write(*read), written);
    // Reading ends with the end marker's header.
    EXPECT_EQ(input.GetFile()->Pos(), static_cast<long>(written.size()));
    read->Release();
}

TEST_F(SoftSkinTest, ForeignOrDamagedSkinChunksAreRefused)
{
    zCMeshSoftSkin* skin = MakeSkin();
    const std::string good = Write(*skin);
    skin->Release();
    const std::size_t data = SkinDataAt(good);
    const std::uint32_t streamSize = Field(good, data);
    const std::size_t spares = data + 4 + streamSize;
    const std::size_t nodes = spares + 4;
    // The end chunk's length covers the skin data.
    const std::uint32_t skinLength = Field(good, data - 4);
    // The last entry taken out of the stream, its size and its chunk.
    std::string shortStream = Patched(Patched(good, data, streamSize - 17, 4), data - 4, skinLength - 17, 4);
    shortStream.erase(spares - 17, 17);

    struct Case {
        const char* name;
        std::string bytes;
        int reason;  // the message that names the fault; -1: refused without one
    };
    const Case cases[] = {
        {"skin version 3", Patched(good, 6, 3, 4), -1},
        {"skin version 5", Patched(good, 6, 5, 4), -1},
        {"stream past the chunk", Patched(good, data, streamSize + 1000, 4), 33291},
        {"stream size near 4 GB", Patched(good, data, 0xFFFFFFFFu, 4), 33291},
        {"stream ends inside a vertex's entries", shortStream, 33292},
        {"entry count past the stream", Patched(good, data + 4, 3, 4), 33292},
        {"spare records past the chunk", Patched(good, spares, 0x10000000u, 4), 33293},
        {"node count past the chunk", Patched(good, nodes, 0xFFFF, 2), 33293},
        {"node boxes cut by the chunk", Patched(good, data - 4, skinLength - 20, 4), 33293},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.Clear();
        auto* read = new zCMeshSoftSkin;
        EXPECT_FALSE(Read(*read, c.bytes));
        if (c.reason < 0)
            EXPECT_TRUE(host.GetLines().empty());
        else
            EXPECT_TRUE(HasLine(std::string(LoadResString(c.reason)))) << ::testing::PrintToString(Texts());
        EXPECT_TRUE(read->GetWeightStream().empty());
        EXPECT_EQ(read->GetNodeIndexList().GetNum(), 0);
        read->Release();
    }
}

} // namespace
