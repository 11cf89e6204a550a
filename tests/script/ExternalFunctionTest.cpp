#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "JobGlobalsSnapshot.h"
#include "SymbolFileFixture.h"
#include "zCOption.h"
#include "zCPar_ExternalTables.h"
#include "zCParser.h"
#include "zERROR.h"

namespace {

using Table = std::vector<zCPar_ExternalDef>;

std::vector<int> Params(const zCPar_ExternalDef& row)
{
    return std::vector<int>(row.parameterTypes.begin(), row.parameterTypes.end());
}

std::string Upper(std::string text)
{
    zSTRING upper = text;
    return upper.Upper();
}

// The row of that name, letter case aside; null when absent.
const zCPar_ExternalDef* Find(const Table& table, const std::string& name)
{
    for (const auto& row : table) {
        if (Upper(row.name) == Upper(name))
            return &row;
    }
    return nullptr;
}

int Position(const Table& table, const std::string& name)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (name == table[i].name)
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::string> Names(const zCArray<zSTRING*>& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.GetNum(); ++i)
        names.push_back(*list[i]);
    return names;
}

class ExternalFunctionTest : public SymbolFileFixture {
protected:
    void SetUp() override
    {
        SymbolFileFixture::SetUp();
        savedOptions = g_options;
        g_saveNameBase = 0;
        // The redefinition files come from a sandbox folder only when a test asks.
        g_options = nullptr;
        parser = std::make_unique<zCParser>();
    }
    void TearDown() override
    {
        parser.reset();
        g_options = savedOptions;
        zCOption::SetStartDirectory("");
        SymbolFileFixture::TearDown();
    }

    zCPar_Symbol* Symbol(const char* name) { return parser->GetSymbolTable().GetSymbol(zSTRING(name)); }
    int Count() { return parser->GetSymbolTable().GetNumInList(); }

    std::unique_ptr<zCParser> parser;

private:
    JobGlobalsSnapshot savedGlobals;
    zCOption* savedOptions = nullptr;
};

TEST_F(ExternalFunctionTest, FunctionAndParameterSymbols)
{
    parser->DefineExternal("IntToString", 0x6494F0, zPAR_TYPE_STRING, {zPAR_TYPE_INT});
    parser->DefineExternal("Print", 0x649AD0, zPAR_TYPE_VOID, {zPAR_TYPE_STRING});
    parser->DefineExternal("ConcatStrings", 0x6499A0, zPAR_TYPE_STRING, {zPAR_TYPE_STRING, zPAR_TYPE_STRING});

    zCPar_Symbol* function = Symbol("INTTOSTRING");
    ASSERT_NE(function, nullptr);
    EXPECT_EQ(function->GetType(), zPAR_TYPE_FUNC);
    EXPECT_EQ(function->declaredType, zPAR_TYPE_FUNC);
    EXPECT_EQ(function->GetElementCount(), 1);
    EXPECT_TRUE(function->HasFlag(zPAR_FLAG_CONST));
    EXPECT_TRUE(function->HasFlag(zPAR_FLAG_RETURN));
    EXPECT_TRUE(function->HasFlag(zPAR_FLAG_EXTERNAL));
    EXPECT_FALSE(function->HasFlag(zPAR_FLAG_CLASSVAR));
    EXPECT_EQ(function->GetOffset(), zPAR_TYPE_STRING);
    EXPECT_EQ(function->GetContent(), 0x6494F0);

    zCPar_Symbol* parameter = Symbol("INTTOSTRING.PAR0");
    ASSERT_NE(parameter, nullptr);
    EXPECT_EQ(parameter->GetType(), zPAR_TYPE_INT);
    EXPECT_EQ(parameter->declaredType, zPAR_TYPE_INT);
    EXPECT_EQ(parameter->GetParent(), nullptr);
    // Parameters follow their function.
    EXPECT_EQ(parser->GetSymbolTable().GetIndex(parameter), parser->GetSymbolTable().GetIndex(function) + 1);

    zCPar_Symbol* print = Symbol("PRINT");
    ASSERT_NE(print, nullptr);
    EXPECT_FALSE(print->HasFlag(zPAR_FLAG_RETURN));
    EXPECT_TRUE(print->HasFlag(zPAR_FLAG_CONST | zPAR_FLAG_EXTERNAL));
    EXPECT_EQ(print->GetOffset(), 0);

    ASSERT_NE(Symbol("CONCATSTRINGS.PAR1"), nullptr);
    EXPECT_EQ(Symbol("CONCATSTRINGS.PAR1")->GetType(), zPAR_TYPE_STRING);
    EXPECT_EQ(Symbol("CONCATSTRINGS")->GetElementCount(), 2);
    EXPECT_EQ(Symbol("CONCATSTRINGS.PAR2"), nullptr);

    // The list keeps the spelling of the call.
    EXPECT_EQ(Names(parser->GetExternalNames()), (std::vector<std::string>{"IntToString", "Print", "ConcatStrings"}));
}

TEST_F(ExternalFunctionTest, ZeroEndsTheParameterList)
{
    parser->DefineExternal("Cut", 7, zPAR_TYPE_INT, {zPAR_TYPE_INT, 0, zPAR_TYPE_STRING});
    EXPECT_EQ(Symbol("CUT")->GetElementCount(), 1);
    EXPECT_EQ(Symbol("CUT.PAR1"), nullptr);
}

// Ints that carry an instance by the built-in redefinitions; other types and other
// functions keep their own code.
TEST_F(ExternalFunctionTest, InstanceMarkOnIntParameters)
{
    parser->DefineExternalTable1();
    const struct {
        const char* parameter;
        int type;
        int declaredType;
    } cases[] = {
        {"HLP_ISITEM.PAR0", zPAR_TYPE_INSTANCE, zPAR_TYPE_INSTANCE},
        {"HLP_ISITEM.PAR1", zPAR_TYPE_INT, zPAR_TYPE_INSTANCE_INT},
        {"INFO_ADDCHOICE.PAR0", zPAR_TYPE_INT, zPAR_TYPE_INSTANCE_INT},
        {"INFO_ADDCHOICE.PAR2", zPAR_TYPE_FUNC, zPAR_TYPE_FUNC},
        {"MDL_SETVISUALBODY.PAR7", zPAR_TYPE_INT, zPAR_TYPE_INSTANCE_INT},
        {"MDL_SETVISUALBODY.PAR6", zPAR_TYPE_INT, zPAR_TYPE_INT},
        // A record counts for every function whose name holds its own.
        {"WLD_INSERTNPCANDRESPAWN.PAR0", zPAR_TYPE_INT, zPAR_TYPE_INSTANCE_INT},
        {"HLP_RANDOM.PAR0", zPAR_TYPE_INT, zPAR_TYPE_INT},
        {"WLD_ISTIME.PAR3", zPAR_TYPE_INT, zPAR_TYPE_INT},
    };
    for (const auto& c : cases) {
        zCPar_Symbol* parameter = Symbol(c.parameter);
        ASSERT_NE(parameter, nullptr) << c.parameter;
        EXPECT_EQ(parameter->GetType(), c.type) << c.parameter;
        EXPECT_EQ(parameter->declaredType, c.declaredType) << c.parameter;
    }
    // Every int# of the built-in table arrives as a marked parameter.
    const auto& builtin = zCParRedefinitions::GetBuiltinTable();
    for (int i = 0; i < builtin.GetNum(); ++i) {
        const std::string function = Upper(builtin[i].name);
        for (int p = 0; p < zPAR_REDEF_MAX_PARAMS && builtin[i].params[p]; ++p) {
            if (builtin[i].params[p] != zPAR_REDEF_INT_INSTANCE)
                continue;
            zCPar_Symbol* parameter = Symbol((function + ".PAR" + std::to_string(p)).c_str());
            ASSERT_NE(parameter, nullptr) << function << ' ' << p;
            EXPECT_EQ(parameter->declaredType, zPAR_TYPE_INSTANCE_INT) << function << ' ' << p;
        }
    }
}

TEST_F(ExternalFunctionTest, TableOrder)
{
    const Table& first = zCPar_ExternalTables::GetFirstGame();
    const Table& second = zCPar_ExternalTables::GetSecondGame();
    const Table& menu = zCPar_ExternalTables::GetMenu();
    ASSERT_EQ(first.size(), 291u);
    ASSERT_EQ(second.size(), 317u);
    ASSERT_EQ(menu.size(), 7u);

    const struct {
        const Table& table;
        int position;
        const char* name;
    } places[] = {
        {first, 0, "IntToString"},       {first, 14, "PlayVideo"},          {first, 83, "AI_Output"},
        {first, 153, "AI_LookForItem"},  {first, 209, "Mis_SetStatus"},     {first, 210, "Mis_OnTime"},
        {first, 266, "Doc_MapCoordinates"}, {first, 290, "Hlp_CutscenePlayed"}, {second, 0, "IntToString"},
        {second, 8, "AI_PrintScreen"},   {second, 313, "Hlp_CutscenePlayed"}, {second, 316, "Game_InitEngintl"},
        {menu, 0, "Update_ChoiceBox"},   {menu, 5, "Apply_Options_Controls"}, {menu, 6, "PlayVideo"},
    };
    for (const auto& p : places)
        EXPECT_STREQ(p.table[p.position].name, p.name) << p.position;
    EXPECT_EQ(Position(second, "AI_LookForItem"), -1);

    // The second game's own rows, each directly after its neighbour.
    const struct {
        const char* after;
        const char* name;
    } inserted[] = {
        {"PrintScreen", "AI_PrintScreen"},
        {"ExitGame", "ExitSession"},
        {"PlayVideo", "PlayVideoEx"},
        {"Npc_GetActiveSpell", "Npc_GetLastHitSpellID"},
        {"Npc_GetLastHitSpellID", "Npc_GetLastHitSpellCat"},
        {"Npc_GetActiveSpellLevel", "Npc_GetActiveSpellIsScroll"},
        {"Wld_DetectNpcEx", "Wld_DetectNpcExAtt"},
        {"Npc_RemoveInvItems", "Npc_ClearInventory"},
        {"Npc_GetDistToNpc", "Npc_GetHeightToNpc"},
        {"Npc_GetHeightToNpc", "Npc_GetHeightToItem"},
        {"Npc_GetNextTarget", "Npc_GetLookAtTarget"},
        {"Npc_IsVoiceActive", "Npc_StopAni"},
        {"Hlp_IsValidItem", "AI_Snd_Play"},
        {"AI_Snd_Play", "AI_Snd_Play3d"},
        {"Npc_CheckRunningMission", "Npc_IsDrawingWeapon"},
        {"Npc_IsDrawingWeapon", "Npc_IsDrawingSpell"},
        {"Wld_GetDay", "Wld_IsRaining"},
        {"Wld_PlayEffect", "Wld_StopEffect"},
        {"Wld_StopEffect", "AI_PlayFX"},
        {"AI_PlayFX", "AI_StopFX"},
        {"Doc_SetLevel", "Doc_SetLevelCoords"},
        {"Npc_IsPlayerInMyRoom", "Npc_IsInPlayersRoom"},
        {"Npc_WasPlayerInMyRoom", "Npc_GetPortalOwner"},
        {"Npc_GetPortalOwner", "Npc_GetPortalGuild"},
        {"Hlp_CutscenePlayed", "Game_InitGerman"},
        {"Game_InitGerman", "Game_InitEnglish"},
        {"Game_InitEnglish", "Game_InitEngintl"},
    };
    std::set<std::string> own;
    for (const auto& row : inserted) {
        const int at = Position(second, row.name);
        ASSERT_GT(at, 0) << row.name;
        EXPECT_STREQ(second[at - 1].name, row.after) << row.name;
        EXPECT_EQ(Position(first, row.name), -1) << row.name;
        own.insert(row.name);
    }
    // Without its own rows the second table is the first one less AI_LookForItem.
    std::vector<std::string> shared;
    for (const auto& row : second) {
        if (!own.count(row.name))
            shared.push_back(row.name);
    }
    std::vector<std::string> expected;
    for (const auto& row : first) {
        if (std::string(row.name) != "AI_LookForItem")
            expected.push_back(row.name);
    }
    EXPECT_EQ(shared, expected);

    // No name twice, letter case aside.
    for (const Table* table : {&first, &second, &menu}) {
        std::set<std::string> names;
        for (const auto& row : *table)
            EXPECT_TRUE(names.insert(Upper(row.name)).second) << row.name;
    }
}

TEST_F(ExternalFunctionTest, AddressValues)
{
    const Table& first = zCPar_ExternalTables::GetFirstGame();
    const Table& second = zCPar_ExternalTables::GetSecondGame();
    const Table& menu = zCPar_ExternalTables::GetMenu();

    std::set<std::int32_t> firstValues;
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_GE(first[i].address, 0x6494F0) << first[i].name;
        EXPECT_LE(first[i].address, 0x65EA60) << first[i].name;
        if (i > 0 && std::string(first[i].name) == "Mis_OnTime") {
            EXPECT_EQ(first[i].address, first[i - 1].address);
        } else if (i > 0) {
            EXPECT_GT(first[i].address, first[i - 1].address) << first[i].name;
        }
        firstValues.insert(first[i].address);
    }
    EXPECT_EQ(firstValues.size(), 290u);

    for (std::size_t i = 0; i < second.size(); ++i) {
        EXPECT_GE(second[i].address, 0x67F760) << second[i].name;
        EXPECT_LE(second[i].address, 0x6A6B90) << second[i].name;
        if (i > 0) {
            EXPECT_GT(second[i].address, second[i - 1].address) << second[i].name;
        }
        EXPECT_EQ(firstValues.count(second[i].address), 0u) << second[i].name;
    }

    for (const auto& row : menu) {
        if (std::string(row.name) == "PlayVideo") {
            EXPECT_EQ(row.address, Find(first, "PlayVideo")->address);
        } else {
            EXPECT_LT(row.address, 0x6494F0) << row.name;
        }
    }
}

TEST_F(ExternalFunctionTest, Signatures)
{
    const Table& first = zCPar_ExternalTables::GetFirstGame();
    const Table& second = zCPar_ExternalTables::GetSecondGame();
    const Table& menu = zCPar_ExternalTables::GetMenu();
    const int V = zPAR_TYPE_VOID, F = zPAR_TYPE_FLOAT, I = zPAR_TYPE_INT, S = zPAR_TYPE_STRING,
              FN = zPAR_TYPE_FUNC, N = zPAR_TYPE_INSTANCE;

    const struct {
        const Table& table;
        const char* name;
        int returnType;
        std::vector<int> params;
    } rows[] = {
        {first, "AI_Output", V, {N, N, S}},
        {first, "Info_AddChoice", V, {I, S, FN}},
        {first, "Wld_DetectNpc", I, {N, I, FN, I}},
        {first, "TA", V, {N, I, I, FN, S}},
        {first, "Hlp_GetNpc", N, {I}},
        {first, "Hlp_StrCmp", I, {S, S}},
        {first, "Hlp_Random", I, {I}},
        {first, "Wld_IsTime", I, {I, I, I, I}},
        {first, "PrintScreen", I, {S, I, I, S, I}},
        {first, "Mdl_SetVisualBody", V, {N, S, I, I, S, I, I, I}},
        {first, "Doc_MapCoordinates", V, {S, F, F, F, F, F, F, F, F}},
        {menu, "Update_ChoiceBox", V, {S}},
        {menu, "Apply_Options_Game", V, {}},
        {menu, "PlayVideo", I, {S}},
    };
    for (const auto& r : rows) {
        const zCPar_ExternalDef* row = Find(r.table, r.name);
        ASSERT_NE(row, nullptr) << r.name;
        EXPECT_EQ(row->returnType, r.returnType) << r.name;
        EXPECT_EQ(Params(*row), r.params) << r.name;
    }

    // The built-in redefinitions, int# read as int, in both games.
    const auto& builtin = zCParRedefinitions::GetBuiltinTable();
    const auto plain = [](int code) { return code == zPAR_REDEF_INT_INSTANCE ? zPAR_TYPE_INT : code; };
    for (int i = 0; i < builtin.GetNum(); ++i) {
        std::vector<int> params;
        for (int p = 0; p < zPAR_REDEF_MAX_PARAMS && builtin[i].params[p]; ++p)
            params.push_back(plain(builtin[i].params[p]));
        for (const Table* table : {&first, &second}) {
            const zCPar_ExternalDef* row = Find(*table, builtin[i].name);
            if (!row && table == &second && builtin[i].name == "AI_LookForItem")
                continue;
            ASSERT_NE(row, nullptr) << builtin[i].name;
            EXPECT_EQ(row->returnType, plain(builtin[i].returnType)) << builtin[i].name;
            EXPECT_EQ(Params(*row), params) << builtin[i].name;
        }
    }

    // Shared rows of the second game carry the first game's signature.
    for (const auto& row : second) {
        if (const zCPar_ExternalDef* same = Find(first, row.name)) {
            EXPECT_EQ(row.returnType, same->returnType) << row.name;
            EXPECT_EQ(Params(row), Params(*same)) << row.name;
        }
    }

    // Only codes the language has; npc functions and AI commands take the npc first
    // (AI_PrintScreen is the queued PrintScreen).
    const std::set<int> returns{V, F, I, S, N};
    const std::set<int> parameters{F, I, S, FN, N};
    for (const Table* table : {&first, &second, &menu}) {
        for (const auto& row : *table) {
            EXPECT_TRUE(returns.count(row.returnType)) << row.name;
            for (int type : row.parameterTypes)
                EXPECT_TRUE(parameters.count(type)) << row.name;
            const std::string name = row.name;
            if ((name.rfind("Npc_", 0) == 0 || name.rfind("AI_", 0) == 0) && name != "AI_PrintScreen") {
                ASSERT_FALSE(Params(row).empty()) << name;
                EXPECT_EQ(Params(row)[0], N) << name;
            }
        }
    }
}

// The arguments whose literals the compiler's upper-case check inspects are strings.
TEST_F(ExternalFunctionTest, UpperCaseCheckedArgumentsAreStrings)
{
    const Table& second = zCPar_ExternalTables::GetSecondGame();
    const struct {
        const char* name;
        int argument;
    } rows[] = {
        {"AI_GotoWP", 1}, {"AI_LookAt", 1}, {"AI_PlayAni", 1}, {"AI_PlayAniBS", 1}, {"AI_PointAt", 1},
        {"AI_Teleport", 1}, {"AI_TakeMob", 1}, {"AI_UseMob", 1}, {"AI_PlayCutscene", 1}, {"AI_OutputSVM", 2},
        {"AI_OutputSVM_Overlay", 2}, {"AI_StartState", 3}, {"AI_Snd_Play", 1}, {"AI_Snd_Play3D", 2},
        {"AI_PlayFX", 2}, {"AI_StopFX", 1}, {"Mdl_ApplyRandomFaceAni", 1}, {"Mdl_StartFaceAni", 1},
        {"Mob_CreateItems", 0}, {"Mob_HasItems", 0}, {"Npc_GetDistToWP", 1}, {"Npc_IsOnFP", 1},
        {"Npc_PlayAni", 1}, {"Npc_StopAni", 1}, {"TA", 4}, {"TA_Min", 6}, {"Wld_InsertItem", 1},
        {"Wld_InsertNpc", 1}, {"Wld_InsertNpcAndRespawn", 1}, {"Wld_SendTrigger", 0}, {"Wld_SendUnTrigger", 0},
        {"Wld_GetMobState", 1}, {"Wld_InsertObject", 1}, {"Wld_SetObjectRoutine", 2}, {"Wld_SetMobRoutine", 2},
        {"Wld_ExchangeGuildAttitudes", 0}, {"Wld_StopEffect", 0},
    };
    for (const auto& r : rows) {
        const zCPar_ExternalDef* row = Find(second, r.name);
        ASSERT_NE(row, nullptr) << r.name;
        const std::vector<int> params = Params(*row);
        ASSERT_LT(static_cast<std::size_t>(r.argument), params.size()) << r.name;
        EXPECT_EQ(params[r.argument], zPAR_TYPE_STRING) << r.name;
    }
}

// Each table defines every row with its address and parameters, in table order.
TEST_F(ExternalFunctionTest, TablesDefineTheirRows)
{
    const struct {
        void (zCParser::*define)();
        const Table& table;
    } kinds[] = {
        {&zCParser::DefineExternalTable1, zCPar_ExternalTables::GetFirstGame()},
        {&zCParser::DefineExternalTable2, zCPar_ExternalTables::GetSecondGame()},
        {&zCParser::DefineExternalTableMenu, zCPar_ExternalTables::GetMenu()},
    };
    for (const auto& kind : kinds) {
        parser->Reset();
        (parser.get()->*kind.define)();
        std::size_t expectedCount = 1;  // the help instance
        std::vector<std::string> names;
        for (const auto& row : kind.table) {
            expectedCount += 1 + row.parameterTypes.size();
            names.push_back(row.name);
            zCPar_Symbol* function = Symbol(Upper(row.name).c_str());
            ASSERT_NE(function, nullptr) << row.name;
            EXPECT_EQ(function->GetContent(), row.address) << row.name;
            EXPECT_EQ(function->GetOffset(), row.returnType) << row.name;
            EXPECT_EQ(function->GetElementCount(), static_cast<int>(row.parameterTypes.size())) << row.name;
            int p = 0;
            for (int type : row.parameterTypes) {
                zCPar_Symbol* parameter = Symbol((Upper(row.name) + ".PAR" + std::to_string(p++)).c_str());
                ASSERT_NE(parameter, nullptr) << row.name;
                EXPECT_EQ(parameter->GetType(), type) << row.name;
            }
        }
        EXPECT_EQ(static_cast<std::size_t>(Count()), expectedCount);
        EXPECT_EQ(Names(parser->GetExternalNames()), names);
    }
}

TEST_F(ExternalFunctionTest, SaveNameBaseSortsTheGameListsOnly)
{
    g_saveNameBase = 1;
    parser->DefineExternalTable2();
    const std::vector<std::string> names = Names(parser->GetExternalNames());
    ASSERT_EQ(names.size(), 317u);
    for (std::size_t i = 1; i < names.size(); ++i)
        EXPECT_LT(zCPar_ExternalTables::CompareNames(names[i - 1], names[i]), 0) << names[i - 1] << ' ' << names[i];
    // Sorted by upper-cased copies, yet in their own spelling.
    EXPECT_EQ(names.front(), "AI_AimAt");
    EXPECT_LT(std::find(names.begin(), names.end(), "AI_Snd_Play"),
              std::find(names.begin(), names.end(), "AI_Snd_Play3d"));
    EXPECT_LT(std::find(names.begin(), names.end(), "Doc_Print"),
              std::find(names.begin(), names.end(), "Doc_PrintLine"));

    parser->Reset();
    parser->DefineExternalTableMenu();
    EXPECT_EQ(Names(parser->GetExternalNames()).front(), "Update_ChoiceBox");
}

TEST_F(ExternalFunctionTest, CompareNames)
{
    const struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {{"Doc_Print", "DOC_PRINT", 0}, {"Doc_Print", "Doc_PrintLine", -1}, {"b", "A", 1},
                 {"a_b", "AB", 1},  // '_' (0x5F) after 'B'
                 {"\xE9", "Z", 1},  // bytes count unsigned
                 {"", "A", -1}};
    for (const auto& c : cases) {
        const int result = zCPar_ExternalTables::CompareNames(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << ' ' << c.b;
    }
}

TEST_F(ExternalFunctionTest, InstanceMembers)
{
    for (const char* member :
         {"C_INFO.NPC", "C_ITEM.MUNITION", "C_ITEMREACT.NPC", "C_ITEMREACT.TRADE_ITEM", "C_ITEMREACT.REQUESTED_ITEM"})
        EXPECT_TRUE(zCParser::IsInstanceMember(member)) << member;
    for (const char* other : {"", "C_INFO.NR", "C_NPC.NPC", "C_INFO", "C_INFO.NPC2"})
        EXPECT_FALSE(zCParser::IsInstanceMember(other)) << other;
}

// A second table in one job counts one error per row and adds nothing.
TEST_F(ExternalFunctionTest, SecondDefinitionIsReported)
{
    parser->SetErrorMode(zPAR_ERROR_COUNTED);
    parser->DefineExternalTable1();
    const int count = Count();
    const std::int32_t address = Symbol("INTTOSTRING")->GetContent();
    parser->DefineExternalTable1();
    EXPECT_EQ(parser->GetErrorCount(), 291);
    EXPECT_EQ(Count(), count);
    EXPECT_EQ(Symbol("INTTOSTRING")->GetContent(), address);
    EXPECT_TRUE(HasLine("Redefined internal func: IntToString"));
}

TEST_F(ExternalFunctionTest, RedefinitionIsFatalByDefault)
{
    parser->DefineExternal("Hlp_Random", 1, zPAR_TYPE_INT, {zPAR_TYPE_INT});
    EXPECT_THROW(parser->DefineExternal("HLP_RANDOM", 2, zPAR_TYPE_INT, {zPAR_TYPE_INT}), zTFatalAbort);
    EXPECT_TRUE(HasLine("Redefined internal func: HLP_RANDOM"));
    EXPECT_EQ(Symbol("HLP_RANDOM")->GetContent(), 1);
}

// With a loaded program the existing symbols stay and take this table's addresses.
TEST_F(ExternalFunctionTest, LoadedProgramKeepsItsSymbols)
{
    parser->DefineExternalTable1();
    auto* plain = new zCPar_Symbol;
    plain->name = "PLAIN_VALUE";
    plain->SetType(zPAR_TYPE_INT);
    plain->SetElementCount(1);
    ASSERT_EQ(parser->GetSymbolTable().Insert(plain), 1);
    plain->SetValue(42);
    const int count = Count();
    Symbol("INTTOSTRING")->SetContent(0);
    g_jobMode = zJOB_DECOMPILE_DAT;
    try {
        parser->Compile("Missing.dat");
    } catch (const zTFatalAbort&) {
    }
    if (!parser->IsLinked() || !Symbol("INTTOSTRING"))
        GTEST_SKIP() << "no loaded state without a .dat";

    parser->DefineExternalTable1();  // mode 1: any report would throw
    EXPECT_EQ(Count(), count);
    EXPECT_EQ(Symbol("INTTOSTRING")->GetContent(), zCPar_ExternalTables::GetFirstGame()[0].address);
    EXPECT_EQ(Symbol("INTTOSTRING")->GetElementCount(), 1);

    // A script symbol of an engine function's name keeps its value.
    parser->DefineExternal("Plain_Value", 0x456, zPAR_TYPE_INT, {});
    int value = 0;
    Symbol("PLAIN_VALUE")->GetValue(value);
    EXPECT_EQ(value, 42);

    // A new function gets its symbol, but no parameters.
    parser->DefineExternal("Extra_Func", 0x123, zPAR_TYPE_INT, {zPAR_TYPE_INT});
    ASSERT_NE(Symbol("EXTRA_FUNC"), nullptr);
    EXPECT_EQ(Symbol("EXTRA_FUNC")->GetContent(), 0x123);
    EXPECT_EQ(Symbol("EXTRA_FUNC")->GetElementCount(), 0);
    EXPECT_EQ(Symbol("EXTRA_FUNC.PAR0"), nullptr);
}

TEST_F(ExternalFunctionTest, TablesLoadTheRedefinitionLists)
{
    box.Write("System/RedefinedFunc.dsc", "INT Hlp_IsItem(INSTANCE,INT#)\nVOID Bad()\n");
    box.Write("System/RedefinedLocalVariable.dsc", "INT# OtherNpc;\n");
    zCOption options;
    zCOption::SetStartDirectory("\\");
    options.Init("", 0);
    g_options = &options;

    parser->DefineExternalTableMenu();
    EXPECT_EQ(parser->GetRedefinitions().GetFunctions().GetNum(), 1);
    ASSERT_EQ(parser->GetRedefinitions().GetVariables().GetNum(), 1);
    EXPECT_EQ(parser->GetRedefinitions().GetVariables()[0], "OTHERNPC");
    g_options = nullptr;
}

} // namespace
