// Resizing of a window's children by anchor factors, its size limits, size grip and saved placement.
#pragma once

#include <windows.h>

#include <vector>

#include "CRect.h"
#include "CScrollBar.h"
#include "CString.h"

class CWnd;

// Resizer flags.
enum {
    xtResizeNoSizeIcon = 0x01,
    xtResizeNoHorizontal = 0x02,
    xtResizeNoVertical = 0x04,
    xtResizeNoMinsize = 0x08,
    xtResizeNoClipChildren = 0x10,
    xtResizeNoTransparentGroup = 0x20,
};

// Four fractional values: factors of an anchor or the edges of a rectangle.
struct CXTAnchorRect {
    float left = 0, top = 0, right = 0, bottom = 0;

    CXTAnchorRect() = default;
    CXTAnchorRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
    explicit CXTAnchorRect(const RECT& rc)
        : left((float)rc.left), top((float)rc.top), right((float)rc.right), bottom((float)rc.bottom)
    {
    }
    CXTAnchorRect& operator+=(const CXTAnchorRect& other);
    bool operator==(const CXTAnchorRect& other) const;
};

// The anchors a dialog's children most often take.
extern const CXTAnchorRect XT_ANCHOR_NONE;        // stays
extern const CXTAnchorRect XT_ANCHOR_RIGHT;       // moves with the right edge
extern const CXTAnchorRect XT_ANCHOR_STRETCH_X;   // stretches with the width
extern const CXTAnchorRect XT_ANCHOR_BOTTOMRIGHT; // moves with the bottom-right corner

class CXTResizeChild {
public:
    CXTResizeChild(CWnd* pWnd, const CXTAnchorRect& anchor, const CXTAnchorRect& rect, BOOL bOwnsWnd);
    virtual ~CXTResizeChild();
    CXTResizeChild(const CXTResizeChild&) = delete;
    CXTResizeChild& operator=(const CXTResizeChild&) = delete;

    // A plain group box becomes transparent so that it repaints cleanly after moves.
    virtual void MakeGroupBoxTransparent();

    BOOL m_bTransparentGroup = FALSE;
    BOOL m_bOwnsWnd = FALSE;
    BOOL m_bInitialized = FALSE;
    CWnd* m_pWnd = nullptr;
    CXTAnchorRect m_rrcAnchor;
    CXTAnchorRect m_rrcWindow;
    CXTAnchorRect m_rrcInitWindow;
};

// The size grip: a size-box scroll bar with its own diagonal cursor.
class CXTSizeGrip : public CScrollBar {
public:
    CXTSizeGrip();
    ~CXTSizeGrip() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    HCURSOR m_hCursor = nullptr;
};

class CXTResize {
public:
    enum { kGripId = 32767, kPlacementSize = 44 };

    explicit CXTResize(CWnd* pWnd, UINT nFlags = 0);
    virtual ~CXTResize();
    CXTResize(const CXTResize&) = delete;
    CXTResize& operator=(const CXTResize&) = delete;

    // Adds the factors to a child already registered; otherwise registers the child (hWnd, or the
    // parent's item nID). FALSE when there is no such child.
    BOOL SetControlAnchor(UINT nID, HWND hWnd, const CXTAnchorRect& anchor);
    BOOL SetControlAnchor(UINT nID, const CXTAnchorRect& anchor) { return SetControlAnchor(nID, nullptr, anchor); }
    void AddFlags(UINT nFlags) { m_nFlags |= nFlags; }
    UINT GetFlags() const { return m_nFlags; }
    void SetMinSize(CSize size) { m_szMin = size; }
    void SetMaxSize(CSize size) { m_szMax = size; }
    CSize GetMinSize() const { return m_szMin; }

    void InitResize();
    void ResizeControls();
    void GetMinMaxInfo(MINMAXINFO* pMMI) const;
    // Only a stored value of exactly 44 bytes is applied.
    BOOL LoadPlacement(const char* lpszSection);
    BOOL SavePlacement(const char* lpszSection);
    void RemoveAllControls();

    CXTResizeChild* FindItem(UINT nID) const;
    CWnd* GetSizeGrip() { return m_sizeGrip.GetSafeHwnd() ? &m_sizeGrip : nullptr; }

    // The stored form of a placement, little-endian: length, flags, show command, minimised
    // position x y, maximised position x y, normal rectangle left top right bottom.
    static void PlacementToBytes(const WINDOWPLACEMENT& wp, BYTE* bytes);
    static void PlacementFromBytes(const BYTE* bytes, WINDOWPLACEMENT& wp);
    // A stored value read: only one of exactly 44 bytes.
    static BOOL ReadPlacementRecord(const BYTE* pData, UINT nBytes, WINDOWPLACEMENT& wp);
    // A stored value applied to the window: only one of exactly 44 bytes.
    static BOOL ApplyPlacementRecord(CWnd* pWnd, const BYTE* pData, UINT nBytes);

    UINT m_nFlags = 0;
    CWnd* m_pWnd = nullptr;
    CRect m_rcInitWindow;
    CRect m_rcWindow;
    CSize m_szMin;
    CSize m_szMax;
    CString m_strSection;

protected:
    CXTSizeGrip m_sizeGrip;
    std::vector<CXTResizeChild*> m_arrItems;
};
