// Per-thread maps from platform handles to their wrapper objects: permanent and temporary ones.
#pragma once

#include <unordered_map>
#include <utility>

// A permanent object is one a handle was attached to; a temporary one is made on demand
// for a handle nobody attached and lives until the thread's next idle step (DeleteTemp),
// which drops its handle unharmed and deletes the object.
template <class Handle, class Object>
class HandleMap {
public:
    using Forget = void (*)(Object*);  // clears the object's handles so deleting it leaves them be

    explicit HandleMap(Forget forget) : m_forget(forget) {}
    HandleMap(const HandleMap&) = delete;
    HandleMap& operator=(const HandleMap&) = delete;
    ~HandleMap() { DeleteTemp(); }

    Object* LookupPermanent(Handle handle) const
    {
        auto it = m_permanent.find(handle);
        return it == m_permanent.end() ? nullptr : it->second;
    }

    Object* Lookup(Handle handle) const
    {
        if (Object* object = LookupPermanent(handle))
            return object;
        auto it = m_temporary.find(handle);
        return it == m_temporary.end() ? nullptr : it->second;
    }

    // A temporary of the handle now stands for nothing: the permanent object replaces it.
    void SetPermanent(Handle handle, Object* object)
    {
        m_permanent[handle] = object;
        DeleteTemporary(handle);
    }

    void RemovePermanent(Handle handle, const Object* object)
    {
        auto it = m_permanent.find(handle);
        if (it != m_permanent.end() && it->second == object)
            m_permanent.erase(it);
    }

    // The object of a handle: its permanent one, else a temporary that make(handle) creates.
    template <class Make>
    Object* FromHandle(Handle handle, Make make)
    {
        if (!handle)
            return nullptr;
        if (Object* object = Lookup(handle))
            return object;
        Object* object = make(handle);
        m_temporary[handle] = object;
        return object;
    }

    // The wrappers' Attach and Detach: slot is the object's handle member. An object holds
    // one handle, and a handle has at most one permanent object.
    bool Attach(Handle handle, Handle& slot, Object* object)
    {
        if (!handle || slot || LookupPermanent(handle))
            return false;
        slot = handle;
        SetPermanent(handle, object);
        return true;
    }

    Handle Detach(Handle& slot, const Object* object)
    {
        Handle handle = slot;
        if (handle)
            RemovePermanent(handle, object);
        slot = nullptr;
        return handle;
    }

    // A freshly made handle becomes the object's; when the object cannot take it (it holds
    // one already) destroy(handle) disposes of it and the result is false.
    template <class Destroy>
    bool Adopt(Handle handle, Handle& slot, Object* object, Destroy destroy)
    {
        if (!handle)
            return false;
        if (Attach(handle, slot, object))
            return true;
        destroy(handle);
        return false;
    }

    void DeleteTemp()
    {
        std::unordered_map<Handle, Object*> temporary;
        temporary.swap(m_temporary);
        for (auto& item : temporary) {
            m_forget(item.second);
            delete item.second;
        }
    }

private:
    void DeleteTemporary(Handle handle)
    {
        auto it = m_temporary.find(handle);
        if (it == m_temporary.end())
            return;
        Object* object = it->second;
        m_temporary.erase(it);
        m_forget(object);
        delete object;
    }

    Forget m_forget;
    std::unordered_map<Handle, Object*> m_permanent;
    std::unordered_map<Handle, Object*> m_temporary;
};
