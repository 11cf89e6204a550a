// The saved command-bar layout of the host: which bars are written, how loaded bars are made,
// tied to their popups and merged into the bars the program built, then the dock state,
// images, shortcuts and options.
#include <algorithm>
#include <vector>

#include "CException.h"
#include "CFrameWnd.h"
#include "CWinApp.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBarList.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsExchangeParam.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControlComboBox.h"
#include "CXTPControlComboBoxList.h"
#include "CXTPControlCustom.h"
#include "CXTPControlEdit.h"
#include "CXTPControlExpandingList.h"
#include "CXTPControlLabel.h"
#include "CXTPControlPopup.h"
#include "CXTPControlSelector.h"
#include "CXTPControlToolBarVisible.h"
#include "CXTPControls.h"
#include "CXTPDialogBar.h"
#include "CXTPDockState.h"
#include "CXTPImageManager.h"
#include "CXTPMenuBar.h"
#include "CXTPPaintManager.h"
#include "CXTPPopupBar.h"
#include "CXTPPropExchange.h"
#include "CXTPResourceManager.h"
#include "CXTPShortcutManager.h"
#include "CXTPToolBar.h"
#include "ResourceIds.h"

namespace {

// Popup bars written with a layout are numbered from here, in the order the save walk meets them.
const UINT kFirstPopupBarID = 0x01000000;
// The bar whose controls become the host's command list.
const UINT kCommandListBarID = 0xFFEEFF;

// The classes a saved layout may name: linked in, so that loading can make them by name.
CRuntimeClass* const kLayoutClasses[] = {
    RUNTIME_CLASS(CXTPToolBar),          RUNTIME_CLASS(CXTPMenuBar),
    RUNTIME_CLASS(CXTPPopupBar),         RUNTIME_CLASS(CXTPPopupToolBar),
    RUNTIME_CLASS(CXTPDialogBar),        RUNTIME_CLASS(CXTPControlComboBoxList),
    RUNTIME_CLASS(CXTPControlButton),    RUNTIME_CLASS(CXTPControlPopup),
    RUNTIME_CLASS(CXTPControlComboBox),  RUNTIME_CLASS(CXTPControlEdit),
    RUNTIME_CLASS(CXTPControlLabel),     RUNTIME_CLASS(CXTPControlCustom),
    RUNTIME_CLASS(CXTPControlSelector),  RUNTIME_CLASS(CXTPControlToolBarVisible),
    RUNTIME_CLASS(CXTPControlWindowList), RUNTIME_CLASS(CXTPControlToolbars),
    RUNTIME_CLASS(CXTPControlRecentFileList), RUNTIME_CLASS(CXTPControlWorkspaceActions),
};

// Restores the exchange's user data when the call ends.
class CExchangeData {
public:
    CExchangeData(CXTPPropExchange* pPX, DWORD_PTR dwData) : m_pPX(pPX), m_dwOld(pPX->m_dwData)
    {
        pPX->m_dwData = dwData;
    }
    ~CExchangeData() { m_pPX->m_dwData = m_dwOld; }
    CExchangeData(const CExchangeData&) = delete;
    CExchangeData& operator=(const CExchangeData&) = delete;

private:
    CXTPPropExchange* m_pPX;
    DWORD_PTR m_dwOld;
};

CString ExceptionText(CException* e)
{
    char szText[256] = "";
    e->GetErrorMessage(szText, sizeof(szText));
    return szText;
}

// ---- Saving ----

class CSaveWalk {
public:
    CSaveWalk(CXTPCommandBarList& list, BOOL bOriginalControls) : m_list(list), m_bOriginalControls(bOriginalControls) {}

    // The bar before its popups, depth first; a bar already listed is not entered again.
    void AddBar(CXTPCommandBar* pBar)
    {
        if (m_list.Contains(pBar))
            return;
        m_list.Add(pBar);
        if (!pBar->IsKindOf(RUNTIME_CLASS(CXTPToolBar)))
            pBar->SetBarID(m_nNextPopupID++);
        AddPopups(pBar->GetControls());
        if (auto* pMenuBar = dynamic_cast<CXTPMenuBar*>(pBar)) {
            std::vector<CXTPControls*> arrMenus;
            pMenuBar->GetDocumentMenus(arrMenus);
            for (CXTPControls* pControls : arrMenus)
                AddPopups(pControls);
        }
    }

private:
    void AddPopups(CXTPControls* pControls)
    {
        for (int i = 0; i < pControls->GetCount(); i++) {
            CXTPControl* pControl = pControls->GetAt(i);
            if (!pControl->IsTemporary() && pControl->GetCommandBar())
                AddBar(pControl->GetCommandBar());
        }
        if (pControls->GetOriginalControls() && m_bOriginalControls)
            AddPopups(pControls->GetOriginalControls());
    }

    CXTPCommandBarList& m_list;
    BOOL m_bOriginalControls;
    UINT m_nNextPopupID = kFirstPopupBarID;
};

// A built-in bar the user left as the program made it needs no place in the file.
BOOL IsLeftOut(CXTPCommandBar* pBar, const CXTPCommandBarsExchangeParam& param)
{
    auto* pToolBar = dynamic_cast<CXTPToolBar*>(pBar);
    if (!param.bOnlyCustomized || !pToolBar || !pToolBar->IsBuiltIn())
        return FALSE;
    auto* pMenuBar = dynamic_cast<CXTPMenuBar*>(pBar);
    if (pMenuBar && pMenuBar->HasDocumentIcon())
        return FALSE;
    if (!pBar->IsCustomizable())
        return TRUE;
    if (pMenuBar) {
        pMenuBar->DropUnchangedMDIMenus();
        if (pMenuBar->GetDocumentMenuCount() > 0)
            return FALSE;
    }
    CXTPControls* pControls = pBar->GetControls();
    return pControls->GetOriginalControls() && !pControls->IsChanged();
}

// ---- Loading ----

// Where a popup control may take its popup bar from: a popup bar (the list of a combo box for a
// combo box, and only there) that is not the control's own bar or one of its ancestors.
BOOL IsPopupTarget(const CXTPControlPopup* pControl, const CXTPCommandBar* pBar,
                   const std::vector<const CXTPCommandBar*>& arrChain)
{
    if (!pBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)))
        return FALSE;
    const BOOL bComboBox = pControl->IsKindOf(RUNTIME_CLASS(CXTPControlComboBox));
    if (bComboBox != pBar->IsKindOf(RUNTIME_CLASS(CXTPControlComboBoxList)))
        return FALSE;
    return std::find(arrChain.begin(), arrChain.end(), pBar) == arrChain.end();
}

class CPopupResolver {
public:
    explicit CPopupResolver(const CXTPCommandBarList& loaded) : m_loaded(loaded) {}

    void ResolveBar(CXTPCommandBar* pBar)
    {
        m_arrChain.push_back(pBar);
        ResolveControls(pBar->GetControls());
        if (auto* pMenuBar = dynamic_cast<CXTPMenuBar*>(pBar)) {
            std::vector<CXTPControls*> arrMenus;
            pMenuBar->GetDocumentMenus(arrMenus);
            for (CXTPControls* pControls : arrMenus)
                ResolveControls(pControls);
        }
        m_arrChain.pop_back();
    }

private:
    void ResolveControls(CXTPControls* pControls)
    {
        if (!pControls)
            return;
        for (int i = 0; i < pControls->GetCount(); i++) {
            auto* pControl = dynamic_cast<CXTPControlPopup*>(pControls->GetAt(i));
            if (!pControl || pControl->GetPendingBarID() == 0)
                continue;
            const UINT nBarID = pControl->GetPendingBarID();
            pControl->SetPendingBarID(0);
            CXTPCommandBar* pTarget = nullptr;
            for (int j = 0; j < m_loaded.GetCount() && !pTarget; j++) {
                CXTPCommandBar* pBar = m_loaded.GetAt(j);
                if (pBar->GetBarID() == nBarID && IsPopupTarget(pControl, pBar, m_arrChain))
                    pTarget = pBar;
            }
            if (!pTarget)
                continue;
            pControl->SetCommandBar(pTarget);
            ResolveBar(pTarget);
        }
        ResolveControls(pControls->GetOriginalControls());
    }

    const CXTPCommandBarList& m_loaded;
    std::vector<const CXTPCommandBar*> m_arrChain;
};

}  // namespace

BOOL CXTPCommandBars::DoPropExchange(CXTPPropExchange* pPX, CXTPCommandBarsExchangeParam* pParam)
{
    CXTPCommandBarsExchangeParam defaults;
    CXTPCommandBarsExchangeParam& param = pParam ? *pParam : defaults;
    param.pCommandBars = this;
    CExchangeData data(pPX, reinterpret_cast<DWORD_PTR>(&param));
    return pPX->IsLoading() ? LoadLayout(pPX, param) : SaveLayout(pPX, param);
}

BOOL CXTPCommandBars::SaveLayout(CXTPPropExchange* pPX, const CXTPCommandBarsExchangeParam& param)
{
    CXTPMenuBar* pMenuBar = dynamic_cast<CXTPMenuBar*>(m_pMenuBar);
    if (param.bControls) {
        CXTPCommandBarList list;
        CSaveWalk walk(list, param.bOriginalControls);
        for (CXTPCommandBar* pBar : m_arrBars) {
            if (!IsLeftOut(pBar, param))
                walk.AddBar(pBar);
        }
        CXTPPropExchangeSection section(pPX->GetSection("CommandBars"));
        CXTPPropExchangeOwner<CXTPPropExchangeEnumerator> enumerator(section->GetEnumerator("CommandBar"));
        POSITION pos = enumerator->GetPosition(static_cast<DWORD>(list.GetCount()));
        for (int i = 0; i < list.GetCount() && pos; i++) {
            CXTPCommandBar* pBar = list.GetAt(i);
            CXTPPropExchangeSection barSection(enumerator->GetNext(pos));
            CObject* pObject = pBar;
            barSection->ExchangeObjectInstance(pObject, RUNTIME_CLASS(CXTPCommandBar));
            pBar->DoPropExchange(barSection);
        }
    }
    if (param.bLayout)
        ExchangeDockLayout(pPX);
    if (pMenuBar && pMenuBar->TakeDefaultMenuRestored() && m_pFrame && m_pFrame->GetSafeHwnd())
        m_pFrame->OnUpdateFrameMenu(nullptr);
    ExchangeImagesAndOptions(pPX, param);
    m_pOptions->m_bDirty = FALSE;
    return TRUE;
}

BOOL CXTPCommandBars::LoadLayout(CXTPPropExchange* pPX, const CXTPCommandBarsExchangeParam& param)
{
    if (param.bControls) {
        CXTPCommandBarList loaded;
        if (!LoadBars(pPX, loaded))
            return FALSE;
        MergeBars(loaded, param);
        if (auto* pMenuBar = dynamic_cast<CXTPMenuBar*>(GetToolBar(1)))
            m_pMenuBar = pMenuBar;
    }
    try {
        if (param.bLayout)
            ExchangeDockLayout(pPX);
        if (param.bCommandList)
            TakeCommandList();
        RecalcFrameLayout(TRUE);
        ExchangeImagesAndOptions(pPX, param);
    } catch (CException* e) {
        // The bars stand merged; what the file lacks past them stays as it was.
        pPX->RecordError("The saved layout is damaged: " + ExceptionText(e));
        e->Delete();
        m_pOptions->m_bDirty = FALSE;
        return FALSE;
    }
    if (param.bCommandList) {
        if (m_pFrame && m_pFrame->m_hAccelTable) {
            if (m_hDesignerAccels)
                ::DestroyAcceleratorTable(m_hDesignerAccels);
            m_hDesignerAccels = CXTPShortcutManager::CopyAccelTable(m_pFrame->m_hAccelTable);
        }
        if (m_bCustomizable) {
            for (CXTPCommandBar* pBar : m_arrBars)
                pBar->GetControls()->CreateOriginalControls();
        }
    }
    m_pOptions->m_bDirty = FALSE;
    return TRUE;
}

BOOL CXTPCommandBars::LoadBars(CXTPPropExchange* pPX, CXTPCommandBarList& loaded)
{
    static_cast<void>(kLayoutClasses);
    try {
        CXTPPropExchangeSection section(pPX->GetSection("CommandBars"));
        CXTPPropExchangeOwner<CXTPPropExchangeEnumerator> enumerator(section->GetEnumerator("CommandBar"));
        POSITION pos = enumerator->GetPosition();
        for (int i = 0; pos; i++) {
            CXTPPropExchangeSection barSection(enumerator->GetNext(pos));
            CObject* pObject = nullptr;
            if (!barSection->ExchangeObjectInstance(pObject, RUNTIME_CLASS(CXTPCommandBar))) {
                CString strError;
                strError.Format("The saved layout's bar %d is of a class that cannot be made here.", i);
                pPX->RecordError(strError);
                return FALSE;
            }
            auto* pBar = static_cast<CXTPCommandBar*>(pObject);
            loaded.Attach(pBar);
            pBar->DoPropExchange(barSection);
        }
    } catch (CException* e) {
        // A control that cannot be made, a cut-off archive: the file cannot give these bars.
        pPX->RecordError("The saved layout's bars cannot be read: " + ExceptionText(e));
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CXTPCommandBars::MergeBars(CXTPCommandBarList& loaded, const CXTPCommandBarsExchangeParam& param)
{
    for (int i = 0; i < loaded.GetCount(); i++) {
        auto* pLoaded = dynamic_cast<CXTPToolBar*>(loaded.GetAt(i));
        if (!pLoaded)
            continue;  // popup bars come with the controls that open them
        CPopupResolver(loaded).ResolveBar(pLoaded);

        CXTPCommandBar* pBar = GetToolBar(pLoaded->GetBarID());
        if (!pBar) {
            // A bar of the user's: made anew.
            pLoaded->InternalAddRef();
            AppendBar(pLoaded);
            pLoaded->SetFloatingWindow(m_pFrame, FALSE);
            pLoaded->EnableDocking(pLoaded->GetFlags());
            OnToolBarAdded(pLoaded);
            continue;
        }
        // Only a bar of the same class can take the loaded one's place.
        if (pBar->GetRuntimeClass() != pLoaded->GetRuntimeClass())
            continue;
        CXTPControls* pOriginal = pBar->GetControls()->GetOriginalControls();
        CXTPControls* pLoadedOriginal = pLoaded->GetControls()->GetOriginalControls();
        BOOL bKeepOriginal = TRUE;
        if (pOriginal && pLoadedOriginal && !pOriginal->Compare(pLoadedOriginal)) {
            // The program builds this bar differently now than when the layout was saved.
            if (param.bSilentLoad || pLoaded->GetControls()->Compare(pLoadedOriginal))
                continue;
            CString strFormat, strMessage;
            XTPResourceManager()->LoadString(&strFormat, IDS_TOOL_BAR_UPDATE_QUESTION);
            strMessage.Format(strFormat, static_cast<const char*>(pBar->GetTitle()));
            if (AfxMessageBox(strMessage, MB_YESNO | MB_ICONQUESTION) != IDNO)
                continue;
        } else if (pLoadedOriginal) {
            bKeepOriginal = FALSE;
        }
        if (pOriginal && bKeepOriginal)
            pOriginal->InternalAddRef();
        else
            pOriginal = nullptr;
        // Where the bar stands is the dock state's to say, not the copy's.
        const XTPBarPosition position = pBar->GetPosition();
        pBar->Copy(pLoaded, TRUE);
        pBar->m_barPosition = position;
        if (bKeepOriginal)
            pBar->GetControls()->SetOriginalControls(pOriginal);
        pBar->DelayLayout();
    }
}

void CXTPCommandBars::ExchangeDockLayout(CXTPPropExchange* pPX)
{
    CXTPPropExchangeSection layout(pPX->GetSection("Layout"));
    CXTPDockState state;
    if (!pPX->IsLoading())
        state.SaveState(this);
    {
        CXTPPropExchangeSection section(layout->GetSection("DockState"));
        state.DoPropExchange(section);
    }
    {
        CXTPPropExchangeSection section(layout->GetSection("DockBars"));
        CXTPDockState::ExchangeDockBars(section, this);
    }
    if (pPX->IsLoading())
        state.LoadState(this);
}

void CXTPCommandBars::ExchangeImagesAndOptions(CXTPPropExchange* pPX, const CXTPCommandBarsExchangeParam& param)
{
    if (param.bImages) {
        CXTPPropExchangeSection section(pPX->GetSection("Images"));
        GetImageManager()->DoPropExchange(section);
    }
    if (!param.bOptions)
        return;
    {
        CXTPPropExchangeSection section(pPX->GetSection("Shortcuts"));
        CXTPShortcutManager::ExchangeAccelTable(section, m_pFrame);
    }
    CXTPPropExchangeSection section(pPX->GetSection("Options"));
    long nTheme = GetPaintManager()->GetCurrentTheme();
    PX_LongDefault(section, "Theme", nTheme, 1);
    if (pPX->IsLoading()) {
        if (CXTPPaintManager* pPaintManager = CXTPPaintManager::CreateTheme(static_cast<int>(nTheme)))
            SetPaintManager(pPaintManager);
    }
    m_pOptions->DoPropExchange(section, FALSE);
    PX_Bool(section, "Customizable", m_bCustomizable, TRUE);
}

void CXTPCommandBars::TakeCommandList()
{
    CXTPCommandBar* pBar = GetToolBar(kCommandListBarID);
    if (!pBar)
        return;
    if (m_pContextMenus)
        m_pContextMenus->InternalRelease();
    m_pContextMenus = pBar->GetControls();
    m_pContextMenus->InternalAddRef();
    Remove(pBar);
    m_pContextMenus->SetParent(nullptr);
    for (int i = m_pContextMenus->GetCount() - 1; i >= 0; i--) {
        const int nId = m_pContextMenus->GetAt(i)->GetID();
        if (nId == XTP_ID_TOOLBAR_EXPAND || nId == XTP_ID_TOOLBAR_HIDE)
            m_pContextMenus->Remove(i);
    }
    m_pContextMenus->SetCommandBars(this);
}
