// The item edit on a real window: how each way of ending it reports to the parent, what the caller's
// string receives, and that its own browse button keeps it open.
#include "CXTItemEdit.h"

#include <functional>
#include <vector>

#include "ControlHost.h"
#include "CXTFolderDialog.h"

namespace {

BOOL ChooseFolder(CXTFolderDialog&, CString& path)
{
    path = "C:\\chosen folder";
    return TRUE;
}

class ItemEditTest : public ControlHost {
protected:
    void SetUp() override
    {
        ControlHost::SetUp();
        previous = CXTFolderDialog::SetChooser({ChooseFolder, nullptr});
    }
    void TearDown() override
    {
        CXTFolderDialog::SetChooser(previous);
        ControlHost::TearDown();
    }
    // The ending codes heard from the item edit (its own edit notifications left out).
    std::vector<UINT> EditCodes() const
    {
        std::vector<UINT> codes;
        for (const RecordedCommand& command : host->commands)
            if (command.id == XT_IDC_LBOX_EDIT &&
                (command.code == XTN_LBOX_EDITED || command.code == XTN_LBOX_CANCELLED))
                codes.push_back(command.code);
        return codes;
    }

    CXTBrowseChooser previous;
};

void Key(CWnd* pWnd, UINT message, WPARAM key)
{
    pWnd->SendMessage(message, key);
}

TEST_F(ItemEditTest, EachEndingReportsOnceAndLeavesTheCallersString)
{
    struct Case {
        const char* name;
        std::function<void(CXTItemEdit*)> act;
        UINT code;
        const char* result;
    };
    const Case cases[] = {
        {"Enter pressed", [](CXTItemEdit* e) { Key(e, WM_KEYDOWN, VK_RETURN); }, XTN_LBOX_EDITED,
         "beta"},
        {"Enter typed", [](CXTItemEdit* e) { Key(e, WM_CHAR, '\r'); }, XTN_LBOX_EDITED, "beta"},
        {"Escape", [](CXTItemEdit* e) { Key(e, WM_KEYDOWN, VK_ESCAPE); }, XTN_LBOX_CANCELLED,
         "alpha"},
        {"focus to the parent", [](CXTItemEdit*) { host->SetFocus(); }, XTN_LBOX_EDITED, "beta"},
        {"Enter, then Escape before it closes",
         [](CXTItemEdit* e) {
             Key(e, WM_KEYDOWN, VK_RETURN);
             Key(e, WM_KEYDOWN, VK_ESCAPE);
         },
         XTN_LBOX_EDITED, "beta"},
        {"its own button browses, then Enter",
         [this](CXTItemEdit* e) {
             e->GetBrowseButton().SendMessage(BM_CLICK);
             Pump();
             EXPECT_TRUE(EditCodes().empty());
             EXPECT_EQ(::GetFocus(), e->m_hWnd);
             Key(e, WM_KEYDOWN, VK_RETURN);
         },
         XTN_LBOX_EDITED, "C:\\chosen folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host->commands.clear();
        CString text = "alpha";
        auto* edit = new CXTItemEdit(host, CRect(20, 20, 220, 42), text, BES_XT_CHOOSEDIR, true);
        const HWND hEdit = edit->m_hWnd, hButton = edit->GetBrowseButton().GetSafeHwnd();
        ASSERT_TRUE(::IsWindow(hEdit));
        ASSERT_TRUE(::IsWindow(hButton));
        EXPECT_EQ(::GetDlgCtrlID(hEdit), XT_IDC_LBOX_EDIT);
        EXPECT_EQ(::GetFocus(), hEdit);
        int start = -1, end = -1;
        edit->GetSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, 5);
        edit->SetWindowText("beta");

        c.act(edit);
        Pump();  // the posted closes; the edit deletes itself

        EXPECT_EQ(EditCodes(), std::vector<UINT>{c.code});
        EXPECT_STREQ(text, c.result);
        EXPECT_FALSE(::IsWindow(hEdit));
        EXPECT_FALSE(::IsWindow(hButton));
    }
}

}  // namespace
