// The list of recently used files: kept in the profile, shown as numbered items of a menu.
#pragma once

#include <windows.h>

#include "CArray.h"
#include "CString.h"

class CCmdUI;

// The widest display name a menu item gets before the path is shortened.
#define AFX_ABBREV_FILENAME_LEN 30

class CRecentFileList {
public:
    // nStart numbers the first entry in the menu (0 shows "1"); the entries are stored as
    // lpszEntryFormat (e.g. "File%d", counted from 1) in the profile section lpszSection.
    // nSize is clamped to the 16 commands ID_FILE_MRU_FILE1.. the items use.
    CRecentFileList(UINT nStart, const char* lpszSection, const char* lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return m_nSize; }
    // The full path of an entry; empty past the last one.
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }

    // Puts the file (made a full path) at the top; an entry for the same file moves up instead of
    // being doubled, and the oldest entry falls off a full list.
    virtual void Add(const char* lpszPathName);
    // Drops an entry; the ones below move up. An index outside the list is ignored.
    virtual void Remove(int nIndex);

    // The text a menu shows for an entry: a file in lpszCurDir (its first nCurDir characters,
    // ending in a backslash) by its name alone, others by their path shortened to the display
    // length with "..." in place of the middle folders. A name longer than that is kept whole
    // with bAtLeastName, else cut. FALSE for an empty entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, const char* lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;

    // Replaces the menu item of the update (and the entries it put there before) by one item per
    // entry, "&<n> <name>" with the update's command + i (ID_FILE_MRU_FILE1 + i in the File menu).
    // An empty list leaves the item's original text, disabled. Leaves m_nIndex on the last item it put in and m_nIndexMax at the
    // menu's new count, so the menu's update walk goes on after them.
    virtual void UpdateMenu(CCmdUI* pCmdUI);

    // The entries from the application's profile, and back (into a section of their own, which
    // is written afresh).
    virtual void ReadList();
    virtual void WriteList();

    int m_nSize;
    CStringArray m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;  // the menu item's own text, shown while the list is empty
};
