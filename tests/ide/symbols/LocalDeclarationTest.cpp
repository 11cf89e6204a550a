// Names resolved against the script text above them: local variables, member accesses
// and the bodies of classes, prototypes and instances.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LocalDeclaration.h"

namespace {

const std::vector<std::string> kScript = {
    /* 0 */ "class C_Item {",
    /* 1 */ "\tvar int value;",
    /* 2 */ "};",
    /* 3 */ "prototype Npc_Default (C_NPC) {",
    /* 4 */ "\tattribute = 1;",
    /* 5 */ "};",
    /* 6 */ "instance PC_Hero(Npc_Default) {",
    /* 7 */ "\tname = \"Hero\";",
    /* 8 */ "\tother.name = name;",
    /* 9 */ "};",
    /* 10 */ "FUNC void B_Say(VAR C_NPC slf, var string text) {",
    /* 11 */ "\tvar C_Item  loot;",
    /* 12 */ "\tfunctionCount = 1; // a name that starts like a head",
    /* 13 */ "\tloot.value = slf.attribute + hero.attribute;",
    /* 14 */ "\tB_Say(slf, text);",
    /* 15 */ "};",
};

struct Result {
    int result;
    std::string name;
    int kind;
    std::string context;
    int line;
};

Result Resolve(const char* name, int line)
{
    zSTRING resolved = name;
    DeclarationContext context;
    int declarationLine = -1;
    const int result = FindLocalDeclaration([](int i) { return kScript.at(i); }, line, resolved, context,
                                            &declarationLine);
    return {result, resolved, context.kind, context.text, declarationLine};
}

}  // namespace

TEST(LocalDeclaration, ResolvesNamesByWhereTheyAreWritten)
{
    struct Case {
        const char* name;
        int line;
        Result expected;
    } cases[] = {
        // Local variables and parameters of the function, any case of "var".
        {"loot", 13, {1, "C_Item", 0, "", 11}},
        {"slf", 14, {1, "C_NPC", 0, "", 10}},
        {"text", 14, {1, "string", 0, "", 10}},
        // A member through a local object or a parameter: the member in the object's class.
        {"value", 13, {0, "value", DeclarationContext::kClass, "C_Item", -1}},
        {"attribute", 13, {0, "attribute", DeclarationContext::kClass, "C_NPC", -1}},
        // A member through an object not declared here: the object's name for the model,
        // in an instance body too.
        {"name", 8, {0, "name", DeclarationContext::kObject, "other", -1}},
        // A name in a body: its class, prototype base or instance base.
        {"value", 1, {0, "value", DeclarationContext::kClass, "C_Item", -1}},
        {"attribute", 4, {0, "attribute", DeclarationContext::kClass, "C_NPC", -1}},
        {"name", 7, {0, "name", DeclarationContext::kInstanceBase, "Npc_Default", -1}},
        // Not local: left to the model; the line starting with "function..." is no head.
        {"B_Say", 14, {0, "B_Say", 0, "", -1}},
        {"hero", 13, {0, "hero", 0, "", -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " at line " + std::to_string(c.line));
        const Result got = Resolve(c.name, c.line);
        EXPECT_EQ(got.result, c.expected.result);
        EXPECT_EQ(got.name, c.expected.name);
        EXPECT_EQ(got.kind, c.expected.kind);
        EXPECT_EQ(got.context, c.expected.context);
        EXPECT_EQ(got.line, c.expected.line);
    }
}
