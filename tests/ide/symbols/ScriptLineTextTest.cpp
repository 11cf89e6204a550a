// Word operations on a line of script text.
#include <gtest/gtest.h>

#include <string>

#include "ScriptLineText.h"

TEST(ScriptLineText, WholeAndLeadingWords)
{
    struct Case {
        const char* text;
        const char* word;
        int whole;    // FindWholeWord
        int leading;  // FindLeadingWord
    } cases[] = {
        {"var C_NPC slf;", "slf", 10, -1},
        {"slfx = slf;", "slf", 7, -1},     // the first whole occurrence, not the first substring
        {"my_slf + slf2", "slf", -1, -1},  // "_" and digits belong to identifiers
        {"\tfunc void f()", "func", 1, 1},
        {"  (func", "func", 3, 3},
        {"functions = 1;", "func", -1, -1},  // a longer name does not lead with the word
        {"x = func;", "func", 4, -1},
        {"", "func", -1, -1},
        {"func", "", -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.word);
        EXPECT_EQ(FindWholeWord(c.text, c.word), c.whole);
        EXPECT_EQ(FindLeadingWord(c.text, c.word), c.leading);
    }
}

TEST(ScriptLineText, WordsBeforeAndAfterAPosition)
{
    const std::string text = "\tvar C_NPC  slf; x";
    int pos = 12;  // at "slf"
    EXPECT_EQ(WordBefore(text, pos), "C_NPC");
    EXPECT_EQ(pos, 5);
    EXPECT_EQ(WordBefore(text, pos), "var");
    EXPECT_EQ(WordBefore(text, pos), "");
    EXPECT_EQ(pos, 0);
    pos = 99;  // past the end counts from the end
    EXPECT_EQ(WordBefore(text, pos), "x");

    pos = 4;
    EXPECT_EQ(WordAfter(text, pos), "C_NPC");
    EXPECT_EQ(WordAfter(text, pos), "slf");
    EXPECT_EQ(WordAfter(text, pos), "x");
    EXPECT_EQ(WordAfter(text, pos), "");
}

TEST(ScriptLineText, TextBetweenParentheses)
{
    struct Case {
        const char* text;
        const char* between;
    } cases[] = {
        {"instance PC_Hero(C_NPC)", "C_NPC"},
        {"prototype Npc_Default ( C_NPC ) // base", "C_NPC"},
        {"instance A, B(Npc_Default", "Npc_Default"},  // not closed
        {"instance X()", ""},
        {"instance X() { f(y); };", ""},  // nothing of the body
        {"instance X", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextBetweenParentheses(c.text), c.between);
    }
}
