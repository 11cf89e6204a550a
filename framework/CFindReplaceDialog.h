// The system's modeless find and replace dialog; it tells its owner through a registered message.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "CDialog.h"

class CFindReplaceDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFindReplaceDialog)

public:
    // Made with new: the object deletes itself when its window is gone.
    CFindReplaceDialog();

    // Shows the find (bFindDialogOnly) or the replace dialog, owned by pParentWnd (else the main
    // window), which receives the message registered as FINDMSGSTRING.
    BOOL Create(BOOL bFindDialogOnly, const char* lpszFindWhat, const char* lpszReplaceWith = nullptr,
                DWORD dwFlags = FR_DOWN, CWnd* pParentWnd = nullptr);

    // The dialog that sent the registered message (its lParam).
    static CFindReplaceDialog* GetNotifier(LPARAM lParam);

    CString GetFindString() const { return CString(m_fr.lpstrFindWhat); }
    CString GetReplaceString() const { return CString(m_fr.lpstrReplaceWith); }
    BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

    FINDREPLACEA m_fr{};

protected:
    void PostNcDestroy() override;

private:
    char m_szFindWhat[128] = {};
    char m_szReplaceWith[128] = {};
};
