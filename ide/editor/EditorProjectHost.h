// What the editor windows need of the project side: the active project's source list (which
// files belong to it, which one to test) and the start of a compile. The application (or a
// test) sets one.
#pragma once

#include <vector>

#include "CString.h"

class EditorProjectHost {
public:
    virtual ~EditorProjectHost() = default;
    // The active project's source-list entries, in list order (paths relative to the project folder).
    virtual std::vector<CString> GetSourceListEntries() = 0;
    // Starts the build worker as the Compile command does; the build settings already name the test file.
    virtual void StartCompile() = 0;
};

// The host, or null while there is none (no project: every file is foreign, nothing is tested).
EditorProjectHost* GetEditorProjectHost();
void SetEditorProjectHost(EditorProjectHost* host);

// The first source-list entry that names the file itself: the project folder and the entry make
// its full path, in any case. An entry that merely occurs inside the path ("A.d" in "...\BA.d")
// names another file. Empty when none does or there is no project.
CString FindSourceListEntry(const CString& path);
