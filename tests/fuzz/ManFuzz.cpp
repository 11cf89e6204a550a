// Fuzz target: a .MAN file of arbitrary bytes read with LoadMAN into a prototype
// of three nodes, and written again when it was taken; a damaged file must give 0
// or a report, never a crash or a read past its data.
#include <cstddef>
#include <cstdint>

#include "FuzzSession.h"
#include "JobGlobals.h"
#include "zCBinChunkFile.h"
#include "zCModelAni.h"
#include "zCModelPrototype.h"
#include "zCOption.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSession& session = FuzzSession::Get();
    FuzzSession::UseObjectFactory();
    static zCOption options;
    g_options = &options;
    g_jobMode = zJOB_DECOMPILE_MODELS;
    g_jobSourceDir = "\\ANIMS\\";
    g_jobDestDir = "\\OUT\\";
    auto* proto = new zCModelPrototype();
    proto->SetModelProtoName("HUMANS");
    for (const char* name : {"BIP01", "BIP01 SPINE", "BIP01 HEAD"}) {
        auto* node = new zCModelNodeRec();
        node->nodeName = name;
        proto->nodeTree.AddChild(node);
        proto->nodeList.InsertEnd(node);
    }
    proto->CalcNodeListChecksum();
    session.Run([&] {
        std::filesystem::create_directories(std::filesystem::path(session.Root()) / "ANIMS" / "_compiled");
        std::filesystem::create_directories(std::filesystem::path(session.Root()) / "OUT" / "_compiled");
        session.Write("ANIMS/_compiled/HUMANS-T_WALK.MAN", data, size);
        // Released on the way out too: a file the layer cannot create is fatal.
        struct Held {
            zCModelAni* ani = new zCModelAni();
            ~Held() { ani->Release(); }
        } held;
        if (held.ani->LoadMAN("T_WALK.MAN", *proto, ""))
            held.ani->SaveMAN(*proto, "");
    });
    ClearRecordedSourceStamps();
    proto->Release();
    return 0;
}
