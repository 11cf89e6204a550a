// The engine's hash table: open addressing over a prime number of slots with double
// hashing. Every slot keeps a probe counter (how many stored keys pass through or end
// in it), so keys can be removed for real and a found key moved forward on its path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>

class zCSparseArrayBase {
public:
    // Makes no table: the layout operations belong to the derived class, whose
    // constructor calls Init (a table is also made by the first Insert).
    explicit zCSparseArrayBase(unsigned size);
    virtual ~zCSparseArrayBase();
    zCSparseArrayBase(const zCSparseArrayBase&) = delete;
    zCSparseArrayBase& operator=(const zCSparseArrayBase&) = delete;

    // Layout of an entry: key bytes, value bytes, then a 32-bit flag word
    // (bit 31: occupied; bits 0..30: probe counter).
    virtual unsigned KeySize() const = 0;
    virtual unsigned ValueSize() const = 0;
    virtual unsigned EntrySize() const { return KeySize() + ValueSize() + 4; }
    virtual unsigned char* EntryAddress(unsigned index) const { return table + std::size_t(EntrySize()) * index; }
    virtual unsigned char* ValueAddress(unsigned index) const { return EntryAddress(index) + KeySize(); }
    virtual unsigned char* FlagAddress(unsigned index) const { return ValueAddress(index) + ValueSize(); }
    virtual int KeysEqual(const void* a, const void* b) const;
    virtual void CopyKey(void* destination, const void* source) const;
    virtual void DestroyKey(void* /*key*/) const {}
    virtual void Hash(const void* key, unsigned& index, unsigned& step) const;
    virtual void ConstructValue(void* /*value*/) const {}
    virtual void DestroyValue(void* /*value*/) const {}

    // Drops any old table without destroying its entries (the caller has emptied it).
    void Init(unsigned size);
    // The slot of the key, or GetSlotCount() when absent.
    unsigned Find(const void* key);
    // The value of the key, or null.
    void* Lookup(const void* key);
    // The value of the key's slot, added (value constructed) when absent.
    void* Insert(const void* key);
    void Remove(const void* key);
    void Clear();
    // Rebuilds the table with NextPrime(max(size, requested size)) slots, keeping every key
    // and value. Value addresses handed out before are no longer valid.
    void Resize(unsigned size);

    unsigned GetSlotCount() const { return slotCount; }
    unsigned GetRequestedSize() const { return requestedSize; }
    unsigned GetTouchedCount() const { return touchedCount; }
    unsigned GetNumKeys() const { return numKeys; }
    int GetProbeLimit() const { return probeLimit; }
    bool IsResizeNeeded() const { return resizeNeeded != 0; }
    bool IsOccupied(unsigned index) const;
    // The number of stored keys whose path runs through or ends in the slot.
    unsigned GetProbeCount(unsigned index) const;

    // 0 below 2; else 1 when no prime p with p * p <= n divides n.
    static int IsPrime(unsigned n);
    // The smallest prime at or above n (2 for n <= 2); 4294967295 when none is below it.
    static unsigned NextPrime(unsigned n);

protected:
    // Iterators hold the table still: no resize while one is active.
    void BeginIteration() { ++activeIterators; }
    void EndIteration() { --activeIterators; }
    // Empties the table through the derived class's destroy operations; its destructor calls it.
    void DestroyAll();

private:
    static constexpr std::uint32_t kOccupied = 0x80000000u;
    static constexpr std::uint32_t kProbeMask = 0x7FFFFFFFu;

    std::uint32_t GetFlag(unsigned index) const;
    void SetFlag(unsigned index, std::uint32_t flag) const;
    unsigned StepBack(unsigned index, unsigned step) const;
    // Lowers a probe counter by one, with the shrink rule.
    void LowerProbe(unsigned index);
    void ResizeIfNeeded();
    // Walks the key's path to its first free slot, counting the probes; the slot, or
    // slotCount when every slot is taken.
    unsigned PlaceKey(const void* key);
    unsigned char* AllocateTable(unsigned count) const;

    int activeIterators = 0;
    unsigned slotCount = 0;
    unsigned requestedSize;
    unsigned char* table = nullptr;
    unsigned touchedCount = 0;
    int probeLimit = 10;
    int resizeNeeded = 0;
    unsigned numKeys = 0;
};

// Keys and values are moved byte-wise between slots, so both must be trivially copyable.
// Entries are laid out by the types' sizes and alignments.
template <class K, class V>
class zCSparseArray : public zCSparseArrayBase {
    static_assert(std::is_trivially_copyable_v<K> && std::is_trivially_copyable_v<V>,
                  "entries move byte-wise between slots");

    static constexpr unsigned Align(unsigned offset, unsigned alignment)
    {
        return (offset + alignment - 1) / alignment * alignment;
    }
    static constexpr unsigned kValueOffset = Align(sizeof(K), alignof(V));
    static constexpr unsigned kFlagOffset = Align(kValueOffset + sizeof(V), 4);
    static constexpr unsigned kEntryAlign =
        alignof(K) > alignof(V) ? (alignof(K) > 4 ? alignof(K) : 4) : (alignof(V) > 4 ? alignof(V) : 4);
    static constexpr unsigned kEntrySize = Align(kFlagOffset + 4, kEntryAlign);
    static_assert(kEntryAlign <= alignof(std::max_align_t), "the table is allocated with new");

public:
    explicit zCSparseArray(unsigned size = 0) : zCSparseArrayBase(size)
    {
        if (size != 0)
            Init(size);
    }
    ~zCSparseArray() override { DestroyAll(); }

    unsigned KeySize() const override { return sizeof(K); }
    unsigned ValueSize() const override { return sizeof(V); }
    unsigned EntrySize() const override { return kEntrySize; }
    unsigned char* ValueAddress(unsigned index) const override { return EntryAddress(index) + kValueOffset; }
    unsigned char* FlagAddress(unsigned index) const override { return EntryAddress(index) + kFlagOffset; }
    void ConstructValue(void* value) const override { ::new (value) V(); }

    V* Lookup(const K& key) { return static_cast<V*>(zCSparseArrayBase::Lookup(&key)); }
    V* Insert(const K& key) { return static_cast<V*>(zCSparseArrayBase::Insert(&key)); }
    void Remove(const K& key) { zCSparseArrayBase::Remove(&key); }
    unsigned Find(const K& key) { return zCSparseArrayBase::Find(&key); }

    // Walks the occupied slots in slot order; while it lives the table does not resize.
    class Iterator {
    public:
        explicit Iterator(zCSparseArray& array) : owner(array) { owner.BeginIteration(); }
        ~Iterator() { owner.EndIteration(); }
        Iterator(const Iterator&) = delete;
        Iterator& operator=(const Iterator&) = delete;

        // Moves to the next key; false at the end.
        bool Next()
        {
            for (++slot; slot < owner.GetSlotCount(); ++slot) {
                if (owner.IsOccupied(slot))
                    return true;
            }
            slot = owner.GetSlotCount();
            return false;
        }
        const K& GetKey() const { return *reinterpret_cast<const K*>(owner.EntryAddress(slot)); }
        V& GetValue() const { return *reinterpret_cast<V*>(owner.ValueAddress(slot)); }

    private:
        zCSparseArray& owner;
        unsigned slot = unsigned(-1);
    };
};
