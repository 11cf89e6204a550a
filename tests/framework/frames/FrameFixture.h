// The frame tests' application: a note document type with its view and child frame, an MDI main
// frame, and an application whose prompts and file dialogs the tests answer.
#pragma once

#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "CDC.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"
#include "CView.h"
#include "CWinApp.h"
#include "FrameTestIds.h"

// Who took each routed command, in order.
extern std::vector<std::string> g_handled;

class NoteDoc : public CDocument {
    DECLARE_DYNCREATE(NoteDoc)

public:
    CString m_text;
    int m_value = 0;
    bool m_failWhileStoring = false;  // Serialize throws after writing part of the document
    int m_deleted = 0;                // DeleteContents calls

    void Serialize(CArchive& ar) override;
    void DeleteContents() override;
    void OnTestDoc();
    void OnTestAll();

    DECLARE_MESSAGE_MAP()
};

class NoteView : public CView {
    DECLARE_DYNCREATE(NoteView)

public:
    int m_initialUpdates = 0;
    int m_updates = 0;
    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnTestView();
    void OnTestAll();

    DECLARE_MESSAGE_MAP()
};

class NoteFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(NoteFrame)

public:
    void OnTestChild();
    void OnTestAll();

    DECLARE_MESSAGE_MAP()
};

class MainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(MainFrame)

public:
    void OnTestMain();
    void OnTestAll();

    DECLARE_MESSAGE_MAP()
};

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("FrameTests") {}

    std::deque<int> answers;           // for the next message boxes; IDCANCEL when empty
    std::vector<std::string> prompts;  // the texts they showed
    std::string saveAs;                // the file dialog's answer; empty cancels

    int DoMessageBox(const char* lpszPrompt, UINT nType, UINT nIDPrompt) override;
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate) override;
    void OnTestApp();
    void OnTestAll();

    DECLARE_MESSAGE_MAP()
};

// Rectangles in failure messages.
inline std::ostream& operator<<(std::ostream& out, const CRect& r)
{
    return out << "(" << r.left << "," << r.top << " - " << r.right << "," << r.bottom << ")";
}

// Delivers what is queued (the way the message loop does) and runs the idle update.
void PumpAndIdle(CWinApp& app);
// Closes every document and the main window, and takes the loop's end from the queue.
void EndApplication(CWinApp& app);
// A child window's rectangle in its parent's client coordinates.
CRect ChildRect(HWND child);
// A scratch folder of the test, emptied and removed by its destructor.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    std::string Path(const char* name) const { return path + "\\" + name; }
    std::vector<std::string> Files() const;
    std::string path;
};
// The whole of a file, or "" when it cannot be read.
std::string ReadFile(const std::string& path);
