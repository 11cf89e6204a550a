// The library's edit: its font, the edit commands with their update rules, and its context menu.
#include "CXTEdit.h"

#include "AfxIds.h"
#include "CMenu.h"
#include "CXTSystemData.h"
#include "TrackControlMenu.h"
#include "ResourceIds.h"

namespace {
const UINT kControlMenus = XT_IDM_POPUP;  // the library's context menus
const int kEditMenu = 1;
const UINT kEditMenuImages = XT_IDR_EDIT_ICONS;
}  // namespace

IMPLEMENT_DYNCREATE(CXTEdit, CEdit)

BOOL CXTEdit::Initialize(CWnd* pParentWnd)
{
    if (!GetSafeHwnd() || !pParentWnd || !pParentWnd->GetSafeHwnd())
        return FALSE;
    SetFont((HFONT)XTSystemData()->font.GetSafeHandle());
    m_pParentWnd = pParentWnd;
    return TRUE;
}

BOOL CXTEdit::HasSelection() const
{
    int start = 0, end = 0;
    GetSel(start, end);
    return start < end;
}

BOOL CXTEdit::IsCommandEnabled(UINT nID) const
{
    switch (nID) {
    case ID_EDIT_UNDO:
        return CanUndo();
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_CLEAR:
        return HasSelection();
    case ID_EDIT_PASTE:
        return ::IsClipboardFormatAvailable(CF_TEXT);
    case ID_EDIT_SELECT_ALL:
        return GetWindowTextLength() > 0;
    }
    return FALSE;
}

BOOL CXTEdit::ExecuteCommand(UINT nID)
{
    switch (nID) {
    case ID_EDIT_UNDO:
        SendMessage(EM_UNDO);
        return TRUE;
    case ID_EDIT_CUT:
        SendMessage(WM_CUT);
        return TRUE;
    case ID_EDIT_COPY:
        SendMessage(WM_COPY);
        return TRUE;
    case ID_EDIT_PASTE:
        SendMessage(WM_PASTE);
        return TRUE;
    case ID_EDIT_CLEAR:
        SendMessage(WM_CLEAR);
        return TRUE;
    case ID_EDIT_SELECT_ALL:
        SetSel(0, -1);
        SendMessage(EM_SCROLLCARET);
        return TRUE;
    }
    return FALSE;
}

BOOL CXTEdit::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0 && ExecuteCommand(LOWORD(wParam)))
        return TRUE;
    return CEdit::OnCommand(wParam, lParam);
}

void CXTEdit::UpdateMenuItems(HMENU hMenu) const
{
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        const UINT id = ::GetMenuItemID(hMenu, i);
        if (id == 0 || id == (UINT)-1)
            continue;  // separators and sub-menus
        // Commands without a rule here are ones this edit cannot run.
        const BOOL enabled = id >= 0xF000 || IsCommandEnabled(id);
        ::EnableMenuItem(hMenu, i, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    }
}

void CXTEdit::ShowContextMenu(CPoint point)
{
    CMenu menu;
    if (!menu.LoadMenu(kControlMenus))
        return;
    CMenu* popup = CMenu::FromHandle(::GetSubMenu(menu.GetSafeHmenu(), kEditMenu));
    if (!popup || !popup->GetSafeHmenu())
        return;
    UpdateMenuItems(popup->GetSafeHmenu());
    const int chosen =
        TrackControlMenu(popup, TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, this, kEditMenuImages);
    if (chosen > 0 && IsCommandEnabled((UINT)chosen))
        ExecuteCommand((UINT)chosen);
}

BOOL CXTEdit::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_INITMENUPOPUP) {
        UpdateMenuItems((HMENU)wParam);
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_CONTEXTMENU) {
        CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
        if (point.x == -1 && point.y == -1) {  // from the keyboard
            point = CPoint(5, 5);
            ClientToScreen(&point);
        }
        ShowContextMenu(point);
        *pResult = 0;
        return TRUE;
    }
    return CEdit::OnWndMsg(message, wParam, lParam, pResult);
}
