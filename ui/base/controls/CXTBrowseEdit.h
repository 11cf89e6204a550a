// An edit with a small button at its right that picks a folder, a file or a menu command for it.
#pragma once

#include <windows.h>

#include "CString.h"
#include "CXTBrowseButton.h"
#include "CXTEdit.h"
#include "ResourceIds.h"

class CFileDialog;

// Browse actions (the low three bits of the browse style).
enum { BES_XT_CHOOSEDIR = 0x01, BES_XT_CHOOSEFILE = 0x02, BES_XT_POPUPMENU = 0x04 };

// Every browse button's width: the thumb width and two edges.
int XTBrowseButtonWidth();

class CXTBrowseEdit : public CXTEdit {
    DECLARE_DYNCREATE(CXTBrowseEdit)

public:
    CXTBrowseEdit();

    // Subclassing through CXTEdit; then, with a browse action, the button beside the edit.
    virtual BOOL Initialize(CWnd* pParentWnd, DWORD dwBStyle, UINT nMenu = 0, int nSubMenu = 0);
    BOOL Initialize(CWnd* pParentWnd) override { return Initialize(pParentWnd, m_dwBrowseStyle); }

    void SetOpenDialog(BOOL bOpen) { m_bOpenFileDialog = bOpen != FALSE; }
    void SetFileDialog(CFileDialog* pDialog) { m_pFileDialog = pDialog; }
    void SetDefaultExtension(const char* lpszExt) { m_strDefExt = lpszExt; }
    void SetFileName(const char* lpszName) { m_strFileName = lpszName; }
    void SetFileFilter(const char* lpszFilter) { m_strFilter = lpszFilter; }
    void SetFolderTitle(const char* lpszTitle) { m_strTitle = lpszTitle; }
    void SetDlgFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }

    virtual void OnBrowse();
    virtual void ChooseDirectory();
    virtual void ChooseFile();
    virtual void PopupMenu();
    void PositionBrowseButton(BOOL bSizeEdit = FALSE);

    CXTBrowseButton& GetBrowseButton() { return m_btnBrowse; }
    BOOL IsBrowsing() const { return m_bBrowsing; }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int m_nGap = 0;
    bool m_bBrowsing = false;
    bool m_bOpenFileDialog = true;
    UINT m_nMenu = 0;
    int m_nSubMenu = 0;
    DWORD m_dwFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    DWORD m_dwBrowseStyle = BES_XT_CHOOSEDIR;
    CString m_strDefExt, m_strFileName, m_strFilter, m_strTitle;
    CFileDialog* m_pFileDialog = nullptr;

protected:
    void TakeResult(const CString& text);

    CXTBrowseButton m_btnBrowse;
};
