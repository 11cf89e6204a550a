// The tab-colour options: whether new frames cycle through the colours, the colour of project
// files when they do not, and the colour of files outside the project.
#pragma once

#include "CDialog.h"
#include "ResourceIds.h"

class CTabDialog : public CDialog {
public:
    // Starts from the program-wide tab colours.
    explicit CTabDialog(CWnd* pParentWnd = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;

    int m_cycle;
    int m_defaultIndex;  // 0..7 a colour of the set, 8 none
    int m_foreignIndex;  // 0..7
};
