// The tool entries of static models: converting an .MDL into the other game's format
// and compiling a model ASC into an .mdl.
#include "IdeServices.h"
#include "JobGlobals.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCBinChunkFile.h"
#include "zCModelAni.h"
#include "zCModelMeshLib.h"
#include "zCModelPrototype.h"
#include "zCModelToolFrame.h"
#include "zCObjectFactory.h"
#include "zERROR.h"
#include "zPATH.h"

namespace {

const int kFullProgress = 100000;

void SetFullProgress()
{
    if (zCIdeServices* ide = zGetIdeServices())
        ide->SetProgressPos(kFullProgress);
}

// The hierarchy chunks, then the library's: what an .MDL holds.
void WriteMdl(zCBinChunkFile& file, zCModelPrototype* proto)
{
    proto->WriteHierarchy(file);
    zTObjectRef<zCModelMeshLib> lib(zCModelMeshLib::Create());
    lib->BuildFromPrototype(proto);
    lib->WriteMdmChunks(file, proto);
    file.Close();
}

} // namespace

int ReadCompiledMdl(zCModelPrototype& proto, const zSTRING& fileName, int startMessage)
{
    proto.isStaticModel = 1;
    const zSTRING display = zPATH(fileName).GetFilename() + ".MDL";
    // The batch passes bare names of the compiled-models folder.
    const zSTRING path = CompiledModelPath(fileName);
    if (!zMakeFile(path)->Exists()) {
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_FILE_NOT_FOUND, display));
        return 0;
    }
    g_errorReporter.Report(zERR_MESSAGE, FormatResString(startMessage, display));
    int read = 0;
    {
        zCBinChunkFile input;
        SetMeshFormatVersion();
        // Only this platform's format is read: a model of the other game fails here.
        read = input.Open(path) == 0 && proto.ReadHierarchy(input) &&
               zCModelMeshLib::ReadMdmChunks(input, &proto, nullptr, nullptr);
    }
    if (!read)
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_FILE_NOT_COMPATIBLE_VERSION, display));
    return read;
}

void zCModelToolServices::ConvertMdl(zSTRING& fileName)
{
    zCModelToolFrame frame;
    zCModelPrototype* proto = frame.GetPrototype();
    const zSTRING display = zPATH(fileName).GetFilename() + ".MDL";
    if (!ReadCompiledMdl(*proto, fileName, IDS_CONVERTING_MODEL)) {
        frame.End(0);
        return;
    }
    const zSTRING outPath = g_jobDestDir + "_compiled\\" + display;
    zCBinChunkFile output;
    if (output.Create(outPath) == 0) {
        WriteMdl(output, proto);
        RecordInsertFile(outPath);
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_CONVERTING_MODEL_OK, display));
        SetFullProgress();
    }
    frame.End(zTOOL_END_EMPTY_STAMPS | zTOOL_END_INSERT);
}

void zCModelToolServices::CompileMdl(zSTRING& fileName)
{
    zCModelToolFrame frame;
    zCModelPrototype* proto = frame.GetPrototype();
    proto->isStaticModel = 1;
    const zSTRING base = zPATH(fileName).GetFilename();
    proto->SetModelProtoName(base);
    const zSTRING ascName = base + ".ASC";

    if (g_errorReporter.GetFilterLevel() >= 5)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_LOADING_MODEL_ASC, ascName));
    // Looked for beside the given file first; the reader searches the animations
    // folder for a name it does not find there.
    const std::size_t cut = fileName.find_last_of("\\/");
    const zSTRING folder = cut == std::string::npos ? zSTRING() : zSTRING(fileName.substr(0, cut + 1));
    const int errorsBefore = g_errorReporter.GetErrorCount();
    zCModelAni* ani = nullptr;
    proto->LoadAsc(&ani, folder + ascName, zSTRING(), 0, 0, 6, -1.0f);
    if (ani)
        ani->Release();

    // A source the reader found fault with gives no .mdl: the next load would trust
    // the file and never look at the source again.
    bool compiled = g_errorReporter.GetErrorCount() == errorsBefore;
    if (compiled) {
        const zSTRING outPath = g_jobDestDir + "_compiled\\" + base + ".mdl";
        zCBinChunkFile output;
        compiled = output.Create(outPath) == 0;
        if (compiled) {
            WriteMdl(output, proto);
            RecordInsertFile(outPath);
        }
    }
    if (compiled) {
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_COMPILING_MODEL_ASC_OK, ascName));
        SetFullProgress();
    } else {
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_COMPILING_MODEL_ASC_FAILED, ascName));
    }
    frame.End(zTOOL_END_CACHE_OUT | zTOOL_END_INSERT);
}
