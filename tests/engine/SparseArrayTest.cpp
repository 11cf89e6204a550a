// The sparse hash array: primes, probe paths and counters, moving keys forward,
// growth and shrinking, iteration.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <stdexcept>
#include <vector>

#include "ReporterCapture.h"
#include "zCSparseArray.h"

namespace {

using IntMap = zCSparseArray<std::uint32_t, int>;

TEST(SparseArrayPrimes, NextPrimeAndIsPrime)
{
    struct Case {
        unsigned n;
        unsigned next;
        int prime;
    };
    const Case cases[] = {
        {0, 2, 0},
        {1, 2, 0},
        {2, 2, 1},
        {3, 3, 1},
        {4, 5, 0},
        {1000, 1009, 0},
        {1031, 1031, 1},
        {65521, 65521, 1},
        {4292870399u, 4292870401u, 0},  // 65519 * 65521: needs the whole table of small primes
        {4294967291u, 4294967291u, 1},  // the largest 32-bit prime
        {4294967292u, 4294967295u, 0},  // no prime above: the largest value
        {4294967295u, 4294967295u, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(zCSparseArrayBase::NextPrime(c.n), c.next) << c.n;
        EXPECT_EQ(zCSparseArrayBase::IsPrime(c.n), c.prime) << c.n;
    }
}

TEST(SparseArray, SizeIsTheNextPrime)
{
    IntMap map(1000);
    EXPECT_EQ(map.GetSlotCount(), 1009u);
    EXPECT_EQ(map.GetRequestedSize(), 1000u);
    EXPECT_EQ(map.GetProbeLimit(), 10);
}

TEST(SparseArray, DoubleHashOverLittleEndianWords)
{
    struct Case {
        unsigned size;
        std::uint32_t key;
        unsigned index;
        unsigned step;
    };
    const Case cases[] = {
        {1009, 1, 1, 1},
        {1009, 0x12345678u, 945, 908},
        {1031, 0xFFFFFFFFu, 823, 634},
        // Grown tables: the key modulo p, the step from the quotient.
        {100003, 123456789u, 53087, 1235},
    };
    for (const Case& c : cases) {
        IntMap map(c.size);
        unsigned index = 0;
        unsigned step = 0;
        map.Hash(&c.key, index, step);
        EXPECT_EQ(index, c.index) << c.key;
        EXPECT_EQ(step, c.step) << c.key;
    }
    // Keys of 8 bytes (object pointers).
    zCSparseArray<std::uint64_t, int> wide(1031);
    const std::uint64_t key = 0x00007F0012345678ull;
    unsigned index = 0;
    unsigned step = 0;
    wide.Hash(&key, index, step);
    EXPECT_EQ(index, 976u);
    EXPECT_EQ(step, 455u);
    zCSparseArray<std::uint64_t, int> grown(200003);
    const std::uint64_t big = 0xDEADBEEFCAFEBABEull;
    grown.Hash(&big, index, step);
    EXPECT_EQ(index, 156820u);
    EXPECT_EQ(step, 49251u);
    // A key shorter than one word: index 0, step 1.
    zCSparseArray<std::uint8_t, int> narrow(7);
    const std::uint8_t small = 5;
    narrow.Hash(&small, index, step);
    EXPECT_EQ(index, 0u);
    EXPECT_EQ(step, 1u);
}

TEST(SparseArray, InsertTwiceGivesTheSameValue)
{
    IntMap map(101);
    int* first = map.Insert(7);
    *first = 42;
    const unsigned touched = map.GetTouchedCount();
    EXPECT_EQ(map.Insert(7), first);
    EXPECT_EQ(map.GetTouchedCount(), touched);
    ASSERT_NE(map.Lookup(7), nullptr);
    EXPECT_EQ(*map.Lookup(7), 42);
    EXPECT_EQ(map.Lookup(8), nullptr);
    EXPECT_EQ(map.GetNumKeys(), 1u);
}

// Two keys with the same first index: the second lies one step further on.
struct Collision {
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    unsigned first = 0;
    unsigned stepB = 0;
};

Collision FindCollision(IntMap& map)
{
    unsigned firstA = 0;
    unsigned step = 0;
    Collision c;
    map.Hash(&c.a, firstA, step);
    for (std::uint32_t key = 1;; ++key) {
        unsigned first = 0;
        map.Hash(&key, first, step);
        if (first == firstA) {
            c.b = key;
            c.first = first;
            c.stepB = step;
            return c;
        }
    }
}

TEST(SparseArray, RemoveLowersCountersAndFindMovesKeysForward)
{
    IntMap map(101);
    const Collision c = FindCollision(map);
    const unsigned p = map.GetSlotCount();
    const unsigned second = (c.first + c.stepB) % p;
    *map.Insert(c.a) = 1;
    *map.Insert(c.b) = 2;
    EXPECT_EQ(map.Find(c.a), c.first);
    EXPECT_EQ(map.Find(c.b), second);
    EXPECT_EQ(map.GetProbeCount(c.first), 2u);
    EXPECT_EQ(map.GetProbeCount(second), 1u);
    EXPECT_EQ(map.GetTouchedCount(), 2u);

    map.Remove(c.a);
    EXPECT_FALSE(map.IsOccupied(c.first));
    EXPECT_EQ(map.GetProbeCount(c.first), 1u);  // b's path still runs through it
    EXPECT_EQ(map.Lookup(c.a), nullptr);

    // The search for b passes the freed slot and moves b into it.
    EXPECT_EQ(map.Find(c.b), c.first);
    EXPECT_TRUE(map.IsOccupied(c.first));
    EXPECT_FALSE(map.IsOccupied(second));
    EXPECT_EQ(map.GetProbeCount(second), 0u);
    EXPECT_EQ(map.GetTouchedCount(), 1u);
    ASSERT_NE(map.Lookup(c.b), nullptr);
    EXPECT_EQ(*map.Lookup(c.b), 2);

    map.Remove(c.b);
    EXPECT_EQ(map.GetProbeCount(c.first), 0u);
    EXPECT_EQ(map.GetTouchedCount(), 0u);
}

TEST(SparseArray, ClearEmptiesAndShrinksBackToTheRequestedSize)
{
    IntMap map(11);
    for (std::uint32_t key = 0; key < 100; ++key)
        *map.Insert(key) = int(key);
    EXPECT_GT(map.GetSlotCount(), 150u);
    map.Clear();
    EXPECT_EQ(map.GetTouchedCount(), 0u);
    EXPECT_EQ(map.GetNumKeys(), 0u);
    EXPECT_EQ(map.Lookup(5), nullptr);  // resizes first
    EXPECT_EQ(map.GetSlotCount(), 11u);
}

// A table that fills grows instead of ending the program, keeping every key.
TEST(SparseArray, GrowsToAHundredThousandPointerKeys)
{
    const int count = 100000;
    std::vector<int> objects(count);
    zCSparseArray<int*, int> map(1031);
    for (int i = 0; i < count; ++i)
        *map.Insert(&objects[i]) = i;
    EXPECT_EQ(map.GetNumKeys(), unsigned(count));
    // Never more than two thirds full.
    EXPECT_LE(3ull * map.GetTouchedCount(), 2ull * map.GetSlotCount());
    for (int i = 0; i < count; ++i) {
        const int* value = map.Lookup(&objects[i]);
        ASSERT_NE(value, nullptr) << i;
        ASSERT_EQ(*value, i);
    }
    for (int i = 0; i < count; i += 2)
        map.Remove(&objects[i]);
    std::set<int> seen;
    {
        zCSparseArray<int*, int>::Iterator it(map);
        while (it.Next()) {
            EXPECT_EQ(it.GetKey(), &objects[it.GetValue()]);
            seen.insert(it.GetValue());
        }
    }
    ASSERT_EQ(seen.size(), std::size_t(count / 2));
    EXPECT_EQ(*seen.begin(), 1);
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(map.Lookup(&objects[i]) != nullptr, i % 2 == 1) << i;
    // Emptied, the table shrinks back on its next use.
    map.Clear();
    EXPECT_EQ(map.Lookup(&objects[1]), nullptr);
    EXPECT_EQ(map.GetSlotCount(), 1031u);
}

class SparseArrayIterating : public ReporterCapture {
};

TEST_F(SparseArrayIterating, InsertWarnsOnceAndNeverResizes)
{
    IntMap map(5);
    {
        IntMap::Iterator it(map);
        for (std::uint32_t key = 0; key < 5; ++key)
            *map.Insert(key) = int(key);
        EXPECT_EQ(map.GetSlotCount(), 5u);
        EXPECT_TRUE(map.IsResizeNeeded());
        // Full: an absent key is not searched for ever, and there is no room for it.
        EXPECT_EQ(map.Find(99), 5u);
        EXPECT_THROW(map.Insert(99), std::length_error);
    }
    const std::vector<std::string> expected = {
        "Error: Inserted in zCSparseArray with active Iterators; dangerous! No resize possible."};
    EXPECT_EQ(Texts(), expected);
    // Without the iterator the next insertion grows the table first.
    *map.Insert(99) = 99;
    EXPECT_GT(map.GetSlotCount(), 5u);
    for (std::uint32_t key = 0; key < 5; ++key) {
        ASSERT_NE(map.Lookup(key), nullptr);
        EXPECT_EQ(*map.Lookup(key), int(key));
    }
}

TEST(SparseArray, ValuesAreAligned)
{
    struct Wide {
        void* pointer;
        std::int32_t index;
    };
    zCSparseArray<char, Wide> map(31);
    for (char key = 'a'; key <= 'z'; ++key) {
        Wide* value = map.Insert(key);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(value) % alignof(Wide), 0u);
        value->pointer = value;
        value->index = key;
    }
    for (char key = 'a'; key <= 'z'; ++key)
        EXPECT_EQ(map.Lookup(key)->index, key);
}

} // namespace
