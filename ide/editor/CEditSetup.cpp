// The editor-options dialog: the options exchanged with its controls, handed to the view's frame on OK.
#include "CEditSetup.h"

#include "CFrameWnd.h"

namespace {

struct Field {
    int id;
    int EditorOptions::*member;
    bool check;
};

const Field kFields[] = {
    {1032, &EditorOptions::callTip, true},    {1033, &EditorOptions::autoComplete, true},
    {1034, &EditorOptions::declareTip, true}, {1031, &EditorOptions::folding, true},
    {1040, &EditorOptions::indentGuide, true}, {1039, &EditorOptions::autoIndent, true},
    {1037, &EditorOptions::dwellTime, false}, {1036, &EditorOptions::indent, false},
    {1035, &EditorOptions::tab, false},       {1044, &EditorOptions::autoSave, true},
    {1043, &EditorOptions::savePeriod, false}, {1046, &EditorOptions::wrapLines, true},
    {1078, &EditorOptions::lineNumber, true}, {1070, &EditorOptions::checkBraces, true},
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
