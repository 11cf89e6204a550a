// Exchangeable themes of the plain controls: theme objects, their factories, the hosts that
// use them, and the process-wide manager of the shared factories.
#pragma once

#include <windows.h>

#include "CMap.h"
#include "CObject.h"

class CXTThemeManagerStyleFactory;
class CXTThemeManagerStyleHost;

// A theme: how one kind of control draws. Owned by a factory.
class CXTThemeManagerStyle {
public:
    CXTThemeManagerStyle() = default;
    virtual ~CXTThemeManagerStyle() = default;
    CXTThemeManagerStyle(const CXTThemeManagerStyle&) = delete;
    CXTThemeManagerStyle& operator=(const CXTThemeManagerStyle&) = delete;

    virtual void RefreshMetrics() {}

    CXTThemeManagerStyleFactory* m_pFactory = nullptr;  // the owner
};

// Makes and owns the theme of one kind of control; tells its hosts when the theme changes.
class CXTThemeManagerStyleFactory : public CObject {
    DECLARE_DYNCREATE(CXTThemeManagerStyleFactory)

public:
    CXTThemeManagerStyleFactory();  // enters the manager's list of factories
    ~CXTThemeManagerStyleFactory() override;

    virtual CXTThemeManagerStyle* CreateTheme(int nTheme);
    virtual void RefreshMetrics();

    // The current theme, made by CreateTheme on first ask.
    CXTThemeManagerStyle* GetSafeTheme();
    // Replaces (and deletes) the current theme, then tells every host. The theme held
    // already, or one another factory owns, changes nothing.
    void SetTheme(CXTThemeManagerStyle* pTheme);

    void AddHost(CXTThemeManagerStyleHost* pHost);
    void RemoveHost(CXTThemeManagerStyleHost* pHost);

    CXTThemeManagerStyle* m_pTheme = nullptr;
    CXTThemeManagerStyleHost* m_pFirstHost = nullptr;  // hosts linked through their m_pNextHost
    CXTThemeManagerStyleFactory* m_pNextFactory = nullptr;
};

// Mixed into a themed control: knows its kind's factory and hears of theme changes.
class CXTThemeManagerStyleHost {
public:
    explicit CXTThemeManagerStyleHost(CRuntimeClass* pThemeFactoryClass);
    virtual ~CXTThemeManagerStyleHost();
    CXTThemeManagerStyleHost(const CXTThemeManagerStyleHost&) = delete;
    CXTThemeManagerStyleHost& operator=(const CXTThemeManagerStyleHost&) = delete;

    virtual CXTThemeManagerStyleFactory* CreateFactory();
    virtual void OnThemeChanged() {}

    // The theme of the host's own factory when it has one, else the shared one.
    CXTThemeManagerStyle* GetSafeTheme();
    // A theme of the control's own; none returns it to the shared theme.
    void SetTheme(CXTThemeManagerStyle* pTheme);
    CXTThemeManagerStyleFactory* GetFactory() const { return m_bOwnFactory ? m_pFactory : m_pSharedFactory; }

    BOOL m_bOwnFactory = FALSE;
    CRuntimeClass* m_pThemeFactoryClass = nullptr;
    CXTThemeManagerStyleFactory* m_pFactory = nullptr;  // the own factory
    CXTThemeManagerStyleFactory* m_pSharedFactory = nullptr;
    CXTThemeManagerStyleHost* m_pNextHost = nullptr;
};

// The shared factory of each kind, made on first request; deleted with the manager.
class CXTThemeManager {
public:
    CXTThemeManager();
    ~CXTThemeManager();
    CXTThemeManager(const CXTThemeManager&) = delete;
    CXTThemeManager& operator=(const CXTThemeManager&) = delete;

    CXTThemeManagerStyleFactory* GetFactory(CRuntimeClass* pFactoryClass);

    int m_nTheme = 0;
    CMap<CRuntimeClass*, CRuntimeClass*, CXTThemeManagerStyleFactory*, CXTThemeManagerStyleFactory*> m_mapFactories;
    CXTThemeManagerStyleFactory* m_pFirstFactory = nullptr;
};

CXTThemeManager* XTThemeManager();
