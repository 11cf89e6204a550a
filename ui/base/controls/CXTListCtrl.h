// A report list control with the list extension: sorting, stored widths, row colours, flicker-free painting.
#pragma once

#include "CListCtrl.h"
#include "CXTListHost.h"

class CXTListCtrl : public CXTListHost<CListCtrl> {
    DECLARE_DYNCREATE(CXTListCtrl)

public:
    CXTListCtrl();
    ~CXTListCtrl() override;
};
