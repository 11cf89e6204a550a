// The Options page: options written as the controls change and kept after the sheet, the greyed
// delay box, and the question before the usage record is reset.
#include <gtest/gtest.h>

#include "CXTPCommandBarsOptions.h"
#include "CXTPCustomizeOptionsPage.h"
#include "CustomizeFixture.h"

namespace {

class CustomizeOptionsPageTest : public CustomizeFixture {
protected:
    void SetUp() override
    {
        CustomizeFixture::SetUp();
        saved = *Options();
    }
    void TearDown() override
    {
        CXTPCommandBarsOptions* pOptions = Options();
        pOptions->m_bAlwaysShowFullMenus = saved.m_bAlwaysShowFullMenus;
        pOptions->m_bShowFullAfterDelay = saved.m_bShowFullAfterDelay;
        pOptions->m_bToolBarScreenTips = saved.m_bToolBarScreenTips;
        pOptions->m_bToolBarAccelTips = saved.m_bToolBarAccelTips;
        pOptions->m_bLargeIcons = saved.m_bLargeIcons;
        pOptions->m_animationType = saved.m_animationType;
        CustomizeFixture::TearDown();
    }
    static CXTPCommandBarsOptions* Options() { return frame->Bars()->GetOptions(); }
    static CPoint ControlCentre(CWnd* pPage, int nID)
    {
        CRect rc;
        ::GetWindowRect(::GetDlgItem(pPage->m_hWnd, nID), &rc);
        return CPoint(rc.left + 6, rc.CenterPoint().y);
    }
    // Shows the page of the sheet, then runs the steps.
    static SheetStep Show(CXTPCustomizeSheet& sheet, CPropertyPage& page)
    {
        return [&]() { return sheet.SetActivePage(&page) && page.GetSafeHwnd(); };
    }

    struct Saved {
        BOOL m_bAlwaysShowFullMenus, m_bShowFullAfterDelay, m_bToolBarScreenTips, m_bToolBarAccelTips, m_bLargeIcons;
        DWORD m_animationType;
        Saved& operator=(const CXTPCommandBarsOptions& o)
        {
            m_bAlwaysShowFullMenus = o.m_bAlwaysShowFullMenus;
            m_bShowFullAfterDelay = o.m_bShowFullAfterDelay;
            m_bToolBarScreenTips = o.m_bToolBarScreenTips;
            m_bToolBarAccelTips = o.m_bToolBarAccelTips;
            m_bLargeIcons = o.m_bLargeIcons;
            m_animationType = o.m_animationType;
            return *this;
        }
    } saved{};
};

TEST_F(CustomizeOptionsPageTest, ChangesGoToTheOptionsAtOnceAndOutliveTheSheet)
{
    Options()->m_bAlwaysShowFullMenus = TRUE;
    Options()->m_bShowFullAfterDelay = TRUE;
    Options()->m_bToolBarScreenTips = TRUE;
    Options()->m_animationType = 0;
    CXTPCustomizeSheet sheet(frame->Bars());
    CXTPCustomizeOptionsPage page(&sheet);
    sheet.AddPage(&page);
    BOOL bDelayGreyed = FALSE, bDelayKept = FALSE, bDelayEnabled = FALSE, bAccelGreyed = FALSE;
    BOOL bWrittenAtOnce = FALSE;
    RunSheet(sheet, {Show(sheet, page),
                     [&]() {
                         bDelayGreyed = !page.GetDlgItem(9341)->IsWindowEnabled();
                         bDelayKept = page.IsDlgButtonChecked(9341) == BST_CHECKED;
                         SendClick(ControlCentre(&page, 9340));
                         return true;
                     },
                     [&]() { return !Options()->m_bAlwaysShowFullMenus; },
                     [&]() {
                         bDelayEnabled = page.GetDlgItem(9341)->IsWindowEnabled();
                         SendClick(ControlCentre(&page, 9344));
                         return true;
                     },
                     [&]() { return !Options()->m_bToolBarScreenTips; },
                     [&]() {
                         bAccelGreyed = !page.GetDlgItem(9345)->IsWindowEnabled();
                         page.GetDlgItem(9410)->SetFocus();
                         for (int i = 0; i < 4; i++) {
                             SendKey(VK_DOWN);
                             SendKey(VK_DOWN, TRUE);
                         }
                         return true;
                     },
                     [&]() { return Options()->m_animationType == 4; },
                     [&]() {
                         bWrittenAtOnce = TRUE;
                         return true;
                     }});
    EXPECT_TRUE(bDelayGreyed);
    EXPECT_TRUE(bDelayKept);
    EXPECT_TRUE(bDelayEnabled);
    EXPECT_TRUE(bAccelGreyed);
    EXPECT_TRUE(bWrittenAtOnce);
    // Closed with "Close": the options stay as the page left them.
    EXPECT_FALSE(Options()->m_bAlwaysShowFullMenus);
    EXPECT_TRUE(Options()->m_bShowFullAfterDelay);
    EXPECT_FALSE(Options()->m_bToolBarScreenTips);
    EXPECT_EQ(4u, Options()->m_animationType);
}

TEST_F(CustomizeOptionsPageTest, ResettingTheUsageRecordAsksFirst)
{
    const struct {
        int nAnswer;
        BOOL bForgotten;
    } cases[] = {{IDNO, FALSE}, {IDYES, TRUE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nAnswer);
        Options()->m_mapHiddenCommands.SetAt(ID_PLAIN, TRUE);
        Options()->m_mapUsedCommands.SetAt(ID_PLAIN, TRUE);
        MessageBoxTexts().clear();
        AnswerMessageBoxes({c.nAnswer});
        CXTPCustomizeSheet sheet(frame->Bars());
        CXTPCustomizeOptionsPage page(&sheet);
        sheet.AddPage(&page);
        RunSheet(sheet, {Show(sheet, page),
                         [&]() {
                             SendClick(ControlCentre(&page, 9342));
                             return true;
                         },
                         [&]() { return !MessageBoxTexts().empty(); }, Wait(100)});
        ASSERT_EQ(1u, MessageBoxTexts().size());
        EXPECT_EQ(0, MessageBoxTexts()[0].Find("This will delete the record of the commands you've used"));
        EXPECT_EQ(c.bForgotten, frame->Bars()->IsCommandHidden(ID_PLAIN));
        Options()->m_mapHiddenCommands.RemoveAll();
        Options()->m_mapUsedCommands.RemoveAll();
    }
}

} // namespace
