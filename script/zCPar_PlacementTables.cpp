// The placement rows of both games.
//
// Only the rows known here are carried: the game's full layout has more (307 rows
// for the first game, 493 for the second), which are not known. A file that no row
// names is placed by the name rules of the decompiler, or in "_misk_".
#include "zCPar_PlacementTables.h"

#include "JobGlobals.h"

namespace {

const zTParPlacementRow kFirstGame[] = {
    {"g_cannotcast", "_Intern\\G_Functions\\G_CanNotCast"},
    {"_STR_FONT_ONSCREEN", "_Intern\\G_Functions\\G_Constants"},
    {"self", "_Intern\\classes"},
    {"ATR_HITPOINTS", "_Intern\\constants"},
    {"b_assessbody", "AI\\B_Human\\B_AssessBody"},
    {"zs_flee", "AI\\ZS_Human\\ZS_Flee"},
    {"spellfx_sleeper_fireball", "Visualfx\\Visualfxinst"},
    {nullptr, nullptr},
};

const zTParPlacementRow kSecondGame[] = {
    {"self", "_Intern\\Classes"},
    {"AIV_LASTFIGHTAGAINSTPLAYER", "AI\\AI_Intern\\AI_Constants"},
    {"b_memorizeplayercrime", "AI\\Human\\B_Human\\B_MemorizePlayerCrime"},
    {"b_dragonkillcounter", "Story\\B_Content\\B_DragonKillCounter"},
    {"itam_prot_fire_01", "Items\\IT_Amulette"},
    {"stargate_screenblend", "VisualFX\\VisualFxInst"},
    {nullptr, nullptr},
};

} // namespace

const zTParPlacementRow* GetPlacementTable(int platform)
{
    return platform == zPLATFORM_FIRST_GAME ? kFirstGame : kSecondGame;
}
