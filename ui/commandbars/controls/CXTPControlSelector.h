// A grid picker in a menu (rows by columns of a table, say): the part under the mouse is
// highlighted, the grid grows under a drag, a click takes the selection.
#pragma once

#include "CXTPControl.h"

// The notification code of a changed selection, sent with WM_CMDBARS_EXECUTE.
#define XTP_SELECTOR_CHANGED 0x1006

class CXTPControlSelector : public CXTPControl {
    DECLARE_SERIAL(CXTPControlSelector)

public:
    CXTPControlSelector();

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    BOOL OnSetSelected(int bSelected) override;
    void OnMouseMove(CPoint point) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
    void Copy(CXTPControl* pSrc, BOOL bRecursive = FALSE) override;
    void DoPropExchange(CXTPPropExchange* pPX) override;

    // The content of one cell; nothing here.
    virtual void DrawItem(CDC* /*pDC*/, CRect /*rcItem*/, COLORREF /*clrText*/) {}

    // One step of the mouse at a point of the bar: with the button held the grid grows towards
    // a point beyond its right or bottom edge; the selection follows the point.
    void TrackMouse(CPoint point, BOOL bButtonDown);

    void SetItemsCount(CSize size) { m_szInitial = m_szCurrent = size; }
    void SetItemsMax(CSize size) { m_szMax = size; }
    void SetItemSize(CSize size) { m_szItem = size; }
    CSize GetItemsCount() const { return m_szInitial; }
    CSize GetItemsMax() const { return m_szMax; }
    CSize GetItemSize() const { return m_szItem; }
    CSize GetCurrent() const { return m_szCurrent; }
    CSize GetSelectedItems() const { return m_szSelected; }
    CSize GetChosenItems() const { return m_szChosen; }

protected:
    // The selection changed: redraw and tell the site.
    void OnSelectedChanged();
    void SetSelectedItems(CSize size);

    CSize m_szInitial{5, 4};
    CSize m_szMax{12, 12};
    CSize m_szSelected{0, 0};
    CSize m_szItem{28, 28};
    CSize m_szChosen{0, 0};
    CSize m_szCurrent{5, 4};
    BOOL m_bResizing = FALSE;
};
