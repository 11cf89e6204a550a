// CScintillaDoc: the editor document, handing its text to its view.
#include "CScintillaDoc.h"

#include "CScintillaView.h"

IMPLEMENT_DYNCREATE(CScintillaDoc, CDocument)

CScintillaView* CScintillaDoc::GetView() const
{
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* view = GetNextView(pos);
        if (view->IsKindOf(RUNTIME_CLASS(CScintillaView)))
            return static_cast<CScintillaView*>(view);
    }
    return nullptr;
}

void CScintillaDoc::Serialize(CArchive& ar)
{
    if (CScintillaView* view = GetView())
        view->Serialize(ar);
}

BOOL CScintillaDoc::IsModified()
{
    if (CDocument::IsModified())
        return TRUE;
    CScintillaView* view = GetView();
    return view && view->GetCtrl().m_hWnd && view->GetCtrl().GetModify() != 0;
}

void CScintillaDoc::SetModifiedFlag(BOOL bModified)
{
    CScintillaView* view = GetView();
    if (!bModified && view && view->GetCtrl().m_hWnd)
        view->GetCtrl().SetSavePoint();
    CDocument::SetModifiedFlag(bModified);
}

void CScintillaDoc::DeleteContents()
{
    CDocument::DeleteContents();
    CScintillaView* view = GetView();
    if (view && view->GetCtrl().m_hWnd) {
        BeginWaitCursor();
        view->ClearContents();
        EndWaitCursor();
    }
}

BOOL CScintillaDoc::OnSaveDocument(const char* lpszPathName)
{
    if (!CDocument::OnSaveDocument(lpszPathName))
        return FALSE;
    if (CScintillaView* view = GetView()) {
        view->GetCtrl().SetSavePoint();
        view->GetCtrl().SetReadOnly(0);
    }
    return TRUE;
}
