// CScintillaFindReplaceDlg and the find state shared by every editor view.
#pragma once

#include "CFindReplaceDialog.h"
#include "CString.h"
#include "ResourceIds.h"

class CScintillaFindReplaceDlg : public CFindReplaceDialog {
    DECLARE_DYNAMIC(CScintillaFindReplaceDlg)

public:
    BOOL m_bRegularExpression = FALSE;
    // FALSE where the search takes no expressions: the box stays unticked and disabled.
    BOOL m_bOfferRegularExpression = TRUE;

    // The regular-expression box (in the editor's own templates) shows the choice and keeps it.
    BOOL OnInitDialog() override;
    void OnRegularExpression();

    DECLARE_MESSAGE_MAP()
};

// The box's control id in the find and replace templates.

// What was searched for last, and the one open find/replace dialog of the program.
struct CScintillaFindState {
    CScintillaFindReplaceDlg* dialog = nullptr;
    int mode = 1;  // 0 replace, 1 find, 2 find in files, 3 replace in files
    CString findText;
    CString replaceText;
    BOOL matchCase = FALSE;
    BOOL searchDown = TRUE;
    BOOL wholeWord = FALSE;
    BOOL regularExpression = FALSE;
};

extern CScintillaFindState g_scintillaFind;
// The dialog's notification message ("commdlg_FindReplace").
extern const UINT g_findReplaceMessage;
