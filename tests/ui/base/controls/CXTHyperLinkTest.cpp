// The hyperlink: its caption as the link, opening through the shell, errors, clicks beside the text, hovering.
#include "CXTHyperLink.h"

#include <string>
#include <vector>

#include "ControlHost.h"

namespace {

struct ShellCall {
    std::string verb, file;
};
std::vector<ShellCall> g_shellCalls;
std::vector<std::string> g_messages;
INT_PTR g_shellResult = 42;

HINSTANCE FakeShellExecute(HWND, const char* verb, const char* file, const char*, const char*, int)
{
    g_shellCalls.push_back({verb ? verb : "", file ? file : ""});
    return (HINSTANCE)g_shellResult;
}

int FakeMessageBox(HWND, const char* text, const char*, UINT)
{
    g_messages.push_back(text);
    return IDOK;
}

class HyperLinkTest : public ControlHost {
protected:
    void SetUp() override
    {
        ControlHost::SetUp();
        g_shellCalls.clear();
        g_messages.clear();
        g_shellResult = 42;
        previous = CXTHyperLink::SetShell({FakeShellExecute, FakeMessageBox});
        // A wide, left-aligned static: its text covers only the left part.
        HWND hWnd = ::CreateWindowExA(0, "STATIC", "http://example.invalid/", WS_CHILD | WS_VISIBLE | SS_LEFT, 10,
                                      300, 500, 20, host->m_hWnd, (HMENU)801, nullptr, nullptr);
        ASSERT_TRUE(link.SubclassWindow(hWnd));
        Pump();  // the deferred set-up
    }
    void TearDown() override
    {
        link.DestroyWindow();
        CXTHyperLink::SetShell(previous);
        ControlHost::TearDown();
    }
    void ClickAt(CPoint point)
    {
        PlaceCursor(&link, point);
        link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        Pump();
    }

    CXTHyperLink link;
    CXTHyperLink::Shell previous;
};

TEST_F(HyperLinkTest, WithoutALinkTheCaptionOpens)
{
    EXPECT_STREQ(link.GetLink(), "http://example.invalid/");
    EXPECT_STREQ(link.GetTipText(), "http://example.invalid/");  // an empty tip shows the link
    EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);
    ClickAt(CPoint(5, 8));
    ASSERT_EQ(g_shellCalls.size(), 1u);
    EXPECT_EQ(g_shellCalls[0].verb, "open");
    EXPECT_EQ(g_shellCalls[0].file, "http://example.invalid/");
    EXPECT_TRUE(link.GetVisited());
    CursorAway();
}

TEST_F(HyperLinkTest, ShellErrorsAreShownAndLeaveTheLinkUnvisited)
{
    g_shellResult = 31;  // results up to 32 are errors
    ClickAt(CPoint(5, 8));
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], "There is no application associated with the given file name extension.");
    EXPECT_FALSE(link.GetVisited());
    link.ShowShellError(99);
    ASSERT_EQ(g_messages.size(), 2u);
    EXPECT_EQ(g_messages[1], "An unknown error number 99 occured.");
    CursorAway();
    struct Case {
        int code;
        const char* text;
    } cases[] = {{2, "The specified file was not found."},
                 {31, "There is no application associated with the given file name extension."},
                 {0, "The operating system is out of memory or resources."}};
    for (const Case& c : cases)
        EXPECT_STREQ(CXTHyperLink::GetShellErrorText(c.code), c.text);
}

TEST_F(HyperLinkTest, SystemShellReportsAMissingFile)
{
    CXTHyperLink::SetShell({nullptr, FakeMessageBox});
    EXPECT_FALSE(link.OpenLink("C:\\no such folder\\no such file.tvnone"));
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_TRUE(g_messages[0] == "The specified file was not found." ||
                g_messages[0] == "The specified path was not found.")
        << g_messages[0];
}

TEST_F(HyperLinkTest, ClickBesideTheTextDoesNothing)
{
    ClickAt(CPoint(480, 8));
    EXPECT_TRUE(g_shellCalls.empty());
    EXPECT_FALSE(link.GetVisited());
    CursorAway();
}

TEST_F(HyperLinkTest, HoverFollowsThePointerOverTheText)
{
    PlaceCursor(&link, CPoint(5, 8));
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 8));
    PumpFor(40);
    EXPECT_TRUE(link.IsHovering());
    PlaceCursor(&link, CPoint(480, 8));  // beside the text
    PumpFor(40);
    EXPECT_FALSE(link.IsHovering());
    CursorAway();
}

TEST_F(HyperLinkTest, TextIsDrawnInTheStateColour)
{
    link.SetColors(RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200));
    auto hasColour = [&](COLORREF colour) {
        PrintedWindow printed(&link);
        for (int y = 0; y < printed.height; ++y)
            for (int x = 0; x < 120; ++x)
                if (printed.At(x, y) == colour)
                    return true;
        return false;
    };
    EXPECT_TRUE(hasColour(RGB(200, 0, 0)));
    link.SetVisited(true);
    EXPECT_TRUE(hasColour(RGB(0, 200, 0)));
    EXPECT_FALSE(hasColour(RGB(200, 0, 0)));
}

}  // namespace
