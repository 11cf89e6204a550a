// The document-support tests' application: a text document type whose view records its printing
// and drags, an MDI main frame, and an application whose prompts and print dialog the tests answer.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "CDocTemplate.h"
#include "CDocument.h"
#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"
#include "CPrintInfo.h"
#include "CView.h"
#include "CWinApp.h"
#include "DocsTestIds.h"

class TextDoc : public CDocument {
    DECLARE_DYNCREATE(TextDoc)

public:
    CString m_text;
    void Serialize(CArchive& ar) override;
    void DeleteContents() override { m_text.Empty(); }
};

// Prints `pages` pages (0: does not say), or learns its length while printing page
// `lastPage` the way a text view finds where its text ends.
class TextView : public CView {
    DECLARE_DYNCREATE(TextView)

public:
    std::vector<std::string> events;
    UINT pages = 0;
    UINT lastPage = 0;
    UINT throwOnPage = 0;
    BOOL direct = FALSE;  // how the last print run was started
    CRect rectDraw;       // the last page's
    DROPEFFECT dragAnswer = DROPEFFECT_NONE;

    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave() override;
};

// Leaves printing to the base class: draws with OnDraw, says nothing about its pages.
class PlainView : public CView {
    DECLARE_DYNCREATE(PlainView)

public:
    int draws = 0;
    void OnDraw(CDC* pDC) override;
};

class TextFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(TextFrame)
};

class DocsMainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(DocsMainFrame)
};

class DocsApp : public CWinApp {
public:
    DocsApp() : CWinApp("DocsTests") {}

    std::deque<int> answers;           // for the next message boxes; IDOK when empty
    std::vector<std::string> prompts;  // the texts they showed
    // The print dialog's stand-in; without one the dialog is cancelled.
    std::function<INT_PTR(CPrintDialog*)> printDialog;

    int DoMessageBox(const char* lpszPrompt, UINT nType, UINT nIDPrompt) override;
    INT_PTR DoPrintDialog(CPrintDialog* pPD) override;
};

// An application with the text type (view class as given) and a shown main frame.
class DocsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void Start(CRuntimeClass* pViewClass);

    TextDoc* NewText() { return static_cast<TextDoc*>(texts->OpenDocumentFile(nullptr)); }
    template <class View>
    static View* ViewOf(CDocument* doc)
    {
        POSITION pos = doc->GetFirstViewPosition();
        return pos ? static_cast<View*>(doc->GetNextView(pos)) : nullptr;
    }
    // A scratch file's full path.
    std::string Scratch(const char* name) const { return folder + "\\" + name; }

    DocsApp app;
    CMultiDocTemplate* texts = nullptr;
    DocsMainFrame* frame = nullptr;
    std::string folder;
};

// A memory DC on a 64 x 16 white bitmap, the print dialog's answer in the tests.
struct PaperBitmap {
    PaperBitmap();
    ~PaperBitmap();
    HDC MakeDC() const;  // the bitmap selected; the print run deletes it
    COLORREF Pixel(int x, int y) const;
    HBITMAP bitmap;
};

// The colour OnPrint marks page n with, at (4n, 0).
inline COLORREF PageColour(UINT page)
{
    return RGB(200, page * 20, 0);
}
