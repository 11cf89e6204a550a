// CScintillaCtrl: the window of one editing component, driven by its messages.
#pragma once

#include <windows.h>

#include <Scintilla.h>

#include "CString.h"
#include "CWnd.h"

// Every operation sends its message with the caller's arguments, either through the window
// (bDirect FALSE) or straight to the component's instance (bDirect TRUE, the fast path used
// while typing and styling), and hands back the component's answer unchanged.
class CScintillaCtrl : public CWnd {
    DECLARE_DYNAMIC(CScintillaCtrl)

public:
    CScintillaCtrl() = default;
    ~CScintillaCtrl() override;

    // A "scintilla" window (the class is registered once by the application); on success the
    // direct entry of the new instance is fetched.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    LRESULT GetDirectFunction() const { return SendMessage(SCI_GETDIRECTFUNCTION); }
    LRESULT GetDirectPointer() const { return SendMessage(SCI_GETDIRECTPOINTER); }

    // The selection as text, as long as the component says it is: a rectangular selection
    // carries line ends that its two ends do not count.
    CString GetSelText();

    LRESULT AddText(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_ADDTEXT, wParam, lParam, bDirect); }
    LRESULT ClearAll(BOOL bDirect = TRUE) { return Call(SCI_CLEARALL, 0, 0, bDirect); }
    LRESULT GetLength(BOOL bDirect = TRUE) { return Call(SCI_GETLENGTH, 0, 0, bDirect); }
    LRESULT GetCharAt(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_GETCHARAT, wParam, 0, bDirect); }
    LRESULT GetStyleAt(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_GETSTYLEAT, wParam, 0, bDirect); }
    LRESULT GetCurLine(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_GETCURLINE, wParam, lParam, bDirect); }
    LRESULT GetLine(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_GETLINE, wParam, lParam, bDirect); }
    LRESULT GetTextRange(LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_GETTEXTRANGE, 0, lParam, bDirect); }
    LRESULT ReplaceSel(LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_REPLACESEL, 0, lParam, bDirect); }
    LRESULT Clear(BOOL bDirect = TRUE) { return Call(SCI_CLEAR, 0, 0, bDirect); }
    LRESULT SetText(LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_SETTEXT, 0, lParam, bDirect); }
    LRESULT GetTextLength(BOOL bDirect = TRUE) { return Call(SCI_GETTEXTLENGTH, 0, 0, bDirect); }
    LRESULT SetCodePage(WPARAM codePage, BOOL bDirect = TRUE) { return Call(SCI_SETCODEPAGE, codePage, 0, bDirect); }
    LRESULT GetCurrentPos(BOOL bDirect = TRUE) { return Call(SCI_GETCURRENTPOS, 0, 0, bDirect); }
    LRESULT SelectAll(BOOL bDirect = TRUE) { return Call(SCI_SELECTALL, 0, 0, bDirect); }
    LRESULT GotoLine(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_GOTOLINE, wParam, 0, bDirect); }
    LRESULT GotoPos(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_GOTOPOS, wParam, 0, bDirect); }
    LRESULT GetColumn(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_GETCOLUMN, wParam, 0, bDirect); }
    LRESULT SetCurrentPos(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETCURRENTPOS, wParam, 0, bDirect); }
    LRESULT SetSelectionStart(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETSELECTIONSTART, wParam, 0, bDirect); }
    LRESULT GetSelectionStart(BOOL bDirect = TRUE) { return Call(SCI_GETSELECTIONSTART, 0, 0, bDirect); }
    LRESULT SetSelectionEnd(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETSELECTIONEND, wParam, 0, bDirect); }
    LRESULT GetSelectionEnd(BOOL bDirect = TRUE) { return Call(SCI_GETSELECTIONEND, 0, 0, bDirect); }
    LRESULT GetLineCount(BOOL bDirect = TRUE) { return Call(SCI_GETLINECOUNT, 0, 0, bDirect); }
    LRESULT SetSel(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_SETSEL, wParam, lParam, bDirect); }
    LRESULT GetSelText(LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_GETSELTEXT, 0, lParam, bDirect); }
    LRESULT HideSelection(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_HIDESELECTION, wParam, 0, bDirect); }
    LRESULT PointXFromPosition(LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_POINTXFROMPOSITION, 0, lParam, bDirect); }
    LRESULT PointYFromPosition(LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_POINTYFROMPOSITION, 0, lParam, bDirect); }
    LRESULT LineFromPosition(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_LINEFROMPOSITION, wParam, 0, bDirect); }
    LRESULT PositionFromLine(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_POSITIONFROMLINE, wParam, 0, bDirect); }
    LRESULT WordStartPosition(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_WORDSTARTPOSITION, wParam, lParam, bDirect); }
    LRESULT WordEndPosition(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_WORDENDPOSITION, wParam, lParam, bDirect); }
    LRESULT PositionBefore(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_POSITIONBEFORE, wParam, 0, bDirect); }
    LRESULT PositionAfter(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_POSITIONAFTER, wParam, 0, bDirect); }
    LRESULT Redo(BOOL bDirect = TRUE) { return Call(SCI_REDO, 0, 0, bDirect); }
    LRESULT SetUndoCollection(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETUNDOCOLLECTION, wParam, 0, bDirect); }
    LRESULT SetSavePoint(BOOL bDirect = TRUE) { return Call(SCI_SETSAVEPOINT, 0, 0, bDirect); }
    LRESULT CanRedo(BOOL bDirect = TRUE) { return Call(SCI_CANREDO, 0, 0, bDirect); }
    LRESULT GetModify(BOOL bDirect = TRUE) { return Call(SCI_GETMODIFY, 0, 0, bDirect); }
    LRESULT SetReadOnly(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETREADONLY, wParam, 0, bDirect); }
    LRESULT CanPaste(BOOL bDirect = TRUE) { return Call(SCI_CANPASTE, 0, 0, bDirect); }
    LRESULT CanUndo(BOOL bDirect = TRUE) { return Call(SCI_CANUNDO, 0, 0, bDirect); }
    LRESULT EmptyUndoBuffer(BOOL bDirect = TRUE) { return Call(SCI_EMPTYUNDOBUFFER, 0, 0, bDirect); }
    LRESULT Undo(BOOL bDirect = TRUE) { return Call(SCI_UNDO, 0, 0, bDirect); }
    LRESULT Cut(BOOL bDirect = TRUE) { return Call(SCI_CUT, 0, 0, bDirect); }
    LRESULT Copy(BOOL bDirect = TRUE) { return Call(SCI_COPY, 0, 0, bDirect); }
    LRESULT Paste(BOOL bDirect = TRUE) { return Call(SCI_PASTE, 0, 0, bDirect); }
    LRESULT SetOvertype(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETOVERTYPE, wParam, 0, bDirect); }
    LRESULT GetOvertype(BOOL bDirect = TRUE) { return Call(SCI_GETOVERTYPE, 0, 0, bDirect); }
    LRESULT Cancel(BOOL bDirect = TRUE) { return Call(SCI_CANCEL, 0, 0, bDirect); }
    LRESULT StyleClearAll(BOOL bDirect = TRUE) { return Call(SCI_STYLECLEARALL, 0, 0, bDirect); }
    LRESULT StyleSetFore(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_STYLESETFORE, wParam, lParam, bDirect); }
    LRESULT StyleSetBack(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_STYLESETBACK, wParam, lParam, bDirect); }
    LRESULT StyleSetBold(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_STYLESETBOLD, wParam, lParam, bDirect); }
    LRESULT StyleSetItalic(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_STYLESETITALIC, wParam, lParam, bDirect); }
    LRESULT StyleSetSize(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_STYLESETSIZE, wParam, lParam, bDirect); }
    LRESULT StyleSetFont(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_STYLESETFONT, wParam, lParam, bDirect); }
    LRESULT StyleSetUnderline(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_STYLESETUNDERLINE, wParam, lParam, bDirect); }
    LRESULT StyleSetCase(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_STYLESETCASE, wParam, lParam, bDirect); }
    LRESULT StyleSetCharacterSet(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_STYLESETCHARACTERSET, wParam, lParam, bDirect); }
    LRESULT TextWidth(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_TEXTWIDTH, wParam, lParam, bDirect); }
    // Lexers are objects of the lexer library now (CreateLexer), set by pointer.
    LRESULT SetILexer(LPARAM lexer, BOOL bDirect = TRUE) { return Call(SCI_SETILEXER, 0, lexer, bDirect); }
    LRESULT GetLexer(BOOL bDirect = TRUE) { return Call(SCI_GETLEXER, 0, 0, bDirect); }
    LRESULT SetProperty(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_SETPROPERTY, wParam, lParam, bDirect); }
    LRESULT SetKeyWords(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_SETKEYWORDS, wParam, lParam, bDirect); }
    LRESULT MarkerDefine(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_MARKERDEFINE, wParam, lParam, bDirect); }
    LRESULT MarkerSetFore(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_MARKERSETFORE, wParam, lParam, bDirect); }
    LRESULT MarkerSetBack(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_MARKERSETBACK, wParam, lParam, bDirect); }
    LRESULT MarkerAdd(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_MARKERADD, wParam, lParam, bDirect); }
    LRESULT MarkerDeleteAll(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_MARKERDELETEALL, wParam, 0, bDirect); }
    LRESULT SetMarginWidthN(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_SETMARGINWIDTHN, wParam, lParam, bDirect); }
    LRESULT SetMarginMaskN(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_SETMARGINMASKN, wParam, lParam, bDirect); }
    LRESULT SetMarginSensitiveN(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_SETMARGINSENSITIVEN, wParam, lParam, bDirect); }
    LRESULT SetTabWidth(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETTABWIDTH, wParam, 0, bDirect); }
    LRESULT SetIndent(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETINDENT, wParam, 0, bDirect); }
    LRESULT GetIndent(BOOL bDirect = TRUE) { return Call(SCI_GETINDENT, 0, 0, bDirect); }
    LRESULT SetLineIndentation(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_SETLINEINDENTATION, wParam, lParam, bDirect); }
    LRESULT GetLineIndentation(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_GETLINEINDENTATION, wParam, 0, bDirect); }
    LRESULT GetLineIndentPosition(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_GETLINEINDENTPOSITION, wParam, 0, bDirect); }
    LRESULT SetIndentationGuides(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETINDENTATIONGUIDES, wParam, 0, bDirect); }
    LRESULT SetHighlightGuide(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETHIGHLIGHTGUIDE, wParam, 0, bDirect); }
    LRESULT GetFoldLevel(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_GETFOLDLEVEL, wParam, 0, bDirect); }
    LRESULT GetLineVisible(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_GETLINEVISIBLE, wParam, 0, bDirect); }
    LRESULT ToggleFold(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_TOGGLEFOLD, wParam, 0, bDirect); }
    LRESULT SetFoldFlags(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETFOLDFLAGS, wParam, 0, bDirect); }
    LRESULT EnsureVisibleEnforcePolicy(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_ENSUREVISIBLEENFORCEPOLICY, wParam, 0, bDirect); }
    LRESULT SetHScrollBar(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETHSCROLLBAR, wParam, 0, bDirect); }
    LRESULT GetFirstVisibleLine(BOOL bDirect = TRUE) { return Call(SCI_GETFIRSTVISIBLELINE, 0, 0, bDirect); }
    LRESULT LineScroll(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_LINESCROLL, wParam, lParam, bDirect); }
    LRESULT SetMouseDwellTime(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETMOUSEDWELLTIME, wParam, 0, bDirect); }
    LRESULT SetWrapMode(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETWRAPMODE, wParam, 0, bDirect); }
    LRESULT UsePopUp(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_USEPOPUP, wParam, 0, bDirect); }
    LRESULT SetVisiblePolicy(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_SETVISIBLEPOLICY, wParam, lParam, bDirect); }
    LRESULT SetXOffset(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETXOFFSET, wParam, 0, bDirect); }
    LRESULT GetXOffset(BOOL bDirect = TRUE) { return Call(SCI_GETXOFFSET, 0, 0, bDirect); }
    LRESULT SetYCaretPolicy(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_SETYCARETPOLICY, wParam, lParam, bDirect); }
    LRESULT SetWrapVisualFlags(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETWRAPVISUALFLAGS, wParam, 0, bDirect); }
    LRESULT SetWrapVisualFlagsLocation(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETWRAPVISUALFLAGSLOCATION, wParam, 0, bDirect); }
    LRESULT BraceHighlight(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_BRACEHIGHLIGHT, wParam, lParam, bDirect); }
    LRESULT BraceBadLight(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_BRACEBADLIGHT, wParam, 0, bDirect); }
    LRESULT BraceMatch(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_BRACEMATCH, wParam, 0, bDirect); }
    LRESULT FindText(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_FINDTEXT, wParam, lParam, bDirect); }
    LRESULT GetTargetStart(BOOL bDirect = TRUE) { return Call(SCI_GETTARGETSTART, 0, 0, bDirect); }
    LRESULT GetTargetEnd(BOOL bDirect = TRUE) { return Call(SCI_GETTARGETEND, 0, 0, bDirect); }
    LRESULT SearchInTarget(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_SEARCHINTARGET, wParam, lParam, bDirect); }
    LRESULT SetSearchFlags(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_SETSEARCHFLAGS, wParam, 0, bDirect); }
    LRESULT TargetFromSelection(BOOL bDirect = TRUE) { return Call(SCI_TARGETFROMSELECTION, 0, 0, bDirect); }
    LRESULT AutoCShow(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_AUTOCSHOW, wParam, lParam, bDirect); }
    LRESULT AutoCCancel(BOOL bDirect = TRUE) { return Call(SCI_AUTOCCANCEL, 0, 0, bDirect); }
    LRESULT AutoCActive(BOOL bDirect = TRUE) { return Call(SCI_AUTOCACTIVE, 0, 0, bDirect); }
    LRESULT AutoCSetSeparator(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_AUTOCSETSEPARATOR, wParam, 0, bDirect); }
    LRESULT AutoCSetCancelAtStart(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_AUTOCSETCANCELATSTART, wParam, 0, bDirect); }
    LRESULT AutoCSetIgnoreCase(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_AUTOCSETIGNORECASE, wParam, 0, bDirect); }
    LRESULT AutoCSetAutoHide(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_AUTOCSETAUTOHIDE, wParam, 0, bDirect); }
    LRESULT AutoCSetMaxHeight(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_AUTOCSETMAXHEIGHT, wParam, 0, bDirect); }
    LRESULT AutoCSetDropRestOfWord(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_AUTOCSETDROPRESTOFWORD, wParam, 0, bDirect); }
    LRESULT RegisterImage(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_REGISTERIMAGE, wParam, lParam, bDirect); }
    LRESULT CallTipShow(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_CALLTIPSHOW, wParam, lParam, bDirect); }
    LRESULT CallTipCancel(BOOL bDirect = TRUE) { return Call(SCI_CALLTIPCANCEL, 0, 0, bDirect); }
    LRESULT CallTipActive(BOOL bDirect = TRUE) { return Call(SCI_CALLTIPACTIVE, 0, 0, bDirect); }
    LRESULT CallTipSetHlt(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_CALLTIPSETHLT, wParam, lParam, bDirect); }
    LRESULT CallTipSetForeHlt(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_CALLTIPSETFOREHLT, wParam, 0, bDirect); }
    LRESULT CallTipUseStyle(WPARAM wParam, BOOL bDirect = TRUE) { return Call(SCI_CALLTIPUSESTYLE, wParam, 0, bDirect); }
    LRESULT FormatRange(WPARAM wParam, LPARAM lParam, BOOL bDirect = TRUE) { return Call(SCI_FORMATRANGE, wParam, lParam, bDirect); }

private:
    LRESULT Call(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDirect)
    {
        return bDirect ? m_directFunction(m_directPointer, message, wParam, lParam)
                       : SendMessage(message, wParam, lParam);
    }

    SciFnDirect m_directFunction = nullptr;
    sptr_t m_directPointer = 0;
};
