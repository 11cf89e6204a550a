// The main window: its creation, layout file, language switch, pane notifications and close.
#include "CMainFrame.h"

#include <vector>

#include "AfxIds.h"
#include "BuildOptions.h"
#include "CAutoSaveTimer.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CMenu.h"
#include "CScintillaView.h"
#include "CSolutionConfig.h"
#include "CTavrelinIdeServices.h"
#include "CTavrelinApp.h"
#include "CWinApp.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsExchangeParam.h"
#include "CXTPControlComboBox.h"
#include "CXTPControls.h"
#include "CXTPCustomizeCommandsPage.h"
#include "CXTPCustomizeOptionsPage.h"
#include "CXTPCustomizeSheet.h"
#include "CXTPDockingPane.h"
#include "CXTPEdit.h"
#include "CXTPDockingPaneLayout.h"
#include "CXTPDockingPaneTabbedContainer.h"
#include "CXTPImageManager.h"
#include "CXTPMenuBar.h"
#include "CXTPPaintManager.h"
#include "CXTPPropExchangeXMLNode.h"
#include "CXTPResourceManager.h"
#include "CXTPToolBar.h"
#include "EditorProjectHost.h"
#include "LoadText.h"
#include "CXTWindowList.h"
#include "CXTWindowPlacement.h"
#include "DispatchPendingMessages.h"
#include "FileWatcher.h"
#include "FindInFiles.h"
#include "FrameControls.h"
#include "ResourceIds.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

namespace {

const UINT kIndicators[] = {ID_SEPARATOR,       ID_INDICATOR_FOLD, ID_INDICATOR_STYLE, ID_INDICATOR_LINE,
                            ID_INDICATOR_OVR,   ID_INDICATOR_CAPS, ID_INDICATOR_NUM,   ID_INDICATOR_SCRL};
const UINT kPaneIds[] = {ID_PANE_SOLUTION_EXPLORER, ID_PANE_CLASS_VIEW, ID_PANE_OUTPUT};

// What the layout file keeps of the command bars: the bars with their controls (only those the
// user changed) and where they are docked. Loading takes the saved original controls as well.
CXTPCommandBarsExchangeParam BarsExchangeParam(BOOL bLoading)
{
    CXTPCommandBarsExchangeParam param;
    param.bControls = TRUE;
    param.bOnlyCustomized = TRUE;
    param.bSilentLoad = FALSE;
    param.bOriginalControls = bLoading;
    param.bImages = FALSE;
    param.bOptions = FALSE;
    param.bLayout = TRUE;
    param.bCommandList = FALSE;
    return param;
}

LANGID CurrentLanguage()
{
    auto* pApp = dynamic_cast<CTavrelinApp*>(AfxGetApp());
    return pApp && pApp->m_nLanguage ? static_cast<LANGID>(pApp->m_nLanguage) : static_cast<LANGID>(1033);
}

// One pass of the message loop without the idle work: sent messages are served while waiting.
void PumpWaiting()
{
    DispatchPendingMessages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
}

// The output pane as the build jobs' sink.
class PaneOutputTarget : public CBuildOutputTarget {
public:
    explicit PaneOutputTarget(COutputPane* pPane) : m_pPane(pPane) {}
    void AddBuildMessage(int kind, const char* file, const zSTRING& text, int line, bool fatal) override
    {
        m_pPane->AddBuildMessage(kind, file, text.c_str(), line, fatal);
    }
    void ReportBuildSummary(int broken) override { m_pPane->ReportBuildSummary(broken); }
    void ReplaceFileInLastMessages(const zSTRING& oldName, const zSTRING& newName) override
    {
        m_pPane->ReplaceFileInLastMessages(oldName.c_str(), newName.c_str());
    }

private:
    COutputPane* m_pPane;
};

}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_ACTIVATE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_CMDBARS_CREATECONTROL, OnCreateControl)
    ON_NOTIFY(CBN_XTP_EXECUTE, ID_PLATFORM_COMBO, OnPlatformExecute)
    ON_UPDATE_COMMAND_UI(ID_PLATFORM_COMBO, OnUpdatePlatform)
    ON_MESSAGE(WM_DOCKPANE_NOTIFY, OnDockingPaneNotify)
    ON_MESSAGE(kMsgTabClientMouse, OnTabClientMouse)
    ON_MESSAGE(WM_SETTINGCHANGE, OnForwardToEditor)
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnForwardToEditor)
    ON_MESSAGE(WM_PALETTECHANGED, OnForwardToEditor)
    ON_MESSAGE(WM_QUERYNEWPALETTE, OnForwardToEditor)
    ON_COMMAND_RANGE(ID_PANE_SOLUTION_EXPLORER, ID_HELP_DYNAMIC, OnShowPane)
    ON_COMMAND(ID_WINDOW_AUTO_HIDE_ALL, OnAutoHideAll)
    ON_COMMAND_RANGE(ID_PANE_AUTO_HIDE, ID_PANE_HIDE, OnPaneMenuCommand)
    ON_COMMAND(ID_WINDOW_MORE, OnMoreWindows)
    ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_LINE, ID_INDICATOR_FOLD, OnUpdateStatusText)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_OVR, OnUpdateStatusText)
    ON_REGISTERED_MESSAGE(g_fileWatchChangedMessage, OnFileWatchChangedMessage)
    ON_COMMAND(XTP_ID_CUSTOMIZE, OnCustomize)
    // Solution and project files (CMainFrameSolution.cpp).
    ON_COMMAND(ID_SOLUTION_OPEN, OnOpenSolution)
    ON_COMMAND(ID_SOLUTION_CLOSE, OnCloseSolution)
    ON_COMMAND(ID_FILE_SAVE_ALL, OnSaveAll)
    ON_COMMAND_RANGE(ID_RECENT_SOLUTIONS, ID_RECENT_SOLUTIONS_LAST, OnOpenRecentSolution)
    ON_UPDATE_COMMAND_UI(ID_SOLUTION_CLOSE, OnUpdateSolutionOpen)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_ALL, OnUpdateSolutionOpen)
    ON_UPDATE_COMMAND_UI_RANGE(ID_RECENT_SOLUTIONS, ID_RECENT_SOLUTIONS_LAST, OnUpdateRecentSolution)
    // New solution, new project, the active project.
    ON_COMMAND(ID_SOLUTION_NEW, OnNewSolution)
    ON_COMMAND(ID_EXPLORER_ADD_PROJECT, OnAddNewProject)
    ON_UPDATE_COMMAND_UI(ID_EXPLORER_ADD_PROJECT, OnUpdateAddNewProject)
    ON_MESSAGE(0x594, OnSwitchProjectMessage)
    ON_NOTIFY_RANGE(CBN_XTP_EXECUTE, ID_SET_ACTIVE_PROJECT, ID_SET_ACTIVE_PROJECT_LAST, OnActiveProjectClicked)
    ON_UPDATE_COMMAND_UI(ID_SET_ACTIVE_PROJECT, OnUpdateActiveProjectList)
    // Build and Tools commands (CMainFrameBuild.cpp).
    ON_COMMAND(ID_BUILD_COMPILE, OnBuildCompile)
    ON_UPDATE_COMMAND_UI(ID_BUILD_COMPILE, OnUpdateBuildCompile)
    ON_COMMAND(ID_BUILD_DECOMPILE, OnBuildDecompile)
    ON_UPDATE_COMMAND_UI(ID_BUILD_DECOMPILE, OnUpdateBuildDecompile)
    ON_COMMAND(ID_BUILD_STOP, StopBuild)
    ON_UPDATE_COMMAND_UI(ID_BUILD_STOP, OnUpdateStopBuild)
    ON_COMMAND(ID_BUILD_OPTIONS, OnBuildOptions)
    ON_UPDATE_COMMAND_UI(ID_BUILD_OPTIONS, OnUpdateBuildOptions)
    ON_COMMAND_RANGE(ID_TOOLS_MODEL_FIRST, ID_TOOLS_MODEL_LAST, OnModelTool)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TOOLS_MODEL_FIRST, ID_TOOLS_MODEL_LAST, OnUpdateModelTool)
    ON_COMMAND(ID_INSERT_FILES_OPTIONS, OnInsertFilesOptions)
    ON_UPDATE_COMMAND_UI(ID_PROGRESS_PANE, OnUpdateProgressPane)
    ON_MESSAGE(WM_DECOMPILE_WRITTEN, OnDecompileWritten)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
{
    char path[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    m_strExeBase = path;
    const int dot = m_strExeBase.ReverseFind('.');
    if (dot >= 0)
        m_strExeBase = m_strExeBase.Left(dot);
}

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CXTPMDIFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // Made where it was left, so that placing it when it is shown (which still happens, for the
    // state and the work area) does not lay out every bar and pane a second time.
    CXTWindowPlacement placement;
    if (placement.ReadWindowPos()) {
        const RECT& rect = placement.GetPlacement().rcNormalPosition;
        if (rect.right > rect.left && rect.bottom > rect.top) {
            cs.x = rect.left;
            cs.y = rect.top;
            cs.cx = rect.right - rect.left;
            cs.cy = rect.bottom - rect.top;
        }
    }
    return TRUE;
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && pMsg->wParam != VK_RETURN &&
        pMsg->wParam != VK_TAB && pMsg->wParam != VK_ESCAPE &&
        dynamic_cast<CXTPEdit*>(CWnd::FromHandlePermanent(::GetFocus())))
        return FALSE;
    return CXTPMDIFrameWnd::PreTranslateMessage(pMsg);
}

int CMainFrame::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CXTPMDIFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    // Bars, panes and tabs are laid out once, when all of them stand, not after each step.
    struct LayoutOnce {
        CMainFrame* pFrame;
        BOOL bCreated;
        ~LayoutOnce()
        {
            pFrame->m_bInRecalcLayout = FALSE;
            if (bCreated)
                pFrame->RecalcLayout();
        }
    } layoutOnce{this, FALSE};
    m_bInRecalcLayout = TRUE;

    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, sizeof kIndicators / sizeof kIndicators[0]))
        return -1;

    if (!InitCommandBars())
        return -1;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    pCommandBars->EnableDocking();
    CXTPPaintManager::SetTheme(4);
    m_wndStatusBar.SetCommandBars(pCommandBars);

    CXTPMenuBar* pMenuBar = pCommandBars->SetMenu(LoadText(IDS_BAR_MENU_BAR), IDR_MAINFRAME);
    if (pMenuBar)
        pMenuBar->SetFlags(xtpFlagIgnoreSetMenuMessage);
    CXTPToolBar* pStandard = pCommandBars->Add(LoadText(IDS_BAR_STANDARD), xtpBarTop);
    // With alpha icons the toolbar's own bitmap would only be replaced by the alpha one below.
    CXTPImageManager* pImages = XTPImageManager();
    const BOOL bAlphaIcons = pImages->IsAlphaIconsSupported();
    const BOOL bToolBarIcons = !bAlphaIcons || (pStandard && pStandard->GetImageManager() != pImages);
    if (!pStandard || !pStandard->LoadToolBar(IDR_MAINFRAME, bToolBarIcons))
        return -1;

    if (bAlphaIcons) {
        pImages->SetIconsWithBitmap(IDR_MAINFRAME, IDB_STANDARD_ALPHA, 0);
        pImages->SetIconsWithBitmap(IDR_MENU_ICONS, IDB_MENU_ICONS_ALPHA, 0);
        CXTPPaintManager::Current()->GetIconOptions()[1] = TRUE;
        CXTPImageManager::m_dDisabledBrightnessFactor = 5.0;
        CXTPImageManager::m_dDisabledAlphaFactor = 4.0;
    } else {
        pImages->SetIcons(IDR_MENU_ICONS);
    }

    m_paneManager.InstallInFrame(this);
    m_paneManager.SetTheme(7);
    CXTPDockingPane* pOutput = m_paneManager.CreatePane(ID_PANE_OUTPUT, CRect(0, 0, 150, 120), DPD_BOTTOM);
    CXTPDockingPane* pClassView = m_paneManager.CreatePane(ID_PANE_CLASS_VIEW, CRect(0, 0, 230, 140), DPD_LEFT);
    CXTPDockingPane* pExplorer =
        m_paneManager.CreatePane(ID_PANE_SOLUTION_EXPLORER, CRect(0, 0, 230, 140), DPD_LEFT);
    if (!pOutput || !pClassView || !pExplorer)
        return -1;
    m_paneManager.AttachPane(pExplorer, pClassView);
    pExplorer->Select();
    for (UINT nID : kPaneIds)
        CreatePaneWindow(nID);

    LoadBuildOptions();
    LoadLayout(CurrentLanguage());

    m_paneManager.SetImageManager(pCommandBars->GetImageManager());
    m_paneManager.m_bAlphaDragPreview = TRUE;
    m_paneManager.m_bDragStickers = TRUE;

    // The MDI tabs, in groups, with the toolbar's icons and a look of their own.
    m_MTIClientWnd.Attach(this, pCommandBars);
    pImages->SetIcons(IDR_SCRIPT_TABS);
    m_MTIClientWnd.EnableTabToolTips(TRUE);
    m_MTIClientWnd.SetPaintManager(CreateTabPaintManager());
    GetAutoSaveTimer().Attach(m_hWnd);
    InitBuildCommands();
    layoutOnce.bCreated = TRUE;
    return 0;
}

CWnd* CMainFrame::GetPaneWindow(UINT nID)
{
    switch (nID) {
    case ID_PANE_SOLUTION_EXPLORER:
        return &m_wndSolutionExplorer;
    case ID_PANE_CLASS_VIEW:
        return &m_wndClassView;
    case ID_PANE_OUTPUT:
        return &m_wndOutput;
    default:
        return nullptr;
    }
}

CWnd* CMainFrame::CreatePaneWindow(UINT nID)
{
    CWnd* pWnd = GetPaneWindow(nID);
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!pWnd || pWnd->GetSafeHwnd())
        return pWnd;
    if (pWnd == &m_wndOutput) {
        if (m_wndOutput.Create(this, 0, dwStyle)) {
            SetOutputPane(&m_wndOutput);
            m_pOutputTarget = std::make_unique<PaneOutputTarget>(&m_wndOutput);
            GetTavrelinIdeServices().SetOutputTarget(m_pOutputTarget.get());
        }
    } else if (pWnd == &m_wndSolutionExplorer) {
        m_wndSolutionExplorer.Create(this, dwStyle);
    } else {
        pWnd->CreateEx(0, "STATIC", "", dwStyle, CRect(0, 0, 0, 0), this, 0);
    }
    return pWnd;
}

CString CMainFrame::GetLayoutPath(LANGID nLanguage) const
{
    const char* suffix = "";
    switch (PRIMARYLANGID(nLanguage)) {
    case LANG_ENGLISH:
        suffix = "_en";
        break;
    case LANG_RUSSIAN:
        suffix = "_ru";
        break;
    case LANG_GERMAN:
        suffix = "_de";
        break;
    }
    return m_strExeBase + suffix + ".xml";
}

void CMainFrame::LoadLayout(LANGID nLanguage)
{
    CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
    if (!px.LoadFromFile(GetLayoutPath(nLanguage)))
        return;
    {
        // A damaged section leaves the bars as they were; the panes are read all the same.
        CXTPPropExchangeSection bars(px.GetSection("CommandBars"));
        CXTPCommandBarsExchangeParam param = BarsExchangeParam(TRUE);
        GetCommandBars()->DoPropExchange(bars, &param);
    }
    CXTPDockingPaneLayout* pLayout = m_paneManager.CreateLayout();
    {
        CXTPPropExchangeSection section(px.GetSection("DockingPane"));
        if (pLayout->DoPropExchange(section)) {
            m_paneManager.SetLayout(pLayout);
            RestoreMissingPanes();
        }
    }
    delete pLayout;
}

void CMainFrame::RestoreMissingPanes()
{
    if (!m_paneManager.FindPane(ID_PANE_OUTPUT))
        m_paneManager.CreatePane(ID_PANE_OUTPUT, CRect(0, 0, 150, 120), DPD_BOTTOM);
    CXTPDockingPane* pClassView = m_paneManager.FindPane(ID_PANE_CLASS_VIEW);
    if (!pClassView)
        pClassView = m_paneManager.CreatePane(ID_PANE_CLASS_VIEW, CRect(0, 0, 230, 140), DPD_LEFT);
    if (!m_paneManager.FindPane(ID_PANE_SOLUTION_EXPLORER)) {
        CXTPDockingPane* pExplorer =
            m_paneManager.CreatePane(ID_PANE_SOLUTION_EXPLORER, CRect(0, 0, 230, 140), DPD_LEFT);
        // Into the class view's group, as at first start, unless that pane is closed.
        if (pClassView && !pClassView->IsClosed() && !pClassView->IsHidden())
            m_paneManager.AttachPane(pExplorer, pClassView);
        pExplorer->Select();
    }
    for (UINT nID : kPaneIds) {
        CXTPDockingPane* pPane = m_paneManager.FindPane(nID);
        if (pPane && !pPane->IsAttached() && !pPane->IsClosed())
            pPane->Attach(CreatePaneWindow(nID));
    }
}

void CMainFrame::SaveLayout(LANGID nLanguage)
{
    CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
    px.SetEncoding("windows-1251");
    {
        CXTPPropExchangeSection bars(px.GetSection("CommandBars"));
        CXTPCommandBarsExchangeParam param = BarsExchangeParam(FALSE);
        GetCommandBars()->DoPropExchange(bars, &param);
    }
    CXTPDockingPaneLayout* pLayout = m_paneManager.CreateLayout();
    m_paneManager.GetLayout(pLayout);
    {
        CXTPPropExchangeSection section(px.GetSection("DockingPane"));
        pLayout->DoPropExchange(section);
    }
    delete pLayout;
    const CString path = GetLayoutPath(nLanguage);
    const CString written = path + ".new";
    if (px.SaveToFile(written, TRUE) == S_OK)
        ::MoveFileExA(written, path, MOVEFILE_REPLACE_EXISTING);
    else
        ::DeleteFileA(written);
}

void CMainFrame::ReloadMenus()
{
    m_bInRecalcLayout = TRUE;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    for (int i = pCommandBars->GetCount() - 1; i >= 0; i--) {
        CXTPCommandBar* pBar = pCommandBars->GetAt(i);
        auto* pToolBar = dynamic_cast<CXTPToolBar*>(pBar);
        if (pToolBar && !pToolBar->IsBuiltIn())
            pCommandBars->Remove(pBar);
    }
    for (int i = 0; i < pCommandBars->GetCount(); i++) {
        CXTPCommandBar* pBar = pCommandBars->GetAt(i);
        if (pBar == pCommandBars->GetMenuBar()) {
            CMenu menu;
            if (XTPResourceManager()->LoadMenu(&menu, IDR_MAINFRAME)) {
                pBar->LoadMenu(&menu, TRUE);
                pBar->GetControls()->CreateOriginalControls();
                static_cast<CXTPMenuBar*>(pBar)->RefreshMenu();
            }
        } else if (auto* pToolBar = dynamic_cast<CXTPToolBar*>(pBar)) {
            if (pToolBar->GetBarID() != 0)
                pToolBar->LoadToolBar(pToolBar->GetBarID(), FALSE);
        }
    }
    if (pCommandBars->GetMenuBar())
        pCommandBars->GetMenuBar()->SetTitle(LoadText(IDS_BAR_MENU_BAR));
    if (pCommandBars->GetCount() > 1)
        pCommandBars->GetAt(1)->SetTitle(LoadText(IDS_BAR_STANDARD));
    for (UINT nID : kPaneIds) {
        if (CXTPDockingPane* pPane = m_paneManager.FindPane(nID))
            pPane->SetTitle(LoadText(nID));
    }
    if (m_wndOutput.GetSafeHwnd())
        m_wndOutput.UpdateTabTitles();
    m_bInRecalcLayout = FALSE;
    RecalcLayout(TRUE);
}

void CMainFrame::ShowMainWindow()
{
    CXTWindowPlacement placement;
    placement.LoadWindowPos(this);
    ShowWindow(static_cast<int>(placement.GetShowCmd()));
}

void CMainFrame::WaitForWorkersToEnd()
{
    // A job asked to stop (Stop Build, Escape) has cleared its word but may still be running.
    while (g_solutionConfig.FindThread != 0 || g_solutionConfig.BuildJobThread != 0 || IsFindInFilesWorkerAlive() ||
           (m_hBuildThread && ::WaitForSingleObject(m_hBuildThread, 0) == WAIT_TIMEOUT))
        PumpWaiting();
}

void CMainFrame::OnClose()
{
    // The frame would go while the first close still waits on it.
    if (m_bClosing)
        return;
    m_bClosing = TRUE;
    WaitForWorkersToEnd();
    SaveFindList(GetFindCombo());
    SaveBuildOptions();
    SaveLayout(CurrentLanguage());
    OnCloseSolution();
    if (!m_bCanClose) {
        m_bClosing = FALSE;
        return;
    }
    ShowWindow(SW_HIDE);
    if (CWinApp* pApp = AfxGetApp())
        pApp->CloseAllDocuments(FALSE);
    StopFileWatchThread();
    if (m_pRecentProjects)
        m_pRecentProjects->WriteList();
    CXTWindowPlacement placement;
    placement.SaveWindowPos(this);
    CXTPMDIFrameWnd::OnClose();
}

void CMainFrame::OnDestroy()
{
    GetAutoSaveTimer().Detach();
    ExitBuildCommands();
    // The jobs' messages go nowhere from here on.
    if (m_pOutputTarget) {
        GetTavrelinIdeServices().SetOutputTarget(nullptr);
        SetOutputPane(nullptr);
        m_pOutputTarget.reset();
    }
    CXTPMDIFrameWnd::OnDestroy();
}

void CMainFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    if (nState == WA_INACTIVE)
        m_hWndFocus = ::GetFocus();
    CXTPMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState != WA_INACTIVE && m_hWndFocus && ::IsWindow(m_hWndFocus))
        ::SetFocus(m_hWndFocus);
}

LRESULT CMainFrame::OnForwardToEditor(WPARAM wParam, LPARAM lParam)
{
    // Every script window hears of changed settings and colours, not just the first.
    const UINT message = GetCurrentMessage()->message;
    if (CWinApp* pApp = AfxGetApp()) {
        for (POSITION tpl = pApp->GetFirstDocTemplatePosition(); tpl;) {
            CDocTemplate* pTemplate = pApp->GetNextDocTemplate(tpl);
            for (POSITION doc = pTemplate->GetFirstDocPosition(); doc;) {
                CDocument* pDoc = pTemplate->GetNextDoc(doc);
                for (POSITION view = pDoc->GetFirstViewPosition(); view;) {
                    auto* pView = dynamic_cast<CScintillaView*>(pDoc->GetNextView(view));
                    if (pView && pView->GetCtrl().GetSafeHwnd())
                        pView->GetCtrl().SendMessage(message, wParam, lParam);
                }
            }
        }
    }
    return Default();
}

LRESULT CMainFrame::OnDockingPaneNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == DPN_NEEDWINDOW) {
        auto* pPane = reinterpret_cast<CXTPDockingPane*>(lParam);
        if (pPane->IsAttached())
            return 1;
        if (CWnd* pWnd = CreatePaneWindow(pPane->GetID()))
            pPane->Attach(pWnd);
        return 1;
    }
    if (wParam == DPN_CONTEXTMENU) {
        auto* pElement = reinterpret_cast<CXTPDockingPaneBase*>(lParam);
        CXTPDockingPane* pPane = dynamic_cast<CXTPDockingPane*>(pElement);
        if (!pPane) {
            if (auto* pGroup = dynamic_cast<CXTPDockingPaneTabbedContainer*>(pElement))
                pPane = pGroup->GetSelectedPane();
        }
        if (pPane)
            ShowPaneContextMenu(pPane);
        return 1;
    }
    return 0;
}

void CMainFrame::ShowPaneContextMenu(CXTPDockingPane* pPane)
{
    CMenu menu;
    if (!XTPResourceManager()->LoadMenu(&menu, IDR_PANE_MENU))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (!pPopup)
        return;
    pPopup->CheckMenuItem(ID_PANE_AUTO_HIDE, MF_BYCOMMAND | (pPane->IsHidden() ? MF_CHECKED : MF_UNCHECKED));
    POINT pt;
    ::GetCursorPos(&pt);
    const int nCommand = CXTPCommandBars::TrackPopupMenu(pPopup, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, this);
    if (nCommand == ID_PANE_HIDE)
        pPane->Close();
    else if (nCommand == ID_PANE_AUTO_HIDE)
        m_paneManager.ToggleAutoHide(pPane);
    menu.DestroyMenu();
}

void CMainFrame::OnPaneMenuCommand(UINT)
{
    // The pane menu returns its commands to ShowPaneContextMenu; handled here so that its items
    // show enabled.
}

void CMainFrame::OnShowPane(UINT nID)
{
    if (CXTPDockingPane* pPane = m_paneManager.FindPane(nID))
        m_paneManager.ShowPane(pPane);
}

void CMainFrame::OnAutoHideAll()
{
    std::vector<DockingPaneInfo>* pPanes = m_paneManager.GetPaneList();
    if (!pPanes)
        return;
    std::vector<CXTPDockingPane*> panes;
    for (const DockingPaneInfo& info : *pPanes)
        if (info.pPane && !info.pPane->IsClosed() && !info.pPane->IsHidden())
            panes.push_back(info.pPane);
    for (CXTPDockingPane* pPane : panes)
        m_paneManager.ToggleAutoHide(pPane);
}

void CMainFrame::OnMoreWindows()
{
    CXTWindowList dialog(this);
    dialog.DoModal();
}

void CMainFrame::OnCustomize()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return;
    CXTPCustomizeSheet sheet(pCommandBars);
    CXTPCustomizeOptionsPage options(&sheet);
    sheet.AddPage(&options);
    CXTPCustomizeCommandsPage* pCommands = sheet.GetCommandsPage();
    pCommands->InsertCategories(IDR_MAINFRAME, TRUE);
    pCommands->InsertAllCommandsCategory(IDS_CATEGORY_ALL_COMMANDS, -1);
    pCommands->InsertBuiltInMenus(IDR_MAINFRAME, IDS_CATEGORY_BUILT_IN_MENUS, -1);
    pCommands->InsertNewMenuCategory(IDS_CATEGORY_NEW_MENU, -1);
    sheet.DoModal();
}

LRESULT CMainFrame::OnCreateControl(WPARAM, LPARAM lParam)
{
    return CreateFrameControl(reinterpret_cast<XTP_CREATECONTROL*>(lParam), nullptr) ? 1 : 0;
}

CXTPControlComboBox* CMainFrame::GetFindCombo() const
{
    return FindFindCombo(GetCommandBars());
}

void CMainFrame::OnPlatformExecute(NMHDR* pNotify, LRESULT* pResult)
{
    if (OnPlatformComboExecute(pNotify) && pResult)
        *pResult = 1;
}

void CMainFrame::OnUpdatePlatform(CCmdUI* pCmdUI)
{
    UpdatePlatformCombo(pCmdUI);
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    GetAutoSaveTimer().OnTimer(nIDEvent);
    Default();
}

void CMainFrame::OnUpdateStatusText(CCmdUI* pCmdUI)
{
    pCmdUI->SetText("");
}
