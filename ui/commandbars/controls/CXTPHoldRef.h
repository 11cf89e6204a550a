// Keeps a reference-counted object alive across a call that may release it (a command handler
// may remove the control or its bar, closing a popup may drop the last reference to it).
#pragma once

#include "CCmdTarget.h"

class CHoldRef {
public:
    explicit CHoldRef(CCmdTarget* pTarget) : m_pTarget(pTarget)
    {
        if (m_pTarget)
            m_pTarget->InternalAddRef();
    }
    ~CHoldRef()
    {
        if (m_pTarget)
            m_pTarget->InternalRelease();
    }
    CHoldRef(const CHoldRef&) = delete;
    CHoldRef& operator=(const CHoldRef&) = delete;

private:
    CCmdTarget* m_pTarget;
};
