// The recently opened solutions: most recent first, no path twice (case ignored), kept in the
// registry section "Recent Project List" as "Project1".."ProjectN", shown with paths shortened
// to 30 characters.
#pragma once

#include "CRecentFileList.h"

class CRecentProjectList : public CRecentFileList {
public:
    explicit CRecentProjectList(int size = 4);

    const CString& operator[](int index) const { return m_arrNames[index]; }
    using CRecentFileList::operator[];
};
