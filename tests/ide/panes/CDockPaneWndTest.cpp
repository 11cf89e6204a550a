// The pane control template: a flat one-pixel border in the theme's colour 16 over the
// control's own edge; an instantiation without a map of its own keeps its control's.
#include <gtest/gtest.h>

#include "CDockPaneWnd.h"
#include "CTreeCtrl.h"
#include "CWnd.h"
#include "CXTPPaintManager.h"

namespace {

// The four corner pixels of a window's frame.
std::vector<COLORREF> Corners(CWnd& wnd)
{
    wnd.RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    CRect rc;
    wnd.GetWindowRect(&rc);
    HDC hdc = ::GetWindowDC(wnd.m_hWnd);
    std::vector<COLORREF> corners = {::GetPixel(hdc, 0, 0), ::GetPixel(hdc, rc.Width() - 1, 0),
                                     ::GetPixel(hdc, 0, rc.Height() - 1),
                                     ::GetPixel(hdc, rc.Width() - 1, rc.Height() - 1)};
    ::ReleaseDC(wnd.m_hWnd, hdc);
    return corners;
}

}  // namespace

TEST(CDockPaneWndTest, BorderIsOneColourOverTheControlsEdge)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, CWnd::DefaultClassName(), "Panes", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                                nullptr, nullptr));
    CDockPaneWnd<CTreeCtrl> framed;
    CTreeCtrl plain;
    ASSERT_TRUE(framed.CreateEx(WS_EX_STATICEDGE, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 90),
                                &parent, 1));
    ASSERT_TRUE(plain.CreateEx(WS_EX_STATICEDGE, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE, CRect(150, 10, 250, 90),
                               &parent, 2));

    const COLORREF border = XTPPaintManager()->GetColor(16);
    const std::vector<COLORREF> expected(4, border);
    EXPECT_EQ(Corners(framed), expected);
    // The static edge alone is lighter at the bottom right: the border above is the template's.
    EXPECT_NE(Corners(plain), expected);

    // The control works as before inside its border.
    TVINSERTSTRUCTA insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>("Item");
    EXPECT_NE(framed.InsertItem(&insert), nullptr);
    EXPECT_EQ(framed.GetCount(), 1u);

    plain.DestroyWindow();
    framed.DestroyWindow();
    parent.DestroyWindow();
}
