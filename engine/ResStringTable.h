// The compiled-in string tables, one per interface language (generated from resources/strings).
#pragma once

struct zTResEntry {
    int id;
    const char* text;  // bytes in the table's code page
};

struct zTResTable {
    int language;  // Windows language id: 1033, 1031, 1049
    int codePage;
    const zTResEntry* entries;  // sorted by id
    int count;
};

extern const zTResTable g_resTables[];
extern const int g_resTableCount;
