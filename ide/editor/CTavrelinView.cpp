// CTavrelinView: the script editor view.
#include "CTavrelinView.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

#include <Scintilla.h>

#include "AfxResource.h"
#include "CCmdUI.h"
#include "CEditSetup.h"
#include "CFrameWnd.h"
#include "CGotoLine.h"
#include "CMenu.h"
#include "CStyleText.h"
#include "CTavrelinDoc.h"
#include "CXTPPropExchange.h"
#include "EditorProjectHost.h"
#include "EditorSettings.h"
#include "FrameControls.h"
#include "IdeServices.h"
#include "ResourceIds.h"
#include "XTPCommandBarsTypes.h"

IMPLEMENT_DYNCREATE(CTavrelinView, CScintillaView)

namespace {

const UINT g_fileWatchMessage = ::RegisterWindowMessageA("FileWatchNotify");

constexpr int kScriptLexer = 35;
constexpr int kOperatorStyle = 10;
constexpr int kBraceStyle = 34;
constexpr int kBadBraceStyle = 35;
constexpr int kCallTipStyle = 38;

const char* const kScriptKeywords = "class const else float func if instance int prototype return string var void ";
const char* const kScriptGlobals = "hero item other self victim ";
const char* const kScriptClasses =
    "c_camsys c_fightai c_focus cfx_base c_gilvalues c_info c_item c_itemreact c_menu c_menu_item c_mission "
    "c_musicjingle c_musicsys_cfg c_musictheme c_npc c_particlefx c_particlefxemitkey c_sfx c_sndsys_cfg c_spell "
    "c_svm ";
const char* const kOtherKeywords =
    "and and_eq asm auto bitand bitor bool break case catch char class compl const const_cast continue default "
    "delete do double dynamic_cast else enum explicit export extern false float for friend goto if inline int long "
    "mutable namespace new not not_eq operator or or_eq private protected public register reinterpret_cast return "
    "short signed sizeof static static_cast struct switch template this throw true try typedef typeid typename union "
    "unsigned using virtual void volatile wchar_t while xor xor_eq ";

// The list images: class, instance, prototype, class member, variable or constant, script
// function, internal function. Each a small shape in its own colour.
struct ImageLook {
    const char* color;
    char shape;  // 's' square, 'd' diamond, 'c' circle
};
const ImageLook kImages[7] = {{"#C08000", 's'}, {"#0060C0", 'd'}, {"#8000C0", 's'}, {"#00A0A0", 'c'},
                              {"#008000", 'c'}, {"#C000C0", 'd'}, {"#C00000", 'd'}};

std::string ImageXpm(const ImageLook& look)
{
    std::string xpm = "/* XPM */static char *image[] = {\"16 16 3 1\",\"  c None\",\". c #000000\",\"x c ";
    xpm += look.color;
    xpm += "\",";
    for (int y = 0; y < 16; ++y) {
        xpm += '"';
        for (int x = 0; x < 16; ++x) {
            const int dx = 2 * x - 15, dy = 2 * y - 15;  // doubled distance from the centre
            int edge;
            switch (look.shape) {
            case 's': edge = std::max(std::abs(dx), std::abs(dy)); break;
            case 'd': edge = (std::abs(dx) + std::abs(dy)) * 3 / 4; break;
            default: edge = int(std::sqrt(double(dx * dx + dy * dy))); break;
            }
            xpm += edge > 13 ? ' ' : edge > 11 ? '.' : 'x';
        }
        xpm += y < 15 ? "\"," : "\"";
    }
    return xpm + "};";
}

bool IsBrace(int ch) { return ch && std::strchr("[](){}", ch); }

CString LoadText(UINT id)
{
    CString text;
    AfxLoadString(id, text);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTavrelinView, CScintillaView)
    ON_COMMAND(ID_TOGGLE_OVERTYPE, OnToggleOvertype)
    ON_UPDATE_COMMAND_UI(ID_TOGGLE_OVERTYPE, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_OVR, OnUpdateOvertype)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_LINE, OnUpdateLinePane)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_STYLE, OnUpdateStylePane)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_FOLD, OnUpdateFoldPane)
    ON_COMMAND(ID_WRAP_LINES, OnWrapLines)
    ON_UPDATE_COMMAND_UI(ID_WRAP_LINES, OnUpdateWrapLines)
    ON_COMMAND(ID_GOTO_LINE, OnGotoLine)
    ON_UPDATE_COMMAND_UI(ID_GOTO_LINE, OnUpdateAlways)
    ON_COMMAND(ID_SCRIPT_EDIT_OPTIONS, OnScriptEditOptions)
    ON_UPDATE_COMMAND_UI(ID_SCRIPT_EDIT_OPTIONS, OnUpdateAlways)
    ON_COMMAND(ID_SET_STYLE, OnSetStyle)
    ON_UPDATE_COMMAND_UI(ID_SET_STYLE, OnUpdateSetStyle)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_TEST_SCRIPT, OnTestScript)
    ON_UPDATE_COMMAND_UI(ID_TEST_SCRIPT, OnUpdateTestScript)
    ON_REGISTERED_MESSAGE(g_fileWatchMessage, OnFileWatchNotify)
    ON_COMMAND(ID_LIST_MEMBERS, OnListMembers)
    ON_UPDATE_COMMAND_UI(ID_LIST_MEMBERS, OnUpdateListMembers)
    ON_COMMAND(ID_TYPE_INFO, OnTypeInfo)
    ON_UPDATE_COMMAND_UI(ID_TYPE_INFO, OnUpdateNameAtCaret)
    ON_COMMAND(ID_PARAMETER_INFO, OnParameterInfo)
    ON_UPDATE_COMMAND_UI(ID_PARAMETER_INFO, OnUpdateParameterInfo)
    ON_COMMAND(ID_GOTO_DECLARATION, OnGoToDeclaration)
    ON_UPDATE_COMMAND_UI(ID_GOTO_DECLARATION, OnUpdateNameAtCaret)
    ON_COMMAND(ID_RETURN_BACK, OnReturnBack)
    ON_UPDATE_COMMAND_UI(ID_RETURN_BACK, OnUpdateReturnBack)
    ON_COMMAND(ID_FIND_IN_FILES, OnFindInFiles)
    ON_UPDATE_COMMAND_UI(ID_FIND_IN_FILES, OnUpdateInFiles)
    ON_COMMAND(ID_REPLACE_IN_FILES, OnReplaceInFiles)
    ON_UPDATE_COMMAND_UI(ID_REPLACE_IN_FILES, OnUpdateInFiles)
    ON_NOTIFY(CBN_XTP_EXECUTE, ID_FIND_COMBO, OnFindBoxExecute)
    ON_UPDATE_COMMAND_UI(ID_FIND_COMBO, OnUpdateAlways)
END_MESSAGE_MAP()

CTavrelinView::CTavrelinView()
{
    m_statementIndent = {5, "else if"};
    m_blockStart = {kOperatorStyle, "{"};
    m_blockEnd = {kOperatorStyle, "}"};
}

int CTavrelinView::RecordOfStyle(int lexerStyle)
{
    const int record = TextStyleRecordOf(lexerStyle);
    return record < 0 ? 0 : record;
}

// Set-up

void CTavrelinView::OnInitialUpdate()
{
    CScintillaView::OnInitialUpdate();
    SetupLexer(GetDocument() ? GetDocument()->GetPathName() : CString());

    ApplyStyle(STYLE_DEFAULT);
    Sci(SCI_STYLECLEARALL);
    for (int style = 0; style < kEditableLexerStyles; ++style)
        ApplyStyle(style);
    ApplyStyle(kCallTipStyle);

    Sci(SCI_CALLTIPSETFOREHLT, 0x0000C8);
    Sci(SCI_CALLTIPUSESTYLE, 0);
    ApplyStyle(kBraceStyle);
    ApplyStyle(kBadBraceStyle);

    Sci(SCI_SETMARGINMASKN, 2, SC_MASK_FOLDERS);
    Sci(SCI_SETMARGINSENSITIVEN, 2, 1);
    Sci(SCI_SETFOLDFLAGS, 16);
    Sci(SCI_SETPROPERTY, reinterpret_cast<WPARAM>("fold"), reinterpret_cast<LPARAM>("1"));

    DefineMarker(SC_MARKNUM_FOLDEROPEN, SC_MARK_MINUS, 0x000000, 0xFFFFFF);
    DefineMarker(SC_MARKNUM_FOLDER, SC_MARK_PLUS, 0x000000, 0xFFFFFF);
    DefineMarker(SC_MARKNUM_FOLDERSUB, SC_MARK_VLINE, 0xFFFFFF, 0x000000);
    DefineMarker(SC_MARKNUM_FOLDERTAIL, SC_MARK_LCORNERCURVE, 0xFFFFFF, 0x000000);
    DefineMarker(SC_MARKNUM_FOLDEREND, SC_MARK_PLUS, 0x000000, 0xFFFFFF);
    DefineMarker(SC_MARKNUM_FOLDEROPENMID, SC_MARK_MINUS, 0x000000, 0xFFFFFF);
    DefineMarker(SC_MARKNUM_FOLDERMIDTAIL, SC_MARK_TCORNERCURVE, 0xFFFFFF, 0x000000);

    Sci(SCI_SETVISIBLEPOLICY, 12, 0);
    DefineMarker(0, SC_MARK_SHORTARROW, 0x000000, 0x0000FF);

    ApplySettings();
    ShowSelectionMargin(g_editorOptions.selection);
    Sci(SCI_USEPOPUP, 0);

    for (int image = 0; image < 7; ++image)
        Sci(SCI_REGISTERIMAGE, WPARAM(image + 1), reinterpret_cast<LPARAM>(ImageXpm(kImages[image]).c_str()));

    Sci(SCI_AUTOCSETSEPARATOR, '\n');
    Sci(SCI_AUTOCSETAUTOHIDE, 0);
    Sci(SCI_AUTOCSETIGNORECASE, 1);
    Sci(SCI_AUTOCSETCANCELATSTART, 0);
    Sci(SCI_AUTOCSETDROPRESTOFWORD, 1);
    Sci(SCI_AUTOCSETMAXHEIGHT, 10);
    // The model's lists come in the order the control searches; a sort of its own would
    // take over a second for a large project's list of all names.
    Sci(SCI_AUTOCSETORDER, SC_ORDER_PRESORTED);

    Sci(SCI_SETWRAPVISUALFLAGS, SC_WRAPVISUALFLAG_END);
    Sci(SCI_SETWRAPVISUALFLAGSLOCATION, SC_WRAPVISUALFLAGLOC_END_BY_TEXT);
    m_wrap = !g_editorOptions.wrapLines;
    ToggleWrap();
}

void CTavrelinView::ApplyStyle(int lexerStyle)
{
    // Without an editor frame around (no shared records) the defaults are drawn.
    auto record = [](int index) { return g_pTextStyles ? g_pTextStyles[index] : DefaultTextStyle(index); };
    HWND edit = m_edit.m_hWnd;
    if (lexerStyle == kCallTipStyle) {
        TextStyle tip = record(0);
        std::snprintf(tip.fontName, sizeof tip.fontName, "%s", "Tahoma");
        tip.size = 8;
        tip.back = 0xE6FFFF;
        ApplyTextStyle(edit, lexerStyle, tip);
    } else if (lexerStyle == kBraceStyle || lexerStyle == kBadBraceStyle) {
        TextStyle brace = record(6);
        brace.bold = 1;
        brace.back = lexerStyle == kBraceStyle ? 0xFFFF00 : 0x00FFFF;
        ApplyTextStyle(edit, lexerStyle, brace);
    } else {
        ApplyTextStyle(edit, lexerStyle, record(RecordOfStyle(lexerStyle)));
    }
}

int CTavrelinView::SourceRecordOfStyle(int style)
{
    if (style == kBraceStyle || style == kBadBraceStyle)
        return 6;
    return style == kCallTipStyle ? 0 : RecordOfStyle(style);
}

void CTavrelinView::ApplyRecord(int record)
{
    // Records are shared: a changed comment record changes every kind of comment, and the
    // operator record the brace highlights too.
    for (int style = 0; style <= STYLE_LASTPREDEFINED; ++style)
        if (SourceRecordOfStyle(style) == record)
            ApplyStyle(style);
}

void CTavrelinView::ApplySettings()
{
    Sci(SCI_SETINDENTATIONGUIDES, WPARAM(g_editorOptions.indentGuide));
    Sci(SCI_SETINDENT, WPARAM(g_editorOptions.indent));
    Sci(SCI_SETTABWIDTH, WPARAM(g_editorOptions.tab));
    Sci(SCI_SETMOUSEDWELLTIME, WPARAM(g_editorOptions.dwellTime));
    ShowLineNumbers(g_editorOptions.lineNumber);
    ShowFoldMargin(g_editorOptions.folding);
    m_wrap = !g_editorOptions.wrapLines;
    ToggleWrap();
    Sci(SCI_BRACEHIGHLIGHT, WPARAM(-1), LPARAM(-1));
}

void CTavrelinView::DefineMarker(int marker, int symbol, COLORREF fore, COLORREF back)
{
    Sci(SCI_MARKERDEFINE, WPARAM(marker), symbol);
    Sci(SCI_MARKERSETFORE, WPARAM(marker), LPARAM(fore));
    Sci(SCI_MARKERSETBACK, WPARAM(marker), LPARAM(back));
}

void CTavrelinView::SetupLexer(const char* path)
{
    const CString full(path ? path : "");
    const int dot = full.ReverseFind('.');
    SetLexerForExtension(dot >= 0 ? static_cast<const char*>(full.Mid(dot + 1)) : "");
    if (Sci(SCI_GETLEXER) == kScriptLexer) {
        Sci(SCI_SETKEYWORDS, 0, reinterpret_cast<LPARAM>(kScriptKeywords));
        Sci(SCI_SETKEYWORDS, 1, reinterpret_cast<LPARAM>(kScriptGlobals));
        Sci(SCI_SETKEYWORDS, 3, reinterpret_cast<LPARAM>(kScriptClasses));
    } else {
        Sci(SCI_SETKEYWORDS, 0, reinterpret_cast<LPARAM>(kOtherKeywords));
    }
}

void CTavrelinView::ToggleWrap()
{
    m_wrap = !m_wrap;
    Sci(SCI_SETWRAPMODE, m_wrap ? SC_WRAP_WORD : SC_WRAP_NONE);
}

void CTavrelinView::GoToLine(int line)
{
    Sci(SCI_SETYCARETPOLICY, CARET_STRICT | CARET_EVEN, 0);
    if (!Sci(SCI_GETLINEVISIBLE, WPARAM(line)))
        Sci(SCI_ENSUREVISIBLEENFORCEPOLICY, WPARAM(line));
    Sci(SCI_GOTOLINE, WPARAM(line));
    Sci(SCI_SETYCARETPOLICY, CARET_EVEN, 0);
    Sci(SCI_MARKERDELETEALL, 0);
    Sci(SCI_MARKERADD, WPARAM(line), 0);
}

// Notifications

void CTavrelinView::OnSavePointReached(SCNotification*)
{
    if (CDocument* doc = GetDocument())
        doc->SetModifiedFlag(FALSE);
}

void CTavrelinView::OnSavePointLeft(SCNotification*)
{
    if (CDocument* doc = GetDocument())
        doc->SetModifiedFlag(TRUE);
}

void CTavrelinView::OnUpdateUI(SCNotification*)
{
    if (Sci(SCI_CALLTIPACTIVE) && !m_dwellTipShown && !m_typeInfoShown)
        ContinueCallTip();
    if (g_editorOptions.checkBraces)
        HighlightBraces();
}

void CTavrelinView::HighlightBraces()
{
    const int caret = int(Sci(SCI_GETCURRENTPOS));
    const int length = int(Sci(SCI_GETLENGTH));
    auto braceAt = [&](int position) {
        return IsBrace(int(Sci(SCI_GETCHARAT, WPARAM(position)))) &&
               (Sci(SCI_GETSTYLEAT, WPARAM(position)) & 31) == kOperatorStyle;
    };
    int brace = -1;
    if (length >= 1 && caret >= 1 && Sci(SCI_POSITIONBEFORE, WPARAM(caret)) == caret - 1 && braceAt(caret - 1))
        brace = caret - 1;
    if (brace < 0 && caret < length && Sci(SCI_POSITIONAFTER, WPARAM(caret)) == caret + 1 && braceAt(caret))
        brace = caret;
    if (brace < 0)
        return;
    const int opposite = int(Sci(SCI_BRACEMATCH, WPARAM(brace)));
    if (opposite < 0) {
        Sci(SCI_BRACEBADLIGHT, WPARAM(brace));
        Sci(SCI_SETHIGHLIGHTGUIDE, 0);
    } else {
        Sci(SCI_BRACEHIGHLIGHT, WPARAM(brace), opposite);
        if (g_editorOptions.indentGuide)
            Sci(SCI_SETHIGHLIGHTGUIDE, WPARAM(Sci(SCI_GETCOLUMN, WPARAM(brace))));
    }
}

// Automatic indentation

int CTavrelinView::GetLinePartsInStyle(int line, int style, CString* parts, int max)
{
    const int start = int(Sci(SCI_POSITIONFROMLINE, WPARAM(line)));
    int end = int(Sci(SCI_POSITIONFROMLINE, WPARAM(line + 1)));
    if (start < 0)
        return 0;
    if (end < start)
        end = int(Sci(SCI_GETLENGTH));
    int count = 0;
    CString run;
    bool inRun = false;
    for (int position = start; position <= end && count < max; ++position) {
        const bool match = position < end && int(Sci(SCI_GETSTYLEAT, WPARAM(position))) == style;
        if (match) {
            run += char(Sci(SCI_GETCHARAT, WPARAM(position)));
            inRun = true;
        } else if (inRun) {
            parts[count++] = run;
            run.Empty();
            inRun = false;
        }
    }
    return count;
}

bool CTavrelinView::IncludesWord(const IndentRule& rule, const CString& text)
{
    if (rule.words.IsEmpty())
        return false;
    if (std::isalpha(static_cast<unsigned char>(rule.words[0]))) {
        // Keywords as the script lexer takes them: in any case.
        if (text.IsEmpty() || text.Find(' ') >= 0)
            return false;
        CString lower(text);
        lower.MakeLower();
        return (" " + rule.words + " ").Find(" " + lower + " ") >= 0;
    }
    return text.Find(rule.words[0]) >= 0;
}

CTavrelinView::IndentState CTavrelinView::GetIndentState(int line)
{
    IndentState state = kNone;
    CString parts[20];
    int count = GetLinePartsInStyle(line, m_statementIndent.style, parts, 20);
    for (int i = 0; i < count; ++i)
        if (IncludesWord(m_statementIndent, parts[i]))
            state = kKeywordStart;
    count = GetLinePartsInStyle(line, m_blockEnd.style, parts, 20);
    for (int i = 0; i < count; ++i) {
        if (IncludesWord(m_blockEnd, parts[i]))
            state = kBlockEnd;
        if (IncludesWord(m_blockStart, parts[i]))
            state = kBlockStart;
    }
    return state;
}

int CTavrelinView::IndentOfBlock(int line)
{
    if (line < 0)
        return 0;
    const int indentSize = int(Sci(SCI_GETINDENT));
    int indent = int(Sci(SCI_GETLINEINDENTATION, WPARAM(line)));
    for (int look = line; look >= std::max(line - 20, 0); --look) {
        const IndentState state = GetIndentState(look);
        if (state == kNone)
            continue;
        indent = int(Sci(SCI_GETLINEINDENTATION, WPARAM(look)));
        if (state == kBlockStart)
            indent += indentSize;
        else if (state == kBlockEnd)
            indent = std::max(indent, 0);
        else if (look == line)
            indent += indentSize;
        break;
    }
    return indent;
}

void CTavrelinView::SetLineIndentation(int line, int indent)
{
    if (indent < 0)
        return;
    int start = int(Sci(SCI_GETSELECTIONSTART));
    int end = int(Sci(SCI_GETSELECTIONEND));
    const int before = int(Sci(SCI_GETLINEINDENTPOSITION, WPARAM(line)));
    Sci(SCI_SETLINEINDENTATION, WPARAM(line), indent);
    const int after = int(Sci(SCI_GETLINEINDENTPOSITION, WPARAM(line)));
    auto move = [&](int& position) {
        if (after > before) {
            if (position >= before)
                position += after - before;
        } else if (after < before) {
            if (position >= before)
                position -= before - after;
            else if (position >= after)
                position = after;
        }
    };
    move(start);
    move(end);
    Sci(SCI_SETSEL, WPARAM(start), end);
}

bool CTavrelinView::RangeIsAllWhitespace(int start, int end)
{
    for (int position = start; position < end; ++position) {
        const int ch = int(Sci(SCI_GETCHARAT, WPARAM(position)));
        if (ch != ' ' && ch != '\t')
            return false;
    }
    return true;
}

void CTavrelinView::AutomaticIndentation(char ch)
{
    const int selectionStart = int(Sci(SCI_GETSELECTIONSTART));
    const int line = int(Sci(SCI_LINEFROMPOSITION, WPARAM(Sci(SCI_GETCURRENTPOS))));
    const int lineStart = int(Sci(SCI_POSITIONFROMLINE, WPARAM(line)));
    const int indentSize = int(Sci(SCI_GETINDENT));
    const int blockIndent = IndentOfBlock(line - 1);
    const int beforeTyped = selectionStart - 1;  // the typed character sits just before the caret
    if (ch == '}') {
        if (RangeIsAllWhitespace(lineStart, beforeTyped))
            SetLineIndentation(line, blockIndent - indentSize);
    } else if (ch == '{') {
        if (line > 0 && GetIndentState(line - 1) == kKeywordStart && RangeIsAllWhitespace(lineStart, beforeTyped))
            SetLineIndentation(line, blockIndent - indentSize);
    } else if ((ch == '\r' || ch == '\n') && selectionStart == lineStart) {
        SetLineIndentation(line, blockIndent);
    }
}

// Commands

void CTavrelinView::OnToggleOvertype() { Sci(SCI_SETOVERTYPE, !Sci(SCI_GETOVERTYPE)); }

void CTavrelinView::OnUpdateOvertype(CCmdUI* pCmdUI)
{
    pCmdUI->SetText(Sci(SCI_GETOVERTYPE) ? static_cast<const char*>(LoadText(ID_INDICATOR_OVR)) : "");
}

void CTavrelinView::OnUpdateLinePane(CCmdUI* pCmdUI)
{
    const long position = long(Sci(SCI_GETCURRENTPOS));
    CString text;
    text.Format(LoadText(IDS_STATUS_LINE_COLUMN), long(Sci(SCI_LINEFROMPOSITION, WPARAM(position))) + 1,
                long(Sci(SCI_GETCOLUMN, WPARAM(position))) + 1);
    pCmdUI->SetText(text);
}

void CTavrelinView::OnUpdateStylePane(CCmdUI* pCmdUI)
{
    const int style = int(Sci(SCI_GETSTYLEAT, WPARAM(Sci(SCI_GETCURRENTPOS))));
    CString text;
    text.Format(LoadText(IDS_STATUS_STYLE), static_cast<const char*>(LoadText(TextStyleTitleId(RecordOfStyle(style)))));
    pCmdUI->SetText(text);
}

void CTavrelinView::OnUpdateFoldPane(CCmdUI* pCmdUI)
{
    const int line = int(Sci(SCI_LINEFROMPOSITION, WPARAM(Sci(SCI_GETCURRENTPOS))));
    CString text;
    const int level = int(Sci(SCI_GETFOLDLEVEL, WPARAM(line)) & SC_FOLDLEVELNUMBERMASK) - SC_FOLDLEVELBASE;
    text.Format(LoadText(IDS_STATUS_FOLD_LEVEL), level);
    pCmdUI->SetText(text);
}

void CTavrelinView::OnWrapLines() { ToggleWrap(); }

void CTavrelinView::OnUpdateWrapLines(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_wrap ? 1 : 0);
}

void CTavrelinView::OnUpdateAlways(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void CTavrelinView::OnGotoLine()
{
    CGotoLine dialog(GetCaretLine() + 1, this);
    if (dialog.DoModal() == IDOK)
        GoToLine(dialog.m_line - 1);
}

void CTavrelinView::OnScriptEditOptions()
{
    CEditSetup dialog(this);
    dialog.DoModal();
}

void CTavrelinView::OnSetStyle()
{
    const int caret = int(Sci(SCI_GETCURRENTPOS));
    const int style = int(Sci(SCI_GETSTYLEAT, WPARAM(caret)));
    CString sample = style == 0 ? CString("Common Style")
                     : style == kOperatorStyle ? CString("[]()+-*/>=<")
                                               : GetWordAt(caret);
    if (sample.IsEmpty())
        sample = "This Style";
    CStyleText dialog(sample, style, this);
    if (dialog.DoModal() != IDOK)
        return;
    const int record = RecordOfStyle(style);
    if (g_pTextStyles)
        g_pTextStyles[record] = dialog.GetStyle();
    if (CFrameWnd* frame = GetParentFrame())
        frame->SendMessage(kMsgTextStyleChanged, WPARAM(style), LPARAM(record));
}

void CTavrelinView::OnUpdateSetStyle(CCmdUI* pCmdUI)
{
    const int style = int(Sci(SCI_GETSTYLEAT, WPARAM(Sci(SCI_GETCURRENTPOS))));
    pCmdUI->Enable(style >= 0 && style < kEditableLexerStyles);
}

// View state

void CTavrelinView::ExchangeViewStateValues(CXTPPropExchange* px, ViewState& state)
{
    PX_LongDefault(px, "FirstVisibleLine", state.firstVisibleLine, 0);
    PX_LongDefault(px, "FirstVisiblePos", state.firstVisiblePos, 0);
    PX_LongDefault(px, "CurrentPosition", state.currentPosition, 0);
    PX_LongDefault(px, "SelectionStart", state.selectionStart, 0);
    PX_LongDefault(px, "SelectionEnd", state.selectionEnd, 0);
}

void CTavrelinView::ExchangeViewState(CXTPPropExchange* px)
{
    ViewState state;
    if (!px->IsLoading()) {
        state.firstVisibleLine = long(Sci(SCI_GETFIRSTVISIBLELINE));
        state.firstVisiblePos = long(Sci(SCI_GETXOFFSET));
        state.currentPosition = long(Sci(SCI_GETCURRENTPOS));
        state.selectionStart = long(Sci(SCI_GETSELECTIONSTART));
        state.selectionEnd = long(Sci(SCI_GETSELECTIONEND));
    }
    ExchangeViewStateValues(px, state);
    if (!px->IsLoading())
        return;
    // Set, not scrolled by: a view that is already scrolled (its file was open) lands on the
    // stored line too.
    Sci(SCI_SETFIRSTVISIBLELINE, WPARAM(std::max(state.firstVisibleLine, 0L)));
    Sci(SCI_SETXOFFSET, WPARAM(std::max(state.firstVisiblePos, 0L)));
    Sci(SCI_SETCURRENTPOS, WPARAM(state.currentPosition));
    Sci(SCI_SETSELECTIONSTART, WPARAM(state.selectionStart));
    Sci(SCI_SETSELECTIONEND, WPARAM(state.selectionEnd));
}

// Testing the script

CString CTavrelinView::FindTestEntry()
{
    CDocument* doc = GetDocument();
    return doc ? FindSourceListEntry(doc->GetPathName()) : CString();
}

void CTavrelinView::OnUpdateTestScript(CCmdUI* pCmdUI)
{
    zCIdeServices* ide = zGetIdeServices();
    pCmdUI->Enable(ide && ide->GetSettings().BuildJobThread == 0 && !FindTestEntry().IsEmpty());
}

void CTavrelinView::OnTestScript()
{
    zCIdeServices* ide = zGetIdeServices();
    const CString entry = FindTestEntry();
    if (!ide || entry.IsEmpty() || ide->GetSettings().BuildJobThread != 0)
        return;
    CDocument* doc = GetDocument();
    // The compiler reads the file from disk; a save that failed (and said so) leaves nothing
    // worth testing.
    if (doc->IsModified() && !doc->OnSaveDocument(doc->GetPathName()))
        return;
    zTBuildSettings& settings = ide->GetSettings();
    settings.TestFile = static_cast<const char*>(entry);
    settings.TestScript = 1;
    GetEditorProjectHost()->StartCompile();
}

// Find history

void CTavrelinView::KeepFindHistory(HWND list, const char* text)
{
    constexpr int kMaxEntries = 16;
    if (!list || !text || !*text)
        return;
    // The list's own search ignores case; a search for "Hero" is not one for "hero".
    const LRESULT first = FindHistoryString(list, -1, text);
    for (LRESULT at = first; at != LB_ERR;) {
        const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, WPARAM(at), 0);
        std::string entry(size_t(length > 0 ? length : 0) + 1, '\0');
        ::SendMessageA(list, LB_GETTEXT, WPARAM(at), reinterpret_cast<LPARAM>(entry.data()));
        if (std::strcmp(entry.c_str(), text) == 0) {
            ::SendMessageA(list, LB_DELETESTRING, WPARAM(at), 0);
            break;
        }
        at = FindHistoryString(list, int(at), text);
        if (at == first)
            break;  // round the list once
    }
    InsertHistoryString(list, 0, text);
    for (LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0); count > kMaxEntries; --count)
        ::SendMessageA(list, LB_DELETESTRING, WPARAM(count - 1), 0);
}

// Context menu

void CTavrelinView::OnContextMenu(CWnd*, CPoint point)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_SCRIPT_CONTEXT_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    if (point.x == -1 && point.y == -1) {  // from the keyboard: below the caret
        const LRESULT caret = Sci(SCI_GETCURRENTPOS);
        POINT at{LONG(Sci(SCI_POINTXFROMPOSITION, 0, caret)),
                 LONG(Sci(SCI_POINTYFROMPOSITION, 0, caret) + Sci(SCI_TEXTHEIGHT, 0))};
        ::ClientToScreen(m_edit.m_hWnd, &at);
        point = CPoint(at.x, at.y);
    }
    // The frame around the view asks the view's update handlers for the items' states.
    CWnd* owner = GetParentFrame() ? static_cast<CWnd*>(GetParentFrame()) : this;
    const UINT command = ::TrackPopupMenu(popup->m_hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0,
                                          owner->m_hWnd, nullptr);
    if (command)
        SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

LRESULT CTavrelinView::OnFileWatchNotify(WPARAM, LPARAM)
{
    if (auto* doc = dynamic_cast<CTavrelinDoc*>(GetDocument()))
        doc->ReloadFromDisk();
    return 0;
}
