// The engine functions that scripts may call, one table per kind of script: the first
// game's, the second game's and the menu scripts'. Rows are data only; the parser turns
// them into symbols (zCParser::DefineExternalTable1/2/Menu).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "zSTRING.h"

struct zCPar_ExternalDef {
    const char* name;  // as the scripts spell it
    // Written into the .dat as the function's content; meaningful to the game only.
    std::int32_t address;
    int returnType;  // type code
    std::initializer_list<int> parameterTypes;
};

class zCPar_ExternalTables {
public:
    // In definition order.
    static const std::vector<zCPar_ExternalDef>& GetFirstGame();
    static const std::vector<zCPar_ExternalDef>& GetSecondGame();
    static const std::vector<zCPar_ExternalDef>& GetMenu();

    // Order of the parser's list of external names: upper-cased copies, bytes as
    // unsigned values, the shorter first on a common prefix.
    static int CompareNames(const zSTRING& a, const zSTRING& b);
};
