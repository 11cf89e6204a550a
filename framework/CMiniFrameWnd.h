// Small floating frames with a tool-window caption that keep their active look with their owner frame.
#pragma once

#include "CFrameWnd.h"

// Mini frame styles in the window style's low word.
#define MFS_SYNCACTIVE 0x00000100L   // the caption looks active while the owner frame is active
#define MFS_4THICKFRAME 0x00000200L  // no sizing in the corners
#define MFS_THICKFRAME 0x00000400L   // a sizing border
#define MFS_MOVEFRAME 0x00000800L    // dragging anywhere on the border moves the window
#define MFS_BLOCKSYSMENU 0x00001000L // no system menu from the caption

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)

public:
    CMiniFrameWnd() = default;

    // A popup tool window owned by pParentWnd; MFS_ styles go into the window style.
    virtual BOOL Create(const char* lpClassName, const char* lpWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd = nullptr, UINT nID = 0);
    virtual BOOL CreateEx(DWORD dwExStyle, const char* lpClassName, const char* lpWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd = nullptr, UINT nID = 0);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcActivateMini(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bAppActive = TRUE;  // the application is active, as its frame last said
};
