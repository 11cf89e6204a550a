// Hash map of the framework: CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>.
//
// Its iteration order reaches saved files, so it is fixed: buckets from 0 upward; within a
// bucket the most recently inserted key first (new nodes go to the bucket's head). A key
// lands in bucket HashKey(key) % table size (17 unless InitHashTable says otherwise);
// setting an existing key keeps its place.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "CString.h"
#include "NodeBlocks.h"
#include "Position.h"

// Character strings: h = h * 33 + c over the bytes as unsigned, from h = 0.
uint32_t HashString(const char* key);

// Strings (CString or character pointers) by HashString; integers, enums and other
// pointers by their low 32 bits shifted right by 4.
template <class ARG_KEY>
uint32_t HashKey(const ARG_KEY& key)
{
    using K = std::decay_t<ARG_KEY>;
    if constexpr (std::is_same_v<K, CString>)
        return HashString(key);
    else if constexpr (std::is_same_v<K, const char*> || std::is_same_v<K, char*>)
        return HashString(key);
    else if constexpr (std::is_pointer_v<K>)
        return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(key)) >> 4;
    else
        return static_cast<uint32_t>(key) >> 4;
}

namespace FrameworkDetail {
[[noreturn]] void ThrowMapFault(const char* where, const char* reason);

template <class KEY, class ARG_KEY>
bool KeysEqual(const KEY& key, ARG_KEY argKey)
{
    using K = std::decay_t<KEY>;
    if constexpr (std::is_same_v<K, const char*> || std::is_same_v<K, char*>)
        return std::strcmp(key ? key : "", argKey ? argKey : "") == 0;
    else
        return key == argKey;
}
} // namespace FrameworkDetail

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap {
public:
    explicit CMap(int blockSize = 10) : m_nodes(blockSize) {}
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    ~CMap() { RemoveAll(); }

    int GetCount() const { return m_count; }
    int GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    unsigned int GetHashTableSize() const { return m_tableSize; }

    // Only while the map is empty: the bucket count decides the iteration order.
    void InitHashTable(unsigned int size, bool allocNow = true)
    {
        if (m_count != 0)
            FrameworkDetail::ThrowMapFault("CMap::InitHashTable", "the map is not empty");
        if (size == 0)
            FrameworkDetail::ThrowMapFault("CMap::InitHashTable", "the table needs at least one bucket");
        delete[] m_table;
        m_table = nullptr;
        m_tableSize = size;
        if (allocNow)
            AllocTable();
    }

    bool Lookup(ARG_KEY key, VALUE& value) const
    {
        Node* node = Find(key);
        if (!node)
            return false;
        value = node->value;
        return true;
    }

    // Adds the key with a default value when it is missing.
    VALUE& operator[](ARG_KEY key)
    {
        if (Node* node = Find(key))
            return node->value;
        if (!m_table)
            AllocTable();
        uint32_t hash = HashKey<ARG_KEY>(key);
        Node* node = m_nodes.New(key, hash);
        Node*& bucket = m_table[hash % m_tableSize];
        node->next = bucket;
        bucket = node;
        ++m_count;
        return node->value;
    }

    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }

    bool RemoveKey(ARG_KEY key)
    {
        if (!m_table)
            return false;
        uint32_t hash = HashKey<ARG_KEY>(key);
        for (Node** link = &m_table[hash % m_tableSize]; *link; link = &(*link)->next) {
            Node* node = *link;
            if (node->hash == hash && FrameworkDetail::KeysEqual<KEY, ARG_KEY>(node->key, key)) {
                *link = node->next;
                m_nodes.Delete(node);
                if (--m_count == 0)
                    RemoveAll();
                return true;
            }
        }
        return false;
    }

    // The table keeps its size.
    void RemoveAll()
    {
        if (m_table) {
            for (unsigned int i = 0; i < m_tableSize; ++i) {
                for (Node* node = m_table[i]; node;) {
                    Node* next = node->next;
                    m_nodes.Delete(node);
                    node = next;
                }
            }
            delete[] m_table;
            m_table = nullptr;
        }
        m_count = 0;
        m_nodes.ReleaseBlocks();
    }

    POSITION GetStartPosition() const { return m_count ? ToPos(FirstFrom(0)) : nullptr; }

    // The entry at pos; pos moves on to the next one in iteration order, null after the last.
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
    {
        if (!pos)
            FrameworkDetail::ThrowMapFault("CMap::GetNextAssoc", "the position is null");
        Node* node = reinterpret_cast<Node*>(pos);
        key = node->key;
        value = node->value;
        Node* next = node->next ? node->next : FirstFrom(node->hash % m_tableSize + 1);
        pos = ToPos(next);
    }

private:
    struct Node {
        Node(ARG_KEY k, uint32_t h) : key(k), value(), hash(h) {}
        KEY key;
        VALUE value;
        uint32_t hash;
        Node* next = nullptr;
    };

    static POSITION ToPos(Node* node) { return reinterpret_cast<POSITION>(node); }

    void AllocTable()
    {
        m_table = new Node*[m_tableSize]();
    }

    Node* Find(ARG_KEY key) const
    {
        if (!m_table)
            return nullptr;
        uint32_t hash = HashKey<ARG_KEY>(key);
        for (Node* node = m_table[hash % m_tableSize]; node; node = node->next) {
            if (node->hash == hash && FrameworkDetail::KeysEqual<KEY, ARG_KEY>(node->key, key))
                return node;
        }
        return nullptr;
    }

    Node* FirstFrom(unsigned int bucket) const
    {
        for (; m_table && bucket < m_tableSize; ++bucket) {
            if (m_table[bucket])
                return m_table[bucket];
        }
        return nullptr;
    }

    NodeBlocks<Node> m_nodes;
    Node** m_table = nullptr;
    unsigned int m_tableSize = 17;
    int m_count = 0;
};
