// The editor-options dialog: the options exchanged with its controls, handed to the view's frame on OK.
#include "CEditSetup.h"

#include "CFrameWnd.h"
#include "ResourceIds.h"

namespace {

struct Field {
    int id;
    int EditorOptions::*member;
    bool check;
};

const Field kFields[] = {
    {IDC_SETUP_PARAMETER_INFO, &EditorOptions::callTip, true},
    {IDC_SETUP_AUTO_COMPLETE, &EditorOptions::autoComplete, true},
    {IDC_SETUP_TYPE_INFO, &EditorOptions::declareTip, true},
    {IDC_SETUP_FOLDING, &EditorOptions::folding, true},
    {IDC_SETUP_INDENT_GUIDES, &EditorOptions::indentGuide, true},
    {IDC_SETUP_AUTO_INDENT, &EditorOptions::autoIndent, true},
    {IDC_SETUP_DWELL_TIME, &EditorOptions::dwellTime, false},
    {IDC_SETUP_INDENT_SIZE, &EditorOptions::indent, false},
    {IDC_SETUP_TAB_SIZE, &EditorOptions::tab, false},
    {IDC_SETUP_AUTOSAVE, &EditorOptions::autoSave, true},
    {IDC_SETUP_AUTOSAVE_MINUTES, &EditorOptions::savePeriod, false},
    {IDC_SETUP_WRAP_LINES, &EditorOptions::wrapLines, true},
    {IDC_SETUP_LINE_NUMBERS, &EditorOptions::lineNumber, true},
    {IDC_SETUP_CHECK_BRACKETS, &EditorOptions::checkBraces, true},
};

}  // namespace

CEditSetup::CEditSetup(CWnd* pView) : CDialog(IDD_EDIT_SETUP, pView), m_options(g_editorOptions), m_pView(pView) {}

void CEditSetup::DoDataExchange(CDataExchange* pDX)
{
    for (const Field& field : kFields) {
        if (field.check)
            DDX_Check(pDX, field.id, m_options.*field.member);
        else
            DDX_Text(pDX, field.id, m_options.*field.member);
    }
}

void CEditSetup::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const int selection = g_editorOptions.selection;  // no control of its own here
    g_editorOptions = m_options;
    g_editorOptions.selection = selection;
    EndDialog(IDOK);
    if (m_pView)
        if (CFrameWnd* frame = m_pView->GetParentFrame())
            frame->SendMessage(kMsgEditorOptionsChanged);
}
