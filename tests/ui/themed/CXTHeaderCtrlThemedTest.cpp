// The header's hot tracking, which runs only where the system's visual style draws headers.
#include "CXTHeaderCtrl.h"

#include <gtest/gtest.h>

#include "CXTPUxTheme.h"

namespace {

void PumpFor(DWORD milliseconds)
{
    const DWORD end = ::GetTickCount() + milliseconds;
    MSG msg;
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    }
}

TEST(HeaderThemed, HotColumnFollowsThePointerAndTheTimerStopsWhenItLeaves)
{
    // Wine's version-6 controls report 5.81: the check is told the version the manifest asked for.
    CXTPUxThemeLibrary* library = XTPUxThemeLibrary();
    const DWORD real = library->GetComCtlVersion();
    library->SetComCtlVersion(MAKELONG(0, 6));

    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, CWnd::DefaultClassName(), "Header", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400,
                                120, nullptr, nullptr));
    CXTHeaderCtrl header;
    ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS, CRect(0, 0, 360, 24), &parent, 5));
    for (int i = 0; i < 3; ++i) {
        HDITEMA item = {};
        item.mask = HDI_WIDTH | HDI_TEXT;
        item.cxy = 100;
        item.pszText = const_cast<char*>("Column");
        header.InsertItem(i, &item);
    }
    ASSERT_TRUE(header.GetTheme()->CanUseWinTheme(&header)) << "the default theme draws with the visual style";

    auto pointAt = [&](int x, int y) {
        CPoint screen(x, y);
        header.ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        header.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        PumpFor(80);
    };
    pointAt(150, 10);
    EXPECT_EQ(header.m_nHotItem, 1);
    pointAt(250, 10);
    EXPECT_EQ(header.m_nHotItem, 2);
    pointAt(250, 60);  // below the header: it has left every column
    EXPECT_EQ(header.m_nHotItem, -1);
    EXPECT_FALSE(header.KillTimer(1)) << "the hover timer stopped with the pointer gone";

    header.DestroyWindow();
    parent.DestroyWindow();
    library->SetComCtlVersion(real);
}

}  // namespace
