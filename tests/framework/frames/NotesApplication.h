// The test application's main frame: an MDI frame with a rebar holding a find box at the top
// and a status bar at the bottom whose last pane names the active document at idle time.
#pragma once

#include "CEdit.h"
#include "CReBar.h"
#include "CStatusBar.h"
#include "FrameFixture.h"

class NotesMainFrame : public MainFrame {
public:
    CStatusBar m_wndStatusBar;
    CReBar m_wndReBar;
    CEdit m_wndFind;

    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnUpdateDocumentPane(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};

// Registers the note template and makes the main frame (not yet shown); null on failure.
NotesMainFrame* StartNotesApplication(CWinApp& app);
