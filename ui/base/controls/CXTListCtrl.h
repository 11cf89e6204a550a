// A report list control with the list extension: sorting, stored widths, row colours, flicker-free painting.
#pragma once

#include "CListCtrl.h"
#include "CXTListBase.h"

class CXTListCtrl : public CListCtrl, public CXTListBase {
    DECLARE_DYNCREATE(CXTListCtrl)

public:
    CXTListCtrl();
    ~CXTListCtrl() override;

    CXTListBase& GetListBase() { return *this; }
    DWORD GetExtendedStyle() const override { return CXTListBase::GetExtendedStyle(); }

    void PreSubclassWindow() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
