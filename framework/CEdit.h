// Edit controls: selection, lines, limits, the clipboard and undo.
#pragma once

#include "CWnd.h"

class CEdit : public CWnd {
    DECLARE_DYNCREATE(CEdit)

public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void GetSel(int& nStartChar, int& nEndChar) const;
    DWORD GetSel() const;
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void ReplaceSel(const char* lpszNewText, BOOL bCanUndo = FALSE);
    void SetLimitText(UINT nMax);
    UINT GetLimitText() const;

    int GetLineCount() const;
    // Line nIndex into rString; 0 (and empty) for a line that does not exist.
    int GetLine(int nIndex, CString& rString) const;
    int LineIndex(int nLine = -1) const;
    int LineLength(int nLine = -1) const;
    int LineFromChar(int nIndex = -1) const;
    void LineScroll(int nLines, int nChars = 0);
    int GetFirstVisibleLine() const;

    BOOL CanUndo() const;
    BOOL Undo();
    void EmptyUndoBuffer();
    void Cut();
    void Copy();
    void Paste();
    void Clear();
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    void SetMargins(UINT nLeft, UINT nRight);
    void GetRect(LPRECT lpRect) const;
    void SetRect(LPCRECT lpRect);
    void SetPasswordChar(char ch);
};
