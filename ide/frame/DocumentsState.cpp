// The "Documents" section of the project file.
#include "DocumentsState.h"

#include <vector>

#include "CChildFrame.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CTavrelinView.h"
#include "CView.h"
#include "CWinApp.h"
#include "CXTPPropExchange.h"
#include "EditorSettings.h"
#include "IdeServices.h"
#include "OpenDocuments.h"

namespace {

CString ProjectFolder()
{
    zCIdeServices* ide = zGetIdeServices();
    return ide ? CString(ide->GetProjectFolder().c_str()) : CString();
}

// A path in the project folder is stored relative to it, so the project can move.
CString StoredName(const CString& path)
{
    const CString folder = ProjectFolder();
    const int length = folder.GetLength();
    if (length > 0 && path.GetLength() > length && path.Left(length).CompareNoCase(folder) == 0)
        return path.Mid(length);
    return path;
}

// A relative name is found in the project folder, whatever the current directory.
CString OpenedName(const CString& name)
{
    const bool absolute = (name.GetLength() > 1 && name[1] == ':') || name[0] == '\\' || name[0] == '/';
    return absolute ? name : ProjectFolder() + name;
}

// A view's section is named by its file's name: the title without the modified mark, so that
// a project saved while a file was being edited finds the state again.
CString SectionName(const CString& path)
{
    int slash = path.ReverseFind('\\');
    if (path.ReverseFind('/') > slash)
        slash = path.ReverseFind('/');
    return "ViewState-" + path.Mid(slash + 1);
}

CView* FirstView(CDocument* doc)
{
    POSITION pos = doc ? doc->GetFirstViewPosition() : nullptr;
    return pos ? doc->GetNextView(pos) : nullptr;
}

CDocument* MainFramesActiveDocument()
{
    CWinApp* app = AfxGetApp();
    auto* main = app ? dynamic_cast<CFrameWnd*>(app->m_pMainWnd) : nullptr;
    CFrameWnd* active = main ? main->GetActiveFrame() : nullptr;
    return active ? active->GetActiveDocument() : nullptr;
}

// One view's state; a file that is not open (or shows no script) still takes its place in the
// section, so that the values after it stay in step.
void ExchangeState(CXTPPropExchange* px, const CString& path, CDocument* doc)
{
    CXTPPropExchangeSection section(px->GetSection(SectionName(path)));
    if (!section.Get())
        return;
    if (auto* view = dynamic_cast<CTavrelinView*>(FirstView(doc))) {
        view->ExchangeViewState(section);
    } else {
        CTavrelinView::ViewState ignored;
        CTavrelinView::ExchangeViewStateValues(section, ignored);
    }
}

// Reads the section; with open the files are opened and take their colours and states,
// without it the values are only read past.
void ReadDocumentsState(CXTPPropExchange* px, bool open)
{
    CWinApp* app = open ? AfxGetApp() : nullptr;
    const long defaultColor = long(g_tabColors.defaultColor);
    struct Entry {
        CString path;
        CDocument* doc;  // null when it could not be opened
    };
    std::vector<Entry> entries;
    for (;;) {
        CString name;
        PX_String(px, "OpenFile", name);
        if (name.IsEmpty())
            break;
        const CString path = OpenedName(name);
        CDocument* doc = app ? app->OpenDocumentFile(path) : nullptr;
        long color = defaultColor;
        PX_LongDefault(px, "TabColor", color, defaultColor);  // read also for a file that failed
        CView* view = FirstView(doc);
        if (auto* frame = view ? dynamic_cast<CChildFrame*>(view->GetParentFrame()) : nullptr)
            frame->SetTabColor(DWORD(color));
        entries.push_back({path, doc});
    }
    BOOL hasActive = FALSE;
    PX_Bool(px, "ActiveFile", hasActive, FALSE);
    if (hasActive) {
        CString name;
        PX_String(px, "OpenFile", name);
        if (!name.IsEmpty() && app)
            app->OpenDocumentFile(OpenedName(name));  // already open: it comes forward
    }
    for (const Entry& entry : entries)
        ExchangeState(px, entry.path, entry.doc);
}

}  // namespace

void SkipDocumentsState(CXTPPropExchange* px)
{
    ReadDocumentsState(px, false);
}

void ExchangeDocumentsState(CXTPPropExchange* px)
{
    const long defaultColor = long(g_tabColors.defaultColor);
    if (!px->IsLoading()) {
        std::vector<CDocument*> listed;
        ForEachOpenDocument([&](CDocument* doc) {
            if (!doc->GetPathName().IsEmpty())
                listed.push_back(doc);
        });
        for (CDocument* doc : listed) {
            CString name = StoredName(doc->GetPathName());
            PX_String(px, "OpenFile", name);
            CView* view = FirstView(doc);
            auto* frame = view ? dynamic_cast<CChildFrame*>(view->GetParentFrame()) : nullptr;
            long color = frame ? long(frame->GetTabColor()) : defaultColor;
            PX_LongDefault(px, "TabColor", color, defaultColor);
        }
        CString end;
        PX_String(px, "OpenFile", end);
        CDocument* active = MainFramesActiveDocument();
        BOOL hasActive = active && !active->GetPathName().IsEmpty();
        PX_Bool(px, "ActiveFile", hasActive, FALSE);
        if (hasActive) {
            CString name = StoredName(active->GetPathName());
            PX_String(px, "OpenFile", name);
        }
        for (CDocument* doc : listed)
            ExchangeState(px, doc->GetPathName(), doc);
        return;
    }

    ReadDocumentsState(px, true);
}
