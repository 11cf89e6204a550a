// Shows one of the settings dialogs until it is closed: a program to look at, not a test.
// Arguments: "style" (the text-style dialog on the Class record), "options", "goto" or "tabs"; "de" or
// "ru" for that interface language.
#include <windows.h>

#include <cstring>

#include <Scintilla.h>

#include "CEditSetup.h"
#include "CGotoLine.h"
#include "CStyleText.h"
#include "CTabDialog.h"
#include "AfxResource.h"
#include "CWinApp.h"
#include "EditorSettings.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    CWinApp app("SettingsDemo");
    Scintilla_RegisterClasses(::GetModuleHandleA(nullptr));
    if (std::strstr(commandLine, "de"))
        AfxSetResourceLanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    else if (std::strstr(commandLine, "ru"))
        AfxSetResourceLanguage(MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
    if (std::strstr(commandLine, "options")) {
        CEditSetup(nullptr).DoModal();
    } else if (std::strstr(commandLine, "tabs")) {
        CTabDialog(nullptr).DoModal();
    } else if (std::strstr(commandLine, "goto")) {
        CGotoLine(120).DoModal();
    } else {
        CStyleText dialog("instance PC_Hero (C_NPC)\r\nC_NPC self;", 19, nullptr);
        dialog.DoModal();
    }
    return 0;
}
