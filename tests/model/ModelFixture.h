// Base fixture of the model tests: the archiver fixture's sandbox and factory, plus
// options whose data folders lie in the sandbox ("\DATA\ANIMS\", "\DATA\Textures\"),
// the toolchain's renderer and a resource manager without worker thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ArchiverFixture.h"
#include "IdeServices.h"
#include "JobGlobals.h"
#include "ModelServices.h"
#include "zCModelResourceManager.h"
#include "zCOption.h"
#include "zCRnd_D3D.h"

// Build/Stop Build chosen while a job runs: stands in for the host, passes everything
// on to it and clears the run mark at the progress step numbered stopAt (from 1), so
// that the job's next stop poll, at the end of the file then in work, ends it.
class StopAtStep : public zCIdeServices {
public:
    StopAtStep(zCHeadlessIde& host, int stopAt) : host(host), stopAt(stopAt) { zSetIdeServices(this); }
    ~StopAtStep() override { zSetIdeServices(&host); }

    void StepProgress() override
    {
        host.StepProgress();
        if (++steps == stopAt)
            host.GetSettings().BuildJobThread = 0;
    }
    zTBuildSettings& GetSettings() override { return host.GetSettings(); }
    zSTRING GetProjectFolder() override { return host.GetProjectFolder(); }
    void AddBuildMessage(int kind, const char* file, const zSTRING& text, int line, bool fatal) override
    {
        host.AddBuildMessage(kind, file, text, line, fatal);
    }
    void ReportBuildSummary(int broken) override { host.ReportBuildSummary(broken); }
    void ReplaceFileInLastMessages(const zSTRING& oldName, const zSTRING& newName) override
    {
        host.ReplaceFileInLastMessages(oldName, newName);
    }
    std::vector<zSTRING>& GetInsertFileList() override { return host.GetInsertFileList(); }
    void InsertFilesInGame(int kind) override { host.InsertFilesInGame(kind); }
    int GetSourceListEntryCount() override { return host.GetSourceListEntryCount(); }
    void SetProgressStep(int step) override { host.SetProgressStep(step); }
    void SetProgressPos(int pos) override { host.SetProgressPos(pos); }
    void UpdateAfterDecompile() override { host.UpdateAfterDecompile(); }

private:
    zCHeadlessIde& host;
    int stopAt;
    int steps = 0;
};

class ModelFixture : public ArchiverFixture {
protected:
    void SetUp() override
    {
        ArchiverFixture::SetUp();
        savedOptions = g_options;
        savedRenderer = g_renderer;
        savedManager = g_resourceManager;
        savedSourceDir = g_jobSourceDir;
        savedMode = g_jobMode;
        savedPlatform = g_platform;
        g_options = &options;
        g_renderer = &renderer;
        manager = new zCModelResourceManager();
        manager->SetThreadingEnabled(0);
        g_resourceManager = manager;
        host.Clear();  // the manager's list of classes
        host.GetSettings().BuildJobThread = 1;  // a job runs: the readers' stop polls let it go on
        g_jobSourceDir = "\\DATA\\ANIMS\\";
        g_jobMode = 4;
        g_platform = 0;
    }
    void TearDown() override
    {
        host.GetSettings().BuildJobThread = 0;
        // Cached textures go before the renderer that made them.
        delete manager;
        g_resourceManager = savedManager;
        g_renderer = savedRenderer;
        g_options = savedOptions;
        g_jobSourceDir = savedSourceDir;
        g_jobMode = savedMode;
        g_platform = savedPlatform;
        ArchiverFixture::TearDown();
    }

    // Runs the code as a build job does. A fatal end or a stop clears the run mark, as
    // in the IDE; here the next job starts with the mark the test gave it again.
    bool RunJob(const std::function<void()>& job)
    {
        const std::uintptr_t mark = host.GetSettings().BuildJobThread;
        const bool ran = ArchiverFixture::RunJob(job);
        host.GetSettings().BuildJobThread = mark;
        return ran;
    }

    // A ".TEX" header (the pixel data is never read) in the compiled-textures folder.
    void WriteTex(const std::string& name, int format, int width, int height, int mips, int refWidth,
                  int refHeight, std::uint32_t averageColor = 0xFF102030u, std::uint32_t secondWord = 0)
    {
        box.Write("DATA/Textures/_compiled/" + name,
                  U32(0x58455400u) + U32(secondWord) + U32(format) + U32(width) + U32(height) + U32(mips) +
                      U32(refWidth) + U32(refHeight) + U32(averageColor));
    }

    zCOption options;
    zCRnd_D3D renderer;
    zCModelResourceManager* manager = nullptr;

private:
    zCOption* savedOptions = nullptr;
    zCRenderer* savedRenderer = nullptr;
    zCResourceManager* savedManager = nullptr;
    zSTRING savedSourceDir;
    int savedMode = 0;
    int savedPlatform = 0;
};
