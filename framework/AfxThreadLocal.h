// Objects made on first use: one per thread (CThreadLocal) or one per process (CProcessLocal).
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>

// Each thread that asks gets its own T, made on its first access and destroyed when the
// thread ends. Declare one as a static or global object: THREAD_LOCAL(T, name).
template <class T>
class CThreadLocal {
public:
    T* GetData() { return &Slot(); }
    T* operator->() { return GetData(); }
    operator T*() { return GetData(); }

private:
    T& Slot()
    {
        // One table per thread, keyed by the owning object, so several CThreadLocal<T> coexist.
        thread_local std::unordered_map<const void*, std::unique_ptr<T>> table;
        std::unique_ptr<T>& slot = table[this];
        if (!slot)
            slot = std::make_unique<T>();
        return *slot;
    }
};

// One T for the whole process, made on first access by whichever thread comes first.
template <class T>
class CProcessLocal {
public:
    T* GetData()
    {
        std::call_once(m_once, [this] { m_data = std::make_unique<T>(); });
        return m_data.get();
    }
    T* operator->() { return GetData(); }
    operator T*() { return GetData(); }

private:
    std::once_flag m_once;
    std::unique_ptr<T> m_data;
};

#define THREAD_LOCAL(class_name, ident_name) CThreadLocal<class_name> ident_name;
#define PROCESS_LOCAL(class_name, ident_name) CProcessLocal<class_name> ident_name;
