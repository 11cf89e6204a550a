// The Build Options dialog: the compiler's message level, spacing and warning switches.
#pragma once

#include "CDialog.h"
#include "ResourceIds.h"

class CBuildOptions : public CDialog {
public:
    enum { IDD = IDD_BUILD_OPTIONS };
    // The values come from the settings record; OK puts them back, Cancel leaves it alone.
    explicit CBuildOptions(CWnd* pParent);

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nInsertSpace;
    int m_nWarningReturnValue;
    int m_nWarningUpperCase;
    int m_nCorrectUpperCase;

private:
    // The uppercase warning means nothing while the compiler corrects such arguments itself.
    void UpdateUpperCaseWarning();
    void ShowLevel();
    int GetLevel() const;
};
