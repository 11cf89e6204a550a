// Profile store and window placement: registry and INI forms of values, saving and restoring a
// window's placement, and stored records of the wrong size.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "CWinApp.h"
#include "CWnd.h"
#include "CXTRegistryProfile.h"
#include "CXTWindowPlacement.h"

namespace {

const char* const kKeyPath = "Software\\Tavrelin placement tests";

class PlacementTest : public ::testing::Test {
protected:
    CWinApp app{"PlacementTests"};
    CWnd wnd;

    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kKeyPath);
        app.SetRegistryKey("Tavrelin placement tests");
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Placed", WS_OVERLAPPEDWINDOW, CRect(40, 50, 340, 250), nullptr, 0));
    }
    void TearDown() override
    {
        wnd.DestroyWindow();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kKeyPath);
    }

    std::vector<BYTE> Stored(const char* section)
    {
        CXTRegistryProfile profile(HKEY_CURRENT_USER);
        BYTE* data = nullptr;
        UINT size = 0;
        std::vector<BYTE> bytes;
        if (profile.GetProfileBinary(section, "Window Position", &data, &size))
            bytes.assign(data, data + size);
        delete[] data;
        return bytes;
    }
};

TEST_F(PlacementTest, SavedPlacementIsRestoredAndHasTheStoredForm)
{
    CXTWindowPlacement placement;
    EXPECT_EQ(placement.GetShowCmd(), static_cast<UINT>(SW_SHOW));
    ASSERT_TRUE(placement.SaveWindowPos(&wnd));

    std::vector<BYTE> record = Stored("Settings");
    ASSERT_EQ(record.size(), 48u);
    const BYTE head[] = {0, 0, 0, 0, 48, 0, 0, 0};
    EXPECT_EQ(std::memcmp(record.data(), head, sizeof(head)), 0);
    EXPECT_EQ(record[12], SW_SHOWNORMAL);  // a hidden window is stored as normal
    EXPECT_EQ(record[32], 40);             // normal rectangle, left first
    EXPECT_EQ(record[36], 50);

    wnd.MoveWindow(0, 0, 100, 100);
    CXTWindowPlacement restored;
    ASSERT_TRUE(restored.LoadWindowPos(&wnd));
    CRect rect;
    wnd.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(40, 50, 340, 250));
}

TEST_F(PlacementTest, MinimisedComesBackNormalAndMaximisedStays)
{
    struct Case {
        int show;
        const char* section;
        UINT stored;
    } cases[] = {
        {SW_MINIMIZE, nullptr, SW_SHOWNORMAL},
        {SW_MAXIMIZE, nullptr, SW_SHOWMAXIMIZED},
        {SW_MINIMIZE, "Other", SW_SHOWMINIMIZED},  // a given section keeps the show command
    };
    for (const Case& c : cases) {
        wnd.ShowWindow(c.show);
        CXTWindowPlacement placement;
        ASSERT_TRUE(placement.SaveWindowPos(&wnd, c.section));
        CXTWindowPlacement read;
        ASSERT_TRUE(read.ReadWindowPos(c.section));
        EXPECT_EQ(read.GetShowCmd(), c.stored) << c.show << (c.section ? c.section : "");
    }
}

TEST_F(PlacementTest, NothingStoredLeavesTheWindowAlone)
{
    CXTWindowPlacement placement;
    EXPECT_FALSE(placement.LoadWindowPos(&wnd));
    CRect rect;
    wnd.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(40, 50, 340, 250));
    EXPECT_FALSE(placement.LoadWindowPos(nullptr));
    EXPECT_FALSE(placement.SaveWindowPos(nullptr));
}

TEST_F(PlacementTest, RecordOfAnotherSizeIsRefusedAndChangesNothing)
{
    CXTWindowPlacement placement;
    ASSERT_TRUE(placement.SaveWindowPos(&wnd));
    CXTRegistryProfile profile(HKEY_CURRENT_USER);
    for (UINT size : {4u, 44u, 47u, 49u, 64u}) {
        std::vector<BYTE> bytes(size, 0x7F);
        ASSERT_TRUE(profile.WriteProfileBinary("Settings", "Window Position", bytes.data(), size));
        CXTWindowPlacement read;
        EXPECT_FALSE(read.ReadWindowPos()) << size;
        EXPECT_EQ(read.GetShowCmd(), static_cast<UINT>(SW_SHOW)) << size;
        EXPECT_FALSE(read.LoadWindowPos(&wnd)) << size;
    }
    CRect rect;
    wnd.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(40, 50, 340, 250));
}

TEST_F(PlacementTest, WithoutRegistryNamesNothingIsSavedOrRead)
{
    CWinApp bare("NoKey");  // becomes the application object for this test
    CXTWindowPlacement placement;
    EXPECT_FALSE(placement.SaveWindowPos(&wnd));
    EXPECT_FALSE(placement.ReadWindowPos());
    CXTRegistryProfile profile(HKEY_CURRENT_USER);
    EXPECT_EQ(profile.GetAppRegistryKey(), nullptr);
    EXPECT_STREQ(profile.GetProfileString("Settings", "Any", "default"), "default");
}

TEST_F(PlacementTest, ProfileStringsRoundTripAndDelete)
{
    CXTRegistryProfile profile(HKEY_CURRENT_USER);
    EXPECT_TRUE(profile.WriteProfileString("Settings", "Name", "value"));
    EXPECT_STREQ(profile.GetProfileString("Settings", "Name", "default"), "value");
    EXPECT_TRUE(profile.WriteProfileString("Settings", "Name", nullptr));
    EXPECT_STREQ(profile.GetProfileString("Settings", "Name", "default"), "default");
    EXPECT_TRUE(profile.WriteProfileString("Section", "Name", "value"));
    EXPECT_TRUE(profile.WriteProfileString("Section", nullptr, nullptr));
    EXPECT_STREQ(profile.GetProfileString("Section", "Name", "gone"), "gone");
}

// The profile file in place of the registry, for the duration of a test.
class ProfileFile {
public:
    ProfileFile()
    {
        char dir[MAX_PATH];
        ::GetTempPathA(MAX_PATH, dir);
        std::snprintf(m_path, sizeof(m_path), "%stavrelin-profile-%lu.ini", dir, ::GetCurrentProcessId());
        CXTRegistryProfile::ProfileFilePath() = m_path;
    }
    ~ProfileFile()
    {
        CXTRegistryProfile::ProfileFilePath().Empty();
        ::DeleteFileA(m_path);
    }
    const char* Path() const { return m_path; }

private:
    char m_path[MAX_PATH];
};

TEST_F(PlacementTest, ProfileFileKeepsBinaryValuesAsLetters)
{
    ProfileFile file;
    CXTRegistryProfile profile(HKEY_CURRENT_USER);
    const BYTE bytes[] = {0x3C, 0x00, 0xFF, 0xA5};
    ASSERT_TRUE(profile.WriteProfileBinary("Settings", "Data", bytes, sizeof(bytes)));
    char text[64] = {};
    ::GetPrivateProfileStringA("Settings", "Data", "", text, sizeof(text), file.Path());
    EXPECT_STREQ(text, "MDAAPPFK");

    BYTE* data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(profile.GetProfileBinary("Settings", "Data", &data, &size));
    ASSERT_EQ(size, sizeof(bytes));
    EXPECT_EQ(std::memcmp(data, bytes, size), 0);
    delete[] data;
    EXPECT_FALSE(profile.GetProfileBinary("Settings", "Missing", &data, &size));
    EXPECT_EQ(data, nullptr);

    // A value longer than any first guess comes back whole.
    std::vector<BYTE> large(5000);
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<BYTE>(i * 7);
    ASSERT_TRUE(profile.WriteProfileBinary("Settings", "Large", large.data(), static_cast<UINT>(large.size())));
    ASSERT_TRUE(profile.GetProfileBinary("Settings", "Large", &data, &size));
    ASSERT_EQ(size, large.size());
    EXPECT_EQ(std::memcmp(data, large.data(), size), 0);
    delete[] data;

    // The whole placement goes through the file too.
    CXTWindowPlacement placement;
    ASSERT_TRUE(placement.SaveWindowPos(&wnd));
    CXTWindowPlacement read;
    EXPECT_TRUE(read.ReadWindowPos());
    EXPECT_EQ(CRect(read.GetPlacement().rcNormalPosition), CRect(40, 50, 340, 250));
}

}  // namespace
