// An owner-drawn, flicker-free list box in the library's font and colours.
#pragma once

#include "CListBox.h"

class CXTListBox : public CListBox {
    DECLARE_DYNCREATE(CXTListBox)

public:
    CXTListBox();
    ~CXTListBox() override;

    // Adds the owner-drawn styles the list is painted with and, with bAutoFont, the library's font.
    virtual void Initialize(bool bAutoFont = true);
    void SetRedraw(BOOL bRedraw = TRUE);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    void PaintList();
};
