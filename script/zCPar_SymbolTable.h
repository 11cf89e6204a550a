// Owns the script symbols of one parser and finds them by name or by number. A symbol's
// number is its place in definition order; the sorted index lists the numbers in name
// order for the compiled script file.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "zCArray.h"
#include "zCPar_NameIndex.h"
#include "zCPar_Symbol.h"

class zFILE;

class zCPar_SymbolTable {
public:
    explicit zCPar_SymbolTable(int preallocate = 0);
    ~zCPar_SymbolTable();
    zCPar_SymbolTable(const zCPar_SymbolTable&) = delete;
    zCPar_SymbolTable& operator=(const zCPar_SymbolTable&) = delete;

    // Room for n more symbols.
    void Allocate(int n);
    // Deletes every symbol; the arrays keep their capacity.
    void Clear();

    // 1: the table owns the symbol and has given it its storage. 0: a symbol of that
    // name is present (or none was given) and the caller keeps it.
    int Insert(zCPar_Symbol* symbol);

    int GetIndex(const zSTRING& name) const;
    int GetIndex(const zCPar_Symbol* symbol) const;
    // The same for a piece of a text, and for owner + "." + member without making
    // that name (the compiler tries a name in its scopes this way).
    int IndexOf(std::string_view name) const { return byName.Find(name); }
    int IndexOf(std::string_view owner, std::string_view member) const { return byName.Find(owner, member); }
    int IndexOf(const zCPar_Symbol& owner, std::string_view member) const;
    bool IsIn(const zCPar_Symbol* symbol) const;
    // Whether each symbol's name finds that symbol: false after a loaded section
    // listed a name twice.
    bool EveryNameListedOnce() const { return namesUnique; }
    zCPar_Symbol* GetSymbol(const zSTRING& name) const;
    zCPar_Symbol* GetSymbol(int number) const;
    int GetNumInList() const { return symbols.GetNum(); }
    zCPar_Symbol* GetFirstSymbol() const { return firstSymbol; }
    zCPar_Symbol* GetLastSymbol() const { return lastSymbol; }

    // Symbol numbers in name order.
    const zCArray<int>& GetSortedIndex() const;

    // Bytes as unsigned values; a prefix before the longer name.
    static int CompareNames(const zSTRING& a, const zSTRING& b);

    // The symbol section of the compiled script file. Load answers false for a section
    // that is cut short or names symbols it does not hold, and leaves the table empty.
    bool Save(zFILE& file) const;
    bool Load(zFILE& file);

private:
    void Append(zCPar_Symbol* symbol);
    // Merges the numbers appended since the index was last put in order.
    void SortPending() const;
    bool ReadSection(zFILE& file);
    // The sorted numbers and the records, from a zFILE or from bytes in memory.
    template <class Source>
    bool ReadRecords(Source& file, std::int32_t count);
    void FreeBlock();
    // The number of a symbol's parent, for the record of the child with that number.
    int NumberOfParent(const zCPar_Symbol* parent, int child) const;

    std::unique_ptr<zCPar_Symbol[]> block;
    int blockSize = 0;
    int nextFreeSlot = -1;
    zCArray<zCPar_Symbol*> symbols;
    // Kept in order lazily: inserting one by one into the middle would make a large
    // compile quadratic.
    mutable zCArray<int> sortedIndex;
    mutable int sortedCount = 0;
    // A name's first 16 bytes as two big-endian words: comparing the words orders as
    // CompareNames does, or ties. Sorting on them keeps the large compile's sort
    // inside one array instead of following every name to the heap.
    struct SortKey {
        std::uint64_t high = 0;
        std::uint64_t low = 0;
        int number = 0;
    };
    // The keys of the numbers appended to the index since it was put in order.
    mutable std::vector<SortKey> pendingKeys;
    zCPar_NameIndex byName;
    // False once a loaded section listed a name twice: the name finds the first only.
    bool namesUnique = true;
    // The owners last asked for by IndexOf, their names hashed: a body's lookups try
    // the same class and function again and again.
    mutable zCPar_NameIndex::Prefix ownerPrefixes[2];
    mutable int lastOwnerPrefix = 0;
    zCPar_Symbol* lastSymbol = nullptr;
    zCPar_Symbol* firstSymbol = nullptr;
};
