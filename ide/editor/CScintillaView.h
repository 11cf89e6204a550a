// CScintillaView: the editor view whose client area is one editing control.
#pragma once

#include "CArray.h"
#include "CRect.h"
#include "CScintillaCtrl.h"
#include "CString.h"
#include "CView.h"
#include "ResourceIds.h"

class CCmdUI;
class CScintillaFindReplaceDlg;
struct SCNotification;

class CScintillaView : public CView {
    DECLARE_DYNCREATE(CScintillaView)

public:
    enum { kEditId = IDC_SCRIPT_EDIT };

    CScintillaView();

    CScintillaCtrl& GetCtrl() { return m_edit; }

    // The lexer table's number for a file extension (without its dot, any case); 1 when no row
    // lists it.
    static int LexerForExtension(const char* extension);
    // Gives the control the lexer of the extension. A lexer object is made only when the number
    // changes (an unchanged one keeps its properties and keyword lists); numbers the lexer library
    // has no lexer for get none. TRUE when a new lexer was set.
    BOOL SetLexerForExtension(const char* extension);
    int GetLexerNumber() const { return m_lexer; }

    // The text through the document's archive: stored byte for byte, loaded in pieces of at
    // most kLoadPieceSize bytes (a usual script in one).
    void Serialize(CArchive& ar) override;
    static constexpr size_t kLoadPieceSize = 16u << 20;

    // Queries of the script view.
    CString GetLineText(int line);  // negative: the caret's line
    int GetCaretColumnOffset();
    int GetCaretLine();
    CString GetWordAt(int position);
    void GetSelectionRange(Sci_CharacterRange& range);
    static LRESULT FindHistoryString(HWND list, int start, const char* text);
    static LRESULT InsertHistoryString(HWND list, int index, const char* text);

    virtual BOOL PaginateTo(CDC* pDC, CPrintInfo* pInfo);
    virtual int PrintPage(CDC* pDC, CPrintInfo* pInfo, int start, int end);
    virtual void PrintHeader(CDC* pDC, CPrintInfo* pInfo, Sci_RangeToFormat& range);
    virtual void PrintFooter(CDC* pDC, CPrintInfo* pInfo, Sci_RangeToFormat& range);
    virtual BOOL FindNextSilently();
    virtual void OnFindNext(const char* find, BOOL down, BOOL matchCase, BOOL wholeWord, BOOL regExp);
    virtual void TextNotFound(const char* find, BOOL down, BOOL matchCase, BOOL wholeWord, BOOL regExp,
                              BOOL replaced);
    virtual BOOL FindText(const char* find, BOOL down, BOOL matchCase, BOOL wholeWord, BOOL regExp);
    virtual void OnEditFindReplace(int mode);
    virtual BOOL FindTextSimple(const char* find, BOOL down, BOOL matchCase, BOOL wholeWord, BOOL regExp);
    virtual void OnReplaceSel(const char* find, BOOL down, BOOL matchCase, BOOL wholeWord, BOOL regExp,
                              const char* replace);
    virtual void OnReplaceAll(const char* find, const char* replace, BOOL matchCase, BOOL wholeWord, BOOL regExp);
    virtual BOOL SameAsSelected(const char* find, BOOL matchCase, BOOL wholeWord, BOOL regExp);
    virtual LRESULT FindAndSelect(int flags, Sci_TextToFind& find);
    virtual void AdjustFindDialogPosition();
    virtual CScintillaFindReplaceDlg* CreateFindReplaceDialog();
    virtual void ClearContents();
    virtual int GetLineNumberDigits();
    virtual int GetLineNumberMarginWidth();
    virtual void ShowLineNumbers(BOOL show);
    virtual void ShowSelectionMargin(BOOL show);
    virtual void ShowFoldMargin(BOOL show);

    // Notifications of the control, for the script view to take up.
    virtual void OnStyleNeeded(SCNotification*) {}
    virtual void OnCharAdded(SCNotification*) {}
    virtual void OnSavePointReached(SCNotification*) {}
    virtual void OnSavePointLeft(SCNotification*) {}
    virtual void OnModifyAttemptRO(SCNotification*) {}
    virtual void OnDoubleClick(SCNotification*) {}
    virtual void OnUpdateUI(SCNotification*) {}
    virtual void OnModified(SCNotification*) {}
    virtual void OnMacroRecord(SCNotification*) {}
    virtual void OnMarginClick(SCNotification* notification);
    virtual void OnNeedShown(SCNotification*) {}
    virtual void OnPainted(SCNotification*) {}
    virtual void OnUserListSelection(SCNotification*) {}
    virtual void OnDwellStart(SCNotification*) {}
    virtual void OnDwellEnd(SCNotification*) {}
    virtual void OnZoom(SCNotification*) {}
    virtual void OnHotSpotClick(SCNotification*) {}
    virtual void OnHotSpotDoubleClick(SCNotification*) {}
    virtual void OnCallTipClick(SCNotification*) {}
    virtual void OnAutoCSelection(SCNotification*) {}
    virtual void OnChange() {}
    virtual void OnSetFocusNotify() {}
    virtual void OnKillFocusNotify() {}

    void OnDraw(CDC*) override {}
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Scripts are text in the system's code page: a typed letter becomes its byte there.
    void UseSystemCodePage();

    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnDestroy();
    void OnPaint();
    LRESULT OnFindReplaceCmd(WPARAM wParam, LPARAM lParam);

    void OnEditClear();
    void OnEditCopy();
    void OnEditCut();
    void OnEditFind() { OnEditFindReplace(1); }
    void OnEditReplace() { OnEditFindReplace(0); }
    void OnEditPaste();
    void OnEditRepeat();
    void OnEditSelectAll();
    void OnEditUndo();
    void OnEditRedo();
    void OnFilePageSetup();
    void OnUpdateNeedText(CCmdUI* pCmdUI);
    void OnUpdateNeedSel(CCmdUI* pCmdUI);
    void OnUpdateEditClear(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdateEditRepeat(CCmdUI* pCmdUI);
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnUpdateEditRedo(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

    CScintillaCtrl m_edit;
    CArray<int, int> m_aPageStart;
    CRect m_rMargin;  // thousandths of inches, or hundredths of millimetres when metric
    BOOL m_bPrintHeader = TRUE;
    BOOL m_bPrintFooter = TRUE;
    BOOL m_bUsingMetric = FALSE;

protected:
    int m_lexer = 0;  // the table number the control's lexer was made for; 0 before the first
    BOOL m_bPrintingSelection = FALSE;
};
