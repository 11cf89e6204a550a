// An edit with the library's font and a context menu of edit commands; the base of the flat and browse edits.
#pragma once

#include <windows.h>

#include "CEdit.h"

class CXTEdit : public CEdit {
    DECLARE_DYNCREATE(CXTEdit)

public:
    // Both windows must exist; gives the edit the library's font and keeps the parent.
    virtual BOOL Initialize(CWnd* pParentWnd);

    // The update rule of an edit command (ID_EDIT_UNDO ... ID_EDIT_SELECT_ALL).
    BOOL IsCommandEnabled(UINT nID) const;
    BOOL HasSelection() const;
    // Runs an edit command; FALSE for an id that is not one.
    BOOL ExecuteCommand(UINT nID);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CWnd* m_pParentWnd = nullptr;

protected:
    virtual void ShowContextMenu(CPoint point);
    // Enables each item of a popup by its command's rule.
    void UpdateMenuItems(HMENU hMenu) const;
};
