// String literal arguments that the game looks up by their upper-case spelling.
#include "zCParser.h"

#include <cstring>

#include "IdeServices.h"
#include "ParNames.h"
#include "ResourceIds.h"
#include "ResString.h"

namespace {

// An engine function and its argument (from 0) that names a world object,
// animation, waypoint or script state.
struct zTUpperCaseArg {
    const char* function;
    int argument;
};

const zTUpperCaseArg kUpperCaseArgs[] = {
    {"AI_GotoWP", 1},
    {"AI_LookAt", 1},
    {"AI_PlayAni", 1},
    {"AI_PlayAniBS", 1},
    {"AI_PointAt", 1},
    {"AI_Teleport", 1},
    {"AI_TakeMob", 1},
    {"AI_UseMob", 1},
    {"AI_PlayCutscene", 1},
    {"AI_OutputSVM", 2},
    {"AI_OutputSVM_Overlay", 2},
    {"AI_StartState", 3},
    {"AI_Snd_Play", 1},
    {"AI_Snd_Play3D", 2},
    {"AI_PlayFX", 2},
    {"AI_StopFX", 1},
    {"Mdl_ApplyRandomFaceAni", 1},
    {"Mdl_StartFaceAni", 1},
    {"Mob_CreateItems", 0},
    {"Mob_HasItems", 0},
    {"Npc_GetDistToWP", 1},
    {"Npc_IsOnFP", 1},
    {"Npc_PlayAni", 1},
    {"Npc_StopAni", 1},
    {"TA", 4},
    {"TA_Min", 6},
    {"Wld_InsertItem", 1},
    {"Wld_InsertNpc", 1},
    {"Wld_InsertNpcAndRespawn", 1},
    {"Wld_SendTrigger", 0},
    {"Wld_SendUnTrigger", 0},
    {"Wld_GetMobState", 1},
    {"Wld_InsertObject", 1},
    {"Wld_SetObjectRoutine", 2},
    {"Wld_SetMobRoutine", 2},
    {"Wld_ExchangeGuildAttitudes", 0},
    {"Wld_StopEffect", 0},
};

} // namespace

void zCParser::CheckUpperCaseArg(const zSTRING& functionName, zCPar_TreeNode* argument, int argumentNumber)
{
    if (!argument)
        return;
    bool listed = false;
    for (const zTUpperCaseArg& row : kUpperCaseArgs) {
        // Upper case keeps the length: the copy is made only for a name that may match.
        if (row.argument == argumentNumber && std::strlen(row.function) == functionName.size() &&
            UpperCopy(row.function) == functionName) {
            listed = true;
            break;
        }
    }
    if (!listed || argument->Name.IsUpperCase())
        return;

    zCIdeServices* host = zGetIdeServices();
    const zTBuildSettings* settings = host ? &host->GetSettings() : nullptr;
    if (settings && settings->CorrectUpperCase) {
        argument->Name.Upper();
        return;
    }
    if (!settings || settings->WarningUpperCase == 0)
        ReportWarning(FormatResString(IDS_SHOULD_BE_UPPERCASE, argument->Name), argument->line);
}
