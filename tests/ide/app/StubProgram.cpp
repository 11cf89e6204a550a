// The program with one step more at the end of its start-up: an engine operation that exists only
// as a stub. Started by ErrorMessageBoxTest.
#include <windows.h>

#include "AfxWinMain.h"
#include "CTavrelinApp.h"
#include "zTBBox3D.h"

namespace {

class StubApp : public CTavrelinApp {
public:
    // The app tests' profile, which their fixture removes.
    StubApp() : CTavrelinApp("TavrelinAppTests") {}
    BOOL InitInstance() override
    {
        if (!CTavrelinApp::InitInstance())
            return FALSE;
        zTBBox3D box{};
        box.Scale(2.0f);
    }
};

StubApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
