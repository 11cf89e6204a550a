// The decompiled folder lists of the job kinds.
#include "DecompileFolders.h"

#include "JobGlobals.h"

namespace {

const char* const kMusic[] = {"_Intern", "Music", nullptr};
const char* const kVisualFx[] = {"_Intern", "VisualFX", nullptr};
const char* const kParticleFx[] = {"_Intern", "PFX", nullptr};
const char* const kSfx[] = {"_Intern", "SFX", nullptr};
const char* const kCamera[] = {"_Intern", "Camera", nullptr};
const char* const kMenu[] = {"_Intern", "Menu", nullptr};
const char* const kFightFirst[] = {"_Intern", "AI", "AI\\FAI", nullptr};
const char* const kFightSecond[] = {"_Intern", "FAI", nullptr};

const char* const kMainFirst[] = {
    "Cutscene", "_Intern", "_Intern\\G_Functions", "AI", "AI\\AI_Intern", "AI\\B_Human", "AI\\B_Monster",
    "AI\\Monster", "AI\\Orc", "AI\\Prototypes", "AI\\Test_Scripts", "AI\\Test_Scripts\\TestZustaende",
    "AI\\ZS_Babe", "AI\\ZS_Human", "AI\\ZS_Monster", "ANIMS", "Items", "Magic", "Magic\\ZS", "Story",
    "Story\\B", "Story\\CHAPTERS", "Story\\Events", "Story\\MISSIONS", "Story\\NPC", "Story\\ZS",
    "Story\\ZS\\pers", "Story\\ZS\\ZS_Steuerung", "_misk_", nullptr,
};

const char* const kMainSecond[] = {
    "Cutscene", "_Intern", "AI", "AI\\AI_Intern", "AI\\Human", "AI\\Human\\B_Human", "AI\\Human\\C_Human",
    "AI\\Human\\TA_Human", "AI\\Human\\ZS_Human", "AI\\Magic", "AI\\Magic\\Spells", "AI\\Magic\\ZS_Magic",
    "AI\\Monster", "AI\\Monster\\B_Monster", "AI\\Monster\\C_Monster", "AI\\Monster\\RTN_Monster",
    "AI\\Monster\\ZS_Monster", "AI\\Test_Scripts", "Items", "Story", "Story\\B_AssignAmbientInfos",
    "Story\\B_Content", "Story\\B_GiveTradeInv", "Story\\B_Story", "Story\\Dialog_Mobsis", "Story\\Dialoge",
    "Story\\Events", "Story\\G_Functions", "Story\\Log_Entries", "Story\\NPC", "Story\\NPC\\Monster",
    "Story\\NPC\\Orc", "Story\\NPC_Scripts", "_misk_", nullptr,
};

} // namespace

const char* const* GetDecompileFolders(const zSTRING& kindKeyword, int platform)
{
    const bool first = platform == zPLATFORM_FIRST_GAME;
    if (kindKeyword == "MUSIC")
        return kMusic;
    if (kindKeyword == "VISUALFX")
        return kVisualFx;
    if (kindKeyword == "PARTICLEFX")
        return kParticleFx;
    if (kindKeyword == "SFX")
        return kSfx;
    if (kindKeyword == "CAMERA")
        return kCamera;
    if (kindKeyword == "MENU")
        return kMenu;
    if (kindKeyword == "FIGHT")
        return first ? kFightFirst : kFightSecond;
    if (kindKeyword == "VARNOK")
        return first ? kMainFirst : kMainSecond;
    return nullptr;
}
