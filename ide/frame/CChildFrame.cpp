// The script views' MDI child frame: the life of the shared editor settings and their spread to every view.
#include "CChildFrame.h"

#include "CDocTemplate.h"
#include "CDocument.h"
#include "CView.h"
#include "CWinApp.h"
#include "EditorSettings.h"
#include "EditorSettingsTarget.h"

namespace {

int g_openFrames = 0;

// Calls what on every view of every open document that shows a script.
template <class What>
void ForEachSettingsTarget(What what)
{
    CWinApp* app = AfxGetApp();
    for (POSITION t = app->GetFirstDocTemplatePosition(); t;) {
        CDocTemplate* docTemplate = app->GetNextDocTemplate(t);
        for (POSITION d = docTemplate->GetFirstDocPosition(); d;) {
            CDocument* doc = docTemplate->GetNextDoc(d);
            for (POSITION v = doc->GetFirstViewPosition(); v;)
                if (auto* target = dynamic_cast<EditorSettingsTarget*>(doc->GetNextView(v)))
                    what(*target);
        }
    }
}

}  // namespace

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
    ON_MESSAGE(kMsgTextStyleChanged, OnTextStyleChanged)
    ON_MESSAGE(kMsgEditorOptionsChanged, OnEditorOptionsChanged)
END_MESSAGE_MAP()

CChildFrame::CChildFrame()
{
    ++g_openFrames;
    if (!g_pTextStyles) {
        g_pTextStyles = new TextStyle[kTextStyleCount];
        LoadEditorOptions();
        LoadTabColors();
    }
}

CChildFrame::~CChildFrame()
{
    if (--g_openFrames == 0) {
        SaveTextStyles();
        delete[] g_pTextStyles;
        g_pTextStyles = nullptr;
        SaveTabColors();
    }
}

int CChildFrame::GetOpenFrameCount() { return g_openFrames; }

LRESULT CChildFrame::OnTextStyleChanged(WPARAM wParam, LPARAM lParam)
{
    const int lexerStyle = static_cast<int>(wParam);
    const int record = static_cast<int>(lParam);
    if (TextStyleRecordOf(lexerStyle) < 0 || record < 0 || record >= kTextStyleCount)
        return 0;
    ForEachSettingsTarget([&](EditorSettingsTarget& target) {
        target.ApplyStyle(lexerStyle);
        target.ApplyRecord(record);  // the other styles that share the record
    });
    SaveTextStyle(record);
    return 1;
}

LRESULT CChildFrame::OnEditorOptionsChanged(WPARAM, LPARAM)
{
    ForEachSettingsTarget([](EditorSettingsTarget& target) { target.ApplySettings(); });
    RestartAutosave();
    SaveEditorOptions();
    return 1;
}
