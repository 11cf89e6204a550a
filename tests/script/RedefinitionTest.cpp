#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SymbolFileFixture.h"
#include "zCParRedefinitions.h"

namespace {

std::vector<int> Params(const zTParRedefinedFunc& record)
{
    std::vector<int> codes;
    for (int i = 0; i < zPAR_REDEF_MAX_PARAMS && record.params[i]; ++i)
        codes.push_back(record.params[i]);
    return codes;
}

class RedefinitionTest : public SymbolFileFixture {
protected:
    // Loads from a sandbox folder; a null text leaves that file out.
    void Load(const char* functions, const char* variables)
    {
        box.MakeDir("system");
        if (functions)
            box.Write("system/RedefinedFunc.dsc", functions);
        if (variables)
            box.Write("system/RedefinedLocalVariable.dsc", variables);
        lists.LoadRedefinitions("\\system\\");
    }
    zCParRedefinitions lists;
};

TEST_F(RedefinitionTest, TypeWords)
{
    const struct {
        const char* word;
        int code;
    } cases[] = {{"void", 0}, {"Float", 1}, {"INT", 2}, {"int#", 9}, {"STRING", 3}, {"func", 5},
                 {"INSTANCE", 7}, {" INT#", -1}, {"INT ", -1}, {"", -1}, {"CLASS", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(zCParRedefinitions::GetTypeCode(c.word), c.code) << '"' << c.word << '"';
}

TEST_F(RedefinitionTest, BuiltinTable)
{
    const zCArray<zTParRedefinedFunc>& table = zCParRedefinitions::GetBuiltinTable();
    ASSERT_EQ(table.GetNum(), 31);
    EXPECT_EQ(table[0].name, "Hlp_IsItem");
    EXPECT_EQ(table[29].name, "Mdl_SetVisualBody");
    EXPECT_EQ(Params(table[29]), (std::vector<int>{7, 3, 2, 2, 3, 2, 2, 9}));
    EXPECT_EQ(table[30].name, "Hlp_GetInstanceID");
    EXPECT_EQ(table[30].returnType, 9);
}

// A record marks every function whose name holds the record's name.
TEST_F(RedefinitionTest, RedefinedParameters)
{
    const zCArray<zTParRedefinedFunc>& table = zCParRedefinitions::GetBuiltinTable();
    const struct {
        const char* function;
        int index;
        int expected;
    } cases[] = {{"HLP_ISITEM", 1, 1},           {"hlp_isitem", 1, 1},      {"HLP_ISITEM", 0, 0},
                 {"INFO_ADDCHOICE", 0, 1},       {"MDL_SETVISUALBODY", 7, 1}, {"WLD_DETECTNPCEX", 1, 1},
                 {"NPC_GETINVITEMBYSLOT", 1, 1}, {"MY_HLP_ISITEM", 1, 1},   {"HLP_ISITEM", 15, 0},
                 {"HLP_ISITEM", -1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(zCParRedefinitions::IsRedefinedParameter(c.function, c.index, table), c.expected)
            << c.function << ' ' << c.index;
}

TEST_F(RedefinitionTest, FunctionLines)
{
    Load("INT Hlp_IsItem(INSTANCE,INT#)\n"
         "INT Hlp_IsItem(INSTANCE, INT#)\n"
         "VOID Info_ClearChoices()\n"
         "int# Get_Thing(int,float,string,func,instance,int,int,int,int,int,int,int,int,int,int)\n"
         "VOID Too_Long(INT,INT,INT,INT,INT,INT,INT,INT,INT,INT,INT,INT,INT,INT,INT,INT#)\n"
         "VOID Void_Param(VOID)\n"
         "CLASS Bad_Return(INT)\n",
         "");
    const zCArray<zTParRedefinedFunc>& functions = lists.GetFunctions();
    ASSERT_EQ(functions.GetNum(), 2);
    EXPECT_EQ(functions[0].name, "Hlp_IsItem");
    EXPECT_EQ(functions[0].returnType, 2);
    EXPECT_EQ(Params(functions[0]), (std::vector<int>{7, 9}));
    EXPECT_EQ(functions[1].name, "Get_Thing");
    EXPECT_EQ(functions[1].returnType, 9);
    EXPECT_EQ(Params(functions[1]).size(), 15u);

    EXPECT_TRUE(HasLine("NBASE: Wrong type ' INT#' (line 2)"));
    EXPECT_TRUE(HasLine("NBASE: Wrong type '' (line 3)"));
    EXPECT_TRUE(HasLine("NBASE: Wrong type 'INT#' (line 5)"));
    EXPECT_TRUE(HasLine("NBASE: Wrong type 'VOID' (line 6)"));
    EXPECT_TRUE(HasLine("NBASE: Wrong type 'CLASS' (line 7)"));
    EXPECT_TRUE(HasLine("NBASE: Loading of the redefined functions..."));
    EXPECT_TRUE(HasLine("NBASE: Number of finctions: 2 loaded"));
    EXPECT_EQ(zCParRedefinitions::IsRedefinedParameter("HLP_ISITEM", 1, functions), 1);
}

TEST_F(RedefinitionTest, VariableLines)
{
    Load("", "int# OtherNpc;\nINT OtherNpc;\nINT# Victim;\n");
    const zCArray<zSTRING>& variables = lists.GetVariables();
    ASSERT_EQ(variables.GetNum(), 2);
    EXPECT_EQ(variables[0], "OTHERNPC");
    EXPECT_EQ(variables[1], "VICTIM");
    EXPECT_TRUE(HasLine("NBASE: Wrong type 'INT' (line 2)"));
    const std::vector<std::string> tail = {"NBASE: Number of variables: 2 loaded", "NBASE: Loading ok"};
    const std::vector<std::string> texts = Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(texts.end() - 2, texts.end()), tail);
}

TEST_F(RedefinitionTest, WithoutFunctionFileTheVariableFileIsNotRead)
{
    Load(nullptr, "INT# Victim;\n");
    EXPECT_EQ(lists.GetVariables().GetNum(), 0);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_NE(Texts()[0].find("RedefinedFunc.dsc' not found."), std::string::npos);
}

TEST_F(RedefinitionTest, MessagesWaitForFilterLevelFive)
{
    g_errorReporter.SetFilterLevel(4);
    Load("INT Hlp_IsItem(INSTANCE,INT#)\n", nullptr);
    ASSERT_EQ(Texts().size(), 1u);  // only the missing variable file
    EXPECT_NE(Texts()[0].find("RedefinedLocalVariable.dsc' not found."), std::string::npos);
}

} // namespace
