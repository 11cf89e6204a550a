// A tree view with the tree extension: multiple selection, item fonts and colours, its own label painting.
#pragma once

#include "CCtrlView.h"
#include "CXTTreeHost.h"

class CXTTreeView : public CXTTreeHost<CCtrlView> {
    DECLARE_DYNCREATE(CXTTreeView)

public:
    CXTTreeView();
    ~CXTTreeView() override;
};
