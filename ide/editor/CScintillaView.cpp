// CScintillaView: editing commands, find and replace, printing, the text's loading and saving,
// the lexer by extension, margins and the control's notifications.
#include "CScintillaView.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include <ILexer.h>
#include <Lexilla.h>

#include "AfxIds.h"
#include "AfxResource.h"
#include "CArchive.h"
#include "CCmdUI.h"
#include "CDC.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CFile.h"
#include "CFrameWnd.h"
#include "CPageSetupDialog.h"
#include "CPrintDialog.h"
#include "CPrintInfo.h"
#include "CScintillaFindReplaceDlg.h"
#include "CTokenizer.h"
#include "CWinApp.h"
#include "FindInFiles.h"
#include "FrameControls.h"
#include "ResourceIds.h"

IMPLEMENT_DYNCREATE(CScintillaView, CView)

BEGIN_MESSAGE_MAP(CScintillaView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_REGISTERED_MESSAGE(g_findReplaceMessage, OnFindReplaceCmd)
    ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_FIND, OnEditFind)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_REPEAT, OnEditRepeat)
    ON_COMMAND(ID_EDIT_REPLACE, OnEditReplace)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_COMMAND(ID_FILE_PAGE_SETUP, OnFilePageSetup)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, OnUpdateEditClear)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedSel)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedSel)
    ON_UPDATE_COMMAND_UI(ID_EDIT_FIND, OnUpdateNeedText)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REPEAT, OnUpdateEditRepeat)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REPLACE, OnUpdateNeedText)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateNeedText)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
END_MESSAGE_MAP()

namespace {

constexpr int kPieceSize = 4095;  // text copied per SCI_GETTEXTRANGE when storing
constexpr size_t kReadSize = 4096;  // the smallest piece read when loading

struct LexerRow {
    const char* extensions;
    int lexer;
};

// Extensions and the lexer number each gets; the first row that lists an extension wins.
const LexerRow kLexerRows[] = {
    {"py", 2},
    {"c|cc|cpp|cxx|cs|h|hh|hpp|hxx|sma|dlg|rc|rc2|idl|odl|mak|js|java", 3},
    {"htm|html|shtml|htt|cfm|tpl|hta", 4},
    {"xml|gcl|xsl|svg|xul|xsd|dtd|xslt|axl", 5},
    {"pl|pm|cgi|pod", 6},
    {"sql|spec|body|sps|spb|sf|sp", 7},
    {"vb|bas|frm|cls|ctl|pag|dsr|dob", 8},
    {"properties", 9},
    {"err", 10},
    {"iface|mak", 11},
    {"bat|cmd|nt", 12},
    {"xcode", 13},
    {"tex|sty", 14},
    {"lua", 15},
    {"diff", 16},
    {"conf", 17},
    {"pas|inc|pp", 18},
    {"ave", 19},
    {"ada|ads|adb", 20},
    {"lsp|lisp|scm|smd|ss", 21},
    {"rb", 22},
    {"e", 23},
    {"e", 24},
    {"tcl", 25},
    {"tab|spf", 26},
    {"ant", 27},
    {"vbs|dsm", 28},
    {"asp|aspx", 29},
    {"php|php3|php4", 30},
    {"bc|cln", 31},
    {"m", 32},
    {"sol", 33},
    {"asm", 34},
    {"d", 35},
    {"f|for|f90|f95", 36},
    {"f77", 37},
    {"css", 38},
    {"pov", 39},
    {"lt|lot", 40},
    {"src|em", 41},
};

// The lexer library's name for a table number; null for the numbers it has no lexer for.
const char* LexerName(int lexer)
{
    switch (lexer) {
    case 3:
        return "cpp";
    case 35:
        return "cppnocase";
    default:
        return nullptr;
    }
}

int SearchFlags(BOOL matchCase, BOOL wholeWord, BOOL regExp)
{
    return (matchCase ? SCFIND_MATCHCASE : 0) | (wholeWord ? SCFIND_WHOLEWORD : 0) | (regExp ? SCFIND_REGEXP : 0);
}

BOOL IsMetricLocale()
{
    char measure[3] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, 3);
    return measure[0] == '0';
}

// Any other live editor view in any document of the application.
bool OtherEditorViewExists(CScintillaView* self)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return false;
    for (POSITION tp = app->GetFirstDocTemplatePosition(); tp;) {
        CDocTemplate* docTemplate = app->GetNextDocTemplate(tp);
        for (POSITION dp = docTemplate->GetFirstDocPosition(); dp;) {
            CDocument* doc = docTemplate->GetNextDoc(dp);
            for (POSITION vp = doc->GetFirstViewPosition(); vp;) {
                CView* view = doc->GetNextView(vp);
                if (view != self && view->IsKindOf(RUNTIME_CLASS(CScintillaView)) && view->m_hWnd)
                    return true;
            }
        }
    }
    return false;
}

// The bytes read and handed to the control at a time when loading from the archive.
size_t LoadPieceSize(CArchive& ar)
{
    // Each piece costs the control a pass of its own (caret, notifications, line index): a
    // 10 MB script read 4 KB at a time took three times as long as in one piece. So the piece
    // is what the file holds, up to a limit that bounds the copy held beside the control's.
    ULONGLONG left = 0;
    try {
        const CFile* file = ar.GetFile();
        const ULONGLONG length = file->GetLength();
        const ULONGLONG position = file->GetPosition();
        left = length > position ? length - position : 0;
    } catch (CException* e) {
        e->Delete();  // a file that cannot tell its length is read in small pieces
    }
    const ULONGLONG piece = std::max<ULONGLONG>(left, kReadSize);
    return static_cast<size_t>(std::min<ULONGLONG>(piece, CScintillaView::kLoadPieceSize));
}

}  // namespace

CScintillaView::CScintillaView() : m_rMargin(0, 0, 0, 0), m_bUsingMetric(IsMetricLocale()) {}

int CScintillaView::LexerForExtension(const char* extension)
{
    const CString wanted(extension);
    for (const LexerRow& row : kLexerRows) {
        for (CTokenizer listed(row.extensions, "|"); listed.HasMoreTokens();) {
            if (wanted.CompareNoCase(listed.GetNextToken().c_str()) == 0)
                return row.lexer;
        }
    }
    return 1;
}

BOOL CScintillaView::SetLexerForExtension(const char* extension)
{
    const int lexer = LexerForExtension(extension);
    if (lexer == m_lexer)
        return FALSE;  // a new lexer object would drop the properties the old one carries
    m_lexer = lexer;
    const char* name = LexerName(lexer);
    m_edit.SetILexer(reinterpret_cast<LPARAM>(name ? CreateLexer(name) : nullptr));
    if (name) {
        m_edit.SetProperty(reinterpret_cast<WPARAM>("fold"), reinterpret_cast<LPARAM>("1"));
        m_edit.SetProperty(reinterpret_cast<WPARAM>("lexer.cpp.track.preprocessor"), reinterpret_cast<LPARAM>("0"));
    }
    return TRUE;
}

// Loading and saving

void CScintillaView::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        const int length = static_cast<int>(m_edit.GetLength());
        std::vector<char> buffer(kPieceSize + 1);
        for (int start = 0; start < length; start += kPieceSize) {
            const int end = start + kPieceSize < length ? start + kPieceSize : length;
            Sci_TextRange range{{start, end}, buffer.data()};
            m_edit.GetTextRange(reinterpret_cast<LPARAM>(&range));
            ar.Write(buffer.data(), static_cast<UINT>(end - start));
        }
        return;
    }
    // The file's attributes are left as they are: a read-only file stays read-only, and a save
    // over it is refused and reported.
    m_edit.Cancel();
    m_edit.SetUndoCollection(0);
    size_t pieceSize = LoadPieceSize(ar);
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[pieceSize]);
    if (!buffer) {
        pieceSize = kReadSize;  // short of memory: slower, but the file is read all the same
        buffer.reset(new char[pieceSize]);
    }
    for (UINT got; (got = ar.Read(buffer.get(), UINT(pieceSize))) != 0;)
        m_edit.AddText(got, reinterpret_cast<LPARAM>(buffer.get()));
    m_edit.SetReadOnly(0);
    m_edit.SetUndoCollection(1);
    m_edit.EmptyUndoBuffer();
    m_edit.SetSavePoint();
    m_edit.GotoPos(0);
}

void CScintillaView::ClearContents()
{
    m_edit.ClearAll();
    m_edit.EmptyUndoBuffer();
}

// Queries

CString CScintillaView::GetLineText(int line)
{
    const LRESULT length = line < 0 ? m_edit.GetCurLine(0, 0) : m_edit.GetLine(line, 0);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    if (line < 0)
        m_edit.GetCurLine(buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    else
        m_edit.GetLine(line, reinterpret_cast<LPARAM>(buffer.data()));
    buffer.back() = '\0';
    return CString(buffer.data());
}

int CScintillaView::GetCaretColumnOffset()
{
    const LRESULT pos = m_edit.GetCurrentPos();
    return static_cast<int>(pos - m_edit.PositionFromLine(m_edit.LineFromPosition(pos)));
}

int CScintillaView::GetCaretLine() { return static_cast<int>(m_edit.LineFromPosition(m_edit.GetCurrentPos())); }

CString CScintillaView::GetWordAt(int position)
{
    char buffer[256] = {};
    Sci_PositionCR start = static_cast<Sci_PositionCR>(m_edit.WordStartPosition(position, TRUE));
    Sci_PositionCR end = static_cast<Sci_PositionCR>(m_edit.WordEndPosition(position, TRUE));
    if (end - start > 255)
        end = start + 255;  // a longer word is cut to the buffer
    Sci_TextRange range{{start, end}, buffer};
    m_edit.GetTextRange(reinterpret_cast<LPARAM>(&range));
    return CString(buffer);
}

void CScintillaView::GetSelectionRange(Sci_CharacterRange& range)
{
    range.cpMin = static_cast<Sci_PositionCR>(m_edit.GetSelectionStart());
    range.cpMax = static_cast<Sci_PositionCR>(m_edit.GetSelectionEnd());
}

LRESULT CScintillaView::FindHistoryString(HWND list, int start, const char* text)
{
    return ::SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text));
}

LRESULT CScintillaView::InsertHistoryString(HWND list, int index, const char* text)
{
    return ::SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
}

// Margins

int CScintillaView::GetLineNumberDigits()
{
    int count = static_cast<int>(m_edit.GetLineCount());
    int digits = 0;
    for (; count > 0; count /= 10)
        ++digits;
    return digits;
}

int CScintillaView::GetLineNumberMarginWidth()
{
    return GetLineNumberDigits() * static_cast<int>(m_edit.TextWidth(STYLE_LINENUMBER, reinterpret_cast<LPARAM>("9")));
}

void CScintillaView::ShowLineNumbers(BOOL show) { m_edit.SetMarginWidthN(0, show ? GetLineNumberMarginWidth() + 4 : 0); }
void CScintillaView::ShowSelectionMargin(BOOL show) { m_edit.SetMarginWidthN(1, show ? 16 : 0); }
void CScintillaView::ShowFoldMargin(BOOL show) { m_edit.SetMarginWidthN(2, show ? 16 : 0); }

void CScintillaView::OnMarginClick(SCNotification* notification)
{
    m_edit.ToggleFold(m_edit.LineFromPosition(notification->position));
}

// Window

int CScintillaView::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    if (!m_edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), this, kEditId))
        return -1;
    UseSystemCodePage();
    return 0;
}

void CScintillaView::UseSystemCodePage()
{
    // The component starts in UTF-8 and takes only UTF-8 and the double-byte code pages as code
    // pages; a single-byte one it reads from the default style's character set.
    const UINT codePage = ::GetACP();
    m_edit.SetCodePage(0);
    m_edit.SetCodePage(codePage);  // refused unless double-byte
    CHARSETINFO info{};
    if (::TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(codePage)), &info, TCI_SRCCODEPAGE))
        m_edit.StyleSetCharacterSet(STYLE_DEFAULT, info.ciCharset);
}

void CScintillaView::OnSize(UINT, int cx, int cy)
{
    if (m_edit.m_hWnd)
        m_edit.MoveWindow(0, 0, cx, cy);
}

void CScintillaView::OnSetFocus(CWnd*)
{
    if (m_edit.m_hWnd)
        m_edit.SetFocus();
}

void CScintillaView::OnDestroy()
{
    if (g_scintillaFind.dialog && !OtherEditorViewExists(this)) {
        if (::IsWindow(g_scintillaFind.dialog->m_hWnd))
            g_scintillaFind.dialog->SendMessage(WM_CLOSE);
        g_scintillaFind.dialog = nullptr;
    }
    CView::OnDestroy();
}

void CScintillaView::OnPaint() { Default(); }

void CScintillaView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (bActivate && pActivateView == this && g_scintillaFind.dialog && g_scintillaFind.dialog->m_hWnd)
        g_scintillaFind.dialog->m_fr.hwndOwner = m_hWnd;
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

BOOL CScintillaView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!m_edit.m_hWnd || header->hwndFrom != m_edit.m_hWnd)
        return CView::OnNotify(wParam, lParam, pResult);
    auto* n = reinterpret_cast<SCNotification*>(lParam);
    switch (header->code) {
    case SCN_STYLENEEDED: OnStyleNeeded(n); break;
    case SCN_CHARADDED: OnCharAdded(n); break;
    case SCN_SAVEPOINTREACHED: OnSavePointReached(n); break;
    case SCN_SAVEPOINTLEFT: OnSavePointLeft(n); break;
    case SCN_MODIFYATTEMPTRO: OnModifyAttemptRO(n); break;
    case SCN_DOUBLECLICK: OnDoubleClick(n); break;
    case SCN_UPDATEUI: OnUpdateUI(n); break;
    case SCN_MODIFIED: OnModified(n); break;
    case SCN_MACRORECORD: OnMacroRecord(n); break;
    case SCN_MARGINCLICK: OnMarginClick(n); break;
    case SCN_NEEDSHOWN: OnNeedShown(n); break;
    case SCN_PAINTED: OnPainted(n); break;
    case SCN_USERLISTSELECTION: OnUserListSelection(n); break;
    case SCN_DWELLSTART: OnDwellStart(n); break;
    case SCN_DWELLEND: OnDwellEnd(n); break;
    case SCN_ZOOM: OnZoom(n); break;
    case SCN_HOTSPOTCLICK: OnHotSpotClick(n); break;
    case SCN_HOTSPOTDOUBLECLICK: OnHotSpotDoubleClick(n); break;
    case SCN_CALLTIPCLICK: OnCallTipClick(n); break;
    case SCN_AUTOCSELECTION: OnAutoCSelection(n); break;
    default: break;
    }
    *pResult = 0;
    return TRUE;
}

BOOL CScintillaView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (!m_edit.m_hWnd || reinterpret_cast<HWND>(lParam) != m_edit.m_hWnd)
        return CView::OnCommand(wParam, lParam);
    switch (HIWORD(wParam)) {
    case SCEN_KILLFOCUS: OnKillFocusNotify(); break;
    case SCEN_SETFOCUS: OnSetFocusNotify(); break;
    case SCEN_CHANGE: OnChange(); break;
    default: break;
    }
    return TRUE;
}

// Edit commands

void CScintillaView::OnEditClear() { m_edit.Clear(); }
void CScintillaView::OnEditCopy() { m_edit.Copy(); }
void CScintillaView::OnEditCut() { m_edit.Cut(); }
void CScintillaView::OnEditPaste() { m_edit.Paste(); }
void CScintillaView::OnEditSelectAll() { m_edit.SelectAll(); }
void CScintillaView::OnEditUndo() { m_edit.Undo(); }
void CScintillaView::OnEditRedo() { m_edit.Redo(); }

void CScintillaView::OnEditRepeat()
{
    const CScintillaFindState& s = g_scintillaFind;
    if (!FindText(s.findText, s.searchDown, s.matchCase, s.wholeWord, s.regularExpression))
        TextNotFound(s.findText, s.searchDown, s.matchCase, s.wholeWord, s.regularExpression, FALSE);
}

void CScintillaView::OnUpdateNeedText(CCmdUI* pCmdUI) { pCmdUI->Enable(m_edit.GetTextLength() != 0); }

void CScintillaView::OnUpdateNeedSel(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_edit.GetSelectionStart() != m_edit.GetSelectionEnd());
}

void CScintillaView::OnUpdateEditClear(CCmdUI* pCmdUI)
{
    const LRESULT length = m_edit.GetTextLength();
    pCmdUI->Enable(length != 0 && m_edit.GetSelectionStart() != length);
}

void CScintillaView::OnUpdateEditPaste(CCmdUI* pCmdUI) { pCmdUI->Enable(m_edit.CanPaste() != 0); }

void CScintillaView::OnUpdateEditRepeat(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_edit.GetLength() != 0 && !g_scintillaFind.findText.IsEmpty());
}

void CScintillaView::OnUpdateEditUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(m_edit.CanUndo() != 0); }
void CScintillaView::OnUpdateEditRedo(CCmdUI* pCmdUI) { pCmdUI->Enable(m_edit.CanRedo() != 0); }

// Find and replace

CScintillaFindReplaceDlg* CScintillaView::CreateFindReplaceDialog() { return new CScintillaFindReplaceDlg; }

void CScintillaView::OnEditFindReplace(int mode)
{
    if (mode < 0 || mode > 3)
        return;
    CScintillaFindState& s = g_scintillaFind;
    if (s.dialog) {
        if (s.mode == mode) {
            s.dialog->SetActiveWindow();
            s.dialog->ShowWindow(SW_SHOW);
            return;
        }
        s.dialog->SendMessage(WM_CLOSE);
        s.dialog = nullptr;
    }
    const BOOL inFiles = mode == 2 || mode == 3;
    CString find = m_edit.GetSelText();
    if (find.IsEmpty() || find.FindOneOf("\r\n") >= 0) {
        find = inFiles ? GetFindBoxText() : CString();
        if (find.IsEmpty())
            find = GetWordAt(static_cast<int>(m_edit.GetCurrentPos()));
        if (find.IsEmpty())
            find = s.findText;
    }
    CScintillaFindReplaceDlg* dialog = CreateFindReplaceDialog();
    dialog->m_bRegularExpression = s.regularExpression;
    // The files are searched for the plain text: the box is not offered there.
    dialog->m_bOfferRegularExpression = !inFiles;
    const BOOL findOnly = mode == 1 || mode == 2;
    DWORD flags = (s.searchDown ? FR_DOWN : 0) | (s.wholeWord ? FR_WHOLEWORD : 0) | (s.matchCase ? FR_MATCHCASE : 0);
    // The editor's own template of the mode, in the interface language; the system's plain dialog
    // when the program has none.
    const int templates[] = {IDD_REPLACE, IDD_FIND, IDD_FIND_IN_FILES, IDD_REPLACE_IN_FILES};
    HRSRC found = AfxFindResource(MAKEINTRESOURCEA(templates[mode]), RT_DIALOG);
    if (HGLOBAL loaded = found ? ::LoadResource(AfxGetResourceHandle(), found) : nullptr) {
        dialog->m_fr.Flags |= FR_ENABLETEMPLATEHANDLE;
        dialog->m_fr.hInstance = reinterpret_cast<HINSTANCE>(loaded);
    }
    if (!dialog->Create(findOnly, find, s.replaceText, flags, this)) {
        if (!dialog->m_hWnd)
            delete dialog;  // no window came, so nothing deletes it on its end
        return;
    }
    s.dialog = dialog;
    s.mode = mode;
    dialog->SetActiveWindow();
    dialog->ShowWindow(SW_SHOW);
}

LRESULT CScintillaView::OnFindReplaceCmd(WPARAM, LPARAM lParam)
{
    CScintillaFindReplaceDlg* dialog = static_cast<CScintillaFindReplaceDlg*>(CFindReplaceDialog::GetNotifier(lParam));
    if (!dialog)
        return 0;
    const CString find = dialog->GetFindString();
    const BOOL regExp = dialog->m_bRegularExpression;
    // The in-files templates have no direction: the editor's stays as it was.
    const BOOL down = g_scintillaFind.mode >= 2 ? g_scintillaFind.searchDown : dialog->SearchDown();
    if (dialog->IsTerminating())
        g_scintillaFind.dialog = nullptr;
    else if (dialog->FindNext())
        OnFindNext(find, down, dialog->MatchCase(), dialog->MatchWholeWord(), regExp);
    else if (dialog->ReplaceCurrent())
        OnReplaceSel(find, down, dialog->MatchCase(), dialog->MatchWholeWord(), regExp, dialog->GetReplaceString());
    else if (dialog->ReplaceAll())
        OnReplaceAll(find, dialog->GetReplaceString(), dialog->MatchCase(), dialog->MatchWholeWord(), regExp);
    return 0;
}

static void StoreFindState(const char* find, BOOL down, BOOL matchCase, BOOL wholeWord, BOOL regExp)
{
    CScintillaFindState& s = g_scintillaFind;
    s.findText = find;
    s.searchDown = down;
    s.matchCase = matchCase;
    s.wholeWord = wholeWord;
    s.regularExpression = regExp;
}

void CScintillaView::OnFindNext(const char* find, BOOL down, BOOL matchCase, BOOL wholeWord, BOOL regExp)
{
    StoreFindState(find, down, matchCase, wholeWord, regExp);
    CScintillaFindState& s = g_scintillaFind;
    if (s.mode != 0 && s.dialog) {
        s.dialog->SendMessage(WM_CLOSE);
        s.dialog = nullptr;
    }
    if (s.mode == 2) {
        StartFindInFiles(TakeFindInFilesRequest(), FALSE);  // nothing while a worker runs
        return;
    }
    if (!FindText(find, down, matchCase, wholeWord, regExp))
        TextNotFound(find, down, matchCase, wholeWord, regExp, FALSE);
}

BOOL CScintillaView::FindNextSilently()
{
    const CScintillaFindState& s = g_scintillaFind;
    return FindTextSimple(s.findText, s.searchDown, s.matchCase, s.wholeWord, s.regularExpression);
}

void CScintillaView::TextNotFound(const char* find, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    CString format;
    format.LoadString(g_scintillaFind.mode > 0 ? IDS_EDITOR_CANNOT_FIND : IDS_EDITOR_FINISHED_SEARCHING);
    CString text;
    text.Format(format, find);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

BOOL CScintillaView::FindText(const char* find, BOOL down, BOOL matchCase, BOOL wholeWord, BOOL regExp)
{
    BeginWaitCursor();
    const BOOL found = FindTextSimple(find, down, matchCase, wholeWord, regExp);
    EndWaitCursor();
    return found;
}

BOOL CScintillaView::FindTextSimple(const char* find, BOOL down, BOOL matchCase, BOOL wholeWord, BOOL regExp)
{
    LRESULT start = m_edit.GetSelectionStart();
    LRESULT end = m_edit.GetSelectionEnd();
    if (start != end) {
        if (down) {
            // Past the hit's first character, a whole one when it is a double-byte lead byte.
            const unsigned char first = static_cast<unsigned char>(m_edit.GetCharAt(start));
            start += ::IsDBCSLeadByte(first) ? 2 : 1;
        } else {
            end = start - 1;
        }
    }
    const LRESULT length = m_edit.GetLength();
    Sci_TextToFind ft{};
    ft.lpstrText = find;
    ft.chrg.cpMin = static_cast<Sci_PositionCR>(down ? start : end);
    ft.chrg.cpMax = static_cast<Sci_PositionCR>(down ? length : 0);
    if (ft.chrg.cpMin < 0)
        ft.chrg.cpMin = 0;
    const int flags = SearchFlags(matchCase, wholeWord, regExp);
    if (FindAndSelect(flags, ft) != -1)
        return TRUE;
    if (g_scintillaFind.mode == 0)
        return FALSE;  // replacing does not wrap, so Replace All ends at the end of the text
    ft.chrg.cpMin = static_cast<Sci_PositionCR>(down ? 0 : length);
    ft.chrg.cpMax = static_cast<Sci_PositionCR>(down ? length : 0);
    return FindAndSelect(flags, ft) != -1;
}

LRESULT CScintillaView::FindAndSelect(int flags, Sci_TextToFind& find)
{
    const LRESULT found = m_edit.FindText(flags, reinterpret_cast<LPARAM>(&find));
    if (found != -1)
        m_edit.SetSel(find.chrgText.cpMin, find.chrgText.cpMax);
    return found;
}

BOOL CScintillaView::SameAsSelected(const char* find, BOOL matchCase, BOOL wholeWord, BOOL regExp)
{
    const LRESULT start = m_edit.GetSelectionStart();
    const LRESULT end = m_edit.GetSelectionEnd();
    const int findLength = static_cast<int>(strlen(find));
    if (!regExp && end - start != findLength)
        return FALSE;
    m_edit.SetSearchFlags(SearchFlags(matchCase, wholeWord, regExp));
    m_edit.TargetFromSelection();
    if (m_edit.SearchInTarget(findLength, reinterpret_cast<LPARAM>(find)) == -1)
        return FALSE;
    return m_edit.GetTargetStart() == start && m_edit.GetTargetEnd() == end;
}

void CScintillaView::OnReplaceSel(const char* find, BOOL down, BOOL matchCase, BOOL wholeWord, BOOL regExp,
                                  const char* replace)
{
    StoreFindState(find, down, matchCase, wholeWord, regExp);
    g_scintillaFind.replaceText = replace;
    if (SameAsSelected(find, matchCase, wholeWord, regExp))
        m_edit.ReplaceSel(reinterpret_cast<LPARAM>(replace));
    if (FindText(find, down, matchCase, wholeWord, regExp))
        AdjustFindDialogPosition();
    else
        TextNotFound(find, down, matchCase, wholeWord, regExp, TRUE);
}

void CScintillaView::OnReplaceAll(const char* find, const char* replace, BOOL matchCase, BOOL wholeWord, BOOL regExp)
{
    StoreFindState(find, TRUE, matchCase, wholeWord, regExp);
    g_scintillaFind.replaceText = replace;
    CScintillaFindState& s = g_scintillaFind;
    if (s.mode == 3) {
        if (s.dialog)
            s.dialog->SendMessage(WM_CLOSE);
        s.dialog = nullptr;
        StartFindInFiles(TakeFindInFilesRequest(), TRUE);  // nothing while a worker runs
        return;
    }
    BeginWaitCursor();
    m_edit.SetSel(0, 0);
    m_edit.HideSelection(TRUE, FALSE);
    const int flags = SearchFlags(matchCase, wholeWord, regExp);
    BOOL any = FALSE;  // one pass to the end, never round again
    Sci_TextToFind ft{};
    ft.lpstrText = find;
    for (LRESULT from = 0;;) {
        const LRESULT length = m_edit.GetLength();
        if (from > length)
            break;
        ft.chrg.cpMin = static_cast<Sci_PositionCR>(from);
        ft.chrg.cpMax = static_cast<Sci_PositionCR>(length);
        if (FindAndSelect(flags, ft) == -1)
            break;
        any = TRUE;
        const LRESULT hitLength = ft.chrgText.cpMax - ft.chrgText.cpMin;
        m_edit.ReplaceSel(reinterpret_cast<LPARAM>(replace));
        from = m_edit.GetSelectionEnd();
        // An empty hit (a regular expression matching nothing, "^" or "x*") is stepped past, or
        // it is found again at the same place for ever.
        if (hitLength == 0)
            from = from < m_edit.GetLength() ? m_edit.PositionAfter(from) : from + 1;
    }
    m_edit.HideSelection(FALSE, FALSE);
    EndWaitCursor();
    if (!any)
        TextNotFound(find, TRUE, matchCase, wholeWord, regExp, TRUE);
}

void CScintillaView::AdjustFindDialogPosition()
{
    CScintillaFindReplaceDlg* dialog = g_scintillaFind.dialog;
    if (!dialog || !dialog->m_hWnd)
        return;
    const LRESULT start = m_edit.GetSelectionStart();
    POINT caret{static_cast<LONG>(m_edit.PointXFromPosition(start)), static_cast<LONG>(m_edit.PointYFromPosition(start))};
    ::ClientToScreen(m_edit.m_hWnd, &caret);
    RECT rect;
    ::GetWindowRect(dialog->m_hWnd, &rect);
    if (!::PtInRect(&rect, caret))
        return;
    const int height = rect.bottom - rect.top;
    if (caret.y <= height) {
        const int top = caret.y + 40;
        if (top + height < ::GetSystemMetrics(SM_CYSCREEN))
            ::OffsetRect(&rect, 0, top - rect.top);
    } else {
        ::OffsetRect(&rect, 0, caret.y - 20 - rect.bottom);
    }
    dialog->MoveWindow(rect.left, rect.top, rect.right - rect.left, height);
}

// Printing

BOOL CScintillaView::OnPreparePrinting(CPrintInfo* pInfo)
{
    if (m_edit.GetSelectionStart() != m_edit.GetSelectionEnd()) {
        pInfo->m_pPD->m_pd.Flags &= ~PD_NOSELECTION;
        pInfo->m_pPD->m_pd.Flags |= PD_SELECTION;
    }
    return DoPreparePrinting(pInfo);
}

void CScintillaView::OnBeginPrinting(CDC*, CPrintInfo* pInfo)
{
    m_bPrintingSelection = (pInfo->m_pPD->m_pd.Flags & PD_SELECTION) != 0;
    m_aPageStart.RemoveAll();
    m_aPageStart.Add(m_bPrintingSelection ? static_cast<int>(m_edit.GetSelectionStart()) : 0);
}

void CScintillaView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pInfo) {
        CView::OnPrepareDC(pDC, pInfo);
        return;
    }
    if (pInfo->m_nCurPage > pInfo->GetMaxPage()) {
        pInfo->m_bContinuePrinting = FALSE;
        return;
    }
    pInfo->m_bContinuePrinting = TRUE;
    if (static_cast<int>(pInfo->m_nCurPage) > m_aPageStart.GetSize() && !PaginateTo(pDC, pInfo))
        pInfo->m_bContinuePrinting = FALSE;
}

void CScintillaView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    const int end = m_bPrintingSelection ? static_cast<int>(m_edit.GetSelectionEnd())
                                         : static_cast<int>(m_edit.GetTextLength());
    const int page = static_cast<int>(pInfo->m_nCurPage);
    const int next = PrintPage(pDC, pInfo, m_aPageStart[page - 1], end);
    if (next >= end)
        pInfo->SetMaxPage(pInfo->m_nCurPage);
    if (page == m_aPageStart.GetSize() && end > next)
        m_aPageStart.Add(next);
}

void CScintillaView::OnEndPrinting(CDC*, CPrintInfo*) { m_aPageStart.RemoveAll(); }

BOOL CScintillaView::PaginateTo(CDC* pDC, CPrintInfo* pInfo)
{
    const UINT requested = pInfo->m_nCurPage;
    const CRect savedDraw = pInfo->m_rectDraw;
    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(0, 0, 0, 0);
    pInfo->m_nCurPage = static_cast<UINT>(m_aPageStart.GetSize());
    while (pInfo->m_nCurPage < requested) {
        const int known = m_aPageStart.GetSize();
        pInfo->m_rectDraw.SetRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
        OnPrepareDC(pDC, pInfo);  // the page's start is known here, so this lays out nothing
        if (!pInfo->m_bContinuePrinting)
            break;
        OnPrint(pDC, pInfo);
        if (m_aPageStart.GetSize() == known)
            break;  // the text ended on that page
        ++pInfo->m_nCurPage;
    }
    const BOOL reached = pInfo->m_nCurPage == requested;
    pDC->RestoreDC(saved);
    pInfo->m_nCurPage = requested;
    pInfo->m_rectDraw = savedDraw;
    return reached;
}

int CScintillaView::PrintPage(CDC* pDC, CPrintInfo* pInfo, int start, int end)
{
    Sci_RangeToFormat range{};
    range.hdc = pDC->m_hDC;
    range.hdcTarget = pDC->m_hAttribDC;
    CRect page = pInfo->m_rectDraw;
    page.right -= 1;
    page.bottom -= 1;
    range.rcPage = {page.left, page.top, page.right, page.bottom};
    CRect text = page;
    if (!m_rMargin.IsRectNull()) {
        const int divisor = m_bUsingMetric ? 2540 : 1000;
        const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX);
        const int dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
        text.left += ::MulDiv(m_rMargin.left, dpiX, divisor);
        text.right -= ::MulDiv(m_rMargin.right, dpiX, divisor);
        text.top += ::MulDiv(m_rMargin.top, dpiY, divisor);
        text.bottom -= ::MulDiv(m_rMargin.bottom, dpiY, divisor);
    }
    range.rc = {text.left, text.top, text.right, text.bottom};
    range.chrg.cpMin = start;
    range.chrg.cpMax = end;
    if (m_bPrintHeader)
        PrintHeader(pDC, pInfo, range);
    if (m_bPrintFooter)
        PrintFooter(pDC, pInfo, range);
    return static_cast<int>(m_edit.FormatRange(TRUE, reinterpret_cast<LPARAM>(&range)));
}

namespace {

int TextHeight(CDC* pDC, const CString& text)
{
    SIZE size{};
    if (!::GetTextExtentPoint32A(pDC->m_hAttribDC, text, text.GetLength(), &size)) {
        // A fresh metafile DC may have no font to measure with until one is selected: give it
        // the DC's default font explicitly.
        ::SelectObject(pDC->m_hDC, ::GetStockObject(SYSTEM_FONT));
        if (pDC->m_hAttribDC != pDC->m_hDC)
            ::SelectObject(pDC->m_hAttribDC, ::GetStockObject(SYSTEM_FONT));
        ::GetTextExtentPoint32A(pDC->m_hAttribDC, text, text.GetLength(), &size);
    }
    return size.cy;
}

}  // namespace

void CScintillaView::PrintHeader(CDC* pDC, CPrintInfo*, Sci_RangeToFormat& range)
{
    char stamp[128] = {};
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    int n = ::GetDateFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, stamp, sizeof stamp);
    if (n > 0) {
        stamp[n - 1] = ' ';
        ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, stamp + n, static_cast<int>(sizeof stamp) - n);
    }
    CString format;
    format.LoadString(IDS_EDITOR_PRINT_HEADER);
    CString text = format;
    text.Replace("%1", GetDocument() ? GetDocument()->GetTitle() : CString());
    text.Replace("%2", stamp);
    const Sci_Rectangle& page = range.rcPage;
    const UINT align = pDC->SetTextAlign(TA_LEFT | TA_TOP);
    const int h = TextHeight(pDC, text);
    pDC->TextOut(page.left, page.top + 2 * h / 3, text);
    pDC->MoveTo(page.left, page.top + 2 * h - 5);
    pDC->LineTo(page.right, page.top + 2 * h - 5);
    pDC->SetTextAlign(align);
    if (range.rc.top < page.top + 2 * h)
        range.rc.top = page.top + 2 * h;
}

void CScintillaView::PrintFooter(CDC* pDC, CPrintInfo* pInfo, Sci_RangeToFormat& range)
{
    CString number;
    number.Format("%u", pInfo->m_nCurPage);
    CString format;
    format.LoadString(IDS_EDITOR_PRINT_FOOTER);
    CString text = format;
    text.Replace("%1", number);
    const Sci_Rectangle& page = range.rcPage;
    const UINT align = pDC->SetTextAlign(TA_LEFT | TA_TOP);
    const int h = TextHeight(pDC, text);
    pDC->TextOut(page.left, page.bottom - 4 * h / 3, text);
    pDC->MoveTo(page.left, page.bottom - 2 * h + 5);
    pDC->LineTo(page.right, page.bottom - 2 * h + 5);
    pDC->SetTextAlign(align);
    if (range.rc.bottom > page.bottom - 2 * h)
        range.rc.bottom = page.bottom - 2 * h;
}

void CScintillaView::OnFilePageSetup()
{
    CPageSetupDialog dialog(PSD_MARGINS | (m_bUsingMetric ? PSD_INHUNDREDTHSOFMILLIMETERS : PSD_INTHOUSANDTHSOFINCHES), this);
    dialog.m_psd.rtMargin = {m_rMargin.left, m_rMargin.top, m_rMargin.right, m_rMargin.bottom};
    CWinApp* app = AfxGetApp();
    PRINTDLGA printer{};
    if (app && app->GetPrinterDeviceDefaults(&printer)) {
        dialog.m_psd.hDevMode = printer.hDevMode;
        dialog.m_psd.hDevNames = printer.hDevNames;
    }
    if (dialog.DoModal() != IDOK)
        return;
    RECT margins, minimum;
    dialog.GetMargins(&margins, &minimum);
    m_rMargin = margins;
    if (app)
        app->SelectPrinter(dialog.m_psd.hDevNames, dialog.m_psd.hDevMode);
}
