// Shows a script in an editor view of a plain MDI frame until it is closed: a program to look
// at, not a test.
#include <windows.h>

#include <fstream>
#include <string>

#include <Scintilla.h>

#include "CDocTemplate.h"
#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"
#include "CScintillaView.h"
#include "CTavrelinView.h"
#include "CTavrelinDoc.h"
#include "CWinApp.h"
#include "EditorTestIds.h"

namespace {

const char kScript[] =
    "// Greets the player at the gate.\r\n"
    "func void B_Greet(var C_NPC slf)\r\n"
    "{\r\n"
    "\tvar int times; /* how often */\r\n"
    "\ttimes = times + 1;\r\n"
    "\tif (times > 2)\r\n"
    "\t{\r\n"
    "\t\tAI_Output(self, other, \"GATE_1\");\r\n"
    "\t};\r\n"
    "};\r\n";

class DemoApp : public CWinApp {
public:
    DemoApp() : CWinApp("EditorDemo") {}

    BOOL InitInstance() override
    {
        Scintilla_RegisterClasses(::GetModuleHandleA(nullptr));
        // "script" on the command line: the script view, set up by itself.
        const bool script = std::string(::GetCommandLineA()).find("script") != std::string::npos;
        AddDocTemplate(new CMultiDocTemplate(IDR_SCRIPTTYPE, RUNTIME_CLASS(CTavrelinDoc), RUNTIME_CLASS(CMDIChildWnd),
                                             script ? RUNTIME_CLASS(CTavrelinView) : RUNTIME_CLASS(CScintillaView)));
        auto* frame = new CMDIFrameWnd;
        if (!frame->LoadFrame(IDR_TEST_FRAME))
            return FALSE;
        m_pMainWnd = frame;
        frame->SetWindowPos(nullptr, 40, 30, 900, 640, SWP_NOZORDER | SWP_SHOWWINDOW);
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        const std::string path = std::string(temp) + "Gate.d";
        std::ofstream(path, std::ios::binary) << kScript;
        auto* doc = static_cast<CTavrelinDoc*>(OpenDocumentFile(path.c_str()));
        if (!doc)
            return FALSE;
        CScintillaView* view = doc->GetView();
        if (script) {
            if (auto* child = static_cast<CMDIChildWnd*>(view->GetParentFrame()))
                child->MDIMaximize();
            view->GetCtrl().GotoPos(view->GetCtrl().PositionFromLine(5) + 5);  // after "if (": a brace pair
            // "menu" as well: the context menu, as a right click in the text opens it.
            if (std::string(::GetCommandLineA()).find("menu") != std::string::npos)
                view->GetCtrl().PostMessage(WM_CONTEXTMENU, WPARAM(view->GetCtrl().m_hWnd), MAKELPARAM(200, 160));
            return TRUE;
        }
        view->SetLexerForExtension("d");
        view->ShowLineNumbers(TRUE);
        view->ShowFoldMargin(TRUE);
        CScintillaCtrl& ctrl = view->GetCtrl();
        // The fold margin shows boxes at the braces.
        ctrl.SetMarginMaskN(2, SC_MASK_FOLDERS);
        ctrl.SetMarginSensitiveN(2, TRUE);
        ctrl.MarkerDefine(SC_MARKNUM_FOLDEROPEN, SC_MARK_BOXMINUS);
        ctrl.MarkerDefine(SC_MARKNUM_FOLDER, SC_MARK_BOXPLUS);
        ctrl.MarkerDefine(SC_MARKNUM_FOLDERSUB, SC_MARK_VLINE);
        ctrl.MarkerDefine(SC_MARKNUM_FOLDERTAIL, SC_MARK_LCORNER);
        ctrl.MarkerDefine(SC_MARKNUM_FOLDEROPENMID, SC_MARK_BOXMINUSCONNECTED);
        ctrl.MarkerDefine(SC_MARKNUM_FOLDEREND, SC_MARK_BOXPLUSCONNECTED);
        ctrl.MarkerDefine(SC_MARKNUM_FOLDERMIDTAIL, SC_MARK_TCORNER);
        if (auto* child = static_cast<CMDIChildWnd*>(view->GetParentFrame()))
            child->MDIMaximize();
        // "replace" on the command line: the replace dialog as well.
        if (std::string(::GetCommandLineA()).find("replace") != std::string::npos) {
            ctrl.SetSel(ctrl.PositionFromLine(4) + 1, ctrl.PositionFromLine(4) + 6);
            view->OnEditFindReplace(0);
        }
        return TRUE;
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    DemoApp app;
    if (!app.InitInstance())
        return 1;
    return app.Run();
}
