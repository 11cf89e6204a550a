// Node storage of the framework's lists and maps: nodes come from blocks of a fixed
// number of slots and go back to a free list; the blocks are released together.
#pragma once

#include <new>
#include <utility>

template <class Node>
class NodeBlocks {
public:
    explicit NodeBlocks(int blockSize) : m_blockSize(blockSize > 0 ? blockSize : 10) {}
    NodeBlocks(const NodeBlocks&) = delete;
    NodeBlocks& operator=(const NodeBlocks&) = delete;
    ~NodeBlocks() { ReleaseBlocks(); }

    template <class... Args>
    Node* New(Args&&... args)
    {
        if (!m_free)
            AddBlock();
        Slot* slot = m_free;
        m_free = slot->nextFree;
        try {
            return ::new (static_cast<void*>(slot->storage)) Node(std::forward<Args>(args)...);
        } catch (...) {
            slot->nextFree = m_free;
            m_free = slot;
            throw;
        }
    }

    void Delete(Node* node)
    {
        node->~Node();
        Slot* slot = reinterpret_cast<Slot*>(node);
        slot->nextFree = m_free;
        m_free = slot;
    }

    // Only when every node has been deleted.
    void ReleaseBlocks()
    {
        while (m_blocks) {
            Block* next = m_blocks->next;
            delete[] m_blocks->slots;
            delete m_blocks;
            m_blocks = next;
        }
        m_free = nullptr;
    }

private:
    union Slot {
        Slot* nextFree;
        alignas(Node) unsigned char storage[sizeof(Node)];
    };
    struct Block {
        Block* next;
        Slot* slots;
    };

    void AddBlock()
    {
        Block* block = new Block{m_blocks, new Slot[m_blockSize]};
        m_blocks = block;
        // The block's first slot is handed out first.
        for (int i = m_blockSize - 1; i >= 0; --i) {
            block->slots[i].nextFree = m_free;
            m_free = &block->slots[i];
        }
    }

    int m_blockSize;
    Block* m_blocks = nullptr;
    Slot* m_free = nullptr;
};
