#include "zCArray.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Long enough to live on the heap, so that a lost or doubled element shows under ASan.
std::string Text(int n)
{
    return "element number " + std::to_string(n) + " with a text too long for the string itself";
}

template <class T>
std::vector<T> Contents(const zCArray<T>& a)
{
    return std::vector<T>(a.GetArray(), a.GetArray() + a.GetNum());
}

int CompareInts(const void* a, const void* b)
{
    const int x = *static_cast<const int*>(a);
    const int y = *static_cast<const int*>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

} // namespace

TEST(ArrayTest, GrowsBySixteenThenByHalf)
{
    zCArray<int> a;
    std::vector<int> capacities;
    for (int i = 0; i < 82; ++i) {
        a.InsertEnd(i);
        if (capacities.empty() || capacities.back() != a.GetNumAlloc())
            capacities.push_back(a.GetNumAlloc());
    }
    EXPECT_EQ(capacities, (std::vector<int>{16, 24, 36, 54, 81, 121}));
    for (int i = 0; i < 82; ++i)
        ASSERT_EQ(a[i], i);

    a.GrowBy(5);
    EXPECT_EQ(a.GetNumAlloc(), 126);
    a.AllocAbs(10);  // never shrinks
    EXPECT_EQ(a.GetNumAlloc(), 126);
    a.AllocAbs(200);
    EXPECT_EQ(a.GetNumAlloc(), 200);
    EXPECT_EQ(a.GetNum(), 82);
    EXPECT_EQ(a[81], 81);

    a.EmptyList();
    EXPECT_EQ(a.GetNum(), 0);
    EXPECT_EQ(a.GetNumAlloc(), 200);
    a.DeleteList();
    EXPECT_EQ(a.GetNumAlloc(), 0);
    EXPECT_EQ(a.GetArray(), nullptr);
}

TEST(ArrayTest, InsertsAndRemovesOwningElements)
{
    zCArray<std::string> a;
    for (int i = 0; i < 4; ++i)
        a.InsertEnd(Text(i));
    a.InsertFront(Text(10));
    a.InsertAtPos(Text(11), 2);
    a.InsertAtPos(Text(12), a.GetNum());
    EXPECT_EQ(Contents(a), (std::vector<std::string>{Text(10), Text(0), Text(11), Text(1), Text(2),
                                                     Text(3), Text(12)}));

    a.RemoveOrderIndex(1);  // order kept
    EXPECT_EQ(Contents(a), (std::vector<std::string>{Text(10), Text(11), Text(1), Text(2), Text(3),
                                                     Text(12)}));
    a.RemoveIndex(0);  // the last element fills the gap
    EXPECT_EQ(Contents(a),
              (std::vector<std::string>{Text(12), Text(11), Text(1), Text(2), Text(3)}));
    a.Remove(Text(2));
    a.Remove(Text(99));
    EXPECT_EQ(Contents(a), (std::vector<std::string>{Text(12), Text(11), Text(1), Text(3)}));
    a.RemoveIndex(a.GetNum() - 1);
    EXPECT_EQ(a.Search(Text(1)), 2);
    EXPECT_EQ(a.Search(Text(3)), -1);
    EXPECT_TRUE(a.IsInList(Text(12)));
    EXPECT_FALSE(a.IsInList(Text(3)));
}

// An element of the array itself inserted while the array moves its elements.
TEST(ArrayTest, InsertsItsOwnElements)
{
    zCArray<std::string> a;
    for (int i = 0; i < 16; ++i)
        a.InsertEnd(Text(i));
    ASSERT_EQ(a.GetNum(), a.GetNumAlloc());
    a.InsertEnd(a[0]);  // grows: the old block goes after the copy
    EXPECT_EQ(a[16], Text(0));
    a.InsertAtPos(a[16], 0);
    a.InsertFront(a[3]);
    EXPECT_EQ(a[0], Text(2));
    EXPECT_EQ(a[1], Text(0));
    EXPECT_EQ(a[2], Text(0));
    EXPECT_EQ(a[18], Text(0));
    EXPECT_EQ(a.GetNum(), 19);
}

TEST(ArrayTest, CopiesAndMovesDeeply)
{
    zCArray<zCArray<std::string>> rows;
    for (int r = 0; r < 40; ++r) {  // several regrowths of the outer array
        zCArray<std::string> row;
        for (int c = 0; c <= r % 5; ++c)
            row.InsertEnd(Text(r * 10 + c));
        rows.InsertEnd(row);
    }
    zCArray<zCArray<std::string>> copy(rows);
    rows[0][0] = "changed";
    EXPECT_EQ(copy[0][0], Text(0));
    EXPECT_EQ(copy[39].GetNum(), 5);
    EXPECT_EQ(copy[39][4], Text(394));

    copy = copy;
    EXPECT_EQ(copy[39][4], Text(394));
    copy = rows;
    EXPECT_EQ(copy[0][0], "changed");
    EXPECT_EQ(copy.GetNum(), 40);

    zCArray<zCArray<std::string>> moved(std::move(rows));
    EXPECT_EQ(rows.GetNum(), 0);
    EXPECT_EQ(moved[38][3], Text(383));
    rows = std::move(moved);
    EXPECT_EQ(rows[38][3], Text(383));

    rows.RemoveOrderIndex(0);
    rows.InsertFront(copy[1]);
    EXPECT_EQ(rows[0][1], Text(11));
    rows.EmptyList();
    rows.InsertEnd(copy[2]);
    EXPECT_EQ(rows[0].GetNum(), 3);
}

// An index fault throws, so that it ends the running job and not the program.
TEST(ArrayTest, IndexOutsideTheArrayThrows)
{
    zCArray<int> a;
    EXPECT_THROW(a[0], std::out_of_range);
    a.InsertEnd(7);
    const zCArray<int>& constant = a;
    EXPECT_THROW(constant[1], std::out_of_range);
    EXPECT_THROW(a[-1], std::out_of_range);
    EXPECT_THROW(a.RemoveIndex(1), std::out_of_range);
    EXPECT_THROW(a.RemoveOrderIndex(-1), std::out_of_range);
    EXPECT_THROW(a.InsertAtPos(8, 2), std::out_of_range);
    EXPECT_EQ(Contents(a), std::vector<int>{7});
    try {
        a.RemoveIndex(3);
        ADD_FAILURE() << "no fault";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "zCArray::RemoveIndex: index 3 outside 0..1");
    }
}

TEST(ArraySortTest, InsertSortKeepsOrderAndSearchFinds)
{
    zCArraySort<int> a(&CompareInts);
    const int values[] = {5, -3, 12, 0, 5, 99, -40, 7};
    for (int v : values)
        a.InsertSort(v);
    EXPECT_EQ(Contents(a), (std::vector<int>{-40, -3, 0, 5, 5, 7, 12, 99}));
    for (int v : values)
        EXPECT_EQ(a[a.Search(v)], v);
    EXPECT_EQ(a.Search(5), 3);  // the first of equal elements
    for (int absent : {-41, 1, 6, 100})
        EXPECT_EQ(a.Search(absent), -1) << absent;

    a.RemoveIndex(0);  // order kept
    a.Remove(7);
    EXPECT_EQ(Contents(a), (std::vector<int>{-3, 0, 5, 5, 12, 99}));
    EXPECT_FALSE(a.IsInList(7));

    zCArraySort<int> empty(&CompareInts);
    EXPECT_EQ(empty.Search(1), -1);
}

// The default comparator would read past an element narrower than its key.
TEST(ArraySortTest, NarrowElementsKeepTheirOwnComparator)
{
    const zCArraySort<char>::CompareFunc byChar = [](const void* a, const void* b) {
        return *static_cast<const char*>(a) - *static_cast<const char*>(b);
    };
    zCArraySort<char> a(byChar);
    EXPECT_THROW(a.SetCompare(nullptr), std::invalid_argument);
    EXPECT_EQ(a.GetCompare(), byChar);
    for (char c : {'c', 'a', 'b'})
        a.InsertSort(c);
    EXPECT_EQ(Contents(a), (std::vector<char>{'a', 'b', 'c'}));
}

// The default comparator answers only -1 or 0; search and sort must still be right.
TEST(ArraySortTest, DefaultCompareOrdersUnsignedKeys)
{
    struct Keyed {
        std::uint32_t key;
        int tag;
    };
    zCArraySort<Keyed> a;
    EXPECT_EQ(a.GetCompare(), &DefaultArrayCompare);
    const std::uint32_t keys[] = {0x80000000u, 3, 0xFFFFFFFFu, 0, 3, 70000};
    int tag = 0;
    for (std::uint32_t k : keys)
        a.InsertEnd(Keyed{k, tag++});
    a.QuickSort();
    std::vector<std::uint32_t> sorted;
    std::vector<int> tags;
    for (int i = 0; i < a.GetNum(); ++i) {
        sorted.push_back(a[i].key);
        tags.push_back(a[i].tag);
    }
    EXPECT_EQ(sorted, (std::vector<std::uint32_t>{0, 3, 3, 70000, 0x80000000u, 0xFFFFFFFFu}));
    EXPECT_EQ(tags, (std::vector<int>{3, 1, 4, 5, 0, 2}));

    EXPECT_EQ(a.Search(Keyed{3, 0}), 1);
    EXPECT_EQ(a.Search(Keyed{0xFFFFFFFFu, 0}), 5);
    EXPECT_EQ(a.Search(Keyed{0, 0}), 0);
    for (std::uint32_t absent : {1u, 4u, 0x7FFFFFFFu, 0xFFFFFFFEu})
        EXPECT_EQ(a.Search(Keyed{absent, 0}), -1) << absent;

    a.InsertSort(Keyed{4, 9});
    a.InsertSort(Keyed{3, 8});
    EXPECT_EQ(a[2].key, 3u);
    EXPECT_EQ(a[3].tag, 8);  // behind the equal ones
    EXPECT_EQ(a[4].key, 4u);
}
