// Dialog data exchange: moving values between a dialog's controls and its members.
#pragma once

#include <windows.h>

#include "CException.h"
#include "CString.h"

class CWnd;

// Thrown when a value cannot be exchanged; UpdateData catches it and answers FALSE.
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)

public:
    CUserException() = default;
};

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control of id nIDC; fails the exchange when the dialog has none.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Puts the focus on the last prepared control and ends the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;

private:
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// A whole number; text that is not one (or out of range) is refused with a prompt.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// 0 clear, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of its group; value is the index of the checked one, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// The selected index of a combo box, -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Subclasses the control into rControl the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
