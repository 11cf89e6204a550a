// The customize context menu's actions on a control's button picture: copy, paste and edit, and
// when each is offered.
#pragma once

#include <windows.h>

class CWnd;
class CXTPCommandBars;
class CXTPControl;

class CXTPCustomizeButtonImage {
public:
    // The id of the control's picture: its custom icon, else its icon id when positive, else
    // its command id.
    static int GetPictureId(const CXTPControl* pControl);
    // Copy and edit: a button or popup kind whose picture id is positive.
    static BOOL CanCopy(const CXTPControl* pControl);
    // Paste: a button or popup kind while the clipboard holds a bitmap or the image manager's
    // own picture.
    static BOOL CanPaste(const CXTPControl* pControl);

    // The 16-pixel picture to the clipboard: a bitmap drawn on the button face colour, and the
    // image manager's own format.
    static BOOL Copy(CXTPCommandBars* pCommandBars, CXTPControl* pControl, HWND hWndOwner);
    // The clipboard's picture (the image manager's own format, else a bitmap: with its alpha when
    // the alpha marker says so, else masked by the button face colour) becomes a new custom
    // icon of the host and the control's picture.
    static BOOL Paste(CXTPCommandBars* pCommandBars, CXTPControl* pControl, HWND hWndOwner);
    // Runs the button image editor on the picture (an empty one when there is none); on OK the
    // control gets a new custom icon, or its custom icon the edited picture.
    static BOOL Edit(CXTPCommandBars* pCommandBars, CXTPControl* pControl, CWnd* pParent);
};
