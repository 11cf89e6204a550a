// The application object: its names, the profile under the registry key, message boxes.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "CList.h"
#include "CString.h"
#include "CWinThread.h"

class CCmdUI;
class CCommandLineInfo;
class CDC;
class CDocTemplate;
class CDocument;
class CPrintDialog;
class CRecentFileList;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)

public:
    // The one application object of the process; it registers itself as AfxGetApp.
    explicit CWinApp(const char* lpszAppName = nullptr);
    ~CWinApp() override;

    // Profile values live under HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>;
    // the profile name is the application name. Without a registry key nothing is stored.
    void SetRegistryKey(const char* lpszRegistryKey);
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(const char* lpszSection);

    UINT GetProfileInt(const char* lpszSection, const char* lpszEntry, int nDefault);
    BOOL WriteProfileInt(const char* lpszSection, const char* lpszEntry, int nValue);
    CString GetProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszDefault = nullptr);
    // A null entry removes the section, a null value the entry.
    BOOL WriteProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszValue);
    // The caller frees *ppData with delete[]; FALSE (and null, 0) when the value is missing.
    BOOL GetProfileBinary(const char* lpszSection, const char* lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(const char* lpszSection, const char* lpszEntry, LPBYTE pData, UINT nBytes);

    // The prompt shown by AfxMessageBox: the caption is the application name, the owner the
    // main window when it is enabled.
    virtual int DoMessageBox(const char* lpszPrompt, UINT nType, UINT nIDPrompt);

    // Document templates: the application owns them and deletes them with itself.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& rPosition) const;
    // The document of that path: the open one brought forward, or read by the template that
    // fits its type best; null when it cannot be opened (the user has been told why).
    virtual CDocument* OpenDocumentFile(const char* lpszFileName);
    // Asks every modified document of every template; FALSE when the user cancels.
    virtual BOOL SaveAllModified();
    // Closes every document and its frames without asking.
    void CloseAllDocuments(BOOL bEndSession);
    int GetOpenDocumentCount() const;
    // The open or save dialog for a document file; FALSE when the user cancels. The filters
    // come from the templates (pTemplate's first), then all files.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);

    // Commands: a new document of the first template, a document chosen by the user, the end.
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();

    // The recent-file list of nMaxMRU entries (at most 16, 0 for none), read from the profile
    // section "Recent File List"; ExitInstance writes it back.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(const char* lpszPathName);
    // The File menu's recent-file items (ID_FILE_MRU_FILE1).
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    // Opens the entry of the command (ID_FILE_MRU_FILE1..); an entry that cannot be opened
    // any more leaves the list.
    BOOL OnOpenRecentFile(UINT nID);
    int ExitInstance() override;

    // Hands each argument of the program's command line to the object; an argument beginning
    // with '/' or '-' is a flag, given without that character.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Does what the command line asks: a new document, the file opened, the file printed (on
    // the named printer) without showing the program, or the shell registration removed.
    // FALSE when the program should end: the command failed, or it was all there was to do.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // Files opened from the shell start the program with the file on its command line; no
    // conversation with a running program is offered, so there is nothing more to set up.
    void EnableShellOpen();
    // The document templates' shell types under HKEY_CURRENT_USER\Software\Classes (no
    // administrator rights needed): each template with a type id (regFileTypeId) gets its
    // type, named regFileTypeName, with its icon (the template's resource id, else the
    // program's) and the open command; with bCompat the print and print-to commands too.
    // Each extension of the template (filterExt) points at the type unless another type owns it.
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    // Takes the types away again, and the extensions that point at them.
    void UnregisterShellFileTypes();

    // The printer the application prints on: the system's default until the print dialog or
    // the page set-up chooses another. The handles are the application's own.
    // Runs the print dialog on the application's printer and keeps the printer chosen there.
    virtual INT_PTR DoPrintDialog(CPrintDialog* pPD);
    // The application's printer in the dialog block's hDevMode/hDevNames; FALSE without a printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg);
    // Takes the handles as the application's printer; the old ones are freed unless they are
    // the same handles.
    void SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld = TRUE);
    // The system's default printer when none is chosen yet (or with bForceDefaults).
    void UpdatePrinterSelection(BOOL bForceDefaults);
    // A DC for the application's printer; FALSE without a printer.
    BOOL CreatePrinterDC(CDC& dc);

    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;

    CRecentFileList* m_pRecentFileList = nullptr;

    const char* m_pszAppName = nullptr;
    const char* m_pszRegistryKey = nullptr;
    const char* m_pszProfileName = nullptr;
    HINSTANCE m_hInstance = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    CPtrList m_templateList;
    CString m_strAppName;
    CString m_strRegistryKey;
    CString m_strProfileName;
};

// Registry values the way the profiles keep them, in a key the caller opened and closes.
// A subkey created (or opened) for reading and writing; null on failure.
HKEY AfxRegCreateKey(HKEY hParent, const char* lpszName);
// Software\<registry key>\<profile name> under the root; null when a name is missing or a step fails.
HKEY AfxRegOpenAppKey(HKEY hRoot, const char* lpszRegistryKey, const char* lpszProfileName);
// The section under an application key, which it closes in any case; null on failure.
HKEY AfxRegSectionKey(HKEY hAppKey, const char* lpszSection);
// The section under Software\<registry key>\<profile name>, for the caller to close; null when a
// name is missing or a step fails. The application key stays open between calls.
HKEY AfxRegAppSectionKey(HKEY hRoot, const char* lpszRegistryKey, const char* lpszProfileName,
                         const char* lpszSection);
// A string value; FALSE when it is missing or not a string.
BOOL AfxRegQueryString(HKEY hKey, const char* lpszEntry, CString& value);
// A value's bytes in a buffer made with new[]; FALSE (null, 0) when it is missing or empty.
BOOL AfxRegQueryBinary(HKEY hKey, const char* lpszEntry, LPBYTE* ppData, UINT* pBytes);
// A string value (its terminator counted) or, with a null value, the entry removed.
BOOL AfxRegSetString(HKEY hKey, const char* lpszEntry, const char* lpszValue);
// A profile string under an application key, which it closes: a null entry removes the
// whole section, a null value the entry.
BOOL AfxRegWriteProfileString(HKEY hAppKey, const char* lpszSection, const char* lpszEntry, const char* lpszValue);

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();

// A prompt by text or by string id (in the interface language); returns the button pressed.
int AfxMessageBox(const char* lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
