// The command-bar options: defaults, their exchange in schema order, and the command maps.
#include "CXTPCommandBarsOptions.h"

#include "CArchive.h"
#include "CString.h"
#include "CXTPCommandBars.h"
#include "CXTPPaintManager.h"
#include "CXTPPropExchangeArchive.h"

IMPLEMENT_DYNAMIC(CXTPCommandBarsOptions, CCmdTarget)

namespace {

// Command ids are 16-bit, so no map holds more: a larger stored count is damage, and a
// medium that cannot check counts against its bytes must not loop on one.
const DWORD kMaxCommands = 0x10000;

// The hash table of a command map: 17 buckets (the default), blocks of 10 (the default).
void InitCommandMap(CXTPCommandMap& map)
{
    map.InitHashTable(17, false);
}

BOOL PX_DWord(CXTPPropExchange* pPX, const char* pszName, DWORD& value, DWORD defaultValue)
{
    return pPX->ExchangeProp(pszName, VT_I4, &value, &defaultValue);
}

// Whether an empty map is left out when saving: only by a medium that omits defaults.
bool OmitsEmpty(CXTPPropExchange* pPX, const CXTPCommandMap& map)
{
    return !pPX->IsLoading() && map.IsEmpty() && pPX->AllowsDefaultValues() && pPX->m_bUseDefaultOnSave;
}

} // namespace

void PX_CommandMap(CXTPPropExchange* pPX, const char* pszKey, CXTPCommandMap& map)
{
    CXTPPropExchangeSection section(pPX->GetSection(pszKey));
    if (!section.Get())
        return;
    CString name;
    if (pPX->IsLoading()) {
        map.RemoveAll();
        DWORD count = section->ReadCount();
        if (count > kMaxCommands)
            count = kMaxCommands;
        for (DWORD i = 0; i < count; i++) {
            name.Format("Item%i", static_cast<int>(i));
            DWORD id = 0;
            // An item the state lacks was never saved: it adds nothing.
            if (section->ExchangeProp(name, VT_I4, &id, nullptr))
                map.SetAt(id, TRUE);
        }
        return;
    }
    section->WriteCount(static_cast<DWORD>(map.GetCount()));
    int i = 0;
    for (POSITION pos = map.GetStartPosition(); pos; i++) {
        UINT id = 0;
        BOOL value = FALSE;
        map.GetNextAssoc(pos, id, value);
        name.Format("Item%i", i);
        DWORD stored = id;
        section->ExchangeProp(name, VT_I4, &stored, nullptr);
    }
}

CXTPCommandBarsOptions::CXTPCommandBarsOptions()
{
    InitCommandMap(m_mapHiddenCommands);
    InitCommandMap(m_mapUsedCommands);
}

CXTPPaintManager* CXTPCommandBarsOptions::GetPaintManager() const
{
    // Command bars without a paint manager of their own use the global one.
    return m_pCommandBars ? m_pCommandBars->GetPaintManager() : XTPPaintManager();
}

void CXTPCommandBarsOptions::DoPropExchange(CXTPPropExchange* pPX, BOOL bAnimationOnly)
{
    DWORD schema = kSchema;
    PX_DWord(pPX, "Schema", schema, kSchema);
    if (!pPX->IsLoading())
        schema = kSchema;
    const bool later = schema > 7;

    PX_Bool(pPX, "AlwaysShowFullMenus", m_bAlwaysShowFullMenus, TRUE);
    PX_Bool(pPX, "ShowFullAfterDelay", m_bShowFullAfterDelay, TRUE);
    PX_Bool(pPX, "ToolBarScreenTips", m_bToolBarScreenTips, TRUE);
    PX_Bool(pPX, "ToolBarAccelTips", m_bToolBarAccelTips, FALSE);
    PX_Bool(pPX, "LargeIcons", m_bLargeIcons, FALSE);

    if (later && !OmitsEmpty(pPX, m_mapUsedCommands))
        PX_CommandMap(pPX, "UsedCommands", m_mapUsedCommands);
    if (later || bAnimationOnly)
        PX_DWord(pPX, "Animation", m_animationType, 0);
    if (bAnimationOnly)
        return;

    PX_Bool(pPX, "SyncFloatingBars", m_bSyncFloatingBars, TRUE);
    PX_Bool(pPX, "ShowExpandButtonAlways", m_bShowExpandButtonAlways, TRUE);
    PX_Size(pPX, "IconsSize", m_szIcons, CSize(0, 0));
    PX_Size(pPX, "LargeIconsSize", m_szLargeIcons, CSize(0, 0));

    if (!OmitsEmpty(pPX, m_mapHiddenCommands))
        PX_CommandMap(pPX, "HiddenCommands", m_mapHiddenCommands);

    // The saved defaults are those of the file format, not of a new paint manager.
    BOOL* pIconOptions = GetPaintManager()->GetIconOptions();  // faded, disabled, shadow
    PX_Bool(pPX, "IconsWithShadow", pIconOptions[2], FALSE);
    PX_Bool(pPX, "UseDisabledIcons", pIconOptions[1], TRUE);
    PX_Bool(pPX, "UseFadedIcons", pIconOptions[0], TRUE);

    if (later) {
        // The same two switches again: positional states carry them twice.
        PX_Bool(pPX, "SyncFloatingBars", m_bSyncFloatingBars, TRUE);
        PX_Bool(pPX, "ShowExpandButtonAlways", m_bShowExpandButtonAlways, TRUE);
        PX_Bool(pPX, "DblClickFloat", m_bDblClickFloat, FALSE);
        PX_Bool(pPX, "ShowTextBelowIcons", m_bShowTextBelowIcons, FALSE);
        PX_Bool(pPX, "AltDragCustomization", m_bAltDragCustomization, TRUE);
        PX_Bool(pPX, "AutoHideUnusedPopups", m_bAutoHideUnusedPopups, TRUE);
        PX_Size(pPX, "PopupIconsSize", m_szPopupIcons, CSize(16, 16));
    }
}

void CXTPCommandBarsOptions::Serialize(CArchive& ar)
{
    CXTPPropExchangeArchive px(ar);
    DoPropExchange(&px, FALSE);
}
