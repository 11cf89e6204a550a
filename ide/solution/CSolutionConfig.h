// The application's one settings and state record: the open solution, the active project,
// the build options and the running jobs. The engine's build settings are its base, so the
// build worker reads the same record the user interface writes.
#pragma once

#include <atomic>
#include <cstdint>

#include "CArray.h"
#include "CString.h"
#include "IdeServices.h"

class CXTPPropExchange;

class CSolutionConfig : public zTBuildSettings {
public:
    // The values of a fresh start: no solution, level 0, language not yet chosen.
    CSolutionConfig();
    CSolutionConfig(const CSolutionConfig&) = delete;
    CSolutionConfig& operator=(const CSolutionConfig&) = delete;

    // Index of the first project named exactly so (case-sensitive), or -1.
    int FindProject(const CString& name) const;

    // The active project's name as the framework's string.
    CString GetProjectName() const { return CString(ProjectName.c_str()); }
    void SetProjectName(const CString& name) { ProjectName = static_cast<const char*>(name); }

    // The section "SolutionInfo" and the section "ProjectInfo", loading or storing as the
    // exchange goes. Over an archive the values stand in this order without names.
    void ExchangeSolutionSettings(CXTPPropExchange* px);
    void ExchangeProjectSettings(CXTPPropExchange* px);

    CStringArray Projects;   // the open solution's projects, in solution order
    CString StartDirectory;  // the current directory at start-up
    CString ProjectsRoot;    // "<parent of the start directory>Varnok Projects\"
    CString SolutionName;
    int TypeProject = 0;  // loaded and saved, never interpreted
    // The running find or replace worker; 0 is none and, set by Escape, its stop request.
    std::atomic<std::uintptr_t> FindThread{0};
    int FindOutput = 0;   // read by the find workers; only ever 0
    int BuildOutput = 0;  // read before build output is written; only ever 0
    int SolutionModified = 0;
    int ProjectModified = 0;
    int ViewStateModified = 0;
    CString PathVarnok;   // the first game's installation folder
    CString PathVarnok2;  // the second game's
    int RemoveFromDisk = 0;  // removing a script from the project deletes its file
};

extern CSolutionConfig g_solutionConfig;

// ProjectsRoot + "Sol" + solution name + "\".
void GetSolutionFolder(CString& folder);
// The solution folder + "Prj" + active project name + "\".
void GetProjectFolder(CString& folder);
