// Edit controls: creation and the edit messages.
#include "CEdit.h"

IMPLEMENT_DYNCREATE(CEdit, CWnd)

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

DWORD CEdit::GetSel() const
{
    return static_cast<DWORD>(SendMessage(EM_GETSEL));
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET);
}

void CEdit::ReplaceSel(const char* lpszNewText, BOOL bCanUndo)
{
    SendMessage(EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText ? lpszNewText : ""));
}

void CEdit::SetLimitText(UINT nMax)
{
    SendMessage(EM_SETLIMITTEXT, nMax);
}

UINT CEdit::GetLimitText() const
{
    return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT));
}

int CEdit::GetLineCount() const
{
    return static_cast<int>(SendMessage(EM_GETLINECOUNT));
}

int CEdit::GetLine(int nIndex, CString& rString) const
{
    rString.Empty();
    if (nIndex < 0 || nIndex >= GetLineCount())
        return 0;
    const int length = LineLength(LineIndex(nIndex));
    if (length <= 0)
        return 0;
    // EM_GETLINE takes the buffer size in its first word and writes no terminator.
    char* buffer = rString.GetBuffer(length < 2 ? 2 : length);
    *reinterpret_cast<WORD*>(buffer) = static_cast<WORD>(length < 0xFFFF ? length : 0xFFFF);
    const int copied = static_cast<int>(SendMessage(EM_GETLINE, nIndex, reinterpret_cast<LPARAM>(buffer)));
    rString.ReleaseBuffer(copied);
    return copied;
}

int CEdit::LineIndex(int nLine) const
{
    return static_cast<int>(SendMessage(EM_LINEINDEX, nLine));
}

int CEdit::LineLength(int nLine) const
{
    return static_cast<int>(SendMessage(EM_LINELENGTH, nLine));
}

int CEdit::LineFromChar(int nIndex) const
{
    return static_cast<int>(SendMessage(EM_LINEFROMCHAR, nIndex));
}

void CEdit::LineScroll(int nLines, int nChars)
{
    SendMessage(EM_LINESCROLL, nChars, nLines);
}

int CEdit::GetFirstVisibleLine() const
{
    return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE));
}

BOOL CEdit::CanUndo() const
{
    return static_cast<BOOL>(SendMessage(EM_CANUNDO));
}

BOOL CEdit::Undo()
{
    return static_cast<BOOL>(SendMessage(EM_UNDO));
}

void CEdit::EmptyUndoBuffer()
{
    SendMessage(EM_EMPTYUNDOBUFFER);
}

void CEdit::Cut()
{
    SendMessage(WM_CUT);
}

void CEdit::Copy()
{
    SendMessage(WM_COPY);
}

void CEdit::Paste()
{
    SendMessage(WM_PASTE);
}

void CEdit::Clear()
{
    SendMessage(WM_CLEAR);
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    return static_cast<BOOL>(SendMessage(EM_SETREADONLY, bReadOnly));
}

BOOL CEdit::GetModify() const
{
    return static_cast<BOOL>(SendMessage(EM_GETMODIFY));
}

void CEdit::SetModify(BOOL bModified)
{
    SendMessage(EM_SETMODIFY, bModified);
}

void CEdit::SetMargins(UINT nLeft, UINT nRight)
{
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight));
}

void CEdit::GetRect(LPRECT lpRect) const
{
    SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(lpRect));
}

void CEdit::SetRect(LPCRECT lpRect)
{
    SendMessage(EM_SETRECT, 0, reinterpret_cast<LPARAM>(lpRect));
}

void CEdit::SetPasswordChar(char ch)
{
    SendMessage(EM_SETPASSWORDCHAR, static_cast<unsigned char>(ch));
}
