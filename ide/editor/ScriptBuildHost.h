// What the script view's "Test of script on errors" needs of the project side: the active
// project's source list and the start of a compile. The application (or a test) sets one.
#pragma once

#include <vector>

#include "CString.h"

class ScriptBuildHost {
public:
    virtual ~ScriptBuildHost() = default;
    // The active project's source-list entries, in list order (paths relative to the project folder).
    virtual std::vector<CString> GetSourceListEntries() = 0;
    // Starts the build worker as the Compile command does; the build settings already name the test file.
    virtual void StartCompile() = 0;
};

// The host, or null while there is none (the command is then disabled).
ScriptBuildHost* GetScriptBuildHost();
void SetScriptBuildHost(ScriptBuildHost* host);
