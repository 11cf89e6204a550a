// The folders a decompiled script tree is laid out in, one list per job kind (the
// keyword of the project name) and platform. The job dispatcher points
// g_decompileFolders (DirectoryTools.h) at the list of the job it runs.
#pragma once

#include "zSTRING.h"

// The list of a kind keyword ("MUSIC", "VISUALFX", "PARTICLEFX", "SFX", "CAMERA",
// "MENU", "FIGHT", "VARNOK"; upper case), ended by a null entry; null for any other
// word. platform is a zTPlatform.
const char* const* GetDecompileFolders(const zSTRING& kindKeyword, int platform);
