// Views: the windows that show a document inside a frame, drawn through OnDraw.
#pragma once

#include "CWnd.h"

class CDC;
class CDocument;
class CFrameWnd;
class CPrintInfo;

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
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // The frame made this view (de)active; the active view gets the focus.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Commands go to the view's own map, then to its document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;  // a view is heap-made and deletes itself

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
};
