// The application object: start-up, language, Escape, idle refresh of the output, exit.
#include "CTavrelinApp.h"

#include <ole2.h>

#include <Scintilla.h>

#include "AfxIds.h"
#include "AfxResource.h"
#include "CAboutDlg.h"
#include "CCmdUI.h"
#include "CChildFrame.h"
#include "CCommandLineInfo.h"
#include "CDocTemplate.h"
#include "CMainFrame.h"
#include "CSolutionConfig.h"
#include "CTavrelinDoc.h"
#include "CTavrelinIdeServices.h"
#include "CTavrelinView.h"
#include "CXTPDockingPane.h"
#include "CXTPResourceManager.h"
#include "EngineStartup.h"
#include "ErrorMessageBox.h"
#include "ResourceIds.h"
#include "XTPResourceHandles.h"
#include "zCOption.h"

namespace {

const LANGID kEnglish = 1033;
const LANGID kGerman = 1031;
const LANGID kRussian = 1049;

CMainFrame* MainFrame()
{
    CWinApp* pApp = AfxGetApp();
    return pApp ? dynamic_cast<CMainFrame*>(pApp->m_pMainWnd) : nullptr;
}

BOOL EnsureFolder(const CString& path)
{
    if (::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return TRUE;
    return ::CreateDirectoryA(path, nullptr);
}

void SetMirrored(HWND hWnd, BOOL bRightToLeft)
{
    const LONG exStyle = ::GetWindowLongA(hWnd, GWL_EXSTYLE);
    ::SetWindowLongA(hWnd, GWL_EXSTYLE, bRightToLeft ? exStyle | WS_EX_LAYOUTRTL : exStyle & ~WS_EX_LAYOUTRTL);
}

// The window and all its descendants.
void MirrorWindowTree(HWND hWnd, BOOL bRightToLeft)
{
    SetMirrored(hWnd, bRightToLeft);
    for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        MirrorWindowTree(hChild, bRightToLeft);
}

struct MirrorOwned {
    HWND hOwner;
    BOOL bRightToLeft;
};

BOOL CALLBACK MirrorIfOwned(HWND hWnd, LPARAM lParam)
{
    auto* pMirror = reinterpret_cast<MirrorOwned*>(lParam);
    if (::GetWindow(hWnd, GW_OWNER) == pMirror->hOwner)
        MirrorWindowTree(hWnd, pMirror->bRightToLeft);
    return TRUE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTavrelinApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_WINDOW_CLOSE_ALL, OnCloseAll)
    ON_COMMAND(ID_LANGUAGE_ENGLISH, OnLanguageEnglish)
    ON_COMMAND(ID_LANGUAGE_RUSSIAN, OnLanguageRussian)
    ON_UPDATE_COMMAND_UI(ID_LANGUAGE_ENGLISH, OnUpdateLanguageEnglish)
    ON_UPDATE_COMMAND_UI(ID_LANGUAGE_RUSSIAN, OnUpdateLanguageRussian)
    ON_UPDATE_COMMAND_UI(ID_LANGUAGE_GERMAN, OnUpdateLanguageGerman)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CTavrelinApp::CTavrelinApp(const char* lpszAppName) : CWinApp(lpszAppName) {}

CTavrelinApp::~CTavrelinApp() = default;

BOOL CTavrelinApp::InitInstance()
{
    // Before anything can reach an engine dead end: without it the program would end silently.
    InstallErrorMessageBox();
    Scintilla_RegisterClasses(m_hInstance);
    m_bOleStarted = SUCCEEDED(::OleInitialize(nullptr));
    SetRegistryKey("Tavrelin tools");
    LoadStdProfileSettings(9);
    zSetIdeServices(&GetTavrelinIdeServices());

    AddDocTemplate(new CMultiDocTemplate(IDR_SCRIPT_TYPE, RUNTIME_CLASS(CTavrelinDoc), RUNTIME_CLASS(CChildFrame),
                                         RUNTIME_CLASS(CTavrelinView)));

    const int nStored = static_cast<int>(GetProfileInt("Settings", "Current Language", kEnglish));
    switch (PRIMARYLANGID(nStored)) {
    case LANG_GERMAN:
        SetLanguage(kGerman, FALSE);
        break;
    case LANG_ENGLISH:
        SetLanguage(kEnglish, FALSE);
        break;
    case LANG_RUSSIAN:
        SetLanguage(kRussian, FALSE);
        break;
    }
    if (m_nLanguage == 0)
        SetLanguage(kEnglish, FALSE);

    XTPSetResourceHandles(m_hInstance, m_hInstance);

    CMainFrame* pFrame = NewMainFrame();
    // A frame that fails to load has deleted itself.
    if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr))
        return FALSE;
    m_pMainWnd = pFrame;
    pFrame->LoadRecentProjects();

    EnableShellOpen();
    RegisterShellFileTypes(TRUE);
    SetBuildReady();

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    char current[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryA(MAX_PATH + 1, current);
    g_solutionConfig.StartDirectory = current;
    const CString root = ProjectsRootFor(g_solutionConfig.StartDirectory);
    if (!root.IsEmpty()) {
        EnsureFolder(root);
        EnsureFolder(root + "Anims\\");
        g_solutionConfig.ProjectsRoot = root;
    }

    pFrame->ShowMainWindow();
    pFrame->UpdateWindow();
    pFrame->GetOutputPane()->ClearBuild();
    // The engine's options rest on the folder the program was started in.
    zCOption::SetStartDirectory(zSTRING(static_cast<const char*>(g_solutionConfig.StartDirectory)));
    EngineStartup();
    return TRUE;
}

CMainFrame* CTavrelinApp::NewMainFrame()
{
    return new CMainFrame;
}

CString CTavrelinApp::ProjectsRootFor(const CString& startDirectory)
{
    const int slash = startDirectory.ReverseFind('\\');
    if (slash < 0)
        return CString();
    return startDirectory.Left(slash + 1) + "Varnok Projects\\";
}

void CTavrelinApp::SetBuildReady()
{
    g_solutionConfig.Ready = 1;
}

int CTavrelinApp::ExitInstance()
{
    WriteProfileInt("Settings", "Current Language", m_nLanguage);
    EngineShutdown();
    zSetIdeServices(nullptr);
    Scintilla_ReleaseResources();
    if (m_bOleStarted) {
        ::OleUninitialize();
        m_bOleStarted = FALSE;
    }
    return CWinApp::ExitInstance();
}

BOOL CTavrelinApp::SetLanguage(LANGID nLanguage, BOOL bRightToLeft)
{
    if (!CXTPResourceManager::SetResourceManager(new CXTPResourceManager))
        return FALSE;
    g_solutionConfig.Language = nLanguage;
    ::SetThreadLocale(MAKELCID(nLanguage, SORT_DEFAULT));
    AfxSetResourceLanguage(nLanguage);
    SetRightToLeft(bRightToLeft);

    CMainFrame* pFrame = MainFrame();
    if (pFrame && m_nLanguage != nLanguage) {
        if (m_nLanguage != 0)
            pFrame->SaveLayout(static_cast<LANGID>(m_nLanguage));
        pFrame->ReloadMenus();
        pFrame->LoadLayout(nLanguage);
        m_nLanguage = nLanguage;
        OnIdle(0);
        pFrame->UpdateWindow();
    }
    m_nLanguage = nLanguage;
    return TRUE;
}

void CTavrelinApp::SetRightToLeft(BOOL bRightToLeft)
{
    if (LOBYTE(LOWORD(::GetVersion())) < 4 || bRightToLeft == m_bRightToLeft)
        return;
    m_bRightToLeft = bRightToLeft;
    CWnd* pMain = m_pMainWnd;
    if (!pMain || !pMain->GetSafeHwnd())
        return;
    MirrorWindowTree(pMain->m_hWnd, bRightToLeft);
    MirrorOwned mirror = {pMain->m_hWnd, bRightToLeft};
    ::EnumThreadWindows(::GetCurrentThreadId(), MirrorIfOwned, reinterpret_cast<LPARAM>(&mirror));
}

BOOL CTavrelinApp::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && g_solutionConfig.FindThread != 0)
        g_solutionConfig.FindThread = 0;
    return CWinApp::PreTranslateMessage(pMsg);
}

BOOL CTavrelinApp::OnIdle(LONG lCount)
{
    CMainFrame* pFrame = MainFrame();
    COutputPane* pOutput = pFrame ? pFrame->GetOutputPane() : nullptr;
    // The pane marks a written summary itself, from whichever thread wrote it.
    if (pOutput && pOutput->GetSafeHwnd() && pOutput->RefreshIfRequested())
        m_bRefreshOutput = 1;
    if (m_bRefreshOutput && pFrame) {
        CXTPDockingPaneManager* pManager = pFrame->GetDockingPaneManager();
        if (CXTPDockingPane* pPane = pManager->FindPane(ID_PANE_OUTPUT))
            pManager->ShowPane(pPane);
        if (pOutput->GetSafeHwnd())
            pOutput->ShowLastBuildLine();
    }
    m_bRefreshOutput = 0;
    return CWinApp::OnIdle(lCount);
}

void CTavrelinApp::OnLanguageEnglish()
{
    SetLanguage(kEnglish, FALSE);
}

void CTavrelinApp::OnLanguageRussian()
{
    SetLanguage(kRussian, FALSE);
}

void CTavrelinApp::OnUpdateLanguageEnglish(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_nLanguage == kEnglish);
}

void CTavrelinApp::OnUpdateLanguageRussian(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_nLanguage == kRussian);
}

void CTavrelinApp::OnUpdateLanguageGerman(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

void CTavrelinApp::OnAppAbout()
{
    CAboutDlg about(m_pMainWnd);
    about.DoModal();
}

void CTavrelinApp::OnCloseAll()
{
    CloseAllDocuments(FALSE);
}
