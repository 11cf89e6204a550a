// The redefinition lists: ints that carry an instance, in functions and local variables.
#include "zCParRedefinitions.h"

#include <initializer_list>

#include "ParNames.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCOption.h"
#include "zERROR.h"
#include "zFILE_VDFS.h"

namespace {

constexpr unsigned char V = zPAR_REDEF_VOID;
constexpr unsigned char F = zPAR_REDEF_FLOAT;
constexpr unsigned char I = zPAR_REDEF_INT;
constexpr unsigned char S = zPAR_REDEF_STRING;
constexpr unsigned char FN = zPAR_REDEF_FUNC;
constexpr unsigned char N = zPAR_REDEF_INSTANCE;
constexpr unsigned char X = zPAR_REDEF_INT_INSTANCE;

struct zTBuiltinRow {
    const char* name;
    unsigned char returnType;
    std::initializer_list<unsigned char> params;
};

bool Verbose()
{
    return g_errorReporter.GetFilterLevel() >= 5;
}

void WrongType(const zSTRING& word, int line)
{
    g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_REDEFINITION_WRONG_TYPE, word, line));
}

// Text before the first blank, or all of it.
zSTRING FirstWord(const zSTRING& text)
{
    const auto blank = text.find(' ');
    return blank == std::string::npos ? text : zSTRING(text.substr(0, blank));
}

// Text after the first blank, or all of it.
zSTRING AfterFirstBlank(const zSTRING& text)
{
    const auto blank = text.find(' ');
    return blank == std::string::npos ? text : zSTRING(text.substr(blank + 1));
}

bool ParseFunctionLine(const zSTRING& line, int lineNumber, zTParRedefinedFunc& record)
{
    const zSTRING returnWord = FirstWord(line);
    const int returnType = zCParRedefinitions::GetTypeCode(returnWord);
    if (returnType < 0) {
        WrongType(returnWord, lineNumber);
        return false;
    }
    const auto open = line.find('(');
    const zSTRING head = open == std::string::npos ? line : zSTRING(line.substr(0, open));
    zSTRING list;
    if (open != std::string::npos) {
        const auto close = line.find(')', open + 1);
        list = line.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    }
    if (list.empty()) {
        WrongType(list, lineNumber);
        return false;
    }
    record.name = AfterFirstBlank(head);
    record.returnType = static_cast<unsigned char>(returnType);
    std::size_t start = 0;
    for (int count = 0;; ++count) {
        const auto comma = list.find(',', start);
        const zSTRING word = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const int code = zCParRedefinitions::GetTypeCode(word);
        // A void parameter would end the list early; more than 15 do not fit.
        if (code <= 0 || count >= zPAR_REDEF_MAX_PARAMS) {
            WrongType(word, lineNumber);
            return false;
        }
        record.params[count] = static_cast<unsigned char>(code);
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

bool SystemFolder(zSTRING& folder)
{
    if (!g_options) {
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_NAME_BASE_FILE_NOT_FOUND, "RedefinedFunc.dsc"));
        return false;
    }
    folder = g_options->GetDirString(DIR_SYSTEM);
    return true;
}

} // namespace

int zCParRedefinitions::GetTypeCode(const zSTRING& word)
{
    const zSTRING upper = UpperCopy(word);
    static const struct {
        const char* word;
        int code;
    } words[] = {{"VOID", zPAR_REDEF_VOID},     {"FLOAT", zPAR_REDEF_FLOAT},       {"INT", zPAR_REDEF_INT},
                 {"INT#", zPAR_REDEF_INT_INSTANCE}, {"STRING", zPAR_REDEF_STRING}, {"FUNC", zPAR_REDEF_FUNC},
                 {"INSTANCE", zPAR_REDEF_INSTANCE}};
    for (const auto& entry : words) {
        if (upper == entry.word)
            return entry.code;
    }
    return -1;
}

const zCArray<zTParRedefinedFunc>& zCParRedefinitions::GetBuiltinTable()
{
    static const zTBuiltinRow rows[] = {
        {"Hlp_IsItem", I, {N, X}},
        {"Hlp_GetNpc", N, {X}},
        {"Wld_InsertNpc", V, {X, S}},
        {"Wld_InsertNpcAndRespawn", V, {X, S, F}},
        {"AI_UseItem", V, {N, X}},
        {"AI_UseItemToState", V, {N, X, I}},
        {"Wld_InsertItem", V, {X, S}},
        {"AI_LookForItem", V, {N, X}},
        {"Npc_GetInvItem", I, {N, X}},
        {"Npc_HasItems", I, {N, X}},
        {"Npc_RemoveInvItem", I, {N, X}},
        {"Npc_RemoveInvItems", I, {N, X, I}},
        {"Mob_CreateItems", V, {S, X, I}},
        {"Mob_HasItems", I, {S, X}},
        {"Npc_HasOffered", I, {N, N, X}},
        {"Npc_KnowsInfo", I, {N, X}},
        {"Wld_DetectNpc", I, {N, X, FN, I}},
        {"Wld_DetectNpcEx", I, {N, X, FN, I, I}},
        {"CreateInvItem", V, {N, X}},
        {"CreateInvItems", V, {N, X, I}},
        {"AI_DropItem", V, {N, X}},
        {"Info_AddChoice", V, {X, S, FN}},
        {"Info_ClearChoices", V, {X}},
        {"Npc_GiveItem", V, {N, X, N}},
        {"Npc_SetActiveSpellInfo", I, {N, X}},
        {"Npc_SetToFightMode", V, {N, X}},
        {"AI_EquipArmor", V, {N, X}},
        {"Wld_SpawnNpcRange", V, {N, X, I, F}},
        {"EquipItem", V, {N, X}},
        {"Mdl_SetVisualBody", V, {N, S, I, I, S, I, I, X}},
        {"Hlp_GetInstanceID", X, {N}},
    };
    static const zCArray<zTParRedefinedFunc> table = [] {
        zCArray<zTParRedefinedFunc> records;
        for (const auto& row : rows) {
            zTParRedefinedFunc record;
            record.name = row.name;
            record.returnType = row.returnType;
            int i = 0;
            for (unsigned char code : row.params)
                record.params[i++] = code;
            records.InsertEnd(record);
        }
        return records;
    }();
    return table;
}

int zCParRedefinitions::IsRedefinedParameter(const zSTRING& function, int index,
                                             const zCArray<zTParRedefinedFunc>& records)
{
    if (index < 0 || index >= zPAR_REDEF_MAX_PARAMS)
        return 0;
    const zSTRING upper = UpperCopy(function);
    for (int i = 0; i < records.GetNum(); ++i) {
        // A record counts for every function whose name holds its own.
        if (upper.find(UpperCopy(records[i].name)) != std::string::npos &&
            records[i].params[index] == zPAR_REDEF_INT_INSTANCE)
            return 1;
    }
    return 0;
}

void zCParRedefinitions::LoadRedefinitions()
{
    zSTRING folder;
    if (SystemFolder(folder))
        LoadRedefinitions(folder);
}

void zCParRedefinitions::LoadRedefinitions(const zSTRING& folder)
{
    if (LoadFunctions(folder))
        LoadVariables(folder);
}

bool zCParRedefinitions::LoadFunctions(const zSTRING& folder)
{
    zFILE_VDFS file(JoinFolder(folder, "RedefinedFunc.dsc"));
    if (!file.Exists()) {
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_NAME_BASE_FILE_NOT_FOUND, file.GetFullPath()));
        return false;
    }
    if (file.Open(false) != 0)
        return false;
    if (Verbose())
        g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_LOADING_REDEFINED_FUNCTIONS));
    int lineNumber = 0;
    int loaded = 0;
    zSTRING line;
    while (file.ReadLine(line) == 0) {
        ++lineNumber;
        zTParRedefinedFunc record;
        if (ParseFunctionLine(line, lineNumber, record)) {
            functions.InsertEnd(record);
            ++loaded;
        }
    }
    file.Close();
    if (Verbose())
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_REDEFINED_FUNCTIONS_LOADED, loaded));
    return true;
}

void zCParRedefinitions::LoadVariables(const zSTRING& folder)
{
    zFILE_VDFS file(JoinFolder(folder, "RedefinedLocalVariable.dsc"));
    if (!file.Exists()) {
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_NAME_BASE_FILE_NOT_FOUND, file.GetFullPath()));
        return;
    }
    if (file.Open(false) != 0)
        return;
    if (Verbose())
        g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_LOADING_REDEFINED_VARIABLES));
    int lineNumber = 0;
    int loaded = 0;
    zSTRING line;
    while (file.ReadLine(line) == 0) {
        ++lineNumber;
        const zSTRING word = FirstWord(line);
        if (GetTypeCode(word) != zPAR_REDEF_INT_INSTANCE) {
            WrongType(word, lineNumber);
            continue;
        }
        const auto semicolon = line.find(';');
        zSTRING name = AfterFirstBlank(line.substr(0, semicolon));
        variables.InsertEnd(name.Upper());
        ++loaded;
    }
    file.Close();
    if (Verbose()) {
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_REDEFINED_VARIABLES_LOADED, loaded));
        g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_REDEFINITIONS_LOADED));
    }
}

void zCParRedefinitions::Clear()
{
    functions.DeleteList();
    variables.DeleteList();
}
