// Where the bars stand, as saved with the layout: one record per bar (visible, docked or
// floating, its places) and the order of the bars in the rows of the four dock bars.
#pragma once

#include <windows.h>

#include <vector>

#include "CObject.h"
#include "CRect.h"

class CXTPCommandBar;
class CXTPCommandBars;
class CXTPPropExchange;

// The saved state of one bar.
class CXTPBarInfo {
public:
    // The dialog-bar keys are read only from states of version 7 or more.
    void DoPropExchange(CXTPPropExchange* pPX, int nVersion);

    UINT m_nBarID = 0;
    BOOL m_bVisible = FALSE;
    BOOL m_bFloating = FALSE;
    CPoint m_pointPos{-1, -1};
    int m_nMRUWidth = 32767;
    int m_uMRUDockPosition = 0;
    CRect m_rectMRUDockPos;
    CPoint m_ptMRUFloatPos;
    CXTPCommandBar* m_pBar = nullptr;  // while applying
    BOOL m_bDialogBar = FALSE;
    CSize m_szDialogBarDockingClient{200, 200};
    CSize m_szDialogBarFloatingClient{200, 200};
};

class CXTPDockState : public CObject {
public:
    static constexpr int kVersion = 17;

    CXTPDockState();
    ~CXTPDockState() override;

    void Clear();
    // "Version", "ScreenSize", "Count" (16 bits) and one "BarInfo%i" section per record.
    void DoPropExchange(CXTPPropExchange* pPX);
    // Fills the records from the host's bars, in list order.
    void SaveState(CXTPCommandBars* pCommandBars);
    // Puts the host's bars where the records say.
    void LoadState(CXTPCommandBars* pCommandBars);

    // "DockBars": the ids of each dock bar's rows, 0 between rows. Loading never takes more
    // entries than the host's bars can fill, places each bar once and never leaves two row
    // separators side by side.
    static void ExchangeDockBars(CXTPPropExchange* pPX, CXTPCommandBars* pCommandBars);

    // A floating window's rectangle moved onto the nearest monitor's work area when no monitor
    // shows it (one saved on a monitor that is gone); others stay as they are.
    static CRect KeepOnScreen(const CRect& rcWindow);

    int GetCount() const { return static_cast<int>(m_arrBarInfo.size()); }
    CXTPBarInfo* GetAt(int nIndex) const { return m_arrBarInfo[static_cast<size_t>(nIndex)]; }

    int m_nVersion = kVersion;
    CSize m_szScreen;
    std::vector<CXTPBarInfo*> m_arrBarInfo;
    CRect m_rectDevice;
};
