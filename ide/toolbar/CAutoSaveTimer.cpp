// The autosave timer of the main frame.
#include "CAutoSaveTimer.h"

#include "EditorSettings.h"
#include "OpenDocuments.h"

namespace {
void Restart(int autoSave, int periodMinutes)
{
    GetAutoSaveTimer().Update(autoSave, periodMinutes);
}
}  // namespace

void CAutoSaveTimer::Attach(HWND frame)
{
    m_hWnd = frame;
    SetAutosaveRestarter(&Restart);
    Update(g_editorOptions.autoSave, g_editorOptions.savePeriod);
}

void CAutoSaveTimer::Detach()
{
    SetAutosaveRestarter(nullptr);
    if (m_nAutoSaveTimer && m_hWnd)
        ::KillTimer(m_hWnd, m_nAutoSaveTimer);
    m_nAutoSaveTimer = 0;
    m_nPeriod = 0;
    m_hWnd = nullptr;
}

void CAutoSaveTimer::Update(int autoSave, int periodMinutes)
{
    if (!autoSave || periodMinutes <= 0) {
        if (m_nAutoSaveTimer) {
            ::KillTimer(m_hWnd, m_nAutoSaveTimer);
            m_nAutoSaveTimer = 0;
            m_nPeriod = 0;
        }
        return;
    }
    if (!m_hWnd)
        return;
    if (m_nAutoSaveTimer)
        ::KillTimer(m_hWnd, m_nAutoSaveTimer);
    // The longest period a timer takes; a larger stored value would wrap to a short one.
    const UINT longest = USER_TIMER_MAXIMUM / 60000u;
    m_nPeriod = static_cast<UINT>(periodMinutes) < longest ? static_cast<UINT>(periodMinutes) * 60000u : USER_TIMER_MAXIMUM;
    m_nAutoSaveTimer = ::SetTimer(m_hWnd, kTimerId, m_nPeriod, nullptr);
}

BOOL CAutoSaveTimer::OnTimer(UINT_PTR id)
{
    if (id != kTimerId)
        return FALSE;
    if (g_editorOptions.autoSave)
        SaveModifiedDocuments();
    return TRUE;
}

CAutoSaveTimer& GetAutoSaveTimer()
{
    static CAutoSaveTimer timer;
    return timer;
}
