#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "JobGlobals.h"
#include "ParserTextFixture.h"

namespace {

class TokenizerTest : public ParserTextFixture {
protected:
    // Words up to the end of the text.
    std::vector<std::string> AllWords()
    {
        std::vector<std::string> words;
        for (int guard = 0; guard < 1000; ++guard) {
            zSTRING word;
            parser->ReadWord(word);
            if (word.empty())
                break;
            words.push_back(word);
        }
        return words;
    }

    std::vector<int> AllTokens()
    {
        std::vector<int> tokens;
        for (int guard = 0; guard < 1000; ++guard) {
            zSTRING peek;
            parser->ReadWord(peek);
            if (peek.empty())
                break;
            parser->PrevWord();
            tokens.push_back(parser->ReadToken());
        }
        return tokens;
    }

    std::string AllText() const
    {
        std::string all;
        for (const auto& text : Texts())
            all += text + "\n";
        return all;
    }
};

struct WordCase {
    const char* text;
    std::vector<std::string> words;
    int lastLine;  // the line once the text is read
};

TEST_F(TokenizerTest, WordsCommentsAndLines)
{
    const WordCase cases[] = {
        {"A/**/B", {"A", "B"}, 1},
        {"a // note /* not a block\nb", {"A", "B"}, 2},
        {"a /* one\ntwo */ b\n", {"A", "B"}, 3},
        {"Int iNT int", {"INT", "INT", "INT"}, 1},
        {"x+=1;", {"X", "+", "=", "1", ";"}, 1},
        {"Hero.Name = 1.5;", {"HERO.NAME", "=", "1.5", ";"}, 1},
        {"f(a,b){}[]!~?':\"", {"F", "(", "A", ",", "B", ")", "{", "}", "[", "]", "!", "~", "?", "'", ":", "\""}, 1},
        {"\tA\r\n\r\nB ", {"A", "B"}, 3},
        // The usual last line: a comment without a newline after it.
        {"x = 1; // done", {"X", "=", "1", ";"}, 1},
        {"//", {}, 1},
        {"", {}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Feed(c.text);
        EXPECT_EQ(AllWords(), c.words);
        EXPECT_EQ(parser->GetLine(), c.lastLine);
        zSTRING word = "stale";
        parser->ReadWord(word);
        EXPECT_EQ(word, "");
    }
    EXPECT_TRUE(Texts().empty());
}

struct TokenCase {
    const char* text;
    std::vector<int> tokens;
};

TEST_F(TokenizerTest, TokenCodes)
{
    const TokenCase cases[] = {
        {"x += 1", {52, 19, 51}},
        {"x %= 1", {52, 4, 9, 51}},  // no compound remainder
        {"a |= 1", {52, 5, 9, 51}},
        {"+ - * / % | & < > =", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"|| && << >> <= == != >= += -= *= /=", {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}},
        {"! ~ ( ) ; , { }", {32, 33, 40, 41, 42, 43, 44, 44}},
        {"f(1) f (2) _g #h", {92, 40, 51, 41, 92, 40, 51, 41, 52, 52}},
        {"a<b>c", {52, 7, 52, 8, 52}},
        {"- -1", {1, 1, 51}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Feed(c.text);
        EXPECT_EQ(AllTokens(), c.tokens);
    }
    EXPECT_TRUE(Texts().empty());
}

TEST_F(TokenizerTest, CallTokenKeepsNameAndPosition)
{
    Feed("Say (x)");
    EXPECT_EQ(parser->ReadToken(), 92);
    EXPECT_EQ(parser->GetCurrentWord(), "SAY");
    zSTRING word;
    parser->ReadWord(word);
    EXPECT_EQ(word, "(");
}

TEST_F(TokenizerTest, PrevWordRingHoldsSixteenWords)
{
    std::string text;
    for (int i = 1; i <= 20; ++i)
        text += "W" + std::to_string(i) + "\n";
    Feed(text);
    auto readTwenty = [&] {
        for (int i = 0; i < 20; ++i) {
            zSTRING word;
            parser->ReadWord(word);
        }
    };
    zSTRING word;

    readTwenty();
    for (int i = 0; i < 16; ++i)
        parser->PrevWord();
    EXPECT_EQ(parser->GetLine(), 5);
    parser->ReadWord(word);
    EXPECT_EQ(word, "W5");

    Feed(text);
    readTwenty();
    for (int i = 0; i < 17; ++i)
        parser->PrevWord();
    // Round the ring: back at the last word.
    EXPECT_EQ(parser->GetLine(), 20);
    parser->ReadWord(word);
    EXPECT_EQ(word, "W20");
}

TEST_F(TokenizerTest, PrevWordRestoresLineOfWordOnEarlierLine)
{
    Feed("A\n\n\nB C");
    zSTRING word;
    parser->ReadWord(word);
    parser->ReadWord(word);
    EXPECT_EQ(parser->GetLine(), 4);
    parser->PrevWord();
    parser->PrevWord();
    EXPECT_EQ(parser->GetLine(), 1);
    parser->ReadWord(word);
    EXPECT_EQ(word, "A");
}

TEST_F(TokenizerTest, StringLiteralKeepsCaseSpacesAndNewline)
{
    Feed("\"Hello,  \tWorld\" \"two\nlines\" x\ny");
    zSTRING text;
    parser->ReadString(text);
    EXPECT_EQ(text, "Hello,  \tWorld");
    zSTRING second = "pre:";
    parser->ReadString(second);
    EXPECT_EQ(second, "pre:two\nlines");
    // The newline inside the literal is a line of the file like any other.
    EXPECT_EQ(parser->GetLine(), 2);
    zSTRING word;
    parser->ReadWord(word);
    EXPECT_EQ(word, "X");
    parser->ReadWord(word);
    EXPECT_EQ(word, "Y");
    EXPECT_EQ(parser->GetLine(), 3);
}

TEST_F(TokenizerTest, OverlongWordIsCutReportedAndSkippedWhole)
{
    parser->SetErrorMode(zPAR_ERROR_COUNTED);
    const std::string longWord(250, 'a');
    Feed("\n" + longWord + " next");
    zSTRING word;
    parser->ReadWord(word);
    EXPECT_EQ(word, std::string(199, 'A'));
    parser->ReadWord(word);
    EXPECT_EQ(word, "NEXT");
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_PRED2(Contains, Texts()[0], "TEST.D(2):");
    EXPECT_PRED2(Contains, Texts()[0], "Syntax error: " + std::string(199, 'a'));
    EXPECT_FALSE(Contains(Texts()[0], std::string(200, 'a')));
}

struct ErrorCase {
    const char* name;
    const char* text;
    std::function<void(zCParser&)> read;
    const char* message;
};

TEST_F(TokenizerTest, BadInputIsFatalWithClearText)
{
    const auto token = [](zCParser& p) {
        for (int i = 0; i < 10; ++i)
            p.ReadToken();
    };
    const auto word = [](zCParser& p) {
        zSTRING w;
        for (int i = 0; i < 10; ++i)
            p.ReadWord(w);
    };
    const ErrorCase cases[] = {
        {"digits with a letter", "x = 12ab;", token, "TEST.D(1):   Error: Syntax error: 12AB"},
        {"stray character", "x $", token, "Syntax error: "},
        {"end inside an expression", "x =", token, "Unexpected end of file."},
        // An open comment or string is named at the line where it opens.
        {"open block comment", "a\n /* never\nclosed\n\n", word, "TEST.D(2):   Error: Unexpected end of file."},
        {"open string", "\n \"never\nclosed\n", [](zCParser& p) { zSTRING s; p.ReadString(s); },
         "TEST.D(2):   Error: Unexpected end of file."},
        {"fault after a string of three lines", "\"one\ntwo\nthree\" 12ab",
         [](zCParser& p) { zSTRING s; p.ReadString(s); p.ReadToken(); }, "TEST.D(3):   Error: Syntax error: 12AB"},
        {"string without quote", "x", [](zCParser& p) { zSTRING s; p.ReadString(s); }, "Expected '\"'"},
        {"match", ")", [](zCParser& p) { p.Match(";"); }, "Expected ';'"},
        {"int with letter", "1x", [](zCParser& p) { p.ReadInt(); }, "Expected an Integer-Value: 1X"},
        {"int unknown name", "nothing", [](zCParser& p) { p.ReadInt(); }, "Unknown identifier: NOTHING"},
        {"int at end", "-", [](zCParser& p) { p.ReadInt(); }, "Unexpected end of file."},
        {"float with two points", "1.2.3", [](zCParser& p) { p.ReadFloat(); }, "Syntax error: 1.2.3"},
        {"float exponent inside", "1E2", [](zCParser& p) { p.ReadFloat(); }, "Syntax error: 1E2"},
        {"float without digits", ".", [](zCParser& p) { p.ReadFloat(); }, "Syntax error: ."},
        {"type", "banana", [](zCParser& p) { p.ReadType(); }, "Syntax error: BANANA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.Clear();
        Feed(c.text);
        EXPECT_THROW(c.read(*parser), zTFatalAbort);
        ASSERT_FALSE(Texts().empty());
        EXPECT_PRED2(Contains, Texts()[0], c.message);
    }
}

TEST_F(TokenizerTest, EndOfTextIsReportedOnceInCountedMode)
{
    parser->SetErrorMode(zPAR_ERROR_COUNTED);
    Feed("x");
    EXPECT_EQ(parser->ReadToken(), 52);
    EXPECT_EQ(parser->ReadToken(), 45);
    EXPECT_EQ(parser->GetCurrentWord(), "");
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_PRED2(Contains, Texts()[0], "Unexpected end of file.");
}

TEST_F(TokenizerTest, IntegerConstants)
{
    const int limit = AddSymbol("LIMIT", zPAR_TYPE_INT, nullptr, 1, zPAR_FLAG_CONST);
    Symbol(limit)->SetValue(3);
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"17", 17},
        {"-5", -5},
        {"+ 7", 7},
        {"- limit", -3},
        {"LIMIT", 3},
        {"- 2147483648", INT_MIN},
        // Beyond 32 bits the decimal conversion wraps round.
        {"99999999999", 1215752191},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Feed(c.text);
        EXPECT_EQ(parser->ReadInt(), c.value);
    }
    EXPECT_TRUE(Texts().empty());
}

TEST_F(TokenizerTest, IntegerConstantRejectsVariable)
{
    AddSymbol("COUNTER", zPAR_TYPE_INT);
    Feed("counter");
    EXPECT_THROW(parser->ReadInt(), zTFatalAbort);
    EXPECT_PRED2(Contains, AllText(), "Expected an Integer-Value: COUNTER");
}

TEST_F(TokenizerTest, FloatConstants)
{
    const struct {
        const char* text;
        float value;
    } cases[] = {
        {"1.5", 1.5f},
        {"-2.25", -2.25f},
        {"+3.", 3.0f},
        {"42", 42.0f},
        {"1.5E-3", 0.0015f},
        {"2E 3", 2000.0f},
        {"1E 99", HUGE_VALF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Feed(c.text);
        EXPECT_FLOAT_EQ(parser->ReadFloat(), c.value);
    }
    EXPECT_TRUE(Texts().empty());
}

TEST_F(TokenizerTest, TypeNames)
{
    const int npc = AddSymbol("C_NPC", zPAR_TYPE_CLASS);
    Feed("int Float STRING func c_npc");
    EXPECT_EQ(parser->ReadType(), 2);
    EXPECT_EQ(parser->ReadType(), 1);
    EXPECT_EQ(parser->ReadType(), 3);
    EXPECT_EQ(parser->ReadType(), 5);
    EXPECT_EQ(parser->ReadType(), 7 + npc);
}

TEST_F(TokenizerTest, NameLookup)
{
    const int npc = AddSymbol("C_NPC", zPAR_TYPE_CLASS);
    const int member = AddSymbol("C_NPC.NAME", zPAR_TYPE_STRING, Symbol(npc));
    const int proto = AddSymbol("PROTO", zPAR_TYPE_PROTOTYPE, Symbol(npc));
    const int hero = AddSymbol("HERO", zPAR_TYPE_INSTANCE, Symbol(proto));
    const int bob = AddSymbol("BOB", zPAR_TYPE_INSTANCE, Symbol(npc));
    AddSymbol("LOST", zPAR_TYPE_INSTANCE);
    const int func = AddSymbol("F", zPAR_TYPE_FUNC);
    const int local = AddSymbol("F.X", zPAR_TYPE_INT);

    EXPECT_EQ(parser->FindDottedIndex("HERO.NAME"), member);
    EXPECT_EQ(parser->FindDottedIndex("BOB.NAME"), member);
    EXPECT_EQ(parser->FindDottedIndex("C_NPC.NAME"), member);
    EXPECT_EQ(parser->FindDottedIndex("PROTO.NAME"), -1);
    EXPECT_EQ(parser->FindDottedIndex("LOST.NAME"), -1);
    EXPECT_EQ(parser->FindDottedIndex("HERO.AGE"), -1);
    EXPECT_EQ(parser->FindDottedIndex("HERO"), -1);
    EXPECT_EQ(parser->FindDottedIndex(".NAME"), -1);
    EXPECT_EQ(parser->FindIndex("HERO.NAME"), member);
    // A local is found by its full name when the owner is no class.
    EXPECT_EQ(parser->FindIndex("F.X"), local);
    EXPECT_EQ(parser->FindIndex("F"), func);
    EXPECT_EQ(parser->FindIndex("hero"), -1);
    EXPECT_EQ(parser->GetIndexUpper("hero"), hero);
    EXPECT_EQ(parser->GetSymbolUpper("Bob"), Symbol(bob));
    EXPECT_EQ(parser->GetSymbolUpper("nobody"), nullptr);
}

TEST_F(TokenizerTest, SpellingsRecordedOnlyWhenNameBaseIsSaved)
{
    const int saved = g_saveNameBase;
    const char* text = "Npc_IsDead hero.Name Int var x1 ALLCAPS a Other.Name";

    g_saveNameBase = 0;
    Feed(text);
    AllWords();
    EXPECT_EQ(parser->GetNameBase().GetNum(), 0);

    g_saveNameBase = 1;
    Feed(text);
    AllWords();
    g_saveNameBase = saved;

    const zCParNameBase& base = parser->GetNameBase();
    std::vector<std::string> names;
    for (int i = 0; i < base.GetNum(); ++i)
        names.push_back(*base.GetAt(i));
    EXPECT_EQ(names, (std::vector<std::string>{"Npc_IsDead", "Name", "x1"}));
}

} // namespace
