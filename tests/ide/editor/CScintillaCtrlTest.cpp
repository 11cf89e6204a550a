// The editing control: creation, both call paths, and the selection as text.
#include <gtest/gtest.h>

#include "CScintillaCtrl.h"
#include "EditorFixture.h"

namespace {

class ScintillaCtrlTest : public ::testing::Test {
protected:
    CWnd parent;
    CScintillaCtrl ctrl;

    void SetUp() override
    {
        RegisterEditorClasses();
        // Hidden: under Wine without a window manager a shown top-level window takes seconds to go.
        ASSERT_TRUE(parent.CreateEx(0, "STATIC", "host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
        ASSERT_TRUE(ctrl.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &parent, 10000));
    }
    void TearDown() override
    {
        ctrl.DestroyWindow();
        parent.DestroyWindow();
    }
    void Text(const char* text) { ctrl.SetText(reinterpret_cast<LPARAM>(text)); }
};

TEST_F(ScintillaCtrlTest, DirectCallsAndMessagesGiveTheSameAnswers)
{
    EXPECT_NE(ctrl.GetDirectFunction(), 0);
    EXPECT_NE(ctrl.GetDirectPointer(), 0);
    Text("first line\r\nsecond\r\n");
    for (BOOL direct : {TRUE, FALSE}) {
        EXPECT_EQ(ctrl.GetLength(direct), 20) << direct;
        EXPECT_EQ(ctrl.GetLineCount(direct), 3) << direct;
        EXPECT_EQ(ctrl.GetCharAt(12, direct), 's') << direct;
        EXPECT_EQ(ctrl.PositionFromLine(1, direct), 12) << direct;
        EXPECT_EQ(ctrl.LineFromPosition(13, direct), 1) << direct;
        EXPECT_EQ(ctrl.WordEndPosition(0, TRUE, direct), 5) << direct;
    }
    // Writes through one path are seen through the other.
    ctrl.SetSel(0, 5, FALSE);
    EXPECT_EQ(ctrl.GetSelectionEnd(TRUE), 5);
    ctrl.ReplaceSel(reinterpret_cast<LPARAM>("1st"), TRUE);
    EXPECT_EQ(ctrl.GetLength(FALSE), 18);
}

TEST_F(ScintillaCtrlTest, SelectedTextIsWhatTheSelectionHoldsAlsoWhenRectangular)
{
    Text("abcdef\r\nabcdef\r\nabcdef");  // columns equally wide on every line
    EXPECT_STREQ(ctrl.GetSelText(), "");  // nothing selected
    ctrl.SetSel(2, 11);
    EXPECT_STREQ(ctrl.GetSelText(), "cdef\r\nabc");

    // Columns 1-3 of all three lines: longer than the distance between the selection's ends.
    ::SendMessageA(ctrl, SCI_SETRECTANGULARSELECTIONANCHOR, 1, 0);
    ::SendMessageA(ctrl, SCI_SETRECTANGULARSELECTIONCARET, 19, 0);
    ASSERT_EQ(::SendMessageA(ctrl, SCI_SELECTIONISRECTANGLE, 0, 0), 1);
    EXPECT_STREQ(ctrl.GetSelText(), "bc\r\nbc\r\nbc\r\n");
}

}  // namespace
