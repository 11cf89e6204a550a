// The application object: the start-up of the whole program in its order, the interface
// language and its switch, Escape for the find workers, the output pane after a build, the end.
#pragma once

#include <windows.h>

#include "CWinApp.h"

class CCmdUI;
class CMainFrame;

class CTavrelinApp : public CWinApp {
public:
    // The profile name (under "Tavrelin tools") is the application's name.
    explicit CTavrelinApp(const char* lpszAppName = "Tavrelin");
    ~CTavrelinApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnIdle(LONG lCount) override;
    // The build worker does nothing until this has run.
    virtual void SetBuildReady();

    // Installs the resources of the language for this thread; with a main frame and a new
    // language the layout is saved under the old one and loaded under the new. 0 when the
    // window library refuses its new resource manager.
    BOOL SetLanguage(LANGID nLanguage, BOOL bRightToLeft);
    void SetRightToLeft(BOOL bRightToLeft);
    // "Varnok Projects\" beside the start folder and its "Anims\" (made when missing); empty
    // when the folder has no parent.
    static CString ProjectsRootFor(const CString& startDirectory);

    int m_nLanguage = 0;       // 1033, 1031 or 1049; 0 before the first switch
    int m_bRightToLeft = 0;    // mirrored window layout
    int m_bRefreshOutput = 0;  // a build summary was written: show the output at idle

protected:
    // The main frame before it is loaded (tests move its files elsewhere here).
    virtual CMainFrame* NewMainFrame();
    void OnLanguageEnglish();
    void OnLanguageRussian();
    void OnUpdateLanguageEnglish(CCmdUI* pCmdUI);
    void OnUpdateLanguageRussian(CCmdUI* pCmdUI);
    void OnUpdateLanguageGerman(CCmdUI* pCmdUI);
    void OnAppAbout();
    void OnCloseAll();
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bOleStarted = FALSE;
};
