// The saved layout's records: the start-up arrangement round trip, refusals, clamping.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "DockingPaneLayoutRecords.h"
#include "LayoutTextExchange.h"
#include "StartUpLayout.h"

namespace {

struct Edit {
    const char* section;
    const char* key;
    const char* value;  // null erases the key
};

LayoutTextExchange Edited(std::vector<Edit> edits)
{
    LayoutTextExchange px(kStartUp);
    for (const Edit& e : edits) {
        if (e.value)
            px.Set(e.section, e.key, e.value);
        else
            px.Erase(e.section, e.key);
    }
    return px;
}

TEST(DockingPaneLayoutRecords, StartUpArrangementLoadsAndSavesToTheSameText)
{
    LayoutTextExchange in(kStartUp);
    DockingPaneLayoutRecords records;
    std::string reason;
    ASSERT_TRUE(records.Exchange(in, &reason)) << reason;
    ASSERT_EQ(records.elements.size(), 9u);
    EXPECT_EQ(records.nTopContainer, 1);
    EXPECT_EQ(records.nClient, 7);
    EXPECT_EQ(records.At(2)->children, (std::vector<int>{3, 4}));
    EXPECT_EQ(records.At(2)->nSelected, 4);
    EXPECT_EQ(records.At(4)->nID, 200);
    EXPECT_EQ(records.At(4)->strTitle, "Solution Explorer");
    EXPECT_EQ(records.At(9)->nDockingHolder, 8);
    EXPECT_EQ(records.At(9)->nFloatingHolder, 0);
    EXPECT_EQ(records.At(9)->nMaxTrackX, 32000);
    EXPECT_EQ(records.At(3)->nIconID, -1);

    // Saved, loaded and saved again: the same text both times.
    LayoutTextExchange first;
    ASSERT_TRUE(records.Exchange(first));
    DockingPaneLayoutRecords again;
    LayoutTextExchange reload(first.Text());
    ASSERT_TRUE(again.Exchange(reload, &reason)) << reason;
    LayoutTextExchange second;
    again.Exchange(second);
    EXPECT_EQ(first.Text(), second.Text());
}

TEST(DockingPaneLayoutRecords, TitlesKeepTheirBytesThroughRepeatedSaves)
{
    for (const char* title : {"o\r\r", "a\nb", "[Pane-1]\nType=4", "back\\slash\\r", "\\", "tab\t"}) {
        LayoutTextExchange px = Edited({{"Pane-4", "Title", title}});
        std::string text;
        for (int save = 0; save < 3; ++save) {
            DockingPaneLayoutRecords records;
            std::string reason;
            ASSERT_TRUE(records.Exchange(px, &reason)) << reason;
            ASSERT_EQ(records.At(4)->strTitle, title) << "save " << save;
            LayoutTextExchange saved;
            records.Exchange(saved);
            if (save > 0) {
                EXPECT_EQ(saved.Text(), text);
            }
            text = saved.Text();
            px = LayoutTextExchange(text);
        }
    }
}

TEST(DockingPaneLayoutRecords, DamagedStructuresAreRefusedNamingTheSection)
{
    struct Case {
        const char* name;
        std::vector<Edit> edits;
        const char* section;  // where the reason points
    } cases[] = {
        {"one element", {{"Summary", "Panes", "1"}}, "Summary"},
        {"no element count", {{"Summary", "Panes", nullptr}}, "Summary"},
        {"unknown type", {{"Pane-6", "Type", "6"}}, "Pane-6"},
        {"missing type", {{"Pane-6", "Type", nullptr}}, "Pane-6"},
        {"pane id 0", {{"Pane-3", "ID", "0"}}, "Pane-3"},
        {"pane without id", {{"Pane-9", "ID", nullptr}}, "Pane-9"},
        {"splitter in a tab group", {{"Pane-2", "Pane-2", "5"}}, "Pane-2"},
        {"child names no element", {{"Pane-8", "Pane-1", "10"}}, "Pane-8"},
        {"child index 0", {{"Pane-8", "Pane-1", "0"}}, "Pane-8"},
        {"pane straight in a splitter", {{"Pane-5", "Pane-2", "9"}}, "Pane-5"},
        {"tab group in a tab group", {{"Pane-2", "Pane-2", "8"}}, "Pane-2"},
        {"pane in two groups", {{"Pane-8", "Pane-1", "3"}}, "Pane-8"},
        {"group in two splitters", {{"Pane-6", "Panes", "2"}, {"Pane-6", "Pane-2", "8"}}, "Pane-6"},
        {"splitter inside itself", {{"Pane-6", "Panes", "2"}, {"Pane-6", "Pane-2", "6"}}, "Pane-6"},
        {"negative child count", {{"Pane-5", "Panes", "-1"}}, "Pane-5"},
        {"child count beyond the layout", {{"Pane-5", "Panes", "2000000000"}}, "Pane-5"},
        {"top container a tab group", {{"Summary", "TopContainer", "2"}}, "Summary"},
        {"top container inside the tree", {{"Summary", "TopContainer", "6"}}, "Summary"},
        {"top container missing", {{"Summary", "TopContainer", nullptr}}, "Summary"},
        {"client a pane", {{"Summary", "Client", "9"}}, "Summary"},
        {"client missing", {{"Summary", "Client", nullptr}}, "Summary"},
        {"client outside the top container", {{"Pane-6", "Panes", "0"}}, "Summary"},
    };
    for (const Case& c : cases) {
        LayoutTextExchange px = Edited(c.edits);
        DockingPaneLayoutRecords records;
        std::string reason;
        EXPECT_FALSE(records.Exchange(px, &reason)) << c.name;
        EXPECT_EQ(reason.rfind(std::string(c.section) + ": ", 0), 0u) << c.name << ": " << reason;
    }
}

TEST(DockingPaneLayoutRecords, TwoContainersHoldingEachOtherAreACycle)
{
    // Elements 10 and 11 form a circle beside an intact tree: every element has one parent.
    LayoutTextExchange px = Edited({{"Summary", "Panes", "11"},
                                    {"Pane-10", "Type", "2"}, {"Pane-10", "Panes", "1"}, {"Pane-10", "Pane-1", "11"},
                                    {"Pane-11", "Type", "2"}, {"Pane-11", "Panes", "1"}, {"Pane-11", "Pane-1", "10"}});
    DockingPaneLayoutRecords records;
    std::string reason;
    EXPECT_FALSE(records.Exchange(px, &reason));
    EXPECT_NE(reason.find("inside itself"), std::string::npos) << reason;
}

TEST(DockingPaneLayoutRecords, FloatingFramesAndPanelsNeedTheirOwnKeys)
{
    // A floating frame (10) holding splitter 11 with group 12 of a closed pane's kind.
    std::vector<Edit> frame = {{"Summary", "Panes", "12"},
                               {"Pane-10", "Type", "3"}, {"Pane-10", "TopContaner", "11"},
                               {"Pane-11", "Type", "2"}, {"Pane-11", "Panes", "1"}, {"Pane-11", "Pane-1", "12"},
                               {"Pane-12", "Type", "1"}};
    struct Case {
        const char* name;
        std::vector<Edit> extra;
        bool loads;
    } cases[] = {
        {"frame with its splitter", {}, true},
        {"frame without TopContaner", {{"Pane-10", "TopContaner", nullptr}}, false},
        {"frame with the other spelling only",
         {{"Pane-10", "TopContaner", nullptr}, {"Pane-10", "TopContainer", "11"}}, false},
        {"frame holding a tab group", {{"Pane-10", "TopContaner", "12"}}, false},
        {"frame holding the docked tree", {{"Pane-10", "TopContaner", "1"}}, false},
        {"panel holding a group", {{"Pane-10", "Type", "5"}, {"Pane-10", "Direction", "3"},
                                    {"Pane-10", "Panes", "1"}, {"Pane-10", "Pane-1", "12"},
                                    {"Pane-11", "Panes", "0"}}, true},
        {"panel of no side", {{"Pane-10", "Type", "5"}, {"Pane-10", "Direction", "4"},
                               {"Pane-11", "Panes", "0"}}, false},
        {"panel holding a splitter", {{"Pane-10", "Type", "5"}, {"Pane-10", "Direction", "0"},
                                       {"Pane-10", "Panes", "1"}, {"Pane-10", "Pane-1", "11"}}, false},
    };
    for (const Case& c : cases) {
        std::vector<Edit> edits = frame;
        edits.insert(edits.end(), c.extra.begin(), c.extra.end());
        LayoutTextExchange px = Edited(edits);
        DockingPaneLayoutRecords records;
        std::string reason;
        EXPECT_EQ(records.Exchange(px, &reason), c.loads) << c.name << ": " << reason;
    }
}

TEST(DockingPaneLayoutRecords, SizesAreClampedAndHoldersMustBeTabGroups)
{
    LayoutTextExchange px = Edited({{"Pane-2", "DockingCX", "-40"},
                                    {"Pane-2", "DockingCY", "2147483647"},
                                    {"Pane-3", "MinTrackX", "-1"},
                                    {"Pane-3", "MaxTrackY", "99999"},
                                    {"Pane-3", "DockingHolder", "4"},     // a pane
                                    {"Pane-3", "FloatingHolder", "77"},   // nothing
                                    {"Pane-3", "LastHolder", "8"}});      // another group: kept
    DockingPaneLayoutRecords records;
    std::string reason;
    ASSERT_TRUE(records.Exchange(px, &reason)) << reason;
    EXPECT_EQ(records.At(2)->nDockingCX, 0);
    EXPECT_EQ(records.At(2)->nDockingCY, 32000);
    EXPECT_EQ(records.At(3)->nMinTrackX, 0);
    EXPECT_EQ(records.At(3)->nMaxTrackY, 32000);
    EXPECT_EQ(records.At(3)->nDockingHolder, 0);
    EXPECT_EQ(records.At(3)->nFloatingHolder, 0);
    EXPECT_EQ(records.At(3)->nLastHolder, 8);
}

TEST(DockingPaneLayoutRecords, ClosedPanesAndEmptiedGroupsAreRoots)
{
    // Pane 10 is closed (no parent) with emptied group 11 as its last holder.
    LayoutTextExchange px = Edited({{"Summary", "Panes", "11"},
                                    {"Pane-10", "Type", "0"}, {"Pane-10", "ID", "5"}, {"Pane-10", "LastHolder", "11"},
                                    {"Pane-11", "Type", "1"}});
    DockingPaneLayoutRecords records;
    std::string reason;
    ASSERT_TRUE(records.Exchange(px, &reason)) << reason;
    EXPECT_EQ(records.At(10)->nLastHolder, 11);
    EXPECT_TRUE(records.At(11)->children.empty());
}

}  // namespace
