// The toolbar-name dialog: the proposed "Custom N", the name checks, the ids of new toolbars and
// their limit, and the rename caption.
#include "CXTPNewToolbarDlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CXTPToolBar.h"
#include "CustomizeFixture.h"
#include "InputSteps.h"

namespace {

// Command bars without a frame holding windowless bars of the titles and ids given.
class NamedBars {
public:
    NamedBars(std::vector<std::pair<const char*, UINT>> bars)
    {
        m_pBars = new TestCommandBars;
        for (const auto& [title, id] : bars)
            Add(title, id);
    }
    ~NamedBars() { m_pBars->InternalRelease(); }
    CXTPCommandBar* Add(const char* title, UINT id, CXTPCommandBar* pBar = nullptr)
    {
        if (!pBar)
            pBar = new CXTPCommandBar;
        pBar->SetTitle(title);
        pBar->SetBarID(id);
        m_pBars->Append(pBar);
        return pBar;
    }
    TestCommandBars* operator->() const { return m_pBars; }
    TestCommandBars* Get() const { return m_pBars; }

private:
    TestCommandBars* m_pBars;
};

struct DialogRun {
    INT_PTR nResult = 0;
    std::string strProposed;  // the edit's text when the dialog opened
    std::string strCaption;
    std::vector<std::string> messages;
};

class NewToolbarDlg : public CustomizeFixture {
protected:
    // Runs the dialog: types each name in turn and presses OK; Cancel when the names are used up;
    // message boxes are answered with OK.
    DialogRun RunDialog(CXTPNewToolbarDlg& dlg, std::vector<std::string> names)
    {
        DialogRun run;
        MessageBoxTexts().clear();
        AnswerMessageBoxes(std::vector<int>(names.size(), IDOK));
        std::vector<std::function<void()>> steps;
        steps.push_back([&run] {
            HWND hDlg = ::GetActiveWindow();
            char text[256] = {};
            ::GetDlgItemTextA(hDlg, 9329, text, sizeof(text));
            run.strProposed = text;
            ::GetWindowTextA(hDlg, text, sizeof(text));
            run.strCaption = text;
        });
        for (const std::string& name : names) {
            steps.push_back([name] {
                HWND hDlg = ::GetActiveWindow();
                ::SetDlgItemTextA(hDlg, 9329, name.c_str());
                ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
            });
            steps.push_back([] {});  // the message box comes and goes
        }
        steps.push_back([] { ::PostMessageA(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0); });
        InputSteps input(std::move(steps), 80);
        run.nResult = dlg.DoModal();
        for (const CString& strText : MessageBoxTexts())
            run.messages.push_back(static_cast<const char*>(strText));
        return run;
    }
};

TEST_F(NewToolbarDlg, ANewToolbarIsProposedAsTheFirstFreeCustomName)
{
    struct {
        std::vector<std::pair<const char*, UINT>> bars;
        const char* proposed;
    } cases[] = {
        {{}, "Custom 1"},
        {{{"Custom 1", 100}, {"Custom 2", 101}}, "Custom 3"},
        // The scan starts again after each step up.
        {{{"Custom 2", 100}, {"Custom 1", 101}}, "Custom 3"},
        {{{"Custom 2", 100}, {"custom 1", 101}}, "Custom 1"},
    };
    for (const auto& c : cases) {
        NamedBars bars(c.bars);
        CXTPNewToolbarDlg dlg(bars.Get());
        DialogRun run = RunDialog(dlg, {});
        EXPECT_EQ(IDCANCEL, run.nResult);
        EXPECT_EQ(c.proposed, run.strProposed);
        EXPECT_EQ("New Toolbar", run.strCaption);
    }
}

TEST_F(NewToolbarDlg, AnEmptyNameOrAnotherBarsTitleKeepsTheDialogOpen)
{
    NamedBars bars({{"Standard", 59392}, {"Custom 1", 59393}});
    CXTPNewToolbarDlg dlg(bars.Get());
    DialogRun run = RunDialog(dlg, {"", "Custom 1", "Standard", "standard"});
    EXPECT_EQ(IDOK, run.nResult) << "a name differing in case only is another name";
    EXPECT_EQ((std::vector<std::string>{"The toolbar name cannot be blank. Type a name.",
                                        "A toolbar named 'Custom 1' already exists. Type another name.",
                                        "A toolbar named 'Standard' already exists. Type another name."}),
              run.messages);
    EXPECT_STREQ("standard", dlg.m_strToolBar);
    EXPECT_EQ(59394u, dlg.m_nNewID);
}

TEST_F(NewToolbarDlg, NewIdsSkipEveryIdInUseAndThe256thToolbarIsRefused)
{
    NamedBars bars({{"B", 59393}, {"A", 59392}, {"C", 59395}});
    CXTPNewToolbarDlg dlg(bars.Get());
    ASSERT_EQ(IDOK, RunDialog(dlg, {"D"}).nResult);
    EXPECT_EQ(59394u, dlg.m_nNewID);

    NamedBars full({});
    for (UINT id = 59392; id < 59647; id++)
        full.Add(("Bar " + std::to_string(id)).c_str(), id);
    CXTPNewToolbarDlg dlgFull(full.Get());
    DialogRun run = RunDialog(dlgFull, {"One more", "and again"});
    EXPECT_EQ(IDCANCEL, run.nResult);
    EXPECT_EQ(std::vector<std::string>{"Sorry you have reached your limit."}, run.messages)
        << "the limit ends the dialog at once";
}

TEST_F(NewToolbarDlg, RenamingShowsTheBarsTitleAndMayKeepIt)
{
    NamedBars bars({{"Standard", 59392}});
    auto* pToolBar = static_cast<CXTPToolBar*>(bars.Add("Mine", 59393, new CXTPToolBar));
    CXTPNewToolbarDlg dlg(bars.Get(), pToolBar);
    DialogRun run = RunDialog(dlg, {"Standard", "Mine"});
    EXPECT_EQ(IDOK, run.nResult);
    EXPECT_EQ("Mine", run.strProposed);
    EXPECT_EQ("Rename Toolbar", run.strCaption);
    EXPECT_EQ(1u, run.messages.size()) << "only another bar's title is refused";
    EXPECT_EQ(0u, dlg.m_nNewID) << "a renamed bar keeps its id";
}

}  // namespace
