// A window's placement (position, size, show state) kept as one 48-byte profile value.
#pragma once

#include <windows.h>

class CWnd;

class CXTWindowPlacement {
public:
    // Stored form, little-endian:
    //   0  zero
    //   4  length: 48
    //   8  flags
    //  12  show command
    //  16  minimised position x, y
    //  24  maximised position x, y
    //  32  normal rectangle left, top, right, bottom
    enum { kRecordSize = 48, kRecordLength = 48 };

    // Zero, with the length 48 and the show command SW_SHOW.
    CXTWindowPlacement();
    virtual ~CXTWindowPlacement();

    // Writes the window's placement under section (or "Settings"), entry "Window Position".
    // Without a section a minimised window is stored as normal; a maximised one stays so.
    BOOL SaveWindowPos(CWnd* pWnd, const char* lpszSection = nullptr);
    // Reads the stored record; a value of any other size than 48 bytes leaves the placement as it was.
    BOOL ReadWindowPos(const char* lpszSection = nullptr);
    // Reads the record and applies it to the window; FALSE (the window untouched) without one.
    BOOL LoadWindowPos(CWnd* pWnd, const char* lpszSection = nullptr);

    // The placement as the window calls take it (length: the platform's own size).
    const WINDOWPLACEMENT& GetPlacement() const { return m_wp; }
    UINT GetShowCmd() const { return m_wp.showCmd; }

private:
    void ToRecord(BYTE* record) const;
    void FromRecord(const BYTE* record);

    WINDOWPLACEMENT m_wp{};
};
