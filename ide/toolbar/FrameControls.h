// The command-bar controls the main frame makes itself (the platform and find combos, the
// project-list menu buttons), the platform combo's notification and update, the find box as
// the bars hold it, and the find history kept in the registry section "FindList".
#pragma once

#include <windows.h>

#include "CString.h"
#include "ResourceIds.h"

class CCmdUI;
class CXTPCommandBars;
class CXTPControlComboBox;
struct XTP_CREATECONTROL;

enum {
    IDR_STANDARD_TOOLBAR = IDR_MAINFRAME
};

// Answers the bars' control-creation request: TRUE when it made the control. A find combo it
// makes is handed back through findCombo and filled from the find history.
BOOL CreateFrameControl(XTP_CREATECONTROL* request, CXTPControlComboBox** findCombo);

// The platform combo's execute notification: Platform takes its selection. TRUE when handled.
BOOL OnPlatformComboExecute(NMHDR* notify);
// The platform combo follows Platform; the command is always enabled.
void UpdatePlatformCombo(CCmdUI* pCmdUI);

// The Standard toolbar's find box as the bars hold it now, or null.
CXTPControlComboBox* FindFindCombo(CXTPCommandBars* pCommandBars);
// What is typed into the main window's find box; empty without one.
CString GetFindBoxText();

// "CountList" lines "Find0".. into the combo's list; line 0 selected.
void LoadFindList(CXTPControlComboBox* combo);
// The combo's lines back to the registry. Without a combo the stored history is kept.
void SaveFindList(CXTPControlComboBox* combo);
