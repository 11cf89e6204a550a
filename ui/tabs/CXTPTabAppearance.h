// The appearance styles of a tab control: geometry of the row and the client area, and the
// shape and edges of single tabs. Colours come from the paint manager's colour set.
#pragma once

#include <windows.h>

#include "CDC.h"
#include "CRect.h"

class CXTPTabColorSet;
class CXTPTabManager;
class CXTPTabManagerItem;
class CXTPTabPaintManager;

class CXTPTabAppearance {
public:
    explicit CXTPTabAppearance(const CRect& rcHeaderMargin = CRect(2, 3, 6, 0));
    virtual ~CXTPTabAppearance() = default;
    CXTPTabAppearance(const CXTPTabAppearance&) = delete;
    CXTPTabAppearance& operator=(const CXTPTabAppearance&) = delete;

    // Text height = max(18, height of " " in the tab font + 3).
    virtual void RefreshMetrics();
    virtual CRect GetHeaderRect(CRect rcControl, CXTPTabManager* pTabManager);
    virtual CRect GetClientRect(CRect rcControl, CXTPTabManager* pTabManager);
    virtual CRect GetHeaderMargin();
    virtual CRect GetClientMargin(CXTPTabManager* pTabManager);
    virtual int GetItemWidth(CDC* pDC, CXTPTabManagerItem* pItem);
    virtual int GetTabHeight(CXTPTabManager* pTabManager);
    virtual void DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
    // Paints the header background and the client frame; returns the header rectangle.
    virtual CRect FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
    virtual void RepositionTabs(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient);
    virtual void AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient);
    virtual void DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem);
    // MDI workspace pieces: 0 frame, 1 shrink the frame rectangle, 2 and 3 splitters.
    virtual void DrawWorkspacePart(CDC* pDC, LPRECT lpRect, int nPart);
    // Bit mask of the colour sets 1, 2, 4, 8 and 16 that suit the style.
    virtual int GetSupportedColorSets() { return 1 | 2 | 4 | 8 | 16; }
    virtual int GetDefaultColorSet() { return 1; }

    void SetPaintManager(CXTPTabPaintManager* pPaintManager) { m_pPaintManager = pPaintManager; }
    CXTPTabPaintManager* GetPaintManager() const { return m_pPaintManager; }
    int GetTextHeight() const { return m_nTextHeight; }

    // Grows a rectangle by (a, b, c, d) given for the top position, turned to the position.
    static void InflateTurned(CRect& rc, int a, int b, int c, int d, int nPosition);
    static void DeflateTurned(CRect& rc, int a, int b, int c, int d, int nPosition)
    {
        InflateTurned(rc, -a, -b, -c, -d, nPosition);
    }
    // A one-pixel line along the side facing the position: top and left in clrTopLeft,
    // bottom and right in clrBottomRight; -1 draws nothing.
    static void DrawEdgeLine(CDC* pDC, const CRect& rc, int nPosition, COLORREF clrTopLeft, COLORREF clrBottomRight);
    // From a point, a one-pixel pen draws through relative steps.
    static void DrawPolyLine(CDC* pDC, COLORREF clr, CPoint ptStart, const POINT* pSteps, int nSteps);
    // A point given for the top position (u along the row from the leading end, v from the
    // outer edge) turned into a rectangle at another position.
    static CPoint TurnPoint(const CRect& rcItem, int u, int v, int nPosition);
    // A one-pixel line between two turned points, both ends drawn; -1 draws nothing.
    static void DrawTurnedLine(CDC* pDC, const CRect& rcItem, int nPosition, int u0, int v0, int u1, int v1,
                               COLORREF clr);
    // Lines through turned points with one pen, the last point drawn too.
    static void DrawTurnedPolyline(CDC* pDC, const CRect& rcItem, int nPosition, const POINT* pPoints, int nCount,
                                   COLORREF clr);

    CRect m_rcHeaderMargin;  // the row's margins, the base of GetHeaderMargin

protected:
    CXTPTabColorSet* GetColorSet() const;
    int GetPosition() const;
    // The client margin, with room for the style's pane edge when a styled colour set draws
    // the client inside a full frame.
    CRect GetStyledPaneMargin(CXTPTabManager* pTabManager);
    // The header background, then by the client-frame mode the client fill with a frame, or
    // the line on the tab side, or nothing; returns the header rectangle.
    CRect FillHeaderAndFrame(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl, COLORREF clrTopLeft,
                             COLORREF clrBottomRight);
    // Fills a polygon (absolute points) with the colour set's face; returns the face colour.
    COLORREF FillPolygonTab(CDC* pDC, CXTPTabManagerItem* pItem, const POINT* pPoints, int nCount);

    int m_nTextHeight = 18;
    CXTPTabPaintManager* m_pPaintManager = nullptr;
};

// Style 0: raised property-page tabs with a 3D frame.
class CXTPTabAppearanceClassic : public CXTPTabAppearance {
public:
    CXTPTabAppearanceClassic() : CXTPTabAppearance(CRect(2, 3, 6, 0)) {}
    CRect GetClientMargin(CXTPTabManager* pTabManager) override;
    CRect FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 1 | 4 | 8; }
    int GetDefaultColorSet() override { return 1; }

protected:
    void DrawClassicTab(CDC* pDC, CXTPTabManagerItem* pItem);
};

// Style 1: as style 0, but only the selected and the hot tab are raised.
class CXTPTabAppearanceHotClassic : public CXTPTabAppearanceClassic {
public:
    void DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem) override;
};

// Style 6: boxes framed in the frame-border colour.
class CXTPTabAppearanceBoxed : public CXTPTabAppearance {
public:
    explicit CXTPTabAppearanceBoxed(const CRect& rcMargin = CRect(2, 2, 4, 0)) : CXTPTabAppearance(rcMargin) {}
    CRect FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 1 | 2 | 4; }
    int GetDefaultColorSet() override { return 2; }
};

// Style 2: tabs with smoothed corners.
class CXTPTabAppearanceRounded : public CXTPTabAppearanceBoxed {
public:
    CXTPTabAppearanceRounded() : CXTPTabAppearanceBoxed(CRect(2, 2, 4, 0)) {}
    void DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetDefaultColorSet() override { return 1; }

    BOOL m_bCornerSmoothing = TRUE;
};

// Style 3: slanted tabs drawn as polygons.
class CXTPTabAppearanceSlanted : public CXTPTabAppearance {
public:
    CXTPTabAppearanceSlanted() : CXTPTabAppearance(CRect(2, 3, 6, 0)) {}
    CRect GetHeaderMargin() override;
    CRect GetClientMargin(CXTPTabManager* pTabManager) override;
    CRect FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 1 | 4 | 16; }
    int GetDefaultColorSet() override { return 4; }

    BOOL m_bHotOutline = FALSE;
};

// Style 4: flat buttons.
class CXTPTabAppearanceFlatButtons : public CXTPTabAppearance {
public:
    CXTPTabAppearanceFlatButtons() : CXTPTabAppearance(CRect(2, 2, 4, 2)) {}
    CRect FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 1 | 2 | 4 | 8 | 16; }
    int GetDefaultColorSet() override { return 2; }
};

// Style 5: the selected tab raised, the others separated by lines.
class CXTPTabAppearanceRaised : public CXTPTabAppearance {
public:
    CXTPTabAppearanceRaised() : CXTPTabAppearance(CRect(4, 2, 4, 0)) {}
    CRect FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 1 | 2 | 4; }
    int GetDefaultColorSet() override { return 2; }
};

// Style 7: trapezoids with slanted sides.
class CXTPTabAppearanceTrapezoid : public CXTPTabAppearanceBoxed {
public:
    CXTPTabAppearanceTrapezoid() : CXTPTabAppearanceBoxed(CRect(2, 3, 2, 0)) {}
    CRect GetHeaderMargin() override;
    void DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem) override;
};

// Style 8: full-width bars stacked from the top; no header.
class CXTPTabAppearanceStacked : public CXTPTabAppearance {
public:
    CXTPTabAppearanceStacked() : CXTPTabAppearance(CRect(0, 0, 0, 0)) {}
    CRect GetHeaderRect(CRect rcControl, CXTPTabManager* pTabManager) override;
    CRect GetClientRect(CRect rcControl, CXTPTabManager* pTabManager) override;
    void DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
    void RepositionTabs(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient) override;
    void AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient) override;
    void DrawSingleTab(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 1 | 4; }
    int GetDefaultColorSet() override { return 1; }
};
