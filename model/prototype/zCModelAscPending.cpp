// TEMPORARY stand-in for the ASC reader until it lands on this branch; dropped at that merge.
#include "MessageIds.h"
#include "ResString.h"
#include "zCModelPrototype.h"
#include "zERROR.h"

void zCModelPrototype::LoadAsc(zCModelAni** outAni, const zSTRING&, const zSTRING&, int, int, int, float)
{
    if (outAni)
        *outAni = nullptr;
    g_errorReporter.Report(zERR_ERROR, FormatResString(zMsgId::kToolsUnavailable, "zCModelPrototype::LoadAsc"));
}
