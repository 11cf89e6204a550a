// Document templates: document strings, matching paths, making documents and frames, and the
// template of several documents with its shared menu.
#include "CDocTemplate.h"

#include <algorithm>

#include "AfxIds.h"
#include "AfxResource.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CMenu.h"
#include "CView.h"
#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass), m_nIDResource(nIDResource)
{
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    return AfxExtractSubString(rString, m_strDocStrings, static_cast<int>(index));
}

namespace {

// Paths compare without regard to case, as the file system does.
bool SamePath(const char* a, const char* b)
{
    char fullA[MAX_PATH * 2] = {};
    char fullB[MAX_PATH * 2] = {};
    DWORD lengthA = ::GetFullPathNameA(a, sizeof(fullA), fullA, nullptr);
    DWORD lengthB = ::GetFullPathNameA(b, sizeof(fullB), fullB, nullptr);
    if (lengthA == 0 || lengthA >= sizeof(fullA) || lengthB == 0 || lengthB >= sizeof(fullB))
        return ::lstrcmpiA(a, b) == 0;
    return ::lstrcmpiA(fullA, fullB) == 0;
}

}  // namespace

CDocTemplate::Confidence CDocTemplate::MatchDocType(const char* lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = nullptr;
    if (!lpszPathName || !*lpszPathName)
        return noAttempt;
    for (POSITION pos = GetFirstDocPosition(); pos;) {
        CDocument* doc = GetNextDoc(pos);
        if (!doc->GetPathName().IsEmpty() && SamePath(doc->GetPathName(), lpszPathName)) {
            rpDocMatch = doc;
            return yesAlreadyOpen;
        }
    }
    // The extensions ".d" or ".d;.x" against the path's own.
    CString exts;
    GetDocString(exts, filterExt);
    CString path(lpszPathName);
    int dot = path.ReverseFind('.');
    int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    if (dot > slash && !exts.IsEmpty()) {
        CString ext = path.Mid(dot);
        CString one;
        for (int i = 0; AfxExtractSubString(one, exts, i, ';'); ++i) {
            one.Trim();
            if (!one.IsEmpty() && one[0] == '*')
                one = one.Mid(1);
            if (!one.IsEmpty() && ext.CompareNoCase(one) == 0)
                return yesAttemptNative;
        }
    }
    return yesAttemptForeign;
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* made = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    if (made && !made->IsKindOf(RUNTIME_CLASS(CDocument))) {
        delete made;
        made = nullptr;
    }
    CDocument* doc = static_cast<CDocument*>(made);
    if (doc)
        AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* made = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    if (made && !made->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        delete made;
        return nullptr;
    }
    CFrameWnd* frame = static_cast<CFrameWnd*>(made);
    // A frame that cannot be made has deleted itself.
    if (!frame || !frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos;) {
        if (!GetNextDoc(pos)->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    // The position moves on before the document closes and leaves the list.
    for (POSITION pos = GetFirstDocPosition(); pos;)
        GetNextDoc(pos)->OnCloseDocument();
}

// ---- Several documents -------------------------------------------------------------------------

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    while (!m_docList.IsEmpty())
        delete static_cast<CDocument*>(m_docList.GetHead());  // leaves the list itself
    if (m_hMenuShared)
        ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (!m_hMenuShared) {
        CMenu menu;
        if (menu.LoadMenu(m_nIDResource))
            m_hMenuShared = menu.Detach();
    }
    if (!m_hAccelTable)
        m_hAccelTable = AfxLoadAccelTable(m_nIDResource);
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    if (!m_docList.Find(pDoc))
        m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (POSITION pos = m_docList.Find(pDoc))
        m_docList.RemoveAt(pos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (GetDocString(title, docName) && !title.IsEmpty()) {
        CString number;
        number.Format("%u", ++m_nUntitledCount);
        title += number;
    } else {
        title.LoadString(AFX_IDS_UNTITLED);
    }
    pDocument->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible)
{
    CDocument* doc = CreateNewDocument();
    if (!doc) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }
    // The document lives through a failed frame; it is ours to delete then.
    const BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete doc;
        return nullptr;
    }
    // A document that failed goes with its last view, or by hand when it has none.
    auto discard = [&]() {
        const bool hasViews = doc->GetFirstViewPosition() != nullptr;
        frame->DestroyWindow();
        if (!hasViews)
            delete doc;
    };
    if (!lpszPathName) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            discard();
            return nullptr;
        }
    } else {
        if (!doc->OnOpenDocument(lpszPathName)) {
            discard();
            return nullptr;
        }
        doc->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}
