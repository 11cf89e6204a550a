// The recent-solutions list: the framework's recent list under its own registry names.
#include "CRecentProjectList.h"

CRecentProjectList::CRecentProjectList(int size) : CRecentFileList(0, "Recent Project List", "Project%d", size) {}
