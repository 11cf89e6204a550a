// The recently opened solutions: most recent first, no path twice (case ignored), kept in the
// registry section "Recent Project List" as "Project1".."ProjectN".
#pragma once

#include "CArray.h"
#include "CString.h"

class CRecentProjectList {
public:
    explicit CRecentProjectList(int size = 4);
    virtual ~CRecentProjectList() = default;

    virtual void Remove(int index);
    virtual void Add(const CString& path);
    virtual void ReadList();
    virtual void WriteList();

    int GetSize() const { return m_nSize; }
    const CString& operator[](int index) const { return m_arrNames[index]; }

private:
    int m_nSize;
    CStringArray m_arrNames;  // an empty string is a free entry
    CString m_strSectionName = "Recent Project List";
    CString m_strEntryFormat = "Project%d";
};
