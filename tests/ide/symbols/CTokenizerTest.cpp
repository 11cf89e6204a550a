// Splitting delimited texts and reading their tokens as values.
#include <gtest/gtest.h>

#include <vector>

#include "CTokenizer.h"

namespace {

std::vector<std::string> AllTokens(CTokenizer& tokenizer)
{
    std::vector<std::string> tokens;
    while (tokenizer.HasMoreTokens())
        tokens.push_back(tokenizer.GetNextToken());
    return tokens;
}

}  // namespace

TEST(CTokenizer, SplitsAtEachDelimiter)
{
    struct Case {
        const char* text;
        const char* delimiters;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"c|cc|cpp|cxx|cs|h|hh|hpp|hxx|sma|d|src", "|",
         {"c", "cc", "cpp", "cxx", "cs", "h", "hh", "hpp", "hxx", "sma", "d", "src"}},
        {"a||b", "|", {"a", "", "b"}},
        {"a;b,c", ";,", {"a", "b", "c"}},
        {"a|", "|", {"a"}},
        {"", "|", {}},
    };
    for (const Case& c : cases) {
        CTokenizer tokenizer(c.text, c.delimiters);
        EXPECT_EQ(AllTokens(tokenizer), c.tokens) << c.text;
        EXPECT_EQ(tokenizer.HasMoreTokens(), 0);
        EXPECT_EQ(tokenizer.GetNextToken(false, "end"), "end");
    }
}

TEST(CTokenizer, ReadsTypedValuesOrTheirDefaults)
{
    CTokenizer tokenizer("12|x5|-3|2.5|abc|0|7|False|TRUE|maybe", "|");
    EXPECT_EQ(tokenizer.GetInt(7), 12);
    EXPECT_EQ(tokenizer.GetInt(7), 7);
    EXPECT_EQ(tokenizer.GetLong(9), -3);
    EXPECT_FLOAT_EQ(tokenizer.GetFloat(1.f), 2.5f);
    EXPECT_DOUBLE_EQ(tokenizer.GetDouble(4.25), 4.25);
    EXPECT_EQ(tokenizer.GetBool(1), 0);
    EXPECT_EQ(tokenizer.GetBool(0), 1);
    EXPECT_EQ(tokenizer.GetBool(1), 0);
    EXPECT_EQ(tokenizer.GetBool(0), 1);
    EXPECT_EQ(tokenizer.GetBool(-1), -1);
    EXPECT_EQ(tokenizer.GetInt(5), 5);
}

TEST(CTokenizer, QuotedReads)
{
    CTokenizer tokenizer("x \"a,b\" y,\"c\",\"open end", ",");
    EXPECT_EQ(tokenizer.GetNextToken(true, "-"), "a,b");
    EXPECT_EQ(tokenizer.GetNextToken(true, "-"), "c");
    EXPECT_EQ(tokenizer.GetNextToken(true, "-"), "open end");
    EXPECT_EQ(tokenizer.HasMoreTokens(), 0);
    EXPECT_EQ(tokenizer.GetNextToken(true, "-"), "-");

    tokenizer.SetText("\"last\"");
    tokenizer.SetDelimiters(";");
    EXPECT_EQ(tokenizer.GetNextToken(true, "-"), "last");
    EXPECT_EQ(tokenizer.HasMoreTokens(), 0);
}
