// The script view's Set Style command: the style at the caret is edited on a sample of its own,
// and on OK every open view draws every style of the edited record anew, and the record is stored.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CTavrelinView.h"
#include "EditorSettings.h"
#include "SciLexer.h"
#include "Scintilla.h"
#include "SettingsFixture.h"

namespace {

using SetStyleCommandTest = SettingsAppTest;

// The style dialog as the command showed it, and how it was ended.
struct StyleDialogSeen {
    std::string title, sample;
    bool useDefault = false;  // tick "Default Style" and confirm; else cancel
};
StyleDialogSeen g_seen;

void CALLBACK AnswerStyleDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = ::GetLastActivePopup(::GetActiveWindow());
    char title[128] = {};
    if (!dialog || !::GetWindowTextA(dialog, title, sizeof title) || std::string(title).rfind("Set Style", 0) != 0)
        return;
    ::KillTimer(nullptr, timer);
    g_seen.title = title;
    HWND sample = ::GetDlgItem(dialog, 1026);
    std::string text(size_t(::SendMessageA(sample, SCI_GETLENGTH, 0, 0)) + 1, '\0');
    ::SendMessageA(sample, SCI_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    g_seen.sample = text.c_str();
    if (g_seen.useDefault) {
        ::CheckDlgButton(dialog, 1025, BST_CHECKED);
        Click(dialog, 1025);
        Click(dialog, IDOK);
    } else {
        Click(dialog, IDCANCEL);
    }
}

void SetStyleAt(CTavrelinView* view, int position, bool useDefault)
{
    g_seen = StyleDialogSeen();
    g_seen.useDefault = useDefault;
    view->Sci(SCI_GOTOPOS, WPARAM(position));
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, AnswerStyleDialog);
    view->SendMessage(WM_COMMAND, ID_SET_STYLE);
    ::KillTimer(nullptr, timer);
}

TEST_F(SetStyleCommandTest, TheStyleAtTheCaretIsEditedAndEveryStyleOfItsRecordFollowsInEveryView)
{
    const std::string text = "// note\r\n/* block */\r\ncount = (count);\r\n";
    CTavrelinView* first = NewScript(app);
    ASSERT_NE(first, nullptr);
    g_pTextStyles[1].fore = 0x123456;  // the user's comment colour
    CTavrelinView* second = NewScript(app);
    ASSERT_NE(second, nullptr);
    for (CTavrelinView* view : {first, second}) {
        view->SetupLexer("S.d");
        view->Sci(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        view->Sci(SCI_COLOURISE, 0, -1);
        view->ApplyRecord(1);
    }
    const auto at = [&](const char* what, size_t offset = 0) { return int(text.find(what) + offset); };

    const struct {
        int position;
        const char* title;
        const char* sample;
    } cases[] = {
        {at("count ="), "Set Style - Identifier", "count"},
        {at("("), "Set Style - Operator", "[]()+-*/>=<"},
        {at(" = ("), "Set Style - Common", "Common Style"},
        {at("// note", 2), "Set Style - Comment", "This Style"},  // a blank: no word
    };
    for (const auto& c : cases) {
        SetStyleAt(first, c.position, false);
        EXPECT_EQ(g_seen.title, c.title) << c.sample;
        EXPECT_EQ(g_seen.sample, c.sample);
    }
    EXPECT_EQ(first->Sci(SCI_STYLEGETFORE, SCE_C_COMMENTLINE), 0x123456);  // cancelled: nothing changed
    EXPECT_TRUE(StoredBytes("Comment").empty());

    // The line comment's record back to its default: block and doc comments follow, everywhere.
    SetStyleAt(first, at("note"), true);
    EXPECT_EQ(g_pTextStyles[1].fore, 0x008000u);
    for (CTavrelinView* view : {first, second})
        for (int style : {SCE_C_COMMENT, SCE_C_COMMENTLINE, SCE_C_COMMENTDOC, SCE_C_COMMENTLINEDOC})
            EXPECT_EQ(view->Sci(SCI_STYLEGETFORE, WPARAM(style)), 0x008000) << style;
    const std::vector<BYTE> stored = StoredBytes("Comment");
    ASSERT_EQ(stored.size(), kTextStyleBytes);
    EXPECT_EQ(stored[48] | stored[49] << 8 | stored[50] << 16, 0x008000);
}

TEST_F(SetStyleCommandTest, TheBraceHighlightsFollowTheOperatorRecord)
{
    CTavrelinView* view = NewScript(app);
    ASSERT_NE(view, nullptr);
    g_pTextStyles[6].fore = 0x0000FF;
    std::strcpy(g_pTextStyles[6].fontName, "Tahoma");
    EXPECT_EQ(view->GetParentFrame()->SendMessage(kMsgTextStyleChanged, SCE_C_OPERATOR, 6), 1);
    for (int style : {SCE_C_OPERATOR, STYLE_BRACELIGHT, STYLE_BRACEBAD}) {
        EXPECT_EQ(view->Sci(SCI_STYLEGETFORE, WPARAM(style)), 0x0000FF) << style;
        char font[32] = {};
        view->Sci(SCI_STYLEGETFONT, WPARAM(style), reinterpret_cast<LPARAM>(font));
        EXPECT_STREQ(font, "Tahoma") << style;
    }
    EXPECT_EQ(view->Sci(SCI_STYLEGETBACK, STYLE_BRACELIGHT), 0xFFFF00);  // its own background stays
    EXPECT_EQ(view->Sci(SCI_STYLEGETBOLD, STYLE_BRACEBAD), 1);
}

}  // namespace
