// The program's start through its one application object.
#include "AfxWinMain.h"

#include "CWinApp.h"
#include "CWnd.h"

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->m_hInstance = hInstance;
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd && pApp->m_pMainWnd->GetSafeHwnd())
            pApp->m_pMainWnd->DestroyWindow();
        pApp->ExitInstance();
        return -1;
    }
    return pApp->Run();
}
