// The symbol table's name lookup: "OWNER.MEMBER" found without making the name,
// names that collide in their slots, rollbacks, records larger than a block.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zCPar_NameIndex.h"

namespace {

TEST(NameIndexTest, OwnerAndMemberFindWhatTheWholeNameFinds)
{
    struct Case {
        std::string owner;
        std::string member;
    };
    const Case cases[] = {
        {"C_NPC", "NAME"},
        {"A.B", "C"},           // the owner's own dot
        {"F", "X.Y"},           // a dot in the member
        {"F", ".X"},            // the member starts with one
        {"", "X"},              // no owner: ".X"
        {"OWNER", ""},          // no member: "OWNER."
        {"\xFF" "1", "\xFE"},   // bytes above 127
        {std::string("N\0L", 3), std::string("\0", 1)},
        {"A_NAME_LONGER_THAN_EIGHT", "AND_A_MEMBER_LONGER_TOO"},
    };
    zCPar_NameIndex index;
    int number = 0;
    for (const Case& c : cases)
        ASSERT_TRUE(index.Insert(c.owner + "." + c.member, number++));
    number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.owner + "|" + c.member);
        EXPECT_EQ(index.Find(c.owner, c.member), number);
        EXPECT_EQ(index.Find(c.owner + "." + c.member), number);
        EXPECT_EQ(index.Find(zCPar_NameIndex::Prefix(c.owner), c.member), number);
        ++number;
    }
    // Neighbours that share bytes are other names.
    EXPECT_EQ(index.Find("C_NPC", "NAM"), -1);
    EXPECT_EQ(index.Find("C_NP", "C.NAME"), -1);
    EXPECT_EQ(index.Find("C_NPC"), -1);
    EXPECT_EQ(index.Find(std::string("C_NPC.NAME\0", 11)), -1);
    EXPECT_EQ(index.Find("A", "B.C"), 1);  // the same bytes
}

TEST(NameIndexTest, AListedNameKeepsItsFirstNumber)
{
    zCPar_NameIndex index;
    EXPECT_TRUE(index.Insert("HERO", 7));
    EXPECT_FALSE(index.Insert("HERO", 8));
    EXPECT_EQ(index.Find("HERO"), 7);
    EXPECT_EQ(index.Size(), 1u);
}

TEST(NameIndexTest, ErasedNamesLeaveTheOthersFindable)
{
    // Enough names for long runs of taken slots; every third goes again. The members
    // of one owner start in the same few slots: their runs are longer still.
    using NameOf = std::string (*)(int);
    const NameOf namings[] = {
        [](int i) { return "NAME_" + std::to_string(i); },
        [](int i) { return "OWNER_" + std::to_string(i / 40) + ".M_" + std::to_string(i); },
    };
    for (NameOf name : namings) {
        SCOPED_TRACE(name(1));
        zCPar_NameIndex index;
        const int count = 5000;
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(index.Insert(name(i), i));
        for (int i = 0; i < count; i += 3)
            index.Erase(name(i));
        index.Erase("NOT_THERE");
        index.Erase("OWNER_1.NOT_THERE");
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(index.Find(name(i)), i % 3 == 0 ? -1 : i) << i;
        EXPECT_EQ(index.Size(), static_cast<std::size_t>(count - (count + 2) / 3));
        // The last name's bytes are given back and taken again.
        ASSERT_TRUE(index.Insert("LAST", count));
        index.Erase("LAST");
        ASSERT_TRUE(index.Insert("AFTER", count + 1));
        EXPECT_EQ(index.Find("LAST"), -1);
        EXPECT_EQ(index.Find("AFTER"), count + 1);
        EXPECT_EQ(index.Find(name(1)), 1);
    }
}

TEST(NameIndexTest, NamesLargerThanABlockAndAClearedIndex)
{
    const std::string huge(200000, 'H');
    zCPar_NameIndex index;
    ASSERT_TRUE(index.Insert("BEFORE", 0));
    ASSERT_TRUE(index.Insert(huge, 1));
    ASSERT_TRUE(index.Insert("AFTER", 2));
    EXPECT_EQ(index.Find("BEFORE"), 0);
    EXPECT_EQ(index.Find(huge), 1);
    EXPECT_EQ(index.Find(huge.substr(1)), -1);
    EXPECT_EQ(index.Find("AFTER"), 2);

    index.Clear();
    EXPECT_EQ(index.Size(), 0u);
    EXPECT_EQ(index.Find("BEFORE"), -1);
    EXPECT_EQ(index.Find(huge), -1);
    ASSERT_TRUE(index.Insert("AFTER", 5));
    EXPECT_EQ(index.Find("AFTER"), 5);
}

TEST(NameIndexTest, AnswersGivenBeforeAChangeDoNotOutliveIt)
{
    // Each name is asked for before and after it is listed, erased or cleared, short
    // ones and ones too long to be remembered alike.
    const std::string longName(80, 'L');
    zCPar_NameIndex index;
    ASSERT_TRUE(index.Insert("OTHER", 0));
    for (const std::string& name : {std::string("LATE"), longName}) {
        SCOPED_TRACE(name.size());
        EXPECT_EQ(index.Find(name), -1);
        EXPECT_EQ(index.Find("OWNER", name), -1);
        ASSERT_TRUE(index.Insert(name, 1));
        ASSERT_TRUE(index.Insert("OWNER." + name, 2));
        EXPECT_EQ(index.Find(name), 1);
        EXPECT_EQ(index.Find("OWNER", name), 2);
        index.Erase(name);
        EXPECT_EQ(index.Find(name), -1);
        EXPECT_EQ(index.Find("OWNER", name), 2);
        index.Clear();
        EXPECT_EQ(index.Find("OWNER", name), -1);
        ASSERT_TRUE(index.Insert("OTHER", 0));
    }
}

} // namespace
