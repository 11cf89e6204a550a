// Growable arrays of the framework: CArray<T, ARG_T> and its fixed kinds CPtrArray and
// CStringArray. Index faults throw std::out_of_range.
#pragma once

#include <climits>
#include <memory>
#include <new>
#include <utility>

#include "CString.h"

namespace FrameworkDetail {
[[noreturn]] void ThrowIndexFault(const char* where, int index, int size);
}

template <class T, class ARG_T = const T&>
class CArray {
public:
    CArray() = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    ~CArray() { SetSize(0); }

    int GetSize() const { return m_size; }
    int GetCount() const { return m_size; }
    int GetUpperBound() const { return m_size - 1; }
    bool IsEmpty() const { return m_size == 0; }
    // Slots allocated; for checking the growth policy.
    int GetAllocSize() const { return m_allocSize; }

    // A growth step of -1 keeps the current one. When the array outgrows its storage
    // it takes at least the step more; the default step is an eighth of the size,
    // between 4 and 1024.
    void SetSize(int newSize, int growBy = -1)
    {
        if (newSize < 0)
            FrameworkDetail::ThrowIndexFault("CArray::SetSize", newSize, m_size);
        if (growBy >= 0)
            m_growBy = growBy;
        if (newSize == 0) {
            Destroy(0, m_size);
            if (m_data)
                std::allocator<T>().deallocate(m_data, static_cast<size_t>(m_allocSize));
            m_data = nullptr;
            m_size = m_allocSize = 0;
            return;
        }
        if (newSize <= m_allocSize) {
            if (newSize > m_size)
                ConstructDefault(m_size, newSize);
            else
                Destroy(newSize, m_size);
            m_size = newSize;
            return;
        }
        int step = m_growBy;
        if (step < 0)
            step = m_size / 8 < 4 ? 4 : (m_size / 8 > 1024 ? 1024 : m_size / 8);
        long long stepped = static_cast<long long>(m_allocSize) + step;
        Reallocate(stepped > newSize ? static_cast<int>(stepped < INT_MAX ? stepped : INT_MAX) : newSize);
        ConstructDefault(m_size, newSize);
        m_size = newSize;
    }

    void RemoveAll() { SetSize(0); }

    const T& GetAt(int index) const { return m_data[Checked("CArray::GetAt", index)]; }
    void SetAt(int index, ARG_T element) { m_data[Checked("CArray::SetAt", index)] = element; }
    T& ElementAt(int index) { return m_data[Checked("CArray::ElementAt", index)]; }
    const T& ElementAt(int index) const { return m_data[Checked("CArray::ElementAt", index)]; }
    T& operator[](int index) { return ElementAt(index); }
    const T& operator[](int index) const { return GetAt(index); }
    T* GetData() { return m_data; }
    const T* GetData() const { return m_data; }

    // The element is copied before the array grows, so it may be one of the array's own.
    void SetAtGrow(int index, ARG_T element)
    {
        if (index < 0 || index == INT_MAX)
            FrameworkDetail::ThrowIndexFault("CArray::SetAtGrow", index, m_size);
        T value(element);
        if (index >= m_size)
            SetSize(index + 1);
        m_data[index] = std::move(value);
    }

    int Add(ARG_T element)
    {
        int index = m_size;
        SetAtGrow(index, element);
        return index;
    }

    // Beyond the end the array grows to take the copies at index.
    void InsertAt(int index, ARG_T element, int count = 1)
    {
        if (index < 0 || count < 0 || count > INT_MAX - (index > m_size ? index : m_size))
            FrameworkDetail::ThrowIndexFault("CArray::InsertAt", index < 0 ? index : count, m_size);
        if (count == 0)
            return;
        T value(element);
        int oldSize = m_size;
        if (index >= oldSize) {
            SetSize(index + count);
        } else {
            SetSize(oldSize + count);
            for (int i = oldSize - 1; i >= index; --i)
                m_data[i + count] = std::move(m_data[i]);
        }
        for (int i = index; i < index + count; ++i)
            m_data[i] = value;
    }

    void RemoveAt(int index, int count = 1)
    {
        if (index < 0 || count < 0 || index + count > m_size)
            FrameworkDetail::ThrowIndexFault("CArray::RemoveAt", index < 0 || count < 0 ? index : index + count - 1,
                                             m_size);
        for (int i = index + count; i < m_size; ++i)
            m_data[i - count] = std::move(m_data[i]);
        Destroy(m_size - count, m_size);
        m_size -= count;
    }

    // Index of the first appended element.
    int Append(const CArray& source)
    {
        int oldSize = m_size;
        int count = source.m_size;
        SetSize(oldSize + count);
        // Read after growing: source may be this array.
        for (int i = 0; i < count; ++i)
            m_data[oldSize + i] = source.m_data[i];
        return oldSize;
    }

    void Copy(const CArray& source)
    {
        if (&source == this)
            return;
        SetSize(source.m_size);
        for (int i = 0; i < m_size; ++i)
            m_data[i] = source.m_data[i];
    }

private:
    int Checked(const char* where, int index) const
    {
        if (index < 0 || index >= m_size)
            FrameworkDetail::ThrowIndexFault(where, index, m_size);
        return index;
    }

    void Reallocate(int newAlloc)
    {
        T* fresh = std::allocator<T>().allocate(static_cast<size_t>(newAlloc));
        for (int i = 0; i < m_size; ++i) {
            ::new (static_cast<void*>(fresh + i)) T(std::move(m_data[i]));
            m_data[i].~T();
        }
        if (m_data)
            std::allocator<T>().deallocate(m_data, static_cast<size_t>(m_allocSize));
        m_data = fresh;
        m_allocSize = newAlloc;
    }

    void ConstructDefault(int from, int to)
    {
        for (int i = from; i < to; ++i)
            ::new (static_cast<void*>(m_data + i)) T();
    }

    void Destroy(int from, int to)
    {
        for (int i = from; i < to; ++i)
            m_data[i].~T();
    }

    T* m_data = nullptr;
    int m_size = 0;
    int m_allocSize = 0;
    int m_growBy = -1;
};

class CPtrArray : public CArray<void*, void*> {};

class CArchive;

class CStringArray : public CArray<CString, const CString&> {
public:
    // A count and the strings; loading replaces the contents.
    void Serialize(CArchive& ar);
};
