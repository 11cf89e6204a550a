// The editor view and the script document in a plain MDI frame: lexers by extension, folding,
// byte-exact loading and saving, read-only files, failed saves, replace all and printing.
#include <gtest/gtest.h>

#include <SciLexer.h>

#include <functional>

#include "AfxIds.h"
#include "CDC.h"
#include "CPrintDialog.h"
#include "CPrintInfo.h"
#include "CScintillaFindReplaceDlg.h"
#include "EditorFixture.h"
#include "UiTestProbes.h"

namespace {

using ScriptEditorTest = EditorTest;

TEST(LexerTable, ExtensionsChooseTheirRowsNumberAnyCase)
{
    const struct {
        const char* extension;
        int lexer;
    } cases[] = {{"d", 35}, {"D", 35}, {"cpp", 3}, {"H", 3}, {"mak", 3}, {"e", 23}, {"txt", 1}, {"", 1}, {"dd", 1}};
    for (const auto& c : cases)
        EXPECT_EQ(CScintillaView::LexerForExtension(c.extension), c.lexer) << c.extension;
}

TEST_F(ScriptEditorTest, ScriptsGetTheCaseBlindLexerWithFoldingOtherFilesNone)
{
    const std::string script = "func void A()\r\n{\r\n\tvar int x; // note\r\n\tx = 12;\r\n};\r\n";
    CTavrelinDoc* doc = Open("A.d", &script);
    ASSERT_NE(doc, nullptr);
    CScintillaView* view = ViewOf(doc);
    CScintillaCtrl& ctrl = view->GetCtrl();
    ASSERT_TRUE(view->SetLexerForExtension("d"));
    EXPECT_FALSE(view->SetLexerForExtension("D"));  // the same lexer stays
    EXPECT_EQ(ctrl.GetLexer(), SCLEX_CPPNOCASE);
    ::SendMessageA(ctrl, SCI_COLOURISE, 0, -1);
    const struct {
        const char* text;
        int style;
    } styles[] = {{"func", SCE_C_IDENTIFIER},  // no keyword lists are set here
                  {"// note", SCE_C_COMMENTLINE}, {"12", SCE_C_NUMBER}, {"=", SCE_C_OPERATOR}, {"{", SCE_C_OPERATOR}};
    for (const auto& s : styles)
        EXPECT_EQ(ctrl.GetStyleAt(script.find(s.text)), s.style) << s.text;
    // Folding: the brace opens a level, its body lies one deeper.
    EXPECT_TRUE(ctrl.GetFoldLevel(1) & SC_FOLDLEVELHEADERFLAG);
    EXPECT_EQ(ctrl.GetFoldLevel(2) & SC_FOLDLEVELNUMBERMASK, SC_FOLDLEVELBASE + 1);

    EXPECT_TRUE(view->SetLexerForExtension("cpp"));
    EXPECT_EQ(ctrl.GetLexer(), SCLEX_CPP);
    // Saved under another name, the script takes that name's lexer: none for text files.
    ASSERT_TRUE(doc->OnSaveDocument(Path("A.txt").c_str()));
    EXPECT_EQ(ctrl.GetLexer(), SCLEX_CONTAINER);  // no lexer object
    ASSERT_TRUE(doc->OnSaveDocument(Path("X.D").c_str()));
    EXPECT_EQ(ctrl.GetLexer(), SCLEX_CPPNOCASE);
}

TEST_F(ScriptEditorTest, AMarginClickFoldsAndFoldingSurvivesASave)
{
    const std::string script = "func void A()\r\n{\r\n\tB();\r\n};\r\n";
    CTavrelinDoc* doc = Open("A.d", &script);
    ASSERT_NE(doc, nullptr);
    CScintillaView* view = ViewOf(doc);
    CScintillaCtrl& ctrl = view->GetCtrl();
    view->SetLexerForExtension("d");
    view->ShowFoldMargin(TRUE);
    ::SendMessageA(ctrl, SCI_COLOURISE, 0, -1);

    // The control's own notification, as a click in the fold margin sends it.
    SCNotification click{};
    click.nmhdr = {ctrl.m_hWnd, CScintillaView::kEditId, SCN_MARGINCLICK};
    click.position = ctrl.PositionFromLine(1);
    click.margin = 2;
    for (int round = 0; round < 2; ++round) {
        view->SendMessage(WM_NOTIFY, CScintillaView::kEditId, reinterpret_cast<LPARAM>(&click));
        EXPECT_FALSE(ctrl.GetLineVisible(2)) << round;
        view->SendMessage(WM_NOTIFY, CScintillaView::kEditId, reinterpret_cast<LPARAM>(&click));
        EXPECT_TRUE(ctrl.GetLineVisible(2)) << round;
        // Saving keeps the lexer and with it the folding.
        ASSERT_TRUE(doc->OnSaveDocument(Path("A.d").c_str()));
        ::SendMessageA(ctrl, SCI_COLOURISE, 0, -1);
        EXPECT_TRUE(ctrl.GetFoldLevel(1) & SC_FOLDLEVELHEADERFLAG) << round;
    }
}

std::string Bytes(size_t count, const char* pattern)
{
    std::string text;
    while (text.size() < count)
        text += pattern;
    text.resize(count);
    return text;
}

TEST_F(ScriptEditorTest, SavingGivesBackTheBytesReadAndAnEditChangesOnlyItsOwn)
{
    std::string high;
    for (int c = 0x80; c < 0x100; ++c)
        high += static_cast<char>(c);  // Cyrillic in 1251, Western letters in 1252
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"crlf", "var int a;\r\nvar int b;\r\n"},
        {"lone line feeds and returns", "a\nb\rc\r\n\n\rd"},
        {"no last line end", "func void A() {};"},
        {"high bytes", "// " + high + "\r\n"},
        {"over a piece", Bytes(4095 * 2 + 17, "x = y + 1;\r\n// \xE6\xC4\n")},
        {"one byte past a piece", Bytes(4096, "ab\r")},
        // The first piece read ends between a carriage return and its line feed.
        {"over a load piece", Bytes(CScintillaView::kLoadPieceSize + 7, "\nab\r")},
        {"NUL bytes", std::string("a\0b\r\n\0", 6)},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        CTavrelinDoc* doc = Open("S.d", &c.bytes);
        ASSERT_NE(doc, nullptr) << c.name;
        ASSERT_TRUE(doc->OnSaveDocument(Path("S.d").c_str())) << c.name;
        EXPECT_EQ(ReadFile(Path("S.d")), c.bytes) << c.name;

        // One character typed in the middle: the file differs by that byte alone.
        if (!c.bytes.empty()) {
            CScintillaCtrl& ctrl = ViewOf(doc)->GetCtrl();
            const size_t at = c.bytes.size() / 2;
            ctrl.GotoPos(at);
            ctrl.ReplaceSel(reinterpret_cast<LPARAM>("\xE6"));
            EXPECT_TRUE(doc->IsModified()) << c.name;
            ASSERT_TRUE(doc->OnSaveDocument(Path("S.d").c_str())) << c.name;
            EXPECT_EQ(ReadFile(Path("S.d")), c.bytes.substr(0, at) + "\xE6" + c.bytes.substr(at)) << c.name;
            EXPECT_FALSE(doc->IsModified()) << c.name;
        }
        doc->OnCloseDocument();
    }
}

TEST_F(ScriptEditorTest, AReadOnlyFileStaysReadOnlyAndASaveOverItIsReportedWithTheFileKept)
{
    const std::string bytes = "const int MAX = 4;\r\n";
    WriteFile(Path("R.d"), bytes);
    ASSERT_TRUE(::SetFileAttributesA(Path("R.d").c_str(), FILE_ATTRIBUTE_READONLY));
    CTavrelinDoc* doc = Open("R.d");
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(::GetFileAttributesA(Path("R.d").c_str()) & FILE_ATTRIBUTE_READONLY);

    CScintillaCtrl& ctrl = ViewOf(doc)->GetCtrl();
    ctrl.GotoPos(0);
    ctrl.ReplaceSel(reinterpret_cast<LPARAM>("// "));
    app.answers.push_back(IDOK);
    EXPECT_FALSE(doc->OnSaveDocument(Path("R.d").c_str()));
    ASSERT_EQ(app.prompts.size(), 1u);
    EXPECT_NE(app.prompts[0].find("R.d"), std::string::npos) << app.prompts[0];
    EXPECT_EQ(ReadFile(Path("R.d")), bytes);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(ScriptEditorTest, TheTitleCarriesAMarkWhileModifiedAndReloadingDropsIt)
{
    const std::string bytes = "var int a;\r\n";
    CTavrelinDoc* doc = Open("A.d", &bytes);
    ASSERT_NE(doc, nullptr);
    EXPECT_STREQ(doc->GetTitle(), "A.d");
    doc->SetModifiedFlag(TRUE);
    doc->SetModifiedFlag(TRUE);
    EXPECT_STREQ(doc->GetTitle(), "A.d *");
    ViewOf(doc)->GetCtrl().ReplaceSel(reinterpret_cast<LPARAM>("typed "));
    WriteFile(Path("A.d"), "var int b;\r\n");
    ASSERT_TRUE(doc->ReloadFromDisk());
    EXPECT_STREQ(doc->GetTitle(), "A.d");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(ViewOf(doc)->GetCtrl().GetCharAt(8), 'b');
}

TEST_F(ScriptEditorTest, ReplaceAllEndsAlsoOnEmptyHitsAndOnReplacementsThatContainTheFindText)
{
    const std::string bytes = "aa\r\nb\r\n";
    CTavrelinDoc* doc = Open("A.d", &bytes);
    ASSERT_NE(doc, nullptr);
    CScintillaView* view = ViewOf(doc);
    CScintillaCtrl& ctrl = view->GetCtrl();
    const struct {
        const char* find;
        const char* replace;
        BOOL regExp;
        const char* result;
    } cases[] = {
        {"^", "> ", TRUE, "> aa\r\n> b\r\n> "},
        {"x*", "-", TRUE, "-a-a\r\n-b\r\n"},  // the component finds no empty hit at a line's end
        {"a", "aa", FALSE, "aaaa\r\nb\r\n"},
        {"b", "", FALSE, "aa\r\n\r\n"},
    };
    for (const auto& c : cases) {
        ctrl.SetText(reinterpret_cast<LPARAM>(bytes.c_str()));
        g_scintillaFind.mode = 0;
        view->OnReplaceAll(c.find, c.replace, FALSE, FALSE, c.regExp);
        std::vector<char> text(static_cast<size_t>(ctrl.GetLength()) + 1);
        ::SendMessageA(ctrl, SCI_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        EXPECT_STREQ(text.data(), c.result) << c.find;
    }
    EXPECT_TRUE(app.prompts.empty());
}

TEST_F(ScriptEditorTest, EditCommandsAreEnabledByTextSelectionUndoAndTheStoredSearch)
{
    const std::string bytes = "abc";
    CTavrelinDoc* doc = Open("U.d", &bytes);
    ASSERT_NE(doc, nullptr);
    CScintillaView* view = ViewOf(doc);
    CScintillaCtrl& ctrl = view->GetCtrl();
    auto enabled = [&](UINT id) {
        CommandStateProbe probe;
        probe.m_nID = id;
        probe.DoUpdate(view, TRUE);
        return probe.enabled;
    };
    g_scintillaFind = CScintillaFindState();
    const struct {
        const char* state;
        std::function<void()> make;
        UINT id;
        BOOL on;
    } cases[] = {
        {"caret at the start", [&] { ctrl.SetSel(0, 0); }, ID_EDIT_CLEAR, TRUE},
        {"caret at the end", [&] { ctrl.SetSel(3, 3); }, ID_EDIT_CLEAR, FALSE},
        {"no selection", [] {}, ID_EDIT_COPY, FALSE},
        {"no selection", [] {}, ID_EDIT_CUT, FALSE},
        {"a selection", [&] { ctrl.SetSel(0, 2); }, ID_EDIT_COPY, TRUE},
        {"text", [] {}, ID_EDIT_FIND, TRUE},
        {"text", [] {}, ID_EDIT_SELECT_ALL, TRUE},
        {"nothing searched yet", [] {}, ID_EDIT_REPEAT, FALSE},
        {"a search stored", [] { g_scintillaFind.findText = "b"; }, ID_EDIT_REPEAT, TRUE},
        {"nothing done", [] {}, ID_EDIT_UNDO, FALSE},
        {"typed", [&] { ctrl.ReplaceSel(reinterpret_cast<LPARAM>("x")); }, ID_EDIT_UNDO, TRUE},
        {"typed", [] {}, ID_EDIT_REDO, FALSE},
        {"undone", [&] { ctrl.Undo(); }, ID_EDIT_REDO, TRUE},
        {"no text", [&] { ctrl.ClearAll(); }, ID_EDIT_FIND, FALSE},
        {"no text", [] {}, ID_EDIT_REPLACE, FALSE},
        {"no text", [] {}, ID_EDIT_CLEAR, FALSE},
    };
    for (const auto& c : cases) {
        c.make();
        EXPECT_EQ(enabled(c.id), c.on) << c.state << ", command " << c.id;
    }
}

TEST_F(ScriptEditorTest, PrintingOnAMetafileLaysOutPagesWithHeaderAndFooterAndASelection)
{
    std::string bytes;
    for (int i = 0; i < 600; ++i)
        bytes += "var int line" + std::to_string(i) + ";\r\n";
    CTavrelinDoc* doc = Open("P.d", &bytes);
    ASSERT_NE(doc, nullptr);
    CScintillaView* view = ViewOf(doc);
    CScintillaCtrl& ctrl = view->GetCtrl();

    // Prints the pages from `first` on one metafile; the page starts it found.
    auto print = [&](bool selection, UINT first = 1) {
        HDC screen = ::GetDC(nullptr);
        HDC meta = ::CreateEnhMetaFileA(screen, nullptr, nullptr, nullptr);
        ::ReleaseDC(nullptr, screen);
        CDC dc;
        dc.Attach(meta);
        CPrintInfo info;
        if (selection)
            info.m_pPD->m_pd.Flags = (info.m_pPD->m_pd.Flags & ~PD_NOSELECTION) | PD_SELECTION;
        view->OnBeginPrinting(&dc, &info);
        std::vector<int> starts;
        for (info.m_nCurPage = first; info.m_nCurPage < 100; ++info.m_nCurPage) {
            view->OnPrepareDC(&dc, &info);
            if (!info.m_bContinuePrinting)
                break;
            info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));  // as the print run sets it
            starts.push_back(view->m_aPageStart[static_cast<int>(info.m_nCurPage) - 1]);
            view->OnPrint(&dc, &info);
        }
        view->OnEndPrinting(&dc, &info);
        ::DeleteEnhMetaFile(::CloseEnhMetaFile(dc.Detach()));
        return starts;
    };
    const std::vector<int> all = print(false);
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all[0], 0);
    for (size_t i = 1; i < all.size(); ++i)
        EXPECT_GT(all[i], all[i - 1]);
    // Printing from page 3 lays out the pages before it unseen, to the same starts.
    const std::vector<int> fromThird = print(false, 3);
    EXPECT_EQ(fromThird, std::vector<int>(all.begin() + 2, all.end()));
    // Past the last page nothing is printed.
    EXPECT_TRUE(print(false, static_cast<UINT>(all.size()) + 1).empty());
    // Header and footer take room: without them a page holds more.
    view->m_bPrintHeader = view->m_bPrintFooter = FALSE;
    const std::vector<int> bare = print(false);
    EXPECT_LT(bare.size(), all.size() + 1);
    EXPECT_GT(bare[1], all[1]);

    // Margins of an inch all round (thousandths of inches) leave less room again.
    view->m_bUsingMetric = FALSE;
    view->m_rMargin.SetRect(1000, 1000, 1000, 1000);
    const std::vector<int> inch = print(false);
    EXPECT_LT(inch[1], bare[1]);
    // The same numbers in hundredths of millimetres are 10 mm, not an inch: more text fits.
    view->m_bUsingMetric = TRUE;
    const std::vector<int> tenMillimetres = print(false);
    EXPECT_GT(tenMillimetres[1], inch[1]);
    EXPECT_LT(tenMillimetres[1], bare[1]);
    view->m_rMargin.SetRectEmpty();

    const int from = static_cast<int>(ctrl.PositionFromLine(300)) + 3;
    const int to = static_cast<int>(ctrl.PositionFromLine(320));
    ctrl.SetSel(from, to);
    const std::vector<int> selected = print(true);
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0], from);
}

}  // namespace
