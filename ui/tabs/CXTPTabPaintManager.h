// How tabs look and how a tab row is laid out: one appearance, one colour set, fonts and options.
#pragma once

#include <windows.h>

#include <vector>

#include "CCmdTarget.h"
#include "CDC.h"
#include "CGdiObject.h"
#include "CRect.h"
#include "CString.h"

class CXTPTabAppearance;
class CXTPTabColorSet;
class CXTPTabManager;
class CXTPTabManagerItem;
class CXTPTabManagerNavigateButton;
class CXTPTabPaintObserver;

enum XTPTabPosition { xtpTabPositionTop = 0, xtpTabPositionLeft = 1, xtpTabPositionBottom = 2, xtpTabPositionRight = 3 };
enum XTPTabLayoutStyle {
    xtpTabLayoutAutoSize = 0,   // natural widths
    xtpTabLayoutSizeToFit = 1,  // shrunk to the row
    xtpTabLayoutFixed = 2,      // the default width
    xtpTabLayoutCompressed = 3  // only the selected tab shows its caption
};
enum XTPTabAppearanceStyle {
    xtpTabAppearanceClassic = 0,
    xtpTabAppearanceHotClassic = 1,
    xtpTabAppearanceRounded = 2,
    xtpTabAppearanceSlanted = 3,
    xtpTabAppearanceFlatButtons = 4,
    xtpTabAppearanceRaised = 5,
    xtpTabAppearanceBoxed = 6,
    xtpTabAppearanceTrapezoid = 7,
    xtpTabAppearanceStacked = 8
};
enum XTPTabColorStyle {
    xtpTabColorDefault = 1,
    xtpTabColorSoft = 2,
    xtpTabColorScheme = 4,
    xtpTabColorNative = 8,
    xtpTabColorLight = 16
};
// How the page area beside the row is framed.
enum XTPTabClientFrame { xtpTabFrameBorder = 0, xtpTabFrameSingleLine = 1, xtpTabFrameNone = 2 };

class CXTPTabPaintManager : public CCmdTarget {
public:
    CXTPTabPaintManager();
    ~CXTPTabPaintManager() override;

    virtual void DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
    virtual void AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient);
    virtual void RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient);
    // With bDraw the icon and caption of one tab; without, the length the tab needs.
    virtual int DrawTabText(CDC* pDC, CXTPTabManagerItem* pItem, CRect rcItem, BOOL bDraw);
    virtual void RefreshMetrics();
    virtual void OnPropertyChanged();

    void SetAppearance(int nAppearance);
    // Installs a ready appearance (owned from now on) and its default colour set.
    void SetAppearanceSet(CXTPTabAppearance* pAppearance);
    void SetColor(int nColor);
    void SetColorSet(CXTPTabColorSet* pColorSet);
    int GetAppearance() const { return m_nAppearance; }
    int GetColor() const { return m_nColor; }
    CXTPTabAppearance* GetAppearanceSet() const { return m_pAppearanceSet; }
    CXTPTabColorSet* GetColorSet() const { return m_pColorSet; }
    void SetPosition(int nPosition);
    int GetPosition() const { return m_nPosition; }
    BOOL IsHorizontalPosition() const { return m_nPosition == xtpTabPositionTop || m_nPosition == xtpTabPositionBottom; }
    void SetLayout(int nLayout);
    int GetLayout() const { return m_nLayout; }
    void SetFontIndirect(const LOGFONTA* pLogFont, BOOL bUseStandardFont = FALSE);
    BOOL IsLunaColorsDisabled() const;

    void AddObserver(CXTPTabPaintObserver* pObserver);
    void RemoveObserver(CXTPTabPaintObserver* pObserver);

    void DrawNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc);
    void EnsureVisible(CXTPTabManager* pTabManager, CXTPTabManagerItem* pItem);
    // Shrinks the tabs, longest first, so that their lengths add up to nAvailable exactly.
    void ShrinkToFit(CXTPTabManager* pTabManager, int nAvailable);
    int GetTextWidth(CDC* pDC, const CString& strText, UINT nFormat) const;
    // A text that does not fit is shortened in its middle; a path by the system's path rule.
    void DrawTextMiddleEllipsis(CDC* pDC, const CString& strText, CRect rc, UINT nFormat);
    // The left and right parts around "..." that fit the width; "..." alone without room.
    CString GetMiddleEllipsisText(CDC* pDC, const CString& strText, int nAvailable, UINT nFormat) const;
    // The start of the text and "..." in the width (turned text, which DrawText cannot shorten).
    CString GetEndEllipsisText(CDC* pDC, const CString& strText, int nAvailable) const;
    // Tab texts run along the row: across in horizontal rows and in stacked bars, else downwards.
    BOOL IsHorizontalText() const;
    int ClampItemLength(int nLength, int nMin, int nMax) const;
    CRect RepositionNavigateButtons(CXTPTabManager* pTabManager, CRect rcClient);

    // The standard row layout and drawing the appearances reach through their defaults.
    void RepositionTabControlDefault(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient);
    void DrawTabControlDefault(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);

    // Shrinks a rectangle by (l, t, r, b) given for the top position, t always facing the row.
    static void DeflateOriented(CRect& rc, const CRect& rcMargin, int nPosition);
    // "&&" becomes "&", any other "&" goes.
    static CString StripMnemonics(const CString& strText);

    CFont* GetFont(BOOL bBold, BOOL bVertical);
    CFont* GetItemFont(CXTPTabManagerItem* pItem);

    BOOL m_bHotTracking = FALSE;
    BOOL m_bShowIcons = TRUE;
    BOOL m_bBoldSelected = FALSE;      // the selected tab of an active manager in bold
    BOOL m_bBoldNormal = FALSE;        // every tab in bold
    BOOL m_bDisableLunaColors = FALSE;
    BOOL m_bPerTabColors = FALSE;     // each tab in its own colour
    int m_nFrameStyle = xtpTabFrameBorder;
    BOOL m_bStaticFrame = FALSE;
    CRect m_rcClientMargin;
    CRect m_rcControlMargin;
    CRect m_rcButtonMargin;            // the tab inset: left and right lengthen every tab
    BOOL m_bFillBackground = TRUE;
    CSize m_szIcon{16, 16};
    BOOL m_bMiddleEllipsis = FALSE;
    BOOL m_bDrawTextNoPrefix = TRUE;   // ampersands are shown as they are
    BOOL m_bInvertGradient = FALSE;    // header gradients run the other way
    BOOL m_bUseStandardFont = TRUE;    // fonts follow the system icon-title font

protected:
    void DeleteFonts();

    CXTPTabAppearance* m_pAppearanceSet = nullptr;
    CXTPTabColorSet* m_pColorSet = nullptr;
    std::vector<CXTPTabPaintObserver*> m_arrObservers;
    int m_nAppearance = 0;
    int m_nColor = 1;
    int m_nPosition = xtpTabPositionTop;
    int m_nLayout = xtpTabLayoutAutoSize;
    CFont m_fntNormal;
    CFont m_fntBold;
    CFont m_fntVerticalNormal;
    CFont m_fntVerticalBold;
};
