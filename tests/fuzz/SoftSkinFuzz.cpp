// Fuzz target: progressive-mesh and soft-skin chunks (0xB100/0xB1FF, 0xE100/0xE110)
// read from arbitrary bytes; a damaged file must end in a report, never a crash.
#include <cstdint>
#include <cstdio>
#include <string>

#include "zCBinChunkFile.h"
#include "zCMeshSoftSkin.h"
#include "zERROR.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = std::string(P_tmpdir) + "/tavrelin-softskin-fuzz.bin";
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, out);
        std::fclose(out);
    } else {
        return 0;
    }
    g_errorReporter.SetFilterLevel(-1);
    zCBinChunkFile file;
    if (file.Open(zSTRING(path.c_str())) != 0)
        return 0;
    auto* skin = new zCMeshSoftSkin;
    try {
        if (skin->ReadFromChunkFile(file))
            skin->BuildNodeOBBs();
    } catch (const zTFatalAbort&) {
        // A damaged material archive ends the job as a fatal report does.
    }
    skin->Release();
    return 0;
}
