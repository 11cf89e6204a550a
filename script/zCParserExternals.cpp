// Engine functions as external symbols, from the tables of zCPar_ExternalTables.
#include "zCParser.h"

#include <algorithm>
#include <string>
#include <vector>

#include "JobGlobals.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCPar_ExternalTables.h"

namespace {

// Members whose int value carries an instance.
const char* const kInstanceMembers[] = {
    "C_INFO.NPC", "C_ITEM.MUNITION", "C_ITEMREACT.NPC", "C_ITEMREACT.TRADE_ITEM", "C_ITEMREACT.REQUESTED_ITEM",
};

void DefineRows(zCParser& parser, const std::vector<zCPar_ExternalDef>& rows)
{
    for (const zCPar_ExternalDef& row : rows)
        parser.DefineExternal(row.name, row.address, row.returnType, row.parameterTypes);
}

} // namespace

void zCParser::DefineExternal(const zSTRING& name, std::int32_t addressValue, int returnType,
                              std::initializer_list<int> parameterTypes)
{
    externalNames.InsertEnd(new zSTRING(name));

    auto* function = new zCPar_Symbol;
    function->name = name;
    function->name.Upper();
    function->SetType(zPAR_TYPE_FUNC);
    function->declaredType = zPAR_TYPE_FUNC;
    function->SetFlag(zPAR_FLAG_CONST | zPAR_FLAG_EXTERNAL);
    if (returnType != zPAR_TYPE_VOID)
        function->SetFlag(zPAR_FLAG_RETURN);
    function->SetOffset(returnType);

    if (!symtab.Insert(function)) {
        const zSTRING upperName = function->name;
        delete function;
        if (!linked) {
            Error(LoadResString(IDS_REDEFINED_INTERNAL_FUNC) + name, 0, -1);
            return;
        }
        // A loaded program keeps its own symbol; only the address is this table's.
        zCPar_Symbol* existing = symtab.GetSymbol(upperName);
        // A script symbol of that name (a foreign .dat) must keep its value.
        if (existing && existing->GetType() == zPAR_TYPE_FUNC && existing->HasFlag(zPAR_FLAG_EXTERNAL))
            existing->SetContent(addressValue);
        return;
    }
    function->SetContent(addressValue);
    if (linked)
        return;

    for (const int type : parameterTypes) {
        // A zero ends the list, so no parameter can be void.
        if (type == 0)
            break;
        const int index = function->GetElementCount();
        auto* parameter = new zCPar_Symbol;
        parameter->name = function->name;
        parameter->name += ".PAR";
        parameter->name += std::to_string(index);
        parameter->SetType(type & 15);
        parameter->declaredType = type;
        if (type == zPAR_TYPE_INT &&
            zCParRedefinitions::IsRedefinedParameter(function->name, index, zCParRedefinitions::GetBuiltinTable()))
            parameter->declaredType = zPAR_TYPE_INSTANCE_INT;
        if (!symtab.Insert(parameter))
            delete parameter;
        function->SetElementCount(index + 1);
    }
}

void zCParser::DefineExternalTable1()
{
    DefineRows(*this, zCPar_ExternalTables::GetFirstGame());
    if (g_saveNameBase)
        SortExternalNames();
    LoadRedefinitions();
}

void zCParser::DefineExternalTable2()
{
    DefineRows(*this, zCPar_ExternalTables::GetSecondGame());
    if (g_saveNameBase)
        SortExternalNames();
    LoadRedefinitions();
}

void zCParser::DefineExternalTableMenu()
{
    DefineRows(*this, zCPar_ExternalTables::GetMenu());
    LoadRedefinitions();
}

void zCParser::SortExternalNames()
{
    zSTRING** first = externalNames.GetArray();
    if (!first)
        return;
    std::stable_sort(first, first + externalNames.GetNum(), [](const zSTRING* a, const zSTRING* b) {
        return zCPar_ExternalTables::CompareNames(*a, *b) < 0;
    });
}

void zCParser::LoadRedefinitions()
{
    redefinitions.LoadRedefinitions();
}

bool zCParser::IsInstanceMember(const zSTRING& fullName)
{
    for (const char* member : kInstanceMembers) {
        if (fullName == member)
            return true;
    }
    return false;
}
