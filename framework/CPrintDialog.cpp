// The print dialog: running it with the framework's hook, its defaults, the chosen printer's names and DC.
#include "CPrintDialog.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

namespace {

// The names of a DEVNAMES block, each checked to lie inside the block and to end there.
bool ReadDevNames(HGLOBAL hDevNames, CString names[3])
{
    if (!hDevNames)
        return false;
    SIZE_T size = ::GlobalSize(hDevNames);
    const auto* block = static_cast<const BYTE*>(::GlobalLock(hDevNames));
    if (!block)
        return false;
    bool ok = size >= sizeof(DEVNAMES);
    if (ok) {
        const auto* dn = reinterpret_cast<const DEVNAMES*>(block);
        const WORD offsets[3] = {dn->wDriverOffset, dn->wDeviceOffset, dn->wOutputOffset};
        for (int i = 0; i < 3 && ok; ++i) {
            const char* start = reinterpret_cast<const char*>(block) + offsets[i];
            const void* end = offsets[i] < size ? std::memchr(start, '\0', size - offsets[i]) : nullptr;
            ok = offsets[i] >= sizeof(DEVNAMES) && end != nullptr;
            if (ok)
                names[i] = start;
        }
    }
    ::GlobalUnlock(hDevNames);
    return ok;
}

}  // namespace

HDC AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    CString names[3];
    if (!ReadDevNames(hDevNames, names) || names[1].IsEmpty())
        return nullptr;
    const DEVMODEA* mode = nullptr;
    if (hDevMode && ::GlobalSize(hDevMode) >= offsetof(DEVMODEA, dmFields))
        mode = static_cast<const DEVMODEA*>(::GlobalLock(hDevMode));
    HDC dc = ::CreateDCA(names[0].IsEmpty() ? nullptr : static_cast<const char*>(names[0]), names[1], nullptr, mode);
    if (mode)
        ::GlobalUnlock(hDevMode);
    return dc;
}

CString AfxGetDevName(HGLOBAL hDevNames, int nWhich)
{
    CString names[3];
    if (nWhich < 0 || nWhich > 2 || !ReadDevNames(hDevNames, names))
        return CString();
    return names[nWhich];
}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : 0);
    m_pd.nFromPage = 1;
    m_pd.nToPage = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nCopies = 1;
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.hwndOwner = DialogOwner();
    m_pd.hInstance = nullptr;
    if (m_pd.Flags & PD_PRINTSETUP) {
        m_pd.Flags |= PD_ENABLESETUPHOOK;
        m_pd.lpfnSetupHook = &CCommonDialog::CommonDialogHook;
    } else {
        m_pd.Flags |= PD_ENABLEPRINTHOOK;
        m_pd.lpfnPrintHook = &CCommonDialog::CommonDialogHook;
    }
    return RunSystemDialog([this] { return ::PrintDlgA(&m_pd); });
}

BOOL CPrintDialog::GetDefaults()
{
    // The system only fills empty handles.
    DWORD flags = m_pd.Flags;
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.hwndOwner = nullptr;
    m_pd.hDevMode = nullptr;
    m_pd.hDevNames = nullptr;
    m_pd.Flags = (flags & PD_RETURNDC) | PD_RETURNDEFAULT;
    BOOL ok = ::PrintDlgA(&m_pd);
    m_pd.Flags = flags;
    return ok;
}

CString CPrintDialog::GetDriverName() const
{
    return AfxGetDevName(m_pd.hDevNames, 0);
}

CString CPrintDialog::GetDeviceName() const
{
    return AfxGetDevName(m_pd.hDevNames, 1);
}

CString CPrintDialog::GetPortName() const
{
    return AfxGetDevName(m_pd.hDevNames, 2);
}

LPDEVMODEA CPrintDialog::GetDevMode() const
{
    return m_pd.hDevMode ? static_cast<LPDEVMODEA>(::GlobalLock(m_pd.hDevMode)) : nullptr;
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDC)
        ::DeleteDC(m_pd.hDC);
    m_pd.hDC = AfxCreateDC(m_pd.hDevNames, m_pd.hDevMode);
    return m_pd.hDC;
}

int CPrintDialog::GetCopies() const
{
    if (m_pd.Flags & PD_USEDEVMODECOPIES) {
        LPDEVMODEA mode = GetDevMode();
        if (mode) {
            int copies = (mode->dmFields & DM_COPIES) ? mode->dmCopies : 1;
            ::GlobalUnlock(m_pd.hDevMode);
            return copies;
        }
    }
    return m_pd.nCopies;
}
