// The object factory: makes every file object of the program.
#pragma once

#include <memory>

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

// The factory's file for the path; without an engine (tests, tools) a plain
// zFILE_VDFS.
std::unique_ptr<zFILE> zMakeFile(const zSTRING& path);
