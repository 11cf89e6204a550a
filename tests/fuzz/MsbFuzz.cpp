// Fuzz target: a binary model script of arbitrary bytes converted to text on the
// second platform, beside a valid .MAN for its ani T_WALK; a damaged file must give
// 0 and a report, never a crash, a hang or a read past its data.
#include <cstddef>
#include <cstdint>

#include "FuzzSession.h"
#include "JobGlobals.h"
#include "ModelTools.h"
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
    g_jobMode = zJOB_CONVERT_MODELS;
    g_platform = zPLATFORM_SECOND_GAME;
    g_jobSourceDir = "\\ANIMS\\";
    session.Run([&] {
        std::filesystem::create_directories(std::filesystem::path(session.Root()) / "ANIMS" / "_compiled");
        std::filesystem::create_directories(std::filesystem::path(session.Root()) / "OUT" / "_compiled");
        {
            g_jobDestDir = "\\ANIMS\\";
            auto* proto = new zCModelPrototype();
            proto->SetModelProtoName("HUMANS");
            auto* ani = new zCModelAni();
            ani->aniName = "T_WALK";
            ani->numFrames = 11;
            ani->fps = 25.0f;
            ani->sourceFps = 25.0f;
            ani->SaveMAN(*proto, "");
            ani->Release();
            proto->Release();
        }
        g_jobDestDir = "\\OUT\\";
        session.Write("ANIMS/_compiled/HUMANS.MSB", data, size);
        struct Held {
            zCModelPrototype* proto = new zCModelPrototype();
            ~Held() { proto->Release(); }
        } held;
        held.proto->LoadModelScriptMsb("HUMANS");
    });
    ClearRecordedSourceStamps();
    g_registeredMeshNames.DeleteList();
    g_modelLoadError = 0;
    return 0;
}
