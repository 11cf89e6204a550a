// The highlighted part of a call tip as a call's arguments are typed.
#include <gtest/gtest.h>

#include <string>

#include "CallTipHighlight.h"

TEST(CallTipHighlight, FollowsTheArgumentsByCommas)
{
    const std::string tip = "void B_Say(C_NPC slf, string text)";
    struct Case {
        const char* typed;  // from the name to the caret
        const char* highlighted;
    } cases[] = {
        {"B_Say", "B_Say"},  // before the "(": the name
        {"B_Say(", "C_NPC slf"},
        {"B_Say(self", "C_NPC slf"},
        {"B_Say(self, ", " string text"},
        {"b_say (self, f(a, b)", " string text"},  // commas of an inner call count not
        {"B_Say(self, \"x\", ", ""},                 // more arguments than parameters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::string typed = c.typed;
        const std::string name = typed.substr(0, typed.find_first_of(" ("));
        const CallTipHighlight highlight = FollowCallTip(tip, name, typed);
        EXPECT_FALSE(highlight.closed);
        ASSERT_LE(highlight.start, highlight.end);
        EXPECT_EQ(tip.substr(highlight.start, highlight.end - highlight.start), c.highlighted);
    }
    // Past the last parameter the empty range sits at the closing parenthesis.
    EXPECT_EQ(FollowCallTip(tip, "B_Say", "B_Say(a, b, c").start, int(tip.size() - 1));
}

TEST(CallTipHighlight, ClosesWithTheCall)
{
    const std::string tip = "int Int(int a)";
    EXPECT_TRUE(FollowCallTip(tip, "Int", "Int(f(x))").closed);
    EXPECT_FALSE(FollowCallTip(tip, "Int", "Int(f(x)").closed);
    EXPECT_FALSE(FollowCallTip(tip, "Int", "Int").closed);
    // The name is found at its "(", not inside the return type.
    const CallTipHighlight highlight = FollowCallTip(tip, "Int", "Int");
    EXPECT_EQ(tip.substr(highlight.start, highlight.end - highlight.start), "Int");
    EXPECT_EQ(highlight.start, 4);
    // A name the tip does not hold highlights nothing.
    const CallTipHighlight none = FollowCallTip(tip, "Other", "Other(");
    EXPECT_EQ(none.start, none.end);
}
