// Fuzz target: a material read from an engine archive of arbitrary bytes (any
// archive mode), with the keys of each platform; a damaged archive must end in a
// report or a refusal, never a crash or a read past the data.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "FuzzSession.h"
#include "JobGlobals.h"
#include "ModelServices.h"
#include "zCArchiver.h"
#include "zCArchiverFactory.h"
#include "zCRnd_D3D.h"
#include "zFILE_VDFS.h"

namespace {

struct ReleaseObject {
    void operator()(zCObject* object) const { object->Release(); }
};
template <class T>
using zTHeld = std::unique_ptr<T, ReleaseObject>;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSession& session = FuzzSession::Get();
    FuzzSession::UseObjectFactory();
    // The textures a material names are made by the renderer, never loaded.
    static zCRnd_D3D renderer;
    g_renderer = &renderer;
    const int savedPlatform = g_platform;
    for (const int platform : {zPLATFORM_FIRST_GAME, zPLATFORM_SECOND_GAME}) {
        g_platform = platform;
        session.Run([&] {
            session.Write("in.arc", data, size);
            zFILE_VDFS file("\\in.arc");
            if (file.Open(false) != 0)
                return;
            zTHeld<zCArchiver> archiver(g_archiverFactory.CreateArchiverRead(&file, 0));
            if (archiver)
                zTHeld<zCObject> material(archiver->ReadObject(nullptr));
        });
    }
    g_platform = savedPlatform;
    return 0;
}
