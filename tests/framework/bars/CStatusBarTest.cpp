// Status bars: indicators from their strings, pane information and text, pane rectangles, the
// bottom edge in the parent's layout, showing and hiding, and the panes' update at idle time.
#include <gtest/gtest.h>

#include "ChildRect.h"
#include "AfxResource.h"
#include "CFrameWnd.h"
#include "CStatusBar.h"

namespace {

enum : UINT {
    ID_POSITION = 2000,  // "Line 9999, Col 999"
    ID_INSERT = 2001,    // "INS"
    ID_NUMBER = 2002,    // "NUM"
    ID_NO_STRING = 2003,
};
const UINT kIndicators[] = {ID_SEPARATOR, ID_POSITION, ID_INSERT, ID_NUMBER};

// A plain parent that lays its bars out on every size change, and handles the updates of two panes.
class BarHost : public CWnd {
public:
    CWnd client;
    CString positionText = "Line 1, Col 1";
    int updates = 0;

    void OnSize(UINT, int, int) { RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST); }
    void OnUpdatePosition(CCmdUI* ui)
    {
        ++updates;
        ui->SetText(positionText);
    }
    void OnUpdateInsert(CCmdUI* ui)
    {
        ui->Enable(FALSE);
        ui->SetCheck(1);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BarHost, CWnd)
    ON_WM_SIZE()
    ON_UPDATE_COMMAND_UI(ID_POSITION, OnUpdatePosition)
    ON_UPDATE_COMMAND_UI(ID_INSERT, OnUpdateInsert)
END_MESSAGE_MAP()

// What the status control itself shows in a pane.
CString ShownText(const CStatusBar& bar, int index)
{
    char text[256] = "";
    bar.SendMessage(SB_GETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A popup without borders: the client area is the window, 400 x 300. Shown without
        // being activated: Wine takes seconds to hide an active window.
        ASSERT_TRUE(host.CreateEx(0, CWnd::DefaultClassName(), "Bars", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
        host.ShowWindow(SW_SHOWNA);
        ASSERT_TRUE(host.client.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &host,
                                       AFX_IDW_PANE_FIRST));
        ASSERT_TRUE(bar.Create(&host));
        ASSERT_TRUE(bar.SetIndicators(kIndicators, 4));
    }
    void TearDown() override
    {
        host.DestroyWindow();
        CWnd::DeleteTempMap();
    }
    void Layout() { host.OnSize(SIZE_RESTORED, 0, 0); }

    BarHost host;
    CStatusBar bar;
};

TEST_F(StatusBarTest, IndicatorsTakeTheirStringsAndTextWidths)
{
    ASSERT_EQ(bar.GetCount(), 4);
    const struct {
        UINT id;
        int index;
        const char* text;
    } panes[] = {
        {ID_SEPARATOR, 0, ""}, {ID_POSITION, 1, "Line 9999, Col 999"}, {ID_INSERT, 2, "INS"}, {ID_NUMBER, 3, "NUM"},
        {ID_NO_STRING, -1, ""},
    };
    for (const auto& pane : panes) {
        SCOPED_TRACE(pane.id);
        EXPECT_EQ(bar.CommandToIndex(pane.id), pane.index);
        EXPECT_STREQ(bar.GetPaneText(pane.index), pane.text);
        if (pane.index >= 0) {
            EXPECT_EQ(bar.GetItemID(pane.index), pane.id);
        }
    }
    EXPECT_EQ(bar.GetItemID(4), 0u);
    EXPECT_EQ(bar.GetItemID(-1), 0u);

    UINT id, style;
    int separatorWidth, positionWidth, insertWidth;
    bar.GetPaneInfo(0, id, style, separatorWidth);
    EXPECT_EQ(style, static_cast<UINT>(SBPS_NOBORDERS | SBPS_STRETCH));
    EXPECT_EQ(separatorWidth, 0);
    bar.GetPaneInfo(1, id, style, positionWidth);
    EXPECT_EQ(style, static_cast<UINT>(SBPS_NORMAL));
    bar.GetPaneInfo(2, id, style, insertWidth);
    EXPECT_GT(insertWidth, 0);
    EXPECT_GT(positionWidth, 3 * insertWidth);  // measured in the bar's font
    EXPECT_STREQ(ShownText(bar, 1), "Line 9999, Col 999");

    // An id without a string, a bad count or no array: refused, the panes stay.
    const UINT missing[] = {ID_SEPARATOR, ID_NO_STRING};
    EXPECT_FALSE(bar.SetIndicators(missing, 2));
    EXPECT_FALSE(bar.SetIndicators(kIndicators, -1));
    EXPECT_FALSE(bar.SetIndicators(nullptr, 2));
    EXPECT_EQ(bar.GetCount(), 4);
    EXPECT_EQ(bar.CommandToIndex(ID_NUMBER), 3);
    EXPECT_TRUE(bar.SetIndicators(nullptr, 0));
    EXPECT_EQ(bar.GetCount(), 0);
}

TEST_F(StatusBarTest, KeyIndicatorsSpeakTheInterfaceLanguage)
{
    const UINT keys[] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL, ID_INDICATOR_OVR};
    const struct {
        WORD language;
        const char* texts[4];
    } cases[] = {
        {1033, {"CAP", "NUM", "SCRL", "OVR"}},
        {1031, {"UF", "NUM", "RF", "\xDC" "B"}},
    };
    for (const auto& c : cases) {
        AfxSetResourceLanguage(c.language);
        ASSERT_TRUE(bar.SetIndicators(keys, 4)) << c.language;
        for (int i = 0; i < 4; ++i)
            EXPECT_STREQ(bar.GetPaneText(i), c.texts[i]) << c.language;
    }
    AfxSetResourceLanguage(1033);
}

TEST_F(StatusBarTest, PaneInfoAndTextAndTheFirstPaneAsWindowText)
{
    bar.SetPaneInfo(2, ID_INSERT, SBPS_POPOUT, 77);
    UINT id, style;
    int width;
    bar.GetPaneInfo(2, id, style, width);
    EXPECT_EQ(id, static_cast<UINT>(ID_INSERT));
    EXPECT_EQ(style, static_cast<UINT>(SBPS_POPOUT));
    EXPECT_EQ(width, 77);

    EXPECT_TRUE(bar.SetPaneText(1, "Line 3, Col 4"));
    EXPECT_STREQ(bar.GetPaneText(1), "Line 3, Col 4");
    EXPECT_STREQ(ShownText(bar, 1), "Line 3, Col 4");
    // A disabled pane keeps its text but shows none.
    bar.SetPaneStyle(1, SBPS_DISABLED);
    EXPECT_STREQ(bar.GetPaneText(1), "Line 3, Col 4");
    EXPECT_STREQ(ShownText(bar, 1), "");
    bar.SetPaneStyle(1, SBPS_NORMAL);
    EXPECT_STREQ(ShownText(bar, 1), "Line 3, Col 4");

    // Out of range: refused or read as nothing, and nothing changes.
    EXPECT_FALSE(bar.SetPaneText(4, "x"));
    EXPECT_FALSE(bar.SetPaneText(-1, "x"));
    bar.SetPaneInfo(9, 1, 1, 1);
    bar.GetPaneInfo(9, id, style, width);
    EXPECT_EQ(id + style + static_cast<UINT>(width), 0u);
    EXPECT_EQ(bar.GetCount(), 4);

    // The frame's prompts arrive as window text: they are the first pane's.
    bar.SetWindowText("Opens a script");
    EXPECT_STREQ(bar.GetPaneText(0), "Opens a script");
    EXPECT_STREQ(ShownText(bar, 0), "Opens a script");
    CString text;
    bar.GetWindowText(text);
    EXPECT_STREQ(text, "Opens a script");
    EXPECT_EQ(bar.GetWindowTextLength(), 14);
}

TEST_F(StatusBarTest, BarTakesTheBottomEdgeAndItsPanesStretchTheFirst)
{
    Layout();
    const int height = bar.CalcFixedLayout(TRUE, TRUE).cy;
    EXPECT_GT(height, 10);
    EXPECT_EQ(ChildRect(bar), CRect(0, 300 - height, 400, 300));
    EXPECT_EQ(ChildRect(host.client), CRect(0, 0, 400, 300 - height));

    // Pane rectangles: in order, the fixed panes as wide as their texts and a frame, the
    // first pane taking the rest.
    CRect rects[4];
    for (int i = 0; i < 4; ++i)
        bar.GetItemRect(i, &rects[i]);
    for (int i = 1; i < 4; ++i) {
        EXPECT_GE(rects[i].left, rects[i - 1].right);
        UINT id, style;
        int width;
        bar.GetPaneInfo(i, id, style, width);
        EXPECT_GE(rects[i].Width(), width);
        EXPECT_LE(rects[i].Width(), width + 4 * ::GetSystemMetrics(SM_CXEDGE));
    }
    EXPECT_GE(rects[3].right, 390);
    EXPECT_LE(rects[3].right, 400);
    CRect outside(1, 1, 2, 2);
    bar.GetItemRect(4, &outside);
    EXPECT_TRUE(outside.IsRectEmpty());

    // A wider parent widens only the stretching pane.
    host.MoveWindow(0, 0, 500, 300);
    CRect wider[4];
    for (int i = 0; i < 4; ++i)
        bar.GetItemRect(i, &wider[i]);
    EXPECT_EQ(wider[0].Width(), rects[0].Width() + 100);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(wider[i].Width(), rects[i].Width());

    // A minimum height set on the control holds in the layout.
    bar.SendMessage(SB_SETMINHEIGHT, 60);
    Layout();
    EXPECT_EQ(ChildRect(bar), CRect(0, 240, 500, 300));
}

TEST_F(StatusBarTest, HidingAndShowingLaysTheParentOutAgain)
{
    Layout();
    const int height = bar.CalcFixedLayout(TRUE, TRUE).cy;
    bar.ShowWindow(SW_HIDE);
    EXPECT_EQ(ChildRect(host.client), CRect(0, 0, 400, 300));
    bar.ShowWindow(SW_SHOW);
    EXPECT_EQ(ChildRect(host.client), CRect(0, 0, 400, 300 - height));

    // A delayed hide happens at the next idle update; until then the bar counts as hidden.
    bar.DelayShow(FALSE);
    EXPECT_FALSE(bar.IsVisible());
    EXPECT_TRUE(bar.GetStyle() & WS_VISIBLE);
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(bar.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(ChildRect(host.client), CRect(0, 0, 400, 300));
    // A request taken back before the idle update does nothing.
    bar.DelayShow(TRUE);
    bar.DelayShow(FALSE);
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(bar.GetStyle() & WS_VISIBLE);
}

TEST_F(StatusBarTest, IdleUpdateAsksTheParentsHandlersForEachPane)
{
    host.SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_EQ(host.updates, 1);
    EXPECT_STREQ(bar.GetPaneText(1), "Line 1, Col 1");
    EXPECT_EQ(bar.GetPaneStyle(2), static_cast<UINT>(SBPS_DISABLED | SBPS_POPOUT));
    EXPECT_EQ(bar.GetPaneStyle(3), static_cast<UINT>(SBPS_NORMAL));  // no handler: left as it is
    EXPECT_STREQ(ShownText(bar, 3), "NUM");

    // A bar whose parent is hidden is not updated.
    host.positionText = "Line 2, Col 1";
    host.ShowWindow(SW_HIDE);
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(host.updates, 1);
    host.ShowWindow(SW_SHOWNA);
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_STREQ(bar.GetPaneText(1), "Line 2, Col 1");
}

TEST(StatusBarInFrameTest, FrameShowsItsPromptsInTheFirstPaneAndLaysOutOnHiding)
{
    auto* frame = new CFrameWnd;  // deletes itself with its window
    ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    CWnd client;
    ASSERT_TRUE(client.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), frame, AFX_IDW_PANE_FIRST));
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(frame));
    ASSERT_TRUE(bar.SetIndicators(kIndicators, 4));
    EXPECT_TRUE(bar.GetStyle() & SBARS_SIZEGRIP);  // the frame can be resized
    frame->ShowWindow(SW_SHOWNA);
    frame->RecalcLayout();
    CRect inside;
    frame->GetClientRect(&inside);
    const int height = bar.CalcFixedLayout(TRUE, TRUE).cy;
    EXPECT_EQ(ChildRect(bar), CRect(0, inside.bottom - height, inside.right, inside.bottom));

    frame->SetMessageText("Opens a script");
    EXPECT_STREQ(bar.GetPaneText(0), "Opens a script");

    bar.ShowWindow(SW_HIDE);
    EXPECT_EQ(ChildRect(client), inside);
    bar.ShowWindow(SW_SHOWNA);
    EXPECT_EQ(ChildRect(client), CRect(0, 0, inside.right, inside.bottom - height));
    frame->DestroyWindow();
    CWnd::DeleteTempMap();
}

}  // namespace
