// The system's colour chooser: its record, the shared custom colours and the hook.
#include "CColorDialog.h"

#include "AfxResource.h"

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.Flags = dwFlags;
    m_cc.rgbResult = clrInit;
    if (clrInit != 0)
        m_cc.Flags |= CC_RGBINIT;
}

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF colors[16] = {};
    return colors;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.hwndOwner = DialogOwner();
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags |= CC_ENABLEHOOK;
    m_cc.lpfnHook = &CCommonDialog::CommonDialogHook;
    if ((m_cc.Flags & CC_ENABLETEMPLATE) && !m_cc.hInstance)
        m_cc.hInstance = reinterpret_cast<HWND>(AfxGetResourceHandle());
    return RunSystemDialog([this] { return ::ChooseColorA(&m_cc); });
}
