// The stop poll.
#include "BuildStop.h"

#include "IdeServices.h"
#include "zERROR.h"

int CheckBuildStop(int noExit)
{
    zCIdeServices* host = zGetIdeServices();
    if (!host || host->GetSettings().BuildJobThread != 0)
        return 0;
    host->ReportBuildSummary(1);
    host->GetSettings().BuildJobThread = 0;
    if (noExit)
        return 1;
    throw zTBuildStopped{};
}
