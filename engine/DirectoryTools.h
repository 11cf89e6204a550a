// Services beside the file objects: the root directory, the direct-access switch,
// emptying a folder, and making the decompiler's folders.
#pragma once

#include "zSTRING.h"

// Stores the root without one trailing '\' and in upper case, and returns it. Only
// ASCII letters are raised: the engine's case table would turn letters of an ANSI
// code page into other letters (a Cyrillic folder name into a different name).
zSTRING SetRootDirectory(const zSTRING& root);

// The folder direct access changes the process into; empty unless someone sets it.
extern zSTRING g_directFileAccessDir;
// On/off nesting; never below 0.
extern int g_directFileAccessCount;

// On: the process changes into the direct-access folder (an empty one means staying
// where it is); failing to is fatal. Off: counts down, warning at an excess call.
void DirectFileAccess(bool on);
// A path beginning with '\' is first put below the root.
void DirectFileAccessIn(bool on, zSTRING& path);

// Removes everything inside folder, which must be an absolute path that is not a
// drive or file-system root and has no "." or ".." parts; the folder itself stays.
// With keep, the folder's own entries whose names hold ".tvp", ".dat", ".bin" or
// ".csl" (any case) stay; below them everything goes. Links are removed as links,
// never followed; read-only files are made writable first; the process's directory
// never changes. Single failures are reported (level 3) and the walk goes on.
// 0, or the error code after refusing the folder.
int RemoveDirTree(const zSTRING& folder, bool keep);
// Whether RemoveDirTree takes the folder (the test it makes before touching anything).
bool CanRemoveDirTree(const zSTRING& folder);
// RemoveDirTree; false when the folder was refused.
bool ClearDirectory(const zSTRING& folder, bool keep);

// The decompiler's folders for the running job: names relative to the project
// folder, ended by a null entry; set by the job dispatcher.
extern const char* const* g_decompileFolders;

// Makes each folder of g_decompileFolders inside folder (empty: the process's
// directory), in order, up to the null entry or 100 folders; existing ones and
// failures are passed over. Always true.
bool CreateDirList(const zSTRING& folder);
