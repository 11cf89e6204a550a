// The document-support tests' application, text type and paper.
#include "DocsFixture.h"

#include <sstream>

#include "CArchive.h"
#include "CDC.h"
#include "CException.h"
#include "CPrintDialog.h"

IMPLEMENT_DYNCREATE(TextDoc, CDocument)

void TextDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_text;
    else
        ar >> m_text;
}

IMPLEMENT_DYNCREATE(TextView, CView)

void TextView::OnDraw(CDC* pDC)
{
    pDC->FillSolidRect(0, 0, 4, 4, RGB(0, 0, 255));
}

BOOL TextView::OnPreparePrinting(CPrintInfo* pInfo)
{
    events.push_back("prepare");
    direct = pInfo->m_bDirect;
    if (pages)
        pInfo->SetMaxPage(pages);
    return DoPreparePrinting(pInfo);
}

void TextView::OnBeginPrinting(CDC*, CPrintInfo*)
{
    events.push_back("begin");
}

void TextView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pInfo)
        return;
    events.push_back("dc " + std::to_string(pInfo->m_nCurPage));
    // A view that learns its length: past the last page it stops the run.
    if (lastPage && pInfo->m_nCurPage > pInfo->GetMaxPage())
        pInfo->m_bContinuePrinting = FALSE;
    else if (!lastPage)
        CView::OnPrepareDC(pDC, pInfo);
}

void TextView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    events.push_back("print " + std::to_string(pInfo->m_nCurPage));
    if (pInfo->m_nCurPage == throwOnPage)
        AfxThrowFileException(CFileException::diskFull, -1, "page");
    rectDraw = pInfo->m_rectDraw;
    pDC->FillSolidRect(static_cast<int>(pInfo->m_nCurPage) * 4, 0, 3, 3, PageColour(pInfo->m_nCurPage));
    if (pInfo->m_nCurPage == lastPage)
        pInfo->SetMaxPage(lastPage);
}

void TextView::OnEndPrinting(CDC* pDC, CPrintInfo*)
{
    events.push_back(pDC->IsPrinting() ? "end" : "end (not printing?)");
}

DROPEFFECT TextView::OnDragEnter(COleDataObject*, DWORD, CPoint point)
{
    events.push_back("drag " + std::to_string(point.x) + "," + std::to_string(point.y));
    return dragAnswer;
}

void TextView::OnDragLeave()
{
    events.push_back("leave");
}

IMPLEMENT_DYNCREATE(PlainView, CView)

void PlainView::OnDraw(CDC* pDC)
{
    ++draws;
    pDC->FillSolidRect(0, 0, 4, 4, RGB(0, 0, 255));
}

IMPLEMENT_DYNCREATE(TextFrame, CMDIChildWnd)
IMPLEMENT_DYNCREATE(DocsMainFrame, CMDIFrameWnd)

int DocsApp::DoMessageBox(const char* lpszPrompt, UINT, UINT)
{
    prompts.push_back(lpszPrompt);
    if (answers.empty())
        return IDOK;
    int answer = answers.front();
    answers.pop_front();
    return answer;
}

INT_PTR DocsApp::DoPrintDialog(CPrintDialog* pPD)
{
    return printDialog ? printDialog(pPD) : IDCANCEL;
}

namespace {

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT)
            ::DispatchMessageA(&msg);
    }
}

}  // namespace

void DocsTest::SetUp()
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::ostringstream name;
    name << temp << "tavrelin-docs-" << ::GetCurrentProcessId() << "-" << ::GetTickCount();
    folder = name.str();
    ::CreateDirectoryA(folder.c_str(), nullptr);
}

void DocsTest::Start(CRuntimeClass* pViewClass)
{
    texts = new CMultiDocTemplate(IDR_TEXTTYPE, RUNTIME_CLASS(TextDoc), RUNTIME_CLASS(TextFrame), pViewClass);
    app.AddDocTemplate(texts);
    frame = new DocsMainFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_DOCSMAIN));
    app.m_pMainWnd = frame;
    // Hidden: the tests need no screen, and a shown window takes Wine a while to take down.
    frame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER);
}

void DocsTest::TearDown()
{
    app.CloseAllDocuments(TRUE);
    if (app.m_pMainWnd)
        app.m_pMainWnd->DestroyWindow();
    Pump();
    app.OnIdle(1);
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            ::DeleteFileA(Scratch(found.cFileName).c_str());
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
}

PaperBitmap::PaperBitmap()
{
    HDC screen = ::GetDC(nullptr);
    bitmap = ::CreateCompatibleBitmap(screen, 64, 16);
    ::ReleaseDC(nullptr, screen);
    HDC dc = MakeDC();
    RECT all = {0, 0, 64, 16};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::DeleteDC(dc);
}

PaperBitmap::~PaperBitmap()
{
    ::DeleteObject(bitmap);
}

HDC PaperBitmap::MakeDC() const
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SelectObject(dc, bitmap);
    return dc;
}

COLORREF PaperBitmap::Pixel(int x, int y) const
{
    HDC dc = MakeDC();
    COLORREF colour = ::GetPixel(dc, x, y);
    ::DeleteDC(dc);
    return colour;
}
