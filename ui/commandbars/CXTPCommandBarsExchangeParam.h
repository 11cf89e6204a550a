// What a save or load of the command-bar state covers, and the host it runs for; nested
// exchanges find it in their user-data slot.
#pragma once

#include <windows.h>

class CXTPCommandBars;
class CXTPPropExchange;

struct CXTPCommandBarsExchangeParam {
    BOOL bControls = FALSE;         // section "CommandBars": the bars and their controls
    BOOL bOnlyCustomized = TRUE;    // saving leaves out built-in bars the user has not changed
    BOOL bSilentLoad = FALSE;       // a bar the program now builds differently keeps the program's
    BOOL bOriginalControls = TRUE;  // saving writes each control set's original set too
    BOOL bImages = FALSE;           // section "Images"
    BOOL bOptions = FALSE;          // sections "Shortcuts" and "Options"
    BOOL bLayout = TRUE;            // section "Layout": the dock state and dock-bar rows
    BOOL bCommandList = FALSE;      // the bar 0xFFEEFF becomes the host's command list
    CXTPCommandBars* pCommandBars = nullptr;

    // The block of a running exchange, or null outside one.
    static CXTPCommandBarsExchangeParam* FromExchange(const CXTPPropExchange* pPX);
};
