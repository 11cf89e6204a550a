// The resizable dialog: its messages wired to the resizer.
#include "CXTResizeDialog.h"

IMPLEMENT_DYNCREATE(CXTResizeDialog, CDialog)

CXTResizeDialog::CXTResizeDialog() : CXTResize(this, 0) {}

CXTResizeDialog::CXTResizeDialog(UINT nIDTemplate, CWnd* pParentWnd, UINT nFlags)
    : CDialog(nIDTemplate, pParentWnd), CXTResize(this, nFlags)
{
}

BOOL CXTResizeDialog::OnInitDialog()
{
    // A dialog the user cannot size shows no grip.
    if (!(GetStyle() & WS_THICKFRAME))
        AddFlags(xtResizeNoSizeIcon);
    const BOOL result = CDialog::OnInitDialog();
    InitResize();
    EnableToolTips();
    return result;
}

BOOL CXTResizeDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_GETMINMAXINFO:
        *pResult = Default();
        GetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return TRUE;
    case WM_SIZE:
        *pResult = Default();
        ResizeControls();
        return TRUE;
    case WM_DESTROY:
        if (!m_strSection.IsEmpty())
            SavePlacement(m_strSection);
        break;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, pResult);
}
