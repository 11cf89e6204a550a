// The framework's string: operations by table, formatting, buffers, resources.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "CString.h"
#include "AfxResource.h"

#ifdef _WIN32
#include <windows.h>  // after the class: LoadString calls become LoadStringA and must still work
#endif

namespace {

struct TextCase {
    const char* name;
    std::function<CString()> run;
    const char* expected;
};

CString Trimmed(const char* text, const std::function<void(CString&)>& trim)
{
    CString s(text);
    trim(s);
    return s;
}

TEST(CStringOps, TextResults)
{
    const TextCase cases[] = {
        {"Mid", [] { return CString("abcdef").Mid(2); }, "cdef"},
        {"Mid count", [] { return CString("abcdef").Mid(1, 3); }, "bcd"},
        {"Mid clamps", [] { return CString("abc").Mid(-2, 10); }, "abc"},
        {"Mid past end", [] { return CString("abc").Mid(5, 1); }, ""},
        {"Left", [] { return CString("abcdef").Left(2); }, "ab"},
        {"Left too many", [] { return CString("ab").Left(9); }, "ab"},
        {"Left negative", [] { return CString("ab").Left(-1); }, ""},
        {"Right", [] { return CString("abcdef").Right(2); }, "ef"},
        {"Right too many", [] { return CString("ab").Right(9); }, "ab"},
        {"Upper ASCII", [] { return CString("aZ_9q").MakeUpper(); }, "AZ_9Q"},
        {"Lower ASCII", [] { return CString("aZ_9Q").MakeLower(); }, "az_9q"},
        {"Trim", [] { return Trimmed(" \t a b \r\n", [](CString& s) { s.Trim(); }); }, "a b"},
        {"Trim all blank", [] { return Trimmed("  \t ", [](CString& s) { s.Trim(); }); }, ""},
        {"TrimLeft", [] { return Trimmed("  a ", [](CString& s) { s.TrimLeft(); }); }, "a "},
        {"TrimRight", [] { return Trimmed("  a ", [](CString& s) { s.TrimRight(); }); }, "  a"},
        {"TrimLeft char", [] { return Trimmed("xxaxx", [](CString& s) { s.TrimLeft('x'); }); }, "axx"},
        {"TrimRight set", [] { return Trimmed("a;,;", [](CString& s) { s.TrimRight(";,"); }); }, "a"},
        {"Trim set", [] { return Trimmed("\"q\"", [](CString& s) { s.Trim('"'); }); }, "q"},
        {"concat", [] { return CString("a") + "b" + CString("c") + 'd'; }, "abcd"},
        {"concat left", [] { return "x" + CString("y"); }, "xy"},
        {"concat char left", [] { return 'x' + CString("y"); }, "xy"},
        {"append self", [] { CString s("ab"); s += s; return s; }, "abab"},
        {"assign own tail", [] { CString s("abc"); s = static_cast<const char*>(s) + 1; return s; }, "bc"},
        {"null is empty", [] { return CString(static_cast<const char*>(nullptr)); }, ""},
        {"repeat", [] { return CString('-', 3); }, "---"},
        {"counted", [] { return CString("abcdef", 2); }, "ab"},
    };
    for (const TextCase& c : cases)
        EXPECT_STREQ(c.run(), c.expected) << c.name;
}

TEST(CStringOps, FindsAndCompares)
{
    const CString s("a.b.c");
    const struct {
        const char* name;
        int actual;
        int expected;
    } cases[] = {
        {"Find char", s.Find('.'), 1},
        {"Find char from", s.Find('.', 2), 3},
        {"Find char missing", s.Find('x'), -1},
        {"Find char past end", s.Find('a', 9), -1},
        {"Find text", s.Find("b.c"), 2},
        {"Find text from", s.Find("a", 1), -1},
        {"Find empty", s.Find(""), 0},
        {"ReverseFind", s.ReverseFind('.'), 3},
        {"ReverseFind missing", s.ReverseFind('x'), -1},
        {"FindOneOf", s.FindOneOf("cb"), 2},
        {"FindOneOf none", s.FindOneOf("xyz"), -1},
        {"Compare equal", CString("abc").Compare("abc"), 0},
        {"Compare less", CString("abc").Compare("abd"), -1},
        {"Compare prefix", CString("abc").Compare("ab"), 1},
        {"Compare bytes unsigned", CString("\xE4").Compare("z"), 1},
        {"Compare case", CString("B").Compare("a"), -1},
        {"NoCase equal", CString("HeLLo").CompareNoCase("hello"), 0},
        {"NoCase order", CString("B").CompareNoCase("a"), 1},
        {"NoCase folds to lower", CString("_").CompareNoCase("A"), -1},
        {"GetLength", CString("abc").GetLength(), 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.name;

    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_TRUE(CString("a") == "a");
    EXPECT_TRUE("a" != CString("b"));
    EXPECT_EQ(s[2], 'b');
    EXPECT_THROW(s[5], std::out_of_range);
    EXPECT_THROW(s[-1], std::out_of_range);
}

TEST(CStringOps, Replaces)
{
    CString s("a--b--c");
    EXPECT_EQ(s.Replace("--", "+"), 2);
    EXPECT_STREQ(s, "a+b+c");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace('+', '/'), 2);
    EXPECT_STREQ(s, "a/b/c");
    CString grow("aa");
    EXPECT_EQ(grow.Replace("a", "aa"), 2);  // the replacement is not searched again
    EXPECT_STREQ(grow, "aaaa");
}

TEST(CStringFormat, SizesTheBufferForLongTexts)
{
    CString s;
    s.Format("%d-%s-%c", 42, "x", 'y');
    EXPECT_STREQ(s, "42-x-y");
    const std::string longText(5000, 'q');
    s.Format("<%s>", longText.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    EXPECT_EQ(s.Right(2), CString("q>"));
    s = "ab";
    s.Format("%s%s", static_cast<const char*>(s), static_cast<const char*>(s));  // its own text
    EXPECT_STREQ(s, "abab");
}

TEST(CStringBuffer, WritesThroughGetBuffer)
{
    CString s("ab");
    char* buffer = s.GetBuffer(10);
    std::strcpy(buffer, "hello");
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "hello");
    EXPECT_EQ(s.GetLength(), 5);
    s.GetBuffer(0)[0] = 'j';
    s.ReleaseBuffer(3);
    EXPECT_STREQ(s, "jel");
    EXPECT_THROW(s.ReleaseBuffer(4), std::out_of_range);
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringResources, LoadsByInterfaceLanguage)
{
    CString s;
    EXPECT_TRUE(s.LoadString(33198));
    EXPECT_STREQ(s, "Error: ");
    AfxSetThreadResourceLanguage(1031);
    EXPECT_TRUE(s.LoadString(33198));
    AfxSetThreadResourceLanguage(0);
    EXPECT_STREQ(s, "Fehler: ");
    EXPECT_FALSE(s.LoadString(1));
    EXPECT_TRUE(s.IsEmpty());
}

#ifdef _WIN32
TEST(CStringCase, FoldsLettersOfTheCodePage)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page is " << GetACP();
    CString s("\xE4x\xC9");
    EXPECT_STREQ(s.MakeUpper(), "\xC4X\xC9");
    EXPECT_STREQ(s.MakeLower(), "\xE4x\xE9");
}
#endif

TEST(CStringExtract, SplitsFields)
{
    const struct {
        const char* full;
        int index;
        char separator;
        bool found;
        const char* field;
    } cases[] = {
        {"File\nOpen\nClose", 0, '\n', true, "File"},
        {"File\nOpen\nClose", 2, '\n', true, "Close"},
        {"File\nOpen\nClose", 3, '\n', false, ""},
        {"a,,b", 1, ',', true, ""},
        {"", 0, ',', true, ""},
        {"a", -1, ',', false, ""},
        {nullptr, 0, ',', false, ""},
    };
    for (const auto& c : cases) {
        CString field("stale");
        EXPECT_EQ(AfxExtractSubString(field, c.full, c.index, c.separator), c.found) << c.index;
        EXPECT_STREQ(field, c.field) << c.index;
    }
}

TEST(CStringTokenize, WalksTokensUntilMinusOne)
{
    // Each step: the token returned and start after the call.
    struct Step {
        const char* token;
        int start;
    };
    const struct {
        const char* text;
        const char* tokens;
        int start;
        std::vector<Step> steps;
    } cases[] = {
        {"a b", " ", 0, {{"a", 2}, {"b", 3}, {"", -1}}},
        {"  ab,,cd; ", " ,;", 0, {{"ab", 5}, {"cd", 9}, {"", -1}}},
        {"ab,cd", ",", 1, {{"b", 3}, {"cd", 5}, {"", -1}}},
        {",,,", ",", 0, {{"", -1}}},
        {"", ",", 0, {{"", -1}}},
        {"abc", ",", -1, {{"", -1}}},
        {"abc", ",", 3, {{"", -1}}},
        {"abc", ",", 9, {{"", -1}}},
        // Without delimiters the rest is one token.
        {"ab cd", "", 1, {{"b cd", 5}, {"", -1}}},
        {"ab cd", nullptr, 0, {{"ab cd", 5}, {"", -1}}},
        {"ab", nullptr, 2, {{"", -1}}},
    };
    for (const auto& c : cases) {
        const CString text(c.text);
        int start = c.start;
        for (const Step& step : c.steps) {
            const CString token = text.Tokenize(c.tokens, start);
            EXPECT_STREQ(token, step.token) << c.text << " from " << c.start;
            EXPECT_EQ(start, step.start) << c.text << " from " << c.start;
        }
    }
}

TEST(CStringTokenize, KeepsEmbeddedZeroInTokens)
{
    const CString text("a\0b c", 5);
    int start = 0;
    const CString token = text.Tokenize(" ", start);
    EXPECT_EQ(token.GetLength(), 3);
    EXPECT_EQ(start, 4);
}

} // namespace
