// The paint manager base: theme factory, bar fonts, colours, captions, check marks, grip, fade.
#include "CXTPPaintManager.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "CXTPTheme1.h"
#include "CXTSystemData.h"
#include "../../base/drawing/DibCanvas.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

// The pixels of a colour within a canvas area.
Pixels PixelsOf(CDC& dc, int cx, int cy, COLORREF clr)
{
    Pixels found;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            if (dc.GetPixel(x, y) == clr)
                found.insert({x, y});
    return found;
}

LONG g_menuHeight = -12;
BOOL Metrics(NONCLIENTMETRICSA* metrics)
{
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics->cbSize, metrics, 0);
    lstrcpynA(metrics->lfMenuFont.lfFaceName, "Arial", LF_FACESIZE);
    metrics->lfMenuFont.lfHeight = g_menuHeight;
    return TRUE;
}

LONG HeightOf(const CFont& font)
{
    LOGFONTA lf = {};
    font.GetLogFont(&lf);
    return lf.lfHeight;
}

int g_released = 0;
class CountingTheme : public CXTPTheme1 {
public:
    ~CountingTheme() override { g_released++; }
    static CXTPPaintManager* Create() { return new CountingTheme; }
};

}  // namespace

TEST(PaintManager, SetThemeMakesTheThemeOfTheIdAndReleasesThePrevious)
{
    CXTPPaintManager::SetThemeCreator(2, CountingTheme::Create);
    CXTPPaintManager* pTwo = CXTPPaintManager::SetTheme(2);
    EXPECT_NE(nullptr, dynamic_cast<CountingTheme*>(pTwo));
    EXPECT_EQ(pTwo, XTPPaintManager());
    EXPECT_EQ(2, pTwo->GetThemeId());

    g_released = 0;
    CXTPPaintManager* pSeven = CXTPPaintManager::SetTheme(7);
    EXPECT_EQ(1, g_released);
    EXPECT_EQ(nullptr, dynamic_cast<CountingTheme*>(pSeven));
    EXPECT_EQ(7, pSeven->GetThemeId());
    EXPECT_EQ(pSeven, XTPPaintManager());
    CXTPPaintManager::SetThemeCreator(2, nullptr);
}

TEST(PaintManager, BarFontFollowsTheMenuFontRaisingTinyHeights)
{
    CXTSystemData::FontSource source;
    source.pfnNonClientMetrics = Metrics;
    const CXTSystemData::FontSource previous = CXTSystemData::SetFontSource(source);
    const struct { LONG menu, bar; } cases[] = {{-9, -11}, {-1, -11}, {-10, -11}, {-12, -12}, {-20, -20}, {13, 13}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.menu);
        g_menuHeight = c.menu;
        CXTPTheme1 manager;
        EXPECT_EQ(c.bar, HeightOf(manager.m_fontRegular));
        EXPECT_EQ(c.bar, HeightOf(manager.m_fontVertBold));
        EXPECT_GT(manager.GetTextHeight(), 6);
    }
    CXTSystemData::SetFontSource(previous);
}

TEST(PaintManager, BarFontsByBarPosition)
{
    CXTPTheme1 manager;
    const struct { int position; BOOL bold; CFont* font; } cases[] = {
        {0, FALSE, &manager.m_fontRegular}, {1, TRUE, &manager.m_fontBold}, {2, FALSE, &manager.m_fontVert},
        {3, TRUE, &manager.m_fontVertBold}, {4, TRUE, &manager.m_fontBold}, {5, FALSE, &manager.m_fontRegular}};
    for (const auto& c : cases)
        EXPECT_EQ(c.font, manager.GetCommandBarFont(c.position, c.bold)) << c.position << " " << c.bold;
    LOGFONTA lf = {};
    manager.m_fontVert.GetLogFont(&lf);
    EXPECT_EQ(2700, lf.lfEscapement);
    EXPECT_EQ(900, lf.lfOrientation);
}

TEST(PaintManager, ColoursStandardLiteralAndOutOfTable)
{
    CXTPTheme1 manager;
    EXPECT_EQ(GetManagedColor(COLOR_BTNFACE), manager.GetColor(COLOR_BTNFACE));
    EXPECT_EQ(0x123456u, manager.GetColor(0x123456));

    const int indexes[] = {16, 57, 58, -1, 1000};
    const COLORREF colours[] = {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(9, 9, 9), RGB(9, 9, 9)};
    manager.SetColors(5, indexes, colours);
    EXPECT_EQ(RGB(1, 2, 3), manager.GetColor(16));
    EXPECT_EQ(RGB(4, 5, 6), manager.GetColor(57));
    EXPECT_EQ(58u, manager.GetColor(58));  // still a literal
    EXPECT_EQ(1000u, manager.GetColor(1000));
    EXPECT_EQ(0u, manager.GetColor(-1));
    manager.RefreshMetrics();
    EXPECT_EQ(GetManagedColor(16), manager.GetColor(16));
    BOOL* options = manager.GetIconOptions();
    EXPECT_FALSE(options[0] || options[1] || options[2]);
}

TEST(PaintManager, MnemonicsAndRightToLeftCaptions)
{
    const struct { const char *text, *stripped, *rtl; } cases[] = {
        {"1 Open", "1 Open", "Open 1"},
        {"Save...", "Save...", "...Save"},
        {"&Save &As...", "Save As...", "...Save As"},
        {"Fish && &Chips", "Fish & Chips", "Fish & Chips"},
        {"&1 &Recent", "1 Recent", "Recent 1"},
        {"12  File.vs", "12  File.vs", "File.vs 12"},
        {"1 2", "1 2", "1 2"},        // a digit after the space is no word
        {"x...", "x...", "...x"},
        {"...", "...", "..."},         // not longer than 3 characters
        {"1...", "1...", "1..."},      // the dots follow no letter
        {"&", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_STREQ(c.stripped, CXTPPaintManager::StripMnemonics(c.text));
        EXPECT_STREQ(c.rtl, CXTPPaintManager::PrepareRTLCaption(c.text));
    }
}

TEST(PaintManager, CheckMarksExactToThePixel)
{
    const COLORREF ink = RGB(0, 0, 0);
    const struct { BOOL shape; Pixels expected; } cases[] = {
        {FALSE, {{6, 9}, {7, 10}, {8, 11}, {9, 10}, {10, 9}, {11, 8}, {12, 7},
                 {6, 10}, {7, 11}, {8, 12}, {9, 11}, {10, 10}, {11, 9}, {12, 8}}},
        {TRUE, {{6, 7}, {7, 8}, {8, 9}, {9, 10}, {10, 11}, {11, 10}, {12, 9},
                {6, 8}, {7, 9}, {8, 10}, {9, 11}, {10, 12}, {11, 11}, {12, 10}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape);
        DibCanvas canvas(20, 20);
        CXTPPaintManager::DrawCheckMark(&canvas.dc, CRect(0, 0, 20, 20), ink, c.shape);
        EXPECT_EQ(c.expected, PixelsOf(canvas.dc, 20, 20, ink));
    }
}

TEST(PaintManager, StatusGripIsThreeStripesInTheCorner)
{
    CXTPTheme1 manager;
    const int indexes[] = {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    const COLORREF colours[] = {RGB(0, 0, 255), RGB(0, 255, 0)};
    manager.SetColors(2, indexes, colours);
    DibCanvas canvas(30, 30);
    manager.DrawStatusBarGripper(&canvas.dc, CRect(5, 5, 25, 25));  // w = h = 20, corner at (24, 24)

    Pixels shadow, light;
    for (int k = 0; k <= 8; k += 4) {
        // Two shadow diagonals and one highlight diagonal per stripe, each ending short of the right edge.
        for (int x = 5 + 17 - k, y = 5 + 18; x < 5 + 19; x++, y--)
            shadow.insert({x, y});
        for (int x = 5 + 16 - k, y = 5 + 18; x < 5 + 19; x++, y--)
            shadow.insert({x, y});
        for (int x = 5 + 15 - k, y = 5 + 18; x < 5 + 19; x++, y--)
            light.insert({x, y});
    }
    EXPECT_EQ(shadow, PixelsOf(canvas.dc, 30, 30, RGB(0, 0, 255)));
    EXPECT_EQ(light, PixelsOf(canvas.dc, 30, 30, RGB(0, 255, 0)));
    EXPECT_EQ(RGB(0, 0, 255), canvas.dc.GetPixel(23, 22));  // the corner's first stripe
    EXPECT_EQ(RGB(0, 255, 0), canvas.dc.GetPixel(23, 20));
}

TEST(PaintManager, FadeStepsBlendPerChannel)
{
    const struct { DWORD under, popup; int step; DWORD out; } cases[] = {
        {0x000000, 0xFFFFFF, 5, 0x7E7E7E},    // white over black halfway: 126
        {0x000000, 0xFFFFFF, 0, 0x000000},
        {0xFFFFFF, 0x000000, 9, 0x191919},    // 255 × (255 − 229) / 256 = 25
        {0xFF0080, 0x00FF00, 5, 0x7F7E40},
    };
    for (const auto& c : cases) {
        DWORD out = 0xDEADBEEF;
        CXTPPaintManager::FadeStep(&c.under, &c.popup, &out, 1, c.step, 10);
        EXPECT_EQ(c.out, out) << std::hex << c.under << " " << c.popup << " step " << std::dec << c.step;
    }
}

TEST(PaintManager, ExpandButtonAtTheEndOfTheBar)
{
    const struct { int position; CRect rect; } cases[] = {
        {0, CRect(87, 2, 98, 22)}, {4, CRect(87, 2, 98, 22)},
        {2, CRect(2, 11, 98, 22)}, {3, CRect(2, 11, 98, 22)}, {5, CRect(2, 11, 98, 22)}};
    for (const auto& c : cases)
        EXPECT_EQ(c.rect, CXTPPaintManager::GetExpandButtonRect(CSize(100, 24), c.position)) << c.position;
}

namespace {

// Records the pauses and the window image at one chosen step.
struct AnimationProbe {
    static AnimationProbe* current;
    CDC* window = nullptr;
    int pauses = 0, probeAt = 5;
    DWORD lastPause = 0;
    std::vector<std::pair<CPoint, COLORREF>> wanted;  // pixel, colour at the probed step
    std::vector<COLORREF> seen;

    static void Pause(DWORD ms)
    {
        AnimationProbe* self = current;
        self->pauses++;
        self->lastPause = ms;
        if (self->pauses == self->probeAt)
            for (const auto& probe : self->wanted)
                self->seen.push_back(self->window->GetPixel(probe.first));
    }
    std::vector<COLORREF> Expected() const
    {
        std::vector<COLORREF> colours;
        for (const auto& probe : wanted)
            colours.push_back(probe.second);
        return colours;
    }
};
AnimationProbe* AnimationProbe::current = nullptr;

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);

}  // namespace

TEST(PaintManager, PopupAnimationsStepByStep)
{
    CXTPTheme1 manager;
    manager.m_nAnimationTime = 100000;  // long steps, so the fade never skips a pause
    auto previous = CXTPPaintManager::SetAnimationPause(AnimationProbe::Pause);
    const struct { int type; int pauses; std::vector<std::pair<CPoint, COLORREF>> atStep5; } cases[] = {
        // Unfold from the corner: the popup's lower-right quarter is at the top-left halfway.
        {2, 10, {{CPoint(5, 5), kGreen}, {CPoint(25, 5), kWhite}, {CPoint(5, 25), kWhite}}},
        // Slide: the lower half of the popup at the top.
        {3, 10, {{CPoint(5, 5), kBlue}, {CPoint(30, 15), kGreen}, {CPoint(5, 25), kWhite}}},
        // Fade over black: 126 halfway on every channel of white, 126 of green's green.
        {4, 9, {{CPoint(5, 5), RGB(126, 126, 126)}, {CPoint(30, 30), RGB(0, 126, 0)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        DibCanvas popup(40, 40);  // white; lower half blue, its lower-right quarter green
        popup.dc.FillSolidRect(0, 20, 40, 20, kBlue);
        popup.dc.FillSolidRect(20, 20, 20, 20, kGreen);
        DibCanvas window(40, 40);
        if (c.type == 4)
            window.dc.FillSolidRect(0, 0, 40, 40, RGB(0, 0, 0));
        AnimationProbe probe;
        probe.window = &window.dc;
        probe.wanted = c.atStep5;
        AnimationProbe::current = &probe;
        manager.Animate(&window.dc, &popup.dc, CSize(40, 40), c.type);
        EXPECT_EQ(c.pauses, probe.pauses);
        EXPECT_EQ(probe.Expected(), probe.seen);
        if (c.type != 4) {
            EXPECT_EQ(10000u, probe.lastPause);
            EXPECT_EQ(kGreen, window.dc.GetPixel(39, 39));
            EXPECT_EQ(kWhite, window.dc.GetPixel(0, 0));
        }
    }
    CXTPPaintManager::SetAnimationPause(previous);
}

TEST(PaintManager, UnfoldGrowsRowGroupsAfterTheFirst)
{
    CXTPTheme1 manager;
    auto previous = CXTPPaintManager::SetAnimationPause(AnimationProbe::Pause);
    DibCanvas popup(40, 40);
    popup.dc.FillSolidRect(0, 0, 40, 10, kRed);
    popup.dc.FillSolidRect(0, 10, 40, 10, kGreen);
    popup.dc.FillSolidRect(0, 20, 40, 20, kBlue);
    DibCanvas window(40, 40);
    AnimationProbe probe;
    probe.window = &window.dc;
    probe.wanted = {{CPoint(5, 9), kRed}, {CPoint(5, 12), kGreen}, {CPoint(5, 16), kBlue}, {CPoint(5, 30), kWhite}};
    AnimationProbe::current = &probe;
    const int rows[] = {0, 10, 20};
    manager.AnimateUnfold(&window.dc, &popup.dc, CSize(40, 40), rows, 3);
    EXPECT_EQ(10, probe.pauses);
    EXPECT_EQ(probe.Expected(), probe.seen);
    EXPECT_EQ(kGreen, window.dc.GetPixel(5, 19));
    EXPECT_EQ(kBlue, window.dc.GetPixel(5, 39));
    const int bad[] = {0, 50, 30};  // out of order or outside: skipped, no read past the image
    manager.AnimateUnfold(&window.dc, &popup.dc, CSize(40, 40), bad, 3);
    CXTPPaintManager::SetAnimationPause(previous);
}

TEST(PaintManager, StatusPanesFrameAndText)
{
    CXTPTheme1 manager;
    const int indexes[] = {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    const COLORREF colours[] = {kBlue, kGreen};
    manager.SetColors(2, indexes, colours);
    manager.m_clrStatusTextColor = kRed;
    const int edge = ::GetSystemMetrics(SM_CXEDGE), smIcon = ::GetSystemMetrics(SM_CXSMICON);
    const struct { UINT style; BOOL last, grip; int right; bool framed, text; } cases[] = {
        {0, FALSE, FALSE, 60, true, true},
        {0, TRUE, FALSE, 60 + 3 * edge, true, true},
        {0x08000000, TRUE, TRUE, 100 - smIcon - edge, true, true},
        {0x08000000, TRUE, FALSE, 60, true, true},
        {0x100, FALSE, FALSE, 60, false, true},
        {0x04000000, FALSE, FALSE, 60, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.style << " last " << c.last << " grip " << c.grip);
        DibCanvas canvas(100, 30);
        canvas.dc.SelectObject(&manager.m_fontRegular);
        manager.DrawStatusBarPane(&canvas.dc, CRect(10, 2, 60, 28), c.style, "Ready", c.last, CRect(0, 0, 100, 30),
                                  c.grip);
        EXPECT_EQ(c.framed ? kBlue : kWhite, canvas.dc.GetPixel(10, 2));
        EXPECT_EQ(c.framed ? kGreen : kWhite, canvas.dc.GetPixel(c.right - 1, 27));
        EXPECT_EQ(c.text, !PixelsOf(canvas.dc, 100, 30, kRed).empty());
    }
}

TEST(PaintManager, ToolBarControlSizes)
{
    const CSize button(24, 22), caption(40, 13);
    const struct { int type; BOOL image, withCaption, horizontal; CSize size; int offset; } cases[] = {
        {1, TRUE, FALSE, TRUE, CSize(24, 22), 23},
        {1, FALSE, FALSE, TRUE, CSize(23, 23), 4},
        {4, FALSE, FALSE, TRUE, CSize(34, 23), 4},     // the arrow part of a split button
        {4, TRUE, FALSE, FALSE, CSize(35, 22), 22},
        {2, FALSE, FALSE, TRUE, CSize(46, 19), 4},     // a popup without an image: its caption
        {1, TRUE, TRUE, TRUE, CSize(24 + 40 + 3, 22), 23},
        {1, FALSE, TRUE, TRUE, CSize(4 + 40 + 3, 23), 4},
        {1, TRUE, TRUE, FALSE, CSize(46, 24 + 13 + 3), 22},
        {1, FALSE, TRUE, FALSE, CSize(46, 4 + 13 + 3), 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.type << " image " << c.image << " caption " << c.withCaption
                                          << " across " << c.horizontal);
        const CSize size =
            CXTPPaintManager::GetToolBarControlSize(c.type, c.image, button, c.withCaption, caption, c.horizontal);
        EXPECT_EQ(c.size.cx, size.cx);
        EXPECT_EQ(c.size.cy, size.cy);
        EXPECT_EQ(c.offset, CXTPPaintManager::GetToolBarCaptionOffset(c.image, button, c.horizontal));
    }
}

TEST(PaintManager, ControlTextMeasuresDrawsEmbossesAndAddsTheTriangle)
{
    CXTPTheme1 manager;
    const int indexes[] = {COLOR_BTNHIGHLIGHT};
    const COLORREF colours[] = {kGreen};
    manager.SetColors(1, indexes, colours);
    const struct { BOOL draw, embossed, triangle; bool ink, emboss; } cases[] = {
        {FALSE, FALSE, FALSE, false, false},
        {TRUE, FALSE, FALSE, true, false},
        {TRUE, TRUE, FALSE, true, true},
        {TRUE, FALSE, TRUE, true, false},
    };
    LONG plainWidth = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.draw << c.embossed << c.triangle);
        DibCanvas canvas(120, 30);
        canvas.dc.SelectObject(&manager.m_fontBold);
        canvas.dc.SetTextColor(kRed);
        const CSize size =
            manager.DrawControlText(&canvas.dc, "&File", CRect(0, 0, 120, 30), c.draw, c.embossed, c.triangle);
        if (!c.triangle)
            plainWidth = size.cx;
        else
            EXPECT_EQ(plainWidth + 5, size.cx);
        const Pixels ink = PixelsOf(canvas.dc, 120, 30, kRed);
        EXPECT_EQ(c.ink, !ink.empty());
        EXPECT_EQ(c.emboss, !PixelsOf(canvas.dc, 120, 30, kGreen).empty());
        if (c.triangle) {  // the triangle's tip row ends right of the text
            EXPECT_GE(ink.rbegin()->first, (120 - size.cx) / 2 + plainWidth + 1);
        }
    }
}
