// The object factory.
#include "zCObjectFactory.h"

#include "zFILE_VDFS.h"

zCObjectFactory* g_objectFactory = nullptr;

zCLASS_DEFINITION(zCObjectFactory, zCObject, 0, 0);

zFILE* zCObjectFactory::CreateZFile(const zSTRING& path)
{
    return new zFILE_VDFS(path);
}
