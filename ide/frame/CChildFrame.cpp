// The script views' MDI child frame: its tab colour, the life of the shared editor settings and
// their spread to every view.
#include "CChildFrame.h"

#include "CCmdUI.h"
#include "CDocument.h"
#include "CSolutionConfig.h"
#include "CTabDialog.h"
#include "CView.h"
#include "EditorProjectHost.h"
#include "EditorSettings.h"
#include "EditorSettingsTarget.h"
#include "OpenDocuments.h"

namespace {

int g_openFrames = 0;
DWORD g_cycleColor = kTabColorFirst;  // the colour the next frame takes when colours cycle

DWORD NextTabColor(DWORD color) { return color >= kTabColorLast ? kTabColorFirst : color + 1; }

// Calls what on every view of every open document that shows a script.
template <class What>
void ForEachSettingsTarget(What what)
{
    ForEachOpenDocument([&](CDocument* doc) {
        for (POSITION v = doc->GetFirstViewPosition(); v;)
            if (auto* target = dynamic_cast<EditorSettingsTarget*>(doc->GetNextView(v)))
                what(*target);
    });
}

}  // namespace

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
    ON_WM_CREATE()
    ON_MESSAGE(kMsgGetTabColor, OnGetTabColor)
    ON_COMMAND_RANGE(ID_TAB_COLOR_FIRST, ID_TAB_COLOR_LAST, OnTabColor)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TAB_COLOR_FIRST, ID_TAB_COLOR_LAST, OnUpdateTabColor)
    ON_COMMAND(ID_TAB_COLOR_NONE, OnTabColorNone)
    ON_UPDATE_COMMAND_UI(ID_TAB_COLOR_NONE, OnUpdateTabColorNone)
    ON_COMMAND(ID_TAB_COLOR_OPTIONS, OnTabColorOptions)
    ON_MESSAGE(kMsgTextStyleChanged, OnTextStyleChanged)
    ON_MESSAGE(kMsgEditorOptionsChanged, OnEditorOptionsChanged)
END_MESSAGE_MAP()

CChildFrame::CChildFrame()
{
    ++g_openFrames;
    if (!g_pTextStyles) {
        g_pTextStyles = new TextStyle[kTextStyleCount];
        LoadEditorOptions();
        LoadTabColors();
    }
    if (g_tabColors.cycle) {
        m_tabColor = g_cycleColor;
        g_cycleColor = NextTabColor(g_cycleColor);
        // The foreign colour is skipped by the next frame; this one leaves it when activated.
        if (m_tabColor == g_tabColors.foreign)
            g_cycleColor = NextTabColor(g_cycleColor);
    } else {
        m_tabColor = g_tabColors.defaultColor;
    }
    // The project's "Documents" list has changed: a close saves it.
    g_solutionConfig.ViewStateModified = 1;
}

CChildFrame::~CChildFrame()
{
    if (--g_openFrames == 0) {
        SaveTextStyles();
        delete[] g_pTextStyles;
        g_pTextStyles = nullptr;
        SaveTabColors();
    }
    g_solutionConfig.ViewStateModified = 1;
}

int CChildFrame::GetOpenFrameCount() { return g_openFrames; }

int CChildFrame::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CMDIChildWnd::OnCreate(lpcs) == -1)
        return -1;
    // The editor windows stay maximised in their tab row: no restoring, moving or sizing.
    if (HMENU system = ::GetSystemMenu(m_hWnd, FALSE)) {
        for (UINT command : {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_MOVE, SC_SIZE})
            ::DeleteMenu(system, command, MF_BYCOMMAND);
    }
    return 0;
}

BOOL CChildFrame::OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return TRUE;
    CWnd* view = CreateView(pContext, AFX_IDW_PANE_FIRST);
    if (!view)
        return FALSE;
    view->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return TRUE;
}

void CChildFrame::ApplyTabColorRule()
{
    CDocument* doc = GetActiveDocument();
    if (!doc)
        return;
    if (FindSourceListEntry(doc->GetPathName()).IsEmpty())
        m_tabColor = g_tabColors.foreign;
    else if (m_tabColor == g_tabColors.foreign)
        m_tabColor = g_tabColors.cycle ? NextTabColor(g_tabColors.foreign) : g_tabColors.defaultColor;
}

void CChildFrame::ActivateFrame(int nCmdShow)
{
    ApplyTabColorRule();
    CMDIChildWnd::ActivateFrame(nCmdShow);
}

LRESULT CChildFrame::OnGetTabColor(WPARAM, LPARAM) { return LRESULT(m_tabColor); }

void CChildFrame::OnTabColor(UINT nID) { m_tabColor = kTabColorFirst + (nID - ID_TAB_COLOR_FIRST); }

void CChildFrame::OnUpdateTabColor(CCmdUI* pCmdUI)
{
    const DWORD color = kTabColorFirst + (pCmdUI->m_nID - ID_TAB_COLOR_FIRST);
    const bool checked = m_tabColor == color;
    pCmdUI->SetCheck(checked ? 1 : 0);
    // A foreign file keeps the foreign colour, and no project file may take it.
    pCmdUI->Enable(checked || (m_tabColor != g_tabColors.foreign && color != g_tabColors.foreign));
}

void CChildFrame::OnTabColorNone() { m_tabColor = kTabColorNone; }

void CChildFrame::OnUpdateTabColorNone(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_tabColor == kTabColorNone ? 1 : 0);
    pCmdUI->Enable(m_tabColor != g_tabColors.foreign);
}

void CChildFrame::OnTabColorOptions()
{
    CTabDialog dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    g_tabColors.cycle = dialog.m_cycle;
    if (dialog.m_defaultIndex >= 0)  // -1: no choice ticked, the old colour stays
        g_tabColors.defaultColor = dialog.m_defaultIndex >= 8 ? kTabColorNone : kTabColorFirst + dialog.m_defaultIndex;
    if (dialog.m_foreignIndex >= 0)
        g_tabColors.foreign = kTabColorFirst + dialog.m_foreignIndex;
    SaveTabColors();
    ApplyTabColorsToAll();
}

LRESULT CChildFrame::OnTextStyleChanged(WPARAM wParam, LPARAM lParam)
{
    const int lexerStyle = static_cast<int>(wParam);
    const int record = static_cast<int>(lParam);
    if (TextStyleRecordOf(lexerStyle) < 0 || record < 0 || record >= kTextStyleCount)
        return 0;
    ForEachSettingsTarget([&](EditorSettingsTarget& target) {
        target.ApplyStyle(lexerStyle);
        target.ApplyRecord(record);  // the other styles that share the record
    });
    SaveTextStyle(record);
    return 1;
}

LRESULT CChildFrame::OnEditorOptionsChanged(WPARAM, LPARAM)
{
    ForEachSettingsTarget([](EditorSettingsTarget& target) { target.ApplySettings(); });
    RestartAutosave();
    SaveEditorOptions();
    return 1;
}
