// The ordered controls of one command bar: creation, menus, search, navigation, original sets, row layout.
#pragma once

#include <windows.h>

#include <vector>

#include "CArray.h"
#include "CCmdTarget.h"
#include "CRect.h"
#include "CString.h"
#include "XTPCommandBarsTypes.h"

class CMenu;
class CWnd;
class CXTPControl;
class CXTPCommandBar;
class CXTPCommandBars;
class CXTPPopupBar;
class CXTPPropExchange;

// One control's place in a row layout, filled by the bar before the call.
struct XTPControlLayout {
    CRect rcControl;
    CRect rcRow;
    int nWidth = 0;
    int nHeight = 0;
    BOOL bVisible = TRUE;
    BOOL bWrap = FALSE;    // out: starts a row
    BOOL bHidden = FALSE;  // out: no room
    BOOL bBeginGroup = FALSE;
};

// Layout mode bits of WrapRows.
enum {
    xtpLayoutWrapped = 1,   // out: a row was wrapped or controls hidden
    xtpLayoutVertDock = 16,
    xtpLayoutHideWrap = 0x80
};

class CXTPControls : public CCmdTarget {
    DECLARE_DYNCREATE(CXTPControls)

public:
    CXTPControls();
    ~CXTPControls() override;

    int GetCount() const { return m_arrControls.GetSize(); }
    CXTPControl* GetAt(int nIndex) const;
    CXTPControl* GetFirst() const { return GetAt(0); }
    void GetNext(CXTPControl*& pControl) const;
    CXTPCommandBar* GetParent() const { return m_pParent; }
    void SetParent(CXTPCommandBar* pParent);
    CXTPCommandBars* GetCommandBars() const;
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

    // Buttons (type 1; the fixed ids give their list controls) and popup controls (types 2 to 4,
    // with the menu resource of the id in their popup bar; a type 2 keeps id 0); other types
    // give null.
    CXTPControl* Add(XTPControlType type, int nId, CString strParameter = "", int nBefore = -1,
                     BOOL bTemporary = FALSE);
    // Takes over the caller's reference.
    CXTPControl* AddControl(CXTPControl* pControl, int nId = 0, CString strParameter = "", int nBefore = -1,
                            BOOL bTemporary = FALSE);
    CXTPControl* AddClone(CXTPControl* pControl, int nBefore = -1, BOOL bRecursive = FALSE);
    // One control for the menu item at position nIndex, or null (separators, the MDI place
    // holder 0xFF00); a submenu gives a popup control holding its items under the item's text,
    // and the library's fixed ids their list controls.
    CXTPControl* AddMenuItem(CMenu* pMenu, int nIndex);

    void Remove(CXTPControl* pControl);
    void Remove(int nIndex);
    void RemoveAll();

    CXTPControl* FindControl(XTPControlType type, int nId, BOOL bVisible, BOOL bRecursive) const;
    CXTPControl* FindControl(int nId) const { return FindControl(xtpControlError, nId, FALSE, FALSE); }
    CXTPControl* HitTest(CPoint point) const;
    int GetNext(int nIndex, int nDirection, BOOL bKeyboard = TRUE, BOOL bSkipTemporary = FALSE,
                BOOL bKeepScrolled = TRUE) const;
    int GetVisibleCount(BOOL bStrict) const;

    CXTPControls* Duplicate(BOOL bRecursive = FALSE);
    void CreateOriginalControls();
    void ClearOriginalControls();
    CXTPControls* GetOriginalControls() const { return m_pOriginalControls; }
    // Takes over the caller's reference of the set.
    void SetOriginalControls(CXTPControls* pOriginal);
    BOOL Compare(CXTPControls* pOther);
    BOOL IsChanged();

    // Row layout over records in control order.
    static CSize CalcControlsSize(std::vector<XTPControlLayout>& records, BOOL bVertical);
    static int WrapRows(std::vector<XTPControlLayout>& records, int nLength, DWORD& dwMode);
    static void CenterRow(std::vector<XTPControlLayout>& records, int nFirst, int nLast, int nThickness,
                          int nRowLength, int nRowOrigin, BOOL bVertical);
    // Right-aligned controls (flag 1) to their row's end, stretched ones (flag 32) widened; the
    // records follow this collection's controls. rcBorders are the bar's borders.
    void AdjustRows(std::vector<XTPControlLayout>& records, CRect rcBar, CRect rcBorders, DWORD dwMode) const;

    void RefreshIndexes();

    // The set in a saved layout: enumeration "Control" (temporary controls are left out), then
    // "OriginalControls" and "CustomizedControls". Loading replaces the controls; a control
    // whose class cannot be made throws the archive exception (badClass).
    virtual void DoPropExchange(CXTPPropExchange* pPX);

protected:
    void InsertAt(CXTPControl* pControl, int nBefore);
    // Where creation requests go: the command bars' site, else the bar's site.
    CWnd* GetSiteForRequests() const;
    // The bar of a new submenu: the site's answer to the bar request when it is a popup bar,
    // else a new popup bar. The caller holds its reference.
    CXTPPopupBar* RequestPopupBar(const CString& strCaption, UINT nId) const;
    // A popup control of the type whose bar holds the menu's items (none without a menu).
    CXTPControl* NewPopup(XTPControlType type, CMenu* pMenu, const CString& strCaption, UINT nId) const;
    void Unlink(CXTPControl* pControl);

    CXTPCommandBar* m_pParent = nullptr;
    CArray<CXTPControl*, CXTPControl*> m_arrControls;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPControls* m_pOriginalControls = nullptr;
};
