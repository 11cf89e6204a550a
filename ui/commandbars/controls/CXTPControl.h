// The item of a command bar: identity, texts, state, flags, execution and customize-mode handling.
#pragma once

#include <windows.h>

#include "CCmdTarget.h"
#include "CMap.h"
#include "CRect.h"
#include "CString.h"
#include "XTPCommandBarsTypes.h"

class CDC;
class CXTPCommandBar;
class CXTPCommandBars;
class CXTPControls;
class CXTPPaintManager;
class CXTPImageManager;
class CXTPImageManagerIcon;
class CXTPPropExchange;

class CXTPControl : public CCmdTarget {
    DECLARE_SERIAL(CXTPControl)

public:
    CXTPControl();
    ~CXTPControl() override;

    virtual CString GetTooltip() const { return m_strTooltipText; }
    virtual void SetBeginGroup(BOOL bBeginGroup);
    virtual void SetEnabled(BOOL bEnabled);
    virtual int GetSelected() const { return m_bSelected; }
    virtual void SetRect(CRect rcControl) { m_rcControl = rcControl; }
    // Equal in what the user can customize; hide bit 2 (no room) does not count, bit 16 does.
    virtual BOOL Compare(CXTPControl* pOther);
    virtual CXTPCommandBar* GetCommandBar() const { return nullptr; }
    virtual void SetHideFlags(DWORD dwFlags) { m_dwHideFlags = dwFlags; }
    virtual void Execute();
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual CXTPImageManagerIcon* GetImage(int nWidth = 16) const;
    virtual BOOL OnHookKeyDown(UINT /*nChar*/) { return FALSE; }
    virtual void SetParent(CXTPCommandBar* pParent) { m_pParent = pParent; }
    virtual void Copy(CXTPControl* pSrc, BOOL bRecursive = FALSE);
    virtual BOOL OnSetPopup(BOOL /*bPopup*/) { return FALSE; }
    virtual void OnClick(BOOL /*bKeyboard*/ = FALSE, CPoint /*point*/ = CPoint(0, 0)) {}
    virtual void OnLButtonUp(CPoint /*point*/) {}
    virtual void OnRButtonUp(CPoint /*point*/) {}
    virtual BOOL OnLButtonDblClk(CPoint point);
    virtual void OnMouseMove(CPoint /*point*/) {}
    virtual void OnMouseHover();
    virtual BOOL OnSetSelected(int bSelected);
    virtual void OnCustomizeMouseDown(CPoint point);
    virtual BOOL CustomizeStartResize(CPoint point);
    virtual void OnCustomizeDragOver();
    virtual BOOL AcceptsCustomizeDrop() { return TRUE; }
    virtual BOOL CanResizeInCustomize() { return FALSE; }
    virtual int GetCustomizeMinWidth() { return 0; }
    virtual void SetWidth(int /*nWidth*/) {}
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);
    // The owner rectangle (client coordinates of the bar) a popup of this control keeps clear of,
    // as the theme shapes it.
    virtual void AdjustExcludeRect(CRect& rc);

    // Told by a bar's layout before measuring: LM_VERTDOCK (16) set when the bar is docked
    // vertically. Controls that cannot stand in a vertical bar hide themselves here.
    virtual void OnLayoutMode(DWORD /*dwMode*/) {}
    // The control's keys in a saved layout; kinds add theirs after these.
    virtual void DoPropExchange(CXTPPropExchange* pPX);

    // Loads string nID as prompt when the caption is still empty.
    void SetID(int nID);
    // "Description\nShort name" or one text for all three.
    void SetPrompt(CString strPrompt);
    // "Name\tKey" sets the automatic shortcut text from the part after the tab.
    void SetCaption(const char* lpszCaption);
    CString GetCaption() const { return m_strCustomCaption.IsEmpty() ? m_strCaption : m_strCustomCaption; }
    void SetCustomCaption(const char* lpszCaption) { m_strCustomCaption = lpszCaption; }
    CString GetCustomCaption() const { return m_strCustomCaption; }
    CString GetShortcutText() const { return m_strShortcutText; }
    void SetShortcutText(const char* lpszText) { m_strShortcutText = lpszText; }
    CString GetAutoShortcutText() const { return m_strAutoShortcutText; }
    void SetTooltip(const char* lpszText) { m_strTooltipText = lpszText; }
    CString GetDescription() const { return m_strDescriptionText; }
    void SetDescription(const char* lpszText) { m_strDescriptionText = lpszText; }
    CString GetParameter() const { return m_strParameter; }
    void SetParameter(const char* lpszText) { m_strParameter = lpszText; }
    CString GetCategory() const { return m_strCategory; }
    void SetCategory(const char* lpszText) { m_strCategory = lpszText; }
    void SetDefaultItem(BOOL bDefault);
    BOOL IsDefaultItem() const { return m_bDefaultItem; }
    void SetExpanded(BOOL bExpanded);
    BOOL IsExpanded() const { return m_bExpanded; }

    int GetID() const { return m_nId; }
    XTPControlType GetType() const { return m_controlType; }
    void SetType(XTPControlType type) { m_controlType = type; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    DWORD GetHideFlags() const { return m_dwHideFlags; }
    BOOL IsVisible() const { return m_dwHideFlags == 0; }
    int GetIndex() const { return m_nIndex; }
    CXTPCommandBar* GetParent() const { return m_pParent; }
    CXTPControls* GetControls() const { return m_pControls; }
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    BOOL GetEnabled() const { return m_bEnabled; }
    int GetChecked() const { return m_bChecked; }
    void SetChecked(int bChecked);
    int GetPressed() const { return m_bPressed; }
    void SetPressed(int bPressed) { m_bPressed = bPressed; }
    BOOL IsTemporary() const { return m_bTemporary; }
    void SetTemporary(BOOL bTemporary) { m_bTemporary = bTemporary; }
    BOOL GetWrap() const { return m_bWrap; }
    void SetWrap(BOOL bWrap) { m_bWrap = bWrap; }
    CRect GetRect() const { return m_rcControl; }
    CRect GetRowRect() const { return m_rcRow; }
    void SetRowRect(CRect rcRow) { m_rcRow = rcRow; }
    DWORD_PTR GetTag() const { return m_nTag; }
    void SetTag(DWORD_PTR nTag) { m_nTag = nTag; }
    int GetIconId() const { return m_nIconId; }
    void SetIconId(int nId) { m_nIconId = nId; }
    int GetCustomIconId() const { return m_nCustomIconId; }
    void SetCustomIconId(int nId) { m_nCustomIconId = nId; }
    // Custom icon id, else icon id when 1 or more, else the command id.
    int GetEffectiveIconId() const;
    int GetStyle() const { return m_nCustomStyle ? m_nCustomStyle : m_nStyle; }
    void SetStyle(int nStyle) { m_nStyle = nStyle; }
    void SetCustomStyle(int nStyle) { m_nCustomStyle = nStyle; }
    int GetCustomStyle() const { return m_nCustomStyle; }
    BOOL GetCloseSubMenuOnClick() const { return m_bCloseSubMenuOnClick; }
    void SetCloseSubMenuOnClick(BOOL bClose) { m_bCloseSubMenuOnClick = bClose; }

    // The document templates the control shows for, and those it hides for.
    CMap<UINT, UINT, BOOL, BOOL>& GetDocTemplatesAssigned() { return m_mapDocTemplatesAssigned; }
    CMap<UINT, UINT, BOOL, BOOL>& GetDocTemplatesExcluded() { return m_mapDocTemplatesExcluded; }

    void RedrawParent();
    void DelayLayoutParent();
    void Redraw();
    BOOL IsCustomizeMode() const;
    BOOL IsCursorOver() const;
    CXTPPaintManager* GetPaintManager() const;
    CXTPImageManager* GetImageManager() const;
    // The cursor of a width resize in customize mode (resource cursor 9972).
    static HCURSOR LoadResizeCursor();

protected:
    // The press-and-release loop of a toolbar button; executes when released over the control.
    void ClickToolBarButton(CRect rcActive = CRect(0, 0, 0, 0));
    CXTPCommandBars* GetCommandBarsOfParent() const;

    DWORD m_dwReserved = 0;
    DWORD_PTR m_nTag = 0;
    int m_nIndex = 0;
    int m_nId = 0;
    int m_nIconId = 0;
    int m_nCustomIconId = 0;
    BOOL m_bWrap = FALSE;
    BOOL m_bBeginGroup = FALSE;
    BOOL m_bEnabled = TRUE;
    int m_bChecked = 0;
    int m_bSelected = xtpNotSelected;
    int m_bPressed = 0;
    BOOL m_bTemporary = FALSE;
    CRect m_rcRow;
    CRect m_rcControl;
    DWORD m_dwHideFlags = 0;
    DWORD m_dwFlags = 0;
    CString m_strCaption;
    CString m_strCustomCaption;
    CString m_strShortcutText;
    CString m_strAutoShortcutText;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strParameter;
    CXTPControls* m_pControls = nullptr;
    XTPControlType m_controlType = xtpControlError;
    CXTPCommandBar* m_pParent = nullptr;
    BOOL m_bExpanded = FALSE;
    CString m_strCategory;
    BOOL m_bDefaultItem = FALSE;
    CMap<UINT, UINT, BOOL, BOOL> m_mapDocTemplatesAssigned;
    CMap<UINT, UINT, BOOL, BOOL> m_mapDocTemplatesExcluded;
    int m_nStyle = 0;
    int m_nCustomStyle = 0;
    BOOL m_bCloseSubMenuOnClick = TRUE;

    friend class CXTPControls;
};
