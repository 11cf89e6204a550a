// A toolbar of the button image editor: the system's toolbar control with square buttons that
// wrap into rows, whose states its owner's update handlers set at idle time.
#pragma once

#include "CImageList.h"
#include "CWnd.h"

class CXTPImageEditorToolBar : public CWnd {
public:
    // Buttons of the ids with images 0, 1, ... of the list (the toolbar keeps it), nWrap a row;
    // placed at the top left of the rectangle.
    BOOL Create(CWnd* pParent, const RECT& rc, UINT nID, const UINT* pIDs, int nCount, int nWrap,
                HIMAGELIST hImageList);
    BOOL IsButtonChecked(UINT nID) const;
    BOOL IsButtonEnabled(UINT nID) const;
    // The screen rectangle of a button.
    CRect GetButtonRect(UINT nID) const;

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    enum { buttonSide = 23, imageSide = 16 };

private:
    CImageList m_imageList;
};
