// The window subclass table: sink order and answers, single entries, restoring the procedure,
// destroyed windows, later subclasses and sinks that leave while they are asked.
#include "CXTPWindowHookTable.h"

#include <gtest/gtest.h>

#include <string>

#include "CWnd.h"

namespace {

const UINT WM_PROBE = WM_APP + 7;

// A sink that logs its name and answers as told; it may remove a sink when asked.
class LogSink : public CXTPWindowHookSink {
public:
    LogSink(std::string* pLog, char name, int nAnswer) : m_pLog(pLog), m_name(name), m_nAnswer(nAnswer) {}
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& /*wParam*/, LPARAM& /*lParam*/, LRESULT& lResult) override
    {
        if (nMessage != WM_PROBE)
            return 0;
        *m_pLog += m_name;
        for (CXTPWindowHookSink* pSink : m_arrRemove)
            XTPWindowHookTable()->RemoveHook(hWnd, pSink);
        lResult = 100 + m_name;
        return m_nAnswer;
    }
    std::string* m_pLog;
    char m_name;
    int m_nAnswer;
    std::vector<CXTPWindowHookSink*> m_arrRemove;
};

// A window whose own procedure answers the probe with 1 and logs '!'.
std::string* g_pWindowLog = nullptr;
LRESULT CALLBACK ProbeProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_PROBE) {
        if (g_pWindowLog)
            *g_pWindowLog += '!';
        return 1;
    }
    return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
}

class WindowHookTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ProbeProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "HookTableProbe";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowExA(0, "HookTableProbe", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   wc.hInstance, nullptr);
        ASSERT_NE(nullptr, m_hWnd);
        g_pWindowLog = &m_log;
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        g_pWindowLog = nullptr;
    }
    LRESULT Probe() { return ::SendMessageA(m_hWnd, WM_PROBE, 0, 0); }
    WNDPROC Proc() const { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)); }

    HWND m_hWnd = nullptr;
    std::string m_log;
};

TEST_F(WindowHookTable, SinksAreAskedNewestFirstUntilOneAnswers)
{
    struct {
        int a, b, c;
        const char* log;
        LRESULT result;
    } cases[] = {
        {0, 0, 0, "cba!", 1},        // nobody handles: the window's own procedure runs
        {0, 1, 0, "cb", 100 + 'b'},  // handled: the window does not see it
        {0, 2, 0, "cb!", 1},         // stop, and the window's procedure answers
    };
    for (const auto& c : cases) {
        LogSink a(&m_log, 'a', c.a), b(&m_log, 'b', c.b), sinkC(&m_log, 'c', c.c);
        XTPWindowHookTable()->SetHook(m_hWnd, &a);
        XTPWindowHookTable()->SetHook(m_hWnd, &b);
        XTPWindowHookTable()->SetHook(m_hWnd, &sinkC);
        XTPWindowHookTable()->SetHook(m_hWnd, &a);
        EXPECT_EQ(3, XTPWindowHookTable()->GetSinkCount(m_hWnd)) << "a sink is listed once";
        m_log.clear();
        EXPECT_EQ(c.result, Probe());
        EXPECT_EQ(c.log, m_log);
        for (LogSink* p : {&a, &b, &sinkC})
            XTPWindowHookTable()->RemoveHook(m_hWnd, p);
    }
}

TEST_F(WindowHookTable, TheLastSinkLeavingRestoresTheProcedure)
{
    LogSink a(&m_log, 'a', 0), b(&m_log, 'b', 0);
    XTPWindowHookTable()->SetHook(m_hWnd, &a);
    XTPWindowHookTable()->SetHook(m_hWnd, &b);
    EXPECT_NE(ProbeProc, Proc());
    XTPWindowHookTable()->RemoveHook(m_hWnd, &a);
    EXPECT_NE(ProbeProc, Proc());
    XTPWindowHookTable()->RemoveHook(m_hWnd, &b);
    EXPECT_EQ(ProbeProc, Proc());
    EXPECT_FALSE(XTPWindowHookTable()->HasRecord(m_hWnd));
}

TEST_F(WindowHookTable, ADestroyedWindowLeavesTheTable)
{
    LogSink a(&m_log, 'a', 0);
    XTPWindowHookTable()->SetHook(m_hWnd, &a);
    ::DestroyWindow(m_hWnd);
    EXPECT_FALSE(XTPWindowHookTable()->HasRecord(m_hWnd));
}

TEST_F(WindowHookTable, UnderALaterSubclassTheChainStaysWhole)
{
    LogSink a(&m_log, 'a', 0);
    XTPWindowHookTable()->SetHook(m_hWnd, &a);
    CWnd later;  // subclasses after the table, as the MDI tab window does
    ASSERT_TRUE(later.SubclassWindow(m_hWnd));
    XTPWindowHookTable()->RemoveHook(m_hWnd, &a);
    m_log.clear();
    EXPECT_EQ(1, Probe());
    EXPECT_EQ("!", m_log) << "the later subclass still reaches the window's procedure";
    EXPECT_NE(ProbeProc, Proc()) << "the later subclass keeps its place";

    XTPWindowHookTable()->SetHook(m_hWnd, &a);
    m_log.clear();
    Probe();
    EXPECT_EQ("a!", m_log) << "a sink may join the kept record again";
    XTPWindowHookTable()->RemoveHook(m_hWnd, &a);
    later.UnsubclassWindow();
}

TEST_F(WindowHookTable, DispatchSurvivesSinksLeavingWhileTheyAreAsked)
{
    LogSink a(&m_log, 'a', 0), b(&m_log, 'b', 0), sinkC(&m_log, 'c', 0);
    sinkC.m_arrRemove = {&sinkC, &b};  // c removes itself and the next one
    for (LogSink* p : {&a, &b, &sinkC})
        XTPWindowHookTable()->SetHook(m_hWnd, p);
    m_log.clear();
    EXPECT_EQ(1, Probe());
    EXPECT_EQ("ca!", m_log);

    a.m_arrRemove = {&a};  // the last sink leaves: the record goes while it dispatches
    m_log.clear();
    EXPECT_EQ(1, Probe());
    EXPECT_EQ("a!", m_log);
    EXPECT_EQ(ProbeProc, Proc());
}

}  // namespace
