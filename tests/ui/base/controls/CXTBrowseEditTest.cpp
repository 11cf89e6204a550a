// The browse edit: its button's size and place, the folder and file choices through the chooser and
// through the system's own dialogs.
#include "CXTBrowseEdit.h"

#include <string>

#include "CFileDialog.h"
#include "ControlHost.h"
#include "CXTFolderDialog.h"

namespace {

std::string g_initialFolder;
DWORD g_fileStructSize = 0;
DWORD g_fileFlags = 0;

BOOL FakeChooseFolder(CXTFolderDialog& dialog, CString& path)
{
    g_initialFolder = dialog.m_szDisplayName;
    path = "C:\\chosen folder";
    return TRUE;
}

BOOL FakeChooseFile(CFileDialog& dialog)
{
    g_fileStructSize = dialog.m_ofn.lStructSize;
    g_fileFlags = dialog.m_ofn.Flags;
    return TRUE;  // the name the dialog was given is the one chosen
}

class BrowseEditTest : public ControlHost {
protected:
    void SetUp() override
    {
        ControlHost::SetUp();
        g_initialFolder.clear();
        previous = CXTFolderDialog::SetChooser({FakeChooseFolder, FakeChooseFile});
        ASSERT_TRUE(edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                  CRect(10, 330, 310, 352), host, 901));
    }
    void TearDown() override
    {
        edit.DestroyWindow();
        if (edit.GetBrowseButton().GetSafeHwnd())
            edit.GetBrowseButton().DestroyWindow();
        CXTFolderDialog::SetChooser(previous);
        ControlHost::TearDown();
    }
    CRect InHost(CWnd& wnd)
    {
        CRect rc;
        wnd.GetWindowRect(&rc);
        host->ScreenToClient(&rc);
        return rc;
    }

    CXTBrowseEdit edit;
    CXTBrowseChooser previous;
};

TEST_F(BrowseEditTest, ButtonSitsBesideTheShrunkEdit)
{
    ASSERT_TRUE(edit.Initialize(host, BES_XT_CHOOSEDIR));
    CXTBrowseButton& button = edit.GetBrowseButton();
    ASSERT_TRUE(button.GetSafeHwnd());
    EXPECT_EQ(button.GetDlgCtrlID(), XT_IDC_BTN_BROWSE);
    const int width = ::GetSystemMetrics(SM_CXHTHUMB) + 2 * ::GetSystemMetrics(SM_CXEDGE);
    const int gap = ::GetSystemMetrics(SM_CXEDGE);
    const CRect rcEdit = InHost(edit), rcButton = InHost(button);
    EXPECT_EQ(rcButton.Width(), width);
    EXPECT_EQ(rcEdit.right, 310 - gap - width);
    EXPECT_EQ(rcButton.left, rcEdit.right + gap);
    EXPECT_EQ(rcButton.top, rcEdit.top);
    EXPECT_EQ(rcButton.Height(), rcEdit.Height());
    CString caption;
    button.GetWindowText(caption);
    EXPECT_STREQ(caption, "...");

    edit.EnableWindow(FALSE);
    EXPECT_FALSE(button.IsWindowEnabled());
    edit.EnableWindow(TRUE);
    EXPECT_TRUE(button.IsWindowEnabled());
}

TEST_F(BrowseEditTest, MenuStyleShowsTheGlyphInsteadOfTheCaption)
{
    ASSERT_TRUE(edit.Initialize(host, BES_XT_POPUPMENU, 9014, 1));
    CXTBrowseButton& button = edit.GetBrowseButton();
    CString caption;
    button.GetWindowText(caption);
    EXPECT_TRUE(caption.IsEmpty());
    ASSERT_NE(button.GetIcon(), nullptr);
    EXPECT_EQ(button.m_sizeImage, CSize(11, 11));
    // The arrow's black pixels are drawn, the magenta around them is not.
    PrintedWindow printed(&button);
    bool black = false, magenta = false;
    for (int y = 0; y < printed.height; ++y)
        for (int x = 0; x < printed.width; ++x) {
            black |= printed.At(x, y) == RGB(0, 0, 0);
            magenta |= printed.At(x, y) == RGB(255, 0, 255);
        }
    EXPECT_TRUE(black);
    EXPECT_FALSE(magenta);
}

TEST_F(BrowseEditTest, FolderBrowsingStartsFromTheTextOrTheCurrentFolder)
{
    ASSERT_TRUE(edit.Initialize(host, BES_XT_CHOOSEDIR));
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, current);
    struct Case {
        const char* text;
        std::string initial;
    } cases[] = {{"", current}, {"D:\\games\\varnok", "D:\\games\\varnok"}};
    for (const Case& c : cases) {
        edit.SetWindowText(c.text);
        // The button's click, as the parent passes it on.
        host->SendMessage(WM_COMMAND, MAKEWPARAM(XT_IDC_BTN_BROWSE, BN_CLICKED),
                          (LPARAM)edit.GetBrowseButton().GetSafeHwnd());
        EXPECT_EQ(g_initialFolder, c.initial);
        CString text;
        edit.GetWindowText(text);
        EXPECT_STREQ(text, "C:\\chosen folder");
    }
}

TEST_F(BrowseEditTest, FileBrowsingUsesTheWholeDialogStructure)
{
    ASSERT_TRUE(edit.Initialize(host, BES_XT_CHOOSEFILE));
    edit.SetFileName("C:\\files\\picked.d");
    edit.OnBrowse();
    EXPECT_EQ(g_fileStructSize, sizeof(OPENFILENAMEA));
    EXPECT_TRUE(g_fileFlags & OFN_FILEMUSTEXIST);
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "C:\\files\\picked.d");
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(end - start, text.GetLength());  // the result is selected
}

// Closes the first dialog of this thread that appears, with the given command.
UINT g_closeCommand = IDCANCEL;
int g_closedDialogs = 0;
BOOL CALLBACK CloseDialog(HWND hWnd, LPARAM)
{
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    if (lstrcmpA(className, "#32770") == 0 && ::IsWindowVisible(hWnd)) {
        ::PostMessageA(hWnd, WM_COMMAND, g_closeCommand, 0);
        ++g_closedDialogs;
        return FALSE;
    }
    return TRUE;
}
void CALLBACK CloseDialogTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), CloseDialog, 0);
}

// Browses with the system's dialog, which a timer closes with the command; the number closed.
int BrowseClosingWith(CXTBrowseEdit& edit, UINT command)
{
    g_closeCommand = command;
    g_closedDialogs = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 300, CloseDialogTimer);
    edit.OnBrowse();
    ::KillTimer(nullptr, timer);
    return g_closedDialogs;
}

TEST_F(BrowseEditTest, SystemFolderBrowserReturnsTheFolderItStartedOn)
{
    CXTFolderDialog::SetChooser({});
    ASSERT_TRUE(edit.Initialize(host, BES_XT_CHOOSEDIR));
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    edit.SetWindowText(windows);
    EXPECT_EQ(BrowseClosingWith(edit, IDOK), 1);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(lstrcmpiA(text, windows), 0) << (const char*)text;
}

TEST_F(BrowseEditTest, SystemFileDialogCancelledKeepsTheText)
{
    CXTFolderDialog::SetChooser({});
    ASSERT_TRUE(edit.Initialize(host, BES_XT_CHOOSEFILE));
    edit.SetWindowText("kept.d");
    EXPECT_EQ(BrowseClosingWith(edit, IDCANCEL), 1);
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "kept.d");
}

}  // namespace
