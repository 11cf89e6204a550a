// The recent-solutions list and its registry form.
#include "CRecentProjectList.h"

#include <windows.h>

#include <cstdio>

#include "CWinApp.h"

CRecentProjectList::CRecentProjectList(int size) : m_nSize(size) { m_arrNames.SetSize(size); }

void CRecentProjectList::Remove(int index)
{
    if (index < 0 || index >= m_nSize)
        return;
    for (int i = index; i < m_nSize - 1; ++i)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1] = CString();
}

void CRecentProjectList::Add(const CString& path)
{
    char full[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(path, MAX_PATH, full, nullptr);
    const CString entry = length > 0 && length < MAX_PATH ? CString(full) : path;
    int found = m_nSize - 1;
    for (int i = 0; i < m_nSize - 1; ++i) {
        if (::lstrcmpiA(m_arrNames[i], entry) == 0) {
            found = i;
            break;
        }
    }
    for (int i = found; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = entry;
}

void CRecentProjectList::ReadList()
{
    CWinApp* app = AfxGetApp();
    char name[32];
    for (int i = 0; i < m_nSize; ++i) {
        std::snprintf(name, sizeof name, m_strEntryFormat, i + 1);
        m_arrNames[i] = app->GetProfileString(m_strSectionName, name, "");
    }
}

void CRecentProjectList::WriteList()
{
    CWinApp* app = AfxGetApp();
    // Dropping the whole section first clears entries a longer list left behind.
    app->WriteProfileString(m_strSectionName, nullptr, nullptr);
    char name[32];
    for (int i = 0; i < m_nSize; ++i) {
        if (m_arrNames[i].IsEmpty())
            continue;
        std::snprintf(name, sizeof name, m_strEntryFormat, i + 1);
        app->WriteProfileString(m_strSectionName, name, m_arrNames[i]);
    }
}
