// The sparse hash array.
#include "zCSparseArray.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "ResourceIds.h"
#include "ResString.h"
#include "zERROR.h"

namespace {

// The largest 16-bit prime. The next one, 65537, squared passes every 32-bit number,
// so the primes up to this one test them all.
constexpr unsigned kLastSmallPrime = 65521;

// The process-wide table of small primes, grown on demand.
std::mutex s_primeLock;
std::vector<unsigned>& Primes()
{
    static std::vector<unsigned> primes{2};
    return primes;
}

// True when no listed prime up to the root of n divides it; the list must reach that root.
bool NoListedDivisor(const std::vector<unsigned>& primes, unsigned n)
{
    for (unsigned p : primes) {
        if (std::uint64_t(p) * p > n)
            break;
        if (n % p == 0)
            return false;
    }
    return true;
}

// Extends the list until it reaches the root of n. Each candidate after the last prime
// needs only primes up to its own root, which are all listed already.
void ExtendPrimes(std::vector<unsigned>& primes, unsigned n)
{
    while (primes.back() < kLastSmallPrime && std::uint64_t(primes.back()) * primes.back() <= n) {
        unsigned candidate = primes.back() + 1;
        while (!NoListedDivisor(primes, candidate))
            ++candidate;
        primes.push_back(candidate);
    }
}

std::atomic<bool> s_iteratorWarningShown{false};

} // namespace

zCSparseArrayBase::zCSparseArrayBase(unsigned size) : requestedSize(size) {}

zCSparseArrayBase::~zCSparseArrayBase()
{
    delete[] table;
}

int zCSparseArrayBase::KeysEqual(const void* a, const void* b) const
{
    return std::memcmp(a, b, KeySize()) == 0 ? 1 : 0;
}

void zCSparseArrayBase::CopyKey(void* destination, const void* source) const
{
    if (destination)
        std::memmove(destination, source, KeySize());
}

void zCSparseArrayBase::Hash(const void* key, unsigned& index, unsigned& step) const
{
    const std::uint32_t p = slotCount;
    const unsigned words = KeySize() / 2;
    if (words == 0 || p < 2) {
        index = 0;
        step = 1;
        return;
    }
    const unsigned char* bytes = static_cast<const unsigned char*>(key);
    // Little-endian words, so the path of a key is the same on every host.
    auto word = [bytes](unsigned i) { return std::uint32_t(bytes[2 * i]) | (std::uint32_t(bytes[2 * i + 1]) << 8); };
    if (p <= kLastSmallPrime) {
        // Tables of 16-bit sizes hash in 32 bits with wrap-around, as they always have.
        std::uint32_t h1 = 0;
        std::uint32_t h2 = 0;
        std::uint32_t m1 = 1;
        std::uint32_t m2 = 0;
        for (unsigned i = 0; i < words; ++i) {
            const std::uint32_t w = word(i);
            h1 = h1 + w * m1;
            h2 = h2 + w * m2;
            const std::uint32_t q = h1 / p;
            h1 = h1 % p;
            h2 = (h2 + q) % (p - 1);
            const std::uint32_t r = (m1 * 65536u) / p;
            m1 = m1 - r * p;
            m2 = (m2 * 65536u + r) % (p - 1);
        }
        index = h1;
        step = h2 + 1;
        return;
    }
    // Above 16 bits the 32-bit form no longer mixes (every step is 1 and the first
    // indexes bunch together), so grown tables take the key, as a little-endian number,
    // modulo p for the index and its quotient modulo p - 1 for the step, in exact
    // 64-bit steps: every product stays below 2^49.
    std::uint64_t h1 = 0;
    std::uint64_t h2 = 0;
    std::uint64_t m1 = 1;  // 65536^i mod p
    std::uint64_t m2 = 0;  // 65536^i div p, mod p - 1
    for (unsigned i = 0; i < words; ++i) {
        const std::uint64_t w = word(i);
        h1 += w * m1;
        h2 += w * m2;
        const std::uint64_t q = h1 / p;
        h1 %= p;
        h2 = (h2 + q) % (p - 1);
        const std::uint64_t shifted = m1 * 65536u;
        const std::uint64_t r = shifted / p;
        m1 = shifted - r * p;
        m2 = (m2 * 65536u + r) % (p - 1);
    }
    index = static_cast<unsigned>(h1);
    step = static_cast<unsigned>(h2 + 1);
}

unsigned char* zCSparseArrayBase::AllocateTable(unsigned count) const
{
    const std::size_t entry = EntrySize();
    if (count != 0 && entry > SIZE_MAX / count)
        throw std::length_error("zCSparseArray: table too large");
    unsigned char* block = new unsigned char[entry * count];
    std::memset(block, 0, entry * count);
    return block;
}

void zCSparseArrayBase::Init(unsigned size)
{
    requestedSize = size;
    const unsigned count = NextPrime(size);
    unsigned char* block = AllocateTable(count);
    delete[] table;
    table = block;
    slotCount = count;
    touchedCount = 0;
    numKeys = 0;
    resizeNeeded = 0;
}

std::uint32_t zCSparseArrayBase::GetFlag(unsigned index) const
{
    std::uint32_t flag;
    std::memcpy(&flag, FlagAddress(index), sizeof flag);
    return flag;
}

void zCSparseArrayBase::SetFlag(unsigned index, std::uint32_t flag) const
{
    std::memcpy(FlagAddress(index), &flag, sizeof flag);
}

bool zCSparseArrayBase::IsOccupied(unsigned index) const
{
    return index < slotCount && (GetFlag(index) & kOccupied) != 0;
}

unsigned zCSparseArrayBase::GetProbeCount(unsigned index) const
{
    return index < slotCount ? GetFlag(index) & kProbeMask : 0;
}

unsigned zCSparseArrayBase::StepBack(unsigned index, unsigned step) const
{
    return index >= step ? index - step : index + (slotCount - step);
}

void zCSparseArrayBase::LowerProbe(unsigned index)
{
    const std::uint32_t flag = GetFlag(index);
    const std::uint32_t count = flag & kProbeMask;
    if (count == 0)
        return;  // a consistent table never gets here; never wrap the counter
    SetFlag(index, (flag & kOccupied) | (count - 1));
    if (count == 1) {
        --touchedCount;
        if (2u * (3u * touchedCount + 6u) < slotCount && slotCount > requestedSize)
            resizeNeeded = 1;
    }
}

unsigned zCSparseArrayBase::Find(const void* key)
{
    if (!table)
        return slotCount;
    unsigned index;
    unsigned step;
    Hash(key, index, step);
    bool haveFree = false;
    unsigned freeSlot = 0;
    // A path visits every slot once in slotCount steps: a table whose counters are all
    // raised must not trap the search.
    for (unsigned walked = 0; walked < slotCount; ++walked) {
        const std::uint32_t flag = GetFlag(index);
        if ((flag & kProbeMask) == 0)
            return slotCount;
        if (flag & kOccupied) {
            if (KeysEqual(EntryAddress(index), key)) {
                // A live iterator walks the slots: moving an entry could skip it or show it twice.
                if (!haveFree || activeIterators > 0)
                    return index;
                // Move forward: the slots behind the free one no longer carry this key's path.
                for (unsigned i = index; i != freeSlot; i = StepBack(i, step))
                    LowerProbe(i);
                std::memcpy(EntryAddress(freeSlot), EntryAddress(index), KeySize());
                std::memcpy(ValueAddress(freeSlot), ValueAddress(index), ValueSize());
                SetFlag(freeSlot, GetFlag(freeSlot) | kOccupied);
                SetFlag(index, GetFlag(index) & ~kOccupied);
                return freeSlot;
            }
        } else {
            haveFree = true;
            freeSlot = index;
        }
        index = (index + step) % slotCount;
    }
    return slotCount;
}

void zCSparseArrayBase::ResizeIfNeeded()
{
    if (resizeNeeded && activeIterators <= 0) {
        const unsigned grown = touchedCount > 0xFFFFFFFFu / 3 ? 0xFFFFFFFFu : 3 * touchedCount;
        Resize(grown > requestedSize ? grown : requestedSize);
    }
}

void* zCSparseArrayBase::Lookup(const void* key)
{
    ResizeIfNeeded();
    const unsigned index = Find(key);
    return index < slotCount ? ValueAddress(index) : nullptr;
}

unsigned zCSparseArrayBase::PlaceKey(const void* key)
{
    unsigned index;
    unsigned step;
    Hash(key, index, step);
    // The end first: counters are raised only when the key really finds a place.
    unsigned end = index;
    unsigned walked = 0;
    while (GetFlag(end) & kOccupied) {
        if (++walked >= slotCount)
            return slotCount;
        end = (end + step) % slotCount;
    }
    for (;; index = (index + step) % slotCount) {
        const std::uint32_t flag = GetFlag(index);
        const std::uint32_t count = flag & kProbeMask;
        if (count == 0) {
            ++touchedCount;
            if (3ull * touchedCount + 6 > 2ull * slotCount)
                resizeNeeded = 1;
        }
        if (count > std::uint32_t(probeLimit)) {
            resizeNeeded = 1;
            probeLimit += probeLimit / 2;
        }
        SetFlag(index, (flag & kOccupied) | (count + 1));
        if (index == end)
            return end;
    }
}

void* zCSparseArrayBase::Insert(const void* key)
{
    if (!table)
        Init(requestedSize);
    const unsigned found = Find(key);
    if (found < slotCount)
        return ValueAddress(found);
    if (activeIterators > 0 && !s_iteratorWarningShown.exchange(true))
        g_errorReporter.Report(zERR_ERROR, LoadResString(IDS_INSERT_WHILE_ITERATING));
    ResizeIfNeeded();
    const unsigned slot = PlaceKey(key);
    // Only while iterators hold a full table still.
    if (slot >= slotCount)
        throw std::length_error("zCSparseArray: no free slot while iterating");
    SetFlag(slot, GetFlag(slot) | kOccupied);
    CopyKey(EntryAddress(slot), key);
    ConstructValue(ValueAddress(slot));
    ++numKeys;
    return ValueAddress(slot);
}

void zCSparseArrayBase::Remove(const void* key)
{
    const unsigned found = Find(key);
    if (found >= slotCount)
        return;
    SetFlag(found, GetFlag(found) & ~kOccupied);
    unsigned first;
    unsigned step;
    Hash(key, first, step);
    DestroyKey(EntryAddress(found));
    DestroyValue(ValueAddress(found));
    --numKeys;
    // Back along the path to its first index; bounded as every path is.
    unsigned index = found;
    for (unsigned walked = 0; walked < slotCount; ++walked) {
        LowerProbe(index);
        if (index == first)
            break;
        index = StepBack(index, step);
    }
}

void zCSparseArrayBase::Clear()
{
    if (!table)
        return;
    // The key is copied out: Remove may move it before it frees the slot.
    std::vector<unsigned char> key(KeySize());
    for (unsigned i = slotCount; i-- > 0;) {
        if (GetFlag(i) & kOccupied) {
            std::memcpy(key.data(), EntryAddress(i), key.size());
            Remove(key.data());
        }
    }
}

void zCSparseArrayBase::DestroyAll()
{
    if (!table)
        return;
    for (unsigned i = 0; i < slotCount; ++i) {
        if (GetFlag(i) & kOccupied) {
            DestroyKey(EntryAddress(i));
            DestroyValue(ValueAddress(i));
        }
    }
    delete[] table;
    table = nullptr;
    slotCount = 0;
    touchedCount = 0;
    numKeys = 0;
}

void zCSparseArrayBase::Resize(unsigned size)
{
    if (size < requestedSize)
        size = requestedSize;
    if (size < numKeys)
        size = numKeys;
    if (!table) {
        const unsigned keep = requestedSize;
        Init(size);
        requestedSize = keep;
        return;
    }
    // The old entries are read at the layout's offsets: the layout operations address `table`.
    const std::size_t entrySize = EntrySize();
    const std::size_t valueOffset = std::size_t(ValueAddress(0) - EntryAddress(0));
    const std::size_t flagOffset = std::size_t(FlagAddress(0) - EntryAddress(0));
    unsigned char* const oldTable = table;
    const unsigned oldCount = slotCount;
    const unsigned newCount = NextPrime(size);
    table = AllocateTable(newCount);
    slotCount = newCount;
    touchedCount = 0;
    resizeNeeded = 0;
    for (unsigned i = 0; i < oldCount; ++i) {
        const unsigned char* entry = oldTable + entrySize * i;
        std::uint32_t flag;
        std::memcpy(&flag, entry + flagOffset, sizeof flag);
        if (!(flag & kOccupied))
            continue;
        // Never fails: the new table has at least as many slots as there are keys.
        const unsigned slot = PlaceKey(entry);
        SetFlag(slot, GetFlag(slot) | kOccupied);
        std::memcpy(EntryAddress(slot), entry, KeySize());
        std::memcpy(ValueAddress(slot), entry + valueOffset, ValueSize());
    }
    delete[] oldTable;
}

int zCSparseArrayBase::IsPrime(unsigned n)
{
    if (n < 2)
        return 0;
    std::lock_guard<std::mutex> lock(s_primeLock);
    std::vector<unsigned>& primes = Primes();
    ExtendPrimes(primes, n);
    return NoListedDivisor(primes, n) ? 1 : 0;
}

unsigned zCSparseArrayBase::NextPrime(unsigned n)
{
    if (n <= 2)
        return 2;
    for (unsigned candidate = n; candidate < 0xFFFFFFFFu; ++candidate) {
        if (IsPrime(candidate))
            return candidate;
    }
    return 0xFFFFFFFFu;
}
