// Views: the windows that show a document inside a frame, drawn through OnDraw.
#pragma once

#include "CWnd.h"

using DROPEFFECT = DWORD;

class CDC;
class CDocument;
class CFrameWnd;
class COleDataObject;
struct CPrintInfo;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)

public:
    ~CView() override;  // leaves its document's view list

    CDocument* GetDocument() const { return m_pDocument; }

    // Once, when the document is loaded; the default asks for a full update.
    virtual void OnInitialUpdate();
    // The document changed (pSender: the view that changed it); the default repaints.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    // When printing a view that has not said how many pages it has, the run ends after page 1.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // The frame made this view (de)active; the active view gets the focus.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Commands go to the view's own map, then to its document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;  // a view is heap-made and deletes itself

    // Printing. File/Print (ID_FILE_PRINT, with the print dialog) and ID_FILE_PRINT_DIRECT (on
    // the application's printer) prepare, then print each page of the range: OnPrepareDC and,
    // while the run goes on, OnPrint, between OnBeginPrinting and OnEndPrinting. A printer DC
    // gets a print job; a memory or metafile DC has the pages drawn straight onto it.
    void OnFilePrint();
    // The print dialog (or the application's printer for a direct print) and its DC in
    // pInfo->m_pPD; FALSE when cancelled or without a printer (the user has been told).
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // The default prepares with DoPreparePrinting.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The default draws the view's picture (OnDraw) on the page.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    // A drag over the view, when its drop target leaves it to the view (client coordinates);
    // the defaults take nothing.
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

protected:
    CView() = default;
    CDocument* m_pDocument = nullptr;
    friend class CDocument;

private:
    bool m_bInDestructor = false;  // the window goes because the object is deleted
};
