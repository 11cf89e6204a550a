// A dialog whose children follow its size by their anchors, with limits, a grip and a saved placement.
#pragma once

#include <windows.h>

#include "CDialog.h"
#include "CXTResize.h"

class CXTResizeDialog : public CDialog, public CXTResize {
    DECLARE_DYNCREATE(CXTResizeDialog)

public:
    CXTResizeDialog();
    explicit CXTResizeDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr, UINT nFlags = 0);

    BOOL OnInitDialog() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
