// The system's print dialog (or print set-up), and the printer DC made from what it chose.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "CDialog.h"

class CPrintDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPrintDialog)

public:
    // bPrintSetupOnly shows the printer choice alone.
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);

    // IDOK or IDCANCEL; on IDCANCEL CommDlgExtendedError tells a failure from the user's choice.
    INT_PTR DoModal() override;
    // The default printer's settings in m_pd.hDevMode/hDevNames (and a DC with PD_RETURNDC),
    // without showing anything; FALSE when there is no printer.
    BOOL GetDefaults();

    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;
    // Locked from m_pd.hDevMode; the caller unlocks it with GlobalUnlock.
    LPDEVMODEA GetDevMode() const;
    // The DC the dialog returned (PD_RETURNDC); it belongs to the caller.
    HDC GetPrinterDC() const { return m_pd.hDC; }
    // A DC for the chosen printer, put into m_pd.hDC (an earlier one there is deleted); null
    // when no printer is chosen.
    HDC CreatePrinterDC();

    int GetCopies() const;
    BOOL PrintAll() const { return (m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)) == 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

    // hDevMode and hDevNames belong to whoever put them there (the application keeps its
    // printer in them); the dialog may replace them with handles of its own.
    PRINTDLGA m_pd{};
};

// A DC for the printer a DEVNAMES block (and optional DEVMODE) names; null when the block is
// missing or malformed or the printer cannot be opened.
HDC AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode);
// One of the names in a DEVNAMES block: 0 driver, 1 device, 2 port. Empty when it is malformed.
CString AfxGetDevName(HGLOBAL hDevNames, int nWhich);
