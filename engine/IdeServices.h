// What the engine and the toolchains need of the application that hosts them:
// its build settings, its output pane, its main frame and its managers. The IDE
// implements the interface; without a window a headless host keeps the output.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "JobGlobals.h"
#include "zSTRING.h"

// The part of the application's settings record that the engine side reads and
// writes. Field names follow the application's record; the build worker copies
// most of them into the job globals when a job starts.
struct zTBuildSettings {
    int LevelMessage = 8;  // 0..10, the reporter's filter level
    int BuildMode = zJOB_DECOMPILE_DAT;  // a zTJobMode
    int DumpOnBuild = 0;
    int InsertSpace = 0;
    int ModelKind = zMODEL_STATIC;  // a zTModelKind
    std::string Destination;
    std::string Source;
    int PartialCompile = 0;
    int Language = 1033;  // interface language id
    std::string ProjectName;
    int Platform = zPLATFORM_FIRST_GAME;  // a zTPlatform
    int TestScript = 0;
    std::string TestFile;
    int InsertInGame = 0;
    int WarningReturnValue = 0;
    int WarningUpperCase = 0;
    int CorrectUpperCase = 0;
    int Decompilate = 0;
    std::atomic<int> Ready{0};
    // The run marker: non-zero while a build job runs; Build/Stop Build clears it.
    std::atomic<std::uintptr_t> BuildJobThread{0};
};

// Kinds of output lines, as the output pane counts and colours them.
enum zTBuildMessageKind { zMSG_PLAIN = 0, zMSG_WARNING = 1, zMSG_ERROR = 2 };

class zCIdeServices {
public:
    virtual ~zCIdeServices() = default;

    virtual zTBuildSettings& GetSettings() = 0;
    // The active project's folder, ending in "\".
    virtual zSTRING GetProjectFolder() = 0;

    // Output pane. file may be null; line -1 means no source position.
    virtual void AddBuildMessage(int kind, const char* file, const zSTRING& text, int line, bool fatal) = 0;
    // broken 0: "%d error(s), %d warning(s)"; otherwise the "Break building" form.
    virtual void ReportBuildSummary(int broken) = 0;
    virtual void ReplaceFileInLastMessages(const zSTRING& oldName, const zSTRING& newName) = 0;

    // Insert-in-game manager: built files waiting to be copied into the game.
    virtual std::vector<zSTRING>& GetInsertFileList() = 0;
    // kind 0 compiled scripts, 1 output-unit library, 2 models; empties the list.
    virtual void InsertFilesInGame(int kind) = 0;

    // Source-list manager: the number of entries of the active project's list.
    virtual int GetSourceListEntryCount() = 0;
    // Main frame: the build-progress bar (range 0..100000) and the refresh after a decompile.
    virtual void SetProgressStep(int step) = 0;
    virtual void StepProgress() = 0;
    // Sets the bar's position (100000 is the full bar). A host without a bar ignores it.
    virtual void SetProgressPos(int) {}
    virtual void UpdateAfterDecompile() = 0;
};

// The host, or null while there is none (messages are then dropped).
zCIdeServices* zGetIdeServices();
void zSetIdeServices(zCIdeServices* services);

// A host without windows: keeps the output lines in the pane's forms and counts
// warnings and errors, for tests and runs without the application.
class zCHeadlessIde : public zCIdeServices {
public:
    struct Line {
        int kind;
        std::string text;
    };

    zTBuildSettings& GetSettings() override { return settings; }
    zSTRING GetProjectFolder() override;
    void AddBuildMessage(int kind, const char* file, const zSTRING& text, int line, bool fatal) override;
    void ReportBuildSummary(int broken) override;
    void ReplaceFileInLastMessages(const zSTRING& oldName, const zSTRING& newName) override;
    std::vector<zSTRING>& GetInsertFileList() override { return insertFiles; }
    void InsertFilesInGame(int kind) override;
    int GetSourceListEntryCount() override { return sourceListEntries; }
    void SetProgressStep(int step) override;
    void StepProgress() override;
    void SetProgressPos(int pos) override;
    void UpdateAfterDecompile() override;

    std::vector<Line> GetLines() const;
    int GetWarningCount() const;
    int GetErrorCount() const;
    int GetProgress() const;
    void Clear();

    std::string projectFolder;  // returned by GetProjectFolder
    int sourceListEntries = 0;  // returned by GetSourceListEntryCount

private:
    struct Record {
        std::string file;
        Line line;
    };
    void Add(int kind, const std::string& file, const std::string& text);
    void AddLocked(int kind, const std::string& file, const std::string& text);

    zTBuildSettings settings;
    std::vector<zSTRING> insertFiles;
    mutable std::mutex mutex;  // the worker writes while the caller may read
    std::vector<Record> records;
    int warnings = 0;
    int errors = 0;
    int progressStep = 0;
    int progress = 0;
};
