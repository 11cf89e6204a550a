// The caption buttons of a maximised MDI child in the menu bar (minimize, restore, close) and
// the child's system-menu icon before the menu.
#pragma once

#include "CXTPControlButton.h"
#include "CXTPControlPopup.h"

class CXTPControlMDIButton : public CXTPControlButton {
    DECLARE_DYNCREATE(CXTPControlMDIButton)

public:
    CXTPControlMDIButton();

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    // Posts the button's system command to the active child.
    void Execute() override;
};

class CXTPControlMDISysMenuPopup : public CXTPControlPopup {
    DECLARE_DYNCREATE(CXTPControlMDISysMenuPopup)

public:
    CXTPControlMDISysMenuPopup();
    ~CXTPControlMDISysMenuPopup() override;

    // Takes the child's small icon (a 16 x 16 copy it owns) and the items of its system menu.
    void SetMDIChild(HWND hWndChild, HMENU hSysMenu);
    HMENU GetSysMenu() const { return m_hSysMenu; }

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;

protected:
    HICON m_hIcon = nullptr;
    HMENU m_hSysMenu = nullptr;
};
