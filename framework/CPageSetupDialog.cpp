// The page set-up dialog: running it with the framework's hook, its margins and the chosen printer.
#include "CPageSetupDialog.h"

#include "CPrintDialog.h"

IMPLEMENT_DYNAMIC(CPageSetupDialog, CCommonDialog)

CPageSetupDialog::CPageSetupDialog(DWORD dwFlags, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    m_psd.lStructSize = sizeof(m_psd);
    m_psd.Flags = dwFlags;
}

INT_PTR CPageSetupDialog::DoModal()
{
    m_psd.lStructSize = sizeof(m_psd);
    m_psd.hwndOwner = DialogOwner();
    m_psd.Flags |= PSD_ENABLEPAGESETUPHOOK;
    m_psd.lpfnPageSetupHook = &CCommonDialog::CommonDialogHook;
    return RunSystemDialog([this] { return ::PageSetupDlgA(&m_psd); });
}

void CPageSetupDialog::GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const
{
    if (lpRectMargins)
        *lpRectMargins = m_psd.rtMargin;
    if (lpRectMinMargins)
        *lpRectMinMargins = m_psd.rtMinMargin;
}

CString CPageSetupDialog::GetDriverName() const
{
    return AfxGetDevName(m_psd.hDevNames, 0);
}

CString CPageSetupDialog::GetDeviceName() const
{
    return AfxGetDevName(m_psd.hDevNames, 1);
}

CString CPageSetupDialog::GetPortName() const
{
    return AfxGetDevName(m_psd.hDevNames, 2);
}

LPDEVMODEA CPageSetupDialog::GetDevMode() const
{
    return m_psd.hDevMode ? static_cast<LPDEVMODEA>(::GlobalLock(m_psd.hDevMode)) : nullptr;
}

HDC CPageSetupDialog::CreatePrinterDC()
{
    return AfxCreateDC(m_psd.hDevNames, m_psd.hDevMode);
}
