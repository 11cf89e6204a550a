// The MDI child frame around a script view: its tab colour, and together the frames keep the
// shared editor settings.
#pragma once

#include "CMDIChildWnd.h"
#include "EditorSettings.h"
#include "ResourceIds.h"

class CCmdUI;

// Asked by the MDI tab row: the frame's tab colour.
constexpr UINT kMsgGetTabColor = 0x486;

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)

public:
    // The first frame loads the editor settings, the last one saves and drops them. A new frame
    // takes the next colour of the cycle, or the default colour.
    CChildFrame();
    ~CChildFrame() override;

    // Frames open now.
    static int GetOpenFrameCount();

    DWORD GetTabColor() const { return m_tabColor; }
    void SetTabColor(DWORD color) { m_tabColor = color; }
    // A file outside the project takes the foreign colour; a project file that has it moves on
    // to the next colour (cycling) or the default.
    void ApplyTabColorRule();

    BOOL OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext* pContext) override;
    void ActivateFrame(int nCmdShow = -1) override;

    int OnCreate(LPCREATESTRUCTA lpcs);
    LRESULT OnGetTabColor(WPARAM wParam, LPARAM lParam);
    void OnTabColor(UINT nID);
    void OnUpdateTabColor(CCmdUI* pCmdUI);
    void OnTabColorNone();
    void OnUpdateTabColorNone(CCmdUI* pCmdUI);
    // The tab-colour options; on OK they are stored and every frame takes its colour anew.
    void OnTabColorOptions();

    // Every open document's views draw the style anew, and every other style of the record,
    // then the record is stored. Returns 1; 0 (nothing done) for a style or record out of range.
    LRESULT OnTextStyleChanged(WPARAM wParam, LPARAM lParam);
    // Every view applies the options, the autosave timer restarts, the options are stored.
    LRESULT OnEditorOptionsChanged(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    DWORD m_tabColor = kTabColorNone;
};
