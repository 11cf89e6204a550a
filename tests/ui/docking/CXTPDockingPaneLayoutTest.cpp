// The pane layout: the start-up arrangement copied and saved gives the golden archive bytes
// and XML, reloading gives the same tree, purging, and loads that must fail as a whole.
#include "CXTPDockingPaneLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "CArchive.h"
#include "CMemFile.h"
#include "CXTPDockingPaneSplitterContainer.h"
#include "CXTPDockingPaneTabbedContainer.h"
#include "CXTPPropExchangeArchive.h"
#include "CXTPPropExchangeXMLNode.h"
#include "DockingFixture.h"
#include "DockingPaneLayoutPropExchange.h"
#include "LayoutTextExchange.h"
#include "StartUpLayout.h"
#include "ExchangeFixture.h"

namespace {

template <class T>
T* Make(CXTPDockingPaneLayout& layout, int nType)
{
    return dynamic_cast<T*>(layout.CreatePaneOfType(nType, &layout));
}

CXTPDockingPane* NewPane(CXTPDockingPaneLayout& layout, UINT nID, const char* title, SIZE size = {0, 0})
{
    auto* pPane = Make<CXTPDockingPane>(layout, DPT_PANE);
    pPane->m_nID = nID;
    pPane->m_strTitle = title;
    pPane->m_szDocking = size;
    return pPane;
}

CXTPDockingPaneTabbedContainer* Group(CXTPDockingPaneLayout& layout, CXTPDockingPane* pPane, SIZE size)
{
    auto* pGroup = Make<CXTPDockingPaneTabbedContainer>(layout, DPT_TABBED);
    pGroup->m_szDocking = size;
    pGroup->AddPane(pPane);
    return pGroup;
}

// The main frame's start-up arrangement, built step by step as the manager docks it: output
// at the bottom, class view at the left, the solution explorer left of it and then attached
// to the class view's group, which leaves its own first group empty.
void BuildStartUp(CXTPDockingPaneLayout& layout)
{
    CXTPDockingPane* pOutput = NewPane(layout, 202, "Message window\nOutput", {150, 120});
    CXTPDockingPaneTabbedContainer* pOutputGroup = Group(layout, pOutput, {150, 120});
    auto* pVert = Make<CXTPDockingPaneSplitterContainer>(layout, DPT_SPLITTER);
    pVert->Init(layout.m_pTopContainer, FALSE, layout.GetSite());
    pVert->InsertPane(pOutputGroup, layout.m_pTopContainer, TRUE);
    layout.m_pTopContainer = pVert;

    CXTPDockingPane* pClassView = NewPane(layout, 201, "Class View\nClass View", {230, 140});
    CXTPDockingPaneTabbedContainer* pClassGroup = Group(layout, pClassView, {230, 140});
    auto* pHorz = Make<CXTPDockingPaneSplitterContainer>(layout, DPT_SPLITTER);
    pHorz->Init(pVert, TRUE, layout.GetSite());
    pHorz->InsertPane(pClassGroup, pVert, FALSE);
    layout.m_pTopContainer = pHorz;

    CXTPDockingPane* pExplorer = NewPane(layout, 200, "Solution Explorer\nSolution Explorer", {230, 140});
    CXTPDockingPaneTabbedContainer* pExplorerGroup = Group(layout, pExplorer, {230, 140});
    pHorz->InsertPane(pExplorerGroup, pClassGroup, FALSE);
    pExplorerGroup->RemovePane(pExplorer);
    pClassGroup->AddPane(pExplorer);

    layout.m_lstPanes = {{pOutput, nullptr, pOutputGroup, pOutputGroup},
                         {pClassView, nullptr, pClassGroup, pClassGroup},
                         {pExplorer, nullptr, pClassGroup, pClassGroup}};
}

Bytes StoreArchive(CXTPDockingPaneLayout& layout)
{
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        CXTPPropExchangeArchive px(archive);
        EXPECT_TRUE(layout.DoPropExchange(&px));
        archive.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

BOOL LoadArchive(CXTPDockingPaneLayout& layout, Bytes bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive archive(&file, CArchive::load);
    CXTPPropExchangeArchive px(archive);
    return layout.DoPropExchange(&px);
}

std::string StoreXml(CXTPDockingPaneLayout& layout)
{
    std::string path = TempFilePath("DockingPaneLayoutTest.xml");
    {
        CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
        px.SetEncoding("windows-1251");
        CXTPPropExchangeSection section(px.GetSection("DockingPane"));
        EXPECT_TRUE(layout.DoPropExchange(section));
        EXPECT_EQ(px.SaveToFile(path.c_str(), TRUE), S_OK);
    }
    std::string text = ReadFileBytes(path);
    ::DeleteFileA(path.c_str());
    return text;
}

TEST(DockingPaneLayout, StartUpArrangementSavesToTheGoldenForms)
{
    TestOwner owner;
    CXTPDockingPaneLayout current(&owner);
    current.m_bUserLayout = FALSE;
    BuildStartUp(current);

    CXTPDockingPaneLayout saved(&owner);
    saved.Copy(current);
    EXPECT_TRUE(saved.m_bUserLayout) << "a copy keeps its own flag";

    Bytes bytes = StoreArchive(saved);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), ReadFileBytes(DataFileBeside(__FILE__, "StartUpLayout.bin")));
    ASSERT_EQ(saved.GetElements().size(), 9u) << "the emptied first group of the explorer is dropped";
    EXPECT_EQ(StoreArchive(saved), bytes) << "saving twice gives the same bytes";
    EXPECT_EQ(StoreXml(saved), ReadFileBytes(DataFileBeside(__FILE__, "StartUpLayout.xml")));

    // The current layout was not touched by the copy: its empty group is still there.
    EXPECT_EQ(current.GetElements().size(), 10u);
}

TEST(DockingPaneLayout, ReloadGivesTheSameTreeHoldersAndSizes)
{
    TestOwner owner;
    CXTPDockingPaneLayout loaded(&owner);
    const std::string golden = ReadFileBytes(DataFileBeside(__FILE__, "StartUpLayout.bin"));
    ASSERT_TRUE(LoadArchive(loaded, Bytes(golden.begin(), golden.end())));
    const auto& elements = loaded.GetElements();
    ASSERT_EQ(elements.size(), 9u);
    EXPECT_EQ(loaded.GetTopContainer(), elements[0]);
    EXPECT_EQ(loaded.GetClientPane(), elements[6]);
    EXPECT_TRUE(loaded.GetTopContainer()->IsHoriz());
    EXPECT_EQ(loaded.GetTopContainer()->GetChildren(), (std::vector<CXTPDockingPaneBase*>{elements[1], elements[4]}));
    EXPECT_EQ(elements[1]->GetSelectedPane(), elements[3]);
    EXPECT_EQ(elements[7]->m_szDocking.cx, 150);
    EXPECT_EQ(elements[7]->m_szDocking.cy, 120);
    auto* pExplorer = dynamic_cast<CXTPDockingPane*>(elements[3]);
    ASSERT_NE(pExplorer, nullptr);
    EXPECT_EQ(pExplorer->GetID(), 200u);
    EXPECT_STREQ(pExplorer->GetTabCaption(), "Solution Explorer");
    DockingPaneInfo* pInfo = loaded.FindPaneInfo(pExplorer);
    ASSERT_NE(pInfo, nullptr);
    EXPECT_EQ(pInfo->pDockingHolder, elements[1]);
    EXPECT_EQ(pInfo->pLastHolder, elements[1]);
    EXPECT_EQ(pInfo->pFloatingHolder, nullptr);

    // Saved again: the same bytes and XML as the golden.
    Bytes bytes = StoreArchive(loaded);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), ReadFileBytes(DataFileBeside(__FILE__, "StartUpLayout.bin")));
    EXPECT_EQ(StoreXml(loaded), ReadFileBytes(DataFileBeside(__FILE__, "StartUpLayout.xml")));
}

TEST(DockingPaneLayout, EmptiedGroupKeptOnlyWhileARecordNamesIt)
{
    TestOwner owner;
    CXTPDockingPaneLayout layout(&owner);
    CXTPDockingPane* pPane = NewPane(layout, 7, "Seven");
    CXTPDockingPaneTabbedContainer* pKept = Group(layout, pPane, {100, 100});
    layout.m_pTopContainer->InsertPane(pKept, nullptr, TRUE);
    CXTPDockingPane* pOther = NewPane(layout, 8, "Eight");
    CXTPDockingPaneTabbedContainer* pDropped = Group(layout, pOther, {100, 100});
    layout.m_pTopContainer->InsertPane(pDropped, nullptr, TRUE);
    layout.m_lstPanes = {{pPane, nullptr, pKept, pKept}, {pOther, nullptr, nullptr, nullptr}};
    // Both panes closed: their groups are empty, only the first is still a last holder.
    pKept->RemovePane(pPane);
    pDropped->RemovePane(pOther);

    Bytes bytes = StoreArchive(layout);
    const auto& elements = layout.GetElements();
    EXPECT_NE(std::find(elements.begin(), elements.end(), pKept), elements.end());
    EXPECT_EQ(std::find(elements.begin(), elements.end(), pDropped), elements.end());
    EXPECT_EQ(layout.m_pTopContainer->GetChildren().size(), 2u) << "client and the kept group";

    CXTPDockingPaneLayout loaded(&owner);
    ASSERT_TRUE(LoadArchive(loaded, bytes));
    auto* pLoaded = dynamic_cast<CXTPDockingPane*>(loaded.GetElements()[2]);
    ASSERT_NE(pLoaded, nullptr);
    EXPECT_TRUE(pLoaded->IsClosed());
    DockingPaneInfo* pInfo = loaded.FindPaneInfo(pLoaded);
    ASSERT_NE(pInfo, nullptr);
    ASSERT_NE(pInfo->pLastHolder, nullptr);
    EXPECT_EQ(pInfo->pLastHolder->GetType(), DPT_TABBED);
    EXPECT_TRUE(pInfo->pLastHolder->IsEmpty());
}

TEST(DockingPaneLayout, FloatingFramesAndAutoHidePanelsLoad)
{
    // Sound records with a floating frame (10) or an auto-hide panel (10) holding group 12.
    struct Case {
        const char* name;
        const char* extra;
        int nType;
    } cases[] = {
        {"floating frame", "[Pane-10]\nType=3\nTopContaner=11\n[Pane-11]\nType=2\nPanes=1\nPane-1=12\n"
                           "[Pane-12]\nType=1\n", DPT_MINIWND},
        {"auto-hide panel", "[Pane-10]\nType=5\nDirection=1\nPanes=1\nPane-1=12\n[Pane-11]\nType=2\n"
                            "[Pane-12]\nType=1\n", DPT_AUTOHIDE},
    };
    TestOwner owner;
    for (const Case& c : cases) {
        std::string text = std::string(kStartUp) + c.extra;
        text.replace(text.find("Panes=9"), 7, "Panes=12");
        LayoutTextExchange in(text);
        DockingPaneLayoutRecords records;
        std::string reason;
        ASSERT_TRUE(records.Exchange(in, &reason)) << c.name << ": " << reason;

        CMemFile file;
        {
            CArchive archive(&file, CArchive::store);
            CXTPPropExchangeArchive px(archive);
            DockingPaneLayoutPropExchange out(&px);
            records.Exchange(out);
            archive.Close();
        }
        Bytes bytes(static_cast<size_t>(file.GetLength()));
        file.SeekToBegin();
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));

        CXTPDockingPaneLayout loaded(&owner);
        ASSERT_TRUE(LoadArchive(loaded, bytes)) << c.name;
        ASSERT_EQ(loaded.GetElements().size(), 12u);
        CXTPDockingPaneBase* pRoot = loaded.GetElements()[9];
        EXPECT_EQ(pRoot->GetType(), c.nType) << c.name;
        CXTPDockingPaneBase* pUp = loaded.GetElements()[11];
        while (pUp && pUp != pRoot)
            pUp = pUp->m_pParentContainer;
        EXPECT_EQ(pUp, pRoot) << c.name << ": the group lies below it";
    }
}

}  // namespace
