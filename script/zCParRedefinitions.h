// Ints that carry an instance's symbol number ("INT#", code 9) in engine functions
// and local variables: the built-in table and the lists read from the system folder.
#pragma once

#include "zCArray.h"
#include "zSTRING.h"

// Type codes of redefinition records.
enum zTParRedefType {
    zPAR_REDEF_VOID = 0,
    zPAR_REDEF_FLOAT = 1,
    zPAR_REDEF_INT = 2,
    zPAR_REDEF_STRING = 3,
    zPAR_REDEF_FUNC = 5,
    zPAR_REDEF_INSTANCE = 7,
    zPAR_REDEF_INT_INSTANCE = 9
};

constexpr int zPAR_REDEF_MAX_PARAMS = 15;

struct zTParRedefinedFunc {
    zSTRING name;  // letter case as written
    unsigned char returnType = 0;
    unsigned char params[zPAR_REDEF_MAX_PARAMS] = {};  // 0 after the last
};

class zCParRedefinitions {
public:
    // Code of a type word, letter case aside; -1 for anything else (blanks count).
    static int GetTypeCode(const zSTRING& word);

    // The 31 built-in records.
    static const zCArray<zTParRedefinedFunc>& GetBuiltinTable();

    // 1 when a record of the list whose name occurs in the function's name (letter case
    // aside) has code 9 at that parameter index.
    static int IsRedefinedParameter(const zSTRING& function, int index,
                                    const zCArray<zTParRedefinedFunc>& records);

    // Appends from "RedefinedFunc.dsc" and then "RedefinedLocalVariable.dsc" in the
    // folder; without a folder, the system directory of the options.
    void LoadRedefinitions(const zSTRING& folder);
    void LoadRedefinitions();

    const zCArray<zTParRedefinedFunc>& GetFunctions() const { return functions; }
    // Upper-cased variable names.
    const zCArray<zSTRING>& GetVariables() const { return variables; }
    void Clear();

private:
    // False when the file is missing (warning 33106 given).
    bool LoadFunctions(const zSTRING& folder);
    void LoadVariables(const zSTRING& folder);

    zCArray<zTParRedefinedFunc> functions;
    zCArray<zSTRING> variables;
};
