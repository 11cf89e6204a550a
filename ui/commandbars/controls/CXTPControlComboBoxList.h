// The drop-down list of a command-bar combo box: a popup bar whose window is a list box.
#pragma once

#include "CXTPPopupBar.h"

class CXTPControlComboBox;
class CXTPPropExchange;

class CXTPControlComboBoxList : public CXTPPopupBar {
    DECLARE_SERIAL(CXTPControlComboBoxList)

public:
    // Items a saved list gives back at most.
    enum { kMaxLoadedItems = 32767 };
    // Rows a list shows at most before it scrolls.
    enum { kMaxRows = 12 };

    CXTPControlComboBoxList();
    ~CXTPControlComboBoxList() override;

    // The list-box window (hidden, owned by the window SetOwnerSite gave); TRUE when it exists.
    // Made when first needed: a list nobody fills or opens costs no window.
    virtual BOOL CreateListBox();
    // The window that owns the list's window, now or when it is made.
    void SetOwnerSite(HWND hWndOwner);
    BOOL Popup(CXTPControl* pControlPopup, BOOL bSelectFirst) override;
    BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    BOOL OnKeyDown(UINT nChar) override;
    void Copy(CXTPCommandBar* pSrc, BOOL bRecursive = FALSE) override;
    // The popup bar's keys, then the items.
    void DoPropExchange(CXTPPropExchange* pPX) override;
    // Section "Items": "Count", then "Item0" ... as strings.
    void ExchangeItems(CXTPPropExchange* pPX);

    CXTPControlComboBox* GetComboBox() const { return m_pComboBox; }
    // The list's width when 1 or more, else the combo's.
    int GetListWidth() const { return m_nListWidth; }
    void SetListWidth(int nWidth) { m_nListWidth = nWidth; }

    int GetCount() const;
    int GetCurSel() const;
    CString GetText(int nIndex) const;
    int AddString(const char* lpszItem);
    void ResetContent();

    DECLARE_MESSAGE_MAP()

protected:
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);
    void OnNcPaint();
    void OnPaint();
    // The item under a client point, or -1.
    int ItemFromPoint(CPoint point) const;

    CXTPControlComboBox* m_pComboBox = nullptr;
    int m_nListWidth = 0;
    HWND m_hWndOwnerSite = nullptr;
};
