// Toolbars: buttons and images from a toolbar resource, their states from the owner's update
// handlers, and resources that are missing or cut short.
#include <gtest/gtest.h>

#include <vector>

#include "CCmdUI.h"
#include "CToolBar.h"

namespace {

const UINT kToolBar = 500;       // 100, separator, 101; a red and a blue image
const UINT kShortCount = 501;    // promises five ids, holds two
const UINT kWithoutBitmap = 502;

// Handles 100 and disables 101 through its update handler.
class ToolHost : public CWnd {
public:
    void OnFirst() {}
    void OnUpdateSecond(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ToolHost, CWnd)
    ON_COMMAND(100, OnFirst)
    ON_UPDATE_COMMAND_UI(101, OnUpdateSecond)
END_MESSAGE_MAP()

std::vector<UINT> Ids(const CToolBar& bar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); i++)
        ids.push_back(bar.GetItemID(i));
    return ids;
}

// The colour at the middle of a button, from the bar painted into a memory DC.
COLORREF ButtonMiddle(CToolBar& bar, int nIndex)
{
    RECT rc = {};
    bar.SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&rc));
    CRect client;
    bar.GetClientRect(&client);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.Width(), client.Height());
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF color = ::GetPixel(dc, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return color;
}

TEST(CToolBarTest, ButtonsAndImagesComeFromTheResourceAndHandlersSetTheirStates)
{
    ToolHost host;
    ASSERT_TRUE(host.CreateEx(0, CWnd::DefaultClassName(), "Toolbar", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
    CToolBar bar;
    ASSERT_TRUE(bar.Create(&host));
    EXPECT_EQ(bar.GetDlgCtrlID(), AFX_IDW_TOOLBAR);
    ASSERT_TRUE(bar.LoadToolBar(kToolBar));
    EXPECT_EQ(Ids(bar), (std::vector<UINT>{100, 0, 101}));
    EXPECT_EQ(bar.CommandToIndex(101), 2);
    EXPECT_EQ(bar.CommandToIndex(999), -1);
    EXPECT_EQ(bar.SendMessage(TB_GETBUTTONSIZE), MAKELONG(23, 22)) << "7 pixels around each image";
    const CSize size = bar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_GT(size.cx, 2 * 23);
    EXPECT_EQ(size.cy, 22);

    bar.MoveWindow(0, 0, size.cx, size.cy);
    EXPECT_EQ(ButtonMiddle(bar, 0), RGB(255, 0, 0));
    EXPECT_EQ(ButtonMiddle(bar, 2), RGB(0, 0, 255)) << "the separator takes no image";

    bar.OnUpdateCmdUI(&host, TRUE);
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONENABLED, 100));
    EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, 101));

    // Damaged or missing resources leave the buttons the bar has.
    for (UINT nID : {kShortCount, kWithoutBitmap, 999u}) {
        EXPECT_FALSE(bar.LoadToolBar(nID)) << nID;
        EXPECT_EQ(Ids(bar), (std::vector<UINT>{100, 0, 101})) << nID;
    }
    CToolBar windowless;
    EXPECT_FALSE(windowless.LoadToolBar(kToolBar));
    host.DestroyWindow();
}

}  // namespace
