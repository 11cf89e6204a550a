// The system's open and save dialogs, with an optional template of extra controls.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "CDialog.h"

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)

public:
    // The filter is "description|pattern|...|" with bars in place of the system's zero bytes.
    explicit CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr, const char* lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    // IDOK with the chosen path, or IDCANCEL (also when the system reports an error).
    INT_PTR DoModal() override;

    CString GetPathName() const;
    CString GetFileName() const;  // name and extension
    CString GetFileExt() const;   // without the dot
    CString GetFileTitle() const; // name without the extension

    // Set before DoModal: an extra template (OFN_ENABLETEMPLATE or OFN_ENABLETEMPLATEHANDLE) goes
    // into m_ofn; the framework adds its hook and the explorer style.
    OPENFILENAMEA m_ofn{};

private:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;  // with zero bytes
    CString m_strDefExt;
    char m_szFileName[MAX_PATH * 4] = {};
    char m_szFileTitle[MAX_PATH] = {};
};
