// Tree nodes come from a pool shared by all threads: nodes made in one thread and
// dropped in another, and a pool whose memory went back to the heap and is cut anew.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "zCPar_TreeNode.h"

namespace {

// A chain of count nodes through Next, each telling its place in Value and Name.
zCPar_TreeNode* MakeChain(int count)
{
    zCPar_TreeNode* first = nullptr;
    zCPar_TreeNode* last = nullptr;
    for (int i = 0; i < count; ++i) {
        auto* node = new zCPar_TreeNode(EXP_DIGIT, zSTRING(i), i, i);
        node->Insert(last);
        if (!first)
            first = node;
    }
    return first;
}

bool ChainIsIntact(const zCPar_TreeNode* node, int count)
{
    for (int i = 0; i < count; ++i, node = node->Next) {
        if (!node || node->Value != i || node->Name != zSTRING(i) || node->line != i)
            return false;
    }
    return node == nullptr;
}

TEST(TreeNodePoolTest, NodesMadeInOneThreadAreDroppedInAnother)
{
    constexpr int kThreads = 4;
    constexpr int kNodes = 5000;  // more than one chunk
    std::vector<zCPar_TreeNode*> chains(kThreads);
    std::vector<std::thread> makers;
    for (int t = 0; t < kThreads; ++t)
        makers.emplace_back([&chains, t] { chains[t] = MakeChain(kNodes); });
    for (std::thread& maker : makers)
        maker.join();
    for (int t = 0; t < kThreads; ++t)
        EXPECT_TRUE(ChainIsIntact(chains[t], kNodes)) << t;

    // Each chain is dropped by another thread than the one that made it, while the
    // others make and drop nodes of their own.
    std::vector<std::thread> droppers;
    for (int t = 0; t < kThreads; ++t) {
        droppers.emplace_back([&chains, t] {
            delete chains[(t + 1) % kThreads];
            zCPar_TreeNode* own = MakeChain(kNodes / 2);
            EXPECT_TRUE(ChainIsIntact(own, kNodes / 2));
            delete own;
        });
    }
    for (std::thread& dropper : droppers)
        dropper.join();
}

TEST(TreeNodePoolTest, NodesAreCutAnewAfterThePoolLetItsMemoryGo)
{
    zCPar_TreeNode* chain = MakeChain(3000);
    delete chain;
    // Every node is back: the chunks go.
    chain = MakeChain(3000);
    EXPECT_TRUE(ChainIsIntact(chain, 3000));
    // A node still out keeps the pool's memory, whatever the others do.
    zCPar_TreeNode* kept = MakeChain(1);
    delete chain;
    EXPECT_TRUE(ChainIsIntact(kept, 1));
    delete kept;
}

} // namespace
