// The owner-draw messages a parent passes on to its control: WM_DRAWITEM and WM_MEASUREITEM.
#pragma once

#include <windows.h>

#include <type_traits>
#include <utility>

namespace FrameworkDetail {
template <class T, class = void>
struct Measures : std::false_type {};
template <class T>
struct Measures<T, std::void_t<decltype(std::declval<T&>().MeasureItem(LPMEASUREITEMSTRUCT()))>> : std::true_type {};
} // namespace FrameworkDetail

// For a control's OnChildNotify: TRUE (the parent answers TRUE) when the message was one the
// control draws or measures and went to its DrawItem or MeasureItem.
template <class Control>
BOOL AfxOwnerDrawNotify(Control* control, UINT message, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        control->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    } else if constexpr (FrameworkDetail::Measures<Control>::value) {
        if (message != WM_MEASUREITEM)
            return FALSE;
        control->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    } else {
        return FALSE;
    }
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}
