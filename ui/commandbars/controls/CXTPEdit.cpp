// The command-bar edit window: creation, the clipboard commands and their context menu.
#include "CXTPEdit.h"

#include "AfxIds.h"
#include "CCmdUI.h"
#include "CDC.h"
#include "CXTPBufferDC.h"
#include "CXTPCommandBars.h"
#include "CXTPControls.h"
#include "CXTPPopupBar.h"
#include "CXTPResourceManager.h"

IMPLEMENT_DYNCREATE(CXTPEdit, CEdit)

BEGIN_MESSAGE_MAP(CXTPEdit, CEdit)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdatePaste)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
END_MESSAGE_MAP()

namespace {

BOOL g_bRichEditMode = FALSE;

BOOL LoadRichEdit()
{
    static HMODULE hModule = ::LoadLibraryA("riched32.dll");
    return hModule != nullptr;
}

}  // namespace

void CXTPEdit::SetRichEditMode(BOOL bRichEdit)
{
    g_bRichEditMode = bRichEdit;
}

BOOL CXTPEdit::IsRichEditMode()
{
    return g_bRichEditMode;
}

BOOL CXTPEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_bRichEdit = g_bRichEditMode && LoadRichEdit();
    return CWnd::Create(m_bRichEdit ? "RICHEDIT" : "EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CXTPEdit::PlaceField(CWnd* pBar, const CRect& rcField, HFONT hFont, const CString& strText, BOOL bEnabled,
                          BOOL bShow)
{
    if (!m_hWnd) {
        if (!Create(WS_CHILD | ES_AUTOHSCROLL, CRect(0, 0, 0, 0), pBar, 0))
            return FALSE;
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont));
        if (!strText.IsEmpty())
            SetWindowText(strText);
        if (!bEnabled)
            EnableWindow(FALSE);
    }
    SetParent(pBar);
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    MoveWindow(rcField, TRUE);
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    return TRUE;
}

void CXTPEdit::PaintField(COLORREF clrBack)
{
    if (m_bRichEdit) {
        Default();
        return;
    }
    CPaintDC paintDC(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CXTPBufferDC dc(paintDC.GetSafeHdc(), rcClient);
    dc.FillSolidRect(rcClient, clrBack);
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
}

void CXTPEdit::OnUpdateCut(CCmdUI* pCmdUI)
{
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    pCmdUI->Enable(nStart != nEnd);
}

void CXTPEdit::OnUpdatePaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(::IsClipboardFormatAvailable(CF_TEXT));
}

BOOL CXTPEdit::ShowContextMenu(CPoint point)
{
    CString strCut;
    if (!XTPResourceManager()->LoadString(&strCut, ID_EDIT_CUT))
        return FALSE;
    const BOOL bFocused = ::GetFocus() == m_hWnd;
    if (!bFocused) {
        SetSel(0, -1);
        SendMessage(EM_SCROLLCARET);
    }
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(nullptr);
    for (UINT nID : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        pPopup->GetControls()->Add(xtpControlButton, static_cast<int>(nID));
    // The items ask this window whether they apply; the chosen one comes back as a number.
    const UINT nCommand = static_cast<UINT>(
        CXTPCommandBars::TrackPopupBar(pPopup, TPM_RETURNCMD | TPM_NONOTIFY, point.x, point.y, this, nullptr, this));
    pPopup->InternalRelease();
    if (nCommand != 0 && ::IsWindow(m_hWnd)) {
        if (bFocused || nCommand == ID_EDIT_PASTE)
            SetFocus();
        SendMessage(WM_COMMAND, nCommand, 0);
    }
    if (CWnd* pParent = ::IsWindow(m_hWnd) ? GetParent() : nullptr) {
        pParent->Invalidate(FALSE);
        pParent->UpdateWindow();
    }
    return TRUE;
}
