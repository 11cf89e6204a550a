// Theme hosts share their kind's theme, may hold their own, and hear when it changes.
#include "CXTThemeManagerStyle.h"

#include <gtest/gtest.h>

namespace {

int g_themesAlive = 0;

class TestTheme : public CXTThemeManagerStyle {
public:
    TestTheme() { ++g_themesAlive; }
    ~TestTheme() override { --g_themesAlive; }
    void RefreshMetrics() override { ++refreshed; }
    int refreshed = 0;
};

int g_created = 0;

class TestFactory : public CXTThemeManagerStyleFactory {
    DECLARE_DYNCREATE(TestFactory)

public:
    CXTThemeManagerStyle* CreateTheme(int) override
    {
        ++g_created;
        return new TestTheme;
    }
};
IMPLEMENT_DYNCREATE(TestFactory, CXTThemeManagerStyleFactory)

class TestHost : public CXTThemeManagerStyleHost {
public:
    TestHost() : CXTThemeManagerStyleHost(RUNTIME_CLASS(TestFactory)) {}
    void OnThemeChanged() override { ++changes; }
    int changes = 0;
};

class ThemeManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        shared = XTThemeManager()->GetFactory(RUNTIME_CLASS(TestFactory));
        ASSERT_NE(nullptr, shared);
        shared->SetTheme(nullptr);  // each test starts before the first ask
        g_created = 0;
        g_themesAlive = 0;
    }

    CXTThemeManagerStyleFactory* shared = nullptr;
};

TEST_F(ThemeManagerTest, HostsShareOneThemeMadeOnFirstAsk)
{
    TestHost first, second;
    EXPECT_EQ(shared, XTThemeManager()->GetFactory(RUNTIME_CLASS(TestFactory)));
    EXPECT_EQ(0, g_created);
    CXTThemeManagerStyle* theme = first.GetSafeTheme();
    ASSERT_NE(nullptr, theme);
    EXPECT_EQ(theme, second.GetSafeTheme());
    EXPECT_EQ(1, g_created);
    EXPECT_EQ(shared, theme->m_pFactory);
    EXPECT_EQ(1, static_cast<TestTheme*>(theme)->refreshed);
}

TEST_F(ThemeManagerTest, AnOwnThemeLeavesOthersAlone)
{
    TestHost first, second;
    CXTThemeManagerStyle* sharedTheme = second.GetSafeTheme();
    auto* own = new TestTheme;
    first.SetTheme(own);
    EXPECT_EQ(own, first.GetSafeTheme());
    EXPECT_EQ(1, own->refreshed);
    EXPECT_EQ(sharedTheme, second.GetSafeTheme());
    EXPECT_EQ(1, first.changes);
    EXPECT_EQ(0, second.changes);

    // A new shared theme reaches only the hosts that use it.
    shared->SetTheme(new TestTheme);
    EXPECT_EQ(1, second.changes);
    EXPECT_EQ(1, first.changes);

    first.SetTheme(nullptr);  // back to the shared theme; the own one is gone
    EXPECT_EQ(second.GetSafeTheme(), first.GetSafeTheme());
    EXPECT_EQ(2, first.changes);
    EXPECT_EQ(1, g_themesAlive);  // only the shared theme is left
}

TEST_F(ThemeManagerTest, ANewSharedThemeNotifiesEveryHost)
{
    TestHost hosts[3];
    CXTThemeManagerStyle* old = hosts[0].GetSafeTheme();
    ASSERT_NE(nullptr, old);
    auto* replacement = new TestTheme;
    shared->SetTheme(replacement);
    for (TestHost& host : hosts) {
        EXPECT_EQ(1, host.changes);
        EXPECT_EQ(replacement, host.GetSafeTheme());
    }
    EXPECT_EQ(1, g_themesAlive);  // the old theme was deleted
}

TEST_F(ThemeManagerTest, SettingTheThemeAlreadyHeldChangesNothing)
{
    TestHost host, other;
    CXTThemeManagerStyle* theme = host.GetSafeTheme();
    shared->SetTheme(theme);
    EXPECT_EQ(theme, host.GetSafeTheme());
    EXPECT_EQ(1, g_themesAlive);
    EXPECT_EQ(0, host.changes);

    auto* own = new TestTheme;
    host.SetTheme(own);
    host.SetTheme(own);  // held already
    EXPECT_EQ(own, host.GetSafeTheme());
    EXPECT_EQ(1, host.changes);
    other.SetTheme(own);  // owned by another factory: would be freed twice
    EXPECT_EQ(theme, other.GetSafeTheme());
    EXPECT_EQ(0, other.changes);
    EXPECT_EQ(2, g_themesAlive);
}

TEST_F(ThemeManagerTest, DestroyedHostsLeaveTheirFactoryAndFreeTheirOwnTheme)
{
    auto* survivor = new TestHost;
    {
        TestHost gone;
        gone.SetTheme(new TestTheme);
        TestHost sharing;
        sharing.GetSafeTheme();
        EXPECT_EQ(2, g_themesAlive);
    }
    EXPECT_EQ(1, g_themesAlive);  // the own theme went with its host
    shared->SetTheme(new TestTheme);  // the list holds only the survivor now
    EXPECT_EQ(1, survivor->changes);
    delete survivor;
    EXPECT_EQ(nullptr, shared->m_pFirstHost);
}

}  // namespace
