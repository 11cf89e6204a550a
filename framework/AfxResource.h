// Resources in the interface language: the language in force, the resource module, lookup by language.
#pragma once

#include "WinTypes.h"

class CString;

// The interface language of the process, a Windows language id (1033, 1031, 1049). Texts
// and resources of a language the program does not carry load in English.
void AfxSetResourceLanguage(WORD language);

// The calling thread keeps this language whatever the process switches to (a worker
// started in one language finishes in it); 0 makes it follow the process again.
void AfxSetThreadResourceLanguage(WORD language);

// The calling thread's language.
WORD AfxGetResourceLanguage();

// String id in the calling thread's language, in that language's code page; false and
// empty when the program has no such string.
bool AfxLoadString(UINT id, CString& text);

#ifdef _WIN32
// The module the resources are read from; the program itself unless set otherwise.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);

// Resource name of type in the calling thread's language, else in English, else in
// whichever language the module has it; null when it has none.
HRSRC AfxFindResource(LPCSTR name, LPCSTR type);

// The accelerator table nIDResource in the calling thread's language; the caller destroys
// it. Null when there is none or it is damaged.
HACCEL AfxLoadAccelTable(UINT nIDResource);
#endif
