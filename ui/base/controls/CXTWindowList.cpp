// The Arrange Windows dialog: filling the list, the buttons by selection, the window actions and the list's drawing.
#include "CXTWindowList.h"

#include "AfxResource.h"
#include "CDC.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CMDIFrameWnd.h"
#include "CView.h"
#include "CXTPColorManager.h"

namespace {

const char* const kPlacementSection = "CXTWindowList";

// Shows the wait cursor and keeps the MDI client from drawing while windows move.
class ArrangeLock {
public:
    explicit ArrangeLock(HWND hClient) : m_hCursor(::SetCursor(::LoadCursor(nullptr, IDC_WAIT)))
    {
        ::LockWindowUpdate(hClient);
    }
    ~ArrangeLock()
    {
        ::LockWindowUpdate(nullptr);
        ::SetCursor(m_hCursor);
    }

private:
    HCURSOR m_hCursor;
};

}  // namespace

CXTWindowList::CXTWindowList(CMDIFrameWnd* pMDIFrameWnd)
    : CXTResizeDialog(XT_IDD_WINDOWLIST, pMDIFrameWnd, 0), m_pMDIFrameWnd(pMDIFrameWnd)
{
    m_hWndMDIClient = pMDIFrameWnd ? pMDIFrameWnd->m_hWndMDIClient : nullptr;
}

CXTWindowList::~CXTWindowList() = default;

CString CXTWindowList::GetWindowTitle(HWND hWnd)
{
    CString title;
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    pWnd->GetWindowText(title);
    if (!title.IsEmpty())
        return title;
    for (HWND child = ::GetWindow(hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        auto* view = dynamic_cast<CView*>(CWnd::FromHandlePermanent(child));
        if (!view)
            continue;
        if (CDocument* document = view->GetDocument()) {
            title = document->GetTitle();
            pWnd->SetWindowText(title);
        }
        break;
    }
    return title;
}

void CXTWindowList::InsertItem(CWnd* pWnd)
{
    const int index = m_lboxWindows.AddString(GetWindowTitle(pWnd->m_hWnd));
    if (index >= 0)
        m_lboxWindows.SetItemData(index, reinterpret_cast<DWORD_PTR>(pWnd->m_hWnd));
}

void CXTWindowList::FillListBox()
{
    m_lboxWindows.ResetContent();
    HWND active = m_hWndMDIClient ? reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0))
                                  : nullptr;
    if (!active)
        return;
    for (HWND hWnd = ::GetWindow(active, GW_HWNDLAST); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDPREV)) {
        if (::IsWindowVisible(hWnd))
            InsertItem(CWnd::FromHandle(hWnd));
    }
}

void CXTWindowList::SelectActiveChild()
{
    HWND active = m_hWndMDIClient ? reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0))
                                  : nullptr;
    m_lboxWindows.SetSel(-1, FALSE);
    for (int i = 0; i < m_lboxWindows.GetCount(); ++i) {
        if (reinterpret_cast<HWND>(m_lboxWindows.GetItemData(i)) == active)
            m_lboxWindows.SetSel(i, TRUE);
    }
}

std::vector<HWND> CXTWindowList::SelectedWindows() const
{
    std::vector<HWND> windows;
    for (int i = 0; i < m_lboxWindows.GetCount(); ++i) {
        if (m_lboxWindows.GetSel(i) > 0)
            windows.push_back(reinterpret_cast<HWND>(m_lboxWindows.GetItemData(i)));
    }
    return windows;
}

void CXTWindowList::UpdateButtons()
{
    const int n = m_lboxWindows.GetSelCount();
    const struct {
        int id;
        BOOL enable;
    } buttons[] = {
        {XT_IDC_BTN_ACTIVATE, n == 1},     {XT_IDC_BTN_SAVE, n >= 1},        {XT_IDC_BTN_CLOSEWINDOWS, n >= 1},
        {XT_IDC_BTN_MINIMIZE, n >= 1},     {XT_IDC_BTN_CASCADE, n > 1},      {XT_IDC_BTN_TILEHORZ, n > 1},
        {XT_IDC_BTN_TILEVERT, n > 1},
    };
    for (const auto& b : buttons) {
        if (HWND button = ::GetDlgItem(m_hWnd, b.id))
            ::EnableWindow(button, b.enable);
    }
    for (int id : {static_cast<int>(XT_IDC_BTN_MINIMIZE), static_cast<int>(XT_IDC_BTN_CASCADE), static_cast<int>(XT_IDC_BTN_TILEHORZ), static_cast<int>(XT_IDC_BTN_TILEVERT)}) {
        if (HWND button = ::GetDlgItem(m_hWnd, id))
            ::ShowWindow(button, SW_SHOW);
    }
}

BOOL CXTWindowList::OnInitDialog()
{
    CXTResizeDialog::OnInitDialog();
    m_lboxWindows.SubclassDlgItem(XT_IDC_LBOX_WINDOWS, this);
    FillListBox();
    SelectActiveChild();
    UpdateButtons();
    SetControlAnchor(XT_IDC_LBOX_WINDOWS, CXTAnchorRect(0, 0, 1, 1));
    for (int id : {static_cast<int>(XT_IDC_BTN_ACTIVATE), IDOK, static_cast<int>(XT_IDC_BTN_SAVE), static_cast<int>(XT_IDC_BTN_CLOSEWINDOWS),
                   static_cast<int>(XT_IDC_BTN_CASCADE), static_cast<int>(XT_IDC_BTN_TILEHORZ),
                   static_cast<int>(XT_IDC_BTN_TILEVERT), static_cast<int>(XT_IDC_BTN_MINIMIZE)})
        SetControlAnchor(static_cast<UINT>(id), XT_ANCHOR_RIGHT);
    m_strSection = kPlacementSection;
    LoadPlacement(kPlacementSection);
    if (!m_hIcon)
        m_hIcon = static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(XT_IDI_WINDOWLIST), IMAGE_ICON,
                                                  ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    if (m_hIcon)
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    return TRUE;
}

void CXTWindowList::Refresh()
{
    FillListBox();
    SelectActiveChild();
    UpdateButtons();
}

void CXTWindowList::OnActivate()
{
    // The one selected window, not the caret item: the button is enabled for one selection only.
    const std::vector<HWND> selected = SelectedWindows();
    if (selected.size() != 1)
        return;
    HWND hWnd = selected[0];
    if (::IsIconic(hWnd))
        ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(hWnd), 0);
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWnd), 0);
    EndDialog(IDOK);
}

void CXTWindowList::OnSave()
{
    for (HWND hWnd : SelectedWindows()) {
        auto* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(hWnd));
        if (CDocument* document = frame ? frame->GetActiveDocument() : nullptr)
            document->DoFileSave();
    }
    Refresh();
}

void CXTWindowList::OnCloseWindows()
{
    for (HWND hWnd : SelectedWindows()) {
        if (::IsWindow(hWnd))
            ::SendMessageA(hWnd, WM_CLOSE, 0, 0);
    }
    Refresh();
}

void CXTWindowList::Arrange(UINT message, WPARAM wParam)
{
    ArrangeLock lock(m_hWndMDIClient);
    for (int i = m_lboxWindows.GetCount() - 1; i >= 0; --i) {
        HWND hWnd = reinterpret_cast<HWND>(m_lboxWindows.GetItemData(i));
        if (m_lboxWindows.GetSel(i) > 0) {
            if (::IsIconic(hWnd))
                ::ShowWindow(hWnd, SW_RESTORE);
        } else {
            ::ShowWindow(hWnd, SW_MINIMIZE);
        }
    }
    ::SendMessageA(m_hWndMDIClient, message, wParam, 0);
}

void CXTWindowList::OnMinimize()
{
    ArrangeLock lock(m_hWndMDIClient);
    for (HWND hWnd : SelectedWindows()) {
        if (::GetWindowLongA(hWnd, GWL_STYLE) & WS_MINIMIZEBOX)
            ::ShowWindow(hWnd, SW_MINIMIZE);
    }
    ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

BOOL CXTWindowList::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id == XT_IDC_LBOX_WINDOWS) {
        if (HIWORD(wParam) == LBN_SELCHANGE)
            UpdateButtons();
        return CXTResizeDialog::OnCommand(wParam, lParam);
    }
    if (HIWORD(wParam) != BN_CLICKED)
        return CXTResizeDialog::OnCommand(wParam, lParam);
    switch (id) {
    case XT_IDC_BTN_ACTIVATE:
        OnActivate();
        return TRUE;
    case XT_IDC_BTN_SAVE:
        OnSave();
        return TRUE;
    case XT_IDC_BTN_CLOSEWINDOWS:
        OnCloseWindows();
        return TRUE;
    case XT_IDC_BTN_TILEHORZ:
        Arrange(WM_MDITILE, MDITILE_HORIZONTAL);
        return TRUE;
    case XT_IDC_BTN_TILEVERT:
        Arrange(WM_MDITILE, MDITILE_VERTICAL);
        return TRUE;
    case XT_IDC_BTN_CASCADE:
        Arrange(WM_MDICASCADE, 0);
        return TRUE;
    case XT_IDC_BTN_MINIMIZE:
        OnMinimize();
        return TRUE;
    default:
        return CXTResizeDialog::OnCommand(wParam, lParam);
    }
}

void CXTWindowList::DrawWindowItem(const DRAWITEMSTRUCT* pDIS)
{
    if (static_cast<int>(pDIS->itemID) < 0)
        return;
    CDC* pDC = CDC::FromHandle(pDIS->hDC);
    const BOOL selected = (pDIS->itemState & ODS_SELECTED) != 0;
    const COLORREF back = GetManagedColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF text = GetManagedColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const int cxIcon = ::GetSystemMetrics(SM_CXSMICON), cyIcon = ::GetSystemMetrics(SM_CYSMICON);
    CRect rect(pDIS->rcItem);
    CRect textArea = rect;
    textArea.left += cxIcon + 3;
    if (pDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))
        pDC->FillSolidRect(&textArea, back);
    if (pDIS->itemAction & ODA_FOCUS)
        pDC->DrawFocusRect(&textArea);

    HWND hWnd = reinterpret_cast<HWND>(pDIS->itemData);
    CString title;
    m_lboxWindows.GetText(static_cast<int>(pDIS->itemID), title);
    CRect textRect = rect;
    textRect.left += cxIcon + 4;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(text);
    pDC->DrawText(title, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);

    HICON icon = reinterpret_cast<HICON>(::SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWnd, GCLP_HICONSM));
    if (!icon)
        icon = ::LoadIcon(nullptr, IDI_WINLOGO);
    ::DrawIconEx(pDC->m_hDC, rect.left + 2, rect.top + (rect.Height() - cyIcon) / 2, icon, cxIcon, cyIcon, 0, nullptr,
                 DI_NORMAL);
}

BOOL CXTWindowList::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM && wParam == XT_IDC_LBOX_WINDOWS) {
        DrawWindowItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        if (pResult)
            *pResult = TRUE;
        return TRUE;
    }
    return CXTResizeDialog::OnWndMsg(message, wParam, lParam, pResult);
}
