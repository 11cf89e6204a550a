// A string id's text through the resource manager, so that it follows the chosen language, and
// an error code's text from the system.
#include "LoadText.h"

#include "CXTPResourceManager.h"

CString LoadText(UINT nID)
{
    CString text;
    XTPResourceManager()->LoadString(&text, nID);
    return text;
}

CString SystemErrorText(DWORD error)
{
    char* buffer = nullptr;
    ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer), 0,
                     nullptr);
    CString text = buffer ? buffer : "";
    if (buffer)
        ::LocalFree(buffer);
    text.TrimRight("\r\n");
    return text;
}
