// The active project's source list: the ordered script files of "<project>.src", read,
// written and looked up. One process-wide instance, GetSrcManager.
#pragma once

#include "CArray.h"
#include "CObject.h"
#include "CString.h"

class CStdioFile;

class CSrcManager : public CObject {
public:
    CSrcManager();
    ~CSrcManager() override;
    CSrcManager(const CSrcManager&) = delete;
    CSrcManager& operator=(const CSrcManager&) = delete;

    // Reads the project folder's "<project>.src": every line but empty ones and those starting
    // with "//", taken as they stand. A missing or unreadable list reads as empty, silently.
    void ReadSrcList();
    // Writes the header and the entries to the list last read. The old list is replaced only
    // once the new one is complete; FALSE (and the old list kept) when it cannot be written.
    BOOL WriteSrcList();
    // The two header lines and the empty line that open every list.
    static void WriteSrcListHeader(CStdioFile* file);

    // Entries name files by their path relative to the project folder. An entry stands for a
    // path that is the entry itself or ends in "\" + the entry, in any case: "A.d" is not "BA.d".
    int FindFile(const CString& path) const;
    BOOL IsAbsent(const CString& path) const;
    // Remove, or replace in place, the first entry that is the given relative path (any case).
    void RemoveFile(const CString& entry);
    void ReplaceFile(const CString& oldEntry, const CString& newEntry);
    // Asks where the name goes (CSrcDialog) and inserts it there.
    void InsertWithDialog(const CString& name);

    int GetCount() const { return m_arrFiles.GetSize(); }
    const CString& GetAt(int index) const { return m_arrFiles.GetAt(index); }
    void InsertAt(int index, CString entry) { m_arrFiles.InsertAt(index, entry); }
    void RemoveAll() { m_arrFiles.RemoveAll(); }
    // The list file of the last reading; empty before any.
    const CString& GetPath() const { return m_strPath; }

private:
    int IndexOfEntry(const CString& entry) const;

    CStdioFile* m_pFile;
    CArray<CString, CString&> m_arrFiles;
    CString m_strPath;
};

CSrcManager* GetSrcManager();
