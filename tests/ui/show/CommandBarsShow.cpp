// A frame showing command bars as the default theme draws them: a top bar with a gripper, groups,
// a keyboard-selected, a checked and a disabled button; a left-docked bar; a popup with shadows.
#include <windows.h>

#include <vector>

#include "CControlBar.h"
#include "CFrameWnd.h"
#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPTheme1.h"
#include "CXTPShadowManager.h"

namespace {

class ShowTheme : public CXTPTheme1 {
public:
    BOOL IsFlatToolBar() override { return TRUE; }  // popups cast shadows
};

class ShowBar : public CXTPCommandBar {
public:
    ShowBar(int nType, XTPBarPosition position)
    {
        m_barType = nType;
        m_barPosition = position;
    }
    BOOL IsVisible() const override { return TRUE; }
    void OnRecalcLayout() override
    {
        const BOOL bVertical = IsVerticalPosition();
        std::vector<XTPControlLayout> records(static_cast<size_t>(GetControlCount()));
        CClientDC dc(this);
        for (int i = 0; i < GetControlCount(); i++) {
            CSize size = GetControl(i)->GetSize(&dc);
            records[static_cast<size_t>(i)].nWidth = bVertical ? (m_barType == xtpBarTypePopup ? 130 : 90) : size.cx;
            records[static_cast<size_t>(i)].nHeight = size.cy;
            records[static_cast<size_t>(i)].bBeginGroup = GetControl(i)->GetBeginGroup();
        }
        CXTPControls::CalcControlsSize(records, bVertical);
        for (int i = 0; i < GetControlCount(); i++) {
            CRect rc = records[static_cast<size_t>(i)].rcControl;
            rc.OffsetRect(bVertical ? (m_barType == xtpBarTypePopup ? 134 : 92) : 10, bVertical ? 4 : 2);
            GetControl(i)->SetRect(rc);
        }
    }
};

ShowBar* MakeBar(CWnd* pParent, int nType, XTPBarPosition position, CRect rc, std::initializer_list<const char*> captions)
{
    auto* pBar = new ShowBar(nType, position);
    DWORD dwStyle = nType == xtpBarTypePopup ? WS_POPUP | WS_VISIBLE : WS_CHILD | WS_VISIBLE;
    pBar->CreateEx(nType == xtpBarTypePopup ? WS_EX_TOOLWINDOW : 0, CWnd::DefaultClassName(), "", dwStyle, rc, pParent, 0);
    pBar->SetPaintManager(new ShowTheme);
    int id = 100;
    for (const char* caption : captions) {
        CXTPControl* pControl = pBar->GetControls()->Add(xtpControlButton, id++);
        if (caption[0] == '|') {
            pControl->SetBeginGroup(TRUE);
            caption++;
        }
        pControl->SetCaption(caption);
    }
    pBar->OnRecalcLayout();
    return pBar;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    auto* pFrame = new CFrameWnd;
    pFrame->Create(nullptr, "Command bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420));
    ShowBar* pTop = MakeBar(pFrame, xtpBarTypeNormal, xtpBarTop, CRect(0, 0, 580, 28),
                            {"&File", "&Edit", "|Checked", "Disabled", "|&Help"});
    pTop->SetBarStyle(CBRS_GRIPPER);
    pTop->GetControl(2)->SetChecked(1);
    pTop->GetControl(3)->SetEnabled(FALSE);
    pTop->SetTrackingMode(TRUE, FALSE, TRUE);
    pTop->SetSelected(1, TRUE);
    MakeBar(pFrame, xtpBarTypeNormal, xtpBarLeft, CRect(0, 40, 100, 200), {"Open", "Save", "|Close"});
    // The popup hangs from the Edit button, the button left out of its shadow.
    CRect rcExclude = pTop->GetControl(1)->GetRect();
    pTop->ClientToScreen(&rcExclude);
    ShowBar* pPopup = MakeBar(nullptr, xtpBarTypePopup, xtpBarPopup,
                              CRect(CPoint(rcExclude.left, rcExclude.bottom), CSize(138, 88)),
                              {"&Undo\tCtrl+Z", "|Cu&t\tCtrl+X", "&Copy\tCtrl+C"});
    pPopup->GetControl(1)->SetChecked(1);
    XTPShadowManager()->SetShadow(pPopup, rcExclude);

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
