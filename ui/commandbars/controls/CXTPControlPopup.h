// The control that opens a popup bar: a submenu item, a drop-down button, a button that also
// drops a menu, and a split button whose arrow part drops it.
#pragma once

#include "CXTPControl.h"

class CXTPControlPopup : public CXTPControl {
    DECLARE_SERIAL(CXTPControlPopup)

public:
    CXTPControlPopup();
    ~CXTPControlPopup() override;

    // A popup control of type 2, 3 or 4.
    static CXTPControlPopup* CreateControlPopup(XTPControlType type);

    BOOL Compare(CXTPControl* pOther) override;
    CXTPCommandBar* GetCommandBar() const override { return m_pCommandBar; }
    void Copy(CXTPControl* pSrc, BOOL bRecursive = FALSE) override;
    BOOL OnSetPopup(BOOL bPopup) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
    void OnLButtonUp(CPoint point) override;
    BOOL OnLButtonDblClk(CPoint point) override;
    void OnMouseHover() override;
    BOOL OnSetSelected(int bSelected) override;
    // A control dragged over this one opens its submenu, unless one holds the other.
    void OnCustomizeDragOver() override;
    CXTPControl* Clone(BOOL bRecursive = FALSE) override;
    // The control's keys, "CommandBarId" (the popup bar's id; loading keeps it pending until the
    // bar is resolved) and "Style".
    void DoPropExchange(CXTPPropExchange* pPX) override;

    // Holds pBar with one reference, letting go of the one before.
    void SetCommandBar(CXTPCommandBar* pBar);
    // The drop shadow of the control beside its open popup.
    virtual void AdjustShadow();
    BOOL GetPopuped() const { return m_bPopup; }
    // pControl lies somewhere in this control's submenus.
    BOOL ContainsInSubmenus(const CXTPControl* pControl) const;
    // The bar id a loaded layout names for the popup bar, until the bar is found (0: none).
    UINT GetPendingBarID() const { return m_nPendingBarID; }
    void SetPendingBarID(UINT nBarID) { m_nPendingBarID = nBarID; }

    // Widths of a split button's arrow part: on toolbars and in popup menus.
    enum { kSplitArrowToolBar = 11, kSplitArrowPopup = 20 };

protected:
    BOOL m_bPopup = FALSE;
    CXTPCommandBar* m_pCommandBar = nullptr;
    DWORD m_dwReserved3 = 0;
    UINT m_nPendingBarID = 0;
};
