// A caption button of a docked container or a floating frame (pin or close), and what
// the docking painters read of the caption's owner.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "CRect.h"
#include "CString.h"
#include "ResourceIds.h"

class CXTPTabManager;
class CXTPDockingPaneCaptionButton;

enum { XTP_IDS_DOCKINGPANE_AUTOHIDE = IDS_DOCKING_PANE_AUTO_HIDE, XTP_IDS_DOCKINGPANE_CLOSE = IDS_DOCKING_PANE_CLOSE };
// State bit: the pane is auto-hidden, so its pin lies on its side.
enum { xtpPaneStateAutoHidden = 2 };

// What a painter reads of a docked tabbed container or a floating mini frame.
class CXTPDockingPaneCaptionHost {
public:
    virtual ~CXTPDockingPaneCaptionHost() = default;
    // The selected pane's title (a container) or the window text (a mini frame).
    virtual CString GetCaptionTitle() const = 0;
    // The container holds the focus, or the mini frame is active.
    virtual BOOL IsCaptionActive() const = 0;
    virtual BOOL IsCaptionVisible() const = 0;
    virtual BOOL IsTabsVisible() const = 0;
    virtual CXTPTabManager* GetTabManager() const = 0;
    virtual std::vector<CXTPDockingPaneCaptionButton*>& GetCaptionButtons() = 0;
    // The window drawn on, and the window its backgrounds are measured against (the docked
    // container's parent frame, or the mini frame itself).
    virtual HWND GetCaptionWindow() const = 0;
    virtual HWND GetReferenceWindow() const = 0;
};

class CXTPDockingPaneCaptionButton {
public:
    CXTPDockingPaneCaptionButton(int nID, CXTPDockingPaneCaptionHost* pOwner) : m_nID(nID), m_pOwner(pOwner) {}
    virtual ~CXTPDockingPaneCaptionButton() = default;

    virtual BOOL IsVisible() { return m_bVisible; }

    int GetID() const { return m_nID; }
    CXTPDockingPaneCaptionHost* GetOwner() const { return m_pOwner; }
    CRect GetRect() const { return m_rcButton; }
    void SetRect(const CRect& rc) { m_rcButton = rc; }
    BOOL IsPressed() const { return m_bPressed; }
    BOOL IsSelected() const { return m_bSelected; }  // hot
    DWORD GetState() const { return m_dwState; }

    // Follows a press on this button with the capture taken for hWnd: the button shows pressed
    // while the pointer is over it, until the mouse is released, the press is cancelled (right
    // button, Escape, cancel mode) or the capture is lost. pt takes the last pointer position as
    // toButtonSpace gives it; redraw repaints the button. TRUE when released over the button.
    BOOL TrackPress(HWND hWnd, CPoint& pt, const std::function<CPoint(const MSG&)>& toButtonSpace,
                    const std::function<void()>& redraw);

    BOOL m_bPressed = FALSE;
    BOOL m_bSelected = FALSE;
    DWORD m_dwState = 0;
    BOOL m_bVisible = TRUE;

private:
    int m_nID;
    CXTPDockingPaneCaptionHost* m_pOwner;
    CRect m_rcButton;
};
