// One animation of a model prototype.
#include "zCModelAni.h"

zCLASS_DEFINITION(zCModelAni, zCObject, 0, 0);
