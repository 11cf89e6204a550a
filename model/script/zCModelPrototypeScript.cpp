// The model-script loader of zCModelPrototype: the text form, with the binary form
// written alongside where the job asks for it, or the binary form; then the
// animation list and the registered meshes.
#include <memory>
#include <string>

#include "JobGlobals.h"
#include "MdsText.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCBinChunkFile.h"
#include "zCModel.h"
#include "zCModelPrototype.h"
#include "zCMsbChunks.h"
#include "zCObjectFactory.h"
#include "zERROR.h"
#include "zFILE.h"
#include "zPATH.h"

namespace {

// The folder the binary script names as its source's: from the script's "\_WORK" on.
zSTRING WorkFolder(const zPATH& path)
{
    const zSTRING folder = UpperCopy(path.GetDrive() + path.GetDir());
    const std::size_t work = folder.find("\\_WORK");
    if (work == std::string::npos)
        return "\\_WORK\\DATA\\ANIMS\\";
    return zSTRING(folder.substr(work));
}

// The script file is closed and deleted however the reading ends, a fatal report too.
struct ScriptFileHold {
    ~ScriptFileHold()
    {
        if (g_mdsFile) {
            g_mdsFile->Close();
            delete g_mdsFile;
            g_mdsFile = nullptr;
        }
    }
};

// A binary form that the load did not finish (a stop or a fatal report ended the job)
// is removed: half a script would later be read as the whole.
struct BinaryScriptHold {
    zCBinChunkFile& file;
    const zSTRING& path;
    bool finished = false;
    ~BinaryScriptHold()
    {
        if (finished || !file.GetFile())
            return;
        file.Close();
        zMakeFile(path)->FileDelete();
    }
};

} // namespace

int zCModelPrototype::LoadModelScript(zSTRING& name)
{
    g_mdsLineNumber = 0;
    if (g_jobMode != zJOB_COMPILE_MODELS && g_platform != zPLATFORM_FIRST_GAME) {
        if (!LoadModelScriptMsb(name)) {
            // The binary reader passes over a missing file in silence; the job names it,
            // as it names a missing text script.
            if (!g_modelLoadError) {
                const zSTRING binaryName = UpperCopy(zPATH(name).GetFilename()) + ".MSB";
                g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_FILE_NOT_FOUND, binaryName));
            }
            return 0;
        }
    } else {
        isStaticModel = 0;
        const zPATH path(name);
        const zSTRING baseName = path.GetFilename();
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_LOADING_MODEL_SCRIPT, baseName + ".MDS"));

        ScriptFileHold hold;
        g_mdsFile = zMakeFile(path.GetDrive() + path.GetDir() + path.GetFile()).release();
        SetModelProtoName(baseName);
        if (!g_mdsFile->Exists() || g_mdsFile->Open(false) != 0) {
            // Nothing was read: no prototype and no binary form come of it.
            g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_FILE_NOT_FOUND, baseName + ".MDS"));
            return 0;
        }
        const bool writing = MdsWritesBinary();
        const zSTRING binaryPath = g_jobDestDir + "_compiled\\" + UpperCopy(baseName) + ".MSB";
        zCBinChunkFile binary;
        BinaryScriptHold binaryHold{binary, binaryPath};
        if (writing && binary.Create(binaryPath) == 0) {
            WriteMsbModelChunk(binary, zMSB_HEADER, {zMSB_VERSION, WorkFolder(path)});
            binary.StartChunk(zMSB_SOURCE);
            WriteSourceStamp(binary, UpperCopy(path.GetFile()), 1);
        }

        if (g_jobMode == zJOB_COMPILE_MODELS)
            SetProgressStepFromScript();
        while (ReadMdsLine(g_mdsLine)) {
            if (g_mdsLine.find("//") == std::string::npos && g_mdsLine.find("MODEL") != std::string::npos)
                ReadModelBlock(binary);
        }
        g_mdsFile->Close();
        if (g_jobMode != zJOB_CONVERT_MODELS && g_platform == zPLATFORM_FIRST_GAME) {
            std::unique_ptr<zFILE> copy = zMakeFile(g_jobDestDir + fileName);
            if (g_mdsFile->FileCopy(copy.get()))
                RecordInsertFile(copy->GetFullPath());
        }
        delete g_mdsFile;
        g_mdsFile = nullptr;
        binaryHold.finished = true;
        if (writing && binary.GetFile()) {
            binary.StartChunk(zMSB_END);
            binary.Close();
            RecordInsertFile(binaryPath);
        }
    }

    ResolveAnis();
    for (int i = 0; i < g_registeredMeshNames.GetNum(); ++i) {
        ++refCtr;  // the model's reference
        // Released also when a stop or a fatal report ends the job inside the load.
        const zTObjectRef<zCModel> model(new zCModel(this));
        model->ApplyMeshLib(g_registeredMeshNames[i]);
    }
    return 1;
}
