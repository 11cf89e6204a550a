// The object factory: makes every file object of the program.
#pragma once

#include "zCObject.h"

class zFILE;

class zCObjectFactory : public zCObject {
    zCLASS_DECLARATION(zCObjectFactory)

public:
    // A new zFILE_VDFS for the path; the caller deletes it.
    virtual zFILE* CreateZFile(const zSTRING& path);
};

// Exists between engine start-up and shut-down.
extern zCObjectFactory* g_objectFactory;
