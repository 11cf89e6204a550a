// The Commands page: filling the categories from menus, the category and command lists, and the
// drag of a command's copy from the list onto the bars.
#include "CXTPCustomizeCommandsPage.h"

#include "CDC.h"
#include "CFrameWnd.h"
#include "CMenu.h"
#include "CXTPBufferDC.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPCustomizeDropSource.h"
#include "CXTPCustomizeSheet.h"
#include "CXTPPaintManager.h"
#include "CXTPResourceManager.h"

namespace {

// A menu text without its mnemonic marks ("&&" stands for one ampersand).
CString StripMnemonics(const CString& strText)
{
    CString strResult;
    const char* p = strText;
    for (; *p; p++) {
        if (*p == '&') {
            if (p[1] != '&')
                continue;
            p++;
        }
        strResult += *p;
    }
    return strResult;
}

}  // namespace

// ---- Category record ----

CXTPCustomizeCategory::CXTPCustomizeCategory(const char* lpszName, CXTPCommandBars* pCommandBars)
    : m_strCategory(lpszName)
{
    m_pControls = new CXTPControls;
    m_pControls->SetCommandBars(pCommandBars);
}

CXTPCustomizeCategory::~CXTPCustomizeCategory()
{
    m_pControls->InternalRelease();
}

// ---- Command list ----

BEGIN_MESSAGE_MAP(CXTPCustomizeCommandsListBox, CListBox)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void CXTPCustomizeCommandsListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    auto* pControl = reinterpret_cast<CXTPControl*>(lpDrawItemStruct->itemData);
    if (!m_pCommandBars || lpDrawItemStruct->itemID == static_cast<UINT>(-1) || !pControl)
        return;
    m_pCommandBars->GetPaintManager()->DrawListBoxControl(CDC::FromHandle(lpDrawItemStruct->hDC), pControl,
                                                          lpDrawItemStruct->rcItem,
                                                          (lpDrawItemStruct->itemState & ODS_SELECTED) != 0, TRUE,
                                                          m_pCommandBars);
}

void CXTPCustomizeCommandsListBox::MeasureItem(LPMEASUREITEMSTRUCT /*lpMeasureItemStruct*/)
{
    // Fixed height, set by the page.
}

BOOL CXTPCustomizeCommandsListBox::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;  // the paint fills the background
}

void CXTPCustomizeCommandsListBox::OnPaint()
{
    CPaintDC paintDC(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CXTPBufferDC dc(paintDC.GetSafeHdc(), rcClient);
    dc.FillSolidRect(rcClient, ::GetSysColor(COLOR_WINDOW));
    if (m_pCommandBars)
        m_pCommandBars->GetPaintManager()->DrawListBoxControl(&dc, nullptr, rcClient, FALSE, TRUE, m_pCommandBars);
    // The list draws its entries into the buffer.
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
}

void CXTPCustomizeCommandsListBox::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    if (!m_pCommandBars)
        return;
    m_pCommandBars->SetDragControl(nullptr);
    BOOL bOutside = TRUE;
    const UINT nItem = ItemFromPoint(point, bOutside);
    if (bOutside || static_cast<int>(nItem) >= GetCount())
        return;  // empty space: nothing to drag
    SetCurSel(static_cast<int>(nItem));
    if (CWnd* pParent = GetParent())
        pParent->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
    SetFocus();
    if (auto* pControl = reinterpret_cast<CXTPControl*>(GetItemData(static_cast<int>(nItem))))
        m_pCommandBars->GetDropSource()->DoDragDrop(pControl, TRUE);
}

// ---- Page ----

IMPLEMENT_DYNCREATE(CXTPCustomizeCommandsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CXTPCustomizeCommandsPage, CPropertyPage)
    ON_CONTROL(LBN_SELCHANGE, IDC_CATEGORIES_LIST, OnCategoryChanged)
END_MESSAGE_MAP()

CXTPCustomizeCommandsPage::CXTPCustomizeCommandsPage(CXTPCustomizeSheet* pSheet) : CPropertyPage(IDD), m_pSheet(pSheet)
{
}

CXTPCustomizeCommandsPage::~CXTPCustomizeCommandsPage()
{
    for (CXTPCustomizeCategory* pCategory : m_arrCategories)
        delete pCategory;
}

CXTPCommandBars* CXTPCustomizeCommandsPage::GetCommandBars() const
{
    return m_pSheet ? m_pSheet->GetCommandBars() : nullptr;
}

CXTPCustomizeCategory* CXTPCustomizeCommandsPage::GetCategory(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCategoryCount() ? m_arrCategories[static_cast<size_t>(nIndex)] : nullptr;
}

CXTPCustomizeCategory* CXTPCustomizeCommandsPage::FindCategory(const char* lpszName) const
{
    for (CXTPCustomizeCategory* pCategory : m_arrCategories) {
        if (pCategory->m_strCategory.Compare(lpszName) == 0)
            return pCategory;
    }
    return nullptr;
}

CXTPCustomizeCategory* CXTPCustomizeCommandsPage::AddCategory(const char* lpszName, int nIndex)
{
    if (CXTPCustomizeCategory* pCategory = FindCategory(lpszName))
        return pCategory;
    return InsertNewCategory(lpszName, nIndex);
}

CXTPCustomizeCategory* CXTPCustomizeCommandsPage::InsertNewCategory(const char* lpszName, int nIndex)
{
    auto* pCategory = new CXTPCustomizeCategory(lpszName, GetCommandBars());
    if (nIndex < 0 || nIndex >= GetCategoryCount())
        m_arrCategories.push_back(pCategory);
    else
        m_arrCategories.insert(m_arrCategories.begin() + nIndex, pCategory);
    return pCategory;
}

CXTPCustomizeCategory* CXTPCustomizeCommandsPage::InsertNamedCategory(UINT nIDName, int nIndex)
{
    CString strName;
    XTPResourceManager()->LoadString(&strName, nIDName);
    return InsertNewCategory(strName, nIndex);
}

void CXTPCustomizeCommandsPage::AddSubmenuCommands(CXTPCustomizeCategory* pCategory, CMenu* pSubMenu,
                                                   BOOL bListSubItems)
{
    CXTPControls* pControls = pCategory->m_pControls;
    const int nCount = pSubMenu->GetMenuItemCount();
    for (int i = 0; i < nCount; i++) {
        CXTPControl* pControl = pControls->AddMenuItem(pSubMenu, i);
        if (!pControl || !bListSubItems)
            continue;
        const XTPControlType type = pControl->GetType();
        CXTPCommandBar* pPopup = pControl->GetCommandBar();
        if (pPopup && (type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup)) {
            // Nested submenus show flattened: their commands follow the popup.
            for (int j = 0; j < pPopup->GetControlCount(); j++)
                pControls->AddClone(pPopup->GetControl(j), -1, TRUE);
        }
    }
}

BOOL CXTPCustomizeCommandsPage::InsertCategories(UINT nIDResource, BOOL bListSubItems)
{
    CMenu menu;
    if (!XTPResourceManager()->LoadMenu(&menu, nIDResource))
        return FALSE;
    const int nCount = menu.GetMenuItemCount();
    for (int i = 0; i < nCount; i++) {
        CString strText;
        menu.GetMenuString(static_cast<UINT>(i), strText, MF_BYPOSITION);
        CMenu* pSubMenu = menu.GetSubMenu(i);
        if (strText.IsEmpty() || !pSubMenu)
            continue;
        AddSubmenuCommands(AddCategory(StripMnemonics(strText)), pSubMenu, bListSubItems);
    }
    return TRUE;
}

BOOL CXTPCustomizeCommandsPage::InsertAllCommandsCategory(UINT nIDName, int nIndex)
{
    // Only the categories there are now: the new one is not among them.
    const std::vector<CXTPCustomizeCategory*> arrBefore = m_arrCategories;
    CXTPCustomizeCategory* pAll = InsertNamedCategory(nIDName, nIndex);
    for (CXTPCustomizeCategory* pCategory : arrBefore) {
        for (int i = 0; i < pCategory->m_pControls->GetCount(); i++)
            pAll->m_pControls->AddClone(pCategory->m_pControls->GetAt(i), -1, TRUE);
    }
    return TRUE;
}

BOOL CXTPCustomizeCommandsPage::InsertBuiltInMenus(UINT nIDResource, UINT nIDName, int nIndex)
{
    CMenu menu;
    if (!XTPResourceManager()->LoadMenu(&menu, nIDResource))
        return FALSE;
    CXTPCustomizeCategory* pCategory = InsertNamedCategory(nIDName, nIndex);
    const int nCount = menu.GetMenuItemCount();
    for (int i = 0; i < nCount; i++)
        pCategory->m_pControls->AddMenuItem(&menu, i);
    return TRUE;
}

BOOL CXTPCustomizeCommandsPage::InsertNewMenuCategory(UINT nIDName, int nIndex)
{
    CXTPCustomizeCategory* pCategory = InsertNamedCategory(nIDName, nIndex);
    CXTPControl* pPopup = pCategory->m_pControls->Add(xtpControlPopup, 0);
    if (!pPopup)
        return FALSE;
    pPopup->SetCaption(pCategory->m_strCategory);
    return TRUE;
}

BOOL CXTPCustomizeCommandsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    m_lstCategories.SubclassDlgItem(IDC_CATEGORIES_LIST, this);
    m_lstCommands.SubclassDlgItem(IDC_COMMANDS_LIST, this);
    m_lstCommands.SetCommandBars(pCommandBars);

    for (int i = 0; i < GetCategoryCount(); i++) {
        const int nItem = m_lstCategories.AddString(m_arrCategories[static_cast<size_t>(i)]->m_strCategory);
        m_lstCategories.SetItemData(nItem, static_cast<DWORD_PTR>(i));
    }
    if (GetCategoryCount() > 0)
        m_lstCategories.SetCurSel(0);

    if (pCommandBars) {
        // The entries are as high as the theme draws them.
        const CSize szItem = pCommandBars->GetPaintManager()->DrawListBoxControl(nullptr, nullptr, CRect(0, 0, 0, 0),
                                                                                 FALSE, FALSE, pCommandBars);
        if (szItem.cy > 0)
            m_lstCommands.SetItemHeight(0, static_cast<UINT>(szItem.cy));
        CWnd* pSite = pCommandBars->GetSite();
        if (pSite && pSite->GetSafeHwnd() && (pSite->GetExStyle() & WS_EX_LAYOUTRTL))
            m_lstCommands.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    }
    OnCategoryChanged();
    return FALSE;
}

void CXTPCustomizeCommandsPage::OnCategoryChanged()
{
    if (!m_lstCommands.GetSafeHwnd())
        return;
    m_lstCommands.ResetContent();
    const int nSelected = m_lstCategories.GetCurSel();
    if (nSelected < 0)
        return;
    CXTPCustomizeCategory* pCategory = GetCategory(static_cast<int>(m_lstCategories.GetItemData(nSelected)));
    if (!pCategory)
        return;
    for (int i = 0; i < pCategory->m_pControls->GetCount(); i++) {
        const int nItem = m_lstCommands.AddString("");
        m_lstCommands.SetItemData(nItem, reinterpret_cast<DWORD_PTR>(pCategory->m_pControls->GetAt(i)));
    }
}
