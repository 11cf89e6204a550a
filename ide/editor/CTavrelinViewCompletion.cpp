// CTavrelinView: the language aids: parameter call tips through nested calls, member lists
// after ".", the list of all project names, declaration tips, go to declaration and back.
#include "CTavrelinView.h"

#include <string>

#include <Scintilla.h>

#include "CCmdUI.h"
#include "CDocument.h"
#include "CWinApp.h"
#include "CallTipHighlight.h"
#include "EditorSettings.h"
#include "IdeServices.h"
#include "LocalDeclaration.h"
#include "ResourceIds.h"
#include "ScriptLineText.h"
#include "zCTypedInfo.h"

JumpBackRecord g_jumpBack;

namespace {

constexpr int kIdentifierStyle = 11;
constexpr int kGlobalStyle = 16;
constexpr int kClassStyle = 19;

bool IsNameStyle(int style)
{
    return style == kIdentifierStyle || style == kGlobalStyle || style == kClassStyle;
}

bool ProjectIsActive()
{
    zCIdeServices* ide = zGetIdeServices();
    return ide && !ide->GetSettings().ProjectName.empty();
}

bool IsAbsolutePath(const CString& path)
{
    return (path.GetLength() > 1 && path[1] == ':') || (!path.IsEmpty() && (path[0] == '\\' || path[0] == '/'));
}

// A declaring file as the model records it (a source-list entry) is relative to the project
// folder, whatever the current directory is.
CString ProjectPath(const CString& file)
{
    zCIdeServices* ide = zGetIdeServices();
    if (IsAbsolutePath(file) || !ide)
        return file;
    CString path(ide->GetProjectFolder().c_str());
    if (path.IsEmpty())
        return file;
    if (path[path.GetLength() - 1] != '\\' && path[path.GetLength() - 1] != '/')
        path += '\\';
    return path + file;
}

void ShowFileAbsent(const CString& name)
{
    CString format;
    format.LoadString(IDS_FILE_ABSENT_IN_PROJECT);
    CString text;
    text.Format(format, static_cast<const char*>(name));
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

std::string Text(const CString& text)
{
    return std::string(static_cast<const char*>(text), static_cast<size_t>(text.GetLength()));
}

}  // namespace

// Typing

void CTavrelinView::OnCharAdded(SCNotification* notification)
{
    const char ch = char(notification->ch);
    if (Sci(SCI_GETSELECTIONSTART) != Sci(SCI_GETSELECTIONEND) || Sci(SCI_GETCURRENTPOS) < 1)
        return;
    if (Sci(SCI_CALLTIPACTIVE)) {
        if (ch == ')') {
            ContinueCallTip();
            if (Sci(SCI_CALLTIPACTIVE) || m_callTipDepth == 0)
                return;
            // Back to the enclosing call's tip.
            m_currentCallTip = &m_callTips[--m_callTipDepth];
            if (m_currentCallTip->tip.IsEmpty())
                return;
            Sci(SCI_CALLTIPSHOW, WPARAM(m_currentCallTip->tipPosition),
                reinterpret_cast<LPARAM>(static_cast<const char*>(m_currentCallTip->tip)));
            ContinueCallTip();
        } else if (ch == '(') {
            if (m_callTipDepth >= 3)
                return;
            m_currentCallTip = &m_callTips[++m_callTipDepth];
            if (StartCallTip(TRUE))
                ContinueCallTip();
            else
                m_currentCallTip = &m_callTips[--m_callTipDepth];
        } else {
            ContinueCallTip();
        }
        return;
    }
    if (Sci(SCI_AUTOCACTIVE)) {
        if (!IsIdentifierChar(ch))
            Sci(SCI_AUTOCCANCEL);
        return;
    }
    if (g_editorOptions.callTip && ch == '(') {
        m_callTipDepth = 0;
        m_currentCallTip = &m_callTips[0];
        if (StartCallTip(TRUE))
            ContinueCallTip();
        return;
    }
    if (g_editorOptions.autoIndent)
        AutomaticIndentation(ch);
    if (g_editorOptions.autoComplete && ch == '.')
        StartAutoComplete();
}

// Call tips

BOOL CTavrelinView::StartCallTip(BOOL typed)
{
    CallTipEntry& entry = *m_currentCallTip;
    entry.name.Empty();
    const std::string line = Text(GetLineText(-1));
    int column = GetCaretColumnOffset();
    int position = int(Sci(SCI_GETCURRENTPOS));
    if (column > int(line.size()))
        return FALSE;
    if (typed) {
        // From the "(" back over blanks to the name before it.
        --column;
        --position;
        if (column < 0 || (column > 0 && line[column - 1] == '('))
            return FALSE;
        while (column > 0 && !IsIdentifierChar(line[column - 1])) {
            if (line[column - 1] == '(')
                return FALSE;
            --column;
            --position;
        }
        if (column == 0)
            return FALSE;
        int start = column;
        while (start > 0 && IsIdentifierChar(line[start - 1]))
            --start;
        entry.name = line.substr(start, column - start).c_str();
        entry.nameStart = start;
    } else {
        entry.name = GetWordAt(position);
        int start = column;
        while (start > 0 && IsIdentifierChar(line[start - 1]))
            --start;
        entry.nameStart = start;
    }
    entry.tip.Empty();
    return ShowCallTip(position);
}

BOOL CTavrelinView::ShowCallTip(int position)
{
    CallTipEntry& entry = *m_currentCallTip;
    entry.tipPosition = position;
    const zSTRING text = g_typedInfo.GetCallTip(Text(entry.name));
    if (text.empty())
        return FALSE;
    entry.tip = text.c_str();
    Sci(SCI_CALLTIPSHOW, WPARAM(position), reinterpret_cast<LPARAM>(text.c_str()));
    m_callTipShown = TRUE;
    // The tip on screen is a parameter tip now, whatever tip was there before.
    m_typeInfoShown = FALSE;
    m_dwellTipShown = FALSE;
    return TRUE;
}

void CTavrelinView::ContinueCallTip()
{
    const CallTipEntry& entry = *m_currentCallTip;
    const std::string line = Text(GetLineText(-1));
    const int column = GetCaretColumnOffset();
    if (column < entry.nameStart || column > int(line.size())) {
        Sci(SCI_CALLTIPCANCEL);
        m_callTipShown = FALSE;
        return;
    }
    const CallTipHighlight highlight =
        FollowCallTip(Text(entry.tip), Text(entry.name), line.substr(entry.nameStart, column - entry.nameStart));
    if (highlight.closed) {
        Sci(SCI_CALLTIPCANCEL);
        m_callTipShown = FALSE;
        return;
    }
    Sci(SCI_CALLTIPSETHLT, WPARAM(highlight.start), highlight.end);
}

// Names and their declarations

int CTavrelinView::FindLocalDeclaration(CString& name, DeclarationContext& context, int line, int* declarationLine)
{
    zSTRING resolved = Text(name);
    const int result = ::FindLocalDeclaration([this](int at) { return Text(GetLineText(at)); }, line, resolved,
                                              context, declarationLine);
    name = resolved.c_str();
    return result;
}

CString CTavrelinView::IdentifierEndingAt(int position)
{
    const int lineStart = int(Sci(SCI_POSITIONFROMLINE, WPARAM(Sci(SCI_LINEFROMPOSITION, WPARAM(position)))));
    int start = position;
    while (start > lineStart && IsIdentifierChar(char(Sci(SCI_GETCHARAT, WPARAM(start - 1)))))
        --start;
    CString word;
    for (int at = start; at < position; ++at)
        word += char(Sci(SCI_GETCHARAT, WPARAM(at)));
    return word;
}

void CTavrelinView::StartAutoComplete()
{
    const int caret = int(Sci(SCI_GETCURRENTPOS));
    CString name = IdentifierEndingAt(caret - 1);  // before the "."
    if (name.IsEmpty())
        return;
    DeclarationContext context;
    const int resolved = FindLocalDeclaration(name, context, int(Sci(SCI_LINEFROMPOSITION, WPARAM(caret))));
    const zSTRING list = g_typedInfo.GetMemberList(Text(name), context, resolved);
    if (!list.empty())
        Sci(SCI_AUTOCSHOW, 0, reinterpret_cast<LPARAM>(list.c_str()));
}

void CTavrelinView::ShowTypeInfo(int position, BOOL dwell)
{
    const CString word = GetWordAt(position);
    if (word.IsEmpty())
        return;
    CString name = word;
    DeclarationContext context;
    CString text;
    if (FindLocalDeclaration(name, context, int(Sci(SCI_LINEFROMPOSITION, WPARAM(position)))) == 1)
        text = "var " + name + " " + word;
    else
        text = g_typedInfo.GetDeclarationTip(Text(name), context).c_str();
    if (text.IsEmpty())
        return;
    Sci(SCI_CALLTIPSHOW, WPARAM(position), reinterpret_cast<LPARAM>(static_cast<const char*>(text)));
    if (dwell)
        m_dwellTipShown = TRUE;
}

void CTavrelinView::OnDwellStart(SCNotification* notification)
{
    if (!g_editorOptions.declareTip || m_callTipShown || Sci(SCI_AUTOCACTIVE) || m_typeInfoShown ||
        ::GetFocus() != m_edit.m_hWnd || notification->position < 0)
        return;
    const int position = int(notification->position);
    if (IsNameStyle(int(Sci(SCI_GETSTYLEAT, WPARAM(position)))))
        ShowTypeInfo(position, TRUE);
}

void CTavrelinView::OnDwellEnd(SCNotification*)
{
    if (!Sci(SCI_CALLTIPACTIVE)) {
        m_callTipShown = FALSE;
        m_dwellTipShown = FALSE;
        m_typeInfoShown = FALSE;
    } else if (m_dwellTipShown) {
        m_dwellTipShown = FALSE;
        Sci(SCI_CALLTIPCANCEL);
    }
}

// Commands

void CTavrelinView::OnListMembers()
{
    Sci(SCI_AUTOCCANCEL);
    const CString word = IdentifierEndingAt(int(Sci(SCI_GETCURRENTPOS)));
    const zSTRING& names = g_typedInfo.GetAutoCompletionText();
    if (word.IsEmpty() || names.empty())
        return;
    Sci(SCI_AUTOCSHOW, WPARAM(word.GetLength()), reinterpret_cast<LPARAM>(names.c_str()));
}

void CTavrelinView::OnTypeInfo()
{
    OnDwellEnd(nullptr);
    ShowTypeInfo(int(Sci(SCI_GETCURRENTPOS)), FALSE);
    m_typeInfoShown = TRUE;
}

void CTavrelinView::OnParameterInfo()
{
    OnDwellEnd(nullptr);
    m_callTipDepth = 0;
    m_currentCallTip = &m_callTips[0];
    if (StartCallTip(FALSE))
        ContinueCallTip();
}

CTavrelinView* CTavrelinView::OpenScriptView(const CString& path, const CString& shownName)
{
    // A missing file gets the one message that names it as the project does.
    CDocument* doc = nullptr;
    if (!path.IsEmpty() && ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES && AfxGetApp())
        doc = AfxGetApp()->OpenDocumentFile(path);
    if (!doc) {
        ShowFileAbsent(shownName);
        return nullptr;
    }
    for (POSITION pos = doc->GetFirstViewPosition(); pos;)
        if (auto* view = dynamic_cast<CTavrelinView*>(doc->GetNextView(pos)))
            return view;
    return nullptr;
}

void CTavrelinView::OnGoToDeclaration()
{
    const int caret = int(Sci(SCI_GETCURRENTPOS));
    const int caretLine = int(Sci(SCI_LINEFROMPOSITION, WPARAM(caret)));
    CString name = GetWordAt(caret);
    DeclarationContext context;
    int declarationLine = -1;
    const CString path = GetDocument() ? GetDocument()->GetPathName() : CString();
    if (FindLocalDeclaration(name, context, caretLine, &declarationLine) == 1) {
        g_jumpBack = {TRUE, TRUE, caretLine, caret, path, this};
        GoToLine(declarationLine);
        return;
    }
    const zCTypedHead* record = g_typedInfo.FindDeclaration(Text(name), context);
    if (!record) {
        AfxMessageBox(IDS_DECLARATION_ABSENT, MB_ICONEXCLAMATION);
        return;
    }
    const CString file(record->file.c_str());
    const int line = record->line;
    CTavrelinView* target = OpenScriptView(ProjectPath(file), file);
    if (!target)
        return;
    g_jumpBack = {TRUE, FALSE, caretLine, caret, path, this};
    target->GoToLine(line);
}

void CTavrelinView::OnReturnBack()
{
    if (!g_jumpBack.available)
        return;
    g_jumpBack.available = FALSE;
    // Back by path: the view the jump started in need not be the active one any more.
    CTavrelinView* target = this;
    const CString path = GetDocument() ? GetDocument()->GetPathName() : CString();
    if (!g_jumpBack.path.IsEmpty() && g_jumpBack.path.CompareNoCase(path) != 0) {
        target = OpenScriptView(g_jumpBack.path, g_jumpBack.path);
        if (!target)
            return;
    } else if (g_jumpBack.path.IsEmpty() && g_jumpBack.view != this) {
        return;  // an untitled document elsewhere cannot be found by its path
    }
    target->GoToLine(g_jumpBack.line);
    target->Sci(SCI_GOTOPOS, WPARAM(g_jumpBack.position));
    target->Sci(SCI_MARKERDELETEALL, 0);
}

// Enabling

void CTavrelinView::OnUpdateListMembers(CCmdUI* pCmdUI)
{
    const int caret = int(Sci(SCI_GETCURRENTPOS));
    pCmdUI->Enable(ProjectIsActive() && caret > 0 && IsIdentifierChar(char(Sci(SCI_GETCHARAT, WPARAM(caret - 1)))));
}

void CTavrelinView::OnUpdateNameAtCaret(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(ProjectIsActive() && IsNameStyle(int(Sci(SCI_GETSTYLEAT, WPARAM(Sci(SCI_GETCURRENTPOS))))));
}

void CTavrelinView::OnUpdateParameterInfo(CCmdUI* pCmdUI)
{
    const int caret = int(Sci(SCI_GETCURRENTPOS));
    if (!ProjectIsActive() || Sci(SCI_GETSTYLEAT, WPARAM(caret)) != kIdentifierStyle) {
        pCmdUI->Enable(FALSE);
        return;
    }
    const std::string line = Text(GetLineText(-1));
    size_t at = size_t(GetCaretColumnOffset());
    const size_t nameStart = at;
    while (at < line.size() && IsIdentifierChar(line[at]))
        ++at;
    const bool named = at > nameStart;
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
        ++at;
    const bool call = named && at < line.size() && line[at] == '(';
    const size_t first = line.find_first_not_of(" \t");
    auto begins = [&](const char* word) {
        return first != std::string::npos && FindLeadingWord(line.substr(first), word) == 0;
    };
    pCmdUI->Enable(call && !begins("instance") && !begins("prototype"));
}

void CTavrelinView::OnUpdateReturnBack(CCmdUI* pCmdUI) { pCmdUI->Enable(g_jumpBack.available); }
