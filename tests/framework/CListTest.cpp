// The framework's lists: order under every kind of insertion and removal, faults.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "CList.h"
#include "CString.h"

namespace {

std::vector<int> Forward(const CList<int, int>& list)
{
    std::vector<int> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back(list.GetNext(pos));
    return out;
}

std::vector<int> Backward(const CList<int, int>& list)
{
    std::vector<int> out;
    for (POSITION pos = list.GetTailPosition(); pos;)
        out.push_back(list.GetPrev(pos));
    return out;
}

TEST(CListOrder, GoldenOrderAfterEdits)
{
    CList<int, int> list;
    list.AddTail(2);
    list.AddHead(1);
    POSITION three = list.AddTail(3);
    list.InsertBefore(three, 25);
    list.InsertAfter(three, 4);
    list.InsertBefore(list.GetHeadPosition(), 0);
    list.InsertAfter(nullptr, 5);
    EXPECT_EQ(Forward(list), (std::vector<int>{0, 1, 2, 25, 3, 4, 5}));
    EXPECT_EQ(Backward(list), (std::vector<int>{5, 4, 3, 25, 2, 1, 0}));

    list.RemoveAt(list.Find(25));
    EXPECT_EQ(list.RemoveHead(), 0);
    EXPECT_EQ(list.RemoveTail(), 5);
    EXPECT_EQ(Forward(list), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetHead(), 1);
    EXPECT_EQ(list.GetTail(), 4);
    EXPECT_EQ(list.GetAt(list.FindIndex(2)), 3);
    EXPECT_EQ(list.FindIndex(4), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
}

TEST(CListOrder, FindStartsAfterThePosition)
{
    CList<CString, const CString&> list;
    for (const char* s : {"a", "b", "a"})
        list.AddTail(s);
    POSITION first = list.Find("a");
    POSITION second = list.Find("a", first);
    EXPECT_EQ(first, list.GetHeadPosition());
    EXPECT_EQ(second, list.GetTailPosition());
    EXPECT_EQ(list.Find("a", second), nullptr);
    EXPECT_EQ(list.Find("z"), nullptr);
}

TEST(CListBlocks, ManyNodesAcrossBlocksAndReuse)
{
    CPtrList list;
    std::vector<int> values(35);
    for (int& v : values)
        list.AddTail(&v);
    for (int i = 0; i < 20; ++i)
        list.RemoveHead();
    for (int i = 0; i < 20; ++i)
        list.AddHead(&values[19 - i]);
    POSITION pos = list.GetHeadPosition();
    for (int i = 0; i < 35; ++i)
        EXPECT_EQ(list.GetNext(pos), &values[i]);
    EXPECT_EQ(pos, nullptr);
    while (!list.IsEmpty())
        list.RemoveTail();
    list.AddTail(&values[0]);
    EXPECT_EQ(list.GetCount(), 1);
}

TEST(CListFaults, EmptyListAndNullPositionThrow)
{
    CList<int, int> list;
    EXPECT_THROW(list.RemoveHead(), std::out_of_range);
    EXPECT_THROW(list.RemoveTail(), std::out_of_range);
    EXPECT_THROW(list.GetHead(), std::out_of_range);
    POSITION pos = nullptr;
    EXPECT_THROW(list.GetNext(pos), std::out_of_range);
    EXPECT_THROW(list.RemoveAt(nullptr), std::out_of_range);
}

} // namespace
