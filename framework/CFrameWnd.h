// Frame windows: the main or document frame with its bars, client, menu, accelerators and prompts.
#pragma once

#include "AfxIds.h"
#include "CString.h"
#include "CWnd.h"

class CDocument;
class CDocTemplate;
class CView;

// Messages of frames and the windows that live in them.
#define WM_SETMESSAGESTRING 0x0362  // wParam: string id, or 0 with lParam the text; returns the previous id
#define WM_INITIALUPDATE 0x0364     // sent to a frame's descendants once its document is loaded
#define WM_HELPHITTEST 0x0366       // lParam: point; returns a help context (HID_BASE_...)
#define WM_FLOATSTATUS 0x036D       // wParam: FS_ flags, to windows floating over a frame
#define WM_POPMESSAGESTRING 0x0375  // like WM_SETMESSAGESTRING, unless the frame keeps its prompt

// Help contexts answered to WM_HELPHITTEST.
#define HID_BASE_COMMAND 0x00010000UL
#define HID_BASE_CONTROL 0x00050000UL

// WM_FLOATSTATUS flags: what happened to the frame a floating window belongs to.
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40  // query: does the window show its caption active with the frame's?

// Frame styles in the window style's low word.
#define FWS_ADDTOTITLE 0x00008000L   // the title shows the active document's name
#define FWS_PREFIXTITLE 0x00004000L  // ... before the application's name
#define FWS_SNAPTOBARS 0x00002000L

// The default style of views made by a frame.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

// What a frame is made from: the view class to create, the document it shows, the template
// that made them, and the frame it copies (a new window on the same document).
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    class CFrameWnd* m_pCurrentFrame = nullptr;
};

// What a frame keeps while print preview replaces its client: the main pane's id, the menu
// and accelerators taken away, and the bars that were visible (bit n: id AFX_IDW_CONTROLBAR_FIRST + n).
struct CPrintPreviewState {
    UINT nIDMainPane = AFX_IDW_PANE_FIRST;
    HMENU hMenu = nullptr;
    DWORD dwStates = 0;
    HWND hWndFocus = nullptr;
    HACCEL hAccelTable = nullptr;
};

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)

public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault;  // lets the system choose position and size

    // Makes the frame from resource nIDResource: its title is the string of that id (the part
    // before the first '\n'), its menu, accelerators and icon are the resources of that id.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // A frame object is always heap-made and deletes itself with its window; when creation
    // fails the object is gone too.
    BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, const char* lpszMenuName = nullptr,
                DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);

    // Layout: bars (child ids AFX_IDW_CONTROLBAR_FIRST..LAST) take their edges in turn, the
    // client (AFX_IDW_PANE_FIRST) the rest, all moved in one deferred step. A layout asked for
    // while one runs is dropped; DelayRecalcLayout leaves it to the next idle update.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
    UINT m_nIdleFlags = 0;
    BOOL m_bInRecalcLayout = FALSE;
    CRect m_rectBorder;  // border space kept free around the client

    // The client window made from a creation context: by default the context's view.
    virtual BOOL OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // Views and documents.
    CView* GetActiveView() const { return m_pViewActive; }
    // Tells the views (OnActivateView) and gives the new one the focus when bNotify.
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    // The frame whose view is active: this one, or the active child of an MDI frame.
    virtual CFrameWnd* GetActiveFrame();
    // After the document is loaded: makes the first pane the active view, sends the initial
    // update to every view, and shows the frame when bMakeVisible.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Shows the frame (nCmdShow -1: as it was, or normally when hidden) and brings it to the top.
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    // The title made of the frame's and the document's names.
    void UpdateFrameTitleForDocument(const char* lpszDocName);
    void SetTitle(const char* lpszTitle) { m_strTitle = lpszTitle; }
    // Lets the title follow at the next idle moment.
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
    CString GetTitle() const { return m_strTitle; }
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);

    // Status texts: the prompt of command nID (the part of its string before '\n'), shown
    // in the message bar, the child window AFX_IDW_STATUS_BAR.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    virtual CWnd* GetMessageBar();
    void SetMessageText(const char* lpszText);
    void SetMessageText(UINT nID);
    UINT m_nIDTracking = 0;     // the command whose prompt is asked for
    UINT m_nIDLastMessage = 0;  // the one shown

    // Accelerators.
    virtual HACCEL GetDefaultAccelerator();
    HACCEL m_hAccelTable = nullptr;
    HMENU m_hMenuDefault = nullptr;
    UINT m_nIDHelp = 0;  // the resource id the frame was loaded from
    // Menu items without an update handler or command handler are disabled.
    BOOL m_bAutoMenuEnable = TRUE;
    // Nonzero while the user points at something to get its help (context-help mode): bars
    // then take clicks anywhere on them as clicks on their items.
    int m_bHelpMode = 0;

    // Print preview around the frame's client: entering takes away menu and accelerators and
    // hides the visible bars; leaving gives them back and lays out again.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    BOOL IsInPreviewMode() const { return m_pPreviewState != nullptr; }

    // Tells the windows floating over the frame (owned popups) what happened to it.
    void NotifyFloatingWindows(DWORD dwFlags);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands go to the active view (and so its document), then the frame, then the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnEnable(BOOL bEnable);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivateApp(WPARAM wParam, LPARAM lParam);
    // The status bar's key panes (caps, num and scroll lock).
    void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

protected:
    // The document strings' window title ("" when the frame got none).
    CString m_strTitle;
    CView* m_pViewActive = nullptr;
    CPrintPreviewState* m_pPreviewState = nullptr;
    bool* m_pDestroyed = nullptr;  // set while Create runs, to learn that the object is gone
    bool m_bInDestructor = false;  // the window goes because the object is deleted
    // A command's route came from the parent frame (which goes on with it), or from a child
    // frame (whose own part of the route is done).
    BOOL m_bRoutedByParent = FALSE;
    BOOL m_bRoutedByChild = FALSE;

    // Creation after the window exists: default processing, then the client from the context.
    int OnCreateHelper(LPCREATESTRUCTA lpcs, CCreateContext* pContext);
    // The window class of a frame with the icon of nIDResource.
    static const char* FrameClassName(UINT nIDResource);
    friend class CView;
    friend class CMDIFrameWnd;
};
