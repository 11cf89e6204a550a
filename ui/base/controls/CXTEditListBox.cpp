// The edit list box and its toolbar: new, delete, move and in-place editing, each announced to the parent.
#include "CXTEditListBox.h"

#include "CDC.h"
#include "CXTPBufferDC.h"
#include "CXTPColorManager.h"

namespace {

const UINT kCodes[CXTEditListBoxToolBar::kButtons] = {XTN_LBOX_NEWITEM, XTN_LBOX_DELETED, XTN_LBOX_MOVEUP,
                                                      XTN_LBOX_MOVEDOWN};

// The button glyphs: a new page, a cross, an arrow up, an arrow down.
void DrawGlyph(CDC* pDC, int nButton, const CRect& rect, COLORREF color)
{
    const CPoint c = rect.CenterPoint();
    CPen pen(PS_SOLID, 1, color);
    CBrush brush(color);
    CPen* oldPen = pDC->SelectObject(&pen);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    switch (nButton) {
    case 0:
        pDC->FillSolidRect(c.x - 4, c.y - 5, 8, 10, color);
        pDC->FillSolidRect(c.x - 3, c.y - 4, 6, 8, GetManagedColor(COLOR_WINDOW));
        break;
    case 1:
        for (int d = -3; d <= 3; ++d) {
            pDC->FillSolidRect(c.x + d, c.y + d, 2, 1, color);
            pDC->FillSolidRect(c.x + d, c.y - d, 2, 1, color);
        }
        break;
    default: {
        const int dir = nButton == 2 ? -1 : 1;
        POINT arrow[3] = {{c.x - 4, c.y - 2 * dir}, {c.x + 4, c.y - 2 * dir}, {c.x, c.y + 2 * dir}};
        pDC->Polygon(arrow, 3);
        break;
    }
    }
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
}

}  // namespace

IMPLEMENT_DYNCREATE(CXTEditListBox, CXTListBox)

// ---- Toolbar --------------------------------------------------------------------------------

BOOL CXTEditListBoxToolBar::Create(CXTEditListBox* pList)
{
    m_pList = pList;
    if (!CreateEx(0, CWnd::DefaultClassName(), nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(0, 0, 10, 10),
                  pList->GetParent(), XT_IDC_LBOX_TOOLBAR))
        return FALSE;
    for (int i = 0; i < kButtons; ++i) {
        if (!m_buttons[i].Create(nullptr, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, kHeight, kHeight), this,
                                 XT_IDC_LBOX_NEW + i))
            return FALSE;
    }
    // The tips read the string table of the interface language: New, Delete, Move Up, Move Down.
    if (m_toolTip.Create(this)) {
        for (int i = 0; i < kButtons; ++i)
            m_toolTip.AddTool(&m_buttons[i], static_cast<UINT>(XT_IDC_LBOX_NEW + i));
        m_toolTip.Activate(TRUE);
    }
    Reposition();
    PlaceButtons();
    return TRUE;
}

void CXTEditListBoxToolBar::Reposition()
{
    if (!m_hWnd || !m_pList || !m_pList->m_hWnd)
        return;
    CRect list;
    m_pList->GetWindowRect(&list);
    GetParent()->ScreenToClient(&list);
    SetWindowPos(nullptr, list.left, list.top - kHeight, list.Width(), kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CXTEditListBoxToolBar::PlaceButtons()
{
    CRect client;
    GetClientRect(&client);
    for (int i = 0; i < kButtons; ++i) {
        if (m_buttons[i].m_hWnd)
            m_buttons[i].SetWindowPos(nullptr, client.right - (kButtons - i) * kHeight, 0, kHeight, kHeight,
                                      SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CXTEditListBoxToolBar::PaintBar()
{
    CPaintDC dc(this);
    for (CButton& button : m_buttons) {
        CRect rect;
        button.GetWindowRect(&rect);
        ScreenToClient(&rect);
        dc.ExcludeClipRect(&rect);
    }
    CRect client;
    GetClientRect(&client);
    CXTMemDC memDC(&dc, client, GetManagedColor(COLOR_BTNFACE));
}

void CXTEditListBoxToolBar::DrawButton(const DRAWITEMSTRUCT* pDIS)
{
    CDC* pDC = CDC::FromHandle(pDIS->hDC);
    CRect rect(pDIS->rcItem);
    const BOOL pressed = (pDIS->itemState & ODS_SELECTED) != 0;
    const BOOL disabled = (pDIS->itemState & ODS_DISABLED) != 0;
    pDC->FillSolidRect(&rect, GetManagedColor(COLOR_BTNFACE));
    if (pressed)
        pDC->Draw3dRect(&rect, GetManagedColor(COLOR_BTNSHADOW), GetManagedColor(COLOR_3DHIGHLIGHT));
    else
        pDC->Draw3dRect(&rect, GetManagedColor(COLOR_3DHIGHLIGHT), GetManagedColor(COLOR_BTNSHADOW));
    if (pressed)
        rect.OffsetRect(1, 1);
    DrawGlyph(pDC, static_cast<int>(pDIS->CtlID) - XT_IDC_LBOX_NEW, rect,
              GetManagedColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
}

BOOL CXTEditListBoxToolBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int button = static_cast<int>(LOWORD(wParam)) - XT_IDC_LBOX_NEW;
    if (button >= 0 && button < kButtons && HIWORD(wParam) == BN_CLICKED && m_pList) {
        m_pList->SendMessage(WM_COMMAND, MAKEWPARAM(XT_IDC_LBOX_TOOLBAR, kCodes[button]),
                             reinterpret_cast<LPARAM>(m_hWnd));
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CXTEditListBoxToolBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT ignored = 0;
    LRESULT& result = pResult ? *pResult : ignored;
    switch (message) {
    case WM_DRAWITEM:
        DrawButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return TRUE;
    case WM_ERASEBKGND:
        result = 1;
        return TRUE;
    case WM_PAINT:
        PaintBar();
        result = 0;
        return TRUE;
    case WM_ENABLE:
        for (CButton& button : m_buttons)
            button.EnableWindow(static_cast<BOOL>(wParam));
        break;
    case WM_SHOWWINDOW:
        for (CButton& button : m_buttons)
            button.ShowWindow(wParam ? SW_SHOW : SW_HIDE);
        break;
    case WM_WINDOWPOSCHANGED:
        PlaceButtons();
        break;
    default:
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

// ---- List -----------------------------------------------------------------------------------

CXTEditListBox::CXTEditListBox() = default;

CXTEditListBox::~CXTEditListBox()
{
    // Gone with the list: the edit ends without telling anyone.
    if (CXTItemEdit* edit = m_pItemEdit) {
        m_pItemEdit = nullptr;
        edit->m_bEnded = true;
        if (edit->m_hWnd)
            edit->DestroyWindow();
    }
}

void CXTEditListBox::SetListEditStyle(const char* lpszNewItemText, DWORD dwLStyle)
{
    m_strNewItemText = lpszNewItemText ? lpszNewItemText : "";
    m_dwLStyle = dwLStyle;
}

void CXTEditListBox::Initialize(bool bAutoFont)
{
    CXTListBox::Initialize(bAutoFont);
    if (!(m_dwLStyle & LBS_XT_NOTOOLBAR) && !m_toolbar.m_hWnd)
        m_toolbar.Create(this);
}

void CXTEditListBox::Notify(UINT nCode)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nCode), reinterpret_cast<LPARAM>(m_hWnd));
}

void CXTEditListBox::EditItem(BOOL bNewItem)
{
    if (!m_bEnableEdit || m_pItemEdit)
        return;
    SetRedraw(FALSE);
    m_strItemText = m_strNewItemText;
    const int selected = GetCurSel();
    if (bNewItem || selected == LB_ERR) {
        m_nIndex = AddString(m_strItemText);
        SetCurSel(m_nIndex);
        m_bNewItem = TRUE;
    } else if (selected >= GetCount()) {
        SetCurSel(-1);
        SetRedraw(TRUE);
        return;
    } else {
        m_nIndex = selected;
        GetText(selected, m_strItemText);
        m_bNewItem = FALSE;
    }
    SetRedraw(TRUE);
    CRect rect;
    GetItemRect(m_nIndex, &rect);
    rect.DeflateRect(2, 0);
    rect.InflateRect(0, 2);
    m_pItemEdit = new CXTItemEdit(this, rect, m_strItemText, m_dwBrowseStyle, true);
    if (!m_pItemEdit->m_hWnd) {
        delete m_pItemEdit;
        m_pItemEdit = nullptr;
        return;
    }
    if (!m_strItemEditExtra.IsEmpty())
        m_pItemEdit->SetWindowText(m_strItemEditExtra);
}

void CXTEditListBox::OnEndLabelEdit(UINT nCode)
{
    if (!m_pItemEdit)
        return;
    m_pItemEdit = nullptr;  // it closes and deletes itself
    int current = m_nIndex;
    if (m_bNewItem) {
        DeleteString(static_cast<UINT>(m_nIndex));
        m_bNewItem = FALSE;
        // A cancelled new item goes, whatever its default text.
        if (nCode == XTN_LBOX_CANCELLED || m_strItemText.IsEmpty()) {
            SetCurSel(-1);
            SetFocus();
            Notify(XTN_LBOX_CANCELLED);
            return;
        }
        current = AddString(m_strItemText);
        SetCurSel(current);
        SetFocus();
        Notify(XTN_LBOX_NEWITEM);
        return;
    }
    CString old;
    GetText(current, old);
    if (nCode == XTN_LBOX_EDITED && old != m_strItemText) {
        const DWORD_PTR data = GetItemData(current);
        DeleteString(static_cast<UINT>(current));
        InsertString(current, m_strItemText);
        SetItemData(current, data);
        SetCurSel(current);
        SetFocus();
        Notify(XTN_LBOX_EDITED);
        return;
    }
    SetCurSel(current);
    SetFocus();
    Notify(XTN_LBOX_CANCELLED);
}

void CXTEditListBox::OnNewItem()
{
    Notify(XTN_LBOX_PRENEWITEM);
    EditItem(TRUE);
}

void CXTEditListBox::OnDeleteItem()
{
    const int current = GetCurSel();
    if (current < 0 || current >= GetCount())
        return;  // nothing to delete: nothing is announced
    Notify(XTN_LBOX_PREDELETE);
    DeleteString(static_cast<UINT>(current));
    const int count = GetCount();
    SetCurSel(current < count ? current : count - 1);
    SetFocus();
    Notify(XTN_LBOX_DELETED);
}

void CXTEditListBox::OnMoveItemUp()
{
    const int current = GetCurSel();
    if (current > 0 && current < GetCount()) {
        // The item above goes below: text and data stay together.
        CString text;
        GetText(current - 1, text);
        const DWORD_PTR data = GetItemData(current - 1);
        DeleteString(static_cast<UINT>(current - 1));
        InsertString(current, text);
        SetItemData(current, data);
        SetCurSel(current - 1);
    }
    SetFocus();
    Notify(XTN_LBOX_MOVEUP);
}

void CXTEditListBox::OnMoveItemDown()
{
    const int current = GetCurSel();
    if (current >= 0 && current < GetCount() - 1) {
        CString text;
        GetText(current + 1, text);
        const DWORD_PTR data = GetItemData(current + 1);
        DeleteString(static_cast<UINT>(current + 1));
        InsertString(current, text);
        SetItemData(current, data);
        SetCurSel(current + 1);
    }
    SetFocus();
    Notify(XTN_LBOX_MOVEDOWN);
}

BOOL CXTEditListBox::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == XT_IDC_LBOX_EDIT && (code == XTN_LBOX_EDITED || code == XTN_LBOX_CANCELLED)) {
        OnEndLabelEdit(code);
        return TRUE;
    }
    if (id == XT_IDC_LBOX_TOOLBAR) {
        switch (code) {
        case XTN_LBOX_NEWITEM:
            OnNewItem();
            return TRUE;
        case XTN_LBOX_DELETED:
            OnDeleteItem();
            return TRUE;
        case XTN_LBOX_MOVEUP:
            OnMoveItemUp();
            return TRUE;
        case XTN_LBOX_MOVEDOWN:
            OnMoveItemDown();
            return TRUE;
        default:
            break;
        }
    }
    return CXTListBox::OnCommand(wParam, lParam);
}

void CXTEditListBox::OnLeftClick()
{
    const int count = GetCount();
    int current = GetCurSel();
    if (current >= count && count > 0) {
        SetCurSel(count - 1);
        Notify(LBN_SELCHANGE);
        current = count - 1;
    }
    if (current < 0)
        return;
    CPoint point;
    ::GetCursorPos(&point);
    const MSG* msg = GetCurrentMessage();
    if (msg && msg->message == WM_LBUTTONDOWN)
        point = CPoint(static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam)));
    else
        ScreenToClient(&point);
    CRect rect;
    GetItemRect(current, &rect);
    if (!rect.PtInRect(point)) {
        SetCurSel(-1);
        Notify(LBN_SELCHANGE);
    }
}

BOOL CXTEditListBox::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT ignored = 0;
    LRESULT& result = pResult ? *pResult : ignored;
    switch (message) {
    case WM_LBUTTONDOWN:
        result = Default();
        OnLeftClick();
        return TRUE;
    case WM_LBUTTONDBLCLK:
        result = Default();
        EditItem(FALSE);
        return TRUE;
    case WM_NCLBUTTONDOWN:
        // The edit ends (keeping its text) and goes at once.
        if (CXTItemEdit* edit = m_pItemEdit) {
            edit->EndLabelEdit();
            m_pItemEdit = nullptr;
            if (edit->m_hWnd)
                edit->DestroyWindow();
        }
        break;
    case WM_ENABLE:
        if (m_toolbar.m_hWnd && !(m_dwLStyle & LBS_XT_NOTOOLBAR))
            m_toolbar.EnableWindow(static_cast<BOOL>(wParam));
        break;
    case WM_SHOWWINDOW:
        if (m_toolbar.m_hWnd && !(m_dwLStyle & LBS_XT_NOTOOLBAR))
            m_toolbar.ShowWindow(wParam ? SW_SHOW : SW_HIDE);
        break;
    case WM_WINDOWPOSCHANGED:
        m_toolbar.Reposition();
        break;
    default:
        break;
    }
    return CXTListBox::OnWndMsg(message, wParam, lParam, pResult);
}
