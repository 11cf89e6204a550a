// Anchored resizing: fractional moves without drift, added factors, grips, limits, stored placements.
#include "CXTResize.h"
#include "CXTResizeDialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "CWinApp.h"
#include "CXTRegistryProfile.h"

namespace {

// A top-level window with one static child (id 10) at (10, 10)-(60, 30).
class ResizeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, CWnd::DefaultClassName(), "Resized", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200,
                                    nullptr, nullptr));
        child = ::CreateWindowExA(0, "STATIC", "x", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, parent.m_hWnd,
                                  (HMENU)10, nullptr, nullptr);
    }
    void TearDown() override { parent.DestroyWindow(); }

    void Grow(int dx, int dy)
    {
        CRect rc;
        parent.GetWindowRect(&rc);
        parent.SetWindowPos(nullptr, 0, 0, rc.Width() + dx, rc.Height() + dy, SWP_NOMOVE | SWP_NOZORDER);
    }
    CRect ChildRect()
    {
        CRect rc;
        ::GetWindowRect(child, &rc);
        parent.ScreenToClient(&rc);
        return rc;
    }

    CWnd parent;
    HWND child = nullptr;
};

TEST_F(ResizeTest, HalfAnchoredChildMovesWithoutDrift)
{
    CXTResize resize(&parent, xtResizeNoSizeIcon);
    resize.InitResize();
    ASSERT_TRUE(resize.SetControlAnchor(10, CXTAnchorRect(0.5f, 0, 0.5f, 0)));
    Grow(101, 0);
    resize.ResizeControls();
    EXPECT_EQ(ChildRect().left, 10 + 50);
    EXPECT_EQ(ChildRect().Width(), 50);
    Grow(1, 0);
    resize.ResizeControls();
    EXPECT_EQ(ChildRect().left, 10 + 51);  // 50.5 + 0.5
}

TEST_F(ResizeTest, AnchorsOfTheSameChildAddUp)
{
    CXTResize resize(&parent, xtResizeNoSizeIcon);
    resize.InitResize();
    resize.SetControlAnchor(10, XT_ANCHOR_RIGHT);
    resize.SetControlAnchor(10, XT_ANCHOR_RIGHT);
    ASSERT_NE(resize.FindItem(10), nullptr);
    EXPECT_TRUE(resize.FindItem(10)->m_rrcAnchor == CXTAnchorRect(2, 0, 2, 0));
    EXPECT_FALSE(resize.SetControlAnchor(99, XT_ANCHOR_RIGHT));  // no such child
}

TEST_F(ResizeTest, DestroyedChildIsSkipped)
{
    CXTResize resize(&parent, xtResizeNoSizeIcon);
    resize.InitResize();
    resize.SetControlAnchor(10, XT_ANCHOR_STRETCH_X);
    ::DestroyWindow(child);
    Grow(40, 0);
    resize.ResizeControls();  // must not touch the gone window
    SUCCEED();
}

TEST_F(ResizeTest, MinimumSizeIsTheSizeAtSetUpUnlessTurnedOff)
{
    struct Case {
        UINT flags;
        LONG minWidth;
    } cases[] = {{0, 300}, {xtResizeNoMinsize, 1}};
    for (const Case& c : cases) {
        CXTResize resize(&parent, c.flags | xtResizeNoSizeIcon);
        resize.InitResize();
        MINMAXINFO mmi = {};
        mmi.ptMinTrackSize = {1, 1};
        resize.GetMinMaxInfo(&mmi);
        EXPECT_EQ(mmi.ptMinTrackSize.x, c.minWidth) << c.flags;
    }
}

TEST_F(ResizeTest, GripSitsInTheCornerAndFollowsIt)
{
    CXTResize resize(&parent, 0);
    resize.InitResize();
    CWnd* grip = resize.GetSizeGrip();
    ASSERT_NE(grip, nullptr);
    EXPECT_EQ(grip->GetDlgCtrlID(), CXTResize::kGripId);
    CRect client, before, after;
    grip->GetWindowRect(&before);
    Grow(30, 20);
    resize.ResizeControls();
    grip->GetWindowRect(&after);
    EXPECT_EQ(after.left - before.left, 30);
    EXPECT_EQ(after.top - before.top, 20);
}

class PlacementStoreTest : public ResizeTest {
protected:
    CWinApp app{"ResizeTests"};
    void SetUp() override
    {
        ResizeTest::SetUp();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tavrelin resize tests");
        app.SetRegistryKey("Tavrelin resize tests");
    }
    void TearDown() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tavrelin resize tests");
        ResizeTest::TearDown();
    }
};

TEST_F(PlacementStoreTest, OnlyFortyFourBytePlacementsLoad)
{
    CXTResize resize(&parent, xtResizeNoSizeIcon);
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    parent.GetWindowPlacement(&wp);
    wp.rcNormalPosition = {50, 60, 450, 360};
    std::vector<BYTE> record(CXTResize::kPlacementSize);
    CXTResize::PlacementToBytes(wp, record.data());
    struct Case {
        size_t size;
        BOOL applied;
    } cases[] = {{40, FALSE}, {48, FALSE}, {44, TRUE}};
    CXTRegistryProfile profile(HKEY_CURRENT_USER);
    for (const Case& c : cases) {
        std::vector<BYTE> stored = record;
        stored.resize(c.size);
        ASSERT_TRUE(profile.WriteProfileBinary("Dialog", "WindowPlacement", stored.data(), (UINT)c.size));
        EXPECT_EQ(resize.LoadPlacement("Dialog"), c.applied) << c.size;
        CRect rc;
        parent.GetWindowRect(&rc);
        EXPECT_EQ(rc.Width() == 400, c.applied != FALSE) << c.size;
    }
    // Saved and read back: the same normal rectangle.
    parent.SetWindowPos(nullptr, 70, 80, 320, 240, SWP_NOZORDER);
    ASSERT_TRUE(resize.SavePlacement("Dialog"));
    parent.SetWindowPos(nullptr, 0, 0, 100, 100, SWP_NOZORDER);
    ASSERT_TRUE(resize.LoadPlacement("Dialog"));
    CRect rc;
    parent.GetWindowRect(&rc);
    EXPECT_EQ(rc, CRect(70, 80, 390, 320));
}

// A dialog template with no controls, in memory.
struct EmptyTemplate {
    DLGTEMPLATE dlg;
    WORD menu = 0, windowClass = 0, title = 0, pad = 0;
};

TEST(ResizeDialogTest, GripOnlyWithAThickFrame)
{
    struct Case {
        DWORD style;
        bool grip;
    } cases[] = {{WS_POPUP | WS_CAPTION | WS_THICKFRAME, true}, {WS_POPUP | WS_CAPTION, false}};
    for (const Case& c : cases) {
        EmptyTemplate tmpl = {};
        tmpl.dlg.style = c.style;
        tmpl.dlg.cx = 150;
        tmpl.dlg.cy = 100;
        CXTResizeDialog dialog;
        ASSERT_TRUE(dialog.CreateIndirect(&tmpl.dlg));
        EXPECT_EQ(dialog.GetSizeGrip() != nullptr, c.grip) << c.style;
        EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, CXTResize::kGripId) != nullptr, c.grip);
        dialog.DestroyWindow();
    }
}

}  // namespace
