// Dynamic arrays of the engine: zCArray and its sorted variant zCArraySort.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

// Nothing may be read or written outside the array. An exception ends the running job
// (the worker's entry catches it), not the whole program.
[[noreturn]] inline void zArrayIndexFault(const char* operation, int index, int count)
{
    throw std::out_of_range(std::string("zCArray::") + operation + ": index " +
                            std::to_string(index) + " outside 0.." + std::to_string(count));
}

// The default comparator of sorted arrays: orders by the element's leading 32-bit key,
// taken unsigned. It answers -1 or 0, never a positive value, so the sorted array only
// ever asks "is a below b".
inline int DefaultArrayCompare(const void* a, const void* b)
{
    std::uint32_t keyA;
    std::uint32_t keyB;
    std::memcpy(&keyA, a, sizeof keyA);
    std::memcpy(&keyB, b, sizeof keyB);
    return keyA < keyB ? -1 : 0;
}

template <class T>
class zCArray {
public:
    zCArray() = default;
    explicit zCArray(int startSize) { AllocAbs(startSize); }
    zCArray(const zCArray& other) : array(Allocate(other.numAlloc)), numAlloc(other.numAlloc)
    {
        try {
            std::uninitialized_copy(other.array, other.array + other.numInArray, array);
        } catch (...) {
            Deallocate(array, numAlloc);
            throw;
        }
        numInArray = other.numInArray;
    }
    zCArray(zCArray&& other) noexcept
        : array(std::exchange(other.array, nullptr)),
          numAlloc(std::exchange(other.numAlloc, 0)),
          numInArray(std::exchange(other.numInArray, 0))
    {
    }
    zCArray& operator=(const zCArray& other)
    {
        if (this != &other) {
            zCArray copy(other);
            Swap(copy);
        }
        return *this;
    }
    zCArray& operator=(zCArray&& other) noexcept
    {
        if (this != &other) {
            DeleteList();
            Swap(other);
        }
        return *this;
    }
    ~zCArray() { DeleteList(); }

    T& operator[](int index)
    {
        if (index < 0 || index >= numInArray)
            zArrayIndexFault("operator[]", index, numInArray);
        return array[index];
    }
    const T& operator[](int index) const
    {
        if (index < 0 || index >= numInArray)
            zArrayIndexFault("operator[]", index, numInArray);
        return array[index];
    }
    T* GetArray() { return array; }
    const T* GetArray() const { return array; }
    int GetNum() const { return numInArray; }
    int GetNumAlloc() const { return numAlloc; }

    void InsertEnd(const T& element)
    {
        if (numInArray < numAlloc) {
            ::new (static_cast<void*>(array + numInArray)) T(element);
            ++numInArray;
            return;
        }
        // The new element is built before the old block goes: it may live in it.
        const int newAlloc = GrownSize();
        T* block = Allocate(newAlloc);
        try {
            ::new (static_cast<void*>(block + numInArray)) T(element);
        } catch (...) {
            Deallocate(block, newAlloc);
            throw;
        }
        try {
            Transfer(array, numInArray, block);
        } catch (...) {
            block[numInArray].~T();
            Deallocate(block, newAlloc);
            throw;
        }
        Release();
        array = block;
        numAlloc = newAlloc;
        ++numInArray;
    }
    void InsertFront(const T& element) { InsertAtPos(element, 0); }
    // pos may be GetNum(), which appends.
    void InsertAtPos(const T& element, int pos)
    {
        if (pos < 0 || pos > numInArray)
            zArrayIndexFault("InsertAtPos", pos, numInArray);
        if (pos == numInArray) {
            InsertEnd(element);
            return;
        }
        T copy(element);  // the element may be one of those about to move
        if (numInArray == numAlloc)
            Reallocate(GrownSize());
        ::new (static_cast<void*>(array + numInArray)) T(std::move(array[numInArray - 1]));
        ++numInArray;
        std::move_backward(array + pos, array + numInArray - 2, array + numInArray - 1);
        array[pos] = std::move(copy);
    }

    // The last element takes the removed one's place.
    void RemoveIndex(int index)
    {
        if (index < 0 || index >= numInArray)
            zArrayIndexFault("RemoveIndex", index, numInArray);
        if (index != numInArray - 1)
            array[index] = std::move(array[numInArray - 1]);
        array[--numInArray].~T();
    }
    // The elements behind the removed one move down.
    void RemoveOrderIndex(int index)
    {
        if (index < 0 || index >= numInArray)
            zArrayIndexFault("RemoveOrderIndex", index, numInArray);
        std::move(array + index + 1, array + numInArray, array + index);
        array[--numInArray].~T();
    }
    // Removes the first equal element, as RemoveIndex does.
    void Remove(const T& element)
    {
        const int index = Search(element);
        if (index >= 0)
            RemoveIndex(index);
    }

    // Index of the first equal element, or -1.
    int Search(const T& element) const
    {
        for (int i = 0; i < numInArray; ++i) {
            if (array[i] == element)
                return i;
        }
        return -1;
    }
    bool IsInList(const T& element) const { return Search(element) >= 0; }

    // Room for at least num elements.
    void AllocAbs(int num)
    {
        if (num > numAlloc)
            Reallocate(num);
    }
    // Room for num more elements.
    void GrowBy(int num)
    {
        if (num <= 0)
            return;
        Reallocate(CheckedSize(static_cast<long long>(numAlloc) + num));
    }
    // Destroys the elements and keeps the block.
    void EmptyList()
    {
        std::destroy(array, array + numInArray);
        numInArray = 0;
    }
    // Destroys the elements and frees the block.
    void DeleteList()
    {
        Release();
        array = nullptr;
        numAlloc = 0;
        numInArray = 0;
    }

private:
    static int CheckedSize(long long num)
    {
        if (num > INT_MAX || static_cast<unsigned long long>(num) > std::allocator<T>().max_size())
            throw std::length_error("zCArray: too many elements");
        return static_cast<int>(num);
    }
    // 16 more while fewer than 16 are allocated, else half as many again.
    int GrownSize() const
    {
        const long long grow = numAlloc < 16 ? 16 : numAlloc / 2;
        return CheckedSize(numAlloc + grow);
    }
    static T* Allocate(int num)
    {
        return num > 0 ? std::allocator<T>().allocate(static_cast<std::size_t>(num)) : nullptr;
    }
    static void Deallocate(T* block, int num)
    {
        if (block)
            std::allocator<T>().deallocate(block, static_cast<std::size_t>(num));
    }
    static void Transfer(T* from, int num, T* to)
    {
        if constexpr (std::is_nothrow_move_constructible_v<T> || !std::is_copy_constructible_v<T>)
            std::uninitialized_move(from, from + num, to);
        else
            std::uninitialized_copy(from, from + num, to);
    }
    void Release()
    {
        std::destroy(array, array + numInArray);
        Deallocate(array, numAlloc);
    }
    void Reallocate(int newAlloc)
    {
        T* block = Allocate(newAlloc);
        try {
            Transfer(array, numInArray, block);
        } catch (...) {
            Deallocate(block, newAlloc);
            throw;
        }
        Release();
        array = block;
        numAlloc = newAlloc;
    }
    void Swap(zCArray& other) noexcept
    {
        std::swap(array, other.array);
        std::swap(numAlloc, other.numAlloc);
        std::swap(numInArray, other.numInArray);
    }

    T* array = nullptr;
    int numAlloc = 0;
    int numInArray = 0;
};

// A zCArray kept in the order of a comparator that takes two element pointers. Elements
// may also be appended unsorted with InsertEnd and put in order once with QuickSort.
template <class T>
class zCArraySort : public zCArray<T> {
    // The default comparator reads a 4-byte key from each element.
    static constexpr bool kDefaultFits = sizeof(T) >= 4;

public:
    using CompareFunc = int (*)(const void*, const void*);

    zCArraySort() { static_assert(kDefaultFits, "DefaultArrayCompare reads 4 bytes"); }
    explicit zCArraySort(CompareFunc compare) { SetCompare(compare); }
    explicit zCArraySort(int startSize) : zCArray<T>(startSize)
    {
        static_assert(kDefaultFits, "DefaultArrayCompare reads 4 bytes");
    }
    explicit zCArraySort(int startSize, CompareFunc compare) : zCArray<T>(startSize)
    {
        SetCompare(compare);
    }

    // Null selects DefaultArrayCompare; for elements narrower than its key that is
    // refused with std::invalid_argument.
    void SetCompare(CompareFunc func)
    {
        if constexpr (!kDefaultFits) {
            if (!func)
                throw std::invalid_argument("zCArraySort: elements narrower than the default key");
        }
        compare = func ? func : DefaultArrayCompare;
    }
    CompareFunc GetCompare() const { return compare; }

    // Inserts behind the elements that compare equal.
    void InsertSort(const T& element)
    {
        // Found before inserting: the element may live in the array.
        const T* data = this->GetArray();
        const T* pos = std::upper_bound(data, data + this->GetNum(), element,
                                        [this](const T& a, const T& b) { return Below(a, b); });
        this->InsertAtPos(element, static_cast<int>(pos - data));
    }

    // Binary search: the index of the first element equal to the key, or -1. Only "below"
    // answers are used (equal means neither is below the other), so comparators that never
    // answer positive work, and the search ends after log2(n) steps whatever they answer.
    int Search(const T& key) const
    {
        const T* data = this->GetArray();
        const T* end = data + this->GetNum();
        const T* pos = std::lower_bound(data, end, key,
                                        [this](const T& a, const T& b) { return Below(a, b); });
        if (pos != end && !Below(key, *pos))
            return static_cast<int>(pos - data);
        return -1;
    }
    bool IsInList(const T& key) const { return Search(key) >= 0; }

    // Removal keeps the order.
    void RemoveIndex(int index) { this->RemoveOrderIndex(index); }
    void Remove(const T& element)
    {
        const int index = Search(element);
        if (index >= 0)
            this->RemoveOrderIndex(index);
    }

    // A merge sort on "below" answers: copying elements byte-wise is unsafe for element
    // types that own memory, and a comparator that never answers positive would leave a
    // three-way sort unordered.
    void QuickSort()
    {
        T* data = this->GetArray();
        std::stable_sort(data, data + this->GetNum(),
                         [this](const T& a, const T& b) { return Below(a, b); });
    }

private:
    bool Below(const T& a, const T& b) const { return compare(&a, &b) < 0; }

    CompareFunc compare = DefaultArrayCompare;
};
