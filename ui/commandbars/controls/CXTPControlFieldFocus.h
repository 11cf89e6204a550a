// The focus of a text field in a bar (edit and combo controls): while a field has it, its bar
// tracks with the control as key control and the hook manager stays locked, so hovering moves
// no selection. The lock is raised and lowered in pairs, also when the control goes first.
#pragma once

#include <windows.h>

class CWnd;
class CXTPControl;

class CXTPControlFieldFocus {
public:
    CXTPControlFieldFocus() = default;
    ~CXTPControlFieldFocus() { Leave(); }
    CXTPControlFieldFocus(const CXTPControlFieldFocus&) = delete;
    CXTPControlFieldFocus& operator=(const CXTPControlFieldFocus&) = delete;

    // The field got the focus from pOldWnd: the bar keeps the window to give it back to, closes
    // its popup, tracks with the control selected and sends it the keys first.
    void Enter(CXTPControl* pControl, CWnd* pOldWnd);
    // The field lost the focus (or its control goes): the lock is lowered, the key control cleared.
    void Leave();
    BOOL IsCounted() const { return m_pControl != nullptr; }

    // The bar of the control gives the focus back to the window it saved and redraws; TRUE when
    // the field (hWndField) had the focus.
    static BOOL ReturnFocus(CXTPControl* pControl, HWND hWndField);

private:
    CXTPControl* m_pControl = nullptr;  // set while the lock is held
};
