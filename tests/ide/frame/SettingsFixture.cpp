// The settings tests' application: the application's start and end.
#include "SettingsFixture.h"

#include "CChildFrame.h"
#include "CDocTemplate.h"
#include "CScintillaDoc.h"
#include "EditorSettings.h"
#include "Scintilla.h"
#include "UiTestProbes.h"

CMDIFrameWnd* StartSettingsApplication(SettingsApp& app, const char* registryKey)
{
    Scintilla_RegisterClasses(::GetModuleHandleA(nullptr));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + registryKey).c_str());
    app.SetRegistryKey(registryKey);
    app.AddDocTemplate(new CMultiDocTemplate(101, RUNTIME_CLASS(CScintillaDoc), RUNTIME_CLASS(CChildFrame),
                                             RUNTIME_CLASS(CTavrelinView)));
    auto* frame = new CMDIFrameWnd;
    if (!frame->LoadFrame(100))
        return nullptr;
    app.m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    return frame;
}

void Pump()
{
    PumpMessages();
}

void EndSettingsApplication(SettingsApp& app)
{
    app.CloseAllDocuments(TRUE);
    if (app.m_pMainWnd)
        app.m_pMainWnd->DestroyWindow();
    Pump();
}

CTavrelinView* NewScript(SettingsApp& app)
{
    app.OnFileNew();
    auto* main = static_cast<CMDIFrameWnd*>(app.m_pMainWnd);
    CFrameWnd* child = main->GetActiveFrame();
    return child ? dynamic_cast<CTavrelinView*>(child->GetActiveView()) : nullptr;
}

void SettingsAppTest::SetUp()
{
    main = StartSettingsApplication(app, kKey);
    ASSERT_NE(main, nullptr);
}

void SettingsAppTest::TearDown()
{
    EndSettingsApplication(app);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kKey).c_str());
}

int SettingsAppTest::Stored(const char* section, const char* name)
{
    return int(app.GetProfileInt(section, name, -12345));
}

std::vector<BYTE> SettingsAppTest::StoredBytes(const char* name)
{
    LPBYTE data = nullptr;
    UINT count = 0;
    app.GetProfileBinary("Text Styles", name, &data, &count);
    std::vector<BYTE> bytes(data, data + count);
    delete[] data;
    return bytes;
}

namespace {

CDialog* g_playedDialog = nullptr;
std::function<void(HWND)> g_play;

void CALLBACK PlayStep(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!g_playedDialog || !g_playedDialog->m_hWnd)
        return;  // not up yet
    ::KillTimer(nullptr, timer);
    auto play = std::move(g_play);
    g_play = nullptr;
    play(g_playedDialog->m_hWnd);
}

}  // namespace

INT_PTR PlayModal(CDialog& dialog, std::function<void(HWND)> play)
{
    g_playedDialog = &dialog;
    g_play = std::move(play);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, PlayStep);
    const INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    g_playedDialog = nullptr;
    g_play = nullptr;
    return result;
}

std::string ItemText(HWND dialog, int id)
{
    char text[256] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void Click(HWND dialog, int id)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void SelectIndex(HWND dialog, int id, int index)
{
    HWND combo = ::GetDlgItem(dialog, id);
    ::SendMessageA(combo, CB_SETCURSEL, WPARAM(index), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}
