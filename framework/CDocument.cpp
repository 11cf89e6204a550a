// Documents: views, reading and writing through Serialize, the save prompt and closing.
#include "CDocument.h"

#include <algorithm>

#include "AfxIds.h"
#include "CArchive.h"
#include "CDocTemplate.h"
#include "CException.h"
#include "CFile.h"
#include "CFrameWnd.h"
#include "CView.h"
#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::~CDocument()
{
    // Views still attached (a document deleted directly) must not point here any more.
    while (!m_viewList.IsEmpty())
        static_cast<CView*>(m_viewList.RemoveHead())->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

// ---- Path and title ----------------------------------------------------------------------------

void CDocument::SetTitle(const char* lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : "";
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CFrameWnd* frame = GetNextView(pos)->GetParentFrame();
        if (!frame)
            continue;
        frame->OnUpdateFrameTitle(TRUE);
        // The main frame's title names the active document.
        if (CFrameWnd* top = frame->GetParentFrame())
            top->DelayUpdateFrameTitle();
    }
}

void CDocument::SetPathName(const char* lpszPathName, BOOL bAddToMRU)
{
    char full[MAX_PATH * 2] = {};
    char* name = nullptr;
    DWORD length = ::GetFullPathNameA(lpszPathName, sizeof(full), full, &name);
    if (length == 0 || length >= sizeof(full)) {
        m_strPathName = lpszPathName;
        CString path(lpszPathName);
        int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
        SetTitle(path.Mid(slash + 1));
    } else {
        m_strPathName = full;
        SetTitle(name ? name : full);
    }
    if (bAddToMRU && AfxGetApp())
        AfxGetApp()->AddToRecentFileList(m_strPathName);
}

// ---- Views ---------------------------------------------------------------------------------------

void CDocument::AddView(CView* pView)
{
    if (!pView || pView->m_pDocument == this)
        return;
    if (pView->m_pDocument)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = pView ? m_viewList.Find(pView) : nullptr;
    if (!pos)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::OnChangedViewList()
{
    if (m_bAutoDelete && m_viewList.IsEmpty())
        OnCloseDocument();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* view = GetNextView(pos);
        if (view != pSender)
            view->OnUpdate(pSender, lHint, pHint);
    }
}

// ---- Reading and writing ---------------------------------------------------------------------------

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* lpszPathName)
{
    CFile file;
    CFileException* error = new CFileException;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, error)) {
        ReportSaveLoadException(lpszPathName, error, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        error->Delete();
        return FALSE;
    }
    error->Delete();
    DeleteContents();
    SetModifiedFlag(TRUE);  // dirty while half read
    try {
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        file.Abort();
        // What was read is dropped; an empty document must not be saved over the file.
        DeleteContents();
        SetModifiedFlag(FALSE);
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

namespace {

// The cause of a failed system call on a file.
int FileCause(DWORD osError)
{
    switch (osError) {
    case ERROR_FILE_NOT_FOUND:
        return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
        return CFileException::badPath;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return CFileException::accessDenied;
    case ERROR_SHARING_VIOLATION:
        return CFileException::sharingViolation;
    case ERROR_LOCK_VIOLATION:
        return CFileException::lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return CFileException::diskFull;
    default:
        return CFileException::genericException;
    }
}

// The folder of a path ("." when it has none).
CString FolderOf(const char* lpszPathName)
{
    CString path(lpszPathName);
    int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return slash < 0 ? CString(".") : path.Left(slash + 1);
}

}  // namespace

BOOL CDocument::OnSaveDocument(const char* lpszPathName)
{
    // A missing folder, or a file that is read-only, is refused before anything is written
    // (some systems let the replacing rename below pass over a read-only file).
    const CString folder = FolderOf(lpszPathName);
    const DWORD folderAttributes = ::GetFileAttributesA(folder);
    const DWORD fileAttributes = ::GetFileAttributesA(lpszPathName);
    int refused = CFileException::none;
    if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY))
        refused = CFileException::badPath;
    else if (fileAttributes != INVALID_FILE_ATTRIBUTES &&
             (fileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        refused = CFileException::accessDenied;
    // Written beside the target first, so that a failure on the way (disk full, an error in
    // Serialize) leaves the old file whole.
    char temp[MAX_PATH] = {};
    DWORD osError = 0;
    if (refused == CFileException::none && !::GetTempFileNameA(folder, "tav", 0, temp)) {
        osError = ::GetLastError();
        refused = FileCause(osError);
    }
    if (refused != CFileException::none) {
        CFileException error(refused, static_cast<LONG>(osError), lpszPathName);
        ReportSaveLoadException(lpszPathName, &error, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    CFile file;
    CFileException* error = new CFileException;
    if (!file.Open(temp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary, error)) {
        error->m_strFileName = lpszPathName;
        ReportSaveLoadException(lpszPathName, error, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        error->Delete();
        ::DeleteFileA(temp);
        return FALSE;
    }
    error->Delete();
    try {
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        ::DeleteFileA(temp);
        // The user knows the document by its own name, not the scratch file's.
        if (CFileException* fe = dynamic_cast<CFileException*>(e))
            fe->m_strFileName = lpszPathName;
        else if (CArchiveException* ae = dynamic_cast<CArchiveException*>(e))
            ae->m_strFileName = lpszPathName;
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    if (!::MoveFileExA(temp, lpszPathName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
        const DWORD osError = ::GetLastError();
        CFileException replace(FileCause(osError), static_cast<LONG>(osError), lpszPathName);
        ::DeleteFileA(temp);
        ReportSaveLoadException(lpszPathName, &replace, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(const char* lpszPathName, CException* e, BOOL, UINT nIDPDefault)
{
    CString message;
    if (e)
        message = e->GetErrorText();
    if (message.IsEmpty()) {
        CString format;
        format.LoadString(nIDPDefault);
        message.Format(format, lpszPathName ? lpszPathName : "");
    }
    AfxMessageBox(message, MB_ICONEXCLAMATION, nIDPDefault);
}

// ---- Saving on the user's word -----------------------------------------------------------------------

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    if (name.IsEmpty())
        name.LoadString(AFX_IDS_UNTITLED);
    CString format;
    format.LoadString(AFX_IDP_ASK_TO_SAVE);
    CString prompt;
    prompt.Format(format, static_cast<const char*>(name));
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDocument::DoFileSave()
{
    const DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    // A read-only file is saved under a new name; a missing one (deleted meanwhile) is written again.
    if (m_strPathName.IsEmpty() || (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(const char* lpszPathName, BOOL bReplace)
{
    CString name(lpszPathName);
    if (name.IsEmpty()) {
        name = m_strPathName;
        if (name.IsEmpty()) {
            // The title with the type's extension as the suggestion, cut before anything a
            // file name cannot hold (a title may carry marks such as " *").
            name = m_strTitle;
            const int bad = name.FindOneOf(":/\\*?\"<>|");
            if (bad >= 0)
                name = name.Left(bad);
            name.TrimRight();
            CString ext;
            if (m_pDocTemplate && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty()) {
                int semicolon = ext.Find(';');
                if (semicolon >= 0)
                    ext = ext.Left(semicolon);
                name += ext;
            }
        }
        CWinApp* app = AfxGetApp();
        if (!app || !app->DoPromptFileName(name, AFX_IDS_SAVEFILE, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE,
                                           m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(name))
        return FALSE;
    if (bReplace)
        SetPathName(name);
    return TRUE;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        if (GetNextView(pos)->GetParentFrame() != pFrame)
            return TRUE;  // another frame keeps the document
    }
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

void CDocument::OnCloseDocument()
{
    // The document stays while its frames go, whatever their views do.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* view = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* frame = view->GetParentFrame();
        if (frame) {
            PreCloseFrame(frame);
            frame->DestroyWindow();
        }
        // A view without a frame, or one whose frame kept it, leaves the list by hand.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == view) {
            if (view->m_hWnd)
                view->DestroyWindow();
            else
                RemoveView(view);
        }
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

// ---- Commands ---------------------------------------------------------------------------------------

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}
