// The framework's hash map: lookup and the iteration order that saved files depend on.
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "CMap.h"

namespace {

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
std::vector<KEY> Keys(const CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>& map)
{
    std::vector<KEY> keys;
    KEY key;
    VALUE value;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        map.GetNextAssoc(pos, key, value);
        keys.push_back(key);
    }
    return keys;
}

TEST(CMapOrder, BucketsUpwardNewestFirstWithinABucket)
{
    CMap<int, int, int, int> map;
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    // Buckets of 17: 16->1, 32->2, 0->0, 272->0, 48->3, 5->0, 33->2, -16->15 (as unsigned >> 4).
    for (int key : {16, 32, 0, 272, 48, 5, 33, -16})
        map.SetAt(key, key * 10);
    EXPECT_EQ(Keys(map), (std::vector<int>{5, 272, 0, 16, 33, 32, 48, -16}));

    map[272] = 1;  // an existing key keeps its place
    map.SetAt(0, 2);
    EXPECT_EQ(Keys(map), (std::vector<int>{5, 272, 0, 16, 33, 32, 48, -16}));
    EXPECT_TRUE(map.RemoveKey(272));
    EXPECT_FALSE(map.RemoveKey(272));
    map.SetAt(272, 3);  // back in, now the newest of bucket 0
    EXPECT_EQ(Keys(map), (std::vector<int>{272, 5, 0, 16, 33, 32, 48, -16}));

    int value = 0;
    EXPECT_TRUE(map.Lookup(0, value));
    EXPECT_EQ(value, 2);
    EXPECT_TRUE(map.Lookup(-16, value));
    EXPECT_EQ(value, -160);
    EXPECT_FALSE(map.Lookup(1, value));
    EXPECT_EQ(map.GetCount(), 8);
}

TEST(CMapOrder, TableSizeChangesTheOrder)
{
    CMap<unsigned int, unsigned int, bool, bool> map;
    map.InitHashTable(3);
    // Buckets of 3: 16->1, 32->2, 48->0, 64->1.
    for (unsigned int key : {16u, 32u, 48u, 64u})
        map[key] = true;
    EXPECT_EQ(Keys(map), (std::vector<unsigned int>{48, 64, 16, 32}));
    EXPECT_EQ(map.GetHashTableSize(), 3u);
    EXPECT_THROW(map.InitHashTable(17), std::out_of_range);
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    map.InitHashTable(17);
    EXPECT_EQ(map.GetHashTableSize(), 17u);
}

TEST(CMapOrder, StringKeysByTheirHash)
{
    EXPECT_EQ(HashString("A"), 65u);
    EXPECT_EQ(HashString("ab"), 97u * 33 + 98);
    EXPECT_EQ(HashString("\xFF"), 255u);  // bytes count unsigned
    CMap<CString, const char*, int, int> map;
    // Buckets of 17: "A" 65->14, "B" 66->15, "ab" 3299->1, "R" 82->14.
    for (const char* key : {"A", "B", "ab", "R"})
        map[key] = 1;
    EXPECT_EQ(Keys(map), (std::vector<CString>{"ab", "R", "A", "B"}));
    int value = 0;
    EXPECT_TRUE(map.Lookup(CString("R"), value));
    EXPECT_FALSE(map.Lookup("r", value));
}

TEST(CMapBlocks, ManyEntriesRemovedAndReadded)
{
    CMap<void*, void*, int, int> map;
    std::vector<int> cells(40);
    for (int i = 0; i < 40; ++i)
        map[&cells[i]] = i;
    for (int i = 0; i < 40; i += 2)
        EXPECT_TRUE(map.RemoveKey(&cells[i]));
    EXPECT_EQ(map.GetCount(), 20);
    for (int i = 0; i < 40; i += 2)
        map[&cells[i]] = -i;
    int value = 0;
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(map.Lookup(&cells[i], value));
        EXPECT_EQ(value, i % 2 ? i : -i);
    }
    EXPECT_EQ(Keys(map).size(), 40u);
    POSITION pos = nullptr;
    void* key = nullptr;
    EXPECT_THROW(map.GetNextAssoc(pos, key, value), std::out_of_range);
}

} // namespace
