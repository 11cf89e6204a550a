// A report list view with the list extension: sorting, stored widths, row colours, flicker-free painting.
#pragma once

#include "CCtrlView.h"
#include "CXTListHost.h"

class CXTListView : public CXTListHost<CCtrlView> {
    DECLARE_DYNCREATE(CXTListView)

public:
    CXTListView();
    ~CXTListView() override;
};
