// The model toolchain's services, and what stands in for them until it is there.
#include "ModelServices.h"

#include <atomic>

#include "ResourceIds.h"
#include "ResString.h"
#include "zERROR.h"

namespace {

// "%s: the model tools are not available in this build."

zCModelServices g_reportingServices;
std::atomic<zCModelServices*> g_modelServices{nullptr};

} // namespace

zCResourceManager* g_resourceManager = nullptr;
zCRenderer* g_renderer = nullptr;

int zCResourceManager::CacheIn(zCResource*, float)
{
    return -1;
}

void zCResourceManager::CacheOut(zCResource*)
{
}

void zCResourceManager::CacheOutAll(zCClassDef*)
{
}

void zCModelServices::ReportUnavailable(const char* entry)
{
    g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_TOOLS_UNAVAILABLE, entry));
}

void zCModelServices::ConvertMdl(zSTRING&)
{
    ReportUnavailable("ConvertMdl");
}

void zCModelServices::ConvertModelScript(zSTRING&)
{
    ReportUnavailable("ConvertModelScript");
}

void zCModelServices::ConvertMorphMesh(zSTRING&)
{
    ReportUnavailable("ConvertMorphMesh");
}

void zCModelServices::DecompileMdl(zSTRING&)
{
    ReportUnavailable("DecompileMdl");
}

void zCModelServices::DecompileModelScript(zSTRING&)
{
    ReportUnavailable("DecompileModelScript");
}

void zCModelServices::DecompileMorphMesh(zSTRING&)
{
    ReportUnavailable("DecompileMorphMesh");
}

void zCModelServices::CompileMdl(zSTRING&)
{
    ReportUnavailable("CompileMdl");
}

void zCModelServices::CompileModelScript(zSTRING&)
{
    ReportUnavailable("CompileModelScript");
}

void zCModelServices::CompileMorphMesh(zSTRING&)
{
    ReportUnavailable("CompileMorphMesh");
}

void zCModelServices::ForEachFileInDir(int, const zSTRING&, zTModelToolEntry)
{
    // Once for the batch, not once per file: the files would only repeat it.
    ReportUnavailable("ForEachFileInDir");
}

zCResourceManager* zCModelServices::CreateResourceManager()
{
    return new zCResourceManager();
}

zCRenderer* zCModelServices::CreateRenderer()
{
    return new zCRenderer();
}

zCModelServices* zGetModelServices()
{
    zCModelServices* services = g_modelServices.load();
    return services ? services : &g_reportingServices;
}

void zSetModelServices(zCModelServices* services)
{
    g_modelServices = services;
}

void ConvertMdl(zSTRING& fileName)
{
    zGetModelServices()->ConvertMdl(fileName);
}

void ConvertModelScript(zSTRING& fileName)
{
    zGetModelServices()->ConvertModelScript(fileName);
}

void ConvertMorphMesh(zSTRING& fileName)
{
    zGetModelServices()->ConvertMorphMesh(fileName);
}

void DecompileMdl(zSTRING& fileName)
{
    zGetModelServices()->DecompileMdl(fileName);
}

void DecompileModelScript(zSTRING& fileName)
{
    zGetModelServices()->DecompileModelScript(fileName);
}

void DecompileMorphMesh(zSTRING& fileName)
{
    zGetModelServices()->DecompileMorphMesh(fileName);
}

void CompileMdl(zSTRING& fileName)
{
    zGetModelServices()->CompileMdl(fileName);
}

void CompileModelScript(zSTRING& fileName)
{
    zGetModelServices()->CompileModelScript(fileName);
}

void CompileMorphMesh(zSTRING& fileName)
{
    zGetModelServices()->CompileMorphMesh(fileName);
}

void ForEachFileInDir(int dirIndex, const zSTRING& mask, zTModelToolEntry tool)
{
    zGetModelServices()->ForEachFileInDir(dirIndex, mask, tool);
}
