// Fuzz target: a model script of arbitrary bytes read as the loader reads it, in a
// convert job of the first game, which writes the binary script alongside; bad text
// must give a report or nothing, never a crash, a hang or a read past its data.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSession.h"
#include "JobGlobals.h"
#include "MdsText.h"
#include "ModelTools.h"
#include "zCBinChunkFile.h"
#include "zCModelPrototype.h"
#include "zCOption.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSession& session = FuzzSession::Get();
    FuzzSession::UseObjectFactory();
    static zCOption options;
    g_options = &options;
    g_jobMode = zJOB_CONVERT_MODELS;
    g_platform = zPLATFORM_FIRST_GAME;
    g_jobSourceDir = "\\ANIMS\\";
    g_jobDestDir = "\\OUT\\";
    auto* proto = new zCModelPrototype();
    proto->SetModelProtoName("HUMANS");
    session.Run([&] {
        std::filesystem::create_directories(std::filesystem::path(session.Root()) / "ANIMS" / "_compiled");
        std::filesystem::create_directories(std::filesystem::path(session.Root()) / "OUT" / "_compiled");
        session.Write("ANIMS/HUMANS.MDS", data, size);
        std::unique_ptr<zFILE> script = zMakeFile("\\ANIMS\\HUMANS.MDS");
        if (script->Open(false) != 0)
            return;
        g_mdsFile = script.get();
        g_mdsLineNumber = 0;
        zCBinChunkFile binary;
        binary.Create("\\OUT\\_compiled\\HUMANS.MSB");
        // Cleared on the way out too: a fatal report leaves through here.
        struct Reset {
            ~Reset() { g_mdsFile = nullptr; }
        } reset;
        while (ReadMdsLine(g_mdsLine)) {
            if (g_mdsLine.find("//") == std::string::npos && g_mdsLine.find("MODEL") != std::string::npos)
                proto->ReadModelBlock(binary);
        }
        proto->ResolveAnis();
    });
    g_registeredMeshNames.DeleteList();
    ClearRecordedSourceStamps();
    g_modelLoadError = 0;
    proto->Release();
    return 0;
}
