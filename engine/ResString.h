// String-table texts of the current interface language, and their formatting.
#pragma once

#include "zSTRING.h"

// Windows language ids of the interface languages.
enum zTInterfaceLanguage { zLANG_ENGLISH = 1033, zLANG_GERMAN = 1031, zLANG_RUSSIAN = 1049 };

// The process-wide interface language; unknown ids fall back to English.
void SetInterfaceLanguage(int language);
int GetInterfaceLanguage();

// A worker keeps the language it was started with, whatever the interface switches to
// meanwhile; 0 makes the calling thread follow the process-wide language again.
void SetThreadInterfaceLanguage(int language);

// Entry id of the current language's table; empty when the table has no such entry.
zSTRING LoadResString(int id);

// Entry id used as a printf format over the further arguments (texts as char pointers).
zSTRING FormatResString(int id, ...);
