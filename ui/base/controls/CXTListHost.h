// The host of the list extension on a list window class, the control or the view: it mixes the
// extension in and hands it the window's messages first.
#pragma once

#include <utility>

#include "CXTListBase.h"

template <class Base>
class CXTListHost : public Base, public CXTListBase {
public:
    CXTListBase& GetListBase() { return *this; }
    DWORD GetExtendedStyle() const override { return CXTListBase::GetExtendedStyle(); }

    void PreSubclassWindow() override
    {
        Base::PreSubclassWindow();
        this->PostMessage(XTWM_INITIAL_UPDATE);
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        return CXTListBase::OnNotify(wParam, lParam, pResult) || Base::OnNotify(wParam, lParam, pResult);
    }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        LRESULT result = 0;
        if (OnListMessage(message, wParam, lParam, &result)) {
            if (pResult)
                *pResult = result;
            return TRUE;
        }
        const BOOL handled = Base::OnWndMsg(message, wParam, lParam, pResult);
        if (message == WM_CREATE)
            this->SendMessage(XTWM_INITIAL_UPDATE);
        return handled;
    }

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
            *pResult = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
            return TRUE;
        }
        return Base::OnChildNotify(message, wParam, lParam, pResult);
    }

protected:
    // The window class's own constructor arguments (the view's class name and style).
    template <class... Args>
    explicit CXTListHost(Args&&... args) : Base(std::forward<Args>(args)...)
    {
        m_pList = this;
    }
};
