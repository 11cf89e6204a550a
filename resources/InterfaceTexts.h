// The interface texts compiled in from resources/strings, and the interface language they are read in.
#pragma once

struct InterfaceTextEntry {
    int id;
    const char* text;  // bytes in the table's code page
};

struct InterfaceTextTable {
    int language;  // Windows language id: 1033, 1031, 1049
    int codePage;
    const InterfaceTextEntry* entries;  // sorted by id
    int count;
};

// Generated from resources/strings, one table per language.
extern const InterfaceTextTable g_interfaceTextTables[];
extern const int g_interfaceTextTableCount;

// The process-wide interface language (a Windows language id). Languages without a table
// read English.
void SetInterfaceLanguage(int language);

// The calling thread's language: its own when it has one, else the process-wide one.
int GetInterfaceLanguage();

// A worker keeps the language it was started with, whatever the interface switches to
// meanwhile; 0 makes the calling thread follow the process-wide language again.
void SetThreadInterfaceLanguage(int language);

// The table of a language; English for a language without one.
const InterfaceTextTable* FindInterfaceTextTable(int language);

// Entry id of the calling thread's language; null when the table has no such entry.
const char* FindInterfaceText(int id);
