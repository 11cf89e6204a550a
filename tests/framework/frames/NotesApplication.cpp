// The test application's main frame with its bars, and its start.
#include "NotesApplication.h"
#include "ResourceIds.h"

BEGIN_MESSAGE_MAP(NotesMainFrame, MainFrame)
    ON_WM_CREATE()
    ON_UPDATE_COMMAND_UI(ID_TEST_PANE, OnUpdateDocumentPane)
END_MESSAGE_MAP()

namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_TEST_PANE, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};

}  // namespace

int NotesMainFrame::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (MainFrame::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndStatusBar.Create(this) ||
        !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(sizeof(kIndicators) / sizeof(kIndicators[0]))))
        return -1;
    const DWORD findStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
    if (!m_wndReBar.Create(this) || !m_wndFind.Create(findStyle, CRect(0, 0, 180, 22), this, ID_TEST_FIND) ||
        !m_wndReBar.AddBar(&m_wndFind, "Find:"))
        return -1;
    RecalcLayout();
    return 0;
}

void NotesMainFrame::OnUpdateDocumentPane(CCmdUI* pCmdUI)
{
    CDocument* doc = GetActiveDocument();
    pCmdUI->SetText(doc ? static_cast<const char*>(doc->GetTitle()) : "");
}

NotesMainFrame* StartNotesApplication(CWinApp& app)
{
    app.AddDocTemplate(
        new CMultiDocTemplate(IDR_NOTETYPE, RUNTIME_CLASS(NoteDoc), RUNTIME_CLASS(NoteFrame), RUNTIME_CLASS(NoteView)));
    NotesMainFrame* frame = new NotesMainFrame;
    if (!frame->LoadFrame(IDR_TEST_FRAME))
        return nullptr;
    app.m_pMainWnd = frame;
    return frame;
}
