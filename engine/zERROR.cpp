// The message reporter.
#include "zERROR.h"

#include <exception>

#include "IdeServices.h"
#include "ResourceIds.h"
#include "ResString.h"

zERROR g_errorReporter;

zERROR::zERROR() : fatalHandler(&zERROR::DefaultFatalHandler), filterLevel(-1)
{
}

void zERROR::Report(int level, zSTRING text, const char* file, int line)
{
    if (level >= zERR_ERROR)
        ++errorCount;
    if (filterLevel < 0 && level != zERR_FATAL)
        return;

    int kind = zMSG_PLAIN;
    zSTRING shown;
    if (level == zERR_WARNING) {
        kind = zMSG_WARNING;
        shown = LoadResString(IDS_WARNING_PREFIX);
    } else if (level == zERR_ERROR || level == zERR_FATAL) {
        kind = zMSG_ERROR;
        shown = LoadResString(IDS_ERROR_PREFIX);
    }
    shown += text;
    shown = shown.TabsToSpaces();

    if (zCIdeServices* host = zGetIdeServices())
        host->AddBuildMessage(kind, file, shown, line, level == zERR_FATAL);

    if (level == zERR_FATAL && fatalHandler)
        fatalHandler();
}

void zERROR::DefaultFatalHandler()
{
    if (zCIdeServices* host = zGetIdeServices())
        host->GetSettings().BuildJobThread = 0;
    throw zTFatalAbort{};
}

void SetFilterFromSettings()
{
    if (zCIdeServices* host = zGetIdeServices())
        g_errorReporter.SetFilterLevel(host->GetSettings().LevelMessage);
}

int zRunJobGuarded(const std::function<int()>& job)
{
    try {
        return job();
    } catch (const zTFatalAbort&) {
        return -1;
    } catch (const zTBuildStopped&) {
        return 0;
    } catch (const std::exception& e) {
        // A broken invariant (an index out of range, memory exhausted) ends this job, not the program.
        try {
            g_errorReporter.Fatal(e.what());
        } catch (const zTFatalAbort&) {
        }
        return -1;
    }
}
