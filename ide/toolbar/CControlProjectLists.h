// The two menu buttons that stand for lists: the solution's projects (Set Active Project) and
// the recent solutions. Dynamically creatable, so a saved layout brings them back.
#pragma once

#include "CXTPControlButton.h"
#include "CXTPControlExpandingList.h"

class CControlActiveProjectList : public CXTPControlButton {
    DECLARE_DYNCREATE(CControlActiveProjectList)
};

// Puts one button per recent solution after itself whenever its menu is laid out (32775 + index,
// "&<n> <name>"); hidden while it has entries, disabled by the command update when it has none.
class CControlRecentProjectList : public CXTPControlRecentFileList {
    DECLARE_DYNCREATE(CControlRecentProjectList)

protected:
    int Expand() override;
    // The main frame's list.
    CRecentFileList* GetRecentList() const override;
    UINT GetFirstItemId() const override { return 32775; }
    UINT GetLastItemId() const override { return 32784; }
};
