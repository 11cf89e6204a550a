// The editor tests' application and its scratch folder.
#include <gtest/gtest.h>

#include "EditorFixture.h"

#include <fstream>
#include <sstream>

#include <Scintilla.h>

#include "CTavrelinView.h"
#include "EditorTestIds.h"
#include "QueuedAnswers.h"
#include "UiTestProbes.h"

void RegisterEditorClasses()
{
    static const bool registered = Scintilla_RegisterClasses(::GetModuleHandleA(nullptr)) != 0;
    ASSERT_TRUE(registered);
}

int EditorTestApp::DoMessageBox(const char* lpszPrompt, UINT, UINT)
{
    prompts.push_back(lpszPrompt);
    return TakeAnswer(answers);
}

void EditorTest::SetUp()
{
    RegisterEditorClasses();
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::ostringstream name;
    name << temp << "tavrelin-editor-" << ::GetCurrentProcessId() << "-" << ::GetTickCount();
    folder = name.str();
    ::CreateDirectoryA(folder.c_str(), nullptr);

    scripts = new CMultiDocTemplate(IDR_SCRIPTTYPE, RUNTIME_CLASS(CTavrelinDoc), RUNTIME_CLASS(CMDIChildWnd), viewClass);
    app.AddDocTemplate(scripts);
    frame = new ScriptTestFrame;
    ASSERT_TRUE(frame->LoadFrame(128));
    app.m_pMainWnd = frame;
    // Left hidden: under Wine without a window manager a shown frame takes seconds to go.
    frame->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOZORDER);
}

void EditorTest::TearDown()
{
    app.CloseAllDocuments(TRUE);
    if (app.m_pMainWnd)
        app.m_pMainWnd->DestroyWindow();
    Pump();
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string file = Path(found.cFileName);
            ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(file.c_str());
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
}

CTavrelinDoc* EditorTest::Open(const std::string& name, const std::string* bytes)
{
    if (bytes)
        WriteFile(Path(name), *bytes);
    return static_cast<CTavrelinDoc*>(scripts->OpenDocumentFile(Path(name).c_str()));
}

CScintillaView* EditorTest::ViewOf(CDocument* doc)
{
    return static_cast<CScintillaDoc*>(doc)->GetView();
}

void ScriptViewTest::SetUp()
{
    EditorTest::SetUp();
    views = new CMultiDocTemplate(IDR_SCRIPTTYPE, RUNTIME_CLASS(CTavrelinDoc), RUNTIME_CLASS(CMDIChildWnd),
                                  RUNTIME_CLASS(CTavrelinView));
    app.AddDocTemplate(views);
}

CTavrelinView* ScriptViewTest::OpenScript(const std::string& name, const std::string& bytes)
{
    WriteFile(Path(name), bytes);
    CDocument* doc = views->OpenDocumentFile(Path(name).c_str());
    auto* view = doc ? dynamic_cast<CTavrelinView*>(ViewOf(doc)) : nullptr;
    if (view)
        view->Sci(SCI_COLOURISE, 0, -1);
    return view;
}

void EditorTest::Pump()
{
    PumpMessages();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

HWND ActiveDialog()
{
    HWND dialog = ::GetLastActivePopup(::GetActiveWindow());
    char className[16] = {};
    if (!dialog || !::GetClassNameA(dialog, className, sizeof className) || std::string(className) != "#32770")
        return nullptr;
    return dialog;
}
