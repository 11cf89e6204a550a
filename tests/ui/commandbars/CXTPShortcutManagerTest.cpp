// Keyboard shortcuts: accelerator texts, the shortcut shown for a command, saved accelerator tables.
#include "CXTPShortcutManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "CArchive.h"
#include "CException.h"
#include "CFrameWnd.h"
#include "CMemFile.h"
#include "CWinApp.h"
#include "CXTPPropExchangeArchive.h"
#include "CXTPPropExchangeXMLNode.h"
#include "ExchangeFixture.h"

namespace {

// Key names by scan code, and the key messages' lParams asked for.
std::map<UINT, std::string> g_keyNames;
std::vector<LONG> g_askedFor;

int WINAPI FakeKeyNameText(LONG lParam, LPSTR lpString, int cchSize)
{
    g_askedFor.push_back(lParam);
    auto found = g_keyNames.find((static_cast<ULONG>(lParam) >> 16) & 0xFF);
    std::string name = found == g_keyNames.end() ? std::string() : found->second;
    lstrcpynA(lpString, name.c_str(), cchSize);
    return static_cast<int>(name.size());
}

UINT ScanCode(UINT nKey)
{
    return ::MapVirtualKeyExA(nKey, 0, ::GetKeyboardLayout(0)) & 0xFF;
}

// Key names from the platform only when a test asks for them; otherwise none, so that the
// library's own table names the keys.
class ShortcutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_keyNames.clear();
        g_askedFor.clear();
        CXTPShortcutManager::SetKeyNameSource(FakeKeyNameText);
    }
    void TearDown() override { CXTPShortcutManager::SetKeyNameSource(nullptr); }
};

CString Text(BYTE fVirt, WORD key, int* pPriority = nullptr)
{
    ACCEL accel = {fVirt, key, 1};
    return XTPShortcutManager()->Format(&accel, pPriority);
}

std::vector<ACCEL> Entries(HACCEL hAccel)
{
    std::vector<ACCEL> entries(hAccel ? static_cast<size_t>(::CopyAcceleratorTableA(hAccel, nullptr, 0)) : 0);
    if (!entries.empty())
        ::CopyAcceleratorTableA(hAccel, entries.data(), static_cast<int>(entries.size()));
    return entries;
}

bool SameEntries(const std::vector<ACCEL>& a, const std::vector<ACCEL>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const ACCEL& x, const ACCEL& y) {
        return x.fVirt == y.fVirt && x.key == y.key && x.cmd == y.cmd;
    });
}

std::vector<ACCEL> SomeShortcuts()
{
    return {
        {FVIRTKEY | FCONTROL, 'C', 100},
        {FVIRTKEY, VK_INSERT, 100},
        {FVIRTKEY | FCONTROL | FSHIFT, VK_F5, 0xE100},
    };
}

// A frame object (no window is needed) with a table of the entries.
void Install(CFrameWnd& frame, std::vector<ACCEL> entries)
{
    CXTPShortcutManager::SetAccelTable(&frame, entries.data(), static_cast<int>(entries.size()));
}

} // namespace

TEST_F(ShortcutTest, TextsFromTheKeyTableWithTheirPriorities)
{
    struct Case {
        BYTE fVirt;
        WORD key;
        const char* text;
        int priority;
    } cases[] = {
        {FVIRTKEY | FCONTROL | FSHIFT, VK_F5, "Ctrl+Shift+F5", 3},
        {FALT, 0, "Alt", 2},                                    // a modifier alone: no "+"
        {FVIRTKEY | FCONTROL | FALT, VK_CANCEL, "Ctrl+Break", 3},  // never prefixed
        {FVIRTKEY | FSHIFT, VK_NUMPAD5, "Shift+Num 5", 1},
        {FVIRTKEY | FALT, VK_F12, "Alt+F12", 2},
        {FVIRTKEY, VK_INSERT, "Ins", 4},
        {FVIRTKEY, '7', "7", 4},
        {FVIRTKEY, VK_OEM_CLEAR, "Oem Clear", 4},
        {FVIRTKEY, 0xBA, "", 4},  // a key nobody names
        {0, 'a', "a", 4},         // a character as it is
        {FCONTROL, 27, "Ctrl+", 3},
    };
    for (const Case& c : cases) {
        int priority = 0;
        EXPECT_EQ(Text(c.fVirt, c.key, &priority), c.text) << c.text;
        EXPECT_EQ(priority, c.priority) << c.text;
    }
}

TEST_F(ShortcutTest, PlatformNamesAreCapitalisedLikeTitles)
{
    ASSERT_NE(ScanCode(VK_CONTROL), ScanCode(VK_PRIOR));
    g_keyNames[ScanCode(VK_CONTROL)] = "CTRL";
    g_keyNames[ScanCode(VK_PRIOR)] = "PAGE UP";
    g_keyNames[ScanCode(VK_F5)] = "(NUM) F5";
    EXPECT_EQ(Text(FVIRTKEY | FCONTROL, VK_PRIOR), "Ctrl+Page up");
    EXPECT_EQ(Text(FVIRTKEY, VK_F5), "(Num) f5") << "the first lower-case letter only";
    EXPECT_EQ(Text(FVIRTKEY | FSHIFT, VK_INSERT), "Shift+Ins") << "names the platform lacks come from the table";

    // Page Up is an extended key: bit 24 set; Ctrl is not.
    ASSERT_GE(g_askedFor.size(), 2u);
    EXPECT_EQ(g_askedFor[0], static_cast<LONG>(ScanCode(VK_CONTROL) << 16 | 1));
    EXPECT_EQ(g_askedFor[1], static_cast<LONG>(1L << 24 | ScanCode(VK_PRIOR) << 16 | 1));
    // Ctrl+Break is never asked of the platform.
    g_askedFor.clear();
    Text(FVIRTKEY, VK_CANCEL);
    EXPECT_TRUE(g_askedFor.empty());
}

TEST_F(ShortcutTest, TheShownShortcutPrefersThePlainKeyAndKeepsAValidEarlierOne)
{
    CWinApp app("ShortcutTests");
    CFrameWnd frame;
    app.m_pMainWnd = &frame;
    Install(frame, SomeShortcuts());

    struct Case {
        UINT nCmd;
        const char* before;
        BOOL result;
        const char* after;
    } cases[] = {
        {100, "", TRUE, "Ins"},          // priority 4 over Ctrl's 3
        {100, "Ctrl+C", TRUE, "Ctrl+C"}, // shown before and still bound
        {100, "Ctrl+X", TRUE, "Ins"},    // no longer bound
        {0xE100, "", TRUE, "Ctrl+Shift+F5"},
        {101, "Ctrl+V", FALSE, ""},
    };
    for (const Case& c : cases) {
        CString shortcut = c.before;
        EXPECT_EQ(XTPShortcutManager()->FindDefaultAccelerator(c.nCmd, shortcut), c.result) << c.nCmd;
        EXPECT_EQ(shortcut, c.after) << c.nCmd << " " << c.before;
    }

    // Without a table, or without a main frame: FALSE, and the text stays.
    CString shortcut = "Ctrl+C";
    CXTPShortcutManager::SetAccelTable(&frame, nullptr, 0);
    EXPECT_EQ(frame.m_hAccelTable, nullptr);
    EXPECT_FALSE(XTPShortcutManager()->FindDefaultAccelerator(100, shortcut));
    app.m_pMainWnd = nullptr;
    Install(frame, SomeShortcuts());
    EXPECT_FALSE(XTPShortcutManager()->FindDefaultAccelerator(100, shortcut));
    EXPECT_EQ(shortcut, "Ctrl+C");
}

TEST(Shortcut, DataRecordsOfSixBytesRoundTrip)
{
    CFrameWnd saved;
    Install(saved, SomeShortcuts());
    Bytes bytes = StoreArchive([&](CXTPPropExchange& px) { CXTPShortcutManager::ExchangeAccelTable(&px, &saved); });
    const Bytes expected = {
        3, 0,                                     // count
        FVIRTKEY | FCONTROL, 0, 'C', 0, 100, 0,   // fVirt, pad, key, command
        FVIRTKEY, 0, VK_INSERT, 0, 100, 0,
        FVIRTKEY | FCONTROL | FSHIFT, 0, VK_F5, 0, 0x00, 0xE1,
    };
    EXPECT_EQ(bytes, expected);

    CFrameWnd loaded;
    LoadArchive(bytes, [&](CXTPPropExchange& px) { CXTPShortcutManager::ExchangeAccelTable(&px, &loaded); });
    EXPECT_TRUE(SameEntries(Entries(loaded.m_hAccelTable), SomeShortcuts()));

    // Records cut short keep the table the frame has; a count cut short, or one above the
    // bytes left (under 5 bytes in all), is an archive error.
    std::vector<ACCEL> before = {{FVIRTKEY, VK_F1, 7}};
    for (size_t length = 0; length < bytes.size(); length++) {
        Install(loaded, before);
        int cause = -1;
        try {
            LoadArchive(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)),
                        [&](CXTPPropExchange& px) { CXTPShortcutManager::ExchangeAccelTable(&px, &loaded); });
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(cause, length < 5 ? CArchiveException::endOfFile : -1) << length;
        EXPECT_TRUE(SameEntries(Entries(loaded.m_hAccelTable), before)) << length;
    }

    // An explicit count of 0 leaves the frame without a table.
    LoadArchive(Bytes{0, 0}, [&](CXTPPropExchange& px) { CXTPShortcutManager::ExchangeAccelTable(&px, &loaded); });
    EXPECT_EQ(loaded.m_hAccelTable, nullptr);
}

TEST(Shortcut, AccelSectionsRoundTripAndAnEmptyListLeavesNoKeys)
{
    CFrameWnd saved;
    Install(saved, SomeShortcuts());
    CXmlPtr<IXMLDOMDocument> document = XmlDom::CreateDocument();
    ASSERT_TRUE(document);
    {
        CXTPPropExchangeXMLNode px(FALSE, document.Get(), "Shortcuts");
        CXTPShortcutManager::ExchangeAccelTable(&px, &saved);
    }
    const std::string xml = XmlText(document);
    // One section an entry, in table order: Id, virt, key.
    size_t ctrlC = xml.find("<Accel Id=\"100\" virt=\"9\" key=\"67\"/>");
    size_t ins = xml.find("<Accel Id=\"100\" virt=\"1\" key=\"45\"/>");
    size_t f5 = xml.find("<Accel Id=\"57600\" virt=\"13\" key=\"116\"/>");
    EXPECT_TRUE(ctrlC < ins && ins < f5 && f5 != std::string::npos) << xml;

    CFrameWnd loaded;
    {
        CXTPPropExchangeXMLNode px(TRUE, document.Get(), "Shortcuts");
        CXTPShortcutManager::ExchangeAccelTable(&px, &loaded);
    }
    EXPECT_TRUE(SameEntries(Entries(loaded.m_hAccelTable), SomeShortcuts()));

    CXmlPtr<IXMLDOMDocument> empty = ParseXml(L"<Shortcuts CompactMode='1'/>");
    CXTPPropExchangeXMLNode px(TRUE, empty.Get(), "Shortcuts");
    CXTPShortcutManager::ExchangeAccelTable(&px, &loaded);
    EXPECT_EQ(loaded.m_hAccelTable, nullptr);
}

TEST(Shortcut, CopiesAndCharactersForMnemonics)
{
    std::vector<ACCEL> shortcuts = SomeShortcuts();
    HACCEL hAccel = ::CreateAcceleratorTableA(shortcuts.data(), static_cast<int>(shortcuts.size()));
    HACCEL hCopy = CXTPShortcutManager::CopyAccelTable(hAccel);
    ASSERT_NE(hCopy, nullptr);
    EXPECT_NE(hCopy, hAccel);
    EXPECT_TRUE(SameEntries(Entries(hCopy), shortcuts));
    ::DestroyAcceleratorTable(hAccel);
    ::DestroyAcceleratorTable(hCopy);
    EXPECT_EQ(CXTPShortcutManager::CopyAccelTable(nullptr), nullptr);

    struct Case {
        UINT nChar;
        char result;
    } cases[] = {{'a', 'A'}, {'Z', 'Z'}, {'5', '5'}, {'&', '&'}, {0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(CXTPShortcutManager::KeyToChar(c.nChar), c.result) << c.nChar;
}

TEST(Shortcut, AnInstalledManagerTakesTheSlot)
{
    CXTPShortcutManager* pOwn = new CXTPShortcutManager;
    XTPSetShortcutManager(pOwn);
    EXPECT_EQ(XTPShortcutManager(), pOwn);
    XTPSetShortcutManager(nullptr);
    XTPSetShortcutManager(pOwn);  // installing it again must not delete it
    EXPECT_EQ(XTPShortcutManager(), pOwn);
    XTPSetShortcutManager(new CXTPShortcutManager);
    EXPECT_NE(XTPShortcutManager(), pOwn);
}
