// The source list of the active project: reading, writing and the list operations.
#include "CSrcManager.h"

#include <windows.h>

#include <memory>

#include "CException.h"
#include "CSolutionConfig.h"
#include "CSrcDialog.h"
#include "CStdioFile.h"

namespace {

// The path names the entry's file: the entry itself, or it follows a backslash.
bool PathNamesEntry(const CString& path, const CString& entry)
{
    const int length = entry.GetLength();
    const int start = path.GetLength() - length;
    if (length == 0 || start < 0 || path.Right(length).CompareNoCase(entry) != 0)
        return false;
    return start == 0 || path[start - 1] == '\\' || path[start - 1] == '/';
}

}  // namespace

CSrcManager::CSrcManager() : m_pFile(new CStdioFile) {}

CSrcManager::~CSrcManager()
{
    delete m_pFile;
}

void CSrcManager::ReadSrcList()
{
    m_arrFiles.RemoveAll();
    CString folder;
    GetProjectFolder(folder);
    m_strPath = folder + g_solutionConfig.GetProjectName() + ".src";
    if (!m_pFile->Open(m_strPath, CFile::modeRead | CFile::shareDenyNone))
        return;
    try {
        CString line;
        while (m_pFile->ReadString(line)) {
            if (line.IsEmpty() || (line.GetLength() >= 2 && line[0] == '/' && line[1] == '/'))
                continue;
            m_arrFiles.Add(line);
        }
    } catch (CException* e) {
        // Half a list would be written back as the whole one: none is safer.
        e->Delete();
        m_arrFiles.RemoveAll();
    }
    m_pFile->Abort();
}

BOOL CSrcManager::WriteSrcList()
{
    if (m_strPath.IsEmpty())
        return FALSE;
    const CString written = m_strPath + ".new";
    if (!m_pFile->Open(written, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone))
        return FALSE;
    try {
        WriteSrcListHeader(m_pFile);
        for (int i = 0; i < m_arrFiles.GetSize(); ++i)
            m_pFile->WriteString(m_arrFiles[i] + "\n");
        m_pFile->Close();
    } catch (CException* e) {
        e->Delete();
        m_pFile->Abort();
        ::DeleteFileA(written);
        return FALSE;
    }
    if (!::MoveFileExA(written, m_strPath, MOVEFILE_REPLACE_EXISTING)) {
        ::DeleteFileA(written);
        return FALSE;
    }
    return TRUE;
}

void CSrcManager::WriteSrcListHeader(CStdioFile* file)
{
    file->WriteString("// Tavrelin workspace file\n");
    file->WriteString("// WARNING: DO NOT EDIT OR DELETE THIS FILE!\n\n");
}

int CSrcManager::FindFile(const CString& path) const
{
    for (int i = 0; i < m_arrFiles.GetSize(); ++i) {
        if (PathNamesEntry(path, m_arrFiles[i]))
            return i;
    }
    return -1;
}

BOOL CSrcManager::IsAbsent(const CString& path) const
{
    return FindFile(path) < 0;
}

int CSrcManager::IndexOfEntry(const CString& entry) const
{
    for (int i = 0; i < m_arrFiles.GetSize(); ++i) {
        if (m_arrFiles[i].CompareNoCase(entry) == 0)
            return i;
    }
    return -1;
}

void CSrcManager::RemoveFile(const CString& entry)
{
    const int index = IndexOfEntry(entry);
    if (index >= 0)
        m_arrFiles.RemoveAt(index);
}

void CSrcManager::ReplaceFile(const CString& oldEntry, const CString& newEntry)
{
    const int index = IndexOfEntry(oldEntry);
    if (index < 0)
        return;
    CString entry = newEntry;
    m_arrFiles.SetAt(index, entry);
}

void CSrcManager::InsertWithDialog(const CString& name)
{
    CSrcDialog dialog(name, 1, nullptr);
    dialog.DoModal();
}

CSrcManager* GetSrcManager()
{
    static CSrcManager manager;
    return &manager;
}
