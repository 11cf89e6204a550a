// The two menu buttons that stand for lists: the solution's projects (Set Active Project) and
// the recent solutions. Dynamically creatable, so a saved layout brings them back.
#pragma once

#include "CXTPControlButton.h"

class CControlActiveProjectList : public CXTPControlButton {
    DECLARE_DYNCREATE(CControlActiveProjectList)
};

class CControlRecentProjectList : public CXTPControlButton {
    DECLARE_DYNCREATE(CControlRecentProjectList)
};
