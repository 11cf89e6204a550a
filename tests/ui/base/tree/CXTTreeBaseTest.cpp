// The tree extension: traversal over collapsed branches, the find rule and search, stored appearance, painting.
#include <map>
#include <string>

#include "CDC.h"
#include "TreeFixture.h"

namespace {

class TreeBase : public TreeFixture {
protected:
    // Project                      Other
    //   alpha (collapsed)            delta
    //     alpha_one
    //     x ab.y
    //   beta
    //     cab_x
    //   gamma
    void Fill()
    {
        MakeTree(TVS_EDITLABELS);
        h["Project"] = tree.InsertItem("Project");
        h["alpha"] = tree.InsertItem("alpha", h["Project"]);
        h["alpha_one"] = tree.InsertItem("alpha_one", h["alpha"]);
        h["x ab.y"] = tree.InsertItem("x ab.y", h["alpha"]);
        h["beta"] = tree.InsertItem("beta", h["Project"]);
        h["cab_x"] = tree.InsertItem("cab_x", h["beta"]);
        h["gamma"] = tree.InsertItem("gamma", h["Project"]);
        h["Other"] = tree.InsertItem("Other");
        h["delta"] = tree.InsertItem("delta", h["Other"]);
        tree.Expand(h["Project"], TVE_EXPAND);
        tree.Expand(h["beta"], TVE_EXPAND);
        tree.Expand(h["Other"], TVE_EXPAND);
    }

    std::map<std::string, HTREEITEM> h;
};

TEST_F(TreeBase, TraversalWalksCollapsedBranchesBothWays)
{
    Fill();
    const char* order[] = {"Project", "alpha", "alpha_one", "x ab.y", "beta", "cab_x", "gamma", "Other", "delta"};
    std::string forward, backward;
    for (HTREEITEM i = tree.GetRootItem(); i; i = base().GetNextItem(i))
        forward += Name(i) + "/";
    for (HTREEITEM i = base().GetLastItem(nullptr); i; i = base().GetPrevItem(i))
        backward = Name(i) + "/" + backward;
    std::string expected;
    for (const char* name : order)
        expected += std::string(name) + "/";
    EXPECT_EQ(forward, expected);
    EXPECT_EQ(backward, expected);
    EXPECT_EQ(base().GetLastItem(h["alpha"]), h["x ab.y"]);
    EXPECT_EQ(base().GetLastItem(h["gamma"]), h["gamma"]);
}

TEST(TreeFindRule, WholeWordsCaseAndEmptyText)
{
    struct Row {
        const char* label;
        const char* text;
        BOOL caseSensitive;
        BOOL wholeWord;
        BOOL match;
    } rows[] = {
        {"cab_x", "ab", FALSE, TRUE, FALSE},   // letters and "_" around it
        {"x ab.y", "ab", FALSE, TRUE, TRUE},   // punctuation and blanks end words
        {"ab1", "ab", FALSE, TRUE, TRUE},      // digits are not word characters
        {"_ab", "ab", FALSE, TRUE, FALSE},
        {"abab", "ab", FALSE, TRUE, FALSE},    // the later "ab" has "b" before it
        {"abab ab", "ab", FALSE, TRUE, TRUE},  // a later occurrence may still stand alone
        {"\xE9" "ab", "ab", FALSE, TRUE, FALSE},  // an accented letter of the code page
        {"cab_x", "ab", FALSE, FALSE, TRUE},
        {"Alpha", "ALP", FALSE, FALSE, TRUE},
        {"Alpha", "ALP", TRUE, FALSE, FALSE},
        {"Alpha", "Alp", TRUE, TRUE, FALSE},
        {"Alpha", "", FALSE, FALSE, FALSE},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CXTTreeBase::IsFindMatch(row.label, row.text, row.caseSensitive, row.wholeWord), row.match)
            << row.label << " / " << row.text;
}

TEST_F(TreeBase, FindSearchesBothWaysWrapsAndStops)
{
    Fill();
    struct Row {
        const char* text;
        BOOL caseSensitive;
        BOOL down;
        BOOL whole;
        const char* start;
        const char* found;
    } rows[] = {
        {"ab", FALSE, TRUE, TRUE, "Project", "x ab.y"},
        {"ab", FALSE, TRUE, FALSE, "beta", "cab_x"},
        {"ab", FALSE, TRUE, TRUE, "beta", "x ab.y"},        // past the end, on from the top
        {"a", FALSE, FALSE, FALSE, "Project", "delta"},     // upward from the top: the deepest last item
        {"ALPHA", FALSE, FALSE, FALSE, "beta", "alpha_one"}, // upward: the nearest above
        {"ALPHA", TRUE, TRUE, FALSE, "beta", "-"},
        {"gamma", FALSE, TRUE, FALSE, "gamma", "gamma"},     // the start item is tested first
        {"zzz", FALSE, TRUE, FALSE, "beta", "-"},
        {"", FALSE, TRUE, FALSE, "beta", "-"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Name(base().FindItem(row.text, row.caseSensitive, row.down, row.whole, h[row.start])), row.found)
            << row.text << " from " << row.start;

    // Without a start item the search begins at the caret.
    base().SelectItem(h["gamma"]);
    EXPECT_EQ(Name(base().FindItem("a")), "gamma");
    EXPECT_EQ(Name(base().FindInChildren("a", FALSE, FALSE, h["Project"])), "alpha_one");
    EXPECT_EQ(Name(base().FindInChildren("ab", FALSE, TRUE, h["Project"])), "x ab.y");
    EXPECT_EQ(base().FindInChildren("a", FALSE, FALSE, h["gamma"]), nullptr);

    // A start item that is gone ends the search after one round instead of circling for ever.
    HTREEITEM gone = tree.InsertItem("gone", h["gamma"]);
    tree.DeleteItem(gone);
    for (BOOL down : {TRUE, FALSE})
        EXPECT_EQ(base().FindItem("zzz", FALSE, down, FALSE, gone), nullptr);
    EXPECT_EQ(Name(base().FindItem("delta", FALSE, TRUE, FALSE, gone)), "delta");
}

TEST_F(TreeBase, StoredFontsAndColoursLiveUntilTheItemGoes)
{
    Fill();
    LOGFONTA font = {};
    EXPECT_FALSE(base().GetItemFont(h["beta"], &font));
    EXPECT_EQ(base().GetItemColor(h["beta"]), 0xFFFFFFFFu);
    base().SetItemColor(h["beta"], RGB(200, 0, 0));
    EXPECT_FALSE(base().GetItemFont(h["beta"], &font));  // a colour record has no face
    strcpy(font.lfFaceName, "Courier New");
    font.lfHeight = -20;
    base().SetItemFont(h["beta"], font);
    EXPECT_EQ(base().GetItemColor(h["beta"]), RGB(200, 0, 0));
    LOGFONTA back = {};
    ASSERT_TRUE(base().GetItemFont(h["beta"], &back));
    EXPECT_STREQ(back.lfFaceName, "Courier New");
    base().SetItemBold(h["gamma"], TRUE);
    EXPECT_TRUE(base().GetItemBold(h["gamma"]));
    EXPECT_FALSE(base().GetItemBold(h["beta"]));

    tree.DeleteItem(h["beta"]);
    EXPECT_TRUE(base().m_mapItemData.empty());
}

// Paints the tree into a bitmap and reads pixels of it.
class Canvas {
public:
    explicit Canvas(CXTTreeBase& base, CWnd& tree)
    {
        CRect client;
        tree.GetClientRect(&client);
        HDC screen = ::GetDC(nullptr);
        dc.Attach(::CreateCompatibleDC(screen));
        bitmap = ::CreateCompatibleBitmap(screen, client.Width(), client.Height());
        ::ReleaseDC(nullptr, screen);
        old = ::SelectObject(dc, bitmap);
        base.DoPaint(dc, TRUE);
    }
    ~Canvas()
    {
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc.Detach());
    }
    COLORREF At(int x, int y) const { return ::GetPixel(dc, x, y); }
    // Whether any pixel of the rectangle has the colour.
    bool Holds(const CRect& rect, COLORREF color) const
    {
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                if (At(x, y) == color)
                    return true;
        return false;
    }

private:
    CDC dc;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};

TEST_F(TreeBase, PaintsSelectionStoredColourAndTheEditedItem)
{
    Fill();
    base().SelectItem(h["beta"]);
    base().SetItemState(h["gamma"], TVIS_SELECTED, TVIS_SELECTED);
    base().SetItemColor(h["cab_x"], RGB(255, 0, 0));
    base().SetItemColor(h["gamma"], RGB(255, 0, 0));  // selected: the selection colours win
    CRect gamma, cab, delta;
    tree.GetItemRect(h["gamma"], &gamma, TRUE);
    tree.GetItemRect(h["cab_x"], &cab, TRUE);
    tree.GetItemRect(h["delta"], &delta, TRUE);

    struct Row {
        bool focused;
        DWORD showSelAlways;
        int back;  // system colour of a selected label's background
    } rows[] = {{true, 0, COLOR_HIGHLIGHT}, {false, TVS_SHOWSELALWAYS, COLOR_BTNFACE}, {false, 0, COLOR_WINDOW}};
    for (const Row& row : rows) {
        tree.ModifyStyle(TVS_SHOWSELALWAYS, row.showSelAlways);
        (row.focused ? static_cast<CWnd&>(tree) : static_cast<CWnd&>(parent)).SetFocus();
        ASSERT_EQ(CWnd::GetFocus() == &tree, row.focused);
        Canvas canvas(base(), tree);
        EXPECT_EQ(canvas.At(gamma.right - 2, gamma.top + 2), ::GetSysColor(row.back)) << row.back;
        EXPECT_EQ(canvas.Holds(gamma, RGB(255, 0, 0)), row.back == COLOR_WINDOW);
        EXPECT_TRUE(canvas.Holds(cab, RGB(255, 0, 0)));
        EXPECT_TRUE(canvas.Holds(delta, ::GetSysColor(COLOR_WINDOWTEXT)));
    }

    // The edited item shows only the background: the edit control carries its text.
    tree.SetFocus();
    ASSERT_NE(tree.EditLabel(h["delta"]), nullptr);
    EXPECT_EQ(base().m_hEditItem, h["delta"]);
    {
        Canvas canvas(base(), tree);
        EXPECT_FALSE(canvas.Holds(delta, ::GetSysColor(COLOR_WINDOWTEXT)));
        EXPECT_EQ(canvas.At(delta.left + 2, delta.top + 2), ::GetSysColor(COLOR_WINDOW));
    }
    tree.SendMessage(TVM_ENDEDITLABELNOW, TRUE);
    EXPECT_EQ(base().m_hEditItem, nullptr);
}

TEST_F(TreeBase, ReturnTogglesTheCaretAndKeysOfTheLabelEditorGoStraightToIt)
{
    Fill();
    base().SelectItem(h["alpha"]);
    MSG msg = {tree.m_hWnd, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    EXPECT_FALSE(tree.PreTranslateMessage(&msg));
    EXPECT_TRUE(tree.GetItemState(h["alpha"], TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_FALSE(tree.PreTranslateMessage(&msg));
    EXPECT_FALSE(tree.GetItemState(h["alpha"], TVIS_EXPANDED) & TVIS_EXPANDED);

    tree.SetFocus();
    CEdit* edit = tree.EditLabel(h["gamma"]);
    ASSERT_NE(edit, nullptr);
    msg = {edit->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    EXPECT_TRUE(tree.PreTranslateMessage(&msg));  // Esc reached the editor, which ended the edit
    EXPECT_EQ(tree.GetEditControl(), nullptr);
    EXPECT_EQ(base().m_hEditItem, nullptr);
    EXPECT_FALSE(tree.GetItemState(h["alpha"], TVIS_EXPANDED) & TVIS_EXPANDED);
}

TEST_F(TreeBase, HotTrackingMarksTheItemUnderThePointer)
{
    MakeTree(TVS_TRACKSELECT);
    HTREEITEM first = tree.InsertItem("first");
    tree.InsertItem("second");
    CPoint on = LabelPoint(first);
    tree.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(on.x, on.y));
    EXPECT_EQ(base().GetHotItem(), first);
    tree.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(on.x, 300));
    EXPECT_EQ(base().GetHotItem(), nullptr);
}

}  // namespace
