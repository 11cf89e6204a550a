// The go-to-line dialog: one line number.
#pragma once

#include "CDialog.h"
#include "ResourceIds.h"

class CGotoLine : public CDialog {
public:
    explicit CGotoLine(int line, CWnd* pParentWnd = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;

    int m_line;
};
