// Resource ids of the dock bars' show program.
#pragma once

#define IDR_SHOW_MENU 62490
#define ID_SHOW_FIRST 40100
