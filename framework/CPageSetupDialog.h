// The system's page set-up dialog: paper, margins and printer.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "CDialog.h"

class CPageSetupDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPageSetupDialog)

public:
    explicit CPageSetupDialog(DWORD dwFlags = PSD_MARGINS | PSD_INWININIINTLMEASURE, CWnd* pParentWnd = nullptr);

    // IDOK or IDCANCEL; on IDCANCEL CommDlgExtendedError tells a failure from the user's choice.
    INT_PTR DoModal() override;

    // Margins and the smallest margins in the dialog's unit (thousandths of inches, or hundredths
    // of millimetres with PSD_INHUNDREDTHSOFMILLIMETERS); either may be null.
    void GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const;
    CSize GetPaperSize() const { return CSize(m_psd.ptPaperSize.x, m_psd.ptPaperSize.y); }
    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;
    // Locked from m_psd.hDevMode; the caller unlocks it with GlobalUnlock.
    LPDEVMODEA GetDevMode() const;
    // A DC for the chosen printer, the caller's to delete; null when none is chosen.
    HDC CreatePrinterDC();

    // hDevMode and hDevNames belong to whoever put them there, as with the print dialog.
    PAGESETUPDLGA m_psd{};
};
