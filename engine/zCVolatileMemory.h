// Volatile memory: a fixed block of equal records, handed out one by one and taken
// back as a whole (per-frame vertex transforms).
#pragma once

#include <cstdint>
#include <type_traits>

class zCVolatileMemoryBase {
public:
    // elementSize x capacity bytes; value is kept for the caller.
    zCVolatileMemoryBase(std::uint32_t elementSize, std::uint32_t capacity, std::uint32_t value);
    // Frees the block only: a base destructor cannot reach the derived element reset,
    // so the derived class's destructor runs Reset (capacity) first.
    virtual ~zCVolatileMemoryBase();
    zCVolatileMemoryBase(const zCVolatileMemoryBase&) = delete;
    zCVolatileMemoryBase& operator=(const zCVolatileMemoryBase&) = delete;

    // The next record. Past the end the block wraps round: the wrap flag is set and the
    // oldest records are reset and handed out again.
    void* AllocElement();

    // Takes back the newest records, from the top down, until the next index is keep;
    // when wrapped the walk goes on below 0 from the end of the block and clears the
    // wrap flag. Unwrapped with keep above the next index, nothing goes back. keep 0
    // replaces the block with one of 2.5 times the peak use once the peak passes the
    // grow percentage of the capacity; then, and for keep of the capacity or more,
    // every held record goes back and the next index becomes 0.
    void Reset(std::uint32_t keep);

    std::uint32_t GetElementSize() const { return elementSize; }
    std::uint32_t GetCapacity() const { return capacity; }
    std::uint32_t GetNextIndex() const { return nextIndex; }
    std::uint32_t GetPeak() const { return peak; }
    bool IsWrapped() const { return wrapped != 0; }
    std::uint32_t GetValue() const { return value; }

protected:
    // Takes one record back: undoes whatever its holder keeps of it.
    virtual void ResetElement(void* element) = 0;

private:
    void* Element(std::uint32_t index) const;

    std::uint32_t elementSize;
    std::uint32_t capacity;
    std::uint32_t nextIndex = 0;
    std::uint32_t peak = 0;
    std::uint32_t growPercent = 80;
    std::uint32_t value;
    std::uint32_t wrapped = 0;
    unsigned char* block;
    // Records that have a holder: those just below the next index, round the end of the
    // block. A reset that stops above 0 while wrapped leaves a gap of free records under
    // older held ones, which the wrap flag alone cannot tell apart.
    std::uint32_t held = 0;
};

// Volatile memory of records of type T. Each record type defines the element reset:
//   template <> void zCVolatileMemory<Record>::ResetElement(void* element) { ... }
// declared where the record type is, before the memory is used.
template <class T>
class zCVolatileMemory : public zCVolatileMemoryBase {
    static_assert(std::is_trivially_copyable_v<T>, "records are raw memory");

public:
    explicit zCVolatileMemory(std::uint32_t capacity, std::uint32_t value = 0)
        : zCVolatileMemoryBase(sizeof(T), capacity, value)
    {
    }
    ~zCVolatileMemory() override { Reset(GetCapacity()); }

    T* Alloc() { return static_cast<T*>(AllocElement()); }

protected:
    void ResetElement(void* element) override;
};
