// A string id's text through the resource manager, so that it follows the chosen language.
#include "LoadText.h"

#include "CXTPResourceManager.h"

CString LoadText(UINT nID)
{
    CString text;
    XTPResourceManager()->LoadString(&text, nID);
    return text;
}
