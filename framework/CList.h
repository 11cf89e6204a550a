// Doubly linked lists of the framework: CList<T, ARG_T> and CPtrList. Nodes come from
// blocks of 10 (or the given block size); a null or missing position, or taking from an
// empty list, throws std::out_of_range.
#pragma once

#include "NodeBlocks.h"
#include "Position.h"

namespace FrameworkDetail {
[[noreturn]] void ThrowListFault(const char* where, const char* reason);
}

template <class T, class ARG_T = const T&>
class CList {
public:
    explicit CList(int blockSize = 10) : m_nodes(blockSize) {}
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() { RemoveAll(); }

    int GetCount() const { return m_count; }
    int GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    T& GetHead() { return NonEmpty("CList::GetHead")->data; }
    const T& GetHead() const { return NonEmpty("CList::GetHead")->data; }
    T& GetTail() { return NonEmptyTail("CList::GetTail")->data; }
    const T& GetTail() const { return NonEmptyTail("CList::GetTail")->data; }

    POSITION GetHeadPosition() const { return ToPos(m_head); }
    POSITION GetTailPosition() const { return ToPos(m_tail); }

    // The element at pos; pos moves on to the next (previous) one, null after the last.
    T& GetNext(POSITION& pos)
    {
        Node* node = At("CList::GetNext", pos);
        pos = ToPos(node->next);
        return node->data;
    }
    const T& GetNext(POSITION& pos) const { return const_cast<CList*>(this)->GetNext(pos); }
    T& GetPrev(POSITION& pos)
    {
        Node* node = At("CList::GetPrev", pos);
        pos = ToPos(node->prev);
        return node->data;
    }
    const T& GetPrev(POSITION& pos) const { return const_cast<CList*>(this)->GetPrev(pos); }

    T& GetAt(POSITION pos) { return At("CList::GetAt", pos)->data; }
    const T& GetAt(POSITION pos) const { return At("CList::GetAt", pos)->data; }
    void SetAt(POSITION pos, ARG_T element) { At("CList::SetAt", pos)->data = element; }

    POSITION AddHead(ARG_T element)
    {
        Node* node = m_nodes.New(element);
        Link(node, nullptr, m_head);
        return ToPos(node);
    }

    POSITION AddTail(ARG_T element)
    {
        Node* node = m_nodes.New(element);
        Link(node, m_tail, nullptr);
        return ToPos(node);
    }

    // A null position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION pos, ARG_T element)
    {
        if (!pos)
            return AddHead(element);
        Node* next = At("CList::InsertBefore", pos);
        Node* node = m_nodes.New(element);
        Link(node, next->prev, next);
        return ToPos(node);
    }

    POSITION InsertAfter(POSITION pos, ARG_T element)
    {
        if (!pos)
            return AddTail(element);
        Node* prev = At("CList::InsertAfter", pos);
        Node* node = m_nodes.New(element);
        Link(node, prev, prev->next);
        return ToPos(node);
    }

    void RemoveAt(POSITION pos) { Unlink(At("CList::RemoveAt", pos)); }

    T RemoveHead()
    {
        Node* node = NonEmpty("CList::RemoveHead");
        T value(std::move(node->data));
        Unlink(node);
        return value;
    }

    T RemoveTail()
    {
        Node* node = NonEmptyTail("CList::RemoveTail");
        T value(std::move(node->data));
        Unlink(node);
        return value;
    }

    void RemoveAll()
    {
        for (Node* node = m_head; node;) {
            Node* next = node->next;
            m_nodes.Delete(node);
            node = next;
        }
        m_head = m_tail = nullptr;
        m_count = 0;
        m_nodes.ReleaseBlocks();
    }

    // First element equal to value after startAfter (from the head when null); null if none.
    POSITION Find(ARG_T value, POSITION startAfter = nullptr) const
    {
        Node* node = startAfter ? At("CList::Find", startAfter)->next : m_head;
        for (; node; node = node->next) {
            if (node->data == value)
                return ToPos(node);
        }
        return nullptr;
    }

    // Null when index lies outside the list.
    POSITION FindIndex(int index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        Node* node = m_head;
        while (index-- > 0)
            node = node->next;
        return ToPos(node);
    }

private:
    struct Node {
        explicit Node(ARG_T value) : data(value) {}
        T data;
        Node* prev = nullptr;
        Node* next = nullptr;
    };

    static POSITION ToPos(Node* node) { return reinterpret_cast<POSITION>(node); }

    Node* At(const char* where, POSITION pos) const
    {
        if (!pos)
            FrameworkDetail::ThrowListFault(where, "the position is null");
        return reinterpret_cast<Node*>(pos);
    }

    Node* NonEmpty(const char* where) const
    {
        if (!m_head)
            FrameworkDetail::ThrowListFault(where, "the list is empty");
        return m_head;
    }

    Node* NonEmptyTail(const char* where) const
    {
        NonEmpty(where);
        return m_tail;
    }

    void Link(Node* node, Node* prev, Node* next)
    {
        node->prev = prev;
        node->next = next;
        (prev ? prev->next : m_head) = node;
        (next ? next->prev : m_tail) = node;
        ++m_count;
    }

    void Unlink(Node* node)
    {
        (node->prev ? node->prev->next : m_head) = node->next;
        (node->next ? node->next->prev : m_tail) = node->prev;
        m_nodes.Delete(node);
        // An emptied list gives its blocks back.
        if (--m_count == 0)
            m_nodes.ReleaseBlocks();
    }

    NodeBlocks<Node> m_nodes;
    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
};

class CPtrList : public CList<void*, void*> {
public:
    explicit CPtrList(int blockSize = 10) : CList<void*, void*>(blockSize) {}
};
