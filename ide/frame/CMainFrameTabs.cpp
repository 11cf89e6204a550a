// The frame's side of the MDI tabs: presses on a tab (its menu, a middle click closes).
#include "CMainFrame.h"

#include "CMenu.h"
#include "CSolutionConfig.h"
#include "CXTPCommandBars.h"
#include "CXTPResourceManager.h"
#include "CXTPTabAppearance.h"
#include "CXTPTabManagerItem.h"
#include "CXTPTabPaintManager.h"
#include "ResourceIds.h"

CXTPTabPaintManager* CMainFrame::CreateTabPaintManager()
{
    auto* paint = new CXTPTabPaintManager;
    paint->SetAppearance(xtpTabAppearanceSlanted);
    paint->m_bHotTracking = TRUE;
    paint->m_bShowIcons = FALSE;
    paint->m_bBoldSelected = TRUE;
    paint->m_bPerTabColors = TRUE;  // each script's tab in the colour its window names
    paint->m_rcClientMargin.SetRect(2, 2, 2, 2);
    paint->m_rcButtonMargin.SetRect(4, 1, 4, 1);
    paint->GetAppearanceSet()->m_rcHeaderMargin.SetRect(2, 6, 2, 0);
    return paint;
}

LRESULT CMainFrame::OnTabClientMouse(WPARAM wParam, LPARAM lParam)
{
    const UINT message = static_cast<UINT>(wParam);
    if (message == WM_LBUTTONDOWN) {
        g_solutionConfig.ViewStateModified = 1;
        return 0;
    }
    if (message != WM_RBUTTONDOWN && message != WM_MBUTTONDOWN)
        return 0;
    CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    CXTPTabManagerItem* pItem = m_MTIClientWnd.HitTest(pt);
    if (!pItem)
        return 0;
    const HWND hChild = reinterpret_cast<HWND>(pItem->GetData());
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hChild), 0);
    m_MTIClientWnd.Refresh();
    if (message == WM_MBUTTONDOWN) {
        ::SendMessageA(hChild, WM_COMMAND, ID_FILE_CLOSE, 0);
        g_solutionConfig.ViewStateModified = 1;
        return 1;
    }
    CMenu menu;
    if (XTPResourceManager()->LoadMenu(&menu, IDR_TAB_MENU)) {
        if (CMenu* pPopup = menu.GetSubMenu(0)) {
            m_MTIClientWnd.TabClientToScreen(&pt);
            const int nCommand =
                CXTPCommandBars::TrackPopupMenu(pPopup, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, this);
            if (nCommand > 0 && ::IsWindow(hChild))
                ::SendMessageA(hChild, WM_COMMAND, static_cast<WPARAM>(nCommand), 0);
            if (nCommand == static_cast<int>(ID_FILE_CLOSE))
                g_solutionConfig.ViewStateModified = 1;
        }
        menu.DestroyMenu();
    }
    m_MTIClientWnd.Refresh();
    return 1;
}
