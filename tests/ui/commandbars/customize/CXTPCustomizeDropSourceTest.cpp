// Customize drags between two bars: move, copy with Ctrl, cursors, Escape and right click, a
// drop outside the bars, a drop onto the control's own place, and bars that go away meanwhile.
#include "CXTPCustomizeDropSource.h"

#include <gtest/gtest.h>

#include <vector>

#include "../CommandBarsFixture.h"
#include "InputSteps.h"

namespace {

const int ID_A1 = 41001, ID_A2 = 41002, ID_A3 = 41003, ID_B1 = 41011, ID_B2 = 41012;

class CustomizeDrag : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        frame = new TestFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Customize drag", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 340)));
        frame->InitCommandBars(RUNTIME_CLASS(TestCommandBars));
    }
    static void TearDownTestSuite()
    {
        frame->DestroyWindow();
        frame = nullptr;
        PumpFor(20);
    }

    void SetUp() override
    {
        barA = MakeBar(0, {ID_A1, ID_A2, ID_A3});
        barB = MakeBar(60, {ID_B1, ID_B2});
        frame->Bars()->SetCustomizeMode(TRUE);
        frame->SetForegroundWindow();
        frame->SetFocus();
        PumpFor(20);
    }
    void TearDown() override
    {
        SendKey(VK_CONTROL, TRUE);
        frame->Bars()->SetCustomizeMode(FALSE);
        for (TestBar* pBar : {barA, barB}) {
            if (pBar)
                frame->Bars()->Remove(pBar);
        }
        PumpFor(20);
    }

    // A bar of buttons in the frame's client area at the height given, registered for drags.
    static TestBar* MakeBar(int y, std::initializer_list<int> ids)
    {
        auto* pBar = new TestBar;
        pBar->SetCommandBars(frame->Bars());
        pBar->SetBarPosition(xtpBarTop);
        EXPECT_TRUE(pBar->Create(CWnd::DefaultClassName(), "", WS_CHILD | WS_VISIBLE, CRect(0, y, 560, y + 30), frame, 0));
        frame->Bars()->Append(pBar);
        for (int id : ids)
            pBar->GetControls()->Add(xtpControlButton, id);
        pBar->OnRecalcLayout();
        pBar->UpdateWindow();
        return pBar;
    }

    static std::vector<int> Ids(TestBar* pBar)
    {
        std::vector<int> ids;
        for (int i = 0; i < pBar->GetControlCount(); i++)
            ids.push_back(pBar->GetControl(i)->GetID());
        return ids;
    }

    static CPoint Screen(TestBar* pBar, CPoint ptClient)
    {
        pBar->ClientToScreen(&ptClient);
        return ptClient;
    }

    // A screen point in the frame's client area below both bars.
    static CPoint Empty()
    {
        CPoint pt(300, 200);
        frame->ClientToScreen(&pt);
        return pt;
    }

    // Presses the left button on control nIndex of the bar (which starts its customize drag)
    // and runs the steps until they are done and the drag is over.
    static void DragFrom(TestBar* pBar, int nIndex, std::vector<std::function<void()>> steps)
    {
        InputSteps run(std::move(steps));
        SendMouse(pBar->Centre(nIndex, TRUE), {MOUSEEVENTF_LEFTDOWN});
        EXPECT_TRUE(PumpUntil([] { return InputSteps::Done() && !frame->Bars()->GetDropSource()->IsDragging(); }, 5000));
        PumpFor(20);
    }

    // Holds the left button over empty client space and drags pControl directly; the effect.
    static DWORD DragDirect(CXTPControl* pControl, BOOL bCopyOnly, std::vector<std::function<void()>> steps)
    {
        SendMouse(Empty(), {MOUSEEVENTF_LEFTDOWN});
        PumpFor(30);
        InputSteps run(std::move(steps));
        DWORD dwEffect = frame->Bars()->GetDropSource()->DoDragDrop(pControl, bCopyOnly);
        SendMouse(Empty(), {MOUSEEVENTF_LEFTUP});
        PumpFor(30);
        return dwEffect;
    }

    static std::function<void()> MoveTo(CPoint pt) { return [pt] { SendMouse(pt, {}); }; }
    static std::function<void()> ReleaseAt(CPoint pt) { return [pt] { SendMouse(pt, {MOUSEEVENTF_LEFTUP}); }; }

    static TestFrame* frame;
    TestBar* barA = nullptr;
    TestBar* barB = nullptr;
};

TestFrame* CustomizeDrag::frame = nullptr;

TEST_F(CustomizeDrag, AButtonMovesToTheMarkerOfAnotherBarAndCtrlCopiesIt)
{
    struct {
        BOOL bCtrl;
        std::vector<int> idsA, idsB;
    } cases[] = {
        {FALSE, {ID_A1, ID_A3}, {ID_B1, ID_A2, ID_B2}},
        {TRUE, {ID_A1, ID_A2, ID_A3}, {ID_B1, ID_A2, ID_B2}},
    };
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        // Just past the right edge of B's first button: the marker stands between B1 and B2.
        CPoint ptDrop = Screen(barB, CPoint(barB->GetControl(0)->GetRect().right - 10, 15));
        // (Ctrl goes down after the last move: under Wine a real mouse move resets the keys
        // sent as input.)
        DragFrom(barA, 1,
                 {MoveTo(Screen(barA, CPoint(150, 40))), MoveTo(ptDrop), [&] { if (c.bCtrl) SendKey(VK_CONTROL); },
                  ReleaseAt(ptDrop), [] { SendKey(VK_CONTROL, TRUE); }});
        EXPECT_EQ(c.idsA, Ids(barA)) << "Ctrl " << c.bCtrl;
        EXPECT_EQ(c.idsB, Ids(barB)) << "Ctrl " << c.bCtrl;
        EXPECT_EQ(barB->GetControl(1), frame->Bars()->GetDragControl()) << "the new button is the one marked";
        EXPECT_TRUE(barB->GetDropMarker().IsRectEmpty());
    }
}

TEST_F(CustomizeDrag, TheCursorTellsMoveCopyOrNoDropAndEscapeOrARightClickChangeNothing)
{
    const HMODULE hModule = ::GetModuleHandleA(nullptr);
    const HCURSOR hCopy = ::LoadCursorA(hModule, MAKEINTRESOURCEA(9301));
    const HCURSOR hMove = ::LoadCursorA(hModule, MAKEINTRESOURCEA(9302));
    const HCURSOR hNoDrop = ::LoadCursorA(hModule, MAKEINTRESOURCEA(9303));
    ASSERT_TRUE(hCopy && hMove && hNoDrop);
    CXTPControl* pControl = barA->GetControl(1);
    const CPoint ptOverB = barB->Centre(1, TRUE);

    std::vector<HCURSOR> seen;
    auto see = [&] { seen.push_back(::GetCursor()); };
    DWORD dwEffect = DragDirect(pControl, FALSE,
                                {MoveTo(ptOverB), [&] { see(); SendKey(VK_CONTROL); }, [&] { see(); SendKey(VK_CONTROL, TRUE); },
                                 [&] { see(); SendMouse(Empty(), {}); }, [&] { see(); SendKey(VK_ESCAPE); }});
    EXPECT_EQ(5u, dwEffect);
    EXPECT_EQ((std::vector<HCURSOR>{hMove, hCopy, hMove, hNoDrop}), seen);

    seen.clear();
    dwEffect = DragDirect(pControl, TRUE, {MoveTo(ptOverB), see, [ptOverB] { SendMouse(ptOverB, {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}); }});
    EXPECT_EQ(5u, dwEffect) << "a right click cancels";
    EXPECT_EQ(std::vector<HCURSOR>{hCopy}, seen) << "a copy-only drag never shows the move cursor";

    EXPECT_EQ((std::vector<int>{ID_A1, ID_A2, ID_A3}), Ids(barA));
    EXPECT_EQ((std::vector<int>{ID_B1, ID_B2}), Ids(barB));
    EXPECT_TRUE(barB->GetDropMarker().IsRectEmpty()) << "the target was left";
    EXPECT_EQ(nullptr, CWnd::GetCapture());
}

TEST_F(CustomizeDrag, ReleasedOverNoBarADragGivesNothingAndABarButtonIsRemoved)
{
    CXTPControl* pControl = barA->GetControl(0);
    EXPECT_EQ(0u, DragDirect(pControl, FALSE, {MoveTo(Empty()), ReleaseAt(Empty())}));
    EXPECT_EQ((std::vector<int>{ID_A1, ID_A2, ID_A3}), Ids(barA)) << "the drag itself changes nothing";

    barA->GetControl(0)->SetBeginGroup(FALSE);
    barA->GetControl(1)->SetBeginGroup(TRUE);
    DragFrom(barA, 1, {MoveTo(Empty()), ReleaseAt(Empty())});
    EXPECT_EQ((std::vector<int>{ID_A1, ID_A3}), Ids(barA)) << "a bar's button dropped outside is deleted";
    EXPECT_TRUE(barA->GetControl(1)->GetBeginGroup()) << "its group start goes to the next button";
    EXPECT_EQ(nullptr, frame->Bars()->GetDragControl());
}

TEST_F(CustomizeDrag, ADropOntoItsOwnPlaceKeepsTheButtonAndALongerOneSetsItsGroupStart)
{
    CXTPControl* pControl = barA->GetControl(1);
    const CPoint ptCentre = barA->Centre(1, TRUE);
    struct {
        int dx;
        BOOL bGroup;
    } cases[] = {{2, FALSE}, {-2, FALSE}, {20, TRUE}, {-20, FALSE}};
    for (const auto& c : cases) {
        pControl->SetBeginGroup(FALSE);
        barA->OnRecalcLayout();
        const CPoint pt(ptCentre.x + c.dx, ptCentre.y);
        DragFrom(barA, 1, {MoveTo(pt), ReleaseAt(pt)});
        EXPECT_EQ((std::vector<int>{ID_A1, ID_A2, ID_A3}), Ids(barA)) << c.dx;
        EXPECT_EQ(pControl, barA->GetControl(1)) << "the very button stays: " << c.dx;
        EXPECT_EQ(c.bGroup, pControl->GetBeginGroup()) << c.dx;
    }
    // Dragged well right past its centre, the group start comes and the move reports nothing.
    pControl->SetBeginGroup(FALSE);
    barA->OnRecalcLayout();
    const CPoint pt(ptCentre.x + 20, ptCentre.y);
    EXPECT_EQ(5u, DragDirect(pControl, FALSE, {MoveTo(pt), ReleaseAt(pt)}));
    EXPECT_TRUE(pControl->GetBeginGroup());
}

TEST_F(CustomizeDrag, ABarDestroyedDuringTheDragIsNoTargetAndTheDraggedButtonSurvives)
{
    CXTPCustomizeDropSource* pSource = frame->Bars()->GetDropSource();
    const int nTargets = pSource->GetTargetCount();
    const CPoint ptOverB = barB->Centre(0, TRUE);
    CXTPControl* pDragged = nullptr;
    DragFrom(barA, 0,
             {MoveTo(ptOverB), [&] {
                  EXPECT_EQ(barB, pSource->GetTarget());
                  pDragged = barA->GetControl(0);
                  pDragged->InternalAddRef();
                  // Both bars go while the button hangs on the mouse: its own and the target.
                  frame->Bars()->Remove(barB);
                  frame->Bars()->Remove(barA);
                  barA = barB = nullptr;
                  EXPECT_EQ(nullptr, pSource->GetTarget());
              },
              ReleaseAt(ptOverB)});
    EXPECT_EQ(nTargets - 2, pSource->GetTargetCount());
    ASSERT_NE(nullptr, pDragged);
    EXPECT_EQ(ID_A1, pDragged->GetID()) << "the button outlived its bar";
    EXPECT_EQ(nullptr, pDragged->GetParent());
    pDragged->InternalRelease();
}

TEST_F(CustomizeDrag, ACopyOnlyDragOfAControlWithoutABarCopiesIntoTheTarget)
{
    CXTPControls* pList = new CXTPControls;
    pList->SetCommandBars(frame->Bars());
    CXTPControl* pCommand = pList->Add(xtpControlButton, ID_PLAIN);
    const CPoint pt = Screen(barB, CPoint(2 + 120 + 20, 15));  // past the last button
    EXPECT_EQ(1u, DragDirect(pCommand, TRUE, {MoveTo(pt), ReleaseAt(pt)}));
    EXPECT_EQ((std::vector<int>{ID_B1, ID_B2, ID_PLAIN}), Ids(barB));
    EXPECT_EQ(1, pList->GetCount()) << "the list keeps its command";
    EXPECT_NE(pCommand, barB->GetControl(2));
    pList->InternalRelease();
}

TEST_F(CustomizeDrag, AMenuOpensUnderADraggedControlButNeverTakesThePopupControlItHangsFrom)
{
    CXTPControl* pMenu = barA->GetControls()->Add(xtpControlPopup, 0);
    pMenu->SetCaption("Menu");
    CXTPCommandBar* pPopup = pMenu->GetCommandBar();
    ASSERT_NE(nullptr, pPopup);
    pPopup->GetControls()->Add(xtpControlButton, ID_B1);
    barA->OnRecalcLayout();
    barA->OnDragOver(barB->GetControl(0), pMenu->GetRect().CenterPoint());
    EXPECT_EQ(pMenu->GetIndex(), barA->GetPopupedIndex()) << "a menu under the cursor opens";
    ASSERT_TRUE(PumpUntil([&] { return pPopup->GetSafeHwnd() && pPopup->IsVisible(); }));

    // Dropped there, the menu would hold a copy of itself and the move would free the popup.
    EXPECT_FALSE(pPopup->OnDragEnter(pMenu, CPoint(5, 5)));
    EXPECT_TRUE(pPopup->OnDragEnter(barA->GetControl(0), CPoint(5, 5))) << "other controls go in";
    pPopup->OnDragLeave();
    EXPECT_TRUE(barA->OnDragEnter(pMenu, CPoint(5, 5))) << "its own bar takes it";
    barA->OnDragLeave();
    barA->SetTrackingMode(FALSE);
}

}  // namespace
