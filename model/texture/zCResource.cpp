// The resource base: cache state and the operations every resource class overrides.
#include "zCResource.h"

#include "ModelServices.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zERROR.h"

zCLASS_DEFINITION_ABSTRACT(zCResource, zCObject, 0, 0);

std::uint32_t g_engineTimeStamp = 0;

namespace {

// "This method should be overriden! Illegal zCResource class setup!"

void ReportIllegalSetup()
{
    g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_ILLEGAL_RESOURCE_SETUP));
}

} // namespace

int zCResource::LoadData()
{
    ReportIllegalSetup();
    return 0;
}

int zCResource::ReleaseData()
{
    ReportIllegalSetup();
    return 0;
}

int zCResource::GetDataSize()
{
    ReportIllegalSetup();
    return 0;
}

void zCResource::GetCacheSettings(int&, int&)
{
    ReportIllegalSetup();
}

void zCResource::TryCacheOut()
{
    if (!keepCached && g_resourceManager)
        g_resourceManager->CacheOut(this);
}
