// The system's font chooser: its record, the font it starts from and the hook.
#include "CFontDialog.h"

#include "AfxResource.h"

IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

CFontDialog::CFontDialog(const LOGFONTA* lplfInitial, DWORD dwFlags, HDC hdcPrinter, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.Flags = dwFlags;
    m_cf.hDC = hdcPrinter;
    if (hdcPrinter)
        m_cf.Flags |= CF_PRINTERFONTS;
    if (lplfInitial) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
}

INT_PTR CFontDialog::DoModal()
{
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.hwndOwner = DialogOwner();
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags |= CF_ENABLEHOOK;
    m_cf.lpfnHook = &CCommonDialog::CommonDialogHook;
    if ((m_cf.Flags & CF_ENABLETEMPLATE) && !m_cf.hInstance)
        m_cf.hInstance = AfxGetResourceHandle();
    return RunSystemDialog([this] { return ::ChooseFontA(&m_cf); });
}
