// Property sheets: two pages run modally and modelessly and close with their values, a page that
// refuses to be left, no Apply button, and page templates from resources or replaced in memory.
#include <gtest/gtest.h>

#include <functional>

#include "CPropertySheet.h"
#include "DialogTemplate.h"

namespace {

enum : WORD {
    IDC_NAME = 1001,
    IDC_ENABLED = 1002,
    IDC_MEMORY = 1003,
    IDC_RESOURCE = 1101,  // the edit of resource template 400
    IDD_RESOURCE_PAGE = 400,
    IDS_GENERAL = 2010,  // "General"
    ID_APPLY_BUTTON = 0x3021,
};
const UINT WM_TEST_STEP = WM_APP + 1;
const DWORD kPageStyle = DS_CONTROL | WS_CHILD | WS_DISABLED | WS_CAPTION;

// The first page: a name that may not be empty when the page is left.
class NamePage : public CPropertyPage {
public:
    explicit NamePage(const DialogTemplate& t)
    {
        m_psp.dwFlags |= PSP_DLGINDIRECT;
        m_psp.pResource = t.Get();
    }
    CString m_name;
    int oks = 0;
    int cancels = 0;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_NAME, m_name); }
    BOOL OnKillActive() override { return CPropertyPage::OnKillActive() && !m_name.IsEmpty(); }
    void OnOK() override { ++oks; }
    void OnCancel() override { ++cancels; }
};

// The second page: a check box.
class OptionPage : public CPropertyPage {
public:
    explicit OptionPage(const DialogTemplate& t)
    {
        m_psp.dwFlags |= PSP_DLGINDIRECT;
        m_psp.pResource = t.Get();
    }
    int m_enabled = 0;
    int oks = 0;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Check(pDX, IDC_ENABLED, m_enabled); }
    void OnOK() override { ++oks; }
};

// A sheet that lets the test's step function play the user once its loop first runs idle.
class TestSheet : public CPropertySheet {
public:
    TestSheet() : CPropertySheet("Options") {}
    std::function<void(TestSheet&, int)> play;
    int step = 0;
    int kicks = 0;
    LRESULT OnStep(WPARAM, LPARAM)
    {
        if (play)
            play(*this, step++);
        return 0;
    }
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (kicks++ == 0)
            PostMessage(WM_TEST_STEP);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestSheet, CPropertySheet)
    ON_MESSAGE(WM_TEST_STEP, OnStep)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

DialogTemplate NameTemplate()
{
    DialogTemplate t("Name", 160, 80, kPageStyle);
    t.Item(0x81, IDC_NAME, "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 5, 100, 12);
    return t;
}

DialogTemplate OptionTemplate()
{
    DialogTemplate t("Option", 160, 80, kPageStyle);
    t.Item(0x80, IDC_ENABLED, "Enabled", BS_AUTOCHECKBOX | WS_TABSTOP, 5, 5, 80, 10);
    return t;
}

CString TabText(const CPropertySheet& sheet, int index)
{
    CWnd* tabs = sheet.GetTabControl();
    if (!tabs)
        return "(no tabs)";
    char text[64] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    tabs->SendMessage(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

void Press(CWnd& sheet, UINT id)
{
    sheet.PostMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(sheet.m_hWnd, id)));
}

// A name page and an option page, in a sheet of their own.
class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        names.m_name = "Start";
        sheet.AddPage(&names);
        sheet.AddPage(&options);
    }
    void TearDown() override { CWnd::DeleteTempMap(); }

    DialogTemplate nameTemplate = NameTemplate();
    DialogTemplate optionTemplate = OptionTemplate();
    NamePage names{nameTemplate};
    OptionPage options{optionTemplate};
    TestSheet sheet;
};

TEST_F(PropertySheetTest, ModalSheetClosesWithTheValuesOfBothPages)
{
    sheet.AddPage(&names);  // once only
    EXPECT_EQ(sheet.GetPageCount(), 2);

    CString shown;
    bool applyButton = true, okButton = false;
    int activeAfterSwitch = -1;
    sheet.play = [&](TestSheet& s, int step) {
        if (step == 0) {
            names.GetDlgItemText(IDC_NAME, shown);
            applyButton = ::GetDlgItem(s.m_hWnd, ID_APPLY_BUTTON) && ::IsWindowVisible(::GetDlgItem(s.m_hWnd, ID_APPLY_BUTTON));
            okButton = ::GetDlgItem(s.m_hWnd, IDOK) != nullptr;
            names.SetDlgItemText(IDC_NAME, "Typed");
            s.SetActivePage(1);
            activeAfterSwitch = s.GetActiveIndex();
            options.CheckDlgButton(IDC_ENABLED, BST_CHECKED);
            Press(s, IDOK);
        }
    };

    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_STREQ(shown, "Start");
    EXPECT_FALSE(applyButton);
    EXPECT_TRUE(okButton);
    EXPECT_EQ(activeAfterSwitch, 1);
    EXPECT_STREQ(names.m_name, "Typed");  // taken when its page was left
    EXPECT_EQ(options.m_enabled, 1);      // taken on OK
    EXPECT_EQ(names.oks, 1);
    EXPECT_EQ(options.oks, 1);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(names.m_hWnd, nullptr);
    EXPECT_EQ(options.m_hWnd, nullptr);
}

TEST_F(PropertySheetTest, PageThatRefusesToBeLeftStaysAndCancelEndsTheSheet)
{
    BOOL switched = TRUE;
    int active = -1;
    bool stillOpenAfterOk = false;
    sheet.play = [&](TestSheet& s, int step) {
        if (step == 0) {
            names.SetDlgItemText(IDC_NAME, "");
            switched = s.SetActivePage(&options);
            active = s.GetActiveIndex();
            Press(s, IDOK);  // refused as well: the sheet stays open
            s.PostMessage(WM_TEST_STEP);
        } else if (step == 1) {
            stillOpenAfterOk = ::IsWindow(s.m_hWnd) && s.GetActivePage() == &names;
            Press(s, IDCANCEL);
        }
    };

    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(switched);
    EXPECT_EQ(active, 0);
    EXPECT_TRUE(stillOpenAfterOk);
    EXPECT_EQ(names.oks, 0);
    EXPECT_EQ(names.cancels, 1);
    EXPECT_EQ(options.oks, 0);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

TEST_F(PropertySheetTest, ModelessSheetClosesItselfWithItsValues)
{
    sheet.RemovePage(&options);
    EXPECT_EQ(sheet.GetPageCount(), 1);
    ASSERT_TRUE(sheet.Create());
    EXPECT_EQ(CWnd::FromHandlePermanent(sheet.m_hWnd), &sheet);
    EXPECT_EQ(sheet.GetActivePage(), &names);
    EXPECT_EQ(names.GetSheet(), &sheet);
    EXPECT_FALSE(sheet.Create());  // one window per sheet

    // A page added to the open sheet gets its tab.
    sheet.AddPage(&options);
    EXPECT_EQ(sheet.GetPageCount(), 2);
    EXPECT_STREQ(TabText(sheet, 1), "Option");
    ASSERT_TRUE(sheet.SetActivePage(&options));
    ASSERT_NE(options.m_hWnd, nullptr);
    options.CheckDlgButton(IDC_ENABLED, BST_CHECKED);

    sheet.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(sheet.m_hWnd, IDOK)));
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(options.m_enabled, 1);
    EXPECT_EQ(names.oks, 1);
    EXPECT_EQ(options.oks, 1);
}

TEST(PropertySheetTemplateTest, PageTemplatesComeFromResourcesOrFromMemory)
{
    // One page from its resource with a caption string; one whose template is replaced in memory
    // before the sheet is made.
    CPropertyPage fromResource(IDD_RESOURCE_PAGE, IDS_GENERAL);
    CPropertyPage replaced(IDD_RESOURCE_PAGE);
    DialogTemplate memory("Memory page", 160, 80, kPageStyle);
    memory.Item(0x81, IDC_MEMORY, "", WS_BORDER, 5, 5, 100, 12);
    replaced.m_psp.dwFlags |= PSP_DLGINDIRECT;
    replaced.m_psp.pResource = memory.Get();

    CPropertySheet sheet("Templates");
    sheet.AddPage(&fromResource);
    sheet.AddPage(&replaced);
    ASSERT_TRUE(sheet.Create());
    EXPECT_STREQ(TabText(sheet, 0), "General");
    EXPECT_STREQ(TabText(sheet, 1), "Memory page");
    EXPECT_NE(fromResource.GetDlgItem(IDC_RESOURCE), nullptr);
    ASSERT_TRUE(sheet.SetActivePage(1));
    EXPECT_NE(replaced.GetDlgItem(IDC_MEMORY), nullptr);
    EXPECT_EQ(replaced.GetDlgItem(IDC_RESOURCE), nullptr);
    sheet.DestroyWindow();
    CWnd::DeleteTempMap();

    // Nothing to show, or a page without template: the sheet is not made.
    CPropertySheet empty("Empty");
    EXPECT_EQ(empty.DoModal(), -1);
    CPropertyPage missing(999);
    CPropertySheet broken("Broken");
    broken.AddPage(&missing);
    EXPECT_EQ(broken.DoModal(), -1);
    EXPECT_FALSE(broken.Create());
    EXPECT_EQ(broken.m_hWnd, nullptr);
    EXPECT_EQ(broken.GetTabControl(), nullptr);
}

}  // namespace
