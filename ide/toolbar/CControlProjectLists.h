// The two menu buttons that stand for lists: the solution's projects (Set Active Project) and
// the recent solutions. Dynamically creatable, so a saved layout brings them back.
#pragma once

#include "CXTPControlButton.h"
#include "CXTPControlExpandingList.h"
#include "ResourceIds.h"

// Puts one button per project of the solution after itself whenever its menu is laid out
// (32810 + index, the project's name, the active one checked); with no projects it stays,
// disabled by the command update.
class CControlActiveProjectList : public CXTPControlExpandingList {
    DECLARE_DYNCREATE(CControlActiveProjectList)

public:
    // The buttons' commands: 32810 up to 32817, so at most eight projects are listed.
    enum { kFirstItemId = ID_SET_ACTIVE_PROJECT, kItemCount = 8 };
    // A button the list put there.
    static BOOL IsListItem(const CXTPControl* pControl);

protected:
    BOOL IsOwnItem(const CXTPControl* pControl) const override { return IsListItem(pControl); }
    int Expand() override;
    BOOL HidesWhenEmpty() const override { return FALSE; }
};

// Puts one button per recent solution after itself whenever its menu is laid out (32775 + index,
// "&<n> <name>"); hidden while it has entries, disabled by the command update when it has none.
class CControlRecentProjectList : public CXTPControlRecentFileList {
    DECLARE_DYNCREATE(CControlRecentProjectList)

protected:
    int Expand() override;
    // The main frame's list.
    CRecentFileList* GetRecentList() const override;
    UINT GetFirstItemId() const override { return ID_RECENT_SOLUTIONS; }
    UINT GetLastItemId() const override { return ID_RECENT_SOLUTIONS_LAST; }
};
