// Symbol lookups of the linker, the code generator and the decompiler, with the
// class view's table behind the parser's own.
#include "zCParFallbackTable.h"
#include "zCParser.h"

zCPar_SymbolTable* g_parFallbackTable = nullptr;
int g_parFallbackOn = 0;

bool zCParser::FallbackOn()
{
    return g_parFallbackOn != 0 && g_parFallbackTable != nullptr;
}

int zCParser::GetIndex(const zSTRING& name)
{
    const int own = symtab.GetIndex(name);
    if (own == -1 && FallbackOn()) {
        const int other = g_parFallbackTable->GetIndex(name);
        if (other != -1)
            indexFromFallback = 1;
        return other;
    }
    indexFromFallback = 0;
    return own;
}

zCPar_Symbol* zCParser::GetSymbol(int number)
{
    if (!indexFromFallback) {
        zCPar_Symbol* own = symtab.GetSymbol(number);
        if (own || !FallbackOn())
            return own;
    } else if (!FallbackOn()) {
        // The class view's table may be gone since the number was taken from it.
        return symtab.GetSymbol(number);
    }
    zCPar_Symbol* other = g_parFallbackTable->GetSymbol(number);
    MarkInstanceMember(other);
    return other;
}

zCPar_Symbol* zCParser::GetSymbol(const zSTRING& name)
{
    zCPar_Symbol* own = symtab.GetSymbol(name);
    if (own || !FallbackOn())
        return own;
    zCPar_Symbol* other = g_parFallbackTable->GetSymbol(name);
    MarkInstanceMember(other);
    return other;
}

int zCParser::IsInstanceType(const zCPar_Symbol* symbol)
{
    if (!symbol)
        return 0;
    const int type = symbol->declaredType;
    return type == zPAR_TYPE_CLASS || type == zPAR_TYPE_PROTOTYPE || type == zPAR_TYPE_INSTANCE;
}

void zCParser::MarkInstanceMember(zCPar_Symbol* symbol)
{
    if (symbol && symbol->declaredType == zPAR_TYPE_INT && IsInstanceType(symbol->GetParent()) &&
        IsInstanceMember(symbol->name))
        symbol->declaredType = zPAR_TYPE_INSTANCE_INT;
}
