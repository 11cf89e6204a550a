// The class view's root groups: which roots show, their order, images and children.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ClassViewGroups.h"
#include "zCTypedInfo.h"

namespace {

std::vector<int> RootIds(const zCTypedInfo& model)
{
    std::vector<int> ids;
    for (const auto& group : BuildClassViewGroups(model))
        ids.push_back(group.textId);
    return ids;
}

std::vector<std::string> Names(const ClassViewGroup& group)
{
    std::vector<std::string> names;
    for (const zCTypedHead* record : group.items)
        names.push_back(record->name);
    return names;
}

}  // namespace

TEST(ClassViewGroupsTest, OnlyFilledRootsShowInTheirOrder)
{
    struct Case {
        const char* text;
        std::vector<int> roots;
    };
    const Case cases[] = {
        {"", {}},
        {"var int a;", {32855}},
        {"const int c = 1; func void F() {};", {32854, 32855}},
        // Bases must be declared first; a class without members still shows its root.
        {"class C {}; instance I(C) {}; prototype P(C) {};", {32850, 32852, 32853}},
        {"instance I(C) {};", {}},
        {"class C { var int m; }; func void F() {}; instance I(C) {}; prototype P(C) {}; var int a;",
         {32850, 32852, 32853, 32854, 32855}},
    };
    for (const auto& c : cases) {
        zCTypedInfo model;
        model.ParseText(c.text, "Text.d");
        model.Finish();
        EXPECT_EQ(RootIds(model), c.roots) << c.text;
    }
}

TEST(ClassViewGroupsTest, FunctionsSplitByTheInternalFlagAndKeepTheSortedOrder)
{
    const auto data = std::filesystem::path(__FILE__).parent_path() / "data";
    zTClassViewProject project;
    project.folder = (data / "Project").string();
    project.name = "Varnok";
    project.secondGame = true;
    project.languageId = 0x07;
    project.internalFolder = (data / "Internal").string();
    project.sources = {"Classes.d", "AI\\Story.d", "Other.d"};
    zCTypedInfo model;
    model.BuildClassView(project);

    const auto groups = BuildClassViewGroups(model);
    ASSERT_GE(groups.size(), 2u);
    EXPECT_EQ(groups[0].textId, 32850);
    EXPECT_EQ(groups[1].textId, 32851);
    for (const auto& group : groups) {
        EXPECT_FALSE(group.items.empty());
        for (const zCTypedHead* record : group.items) {
            if (group.textId == 32851)
                EXPECT_TRUE(record->internal) << record->name;
            if (group.textId == 32854)
                EXPECT_FALSE(record->internal) << record->name;
        }
        // Same order as the model's arrays, which sort names ignoring case.
        auto names = Names(group);
        for (std::size_t i = 1; i < names.size(); ++i)
            EXPECT_LE(zSTRING(names[i - 1]).Upper(), zSTRING(names[i]).Upper()) << names[i];
    }

    project.internalFolder = (data / "Absent").string();
    zCTypedInfo noInternal;
    noInternal.BuildClassView(project);
    for (int id : RootIds(noInternal))
        EXPECT_NE(id, 32851);
}

TEST(ClassViewGroupsTest, ItemTextIsCutAtTheLimit)
{
    zCTypedInfo model;
    model.ParseText("var int " + std::string(300, 'x') + "; var int short;", "Text.d");
    model.Finish();
    const auto groups = BuildClassViewGroups(model);
    ASSERT_EQ(groups.size(), 1u);
    ASSERT_EQ(groups[0].items.size(), 2u);
    for (const zCTypedHead* record : groups[0].items) {
        if (record->name == "short")
            EXPECT_EQ(ClassViewItemText(*record), "var int short");
        else
            EXPECT_EQ(ClassViewItemText(*record), ("var int " + std::string(300, 'x')).substr(0, 260));
    }
}
