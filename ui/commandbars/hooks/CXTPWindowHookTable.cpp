// The window subclass table: one replaced procedure per watched window, its sinks asked newest first.
#include "CXTPWindowHookTable.h"

#include <algorithm>

#include "CWnd.h"

CXTPWindowHookTable* XTPWindowHookTable()
{
    static CXTPWindowHookTable table;
    return &table;
}

CXTPWindowHookTable::~CXTPWindowHookTable()
{
    RemoveAll();
}

void CXTPWindowHookTable::SetHook(HWND hWnd, CXTPWindowHookSink* pSink)
{
    if (!::IsWindow(hWnd) || !pSink)
        return;
    auto it = m_records.find(hWnd);
    Record* pRecord = it != m_records.end() ? it->second : nullptr;
    if (!pRecord) {
        pRecord = new Record;
        pRecord->hWnd = hWnd;
        pRecord->pfnPrevious = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HookWndProc));
        m_records[hWnd] = pRecord;
    }
    pRecord->bDetached = FALSE;
    if (std::find(pRecord->sinks.begin(), pRecord->sinks.end(), pSink) == pRecord->sinks.end())
        pRecord->sinks.push_back(pSink);
}

BOOL CXTPWindowHookTable::Restore(Record* pRecord)
{
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(pRecord->hWnd, GWLP_WNDPROC)) != HookWndProc)
        return FALSE;
    ::SetWindowLongPtrA(pRecord->hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pRecord->pfnPrevious));
    return TRUE;
}

void CXTPWindowHookTable::Release(Record* pRecord)
{
    m_records.erase(pRecord->hWnd);
    pRecord->bDetached = TRUE;
    pRecord->sinks.clear();
    // A dispatch still running on the record frees it when it ends.
    if (pRecord->nDispatching == 0)
        delete pRecord;
}

void CXTPWindowHookTable::RemoveHook(HWND hWnd, CXTPWindowHookSink* pSink)
{
    auto it = m_records.find(hWnd);
    if (it == m_records.end())
        return;
    Record* pRecord = it->second;
    auto sink = std::find(pRecord->sinks.begin(), pRecord->sinks.end(), pSink);
    if (sink != pRecord->sinks.end())
        pRecord->sinks.erase(sink);
    if (pRecord->sinks.empty() && Restore(pRecord))
        Release(pRecord);
}

void CXTPWindowHookTable::RemoveAll()
{
    std::vector<Record*> arrRecords;
    for (auto& entry : m_records)
        arrRecords.push_back(entry.second);
    for (Record* pRecord : arrRecords) {
        if (::IsWindow(pRecord->hWnd))
            Restore(pRecord);
        Release(pRecord);
    }
}

BOOL CXTPWindowHookTable::IsHooked(HWND hWnd, const CXTPWindowHookSink* pSink) const
{
    auto it = m_records.find(hWnd);
    return it != m_records.end() &&
           std::find(it->second->sinks.begin(), it->second->sinks.end(), pSink) != it->second->sinks.end();
}

int CXTPWindowHookTable::GetSinkCount(HWND hWnd) const
{
    auto it = m_records.find(hWnd);
    return it != m_records.end() ? static_cast<int>(it->second->sinks.size()) : 0;
}

LRESULT CALLBACK CXTPWindowHookTable::HookWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CXTPWindowHookTable* pTable = XTPWindowHookTable();
    auto it = pTable->m_records.find(hWnd);
    if (it == pTable->m_records.end())
        return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
    Record* pRecord = it->second;
    WNDPROC pfnPrevious = pRecord->pfnPrevious;

    if (nMessage == WM_NCDESTROY) {
        Restore(pRecord);
        pTable->Release(pRecord);
        return ::CallWindowProcA(pfnPrevious, hWnd, nMessage, wParam, lParam);
    }

    // Handlers that ask for the current message (Default) see this one, as under the
    // framework's own window procedure.
    MSG* pCurrent = const_cast<MSG*>(CWnd::GetCurrentMessage());
    const MSG saved = *pCurrent;
    const DWORD dwPos = ::GetMessagePos();
    *pCurrent = {hWnd, nMessage, wParam, lParam, static_cast<DWORD>(::GetMessageTime()),
                 {static_cast<short>(LOWORD(dwPos)), static_cast<short>(HIWORD(dwPos))}};

    pRecord->nDispatching++;
    // Sinks may leave (or the record go) while they are asked: ask the ones present now, newest
    // first, skipping any that left meanwhile.
    const std::vector<CXTPWindowHookSink*> arrSinks = pRecord->sinks;
    LRESULT lResult = 0;
    int nAnswer = 0;
    for (auto sink = arrSinks.rbegin(); sink != arrSinks.rend(); ++sink) {
        if (pRecord->bDetached ||
            std::find(pRecord->sinks.begin(), pRecord->sinks.end(), *sink) == pRecord->sinks.end())
            continue;
        nAnswer = (*sink)->OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
        if (nAnswer != 0)
            break;
    }
    pRecord->nDispatching--;
    if (pRecord->bDetached && pRecord->nDispatching == 0)
        delete pRecord;
    if (nAnswer != 1)
        lResult = ::CallWindowProcA(pfnPrevious, hWnd, nMessage, wParam, lParam);
    *pCurrent = saved;
    return lResult;
}
