// The tab engine: automatic colours, deleting and selecting, scrolling, hit testing,
// navigation buttons with their glyphs and press loop, and reordering by dragging.
#include "CXTPTabManager.h"

#include <gtest/gtest.h>

#include <thread>

#include "CXTPTabAppearance.h"
#include "TabFixture.h"

TEST(TabManager, InsertedTabsCycleThroughTheAutomaticColoursWhateverWasDeleted)
{
    TestTabManager tabs;
    for (int i = 0; i < 9; ++i)
        tabs.InsertItem(-1);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(static_cast<COLORREF>(0x1000000 + i), tabs.GetItem(i)->GetStoredColor()) << i;
    EXPECT_EQ(0x1000000u, tabs.GetItem(8)->GetStoredColor());

    // Deletes do not lower the count: the tenth insertion takes the second colour.
    tabs.DeleteItem(8);
    tabs.DeleteItem(0);
    EXPECT_EQ(0x1000001u, tabs.InsertItem(0)->GetStoredColor());
    EXPECT_EQ(0, tabs.GetItem(0)->GetIndex());
    EXPECT_EQ(7, tabs.GetItem(7)->GetIndex());

    // The automatic indexes read as their colours; other colours stay.
    EXPECT_EQ(0x75DBFFu, tabs.GetItem(0)->GetColor());
    EXPECT_EQ(0xC0ABD8u, tabs.GetItemColor(tabs.GetItem(7)));
    tabs.GetItem(1)->SetColor(0x1000008);
    EXPECT_EQ(0x1000008u, tabs.GetItem(1)->GetColor());
}

TEST(TabManager, DeletingTheSelectedTabSelectsItsSuccessorOrNone)
{
    TestTabManager tabs;
    for (int i = 0; i < 3; ++i)
        tabs.InsertItem(-1);
    tabs.SetCurSel(2);
    CXTPTabManagerItem* middle = tabs.GetItem(1);
    EXPECT_TRUE(tabs.DeleteItem(2));
    EXPECT_EQ(middle, tabs.GetSelectedItem());  // the new last tab

    EXPECT_FALSE(tabs.DeleteItem(2));
    EXPECT_FALSE(tabs.DeleteItem(-1));
    EXPECT_EQ(2, tabs.GetItemCount());

    tabs.SetCurSel(0);
    CXTPTabManagerItem* last = tabs.GetItem(1);
    tabs.DeleteItem(0);
    EXPECT_EQ(last, tabs.GetSelectedItem());  // the tab that took its place
    tabs.DeleteItem(0);
    EXPECT_EQ(nullptr, tabs.GetSelectedItem());
    tabs.SetCurSel(0);
    EXPECT_EQ(nullptr, tabs.GetSelectedItem());

    // Out-of-range selections clamp.
    tabs.InsertItem(-1);
    tabs.InsertItem(-1);
    tabs.SetCurSel(9);
    EXPECT_EQ(tabs.GetItem(1), tabs.GetSelectedItem());
    tabs.SetCurSel(-4);
    EXPECT_EQ(tabs.GetItem(0), tabs.GetSelectedItem());
}

TEST(TabManager, DeletingTheHotTabLeavesNoHotTab)
{
    TestTabManager tabs;
    tabs.m_pPaintManager->m_bHotTracking = TRUE;
    tabs.SetRow({50, 50});
    tabs.m_rcControl = CRect(0, 0, 100, 20);
    tabs.OnMouseMove(nullptr, CPoint(70, 5));
    ASSERT_EQ(tabs.GetItem(1), tabs.GetHighlightedItem());
    tabs.DeleteItem(1);
    EXPECT_EQ(nullptr, tabs.GetHighlightedItem());
}

TEST(TabManager, ScrollOffsetIsNeverPositiveAndAnUnchangedOneRepositionsNothing)
{
    TestTabManager tabs;
    tabs.repositions = 0;
    tabs.SetScrollOffset(5);
    EXPECT_EQ(0, tabs.GetScrollOffset());
    EXPECT_EQ(0, tabs.repositions);
    tabs.SetScrollOffset(-40);
    EXPECT_EQ(-40, tabs.GetScrollOffset());
    EXPECT_EQ(1, tabs.repositions);
    tabs.SetScrollOffset(-40);
    EXPECT_EQ(1, tabs.repositions);
}

TEST(TabManager, HitTestSkipsDisabledHiddenAndPointsOutsideTheHeader)
{
    TestTabManager tabs;
    tabs.SetRow({40, 40, 40}, 0, 0, 20);
    tabs.m_rcControl = CRect(0, 0, 200, 100);
    tabs.GetItem(1)->SetEnabled(FALSE);
    tabs.GetItem(2)->SetVisible(FALSE);
    // A tab rectangle outside the header (scrolled under a button, say) is not hit.
    tabs.GetItem(0)->SetRect(CRect(0, 0, 40, 60));

    struct Case {
        CPoint point;
        CRect header;
        int expected;  // index, -1 none
    } cases[] = {
        {{10, 10}, CRect(), 0},           {{50, 10}, CRect(), -1},  // disabled
        {{90, 10}, CRect(), -1},          // hidden
        {{10, 40}, CRect(), 0},           // an empty header does not limit
        {{10, 40}, CRect(0, 0, 200, 20), -1},
        {{10, 10}, CRect(0, 0, 200, 20), 0},
        {{10, 150}, CRect(), -1},         // outside the control
    };
    for (const Case& c : cases) {
        tabs.m_rcHeaderRect = c.header;
        CXTPTabManagerItem* hit = tabs.HitTest(c.point);
        EXPECT_EQ(c.expected, hit ? hit->GetIndex() : -1) << c.point.x << "," << c.point.y;
    }
}

TEST(TabManager, ToolTipsCarryTheTabsIndexRectangleAndACopyOfTheText)
{
    TestTabManager tabs;
    tabs.SetRow({40, 40});
    tabs.m_rcControl = CRect(0, 0, 100, 20);
    tabs.GetItem(1)->SetTooltip("Second");
    EXPECT_EQ(-1, tabs.OnToolHitTest(nullptr, CPoint(10, 5), nullptr));  // no tip text

    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    HWND owner = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(1, tabs.OnToolHitTest(owner, CPoint(50, 5), &info));
    EXPECT_EQ(owner, info.hwnd);
    EXPECT_EQ(1u, info.uId);
    EXPECT_EQ(CRect(40, 0, 80, 20), CRect(info.rect));
    ASSERT_NE(nullptr, info.lpszText);
    EXPECT_STREQ("Second", info.lpszText);
    std::free(info.lpszText);
}

// ---- Navigation buttons ---------------------------------------------------------------

TEST(TabNavigateButtons, TakeTheirPlaceAtTheRowEndCentredCloseOutermost)
{
    TestTabManager tabs;
    for (int i = 0; i < 3; ++i)
        tabs.GetNavigateButton(i)->SetFlags(xtpTabNavigateButtonAlways);

    struct Case {
        int position;
        CRect row;
        CRect left, right, close;
    } cases[] = {
        {xtpTabPositionTop, CRect(10, 0, 210, 30), CRect(168, 7, 182, 22), CRect(182, 7, 196, 22),
         CRect(196, 7, 210, 22)},
        {xtpTabPositionLeft, CRect(0, 10, 30, 210), CRect(8, 165, 22, 180), CRect(8, 180, 22, 195),
         CRect(8, 195, 22, 210)},
    };
    for (const Case& c : cases) {
        tabs.m_pPaintManager->SetPosition(c.position);
        CRect row = c.row;
        for (int i = 2; i >= 0; --i)
            tabs.GetNavigateButton(i)->Reposition(row);
        EXPECT_EQ(c.left, tabs.FindNavigateButton(xtpTabNavigateButtonLeft)->GetRect()) << c.position;
        EXPECT_EQ(c.right, tabs.FindNavigateButton(xtpTabNavigateButtonRight)->GetRect()) << c.position;
        EXPECT_EQ(c.close, tabs.FindNavigateButton(xtpTabNavigateButtonClose)->GetRect()) << c.position;

        int length = 100;
        tabs.GetNavigateButton(0)->AdjustRowLength(length);
        EXPECT_EQ(c.position == xtpTabPositionTop ? 86 : 85, length);
    }
    tabs.GetNavigateButton(0)->SetFlags(xtpTabNavigateButtonAutomatic);
    int length = 100;
    tabs.GetNavigateButton(0)->AdjustRowLength(length);
    EXPECT_EQ(100, length);  // only buttons always shown take room from the tabs
}

TEST(TabNavigateButtons, AutomaticArrowsHideWhileTheTabsFitOrInShrinkLayout)
{
    TestTabManager tabs;
    const int marginLeft = tabs.m_pPaintManager->GetAppearanceSet()->GetHeaderMargin().left;
    struct Case {
        int layout, total, offset;
        bool shown;
    } cases[] = {
        {xtpTabLayoutAutoSize, 200 + marginLeft, 0, false},  // total - margin - 1 fits in 200
        {xtpTabLayoutAutoSize, 202 + marginLeft, 0, true},
        {xtpTabLayoutAutoSize, 100, -20, true},  // scrolled
        {xtpTabLayoutSizeToFit, 900, -20, false},
    };
    for (const Case& c : cases) {
        tabs.m_pPaintManager->SetLayout(c.layout);
        tabs.SetRow({c.total});
        tabs.SetScrollOffset(c.offset);
        CRect row(0, 0, 200, 24);
        tabs.FindNavigateButton(xtpTabNavigateButtonRight)->Reposition(row);
        EXPECT_EQ(c.shown, !tabs.FindNavigateButton(xtpTabNavigateButtonRight)->GetRect().IsRectEmpty())
            << c.layout << " " << c.total << " " << c.offset;
        EXPECT_EQ(c.shown ? 186 : 200, row.right);
    }
}

TEST(TabNavigateButtons, GlyphsAreFilledWhenEnabledAndOutlinedWhenDisabled)
{
    TestTabManager tabs;
    tabs.SetRow({500});
    DibCanvas canvas(60, 30);
    CRect row(0, 0, 60, 30);
    for (int i = 2; i >= 0; --i) {
        tabs.GetNavigateButton(i)->SetFlags(xtpTabNavigateButtonAlways);
        tabs.GetNavigateButton(i)->Reposition(row);
    }
    const COLORREF white = RGB(255, 255, 255), glyph = ::GetSysColor(COLOR_BTNTEXT);

    // The right arrow is enabled (the tabs overflow), the left one not (no offset).
    CXTPTabManagerNavigateButton* right = tabs.FindNavigateButton(xtpTabNavigateButtonRight);
    CXTPTabManagerNavigateButton* left = tabs.FindNavigateButton(xtpTabNavigateButtonLeft);
    ASSERT_TRUE(right->IsEnabled());
    ASSERT_FALSE(left->IsEnabled());
    right->Draw(&canvas.dc);
    left->Draw(&canvas.dc);
    tabs.FindNavigateButton(xtpTabNavigateButtonClose)->Draw(&canvas.dc);

    const CRect r = right->GetRect(), l = left->GetRect(), c = tabs.FindNavigateButton(2)->GetRect();
    const int rx = (r.left + r.right) / 2, ry = (r.top + r.bottom) / 2;
    EXPECT_EQ(glyph, canvas.dc.GetPixel(rx - 2, ry - 5));  // a vertex
    EXPECT_EQ(glyph, canvas.dc.GetPixel(rx - 1, ry - 1));  // inside: filled
    const int lx = (l.left + l.right) / 2, ly = (l.top + l.bottom) / 2;
    EXPECT_EQ(glyph, canvas.dc.GetPixel(lx + 2, ly - 5));
    EXPECT_EQ(white, canvas.dc.GetPixel(lx + 1, ly - 1));  // inside: hollow
    // The close cross, two pixels wide.
    EXPECT_EQ(glyph, canvas.dc.GetPixel(c.left + 3, c.top + 3));
    EXPECT_EQ(glyph, canvas.dc.GetPixel(c.left + 4, c.top + 3));
    EXPECT_EQ(white, canvas.dc.GetPixel(c.left + 1, c.top + 1));
}

namespace {

// Posts a message to the window after a delay, from another thread.
std::thread PostLater(HWND hwnd, UINT message, int milliseconds, int x = 0, int y = 0)
{
    return std::thread([=] {
        ::Sleep(milliseconds);
        ::PostMessageA(hwnd, message, 0, MAKELPARAM(x, y));
    });
}

ULONGLONG ThreadCpuMilliseconds()
{
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) { return ((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000; };
    return ms(kernel) + ms(user);
}

// A row of tabs that overflows, with both arrows always shown.
struct ScrollRow {
    ScrollRow()
    {
        tabs.SetRow({400, 400});
        CRect row(0, 0, 200, 24);
        for (int i = 2; i >= 0; --i) {
            tabs.GetNavigateButton(i)->SetFlags(xtpTabNavigateButtonAlways);
            tabs.GetNavigateButton(i)->Reposition(row);
        }
    }
    CXTPTabManagerNavigateButton* Button(int id) { return tabs.FindNavigateButton(id); }
    CPoint Inside(int id) { return Button(id)->GetRect().CenterPoint(); }

    TestTabManager tabs;
    CaptureWindow window;
};

}  // namespace

TEST(TabNavigateButtons, AnArrowReleasedAtOnceScrollsNothing)
{
    ScrollRow row;
    const CPoint point = row.Inside(xtpTabNavigateButtonRight);
    row.window.Post(WM_LBUTTONUP, 0, point.x, point.y);
    row.tabs.OnLButtonDown(row.window.hwnd, point);
    EXPECT_EQ(0, row.tabs.GetScrollOffset());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(row.Button(xtpTabNavigateButtonRight)->IsPressed());
}

TEST(TabNavigateButtons, AHeldArrowScrollsTwentyPixelsPerTickWithoutSpinning)
{
    ScrollRow row;
    const CPoint point = row.Inside(xtpTabNavigateButtonRight);
    std::thread release = PostLater(row.window.hwnd, WM_LBUTTONUP, 300, point.x, point.y);
    const ULONGLONG cpuBefore = ThreadCpuMilliseconds();
    const DWORD start = ::GetTickCount();
    row.tabs.OnLButtonDown(row.window.hwnd, point);
    const DWORD held = ::GetTickCount() - start;
    const ULONGLONG cpu = ThreadCpuMilliseconds() - cpuBefore;
    release.join();

    const int offset = row.tabs.GetScrollOffset();
    EXPECT_LT(offset, 0);
    EXPECT_EQ(0, offset % 20);
    EXPECT_LE(-offset / 20, static_cast<int>(held / 20) + 1);  // at most one step per tick
    // The loop sleeps between ticks: a spinning one burns the whole hold.
    EXPECT_LT(cpu, held / 4) << "held " << held << " ms";
}

TEST(TabNavigateButtons, CloseFiresOnlyWhenReleasedOverIt)
{
    for (bool over : {true, false}) {
        ScrollRow row;
        const CPoint point = row.Inside(xtpTabNavigateButtonClose);
        row.window.Post(WM_MOUSEMOVE, 0, over ? point.x : 5, point.y);
        row.window.Post(WM_LBUTTONUP, 0, over ? point.x : 5, point.y);
        row.tabs.OnLButtonDown(row.window.hwnd, point);
        EXPECT_EQ(over ? std::vector<int>{2} : std::vector<int>{}, row.tabs.clicks) << over;
    }
    // Esc and loss of capture end the press without a click.
    for (UINT message : {WM_KEYDOWN, WM_CANCELMODE, WM_RBUTTONDOWN}) {
        ScrollRow row;
        const CPoint point = row.Inside(xtpTabNavigateButtonClose);
        row.window.Post(message, message == WM_KEYDOWN ? VK_ESCAPE : 0, point.x, point.y);
        row.tabs.OnLButtonDown(row.window.hwnd, point);
        EXPECT_TRUE(row.tabs.clicks.empty()) << message;
    }
}

TEST(TabNavigateButtons, QuitDuringThePressEndsItAndStaysQueued)
{
    ScrollRow row;
    ::PostQuitMessage(7);
    row.tabs.OnLButtonDown(row.window.hwnd, row.Inside(xtpTabNavigateButtonClose));
    EXPECT_EQ(nullptr, ::GetCapture());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    EXPECT_TRUE(row.tabs.clicks.empty());
}

// ---- Reordering -------------------------------------------------------------------------

namespace {

struct ReorderRow {
    ReorderRow()
    {
        tabs.SetRow({50, 50, 50, 50});
        tabs.m_rcControl = CRect(0, 0, 400, 20);
        for (int i = 0; i < 4; ++i)
            tabs.GetItem(i)->SetCaption(CString(static_cast<char>('A' + i)));
        tabs.SetCurSel(3);
    }
    CString Order() const
    {
        CString order;
        for (int i = 0; i < tabs.GetItemCount(); ++i)
            order += tabs.GetItem(i)->GetCaption();
        return order;
    }

    TestTabManager tabs;
    CaptureWindow window;
};

}  // namespace

TEST(TabManager, DraggingATabSwapsItThroughTheRectanglesOfTheStart)
{
    ReorderRow row;
    // Press on A, move over C's place: A and C swap; moving on inside that place changes nothing
    // more (the rectangles are those of the start, not of the swapped tabs).
    row.window.Post(WM_MOUSEMOVE, 0, 120, 5);
    row.window.Post(WM_MOUSEMOVE, 0, 130, 5);
    row.window.Post(WM_KEYDOWN, 'X');  // other keys are dropped
    row.window.Post(WM_MOUSEMOVE, 0, 60, 5);
    row.window.Post(WM_KEYDOWN, VK_ESCAPE);
    row.tabs.OnLButtonDown(row.window.hwnd, CPoint(10, 5));
    // After C's place the drag went to B's: the order reached is kept on Esc.
    EXPECT_EQ(CString("CABD"), row.Order());
    EXPECT_EQ(CString("A"), row.tabs.GetSelectedItem()->GetCaption());
    EXPECT_EQ(1, row.tabs.GetSelectedItem()->GetIndex());
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST(TabManager, WithoutReorderAPressOnlySelects)
{
    ReorderRow row;
    row.tabs.SetAllowReorder(FALSE);
    EXPECT_TRUE(row.tabs.OnLButtonDown(row.window.hwnd, CPoint(60, 5)));
    EXPECT_EQ(row.tabs.GetItem(1), row.tabs.GetSelectedItem());
    EXPECT_FALSE(row.tabs.OnLButtonDown(row.window.hwnd, CPoint(300, 5)));  // no tab there
    EXPECT_FALSE(row.tabs.OnLButtonDown(row.window.hwnd, CPoint(60, 5), TRUE));  // buttons only
}

TEST(TabManager, QuitDuringADragEndsItAndStaysQueued)
{
    ReorderRow row;
    ::PostQuitMessage(3);
    row.tabs.OnLButtonDown(row.window.hwnd, CPoint(60, 5));
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(row.tabs.GetItem(1), row.tabs.GetSelectedItem());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

TEST(TabManager, HotTrackingFollowsTheMouseOnlyWhenAskedAndWhileActive)
{
    TestTabManager tabs;
    tabs.SetRow({50, 50});
    tabs.m_rcControl = CRect(0, 0, 100, 20);
    tabs.OnMouseMove(nullptr, CPoint(70, 5));
    EXPECT_EQ(nullptr, tabs.GetHighlightedItem());  // hot tracking is off

    tabs.m_pPaintManager->m_bHotTracking = TRUE;
    tabs.redraws = 0;
    tabs.OnMouseMove(nullptr, CPoint(70, 5));
    EXPECT_EQ(tabs.GetItem(1), tabs.GetHighlightedItem());
    tabs.OnMouseMove(nullptr, CPoint(75, 5));
    EXPECT_EQ(1, tabs.redraws);  // the same tab: no redraw
    tabs.OnMouseMove(nullptr, CPoint(-1, -1));  // the mouse left
    EXPECT_EQ(nullptr, tabs.GetHighlightedItem());
    EXPECT_EQ(2, tabs.redraws);

    // A window whose frame is not the active one tracks nothing.
    CaptureWindow inactive;
    tabs.OnMouseMove(inactive.hwnd, CPoint(20, 5));
    EXPECT_EQ(nullptr, tabs.GetHighlightedItem());
}
