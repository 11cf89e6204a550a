// Dialog data exchange: the exchange object and the exchange of text, checks, radio groups, combo indexes and controls.
#include "CDataExchange.h"

#include "CWnd.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "CWinApp.h"
#include "ResourceIds.h"

IMPLEMENT_DYNAMIC(CUserException, CException)

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!control)
        throw new CUserException;  // no such control: nothing to focus
    m_hWndLastControl = control;
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND control = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw new CUserException;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        CWnd::FromHandle(control)->GetWindowText(value);
    else
        ::SetWindowTextA(control, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format("%d", value);
        ::SetWindowTextA(control, text);
        return;
    }
    CString text;
    CWnd::FromHandle(control)->GetWindowText(text);
    const char* begin = text;
    while (*begin == ' ' || *begin == '\t')
        ++begin;
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(begin, &end, 10);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == begin || *end || errno == ERANGE || number < INT_MIN || number > INT_MAX) {
        AfxMessageBox(IDS_DDX_ENTER_INTEGER, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = static_cast<int>(number);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value < 0 || value > 2 ? 0 : value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group runs from nIDC to the next control that starts a group; only radio buttons count.
    int index = 0;
    for (HWND h = control; h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h != control && (::GetWindowLongA(h, GWL_STYLE) & WS_GROUP))
            break;
        if (!(::SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessageA(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(control))
        pDX->Fail();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}
