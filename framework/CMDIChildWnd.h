// A document's frame inside an MDI frame: the menu and accelerators shared by its template.
#pragma once

#include "CFrameWnd.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)

public:
    CMDIChildWnd() = default;
    ~CMDIChildWnd() override;

    // The child of pParentWnd's MDI client (the application's main window when null), made
    // through the client; the menu and accelerators come from the context's template.
    BOOL LoadFrame(UINT nIDResource,
                   DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    virtual BOOL Create(const char* lpszClassName, const char* lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    // Shows the child (maximised when the active one is) and makes it the active one.
    void ActivateFrame(int nCmdShow = -1) override;
    // The shared menu goes on the frame while the child is active, the frame's own when not.
    virtual void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);
    void OnUpdateFrameMenu(HMENU hMenuAlt) override { OnUpdateFrameMenu(TRUE, this, hMenuAlt); }
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    BOOL DestroyWindow() override;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Accelerators are the MDI frame's to translate, with the child's table.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    LRESULT OnMDIActivateMessage(WPARAM wParam, LPARAM lParam);
    // The MDI frame's message bar: prompts go to the main window's status bar.
    CWnd* GetMessageBar() override;

    DECLARE_MESSAGE_MAP()

    HMENU m_hMenuShared = nullptr;  // the template's; not owned
};
