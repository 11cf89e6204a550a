// The application object and threads: profile values in the registry, worker threads, and
// objects kept per thread and per process.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

#include "AfxThreadLocal.h"
#include "CWinApp.h"

namespace {

const char* const kKey = "Tavrelin window tests";

// An application under a registry key of its own, removed again afterwards.
class ProfileTest : public ::testing::Test {
protected:
    CWinApp app{"ProfileTests"};

    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, (CString("Software\\") + kKey).operator const char*());
        app.SetRegistryKey(kKey);
    }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, (CString("Software\\") + kKey).operator const char*()); }
};

TEST_F(ProfileTest, ValuesRoundTripUnderSoftwareKeyApp)
{
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Current Language", 1049));
    EXPECT_TRUE(app.WriteProfileString("Settings", "PathVarnok", "C:\\Games\\Varnok"));
    BYTE bytes[] = {0x3C, 0x00, 0xFF, 0x10};
    EXPECT_TRUE(app.WriteProfileBinary("Settings", "Window Position", bytes, sizeof(bytes)));

    EXPECT_EQ(app.GetProfileInt("Settings", "Current Language", 1033), 1049u);
    EXPECT_STREQ(app.GetProfileString("Settings", "PathVarnok"), "C:\\Games\\Varnok");
    LPBYTE data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app.GetProfileBinary("Settings", "Window Position", &data, &size));
    ASSERT_EQ(size, sizeof(bytes));
    EXPECT_EQ(std::memcmp(data, bytes, size), 0);
    delete[] data;

    // Where they are: HKEY_CURRENT_USER\Software\<key>\<application>\<section>.
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tavrelin window tests\\ProfileTests\\Settings", 0,
                              KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD value = 0;
    DWORD type = 0;
    DWORD length = sizeof(value);
    EXPECT_EQ(::RegQueryValueExA(key, "Current Language", nullptr, &type, reinterpret_cast<LPBYTE>(&value), &length),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 1049u);
    ::RegCloseKey(key);
}

TEST_F(ProfileTest, MissingValuesGiveTheDefaultsAndDeletionRemoves)
{
    EXPECT_EQ(app.GetProfileInt("Settings", "Missing", 7), 7u);
    EXPECT_STREQ(app.GetProfileString("Settings", "Missing", "fallback"), "fallback");
    EXPECT_STREQ(app.GetProfileString("Settings", "Missing"), "");
    LPBYTE data = reinterpret_cast<LPBYTE>(1);
    UINT size = 5;
    EXPECT_FALSE(app.GetProfileBinary("Settings", "Missing", &data, &size));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0u);

    // A value of another type is not read as an integer.
    app.WriteProfileString("Settings", "Text", "12");
    EXPECT_EQ(app.GetProfileInt("Settings", "Text", 3), 3u);

    app.WriteProfileString("Settings", "Entry", "x");
    EXPECT_TRUE(app.WriteProfileString("Settings", "Entry", nullptr));
    EXPECT_STREQ(app.GetProfileString("Settings", "Entry", "gone"), "gone");
    app.WriteProfileString("Recent Project List", "File1", "a.tvs");
    EXPECT_TRUE(app.WriteProfileString("Recent Project List", nullptr, nullptr));
    EXPECT_STREQ(app.GetProfileString("Recent Project List", "File1", "gone"), "gone");
}

// The application key stays open between calls: a tree removed meanwhile is made again.
TEST_F(ProfileTest, ValuesAreStoredAfterTheKeyWasRemovedMeanwhile)
{
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Before", 1));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tavrelin window tests");
    EXPECT_EQ(app.GetProfileInt("Settings", "Before", 7), 7u);
    EXPECT_TRUE(app.WriteProfileInt("Settings", "After", 2));
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tavrelin window tests\\ProfileTests\\Settings", 0,
                              KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD value = 0;
    DWORD length = sizeof(value);
    EXPECT_EQ(::RegQueryValueExA(key, "After", nullptr, nullptr, reinterpret_cast<LPBYTE>(&value), &length),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 2u);
    ::RegCloseKey(key);
}

TEST(CWinAppTest, WithoutARegistryKeyNothingIsStored)
{
    CWinApp app("NoKey");
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(app.GetAppRegistryKey(), nullptr);
    EXPECT_FALSE(app.WriteProfileInt("Settings", "Value", 1));
    EXPECT_EQ(app.GetProfileInt("Settings", "Value", 9), 9u);
    EXPECT_STREQ(app.m_pszAppName, "NoKey");
}

struct Counter {
    int value = 0;
};

CThreadLocal<Counter> g_perThread;
CProcessLocal<Counter> g_perProcess;

UINT CountInWorker(LPVOID param)
{
    auto* seen = static_cast<std::atomic<int>*>(param);
    ++g_perThread->value;  // this thread's own counter
    ++g_perProcess->value;
    *seen = g_perThread->value;
    return 5;
}

TEST(CWinAppTest, WorkerThreadsRunWithTheirOwnThreadLocalObjects)
{
    ++g_perThread->value;
    ++g_perThread->value;
    std::atomic<int> seen{-1};
    CWinThread* thread = AfxBeginThread(CountInWorker, &seen, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    // Kept alive past the thread's end so its handle can be asked for the exit code.
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(thread->m_hThread, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(code, 5u);
    EXPECT_EQ(seen.load(), 1);            // started from zero in the worker
    EXPECT_EQ(g_perThread->value, 2);     // this thread's counter is untouched
    EXPECT_EQ(g_perProcess->value, 1);    // one object for all threads
    delete thread;
    EXPECT_EQ(AfxBeginThread(static_cast<AFX_THREADPROC>(nullptr), nullptr), nullptr);
}

}  // namespace
