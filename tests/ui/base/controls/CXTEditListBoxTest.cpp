// The edit list box on a real window: its actions, the codes it sends its parent and the list they leave.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../drawing/DibCanvas.h"
#include "AfxResource.h"
#include "CWnd.h"
#include "CXTEditListBox.h"
#include "CXTFolderDialog.h"
#include "CXTPColorManager.h"

namespace {

class CodeParent : public CWnd {
public:
    std::vector<UINT> codes;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        // The list box's own focus codes are not the edit list's.
        if (LOWORD(wParam) == 60 && HIWORD(wParam) != LBN_SETFOCUS && HIWORD(wParam) != LBN_KILLFOCUS)
            codes.push_back(HIWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

class EditListTest : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        parent = new CodeParent;
        parent->CreateEx(0, CWnd::DefaultClassName(), "Edit lists", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300,
                         nullptr, nullptr);
    }
    static void TearDownTestSuite()
    {
        parent->DestroyWindow();
        delete parent;
        parent = nullptr;
    }

    void SetUp() override
    {
        list = new CXTEditListBox;
        ASSERT_TRUE(list->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS,
                                 CRect(10, 40, 210, 240), parent, 60));
        list->Initialize();
        for (const char* text : {"alpha", "beta", "gamma"})
            list->SetItemData(list->AddString(text), text[0]);
        parent->codes.clear();
    }
    void TearDown() override
    {
        list->DestroyWindow();
        delete list;
        Pump();
        CWnd::DeleteTempMap();
    }

    std::vector<std::string> Items()
    {
        std::vector<std::string> items;
        for (int i = 0; i < list->GetCount(); ++i) {
            CString text;
            list->GetText(i, text);
            items.emplace_back(text);
        }
        return items;
    }
    void Toolbar(int button) { list->GetToolBar().GetButton(button).SendMessage(BM_CLICK); }
    void Type(const char* text, UINT key)
    {
        CXTItemEdit* edit = list->GetItemEdit();
        ASSERT_NE(edit, nullptr);
        if (text)
            edit->SetWindowText(text);
        edit->SendMessage(WM_KEYDOWN, key);
        Pump();
    }
    void Click(UINT message, CPoint at)
    {
        list->SendMessage(message, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        ::ReleaseCapture();
    }
    CPoint ItemMiddle(int n)
    {
        CRect rect;
        list->GetItemRect(n, &rect);
        return rect.CenterPoint();
    }

    static CodeParent* parent;
    CXTEditListBox* list = nullptr;
};

CodeParent* EditListTest::parent = nullptr;

// Each action from a list of alpha, beta, gamma with one item selected (-1: none).
TEST_F(EditListTest, ActionsSendTheirCodesAndLeaveTheList)
{
    const struct {
        const char* name;
        int selected;
        std::function<void(EditListTest&)> act;
        std::vector<UINT> codes;
        std::vector<std::string> items;
        int selectedAfter;
    } cases[] = {
        {"new then Escape", 1, [](EditListTest& t) { t.Toolbar(0); t.Type("half typed", VK_ESCAPE); },
         {0x0DD1, 0x0DCB}, {"alpha", "beta", "gamma"}, -1},
        {"new then Enter", 1, [](EditListTest& t) { t.Toolbar(0); t.Type("delta", VK_RETURN); },
         {0x0DD1, 0x0DCC}, {"alpha", "beta", "gamma", "delta"}, 3},
        {"new left empty", -1, [](EditListTest& t) { t.Toolbar(0); t.Type("", VK_RETURN); },
         {0x0DD1, 0x0DCB}, {"alpha", "beta", "gamma"}, -1},
        {"edit by double click", 1,
         [](EditListTest& t) { t.Click(WM_LBUTTONDBLCLK, t.ItemMiddle(1)); t.Type("BETA", VK_RETURN); },
         {0x0DCA}, {"alpha", "BETA", "gamma"}, 1},
        {"edit unchanged", 1,
         [](EditListTest& t) { t.Click(WM_LBUTTONDBLCLK, t.ItemMiddle(1)); t.Type(nullptr, VK_RETURN); },
         {0x0DCB}, {"alpha", "beta", "gamma"}, 1},
        {"delete the last", 2, [](EditListTest& t) { t.Toolbar(1); }, {0x0DCD, 0x0DCE}, {"alpha", "beta"}, 1},
        {"delete the first", 0, [](EditListTest& t) { t.Toolbar(1); }, {0x0DCD, 0x0DCE}, {"beta", "gamma"}, 0},
        {"delete without a current item", -1, [](EditListTest& t) { t.Toolbar(1); }, {}, {"alpha", "beta", "gamma"},
         -1},
        {"move the first up", 0, [](EditListTest& t) { t.Toolbar(2); }, {0x0DCF}, {"alpha", "beta", "gamma"}, 0},
        {"move the second up", 1, [](EditListTest& t) { t.Toolbar(2); }, {0x0DCF}, {"beta", "alpha", "gamma"}, 0},
        {"move up without a current item", -1, [](EditListTest& t) { t.Toolbar(2); }, {0x0DCF},
         {"alpha", "beta", "gamma"}, -1},
        {"move the first down", 0, [](EditListTest& t) { t.Toolbar(3); }, {0x0DD0}, {"beta", "alpha", "gamma"}, 1},
        {"move the last down", 2, [](EditListTest& t) { t.Toolbar(3); }, {0x0DD0}, {"alpha", "beta", "gamma"}, 2},
        {"click below the items", 1, [](EditListTest& t) { t.Click(WM_LBUTTONDOWN, CPoint(50, 150)); },
         {LBN_SELCHANGE}, {"alpha", "beta", "gamma"}, -1},
        {"click on an item", 0, [](EditListTest& t) { t.Click(WM_LBUTTONDOWN, t.ItemMiddle(2)); }, {},
         {"alpha", "beta", "gamma"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        list->SetCurSel(c.selected);
        c.act(*this);
        EXPECT_EQ(parent->codes, c.codes);
        EXPECT_EQ(Items(), c.items);
        EXPECT_EQ(list->GetCurSel(), c.selectedAfter);
        EXPECT_EQ(list->GetItemEdit(), nullptr);
    }
}

// A new item starts with the default text; Escape drops it even then.
TEST_F(EditListTest, ANewItemWithDefaultTextIsDroppedOnEscapeAndKeptOnEnter)
{
    list->SetListEditStyle("New folder");
    Toolbar(0);
    Type(nullptr, VK_ESCAPE);
    EXPECT_EQ(parent->codes, (std::vector<UINT>{0x0DD1, 0x0DCB}));
    EXPECT_EQ(Items(), (std::vector<std::string>{"alpha", "beta", "gamma"}));
    parent->codes.clear();
    Toolbar(0);
    Type(nullptr, VK_RETURN);
    EXPECT_EQ(parent->codes, (std::vector<UINT>{0x0DD1, 0x0DCC}));
    EXPECT_EQ(Items().back(), "New folder");
}

TEST_F(EditListTest, MovesAndEditsKeepTheItemData)
{
    list->SetCurSel(1);
    Toolbar(2);
    EXPECT_EQ(list->GetItemData(0), static_cast<DWORD_PTR>('b'));
    EXPECT_EQ(list->GetItemData(1), static_cast<DWORD_PTR>('a'));
    Click(WM_LBUTTONDBLCLK, ItemMiddle(0));
    Type("bravo", VK_RETURN);
    EXPECT_EQ(list->GetItemData(0), static_cast<DWORD_PTR>('b'));
}

TEST_F(EditListTest, AClickOutsideEndsTheEditWithItsText)
{
    list->SetCurSel(0);
    Click(WM_LBUTTONDBLCLK, ItemMiddle(0));
    ASSERT_NE(list->GetItemEdit(), nullptr);
    list->GetItemEdit()->SetWindowText("apple");
    list->SendMessage(WM_NCLBUTTONDOWN, HTBORDER, 0);
    Pump();
    EXPECT_EQ(list->GetItemEdit(), nullptr);
    EXPECT_EQ(Items()[0], "apple");
    EXPECT_EQ(parent->codes, (std::vector<UINT>{0x0DCA}));
}

TEST_F(EditListTest, TheItemEditsBrowseButtonFillsInTheItem)
{
    const CXTBrowseChooser previous = CXTFolderDialog::SetChooser({[](CXTFolderDialog&, CString& path) {
        path = "C:\\chosen folder";
        return TRUE;
    }});
    list->m_dwBrowseStyle = BES_XT_CHOOSEDIR;
    list->SetCurSel(0);
    Click(WM_LBUTTONDBLCLK, ItemMiddle(0));
    CXTItemEdit* edit = list->GetItemEdit();
    ASSERT_NE(edit, nullptr);
    CButton& button = edit->GetBrowseButton();
    ASSERT_TRUE(button.GetSafeHwnd());
    EXPECT_EQ(button.GetParent(), list);
    button.SendMessage(BM_CLICK);
    Pump();
    EXPECT_EQ(list->GetItemEdit(), edit);
    Type(nullptr, VK_RETURN);
    CXTFolderDialog::SetChooser(previous);
    EXPECT_EQ(Items()[0], "C:\\chosen folder");
    EXPECT_EQ(parent->codes, (std::vector<UINT>{0x0DCA}));
}

TEST_F(EditListTest, ItemsDrawInTheirStateColoursAndTheToolbarFollowsTheList)
{
    list->SetCurSel(1);
    auto probe = [&](int item) {
        CRect rect;
        list->GetItemRect(item, &rect);
        DibCanvas canvas(200, 200);
        list->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(canvas.dc.GetSafeHdc()), PRF_CLIENT | PRF_ERASEBKGND);
        return ::GetPixel(canvas.dc, rect.right - 4, rect.top + 2);
    };
    EXPECT_EQ(probe(0), GetManagedColor(COLOR_WINDOW));
    EXPECT_EQ(probe(1), GetManagedColor(COLOR_HIGHLIGHT));
    CRect item;
    list->GetItemRect(0, &item);
    EXPECT_EQ(item.Height(), ::GetSystemMetrics(SM_CYMENU) - 2);

    CRect bar, box;
    list->GetToolBar().GetWindowRect(&bar);
    list->GetWindowRect(&box);
    EXPECT_EQ(bar.bottom, box.top);
    EXPECT_EQ(bar.right, box.right);
    list->EnableWindow(FALSE);
    EXPECT_FALSE(list->GetToolBar().GetButton(0).IsWindowEnabled());
    EXPECT_EQ(probe(1), GetManagedColor(COLOR_GRAYTEXT));
    list->SetWindowPos(nullptr, 20, 60, 150, 150, SWP_NOZORDER);
    list->GetToolBar().GetWindowRect(&bar);
    list->GetWindowRect(&box);
    EXPECT_EQ(bar.bottom, box.top);
    EXPECT_EQ(bar.Width(), box.Width());
}

// Each language's tips, wide, and the code page its 8-bit texts are in.
TEST_F(EditListTest, TheToolbarsTipsAreInTheInterfaceLanguageAndItPlacesItsButtonsItself)
{
    const struct {
        WORD language;
        UINT nCodePage;
        const wchar_t* tips[CXTEditListBoxToolBar::kButtons];
    } cases[] = {
        {1033, 1252, {L"New", L"Delete", L"Move Up", L"Move Down"}},
        {1031, 1252, {L"Neu", L"L\u00f6schen", L"Nach oben", L"Nach unten"}},
        {1049, 1251, {L"\u0421\u043e\u0437\u0434\u0430\u0442\u044c", L"\u0423\u0434\u0430\u043b\u0438\u0442\u044c",
                      L"\u0412\u0432\u0435\u0440\u0445", L"\u0412\u043d\u0438\u0437"}},
    };
    for (const auto& c : cases) {
        AfxSetThreadResourceLanguage(c.language);
        TearDown();
        SetUp();
        AfxSetThreadResourceLanguage(0);
        CXTEditListBoxToolBar& bar = list->GetToolBar();
        for (int i = 0; i < CXTEditListBoxToolBar::kButtons; ++i) {
            char expected[64] = {};
            ::WideCharToMultiByte(c.nCodePage, 0, c.tips[i], -1, expected, sizeof(expected), nullptr, nullptr);
            CString tip;
            bar.GetToolTip().GetText(tip, &bar.GetButton(i));
            EXPECT_STREQ(expected, tip) << c.language << " button " << i;
        }
    }

    // Moved on its own, the bar keeps its buttons at its right end.
    CXTEditListBoxToolBar& bar = list->GetToolBar();
    bar.SetWindowPos(nullptr, 0, 0, 150, CXTEditListBoxToolBar::kHeight, SWP_NOZORDER | SWP_NOMOVE);
    CRect rcBar, rcFirst, rcLast;
    bar.GetWindowRect(&rcBar);
    bar.GetButton(0).GetWindowRect(&rcFirst);
    bar.GetButton(CXTEditListBoxToolBar::kButtons - 1).GetWindowRect(&rcLast);
    EXPECT_EQ(rcBar.right, rcLast.right);
    EXPECT_EQ(rcBar.right - CXTEditListBoxToolBar::kButtons * CXTEditListBoxToolBar::kHeight, rcFirst.left);
}

}  // namespace
