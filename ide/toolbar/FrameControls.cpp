// The main frame's own command-bar controls, its find box and the find history.
#include "FrameControls.h"

#include "CControlProjectLists.h"
#include "CSolutionConfig.h"
#include "CWinApp.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPControlComboBox.h"
#include "CXTPControlComboBoxList.h"
#include "CXTPControls.h"
#include "CXTPFrameWndBase.h"
#include "LoadText.h"
#include "ResourceIds.h"
#include "XTPCommandBarsTypes.h"

namespace {

const char kFindSection[] = "FindList";

}  // namespace

BOOL CreateFrameControl(XTP_CREATECONTROL* request, CXTPControlComboBox** findCombo)
{
    if (request->bToolBar && request->pCommandBar && request->pCommandBar->GetBarID() == IDR_STANDARD_TOOLBAR) {
        if (request->nID == ID_FIND_COMBO) {
            auto* combo = static_cast<CXTPControlComboBox*>(CXTPControlComboBox::CreateObject());
            combo->SetDropDown(TRUE);
            combo->SetWidth(150);
            combo->GetListBox()->SetListWidth(150);
            request->pControl = combo;
            if (findCombo)
                *findCombo = combo;
            LoadFindList(combo);
            return TRUE;
        }
        if (request->nID == ID_PLATFORM_COMBO) {
            auto* combo = static_cast<CXTPControlComboBox*>(CXTPControlComboBox::CreateObject());
            combo->AddString(LoadText(IDS_PLATFORM_FIRST));
            combo->AddString(LoadText(IDS_PLATFORM_SECOND));
            combo->SetWidth(80);
            combo->GetListBox()->SetListWidth(80);
            request->pControl = combo;
            return TRUE;
        }
    }
    if (request->nID == ID_SET_ACTIVE_PROJECT) {
        auto* control = static_cast<CXTPControl*>(CControlActiveProjectList::CreateObject());
        control->SetCaption(LoadText(IDS_NO_ACTIVE_PROJECT));
        request->pControl = control;
        return TRUE;
    }
    if (request->nID == ID_RECENT_SOLUTIONS) {
        auto* control = static_cast<CXTPControl*>(CControlRecentProjectList::CreateObject());
        control->SetCaption(LoadText(IDS_NO_RECENT_SOLUTIONS));
        request->pControl = control;
        return TRUE;
    }
    return FALSE;
}

BOOL OnPlatformComboExecute(NMHDR* notify)
{
    auto* record = reinterpret_cast<NMXTPCONTROL*>(notify);
    auto* combo = dynamic_cast<CXTPControlComboBox*>(record->pControl);
    if (notify->code != CBN_XTP_EXECUTE || !combo)
        return FALSE;
    g_solutionConfig.Platform = combo->GetCurSel();
    return TRUE;
}

void UpdatePlatformCombo(CCmdUI* pCmdUI)
{
    auto* bar = dynamic_cast<CXTPCommandBar*>(pCmdUI->m_pOther);
    CXTPControl* control = bar && pCmdUI->m_nIndex < static_cast<UINT>(bar->GetControlCount())
                               ? bar->GetControl(static_cast<int>(pCmdUI->m_nIndex))
                               : nullptr;
    if (auto* combo = dynamic_cast<CXTPControlComboBox*>(control))
        combo->SetCurSel(g_solutionConfig.Platform);
    pCmdUI->Enable(TRUE);
}

CXTPControlComboBox* FindFindCombo(CXTPCommandBars* pCommandBars)
{
    // Looked up each time: a loaded layout or the customize sheet replaces the bar's controls.
    for (int i = 0; pCommandBars && i < pCommandBars->GetCount(); i++) {
        CXTPCommandBar* pBar = pCommandBars->GetAt(i);
        if (pBar->GetBarID() != IDR_STANDARD_TOOLBAR)
            continue;
        if (auto* pCombo = dynamic_cast<CXTPControlComboBox*>(pBar->GetControls()->FindControl(ID_FIND_COMBO)))
            return pCombo;
    }
    return nullptr;
}

CString GetFindBoxText()
{
    CWinApp* app = AfxGetApp();
    auto* frame = app ? dynamic_cast<CXTPMDIFrameWnd*>(app->m_pMainWnd) : nullptr;
    CXTPControlComboBox* combo = frame ? FindFindCombo(frame->GetCommandBars()) : nullptr;
    return combo ? combo->GetEditText() : CString();
}

void LoadFindList(CXTPControlComboBox* combo)
{
    CWinApp* app = AfxGetApp();
    if (!combo || !app)
        return;
    const int count = static_cast<int>(app->GetProfileInt(kFindSection, "CountList", 0));
    for (int i = 0; i < count; ++i) {
        CString name;
        name.Format("Find%d", i);
        combo->AddString(app->GetProfileString(kFindSection, name));
    }
    combo->SetCurSel(0);
}

void SaveFindList(CXTPControlComboBox* combo)
{
    CWinApp* app = AfxGetApp();
    if (!combo || !app)
        return;
    CXTPControlComboBoxList* list = combo->GetListBox();
    const int count = list ? list->GetCount() : 0;
    app->WriteProfileInt(kFindSection, "CountList", count);
    for (int i = 0; i < count; ++i) {
        CString name;
        name.Format("Find%d", i);
        app->WriteProfileString(kFindSection, name, list->GetText(i));
    }
}
