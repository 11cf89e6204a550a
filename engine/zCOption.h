// The engine's options: directories by key index, sections of named entries
// made on first read, and the command line searched for switches.
#pragma once

#include "zCArray.h"
#include "zSTRING.h"

class zFILE;
class zFILE_FILE;

// Directory key indexes; 22 has an empty key and no name.
enum zTOptionPaths {
    DIR_SYSTEM = 0,
    DIR_DECOMPILED = 1,
    DIR_SAVEGAMES = 2,
    DIR_DATA = 3,
    DIR_ANIMS = 4,
    DIR_OUTPUTUNITS = 5,
    DIR_MESHES = 6,
    DIR_SCRIPTS = 7,
    DIR_SOUND = 8,
    DIR_VIDEO = 9,
    DIR_MUSIC = 10,
    DIR_TEX = 11,
    DIR_TEX_DESKTOP = 12,
    DIR_WORLD = 13,
    DIR_PRESETS = 14,
    DIR_TOOLS_DATA = 15,
    DIR_COMPILED_ANIMS = 16,
    DIR_COMPILED_MESHES = 17,
    DIR_COMPILED_SCRIPTS = 18,
    DIR_COMPILED_TEXTURES = 19,
    DIR_CONVERTED_MDL = 20,
    SUBDIR_INTERN = 21,
    DIR_ROOT = 23,
    DIR_EXECUTABLE = 24,
    zOPT_NUM_DIRS = 25
};

class zCOption {
public:
    zCOption();
    virtual ~zCOption();
    zCOption(const zCOption&) = delete;
    zCOption& operator=(const zCOption&) = delete;

    // With addStored set the command line becomes the given text, a blank and the
    // stored line, upper-cased; otherwise the given text. Sets DIR_SYSTEM and DIR_ANIMS
    // below the start-up directory.
    void Init(const zSTRING& commandLine, int addStored);

    // A missing section or entry is made holding the default, which is returned.
    zSTRING ReadString(const zSTRING& section, const zSTRING& key, const zSTRING& defaultValue);
    // Negative defaults are stored as their unsigned form and read back as themselves.
    int ReadInt(const zSTRING& section, const zSTRING& key, int defaultValue);

    // True when "-" and the name occur in the command line, letter case aside.
    bool Parm(const zSTRING& name) const;

    // The folder of a key index, ending in "\"; empty for keys without one. DIR_COMPILED_ANIMS:
    // a source folder inside a "_COMPILED\" folder gives that folder; otherwise its last
    // "ANIMS\" folder followed by "_compiled\"; neither gives an empty text.
    zSTRING GetDirString(int index) const;
    // The path holder of a key index; null outside 0..zOPT_NUM_DIRS-1.
    zFILE* GetDirFile(int index) const;

    // The key text of an index; empty outside the table.
    static const zSTRING& GetDirKey(int index);

    // The application's start-up directory; while none is set (or an empty one), the
    // working directory.
    static void SetStartDirectory(const zSTRING& directory);
    static zSTRING GetStartDirectory();

private:
    struct zTEntry {
        zSTRING name;
        zSTRING value;
    };
    struct zTSection {
        zSTRING name;  // upper case, without brackets
        zCArray<zTEntry> entries;
    };

    zTSection& GetSection(const zSTRING& name);

    zCArray<zTSection> sections;
    zFILE_FILE* dirFiles[zOPT_NUM_DIRS] = {};
    zSTRING dirStrings[zOPT_NUM_DIRS];
    zSTRING commandLine;
};

// Made by InitOptions at engine start-up, deleted by DeinitOptions.
extern zCOption* g_options;

void InitOptions(const zSTRING& commandLine = zSTRING());
void DeinitOptions();
