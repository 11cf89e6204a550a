// The behaviour switches of one set of command bars and its two command-usage lists.
#pragma once

#include <windows.h>

#include "CCmdTarget.h"
#include "CMap.h"
#include "CRect.h"

class CArchive;
class CXTPCommandBars;
class CXTPPaintManager;
class CXTPPropExchange;

// Command id to TRUE: the commands hidden in menus, and the hidden ones the user has run.
typedef CMap<UINT, UINT, BOOL, BOOL> CXTPCommandMap;

class CXTPCommandBarsOptions : public CCmdTarget {
    DECLARE_DYNAMIC(CXTPCommandBarsOptions)
public:
    CXTPCommandBarsOptions();

    // Saves or loads the options (the same calls both ways). With bAnimationOnly only the
    // leading switches and the animation travel.
    void DoPropExchange(CXTPPropExchange* pPX, BOOL bAnimationOnly = FALSE);
    void Serialize(CArchive& ar) override;

    // The number a state carries for its layout of options; older ones lack the later groups.
    static const UINT kSchema = 17;

    BOOL m_bAlwaysShowFullMenus = TRUE;
    BOOL m_bShowFullAfterDelay = TRUE;
    BOOL m_bToolBarScreenTips = TRUE;
    BOOL m_bToolBarAccelTips = FALSE;
    BOOL m_bLargeIcons = FALSE;
    BOOL m_bSyncFloatingBars = TRUE;
    BOOL m_bShowExpandButtonAlways = TRUE;
    BOOL m_bDblClickFloat = FALSE;
    BOOL m_bShowTextBelowIcons = FALSE;
    BOOL m_bAltDragCustomization = TRUE;
    BOOL m_bAutoHideUnusedPopups = TRUE;
    BOOL m_bDirty = FALSE;  // raised by customization, never saved
    DWORD m_animationType = 0;
    CSize m_szIcons = CSize(0, 0);       // 0 x 0: the bar's own size
    CSize m_szLargeIcons = CSize(0, 0);
    CSize m_szPopupIcons = CSize(16, 16);
    CXTPCommandMap m_mapHiddenCommands;
    CXTPCommandMap m_mapUsedCommands;
    CXTPCommandBars* m_pCommandBars = nullptr;  // not owned

private:
    // The paint manager whose icon switches travel with the options.
    CXTPPaintManager* GetPaintManager() const;
};

// Exchanges a command map as the section pszKey: a count, then "Item0", "Item1" ... in map order.
void PX_CommandMap(CXTPPropExchange* pPX, const char* pszKey, CXTPCommandMap& map);
