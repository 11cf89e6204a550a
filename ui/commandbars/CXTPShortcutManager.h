// Keyboard shortcuts: accelerator texts, the one shown per command, and saved accelerator tables.
#pragma once

#include <windows.h>

#include "CString.h"

class CFrameWnd;
class CXTPCommandBars;
class CXTPPropExchange;

// The text and the priority of one accelerator entry.
class CAccelFormatter {
public:
    explicit CAccelFormatter(const ACCEL* lpAccel) : m_lpAccel(lpAccel) {}

    // Modifiers first (Ctrl+Shift+Alt+), then the key: "Ctrl+Shift+F5", "Alt", "a".
    void Format(CString& str) const;
    // Which of a command's accelerators is shown: the highest. Ctrl 3, else Alt 2,
    // else Shift 1, a key without modifiers 4.
    int GetPriority() const;

private:
    const ACCEL* m_lpAccel;
};

// One per process (XTPShortcutManager); an application may install its own in its place.
class CXTPShortcutManager {
public:
    // The platform's key-name lookup: lParam of a key message, buffer, its size.
    typedef int(WINAPI* PFNGETKEYNAMETEXT)(LONG lParam, LPSTR lpString, int cchSize);

    CXTPShortcutManager() = default;
    virtual ~CXTPShortcutManager() = default;
    CXTPShortcutManager(const CXTPShortcutManager&) = delete;
    CXTPShortcutManager& operator=(const CXTPShortcutManager&) = delete;

    // TRUE when the frame's accelerator table binds nCmd. strShortcut keeps a text it
    // already holds while that is still one of the command's accelerators, else it becomes
    // the text of the highest priority, or empty when none binds nCmd. Without a frame or
    // table: FALSE, strShortcut unchanged.
    virtual BOOL FindDefaultAccelerator(UINT nCmd, CString& strShortcut, CXTPCommandBars* pCommandBars = nullptr);
    // The text of one accelerator; its priority goes to *pPriority when that is not null.
    virtual CString Format(LPACCEL lpAccel, int* pPriority);

    // The character in upper case, for matching mnemonics; 0 for none.
    static char KeyToChar(UINT nChar);
    // A new table with the same entries, owned by the caller; null for none.
    static HACCEL CopyAccelTable(HACCEL hAccel);
    // Saves or loads the frame's accelerator table: a count and a 6-byte record an entry
    // ("Data") where the medium takes blobs, else one "Accel" section an entry.
    static void ExchangeAccelTable(CXTPPropExchange* pPX, CFrameWnd* pFrame);
    // Installs a table of the entries as the frame's and destroys the previous one; no
    // entries leave the frame without a table.
    static void SetAccelTable(CFrameWnd* pFrame, LPACCEL lpAccel, int nCount);

    // Replaces the key-name lookup (the platform's by default); the previous one.
    static PFNGETKEYNAMETEXT SetKeyNameSource(PFNGETKEYNAMETEXT pfnGetKeyNameText);

protected:
    // The frame whose accelerators are shown: the command bars' site; without command
    // bars the calling thread's main window.
    static CFrameWnd* GetAcceleratorFrame(CXTPCommandBars* pCommandBars);
};

// The process's shortcut manager, made on first use.
CXTPShortcutManager* XTPShortcutManager();
// Installs pManager as the process's shortcut manager (which then owns it), deleting the
// previous one; null is ignored.
void XTPSetShortcutManager(CXTPShortcutManager* pManager);
