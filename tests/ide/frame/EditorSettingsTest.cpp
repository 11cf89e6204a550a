// The shared editor settings: the record of each lexer style, font sizes, the defaults of an empty registry, the
// first frame loading and the last one saving them, and changes reaching every open view.
#include <gtest/gtest.h>

#include <cstring>

#include "CChildFrame.h"
#include "EditorSettings.h"
#include "Scintilla.h"
#include "SettingsFixture.h"

namespace {

TEST(TextStyleRecord, LexerStylesMapToTheirRecords)
{
    const int expected[kEditableLexerStyles] = {0, 1, 1, 1, 2, 3, 4, 0, 0, 5, 6, 7, 0, 0, 0, 1, 8, 1, 1, 9};
    for (int style = 0; style < kEditableLexerStyles; ++style)
        EXPECT_EQ(TextStyleRecordOf(style), expected[style]) << style;
    for (int style : {-1, 20, 32, 39})
        EXPECT_EQ(TextStyleRecordOf(style), -1) << style;
}

TEST(FontSize, PointsSurviveTheFontDialogsHeightAtCommonResolutions)
{
    for (int pixelsPerInch : {72, 96, 120, 144, 192})
        for (int points = 6; points <= 72; ++points) {
            const int height = FontHeightOfPoints(points, pixelsPerInch);
            EXPECT_LT(height, 0);
            EXPECT_EQ(PointsOfFontHeight(height, pixelsPerInch), points) << points << " pt at " << pixelsPerInch;
        }
    EXPECT_EQ(PointsOfFontHeight(13, 96), 10);  // a positive cell height still gives a positive size
}

using EditorSettingsTest = SettingsAppTest;

TEST_F(EditorSettingsTest, AnEmptyRegistryGivesTheDefaults)
{
    EXPECT_EQ(g_pTextStyles, nullptr);
    ASSERT_NE(NewScript(app), nullptr);
    ASSERT_NE(g_pTextStyles, nullptr);
    for (int i = 0; i < kTextStyleCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(g_pTextStyles[i].fontName, "Courier");
        EXPECT_EQ(g_pTextStyles[i].size, 10);
        EXPECT_EQ(g_pTextStyles[i].bold, 0);
        EXPECT_EQ(g_pTextStyles[i].back, 0xFFFFFFu);
    }
    EXPECT_EQ(g_pTextStyles[3].fore, 0xDC0000u);
    EXPECT_EQ(g_pTextStyles[3].caseMode, 2);
    EXPECT_EQ(g_pTextStyles[9].fore, 0x800080u);
    EXPECT_EQ(g_pTextStyles[9].caseMode, 1);
    EXPECT_EQ(g_editorOptions.indent, 4);
    EXPECT_EQ(g_editorOptions.tab, 4);
    EXPECT_EQ(g_editorOptions.dwellTime, 300);
    EXPECT_EQ(g_editorOptions.savePeriod, 15);
    EXPECT_EQ(g_editorOptions.lineNumber, 0);
    EXPECT_EQ(g_tabColors.foreign, 0x1000003u);
    EXPECT_EQ(g_tabColors.defaultColor, 0xC8C8C8u);
    EXPECT_EQ(g_tabColors.cycle, 0);
}

TEST_F(EditorSettingsTest, TheLastFrameClosedWritesEverythingAndTheNextFirstFrameReadsItBack)
{
    ASSERT_NE(NewScript(app), nullptr);
    ASSERT_NE(NewScript(app), nullptr);
    EXPECT_EQ(CChildFrame::GetOpenFrameCount(), 2);
    g_pTextStyles[1].fore = 0x123456;
    std::strcpy(g_pTextStyles[7].fontName, "Lucida Console");
    g_editorOptions.tab = 8;
    g_editorOptions.wrapLines = 1;
    g_tabColors.cycle = 1;

    // One frame of two closed: nothing written yet.
    app.m_pMainWnd->SendMessage(WM_COMMAND, 0xE102);  // File Close on the active one
    Pump();
    EXPECT_EQ(CChildFrame::GetOpenFrameCount(), 1);
    EXPECT_TRUE(StoredBytes("Comment").empty());
    app.CloseAllDocuments(TRUE);
    Pump();
    EXPECT_EQ(CChildFrame::GetOpenFrameCount(), 0);
    EXPECT_EQ(g_pTextStyles, nullptr);

    for (int i = 0; i < kTextStyleCount; ++i)
        EXPECT_EQ(StoredBytes(TextStyleValueName(i)).size(), kTextStyleBytes) << TextStyleValueName(i);
    EXPECT_EQ(Stored("Margins", "Tab"), 8);
    EXPECT_EQ(Stored("Margins", "Selection"), 1);
    EXPECT_EQ(Stored("Automatic", "WrapLines"), 1);
    EXPECT_EQ(Stored("Automatic", "CheckBraces"), 1);
    EXPECT_EQ(Stored("Tab Colors", "Cycle Color"), 1);
    EXPECT_EQ(Stored("Tab Colors", "Foreign Color"), 0x1000003);

    // Forget the values in memory; the next frame takes them from the registry.
    g_editorOptions = EditorOptions();
    g_tabColors = TabColors();
    ASSERT_NE(NewScript(app), nullptr);
    EXPECT_EQ(g_pTextStyles[1].fore, 0x123456u);
    EXPECT_STREQ(g_pTextStyles[7].fontName, "Lucida Console");
    EXPECT_EQ(g_pTextStyles[3].fore, 0xDC0000u);
    EXPECT_EQ(g_editorOptions.tab, 8);
    EXPECT_EQ(g_editorOptions.wrapLines, 1);
    EXPECT_EQ(g_tabColors.cycle, 1);
}

TEST_F(EditorSettingsTest, AStoredStyleOfAnotherLengthGivesTheDefaultAndOneOfSixtyBytesIsTaken)
{
    TextStyle stored = DefaultTextStyle(4);
    stored.fore = 0x0000FF;
    BYTE bytes[kTextStyleBytes];
    EncodeTextStyle(stored, bytes);
    app.WriteProfileBinary("Text Styles", "String", bytes, kTextStyleBytes);
    app.WriteProfileBinary("Text Styles", "Number", bytes, 59);  // cut short
    BYTE longer[64] = {};
    std::memcpy(longer, bytes, kTextStyleBytes);
    app.WriteProfileBinary("Text Styles", "Operator", longer, sizeof longer);

    ASSERT_NE(NewScript(app), nullptr);
    EXPECT_EQ(g_pTextStyles[4].fore, 0x0000FFu);
    EXPECT_EQ(g_pTextStyles[2].fore, DefaultTextStyle(2).fore);
    EXPECT_EQ(g_pTextStyles[6].fore, DefaultTextStyle(6).fore);
}

int g_restarts = 0;
int g_restartedPeriod = 0;

TEST_F(EditorSettingsTest, AChangedStyleOrOptionsReachEveryOpenViewAndAreStoredAtOnce)
{
    g_restarts = 0;
    SetAutosaveRestarter([](int, int period) {
        ++g_restarts;
        g_restartedPeriod = period;
    });
    CTavrelinView* first = NewScript(app);
    CTavrelinView* second = NewScript(app);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(g_restarts, 1);  // the first frame's load

    // Keywords (lexer style 5, record 3) turn red and bold.
    g_pTextStyles[3].fore = 0x0000FF;
    g_pTextStyles[3].bold = 1;
    EXPECT_EQ(second->GetParentFrame()->SendMessage(kMsgTextStyleChanged, 5, 3), 1);
    for (CTavrelinView* view : {first, second}) {
        EXPECT_EQ(view->Sci(SCI_STYLEGETFORE, 5), 0x0000FF);
        EXPECT_EQ(view->Sci(SCI_STYLEGETBOLD, 5), 1);
        EXPECT_EQ(view->Sci(SCI_STYLEGETCASE, 5), SC_CASE_LOWER);
    }
    std::vector<BYTE> keyword = StoredBytes("KeyWord1");
    ASSERT_EQ(keyword.size(), kTextStyleBytes);
    EXPECT_EQ(keyword[48], 0xFF);
    EXPECT_EQ(keyword[36], 1);
    EXPECT_TRUE(StoredBytes("Comment").empty());  // only the changed record

    // Out of range: nothing applied or written.
    for (auto [style, record] : {std::pair{20, 3}, {5, 10}, {-1, 0}, {5, -1}})
        EXPECT_EQ(first->GetParentFrame()->SendMessage(kMsgTextStyleChanged, WPARAM(style), LPARAM(record)), 0);

    g_editorOptions.tab = 2;
    g_editorOptions.dwellTime = 700;
    g_editorOptions.savePeriod = 5;
    EXPECT_EQ(first->GetParentFrame()->SendMessage(kMsgEditorOptionsChanged), 1);
    for (CTavrelinView* view : {first, second}) {
        EXPECT_EQ(view->Sci(SCI_GETTABWIDTH), 2);
        EXPECT_EQ(view->Sci(SCI_GETMOUSEDWELLTIME), 700);
    }
    EXPECT_EQ(g_restarts, 2);
    EXPECT_EQ(g_restartedPeriod, 5);
    EXPECT_EQ(Stored("Margins", "Tab"), 2);
    EXPECT_EQ(Stored("Automatic", "DwellTime"), 700);
    EXPECT_EQ(Stored("Automatic", "SavePeriod"), 5);
    SetAutosaveRestarter(nullptr);
}

}  // namespace
