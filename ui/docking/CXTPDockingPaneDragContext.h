// The drag context: the modal loop that moves a pane, a tab group or a floating frame with
// the mouse, shows where it would land (an inverted outline, or translucent windows with
// docking markers) and docks, attaches, floats or moves it on release.
#pragma once

#include <windows.h>

#include <vector>

#include "CRect.h"
#include "CXTPDockingPaneAlphaWnd.h"
#include "CXTPDockingPaneOwner.h"

class CDC;
class CXTPDockingPaneManager;
class CXTPDockingPaneStickerWnd;

// Marker parts: the bits of a marker's part mask, its hot part and the hit test's answer.
enum {
    xtpPaneStickerLeft = 1,
    xtpPaneStickerRight = 2,
    xtpPaneStickerTop = 4,
    xtpPaneStickerBottom = 8,
    xtpPaneStickerCenter = 16,
    xtpPaneStickerCross = 31
};

// Where one piece of marker artwork goes in a cross window, and where it lies in its image.
struct XTPDockingPaneStickerPiece {
    int x, y;
    RECT rcSource;
};

typedef BOOL(WINAPI* PFNSETLAYEREDWINDOWATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);

class CXTPDockingPaneDragContext {
public:
    explicit CXTPDockingPaneDragContext(CXTPDockingPaneManager* pManager);
    virtual ~CXTPDockingPaneDragContext();
    CXTPDockingPaneDragContext(const CXTPDockingPaneDragContext&) = delete;
    CXTPDockingPaneDragContext& operator=(const CXTPDockingPaneDragContext&) = delete;

    // Runs the whole drag of pElement from the screen point (x, y).
    virtual void Drag(CXTPDockingPaneBase* pElement, int x, int y);
    virtual void TrackLoop();
    virtual void Move(POINT pt);
    virtual void BeginTracking();
    virtual void EndTracking();
    virtual void DrawTracker(BOOL bRemove);
    virtual void FindDockTarget(int x, int y);

    // Marker artwork: one piece, the pieces of a marker, and the part under a screen point.
    void DrawStickerPart(CDC* pDC, UINT nBitmap, const XTPDockingPaneStickerPiece& piece, BOOL bAtOffset);
    void DrawStickers(CXTPDockingPaneStickerWnd* pSticker, CDC* pDC);
    int StickerHitTest(CXTPDockingPaneStickerWnd* pSticker, POINT pt);

    BOOL DockHitTest(CRect rc, CPoint pt, CXTPDockingPaneBase* pElement, BOOL bInside);
    BOOL CanDock(CXTPDockingPaneBase* pTarget, int nDirection);
    BOOL CanAttach(CXTPDockingPaneBase* pTarget);
    void UpdateStickers();
    CXTPDockingPaneStickerWnd* CreateSticker(CRect rc, int nParts);
    void DestroyStickers();
    // Makes the marker windows of a drag hidden, with their shapes and artwork, before the
    // pointer moves: showing a made window costs a move far less than making it.
    void PrepareStickers();

    // The marker geometry, in the order top, left, bottom, right, centre, the same highlighted,
    // then the cross backdrop.
    static const XTPDockingPaneStickerPiece s_arrStickerPieces[11];
    // The atlas of the current colour scheme.
    static UINT GetStickerAtlas();

    CXTPDockingPaneAlphaWnd m_wndAlpha;
    CXTPDockingPaneAlphaWnd m_wndAlphaTab;
    PFNSETLAYEREDWINDOWATTRIBUTES m_pfnSetLayeredWindowAttributes = nullptr;
    BOOL m_bUseStickers = FALSE;
    BOOL m_bUseAlpha = FALSE;
    CRect m_rcHost;
    CXTPDockingPaneBase* m_pHost = nullptr;
    std::vector<CXTPDockingPaneStickerWnd*> m_lstStickers;
    std::vector<CXTPDockingPaneStickerWnd*> m_lstHiddenStickers;  // made for this drag, not shown now
    CPoint m_ptLast;
    CPoint m_ptStart;
    CRect m_rcFloat;
    CXTPDockingPaneManager* m_pManager;
    CXTPDockingPaneBase* m_pElement = nullptr;
    CXTPDockingPaneBase* m_pTarget = nullptr;
    CRect m_rcDock;
    BOOL m_bLastAttach = FALSE;
    BOOL m_bAttach = FALSE;
    BOOL m_bCanFloat = TRUE;
    CRect m_rcLast;
    HRGN m_rgnSticker[5] = {};
    XTPDockingPaneDirection m_nDirection = DPD_LEFT;
    HDC m_hDC = nullptr;  // the desktop DC of the outline form
    BOOL m_bLocked = FALSE;  // the desktop's updates are locked by this drag
    HWND m_hCapture = nullptr;  // the window this drag gave the capture

private:
    // A hidden marker window of the mask's shape, its region set; null when the system refuses.
    CXTPDockingPaneStickerWnd* MakeStickerWnd(CSize size, int nParts);
    // Shows pSticker at rc with the parts and appends it to the shown markers.
    void ShowSticker(CXTPDockingPaneStickerWnd* pSticker, const CRect& rc, int nParts);
    // A marker of the mask's shape for rc: one now shown (the one already at rc first), or a
    // hidden one; null when there is none.
    CXTPDockingPaneStickerWnd* TakeSticker(std::vector<CXTPDockingPaneStickerWnd*>& lstShown, const CRect& rc,
                                           int nParts);
};
