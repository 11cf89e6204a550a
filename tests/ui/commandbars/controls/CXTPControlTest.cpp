// The control base on plain values: prompts and captions, icon ids, comparison, copies.
#include "CXTPControl.h"

#include <gtest/gtest.h>

#include "CXTPControlButton.h"
#include "CXTPControls.h"
#include "CXTPResourceManager.h"

namespace {

struct PromptCase {
    const char* prompt;
    const char* caption;
    const char* tooltip;
    const char* description;
};

TEST(Control, SetPromptSplitsDescriptionAndShortName)
{
    const PromptCase cases[] = {
        {"Opens a document\nOpen", "Open", "Open", "Opens a document"},
        {"Plain text", "Plain text", "Plain text", "Plain text"},
        {"\n&Customize...", "&Customize...", "&Customize...", ""},
        {"Describes\nShort\nIgnored", "Short", "Short", "Describes"},
    };
    for (const PromptCase& c : cases) {
        CXTPControlButton button;
        button.SetPrompt(c.prompt);
        EXPECT_STREQ(c.caption, button.GetCaption()) << c.prompt;
        EXPECT_STREQ(c.tooltip, button.GetTooltip()) << c.prompt;
        EXPECT_STREQ(c.description, button.GetDescription()) << c.prompt;
    }
    CXTPControlButton button;
    button.SetPrompt("Kept\nKept");
    button.SetPrompt("");
    EXPECT_STREQ("Kept", button.GetCaption()) << "an empty prompt changes nothing";
}

TEST(Control, SetCaptionTakesTheKeyTextAfterATab)
{
    CXTPControlButton button;
    button.SetCaption("&New\tCtrl+N");
    EXPECT_STREQ("&New", button.GetCaption());
    EXPECT_STREQ("Ctrl+N", button.GetAutoShortcutText());
    button.SetCaption("Renamed");
    EXPECT_STREQ("Renamed", button.GetCaption());
    EXPECT_STREQ("Ctrl+N", button.GetAutoShortcutText()) << "a caption without a tab keeps the key text";
    button.SetCustomCaption("Mine");
    EXPECT_STREQ("Mine", button.GetCaption());
}

TEST(Control, SetIdLoadsThePromptOnlyIntoAnEmptyCaption)
{
    CXTPControlButton button;
    button.SetID(62300);
    EXPECT_EQ(62300, button.GetID());
    EXPECT_STREQ("Open", button.GetCaption());
    EXPECT_STREQ("Opens a document", button.GetDescription());

    CXTPControlButton named;
    named.SetCaption("Named");
    named.SetID(62300);
    EXPECT_STREQ("Named", named.GetCaption());
    EXPECT_STREQ("", named.GetDescription());

    CXTPControlButton missing;
    missing.SetID(62349);
    EXPECT_STREQ("", missing.GetCaption()) << "a missing string leaves the texts";
}

TEST(Control, TheIconIdFallsBackToTheCommandId)
{
    struct {
        int nCustomIconId, nIconId, nId, nExpected;
    } cases[] = {{0, 0, 57600, 57600}, {0, 0, 0, 0}, {0, 120, 57600, 120}, {300, 120, 57600, 300}, {0, -1, 57600, 57600}};
    for (const auto& c : cases) {
        CXTPControlButton button;
        button.SetID(c.nId);
        button.SetIconId(c.nIconId);
        button.SetCustomIconId(c.nCustomIconId);
        EXPECT_EQ(c.nExpected, button.GetEffectiveIconId());
        if (c.nExpected == 0)
            EXPECT_EQ(nullptr, button.GetImage(16)) << "no id, no image";
    }
}

TEST(Control, CompareIgnoresNoRoomButNotUserHiding)
{
    CXTPControlButton a, b;
    for (CXTPControlButton* p : {&a, &b}) {
        p->SetID(40001);
        p->SetCaption("Same");
    }
    b.SetHideFlags(xtpHideWrap);
    EXPECT_TRUE(a.Compare(&b));
    b.SetHideFlags(xtpHideCustomize);
    EXPECT_FALSE(a.Compare(&b));
    b.SetHideFlags(0);
    b.SetIconId(40001);
    EXPECT_TRUE(a.Compare(&b)) << "the same effective icon";
    b.SetCaption("same");
    EXPECT_FALSE(a.Compare(&b)) << "captions compare case-sensitively";
}

TEST(Control, CloneCopiesStateButNotPlace)
{
    CXTPControls controls;
    CXTPControl* pButton = controls.Add(xtpControlButton, 40001);
    pButton->SetCaption("Caption\tCtrl+C");
    pButton->SetBeginGroup(TRUE);
    pButton->SetEnabled(FALSE);
    pButton->SetChecked(1);
    pButton->SetTag(77);
    pButton->SetCloseSubMenuOnClick(FALSE);
    pButton->GetDocTemplatesExcluded().SetAt(5, TRUE);
    pButton->SetRect(CRect(1, 2, 3, 4));

    CXTPControl* pClone = pButton->Clone();
    ASSERT_NE(nullptr, dynamic_cast<CXTPControlButton*>(pClone));
    EXPECT_TRUE(pClone->Compare(pButton));
    EXPECT_STREQ("Ctrl+C", pClone->GetAutoShortcutText());
    EXPECT_FALSE(pClone->GetEnabled());
    EXPECT_EQ(1, pClone->GetChecked());
    EXPECT_EQ(77u, pClone->GetTag());
    EXPECT_FALSE(pClone->GetCloseSubMenuOnClick());
    BOOL bValue = FALSE;
    EXPECT_TRUE(pClone->GetDocTemplatesExcluded().Lookup(5, bValue));
    EXPECT_TRUE(pClone->GetRect().IsRectEmpty());
    EXPECT_EQ(nullptr, pClone->GetControls());
    pClone->InternalRelease();
}

TEST(Control, TurningExpansionOffShowsItemsHiddenByCollapsing)
{
    CXTPControlButton button;
    button.SetHideFlags(xtpHideExpand | xtpHideCustomize);
    button.SetExpanded(TRUE);
    EXPECT_EQ(static_cast<DWORD>(xtpHideExpand | xtpHideCustomize), button.GetHideFlags());
    button.SetExpanded(FALSE);
    EXPECT_EQ(static_cast<DWORD>(xtpHideCustomize), button.GetHideFlags());
}

}  // namespace
