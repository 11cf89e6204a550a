// The menu bar: the frame's menu as a toolbar of controls, following the active MDI child with
// its system-menu icon and caption buttons, and opened by Alt alone.
#pragma once

#include <vector>

#include "CMap.h"
#include "CXTPToolBar.h"
#include "ResourceIds.h"

class CXTPControls;

// Bar flags of the menu bar, beside the dock flags.
enum XTPMenuBarFlags {
    xtpFlagNoMDIMinimizeButton = 0x100,
    xtpFlagNoMDIRestoreButton = 0x200,
    xtpFlagIgnoreSetMenuMessage = 0x400,
    xtpFlagNoMDICloseButton = 0x1000,
    xtpFlagAddMDISysPopup = 0x2000
};

// The timer that refreshes the MDI controls once the child's change has settled.
#define XTP_TID_REFRESH_MENU 12223

class CXTPMenuBar : public CXTPToolBar {
    DECLARE_SERIAL(CXTPMenuBar)

public:
    CXTPMenuBar();
    ~CXTPMenuBar() override;

    // Loads menu nIDResource into controls (none for 0), watches the frame and its MDI client
    // and takes the native menu off the frame; the bar owns it from then on.
    BOOL LoadMenuBar(UINT nIDResource);
    // Follows the active MDI child and, while visible, shows its controls.
    void RefreshMenu();
    // Shows the menu of the active document type; a customizable frame keeps each type's
    // controls so that its customization comes back with the type.
    void SwitchMDIMenu(HMENU hMenu);
    // Back to the default menu, and only the document types' menus the user changed kept.
    void DropUnchangedMDIMenus();
    // The controls kept for a document type while another one shows, or null.
    CXTPControls* GetDocumentMenu(UINT nID) const;
    // The active MDI child and whether it is maximized; null outside an MDI frame.
    CWnd* GetActiveMdiChildWnd(BOOL* pbMaximized = nullptr) const;
    HMENU GetNativeMenu() const { return m_hMenu; }
    UINT GetCurrentMenuID() const { return m_nIDResourceCurrent; }

    // Asks first; puts back the original controls of the menu shown.
    void Reset() override;
    void Copy(CXTPCommandBar* pSrc, BOOL bRecursive = FALSE) override;
    // The toolbar's keys, "ResourceId", then each document type's controls ("MDIMenu%i" with
    // "Id"). Saving first shows the default menu again and marks it.
    void DoPropExchange(CXTPPropExchange* pPX) override;
    // Saving showed the default menu in place of a document type's: the frame should put the
    // active document's menu back. Asking clears the mark.
    BOOL TakeDefaultMenuRestored();
    int GetDocumentMenuCount() const { return m_mapDocTemplateControls.GetCount(); }
    // Every document type's controls, in the map's order.
    void GetDocumentMenus(std::vector<CXTPControls*>& arrControls) const;
    // The child's system-menu icon shows in the bar (a maximized document).
    BOOL HasDocumentIcon() const;

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    DECLARE_MESSAGE_MAP()

protected:
    void UpdateMDIButtons();
    void OnTimer(UINT_PTR nIDEvent);
    CWnd* GetMDIClient() const;
    // The bar shows pControls from now on; the bar's previous set is returned with its reference.
    CXTPControls* SwapControls(CXTPControls* pControls);
    // A new set holding one control per item of the menu.
    CXTPControls* ControlsFromMenu(HMENU hMenu);
    void ReleaseDocumentMenus();

    BOOL m_bMdiApp = FALSE;
    HWND m_hwndHookedChild = nullptr;
    HMENU m_hMenu = nullptr;
    UINT m_nIDResource = 0;
    UINT m_nIDResourceCurrent = 0;
    // Each document type's controls, by its key, while another type shows.
    CMap<UINT, UINT, CXTPControls*, CXTPControls*> m_mapDocTemplateControls{10};
    BOOL m_bDefaultMenuRestored = FALSE;
};
