// Command-bar options: the bytes of a saved state, older schemas, command maps in XML, damaged states.
#include "CXTPCommandBarsOptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "CArchive.h"
#include "CMemFile.h"
#include "CXTPCommandBars.h"
#include "CException.h"
#include "CXTPPaintManager.h"
#include "CXTPPropExchangeArchive.h"
#include "CXTPPropExchangeXMLNode.h"
#include "ExchangeFixture.h"

namespace {

// Builds the expected bytes of an archive: 32-bit values, 16-bit counts.
struct ByteWriter {
    Bytes bytes;
    ByteWriter& Long(DWORD value)
    {
        for (int i = 0; i < 4; i++)
            bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
        return *this;
    }
    ByteWriter& Count(WORD value)
    {
        bytes.push_back(static_cast<BYTE>(value));
        bytes.push_back(static_cast<BYTE>(value >> 8));
        return *this;
    }
    ByteWriter& Size(DWORD cx, DWORD cy) { return Long(cx).Long(cy); }
};

Bytes Store(CXTPCommandBarsOptions& options, BOOL bAnimationOnly = FALSE)
{
    return StoreArchive([&](CXTPPropExchange& px) { options.DoPropExchange(&px, bAnimationOnly); });
}

void Load(CXTPCommandBarsOptions& options, Bytes bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive archive(&file, CArchive::load);
    options.Serialize(archive);
}

// The paint manager's icon switches: faded, disabled, shadow.
void SetIconOptions(BOOL bFaded, BOOL bDisabled, BOOL bShadow)
{
    BOOL* pOptions = XTPPaintManager()->GetIconOptions();
    pOptions[0] = bFaded;
    pOptions[1] = bDisabled;
    pOptions[2] = bShadow;
}

std::vector<UINT> Keys(const CXTPCommandMap& map)
{
    std::vector<UINT> keys;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        UINT id = 0;
        BOOL value = FALSE;
        map.GetNextAssoc(pos, id, value);
        keys.push_back(id);
    }
    return keys;
}

} // namespace

TEST(CommandBarsOptions, DefaultsStoreInSchemaOrderWithTwoSwitchesTwice)
{
    SetIconOptions(FALSE, FALSE, FALSE);  // a new paint manager's
    CXTPCommandBarsOptions options;
    ByteWriter expected;
    expected.Long(17)                               // Schema
        .Long(1).Long(1).Long(1).Long(0).Long(0)    // full menus, after delay, tips, accel tips, large
        .Count(0)                                   // UsedCommands
        .Long(0)                                    // Animation
        .Long(1).Long(1)                            // SyncFloatingBars, ShowExpandButtonAlways
        .Size(0, 0).Size(0, 0)                      // IconsSize, LargeIconsSize
        .Count(0)                                   // HiddenCommands
        .Long(0).Long(0).Long(0)                    // shadow, disabled, faded icons
        .Long(1).Long(1)                            // SyncFloatingBars, ShowExpandButtonAlways again
        .Long(0).Long(0).Long(1).Long(1)            // double-click, text below, Alt+drag, auto-hide
        .Size(16, 16);                              // PopupIconsSize
    EXPECT_EQ(Store(options), expected.bytes);

    ByteWriter animationOnly;
    animationOnly.Long(17).Long(1).Long(1).Long(1).Long(0).Long(0).Count(0).Long(0);
    EXPECT_EQ(Store(options, TRUE), animationOnly.bytes);
}

TEST(CommandBarsOptions, ArchiveRoundTripKeepsEveryFieldAndTheMaps)
{
    SetIconOptions(TRUE, FALSE, TRUE);
    CXTPCommandBarsOptions saved;
    saved.m_bAlwaysShowFullMenus = FALSE;
    saved.m_bToolBarAccelTips = TRUE;
    saved.m_bDblClickFloat = TRUE;
    saved.m_bAutoHideUnusedPopups = FALSE;
    saved.m_animationType = 3;
    saved.m_szIcons = CSize(24, 24);
    saved.m_szPopupIcons = CSize(20, 18);
    saved.m_mapUsedCommands.SetAt(200, TRUE);
    saved.m_mapUsedCommands.SetAt(100, TRUE);
    saved.m_mapHiddenCommands.SetAt(57600, TRUE);
    Bytes bytes = Store(saved);

    SetIconOptions(FALSE, TRUE, FALSE);
    CXTPCommandBarsOptions loaded;
    loaded.m_mapHiddenCommands.SetAt(1, TRUE);  // emptied by the load
    Load(loaded, bytes);
    EXPECT_FALSE(loaded.m_bAlwaysShowFullMenus);
    EXPECT_TRUE(loaded.m_bToolBarAccelTips);
    EXPECT_TRUE(loaded.m_bDblClickFloat);
    EXPECT_FALSE(loaded.m_bAutoHideUnusedPopups);
    EXPECT_EQ(loaded.m_animationType, 3u);
    EXPECT_EQ(loaded.m_szIcons, CSize(24, 24));
    EXPECT_EQ(loaded.m_szPopupIcons, CSize(20, 18));
    EXPECT_EQ(Keys(loaded.m_mapUsedCommands), (std::vector<UINT>{100, 200}));
    EXPECT_EQ(Keys(loaded.m_mapHiddenCommands), (std::vector<UINT>{57600}));
    const BOOL* pIcons = XTPPaintManager()->GetIconOptions();
    EXPECT_EQ((std::vector<BOOL>{pIcons[0], pIcons[1], pIcons[2]}), (std::vector<BOOL>{TRUE, FALSE, TRUE}));
    SetIconOptions(FALSE, FALSE, FALSE);
}

TEST(CommandBarsOptions, TheIconSwitchesAreThoseOfTheHostsOwnPaintManager)
{
    SetIconOptions(FALSE, FALSE, FALSE);
    auto withOwnPainter = [](CXTPCommandBars& bars) {
        bars.SetPaintManager(CXTPPaintManager::CreateTheme(2));
        return bars.GetPaintManager()->GetIconOptions();
    };
    CXTPCommandBars saved, loaded;
    BOOL* pSaved = withOwnPainter(saved);
    pSaved[0] = TRUE, pSaved[1] = FALSE, pSaved[2] = TRUE;
    BOOL* pLoaded = withOwnPainter(loaded);
    Load(*loaded.GetOptions(), Store(*saved.GetOptions()));
    EXPECT_EQ((std::vector<BOOL>{TRUE, FALSE, TRUE}), std::vector<BOOL>(pLoaded, pLoaded + 3));
    BOOL* pGlobal = XTPPaintManager()->GetIconOptions();
    EXPECT_EQ((std::vector<BOOL>{FALSE, FALSE, FALSE}), std::vector<BOOL>(pGlobal, pGlobal + 3))
        << "the global one stays";
}

TEST(CommandBarsOptions, SchemaSevenLoadsWithoutTheLaterGroupsAndKeepsTheirValues)
{
    ByteWriter old;
    old.Long(7).Long(0).Long(0).Long(0).Long(1).Long(1)  // no UsedCommands, no Animation
        .Long(0).Long(0).Size(32, 32).Size(48, 48)
        .Count(1).Long(300)                               // HiddenCommands
        .Long(1).Long(1).Long(1);                         // icon switches, and the end

    CXTPCommandBarsOptions options;
    options.m_animationType = 2;
    options.m_bDblClickFloat = TRUE;
    options.m_bShowTextBelowIcons = TRUE;
    options.m_bAltDragCustomization = FALSE;
    options.m_bAutoHideUnusedPopups = FALSE;
    options.m_szPopupIcons = CSize(24, 24);
    options.m_mapUsedCommands.SetAt(5, TRUE);
    Load(options, old.bytes);

    EXPECT_FALSE(options.m_bAlwaysShowFullMenus);
    EXPECT_TRUE(options.m_bLargeIcons);
    EXPECT_FALSE(options.m_bSyncFloatingBars);
    EXPECT_EQ(options.m_szLargeIcons, CSize(48, 48));
    EXPECT_EQ(Keys(options.m_mapHiddenCommands), (std::vector<UINT>{300}));
    // Kept, not reset to the defaults.
    EXPECT_EQ(options.m_animationType, 2u);
    EXPECT_TRUE(options.m_bDblClickFloat);
    EXPECT_TRUE(options.m_bShowTextBelowIcons);
    EXPECT_FALSE(options.m_bAltDragCustomization);
    EXPECT_FALSE(options.m_bAutoHideUnusedPopups);
    EXPECT_EQ(options.m_szPopupIcons, CSize(24, 24));
    EXPECT_EQ(Keys(options.m_mapUsedCommands), (std::vector<UINT>{5}));
    SetIconOptions(FALSE, FALSE, FALSE);
}

TEST(CommandBarsOptions, XmlNamesItemsInMapOrderAndLeavesOutEmptyMaps)
{
    SetIconOptions(FALSE, TRUE, FALSE);
    CXTPCommandBarsOptions options;
    options.m_mapUsedCommands.SetAt(200, TRUE);  // bucket 12
    options.m_mapUsedCommands.SetAt(100, TRUE);  // bucket 6: first in map order
    CXmlPtr<IXMLDOMDocument> document = XmlDom::CreateDocument();
    ASSERT_TRUE(document);
    {
        CXTPPropExchangeXMLNode px(FALSE, document.Get(), "Options");
        options.DoPropExchange(&px);
    }
    const std::string xml = XmlText(document);
    EXPECT_NE(xml.find("<UsedCommands Count=\"2\" Item0=\"100\" Item1=\"200\"/>"), std::string::npos) << xml;
    EXPECT_EQ(xml.find("HiddenCommands"), std::string::npos) << xml;
    // Only what differs from the saved defaults: faded icons off.
    EXPECT_NE(xml.find("UseFadedIcons=\"0\""), std::string::npos) << xml;
    EXPECT_EQ(xml.find("UseDisabledIcons"), std::string::npos) << xml;
}

TEST(CommandBarsOptions, XmlSkipsMissingItemsAndGivesTheSavedDefaults)
{
    SetIconOptions(FALSE, FALSE, TRUE);
    CXmlPtr<IXMLDOMDocument> document = ParseXml(
        L"<Options CompactMode='1' LargeIcons='1'>"
        L"<UsedCommands Count='3' Item0='5' Item2='7'/>"
        L"<HiddenCommands Count='4000000000'/></Options>");
    CXTPCommandBarsOptions options;
    options.m_mapHiddenCommands.SetAt(9, TRUE);
    CXTPPropExchangeXMLNode px(TRUE, document.Get(), "Options");
    options.DoPropExchange(&px);

    EXPECT_TRUE(options.m_bLargeIcons);
    std::vector<UINT> used = Keys(options.m_mapUsedCommands);
    std::sort(used.begin(), used.end());
    EXPECT_EQ(used, (std::vector<UINT>{5, 7})) << "Item1 was never saved";
    EXPECT_TRUE(options.m_mapHiddenCommands.IsEmpty());
    const BOOL* pIcons = XTPPaintManager()->GetIconOptions();
    EXPECT_EQ((std::vector<BOOL>{pIcons[0], pIcons[1], pIcons[2]}), (std::vector<BOOL>{TRUE, TRUE, FALSE}));
    SetIconOptions(FALSE, FALSE, FALSE);
}

TEST(CommandBarsOptions, DamagedArchivesFailAsArchiveErrors)
{
    CXTPCommandBarsOptions saved;
    saved.m_mapUsedCommands.SetAt(100, TRUE);
    saved.m_mapHiddenCommands.SetAt(200, TRUE);
    const Bytes whole = Store(saved);

    // Every cut of the state, and a count far past the bytes there.
    std::vector<Bytes> damaged;
    for (size_t length = 0; length < whole.size(); length++)
        damaged.emplace_back(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    Bytes hugeCount = whole;
    hugeCount[24] = 0xFF;  // the used commands' count: 0xFFFF, then a 32-bit count
    hugeCount[25] = 0xFF;
    damaged.push_back(hugeCount);

    for (const Bytes& bytes : damaged) {
        CXTPCommandBarsOptions options;
        int cause = -1;
        try {
            Load(options, bytes);
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(cause, CArchiveException::endOfFile) << bytes.size() << " bytes";
    }

    // Bytes changed at random (a fixed seed): a state loads or fails as an archive error.
    std::mt19937 random(21);
    for (int i = 0; i < 2000; i++) {
        Bytes bytes = whole;
        for (int n = random() % 4; n >= 0; n--)
            bytes[random() % bytes.size()] = static_cast<BYTE>(random());
        CXTPCommandBarsOptions options;
        try {
            Load(options, bytes);
        } catch (CArchiveException* e) {
            e->Delete();
        }
        EXPECT_LE(options.m_mapUsedCommands.GetCount() + options.m_mapHiddenCommands.GetCount(),
                  static_cast<int>(bytes.size() / 4));
    }
    SetIconOptions(FALSE, FALSE, FALSE);
}
