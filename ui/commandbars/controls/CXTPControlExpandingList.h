// Menu placeholders that, each time their menu opens, put a run of buttons made from live state
// after themselves: document windows, toolbars, OLE verbs, recent files and tab-group actions.
#pragma once

#include "CXTPControlButton.h"
#include "ResourceIds.h"

class CRecentFileList;

// The parameter string of the toolbars placeholder's items.
#define XTP_TOOLBAR_ITEM_PARAMETER "CXTPControlToolbar"

class CXTPControlExpandingList : public CXTPControlButton {
    DECLARE_DYNAMIC(CXTPControlExpandingList)

public:
    // Sent to every control of a menu before it shows: the previous run goes, a new one comes,
    // its first item taking the placeholder's separator (in customize mode the placeholder
    // shows itself instead). Only in menus: a toolbar lays its controls out while it walks them.
    void OnLayoutMode(DWORD dwMode) override;

protected:
    // Whether a control after the placeholder is one of its items; only temporary controls,
    // the ones a placeholder puts there, are ever taken back.
    virtual BOOL IsOwnItem(const CXTPControl* pControl) const = 0;
    // Puts the items after the placeholder; the number put.
    virtual int Expand() = 0;
    // Whether the placeholder hides when it put nothing.
    virtual BOOL HidesWhenEmpty() const { return TRUE; }

    // A temporary, manually updated button (pItem, or a plain one) put at the next place after
    // the placeholder; takes over pItem's reference.
    CXTPControl* InsertItem(int nId, const CString& strCaption, int& nPlace, CXTPControl* pItem = nullptr);
    void RemoveItems();
    // The index just after the placeholder in its collection.
    int PlaceAfter() const;
};

// Up to nine visible document windows of the MDI frame, "&1 <title>", the active one checked.
class CXTPControlWindowList : public CXTPControlExpandingList {
    DECLARE_SERIAL(CXTPControlWindowList)

public:
    // The id of the MDI client's first child, shared by every window list of the process.
    static UINT GetFirstChildId();
    static void SetFirstChildId(UINT nId);

protected:
    BOOL IsOwnItem(const CXTPControl* pControl) const override;
    int Expand() override;
};

// One item per toolbar listed in the toolbars menu, checked while shown; a click toggles it.
class CXTPControlToolbars : public CXTPControlExpandingList {
    DECLARE_SERIAL(CXTPControlToolbars)

protected:
    BOOL IsOwnItem(const CXTPControl* pControl) const override;
    int Expand() override;
};

// The OLE verbs of a selected item: made and saved like the others, it inserts nothing here.
class CXTPControlOleItems : public CXTPControlExpandingList {
    DECLARE_SERIAL(CXTPControlOleItems)

protected:
    BOOL IsOwnItem(const CXTPControl* /*pControl*/) const override { return FALSE; }
    int Expand() override { return 0; }
};

// The application's recent files, "&1 <name>" ... "&9", then "&0"; files of the current folder
// by name alone, ampersands in names shown as themselves.
class CXTPControlRecentFileList : public CXTPControlExpandingList {
    DECLARE_SERIAL(CXTPControlRecentFileList)

public:
    // A name as a caption shows it: every '&' doubled, double-byte characters kept whole.
    static CString EscapeAmpersands(const CString& strName);

protected:
    BOOL IsOwnItem(const CXTPControl* pControl) const override;
    int Expand() override;
    // An empty list leaves the placeholder showing, disabled by the command update.
    BOOL HidesWhenEmpty() const override { return FALSE; }
    // The list shown and the commands of its items: the application's recent files by default.
    virtual CRecentFileList* GetRecentList() const;
    virtual UINT GetFirstItemId() const;
    virtual UINT GetLastItemId() const;
};

// The tab-group commands that apply to the active document window of a tabbed MDI frame.
class CXTPControlWorkspaceActions : public CXTPControlExpandingList {
    DECLARE_SERIAL(CXTPControlWorkspaceActions)

protected:
    BOOL IsOwnItem(const CXTPControl* pControl) const override;
    int Expand() override;
};
