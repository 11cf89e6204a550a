// Header themes: how a column header draws its background, dividers, texts, bitmaps and sort arrows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "CDC.h"
#include "CRect.h"
#include "CXTPUxTheme.h"
#include "CXTThemeManagerStyle.h"

class CXTHeaderCtrl;

// One item being drawn.
struct CXTHeaderDrawInfo {
    enum { statePressed = 0x01, stateHot = 0x40 };
    int nItem = -1;
    UINT nState = 0;
    CDC* pDC = nullptr;
    CRect rcItem;
    HDITEMA hdi = {};
    char szText[256] = {};
    // Where the text ended up; the sort arrow starts right of it.
    CRect rcText;
};

class CXTHeaderTheme : public CXTThemeManagerStyle {
public:
    enum { drawWinTheme = 0x01, drawWinThemeItems = 0x02, drawSortArrow = 0x04 };

    CXTHeaderTheme();
    ~CXTHeaderTheme() override;

    void RefreshMetrics() override;
    virtual void DrawHeader(CDC* pDC, CXTHeaderCtrl* pHeader);
    // Draw style 0x01 and the system's visual style for headers is there and drawing.
    virtual BOOL CanUseWinTheme(CXTHeaderCtrl* pHeader);
    virtual BOOL SetDrawStyle(DWORD nStyle, CXTHeaderCtrl* pHeader);
    virtual DWORD GetDrawStyle() const { return m_nDrawStyle; }
    virtual BOOL Layout(HDLAYOUT* pLayout, CXTHeaderCtrl* pHeader);
    virtual void CleanUp(CXTHeaderCtrl* pHeader);
    virtual BOOL SetBitmap(int nCol, UINT nBitmapID, BOOL bRemove, COLORREF crMask, CXTHeaderCtrl* pHeader);
    virtual void DrawItemBackground(CXTHeaderDrawInfo& info);
    virtual BOOL DrawWinThemeBackground(CXTHeaderDrawInfo& info);
    virtual void DrawItemDivider(CXTHeaderDrawInfo& info);
    virtual BOOL DrawWinThemeItem(CXTHeaderDrawInfo& info);
    virtual void DrawSortArrowAt(CXTHeaderDrawInfo& info, BOOL bAscending);
    virtual void DrawItemText(CXTHeaderDrawInfo& info, CXTHeaderCtrl* pHeader);
    virtual void DrawItemBitmap(CXTHeaderDrawInfo& info, CRect& rcText, CXTHeaderCtrl* pHeader);
    virtual void DrawSortArrow(CDC* pDC, POINT points[3], BOOL bAscending);

    int m_nTheme = 0;
    int m_nSortArrowGap = 10;
    DWORD m_nDrawStyle = drawWinTheme | drawWinThemeItems | drawSortArrow;
    bool m_bUseWinTheme = false;
    int m_nTextMargin = 6;
    int m_nTextTop = 0;  // 0: centred
    int m_nArrowWidth = 8;
    int m_nArrowHeight = 7;
    COLORREF m_crText = 0, m_crFace = 0, m_crShadow = 0, m_crDkShadow = 0, m_crHilite = 0;
    CXTPUxTheme m_themeHeader;

protected:
    void VerticalLine(CDC* pDC, int x, int yFrom, int yTo, COLORREF color);
    void HorizontalLine(CDC* pDC, int xFrom, int xTo, int y, COLORREF color);
};

class CXTHeaderThemeFlat : public CXTHeaderTheme {
public:
    CXTHeaderThemeFlat();
    void DrawItemBackground(CXTHeaderDrawInfo& info) override;
    void DrawItemDivider(CXTHeaderDrawInfo& info) override;
};

class CXTHeaderThemeSoft : public CXTHeaderTheme {
public:
    CXTHeaderThemeSoft();
    void DrawItemBackground(CXTHeaderDrawInfo& info) override;
    void DrawItemDivider(CXTHeaderDrawInfo& info) override;
};

// 1 the flat theme, 2 the soft theme, anything else the default one.
class CXTHeaderThemeFactory : public CXTThemeManagerStyleFactory {
    DECLARE_DYNCREATE(CXTHeaderThemeFactory)

public:
    CXTThemeManagerStyle* CreateTheme(int nTheme) override;
};
