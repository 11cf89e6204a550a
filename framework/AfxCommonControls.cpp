// Registration of the common control classes, once per process and class group.
#include "AfxCommonControls.h"

#include <commctrl.h>

#include <atomic>

BOOL AfxInitCommonControls(DWORD classes)
{
    static std::atomic<DWORD> registered{0};
    if ((registered.load() & classes) == classes)
        return TRUE;
    INITCOMMONCONTROLSEX init = {sizeof(init), classes};
    if (!::InitCommonControlsEx(&init))
        return FALSE;
    registered.fetch_or(classes);
    return TRUE;
}
