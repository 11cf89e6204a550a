// A tree control with the tree extension: multiple selection, item fonts and colours, its own label painting.
#pragma once

#include "CTreeCtrl.h"
#include "CXTTreeHost.h"

class CXTTreeCtrl : public CXTTreeHost<CTreeCtrl> {
    DECLARE_DYNCREATE(CXTTreeCtrl)

public:
    CXTTreeCtrl();
    ~CXTTreeCtrl() override;
};
