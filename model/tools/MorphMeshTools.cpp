// The tool entries of morph meshes: compiling a morph script into an .MMB, converting
// an .MMB into the other game's form and decompiling it into a script and ASC files.
#include "IdeServices.h"
#include "JobGlobals.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCBinChunkFile.h"
#include "zCMorphMeshProto.h"
#include "zERROR.h"
#include "zPATH.h"

namespace {

const int kToolFilterLevel = 8;
const int kFullProgress = 100000;
// The insert kind of model files.
const int kInsertModels = 2;

// What every morph entry holds while it runs: filter level 8, stamp lists that start
// (and end) empty, the mesh format version of the platform and one new prototype.
// Released and restored on every way out, a fatal report's too.
class MorphToolFrame {
public:
    MorphToolFrame() : savedFilterLevel(g_errorReporter.GetFilterLevel())
    {
        g_errorReporter.SetFilterLevel(kToolFilterLevel);
        // Stamps recorded by an earlier run must not turn up in this run's files.
        ClearRecordedSourceStamps();
        SetMeshFormatVersion();
        proto = new zCMorphMeshProto();
    }
    ~MorphToolFrame() noexcept(false)
    {
        if (proto)
            proto->Release();
        ClearRecordedSourceStamps();
        g_errorReporter.SetFilterLevel(savedFilterLevel);
    }
    MorphToolFrame(const MorphToolFrame&) = delete;
    MorphToolFrame& operator=(const MorphToolFrame&) = delete;

    zCMorphMeshProto* Proto() const { return proto; }
    // Releases the prototype now (before the cache-out and the insert).
    void ReleaseProto()
    {
        proto->Release();
        proto = nullptr;
    }

private:
    int savedFilterLevel;
    zCMorphMeshProto* proto;
};

// The other game for the time of a convert, whatever way it ends.
struct OtherPlatform {
    OtherPlatform() { SwitchPlatform(); }
    ~OtherPlatform() { SwitchPlatform(); }
};

void InsertWhenAsked()
{
    zCIdeServices* ide = zGetIdeServices();
    if (ide && ide->GetSettings().InsertInGame)
        ide->InsertFilesInGame(kInsertModels);
}

zSTRING MmbName(const zSTRING& fileName)
{
    return zPATH(fileName).GetFilename() + ".MMB";
}

} // namespace

void zCModelToolServices::CompileMorphMesh(zSTRING& fileName)
{
    {
        MorphToolFrame frame;
        // A script that gives no morph mesh writes nothing: no .MMB for later runs to trust.
        if (frame.Proto()->LoadMMS(fileName) && frame.Proto()->SaveMMB(MmbName(fileName)))
            g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_MORPH_COMPILING_OK, fileName));
        else
            g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MORPH_COMPILE_FAILED, fileName));
        frame.ReleaseProto();
    }
    if (g_resourceManager)
        g_resourceManager->CacheOutAll(nullptr);
    InsertWhenAsked();
}

void zCModelToolServices::ConvertMorphMesh(zSTRING& fileName)
{
    const zSTRING name = MmbName(fileName);
    {
        MorphToolFrame frame;
        if (!frame.Proto()->LoadMMB(name)) {
            g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MORPH_FILE_CORRUPTED, name));
            return;
        }
        bool saved = false;
        {
            // The embedded mesh takes the other game's version word.
            OtherPlatform other;
            saved = frame.Proto()->SaveMMB(name);
        }
        if (!saved) {
            g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MORPH_CONVERT_FAILED, name));
            return;
        }
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_MODEL_CONVERTED_OK, name));
        if (zCIdeServices* ide = zGetIdeServices())
            ide->SetProgressPos(kFullProgress);
    }
    InsertWhenAsked();
}

void zCModelToolServices::DecompileMorphMesh(zSTRING& fileName)
{
    const zSTRING name = MmbName(fileName);
    MorphToolFrame frame;
    zCMorphMeshProto* proto = frame.Proto();
    if (!proto->LoadMMB(name)) {
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MORPH_FILE_CORRUPTED, name));
        return;
    }
    std::vector<zTMorphGroup> groups;
    proto->BuildMorphGroups(groups);
    const bool script = proto->SaveMMS(groups);
    const bool ascFiles = proto->WriteMorphAscFiles(groups);
    if (script && ascFiles)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_MODEL_FILE_DECOMPILED_OK, name));
    else
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MORPH_DECOMPILE_FAILED, name));
}
