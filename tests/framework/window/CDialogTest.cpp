// Dialogs: a modal dialog with data exchange filled and closed by posted messages, failed
// exchanges that keep it open, the idle messages of its loop, and modeless dialogs.
#include <gtest/gtest.h>

#include <functional>

#include "AfxResource.h"
#include "CDialog.h"
#include "DialogTemplate.h"

namespace {

enum : WORD {
    IDC_NAME = 1001,
    IDC_ENABLED = 1002,
    IDC_RADIO_A = 1003,
    IDC_RADIO_B = 1004,
    IDC_RADIO_C = 1005,
    IDC_KIND = 1006,
    IDC_MISSING = 1099,
};
const UINT WM_TEST_STEP = WM_APP + 1;

DialogTemplate SettingsTemplate()
{
    DialogTemplate t("Settings", 200, 120);
    t.Item(0x81, IDC_NAME, "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | WS_GROUP, 5, 5, 100, 12)
        .Item(0x80, IDC_ENABLED, "Enabled", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 5, 20, 80, 10)
        .Item(0x80, IDC_RADIO_A, "A", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 35, 40, 10)
        .Item(0x80, IDC_RADIO_B, "B", BS_AUTORADIOBUTTON, 50, 35, 40, 10)
        .Item(0x80, IDC_RADIO_C, "C", BS_AUTORADIOBUTTON, 95, 35, 40, 10)
        .Item(0x85, IDC_KIND, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 5, 50, 100, 60)
        .Item(0x80, IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 110, 100, 40, 14)
        .Item(0x80, IDCANCEL, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 155, 100, 40, 14);
    return t;
}

// Shows its members, then lets the test's step function play the user.
class SettingsDialog : public CDialog {
public:
    CString m_name;
    int m_enabled = 0;
    int m_radio = -1;
    int m_kind = -1;
    CWnd m_nameControl;
    bool m_exchangeMissing = false;
    int m_kickIdle = 0;
    int m_step = 0;
    std::function<void(SettingsDialog&, int)> play;
    // What the controls showed when the dialog opened.
    CString shownName;
    int shownEnabled = -1;
    int shownRadio = -1;
    int shownKind = -1;
    BOOL shownVisible = FALSE;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_NAME, m_nameControl);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDX_Check(pDX, IDC_ENABLED, m_enabled);
        DDX_Radio(pDX, IDC_RADIO_A, m_radio);
        DDX_CBIndex(pDX, IDC_KIND, m_kind);
        if (m_exchangeMissing && pDX->m_bSaveAndValidate)
            DDX_Check(pDX, IDC_MISSING, m_enabled);
    }

    BOOL OnInitDialog() override
    {
        for (const char* kind : {"Script", "Model", "Texture"})
            SendDlgItemMessageA(m_hWnd, IDC_KIND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
        CDialog::OnInitDialog();
        GetDlgItemText(IDC_NAME, shownName);
        shownEnabled = static_cast<int>(IsDlgButtonChecked(IDC_ENABLED));
        for (int i = 0; i < 3; ++i)
            if (IsDlgButtonChecked(IDC_RADIO_A + i))
                shownRadio = i;
        shownKind = static_cast<int>(SendDlgItemMessageA(m_hWnd, IDC_KIND, CB_GETCURSEL, 0, 0));
        return TRUE;
    }

    LRESULT OnStep(WPARAM, LPARAM)
    {
        if (play)
            play(*this, m_step++);
        return 0;
    }
    // The user starts once the loop first runs out of messages, as a person would.
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (m_kickIdle++ == 0) {
            shownVisible = IsWindowVisible();
            PostMessage(WM_TEST_STEP);
        }
        return 0;  // no more idle time wanted
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SettingsDialog, CDialog)
    ON_MESSAGE(WM_TEST_STEP, OnStep)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

TEST(CDialogTest, ModalDialogShowsItsValuesAndReturnsWhatTheUserEntered)
{
    DialogTemplate t = SettingsTemplate();
    SettingsDialog dlg;
    dlg.InitModalIndirect(t.Get());
    dlg.m_name = "Start";
    dlg.m_enabled = 1;
    dlg.m_radio = 1;
    dlg.m_kind = 2;
    dlg.play = [](SettingsDialog& d, int) {
        d.SetDlgItemText(IDC_NAME, "Typed name");
        d.CheckDlgButton(IDC_ENABLED, BST_UNCHECKED);
        d.CheckRadioButton(IDC_RADIO_A, IDC_RADIO_C, IDC_RADIO_C);
        SendDlgItemMessageA(d.m_hWnd, IDC_KIND, CB_SETCURSEL, 0, 0);
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                      reinterpret_cast<LPARAM>(::GetDlgItem(d.m_hWnd, IDOK)));
    };

    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_STREQ(dlg.shownName, "Start");
    EXPECT_EQ(dlg.shownEnabled, 1);
    EXPECT_EQ(dlg.shownRadio, 1);
    EXPECT_EQ(dlg.shownKind, 2);

    EXPECT_STREQ(dlg.m_name, "Typed name");
    EXPECT_EQ(dlg.m_enabled, 0);
    EXPECT_EQ(dlg.m_radio, 2);
    EXPECT_EQ(dlg.m_kind, 0);
    EXPECT_TRUE(dlg.shownVisible);  // shown by the first idle moment
    EXPECT_EQ(dlg.m_hWnd, nullptr);            // the window is gone
    EXPECT_EQ(dlg.m_nameControl.m_hWnd, nullptr);  // and the exchanged control let go of it
}

TEST(CDialogTest, FailedExchangeKeepsTheDialogOpenAndCancelLeavesTheValues)
{
    DialogTemplate t = SettingsTemplate();
    SettingsDialog dlg;
    dlg.InitModalIndirect(t.Get());
    dlg.m_name = "Kept";
    dlg.m_exchangeMissing = true;
    bool stillOpenAfterOk = false;
    dlg.play = [&](SettingsDialog& d, int step) {
        if (step == 0) {
            d.SetDlgItemText(IDC_NAME, "Discarded");
            d.PostMessage(WM_COMMAND, IDOK);  // the exchange fails: no control IDC_MISSING
            d.PostMessage(WM_TEST_STEP);
        } else {
            stillOpenAfterOk = ::IsWindow(d.m_hWnd) && d.ContinueModal();
            d.PostMessage(WM_COMMAND, IDCANCEL);
        }
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(stillOpenAfterOk);
    // The failed exchange may have read part of the controls, but Cancel keeps the rest.
    EXPECT_EQ(dlg.m_radio, -1);
}

// Closes itself at its first idle moment, after noting its caption and exchanged text.
class ResourceDialog : public CDialog {
public:
    ResourceDialog() : CDialog(300u) {}
    CString m_text = "from member";
    CString caption;

    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 1001, m_text); }
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        GetWindowText(caption);
        SetDlgItemText(1001, "typed");
        PostMessage(WM_COMMAND, IDOK);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ResourceDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

TEST(CDialogTest, TemplateComesFromTheResourcesInTheInterfaceLanguage)
{
    for (WORD language : {WORD(1033), WORD(1031)}) {
        AfxSetResourceLanguage(language);
        ResourceDialog dlg;
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_STREQ(dlg.caption, language == 1031 ? "Ressourcendialog" : "Resource dialog");
        EXPECT_STREQ(dlg.m_text, "typed");
    }
    AfxSetResourceLanguage(1033);
}

TEST(CDialogTest, MissingTemplateFails)
{
    CDialog dlg(static_cast<UINT>(65000));
    EXPECT_EQ(dlg.DoModal(), -1);
    CDialog noTemplate;
    EXPECT_EQ(noTemplate.DoModal(), -1);
}

TEST(CDialogTest, ModelessDialogLivesUntilDestroyed)
{
    DialogTemplate t = SettingsTemplate();
    SettingsDialog dlg;
    dlg.m_name = "Modeless";
    ASSERT_TRUE(dlg.CreateIndirect(t.Get()));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
    EXPECT_STREQ(dlg.shownName, "Modeless");
    dlg.SetDlgItemText(IDC_NAME, "Changed");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ(dlg.m_name, "Changed");
    dlg.OnCancel();  // hides a modeless dialog
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

}  // namespace
