// The "Toolbar Options" button at the end of a toolbar, which shows that buttons are hidden and
// opens the toolbar's options menu, and the items of that menu's add-or-remove list.
#pragma once

#include "CXTPControlButton.h"
#include "CXTPControlPopup.h"

class CXTPControlExpandButton : public CXTPControlPopup {
    DECLARE_DYNCREATE(CXTPControlExpandButton)

public:
    CXTPControlExpandButton();

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    // Opening builds a fresh options menu.
    BOOL OnSetPopup(BOOL bPopup) override;
    // Some control of the bar is hidden for lack of room.
    BOOL HasHiddenControls() const;
};

// Shows or hides one button of a toolbar (hide flag 16), leaving the list open.
class CXTPControlToolBarToggle : public CXTPControlButton {
    DECLARE_DYNCREATE(CXTPControlToolBarToggle)

public:
    CXTPControlToolBarToggle();
    ~CXTPControlToolBarToggle() override;

    void SetTarget(CXTPControl* pTarget);
    CXTPControl* GetTarget() const { return m_pTarget; }
    void Execute() override;

protected:
    CXTPControl* m_pTarget = nullptr;
};

// Puts a toolbar's original buttons back (after asking).
class CXTPControlToolBarReset : public CXTPControlButton {
    DECLARE_DYNCREATE(CXTPControlToolBarReset)

public:
    CXTPControlToolBarReset();
    void Execute() override;
};
