// The Arrange Windows dialog of an MDI frame: its document windows listed to activate, save, close, minimise or arrange.
#pragma once

#include "CXTListBox.h"
#include "CXTResizeDialog.h"
#include "ResourceIds.h"

class CMDIFrameWnd;

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
