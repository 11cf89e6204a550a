// The settings tests' application: the stand-in script view and the application's start and end.
#include "SettingsFixture.h"

#include "CChildFrame.h"
#include "CDocTemplate.h"
#include "EditorSettings.h"
#include "Scintilla.h"

IMPLEMENT_DYNCREATE(ScriptDoc, CDocument)
IMPLEMENT_DYNCREATE(StandInScriptView, CCtrlView)

StandInScriptView::StandInScriptView() : CCtrlView("Scintilla", WS_CHILD | WS_VISIBLE) {}

void StandInScriptView::ApplyStyle(int lexerStyle)
{
    ApplyTextStyle(m_hWnd, lexerStyle, g_pTextStyles[TextStyleRecordOf(lexerStyle)]);
}

void StandInScriptView::ApplySettings()
{
    Sci(SCI_SETTABWIDTH, WPARAM(g_editorOptions.tab));
    Sci(SCI_SETINDENT, WPARAM(g_editorOptions.indent));
    Sci(SCI_SETMOUSEDWELLTIME, WPARAM(g_editorOptions.dwellTime));
}

CMDIFrameWnd* StartSettingsApplication(SettingsApp& app, const char* registryKey)
{
    Scintilla_RegisterClasses(::GetModuleHandleA(nullptr));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + registryKey).c_str());
    app.SetRegistryKey(registryKey);
    app.AddDocTemplate(new CMultiDocTemplate(101, RUNTIME_CLASS(ScriptDoc), RUNTIME_CLASS(CChildFrame),
                                             RUNTIME_CLASS(StandInScriptView)));
    auto* frame = new CMDIFrameWnd;
    if (!frame->LoadFrame(100))
        return nullptr;
    app.m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    return frame;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void EndSettingsApplication(SettingsApp& app)
{
    app.CloseAllDocuments(TRUE);
    if (app.m_pMainWnd)
        app.m_pMainWnd->DestroyWindow();
    Pump();
}

StandInScriptView* NewScript(SettingsApp& app)
{
    app.OnFileNew();
    auto* main = static_cast<CMDIFrameWnd*>(app.m_pMainWnd);
    CFrameWnd* child = main->GetActiveFrame();
    return child ? dynamic_cast<StandInScriptView*>(child->GetActiveView()) : nullptr;
}
