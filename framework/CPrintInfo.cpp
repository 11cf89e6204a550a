// The print run's state: its dialog and the page range in it.
#include "CPrintInfo.h"

#include "CPrintDialog.h"

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION))
{
    SetMinPage(1);
    SetMaxPage(0xFFFF);
    m_pPD->m_pd.nFromPage = 1;
    m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo()
{
    if (m_pPD->m_pd.hDC)
        ::DeleteDC(m_pPD->m_pd.hDC);
    delete m_pPD;
}

void CPrintInfo::SetMinPage(UINT nMinPage)
{
    m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage > 0xFFFF ? 0xFFFF : nMinPage);
}

void CPrintInfo::SetMaxPage(UINT nMaxPage)
{
    m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage > 0xFFFF ? 0xFFFF : nMaxPage);
}

UINT CPrintInfo::GetMinPage() const
{
    return m_pPD->m_pd.nMinPage;
}

UINT CPrintInfo::GetMaxPage() const
{
    return m_pPD->m_pd.nMaxPage;
}

UINT CPrintInfo::GetFromPage() const
{
    return m_pPD->PrintRange() ? m_pPD->m_pd.nFromPage : GetMinPage();
}

UINT CPrintInfo::GetToPage() const
{
    return m_pPD->PrintRange() ? m_pPD->m_pd.nToPage : GetMaxPage();
}
