// Run-time class records, the registry of classes by name and dynamic creation.
#include "CObject.h"

#include <cstring>
#include <mutex>
#include <new>

#include "CException.h"

namespace {

// Function-local so registrars of other object files find it ready whatever the
// order of static initialisation.
std::mutex& RegistryLock()
{
    static std::mutex lock;
    return lock;
}

CRuntimeClass* g_firstClass = nullptr;

} // namespace

CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr, nullptr};
static const CClassRegistrar registrarCObject(RUNTIME_CLASS(CObject));

CClassRegistrar::CClassRegistrar(CRuntimeClass* cls)
{
    std::lock_guard<std::mutex> guard(RegistryLock());
    for (CRuntimeClass* c = g_firstClass; c; c = c->m_pNextClass) {
        if (c == cls)
            return;
    }
    cls->m_pNextClass = g_firstClass;
    g_firstClass = cls;
}

CObject* CRuntimeClass::CreateObject() const
{
    if (!m_pfnCreateObject)
        return nullptr;
    try {
        return m_pfnCreateObject();
    } catch (const std::bad_alloc&) {
        return nullptr;
    } catch (CException* e) {
        e->Delete();
        return nullptr;
    }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    if (!base)
        return FALSE;
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
        if (c == base)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(const char* className)
{
    if (!className)
        return nullptr;
    std::lock_guard<std::mutex> guard(RegistryLock());
    for (CRuntimeClass* c = g_firstClass; c; c = c->m_pNextClass) {
        if (std::strcmp(c->m_lpszClassName, className) == 0)
            return c;
    }
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(const char* className)
{
    const CRuntimeClass* cls = FromName(className);
    return cls ? cls->CreateObject() : nullptr;
}

CObject::~CObject() = default;

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

void CObject::Serialize(CArchive&)
{
}

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const
{
    return GetRuntimeClass()->IsDerivedFrom(cls);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}
