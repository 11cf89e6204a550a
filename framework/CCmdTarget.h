// Base of the objects that will receive commands; the routing comes with the window layer.
#pragma once

#include "CObject.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    ~CCmdTarget() override;

protected:
    CCmdTarget() = default;
};
