// The readers look at the word after a name (for "(" or "[") without reading it: the
// reading position and the line must be as if the word had been read and given back.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ParNames.h"
#include "ParserTextFixture.h"

namespace {

class WordLookaheadTest : public ParserTextFixture {
protected:
    // The words from the reading position on, each with the line after it.
    std::vector<std::pair<std::string, int>> Rest()
    {
        std::vector<std::pair<std::string, int>> words;
        for (int guard = 0; guard < 100; ++guard) {
            zSTRING word;
            parser->ReadWord(word);
            words.emplace_back(word, parser->GetLine());
            if (word.empty())
                break;
        }
        return words;
    }
};

TEST_F(WordLookaheadTest, NameTokensLeaveTheTextAsReadingAndGivingBackWould)
{
    const char* texts[] = {
        "f(1)",         "f\n\n(1)",          "f \r\n ( 1 )",  "a\n\n[2] = 3;",      "a\n\n= 3;",
        "a // note\n(", "a /* x\n y */ (x", "a\n/\n",        "a\n\nb c",           "a",
        "a\n\n",        "a\n//end",          "a\t\n;\n",     "a\n\nlonger_name(", "a\n\n\"text\"",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        // As the tokenizer did it before: read the next word and give it back.
        Feed(text);
        zSTRING name;
        parser->ReadWord(name);
        zSTRING next;
        parser->ReadWord(next);
        parser->PrevWord();
        const int expectedLine = parser->GetLine();
        const auto expectedRest = Rest();

        Feed(text);
        EXPECT_EQ(parser->ReadToken(), IsWord(next, "(") ? EXP_FUNC : EXP_COMPOUND);
        EXPECT_EQ(parser->GetCurrentWord(), name);
        EXPECT_EQ(parser->GetLine(), expectedLine);
        EXPECT_EQ(Rest(), expectedRest);
    }
    EXPECT_TRUE(Texts().empty());
}

TEST_F(WordLookaheadTest, NameLeavesTakeTheLineOfTheWordAfterThem)
{
    struct Case {
        const char* text;
        int leafLine;  // the line reached once the word after the name was looked at
        int index;
    };
    const Case cases[] = {
        {"a + 1;", 1, 0},
        {"a\n\n+ 1;", 3, 0},
        {"a\n\n[2]\n+ 1;", 3, 2},
        {"a // note\n\n+ 1;", 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Feed(c.text);
        int token = parser->ReadToken();
        std::unique_ptr<zCPar_TreeNode> tree(parser->ReadExpression(token, -1));
        ASSERT_TRUE(tree && tree->Left);
        EXPECT_EQ(tree->Left->Name, "A");
        EXPECT_EQ(tree->Left->line, c.leafLine);
        EXPECT_EQ(tree->Left->Value, c.index);
    }
}

TEST_F(WordLookaheadTest, AnExpectedDelimiterIsTakenAsReadingItsWordWould)
{
    // The delimiter is mostly found in the text without making a word: the position,
    // the line, the words given back by PrevWord and the errors stay as reading it did.
    const char* texts[] = {
        "a;x", "a\n\n ; x", "a\t;\n", "a // note\n;\nx", "a /* b\n c */ ;",
        "a /;", "a  x;", "a\n\n )", "a", "a  \n",
    };
    parser->SetErrorMode(zPAR_ERROR_COUNTED);
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        zSTRING first;
        Feed(text);
        parser->ReadWord(first);
        host.Clear();
        parser->Match(zSTRING(";"));  // the word read and compared
        const std::vector<std::string> expectedErrors = Texts();
        const int expectedLine = parser->GetLine();
        parser->PrevWord();
        parser->PrevWord();
        const auto expectedRest = Rest();

        Feed(text);
        parser->ReadWord(first);
        host.Clear();
        parser->Match(';');
        EXPECT_EQ(Texts(), expectedErrors);
        EXPECT_EQ(parser->GetLine(), expectedLine);
        parser->PrevWord();
        parser->PrevWord();
        EXPECT_EQ(Rest(), expectedRest);
    }
}

} // namespace
