// The temporary bar list of the layout's save and load, and the exchange's parameter block.
#include "CXTPCommandBarList.h"

#include <algorithm>

#include "CXTPCommandBar.h"
#include "CXTPCommandBarsExchangeParam.h"
#include "CXTPPropExchange.h"

CXTPCommandBarsExchangeParam* CXTPCommandBarsExchangeParam::FromExchange(const CXTPPropExchange* pPX)
{
    return pPX ? reinterpret_cast<CXTPCommandBarsExchangeParam*>(pPX->m_dwData) : nullptr;
}

CXTPCommandBarList::~CXTPCommandBarList()
{
    RemoveAll();
}

BOOL CXTPCommandBarList::Contains(const CXTPCommandBar* pBar) const
{
    return std::find(m_arrBars.begin(), m_arrBars.end(), pBar) != m_arrBars.end();
}

CXTPCommandBar* CXTPCommandBarList::FindBar(UINT nBarID) const
{
    for (CXTPCommandBar* pBar : m_arrBars) {
        if (pBar->GetBarID() == nBarID)
            return pBar;
    }
    return nullptr;
}

void CXTPCommandBarList::Add(CXTPCommandBar* pBar)
{
    pBar->InternalAddRef();
    m_arrBars.push_back(pBar);
}

void CXTPCommandBarList::Attach(CXTPCommandBar* pBar)
{
    m_arrBars.push_back(pBar);
}

void CXTPCommandBarList::RemoveAll()
{
    std::vector<CXTPCommandBar*> arrBars;
    arrBars.swap(m_arrBars);
    for (CXTPCommandBar* pBar : arrBars)
        pBar->InternalRelease();
}
