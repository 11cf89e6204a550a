// One tab of a tab manager.
#include "CXTPTabManagerItem.h"

#include "CXTPTabManager.h"

void CXTPTabManagerItem::SetCaption(const char* lpszCaption)
{
    if (m_strCaption.Compare(lpszCaption ? lpszCaption : "") == 0)
        return;
    m_strCaption = lpszCaption;
    if (m_pTabManager)
        m_pTabManager->Reposition();
}

void CXTPTabManagerItem::SetColor(COLORREF clr)
{
    m_clrItem = clr;
    if (m_pTabManager)
        m_pTabManager->RedrawControl();
}

CString CXTPTabManagerItem::GetCaption() const
{
    return m_pTabManager ? m_pTabManager->GetItemCaption(this) : m_strCaption;
}

COLORREF CXTPTabManagerItem::GetColor() const
{
    return m_pTabManager ? m_pTabManager->GetItemColor(this) : m_clrItem;
}

void CXTPTabManagerItem::Remove()
{
    if (m_pTabManager)
        m_pTabManager->DeleteItem(m_nIndex);
}

BOOL CXTPTabManagerItem::IsSelected() const
{
    return m_pTabManager && m_pTabManager->GetSelectedItem() == this;
}

BOOL CXTPTabManagerItem::IsHighlighted() const
{
    return m_pTabManager && m_pTabManager->GetHighlightedItem() == this;
}
