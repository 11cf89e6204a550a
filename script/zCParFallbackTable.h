// The class view's symbol table, which the parser's lookups may consult when a
// name is not in its own table. The IDE sets both; the engine only reads them.
#pragma once

class zCPar_SymbolTable;

// The table, or null while the class view has none.
extern zCPar_SymbolTable* g_parFallbackTable;
// Non-zero while the lookups may use the table.
extern int g_parFallbackOn;
