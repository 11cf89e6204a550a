// The tool entries of dynamic models: converting a model script between its text and
// its binary form, and compiling it into its binary files.
#include "IdeServices.h"
#include "JobGlobals.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCModelPrototype.h"
#include "zCModelToolFrame.h"
#include "zERROR.h"

namespace {

// The first file the load missed, or the script itself.
void ReportLoadError()
{
    g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_FILE_NOT_FOUND_OR_CORRUPTED, g_lastModelFile));
}

} // namespace

void zCModelToolServices::ConvertModelScript(zSTRING& fileName)
{
    zCModelToolFrame frame;
    zCModelPrototype* proto = frame.GetPrototype();
    g_modelLoadError = 0;
    const int loaded = proto->LoadModelScript(fileName);
    if (loaded && !g_modelLoadError)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_MODEL_CONVERTED_OK, proto->modelProtoName));
    if (g_modelLoadError)
        ReportLoadError();
    frame.End(zTOOL_END_PROGRESS | zTOOL_END_EMPTY_STAMPS | zTOOL_END_INSERT);
}

void zCModelToolServices::CompileModelScript(zSTRING& fileName)
{
    zCModelToolFrame frame;
    zCModelPrototype* proto = frame.GetPrototype();
    g_modelLoadError = 0;
    const int errorsBefore = g_errorReporter.GetErrorCount();
    const int loaded = proto->LoadModelScript(fileName);
    // A script that could not be read is not compiled; one whose files reported
    // errors is not compiled OK.
    if (g_modelLoadError)
        ReportLoadError();
    else if (loaded && g_errorReporter.GetErrorCount() == errorsBefore)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_COMPILING_MODEL_OK, proto->fileName));
    else if (loaded)
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_COMPILING_MODEL_FAILED, proto->fileName));
    frame.End(zTOOL_END_CACHE_OUT | zTOOL_END_INSERT);
}
