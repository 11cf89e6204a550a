// Views: joining the document, drawing, activation in the frame and command routing to the document.
#include "CView.h"

#include "AfxIds.h"
#include "CDC.h"
#include "CDocument.h"
#include "CException.h"
#include "CFrameWnd.h"
#include "CPrintDialog.h"
#include "CPrintInfo.h"
#include "CWinApp.h"
#include "ResourceIds.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
END_MESSAGE_MAP()

CView::~CView()
{
    // Deleted with its window still there: the window goes while this is a view, so that its
    // frame forgets it, and PostNcDestroy does not delete it again.
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        m_bInDestructor = true;
        DestroyWindow();
    }
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs)
{
    // The border is drawn as a sunken client edge inside the view's place.
    if (cs.style & WS_BORDER) {
        cs.style &= ~WS_BORDER;
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
    }
    return CWnd::PreCreateWindow(cs);
}

int CView::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (Default() == -1)
        return -1;
    CCreateContext* context = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* frame = GetParentFrame();
    if (frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr, FALSE);
    Default();
}

void CView::PostNcDestroy()
{
    if (!m_bInDestructor)
        delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    // Without a page count the run would go on to the dialog's last page number.
    if (pInfo && pDC && pDC->IsPrinting() && pInfo->GetMaxPage() == 0xFFFF)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

// ---- Printing ----------------------------------------------------------------------------------

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* app = AfxGetApp();
    CPrintDialog* dialog = pInfo->m_pPD;
    if (pInfo->m_bDirect) {
        PRINTDLGA defaults{};
        if (app && app->GetPrinterDeviceDefaults(&defaults)) {
            dialog->m_pd.hDevNames = defaults.hDevNames;
            dialog->m_pd.hDevMode = defaults.hDevMode;
            dialog->CreatePrinterDC();
        }
    } else {
        dialog->m_pd.Flags |= PD_RETURNDC;
        dialog->m_pd.Flags &= ~static_cast<DWORD>(PD_RETURNIC);
        // Without a printer the system's dialog has told the user so itself.
        INT_PTR answer = app ? app->DoPrintDialog(dialog) : dialog->DoModal();
        if (answer != IDOK)
            return FALSE;
    }
    // The handles are the application's (or the dialog's, which the application took over).
    dialog->m_pd.hDevNames = nullptr;
    dialog->m_pd.hDevMode = nullptr;
    if (!dialog->m_pd.hDC) {
        // Direct: no printer known or it cannot be opened; else the chosen one gave no DC.
        AfxMessageBox(pInfo->m_bDirect ? IDS_PRINT_NO_PRINTER : IDS_PRINT_FAILED, MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnFilePrint()
{
    CPrintInfo info;
    const MSG* msg = GetCurrentMessage();
    info.m_bDirect = msg->message == WM_COMMAND && LOWORD(msg->wParam) == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&info) || !info.m_pPD->m_pd.hDC)
        return;

    CDC dc;
    dc.Attach(info.m_pPD->m_pd.hDC);
    dc.m_bPrinting = TRUE;
    // Only a device DC takes a print job; a memory or metafile DC is drawn on as it is.
    const DWORD kind = ::GetObjectType(dc.m_hDC);
    const bool job = kind != OBJ_MEMDC && kind != OBJ_ENHMETADC && kind != OBJ_METADC;
    CString title = m_pDocument ? m_pDocument->GetTitle() : CString();
    DOCINFOA docInfo{};
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = title;

    bool failed = false;
    bool started = false;
    try {
        OnBeginPrinting(&dc, &info);
        started = job && dc.StartDoc(&docInfo) > 0;
        failed = job && !started;
        // The view may learn its page count while printing: the end is asked each time.
        for (info.m_nCurPage = info.GetFromPage(); !failed && info.m_nCurPage <= info.GetToPage(); ++info.m_nCurPage) {
            OnPrepareDC(&dc, &info);
            if (!info.m_bContinuePrinting)
                break;
            if (job && dc.StartPage() <= 0) {
                failed = true;
                break;
            }
            info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
            dc.DPtoLP(&info.m_rectDraw);
            OnPrint(&dc, &info);
            failed = job && dc.EndPage() <= 0;
            if (info.m_nCurPage == 0xFFFF)
                break;  // the last page number there is
        }
        if (started && !failed)
            failed = dc.EndDoc() <= 0;
        else if (started)
            dc.AbortDoc();
    } catch (CException*) {
        if (started)
            dc.AbortDoc();
        OnEndPrinting(&dc, &info);
        dc.Detach();
        throw;
    }
    OnEndPrinting(&dc, &info);
    dc.Detach();  // the print run's DC, deleted with it
    if (failed)
        AfxMessageBox(IDS_PRINT_FAILED, MB_ICONEXCLAMATION);
}

DROPEFFECT CView::OnDragEnter(COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT CView::OnDragOver(COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void CView::OnDragLeave() {}

BOOL CView::OnDrop(COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView* pSender, LPARAM, CObject*)
{
    if (pSender != this)
        Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (bActivate && pActivateView == this && ::GetFocus() != m_hWnd && !::IsChild(m_hWnd, ::GetFocus())) {
        // Only while the frame's top window is active: a view must not pull the focus away.
        if (IsTopParentActive())
            SetFocus();
    }
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

int CView::OnMouseActivate(CWnd*, UINT, UINT)
{
    const int result = static_cast<int>(Default());
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    // A click in a view makes it its frame's active view.
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetActiveView(this);
    return result;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
