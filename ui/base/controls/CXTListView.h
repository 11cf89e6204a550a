// A report list view with the list extension: sorting, stored widths, row colours, flicker-free painting.
#pragma once

#include "CCtrlView.h"
#include "CXTListBase.h"

class CXTListView : public CCtrlView, public CXTListBase {
    DECLARE_DYNCREATE(CXTListView)

public:
    CXTListView();
    ~CXTListView() override;

    CXTListBase& GetListBase() { return *this; }
    DWORD GetExtendedStyle() const override { return CXTListBase::GetExtendedStyle(); }

    void PreSubclassWindow() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
