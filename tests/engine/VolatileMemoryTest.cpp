#include "zCVolatileMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    if (!record->vertex) {
        ADD_FAILURE() << "a record without a holder was reset";
        return;
    }
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

    // The reset log as record indices; base is the record at index 0.
    static std::vector<int> LoggedIndices(const TestTransform* base)
    {
        std::vector<int> indices;
        for (const TestTransform* record : g_resetLog)
            indices.push_back(static_cast<int>(record - base));
        g_resetLog.clear();
        return indices;
    }

    int HeldVertices() const
    {
        return static_cast<int>(std::count_if(vertices.begin(), vertices.end(),
                                              [](const TestVertex& v) { return v.transformIndex != 0; }));
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
        EXPECT_EQ(HeldVertices(), 0);
        vertices.clear();
    }
}

// The walk goes down from the next index to keep, round the end of the block when
// wrapped; a block that is replaced or freed gets every record back.
TEST_F(VolatileMemoryTest, ResetWalksDownToTheKeptIndex)
{
    struct Case {
        int handedOut;  // of 4 records; above 4 the block has wrapped
        std::uint32_t keep;
        std::vector<int> resets;
        std::uint32_t nextAfter;
        bool wrappedAfter;
        std::uint32_t capacityAfter;
    };
    const Case cases[] = {
        {3, 1, {2, 1}, 1, false, 4},
        {3, 3, {}, 3, false, 4},
        {2, 3, {}, 2, false, 4},            // never handed out: left alone
        {3, 4, {2, 1, 0}, 0, false, 4},     // keep = capacity: all
        {3, 9, {2, 1, 0}, 0, false, 4},     // beyond the capacity: as the capacity
        {3, 0, {2, 1, 0}, 0, false, 4},     // peak 3 stays under 80 % of 4
        {6, 1, {1}, 1, true, 4},            // stops above 0: the older records stay held
        {6, 2, {}, 2, true, 4},
        {6, 3, {1, 0, 3}, 3, false, 4},     // on round the end, clearing the wrap
        {6, 4, {1, 0, 3, 2}, 0, false, 4},  // freed by the destructor: all
        {6, 0, {1, 0, 3, 2}, 0, false, 15}, // replaced (6 x 200 / 80): all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.handedOut << " handed out, keep " << c.keep);
        {
            zCVolatileMemory<TestTransform> memory(4);
            const TestTransform* base = Take(memory, c.handedOut).front();
            EXPECT_EQ(memory.IsWrapped(), c.handedOut > 4);
            g_resetLog.clear();
            memory.Reset(c.keep);
            EXPECT_EQ(LoggedIndices(base), c.resets);
            EXPECT_EQ(memory.GetNextIndex(), c.nextAfter);
            EXPECT_EQ(memory.IsWrapped(), c.wrappedAfter);
            EXPECT_EQ(memory.GetCapacity(), c.capacityAfter);
            EXPECT_EQ(HeldVertices(), std::min(c.handedOut, 4) - static_cast<int>(c.resets.size()));
        }
        EXPECT_EQ(HeldVertices(), 0);  // the destructor took back the rest, each once
        vertices.clear();
    }
}

// Past the end the oldest records are handed out again; a reset that replaces the block
// clears the wrap, so the block grows once and not at every reset.
TEST_F(VolatileMemoryTest, WrapHandsTheOldestRecordsOutAgain)
{
    zCVolatileMemory<TestTransform> memory(4);
    std::vector<TestTransform*> records = Take(memory, 6);
    EXPECT_TRUE(memory.IsWrapped());
    EXPECT_EQ(records[4], records[0]);
    EXPECT_EQ(LoggedIndices(records[0]), (std::vector<int>{0, 1}));
    EXPECT_EQ(vertices[0].transformIndex, 0);
    EXPECT_EQ(vertices[4].transformIndex, 5);

    memory.Reset(0);
    EXPECT_EQ(memory.GetPeak(), 6u);
    EXPECT_EQ(memory.GetCapacity(), 15u);
    memory.Reset(0);
    EXPECT_EQ(memory.GetCapacity(), 15u);
}

// A reset that stops above 0 while wrapped frees records below older held ones: those
// are handed out again without a reset, and a later walk passes over them.
TEST_F(VolatileMemoryTest, FreedRecordsUnderOlderOnesAreNeverResetTwice)
{
    zCVolatileMemory<TestTransform> memory(6);
    const TestTransform* base = Take(memory, 9).front();  // wrapped, next index 3
    g_resetLog.clear();
    memory.Reset(1);
    EXPECT_EQ(LoggedIndices(base), (std::vector<int>{2, 1}));

    Take(memory, 3);  // 1 and 2 are free, 3 is the oldest held
    EXPECT_EQ(LoggedIndices(base), (std::vector<int>{3}));
    memory.Reset(1);
    EXPECT_EQ(LoggedIndices(base), (std::vector<int>{3, 2, 1}));

    memory.Reset(2);  // round the end, passing over the free 3
    EXPECT_EQ(LoggedIndices(base), (std::vector<int>{0, 5, 4}));
    EXPECT_EQ(memory.GetNextIndex(), 2u);
    EXPECT_FALSE(memory.IsWrapped());
    EXPECT_EQ(HeldVertices(), 0);

    memory.Reset(0);  // nothing is held any more
    EXPECT_TRUE(g_resetLog.empty());
    EXPECT_EQ(memory.GetNextIndex(), 0u);
}

TEST_F(VolatileMemoryTest, DestructorTakesEveryRecordBack)
{
    struct Case {
        std::uint32_t capacity;
        int handedOut;
        std::vector<int> resets;
    };
    for (const Case& c : {Case{10, 3, {2, 1, 0}}, Case{4, 6, {1, 0, 3, 2}}}) {
        const TestTransform* base;
        {
            zCVolatileMemory<TestTransform> memory(c.capacity);
            base = Take(memory, c.handedOut).front();
            g_resetLog.clear();
        }
        EXPECT_EQ(LoggedIndices(base), c.resets) << c.capacity;
        EXPECT_EQ(HeldVertices(), 0);
        vertices.clear();
    }
}
