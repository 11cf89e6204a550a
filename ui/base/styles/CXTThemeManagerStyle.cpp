// Theme factories, style hosts and the theme manager.
#include "CXTThemeManagerStyle.h"

IMPLEMENT_DYNCREATE(CXTThemeManagerStyleFactory, CObject)

CXTThemeManager* XTThemeManager()
{
    static CXTThemeManager manager;
    return &manager;
}

CXTThemeManager::CXTThemeManager() : m_mapFactories(10) {}

CXTThemeManager::~CXTThemeManager()
{
    POSITION pos = m_mapFactories.GetStartPosition();
    while (pos) {
        CRuntimeClass* kind = nullptr;
        CXTThemeManagerStyleFactory* factory = nullptr;
        m_mapFactories.GetNextAssoc(pos, kind, factory);
        delete factory;
    }
    m_mapFactories.RemoveAll();
}

CXTThemeManagerStyleFactory* CXTThemeManager::GetFactory(CRuntimeClass* pFactoryClass)
{
    if (!pFactoryClass)
        return nullptr;
    CXTThemeManagerStyleFactory* factory = nullptr;
    if (m_mapFactories.Lookup(pFactoryClass, factory))
        return factory;
    factory = dynamic_cast<CXTThemeManagerStyleFactory*>(pFactoryClass->CreateObject());
    if (factory)
        m_mapFactories.SetAt(pFactoryClass, factory);
    return factory;
}

CXTThemeManagerStyleFactory::CXTThemeManagerStyleFactory()
{
    CXTThemeManager* manager = XTThemeManager();
    m_pNextFactory = manager->m_pFirstFactory;
    manager->m_pFirstFactory = this;
}

CXTThemeManagerStyleFactory::~CXTThemeManagerStyleFactory()
{
    delete m_pTheme;
    m_pTheme = nullptr;
    CXTThemeManager* manager = XTThemeManager();
    for (CXTThemeManagerStyleFactory** link = &manager->m_pFirstFactory; *link; link = &(*link)->m_pNextFactory) {
        if (*link == this) {
            *link = m_pNextFactory;
            break;
        }
    }
}

CXTThemeManagerStyle* CXTThemeManagerStyleFactory::CreateTheme(int /*nTheme*/)
{
    return nullptr;
}

void CXTThemeManagerStyleFactory::RefreshMetrics()
{
    if (m_pTheme)
        m_pTheme->RefreshMetrics();
}

CXTThemeManagerStyle* CXTThemeManagerStyleFactory::GetSafeTheme()
{
    if (!m_pTheme) {
        m_pTheme = CreateTheme(XTThemeManager()->m_nTheme);
        if (m_pTheme) {
            m_pTheme->m_pFactory = this;
            m_pTheme->RefreshMetrics();
        }
    }
    return m_pTheme;
}

void CXTThemeManagerStyleFactory::SetTheme(CXTThemeManagerStyle* pTheme)
{
    // Deleting a theme this factory holds before adopting it would leave it dangling;
    // one owned by another factory would be deleted twice.
    if (pTheme && (pTheme == m_pTheme || (pTheme->m_pFactory && pTheme->m_pFactory != this)))
        return;
    delete m_pTheme;
    m_pTheme = pTheme;
    if (m_pTheme) {
        m_pTheme->m_pFactory = this;
        m_pTheme->RefreshMetrics();
    }
    for (CXTThemeManagerStyleHost* host = m_pFirstHost; host; host = host->m_pNextHost)
        host->OnThemeChanged();
}

void CXTThemeManagerStyleFactory::AddHost(CXTThemeManagerStyleHost* pHost)
{
    pHost->m_pNextHost = m_pFirstHost;
    m_pFirstHost = pHost;
}

void CXTThemeManagerStyleFactory::RemoveHost(CXTThemeManagerStyleHost* pHost)
{
    for (CXTThemeManagerStyleHost** link = &m_pFirstHost; *link; link = &(*link)->m_pNextHost) {
        if (*link == pHost) {
            *link = pHost->m_pNextHost;
            pHost->m_pNextHost = nullptr;
            return;
        }
    }
}

CXTThemeManagerStyleHost::CXTThemeManagerStyleHost(CRuntimeClass* pThemeFactoryClass)
    : m_pThemeFactoryClass(pThemeFactoryClass), m_pSharedFactory(XTThemeManager()->GetFactory(pThemeFactoryClass))
{
    if (m_pSharedFactory)
        m_pSharedFactory->AddHost(this);
}

CXTThemeManagerStyleHost::~CXTThemeManagerStyleHost()
{
    if (CXTThemeManagerStyleFactory* factory = GetFactory())
        factory->RemoveHost(this);
    if (m_bOwnFactory)
        delete m_pFactory;
    m_pFactory = nullptr;
}

CXTThemeManagerStyleFactory* CXTThemeManagerStyleHost::CreateFactory()
{
    return m_pThemeFactoryClass ? dynamic_cast<CXTThemeManagerStyleFactory*>(m_pThemeFactoryClass->CreateObject())
                                : nullptr;
}

CXTThemeManagerStyle* CXTThemeManagerStyleHost::GetSafeTheme()
{
    CXTThemeManagerStyleFactory* factory = GetFactory();
    return factory ? factory->GetSafeTheme() : nullptr;
}

void CXTThemeManagerStyleHost::SetTheme(CXTThemeManagerStyle* pTheme)
{
    if (!m_bOwnFactory && !pTheme)
        return;
    // The theme this host draws with already, or one another factory owns: nothing changes.
    if (pTheme && pTheme->m_pFactory)
        return;

    if (CXTThemeManagerStyleFactory* factory = GetFactory())
        factory->RemoveHost(this);
    if (m_bOwnFactory)
        delete m_pFactory;
    m_pFactory = nullptr;
    m_bOwnFactory = FALSE;

    if (pTheme) {
        m_pFactory = CreateFactory();
        if (m_pFactory) {
            m_pFactory->SetTheme(pTheme);
            m_bOwnFactory = TRUE;
        } else {
            delete pTheme;  // the host took it over; without a factory nobody else would free it
        }
    }
    OnThemeChanged();
    if (CXTThemeManagerStyleFactory* factory = GetFactory())
        factory->AddHost(this);
}
