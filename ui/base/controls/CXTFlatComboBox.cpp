// The flat combo box: hover and focus states, buffered painting with the theme's frame, completion.
#include "CXTFlatComboBox.h"

#include "CDC.h"
#include "CXTFlatControlsTheme.h"
#include "CXTPBufferDC.h"
#include "CXTPColorManager.h"

IMPLEMENT_DYNCREATE(CXTFlatComboBox, CComboBox)

namespace {
const UINT_PTR kHoverTimer = 1000;

}  // namespace

CXTFlatComboBox::CXTFlatComboBox() : CXTThemeManagerStyleHost(RUNTIME_CLASS(CXTFlatControlsThemeFactory)) {}

CXTFlatControlsTheme* CXTFlatComboBox::GetTheme()
{
    return dynamic_cast<CXTFlatControlsTheme*>(GetSafeTheme());
}

void CXTFlatComboBox::OnThemeChanged()
{
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

int CXTFlatComboBox::GetDrawState() const
{
    if (GetSafeHwnd() && GetDroppedState())
        return XT_FLAT_PRESSED;
    return (m_bRaisedDrawn || m_bFocused) ? XT_FLAT_RAISED : XT_FLAT_NORMAL;
}

void CXTFlatComboBox::OnHoverTimer()
{
    if (XTFlatHoverTick(this, kHoverTimer, m_bButtonDown, m_bFocused || GetDroppedState(), m_bRaisedDrawn))
        Invalidate(FALSE);
}

void CXTFlatComboBox::PaintInto(HDC hDC)
{
    CRect client;
    GetClientRect(&client);
    CXTMemDC memDC(CDC::FromHandle(hDC), client, GetManagedColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE));
    DefWindowProc(WM_PAINT, (WPARAM)memDC.GetSafeHdc(), 0);
    if (m_bFlat) {
        if (CXTFlatControlsTheme* theme = GetTheme())
            theme->DrawFlatComboBox(&memDC, this, GetDrawState());
    }
}

void CXTFlatComboBox::OnEditUpdate()
{
    if (m_bSkipCompletion)
        return;
    CString typed;
    GetWindowText(typed);
    const int length = typed.GetLength();
    if (length == 0)
        return;
    const DWORD selection = GetEditSel();
    const int start = LOWORD(selection), end = HIWORD(selection);
    if (SelectString(-1, typed) == CB_ERR) {
        SetWindowText(typed);
        SetEditSel(start, end);
    }
    if (end >= length || start == end)
        SetEditSel(length, -1);
    else
        SetEditSel(start, end);
}

BOOL CXTFlatComboBox::PreTranslateMessage(MSG* pMsg)
{
    // Deleting must not bring the deleted part straight back.
    if (pMsg->message == WM_KEYDOWN)
        m_bSkipCompletion = pMsg->wParam == VK_BACK || pMsg->wParam == VK_DELETE;
    return CComboBox::PreTranslateMessage(pMsg);
}

BOOL CXTFlatComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        switch (HIWORD(wParam)) {
        case CBN_SETFOCUS:
        case CBN_KILLFOCUS:
            m_bFocused = HIWORD(wParam) == CBN_SETFOCUS;
            Invalidate(FALSE);
            break;
        case CBN_CLOSEUP:
            if (m_bFlat)
                Invalidate(FALSE);
            break;
        case CBN_EDITUPDATE:
            if (m_bAutoComplete)
                OnEditUpdate();
            break;
        }
    }
    // The parent hears of every notification too.
    return CComboBox::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CXTFlatComboBox::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (XTFlatMouseMessage(this, kHoverTimer, m_bFlat, m_bButtonDown, message, wParam, lParam)) {
    case XTFlatMouseStep::HoverTick:
        OnHoverTimer();
        break;
    case XTFlatMouseStep::TimerTick:
        OnHoverTimer();
        *pResult = 0;
        return TRUE;
    case XTFlatMouseStep::Released:
        Invalidate(FALSE);
        break;
    case XTFlatMouseStep::None:
        break;
    }
    switch (message) {
    case WM_PAINT:
        if (wParam) {
            PaintInto((HDC)wParam);
        } else {
            CPaintDC paintDC(this);
            PaintInto(paintDC.GetSafeHdc());
        }
        *pResult = 0;
        return TRUE;
    case WM_PRINTCLIENT:
        PaintInto((HDC)wParam);
        *pResult = 0;
        return TRUE;
    }
    return CComboBox::OnWndMsg(message, wParam, lParam, pResult);
}
