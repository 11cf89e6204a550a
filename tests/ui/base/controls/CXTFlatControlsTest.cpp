// Flat combo and edit: completion of typed text, frames by state, the edit commands' update rules.
#include "CXTFlatComboBox.h"
#include "CXTFlatControlsTheme.h"
#include "CXTFlatEdit.h"

#include "AfxIds.h"
#include "ControlHost.h"
#include "CXTPColorManager.h"

namespace {

class FlatComboTest : public ControlHost {
protected:
    void SetUp() override
    {
        ControlHost::SetUp();
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL,
                                 CRect(10, 10, 200, 200), host, 601));
        combo.AddString("open");
        combo.AddString("print");
        combo.AddString("printer setup");
    }
    void TearDown() override
    {
        combo.DestroyWindow();
        ControlHost::TearDown();
    }
    // Types into the combo's edit as the keyboard would.
    void Type(const char* text)
    {
        HWND edit = ::GetWindow(combo.m_hWnd, GW_CHILD);
        for (const char* p = text; *p; ++p)
            ::SendMessageA(edit, WM_CHAR, (WPARAM)(unsigned char)*p, 1);
    }

    CXTFlatComboBox combo;
};

TEST_F(FlatComboTest, TypedPrefixIsCompletedFromTheList)
{
    struct Case {
        const char* typed;
        const char* shown;
        int selStart, selEnd;
    } cases[] = {
        {"pr", "print", 2, 5},
        {"o", "open", 1, 4},
        {"zz", "zz", 2, 2},  // no match keeps the typed text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        combo.SetWindowText("");
        Type(c.typed);
        CString shown;
        combo.GetWindowText(shown);
        EXPECT_STREQ(shown, c.shown);
        const DWORD sel = combo.GetEditSel();
        EXPECT_EQ(LOWORD(sel), c.selStart);
        EXPECT_EQ(HIWORD(sel), c.selEnd);
    }
}

TEST_F(FlatComboTest, BackspaceAndDeleteSkipTheNextCompletion)
{
    HWND edit = ::GetWindow(combo.m_hWnd, GW_CHILD);
    for (WPARAM key : {(WPARAM)VK_BACK, (WPARAM)VK_DELETE}) {
        MSG msg = {edit, WM_KEYDOWN, key, 0, 0, {0, 0}};
        combo.PreTranslateMessage(&msg);
        EXPECT_TRUE(combo.m_bSkipCompletion);
        combo.SetWindowText("");
        Type("pr");
        CString shown;
        combo.GetWindowText(shown);
        EXPECT_STREQ(shown, "pr");
    }
    MSG msg = {edit, WM_KEYDOWN, 'P', 0, 0, {0, 0}};
    combo.PreTranslateMessage(&msg);
    EXPECT_FALSE(combo.m_bSkipCompletion);
}

TEST_F(FlatComboTest, XpLookRaisesItsBorderWhenHot)
{
    CXTFlatControlsThemeXP* theme = new CXTFlatControlsThemeXP;
    combo.SetTheme(theme);
    CursorAway();
    {
        PrintedWindow printed(&combo);
        EXPECT_EQ(printed.At(0, 0), GetManagedColor(COLOR_BTNFACE));
    }
    PlaceCursor(&combo, CPoint(20, 5));
    combo.SendMessage(WM_TIMER, 1000);
    EXPECT_EQ(combo.GetDrawState(), XT_FLAT_RAISED);
    PrintedWindow printed(&combo);
    EXPECT_EQ(printed.At(0, 0), GetManagedColor(32));
    // The drop button takes the hot fill.
    EXPECT_EQ(printed.At(printed.width - 4, 3), GetManagedColor(31));
    CursorAway();
    combo.SendMessage(WM_TIMER, 1000);
    EXPECT_EQ(combo.GetDrawState(), XT_FLAT_NORMAL);
    combo.SetTheme(nullptr);
}

class FlatEditTest : public ControlHost {
protected:
    void SetUp() override
    {
        ControlHost::SetUp();
        ASSERT_TRUE(edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                  CRect(10, 220, 200, 244), host, 602));
    }
    void TearDown() override
    {
        edit.DestroyWindow();
        ControlHost::TearDown();
    }
    // The window printed with its frame; the pixel at the window's top-left corner.
    COLORREF FramePixel() { return WindowPixel(0, 0); }
    // A pixel of the window printed with its frame, in window coordinates.
    COLORREF WindowPixel(int x, int y)
    {
        CRect window;
        edit.GetWindowRect(&window);
        HDC screen = ::GetDC(nullptr);
        HDC dc = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, window.Width(), window.Height());
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        edit.SendMessage(WM_PRINT, (WPARAM)dc, PRF_NONCLIENT | PRF_CLIENT);
        const COLORREF pixel = ::GetPixel(dc, x, y);
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        return pixel;
    }

    CXTFlatEdit edit;
};

TEST_F(FlatEditTest, FocusedEditStaysRaisedWhenThePointerLeaves)
{
    const COLORREF face = GetManagedColor(COLOR_BTNFACE);
    const COLORREF shadow = GetManagedColor(COLOR_BTNSHADOW);
    CursorAway();
    EXPECT_EQ(FramePixel(), face);

    PlaceCursor(&edit, CPoint(5, 5));
    edit.SendMessage(WM_TIMER, 1000);
    EXPECT_EQ(FramePixel(), shadow);

    edit.SetFocus();
    CursorAway();
    edit.SendMessage(WM_TIMER, 1000);
    EXPECT_EQ(edit.GetDrawState(), XT_FLAT_RAISED);
    EXPECT_EQ(FramePixel(), shadow);

    host->SetFocus();
    edit.SendMessage(WM_TIMER, 1000);
    EXPECT_EQ(edit.GetDrawState(), XT_FLAT_NORMAL);
    EXPECT_EQ(FramePixel(), face);
}

TEST_F(FlatEditTest, DisabledEditHasAWindowColouredInnerFrameOnAFaceBackground)
{
    edit.EnableWindow(FALSE);
    PrintedWindow printed(&edit);
    EXPECT_EQ(printed.At(printed.width / 2, printed.height / 2), GetManagedColor(COLOR_BTNFACE));
    EXPECT_EQ(WindowPixel(1, 1), GetManagedColor(COLOR_WINDOW));  // the inner frame
    edit.EnableWindow(TRUE);
    EXPECT_EQ(WindowPixel(1, 1), GetManagedColor(COLOR_BTNFACE));
}

TEST_F(FlatEditTest, EditCommandsFollowTheSelectionAndText)
{
    struct Case {
        const char* text;
        int selStart, selEnd;
        BOOL cut, copy, clear, selectAll;
    } cases[] = {
        {"", 0, 0, FALSE, FALSE, FALSE, FALSE},
        {"words", 2, 2, FALSE, FALSE, FALSE, TRUE},
        {"words", 1, 4, TRUE, TRUE, TRUE, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        edit.SetWindowText(c.text);
        edit.SetSel(c.selStart, c.selEnd);
        EXPECT_EQ(edit.IsCommandEnabled(ID_EDIT_CUT), c.cut);
        EXPECT_EQ(edit.IsCommandEnabled(ID_EDIT_COPY), c.copy);
        EXPECT_EQ(edit.IsCommandEnabled(ID_EDIT_CLEAR), c.clear);
        EXPECT_EQ(edit.IsCommandEnabled(ID_EDIT_SELECT_ALL), c.selectAll);
    }
    edit.SetWindowText("abc");
    edit.SetSel(0, 0);
    EXPECT_TRUE(edit.ExecuteCommand(ID_EDIT_SELECT_ALL));
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(end - start, 3);
}

}  // namespace
