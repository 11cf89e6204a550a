// Operations over all open documents.
#include "OpenDocuments.h"

#include <cstring>
#include <vector>

#include "CChildFrame.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CView.h"
#include "CWinApp.h"

void ForEachOpenDocument(const std::function<void(CDocument*)>& what)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    // Gathered first: what is done may close documents.
    std::vector<CDocument*> documents;
    for (POSITION t = app->GetFirstDocTemplatePosition(); t;) {
        CDocTemplate* docTemplate = app->GetNextDocTemplate(t);
        for (POSITION d = docTemplate->GetFirstDocPosition(); d;)
            documents.push_back(docTemplate->GetNextDoc(d));
    }
    for (CDocument* doc : documents)
        what(doc);
}

void SaveModifiedDocuments()
{
    ForEachOpenDocument([](CDocument* doc) {
        // A document without a path has no file of its own to go to.
        if (doc->IsModified() && !doc->GetPathName().IsEmpty())
            doc->OnSaveDocument(doc->GetPathName());
    });
}

void RenameOpenDocument(const char* oldPath, const char* newPath)
{
    ForEachOpenDocument([&](CDocument* doc) {
        if (std::strcmp(doc->GetPathName(), oldPath) == 0)
            doc->SetPathName(newPath, FALSE);
    });
}

void CloseOpenDocument(const char* path)
{
    ForEachOpenDocument([&](CDocument* doc) {
        if (std::strcmp(doc->GetPathName(), path) == 0)
            doc->OnCloseDocument();
    });
}

void ApplyTabColorsToAll()
{
    ForEachOpenDocument([](CDocument* doc) {
        for (POSITION v = doc->GetFirstViewPosition(); v;) {
            CView* view = doc->GetNextView(v);
            if (auto* frame = dynamic_cast<CChildFrame*>(view->GetParentFrame())) {
                frame->ApplyTabColorRule();
                frame->UpdateWindow();
            }
        }
    });
}
