// The editor tests' application: a plain MDI frame showing script documents in editor views,
// whose prompts the tests answer.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "CDocTemplate.h"
#include "CMDIChildWnd.h"
#include "CMainFrame.h"
#include "CScintillaView.h"
#include "CStatusBar.h"
#include "CTavrelinDoc.h"
#include "CWinApp.h"

// The program's main frame, its status bar with the script view's panes (fold level, style,
// caret, overtype) at hand.
class ScriptTestFrame : public CMainFrame {
public:
    CXTPStatusBar& status = m_wndStatusBar;
};

// Registers the editing component's window class, once.
void RegisterEditorClasses();

class EditorTestApp : public CWinApp {
public:
    EditorTestApp() : CWinApp("EditorTests") {}
    std::deque<int> answers;           // for the next message boxes; IDCANCEL when empty
    std::vector<std::string> prompts;  // the texts they showed
    int DoMessageBox(const char* lpszPrompt, UINT nType, UINT nIDPrompt) override;
};

class EditorTest : public ::testing::Test {
protected:
    EditorTestApp app;
    CMultiDocTemplate* scripts = nullptr;
    ScriptTestFrame* frame = nullptr;
    std::string folder;
    // The view of the script documents; a test may set it before SetUp.
    CRuntimeClass* viewClass = RUNTIME_CLASS(CScintillaView);

    void SetUp() override;
    void TearDown() override;

    // Opens a file (written first with the given bytes when they are given).
    CTavrelinDoc* Open(const std::string& name, const std::string* bytes = nullptr);
    static CScintillaView* ViewOf(CDocument* doc);
    std::string Path(const std::string& name) const { return folder + "\\" + name; }
    void Pump();
};

class CTavrelinView;

// Scripts opened through a second template whose views are script views.
class ScriptViewTest : public EditorTest {
protected:
    CMultiDocTemplate* views = nullptr;

    void SetUp() override;
    // Writes the file, opens it and styles it whole; null when no script view shows it.
    CTavrelinView* OpenScript(const std::string& name, const std::string& bytes);
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
// The dialog in front of the active window (its last active popup, when that is a dialog); null
// while none is up.
HWND ActiveDialog();
