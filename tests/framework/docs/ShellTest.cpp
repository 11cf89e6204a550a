// Documents and the shell: the recent-file list fed by opening and saving and used from the menu,
// the command line's shell commands, and the document type's registration with the shell.
#include <gtest/gtest.h>

#include <cstring>

#include "AfxIds.h"
#include "CCommandLineInfo.h"
#include "COleDropTarget.h"
#include "CPrintDialog.h"
#include "CRecentFileList.h"
#include "DocsFixture.h"

namespace {

const char* const kKey = "Tavrelin docs tests";

class ShellTest : public DocsTest {
protected:
    void SetUp() override
    {
        DocsTest::SetUp();
        DeleteProfile();
        app.SetRegistryKey(kKey);
        app.LoadStdProfileSettings(4);
        Start(RUNTIME_CLASS(TextView));
    }
    void TearDown() override
    {
        DocsTest::TearDown();
        DeleteProfile();
    }
    static void DeleteProfile() { ::RegDeleteTreeA(HKEY_CURRENT_USER, (CString("Software\\") + kKey).operator const char*()); }

    // A saved text file of that name in the scratch folder.
    std::string SavedText(const char* name, const char* text)
    {
        TextDoc* doc = NewText();
        doc->m_text = text;
        std::string path = Scratch(name);
        EXPECT_TRUE(doc->DoSave(path.c_str()));
        doc->OnCloseDocument();
        return path;
    }
    CString Recent(int i) { return (*app.m_pRecentFileList)[i]; }
};

TEST_F(ShellTest, SavedAndOpenedDocumentsAreRecentAndAVanishedOneLeavesTheList)
{
    std::string a = SavedText("a.ttxt", "first");
    std::string b = SavedText("b.ttxt", "second");
    EXPECT_STREQ(Recent(0), b.c_str());
    EXPECT_STREQ(Recent(1), a.c_str());

    // Opening from the list: the file comes back and moves to the top.
    frame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1 + 1);
    CDocument* opened = frame->GetActiveDocument();
    ASSERT_NE(opened, nullptr);
    EXPECT_STREQ(static_cast<TextDoc*>(opened)->m_text, "first");
    EXPECT_STREQ(Recent(0), a.c_str());
    opened->OnCloseDocument();

    // The menu shows the entries by name (files of the current folder) with their numbers.
    char saved[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, saved);
    ::SetCurrentDirectoryA(folder.c_str());
    HMENU file = ::GetSubMenu(::GetMenu(frame->m_hWnd), 0);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    ::SetCurrentDirectoryA(saved);
    char text[64] = {};
    ::GetMenuStringA(file, ID_FILE_MRU_FILE1, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "&1 a.ttxt");
    ::GetMenuStringA(file, ID_FILE_MRU_FILE1 + 1, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "&2 b.ttxt");
    EXPECT_FALSE(::GetMenuState(file, ID_FILE_MRU_FILE1 + 1, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(::GetMenuItemID(file, 5), static_cast<UINT>(ID_SEPARATOR));  // the items after them stay
    EXPECT_EQ(::GetMenuItemID(file, 6), static_cast<UINT>(ID_APP_EXIT));

    // A file that is gone: the user is told and the entry leaves the list.
    ::DeleteFileA(a.c_str());
    frame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1);
    EXPECT_EQ(app.prompts.size(), 1u);
    EXPECT_STREQ(Recent(0), b.c_str());
    EXPECT_STREQ(Recent(1), "");
    EXPECT_EQ(app.GetOpenDocumentCount(), 0);
}

TEST_F(ShellTest, ShellCommandsOpenAndPrintDocuments)
{
    std::string a = SavedText("a.ttxt", "first");
    struct Case {
        int command;
        std::string file;
        BOOL result;
        int documents;  // open afterwards
        size_t prompts;
    } cases[] = {
        {CCommandLineInfo::FileNew, "", TRUE, 1, 0},
        {CCommandLineInfo::FileOpen, a, TRUE, 1, 0},
        {CCommandLineInfo::FileOpen, Scratch("missing.ttxt"), FALSE, 0, 1},
        {CCommandLineInfo::FileNothing, "", TRUE, 0, 0},
        {CCommandLineInfo::FileDDE, "", TRUE, 0, 0},
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        info.m_nShellCommand = static_cast<decltype(info.m_nShellCommand)>(c.command);
        info.m_strFileName = c.file.c_str();
        app.prompts.clear();
        EXPECT_EQ(app.ProcessShellCommand(info), c.result) << c.command;
        EXPECT_EQ(app.GetOpenDocumentCount(), c.documents) << c.command;
        EXPECT_EQ(app.prompts.size(), c.prompts) << c.command;
        app.CloseAllDocuments(TRUE);
    }

    // /pt: the named printer becomes the application's, the file is opened and printed directly,
    // and the program is to end. There is no such printer here, which the user is told.
    CCommandLineInfo printTo;
    printTo.m_nShellCommand = CCommandLineInfo::FilePrintTo;
    printTo.m_strFileName = a.c_str();
    printTo.m_strPrinterName = "Office";
    printTo.m_strDriverName = "winspool";
    printTo.m_strPortName = "LPT1:";
    app.prompts.clear();
    EXPECT_FALSE(app.ProcessShellCommand(printTo));
    CPrintDialog chosen(FALSE);
    chosen.m_pd.hDevNames = app.m_hDevNames;
    EXPECT_STREQ(chosen.GetDeviceName(), "Office");
    EXPECT_STREQ(chosen.GetDriverName(), "winspool");
    EXPECT_STREQ(chosen.GetPortName(), "LPT1:");
    CDocument* doc = frame->GetActiveDocument();
    ASSERT_NE(doc, nullptr);
    TextView* view = ViewOf<TextView>(doc);
    EXPECT_TRUE(view->direct);
    EXPECT_EQ(view->events, std::vector<std::string>{"prepare"});
    EXPECT_EQ(app.prompts, std::vector<std::string>{"No printer is installed. Add a printer and try again."});
}

// The default value of a key under the user's classes, or "(none)".
std::string ClassValue(const std::string& key)
{
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\Classes\\" + key).c_str(), 0, KEY_READ, &handle) !=
        ERROR_SUCCESS)
        return "(none)";
    char value[512] = {};
    DWORD size = sizeof(value) - 1;
    LONG rc = ::RegQueryValueExA(handle, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(handle);
    return rc == ERROR_SUCCESS ? value : "(no value)";
}

void SetClassValue(const std::string& key, const char* value)
{
    HKEY handle = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, ("Software\\Classes\\" + key).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                      &handle, nullptr);
    ::RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(std::strlen(value) + 1));
    ::RegCloseKey(handle);
}

TEST_F(ShellTest, DocumentTypesAreRegisteredForTheUserAndTakenAwayAgain)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\TavrelinTests.Text");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\.ttxt");
    SetClassValue(".tother", "Other.Program");  // another program's extension

    app.EnableShellOpen();
    app.RegisterShellFileTypes(TRUE);
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    const std::string program = std::string("\"") + module + "\"";
    EXPECT_EQ(ClassValue("TavrelinTests.Text"), "Tavrelin test text");
    EXPECT_EQ(ClassValue("TavrelinTests.Text\\DefaultIcon"), std::string(module) + ",0");
    EXPECT_EQ(ClassValue("TavrelinTests.Text\\shell\\open\\command"), program + " \"%1\"");
    EXPECT_EQ(ClassValue("TavrelinTests.Text\\shell\\print\\command"), program + " /p \"%1\"");
    EXPECT_EQ(ClassValue("TavrelinTests.Text\\shell\\printto\\command"), program + " /pt \"%1\" \"%2\" \"%3\" \"%4\"");
    EXPECT_EQ(ClassValue(".ttxt"), "TavrelinTests.Text");
    EXPECT_EQ(ClassValue(".tother"), "Other.Program");
    EXPECT_EQ(ClassValue("bad"), "(none)");  // not an extension

    // Registered again over a stale command (the program moved): the stale value is replaced,
    // the others stay.
    SetClassValue("TavrelinTests.Text\\shell\\open\\command", "\"C:\\Old\\Tavrelin.exe\" \"%1\"");
    app.RegisterShellFileTypes(TRUE);
    EXPECT_EQ(ClassValue("TavrelinTests.Text\\shell\\open\\command"), program + " \"%1\"");
    EXPECT_EQ(ClassValue("TavrelinTests.Text"), "Tavrelin test text");
    EXPECT_EQ(ClassValue(".ttxt"), "TavrelinTests.Text");

    // Unregistered (as /Unregister does): the type and its extension go, the other program's stays.
    CCommandLineInfo info;
    info.m_nShellCommand = CCommandLineInfo::AppUnregister;
    EXPECT_FALSE(app.ProcessShellCommand(info));
    EXPECT_EQ(ClassValue("TavrelinTests.Text"), "(none)");
    EXPECT_EQ(ClassValue(".ttxt"), "(none)");
    EXPECT_EQ(ClassValue(".tother"), "Other.Program");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\.tother");

    // Without bCompat only the open command.
    app.RegisterShellFileTypes(FALSE);
    EXPECT_EQ(ClassValue("TavrelinTests.Text\\shell\\open\\command"), program + " \"%1\"");
    EXPECT_EQ(ClassValue("TavrelinTests.Text\\shell\\print\\command"), "(none)");
    app.UnregisterShellFileTypes();
    EXPECT_EQ(ClassValue("TavrelinTests.Text"), "(none)");
}

TEST_F(ShellTest, PlainDropTargetsLeaveTheDragToTheirView)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    TextDoc* doc = NewText();
    TextView* view = ViewOf<TextView>(doc);
    {
        COleDropTarget target;
        ASSERT_TRUE(target.Register(view));
        view->dragAnswer = DROPEFFECT_MOVE;
        POINT at = {7, 9};
        ::ClientToScreen(view->m_hWnd, &at);
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target.GetDropTarget()->DragEnter(nullptr, 0, POINTL{at.x, at.y}, &effect), S_OK);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
        target.GetDropTarget()->DragLeave();
        EXPECT_EQ(view->events, (std::vector<std::string>{"drag 7,9", "leave"}));
    }
    ::OleUninitialize();
}

}  // namespace
