// The resource manager: replacing the current one, and loads in the thread's interface language.
#include "CXTPResourceManager.h"

#include <gtest/gtest.h>

#include <string>

#include "AfxResource.h"
#include "CGdiObject.h"
#include "CMenu.h"
#include "CToolBar.h"
#include "CWinApp.h"

namespace {

const UINT kMenu = 62270;
const UINT kDialog = 62271;
const UINT kBitmap = 62272;
const UINT kBitmapWithoutPixels = 62273;
const UINT kTranslatedString = 62150;  // "Please enter an integer."

int g_deleted = 0;

class CountingManager : public CXTPResourceManager {
public:
    ~CountingManager() override { g_deleted++; }
};

// Runs a test in a thread language and puts the thread back to the process's.
class ThreadLanguage {
public:
    explicit ThreadLanguage(WORD language) { AfxSetThreadResourceLanguage(language); }
    ~ThreadLanguage() { AfxSetThreadResourceLanguage(0); }
};

CString MenuText(CMenu& menu)
{
    char text[64] = {};
    ::GetMenuStringA(menu.m_hMenu, 0, text, sizeof(text), MF_BYPOSITION);
    return text;
}

// The caption of a template without menu and class: the UTF-16 text after both empty words.
std::wstring DialogCaption(LPCDLGTEMPLATE pTemplate)
{
    const WCHAR* words = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(pTemplate) + 18);
    return words[0] == 0 && words[1] == 0 ? std::wstring(words + 2) : std::wstring(L"<menu or class>");
}

COLORREF PixelOf(CBitmap& bitmap, int x, int y)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    COLORREF color = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return color;
}

class RecordingApp : public CWinApp {
public:
    RecordingApp() : CWinApp("ResourceManagerTests") {}
    int DoMessageBox(const char* lpszPrompt, UINT nType, UINT) override
    {
        prompt = lpszPrompt;
        type = nType;
        return IDNO;
    }
    CString prompt;
    UINT type = 0;
};

} // namespace

TEST(ResourceManager, ReplacementOwnsTheSlotAndRefusedOnesChangeNothing)
{
    CXTPResourceManager* pFirst = new CountingManager;
    ASSERT_TRUE(CXTPResourceManager::SetResourceManager(pFirst));
    EXPECT_EQ(XTPResourceManager(), pFirst);
    g_deleted = 0;

    EXPECT_FALSE(CXTPResourceManager::SetResourceManager(nullptr));
    CountingManager* pInvalid = new CountingManager;
    pInvalid->m_bValid = FALSE;
    EXPECT_FALSE(CXTPResourceManager::SetResourceManager(pInvalid));
    EXPECT_EQ(g_deleted, 1) << "an invalid manager is deleted";
    // Installing the current manager again must not delete it under its users.
    EXPECT_TRUE(CXTPResourceManager::SetResourceManager(pFirst));
    EXPECT_EQ(g_deleted, 1);
    EXPECT_EQ(XTPResourceManager(), pFirst);

    CXTPResourceManager* pSecond = new CountingManager;
    EXPECT_TRUE(CXTPResourceManager::SetResourceManager(pSecond));
    EXPECT_EQ(XTPResourceManager(), pSecond);
    EXPECT_EQ(g_deleted, 2) << "the replaced manager is deleted";

    EXPECT_TRUE(CXTPResourceManager::SetResourceManager(new CXTPResourceManager));
    EXPECT_EQ(g_deleted, 3);
}

TEST(ResourceManager, StringsFollowTheThreadLanguageAndAMissingOneKeepsTheText)
{
    CString text = "unchanged";
    EXPECT_FALSE(XTPResourceManager()->LoadString(&text, 62299));
    EXPECT_EQ(text, "unchanged");
    EXPECT_FALSE(XTPResourceManager()->LoadString(nullptr, kTranslatedString));

    struct Case {
        WORD language;
        const char* text;
    } cases[] = {
        {1033, "Please enter an integer."},
        {1031, "Bitte geben Sie eine ganze Zahl ein."},
        {1036, "Please enter an integer."},  // French is not carried: English
    };
    for (const Case& c : cases) {
        ThreadLanguage language(c.language);
        EXPECT_TRUE(XTPResourceManager()->LoadString(&text, kTranslatedString)) << c.language;
        EXPECT_EQ(text, c.text) << c.language;
    }
}

TEST(ResourceManager, MenusDialogsAndBitmapsFollowTheThreadLanguage)
{
    struct Case {
        WORD language;
        const char* menu;
        const wchar_t* caption;
        COLORREF bottomLeft;
    } cases[] = {
        {1033, "&File", L"Options", RGB(255, 0, 0)},
        {1031, "&Datei", L"Optionen", RGB(0, 0, 0)},
        {1049, "&File", L"Options", RGB(255, 0, 0)},  // this program has no Russian ones
    };
    for (const Case& c : cases) {
        ThreadLanguage language(c.language);
        CMenu menu;
        ASSERT_TRUE(XTPResourceManager()->LoadMenu(&menu, kMenu)) << c.language;
        EXPECT_EQ(MenuText(menu), c.menu);

        LPCDLGTEMPLATE pTemplate = XTPResourceManager()->LoadDialogTemplate(MAKEINTRESOURCEA(kDialog));
        ASSERT_NE(pTemplate, nullptr) << c.language;
        EXPECT_EQ(DialogCaption(pTemplate), c.caption);

        CBitmap bitmap;
        ASSERT_TRUE(XTPResourceManager()->LoadBitmap(&bitmap, kBitmap)) << c.language;
        BITMAP info = {};
        bitmap.GetBitmap(&info);
        EXPECT_EQ(info.bmWidth, 2);
        EXPECT_EQ(info.bmHeight, 2);
        EXPECT_EQ(PixelOf(bitmap, 0, 1), c.bottomLeft) << c.language;
        EXPECT_EQ(PixelOf(bitmap, 1, 1), RGB(0, 255, 0));
        EXPECT_EQ(PixelOf(bitmap, 0, 0), RGB(0, 0, 255));
        EXPECT_EQ(PixelOf(bitmap, 1, 0), RGB(255, 255, 255));
    }
}

TEST(ResourceManager, MissingOrDamagedResourcesAreRefused)
{
    CMenu menu;
    EXPECT_FALSE(XTPResourceManager()->LoadMenu(&menu, 62298));
    EXPECT_EQ(XTPResourceManager()->LoadDialogTemplate(MAKEINTRESOURCEA(62298)), nullptr);
    CBitmap bitmap;
    EXPECT_FALSE(XTPResourceManager()->LoadBitmap(&bitmap, 62298));
    // The header promises 40,000 bytes of pixels the resource does not hold.
    EXPECT_FALSE(XTPResourceManager()->LoadBitmap(&bitmap, kBitmapWithoutPixels));
    EXPECT_EQ(bitmap.m_hObject, nullptr);
}

TEST(ResourceManager, AToolbarResourceFillsAFrameworkToolbar)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, CWnd::DefaultClassName(), "Toolbar", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr));
    CToolBar bar;
    ASSERT_TRUE(bar.Create(&host));
    // The toolbar tests' resource: 100, two separators, 101.
    ASSERT_TRUE(XTPResourceManager()->LoadToolBar(&bar, 62450));
    ASSERT_EQ(bar.GetCount(), 4);
    EXPECT_EQ(bar.GetItemID(0), 100u);
    EXPECT_EQ(bar.GetItemID(3), 101u);
    EXPECT_FALSE(XTPResourceManager()->LoadToolBar(&bar, 62298));
    EXPECT_FALSE(XTPResourceManager()->LoadToolBar(nullptr, 62450));
    host.DestroyWindow();
}

TEST(ResourceManager, MessageBoxShowsTheStringOfTheThreadLanguage)
{
    RecordingApp app;
    ThreadLanguage language(1031);
    EXPECT_EQ(XTPResourceManager()->ShowMessageBox(kTranslatedString, MB_YESNO), IDNO);
    EXPECT_EQ(app.prompt, "Bitte geben Sie eine ganze Zahl ein.");
    EXPECT_EQ(app.type, static_cast<UINT>(MB_YESNO));
}
