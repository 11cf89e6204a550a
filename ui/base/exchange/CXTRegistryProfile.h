// The library's profile store: strings and binary values under the application's registry key,
// or in an INI file when a profile-file path is set.
#pragma once

#include <windows.h>

#include "CString.h"

class CXTRegistryProfile {
public:
    explicit CXTRegistryProfile(HKEY hKeyRoot);
    virtual ~CXTRegistryProfile();
    // Software\<registry key>\<profile name> under the root, opened for reading and writing;
    // null when a name is missing or a step fails. The caller closes it.
    virtual HKEY GetAppRegistryKey();
    // The section under the application key; null on failure. The caller closes it.
    virtual HKEY GetSectionKey(const char* lpszSection);

    BOOL WriteProfileBinary(const char* lpszSection, const char* lpszEntry, const BYTE* pData, UINT nBytes);
    // A null entry deletes the section, a null value the entry (registry only).
    BOOL WriteProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszValue);
    // *ppData is made with new[] and freed by the caller; FALSE leaves it null and *pBytes 0.
    BOOL GetProfileBinary(const char* lpszSection, const char* lpszEntry, BYTE** ppData, UINT* pBytes);
    CString GetProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszDefault);

    // The process-wide INI file used instead of the registry; empty (the registry) at start.
    static CString& ProfileFilePath();

protected:
    // Takes the names from the application object the first time; FALSE when one is missing.
    BOOL CheckNames();

    HKEY m_hKeyRoot;
    const char* m_pszRegistryKey = nullptr;
    const char* m_pszProfileName = nullptr;
};
