// The shell's folder browser, started on a given folder, and the chooser through which the browse
// edit runs its folder and file dialogs (tests put their own in place).
#pragma once

#include <windows.h>
#include <shlobj.h>

#include "CString.h"

class CFileDialog;
class CXTFolderDialog;

struct CXTBrowseChooser {
    // Each null member runs the system's dialog; TRUE when the user chose.
    BOOL (*pfnChooseFolder)(CXTFolderDialog& dialog, CString& path) = nullptr;
    BOOL (*pfnChooseFile)(CFileDialog& dialog) = nullptr;
};

class CXTFolderDialog {
public:
    CXTFolderDialog(HWND hWndOwner, const char* lpszInitialFolder, const char* lpszTitle);

    // Runs the dialog through the chooser; the chosen folder goes into path.
    BOOL DoModal(CString& path);
    // The shell's browser itself.
    BOOL RunSystemBrowser(CString& path);

    static CXTBrowseChooser SetChooser(const CXTBrowseChooser& chooser);
    static const CXTBrowseChooser& GetChooser();

    BROWSEINFOA m_bi{};
    char m_szDisplayName[MAX_PATH] = {};  // also carries the initial folder
    CString m_strTitle;

private:
    static int CALLBACK BrowseCallback(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData);
};
