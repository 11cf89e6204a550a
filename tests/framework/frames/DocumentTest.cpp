// Documents in an MDI frame: routing of commands, shared menus and keys, the save prompt,
// saving and reading through Serialize, damaged files, and documents open twice.
#include <gtest/gtest.h>

#include <fstream>

#include "FrameFixture.h"
#include "ResourceIds.h"

namespace {

class MdiTest : public ::testing::Test {
protected:
    TestApp app;
    CMultiDocTemplate* notes = nullptr;
    MainFrame* frame = nullptr;
    ScratchFolder scratch;

    void SetUp() override
    {
        g_handled.clear();
        notes = new CMultiDocTemplate(IDR_NOTETYPE, RUNTIME_CLASS(NoteDoc), RUNTIME_CLASS(NoteFrame),
                                      RUNTIME_CLASS(NoteView));
        app.AddDocTemplate(notes);
        frame = new MainFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_TEST_FRAME));
        app.m_pMainWnd = frame;
        frame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_SHOWWINDOW);
    }
    void TearDown() override { EndApplication(app); }

    NoteDoc* NewNote() { return static_cast<NoteDoc*>(notes->OpenDocumentFile(nullptr)); }
    static NoteView* ViewOf(CDocument* doc)
    {
        POSITION pos = doc->GetFirstViewPosition();
        return pos ? static_cast<NoteView*>(doc->GetNextView(pos)) : nullptr;
    }
    static CFrameWnd* FrameOf(CDocument* doc) { return ViewOf(doc)->GetParentFrame(); }
    std::vector<std::string> Route(UINT id)
    {
        g_handled.clear();
        frame->SendMessage(WM_COMMAND, id);
        return g_handled;
    }
    static CString WindowText(CWnd* wnd)
    {
        CString text;
        wnd->GetWindowText(text);
        return text;
    }
};

using Handlers = std::vector<std::string>;

TEST_F(MdiTest, CommandsGoToTheActiveChildsViewDocumentAndFrameThenTheMainFrameThenTheApplication)
{
    NoteDoc* first = NewNote();
    NoteDoc* second = NewNote();
    ASSERT_TRUE(first && second);
    EXPECT_STREQ(first->GetTitle(), "Note1");
    EXPECT_STREQ(second->GetTitle(), "Note2");
    ASSERT_EQ(frame->MDIGetActive(), FrameOf(second));

    struct Case {
        UINT id;
        Handlers taken;
    };
    const Case cases[] = {
        {ID_TEST_VIEW, {"view Note2"}},  {ID_TEST_DOC, {"doc Note2"}}, {ID_TEST_CHILD, {"child Note2"}},
        {ID_TEST_MAIN, {"main"}},        {ID_TEST_APP, {"app"}},
        {ID_TEST_ALL, {"view all"}},     // the innermost handler wins
        {ID_TEST_MAIN_APP, {"main"}},    // the main frame before the application
        {ID_TEST_NOBODY, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Route(c.id), c.taken) << c.id;

    // The other child active: its own view and document.
    frame->MDIActivate(FrameOf(first));
    EXPECT_EQ(Route(ID_TEST_DOC), Handlers{"doc Note1"});
    EXPECT_EQ(Route(ID_TEST_CHILD), Handlers{"child Note1"});

    // A command given to an inactive child frame itself (from a bar of its own) goes through its
    // own view and document, then the main frame and the application, never the active child.
    CFrameWnd* inactive = FrameOf(second);
    for (const Case& c : cases) {
        g_handled.clear();
        inactive->SendMessage(WM_COMMAND, c.id);
        EXPECT_EQ(g_handled, c.taken) << c.id;  // the same as when it was active
    }

    // No child: the main frame and the application only.
    app.CloseAllDocuments(FALSE);
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
    EXPECT_EQ(Route(ID_TEST_ALL), Handlers{"main all"});
    EXPECT_EQ(Route(ID_TEST_VIEW), Handlers{});
    EXPECT_EQ(Route(ID_TEST_APP), Handlers{"app"});

    // The application's own File New, and the document's File Close through the route.
    Route(ID_FILE_NEW);
    ASSERT_EQ(app.GetOpenDocumentCount(), 1);
    EXPECT_STREQ(frame->GetActiveDocument()->GetTitle(), "Note3");
    Route(ID_FILE_CLOSE);
    EXPECT_EQ(app.GetOpenDocumentCount(), 0);
}

TEST_F(MdiTest, TheActiveChildBringsItsDocumentsMenuKeysAndTitle)
{
    HMENU own = frame->m_hMenuDefault;
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(::GetMenu(frame->m_hWnd), own);
    EXPECT_STREQ(WindowText(frame), "Frame Test");

    NoteDoc* doc = NewNote();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(::GetMenu(frame->m_hWnd), notes->m_hMenuShared);
    EXPECT_STREQ(WindowText(frame), "Frame Test - Note1");
    EXPECT_STREQ(WindowText(FrameOf(doc)), "Note1");

    // The menu's items follow the route: no handler, no item.
    HMENU notePopup = ::GetSubMenu(notes->m_hMenuShared, 1);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(notePopup), 1);
    EXPECT_FALSE(::GetMenuState(notePopup, ID_TEST_VIEW, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(notePopup, ID_TEST_DOC, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(notePopup, ID_TEST_NOBODY, MF_BYCOMMAND) & MF_GRAYED);

    // Keys: the document type's (F8) and the frame's (F7), whichever window has them.
    MSG key{};
    key.hwnd = ViewOf(doc)->m_hWnd;
    key.message = WM_KEYDOWN;
    key.wParam = VK_F8;
    g_handled.clear();
    EXPECT_TRUE(app.PreTranslateMessage(&key));
    key.wParam = VK_F7;
    EXPECT_TRUE(app.PreTranslateMessage(&key));
    EXPECT_EQ(g_handled, (Handlers{"doc Note1", "main"}));

    // A new title shows in the child and the frame.
    doc->SetPathName((scratch.path + "\\letter.note").c_str(), FALSE);
    EXPECT_STREQ(doc->GetTitle(), "letter.note");
    EXPECT_STREQ(WindowText(FrameOf(doc)), "letter.note");
    PumpAndIdle(app);
    EXPECT_STREQ(WindowText(frame), "Frame Test - letter.note");

    // A maximised child's name shows once.
    frame->MDIMaximize(FrameOf(doc));
    frame->OnUpdateFrameTitle(TRUE);
    const std::string maximized(WindowText(frame));
    EXPECT_EQ(maximized.find("letter.note"), maximized.rfind("letter.note")) << maximized;
    EXPECT_NE(maximized.find("letter.note"), std::string::npos) << maximized;
    frame->MDIRestore(FrameOf(doc));
    frame->OnUpdateFrameTitle(TRUE);
    EXPECT_STREQ(WindowText(frame), "Frame Test - letter.note");

    // The Window menu lists the children; its items activate them.
    NoteDoc* other = NewNote();
    HMENU windowPopup = ::GetSubMenu(notes->m_hMenuShared, 2);
    char item[64] = {};
    ::GetMenuStringA(windowPopup, AFX_IDM_FIRST_MDICHILD, item, sizeof(item), MF_BYCOMMAND);
    EXPECT_STREQ(item, "&1 letter.note");
    ASSERT_EQ(frame->MDIGetActive(), FrameOf(other));
    frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD);
    EXPECT_EQ(frame->MDIGetActive(), FrameOf(doc));

    // The last child gone, the frame has its own menu and keys again.
    app.CloseAllDocuments(FALSE);
    EXPECT_EQ(::GetMenu(frame->m_hWnd), own);
    EXPECT_STREQ(WindowText(frame), "Frame Test");
    key.hwnd = frame->m_hWnd;
    key.wParam = VK_F8;
    EXPECT_FALSE(app.PreTranslateMessage(&key));
    EXPECT_TRUE(::IsMenu(notes->m_hMenuShared));  // lent, not lost

    // Without children the Window commands have nothing to arrange.
    HMENU ownWindow = ::GetSubMenu(own, 1);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(ownWindow), 1);
    EXPECT_TRUE(::GetMenuState(ownWindow, ID_WINDOW_CASCADE, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(MdiTest, AFrameDeletedWithItsWindowLeavesTheSharedMenuAndClosesItsDocuments)
{
    NoteDoc* doc = NewNote();
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(::GetMenu(frame->m_hWnd), notes->m_hMenuShared);
    const HWND hWnd = frame->m_hWnd;
    delete frame;
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(::IsMenu(notes->m_hMenuShared));  // the frame's own menu went, not the lent one
    EXPECT_EQ(app.GetOpenDocumentCount(), 0);
}

TEST_F(MdiTest, AViewDeletedWithItsWindowLeavesItsFrameAndDocument)
{
    NoteDoc* doc = NewNote();
    NoteView* view = ViewOf(doc);
    CFrameWnd* child = FrameOf(doc);
    ASSERT_EQ(child->GetActiveView(), view);
    const HWND hWnd = view->m_hWnd;
    delete view;
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(app.GetOpenDocumentCount(), 0);  // its only view gone, the document closed
    EXPECT_EQ(child->GetActiveView(), nullptr);  // the frame forgot it
    EXPECT_EQ(child->GetActiveDocument(), nullptr);
    child->DestroyWindow();
}

TEST_F(MdiTest, ClosingAModifiedDocumentAsksToSaveAndTheSavedFileReadsBack)
{
    struct Case {
        int answer;
        bool closes;
        bool saves;
    };
    const Case cases[] = {{IDCANCEL, false, false}, {IDNO, true, false}, {IDYES, true, true}};
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        NoteDoc* doc = NewNote();
        ASSERT_NE(doc, nullptr);
        doc->m_text = "Thorn gate opens at dusk";
        doc->m_value = 42 + n;
        doc->SetModifiedFlag();
        const std::string title(doc->GetTitle());
        const std::string path = scratch.Path(("note" + std::to_string(n++) + ".note").c_str());
        app.saveAs = path;
        app.answers = {c.answer};
        app.prompts.clear();

        FrameOf(doc)->SendMessage(WM_CLOSE);

        std::vector<std::string> expected{"Save changes to " + title + "?"};
        if (c.saves)
            expected.push_back("file dialog for " + title + ".note");
        EXPECT_EQ(app.prompts, expected);
        EXPECT_EQ(app.GetOpenDocumentCount(), c.closes ? 0 : 1);
        EXPECT_EQ(::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES, c.saves);
        if (!c.closes) {
            doc->SetModifiedFlag(FALSE);
            app.CloseAllDocuments(FALSE);
        }
        if (c.saves) {
            NoteDoc* back = static_cast<NoteDoc*>(app.OpenDocumentFile(path.c_str()));
            ASSERT_NE(back, nullptr);
            EXPECT_STREQ(back->m_text, "Thorn gate opens at dusk");
            EXPECT_EQ(back->m_value, 42 + n - 1);
            EXPECT_FALSE(back->IsModified());
            EXPECT_EQ(std::string(back->GetPathName()), path);
            EXPECT_EQ(ViewOf(back)->m_initialUpdates, 1);
            app.CloseAllDocuments(FALSE);
        }
    }
}

TEST_F(MdiTest, ClosingTheMainFrameAsksForEveryModifiedDocumentAndCancelKeepsAll)
{
    NoteDoc* first = NewNote();
    NoteDoc* second = NewNote();
    first->SetModifiedFlag();
    second->SetModifiedFlag();
    HWND main = frame->m_hWnd;

    app.answers = {IDNO, IDCANCEL};
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(app.prompts.size(), 2u);
    EXPECT_TRUE(::IsWindow(main));
    EXPECT_EQ(app.GetOpenDocumentCount(), 2);

    app.prompts.clear();
    app.answers = {IDNO, IDNO};
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(app.prompts.size(), 2u);
    EXPECT_FALSE(::IsWindow(main));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(app.GetOpenDocumentCount(), 0);
    MSG quit;
    EXPECT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // the loop ends
}

TEST_F(MdiTest, SaveAsSuggestsTheTitleWithTheTypesExtensionAndCancelSavesNothing)
{
    NoteDoc* doc = NewNote();
    struct Case {
        const char* title;
        const char* suggested;
    };
    const Case cases[] = {{"Note1", "Note1.note"}, {"Draft *", "Draft.note"}, {"a:b", "a.note"}};
    for (const Case& c : cases) {
        doc->SetTitle(c.title);
        app.prompts.clear();
        EXPECT_FALSE(doc->DoSave(nullptr));  // the dialog is cancelled
        EXPECT_EQ(app.prompts, std::vector<std::string>{std::string("file dialog for ") + c.suggested});
    }
    EXPECT_TRUE(doc->GetPathName().IsEmpty());
    EXPECT_TRUE(scratch.Files().empty());
}

TEST_F(MdiTest, AFailedSaveLeavesTheOldFileWholeAndSaysWhy)
{
    NoteDoc* doc = NewNote();
    const std::string path = scratch.Path("kept.note");
    doc->m_text = "old words";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    const std::string before = ReadFile(path);
    ASSERT_FALSE(before.empty());

    doc->m_text = "new words that never arrive";
    doc->m_failWhileStoring = true;
    doc->SetModifiedFlag();
    EXPECT_FALSE(doc->OnSaveDocument(path.c_str()));
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(scratch.Files(), std::vector<std::string>{"kept.note"});  // no scratch file left behind
    EXPECT_TRUE(doc->IsModified());
    ASSERT_EQ(app.prompts.size(), 1u);
    EXPECT_NE(app.prompts[0].find("kept.note"), std::string::npos) << app.prompts[0];
    EXPECT_EQ(app.prompts[0].find(".tmp"), std::string::npos) << app.prompts[0];

    // A folder that does not exist, and a file that may not be replaced: told why, nothing written.
    doc->m_failWhileStoring = false;
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    struct Case {
        std::string path;
        const char* says;
    };
    const Case cases[] = {{scratch.Path("missing\\x.note"), "The path of"}, {path, "Access to"}};
    for (const Case& c : cases) {
        app.prompts.clear();
        EXPECT_FALSE(doc->OnSaveDocument(c.path.c_str()));
        ASSERT_EQ(app.prompts.size(), 1u);
        EXPECT_EQ(app.prompts[0].rfind(c.says, 0), 0u) << app.prompts[0];
    }
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(scratch.Files(), std::vector<std::string>{"kept.note"});
}

TEST_F(MdiTest, DamagedOrMissingFilesOpenNothingAndAreReported)
{
    NoteDoc* doc = NewNote();
    doc->m_text = "a text long enough to be cut";
    const std::string good = scratch.Path("good.note");
    ASSERT_TRUE(doc->OnSaveDocument(good.c_str()));
    app.CloseAllDocuments(FALSE);
    const std::string bytes = ReadFile(good);
    const std::string cut = scratch.Path("cut.note");
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() - 3);

    struct Case {
        std::string path;
        const char* says;
    };
    const Case cases[] = {{cut, "cut.note"}, {scratch.Path("absent.note"), "absent.note"}};
    for (const Case& c : cases) {
        app.prompts.clear();
        EXPECT_EQ(app.OpenDocumentFile(c.path.c_str()), nullptr) << c.path;
        ASSERT_EQ(app.prompts.size(), 1u) << c.path;
        EXPECT_NE(app.prompts[0].find(c.says), std::string::npos) << app.prompts[0];
        EXPECT_EQ(app.GetOpenDocumentCount(), 0);
        EXPECT_EQ(frame->MDIGetActive(), nullptr);
    }

    // Read again into an open document (a reload) and failing: empty, and nothing to save
    // over the file.
    NoteDoc* open = NewNote();
    open->m_text = "unsaved";
    app.prompts.clear();
    EXPECT_FALSE(open->OnOpenDocument(cut.c_str()));
    EXPECT_TRUE(open->m_text.IsEmpty());
    EXPECT_FALSE(open->IsModified());
    EXPECT_EQ(app.prompts.size(), 1u);
}

TEST_F(MdiTest, PathsMatchByTypeAndAnOpenDocumentIsNotOpenedTwice)
{
    CString text;
    struct StringCase {
        CDocTemplate::DocStringIndex index;
        const char* text;
    };
    const StringCase strings[] = {{CDocTemplate::windowTitle, ""},
                                  {CDocTemplate::docName, "Note"},
                                  {CDocTemplate::filterName, "Note files (*.note)"},
                                  {CDocTemplate::filterExt, ".note"},
                                  {CDocTemplate::regFileTypeId, "Tavrelin.Note"},
                                  {CDocTemplate::regFileTypeName, "Note file"}};
    for (const StringCase& s : strings) {
        EXPECT_TRUE(notes->GetDocString(text, s.index));
        EXPECT_STREQ(text, s.text);
    }

    struct MatchCase {
        const char* path;
        CDocTemplate::Confidence match;
    };
    const MatchCase matches[] = {{"C:\\a\\b.note", CDocTemplate::yesAttemptNative},
                                 {"C:\\a\\B.NOTE", CDocTemplate::yesAttemptNative},
                                 {"C:\\a.note\\b.txt", CDocTemplate::yesAttemptForeign},
                                 {"C:\\a\\noext", CDocTemplate::yesAttemptForeign},
                                 {"", CDocTemplate::noAttempt}};
    CDocument* found = nullptr;
    for (const MatchCase& m : matches)
        EXPECT_EQ(notes->MatchDocType(m.path, found), m.match) << m.path;

    NoteDoc* doc = NewNote();
    const std::string path = scratch.Path("once.note");
    ASSERT_TRUE(doc->DoSave(path.c_str()));
    CString upper(path.c_str());
    upper.MakeUpper();
    EXPECT_EQ(notes->MatchDocType(upper, found), CDocTemplate::yesAlreadyOpen);
    EXPECT_EQ(found, doc);
    NewNote();
    EXPECT_EQ(app.OpenDocumentFile(upper), doc);
    EXPECT_EQ(app.GetOpenDocumentCount(), 2);
    EXPECT_EQ(frame->MDIGetActive(), FrameOf(doc));  // brought forward
}

TEST_F(MdiTest, TwoFramesOnOneDocumentShareItsUpdatesAndOnlyTheLastAsks)
{
    NoteDoc* doc = NewNote();
    CFrameWnd* second = notes->CreateNewFrame(doc, FrameOf(doc));
    ASSERT_NE(second, nullptr);
    notes->InitialUpdateFrame(second, doc);
    POSITION pos = doc->GetFirstViewPosition();
    NoteView* one = static_cast<NoteView*>(doc->GetNextView(pos));
    NoteView* two = static_cast<NoteView*>(doc->GetNextView(pos));
    ASSERT_TRUE(one && two);
    EXPECT_EQ(pos, nullptr);
    EXPECT_EQ(one->m_initialUpdates, 1);
    EXPECT_EQ(two->m_initialUpdates, 1);

    const int oneBefore = one->m_updates;
    const int twoBefore = two->m_updates;
    doc->UpdateAllViews(one);
    EXPECT_EQ(one->m_updates, oneBefore);
    EXPECT_EQ(two->m_updates, twoBefore + 1);

    doc->SetModifiedFlag();
    app.answers = {IDNO};
    second->SendMessage(WM_CLOSE);
    EXPECT_TRUE(app.prompts.empty());  // another frame still shows it
    EXPECT_EQ(app.GetOpenDocumentCount(), 1);
    FrameOf(doc)->SendMessage(WM_CLOSE);
    EXPECT_EQ(app.prompts.size(), 1u);
    EXPECT_EQ(app.GetOpenDocumentCount(), 0);
}

}  // namespace
