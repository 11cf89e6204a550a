// CTavrelinDoc: the script document.
#include "CTavrelinDoc.h"

#include <algorithm>

#include "CTavrelinView.h"
#include "FileWatcher.h"

IMPLEMENT_DYNCREATE(CTavrelinDoc, CScintillaDoc)

namespace {

// The extension of a path without its dot; empty when its last part has none.
CString ExtensionOf(const CString& path)
{
    const int dot = path.ReverseFind('.');
    const int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return dot > slash ? path.Mid(dot + 1) : CString();
}

}  // namespace

CTavrelinDoc::~CTavrelinDoc() { RemoveFileWatch(m_nWatchId); }

void CTavrelinDoc::SetPathName(const char* lpszPathName, BOOL bAddToMRU)
{
    RemoveFileWatch(m_nWatchId);
    m_nWatchId = 0;
    CScintillaDoc::SetPathName(lpszPathName, bAddToMRU);
    WatchFile();
}

void CTavrelinDoc::WatchFile() { m_nWatchId = AddFileWatch(GetPathName(), nullptr, this); }

void CTavrelinDoc::SetModifiedFlag(BOOL bModified)
{
    CScintillaDoc::SetModifiedFlag(bModified);
    CString title = GetTitle();
    const int mark = title.Find(" *");
    if (bModified && mark < 0)
        title += " *";
    else if (!bModified && mark >= 0)
        title = title.Left(mark) + title.Mid(mark + 2);
    else
        return;
    SetTitle(title);
}

BOOL CTavrelinDoc::OnSaveDocument(const char* lpszPathName)
{
    // The watch goes on over the save with the time it leaves: no new thread per save.
    PauseFileWatch(m_nWatchId);
    const BOOL saved = CScintillaDoc::OnSaveDocument(lpszPathName);
    ResumeFileWatch(m_nWatchId);
    if (saved) {
        if (auto* script = dynamic_cast<CTavrelinView*>(GetView()))
            script->SetupLexer(lpszPathName);  // keyword lists too, when the lexer changed
        else if (CScintillaView* view = GetView())
            view->SetLexerForExtension(ExtensionOf(lpszPathName));
    }
    return saved;
}

BOOL CTavrelinDoc::ReloadFromDisk()
{
    if (GetPathName().IsEmpty())
        return FALSE;
    const BOOL wasModified = IsModified();
    SetModifiedFlag(FALSE);
    if (!CDocument::OnOpenDocument(GetPathName())) {
        // The file could not be opened (and the user was told): the text is still the editor's,
        // changes and all, so it must not pass for saved. A read that failed half-way has
        // dropped the text; nothing is left then that should be saved over the file.
        CScintillaView* view = GetView();
        if (view && view->GetCtrl().m_hWnd && view->GetCtrl().GetLength() > 0)
            SetModifiedFlag(wasModified);
        return FALSE;
    }
    UpdateAllViews(nullptr);
    return TRUE;
}
