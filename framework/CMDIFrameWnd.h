// The frame of several documents: an MDI client window in place of a view, and the Window menu.
#pragma once

#include "CFrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)

public:
    CMDIFrameWnd() = default;

    // The MDI client is the frame's client (id AFX_IDW_PANE_FIRST); its window list goes into
    // the popup of pWindowMenu (or, when null, the Window popup of the frame's menu).
    virtual BOOL CreateClient(LPCREATESTRUCTA lpcs, HMENU hWindowMenu);
    BOOL OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext* pContext) override;
    // The popup of the menu bar that holds the Window commands, or null.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    // The active child (and whether it is maximised), or null.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDICascade();
    void MDITile(int nType = MDITILE_HORIZONTAL);
    void MDIIconArrange();
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    // Puts the menu bar (and its window list popup) in place; returns the old menu bar.
    HMENU MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu);

    CFrameWnd* GetActiveFrame() override;
    CDocument* GetActiveDocument() override;
    // The active child's accelerators (its document template's), else the frame's.
    HACCEL GetDefaultAccelerator() override;
    // The menu of the active child's document, else hMenuAlt or the frame's own.
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // No default processing: the MDI client is laid out with the bars, not over them.
    void OnSize(UINT nType, int cx, int cy);
    void OnWindowCommand(UINT nID);
    void OnUpdateWindowCommand(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

    HWND m_hWndMDIClient = nullptr;
};
