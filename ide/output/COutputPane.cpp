// The output pane: its tabs and lists, the build jobs' sink and the find workers' results.
#include "COutputPane.h"

#include <cstdio>

#include "CXTFlatTabCtrl.h"
#include "ResourceIds.h"

namespace {

// Tells the pane's thread that changes wait in the queue.
constexpr UINT kMsgRunOnPaneThread = WM_USER + 0x7A1;

COutputPane* g_outputPane = nullptr;

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

COutputPane* GetOutputPane() { return g_outputPane; }
void SetOutputPane(COutputPane* pane) { g_outputPane = pane; }

BEGIN_MESSAGE_MAP(COutputPane, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(kMsgRunOnPaneThread, OnRunOnPaneThread)
END_MESSAGE_MAP()

COutputPane::COutputPane()
{
    m_wndBuildList.m_bBuildList = 1;
}

COutputPane::~COutputPane()
{
    if (g_outputPane == this)
        g_outputPane = nullptr;
    delete m_pTabCtrl;
}

BOOL COutputPane::Create(CWnd* pParent, UINT nID, DWORD dwStyle)
{
    const char* windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                                  reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1));
    return CWnd::Create(windowClass, nullptr, dwStyle, CRect(0, 0, 0, 0), pParent, nID);
}

void COutputPane::RunOnPaneThread(std::function<void()> what)
{
    if (!m_hWnd)
        return;
    if (::GetWindowThreadProcessId(m_hWnd, nullptr) == ::GetCurrentThreadId()) {
        RunQueued();  // what the workers said before comes first
        what();
        ShowAddedRows();
        return;
    }
    // A worker neither waits for the window nor sends to it: it queues the change, and one
    // posted message has the pane's thread carry out all that has queued up by then. The
    // worker cannot block on a window thread that waits for it, and a burst of lines costs
    // one wake-up, not one thread switch a line.
    bool first;
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        first = m_queue.empty();
        m_queue.push_back(std::move(what));
    }
    if (first)
        ::PostMessageA(m_hWnd, kMsgRunOnPaneThread, 0, 0);
}

void COutputPane::RunQueued()
{
    std::vector<std::function<void()>> queued;
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        queued.swap(m_queue);
    }
    for (const auto& what : queued)
        what();
    ShowAddedRows();
}

void COutputPane::ShowAddedRows()
{
    // The lists' windows learn of all the rows a batch added at once.
    m_wndBuildList.ShowAddedLines();
    m_wndFindList.ShowAddedLines();
}

LRESULT COutputPane::OnRunOnPaneThread(WPARAM, LPARAM)
{
    RunQueued();
    return 0;
}

// Build tab

void COutputPane::ClearBuild()
{
    RunOnPaneThread([this] {
        m_wndBuildList.DeleteLines();
        m_wndBuildList.RemoveAllRowColors();
        m_wndBuildList.m_nHighlighted = -1;
        m_wndBuildList.m_bHold = 0;
        m_nBuildLines = m_nWarnings = m_nErrors = m_bFinished = 0;
    });
}

void COutputPane::AddBuildMessage(int kind, const char* file, const char* text, int line, int fatal)
{
    // Copies: a worker's texts may be gone when the pane's thread gets to them.
    const bool hasFile = file != nullptr;
    RunOnPaneThread([this, kind, hasFile, path = std::string(file ? file : ""), message = std::string(text ? text : ""),
                     line, fatal] { AddBuildLine(kind, hasFile ? path.c_str() : nullptr, message.c_str(), line, fatal); });
}

void COutputPane::AddBuildLine(int kind, const char* file, const char* text, int line, int fatal)
{
    // Made in a buffer kept from line to line: a build reports thousands of lines in a burst.
    std::string& row = m_rowBuffer;
    row.assign(text ? text : "");
    OutputLineItem* item = nullptr;
    if (kind != 0) {
        if (kind == 1)
            ++m_nWarnings;
        else
            ++m_nErrors;
        item = new OutputLineItem;
        item->kind = kind;
        // A position without a file is no position: the bare text, nothing to open.
        if (line != -1 && file) {
            item->line = line - 1;
            item->path = file;
            char number[16];
            std::snprintf(number, sizeof number, "(%d):   ", line);
            row.assign(file);
            row += number;
            row += text ? text : "";
        }
    }
    const COLORREF color = kind != 0 ? CListCtrlForFlatTab::KindColor(kind) : CLR_NONE;
    if (m_wndBuildList.AddLine(row.data(), row.size(), item, color) >= 0)
        ++m_nBuildLines;
    if (fatal) {
        AddSummary(0);
    } else if (!m_wndBuildList.m_bHold) {
        if (m_pTabCtrl && m_pTabCtrl->GetCurSel() != 0)
            m_pTabCtrl->SetCurSel(0);
        m_wndBuildList.FollowRow(m_nBuildLines - 1);
    }
}

void COutputPane::ReportBuildSummary(int broken)
{
    RunOnPaneThread([this, broken] { AddSummary(broken); });
}

void COutputPane::AddSummary(int broken)
{
    CString summary;
    summary.Format(LoadText(broken ? IDS_BUILD_SUMMARY_BROKEN : IDS_BUILD_SUMMARY), m_nErrors, m_nWarnings);
    if (m_wndBuildList.AddLine(summary, nullptr) >= 0)
        ++m_nBuildLines;
    if (!m_wndBuildList.m_bHold)
        ShowLastBuildLine();
    m_bFinished = 1;
    m_bRefreshRequested = true;
}

void COutputPane::ReplaceFileInLastMessages(const char* oldPath, const char* newPath)
{
    if (!oldPath || !newPath || !*oldPath)
        return;
    RunOnPaneThread([this, oldPath = CString(oldPath), newPath = CString(newPath)] {
        for (int row = m_nBuildLines - 1; row >= 1; --row) {
            OutputLineItem* item = m_wndBuildList.GetLineItem(row);
            if (!item || item->line == -1 || item->path != oldPath)
                break;
            item->path = newPath;
            CString text = m_wndBuildList.GetLineText(row);
            text.Replace(oldPath, newPath);
            m_wndBuildList.SetLineText(row, text);
        }
    });
}

BOOL COutputPane::GetBuildResult(int* errors, int* warnings)
{
    RunQueued();
    *errors = m_nErrors;
    *warnings = m_nWarnings;
    return m_bFinished && (m_nErrors != 0 || m_nWarnings != 0);
}

void COutputPane::ShowLastBuildLine()
{
    RunQueued();
    if (!m_pTabCtrl || !m_wndBuildList.m_hWnd)
        return;
    if (m_pTabCtrl->GetCurSel() != 0)
        m_pTabCtrl->SetCurSel(0);
    m_wndBuildList.ShowRow(m_nBuildLines - 1);
}

BOOL COutputPane::RefreshIfRequested()
{
    if (!m_bRefreshRequested.exchange(false))
        return FALSE;
    ShowLastBuildLine();
    return TRUE;
}

// Find in Files tab

void COutputPane::BeginFindInFiles(const CString& what, const CString& replacement, int replacing)
{
    RunOnPaneThread([this, what, replacement, replacing] {
        m_wndFindList.DeleteLines();
        m_wndFindList.RemoveAllRowColors();
        m_nFound = 0;
        CString heading;
        if (replacing)
            heading.Format(LoadText(IDS_REPLACING_HEADING), static_cast<const char*>(what),
                           static_cast<const char*>(replacement));
        else
            heading.Format(LoadText(IDS_SEARCHING_HEADING), static_cast<const char*>(what));
        m_wndFindList.AddLine(heading, nullptr);
        m_wndFindList.ShowAddedLines();
        if (m_pTabCtrl)
            m_pTabCtrl->SetCurSel(1);
        // Drawn now, and the hits that follow go in undrawn again: switching redrawing on behind
        // the list's back would draw every hit row by row.
        m_wndFindList.EndDeferredDrawing();
        if (m_pTabCtrl)
            m_pTabCtrl->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        m_wndFindList.m_bHold = 0;
        m_wndFindList.m_nHighlighted = -1;
    });
}

void COutputPane::AddFindResult(const CString& path, const CString& text, int line)
{
    FindResultBatch batch;
    batch.paths.push_back(path);
    batch.texts = static_cast<const char*>(text);
    FindResultBatch::Hit hit;
    hit.line = line;
    hit.length = batch.texts.size();
    batch.hits.push_back(hit);
    AddFindResults(std::move(batch));
}

void COutputPane::AddFindResults(FindResultBatch batch)
{
    if (batch.hits.empty())
        return;
    RunOnPaneThread([this, batch = std::move(batch)] { AddFindRows(batch); });
}

void COutputPane::AddFindRows(const FindResultBatch& batch)
{
    // One row buffer for the whole batch; the list copies each text as it adds it, and its
    // window learns of the whole batch at once.
    std::string row;
    int last = -1;
    for (const FindResultBatch::Hit& hit : batch.hits) {
        const CString& path = batch.paths[static_cast<std::size_t>(hit.path)];
        auto* item = new OutputLineItem;
        item->path = path;
        item->line = hit.line - 1;
        ++m_nFound;
        char number[16];
        std::snprintf(number, sizeof number, "(%d):   ", hit.line);
        row.assign(path, static_cast<std::size_t>(path.GetLength()));
        row += number;
        row.append(batch.texts, hit.text, hit.length);
        const int at = m_wndFindList.AddLine(row.data(), row.size(), item);
        if (at >= 0)
            last = at;
    }
    m_wndFindList.ShowAddedLines();
    if (last >= 0 && !m_wndFindList.m_bHold)
        m_wndFindList.FollowRow(last);
}

void COutputPane::AddFindNote(const CString& text)
{
    RunOnPaneThread([this, text] {
        const int at = m_wndFindList.AddLine(text, nullptr, CListCtrlForFlatTab::KindColor(2));
        if (at >= 0 && !m_wndFindList.m_bHold)
            m_wndFindList.FollowRow(at);
    });
}

void COutputPane::EndFindInFiles(int completed)
{
    RunOnPaneThread([this, completed] {
        CString end;
        end.Format(LoadText(completed ? IDS_FIND_OCCURRENCES : IDS_FIND_BROKEN), m_nFound);
        const int at = m_wndFindList.AddLine(end, nullptr);
        if (at >= 0 && !m_wndFindList.m_bHold)
            m_wndFindList.ShowRow(at);
    });
}

// Window life

int COutputPane::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CreateTabs();
    return 0;
}

void COutputPane::CreateTabs()
{
    SendMessage(WM_SETREDRAW, 0);
    CRect rect(0, 0, 0, 0);
    int current = 0;
    if (m_pTabCtrl) {
        m_pTabCtrl->GetWindowRect(&rect);
        ScreenToClient(&rect);
        current = m_pTabCtrl->GetCurSel();
        // The lists are the tab control's children: they are made again below.
        m_pTabCtrl->DestroyWindow();
        delete m_pTabCtrl;
    }
    m_pTabCtrl = new CXTFlatTabCtrl;
    if (m_pTabCtrl->Create(WS_CHILD | WS_VISIBLE | 0x1B, rect, this, IDC_OUTPUT_TABS)) {
        CreateLists();
        m_pTabCtrl->InsertItem(0, LoadText(IDS_OUTPUT_TAB_BUILD), &m_wndBuildList);
        m_pTabCtrl->InsertItem(1, LoadText(IDS_OUTPUT_TAB_FIND), &m_wndFindList);
        m_pTabCtrl->SetCurSel(current);
        m_pTabCtrl->SetWindowPos(nullptr, 0, 0, 0, 0,  // null: the top of the Z order
                                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    SendMessage(WM_SETREDRAW, 1);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

int COutputPane::CreateLists()
{
    CListCtrlForFlatTab* lists[] = {&m_wndBuildList, &m_wndFindList};
    const UINT ids[] = {IDC_OUTPUT_BUILD_LIST, IDC_OUTPUT_FIND_LIST};
    for (int i = 0; i < 2; ++i) {
        CListCtrlForFlatTab& list = *lists[i];
        if (list.m_hWnd) {
            list.DeleteLines();
            list.DestroyWindow();
            list.m_bDrawingDeferred = 0;  // its timer went with the window
        }
        // A build or a search lists thousands of lines at once: the lists keep their rows
        // themselves, their windows only the count.
        const DWORD style = WS_CHILD | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | LVS_OWNERDATA;
        if (!list.Create(style, CRect(0, 0, 0, 0), m_pTabCtrl, ids[i]))
            return -1;
        list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        list.InsertColumn(0, "", LVCFMT_LEFT, 512);
    }
    m_wndBuildList.m_bBuildList = 1;
    m_wndFindList.m_bBuildList = 0;
    return 0;
}

void COutputPane::UpdateTabTitles()
{
    if (!m_pTabCtrl)
        return;
    m_pTabCtrl->SetItemText(0, LoadText(IDS_OUTPUT_TAB_BUILD));
    m_pTabCtrl->SetItemText(1, LoadText(IDS_OUTPUT_TAB_FIND));
}

void COutputPane::ClearLists()
{
    // Colours belong to rows: none may outlive them.
    for (CListCtrlForFlatTab* list : {&m_wndBuildList, &m_wndFindList}) {
        list->DeleteLines();
        list->RemoveAllRowColors();
        list->m_nHighlighted = -1;
    }
}

void COutputPane::OnSize(UINT, int cx, int cy)
{
    if (m_pTabCtrl && m_pTabCtrl->m_hWnd)
        m_pTabCtrl->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_FRAMECHANGED);
}

void COutputPane::OnDestroy()
{
    ClearLists();
    CWnd::OnDestroy();
}
