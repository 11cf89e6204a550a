// Root of the framework's class tree: run-time class records, creation by class
// name and the serialisation hook of CArchive.
#pragma once

#include "WinTypes.h"

class CArchive;
class CObject;

// One record per class, made by the IMPLEMENT_ macros. The fields are constant data,
// so a record is valid before any dynamic initialiser runs.
struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                   // 0xFFFF: not serialisable
    CObject* (*m_pfnCreateObject)();  // null: not creatable
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;      // registry chain

    // Null when the class is not creatable or memory ran out (std::bad_alloc or a
    // framework exception from the constructor); other exceptions pass.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;

    // Case-sensitive lookup among the registered classes; null when unknown.
    static CRuntimeClass* FromName(const char* className);
    static CObject* CreateObject(const char* className);
};

// Links a class record into the FromName chain during static initialisation. Only
// classes whose object files are linked into the program get registered.
struct CClassRegistrar {
    explicit CClassRegistrar(CRuntimeClass* cls);
};

class CObject {
public:
    virtual ~CObject();
    virtual CRuntimeClass* GetRuntimeClass() const;
    // The base stores and loads nothing.
    virtual void Serialize(CArchive& ar);

    BOOL IsKindOf(const CRuntimeClass* cls) const;
    BOOL IsSerializable() const;

    static CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// Or-ed into a schema: objects of other stored versions are loaded too, and their
// Serialize asks CArchive::GetObjectSchema which one it reads.
#define VERSIONABLE_SCHEMA (0x80000000)

// The DECLARE_ macros leave the class body in the public section.
#define DECLARE_DYNAMIC(class_name)                 \
public:                                             \
    static CRuntimeClass class##class_name;         \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)   \
    DECLARE_DYNCREATE(class_name)    \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                   \
    CRuntimeClass class_name::class##class_name = {                                            \
        #class_name, static_cast<int>(sizeof(class_name)), wSchema, pfnNew,                    \
        RUNTIME_CLASS(base_class_name), nullptr};                                              \
    static const CClassRegistrar registrar##class_name(RUNTIME_CLASS(class_name));             \
    CRuntimeClass* class_name::GetRuntimeClass() const                                         \
    {                                                                                          \
        return RUNTIME_CLASS(class_name);                                                      \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                       \
    CObject* class_name::CreateObject()                                                        \
    {                                                                                          \
        return new class_name;                                                                 \
    }                                                                                          \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

// The extraction operator calls CArchive, so the source using this includes CArchive.h.
#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                 \
    CObject* class_name::CreateObject()                                                        \
    {                                                                                          \
        return new class_name;                                                                 \
    }                                                                                          \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)     \
    CArchive& operator>>(CArchive& ar, class_name*& pOb)                                       \
    {                                                                                          \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));              \
        return ar;                                                                             \
    }
