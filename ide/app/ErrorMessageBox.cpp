// The engine's "Error-Message" box as a Windows message box.
#include "ErrorMessageBox.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "ErrorBox.h"

namespace {

[[noreturn]] void ShowErrorMessageBox(const std::string& text)
{
    // System-modal: it comes up in front whichever thread reached the dead end.
    ::MessageBoxA(::GetFocus(), text.c_str(), "Error-Message", MB_OK | MB_SYSTEMMODAL);
    // Other threads still run: static destructors must not pull their objects away.
    std::_Exit(1);
}

}  // namespace

void InstallErrorMessageBox()
{
    zSetErrorBoxHandler(&ShowErrorMessageBox);
}
