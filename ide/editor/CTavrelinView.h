// CTavrelinView: the script editor view: lexer and styles, folding, brace highlighting,
// automatic indentation, status panes and the script commands; call tips, member lists
// and go to declaration.
#pragma once

#include "CScintillaView.h"
#include "CString.h"
#include "DeclarationContext.h"
#include "EditorSettingsTarget.h"
#include "ResourceIds.h"

class CCmdUI;
class CXTPPropExchange;

// One level of nested call tips.
struct CallTipEntry {
    CString name;       // the function before the "("
    int nameStart = 0;  // column of its first character in its line
    CString tip;        // the text on screen
    int tipPosition = 0;
};

class CTavrelinView;

// The last jump of "Go to Declaration", shared by all script views.
struct JumpBackRecord {
    BOOL available = FALSE;
    BOOL local = FALSE;  // within the view it started in
    int line = 0;
    int position = 0;
    CString path;  // of the document the jump started in
    CTavrelinView* view = nullptr;  // compared only: it may be gone
};
extern JumpBackRecord g_jumpBack;

class CTavrelinView : public CScintillaView, public EditorSettingsTarget {
    DECLARE_DYNCREATE(CTavrelinView)

public:
    CTavrelinView();

    LRESULT Sci(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return m_edit.SendMessage(message, wParam, lParam);
    }

    void OnInitialUpdate() override;
    void ApplyStyle(int lexerStyle) override;
    void ApplyRecord(int record) override;
    void ApplySettings() override;
    void DefineMarker(int marker, int symbol, COLORREF fore, COLORREF back);
    // Lexer and keyword lists by the path's extension.
    void SetupLexer(const char* path);
    void ToggleWrap();
    // Centres the zero-based line and marks it with marker 0.
    void GoToLine(int line);
    BOOL IsWrapped() const { return m_wrap; }

    // The record a lexer style is drawn with: 0 for styles without one of their own.
    static int RecordOfStyle(int lexerStyle);
    // The record a style's look comes from, derived styles (braces, call tips) included.
    static int SourceRecordOfStyle(int style);

    // Automatic indentation after a typed character.
    void AutomaticIndentation(char ch);

    void OnCharAdded(SCNotification* notification) override;
    void OnSavePointReached(SCNotification* notification) override;
    void OnSavePointLeft(SCNotification* notification) override;
    void OnUpdateUI(SCNotification* notification) override;
    void OnDwellStart(SCNotification* notification) override;
    void OnDwellEnd(SCNotification* notification) override;

    void OnToggleOvertype();
    void OnUpdateOvertype(CCmdUI* pCmdUI);
    void OnUpdateLinePane(CCmdUI* pCmdUI);
    void OnUpdateStylePane(CCmdUI* pCmdUI);
    void OnUpdateFoldPane(CCmdUI* pCmdUI);
    void OnWrapLines();
    void OnUpdateWrapLines(CCmdUI* pCmdUI);
    void OnGotoLine();
    void OnScriptEditOptions();
    void OnSetStyle();
    void OnUpdateSetStyle(CCmdUI* pCmdUI);
    void OnUpdateAlways(CCmdUI* pCmdUI);
    // Scroll position, caret and selection through the project file's exchange: stored, or
    // read and applied.
    void ExchangeViewState(CXTPPropExchange* px);
    struct ViewState {
        long firstVisibleLine = 0, firstVisiblePos = 0, currentPosition = 0, selectionStart = 0, selectionEnd = 0;
    };
    // The five values alone, for a section whose document is not open.
    static void ExchangeViewStateValues(CXTPPropExchange* px, ViewState& state);
    // The source-list entry that names this document's file itself; empty when none does.
    CString FindTestEntry();
    void OnTestScript();
    void OnUpdateTestScript(CCmdUI* pCmdUI);
    // The find box's drop-down list keeps the searches: the text goes to the top (an entry of
    // exactly that text leaves its old place), and the list keeps at most 16 entries.
    static void KeepFindHistory(HWND list, const char* text);
    // The context menu at a screen point ((-1, -1): at the caret); the chosen command runs here.
    void OnContextMenu(CWnd* pWnd, CPoint point);
    LRESULT OnFileWatchNotify(WPARAM wParam, LPARAM lParam);
    // Find and replace in files: the dialog of mode 2 or 3; enabled while a solution has a
    // project and no find or replace worker runs.
    void OnFindInFiles();
    void OnReplaceInFiles();
    void OnUpdateInFiles(CCmdUI* pCmdUI);
    // Enter in the toolbar's find box: its text is kept at the top of the box's list.
    void OnFindBoxExecute(NMHDR* notify, LRESULT* result);

    // Language aids.
    void OnListMembers();
    void OnTypeInfo();
    void OnParameterInfo();
    void OnGoToDeclaration();
    void OnReturnBack();
    void OnUpdateListMembers(CCmdUI* pCmdUI);
    void OnUpdateNameAtCaret(CCmdUI* pCmdUI);
    void OnUpdateParameterInfo(CCmdUI* pCmdUI);
    void OnUpdateReturnBack(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

protected:
    struct IndentRule {
        int style;
        CString words;
    };
    enum IndentState { kNone = 0, kBlockStart = 1, kBlockEnd = 2, kKeywordStart = 3 };

    void HighlightBraces();
    int GetLinePartsInStyle(int line, int style, CString* parts, int max);
    static bool IncludesWord(const IndentRule& rule, const CString& text);
    IndentState GetIndentState(int line);
    int IndentOfBlock(int line);
    void SetLineIndentation(int line, int indent);
    bool RangeIsAllWhitespace(int start, int end);

    BOOL StartCallTip(BOOL typed);
    BOOL ShowCallTip(int position);
    void ContinueCallTip();
    // Resolves name against the text from line upwards (see LocalDeclaration.h).
    int FindLocalDeclaration(CString& name, DeclarationContext& context, int line, int* declarationLine = nullptr);
    void StartAutoComplete();
    void ShowTypeInfo(int position, BOOL dwell);
    // The identifier that ends at the position, or empty.
    CString IdentifierEndingAt(int position);
    // The script view of a document opened by path; null when it cannot be opened.
    CTavrelinView* OpenScriptView(const CString& path, const CString& shownName);

    BOOL m_typeInfoShown = FALSE;
    BOOL m_dwellTipShown = FALSE;
    BOOL m_callTipShown = FALSE;
    CallTipEntry m_callTips[4];
    int m_callTipDepth = 0;
    CallTipEntry* m_currentCallTip = &m_callTips[0];
    IndentRule m_statementIndent;
    IndentRule m_blockStart;
    IndentRule m_blockEnd;
    BOOL m_wrap = FALSE;
};
