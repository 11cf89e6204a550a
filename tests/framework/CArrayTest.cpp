// The framework's arrays: growth, insertion and removal, faults.
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <vector>

#include "CArray.h"

namespace {

std::vector<int> Items(const CArray<int, int>& a)
{
    return std::vector<int>(a.GetData(), a.GetData() + a.GetSize());
}

TEST(CArrayGrowth, DefaultStepIsAnEighthBetween4And1024)
{
    CArray<int, int> a;
    std::vector<int> allocs;
    for (int i = 0; i < 50; ++i) {
        a.Add(i);
        if (allocs.empty() || allocs.back() != a.GetAllocSize())
            allocs.push_back(a.GetAllocSize());
    }
    EXPECT_EQ(allocs, (std::vector<int>{4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 45, 50}));
    a.SetSize(10000);
    EXPECT_EQ(a.GetAllocSize(), 10000);
    a.SetSize(10001);
    EXPECT_EQ(a.GetAllocSize(), 11024);
    EXPECT_EQ(a[49], 49);
    EXPECT_EQ(a[10000], 0);
}

TEST(CArrayGrowth, GivenStepAndShrinking)
{
    CArray<int, int> a;
    a.SetSize(3, 10);
    EXPECT_EQ(a.GetAllocSize(), 10);
    EXPECT_EQ(Items(a), (std::vector<int>{0, 0, 0}));
    a.SetSize(11);
    EXPECT_EQ(a.GetAllocSize(), 20);
    a.SetSize(2);  // keeps the storage
    EXPECT_EQ(a.GetAllocSize(), 20);
    EXPECT_EQ(a.GetUpperBound(), 1);
    a.RemoveAll();
    EXPECT_EQ(a.GetAllocSize(), 0);
    EXPECT_TRUE(a.IsEmpty());
}

TEST(CArrayEdit, InsertRemoveAppendCopy)
{
    CArray<int, int> a;
    for (int v : {1, 2, 3})
        a.Add(v);
    a.InsertAt(1, 9, 2);
    EXPECT_EQ(Items(a), (std::vector<int>{1, 9, 9, 2, 3}));
    a.InsertAt(7, 5);  // beyond the end: the gap is default values
    EXPECT_EQ(Items(a), (std::vector<int>{1, 9, 9, 2, 3, 0, 0, 5}));
    a.RemoveAt(1, 5);
    EXPECT_EQ(Items(a), (std::vector<int>{1, 0, 5}));
    a.SetAt(1, 4);
    a.ElementAt(2) = 6;
    EXPECT_EQ(a.Append(a), 3);
    EXPECT_EQ(Items(a), (std::vector<int>{1, 4, 6, 1, 4, 6}));
    CArray<int, int> b;
    b.Add(7);
    a.Copy(b);
    EXPECT_EQ(Items(a), (std::vector<int>{7}));
}

TEST(CArrayEdit, OwnElementSurvivesGrowth)
{
    CStringArray a;
    a.Add("first");
    for (int i = 0; i < 20; ++i)
        a.Add(a[0]);  // each Add that outgrows the storage moves a[0]
    a.InsertAt(0, a[a.GetUpperBound()]);
    for (int i = 0; i < a.GetSize(); ++i)
        EXPECT_STREQ(a[i], "first") << i;
    CArray<CString, CString&> refs;
    CString text("x");
    refs.Add(text);
    EXPECT_EQ(refs.GetAt(0), "x");
}

TEST(CArrayFaults, IndicesOutsideThrow)
{
    CPtrArray a;
    int x = 0;
    a.Add(&x);
    EXPECT_EQ(a[0], &x);
    EXPECT_THROW(a.GetAt(1), std::out_of_range);
    EXPECT_THROW(a[-1], std::out_of_range);
    EXPECT_THROW(a.SetAt(1, nullptr), std::out_of_range);
    EXPECT_THROW(a.RemoveAt(0, 2), std::out_of_range);
    EXPECT_THROW(a.InsertAt(-1, nullptr), std::out_of_range);
    EXPECT_THROW(a.SetSize(-1), std::out_of_range);
    EXPECT_THROW(a.SetAtGrow(INT_MAX, nullptr), std::out_of_range);
    EXPECT_THROW(a.InsertAt(1, nullptr, INT_MAX), std::out_of_range);
    EXPECT_EQ(a.GetSize(), 1);
}

} // namespace
