// Buttons, statics, edits, list and combo boxes, scroll bars: texts by index, lines, owner drawing.
#include <string>

#include "CButton.h"
#include "CComboBox.h"
#include "CDC.h"
#include "CEdit.h"
#include "CListBox.h"
#include "CScrollBar.h"
#include "CStatic.h"
#include "ControlHost.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);

// Paints itself red and remembers what it was asked to paint.
class RedButton : public CButton {
public:
    UINT drawnId = 0;
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        drawnId = dis->CtlID;
        CDC::FromHandle(dis->hDC)->FillSolidRect(&dis->rcItem, kRed);
    }
};

using StandardControls = ControlHost;

TEST_F(StandardControls, CreateAsChildrenWithTheirIds)
{
    CButton check;
    CStatic label;
    CEdit edit;
    ASSERT_TRUE(check.Create("Check", BS_AUTOCHECKBOX | WS_VISIBLE, Box(10, 10, 100, 20), &host, 11));
    ASSERT_TRUE(label.Create("Label", WS_VISIBLE, Box(10, 40, 100, 20), &host, 12));
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER, Box(10, 70, 100, 20), &host, 13));
    EXPECT_EQ(host.GetDlgItem(11), &check);
    EXPECT_EQ(host.GetDlgItem(13), &edit);
    EXPECT_TRUE(check.GetStyle() & WS_CHILD);
    EXPECT_EQ(check.GetButtonStyle(), static_cast<UINT>(BS_AUTOCHECKBOX));
    CString text;
    label.GetWindowText(text);
    EXPECT_STREQ(text, "Label");

    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_FALSE(check.Create("Again", WS_VISIBLE, Box(0, 0, 1, 1), &host, 14)) << "one window per object";
}

TEST_F(StandardControls, OwnerDrawnButtonPaintsThroughDrawItem)
{
    RedButton button;
    ASSERT_TRUE(button.Create("", BS_OWNERDRAW | WS_VISIBLE, Box(10, 10, 40, 30), &host, 21));
    HDC screen = ::GetDC(nullptr);
    CDC memory;
    memory.Attach(::CreateCompatibleDC(screen));
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(CDC::FromHandle(screen), 40, 30);
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, 40, 30, RGB(255, 255, 255));
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.m_hDC), PRF_CLIENT);
    EXPECT_EQ(button.drawnId, 21u) << "the parent's WM_DRAWITEM did not reach the button";
    EXPECT_EQ(memory.GetPixel(20, 15), kRed);
    memory.SelectObject(old);
    ::ReleaseDC(nullptr, screen);
}

TEST_F(StandardControls, ListBoxTextsDataAndSelection)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, Box(10, 10, 200, 120), &host, 31));
    const std::string longText(600, 'q');
    EXPECT_EQ(list.AddString("alpha"), 0);
    EXPECT_EQ(list.AddString(longText.c_str()), 1);
    EXPECT_EQ(list.InsertString(0, "first"), 0);
    EXPECT_EQ(list.GetCount(), 3);

    CString text;
    EXPECT_EQ(list.GetText(2, text), 600);
    EXPECT_EQ(std::string(text), longText);
    text = "stale";
    EXPECT_EQ(list.GetText(7, text), LB_ERR);
    EXPECT_TRUE(text.IsEmpty());

    EXPECT_EQ(list.FindStringExact(-1, "alpha"), 1);
    EXPECT_NE(list.SetItemData(1, 0xABCD), LB_ERR);
    EXPECT_EQ(list.GetItemData(1), 0xABCDu);
    EXPECT_EQ(list.SetCurSel(1), 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(list.DeleteString(0), 2);
    EXPECT_EQ(list.GetCurSel(), 0);
}

TEST_F(StandardControls, ComboBoxTextsAndSelection)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, Box(10, 10, 200, 150), &host, 41));
    EXPECT_EQ(combo.AddString("one"), 0);
    EXPECT_EQ(combo.AddString("two"), 1);
    CString text;
    EXPECT_EQ(combo.GetLBText(1, text), 3);
    EXPECT_STREQ(text, "two");
    EXPECT_EQ(combo.GetLBText(5, text), CB_ERR);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(combo.SelectString(-1, "tw"), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);
    combo.SetItemData(0, 42);
    EXPECT_EQ(combo.GetItemData(0), 42u);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
}

TEST_F(StandardControls, EditLinesSelectionAndUndo)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | WS_BORDER, Box(10, 10, 300, 100), &host, 51));
    edit.SetWindowText("first line\r\nx\r\n\r\nlast");
    EXPECT_EQ(edit.GetLineCount(), 4);
    struct Case {
        int line;
        const char* text;
    };
    const Case cases[] = {{0, "first line"}, {1, "x"}, {2, ""}, {3, "last"}, {4, ""}, {-1, ""}};
    for (const Case& c : cases) {
        CString line("stale");
        EXPECT_EQ(edit.GetLine(c.line, line), static_cast<int>(std::string(c.text).size())) << c.line;
        EXPECT_STREQ(line, c.text) << c.line;
    }

    edit.SetSel(0, 5);
    int start = -1;
    int end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
    edit.SetModify(FALSE);
    edit.ReplaceSel("FIRST", TRUE);
    EXPECT_TRUE(edit.GetModify());
    CString line;
    edit.GetLine(0, line);
    EXPECT_STREQ(line, "FIRST line");
    EXPECT_TRUE(edit.CanUndo());
    edit.Undo();
    edit.GetLine(0, line);
    EXPECT_STREQ(line, "first line");
}

TEST_F(StandardControls, ScrollBarLimitFollowsThePage)
{
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_VISIBLE | SBS_HORZ, Box(10, 10, 200, 16), &host, 61));
    SCROLLINFO info = {};
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = 100;
    info.nPage = 10;
    bar.SetScrollInfo(&info);
    EXPECT_EQ(bar.GetScrollLimit(), 91);
    bar.SetScrollPos(200);
    EXPECT_EQ(bar.GetScrollPos(), 91);
    int low = -1;
    int high = -1;
    bar.GetScrollRange(&low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);
}

} // namespace
