// The run-time class records of the project-list menu buttons.
#include "CControlProjectLists.h"

IMPLEMENT_DYNCREATE(CControlActiveProjectList, CXTPControlButton)
IMPLEMENT_DYNCREATE(CControlRecentProjectList, CXTPControlButton)
