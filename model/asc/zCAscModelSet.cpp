// The model-to-ASC set of a model loaded from its script.
#include "zCAscModelSet.h"

#include <algorithm>
#include <vector>

#include "IdeServices.h"
#include "MdsText.h"
#include "ModelTools.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCAscAniExports.h"
#include "zCAscWriter.h"
#include "zCModelMeshLib.h"
#include "zCModelPrototype.h"
#include "zERROR.h"

namespace {

// The progress bar's share of the mesh files and of the animation files.
const int kMeshProgress = 20000;
const int kAniProgress = 80000;
const int kFullProgress = 100000;

void SetStep(zCIdeServices* ide, int share, std::size_t files)
{
    if (ide && files > 0)
        ide->SetProgressStep(share / static_cast<int>(files));
}

} // namespace

bool WriteModelAscSet(zCModelPrototype& proto)
{
    std::vector<zSTRING> names;
    auto add = [&names](const zSTRING& name) {
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    add(proto.meshAndTreeFile);
    for (int i = 0; i < g_registeredMeshNames.GetNum(); ++i)
        add(g_registeredMeshNames[i]);

    zCIdeServices* ide = zGetIdeServices();
    SetStep(ide, kMeshProgress, names.size());
    zCAscWriter writer;
    bool complete = true;
    // The script's load dressed the nodes with the mesh-and-tree library: each mesh
    // file gets its own library alone, or its skins would also stand in the others.
    proto.ReleaseMeshes();
    for (const zSTRING& name : names) {
        const bool tree = name == proto.meshAndTreeFile;
        const zSTRING mdm = CutBeforeFirstPoint(name) + ".MDM";
        zCModelMeshLib* loaded = nullptr;
        zTObjectRef<zCModelMeshLib> lib(
            zCModelMeshLib::LoadMeshLib(mdm, &proto, nullptr, &loaded) ? loaded : nullptr);
        if (lib) {
            lib->ApplyToPrototype(&proto);
            complete = writer.WritePrototype(proto, name) && complete;
        } else if (tree) {
            // A tree used without its mesh has no library: the file holds the hierarchy.
            complete = writer.WritePrototype(proto, name) && complete;
        } else {
            // Written without its meshes, the file would stand for a mesh it does not hold.
            g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_FILE_NOT_FOUND_OR_CORRUPTED, mdm));
            complete = false;
        }
        proto.ReleaseMeshes();
        lib.reset();
        FinishFileStep();
    }

    const int errorsBefore = g_errorReporter.GetErrorCount();
    const std::vector<zTAscExportInfo> exports = BuildAscAniExports(proto);
    // A source left out is reported there.
    complete = complete && g_errorReporter.GetErrorCount() == errorsBefore;
    if (ide && exports.empty())
        ide->SetProgressPos(kFullProgress);
    SetStep(ide, kAniProgress, exports.size());
    for (const zTAscExportInfo& info : exports) {
        complete = writer.WriteFile(proto, info) && complete;
        FinishFileStep();
    }
    return complete;
}
