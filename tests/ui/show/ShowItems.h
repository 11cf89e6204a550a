// Filling the show programs' bars and menus: one control of a type, id and caption.
#pragma once

#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPControls.h"

inline CXTPControl* AddItem(CXTPCommandBar* pBar, XTPControlType type, int nId, const char* lpszCaption,
                            BOOL bBeginGroup = FALSE)
{
    CXTPControl* pControl = pBar->GetControls()->Add(type, nId);
    pControl->SetCaption(lpszCaption);
    pControl->SetBeginGroup(bBeginGroup);
    return pControl;
}
