// Owns one icon handle: a new icon replaces (and destroys) the previous one.
#pragma once

#include <windows.h>

class CXTIconHandle {
public:
    CXTIconHandle() = default;
    explicit CXTIconHandle(HICON hIcon) : m_hIcon(hIcon) {}
    virtual ~CXTIconHandle() { Destroy(); }
    CXTIconHandle(const CXTIconHandle&) = delete;
    CXTIconHandle& operator=(const CXTIconHandle&) = delete;

    CXTIconHandle& operator=(HICON hIcon)
    {
        if (hIcon != m_hIcon) {
            Destroy();
            m_hIcon = hIcon;
        }
        return *this;
    }
    operator HICON() const { return m_hIcon; }

private:
    void Destroy()
    {
        if (m_hIcon)
            ::DestroyIcon(m_hIcon);
        m_hIcon = nullptr;
    }

    HICON m_hIcon = nullptr;
};
