// The system's font chooser, with an optional template.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "CDialog.h"

class CFontDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFontDialog)

public:
    // With an initial font the dialog starts from it.
    explicit CFontDialog(const LOGFONTA* lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         HDC hdcPrinter = nullptr, CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;

    void GetCurrentFont(LOGFONTA* lplf) const { *lplf = m_lf; }
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    int GetSize() const { return m_cf.iPointSize; }  // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return static_cast<int>(m_lf.lfWeight); }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }

    CHOOSEFONTA m_cf{};
    LOGFONTA m_lf{};
};
