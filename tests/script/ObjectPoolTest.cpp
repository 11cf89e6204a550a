// The pool of the compiler's small objects, on its own: threads take blocks a run
// at a time, and a pool given back every block starts again at its first chunk.
// The pool is on here even under AddressSanitizer (it is off for the script's own
// objects there), so that these tests see it at work in every build.
#define TAVRELIN_OBJECT_POOL 1
#include "zCParObjectPool.h"

#include <gtest/gtest.h>

#include <new>
#include <set>
#include <thread>
#include <vector>

namespace {

// Each test has a pool of its own: a pool's state outlives the test.
template <int Test>
struct Item {
    int owner = 0;
    int place = 0;
    char padding[40] = {};
};

template <int Test>
using ItemPool = zCParObjectPool<Item<Test>, 64, 16>;  // small chunks: a few hundred items span several

template <int Test>
Item<Test>* Make(int owner, int place)
{
    auto* item = new (ItemPool<Test>::Shared().New(sizeof(Item<Test>))) Item<Test>;
    item->owner = owner;
    item->place = place;
    return item;
}

template <int Test>
void Drop(Item<Test>* item)
{
    item->~Item();
    ItemPool<Test>::Shared().Delete(item, sizeof(Item<Test>));
}

TEST(ObjectPoolTest, AnEmptiedPoolCutsAgainFromItsFirstBlock)
{
    // The taking thread still holds the rest of its run when the items go back.
    Item<1>* first = Make<1>(0, 0);
    std::vector<Item<1>*> items;
    for (int i = 0; i < 200; ++i)
        items.push_back(Make<1>(0, i));
    for (Item<1>* item : items)
        Drop<1>(item);
    Item<1>* kept = Make<1>(0, 1);
    EXPECT_NE(kept, first);
    Drop<1>(first);
    Drop<1>(kept);
    Item<1>* again = Make<1>(0, 2);
    EXPECT_EQ(again, first);
    Drop<1>(again);
}

TEST(ObjectPoolTest, ThreadsNeverShareABlock)
{
    constexpr int kThreads = 4;
    constexpr int kItems = 500;
    std::vector<std::vector<Item<2>*>> made(kThreads);
    std::vector<std::thread> makers;
    for (int t = 0; t < kThreads; ++t) {
        makers.emplace_back([&made, t] {
            for (int i = 0; i < kItems; ++i)
                made[t].push_back(Make<2>(t, i));
            // Half go back at once; another thread takes the spare blocks.
            for (int i = 0; i < kItems; i += 2)
                Drop<2>(made[t][i]);
            for (int i = 0; i < kItems; i += 2)
                made[t][i] = Make<2>(t, i);
        });
    }
    for (std::thread& maker : makers)
        maker.join();

    // The threads have ended with runs of their own unused: the pool goes on.
    std::set<Item<2>*> seen;
    for (int t = 0; t < kThreads; ++t) {
        for (int i = 0; i < kItems; ++i) {
            Item<2>* item = made[t][i];
            EXPECT_TRUE(seen.insert(item).second);
            EXPECT_EQ(item->owner, t);
            EXPECT_EQ(item->place, i);
        }
    }
    Item<2>* extra = Make<2>(9, 9);
    EXPECT_EQ(seen.count(extra), 0u);
    Drop<2>(extra);
    for (int t = 0; t < kThreads; ++t)
        for (Item<2>* item : made[t])
            Drop<2>(item);
}

} // namespace
