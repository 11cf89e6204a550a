// The output pane: a flat tab control with the Build list, where the build jobs report, and the
// Find in Files list, where the find and replace workers report.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "CListCtrlForFlatTab.h"
#include "CString.h"
#include "CWnd.h"
#include "CXTNoFlickerWnd.h"
#include "ResourceIds.h"

class CXTFlatTabCtrl;

// Find results handed to the pane at once: the shown texts of all hits in one buffer, and each
// file's path once.
struct FindResultBatch {
    struct Hit {
        int path = 0;  // index into paths
        int line = 0;  // one-based
        std::size_t text = 0;
        std::size_t length = 0;  // of the text in texts
    };
    std::vector<CString> paths;
    std::string texts;
    std::vector<Hit> hits;
};

class COutputPane : public CWnd {
public:
    COutputPane();
    ~COutputPane() override;

    // Makes the pane as a child window of the parent (hidden until the parent shows it).
    BOOL Create(CWnd* pParent, UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN);

    // Build tab, the sink of the build jobs. Callable from any thread: the rows change on the
    // pane's own thread, in the order of the calls; a worker's calls return at once. kind 0 plain, 1 warning, 2 error; line one-based or -1.
    void ClearBuild();
    void AddBuildMessage(int kind, const char* file, const char* text, int line, int fatal);
    void ReportBuildSummary(int broken);
    void ReplaceFileInLastMessages(const char* oldPath, const char* newPath);
    // TRUE when the summary is written and there were errors or warnings.
    BOOL GetBuildResult(int* errors, int* warnings);
    void ShowLastBuildLine();

    // Find in Files tab; callable from the find and replace workers.
    void BeginFindInFiles(const CString& what, const CString& replacement, int replacing);
    void AddFindResult(const CString& path, const CString& text, int line);  // line one-based
    // The rows of many hits, in their order, added together and drawn once.
    void AddFindResults(FindResultBatch batch);
    void EndFindInFiles(int completed);
    // A row that is no hit and not counted (a file the worker could not read or rewrite), in red.
    void AddFindNote(const CString& text);

    void CreateTabs();
    int CreateLists();
    void UpdateTabTitles();
    // Frees both lists' records and rows; the counters stay.
    void ClearLists();

    // The idle pass's part: once a summary was written, shows the last Build line even when the
    // list held. TRUE when there was such a request (the caller then shows the pane).
    BOOL RefreshIfRequested();

    CXTFlatTabCtrl* GetTabCtrl() const { return m_pTabCtrl; }
    CListCtrlForFlatTab& GetBuildList() { return m_wndBuildList; }
    CListCtrlForFlatTab& GetFindList() { return m_wndFindList; }

    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    LRESULT OnRunOnPaneThread(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // Runs what on the pane's thread: at once there, else queued for it; nothing without a window.
    void RunOnPaneThread(std::function<void()> what);
    void RunQueued();
    void ShowAddedRows();
    void AddBuildLine(int kind, const char* file, const char* text, int line, int fatal);
    void AddSummary(int broken);
    void AddFindRows(const FindResultBatch& batch);

    CXTFlatTabCtrl* m_pTabCtrl = nullptr;
    // The lists paint through a buffer filled with their background (the list extension).
    CXTNoFlickerWnd<CListCtrlForFlatTab> m_wndBuildList;
    CXTNoFlickerWnd<CListCtrlForFlatTab> m_wndFindList;
    int m_nFound = 0;
    int m_nBuildLines = 0;
    int m_nWarnings = 0;
    int m_nErrors = 0;
    int m_bFinished = 0;
    std::string m_rowBuffer;  // the Build row being made
    std::atomic<bool> m_bRefreshRequested{false};
    std::mutex m_queueMutex;
    std::vector<std::function<void()>> m_queue;  // changes from the workers, in their order
};

// The main frame's output pane, or null while there is none: the sink's callers skip it then.
COutputPane* GetOutputPane();
void SetOutputPane(COutputPane* pane);
