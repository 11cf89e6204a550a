// The symbol table: definition order, a name-sorted index and fast lookup by name.
#include "zCPar_SymbolTable.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "DatWords.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zERROR.h"
#include "zFILE.h"

namespace {

// has-name, the seven words and the parent number: the least a record takes.
constexpr long kMinRecordBytes = 36;

// A window on the rest of a file for zCDatBytes: a large compile's section runs to
// megabytes, and reading it into memory of its own all at once costs more in fresh
// pages than the reading itself.
class FileWindow final : public zCDatBytes::Refill {
public:
    FileWindow(zFILE& file, long pos, long size) : file(file), bufferPos(pos), left(size - pos) {}

    bool More(const char*& at, const char*& end) override
    {
        if (left <= 0)
            return false;
        // The bytes not yet read move to the front; a line longer than the window widens it.
        const std::size_t kept = static_cast<std::size_t>(end - at);
        const long consumed = at != nullptr ? static_cast<long>(at - buffer.data()) : 0;
        if (kept != 0)
            std::memmove(buffer.data(), at, kept);
        if (buffer.size() < kept + kPiece)
            buffer.resize(kept + kPiece);
        const long want = std::min<long>(left, static_cast<long>(buffer.size() - kept));
        const long got = file.Read(buffer.data() + kept, want);
        if (got <= 0) {
            left = 0;
            at = buffer.data();
            end = at + kept;
            bufferPos += consumed;
            return false;
        }
        left -= got;
        bufferPos += consumed;
        at = buffer.data();
        end = at + kept + static_cast<std::size_t>(got);
        return true;
    }

    // The file position of a place in the window.
    long FilePosition(const char* place) const { return bufferPos + static_cast<long>(place - buffer.data()); }

private:
    static constexpr std::size_t kPiece = 1 << 18;
    zFILE& file;
    std::vector<char> buffer;
    long bufferPos;  // the file position of the window's first byte
    long left;       // bytes of the file not yet read
};

} // namespace

zCPar_SymbolTable::zCPar_SymbolTable(int preallocate)
{
    if (preallocate > 0) {
        symbols.AllocAbs(preallocate);
        sortedIndex.AllocAbs(preallocate);
        byName.Reserve(static_cast<std::size_t>(preallocate));
    }
}

zCPar_SymbolTable::~zCPar_SymbolTable()
{
    Clear();
}

void zCPar_SymbolTable::Allocate(int n)
{
    symbols.GrowBy(n);
    sortedIndex.GrowBy(n);
    if (n > 0)
        byName.Reserve(byName.Size() + static_cast<std::size_t>(n));
}

void zCPar_SymbolTable::FreeBlock()
{
    block.reset();
    blockSize = 0;
    nextFreeSlot = -1;
}

void zCPar_SymbolTable::Clear()
{
    // Symbols inserted after a load are not part of the block and are deleted one by one.
    const zCPar_Symbol* blockBegin = block.get();
    const zCPar_Symbol* blockEnd = blockBegin + blockSize;
    const std::less<const zCPar_Symbol*> below;
    if (!blockBegin) {
        // A compile's symbols: all made one by one.
        zCPar_Symbol::DeleteAll(symbols.GetArray(), static_cast<std::size_t>(symbols.GetNum()));
    } else {
        for (int i = 0; i < symbols.GetNum(); ++i) {
            zCPar_Symbol* symbol = symbols[i];
            if (below(symbol, blockBegin) || !below(symbol, blockEnd))
                delete symbol;
        }
    }
    FreeBlock();
    symbols.EmptyList();
    sortedIndex.EmptyList();
    sortedCount = 0;
    pendingKeys.clear();
    byName.Clear();
    namesUnique = true;
    firstSymbol = nullptr;
    lastSymbol = nullptr;
}

int zCPar_SymbolTable::CompareNames(const zSTRING& a, const zSTRING& b)
{
    const std::size_t common = std::min(a.size(), b.size());
    const int bytes = common ? std::memcmp(a.data(), b.data(), common) : 0;
    if (bytes != 0)
        return bytes < 0 ? -1 : 1;
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

void zCPar_SymbolTable::Append(zCPar_Symbol* symbol)
{
    symbols.InsertEnd(symbol);
    symbol->SetNext(nullptr);
    if (lastSymbol)
        lastSymbol->SetNext(symbol);
    else
        firstSymbol = symbol;
    lastSymbol = symbol;
}

namespace {

// A name's first 16 bytes as two big-endian words, padded with zero bytes (see
// SortKey).
std::uint64_t BigEndianWord(const zSTRING& name, std::size_t from)
{
    const char* bytes = name.data();
    std::uint64_t word = 0;
    for (std::size_t i = from; i < from + 8; ++i)
        word = (word << 8) | (i < name.size() ? static_cast<unsigned char>(bytes[i]) : 0u);
    return word;
}

} // namespace

int zCPar_SymbolTable::Insert(zCPar_Symbol* symbol)
{
    if (!symbol)
        return 0;
    const int number = symbols.GetNum();
    if (!byName.Insert(symbol->name, number))
        return 0;
    try {
        // The sort key is made while the name is at hand.
        pendingKeys.push_back({BigEndianWord(symbol->name, 0), BigEndianWord(symbol->name, 8), number});
        sortedIndex.InsertEnd(number);
        Append(symbol);
    } catch (...) {
        byName.Erase(symbol->name);
        if (sortedIndex.GetNum() > symbols.GetNum())
            sortedIndex.RemoveIndex(sortedIndex.GetNum() - 1);
        if (pendingKeys.size() > static_cast<std::size_t>(sortedIndex.GetNum() - sortedCount))
            pendingKeys.pop_back();
        throw;
    }
    symbol->AllocSpace();
    return 1;
}

void zCPar_SymbolTable::SortPending() const
{
    const int count = sortedIndex.GetNum();
    if (sortedCount == count)
        return;
    zCPar_Symbol* const* table = symbols.GetArray();
    int* first = sortedIndex.GetArray();

    std::vector<SortKey>& keys = pendingKeys;
    std::sort(keys.begin(), keys.end(), [table](const SortKey& a, const SortKey& b) {
        if (a.high != b.high)
            return a.high < b.high;
        if (a.low != b.low)
            return a.low < b.low;
        return CompareNames(table[a.number]->name, table[b.number]->name) < 0;
    });
    for (std::size_t i = 0; i < keys.size(); ++i)
        first[sortedCount + static_cast<int>(i)] = keys[i].number;
    keys.clear();

    const auto below = [table](int a, int b) { return CompareNames(table[a]->name, table[b]->name) < 0; };
    std::inplace_merge(first, first + sortedCount, first + count, below);
    sortedCount = count;
}

const zCArray<int>& zCPar_SymbolTable::GetSortedIndex() const
{
    SortPending();
    return sortedIndex;
}

int zCPar_SymbolTable::GetIndex(const zSTRING& name) const
{
    return byName.Find(name);
}

int zCPar_SymbolTable::GetIndex(const zCPar_Symbol* symbol) const
{
    return symbol ? GetIndex(symbol->name) : -1;
}

int zCPar_SymbolTable::IndexOf(const zCPar_Symbol& owner, std::string_view member) const
{
    const std::string& name = owner.name;
    for (int i = 0; i < 2; ++i) {
        const int at = (lastOwnerPrefix + i) & 1;
        if (ownerPrefixes[at].Owner() == name) {
            lastOwnerPrefix = at;
            return byName.Find(ownerPrefixes[at], member);
        }
    }
    lastOwnerPrefix ^= 1;
    ownerPrefixes[lastOwnerPrefix] = zCPar_NameIndex::Prefix(name);
    return byName.Find(ownerPrefixes[lastOwnerPrefix], member);
}

bool zCPar_SymbolTable::IsIn(const zCPar_Symbol* symbol) const
{
    return GetIndex(symbol) != -1;
}

zCPar_Symbol* zCPar_SymbolTable::GetSymbol(const zSTRING& name) const
{
    return GetSymbol(GetIndex(name));
}

zCPar_Symbol* zCPar_SymbolTable::GetSymbol(int number) const
{
    if (number < 0 || number >= symbols.GetNum())
        return nullptr;
    return symbols[number];
}

int zCPar_SymbolTable::NumberOfParent(const zCPar_Symbol* parent, int child) const
{
    // An owner stands shortly before its members and locals. Where every listed name
    // is listed once, the symbol found there is the one its name finds.
    constexpr int kLookBack = 64;
    if (namesUnique) {
        for (int i = child - 1; i >= 0 && i >= child - kLookBack; --i)
            if (symbols[i] == parent)
                return i;
    }
    return GetIndex(parent);
}

bool zCPar_SymbolTable::Save(zFILE& file) const
{
    // The records go out in blocks of some 64 KB: a write per record costs more than
    // making the record.
    constexpr std::size_t kBlockBytes = 1 << 16;
    const zCArray<int>& index = GetSortedIndex();
    std::string out;
    out.reserve(kBlockBytes + 4096);
    const auto flush = [&file, &out]() {
        const bool written = out.empty() || file.Write(out.data(), static_cast<long>(out.size())) == 0;
        out.clear();
        return written;
    };
    PutDatInt(out, symbols.GetNum());
    for (int i = 0; i < index.GetNum(); ++i) {
        PutDatInt(out, index[i]);
        if (out.size() >= kBlockBytes && !flush())
            return false;
    }
    if (!flush())
        return false;
    // Members and locals follow their owner: the parent's number is looked up once a run.
    const zCPar_Symbol* lastParent = nullptr;
    int lastParentIndex = -1;
    for (int i = 0; i < symbols.GetNum(); ++i) {
        const zCPar_Symbol* symbol = symbols[i];
        symbol->AppendDatRecord(out);
        const zCPar_Symbol* parent = symbol->GetParent();
        if (parent != nullptr && parent != lastParent) {
            lastParent = parent;
            lastParentIndex = NumberOfParent(parent, i);
        }
        PutDatInt(out, parent != nullptr ? lastParentIndex : -1);
        if (out.size() >= kBlockBytes && !flush())
            return false;
    }
    return flush();
}

bool zCPar_SymbolTable::ReadSection(zFILE& file)
{
    std::int32_t count = 0;
    if (!ReadDatInt(file, count) || count < 0)
        return false;
    // Nothing is allocated for more records than the file can hold.
    const long size = file.Size();
    const long pos = file.Pos();
    if (size >= 0 && pos >= 0 && count > (size - pos) / (4 + kMinRecordBytes))
        return false;
    if (size < 0 || pos < 0 || size <= pos)
        return ReadRecords(file, count);

    // The records are taken from memory, for speed, read from the file in large
    // pieces into one window; the file is left after the section as the word-by-word
    // reading leaves it.
    FileWindow window(file, pos, size);
    const char* begin = nullptr;
    const char* end = nullptr;
    if (!window.More(begin, end)) {
        if (file.Seek(pos) != 0)
            return false;
        return ReadRecords(file, count);
    }
    zCDatBytes bytes(begin, end, &window);
    if (!ReadRecords(bytes, count))
        return false;
    return file.Seek(window.FilePosition(bytes.Position())) == 0;
}

template <class Source>
bool zCPar_SymbolTable::ReadRecords(Source& file, std::int32_t count)
{
    sortedIndex.EmptyList();
    sortedIndex.AllocAbs(count);
    for (int i = 0; i < count; ++i) {
        std::int32_t number = 0;
        if (!ReadDatInt(file, number) || number < 0 || number >= count)
            return false;
        sortedIndex.InsertEnd(number);
    }
    sortedCount = count;
    pendingKeys.clear();

    block.reset(new zCPar_Symbol[static_cast<std::size_t>(count)]);
    blockSize = count;
    nextFreeSlot = count - 1;
    symbols.AllocAbs(count);
    byName.Reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        zCPar_Symbol* symbol = &block[nextFreeSlot--];
        std::int32_t parent = -1;
        if (!symbol->LoadFromDat(file) || !ReadDatInt(file, parent))
            return false;
        // Only symbols read before it can be a parent.
        symbol->SetParent(parent >= 0 && parent < symbols.GetNum() ? symbols[parent] : nullptr);
        Append(symbol);
    }
    // The names are listed once all are read, in the same order, with the slots of
    // the names a few places ahead asked for meanwhile: each lies anywhere in the index.
    constexpr int kAhead = 8;
    std::vector<std::uint32_t> hashes(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        hashes[static_cast<std::size_t>(i)] = zCPar_NameIndex::HashOf(symbols[i]->name);
    for (int i = 0; i < count; ++i) {
        if (i + kAhead < count)
            byName.Prefetch(hashes[static_cast<std::size_t>(i + kAhead)]);
        if (!byName.Insert(symbols[i]->name, i, hashes[static_cast<std::size_t>(i)]))
            namesUnique = false;
    }
    return true;
}

bool zCPar_SymbolTable::Load(zFILE& file)
{
    // The externals of the running program keep their address values, not the file's.
    std::vector<std::pair<zSTRING, std::int32_t>> externals;
    for (int i = 0; i < symbols.GetNum(); ++i) {
        const zCPar_Symbol* symbol = symbols[i];
        if (symbol->HasFlag(zPAR_FLAG_EXTERNAL))
            externals.emplace_back(symbol->name, symbol->GetContent());
    }
    Clear();
    if (!ReadSection(file)) {
        Clear();
        return false;
    }
    for (const auto& external : externals) {
        zCPar_Symbol* symbol = GetSymbol(external.first);
        if (symbol && symbol->HasFlag(zPAR_FLAG_EXTERNAL))
            symbol->SetContent(external.second);
        else
            g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_INTERNAL_IDENTIFIER_NOT_FOUND, external.first));
    }
    return true;
}
