// Reading and writing the build options of "Automatic".
#include "BuildOptions.h"

#include "CSolutionConfig.h"
#include "CWinApp.h"

namespace {
const char kSection[] = "Automatic";
}

void LoadBuildOptions()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    g_solutionConfig.PartialCompile = static_cast<int>(app->GetProfileInt(kSection, "PartialCompile", 0));
    g_solutionConfig.InsertInGame = static_cast<int>(app->GetProfileInt(kSection, "InsertInGame", 0));
    g_solutionConfig.PathVarnok = app->GetProfileString(kSection, "PathVarnok", "");
    g_solutionConfig.PathVarnok2 = app->GetProfileString(kSection, "PathVarnok2", "");
    g_solutionConfig.RemoveFromDisk = static_cast<int>(app->GetProfileInt(kSection, "RemoveFromDisk", 1));
}

void SaveBuildOptions()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    app->WriteProfileInt(kSection, "PartialCompile", g_solutionConfig.PartialCompile);
    app->WriteProfileInt(kSection, "InsertInGame", g_solutionConfig.InsertInGame);
    app->WriteProfileString(kSection, "PathVarnok", g_solutionConfig.PathVarnok);
    app->WriteProfileString(kSection, "PathVarnok2", g_solutionConfig.PathVarnok2);
    app->WriteProfileInt(kSection, "RemoveFromDisk", g_solutionConfig.RemoveFromDisk);
}
