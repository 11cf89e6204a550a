#include "zCVolatileMemory.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace {

struct TestVertex {
    int transformIndex = 0;
};

// Shaped like a transformed-vertex record: its holder's address in the first word.
struct TestTransform {
    TestVertex* vertex;
    float position[3];
    float extra[2];
};

std::vector<const TestTransform*> g_resetLog;

} // namespace

template <>
void zCVolatileMemory<TestTransform>::ResetElement(void* element)
{
    auto* record = static_cast<TestTransform*>(element);
    g_resetLog.push_back(record);
    record->vertex->transformIndex = 0;
    record->vertex = nullptr;
}

namespace {

class VolatileMemoryTest : public ::testing::Test {
protected:
    void SetUp() override { g_resetLog.clear(); }

    // Hands out n records, each held by a vertex of its own.
    std::vector<TestTransform*> Take(zCVolatileMemory<TestTransform>& memory, int n)
    {
        std::vector<TestTransform*> records;
        for (int i = 0; i < n; ++i) {
            vertices.emplace_back();
            TestTransform* record = memory.Alloc();
            record->vertex = &vertices.back();
            record->vertex->transformIndex = static_cast<int>(vertices.size());
            records.push_back(record);
        }
        return records;
    }

    std::vector<const TestTransform*> Log(const std::vector<TestTransform*>& records,
                                          std::initializer_list<int> order)
    {
        std::vector<const TestTransform*> log;
        for (int i : order)
            log.push_back(records[i]);
        return log;
    }

    std::deque<TestVertex> vertices;  // records point into it
};

} // namespace

TEST_F(VolatileMemoryTest, ResetReplacesTheBlockOncePeakPassesTheGrowLimit)
{
    struct Case {
        int peak;
        std::uint32_t capacityAfter;
    };
    for (const Case& c : {Case{8001, 20002}, Case{8000, 10000}}) {
        zCVolatileMemory<TestTransform> memory(10000);
        EXPECT_EQ(memory.GetElementSize(), sizeof(TestTransform));
        Take(memory, c.peak);
        g_resetLog.clear();
        memory.Reset(0);
        EXPECT_EQ(memory.GetPeak(), static_cast<std::uint32_t>(c.peak));
        EXPECT_EQ(memory.GetCapacity(), c.capacityAfter) << c.peak;
        EXPECT_EQ(memory.GetNextIndex(), 0u);
        EXPECT_EQ(g_resetLog.size(), static_cast<std::size_t>(c.peak));
        for (const TestVertex& v : vertices)
            ASSERT_EQ(v.transformIndex, 0);
        vertices.clear();
    }
}

TEST_F(VolatileMemoryTest, ResetGoesTopDownAndKeepsTheLowRecords)
{
    zCVolatileMemory<TestTransform> memory(8);
    std::vector<TestTransform*> records = Take(memory, 5);
    memory.Reset(2);
    EXPECT_EQ(g_resetLog, Log(records, {4, 3, 2}));
    EXPECT_EQ(memory.GetNextIndex(), 2u);
    EXPECT_EQ(vertices[1].transformIndex, 2);
    EXPECT_EQ(vertices[2].transformIndex, 0);

    // Keeping more than was handed out takes nothing back.
    g_resetLog.clear();
    memory.Reset(6);
    EXPECT_TRUE(g_resetLog.empty());
    EXPECT_EQ(memory.GetNextIndex(), 2u);

    memory.Reset(0);
    EXPECT_EQ(g_resetLog, Log(records, {1, 0}));
    EXPECT_EQ(memory.GetPeak(), 5u);
    EXPECT_EQ(memory.GetCapacity(), 8u);
}

// Past the end the oldest records are handed out again; a reset then takes back
// every record and clears the wrap, so the block grows once and not every time.
TEST_F(VolatileMemoryTest, WrappedBlockIsTakenBackWhole)
{
    zCVolatileMemory<TestTransform> memory(4);
    std::vector<TestTransform*> records = Take(memory, 6);
    EXPECT_TRUE(memory.IsWrapped());
    EXPECT_EQ(records[4], records[0]);
    EXPECT_EQ(g_resetLog, Log(records, {0, 1}));
    EXPECT_EQ(vertices[0].transformIndex, 0);
    EXPECT_EQ(vertices[4].transformIndex, 5);

    g_resetLog.clear();
    memory.Reset(0);
    EXPECT_EQ(g_resetLog, Log(records, {1, 0, 3, 2}));
    EXPECT_FALSE(memory.IsWrapped());
    EXPECT_EQ(memory.GetPeak(), 6u);
    EXPECT_EQ(memory.GetCapacity(), 15u);  // 6 x 200 / 80
    memory.Reset(0);
    EXPECT_EQ(memory.GetCapacity(), 15u);

    // Wrapped with records kept: those from the kept index up go back.
    records = Take(memory, 17);
    g_resetLog.clear();
    memory.Reset(5);
    EXPECT_EQ(g_resetLog.size(), 10u);  // indices 14 down to 5
    EXPECT_EQ(g_resetLog.front(), records[14]);
    EXPECT_EQ(g_resetLog.back(), records[5]);
    EXPECT_EQ(records[16]->vertex, &vertices.back());  // the newest, at index 1, kept
    EXPECT_EQ(memory.GetNextIndex(), 5u);
    EXPECT_FALSE(memory.IsWrapped());
}

TEST_F(VolatileMemoryTest, DestructorTakesEveryRecordBack)
{
    std::vector<TestTransform*> records;
    {
        zCVolatileMemory<TestTransform> memory(10);
        records = Take(memory, 3);
    }
    EXPECT_EQ(g_resetLog, Log(records, {2, 1, 0}));
    for (const TestVertex& v : vertices)
        EXPECT_EQ(v.transformIndex, 0);
}
