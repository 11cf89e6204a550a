// The IDE's side of what the engine and the toolchains ask of their host: the settings
// record, the project folder, the source list, and the output pane and main frame once
// they are there. Until a window takes its part, its calls are dropped.
#pragma once

#include <mutex>
#include <vector>

#include "IdeServices.h"

// What the output pane takes of a build: its lines, its summary, renamed files.
class CBuildOutputTarget {
public:
    virtual ~CBuildOutputTarget() = default;
    virtual void AddBuildMessage(int kind, const char* file, const zSTRING& text, int line, bool fatal) = 0;
    virtual void ReportBuildSummary(int broken) = 0;
    virtual void ReplaceFileInLastMessages(const zSTRING& oldName, const zSTRING& newName) = 0;
};

// What the main frame takes of a build: its progress bar and the refresh after a decompile.
class CBuildFrameTarget {
public:
    virtual ~CBuildFrameTarget() = default;
    virtual void SetProgressStep(int step) = 0;
    virtual void StepProgress() = 0;
    virtual void SetProgressPos(int pos) = 0;
    virtual void UpdateAfterDecompile() = 0;
};

class CTavrelinIdeServices : public zCIdeServices {
public:
    // Made at start-up on the user-interface thread.
    CTavrelinIdeServices();
    // The settings are g_solutionConfig.
    zTBuildSettings& GetSettings() override;
    zSTRING GetProjectFolder() override;

    void AddBuildMessage(int kind, const char* file, const zSTRING& text, int line, bool fatal) override;
    void ReportBuildSummary(int broken) override;
    void ReplaceFileInLastMessages(const zSTRING& oldName, const zSTRING& newName) override;

    std::vector<zSTRING>& GetInsertFileList() override { return m_insertFiles; }
    // Hands the waiting names to the insert manager, which copies them into the game.
    void InsertFilesInGame(int kind) override;

    int GetSourceListEntryCount() override;

    void SetProgressStep(int step) override;
    void StepProgress() override;
    void SetProgressPos(int pos) override;
    void UpdateAfterDecompile() override;

    // The pane and the frame register themselves when they are made and leave with null
    // before they go; the worker may be calling meanwhile, so the change is locked.
    void SetOutputTarget(CBuildOutputTarget* target);
    void SetFrameTarget(CBuildFrameTarget* target);

private:
    CBuildOutputTarget* Output();
    CBuildFrameTarget* Frame();

    std::mutex m_mutex;
    CBuildOutputTarget* m_pOutput = nullptr;
    CBuildFrameTarget* m_pFrame = nullptr;
    std::vector<zSTRING> m_insertFiles;
};

// The process's one instance; the application installs it with zSetIdeServices at start-up.
CTavrelinIdeServices& GetTavrelinIdeServices();
