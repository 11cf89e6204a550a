// The recent-file list: adding and removing entries, their menu texts, the menu items and the profile.
#include "CRecentFileList.h"

#include <windows.h>

#include <cstring>

#include "AfxIds.h"
#include "CCmdUI.h"
#include "CWinApp.h"

namespace {

const int kMaxEntries = ID_FILE_MRU_LAST - ID_FILE_MRU_FILE1 + 1;

// Byte offsets of the backslashes of a path, stepping over double-byte characters so a
// trail byte is never taken for a separator.
void FindSeparators(const CString& path, CArray<int, int>& found)
{
    const char* start = path;
    for (const char* p = start; *p; p = ::CharNextA(p)) {
        if (*p == '\\')
            found.Add(static_cast<int>(p - start));
    }
}

// The length of the leading part "X:\" or "\\server\share\" that a shortened path keeps.
int RootLength(const CString& path, const CArray<int, int>& separators)
{
    if (path.GetLength() >= 3 && path[1] == ':' && path[2] == '\\')
        return 3;
    if (path.Left(2) == "\\\\" && separators.GetSize() >= 4)
        return separators[3] + 1;
    return 0;
}

// The first bytes of text that fit in nMax, without splitting a double-byte character.
CString CutTo(const CString& text, int nMax)
{
    const char* start = text;
    const char* p = start;
    while (*p) {
        const char* next = ::CharNextA(p);
        if (next - start > nMax)
            break;
        p = next;
    }
    return text.Left(static_cast<int>(p - start));
}

}  // namespace

CRecentFileList::CRecentFileList(UINT nStart, const char* lpszSection, const char* lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(nSize < 0 ? 0 : (nSize > kMaxEntries ? kMaxEntries : nSize)),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen)
{
    m_arrNames.SetSize(m_nSize);
}

void CRecentFileList::Add(const char* lpszPathName)
{
    if (!lpszPathName || !*lpszPathName || m_nSize == 0)
        return;
    // One spelling per file: "sub\..\a.d" and "A.D" in the current folder are one entry.
    CString path;
    char* buf = path.GetBuffer(MAX_PATH * 2);
    DWORD n = ::GetFullPathNameA(lpszPathName, MAX_PATH * 2, buf, nullptr);
    path.ReleaseBuffer(n > 0 && n < MAX_PATH * 2 ? static_cast<int>(n) : 0);
    if (path.IsEmpty())
        path = lpszPathName;

    int found = m_nSize - 1;  // not in the list: the last entry falls off
    for (int i = 0; i < m_nSize; ++i) {
        if (m_arrNames[i].CompareNoCase(path) == 0) {
            found = i;
            break;
        }
    }
    for (int i = found; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; ++i)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, const char* lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    strName.Empty();
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    const CString& path = m_arrNames[nIndex];
    CArray<int, int> separators;
    FindSeparators(path, separators);
    int nameStart = separators.IsEmpty() ? 0 : separators[separators.GetUpperBound()] + 1;
    CString name = path.Mid(nameStart);

    // The folder's length as given, but never past its end.
    const int curDirLength = lpszCurDir && nCurDir > 0 ? static_cast<int>(::strnlen(lpszCurDir, nCurDir)) : 0;
    if (curDirLength > 0 && curDirLength == nameStart &&
        path.Left(curDirLength).CompareNoCase(CString(lpszCurDir, curDirLength)) == 0) {
        strName = name;
        return TRUE;
    }
    if (m_nMaxDisplayLength <= 0 || path.GetLength() <= m_nMaxDisplayLength) {
        strName = path;
        return TRUE;
    }
    // Keep the root and as many of the last folders as fit, "..." standing for the rest.
    int root = RootLength(path, separators);
    CString shortened;
    for (int i = separators.GetUpperBound(); i >= 0 && separators[i] >= root; --i) {
        CString candidate = path.Left(root) + "..." + path.Mid(separators[i]);
        if (candidate.GetLength() > m_nMaxDisplayLength)
            break;
        shortened = candidate;
    }
    if (!shortened.IsEmpty())
        strName = shortened;
    else if (bAtLeastName || name.GetLength() <= m_nMaxDisplayLength)
        strName = name;
    else
        strName = CutTo(name, m_nMaxDisplayLength);
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    HMENU menu = pCmdUI->m_hMenu;
    if (m_strOriginal.IsEmpty() && menu) {
        char text[256] = {};
        ::GetMenuStringA(menu, pCmdUI->m_nIndex, text, sizeof(text), MF_BYPOSITION);
        m_strOriginal = text;
    }
    if (m_nSize == 0 || m_arrNames[0].IsEmpty()) {
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (!menu)
        return;

    // The items take the commands from the update's own on (ID_FILE_MRU_FILE1 for the File menu).
    const UINT firstID = pCmdUI->m_nID ? pCmdUI->m_nID : ID_FILE_MRU_FILE1;
    for (int i = 0; i < m_nSize; ++i)
        ::DeleteMenu(menu, firstID + i, MF_BYCOMMAND);

    char curDir[MAX_PATH + 1] = {};
    DWORD n = ::GetCurrentDirectoryA(MAX_PATH, curDir);
    CString dir = n > 0 && n < MAX_PATH ? CString(curDir, static_cast<int>(n)) : CString();
    if (!dir.IsEmpty() && dir[dir.GetLength() - 1] != '\\')
        dir += '\\';

    UINT position = pCmdUI->m_nIndex;
    int added = 0;
    for (int i = 0; i < m_nSize; ++i) {
        CString name;
        if (!GetDisplayName(name, i, dir, dir.GetLength()))
            break;
        name.Replace("&", "&&");
        CString caption;
        caption.Format("&%d %s", (m_nStart + i + 1) % 10, static_cast<const char*>(name));
        ::InsertMenuA(menu, position + added, MF_STRING | MF_BYPOSITION, firstID + i, caption);
        ++added;
    }
    pCmdUI->m_nIndex = position + added - 1;
    pCmdUI->m_nIndexMax = static_cast<UINT>(::GetMenuItemCount(menu));
    pCmdUI->m_bEnableChanged = TRUE;  // the items are enabled as inserted
}

void CRecentFileList::ReadList()
{
    CWinApp* app = AfxGetApp();
    for (int i = 0; i < m_nSize; ++i)
        m_arrNames[i].Empty();
    if (!app)
        return;
    // Empty and repeated entries (a hand-edited profile) are skipped, so the list has no holes.
    int filled = 0;
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        CString path = app->GetProfileString(m_strSectionName, entry);
        if (path.IsEmpty())
            continue;
        bool repeated = false;
        for (int j = 0; j < filled && !repeated; ++j)
            repeated = m_arrNames[j].CompareNoCase(path) == 0;
        if (!repeated)
            m_arrNames[filled++] = path;
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    // A fresh section, so no entry of a longer list from before is left behind.
    app->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < m_nSize; ++i) {
        if (m_arrNames[i].IsEmpty())
            continue;
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        app->WriteProfileString(m_strSectionName, entry, m_arrNames[i]);
    }
}
