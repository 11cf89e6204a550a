// Fuzz target: an ASC export of arbitrary bytes read with LoadAsc, as a hierarchy
// with meshes (flags 6) and, into the prototype that built, as an animation
// (flags 1); a bad file must end in a report, never a crash, hang or leak.
#include <cstddef>
#include <cstdint>

#include "FuzzSession.h"
#include "zCModelAni.h"
#include "zCModelPrototype.h"
#include "zCRnd_D3D.h"
#include "zERROR.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSession& session = FuzzSession::Get();
    FuzzSession::UseObjectFactory();
    // Textures the materials name are made by the renderer, never loaded.
    static zCRnd_D3D renderer;
    g_renderer = &renderer;
    auto* proto = new zCModelPrototype();
    session.Run([&] {
        session.Write("FUZZ.ASC", data, size);
        proto->LoadAsc(nullptr, "\\FUZZ.ASC", "", 0, 0, 6, -1.0f);
    });
    session.Run([&] {
        zCModelAni* ani = nullptr;
        proto->LoadAsc(&ani, "\\FUZZ.ASC", "T_FUZZ", 0, -1, 1, 25.0f);
    });
    proto->Release();
    return 0;
}
