// The model tools' shared state, the batch driver, the progress step and the insert record.
#include "ModelTools.h"

#include <string>
#include <vector>

#include "BuildStop.h"
#include "HostFileSystem.h"
#include "IdeServices.h"
#include "JobGlobals.h"
#include "zCModelResourceManager.h"
#include "zCOption.h"
#include "zCRnd_D3D.h"
#include "zFILE.h"
#include "zPATH.h"

std::uint16_t g_meshFileVersion = 3;
int g_modelLoadError = 0;
zSTRING g_lastModelFile;
zCArray<zSTRING> g_registeredMeshNames;
zFILE* g_mdsFile = nullptr;
zSTRING g_mdsLine;
int g_mdsLineNumber = 0;

namespace {

const int kFullProgress = 100000;

zCModelToolServices g_modelToolServices;

// The toolchain installs its services when the program starts.
struct Installer {
    Installer() { zSetModelServices(&g_modelToolServices); }
} g_installer;

} // namespace

void SetMeshFormatVersion()
{
    g_meshFileVersion = g_platform == 0 ? 3 : 9;
}

void SetProgressStepFromScript()
{
    if (!g_mdsFile)
        return;
    int count = 0;
    // Ends at the end of the file and at a read error alike: a failing read never
    // reaches the end.
    while (g_mdsFile->ReadLine(g_mdsLine) == 0) {
        g_mdsLine.Upper();
        if (g_mdsLine.find("//") == std::string::npos && g_mdsLine.find(".ASC") != std::string::npos)
            ++count;
    }
    g_mdsFile->Seek(0);
    zCIdeServices* ide = zGetIdeServices();
    if (!ide)
        return;
    if (count > 0)
        ide->SetProgressStep(kFullProgress / count);
    else
        ide->SetProgressPos(kFullProgress);
}

zSTRING CompiledModelPath(const zSTRING& fileName)
{
    if (!g_options || fileName.find_first_of("\\/:") != std::string::npos)
        return fileName;
    return g_options->GetDirString(DIR_COMPILED_ANIMS) + fileName;
}

void RecordInsertFile(zSTRING path)
{
    zCIdeServices* ide = zGetIdeServices();
    if (!ide || !ide->GetSettings().InsertInGame)
        return;
    path.Delete("Anims\\", 3);
    ide->GetInsertFileList().push_back(path);
}

void FinishFileStep()
{
    CheckBuildStop(0);
    if (zCIdeServices* ide = zGetIdeServices())
        ide->StepProgress();
}

void zCModelToolServices::ForEachFileInDir(int dirIndex, const zSTRING& mask, zTModelToolEntry tool)
{
    if (!g_options || !tool)
        return;
    zPATH folder(g_options->GetDirString(dirIndex));
    std::vector<zTHostDirEntry> found;
    if (!HostFindFiles(folder.GetFullPath() + mask, found))
        return;
    for (const zTHostDirEntry& entry : found) {
        zSTRING name = entry.name;
        tool(name);
    }
}

zCResourceManager* zCModelToolServices::CreateResourceManager()
{
    return new zCModelResourceManager();
}

zCRenderer* zCModelToolServices::CreateRenderer()
{
    return new zCRnd_D3D();
}
