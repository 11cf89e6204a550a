// Names to symbol numbers: open addressing with linear probing.
#include "zCPar_NameIndex.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

#include "LittleEndian.h"

namespace {

constexpr std::size_t kMinimumSlots = 16;

// Slots at most three quarters full. Most of the compiler's lookups are for names
// that are not there (the scopes a name is tried in first) and probe on to an empty
// slot; eight slots share a cache line, so a fuller and smaller array costs less in
// memory than the longer runs cost in comparisons.
bool Fits(std::size_t names, std::size_t slots)
{
    return names * 4 <= slots * 3;
}

std::size_t SlotsFor(std::size_t names)
{
    return names / 3 * 4 + 4;
}

// Number and length before a record's name.
constexpr std::size_t kRecordHead = 8;

// Eight bytes, the first in the low bits, whatever the host's byte order.
std::uint64_t LoadWord(const unsigned char* bytes)
{
    return zGetLE32(bytes) | (static_cast<std::uint64_t>(zGetLE32(bytes + 4)) << 32);
}

// Up to seven bytes the same way, from two loads that may overlap: the bytes they
// share land on the same bits, so or-ing them in twice changes nothing.
std::uint64_t LoadPart(const unsigned char* bytes, std::size_t count)
{
    if (count >= 4)
        return zGetLE32(bytes) | (static_cast<std::uint64_t>(zGetLE32(bytes + count - 4)) << (8 * (count - 4)));
    if (count >= 2)
        return zGetLE16(bytes) | (static_cast<std::uint64_t>(zGetLE16(bytes + count - 2)) << (8 * (count - 2)));
    return count == 1 ? bytes[0] : 0;
}

} // namespace

void zCPar_NameIndex::Hasher::Mix(std::uint64_t word)
{
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 32;
}

void zCPar_NameIndex::Hasher::Add(std::string_view bytes)
{
    const auto* next = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t left = bytes.size();
    length += left;
    // A word begun by the piece before is filled first.
    if (pendingCount != 0) {
        const std::size_t take = std::min<std::size_t>(left, 8 - pendingCount);
        pending |= LoadPart(next, take) << (8 * pendingCount);
        pendingCount += static_cast<unsigned>(take);
        next += take;
        left -= take;
        if (pendingCount < 8)
            return;
        Mix(pending);
        pending = 0;
        pendingCount = 0;
    }
    for (; left >= 8; left -= 8, next += 8)
        Mix(LoadWord(next));
    pending = LoadPart(next, left);
    pendingCount = static_cast<unsigned>(left);
}

std::uint32_t zCPar_NameIndex::Hasher::End() const
{
    // The length tells "A" from "A\0"; the last steps spread every bit over the result.
    std::uint64_t result = (hash ^ pending) * 0xC4CEB9FE1A85EC53ull;
    result ^= length;
    result ^= result >> 33;
    result *= 0xFF51AFD7ED558CCDull;
    result ^= result >> 33;
    return static_cast<std::uint32_t>(result);
}

zCPar_NameIndex::Prefix::Prefix(std::string_view owner)
    : owner(owner), plain(!owner.empty() && std::memchr(owner.data(), '.', owner.size()) == nullptr),
      ownerHash(plain ? Hash(owner) : 0)
{
}

std::uint32_t zCPar_NameIndex::Hash(std::string_view name)
{
    Hasher hasher;
    hasher.Add(name);
    return hasher.End();
}

std::uint32_t zCPar_NameIndex::Key(std::string_view first, std::string_view second, bool dotted)
{
    const void* found = first.empty() ? nullptr : std::memchr(first.data(), '.', first.size());
    if (found == nullptr && dotted && !first.empty())
        return OwnerMemberKey(Hash(first), Hash(second));  // the dot joining the pieces comes first
    const std::size_t dot = found ? static_cast<std::size_t>(static_cast<const char*>(found) - first.data()) : 0;
    // The part after the first dot; the whole name where no owner stands before one.
    Hasher rest;
    rest.Add(dot == 0 ? first : first.substr(dot + 1));
    if (dotted) {
        rest.Add(".");
        rest.Add(second);
    }
    return dot == 0 ? rest.End() : OwnerMemberKey(Hash(first.substr(0, dot)), rest.End());
}

std::size_t zCPar_NameIndex::Home(std::uint32_t hash) const
{
    constexpr std::uint32_t kWindow = 8;  // slots an owner's members start in
    return ((hash >> shift) + (hash & (kWindow - 1))) & (slots.size() - 1);
}

const char* zCPar_NameIndex::RecordAt(std::uint32_t reference) const
{
    const std::size_t words = reference - 1;
    return blocks[words / kWordsPerBlock].get() + words % kWordsPerBlock * 4;
}

std::int32_t zCPar_NameIndex::WordAt(const char* bytes)
{
    std::int32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

bool zCPar_NameIndex::Holds(const Slot& slot, std::string_view first, std::string_view second, bool dotted) const
{
    const char* record = RecordAt(slot.record);
    const std::size_t length = dotted ? first.size() + 1 + second.size() : first.size();
    if (static_cast<std::uint32_t>(WordAt(record + 4)) != length)
        return false;
    const char* name = record + kRecordHead;
    if (!first.empty() && std::memcmp(name, first.data(), first.size()) != 0)
        return false;
    if (!dotted)
        return true;
    name += first.size();
    return *name == '.' && (second.empty() || std::memcmp(name + 1, second.data(), second.size()) == 0);
}

std::size_t zCPar_NameIndex::Probe(std::uint32_t hash, std::string_view first, std::string_view second,
                                   bool dotted) const
{
    const std::size_t mask = slots.size() - 1;
    std::size_t at = Home(hash);
    while (slots[at].record != 0) {
        if (slots[at].hash == hash && Holds(slots[at], first, second, dotted))
            return at;
        at = (at + 1) & mask;
    }
    return at;
}

bool zCPar_NameIndex::FindRecent(std::uint32_t hash, std::string_view first, std::string_view second, bool dotted,
                                  int& number) const
{
    const Recent& entry = RecentFor(hash);
    const std::size_t length = dotted ? first.size() + 1 + second.size() : first.size();
    if (entry.hash != hash || entry.length != length)
        return false;
    if (!first.empty() && std::memcmp(entry.name, first.data(), first.size()) != 0)
        return false;
    if (dotted && (entry.name[first.size()] != '.' ||
                   (!second.empty() && std::memcmp(entry.name + first.size() + 1, second.data(), second.size()) != 0)))
        return false;
    number = entry.number;
    return true;
}

void zCPar_NameIndex::Remember(std::uint32_t hash, std::string_view first, std::string_view second, bool dotted,
                               int number) const
{
    Recent& entry = RecentFor(hash);
    const std::size_t length = dotted ? first.size() + 1 + second.size() : first.size();
    if (length > kRecentNameBytes) {
        // A longer name is not remembered, and no older answer may stay in its place.
        entry.length = kNoRecent;
        return;
    }
    if (!first.empty())
        std::memcpy(entry.name, first.data(), first.size());
    if (dotted) {
        entry.name[first.size()] = '.';
        if (!second.empty())
            std::memcpy(entry.name + first.size() + 1, second.data(), second.size());
    }
    entry.hash = hash;
    entry.number = number;
    entry.length = static_cast<std::uint32_t>(length);
}

int zCPar_NameIndex::FindHashed(std::uint32_t hash, std::string_view first, std::string_view second,
                                bool dotted) const
{
    int number = -1;
    const bool remembers = std::this_thread::get_id() == writer;
    if (used == 0 || (remembers && FindRecent(hash, first, second, dotted, number)))
        return number;
    const Slot& slot = slots[Probe(hash, first, second, dotted)];
    number = slot.record != 0 ? WordAt(RecordAt(slot.record)) : -1;
    if (remembers)
        Remember(hash, first, second, dotted, number);
    return number;
}

int zCPar_NameIndex::Find(std::string_view name) const
{
    return used == 0 ? -1 : FindHashed(Key(name, std::string_view(), false), name, std::string_view(), false);
}

int zCPar_NameIndex::Find(std::string_view owner, std::string_view member) const
{
    return used == 0 ? -1 : FindHashed(Key(owner, member, true), owner, member, true);
}

int zCPar_NameIndex::Find(const Prefix& owner, std::string_view member) const
{
    if (used == 0)
        return -1;
    const std::uint32_t key =
        owner.plain ? OwnerMemberKey(owner.ownerHash, Hash(member)) : Key(owner.owner, member, true);
    return FindHashed(key, owner.owner, member, true);
}

bool zCPar_NameIndex::Insert(std::string_view name, int number)
{
    return Insert(name, number, HashOf(name));
}

void zCPar_NameIndex::Prefetch(std::uint32_t hash) const
{
#if defined(__GNUC__)
    if (!slots.empty())
        __builtin_prefetch(&slots[Home(hash)], 1);
#else
    (void)hash;
#endif
}

bool zCPar_NameIndex::Insert(std::string_view name, int number, std::uint32_t hash)
{
    writer = std::this_thread::get_id();
    if (!Fits(used + 1, slots.size()))
        Grow(SlotsFor(used + 1));
    const std::size_t at = Probe(hash, name, std::string_view(), false);
    if (slots[at].record != 0)
        return false;
    const std::size_t padded = (name.size() + 3) / 4 * 4;
    if (name.size() > std::numeric_limits<std::uint32_t>::max() - kRecordHead - 3)
        throw std::length_error("symbol name too long");
    const std::size_t bytes = kRecordHead + padded;
    if (blocks.empty() || lastBlockUsed + bytes > kBlockBytes) {
        if (blocks.size() >= std::numeric_limits<std::uint32_t>::max() / kWordsPerBlock)
            throw std::length_error("too many symbol names");
        std::unique_ptr<char[]> block(new char[std::max(bytes, kBlockBytes)]);
        blocks.push_back(std::move(block));
        lastBlockUsed = 0;
    }
    char* record = blocks.back().get() + lastBlockUsed;
    const auto number32 = static_cast<std::int32_t>(number);
    const auto length32 = static_cast<std::uint32_t>(name.size());
    std::memcpy(record, &number32, 4);
    std::memcpy(record + 4, &length32, 4);
    if (!name.empty())
        std::memcpy(record + kRecordHead, name.data(), name.size());
    std::memset(record + kRecordHead + name.size(), 0, padded - name.size());
    Remember(hash, name, std::string_view(), false, number);
    slots[at].hash = hash;
    slots[at].record = static_cast<std::uint32_t>((blocks.size() - 1) * kWordsPerBlock + lastBlockUsed / 4 + 1);
    // A record larger than a block fills its own.
    lastBlockUsed = std::min(lastBlockUsed + bytes, kBlockBytes);
    ++used;
    return true;
}

void zCPar_NameIndex::Erase(std::string_view name)
{
    writer = std::this_thread::get_id();
    if (used == 0)
        return;
    const std::uint32_t hash = HashOf(name);
    RecentFor(hash).length = kNoRecent;
    std::size_t hole = Probe(hash, name, std::string_view(), false);
    if (slots[hole].record == 0)
        return;
    // The name inserted last gives its bytes back.
    const std::size_t words = slots[hole].record - 1;
    const std::size_t offset = words % kWordsPerBlock * 4;
    if (words / kWordsPerBlock + 1 == blocks.size() &&
        offset + kRecordHead + (name.size() + 3) / 4 * 4 == lastBlockUsed)
        lastBlockUsed = offset;
    // Later slots of the run move up into the hole unless their home lies after it,
    // so that every probe still reaches its name before an empty slot.
    const std::size_t mask = slots.size() - 1;
    for (std::size_t at = (hole + 1) & mask; slots[at].record != 0; at = (at + 1) & mask) {
        const std::size_t home = Home(slots[at].hash);
        const bool stays = hole <= at ? (hole < home && home <= at) : (hole < home || home <= at);
        if (!stays) {
            slots[hole] = slots[at];
            hole = at;
        }
    }
    slots[hole] = Slot();
    --used;
}

void zCPar_NameIndex::Reserve(std::size_t count)
{
    if (!Fits(count, slots.size()))
        Grow(SlotsFor(count));
}

void zCPar_NameIndex::Clear()
{
    writer = std::this_thread::get_id();
    std::fill(slots.begin(), slots.end(), Slot());
    for (std::size_t i = 0; i < kRecentCount; ++i)
        recent[i].length = kNoRecent;
    used = 0;
    blocks.clear();
    lastBlockUsed = 0;
}

void zCPar_NameIndex::Grow(std::size_t minimumSlots)
{
    int bits = 0;
    while ((std::size_t{1} << bits) < std::max({kMinimumSlots, slots.size(), minimumSlots}))
        ++bits;
    if (bits > 31)
        throw std::length_error("too many symbol names");
    const std::size_t size = std::size_t{1} << bits;
    if (size == slots.size())
        return;

    std::vector<Slot> old(size);
    old.swap(slots);
    shift = 32 - bits;
    const std::size_t mask = size - 1;
    for (const Slot& slot : old) {
        if (slot.record == 0)
            continue;
        std::size_t at = Home(slot.hash);
        while (slots[at].record != 0)
            at = (at + 1) & mask;
        slots[at] = slot;
    }
}
