// The customize tests' sheet runner and message-box answerer.
#include "CustomizeFixture.h"

#include "CXTPHookManager.h"

namespace {

struct SheetRun {
    CXTPCustomizeSheet* pSheet = nullptr;
    std::vector<SheetStep> steps;
    size_t nStep = 0;
    BOOL bPlaced = FALSE;
    BOOL bBusy = FALSE;
    BOOL bClosing = FALSE;
    DWORD dwStart = 0;
    BOOL bTimedOut = FALSE;
};
SheetRun g_run;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    CXTPCustomizeSheet* pSheet = g_run.pSheet;
    if (g_run.bBusy || g_run.bClosing || !pSheet || !pSheet->GetSafeHwnd() || !pSheet->IsWindowVisible())
        return;
    g_run.bBusy = TRUE;
    if (!g_run.bPlaced) {
        // Beside the frame, so that the bars stay reachable.
        pSheet->SetWindowPos(nullptr, 700, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        g_run.bPlaced = TRUE;
    } else if (g_run.nStep < g_run.steps.size()) {
        if (g_run.steps[g_run.nStep]())
            g_run.nStep++;
    }
    if (g_run.nStep >= g_run.steps.size() || ::GetTickCount() - g_run.dwStart > 10000) {
        g_run.bTimedOut = g_run.nStep < g_run.steps.size();
        g_run.bClosing = TRUE;
        XTPHookManager()->CancelTracking();
        pSheet->PostMessage(WM_COMMAND, IDCANCEL, 0);
    }
    g_run.bBusy = FALSE;
}

std::vector<int> g_answers;
HHOOK g_hCbt = nullptr;

LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_ACTIVATE && !g_answers.empty()) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        char szClass[16] = "";
        ::GetClassNameA(hWnd, szClass, sizeof(szClass));
        // A message box: a dialog with a static text 0xFFFF.
        if (lstrcmpA(szClass, "#32770") == 0 && ::GetDlgItem(hWnd, 0xFFFF)) {
            char szText[512] = "";
            ::GetDlgItemTextA(hWnd, 0xFFFF, szText, sizeof(szText));
            CustomizeFixture::MessageBoxTexts().push_back(szText);
            ::PostMessageA(hWnd, WM_COMMAND, static_cast<WPARAM>(g_answers.front()), 0);
            g_answers.erase(g_answers.begin());
        }
    }
    return ::CallNextHookEx(g_hCbt, nCode, wParam, lParam);
}

} // namespace

std::vector<CString>& CustomizeFixture::MessageBoxTexts()
{
    static std::vector<CString> s_texts;
    return s_texts;
}

void CustomizeFixture::SetUp()
{
    CommandBarsFixture::SetUp();
    MessageBoxTexts().clear();
}

void CustomizeFixture::TearDown()
{
    if (g_hCbt)
        ::UnhookWindowsHookEx(g_hCbt);
    g_hCbt = nullptr;
    g_answers.clear();
    CommandBarsFixture::TearDown();
}

void CustomizeFixture::AnswerMessageBoxes(std::vector<int> answers)
{
    g_answers = std::move(answers);
    if (!g_hCbt)
        g_hCbt = ::SetWindowsHookExA(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId());
}

SheetStep CustomizeFixture::Wait(DWORD dwMilliseconds)
{
    auto pStart = std::make_shared<DWORD>(0);
    return [pStart, dwMilliseconds]() {
        if (*pStart == 0)
            *pStart = ::GetTickCount() | 1;
        return ::GetTickCount() - *pStart >= dwMilliseconds;
    };
}

INT_PTR CustomizeFixture::RunSheet(CXTPCustomizeSheet& sheet, std::vector<SheetStep> steps)
{
    g_run = SheetRun();
    g_run.pSheet = &sheet;
    g_run.steps = std::move(steps);
    g_run.dwStart = ::GetTickCount();
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, StepTimer);
    const INT_PTR nResult = sheet.DoModal();
    ::KillTimer(nullptr, nTimer);
    EXPECT_FALSE(g_run.bTimedOut) << "step " << g_run.nStep << " of " << g_run.steps.size() << " never finished";
    g_run = SheetRun();
    return nResult;
}
