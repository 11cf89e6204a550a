// One tab of a tab manager: caption, colour, state flags and the rectangle the layout gave it.
#pragma once

#include <windows.h>

#include "CCmdTarget.h"
#include "CRect.h"
#include "CString.h"

class CXTPTabManager;

// Tab colours from 0x1000000 to 0x1000007 stand for the eight automatic colours.
enum { xtpTabColorAutomatic = 0x1000000, xtpTabColorAutomaticCount = 8 };

class CXTPTabManagerItem : public CCmdTarget {
    friend class CXTPTabManager;

public:
    CXTPTabManagerItem() = default;

    // Stores a changed caption and lays the row out again; the same text changes nothing.
    void SetCaption(const char* lpszCaption);
    void SetColor(COLORREF clr);
    // Asked of the manager, so a derived manager can answer for the item.
    CString GetCaption() const;
    COLORREF GetColor() const;
    // Deletes the item from its manager.
    void Remove();

    BOOL IsEnabled() const { return m_bEnabled; }
    BOOL IsVisible() const { return m_bVisible; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    void SetVisible(BOOL bVisible) { m_bVisible = bVisible; }
    BOOL IsSelected() const;
    BOOL IsHighlighted() const;

    int GetIndex() const { return m_nIndex; }
    CRect GetRect() const { return m_rcItem; }
    void SetRect(const CRect& rc) { m_rcItem = rc; }
    CXTPTabManager* GetTabManager() const { return m_pTabManager; }

    DWORD_PTR GetData() const { return m_dwData; }
    void SetData(DWORD_PTR dwData) { m_dwData = dwData; }
    int GetImageIndex() const { return m_nImage; }
    void SetImageIndex(int nImage) { m_nImage = nImage; }
    const CString& GetCaptionText() const { return m_strCaption; }
    const CString& GetTooltip() const { return m_strToolTip; }
    void SetTooltip(const char* lpszTooltip) { m_strToolTip = lpszTooltip; }
    COLORREF GetStoredColor() const { return m_clrItem; }

    // Length along the row, set by the layout.
    int GetLength() const { return m_nLength; }
    void SetLength(int nLength) { m_nLength = nLength; }

    BOOL m_bFound = FALSE;  // marker of the tab client's synchronisation

private:
    int m_nLength = 0;
    int m_nIndex = -1;
    BOOL m_bEnabled = TRUE;
    BOOL m_bVisible = TRUE;
    DWORD_PTR m_dwData = 0;
    int m_nImage = 0;
    CRect m_rcItem;
    CString m_strCaption;
    CString m_strToolTip;
    COLORREF m_clrItem = 0;
    CXTPTabManager* m_pTabManager = nullptr;
};
