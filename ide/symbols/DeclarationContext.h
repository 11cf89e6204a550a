// Where a name under the caret was written: after a class's, an instance base's or an object's name and a ".".
#pragma once

#include "zSTRING.h"

struct DeclarationContext {
    enum Kind { kNone = 0, kClass = 1, kInstanceBase = 2, kObject = 3 };
    int kind = kNone;
    zSTRING text;
};
