// Fuzz target: static models and mesh libraries from arbitrary bytes. With
// FUZZ_MDM=0 the bytes are an .MDL (hierarchy, then library) read into a prototype,
// shown by a model visual and written again; with FUZZ_MDM=1 they are an .MDM
// applied to the model visual of a fixed hierarchy and detached again. A damaged
// file must end in a report, never a crash or a read past the data.
#include <cstddef>
#include <cstdint>

#include "FuzzSession.h"
#include "JobGlobals.h"
#include "ModelServices.h"
#include "ModelTools.h"
#include "zCBinChunkFile.h"
#include "zCModel.h"
#include "zCModelMeshLib.h"
#include "zCModelPrototype.h"
#include "zCModelResourceManager.h"
#include "zCOption.h"
#include "zCRnd_D3D.h"

#ifndef FUZZ_MDM
#define FUZZ_MDM 0
#endif

namespace {

// The names the test fixtures' libraries use, in their order.
zCModelPrototype* MakeHierarchy()
{
    auto* proto = new zCModelPrototype();
    proto->isStaticModel = 1;
    proto->SetModelProtoName("HERO");
    const char* const names[] = {"BIP01", "BIP01 PELVIS", "BIP01 HEAD", "ZS_RIGHTHAND", "ZM_ARMOR"};
    for (const char* name : names) {
        auto* node = new zCModelNodeRec();
        node->nodeName = name;
        if (proto->nodeList.GetNum() > 0) {
            node->parent = proto->nodeList[0];
            proto->nodeTree.firstChild->AddChild(node);
        } else {
            proto->nodeTree.AddChild(node);
        }
        proto->nodeList.InsertEnd(node);
    }
    proto->CalcNodeListChecksum();
    return proto;
}

// Releases the prototype when a fatal report unwinds the input.
struct HeldPrototype {
    ~HeldPrototype() { proto->Release(); }
    zCModelPrototype* proto;
};

void ReadMdl()
{
    HeldPrototype held{new zCModelPrototype()};
    zCModelPrototype* proto = held.proto;
    int read = 0;
    {
        zCBinChunkFile file;
        if (file.Open("\\HERO.MDL") == 0)
            read = proto->ReadHierarchy(file) && zCModelMeshLib::ReadMdmChunks(file, proto, nullptr, nullptr);
    }
    if (read) {
        ++proto->refCtr;
        zTObjectRef<zCModel> model(new zCModel(proto));
        model->SetScale(zVEC3(2, 1, 1));
        model.reset();
        zCBinChunkFile out;
        if (out.Create("\\OUT.MDL") == 0) {
            proto->WriteHierarchy(out);
            zTObjectRef<zCModelMeshLib> lib(zCModelMeshLib::Create());
            lib->BuildFromPrototype(proto);
            lib->WriteMdmChunks(out, proto);
        }
    }
}

void ApplyMdm()
{
    // The model takes the prototype's creation reference.
    zTObjectRef<zCModel> model(new zCModel(MakeHierarchy()));
    model->ApplyMeshLib("HERO");
    model->DetachMeshLib("HERO");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSession& session = FuzzSession::Get();
    FuzzSession::UseObjectFactory();
    static zCRnd_D3D renderer;
    g_renderer = &renderer;
    static zCOption options;
    g_options = &options;
    // Read from "\_compiled\" below the scratch root; never rebuilt from a source.
    g_jobSourceDir = "\\ANIMS\\";
    g_jobMode = zJOB_DECOMPILE_MODELS;
    g_platform = zPLATFORM_FIRST_GAME;
    SetMeshFormatVersion();
    session.Run([&] {
#if FUZZ_MDM
        std::filesystem::create_directories(session.Root() + "/ANIMS/_compiled");
        session.Write("ANIMS/_compiled/HERO.MDM", data, size);
        ApplyMdm();
#else
        session.Write("HERO.MDL", data, size);
        ReadMdl();
#endif
    });
    return 0;
}
