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

    void SetTemporary(Handle handle, Object* object) { m_temporary[handle] = object; }

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
