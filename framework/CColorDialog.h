// The system's colour chooser, with an optional template.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "CDialog.h"

class CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)

public:
    // A non-zero initial colour is preselected.
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }

    // The sixteen custom colours, shared by all colour dialogs of the process.
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLORA m_cc{};
};
