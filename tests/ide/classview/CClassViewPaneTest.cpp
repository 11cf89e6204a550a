// The class view pane in the main frame: the roots shown only when filled, the records under
// them; a double-click or the context command opens a declaration at its line; no menu on a
// root or an empty place; a missing file is reported.
#include <gtest/gtest.h>

#include <Scintilla.h>

#include <string>
#include <vector>

#include "AppFixture.h"
#include "CClassViewPane.h"
#include "CDocTemplate.h"
#include "CScintillaDoc.h"
#include "CSolutionConfig.h"
#include "CSrcManager.h"
#include "CTavrelinView.h"
#include "CXTPStatusBar.h"
#include "CXTPControl.h"
#include "CXTPHookManager.h"
#include "zCTypedInfo.h"

namespace {

const char kClasses[] =
    "class C_Npc\r\n"
    "{\r\n"
    "    var int attribute;\r\n"
    "    var string name[5];\r\n"
    "};\r\n";
const char kStory[] =
    "prototype P_Npc(C_Npc) {};\r\n"
    "instance Hero(P_Npc) {};\r\n"
    "func void Start()\r\n"
    "{\r\n"
    "};\r\n"
    "var int counter;\r\n";

// An item's text, image and record, its children below it.
struct Node {
    std::string text;
    int image;
    bool record;
    std::vector<Node> children;
    bool operator==(const Node& other) const
    {
        return text == other.text && image == other.image && record == other.record && children == other.children;
    }
};

std::vector<Node> Nodes(CTreeCtrl& tree, HTREEITEM hParent)
{
    std::vector<Node> nodes;
    for (HTREEITEM h = tree.GetChildItem(hParent); h; h = tree.GetNextSiblingItem(h)) {
        int image = -1;
        int selected = -2;
        tree.GetItemImage(h, image, selected);
        EXPECT_EQ(image, selected);
        nodes.push_back({static_cast<const char*>(tree.GetItemText(h)), image, tree.GetItemData(h) != 0,
                         Nodes(tree, h)});
    }
    return nodes;
}

HTREEITEM FindItem(CTreeCtrl& tree, HTREEITEM hParent, const std::string& text)
{
    for (HTREEITEM h = tree.GetChildItem(hParent); h; h = tree.GetNextSiblingItem(h)) {
        if (text == static_cast<const char*>(tree.GetItemText(h)))
            return h;
        if (HTREEITEM hFound = FindItem(tree, h, text))
            return hFound;
    }
    return nullptr;
}

// The menu the pane tracks: its item texts are noted, then it closes (choosing the first one
// when asked).
std::vector<std::string> g_menuItems;
bool g_chooseFirst = false;

void CALLBACK CloseTrackedMenu(HWND, UINT, UINT_PTR, DWORD)
{
    CXTPHookManager* pHooks = XTPHookManager();
    if (pHooks->GetTrackedCount() == 0)
        return;
    CXTPCommandBar* pBar = pHooks->GetTrackedAt(pHooks->GetTrackedCount() - 1);
    if (!g_menuItems.empty())
        return;
    for (int i = 0; i < pBar->GetControlCount(); i++)
        g_menuItems.push_back(static_cast<const char*>(pBar->GetControl(i)->GetCaption()));
    if (g_chooseFirst) {
        pBar->SetSelected(0, TRUE);
        pBar->OnKeyDown(VK_RETURN);
    } else {
        pHooks->CancelTracking();
    }
}

class ClassViewTest : public AppTest {
protected:
    std::string folder;  // the project folder, ending in "\"

    void StartWithProject(const char* name = "Story")
    {
        Start();
        g_solutionConfig.Platform = zPLATFORM_FIRST_GAME;
        g_solutionConfig.SolutionName = "Mod";
        g_solutionConfig.SetProjectName(name);
        CString project;
        GetProjectFolder(project);
        ::CreateDirectoryA((root + "\\Varnok Projects").c_str(), nullptr);
        ::CreateDirectoryA((root + "\\Varnok Projects\\SolMod").c_str(), nullptr);
        ::CreateDirectoryA(project, nullptr);
        folder = static_cast<const char*>(project);
        WriteFileText(folder + name + ".src", "Classes.d\r\nAI\\Story.d\r\n");
        ::CreateDirectoryA((folder + "AI").c_str(), nullptr);
        WriteFileText(folder + "Classes.d", kClasses);
        WriteFileText(folder + "AI\\Story.d", kStory);
        GetSrcManager()->ReadSrcList();

        // The pane's tab chosen; its window is attached and sized by the next layout.
        Frame()->SendMessage(WM_COMMAND, ID_PANE_CLASS_VIEW);
        Frame()->RecalcLayout();
        Pump();
        Frame()->RebuildClassView(TRUE);
        Pump();
    }

    CMainFrame* Frame() { return app->Frame(); }
    CClassViewPane& Pane() { return *Frame()->GetClassViewPane(); }
    CTreeCtrl& Tree() { return Pane().GetTree(); }

    // A point on an item's label, in tree coordinates; the item is made visible first.
    CPoint LabelPoint(HTREEITEM hItem)
    {
        Tree().EnsureVisible(hItem);
        CRect rc;
        EXPECT_TRUE(Tree().GetItemRect(hItem, &rc, TRUE));
        return CPoint(rc.left + 3, rc.CenterPoint().y);
    }

    void DoubleClick(CPoint pt)
    {
        Tree().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        Pump();
    }

    // The pane's context menu as a right click at the tree point raises it; the items shown.
    std::vector<std::string> RightClick(CPoint pt, bool choose)
    {
        g_menuItems.clear();
        g_chooseFirst = choose;
        Tree().ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
        NMHDR notify = {Tree().m_hWnd, IDC_CLASSVIEW_TREE, static_cast<UINT>(NM_RCLICK)};
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, CloseTrackedMenu);
        Pane().SendMessage(WM_NOTIFY, IDC_CLASSVIEW_TREE, reinterpret_cast<LPARAM>(&notify));
        ::KillTimer(nullptr, timer);
        Pump();
        return g_menuItems;
    }

    // The script view showing the file, or null while it is not open.
    CTavrelinView* OpenView(const std::string& path)
    {
        for (POSITION t = app->GetFirstDocTemplatePosition(); t;) {
            CDocTemplate* templ = app->GetNextDocTemplate(t);
            for (POSITION d = templ->GetFirstDocPosition(); d;)
                if (auto* doc = dynamic_cast<CScintillaDoc*>(templ->GetNextDoc(d)))
                    if (doc->GetPathName().CompareNoCase(path.c_str()) == 0)
                        return dynamic_cast<CTavrelinView*>(doc->GetView());
        }
        return nullptr;
    }

    static int CaretLine(CTavrelinView* view)
    {
        return static_cast<int>(view->Sci(SCI_LINEFROMPOSITION, view->Sci(SCI_GETCURRENTPOS)));
    }
};

}  // namespace

TEST_F(ClassViewTest, OnlyFilledRootsShowWithTheirRecords)
{
    StartWithProject();
    ASSERT_EQ(Frame()->GetPaneWindow(ID_PANE_CLASS_VIEW), &Pane());
    ASSERT_NE(Tree().GetSafeHwnd(), nullptr);
    EXPECT_EQ(Tree().GetDlgCtrlID(), static_cast<int>(IDC_CLASSVIEW_TREE));
    EXPECT_NE(Pane().GetToolBar().GetSafeHwnd(), nullptr);

    // No internal functions for a project of another name; members sorted under their class.
    const std::vector<Node> expected = {
        {"Classes", 0, false,
         {{"class C_Npc", 1, true, {{"var int attribute", 4, true, {}}, {"var string name[]", 4, true, {}}}}}},
        {"Prototypes", 0, false, {{"prototype P_Npc(C_NPC)", 3, true, {}}}},
        {"Instances", 0, false, {{"instance Hero(P_NPC)", 2, true, {}}}},
        {"External functions", 0, false, {{"void Start()", 6, true, {}}}},
        {"Global data", 0, false, {{"var int counter", 5, true, {}}}},
    };
    EXPECT_EQ(Nodes(Tree(), TVI_ROOT), expected);
    // The loading stages' texts give way to the idle text once the tree is filled.
    CXTPStatusBar::PaneInfo status;
    ASSERT_TRUE(Frame()->GetStatusBar()->GetPaneInfoEx(0, status));
    EXPECT_STREQ(status.strText, "Ready");
    // The tree sits below the toolbar and fills the rest of the pane.
    CRect rcPane, rcTree, rcBar;
    Pane().GetClientRect(&rcPane);
    Tree().GetWindowRect(&rcTree);
    Pane().GetToolBar().GetWindowRect(&rcBar);
    EXPECT_EQ(rcTree.top, rcBar.bottom);
    EXPECT_EQ(rcTree.Width(), rcPane.Width());

    // An empty model leaves an empty tree.
    g_typedInfo.Clear();
    Pane().FillTree();
    EXPECT_EQ(Tree().GetCount(), 0u);
}

TEST_F(ClassViewTest, TheGamesProjectShowsTheInternalFunctionsFromBesideTheProgram)
{
    // The description file lies in the program's System folder; the first game, English.
    const std::string system = root + "\\Ide\\System\\";
    ::CreateDirectoryA(system.c_str(), nullptr);
    WriteFileText(system + "IntFuncVarnok_en.d", "\r\nfunc int Hlp_Random(var int n);\r\n");
    StartWithProject("Varnok");
    const HTREEITEM hRoot = FindItem(Tree(), TVI_ROOT, "Internal functions");
    ASSERT_NE(hRoot, nullptr);
    EXPECT_EQ(Tree().GetPrevSiblingItem(hRoot), FindItem(Tree(), TVI_ROOT, "Classes"));
    const std::vector<Node> internal = {{"int Hlp_Random(int n)", 7, true, {}}};
    EXPECT_EQ(Nodes(Tree(), hRoot), internal);

    // Opened by its full path, not under the project folder.
    DoubleClick(LabelPoint(Tree().GetChildItem(hRoot)));
    CTavrelinView* view = OpenView(system + "IntFuncVarnok_en.d");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(CaretLine(view), 1);
    EXPECT_EQ(app->m_nPrompts, 0);
}

TEST_F(ClassViewTest, DoubleClickOpensTheDeclarationAtItsLineAndOnARootOnlyExpands)
{
    StartWithProject();
    const HTREEITEM hRoot = FindItem(Tree(), TVI_ROOT, "External functions");
    ASSERT_NE(hRoot, nullptr);
    const UINT expanded = Tree().GetItemState(hRoot, TVIS_EXPANDED) & TVIS_EXPANDED;
    DoubleClick(LabelPoint(hRoot));
    EXPECT_NE(Tree().GetItemState(hRoot, TVIS_EXPANDED) & TVIS_EXPANDED, expanded);
    EXPECT_EQ(app->m_nPrompts, 0);

    DoubleClick(LabelPoint(FindItem(Tree(), TVI_ROOT, "void Start()")));
    CTavrelinView* view = OpenView(folder + "AI\\Story.d");
    ASSERT_NE(view, nullptr) << "opened from the project folder";
    EXPECT_EQ(CaretLine(view), 2);
    const HWND focus = ::GetFocus();
    EXPECT_TRUE(focus == view->m_hWnd || ::IsChild(view->m_hWnd, focus));

    // A member opens its class's file at the member's line.
    DoubleClick(LabelPoint(FindItem(Tree(), TVI_ROOT, "var string name[]")));
    view = OpenView(folder + "Classes.d");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(CaretLine(view), 3);
    EXPECT_EQ(app->m_nPrompts, 0);
}

TEST_F(ClassViewTest, AMissingFileIsReportedAndNothingOpens)
{
    StartWithProject();
    ::DeleteFileA((folder + "AI\\Story.d").c_str());
    DoubleClick(LabelPoint(FindItem(Tree(), TVI_ROOT, "instance Hero(P_NPC)")));
    EXPECT_EQ(app->m_nPrompts, 1);
    EXPECT_EQ(OpenView(folder + "AI\\Story.d"), nullptr);
}

TEST_F(ClassViewTest, ItemsOfAClearedModelOpenNothing)
{
    StartWithProject();
    const CPoint ptStart = LabelPoint(FindItem(Tree(), TVI_ROOT, "void Start()"));
    // The records behind the items are gone until the next build refills the tree.
    g_typedInfo.Clear();
    DoubleClick(ptStart);
    EXPECT_TRUE(RightClick(ptStart, true).empty());
    EXPECT_EQ(OpenView(folder + "AI\\Story.d"), nullptr);
    EXPECT_EQ(app->m_nPrompts, 0);

    Frame()->RebuildClassView(FALSE);
    DoubleClick(LabelPoint(FindItem(Tree(), TVI_ROOT, "void Start()")));
    EXPECT_NE(OpenView(folder + "AI\\Story.d"), nullptr);
}

TEST_F(ClassViewTest, TheMenuComesOnlyOnADeclarationAndItsCommandOpensIt)
{
    StartWithProject();
    const HTREEITEM hRoot = FindItem(Tree(), TVI_ROOT, "Global data");
    ASSERT_NE(hRoot, nullptr);
    EXPECT_TRUE(RightClick(LabelPoint(hRoot), false).empty()) << "a root item";
    CRect rcClient;
    Tree().GetClientRect(&rcClient);
    EXPECT_TRUE(RightClick(CPoint(rcClient.right - 2, rcClient.bottom - 2), false).empty()) << "an empty place";

    const CPoint ptCounter = LabelPoint(FindItem(Tree(), TVI_ROOT, "var int counter"));
    EXPECT_EQ(RightClick(ptCounter, false), std::vector<std::string>{"Go to Declaration"});
    EXPECT_EQ(OpenView(folder + "AI\\Story.d"), nullptr) << "closed without its command";

    EXPECT_EQ(RightClick(ptCounter, true), std::vector<std::string>{"Go to Declaration"});
    CTavrelinView* view = OpenView(folder + "AI\\Story.d");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(CaretLine(view), 5);
}
