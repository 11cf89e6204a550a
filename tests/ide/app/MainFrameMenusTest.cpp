// The main window's menus as they open: their items' states in each situation (documents, the
// active project, a running job), a disabled item chosen, the model commands' dialogs, the
// recent files and the open windows listed, and the panes' context menu.
#include <gtest/gtest.h>

#include <Scintilla.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "AppFixture.h"
#include "CMDIChildWnd.h"
#include "CScintillaDoc.h"
#include "CSolutionConfig.h"
#include "CTavrelinView.h"
#include "CXTPCommandBars.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneOwner.h"
#include "CXTPHookManager.h"
#include "CXTPMenuBar.h"
#include "CXTPPopupBar.h"
#include "LoadText.h"
#include "../../ui/commandbars/TrackedPopupProbe.h"
#include "UiTestProbes.h"

namespace {

// A job runs while its handle is set; nothing here waits on it.
const std::uintptr_t kRunningJob = 1;

class MenusTest : public SolutionAppTest {
protected:
    void SetUp() override
    {
        SolutionAppTest::SetUp();
        ResetSolutionConfig();  // whatever an earlier test left open
        g_solutionConfig.BuildJobThread = 0;
    }

    CXTPCommandBar* MenuBar() { return app->Frame()->GetCommandBars()->GetMenuBar(); }

    // Opens the menus from the menu bar down to the first item with the id, as clicks on their
    // entries open them, and gives the item (null when no menu holds it). CloseMenus closes them.
    CXTPControl* OpenMenuOf(int nId)
    {
        std::vector<std::pair<CXTPCommandBar*, int>> path;
        CXTPControl* pItem = Find(MenuBar(), nId, path);
        for (const auto& step : path) {
            if (!step.first->SetPopuped(step.second))
                return nullptr;
        }
        return pItem;
    }
    void CloseMenus()
    {
        MenuBar()->SetTrackingMode(FALSE);
        Pump();
    }
    // The open menu's items as they show: "id caption", a "-" before a disabled one's and a "*"
    // before a checked one's.
    static std::vector<std::string> Shown(CXTPCommandBar* pMenu)
    {
        std::vector<std::string> shown;
        for (int i = 0; i < pMenu->GetControlCount(); i++) {
            CXTPControl* pControl = pMenu->GetControl(i);
            if (pControl->IsVisible())
                shown.push_back(std::string(pControl->GetEnabled() ? "" : "-") + (pControl->GetChecked() ? "*" : "") +
                                std::to_string(pControl->GetID()) + " " + static_cast<const char*>(pControl->GetCaption()));
        }
        return shown;
    }
    // Chooses an item of an open menu by the keyboard, as Return on it does.
    static void Choose(CXTPControl* pItem)
    {
        auto* pMenu = static_cast<CXTPPopupBar*>(pItem->GetParent());
        pMenu->SetSelected(pItem->GetIndex(), TRUE);
        pMenu->OnKeyDown(VK_RETURN);
    }

    CTavrelinView* OpenScript(const std::string& path)
    {
        auto* doc = dynamic_cast<CScintillaDoc*>(app->OpenDocumentFile(path.c_str()));
        return doc ? dynamic_cast<CTavrelinView*>(doc->GetView()) : nullptr;
    }
    std::string ActivePath()
    {
        CMDIChildWnd* pChild = app->Frame()->MDIGetActive();
        CDocument* pDoc = pChild ? pChild->GetActiveDocument() : nullptr;
        return pDoc ? static_cast<const char*>(pDoc->GetPathName()) : "";
    }

private:
    static CXTPControl* Find(CXTPCommandBar* pBar, int nId, std::vector<std::pair<CXTPCommandBar*, int>>& path)
    {
        for (int i = 0; i < pBar->GetControlCount(); i++) {
            CXTPControl* pControl = pBar->GetControl(i);
            if (pControl->GetID() == nId && pBar->GetType() == xtpBarTypePopup)
                return pControl;
            CXTPCommandBar* pSub = pControl->GetType() == xtpControlPopup ? pControl->GetCommandBar() : nullptr;
            if (!pSub)
                continue;
            path.emplace_back(pBar, i);
            if (CXTPControl* pFound = Find(pSub, nId, path))
                return pFound;
            path.pop_back();
        }
        return nullptr;
    }
};

}  // namespace

TEST_F(MenusTest, ItemsShowTheStatesOfTheirRulesAsTheirMenusOpen)
{
    // The situations, in the order the test makes them: nothing open; a script with typed and
    // selected text; a job without a project; the active project; the project and a job.
    const struct {
        int nId;
        const char* name;
        const char* states;  // '+' enabled, '-' disabled, one per situation
    } rows[] = {
        {57643, "Edit/Undo", "-+---"},
        {57635, "Edit/Cut", "-+---"},
        {57634, "Edit/Copy", "-+---"},
        {57637, "Edit/Paste", "-+---"},
        {57636, "Edit/Find", "-+---"},
        {32829, "Language/English", "+++++"},
        {32832, "Language/German", "-----"},
        {32834, "Tools/Converter models/Static", "++---"},
        {32836, "Tools/Converter models/MorphMesh", "++---"},
        {32837, "Tools/Compiler models/Static", "++---"},
        {32838, "Tools/Compiler models/Dynamic", "++---"},
        {32841, "Tools/Decompiler models/Dynamic", "++---"},
        {32842, "Tools/Decompiler models/MorphMesh", "++---"},
        {168, "Build/Compile", "---+-"},
        {33190, "Build/Stop Build", "--+-+"},
        {32808, "Build/Options", "---++"},
    };
    Start();
    app->CloseAllDocuments(TRUE);
    Pump();
    for (int situation = 0; situation < 5; situation++) {
        if (situation == 0) {
            // No file opened yet: the recent files' entry shows itself, disabled.
            CXTPControl* pRecent = OpenMenuOf(57616);
            ASSERT_NE(pRecent, nullptr);
            EXPECT_TRUE(pRecent->IsVisible());
            EXPECT_FALSE(pRecent->GetEnabled());
            CloseMenus();
        } else if (situation == 1) {
            WriteFileText(root + "\\Ide\\Typed.d", "");
            CTavrelinView* view = OpenScript(root + "\\Ide\\Typed.d");
            ASSERT_NE(view, nullptr);
            const std::string typed = "VAR INT x;\r\n";
            view->Sci(SCI_ADDTEXT, typed.size(), reinterpret_cast<LPARAM>(typed.c_str()));
            view->Sci(SCI_SELECTALL);
            view->Sci(SCI_COPY);  // something to paste
        } else if (situation == 2) {
            app->CloseAllDocuments(TRUE);
            Pump();
            g_solutionConfig.BuildJobThread = kRunningJob;
        } else if (situation == 3) {
            g_solutionConfig.BuildJobThread = 0;
            OpenSolution("A.d\r\n");
        } else if (situation == 4) {
            g_solutionConfig.BuildJobThread = kRunningJob;
        }
        for (const auto& row : rows) {
            CXTPControl* pItem = OpenMenuOf(row.nId);
            ASSERT_NE(pItem, nullptr) << row.name;
            ASSERT_TRUE(pItem->GetParent()->IsVisible()) << row.name;
            EXPECT_EQ(pItem->GetEnabled() != FALSE, row.states[situation] == '+')
                << row.name << " in situation " << situation;
            CloseMenus();
        }
    }
    g_solutionConfig.BuildJobThread = 0;
}

TEST_F(MenusTest, ADisabledItemChosenDoesNothingAndTheModelCommandsOpenTheirDialogsWithoutAProject)
{
    Start();
    // Without a project each of the nine opens its dialog, titled with its command's text.
    std::vector<std::string> titles;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, PlayNextDialog);
    for (int nId = 32834; nId <= 32842; nId++) {
        g_dialogSteps.push_back({"", [&](HWND dialog) {
                                     char title[256] = {};
                                     ::GetWindowTextA(dialog, title, sizeof title);
                                     titles.push_back(title);
                                     ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                                 }});
        CXTPControl* pItem = OpenMenuOf(nId);
        ASSERT_NE(pItem, nullptr) << nId;
        ASSERT_TRUE(pItem->GetEnabled()) << nId;
        Choose(pItem);
        Pump();
        ASSERT_EQ(titles.size(), static_cast<size_t>(nId - 32833)) << nId;
        CString expected = LoadText(static_cast<UINT>(nId));
        if (expected.Find('\n') >= 0)
            expected = expected.Left(expected.Find('\n'));
        EXPECT_EQ(titles.back(), static_cast<const char*>(expected));
        EXPECT_EQ(XTPHookManager()->GetTrackedCount(), 0) << "the menus closed";
    }

    // With the project active the same items show disabled; chosen, nothing opens or starts.
    OpenSolution("A.d\r\n");
    g_solutionConfig.BuildMode = 1;
    bool opened = false;
    g_dialogSteps.push_back({"", [&](HWND dialog) {
                                 opened = true;
                                 ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                             }});
    for (int nId : {32834, 32837, 32842}) {
        CXTPControl* pItem = OpenMenuOf(nId);
        ASSERT_NE(pItem, nullptr) << nId;
        EXPECT_FALSE(pItem->GetEnabled()) << nId;
        Choose(pItem);
        Pump();
        EXPECT_TRUE(pItem->GetParent()->IsVisible()) << "the menu stays open on a disabled item";
        CloseMenus();
    }
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(opened);
    EXPECT_EQ(app->m_nPrompts, 0);
    EXPECT_EQ(g_solutionConfig.BuildMode, 1);
    EXPECT_EQ(g_solutionConfig.BuildJobThread, 0u);
}

TEST_F(MenusTest, FileListsTheRecentFilesAndWindowTheOpenWindows)
{
    // Four files of the folder the program starts in, the last opened first.
    const char* names[] = {"One.d", "Two.d", "Three.d", "Four.d"};
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Tavrelin tools\\TavrelinAppTests\\Recent File List", 0,
                                nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    for (int i = 0; i < 4; i++) {
        const std::string path = root + "\\Ide\\" + names[i];
        WriteFileText(path, kFineScript);
        const std::string entry = "File" + std::to_string(i + 1);
        ::RegSetValueExA(key, entry.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                         static_cast<DWORD>(path.size() + 1));
    }
    ::RegCloseKey(key);
    Start();
    app->CloseAllDocuments(TRUE);  // the new script of the start
    Pump();

    CXTPControl* pPlaceholder = OpenMenuOf(57616);
    ASSERT_NE(pPlaceholder, nullptr);
    CXTPCommandBar* pFile = pPlaceholder->GetParent();
    const std::vector<std::string> shown = Shown(pFile);
    const std::vector<std::string> expected = {"57616 &1 One.d", "57617 &2 Two.d", "57618 &3 Three.d", "57619 &4 Four.d"};
    const auto first = std::find(shown.begin(), shown.end(), expected[0]);
    ASSERT_NE(first, shown.end()) << "the File menu lists the recent files";
    EXPECT_EQ(std::vector<std::string>(first, first + std::min<std::ptrdiff_t>(4, shown.end() - first)), expected);
    EXPECT_TRUE(pFile->GetControl(pPlaceholder->GetIndex() + 1)->GetBeginGroup()) << "the separator before them";
    // The second one chosen opens it.
    Choose(pFile->GetControl(pPlaceholder->GetIndex() + 2));
    Pump();
    EXPECT_EQ(ActivePath(), root + "\\Ide\\Two.d");

    ASSERT_NE(OpenScript(root + "\\Ide\\One.d"), nullptr);
    CXTPControl* pWindows = OpenMenuOf(35000);
    ASSERT_NE(pWindows, nullptr);
    std::vector<std::string> windows;
    for (const std::string& item : Shown(pWindows->GetParent())) {
        const std::string caption = item.substr(item.find(' ') + 1);
        if (caption.size() > 2 && caption[0] == '&' && std::isdigit(static_cast<unsigned char>(caption[1])))
            windows.push_back(caption + (item[0] == '*' ? " (active)" : ""));
    }
    EXPECT_EQ(windows, (std::vector<std::string>{"&1 Two.d", "&2 One.d (active)"}));
    CloseMenus();
}

TEST_F(MenusTest, ThePanesMenuShowsItsItemsEnabled)
{
    Start();
    CXTPDockingPane* pPane = app->Frame()->GetDockingPaneManager()->FindPane(202);
    ASSERT_NE(pPane, nullptr);
    const std::vector<BOOL> states = EnabledWhileTracked([&] {
        app->Frame()->SendMessage(WM_DOCKPANE_NOTIFY, DPN_CONTEXTMENU,
                                  reinterpret_cast<LPARAM>(static_cast<CXTPDockingPaneBase*>(pPane)));
    });
    EXPECT_EQ(states, (std::vector<BOOL>{TRUE, TRUE})) << "Auto Hide, Hide";
}
