// Fuzz target: a material read from an engine archive of arbitrary bytes (any
// archive mode), with the keys of each platform; a damaged archive must end in a
// report or a refusal, never a crash or a read past the data.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "JobGlobals.h"
#include "ModelServices.h"
#include "zCArchiver.h"
#include "zCArchiverFactory.h"
#include "zCClassDef.h"
#include "zCObjectFactory.h"
#include "zCRnd_D3D.h"
#include "zERROR.h"
#include "zFILE.h"

namespace {

struct ReleaseObject {
    void operator()(zCObject* object) const { object->Release(); }
};
using zTHeld = std::unique_ptr<zCObject, ReleaseObject>;

// Textures the material names are made by the renderer, never loaded.
bool Prepare()
{
    static zCRnd_D3D renderer;
    zCClassDef::SortRegistry();
    g_renderer = &renderer;
    g_errorReporter.SetFilterLevel(-1);
    return true;
}

void ReadOnce(const std::string& path)
{
    std::unique_ptr<zFILE> file = zMakeFile(path);
    if (file->Open(false) != 0)
        return;
    // As a build job: a fatal report or a broken invariant ends it, and what it
    // holds is released on the way out.
    zRunJobGuarded([&file] {
        zTHeld archiver(g_archiverFactory.CreateArchiverRead(file.get(), 0));
        if (!archiver)
            return 0;
        zTHeld object(static_cast<zCArchiver*>(archiver.get())->ReadObject(nullptr));
        static_cast<zCArchiver*>(archiver.get())->Close();
        return 0;
    });
    file->Close();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = Prepare();
    static const std::string path = std::string(P_tmpdir) + "/tavrelin-material-fuzz.arc";
    (void)ready;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    for (const int platform : {0, 1}) {
        g_platform = platform;
        ReadOnce(path);
    }
    return 0;
}
