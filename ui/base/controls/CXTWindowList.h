// The Arrange Windows dialog of an MDI frame: its document windows listed to activate, save, close, minimise or arrange.
#pragma once

#include "CXTListBox.h"
#include "CXTResizeDialog.h"

class CMDIFrameWnd;

// The dialog's template, its controls and its small icon.
enum { XT_IDD_WINDOWLIST = 9013, XT_IDI_WINDOWLIST = 9007 };
enum { XT_IDC_LBOX_WINDOWS = 9150, XT_IDC_BTN_CASCADE = 9151, XT_IDC_BTN_MINIMIZE = 9152, XT_IDC_BTN_CLOSEWINDOWS = 9153,
       XT_IDC_BTN_SAVE = 9154, XT_IDC_BTN_TILEHORZ = 9155, XT_IDC_BTN_TILEVERT = 9156, XT_IDC_BTN_ACTIVATE = 9157 };

class CXTWindowList : public CXTResizeDialog {
public:
    explicit CXTWindowList(CMDIFrameWnd* pMDIFrameWnd);
    ~CXTWindowList() override;

    virtual void InsertItem(CWnd* pWnd);
    // The window's text; an untitled window takes its view's document title, which also becomes its text.
    virtual CString GetWindowTitle(HWND hWnd);
    virtual void FillListBox();
    virtual void SelectActiveChild();
    void UpdateButtons();

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CXTListBox m_lboxWindows;
    HWND m_hWndMDIClient = nullptr;
    HICON m_hIcon = nullptr;
    CMDIFrameWnd* m_pMDIFrameWnd = nullptr;

protected:
    std::vector<HWND> SelectedWindows() const;
    void Refresh();
    void OnActivate();
    void OnSave();
    void OnCloseWindows();
    // Restores the selected windows and minimises the others, then sends the arrangement.
    void Arrange(UINT message, WPARAM wParam);
    void OnMinimize();
    void DrawWindowItem(const DRAWITEMSTRUCT* pDIS);
};
