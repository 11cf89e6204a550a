// A frame showing popups as the stand-in theme draws them: a drop-down from a toolbar button with
// a separator, key texts, a split-button item, a rarely used command behind the expand button,
// and a submenu opened to the right.
#include <windows.h>

#include <vector>

#include "CDC.h"
#include "CFrameWnd.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControl.h"
#include "CXTPControlPopup.h"
#include "CXTPControls.h"
#include "CXTPPopupBar.h"
#include "ShowItems.h"

namespace {

// A toolbar whose controls sit in one row at their own sizes.
class ShowBar : public CXTPCommandBar {
public:
    ShowBar() { m_barPosition = xtpBarTop; }
    BOOL IsVisible() const override { return TRUE; }
    void OnRecalcLayout() override
    {
        std::vector<XTPControlLayout> records(static_cast<size_t>(GetControlCount()));
        CClientDC dc(this);
        for (int i = 0; i < GetControlCount(); i++) {
            CSize size = GetControl(i)->GetSize(&dc);
            records[static_cast<size_t>(i)].nWidth = size.cx;
            records[static_cast<size_t>(i)].nHeight = size.cy;
        }
        CXTPControls::CalcControlsSize(records, FALSE);
        for (int i = 0; i < GetControlCount(); i++) {
            CRect rc = records[static_cast<size_t>(i)].rcControl;
            rc.OffsetRect(4, 2);
            GetControl(i)->SetRect(rc);
        }
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    auto* pFrame = new CFrameWnd;
    pFrame->Create(nullptr, "Popup bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420));
    auto* pCommandBars = new CXTPCommandBars;
    pCommandBars->GetOptions()->m_bAlwaysShowFullMenus = FALSE;
    pCommandBars->GetOptions()->m_bShowFullAfterDelay = FALSE;  // keeps the expand button in the picture
    pCommandBars->GetOptions()->m_mapHiddenCommands.SetAt(106, TRUE);

    auto* pBar = new ShowBar;
    pBar->Create(CWnd::DefaultClassName(), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 580, 28), pFrame, 100);
    pBar->SetCommandBars(pCommandBars);
    pBar->SetOwner(pFrame);
    CXTPControl* pFile = AddItem(pBar, xtpControlPopup, 0, "&File");
    AddItem(pBar, xtpControlSplitButtonPopup, 200, "&Split");
    AddItem(pBar, xtpControlButton, 201, "&Help");
    pBar->OnRecalcLayout();

    CXTPCommandBar* pMenu = pFile->GetCommandBar();
    AddItem(pMenu, xtpControlButton, 101, "&New\tCtrl+N");
    AddItem(pMenu, xtpControlButton, 102, "&Open...\tCtrl+O");
    CXTPControl* pRecent = AddItem(pMenu, xtpControlPopup, 0, "&Recent files", TRUE);
    AddItem(pMenu, xtpControlSplitButtonPopup, 104, "Save &as");
    AddItem(pMenu, xtpControlButton, 105, "E&xit", TRUE);
    AddItem(pMenu, xtpControlButton, 106, "Rarely used");
    AddItem(pRecent->GetCommandBar(), xtpControlButton, 110, "1 first.d");
    AddItem(pRecent->GetCommandBar(), xtpControlButton, 111, "2 second.d");

    pBar->SetPopuped(0, TRUE);
    pMenu->SetPopuped(2, TRUE);

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
