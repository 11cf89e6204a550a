// The process-wide table through which several sinks watch the messages of one foreign window:
// its procedure is replaced once and every message is offered to the window's sinks.
#pragma once

#include <windows.h>

#include <unordered_map>
#include <vector>

#include "CXTPWindowHookSink.h"

class CXTPWindowHookTable {
public:
    CXTPWindowHookTable() = default;
    ~CXTPWindowHookTable();
    CXTPWindowHookTable(const CXTPWindowHookTable&) = delete;
    CXTPWindowHookTable& operator=(const CXTPWindowHookTable&) = delete;

    void SetHook(HWND hWnd, CXTPWindowHookSink* pSink);
    // With no sink left the window gets its previous procedure back, when ours is still the
    // one it calls first; under a later subclass the record stays as a pass-through.
    void RemoveHook(HWND hWnd, CXTPWindowHookSink* pSink);
    void RemoveAll();
    BOOL IsHooked(HWND hWnd, const CXTPWindowHookSink* pSink) const;
    int GetSinkCount(HWND hWnd) const;
    BOOL HasRecord(HWND hWnd) const { return m_records.count(hWnd) != 0; }

private:
    struct Record {
        std::vector<CXTPWindowHookSink*> sinks;
        WNDPROC pfnPrevious = nullptr;
        HWND hWnd = nullptr;
        int nDispatching = 0;  // nested dispatches running on this record
        BOOL bDetached = FALSE;
    };

    static LRESULT CALLBACK HookWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    // Gives the window its previous procedure back when ours is on top; TRUE then.
    static BOOL Restore(Record* pRecord);
    void Release(Record* pRecord);

    std::unordered_map<HWND, Record*> m_records;
};

// The process's window subclass table.
CXTPWindowHookTable* XTPWindowHookTable();
