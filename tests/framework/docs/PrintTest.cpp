// Printing a view: the preparation, the page loop over the chosen range, the view ending the run,
// and failures, on a memory DC the print dialog's stand-in hands out.
#include <gtest/gtest.h>

#include "AfxIds.h"
#include "CPrintDialog.h"
#include "DocsFixture.h"

namespace {

using Events = std::vector<std::string>;

class PrintTest : public DocsTest {
protected:
    void SetUp() override
    {
        DocsTest::SetUp();
        Start(RUNTIME_CLASS(TextView));
        doc = NewText();
        ASSERT_NE(doc, nullptr);
        view = ViewOf<TextView>(doc);
    }

    // The dialog's answer: OK with the paper's DC and, when given, a page range.
    void AnswerWithPaper(WORD from = 0, WORD to = 0)
    {
        app.printDialog = [this, from, to](CPrintDialog* pd) {
            ++dialogs;
            EXPECT_TRUE(pd->m_pd.Flags & PD_RETURNDC);
            pd->m_pd.hDC = paper.MakeDC();
            if (from) {
                pd->m_pd.Flags |= PD_PAGENUMS;
                pd->m_pd.nFromPage = from;
                pd->m_pd.nToPage = to;
            }
            return static_cast<INT_PTR>(IDOK);
        };
    }

    void Print(UINT id = ID_FILE_PRINT) { frame->SendMessage(WM_COMMAND, id); }

    TextDoc* doc = nullptr;
    TextView* view = nullptr;
    PaperBitmap paper;
    int dialogs = 0;
};

const COLORREF kWhite = RGB(255, 255, 255);

TEST_F(PrintTest, PagesOfTheChosenRangeAreDrawnBetweenBeginAndEnd)
{
    view->pages = 5;
    AnswerWithPaper(2, 3);
    Print();
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(view->direct);
    EXPECT_EQ(view->events, (Events{"prepare", "begin", "dc 2", "print 2", "dc 3", "print 3", "end"}));
    EXPECT_EQ(paper.Pixel(4, 0), kWhite);  // page 1 not printed
    EXPECT_EQ(paper.Pixel(8, 0), PageColour(2));
    EXPECT_EQ(paper.Pixel(12, 0), PageColour(3));
    EXPECT_EQ(paper.Pixel(16, 0), kWhite);
    // The whole printable area of the device, in logical units.
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(view->rectDraw, CRect(0, 0, ::GetDeviceCaps(screen, HORZRES), ::GetDeviceCaps(screen, VERTRES)));
    ::ReleaseDC(nullptr, screen);
    EXPECT_TRUE(app.prompts.empty());

    // All pages without a range.
    view->events.clear();
    view->pages = 2;
    AnswerWithPaper();
    Print();
    EXPECT_EQ(view->events, (Events{"prepare", "begin", "dc 1", "print 1", "dc 2", "print 2", "end"}));
}

TEST_F(PrintTest, ViewsEndTheRunWhenTheyKnowTheirLength)
{
    // A view that finds its end on page 3 stops before page 4.
    view->lastPage = 3;
    AnswerWithPaper();
    Print();
    EXPECT_EQ(view->events, (Events{"prepare", "begin", "dc 1", "print 1", "dc 2", "print 2", "dc 3", "print 3",
                                    "end"}));

    // A view that never says how many pages it has prints one.
    view->events.clear();
    view->lastPage = 0;
    AnswerWithPaper();
    Print();
    EXPECT_EQ(view->events, (Events{"prepare", "begin", "dc 1", "print 1", "dc 2", "end"}));
}

TEST_F(PrintTest, CancelledOrPrinterlessRunsPrintNothing)
{
    // Cancelled: nothing happens and nothing more is said.
    app.printDialog = nullptr;
    Print();
    EXPECT_EQ(view->events, Events{"prepare"});
    EXPECT_TRUE(app.prompts.empty());

    // Printing directly, without a printer: the user is told, no page is begun.
    view->events.clear();
    Print(ID_FILE_PRINT_DIRECT);
    EXPECT_TRUE(view->direct);
    EXPECT_EQ(view->events, Events{"prepare"});
    ASSERT_EQ(app.prompts.size(), 1u);
    EXPECT_EQ(app.prompts[0], "No printer is installed. Add a printer and try again.");
}

TEST_F(PrintTest, FailedJobsAndExceptionsStillEndTheRun)
{
    // A device DC that takes no print job: begun and ended, no page, the failure shown.
    view->pages = 2;
    app.printDialog = [](CPrintDialog* pd) {
        pd->m_pd.hDC = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        return static_cast<INT_PTR>(IDOK);
    };
    Print();
    EXPECT_EQ(view->events, (Events{"prepare", "begin", "end"}));
    ASSERT_EQ(app.prompts.size(), 1u);
    EXPECT_EQ(app.prompts[0], "The document could not be printed.");

    // An exception while printing page 2 ends the run and reaches the user.
    app.prompts.clear();
    view->events.clear();
    view->throwOnPage = 2;
    AnswerWithPaper();
    Print();
    EXPECT_EQ(view->events, (Events{"prepare", "begin", "dc 1", "print 1", "dc 2", "print 2", "end"}));
    EXPECT_EQ(app.prompts.size(), 1u);
    EXPECT_EQ(paper.Pixel(4, 0), PageColour(1));
}

TEST_F(DocsTest, PlainViewsPrintTheirPictureOnOnePage)
{
    Start(RUNTIME_CLASS(PlainView));
    TextDoc* doc = NewText();
    ASSERT_NE(doc, nullptr);
    PlainView* view = ViewOf<PlainView>(doc);
    PaperBitmap paper;
    app.printDialog = [&paper](CPrintDialog* pd) {
        pd->m_pd.hDC = paper.MakeDC();
        return static_cast<INT_PTR>(IDOK);
    };
    int drawsBefore = view->draws;
    frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(view->draws, drawsBefore + 1);
    EXPECT_EQ(paper.Pixel(1, 1), RGB(0, 0, 255));
}

}  // namespace
