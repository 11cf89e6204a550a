// The browse edit: its button's place beside it, and the folder, file and menu choices.
#include "CXTBrowseEdit.h"

#include "CFileDialog.h"
#include "CMenu.h"
#include "CXTFolderDialog.h"
#include "InterfaceTexts.h"
#include "ResourceIds.h"

IMPLEMENT_DYNCREATE(CXTBrowseEdit, CXTEdit)

int XTBrowseButtonWidth()
{
    static const int width = ::GetSystemMetrics(SM_CXHTHUMB) + 2 * ::GetSystemMetrics(SM_CXEDGE);
    return width;
}

namespace {
CString Text(int id, const char* fallback)
{
    const char* text = FindInterfaceText(id);
    return text ? CString(text) : CString(fallback);
}
}  // namespace

CXTBrowseEdit::CXTBrowseEdit()
    : m_nGap(::GetSystemMetrics(SM_CXEDGE)),
      m_strDefExt(Text(IDS_BROWSE_DEFAULT_EXT, "*.*")),
      m_strFilter(Text(IDS_BROWSE_FILE_FILTER, "All Files (*.*)|*.*||")),
      m_strTitle(Text(IDS_BROWSE_DIRECTORY_NAME, "Directory name:"))
{
}

BOOL CXTBrowseEdit::Initialize(CWnd* pParentWnd, DWORD dwBStyle, UINT nMenu, int nSubMenu)
{
    if (!CXTEdit::Initialize(pParentWnd))
        return FALSE;
    if (!(m_dwBrowseStyle & 0x07))
        return TRUE;
    m_dwBrowseStyle = dwBStyle;
    m_nMenu = nMenu;
    m_nSubMenu = nSubMenu;
    if (!(dwBStyle & 0x07))
        return TRUE;
    if (!m_btnBrowse.GetSafeHwnd() &&
        !m_btnBrowse.Create(this, dwBStyle, XT_IDC_BTN_BROWSE, nMenu, nSubMenu))
        return FALSE;
    PositionBrowseButton(TRUE);
    return TRUE;
}

void CXTBrowseEdit::PositionBrowseButton(BOOL bSizeEdit)
{
    if (!m_btnBrowse.GetSafeHwnd() || !GetParent())
        return;
    CWnd* parent = GetParent();
    CRect rc;
    GetWindowRect(&rc);
    parent->ScreenToClient(&rc);
    const int width = XTBrowseButtonWidth();
    if (bSizeEdit) {
        rc.right -= m_nGap + width;
        ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOSENDCHANGING);
    }
    CRect button(rc.right + m_nGap, rc.top, rc.right + m_nGap + width, rc.bottom);
    ::SetWindowPos(m_btnBrowse.m_hWnd, m_hWnd, button.left, button.top, button.Width(), button.Height(),
                   SWP_NOACTIVATE);
    parent->InvalidateRect(&button);
}

void CXTBrowseEdit::TakeResult(const CString& text)
{
    SetWindowText(text);
    SetModify(TRUE);
}

void CXTBrowseEdit::OnBrowse()
{
    m_bBrowsing = true;
    switch (m_dwBrowseStyle & 0x07) {
    case BES_XT_CHOOSEDIR:
        ChooseDirectory();
        break;
    case BES_XT_CHOOSEFILE:
        ChooseFile();
        break;
    case BES_XT_POPUPMENU:
        PopupMenu();
        break;
    }
    m_bBrowsing = false;
    if (GetSafeHwnd()) {
        SetSel(0, -1);
        SendMessage(EM_SCROLLCARET);
        SetFocus();
    }
}

void CXTBrowseEdit::ChooseDirectory()
{
    CString initial;
    GetWindowText(initial);
    if (initial.IsEmpty()) {
        char current[MAX_PATH] = {};
        ::GetCurrentDirectoryA(MAX_PATH, current);
        initial = current;
    }
    CXTFolderDialog dialog(m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr, initial, m_strTitle);
    CString path;
    if (dialog.DoModal(path))
        TakeResult(path);
}

void CXTBrowseEdit::ChooseFile()
{
    const CXTBrowseChooser& chooser = CXTFolderDialog::GetChooser();
    auto run = [&chooser](CFileDialog& dialog) {
        return chooser.pfnChooseFile ? chooser.pfnChooseFile(dialog) : dialog.DoModal() == IDOK;
    };
    if (m_pFileDialog) {
        if (run(*m_pFileDialog))
            TakeResult(m_pFileDialog->GetPathName());
        return;
    }
    // The structure keeps its full size: the dialog writes every field it has.
    CFileDialog dialog(m_bOpenFileDialog, m_strDefExt, m_strFileName, m_dwFlags, m_strFilter, m_pParentWnd);
    if (run(dialog))
        TakeResult(dialog.GetPathName());
}

void CXTBrowseEdit::PopupMenu()
{
    if (!m_btnBrowse.GetSafeHwnd())
        return;
    m_btnBrowse.SetState(TRUE);
    CMenu menu;
    if (menu.LoadMenu(m_nMenu)) {
        HMENU popup = ::GetSubMenu(menu.GetSafeHmenu(), m_nSubMenu);
        if (popup) {
            CRect rc;
            m_btnBrowse.GetWindowRect(&rc);
            CWnd* owner = GetTopLevelOwner();
            ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, rc.left, rc.bottom, 0,
                             owner ? owner->GetSafeHwnd() : m_hWnd, nullptr);
        }
    }
    m_btnBrowse.SetState(FALSE);
}

BOOL CXTBrowseEdit::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_ENABLE:
        if (m_btnBrowse.GetSafeHwnd())
            m_btnBrowse.EnableWindow((BOOL)wParam);
        break;
    case WM_SHOWWINDOW:
        if (m_btnBrowse.GetSafeHwnd())
            m_btnBrowse.ShowWindow(wParam ? SW_SHOW : SW_HIDE);
        break;
    case WM_WINDOWPOSCHANGED:
        *pResult = Default();
        PositionBrowseButton(FALSE);
        return TRUE;
    }
    return CXTEdit::OnWndMsg(message, wParam, lParam, pResult);
}
