// Shows the test application with two note windows until it is closed: a program to look at,
// not a test.
#include "NotesApplication.h"

namespace {

class DemoApp : public CWinApp {
public:
    DemoApp() : CWinApp("FramesDemo") {}

    BOOL InitInstance() override
    {
        SetRegistryKey("Tavrelin");
        LoadStdProfileSettings(4);
        NotesMainFrame* frame = StartNotesApplication(*this);
        if (!frame)
            return FALSE;
        frame->SetWindowPos(nullptr, 40, 30, 900, 640, SWP_NOZORDER | SWP_SHOWWINDOW);
        const char* texts[] = {"Thorn gate opens at dusk.", "The ferryman wants two coins."};
        for (const char* text : texts) {
            OnFileNew();
            if (NoteDoc* doc = static_cast<NoteDoc*>(frame->GetActiveDocument())) {
                doc->m_text = text;
                doc->UpdateAllViews(nullptr);
            }
        }
        frame->MDITile(MDITILE_VERTICAL);
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
