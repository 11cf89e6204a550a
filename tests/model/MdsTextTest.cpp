// Model-script text: quoted names, argument texts, words, quoted texts and options.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <string>

#include "MdsText.h"

namespace {

TEST(MdsText, QuotedArgumentKeepsTheFirstQuotedText)
{
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"MESHANDTREE (\"HUM_BODY.ASC\" DONT_USE_MESH)", "HUM_BODY.ASC"},
        {"T_WALK", "T_WALK"},            // no quote: as it stands
        {"\"OPEN ENDED", "OPEN ENDED"},  // one quote: what follows it
        {"\"\"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(QuotedArgument(c.text)), c.expected) << c.text;
}

TEST(MdsText, ArgumentTextLiesBetweenTheBrackets)
{
    const struct {
        const char* line;
        const char* expected;
    } cases[] = {
        {"ANI (\"T_WALK\" 1) // X", "\"T_WALK\" 1"},
        {"NO BRACKETS", "NO BRACKETS"},
        {"ANI (\"T_WALK\" 1", "\"T_WALK\" 1"},
        {"A (B) (C)", "B"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(MdsArgumentText(c.line)), c.expected) << c.line;
}

TEST(MdsText, WordsAndNumbers)
{
    const zSTRING args("\"T_WALK\"\t 1\r\"\"  0.25 12ABC");
    EXPECT_EQ(std::string(MdsWord(args, 1)), "\"T_WALK\"");
    EXPECT_EQ(std::string(MdsName(args, 1)), "T_WALK");
    EXPECT_EQ(MdsInt(args, 2), 1);
    EXPECT_EQ(std::string(MdsName(args, 3)), "");
    EXPECT_FLOAT_EQ(MdsFloat(args, 4), 0.25f);
    EXPECT_EQ(MdsInt(args, 5), 12);  // the leading number
    EXPECT_EQ(MdsInt(args, 6), 0);   // missing
    EXPECT_EQ(std::string(MdsWord(args, 6)), "");
    // Beyond their ranges numbers are held at the ends.
    const zSTRING huge("99999999999 -99999999999 1e300 -1e300");
    EXPECT_EQ(MdsInt(huge, 1), INT_MAX);
    EXPECT_EQ(MdsInt(huge, 2), INT_MIN);
    EXPECT_EQ(MdsFloat(huge, 3), FLT_MAX);
    EXPECT_EQ(MdsFloat(huge, 4), -FLT_MAX);
}

TEST(MdsText, QuotedTextsKeepTheirPlaceWhenEmpty)
{
    const zSTRING tag("\"DEF_HIT\" \"\" \"ARG2\"");
    EXPECT_EQ(std::string(MdsQuotedText(tag, 1)), "DEF_HIT");
    EXPECT_EQ(std::string(MdsQuotedText(tag, 2)), "");
    EXPECT_EQ(std::string(MdsQuotedText(tag, 3)), "ARG2");
    EXPECT_EQ(std::string(MdsQuotedText(tag, 4)), "");
    // A frame first: the quoted texts follow it.
    const zSTRING event("12 \"FX\" \"BIP01 HEAD\" ATTACH");
    EXPECT_EQ(std::string(MdsQuotedText(event, 1)), "FX");
    EXPECT_EQ(std::string(MdsQuotedText(event, 2)), "BIP01 HEAD");
}

TEST(MdsText, OptionsAreReadInTurn)
{
    // I: then H: read from one text: H: before I: is no longer found.
    const struct {
        const char* text;
        float i;
        float h;
    } cases[] = {
        {"12 T_DANCE I:0.5", 0.5f, -2.0f},
        {"12 T_DANCE HEAD I: 0.5 H:2", 0.5f, 2.0f},
        {"12 T_DANCE HEAD H:2 I:0.5", 0.5f, -2.0f},
        {"12 T_DANCE", 1.0f, -2.0f},
    };
    for (const auto& c : cases) {
        zSTRING text(c.text);
        float i = 1.0f;
        float h = -2.0f;
        ReadOptionValue(text, "I:", i);
        ReadOptionValue(text, "H:", h);
        EXPECT_FLOAT_EQ(i, c.i) << c.text;
        EXPECT_FLOAT_EQ(h, c.h) << c.text;
    }
    EXPECT_EQ(std::string(CutBeforeFirstPoint("HUM.BODY.OLD.ASC")), "HUM");
    EXPECT_EQ(std::string(CutBeforeFirstPoint("HUM")), "HUM");
}

} // namespace
