// An output pane in the editor tests' frame, whose script documents open in script views.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "COutputPane.h"
#include "CTavrelinView.h"
#include "EditorFixture.h"

class OutputPaneTest : public EditorTest {
protected:
    COutputPane* pane = nullptr;

    void SetUp() override
    {
        viewClass = RUNTIME_CLASS(CTavrelinView);
        EditorTest::SetUp();
        pane = new COutputPane;
        ASSERT_TRUE(pane->Create(frame, 202));
        pane->SetWindowPos(nullptr, 0, 0, 600, 160, SWP_NOZORDER);
        SetOutputPane(pane);
        Pump();
    }
    void TearDown() override
    {
        SetOutputPane(nullptr);
        pane->DestroyWindow();
        delete pane;
        EditorTest::TearDown();
    }

    CListCtrlForFlatTab& Build() { return pane->GetBuildList(); }
    CListCtrlForFlatTab& Find() { return pane->GetFindList(); }
    std::string Row(CListCtrlForFlatTab& list, int row) { return static_cast<const char*>(list.GetItemText(row, 0)); }
    // The row's text colour, or -1 when it has none.
    long long TextColor(CListCtrlForFlatTab& list, int row)
    {
        const CXTListRowColor* color = list.FindRowColor(row);
        return color ? static_cast<long long>(color->crText) : -1;
    }
    // Double-clicks the row's text as the mouse would, through the message queue.
    void DoubleClick(CListCtrlForFlatTab& list, int row)
    {
        CRect label;
        ASSERT_TRUE(list.GetItemRect(row, &label, LVIR_LABEL));
        list.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(label.left + 4, label.CenterPoint().y));
        Pump();
    }
    // The open document of a file, or null.
    CDocument* OpenDocument(const std::string& name)
    {
        for (POSITION at = scripts->GetFirstDocPosition(); at;) {
            CDocument* doc = scripts->GetNextDoc(at);
            if (doc->GetPathName().CompareNoCase(Path(name).c_str()) == 0)
                return doc;
        }
        return nullptr;
    }
    // The zero-based line of the caret in the document's view.
    static int CaretLine(CDocument* doc)
    {
        auto* view = static_cast<CTavrelinView*>(ViewOf(doc));
        return static_cast<int>(view->Sci(SCI_LINEFROMPOSITION, view->Sci(SCI_GETCURRENTPOS)));
    }
};
