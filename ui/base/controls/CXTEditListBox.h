// A list box whose items are edited in place, with a small toolbar above it for New, Delete, Move Up and Move Down.
#pragma once

#include "CButton.h"
#include "CString.h"
#include "CToolTipCtrl.h"
#include "CXTItemEdit.h"
#include "CXTListBox.h"
#include "ResourceIds.h"

// What the list tells its parent (high word of WM_COMMAND's wParam); XTN_LBOX_EDITED and
// XTN_LBOX_CANCELLED come first.
enum { XTN_LBOX_NEWITEM = 0x0DCC, XTN_LBOX_PREDELETE = 0x0DCD, XTN_LBOX_DELETED = 0x0DCE,
       XTN_LBOX_MOVEUP = 0x0DCF, XTN_LBOX_MOVEDOWN = 0x0DD0, XTN_LBOX_PRENEWITEM = 0x0DD1 };
// The list's own style flag: no toolbar.
enum { LBS_XT_NOTOOLBAR = 0x08 };

class CXTEditListBox;

class CXTEditListBoxToolBar : public CWnd {
public:
    enum { kButtons = 4, kHeight = 20 };

    // Creates the bar above the list, in the list's parent, with a tip for each button.
    BOOL Create(CXTEditListBox* pList);
    // Puts the bar right above the list; the bar then places its buttons.
    void Reposition();
    CButton& GetButton(int n) { return m_buttons[n]; }
    CToolTipCtrl& GetToolTip() { return m_toolTip; }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    // The buttons at the right end of the bar, wherever the bar is moved.
    void PlaceButtons();
    void DrawButton(const DRAWITEMSTRUCT* pDIS);
    // The ground around the buttons, filled off screen so that it does not flicker.
    void PaintBar();

    CXTEditListBox* m_pList = nullptr;
    CButton m_buttons[kButtons];
    CToolTipCtrl m_toolTip;
};

class CXTEditListBox : public CXTListBox {
    DECLARE_DYNCREATE(CXTEditListBox)

public:
    CXTEditListBox();
    ~CXTEditListBox() override;

    // The list box set-up, then the toolbar unless the list's style flags ask for none.
    void Initialize(bool bAutoFont = true) override;
    void SetListEditStyle(const char* lpszNewItemText, DWORD dwLStyle = 0);
    // Starts editing: a new item at the end (also when nothing is selected), else the selected one.
    void EditItem(BOOL bNewItem);
    void EnableEditing(BOOL bEnable) { m_bEnableEdit = bEnable; }
    CXTItemEdit* GetItemEdit() const { return m_pItemEdit; }
    CXTEditListBoxToolBar& GetToolBar() { return m_toolbar; }

    void OnNewItem();
    void OnDeleteItem();
    void OnMoveItemUp();
    void OnMoveItemDown();

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CString m_strNewItemText;
    int m_nIndex = -1;
    BOOL m_bNewItem = FALSE;
    BOOL m_bEnableEdit = TRUE;
    DWORD m_dwLStyle = 0;
    DWORD m_dwBrowseStyle = 0;
    CString m_strItemEditExtra;
    CString m_strItemText;
    CXTItemEdit* m_pItemEdit = nullptr;
    CXTEditListBoxToolBar m_toolbar;

protected:
    void Notify(UINT nCode);
    void OnEndLabelEdit(UINT nCode);
    void OnLeftClick();
};
