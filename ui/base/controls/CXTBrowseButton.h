// The browse edit's button and its theme, which draws the glyph with the system's state drawing.
#pragma once

#include <windows.h>

#include "CXTButton.h"
#include "CXTButtonTheme.h"

class CXTBrowseEdit;

class CXTBrowseButtonTheme : public CXTButtonTheme {
public:
    void DrawButtonImage(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton) override;
};

class CXTBrowseButton : public CXTButton {
    DECLARE_DYNCREATE(CXTBrowseButton)

public:
    CXTBrowseButton();
    ~CXTBrowseButton() override;

    // Creates the button beside the edit: a "..." caption, or the menu glyph with the popup style.
    virtual BOOL Create(CXTBrowseEdit* pEdit, DWORD dwBStyle, UINT nID, UINT nMenu = 0, int nSubMenu = 0);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CXTBrowseEdit* m_pEdit = nullptr;
    DWORD m_dwBStyle = 0;
    UINT m_nMenu = 0;
    int m_nSubMenu = 0;
    HICON m_hIcon = nullptr;
};
