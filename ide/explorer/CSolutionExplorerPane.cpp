// The solution explorer pane: its window, the tree's building and filling, sorting, the
// context menus and the expansion state of the project file.
#include "CSolutionExplorerPane.h"

#include <windows.h>

#include <mbstring.h>

#include "CFrameWnd.h"
#include "CMenu.h"
#include "CSolutionConfig.h"
#include "CSrcManager.h"
#include "ActiveProject.h"
#include "AfxResource.h"
#include "CWinApp.h"
#include "CXTPCommandBars.h"
#include "CXTPImageManager.h"
#include "CXTPPropExchange.h"
#include "CXTPResourceManager.h"
#include "LoadText.h"
#include "ResourceIds.h"

namespace {

constexpr UINT kMsgRunOnPaneThread = WM_USER + 0x7A3;
constexpr DWORD kToolBarStyle = 0x50010010;
constexpr UINT kToolBarId = AFX_IDW_TOOLBAR;

CString FormatText(UINT id, const char* value)
{
    CString text;
    text.Format(LoadText(id), value);
    return text;
}

void SetStatusText(UINT id)
{
    if (auto* frame = dynamic_cast<CFrameWnd*>(MainWindow()))
        frame->SetMessageText(id);
}

// Folders first; two folders by their paths without regard to case; all else equal.
int CALLBACK CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    const auto* first = reinterpret_cast<const SolutionItemData*>(lParam1);
    const auto* second = reinterpret_cast<const SolutionItemData*>(lParam2);
    if (!first || !second || first->kind == kItemProject || second->kind == kItemProject)
        return 0;
    if (first->kind != second->kind)
        return first->kind == kItemFolder ? -1 : 1;
    if (first->kind == kItemFolder)
        return _mbsicmp(reinterpret_cast<const unsigned char*>(static_cast<const char*>(first->path)),
                        reinterpret_cast<const unsigned char*>(static_cast<const char*>(second->path)));
    return 0;
}

BOOL FileExists(const CString& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    ::FindClose(search);
    return TRUE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSolutionExplorerPane, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_DESTROY()
    ON_NOTIFY(NM_RCLICK, IDC_EXPLORER_TREE, OnTreeRightClick)
    ON_NOTIFY(TVN_ITEMEXPANDINGA, IDC_EXPLORER_TREE, OnTreeItemExpanding)
    ON_NOTIFY(TVN_DELETEITEMA, IDC_EXPLORER_TREE, OnTreeDeleteItem)
    ON_MESSAGE(kMsgRunOnPaneThread, OnRunOnPaneThread)
    ON_COMMAND_RANGE(ID_EXPLORER_ADD_PROJECT, ID_EXPLORER_RENAME, OnEmptyCommand)
    ON_COMMAND_RANGE(ID_BUILD_COMPILE, ID_BUILD_DECOMPILE, OnEmptyCommand)
    ON_UPDATE_COMMAND_UI(ID_EXPLORER_ADD_PROJECT, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_EXPLORER_OPEN, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_EXPLORER_NEW_FOLDER, OnUpdateInActiveProject)
    ON_UPDATE_COMMAND_UI(ID_EXPLORER_ADD_SCRIPT, OnUpdateInActiveProject)
    ON_UPDATE_COMMAND_UI(ID_EXPLORER_NEW_SCRIPT, OnUpdateInActiveProject)
    ON_UPDATE_COMMAND_UI(ID_EXPLORER_DELETE, OnUpdateInActiveProject)
    ON_UPDATE_COMMAND_UI(ID_EXPLORER_RENAME, OnUpdateInActiveProject)
    ON_UPDATE_COMMAND_UI(ID_EXPLORER_SET_ACTIVE, OnUpdateOutsideActiveProject)
    ON_UPDATE_COMMAND_UI(ID_EXPLORER_DELETE_PROJECT, OnUpdateOutsideActiveProject)
    ON_UPDATE_COMMAND_UI(ID_EXPLORER_DELETE_FOLDER, OnUpdateDeleteFolder)
    ON_UPDATE_COMMAND_UI(ID_BUILD_COMPILE, OnUpdateCompile)
    ON_UPDATE_COMMAND_UI(ID_BUILD_DECOMPILE, OnUpdateDecompile)
END_MESSAGE_MAP()

CSolutionExplorerPane::CSolutionExplorerPane()
{
    m_wndTree.SetPane(this);
}

CSolutionExplorerPane::~CSolutionExplorerPane() = default;

BOOL CSolutionExplorerPane::Create(CWnd* pParent, DWORD dwStyle)
{
    const char* windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                                  reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1));
    return CWnd::Create(windowClass, nullptr, dwStyle, CRect(0, 0, 0, 0), pParent, 0);
}

// Window life

int CSolutionExplorerPane::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    m_wndToolBar.CreateToolBar(kToolBarStyle, this, kToolBarId);
    if (!m_wndTree.GetSafeHwnd() &&
        m_wndTree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                         CRect(0, 0, 0, 0), this, IDC_EXPLORER_TREE)) {
        m_wndTree.ModifyStyleEx(0, WS_EX_STATICEDGE, SWP_FRAMECHANGED);
        // The mask colour is the bitmap's top-left pixel.
        HBITMAP bitmap = static_cast<HBITMAP>(
            ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDB_EXPLORER_IMAGES), IMAGE_BITMAP, 0, 0, 0));
        if (bitmap) {
            const COLORREF mask = CXTPImageManager::GetBitmapPixel(bitmap, 0, 0);
            ::DeleteObject(bitmap);
            if (m_imageList.Create(IDB_EXPLORER_IMAGES, 16, 1, mask))
                m_wndTree.SetImageList(&m_imageList, TVSIL_NORMAL);
        }
    }
    return 0;
}

void CSolutionExplorerPane::OnSize(UINT, int cx, int cy)
{
    int top = 0;
    if (m_wndToolBar.GetSafeHwnd()) {
        top = m_wndToolBar.CalcDynamicLayout(cx, LM_HORZ | LM_HORZDOCK).cy;
        m_wndToolBar.MoveWindow(0, 0, cx, top);
        m_wndToolBar.Invalidate();
    }
    if (m_wndTree.GetSafeHwnd()) {
        m_wndTree.MoveWindow(0, top, cx, cy > top ? cy - top : 0);
        m_wndTree.Invalidate();
    }
}

void CSolutionExplorerPane::OnSetFocus(CWnd*)
{
    if (m_wndTree.GetSafeHwnd())
        m_wndTree.SetFocus();
}

void CSolutionExplorerPane::OnDestroy()
{
    // The items' records go while this window still hears of their deletion.
    if (m_wndTree.GetSafeHwnd())
        m_wndTree.DeleteAllItems();
    CWnd::OnDestroy();
}

void CSolutionExplorerPane::RunOnPaneThread(const std::function<void()>& what)
{
    if (!m_hWnd || ::GetWindowThreadProcessId(m_hWnd, nullptr) == ::GetCurrentThreadId()) {
        what();
        return;
    }
    ::SendMessageA(m_hWnd, kMsgRunOnPaneThread, 0, reinterpret_cast<LPARAM>(&what));
}

LRESULT CSolutionExplorerPane::OnRunOnPaneThread(WPARAM, LPARAM lParam)
{
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 0;
}

// Building and filling

void CSolutionExplorerPane::RebuildTree(int fresh, int loading)
{
    RunOnPaneThread([&] {
        HTREEITEM solution = m_wndTree.GetRootItem();
        if (fresh || !solution) {
            m_wndTree.SendMessage(WM_SETREDRAW, FALSE);
            m_wndTree.DeleteAllItems();
            solution = m_wndTree.InsertItem(FormatText(IDS_EXPLORER_SOLUTION, g_solutionConfig.SolutionName),
                                            kImageSolution, kImageSolution);
        } else if (!loading) {
            m_wndTree.Expand(solution, TVE_COLLAPSE);
            for (HTREEITEM child = m_wndTree.GetChildItem(solution); child; child = m_wndTree.GetNextSiblingItem(child))
                m_wndTree.Expand(child, TVE_COLLAPSE);
        }
        HTREEITEM project = AddProjectItem(solution);
        if (loading)
            return;
        SortChildren(project);
        m_wndTree.Expand(solution, TVE_EXPAND);
        m_wndTree.Expand(project, TVE_EXPAND);
        m_wndTree.SelectItem(project);
        m_wndTree.SendMessage(WM_SETREDRAW, TRUE);
        m_wndTree.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        m_wndTree.SetFocus();
    });
}

HTREEITEM CSolutionExplorerPane::AddProjectItem(HTREEITEM solution)
{
    const CString name = g_solutionConfig.GetProjectName();
    // A project is shown once: an item of the same project made before goes.
    for (HTREEITEM child = m_wndTree.GetChildItem(solution); child;) {
        HTREEITEM next = m_wndTree.GetNextSiblingItem(child);
        const SolutionItemData* record = m_wndTree.GetRecord(child);
        if (record && record->kind == kItemProject && record->project == name)
            m_wndTree.CTreeCtrl::DeleteItem(child);
        child = next;
    }
    auto* record = new SolutionItemData;
    record->kind = kItemProject;
    record->project = name;
    const CString text = FormatText(IDS_EXPLORER_PROJECT, name);
    TVINSERTSTRUCTA insert = {};
    insert.hParent = solution;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(static_cast<const char*>(text));
    insert.item.iImage = insert.item.iSelectedImage = kImageProject;
    insert.item.lParam = reinterpret_cast<LPARAM>(record);
    HTREEITEM project = m_wndTree.InsertItem(&insert);
    if (!project) {
        delete record;
        return nullptr;
    }
    if (g_solutionConfig.FindProject(name) < 0)
        g_solutionConfig.Projects.Add(name);
    FillProjectItem(project);
    return project;
}

void CSolutionExplorerPane::FillProjectItem(HTREEITEM project)
{
    CString folder;
    GetProjectFolder(folder);
    CSrcManager* src = GetSrcManager();
    BOOL check = TRUE;
    for (int i = 0; i < src->GetCount();) {
        const CString entry = src->GetAt(i);
        if (check && !FileExists(folder + entry)) {
            switch (AfxMessageBox(FormatText(IDS_EXPLORER_FILE_MISSING, entry), MB_YESNOCANCEL | MB_ICONQUESTION)) {
            case IDYES: {
                const int before = src->GetCount();
                src->RemoveFile(entry);
                src->WriteSrcList();
                if (src->GetCount() < before)
                    continue;  // the next entry moved into this place
                break;
            }
            case IDCANCEL:
                check = FALSE;
                break;
            default:
                break;
            }
        }
        // One folder item per path part, made where missing; the file under the last.
        HTREEITEM parent = project;
        int start = 0;
        for (int slash = entry.Find('\\'); slash >= 0; start = slash + 1, slash = entry.Find('\\', start)) {
            const CString part = entry.Mid(start, slash - start);
            if (part.IsEmpty())
                continue;
            HTREEITEM child = m_wndTree.FindChildByText(part, parent);
            parent = child ? child : AddTreeItem(parent, 1, entry.Left(slash), part);
        }
        AddTreeItem(parent, 0, entry, entry.Mid(start));
        ++i;
    }
    // Every folder in its order now, not only once opened: the numbers of the expansion state
    // then do not depend on which folders were opened before.
    SortBranch(project);
}

void CSolutionExplorerPane::SortBranch(HTREEITEM item)
{
    SortChildren(item);
    for (HTREEITEM child = m_wndTree.GetChildItem(item); child; child = m_wndTree.GetNextSiblingItem(child)) {
        const SolutionItemData* record = m_wndTree.GetRecord(child);
        if (record && record->kind == kItemFolder)
            SortBranch(child);
    }
}

HTREEITEM CSolutionExplorerPane::AddTreeItem(HTREEITEM parent, int folder, const char* path, const char* text)
{
    auto* record = new SolutionItemData;
    record->kind = folder ? kItemFolder : kItemFile;
    record->path = path;
    record->project = g_solutionConfig.GetProjectName();
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.iImage = insert.item.iSelectedImage = folder ? kImageFolderClosed : kImageFile;
    insert.item.lParam = reinterpret_cast<LPARAM>(record);
    if (folder) {
        insert.item.mask |= TVIF_CHILDREN;
        insert.item.cChildren = 1;
    }
    HTREEITEM item = m_wndTree.InsertItem(&insert);
    if (!item)
        delete record;
    return item;
}

void CSolutionExplorerPane::SortChildren(HTREEITEM parent)
{
    if (!parent)
        return;
    TVSORTCB sort = {};
    sort.hParent = parent;
    sort.lpfnCompare = CompareItems;
    m_wndTree.SortChildrenCB(&sort);
}

void CSolutionExplorerPane::RefillActiveProject()
{
    RunOnPaneThread([&] {
        HTREEITEM project = m_wndTree.FindActiveProjectItem();
        if (!project)
            return;
        // Filled anew: what was there before would stand twice.
        while (HTREEITEM child = m_wndTree.GetChildItem(project))
            m_wndTree.CTreeCtrl::DeleteItem(child);
        FillProjectItem(project);
        SortChildren(project);
        m_wndTree.Expand(project, TVE_EXPAND);
        m_wndTree.SelectItem(project);
        m_wndTree.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        m_wndTree.SetFocus();
    });
}

void CSolutionExplorerPane::ClearActiveProject()
{
    RunOnPaneThread([&] {
        if (HTREEITEM project = m_wndTree.FindActiveProjectItem())
            while (HTREEITEM child = m_wndTree.GetChildItem(project))
                m_wndTree.CTreeCtrl::DeleteItem(child);
    });
}

void CSolutionExplorerPane::ClearTree()
{
    RunOnPaneThread([&] { m_wndTree.DeleteAllItems(); });
}

void CSolutionExplorerPane::BuildTreesForLoading()
{
    RunOnPaneThread([&] {
        const CString active = g_solutionConfig.GetProjectName();
        SetStatusText(IDS_CREATING_EXPLORER_TREE);
        CString folder;
        CStringArray projects;  // the tree adds to the list
        projects.Copy(g_solutionConfig.Projects);
        for (int i = 0; i < projects.GetSize(); ++i) {
            g_solutionConfig.SetProjectName(projects.GetAt(i));
            GetProjectFolder(folder);
            ::SetCurrentDirectoryA(folder);
            GetSrcManager()->ReadSrcList();
            RebuildTree(i == 0, 1);
        }
        g_solutionConfig.SetProjectName(active);
        GetProjectFolder(folder);
        ::SetCurrentDirectoryA(folder);
        SetStatusText(IDS_CREATING_MEMBERS);
        GetSrcManager()->ReadSrcList();
    });
}

void CSolutionExplorerPane::EndLoading()
{
    RunOnPaneThread([&] {
        m_wndTree.SendMessage(WM_SETREDRAW, TRUE);
        m_wndTree.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        m_wndTree.SetFocus();
    });
}

void CSolutionExplorerPane::ExchangeTree(CXTPPropExchange* px)
{
    const BOOL loading = px->IsLoading();
    if (loading)
        BuildTreesForLoading();
    {
        CXTPPropExchangeSection state(px->GetSection("TreeState"));
        RunOnPaneThread([&] { ExchangeTreeState(state, &m_wndTree); });
    }
    if (loading)
        EndLoading();
}

// Notifications of the tree

void CSolutionExplorerPane::OnTreeItemExpanding(NMHDR* pNotify, LRESULT* pResult)
{
    const auto* view = reinterpret_cast<const NMTREEVIEWA*>(pNotify);
    HTREEITEM item = view->itemNew.hItem;
    const SolutionItemData* record = m_wndTree.GetRecord(item);
    if (record && record->kind != kItemProject) {
        if (view->action & TVE_EXPAND)
            SortChildren(item);
        // Only folders change their picture; a project keeps its own.
        if (record->kind == kItemFolder && m_wndTree.GetChildItem(item)) {
            const int image = (view->action & TVE_EXPAND) ? kImageFolderOpen : kImageFolderClosed;
            m_wndTree.SetItemImage(item, image, image);
        }
    }
    g_solutionConfig.ViewStateModified = 1;
    *pResult = 0;
}

void CSolutionExplorerPane::OnTreeDeleteItem(NMHDR* pNotify, LRESULT* pResult)
{
    const auto* view = reinterpret_cast<const NMTREEVIEWA*>(pNotify);
    delete reinterpret_cast<SolutionItemData*>(view->itemOld.lParam);
    *pResult = 0;
}

UINT CSolutionExplorerPane::MenuOfItem(HTREEITEM item) const
{
    if (!item)
        return 0;
    const SolutionItemData* record = m_wndTree.GetRecord(item);
    if (!record)
        return m_wndTree.GetParentItem(item) ? 0u : static_cast<UINT>(IDR_POPUP_SOLUTION);
    switch (record->kind) {
    case kItemProject:
        return IDR_POPUP_PROJECT;
    case kItemFolder:
        return IDR_POPUP_FOLDER;
    default:
        return IDR_POPUP_FILE;
    }
}

void CSolutionExplorerPane::OnTreeRightClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 1;
    CPoint screen;
    ::GetCursorPos(&screen);
    CPoint point = screen;
    m_wndTree.ScreenToClient(&point);
    UINT flags = 0;
    HTREEITEM item = m_wndTree.HitTest(point, &flags);
    if (!item || !(flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL)))
        return;
    // The commands act on the selection: the item clicked becomes it.
    m_wndTree.SelectItem(item);
    CMenu menu;
    if (!XTPResourceManager()->LoadMenu(&menu, MenuOfItem(item)))
        return;
    if (CMenu* popup = menu.GetSubMenu(0)) {
        const int command =
            CXTPCommandBars::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, this, nullptr, this);
        if (command)
            OnContextCommand(static_cast<UINT>(command));
    }
    menu.DestroyMenu();
}

// Commands

void CSolutionExplorerPane::OnEmptyCommand(UINT)
{
    // They act through the context menu only, which returns them to OnContextCommand.
}

void CSolutionExplorerPane::OnContextCommand(UINT nID)
{
    HTREEITEM selected = m_wndTree.GetSelectedItem();
    const SolutionItemData* record = m_wndTree.GetRecord(selected);
    CWnd* frame = MainWindow();
    switch (nID) {
    case ID_EXPLORER_ADD_PROJECT:
    case ID_BUILD_COMPILE:
    case ID_BUILD_DECOMPILE:
        if (frame)
            frame->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
        break;
    case ID_EXPLORER_SET_ACTIVE:
        if (frame && record) {
            const CString name = record->project;  // the tree is rebuilt by the switch
            frame->SendMessage(WM_SWITCH_ACTIVE_PROJECT, reinterpret_cast<WPARAM>(static_cast<const char*>(name)), 0);
        }
        break;
    case ID_EXPLORER_NEW_FOLDER:
        NewFolder();
        break;
    case ID_EXPLORER_NEW_SCRIPT:
        NewScriptFile();
        break;
    case ID_EXPLORER_ADD_SCRIPT:
        AddScriptFile();
        break;
    case ID_EXPLORER_OPEN:
        if (record && record->kind == kItemFile)
            m_wndTree.OpenFileItem(*record);
        break;
    case ID_EXPLORER_DELETE_PROJECT:
    case ID_EXPLORER_DELETE_FOLDER:
    case ID_EXPLORER_DELETE:
        m_wndTree.DeleteItem(selected);
        break;
    case ID_EXPLORER_RENAME:
        RenameFile();
        break;
    default:
        break;
    }
}

void CSolutionExplorerPane::OnUpdateAlways(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CSolutionExplorerPane::OnUpdateInActiveProject(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndTree.IsSelectionInActiveProject());
}

void CSolutionExplorerPane::OnUpdateOutsideActiveProject(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_wndTree.IsSelectionInActiveProject());
}

void CSolutionExplorerPane::OnUpdateCompile(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndTree.IsSelectionInActiveProject() && GetSrcManager()->GetCount() > 0 &&
                   g_solutionConfig.BuildJobThread == 0);
}

void CSolutionExplorerPane::OnUpdateDecompile(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndTree.IsSelectionInActiveProject() && IsDecompileProject() &&
                   g_solutionConfig.BuildJobThread == 0);
}

void CSolutionExplorerPane::OnUpdateDeleteFolder(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndTree.IsSelectionInActiveProject() && m_wndTree.IsSelectionEmptyFolder());
}

void CSolutionExplorerPane::ShowLastError()
{
    AfxMessageBox(SystemErrorText(::GetLastError()), MB_OK | MB_ICONINFORMATION);
}

CString ScriptFileName(const CString& name)
{
    const int dot = name.Find('.');
    return (dot >= 0 ? name.Left(dot) : name) + ".d";
}
