// The frame tests' application and its note document type.
#include "FrameFixture.h"

#include <fstream>
#include <sstream>

#include "CArchive.h"
#include "CException.h"

std::vector<std::string> g_handled;

IMPLEMENT_DYNCREATE(NoteDoc, CDocument)
BEGIN_MESSAGE_MAP(NoteDoc, CDocument)
    ON_COMMAND(ID_TEST_DOC, OnTestDoc)
    ON_COMMAND(ID_TEST_ALL, OnTestAll)
END_MESSAGE_MAP()

void NoteDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_text;
        if (m_failWhileStoring) {
            ar.Flush();  // part of it reaches the file
            AfxThrowFileException(CFileException::diskFull, -1, "scratch");
        }
        ar << m_value;
    } else {
        ar >> m_text;
        ar >> m_value;
    }
}

void NoteDoc::DeleteContents()
{
    ++m_deleted;
    m_text.Empty();
    m_value = 0;
}

void NoteDoc::OnTestDoc() { g_handled.push_back("doc " + std::string(GetTitle())); }
void NoteDoc::OnTestAll() { g_handled.push_back("doc all"); }

IMPLEMENT_DYNCREATE(NoteView, CView)
BEGIN_MESSAGE_MAP(NoteView, CView)
    ON_COMMAND(ID_TEST_VIEW, OnTestView)
    ON_COMMAND(ID_TEST_ALL, OnTestAll)
END_MESSAGE_MAP()

void NoteView::OnDraw(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, RGB(255, 255, 240));
    NoteDoc* doc = static_cast<NoteDoc*>(GetDocument());
    if (doc)
        pDC->TextOut(4, 4, doc->m_text);
}

void NoteView::OnInitialUpdate()
{
    ++m_initialUpdates;
    CView::OnInitialUpdate();
}

void NoteView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    ++m_updates;
    CView::OnUpdate(pSender, lHint, pHint);
}

void NoteView::OnTestView() { g_handled.push_back("view " + std::string(GetDocument()->GetTitle())); }
void NoteView::OnTestAll() { g_handled.push_back("view all"); }

IMPLEMENT_DYNCREATE(NoteFrame, CMDIChildWnd)
BEGIN_MESSAGE_MAP(NoteFrame, CMDIChildWnd)
    ON_COMMAND(ID_TEST_CHILD, OnTestChild)
    ON_COMMAND(ID_TEST_ALL, OnTestAll)
END_MESSAGE_MAP()

void NoteFrame::OnTestChild() { g_handled.push_back("child " + std::string(GetActiveDocument()->GetTitle())); }
void NoteFrame::OnTestAll() { g_handled.push_back("child all"); }

IMPLEMENT_DYNCREATE(MainFrame, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(MainFrame, CMDIFrameWnd)
    ON_COMMAND(ID_TEST_MAIN, OnTestMain)
    ON_COMMAND(ID_TEST_MAIN_APP, OnTestMain)
    ON_COMMAND(ID_TEST_ALL, OnTestAll)
END_MESSAGE_MAP()

void MainFrame::OnTestMain() { g_handled.push_back("main"); }
void MainFrame::OnTestAll() { g_handled.push_back("main all"); }

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(ID_TEST_APP, OnTestApp)
    ON_COMMAND(ID_TEST_MAIN_APP, OnTestApp)
    ON_COMMAND(ID_TEST_ALL, OnTestAll)
END_MESSAGE_MAP()

int TestApp::DoMessageBox(const char* lpszPrompt, UINT, UINT)
{
    prompts.push_back(lpszPrompt);
    if (answers.empty())
        return IDCANCEL;
    int answer = answers.front();
    answers.pop_front();
    return answer;
}

BOOL TestApp::DoPromptFileName(CString& fileName, UINT, DWORD, BOOL, CDocTemplate*)
{
    prompts.push_back("file dialog for " + std::string(fileName));
    if (saveAs.empty())
        return FALSE;
    fileName = saveAs.c_str();
    return TRUE;
}

void TestApp::OnTestApp() { g_handled.push_back("app"); }
void TestApp::OnTestAll() { g_handled.push_back("app all"); }

void PumpAndIdle(CWinApp& app)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;  // the main window's end; the test goes on
        if (!app.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    app.OnIdle(0);
}

void EndApplication(CWinApp& app)
{
    app.CloseAllDocuments(TRUE);
    if (app.m_pMainWnd)
        app.m_pMainWnd->DestroyWindow();
    PumpAndIdle(app);
}

CRect ChildRect(HWND child)
{
    CRect rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

ScratchFolder::ScratchFolder()
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::ostringstream name;
    name << temp << "tavrelin-frames-" << ::GetCurrentProcessId() << "-" << ::GetTickCount();
    path = name.str();
    ::CreateDirectoryA(path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder()
{
    for (const std::string& file : Files()) {
        ::SetFileAttributesA(Path(file.c_str()).c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(Path(file.c_str()).c_str());
    }
    ::RemoveDirectoryA(path.c_str());
}

std::vector<std::string> ScratchFolder::Files() const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}
