// The object factory.
#include "zCObjectFactory.h"

#include "zFILE_VDFS.h"

zCObjectFactory* g_objectFactory = nullptr;

zCLASS_DEFINITION(zCObjectFactory, zCObject, 0, 0);

zFILE* zCObjectFactory::CreateZFile(const zSTRING& path)
{
    return new zFILE_VDFS(path);
}

std::unique_ptr<zFILE> zMakeFile(const zSTRING& path)
{
    return std::unique_ptr<zFILE>(g_objectFactory ? g_objectFactory->CreateZFile(path) : new zFILE_VDFS(path));
}
