// The symbol table's lookup from names to symbol numbers. The compiler asks it for
// every name it reads, and again for every scope a name may belong to, so it is
// built for that: open addressing over one array of small slots, and copies of the
// names with their numbers kept together in one block. A lookup touches a slot and
// one record of the block, allocates nothing, and can look for "OWNER.MEMBER"
// without making that name. The members and locals of one owner lie together in the
// slots: a body's lookups, found or not, and its declarations touch a few cache
// lines, not one line of the large array each. The answers of recent lookups, found
// or not, are kept in a small table in front of it: the compiler asks for the same
// few names again and again while it reads one body, and the large array lies mostly
// outside the cache.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class zCPar_NameIndex {
    class Hasher;

public:
    // An owner hashed once, for looking up many members of one owner.
    class Prefix {
    public:
        Prefix() = default;
        explicit Prefix(std::string_view owner);
        const std::string& Owner() const { return owner; }

    private:
        friend class zCPar_NameIndex;
        std::string owner;
        bool plain = false;  // not empty and without a dot: its hash is ownerHash
        std::uint32_t ownerHash = 0;
    };

    // Number listed under the name; -1 when none.
    int Find(std::string_view name) const;
    // Number listed under owner + "." + member; -1 when none.
    int Find(std::string_view owner, std::string_view member) const;
    int Find(const Prefix& owner, std::string_view member) const;

    // Lists the name with the number (>= 0); false, changing nothing, when the name
    // is listed already.
    bool Insert(std::string_view name, int number);
    // The same with the name's key (HashOf) at hand. Many names inserted in a row
    // go faster with the slots of the names ahead asked for (Prefetch) meanwhile.
    bool Insert(std::string_view name, int number, std::uint32_t hash);
    static std::uint32_t HashOf(std::string_view name) { return Key(name, std::string_view(), false); }
    void Prefetch(std::uint32_t hash) const;
    void Erase(std::string_view name);
    // Room for count names in all without growing.
    void Reserve(std::size_t count);
    // Lists nothing; the slots keep their size.
    void Clear();
    std::size_t Size() const { return used; }

private:
    // A slot names a record (see RecordAt); 0 marks an empty slot. A record is the
    // number, the name's length (32 bits each) and the name's bytes, padded to a
    // multiple of four.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t record = 0;
    };

    // A hash of the bytes of one or more pieces, eight bytes at a time: "OWNER" "."
    // "MEMBER" hashes as the whole name does.
    class Hasher {
    public:
        void Add(std::string_view bytes);
        std::uint32_t End() const;

    private:
        void Mix(std::uint64_t word);
        std::uint64_t hash = 0x9E3779B97F4A7C15ull;
        std::uint64_t pending = 0;  // bytes not yet mixed, the first in the low bits
        unsigned pendingCount = 0;
        std::uint64_t length = 0;
    };

    // A recent answer: the name's bytes and its number (-1: not listed). Each name has
    // one place, so Insert and Erase find any answer of theirs there and mend it.
    // Only the thread that last changed the index uses the answers: another thread
    // may read the index at the same time (the class view's table is looked up by
    // the build worker and the window thread alike), and reading must not write.
    static constexpr std::size_t kRecentCount = 1024;
    static constexpr std::size_t kRecentNameBytes = 52;
    struct Recent {
        std::uint32_t hash = 0;
        std::int32_t number = 0;
        std::uint32_t length = kNoRecent;
        char name[kRecentNameBytes];
    };
    static constexpr std::uint32_t kNoRecent = 0xFFFFFFFFu;
    Recent& RecentFor(std::uint32_t hash) const { return recent[(hash ^ (hash >> 16)) & (kRecentCount - 1)]; }
    // The remembered number of the name; false when none is remembered.
    bool FindRecent(std::uint32_t hash, std::string_view first, std::string_view second, bool dotted,
                    int& number) const;
    void Remember(std::uint32_t hash, std::string_view first, std::string_view second, bool dotted,
                  int number) const;
    int FindHashed(std::uint32_t hash, std::string_view first, std::string_view second, bool dotted) const;

    static std::uint32_t Hash(std::string_view name);
    // A name's key, which the slots hold and place it by: for "OWNER.MEMBER" (split
    // at the first dot, an owner before it) the high half of the owner's hash and the
    // high half of the member's; for any other name its hash. The name is first, or
    // first + "." + second when dotted.
    static std::uint32_t Key(std::string_view first, std::string_view second, bool dotted);
    static std::uint32_t OwnerMemberKey(std::uint32_t ownerHash, std::uint32_t memberHash)
    {
        return (ownerHash & 0xFFFF0000u) | (memberHash >> 16);
    }

    // First slot to probe for a key: the place of its high bits (an owner's members
    // share it), a few slots on by its lowest bits.
    std::size_t Home(std::uint32_t hash) const;
    // Slot holding the name made of the pieces, or the empty slot where it would go.
    std::size_t Probe(std::uint32_t hash, std::string_view first, std::string_view second, bool dotted) const;
    bool Holds(const Slot& slot, std::string_view first, std::string_view second, bool dotted) const;
    // The records lie in blocks that never move, so that adding names copies none:
    // a reference is the block's number times kWordsPerBlock plus the record's offset
    // in words, plus 1. A record too large for a block gets a block of its own.
    static constexpr std::size_t kBlockBytes = 65536;
    static constexpr std::size_t kWordsPerBlock = kBlockBytes / 4;
    const char* RecordAt(std::uint32_t reference) const;
    static std::int32_t WordAt(const char* bytes);
    void Grow(std::size_t minimumSlots);

    std::vector<Slot> slots;  // a power of two in size, or empty
    int shift = 32;           // 32 - log2(slots.size())
    std::size_t used = 0;
    std::vector<std::unique_ptr<char[]>> blocks;
    std::size_t lastBlockUsed = 0;  // bytes taken in the last block
    std::unique_ptr<Recent[]> recent{new Recent[kRecentCount]};
    std::thread::id writer;  // the thread that last changed the index
};
