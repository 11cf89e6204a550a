// The combo box of command bars (type 5): an optional text field and a drop-down list that
// opens as a popup bar under the control.
#pragma once

#include "CXTPControlField.h"
#include "CXTPControlPopup.h"

class CXTPControlComboBoxList;

// The text field of a combo box.
class CXTPControlComboBoxEditCtrl : public CXTPControlFieldCtrl {
public:
    DECLARE_MESSAGE_MAP()

protected:
    void OnPaint();
    void OnContextMenu(CWnd* pWnd, CPoint point);
};

class CXTPControlComboBox : public CXTPControlPopup, public CXTPControlField {
    DECLARE_SERIAL(CXTPControlComboBox)

public:
    CXTPControlComboBox();
    ~CXTPControlComboBox() override;

    void SetEnabled(BOOL bEnabled) override;
    void SetRect(CRect rcControl) override;
    BOOL Compare(CXTPControl* pOther) override;
    void SetHideFlags(DWORD dwFlags) override;
    // The selection chosen is the one a cancelled list comes back to.
    void Execute() override;
    void OnLayoutMode(DWORD dwMode) override { SetHideFlags(LayoutHideFlags(dwMode)); }
    void DoPropExchange(CXTPPropExchange* pPX) override;
    // Without a field 1; with one: Escape 1 (focus back) or 0 (no focus), F4 opens the list and 2,
    // other keys 2 (the field's).
    BOOL OnHookKeyDown(UINT nChar) override;
    void SetParent(CXTPCommandBar* pParent) override;
    void Copy(CXTPControl* pSrc, BOOL bRecursive = FALSE) override;
    BOOL OnSetPopup(BOOL bPopup) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
    void OnMouseHover() override;
    BOOL OnSetSelected(int bSelected) override;
    int GetCustomizeMinWidth() override { return m_nLabelWidth + m_nThumbWidth + 5; }
    void SetWidth(int nWidth) override;
    CXTPControl* Clone(BOOL bRecursive = FALSE) override;

    // The text of the list's selection; empty without one.
    virtual CString GetListBoxText() const;
    CXTPControlComboBoxEditCtrl* CreateEditWindow() override;
    // The list's selection goes into the field (or the kept text) and the bar redraws.
    virtual void OnSelChanged();

    // TRUE gives the combo a text field, FALSE takes it away.
    void SetDropDown(BOOL bDropDown);
    BOOL GetDropDown() const { return m_bDropDown; }
    int GetCurSel() const;
    // Indexes outside -1 .. count - 1 change nothing; the current one again notifies nothing.
    void SetCurSel(int nIndex);
    BOOL IsListOpen() const;
    int AddString(const char* lpszItem);
    int GetCount() const;
    CXTPControlComboBoxList* GetListBox() const;

    DWORD GetListStyle() const { return m_dwListStyle; }
    void SetListStyle(DWORD dwStyle) { m_dwListStyle = dwStyle; }
    int GetWidth() const { return m_nWidth; }
    int GetDropDownWidth() const { return m_nThumbWidth; }
    void SetDropDownWidth(int nWidth);
    CXTPControlComboBoxEditCtrl* GetEditCtrl() const { return static_cast<CXTPControlComboBoxEditCtrl*>(m_pEdit); }

protected:
    BOOL m_bDropDown = FALSE;
    DWORD m_dwListStyle = 0;
    int m_nWidth = 100;
    int m_nLastSel = -1;
    int m_nThumbWidth = 16;
};
