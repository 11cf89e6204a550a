// The MDI child frame around a script view; together the frames keep the shared editor settings.
#pragma once

#include "CMDIChildWnd.h"
#include "EditorSettings.h"

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)

public:
    // The first frame loads the editor settings, the last one saves and drops them.
    CChildFrame();
    ~CChildFrame() override;

    // Frames open now.
    static int GetOpenFrameCount();

    // Every open document's views draw the style anew, and every other style of the record,
    // then the record is stored. Returns 1;
    // 0 (nothing done) for a style or record out of range.
    LRESULT OnTextStyleChanged(WPARAM wParam, LPARAM lParam);
    // Every view applies the options, the autosave timer restarts, the options are stored.
    LRESULT OnEditorOptionsChanged(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
