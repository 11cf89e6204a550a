// The navigation buttons of a tab row: scroll left, scroll right and close.
#pragma once

#include <windows.h>

#include "CDC.h"
#include "CRect.h"

class CXTPTabManager;

enum XTPTabNavigateButton { xtpTabNavigateButtonLeft = 0, xtpTabNavigateButtonRight = 1, xtpTabNavigateButtonClose = 2 };
enum XTPTabNavigateButtonFlags {
    xtpTabNavigateButtonNone = 0,       // never shown
    xtpTabNavigateButtonAutomatic = 1,  // shown when needed
    xtpTabNavigateButtonAlways = 2
};

class CXTPTabManagerNavigateButton {
public:
    enum { cxButton = 14, cyButton = 15, nScrollStep = 20, nTickMs = 20 };

    CXTPTabManagerNavigateButton(CXTPTabManager* pManager, int nId, XTPTabNavigateButtonFlags dwFlags);
    virtual ~CXTPTabManagerNavigateButton() = default;
    CXTPTabManagerNavigateButton(const CXTPTabManagerNavigateButton&) = delete;
    CXTPTabManagerNavigateButton& operator=(const CXTPTabManagerNavigateButton&) = delete;

    // Takes its place at the far end of the row rectangle and shortens it (empty when hidden).
    virtual void Reposition(CRect& rcRow);
    virtual void DrawSymbol(CDC* pDC, CRect rc) = 0;
    // bTick: an auto-repeat tick while held; FALSE: the release over the button.
    virtual void PerformClick(BOOL bTick) = 0;

    // Shortens the length the tabs may use by the button's size when it is always shown.
    void AdjustRowLength(int& nLength) const;
    void Draw(CDC* pDC);
    // The modal press: captures the mouse to hWnd until release, Esc or loss of capture.
    void Track(HWND hWnd, CPoint point);
    void OnMouseMove(HWND hWnd, CPoint point);

    int GetId() const { return m_nId; }
    XTPTabNavigateButtonFlags GetFlags() const { return m_dwFlags; }
    void SetFlags(XTPTabNavigateButtonFlags dwFlags) { m_dwFlags = dwFlags; }
    CRect GetRect() const { return m_rcButton; }
    BOOL IsEnabled() const { return m_bEnabled; }
    BOOL IsPressed() const { return m_bPressed; }
    BOOL IsHighlighted() const { return m_bHot; }
    CXTPTabManager* GetTabManager() const { return m_pManager; }

protected:
    BOOL IsHorizontalRow() const;
    void PlaceAtRowEnd(CRect& rcRow);

    int m_nId;
    XTPTabNavigateButtonFlags m_dwFlags;
    CSize m_size{cxButton, cyButton};
    CXTPTabManager* m_pManager;
    CRect m_rcButton;
    BOOL m_bEnabled = TRUE;
    BOOL m_bPressed = FALSE;
    BOOL m_bHot = FALSE;
};

class CXTPTabManagerNavigateButtonLeft : public CXTPTabManagerNavigateButton {
public:
    explicit CXTPTabManagerNavigateButtonLeft(CXTPTabManager* pManager);
    void Reposition(CRect& rcRow) override;
    void DrawSymbol(CDC* pDC, CRect rc) override;
    void PerformClick(BOOL bTick) override;
};

class CXTPTabManagerNavigateButtonRight : public CXTPTabManagerNavigateButton {
public:
    explicit CXTPTabManagerNavigateButtonRight(CXTPTabManager* pManager);
    void Reposition(CRect& rcRow) override;
    void DrawSymbol(CDC* pDC, CRect rc) override;
    void PerformClick(BOOL bTick) override;
};

class CXTPTabManagerNavigateButtonClose : public CXTPTabManagerNavigateButton {
public:
    explicit CXTPTabManagerNavigateButtonClose(CXTPTabManager* pManager);
    void DrawSymbol(CDC* pDC, CRect rc) override;
    void PerformClick(BOOL bTick) override;
};
