// The script view on a real editing window: styles of a script, brace highlighting drawn,
// automatic indentation after typed keys, and its commands.
#include <gtest/gtest.h>

#include <string>

#include <Scintilla.h>

#include "CTavrelinView.h"
#include "EditorFixture.h"
#include "EditorSettings.h"
#include "EditorTestIds.h"
#include "UiTestProbes.h"

namespace {

const std::string kScript =
    "// line comment\r\n"
    "/* block comment */\r\n"
    "FUNC void B_Test(var C_NPC slf) {\r\n"
    "\tvar int count; count = 42;\r\n"
    "\tself.name = \"a(b\";\r\n"
    "\tif (count > 1) { count = (count; };\r\n"
    "};\r\n";

class TavrelinViewTest : public ScriptViewTest {
protected:
    static int At(CTavrelinView*, const std::string& text, size_t offset = 0)
    {
        return int(kScript.find(text) + offset);
    }
};

TEST_F(TavrelinViewTest, ScriptIsStyledWithTheDefaultRecords)
{
    CTavrelinView* view = OpenScript("styles.d", kScript);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Sci(SCI_GETLEXER), 35);
    struct Case {
        const char* text;
        int style;
    } cases[] = {{"// line", 2}, {"/* block", 1}, {"FUNC", 5}, {"void", 5}, {"C_NPC", 19}, {"self", 16},
                 {"42", 4},      {"\"a(b\"", 6},  {"{", 10},   {"=", 10},   {"count", 11}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const int style = int(view->Sci(SCI_GETSTYLEAT, WPARAM(At(view, c.text))));
        EXPECT_EQ(style, c.style);
        const TextStyle& record = DefaultTextStyle(CTavrelinView::RecordOfStyle(style));
        EXPECT_EQ(uint32_t(view->Sci(SCI_STYLEGETFORE, WPARAM(style))), record.fore);
        EXPECT_EQ(uint32_t(view->Sci(SCI_STYLEGETBACK, WPARAM(style))), record.back);
        EXPECT_EQ(int(view->Sci(SCI_STYLEGETCASE, WPARAM(style))), record.caseMode);
    }
    // Keywords show lower-case but are kept as typed.
    EXPECT_EQ(view->Sci(SCI_STYLEGETCASE, 5), SC_CASE_LOWER);
    char typed[5] = {};
    Sci_TextRange range{{At(view, "FUNC"), At(view, "FUNC") + 4}, typed};
    view->Sci(SCI_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    EXPECT_STREQ(typed, "FUNC");
}

TEST_F(TavrelinViewTest, LexerAndKeywordsFollowTheExtension)
{
    struct Case {
        const char* name;
        int lexer;
        int voidStyle;  // the style "void" gets
    } cases[] = {{"upper.D", 35, 5}, {"plain.txt", 1, 0}, {"source.cpp", 3, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTavrelinView* view = OpenScript(c.name, kScript);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->GetLexerNumber(), c.lexer);
        EXPECT_EQ(view->Sci(SCI_GETSTYLEAT, WPARAM(At(view, "void"))), c.voidStyle);
    }
}

// Counts pixels of each highlight colour in the view as drawn through WM_PRINTCLIENT.
struct BracePixels {
    int matched = 0;
    int lone = 0;
};

BracePixels DrawnBraces(CTavrelinView* view)
{
    HWND edit = view->GetCtrl().m_hWnd;
    RECT client;
    ::GetClientRect(edit, &client);
    HDC screen = ::GetDC(edit);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::SendMessageA(edit, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    BracePixels pixels;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) {
            const COLORREF color = ::GetPixel(dc, x, y);
            pixels.matched += color == 0xFFFF00;
            pixels.lone += color == 0x00FFFF;
        }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(edit, screen);
    return pixels;
}

TEST_F(TavrelinViewTest, BracesAtTheCaretAreHighlighted)
{
    struct Case {
        const char* text;
        size_t offset;  // the caret within text
        bool matched, lone;
    } cases[] = {
        {"B_Test(", 7, true, false},       // after a brace with a partner
        {"{ count", 0, true, false},       // before one
        {"(count;", 0, false, true},       // a brace without partner
        {"\"a(b\"", 3, false, false},      // in a string
        {"// line comment", 5, false, false},
    };
    CTavrelinView* view = OpenScript("braces.d", kScript);
    ASSERT_NE(view, nullptr);
    // The main frame stays hidden here, so the MDI tabs give the script no page: it gets one.
    view->GetParentFrame()->SetWindowPos(nullptr, 0, 0, 600, 400, SWP_NOZORDER | SWP_SHOWWINDOW);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        view->Sci(SCI_BRACEHIGHLIGHT, WPARAM(-1), -1);
        view->Sci(SCI_GOTOPOS, WPARAM(At(view, c.text, c.offset)));
        view->OnUpdateUI(nullptr);
        const BracePixels pixels = DrawnBraces(view);
        EXPECT_EQ(pixels.matched > 0, c.matched);
        EXPECT_EQ(pixels.lone > 0, c.lone);
    }
}

// Types into the editing window the way the keyboard does: posted keys, then the queue run.
void Type(CTavrelinView* view, const std::string& keys)
{
    HWND edit = view->GetCtrl().m_hWnd;
    for (char key : keys) {
        if (key == '\n')
            ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        else
            ::PostMessageA(edit, WM_CHAR, WPARAM(static_cast<unsigned char>(key)), 0);
    }
    PumpMessages();
}

TEST_F(TavrelinViewTest, TypedKeysIndentTheLine)
{
    struct Case {
        const char* text;  // the file, the caret at its end
        const char* keys;  // then typed ("\n" is Enter)
        int indent;        // of the caret's line afterwards
    } cases[] = {
        {"func void f() {", "\n", 4},                  // after a block start
        {"func void f() {\r\n\tx = 1;\r\n\t", "}", 0},   // a closing brace on a blank line
        {"\tfunc void f() {\r\n\t\tx = 1;\r\n\t\tx", "}", 8},  // not alone on its line
        {"if (a)", "\n", 4},                            // after the keyword line
        {"IF (a)", "\n", 4},                            // in any case
        {"\tElse", "\n", 8},
        {"if (a)\r\n\tx = 1;", "\n", 0},                // the keyword line not directly above
        {"if (a)", "\n{", 0},                           // a brace alone after the keyword
        {"\tx = 1;", "\n", 4},                          // plain lines keep their indentation
        {"x = 1; // if", "\n", 0},                      // a keyword in a comment counts not
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + std::string(" + ") + c.keys);
        CTavrelinView* view = OpenScript("indent.d", c.text);
        ASSERT_NE(view, nullptr);
        view->Sci(SCI_SETUSETABS, 1);
        view->Sci(SCI_DOCUMENTEND);
        Type(view, c.keys);
        const int line = int(view->Sci(SCI_LINEFROMPOSITION, WPARAM(view->Sci(SCI_GETCURRENTPOS))));
        EXPECT_EQ(view->Sci(SCI_GETLINEINDENTATION, WPARAM(line)), c.indent);
        view->GetDocument()->SetModifiedFlag(FALSE);
        view->GetDocument()->OnCloseDocument();
    }
}

TEST_F(TavrelinViewTest, CommandsAreEnabledAndWrapIsChecked)
{
    CTavrelinView* view = OpenScript("commands.d", kScript);
    ASSERT_NE(view, nullptr);
    for (UINT id : {UINT(ID_SET_STYLE), UINT(ID_SCRIPT_EDIT_OPTIONS), UINT(ID_GOTO_LINE), UINT(ID_WRAP_LINES)}) {
        SCOPED_TRACE(id);
        CommandStateProbe ui;
        ui.m_nID = id;
        EXPECT_TRUE(ui.DoUpdate(view, TRUE));
        EXPECT_EQ(ui.enabled, TRUE);
    }
    for (int wrapped : {1, 0}) {
        view->SendMessage(WM_COMMAND, ID_WRAP_LINES);
        CommandStateProbe ui;
        ui.m_nID = ID_WRAP_LINES;
        ui.DoUpdate(view, TRUE);
        EXPECT_EQ(ui.checked, wrapped);
        EXPECT_EQ(view->Sci(SCI_GETWRAPMODE), wrapped ? SC_WRAP_WORD : SC_WRAP_NONE);
    }
}

std::string g_dialogTitle;

void CALLBACK CloseDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = ActiveDialog();
    if (!dialog)
        return;
    ::KillTimer(nullptr, timer);
    char title[128] = {};
    ::GetWindowTextA(dialog, title, sizeof title);
    g_dialogTitle = title;
    ::SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(TavrelinViewTest, EditOptionsCommandOpensTheOptionsDialog)
{
    CTavrelinView* view = OpenScript("options.d", kScript);
    ASSERT_NE(view, nullptr);
    g_dialogTitle.clear();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, CloseDialog);
    view->SendMessage(WM_COMMAND, ID_SCRIPT_EDIT_OPTIONS);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(g_dialogTitle, "Edit Settings");
}

}  // namespace
