// The decompile entries: a static model's .MDL back into one ASC file, a model
// script into the ASC files of its meshes and animations.
#include "IdeServices.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCAscModelSet.h"
#include "zCAscWriter.h"
#include "zCModelPrototype.h"
#include "zCModelToolFrame.h"
#include "zERROR.h"
#include "zPATH.h"

namespace {

const int kFullProgress = 100000;

// The script's registered meshes are forgotten at the end of the entry, also when a
// fatal report unwinds it.
struct RegisteredMeshesGuard {
    ~RegisteredMeshesGuard() { g_registeredMeshNames.DeleteList(); }
};

} // namespace

void zCModelToolServices::DecompileMdl(zSTRING& fileName)
{
    zCModelToolFrame frame;
    zCModelPrototype* proto = frame.GetPrototype();
    const zSTRING display = zPATH(fileName).GetFilename() + ".MDL";
    if (!ReadCompiledMdl(*proto, fileName, IDS_DECOMPILING_MODEL)) {
        frame.End(0);
        return;
    }
    // The reader named the model after the file, upper-cased: hero.mdl gives HERO.ASC.
    zCAscWriter writer;
    if (writer.WritePrototype(*proto, proto->fileName)) {
        if (zCIdeServices* ide = zGetIdeServices())
            ide->SetProgressPos(kFullProgress);
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_MODEL_FILE_DECOMPILED_OK, display));
    } else {
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MODEL_FILE_NOT_DECOMPILED, display));
    }
    frame.End(0);
}

void zCModelToolServices::DecompileModelScript(zSTRING& fileName)
{
    RegisteredMeshesGuard registered;
    zCModelToolFrame frame;
    zCModelPrototype* proto = frame.GetPrototype();
    g_modelLoadError = 0;
    const int loaded = proto->LoadModelScript(fileName);
    if (loaded && !g_modelLoadError) {
        if (WriteModelAscSet(*proto))
            g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_MODEL_FILE_DECOMPILED_OK, proto->fileName));
        else
            g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_MODEL_FILE_NOT_DECOMPILED, proto->fileName));
    }
    if (g_modelLoadError)
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_FILE_NOT_FOUND_OR_CORRUPTED, g_lastModelFile));
    frame.End(zTOOL_END_EMPTY_STAMPS);
}
