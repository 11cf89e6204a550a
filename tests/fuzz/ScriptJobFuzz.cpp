// Fuzz targets of the script toolchain, run as the build worker runs a job of the
// main scripts. Compile (FUZZ_DECOMPILE 0): the input is a script, or a source
// list, a zero byte and the script "A.d" it may name. Decompile (FUZZ_DECOMPILE 1):
// the input is the compiled "Varnok.dat" that the decompiler reads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "BuildJob.h"
#include "EngineStartup.h"
#include "FuzzSession.h"

#ifndef FUZZ_DECOMPILE
#error "FUZZ_DECOMPILE is 1 for the decompile target, 0 for the compile target"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSession& session = FuzzSession::Get();
    static const bool started = [&session] {
        zSetIdeServices(&session.host);
        EngineStartup();
        // The engine's objects go before the leak check at the end of the run.
        std::atexit([] { EngineShutdown(); });
        return true;
    }();
    (void)started;

    session.Run([&] {
        const std::string input(reinterpret_cast<const char*>(data), size);
        if (FUZZ_DECOMPILE) {
            session.Write("Varnok.dat", input);
        } else {
            const std::size_t split = input.find('\0');
            session.Write("Varnok.src", split == std::string::npos ? std::string("A.d\n") : input.substr(0, split));
            session.Write("A.d", split == std::string::npos ? input : input.substr(split + 1));
        }
        zTBuildSettings& settings = session.host.GetSettings();
        settings.Ready = 1;
        settings.BuildMode = FUZZ_DECOMPILE ? zJOB_DECOMPILE_DAT : zJOB_COMPILE_SCRIPTS;
        settings.ProjectName = "Varnok";
        settings.LevelMessage = 8;
        settings.BuildJobThread = 1;
        session.host.projectFolder = session.Root() + "\\";
        BuildThread(nullptr);
    });
    return 0;
}
