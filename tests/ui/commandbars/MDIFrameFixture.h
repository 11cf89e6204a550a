// MDI frames with command bars for the tests, and a popup menu around a placeholder that the
// frame's lists fill when it opens.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "AfxIds.h"
#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPFrameWndBase.h"
#include "CXTPPopupBar.h"

// An MDI frame counting its layouts.
class LayoutMDIFrame : public CXTPMDIFrameWnd {
public:
    int m_nLayouts = 0;
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        m_nLayouts++;
        CXTPMDIFrameWnd::RecalcLayout(bNotify);
    }
};

// An MDI frame whose client numbers its children from the id given.
class NumberedMDIFrame : public CXTPMDIFrameWnd {
public:
    explicit NumberedMDIFrame(UINT nFirstChild) : m_nFirstChild(nFirstChild) {}
    BOOL OnCreateClient(LPCREATESTRUCTA /*lpcs*/, CCreateContext* /*pContext*/) override
    {
        CLIENTCREATESTRUCT client{};
        client.idFirstChild = m_nFirstChild;
        m_hWndMDIClient = ::CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                            0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                            ::GetModuleHandleA(nullptr), &client);
        return m_hWndMDIClient != nullptr;
    }
    UINT m_nFirstChild;
};

// A menu of one frame's command bars: a command before the placeholder, the placeholder, and
// two commands after it (ids 1 and 2, which a window list numbered from 1 would take for its own).
struct Menu {
    explicit Menu(CXTPCommandBars* pCommandBars, int nPlaceholderId)
    {
        pPopup = CXTPPopupBar::CreatePopupBar(pCommandBars);
        pPopup->GetControls()->Add(xtpControlButton, 100)->SetCaption("Before");
        pPlaceholder = pPopup->GetControls()->Add(xtpControlButton, nPlaceholderId);
        pPlaceholder->SetCaption("Placeholder");
        pPlaceholder->SetBeginGroup(TRUE);
        pPopup->GetControls()->Add(xtpControlButton, 1)->SetCaption("After 1");
        pPopup->GetControls()->Add(xtpControlButton, 2)->SetCaption("After 2");
    }
    ~Menu() { pPopup->InternalRelease(); }
    void Open() { pPopup->NotifyControlsBeforeShow(); }

    CXTPPopupBar* pPopup;
    CXTPControl* pPlaceholder;
};

// The ids and captions of a bar's visible controls, "id caption" each.
inline std::vector<std::string> Shown(CXTPCommandBar* pBar)
{
    std::vector<std::string> shown;
    for (int i = 0; i < pBar->GetControlCount(); i++) {
        CXTPControl* pControl = pBar->GetControl(i);
        if (pControl->IsVisible())
            shown.push_back(std::to_string(pControl->GetID()) + " " + std::string(pControl->GetCaption()));
    }
    return shown;
}
