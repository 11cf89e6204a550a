// The editor's toolbars: buttons, rows and the idle update of their checks and enabled states.
#include "CXTPImageEditorToolBar.h"

#include <commctrl.h>

#include <vector>

#include "CCmdTarget.h"
#include "CCmdUI.h"

namespace {

// The state an update handler sets, put on the button of the command.
class CToolButtonCmdUI : public CCmdUI {
public:
    explicit CToolButtonCmdUI(HWND hWndToolBar) : m_hWnd(hWndToolBar) {}
    void Enable(BOOL bOn) override
    {
        ::SendMessageA(m_hWnd, TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn ? 1 : 0, 0));
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { ::SendMessageA(m_hWnd, TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck != 0, 0)); }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(const char*) override {}

private:
    HWND m_hWnd;
};

}  // namespace

BOOL CXTPImageEditorToolBar::Create(CWnd* pParent, const RECT& rc, UINT nID, const UINT* pIDs, int nCount, int nWrap,
                                    HIMAGELIST hImageList)
{
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE | CCS_NODIVIDER |
                          CCS_NORESIZE | CCS_NOPARENTALIGN;
    if (!CreateEx(0, TOOLBARCLASSNAMEA, nullptr, dwStyle, rc, pParent, nID))
        return FALSE;
    m_imageList.Attach(hImageList);
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(imageSide, imageSide));
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(hImageList));
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; i++) {
        TBBUTTON& button = buttons[static_cast<size_t>(i)];
        button.iBitmap = i;
        button.idCommand = static_cast<int>(pIDs[i]);
        button.fsState = TBSTATE_ENABLED | ((i + 1) % nWrap == 0 ? TBSTATE_WRAP : 0);
        button.fsStyle = BTNS_BUTTON;
    }
    SendMessage(TB_ADDBUTTONSA, static_cast<WPARAM>(nCount), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonSide, buttonSide));
    SendMessage(TB_AUTOSIZE, 0, 0);
    // Just large enough for its rows.
    const int nRows = (nCount + nWrap - 1) / nWrap;
    SetWindowPos(nullptr, 0, 0, nWrap * buttonSide, nRows * buttonSide, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CXTPImageEditorToolBar::IsButtonChecked(UINT nID) const
{
    return ::SendMessageA(m_hWnd, TB_ISBUTTONCHECKED, nID, 0) != 0;
}

BOOL CXTPImageEditorToolBar::IsButtonEnabled(UINT nID) const
{
    return ::SendMessageA(m_hWnd, TB_ISBUTTONENABLED, nID, 0) != 0;
}

CRect CXTPImageEditorToolBar::GetButtonRect(UINT nID) const
{
    CRect rc;
    ::SendMessageA(m_hWnd, TB_GETRECT, nID, reinterpret_cast<LPARAM>(&rc));
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

BOOL CXTPImageEditorToolBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_IDLEUPDATECMDUI) {
        CWnd* pTarget = GetParent();
        const int nCount = static_cast<int>(SendMessage(TB_BUTTONCOUNT, 0, 0));
        CToolButtonCmdUI state(m_hWnd);
        for (int i = 0; i < nCount && pTarget; i++) {
            TBBUTTON button = {};
            SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
            state.m_nID = static_cast<UINT>(button.idCommand);
            state.m_nIndex = static_cast<UINT>(i);
            state.m_nIndexMax = static_cast<UINT>(nCount);
            state.DoUpdate(pTarget, FALSE);
        }
        *pResult = 0;
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
