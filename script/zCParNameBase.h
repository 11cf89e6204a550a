// Remembers how the script sources spelled each identifier, so that names kept
// upper-case in the compiled file can be written back in their original case.
#pragma once

#include <string>
#include <unordered_map>

#include "zCArray.h"
#include "zSTRING.h"

class zCParNameBase {
public:
    zCParNameBase() = default;
    ~zCParNameBase();
    zCParNameBase(const zCParNameBase&) = delete;
    zCParNameBase& operator=(const zCParNameBase&) = delete;

    // 1 when the spelling was added; 0 when the name is present in any letter case
    // (the first spelling stays).
    int Insert(const zSTRING& name);
    bool IsIn(const zSTRING& name) const { return Search(name) != -1; }
    // Entry number of the name, letter case aside; -1 when absent.
    int Search(const zSTRING& name) const;
    // Null outside 0..GetNum()-1.
    const zSTRING* GetAt(int number) const;
    int GetNum() const { return names.GetNum(); }
    // -1 when unknown (the name is left as it is); otherwise 0 and the stored spelling.
    int RestoreCase(zSTRING& name) const;

    // The platform's base file in the folder; without a folder, the system directory
    // of the options.
    void Load(const zSTRING& folder);
    void Load();
    void Save(const zSTRING& folder) const;
    void Save() const;

    void Clear();

    // "NamesVarnok1.dsc" or "NamesVarnok2.dsc" by the platform.
    static zSTRING GetFileName();

private:
    zCArray<zSTRING*> names;
    // Upper-cased name to entry number: keeps a large base from growing quadratic.
    std::unordered_map<std::string, int> byUpperName;
};
