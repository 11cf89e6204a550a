// The fixture projects in data/ beside the tests, and the engine functions their
// scripts call.
#pragma once

#include <filesystem>

#include "zCParser.h"

inline std::filesystem::path FixtureFolder()
{
    return std::filesystem::path(__FILE__).parent_path() / "data";
}

// AI_Output, whose calls are the output units, Print, IntToString and Hlp_Random.
inline void DefineFixtureExternals(zCParser& parser)
{
    parser.DefineExternal("AI_Output", 0x649540, zPAR_TYPE_VOID,
                          {zPAR_TYPE_INSTANCE, zPAR_TYPE_INSTANCE, zPAR_TYPE_STRING});
    parser.DefineExternal("Print", 0x6494F0, zPAR_TYPE_VOID, {zPAR_TYPE_STRING});
    parser.DefineExternal("IntToString", 0x64A1B0, zPAR_TYPE_STRING, {zPAR_TYPE_INT});
    parser.DefineExternal("Hlp_Random", 0x65D2C0, zPAR_TYPE_INT, {zPAR_TYPE_INT});
    parser.SetOutputUnitFunctions({zSTRING("AI_Output")});
}
